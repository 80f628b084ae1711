// Evaluation exports: resizing the corresponding-squares cache.
#include "core/gegenfeld.h"
#include "interface/config.h"
#include "interface/galdrik_exports.h"
#include "interface/jobs.h"

// Refused while a search or EPD test runs: its thread works in the cache. A
// failed allocation leaves no cache and stores the count 0, so the next call
// tries one entry.
GALDRIK_EXPORT int32_t DLL_GegenfeldReAllok() {
  using namespace galdrik;
  if (JobLaeuft()) return JobLaeuftNoch;
  uint32_t& anzahl = Konfiguration().gegenfeldAnzahl;
  if (anzahl == 0) anzahl = 1;
  const int32_t ergebnis = GegenfeldHashAllok(anzahl);
  if (ergebnis != 0) anzahl = 0;
  return ergebnis;
}
