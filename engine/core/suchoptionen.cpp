// The engine's one set of search switches.
#include "core/suchoptionen.h"

namespace galdrik {

Suchoptionen& SuchOptionen() {
  static Suchoptionen optionen;
  return optionen;
}

}  // namespace galdrik
