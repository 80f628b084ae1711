// Key exports: drawing a new Zobrist key set.
#include <ctime>

#include "core/datadir.h"
#include "core/zobrist.h"
#include "interface/config.h"
#include "interface/galdrik_exports.h"

GALDRIK_EXPORT int32_t DLL_HashCodeGen() {
  using namespace galdrik;
  return HashCodeGenerieren(static_cast<uint32_t>(std::time(nullptr)),
                            DatenordnerDatei("HashLog.txt"), KeyDateiPfad());
}
