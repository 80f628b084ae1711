// The search's door to the tablebases. The core knows nothing of tablebase
// files: the tablebase layer installs its probe here once it is set up, and
// until then the search is told that no position is known.
#pragma once

#include <cstdint>

#include "core/board.h"

namespace galdrik {

// True when the tablebases know the position; the score is then from the
// side to move's view: 0 draw, above 20000 won, below -20000 lost.
using TBProbeSucheFn = bool (*)(const Stellung& st, int16_t& wert);

// Installs the probe (nullptr removes it).
void TBProbeSucheSetzen(TBProbeSucheFn probe);

// Asks the installed probe; false when none is installed.
bool TBProbeSucheFragen(const Stellung& st, int16_t& wert);

}  // namespace galdrik
