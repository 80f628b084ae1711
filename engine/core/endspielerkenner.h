// Recogniser for positions with fewer than five men that are not pure pawn
// endings: dead draws, mating a bare king with a heavy piece, and a fixed
// list of four-man classes.
#pragma once

#include <cstdint>

#include "core/board.h"
#include "core/eval.h"

namespace galdrik {

// n: the number of men. 1 when the position is recognised: st.bewertung
// (White's view) and st.remisMaterial are then set. 0 when not recognised:
// nothing changed, the evaluation goes on.
uint8_t EndspielErkenner(Stellung& st, uint8_t n, const BewertungsZustand& z);

}  // namespace galdrik
