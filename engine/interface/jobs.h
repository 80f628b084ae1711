// The engine's worker threads (the search and the EPD test; the tablebase
// jobs later): each has a running flag set at its start and cleared by the
// thread at its end, polled by the program.
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

struct EPDTestJob {
  std::atomic<uint8_t> laeuft{0};   // EPDTestLaeuft
  std::atomic<uint8_t> abbruch{0};  // EPDTestAbbruch
  std::thread thread;
};

EPDTestJob& EPDThreadJob();

// Starts the search thread on a copy of the current position: 0, or -1 when
// the thread cannot be started (the running flag is then cleared again) or
// a search or EPD test already runs.
int32_t SucheStarten();

// Starts the EPD test over the loaded file with the two limits (seconds):
// 0, or -1 as SucheStarten.
int32_t EPDTestStarten(int32_t weichZeit, int32_t hartZeit);

// Asks a running EPD test to stop (and its search with it).
void EPDTestStoppen();

// Stops the EPD test and waits for its thread.
void EPDTestBeenden();

// Asks every running job to stop and waits for its thread.
void JobsBeenden();

// The job flags as engine start-up leaves them.
void JobsZuruecksetzen();

}  // namespace galdrik
