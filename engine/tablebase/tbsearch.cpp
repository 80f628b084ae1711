// Tablebase probes from the search. No tablebase files are registered yet,
// so no position is answered.
#include "tablebase/tbsearch.h"

namespace galdrik {

bool TBProbeSuche(const Stellung&, int16_t&) { return false; }

}  // namespace galdrik
