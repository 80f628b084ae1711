// Evaluation exports: resizing the corresponding-squares cache.
#include "core/gegenfeld.h"
#include "interface/config.h"
#include "interface/galdrik_exports.h"

// Called by the program only while no search runs. A failed allocation
// leaves no cache and stores the count 0, so the next call tries one entry.
GALDRIK_EXPORT int32_t DLL_GegenfeldReAllok() {
  using namespace galdrik;
  uint32_t& anzahl = Konfiguration().gegenfeldAnzahl;
  if (anzahl == 0) anzahl = 1;
  const int32_t ergebnis = GegenfeldHashAllok(anzahl);
  if (ergebnis != 0) anzahl = 0;
  return ergebnis;
}
