// Test helper: moves played into the game record as the move export plays
// them, on the engine's current position first.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>

#include "core/makemove.h"
#include "interface/enginestate.h"
#include "interface/partie.h"
#include "support/zugtext.h"

namespace galdrik::test {

// The moves (standard algebraic, English letters, blank-separated), each
// recorded with the engine flag and score given.
inline void Spielen(const std::string& zuege, uint8_t engineFlag = 0, int16_t wert = 0) {
  std::istringstream in(zuege);
  std::string text;
  while (in >> text) {
    Stellung& st = Engine().aktuelleStellung;
    const Zug zug = ZugAusText(st, text);
    st = ZugAusfuehren(st, zug, 1);
    PartieZugAnhaengen(zug, wert, engineFlag);
  }
}

}  // namespace galdrik::test
