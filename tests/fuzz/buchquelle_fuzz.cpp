// The book compiler on any source text; what it writes, the book reader
// takes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/book.h"
#include "core/bookcompiler.h"
#include "fuzzhilfe.h"

using namespace galdrik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  fuzz::EngineStarten();
  const std::string quelle = fuzz::AlsDatei(daten, groesse, "quelle.bk1");
  const std::string ziel = fuzz::ArbeitsDatei("ziel.bk2");
  std::remove(ziel.c_str());
  const BuchKompilierPfade pfade{fuzz::ArbeitsDatei("BookLog.txt"), ""};
  if (BuchKompilieren(quelle, ziel, pfade) == 0) {
    const int32_t gelesen = BuchEinlesen(ziel);
    if (gelesen != BuchGelesen && gelesen != BuchLeer) std::abort();
  }
  return 0;
}
