// Timing tests: evaluations and move generations per second on five fixed
// positions, the mask-based generator on the initial position, and a
// bitboard flood fill. Each blocks its caller for its whole run.
#pragma once

#include <cstdint>

#include "core/board.h"

namespace galdrik {

// n passes of the static evaluation (side-to-move view) over the five
// positions: 5 n divided by the elapsed whole seconds, -1 when the run ended
// in the second it began.
int32_t SpeedTestEval(int32_t n);

// The same with the legal move generator (mode 0).
int32_t SpeedTestMovegen(int32_t n);

// 1,048,576 runs of ZuglisteErzeugen on the initial position per elapsed
// whole second (a run within one second counts as one second).
int32_t TestZL();

// 134,217,728 flood fills per elapsed whole second, likewise.
int32_t TestLK();

// From the start squares, grows by king steps (never across a board edge)
// through every square not on the 6th rank until nothing is added.
Bitboard Flutfuellung(Bitboard start);

}  // namespace galdrik
