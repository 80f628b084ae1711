// The project's own piece pictures, drawn from the chess glyphs of the
// DejaVu Sans font: the square pictures of the board (each piece on a light
// and on a dark square) and the drag cursors of each piece.
#pragma once

#include <QImage>

#include "shell/controls/imagelist.h"

namespace galdrik::figurenbilder {

// Side of a square picture in pixels: twice a board square, so the pictures
// stay sharp when scaled into larger controls.
inline constexpr int kBildGroesse = 98;
inline constexpr int kCursorGroesse = 32;

// Square colours of the board.
inline constexpr int kHell = 255;
inline constexpr int kDunkel = 127;

// Picture of piece code p (1 pawn .. 6 king, negative for Black) on a light
// or a dark square: pawn 1..4, knight 5..8, ... king 21..24, in the order
// White on light, White on dark, Black on light, Black on dark.
constexpr int BildIndex(int figur, bool dunkel) {
  const int betrag = figur < 0 ? -figur : figur;
  return (betrag - 1) * 4 + (dunkel ? 2 : 1) + (figur < 0 ? 2 : 0);
}
// Drag cursor of piece code p: White 32, 34, .. 42; Black 33, 35, .. 43.
constexpr int CursorIndex(int figur) {
  const int betrag = figur < 0 ? -figur : figur;
  return 32 + (betrag - 1) * 2 + (figur < 0 ? 1 : 0);
}

// One piece on a transparent ground, groesse pixels square.
QImage Figur(int figur, int groesse);

// The main window's list: square pictures 1..24 and cursors 32..43.
ImageList Hauptliste();

}  // namespace galdrik::figurenbilder
