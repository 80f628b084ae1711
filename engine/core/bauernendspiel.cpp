// Pawn endings: not built yet. The stand-ins below answer "not scored", so
// the evaluation falls through to material and its general terms. The real
// routine will score every king-and-pawn position itself (bitbase wins,
// stalemate, drawn patterns, corresponding squares, pawn race); its
// corresponding-squares work buffer should be per thread, as the rest of the
// evaluation's working state is.
#include "core/bauernendspiel.h"

namespace galdrik {

std::optional<int16_t> BauernendspielBewerten(Stellung&, int32_t) { return std::nullopt; }

void EndspielRegelnInit() {}

}  // namespace galdrik
