// The promotion picker: a small window beside the board that offers the four
// pieces a pawn can become. It does not hold up the main window; a click on
// a piece completes the pending move, plays it and tells the main window,
// any other way of closing it leaves the position as it was.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "shell/controls/imagelist.h"

namespace galdrik {

class PictureBox;

class Bauernumwandlung : public QWidget {
  Q_OBJECT

 public:
  // What the picker needs of the main window, which plugs itself in here.
  class Hauptfenster {
   public:
    virtual ~Hauptfenster() = default;
    // The main window itself: the picker's owner, shown again when the
    // picker closes. May be nullptr.
    virtual QWidget* fenster() = 0;
    // The picture index of a piece code standing on a square, and the piece
    // pictures it indexes.
    virtual int32_t FigurBildCode(int32_t feld, int32_t figur) = 0;
    virtual const ImageList& Figurenbilder() = 0;
    // A move was played: reload, redraw, let the engine answer.
    virtual void ZugGemacht() = 0;
  };

  // Opens a fresh picker for the pending move (side to move 1 White, any
  // other value Black; from- and to-square 0..63) and shows it without
  // waiting. A picker still open is closed first, without a move. The
  // window deletes itself when it closes.
  static Bauernumwandlung* Oeffnen(Hauptfenster& hauptfenster, int32_t farbe, int32_t vonFeld,
                                   int32_t nachFeld);

  explicit Bauernumwandlung(Hauptfenster& hauptfenster);

  // Set by the main window before the pieces are painted.
  int32_t lFarbe = 1;
  int32_t lVonFeld = 0;
  int32_t lNachFeld = 0;

  void FigurenZeichnen();

  void Picture1_Click();
  void Picture2_Click();
  void Picture3_Click();
  void Picture4_Click();

 protected:
  bool event(QEvent* ereignis) override;
  void closeEvent(QCloseEvent* ereignis) override;

 private:
  void Form_Load();
  void Form_LostFocus();
  void Form_Unload();
  void umwandeln(int32_t code);

  Hauptfenster& hauptfenster_;
  std::array<PictureBox*, 4> picture_{};
  // From, to, the promotion code twice.
  std::array<int32_t, 4> tUmwandlungZug_{};
  bool entladen_ = false;
};

}  // namespace galdrik
