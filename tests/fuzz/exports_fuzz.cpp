// Export calls in any order on any position records, as a careless caller
// would make them: whatever the engine's current position becomes, it is a
// board the engine can work on, and a move index always names one of its
// legal moves.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "core/board.h"
#include "fuzzhilfe.h"
#include "interface/enginestate.h"
#include "interface/galdrik_exports.h"
#include "interface/records.h"

using namespace galdrik;

namespace {

class Leser {
 public:
  Leser(const uint8_t* daten, size_t groesse) : daten_(daten), rest_(groesse) {}
  bool leer() const { return rest_ == 0; }
  uint8_t byte() {
    if (rest_ == 0) return 0;
    --rest_;
    return *daten_++;
  }
  int32_t wort() {
    uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w |= uint32_t{byte()} << (8 * i);
    return static_cast<int32_t>(w);
  }

 private:
  const uint8_t* daten_;
  size_t rest_;
};

// A record mostly of real piece codes, now and then of any word.
void FeldLesen(Leser& leser, int32_t* feld) {
  DLL_Leerstellung(feld);
  const int men = leser.byte() % 40;
  for (int i = 0; i < men; ++i) {
    const uint8_t feldIndex = leser.byte() % 64;
    const uint8_t code = leser.byte();
    feld[feldIndex] = code < 240 ? code % 13 - 6 : leser.wort();
  }
  feld[64] = leser.byte() & 1;
  feld[65] = leser.byte();
  for (int i = 66; i < 70; ++i) feld[i] = leser.byte() & 1;
  feld[70] = leser.byte();
}

void SucheAbwarten() {
  for (int i = 0; i < 20000 && DLL_SuchFertig() != 1; ++i)
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  if (DLL_SuchFertig() != 1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  fuzz::EngineStarten();
  DLL_PartieBeginn();
  Leser leser(daten, groesse);
  int32_t feld[72];
  int32_t zug[4];
  for (int schritt = 0; schritt < 64 && !leser.leer(); ++schritt) {
    const int art = leser.byte() % 20;
    switch (art) {
      case 0:
      case 1:
        FeldLesen(leser, feld);
        DLL_StellungSet(feld);
        break;
      case 2:
        DLL_ZugAnz();
        break;
      case 3:
      case 4:
        DLL_ZugMachen(leser.byte() % 48);
        break;
      case 5:
        zug[0] = leser.byte() % 64;
        zug[1] = leser.byte() % 64;
        zug[2] = zug[3] = leser.byte() & 0xF0;
        DLL_ZugSet(zug);
        DLL_ZugMachen(DLL_ZugLegal());
        break;
      case 6:
        DLL_StellungLegal();
        break;
      case 7:
        DLL_StellungSave();
        break;
      case 8:
        DLL_StellungLoad();
        break;
      case 9:
        DLL_StellungKill();
        break;
      case 10:
        DLL_PositionFix(leser.wort() % 7000);
        break;
      case 11:
        DLL_ZugMinus();
        break;
      case 12:
        DLL_ZugPlus();
        break;
      case 13:
        DLL_PartieStatus();
        break;
      case 14:
        DLL_PartieNotation("PNBRQK");
        DLL_ZugKlick(leser.wort() % 400);
        break;
      case 15:
        DLL_PGNOutput(leser.byte() % 48);
        DLL_FENOutput(leser.byte());
        break;
      case 16:
        DLL_SuchParam(1 + leser.byte() % 2, 10, 10);
        if (DLL_SuchStart() == 0) {
          // Calls a careless caller makes while the search runs.
          DLL_SuchStatus();
          DLL_SuchInfo1(0);
          DLL_PartieBeginn();
          DLL_HashReAllok();
          SucheAbwarten();
          DLL_ZugGet(zug);
          DLL_ZugSet(zug);
          DLL_ZugMachen(DLL_ZugLegal());
        }
        break;
      case 17:
        DLL_PartieBeginn();
        break;
      case 18:
        DLL_ZugKill();
        break;
      case 19:
        DLL_StellungGet(feld);
        DLL_StellungSet(feld);
        break;
    }
    if (const int32_t mangel = StellungMangel(Engine().aktuelleStellung)) {
      std::fprintf(stderr, "step %d (call %d) left a position of fault %d\n", schritt, art, mangel);
      std::abort();
    }
  }
  return 0;
}
