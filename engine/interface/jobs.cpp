// The search thread and the shutdown of all worker threads.
#include "interface/jobs.h"

#include <system_error>

#include "core/search.h"
#include "core/suchoptionen.h"
#include "interface/enginestate.h"

namespace galdrik {

SuchJob& SuchThreadJob() {
  static SuchJob job;
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

}  // namespace

int32_t SucheStarten() {
  SuchJob& job = SuchThreadJob();
  if (job.laeuft.load(std::memory_order_acquire) == 1) return -1;
  if (job.thread.joinable()) job.thread.join();
  Suche().statistik.iterationsTiefe = 0;
  // Cleared here, before the thread exists, so that a stop request made
  // right after the start is never lost.
  Suche().abbruch = 0;
  job.laeuft.store(1, std::memory_order_release);
  try {
    job.thread = std::thread(SuchThread);
  } catch (const std::system_error&) {
    job.laeuft.store(0, std::memory_order_release);
    return -1;
  }
  return 0;
}

void JobsBeenden() {
  SuchJob& job = SuchThreadJob();
  if (job.thread.joinable()) {
    Suche().abbruch = 1;
    job.thread.join();
  }
  job.laeuft.store(0, std::memory_order_release);
}

void JobsZuruecksetzen() {
  SuchThreadJob().laeuft.store(0, std::memory_order_release);
  Engine().galdrikZugFlag = 0;
}

}  // namespace galdrik
