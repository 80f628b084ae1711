// The analysis thread and its start, stop and status; the result buffer.
#include "analysis/tbanajob.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "analysis/rfepzustand.h"
#include "analysis/spezdb.h"
#include "analysis/tbana_exports.h"
#include "analysis/tbanametrik.h"
#include "analysis/tbanasetup.h"
#include "core/log.h"
#include "interface/jobs.h"
#include "tablebase/cache.h"

namespace galdrik {

namespace {

const TBZugang& Tabellen() {
  static const TBZugangTabellen tb;
  return tb;
}

// The criteria the library runs with when none are set: their defaults
// reach the parts built into the library (the special database, the
// presets, the RFEP matrix run).
TBAnaKriterien& StandardKriterien() {
  static TBAnaKriterien k;
  return k;
}

struct Job {
  // What the thread works on is built before the job, so that at exit or
  // unload the job is destroyed, and its thread stopped, first; the list of
  // stop routines, registered with here, outlives it too.
  Job() {
    JobBeendenAnmelden(TBAnaBeenden);
    TBAnaGlobal();
    Tabellen();
    StandardKriterien();
    TBAnaMetrikPresetHolen();
    SpezDBAnzahl();
    RFEP();
    TbCacheEntryCount();
  }
  // A process that ends, or unloads the library, without stopping the run.
  ~Job() {
    JobBeendenAbmelden(TBAnaBeenden);
    if (thread.joinable()) {
      TBAnaGlobal().stopp.store(true, std::memory_order_release);
      thread.join();
    }
    TBAnaPufferFreigeben();  // the result buffer goes with the library
  }
  std::mutex sperre;  // start, stop and teardown against each other
  std::thread thread;
  TBAnaKriterien* kriterien = nullptr;
};

Job& AnaJob() {
  static Job j;
  return j;
}

void Thread(TBAnaSetup setup) {
  TBAnaZustand& z = TBAnaGlobal();
  z.diagonalSymmetrie = setup.diagonalSymmetrie;
  TBAnaKriterien* k = AnaJob().kriterien ? AnaJob().kriterien : &StandardKriterien();
  // Nothing may leave the thread: a thrown code becomes the run's result.
  int32_t ergebnis;
  try {
    ergebnis = TBAnaThreadAusfuehren(setup.block, setup.kriterium, z, Tabellen(), k);
  } catch (int code) {
    ergebnis = code < 0 ? code : TBAnaAbgebrochen;
  } catch (...) {
    ergebnis = TBAnaAbgebrochen;
  }
  z.ergebnis = ergebnis;
  // Everything the run wrote is visible to whoever sees the flag drop.
  z.laeuft.store(false, std::memory_order_release);
}

}  // namespace

int32_t TBAnaThreadAusfuehren(const TBAnaParameterblock& block, int32_t kriterium, TBAnaZustand& z,
                              const TBZugang& tb, TBAnaKriterien* kriterien) {
  z.block = block;
  z.kriterium = kriterium;
  char zeile[160];
  std::snprintf(zeile, sizeof zeile, "TB-Analyse:\n%i %i %i %i %i %i: %i %i\n", block.figuren[0],
                block.figuren[1], block.figuren[2], block.figuren[3], block.figuren[4],
                block.figuren[5], block.seite, kriterium);
  LogZeile(zeile);
  TBAnaZaehlerLoeschen(z);
  const std::time_t start = std::time(nullptr);
  z.startZeit.store(static_cast<int64_t>(start), std::memory_order_relaxed);

  int32_t ergebnis;
  if (block.seite == 2 && !KriteriumVergleichtSeiten(kriterium)) {
    z.durchlaeufe.store(2, std::memory_order_relaxed);
    z.durchlaufNummer.store(0, std::memory_order_relaxed);
    TBAnaParameterblock b = block;
    b.seite = 0;
    ergebnis = TBAnaSchleife(b, kriterium, z, tb, kriterien);
    if (ergebnis >= 0) {
      z.durchlaufNummer.store(1, std::memory_order_relaxed);
      b.seite = 1;
      ergebnis += TBAnaSchleife(b, kriterium, z, tb, kriterien);
    }
  } else {
    z.durchlaeufe.store(1, std::memory_order_relaxed);
    z.durchlaufNummer.store(0, std::memory_order_relaxed);
    ergebnis = TBAnaSchleife(block, kriterium, z, tb, kriterien);
  }

  z.sekunden = static_cast<double>(std::time(nullptr) - start);
  const double n = static_cast<double>(z.untersucht.load(std::memory_order_relaxed));
  z.rate = z.sekunden > 0 ? n / z.sekunden : n;
  const int32_t gewinnTiefe = 32767 - z.laengsterGewinn.wert;
  const int32_t verlustTiefe = z.laengsterVerlust.wert + 32766;
  z.extrem = verlustTiefe > gewinnTiefe ? z.laengsterVerlust : z.laengsterGewinn;
  return ergebnis;
}

int32_t TBAnaStarten() {
  // Built (and registered) before the job's lock is taken: teardown takes
  // the list's lock and then the job's.
  Job& j = AnaJob();
  std::lock_guard lock(j.sperre);
  TBAnaZustand& z = TBAnaGlobal();
  if (z.laeuft.load(std::memory_order_acquire)) return -1;
  if (!z.ergebnisse) return -1;
  if (j.thread.joinable()) j.thread.join();
  const TBAnaSetup setup = TBAnaSetupHolen();
  z.stopp.store(false, std::memory_order_release);
  z.laeuft.store(true, std::memory_order_release);
  try {
    j.thread = std::thread(Thread, setup);
  } catch (const std::system_error&) {
    z.laeuft.store(false, std::memory_order_release);
    return -1;
  }
  return 0;
}

void TBAnaBeenden() {
  Job& j = AnaJob();
  std::lock_guard lock(j.sperre);
  if (!j.thread.joinable()) return;
  TBAnaGlobal().stopp.store(true, std::memory_order_release);
  j.thread.join();
}

void TBAnaKriterienSetzen(TBAnaKriterien* kriterien) {
  Job& j = AnaJob();
  std::lock_guard lock(j.sperre);
  if (!TBAnaGlobal().laeuft.load(std::memory_order_acquire)) j.kriterien = kriterien;
}

int32_t TBAnaPufferAnlegen() {
  TBAnaZustand& z = TBAnaGlobal();
  if (z.laeuft.load(std::memory_order_acquire)) return -1;
  delete[] z.ergebnisse;
  z.ergebnisse = new (std::nothrow) TBAnaEintrag[ErgebnisPlaetze];
  if (!z.ergebnisse) return -1;
  std::fill(z.ergebnisse, z.ergebnisse + ErgebnisPlaetze, LeererEintrag());
  // Only what the buffer holds can be shown.
  z.gespeichert = 0;
  return 0;
}

void TBAnaPufferFreigeben() {
  TBAnaZustand& z = TBAnaGlobal();
  delete[] z.ergebnisse;
  z.ergebnisse = nullptr;
  z.treffer.store(0, std::memory_order_relaxed);
  z.gespeichert = 0;
}

}  // namespace galdrik

using galdrik::TBAnaGlobal;

GALDRIK_EXPORT int32_t DLL_TBAnaStart() { return galdrik::TBAnaStarten(); }

GALDRIK_EXPORT void DLL_TBAnaStopp() { TBAnaGlobal().stopp.store(true, std::memory_order_release); }

GALDRIK_EXPORT int32_t DLL_TBAnaStatus() {
  return TBAnaGlobal().laeuft.load(std::memory_order_acquire) ? 1 : 0;
}
