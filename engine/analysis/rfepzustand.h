// The library-wide RFEP state: the emulator of the current matrix run and
// the two model slots (every export uses slot 0).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>

#include "analysis/rfepemulator.h"
#include "analysis/rfepmodell.h"

namespace galdrik {

struct RFEPZustand {
  // The analysis thread books into the emulator while the program's thread
  // may start or finish a run.
  std::mutex emulatorSperre;
  std::unique_ptr<RFEPEmulator> emulator;  // with its weight table
  std::array<std::unique_ptr<RFEPModell>, 2> modelle;
};

RFEPZustand& RFEP();

// The analysis loop's entry for criterion 97: books one position into the
// current matrix run; nothing without a run. Never throws, since it runs on
// the analysis thread. The loop reaches it through
// TBAnaKriterien::RFEPStellungHinzu, which values every legal move first.
void RFEPStellungBuchen(int32_t wert, const RFEPNachfolger* zuege, int32_t anzahl);

}  // namespace galdrik
