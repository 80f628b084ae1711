// The analysis result loader on any file: a file is taken only when its size
// matches its count and every record is sound, and what it takes is written
// back and read again to the same records.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "analysis/tbanajob.h"
#include "analysis/tbanazustand.h"
#include "fuzzhilfe.h"

using namespace galdrik;

namespace {

struct Platz {
  std::vector<TBAnaEintrag> eintraege = std::vector<TBAnaEintrag>(ErgebnisPlaetze);
  TBAnaZustand z;
  Platz() { z.ergebnisse = eintraege.data(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  fuzz::EngineStarten();
  static Platz a, b;
  const std::string pfad = fuzz::AlsDatei(daten, groesse, "fuzz.sta");
  Stellung st{};
  a.z.gespeichert = 0;
  if (TBAnaLaden(pfad.c_str(), st, a.z) != 0) return 0;
  if (a.z.gespeichert > ErgebnisPlaetze) std::abort();

  const std::string liste = fuzz::ArbeitsOrdner() + "/fuzz-wieder.txt";
  const std::string statistik = fuzz::ArbeitsOrdner() + "/fuzz-wieder.sta";
  if (TBAnaSpeichern(liste.c_str(), statistik.c_str(), st, static_cast<int32_t>(ErgebnisPlaetze),
                     a.z) != 0)
    std::abort();
  Stellung st2{};
  if (TBAnaLaden(statistik.c_str(), st2, b.z) != 0) std::abort();
  if (b.z.gespeichert != a.z.gespeichert) std::abort();
  if (std::memcmp(a.z.ergebnisse, b.z.ergebnisse, sizeof(TBAnaEintrag) * a.z.gespeichert) != 0)
    std::abort();
  return 0;
}
