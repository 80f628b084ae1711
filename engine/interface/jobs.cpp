// The search thread, the EPD test thread and the shutdown of all worker
// threads. Both threads share the search state, so neither starts while the
// other runs.
#include "interface/jobs.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <system_error>
#include <utility>
#include <vector>

#include "core/search.h"
#include "core/suchoptionen.h"
#include "core/suchstand.h"
#include "core/tt.h"
#include "interface/enginestate.h"
#include "interface/epd.h"
#include "interface/partie.h"

namespace galdrik {

namespace {

// What a job's thread works on, made before the job itself, so that at exit
// the job (and its thread) goes first and the state it reads after it.
void GeteilterZustand() {
  Suche();
  SuchOptionen();
  TT();
  Engine();
  EPD();
  SuchstandVeroeffentlicht();
}

}  // namespace

SuchJob& SuchThreadJob() {
  static SuchJob& job = []() -> SuchJob& {
    GeteilterZustand();
    static SuchJob j;
    return j;
  }();
  return job;
}

EPDTestJob& EPDThreadJob() {
  static EPDTestJob& job = []() -> EPDTestJob& {
    GeteilterZustand();
    static EPDTestJob j;
    return j;
  }();
  return job;
}

SuchJob::~SuchJob() {
  if (!thread.joinable()) return;
  Suche().abbruch.store(1);
  thread.join();
}

EPDTestJob::~EPDTestJob() {
  if (!thread.joinable()) return;
  abbruch.store(1);
  Suche().abbruch.store(1);
  thread.join();
}

namespace {

void GemerkterPartiepfad(std::vector<Stellung>& pfad) { pfad = SuchThreadJob().partiepfad; }

void SuchThread() {
  SuchJob& job = SuchThreadJob();
  EngineZustand& e = Engine();
  e.letzterSuchwert =
      SucheWurzel(job.stellung, job.tiefenLimit, job.weichLimit, job.hartLimit, job.buch, 0);
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

namespace {

std::function<void()> vorgemerkt[static_cast<int>(Vormerkung::Anzahl)];

void VorgemerktesUebernehmen() {
  for (auto& aenderung : vorgemerkt)
    if (aenderung) {
      aenderung();
      aenderung = nullptr;
    }
}

}  // namespace

void AusserhalbDerJobs(Vormerkung art, std::function<void()> aenderung) {
  if (!JobLaeuft()) {
    aenderung();
    return;
  }
  vorgemerkt[static_cast<int>(art)] = std::move(aenderung);
}

bool SucheLaeuft() { return SuchThreadJob().laeuft.load(std::memory_order_acquire) == 1; }

bool JobLaeuft() {
  return SucheLaeuft() || EPDThreadJob().laeuft.load(std::memory_order_acquire) == 1;
}

int32_t SucheStarten() {
  SuchJob& job = SuchThreadJob();
  if (JobLaeuft()) return -1;
  if (job.thread.joinable()) job.thread.join();
  VorgemerktesUebernehmen();
  job.stellung = Engine().aktuelleStellung;
  job.tiefenLimit = job.tiefe;
  job.weichLimit = job.weichZeit;
  job.hartLimit = job.hartZeit;
  job.buch = SuchOptionen().buch;
  try {
    job.partiepfad.clear();
    PartiePfadStellungen(job.partiepfad);
  } catch (const std::bad_alloc&) {
    job.partiepfad.clear();
  }
  PartiepfadQuelleSetzen(&GemerkterPartiepfad);
  Suche().statistik.iterationsTiefe = 0;
  SuchstandZuruecksetzen();
  // Cleared here, before the thread exists, so that a stop request made
  // right after the start is never lost.
  Suche().abbruch = 0;
  return ThreadStarten(job, SuchThread);
}

int32_t EPDTestStarten(int32_t weichZeit, int32_t hartZeit) {
  EPDTestJob& job = EPDThreadJob();
  if (JobLaeuft()) return -1;
  if (job.thread.joinable()) job.thread.join();
  VorgemerktesUebernehmen();
  SuchstandZuruecksetzen();
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

namespace {

struct WeitereJobs {
  std::mutex sperre;
  std::vector<void (*)()> beenden;
};

WeitereJobs& Weitere() {
  static WeitereJobs w;
  return w;
}

}  // namespace

void JobBeendenAnmelden(void (*beenden)()) {
  WeitereJobs& w = Weitere();
  std::lock_guard lock(w.sperre);
  if (std::find(w.beenden.begin(), w.beenden.end(), beenden) == w.beenden.end())
    w.beenden.push_back(beenden);
}

void JobBeendenAbmelden(void (*beenden)()) {
  WeitereJobs& w = Weitere();
  std::lock_guard lock(w.sperre);
  w.beenden.erase(std::remove(w.beenden.begin(), w.beenden.end(), beenden), w.beenden.end());
}

void JobsBeenden() {
  {
    WeitereJobs& w = Weitere();
    std::lock_guard lock(w.sperre);
    for (auto it = w.beenden.rbegin(); it != w.beenden.rend(); ++it) (*it)();
  }
  SuchJob& job = SuchThreadJob();
  if (job.thread.joinable()) {
    Suche().abbruch = 1;
    job.thread.join();
  }
  job.laeuft.store(0, std::memory_order_release);
  EPDTestBeenden();
  VorgemerktesUebernehmen();
}

void JobsZuruecksetzen() {
  SuchThreadJob().laeuft.store(0, std::memory_order_release);
  Engine().galdrikZugFlag = 0;
  EPDDateiFrei();
  EPDThreadJob().laeuft.store(0, std::memory_order_release);
}

}  // namespace galdrik
