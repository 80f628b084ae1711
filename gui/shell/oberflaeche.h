// The main window. So far it holds the frame that start-up and the language
// switch need: its captions, the Extras menu's language entries and the
// engine stop when it closes; the board, the notation and the panels move in
// with the window's layout.
#pragma once

#include <QMainWindow>

#include "shell/boolean.h"

class QAction;
class QMenu;

namespace galdrik {

class Oberflaeche : public QMainWindow {
  Q_OBJECT

 public:
  explicit Oberflaeche(QWidget* parent = nullptr);
  ~Oberflaeche() override;

  // The window while it exists; other windows reach it here.
  static Oberflaeche* instanz();

  // Lays the window out again (after a language switch, for other windows).
  void ResizeExtern();

  // The window shows a tablebase analysis rather than a game.
  Boolean bTBModus = Falsch;

  // The language entries: the submenu opening, German, English.
  void MenueExtrasSprache_Click();
  void MenueExtrasSpracheDt_Click();
  void MenueExtrasSpracheEn_Click();

 protected:
  void closeEvent(QCloseEvent* ereignis) override;

 private:
  void Form_Load();
  void Form_Resize();
  void spracheGewaehlt();

  QMenu* menueExtras_;
  QMenu* menueExtrasSprache_;
  QAction* menueExtrasSpracheDt_;
  QAction* menueExtrasSpracheEn_;
  QAction* menueExtrasSpracheFr_;
};

}  // namespace galdrik
