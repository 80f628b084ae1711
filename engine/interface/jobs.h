// The engine's worker threads (the search and the EPD test; the tablebase
// jobs later): each has a running flag set at its start and cleared by the
// thread at its end, polled by the program.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "core/board.h"

namespace galdrik {

// Result of an export refused because a job's thread is at work on what the
// export would change.
inline constexpr int32_t JobLaeuftNoch = -3;

// A job's thread is joined when the library goes away, so neither exit nor
// unloading leaves an unjoined thread behind; a job still running is asked
// to stop first.
struct SuchJob {
  int32_t tiefe = 0;  // the limits of DLL_SuchParam
  int32_t weichZeit = 0;
  int32_t hartZeit = 0;
  std::atomic<uint8_t> laeuft{0};  // SuchLaeuft
  std::thread thread;
  // Taken on the program's thread before the search thread starts, so that
  // nothing the program changes afterwards reaches the running search.
  Stellung stellung{};
  int32_t tiefenLimit = 0;
  int32_t weichLimit = 0;
  int32_t hartLimit = 0;
  uint8_t buch = 0;
  std::vector<Stellung> partiepfad;
  ~SuchJob();
};

SuchJob& SuchThreadJob();

struct EPDTestJob {
  std::atomic<uint8_t> laeuft{0};   // EPDTestLaeuft
  std::atomic<uint8_t> abbruch{0};  // EPDTestAbbruch
  std::thread thread;
  ~EPDTestJob();
};

EPDTestJob& EPDThreadJob();

// Whether the search thread, or any job thread, is at work. Only the
// program's thread starts jobs, so an answer of false stays true until it
// starts one.
bool SucheLaeuft();
bool JobLaeuft();

// Settings that a job's thread reads while it works (the search switches,
// the notation letters): a change made while a job runs waits for it, and
// is made before the next job starts or when the jobs are ended. A later
// change of the same kind replaces a waiting one.
enum class Vormerkung { Suchschalter, Buchstaben, Anzahl };
void AusserhalbDerJobs(Vormerkung art, std::function<void()> aenderung);

// Starts the search thread on a copy of the current position and of the
// game's path to it: 0, or -1 when the thread cannot be started (the
// running flag is then cleared again) or a search or EPD test already runs.
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

// A job of a layer above this one (the tablebase analysis) registers how it
// is stopped and waited for; JobsBeenden calls every such routine, the
// latest first. A job registers before its own state exists, so the list
// outlives it, and withdraws when that state is destroyed.
void JobBeendenAnmelden(void (*beenden)());
void JobBeendenAbmelden(void (*beenden)());

// The job flags as engine start-up leaves them.
void JobsZuruecksetzen();

}  // namespace galdrik
