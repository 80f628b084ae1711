// The move-text readers on any text: a single move read against the legal
// moves of a few positions, and the text as a whole movetext parsed into a
// game tree.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/fen.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "fuzzhilfe.h"
#include "interface/pgn.h"

using namespace galdrik;

namespace {

const Stellung* Stellungen() {
  static Stellung stellungen[3];
  static const bool fertig = [] {
    uint16_t halbzug = 0;
    stellungen[0] = Grundstellung();
    FENEingabe("r3k2r/pPp2ppp/8/3pP3/8/8/P1PP1PpP/R3K2R w KQkq d6 0 1", stellungen[1], halbzug);
    FENEingabe("4k3/1P6/8/8/8/8/6p1/4K2R b K - 0 1", stellungen[2], halbzug);
    return true;
  }();
  (void)fertig;
  return stellungen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  fuzz::EngineStarten();
  const std::string_view text = fuzz::AlsText(daten, groesse);
  for (int s = 0; s < 3; ++s) {
    const Stellung& st = Stellungen()[s];
    const Zugliste liste = ZugGenerator(st, GenAlleZuege);
    for (const std::string_view buchstaben : {FigurenEnglisch, FigurenDeutsch}) {
      uint8_t status = 0;
      const int16_t index = PGNZugInterpretieren(liste, text.substr(0, 64), buchstaben, status);
      if (index >= liste.anzahl) std::abort();
      if (index >= 0) (void)ZugNotation(liste.zuege[index], buchstaben, 0);
    }
    bool voll = false;
    delete PGNZugtextParsen(st, 0, text, nullptr, &voll);
  }
  return 0;
}
