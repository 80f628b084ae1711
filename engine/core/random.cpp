// The engine-wide instance of the private random generator.
#include "core/random.h"

namespace galdrik {

Zufall15& EngineZufall() {
  static Zufall15 zufall;
  return zufall;
}

}  // namespace galdrik
