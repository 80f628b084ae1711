// The .tbx loader on any file: a file is taken only when its size matches
// its count and every record is sound, and whatever it takes can be walked,
// linked and written back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "analysis/spezdb.h"
#include "analysis/vernetzung.h"
#include "fuzzhilfe.h"

using namespace galdrik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  fuzz::EngineStarten();
  const std::string pfad = fuzz::AlsDatei(daten, groesse, "fuzz.tbx");
  const int32_t ergebnis = SpezDBLaden(pfad.c_str());
  if (ergebnis != 0) {
    if (SpezDBAnzahl() != 0 || SpezDBEintrag(0) != nullptr) std::abort();
    return 0;
  }
  const int32_t n = SpezDBAnzahl();
  if (SpezDBKopfBytes + 16 * static_cast<size_t>(n) != groesse) std::abort();
  for (int32_t i = 0; i < n; ++i)
    if (SpezDBEintrag(i)->feld[SpezDBEintrag(i)->zugFigur] > 63) std::abort();
  if (SpezDBEintrag(n) != nullptr) std::abort();
  // The linking follows every record's move and the replies to it.
  if (n <= 256) SpezDBVernetzen(pfad.c_str(), 16, true);
  SpezDBSchliessen();
  return 0;
}
