// Opening-book exports: compiling a book source into a compiled book.
#include "core/bookcompiler.h"
#include "core/datadir.h"
#include "interface/galdrik_exports.h"
#include "interface/jobs.h"

GALDRIK_EXPORT int32_t DLL_BuchGen(const char* quelle, const char* ziel) {
  using namespace galdrik;
  if (!quelle || !ziel) return -9;
  // Compiling discards the engine's book, which a running search may read.
  if (JobLaeuft()) return JobLaeuftNoch;
  const BuchKompilierPfade pfade{DatenordnerDatei("BookLog.txt"), DatenordnerDatei("lern1.dat")};
  return BuchKompilieren(quelle, ziel, pfade);
}
