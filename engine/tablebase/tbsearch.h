// Tablebase answers for the search.
#pragma once

#include <cstdint>

#include "core/board.h"

namespace galdrik {

// True when the tablebases know the position (no castling rights left);
// the score is then written from the side to move's view: 0 draw, above
// 20000 won, below -20000 lost, by the distance to mate.
bool TBProbeSuche(const Stellung& st, int16_t& wert);

}  // namespace galdrik
