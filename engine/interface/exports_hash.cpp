// Key and table exports: drawing a new Zobrist key set, clearing and
// resizing the transposition table.
#include <ctime>

#include "core/datadir.h"
#include "core/tt.h"
#include "core/zobrist.h"
#include "interface/config.h"
#include "interface/galdrik_exports.h"
#include "interface/jobs.h"

// New keys would change every key under a running search's feet.
GALDRIK_EXPORT int32_t DLL_HashCodeGen() {
  using namespace galdrik;
  if (JobLaeuft()) return JobLaeuftNoch;
  return HashCodeGenerieren(static_cast<uint32_t>(std::time(nullptr)),
                            DatenordnerDatei("HashLog.txt"), KeyDateiPfad());
}

// The table belongs to a running search or EPD test until it ends.
GALDRIK_EXPORT void DLL_HashLeeren() {
  if (!galdrik::JobLaeuft()) galdrik::HashTabLeeren();
}

GALDRIK_EXPORT int32_t DLL_HashReAllok() {
  using namespace galdrik;
  if (JobLaeuft()) return JobLaeuftNoch;
  HashFrei();
  return HashAllok(Konfiguration().hashExponent, Konfiguration().hashBreite);
}
