// The MD5 list on any bytes, read both ways: as md5sum output through the
// collector, which writes a whole block or nothing, and as a list file, which
// always reads as the full list.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/md5liste.h"
#include "fuzzhilfe.h"

using namespace galdrik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  fuzz::EngineStarten();
  const std::string text = fuzz::AlsDatei(daten, groesse, "fuzz-md5.txt");
  const std::string liste = fuzz::ArbeitsOrdner() + "/fuzz.md5";
  std::filesystem::remove(liste);
  const int32_t ergebnis = MD5Kollektor(text, liste);
  if (ergebnis < -6 || ergebnis > 0) std::abort();
  std::error_code fehler;
  const bool da = std::filesystem::exists(liste, fehler);
  if (ergebnis == 0) {
    if (!da || std::filesystem::file_size(liste) != 16u * MD5BlockEintraege) std::abort();
  } else if (da) {
    std::abort();
  }

  std::vector<MD5Digest> gelesen;
  if (!MD5ListeLesen(text, gelesen) || gelesen.size() != static_cast<size_t>(MD5ListeEintraege))
    std::abort();
  MD5Digest d;
  if (!MD5ListeEintrag(text, MD5ListeEintraege - 1, d)) std::abort();
  return 0;
}
