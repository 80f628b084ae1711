// The EPD reader on any file: the table of lines, and each line read into a
// position and its target, which then stands in the engine.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/board.h"
#include "fuzzhilfe.h"
#include "interface/enginestate.h"
#include "interface/epd.h"
#include "interface/galdrik_exports.h"
#include "interface/records.h"

using namespace galdrik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  fuzz::EngineStarten();
  const std::string pfad = fuzz::AlsDatei(daten, groesse, "eingabe.epd");
  const int32_t zeilen = DLL_EPDLaden(pfad.c_str());
  for (int32_t i = 0; i < zeilen && i < 32; ++i) {
    DLL_EPDString(i);
    if (DLL_EPDInterpret(i) < 0) continue;
    if (StellungMangel(Engine().aktuelleStellung) != 0) std::abort();
    DLL_ZugAnz();
    DLL_StellungLegal();
    DLL_FENOutput(1);
  }
  DLL_EPDTestInfo(0);
  return 0;
}
