// Corresponding-squares cache. No systems are computed yet, so there is
// nothing to empty.
#include "core/gegenfeld.h"

namespace galdrik {

void GegenfeldHashLeeren() {}

}  // namespace galdrik
