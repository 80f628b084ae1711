// Contact attack masks: for each piece kind and colour and each square, the
// squares such a piece attacks at close range (pawn captures, knight jumps,
// and the adjacent squares a slider or the king attacks). Read by the
// tablebase analysis.
#pragma once

#include "core/board.h"

namespace galdrik {

// Row k = 2 * piece type - 1 for Black, 2 * piece type for White; row 0 stays
// empty, as does the column for square 64.
extern Bitboard Kontaktmasken[13][FeldAnzahlMitLeer];

constexpr int KontaktZeile(int8_t figur) { return figur > 0 ? 2 * figur : -2 * figur - 1; }

// Needs the tables of AngriffstabellenInit.
void AngriffsmaskenInit();

}  // namespace galdrik
