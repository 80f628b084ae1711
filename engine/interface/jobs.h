// The engine's worker threads (the search now; the EPD test and the
// tablebase jobs later): each has a running flag set at its start and
// cleared by the thread at its end, polled by the program.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace galdrik {

struct SuchJob {
  int32_t tiefe = 0;
  int32_t weichZeit = 0;
  int32_t hartZeit = 0;
  std::atomic<uint8_t> laeuft{0};  // SuchLaeuft
  std::thread thread;
};

SuchJob& SuchThreadJob();

// Starts the search thread on a copy of the current position: 0, or -1 when
// the thread cannot be started (the running flag is then cleared again).
int32_t SucheStarten();

// Asks every running job to stop and waits for its thread.
void JobsBeenden();

// The job flags as engine start-up leaves them.
void JobsZuruecksetzen();

}  // namespace galdrik
