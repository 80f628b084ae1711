// The search thread, the EPD test thread and the shutdown of all worker
// threads. Both threads share the search state, so neither starts while the
// other runs.
#include "interface/jobs.h"

#include <system_error>
#include <utility>

#include "core/search.h"
#include "core/suchoptionen.h"
#include "interface/enginestate.h"
#include "interface/epd.h"

namespace galdrik {

SuchJob& SuchThreadJob() {
  static SuchJob job;
  return job;
}

EPDTestJob& EPDThreadJob() {
  static EPDTestJob job;
  return job;
}

namespace {

void SuchThread() {
  SuchJob& job = SuchThreadJob();
  EngineZustand& e = Engine();
  const Stellung kopie = e.aktuelleStellung;
  e.letzterSuchwert =
      SucheWurzel(kopie, job.tiefe, job.weichZeit, job.hartZeit, SuchOptionen().buch, 0);
  e.austauschzug = Suche().ergebnis.zug;
  // The move and score are stored before the flag clears: the program reads
  // them only once it sees the search finished.
  job.laeuft.store(0, std::memory_order_release);
}

void EPDTestThread(int32_t weichZeit, int32_t hartZeit) {
  EPDTestJob& job = EPDThreadJob();
  EPDTestLauf(weichZeit, hartZeit, job.abbruch);
  job.laeuft.store(0, std::memory_order_release);
}

bool EinJobLaeuft() {
  return SuchThreadJob().laeuft.load(std::memory_order_acquire) == 1 ||
         EPDThreadJob().laeuft.load(std::memory_order_acquire) == 1;
}

// Marks the job running, then starts its thread; a thread that cannot be
// made leaves the job idle and answers -1.
template <typename Job, typename... Argumente>
int32_t ThreadStarten(Job& job, Argumente&&... argumente) {
  job.laeuft.store(1, std::memory_order_release);
  try {
    job.thread = std::thread(std::forward<Argumente>(argumente)...);
  } catch (const std::system_error&) {
    job.laeuft.store(0, std::memory_order_release);
    return -1;
  }
  return 0;
}

}  // namespace

int32_t SucheStarten() {
  SuchJob& job = SuchThreadJob();
  if (EinJobLaeuft()) return -1;
  if (job.thread.joinable()) job.thread.join();
  Suche().statistik.iterationsTiefe = 0;
  // Cleared here, before the thread exists, so that a stop request made
  // right after the start is never lost.
  Suche().abbruch = 0;
  return ThreadStarten(job, SuchThread);
}

int32_t EPDTestStarten(int32_t weichZeit, int32_t hartZeit) {
  EPDTestJob& job = EPDThreadJob();
  if (EinJobLaeuft()) return -1;
  if (job.thread.joinable()) job.thread.join();
  // Reset before the thread exists, so a poll right after the start never
  // shows the previous test's figures.
  EPDTestZuruecksetzen();
  job.abbruch.store(0);
  return ThreadStarten(job, EPDTestThread, weichZeit, hartZeit);
}

void EPDTestStoppen() {
  EPDTestJob& job = EPDThreadJob();
  job.abbruch.store(1);
  // Only the test's own search: a stop after the test has ended must not cut
  // short a search the program started since.
  if (job.laeuft.load(std::memory_order_acquire) == 1) Suche().abbruch.store(1);
}

void EPDTestBeenden() {
  EPDTestJob& job = EPDThreadJob();
  if (job.thread.joinable()) {
    job.abbruch.store(1);
    Suche().abbruch.store(1);
    job.thread.join();
  }
  job.laeuft.store(0, std::memory_order_release);
}

void JobsBeenden() {
  SuchJob& job = SuchThreadJob();
  if (job.thread.joinable()) {
    Suche().abbruch = 1;
    job.thread.join();
  }
  job.laeuft.store(0, std::memory_order_release);
  EPDTestBeenden();
}

void JobsZuruecksetzen() {
  SuchThreadJob().laeuft.store(0, std::memory_order_release);
  Engine().galdrikZugFlag = 0;
  EPDDateiFrei();
  EPDThreadJob().laeuft.store(0, std::memory_order_release);
}

}  // namespace galdrik
