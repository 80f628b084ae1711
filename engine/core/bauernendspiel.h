// Evaluation of positions with nothing but kings and pawns: the bitbase, the
// stalemate test, the two-against-one rule, the corresponding squares, the
// table of drawn pawn patterns and otherwise a pawn race count.
#pragma once

#include <cstdint>
#include <optional>

#include "core/board.h"

namespace galdrik {

// White's view. Empty while the pawn-ending rules are not built: the
// evaluation then scores the position with its general terms instead.
std::optional<int16_t> BauernendspielBewerten(Stellung& st, int32_t gegenfeldModus);

// Builds the table of drawn pawn patterns; called once by the start-up step
// that builds the evaluation's masks.
void EndspielRegelnInit();

}  // namespace galdrik
