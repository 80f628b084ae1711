// The PGN reader and writer on any file: the index of its games, each game
// loaded into the record (the first few), its notation and its movetext, the
// record written back and indexed again, and the file's statistics.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzzhilfe.h"
#include "interface/galdrik_exports.h"

using namespace galdrik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  fuzz::EngineStarten();
  const std::string pfad = fuzz::AlsDatei(daten, groesse, "eingabe.pgn");
  const int32_t spiele = DLL_PGNDateiLaden(pfad.c_str());
  for (int32_t i = 0; i < spiele && i < 8; ++i) {
    for (int32_t feld : {1, 7, 33}) DLL_PGNDateiPartieInfo(i, feld);
    DLL_PGNDateiPartieText(pfad.c_str(), i);
    DLL_PGNDateiPartieLoad(pfad.c_str(), i);
    DLL_PartieNotation("BSLTDK");
    DLL_ZugAnz();
    const std::string zurueck = fuzz::ArbeitsDatei("zurueck.pgn");
    if (DLL_DateiSpeichern(zurueck.c_str(), 0) != 0) std::abort();
    // What the writer wrote, the reader takes as one game.
    if (DLL_PGNDateiLaden(zurueck.c_str()) != 1) std::abort();
    DLL_PGNDateiPartieLoad(zurueck.c_str(), 0);
    DLL_PGNDateiLaden(pfad.c_str());
  }
  DLL_PGNDateiSchliessen();
  DLL_PGNStatistikErstellen(pfad.c_str(), nullptr);
  return 0;
}
