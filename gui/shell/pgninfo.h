// The PGN tag dialog: the seven tags of the game being saved. Closing it,
// by Ok or any other way, hands the tags to the engine and appends the game
// to the chosen file. It holds the main window while it is open, so the
// game written is the one the user saw when choosing to save.
#pragma once

#include <QDate>
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace galdrik {

class PGNInfo : public QWidget {
  Q_OBJECT

 public:
  // Opens a fresh dialog for the game, to be appended to zielDatei, modal to
  // the main window and shown without waiting. A dialog still open is
  // discarded first, without writing. The window deletes itself when it
  // closes.
  static PGNInfo* Oeffnen(QWidget* hauptfenster, const QString& zielDatei);

  explicit PGNInfo(QWidget* hauptfenster = nullptr);

  // The PGN file the game is appended to.
  QString sZielDatei;

  // Closes the dialog without writing anything.
  void Verwerfen();

  void Command1_Click();
  void Text1_LostFocus(int index);

  // A tag value as it may go into the file: no quotes, backslashes or
  // control characters, no blanks at the ends, at most kTagBytes bytes of
  // UTF-8. Longer values would make the whole file unreadable to the PGN
  // index.
  static QString TagWert(const QString& text);
  static constexpr int kTagBytes = 255;
  // The PGN form of a date: 2026.03.05.
  static QString PGNDatum(const QDate& datum);

 protected:
  bool event(QEvent* ereignis) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  void closeEvent(QCloseEvent* ereignis) override;

 private:
  void Form_Load();
  void Form_Unload();
  void Form_Deactivate();

  std::array<QLineEdit*, 6> text1_{};
  QComboBox* combo1_;
  std::array<QLabel*, 8> label_{};
  QPushButton* command1_;
  bool entladen_ = false;
  bool verworfen_ = false;
};

}  // namespace galdrik
