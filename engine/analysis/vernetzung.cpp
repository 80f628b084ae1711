// The special-database linking and its job. A pass looks, for every record
// of the current level whose move is quiet, at every quiet reply of the
// opponent and raises the record when the reply leads to a record of at
// least that level. The records are read from the file and written back
// through the database module, whose writer renames a whole temporary file
// over the original, so a failed or stopped run leaves the file as it was.
#include "analysis/vernetzung.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "analysis/figurenliste.h"
#include "analysis/posindex.h"
#include "analysis/spezdb.h"
#include "analysis/spezdb_exports.h"
#include "core/board.h"
#include "core/log.h"
#include "interface/jobs.h"

namespace galdrik {

namespace {

constexpr int32_t LetzterDurchlauf = 50;  // levels never pass it
constexpr uint8_t KeinEP = 127;

struct Job {
  std::mutex sperre;  // start and teardown against each other
  std::thread thread;
  std::string pfad;
  int32_t extra = 0;
  bool schleifenTest = false;
  std::atomic<bool> laeuft{false};
  std::atomic<bool> gestartet{false};  // a start has been made
  std::atomic<int32_t> ergebnis{0};
  std::atomic<bool> stopp{false};
  std::atomic<int32_t> durchlauf{0};
  std::atomic<int32_t> eintrag{0};
  // Registered before the job exists, so the list of stop routines outlives
  // it; the database and index the thread links are built first for the
  // same reason.
  Job() {
    JobBeendenAnmelden(VernetzungBeenden);
    SpezDBAnzahl();
    PosIndexInfo();
  }
  // Neither exit nor unloading may leave the thread unjoined.
  ~Job() {
    JobBeendenAbmelden(VernetzungBeenden);
    if (!thread.joinable()) return;
    stopp.store(true, std::memory_order_relaxed);
    thread.join();
  }
};

Job& VJob() {
  static Job j;
  return j;
}

constexpr uint8_t Diagonal(int s) { return static_cast<uint8_t>(Linie(s) * 8 + Reihe(s)); }

// Identical men stand in adjacent slots, and the analysis keeps them in
// increasing square order; a move may have passed one over the other.
void GleicheSortieren(uint8_t key[8], const int32_t codes[AnaSlots]) {
  for (int k = 1; k < AnaSlots; ++k)
    for (int j = k; j > 0 && codes[j] != 0 && codes[j] == codes[j - 1] && key[j] < key[j - 1]; --j)
      std::swap(key[j], key[j - 1]);
}

// With the key piece on the a1-h8 diagonal a position and its mirror image
// are the same; the analysis keeps the one that comes first in its walk
// (the smaller squares slot by slot, identical men sorted) when its
// diagonal switch is on, and both otherwise. That form is looked up first,
// the other one after it, since a mirror image outside the search mask
// leaves the larger form standing for itself.
const TBAnaEintrag* Finden(uint8_t key[8], const int32_t codes[AnaSlots], int32_t leit,
                           int32_t klasse) {
  SpezDBNormieren(key, leit, klasse);
  GleicheSortieren(key, codes);
  if (klasse != 2 || Linie(key[leit]) != Reihe(key[leit])) return PosIndexSuchen(key);
  uint8_t gespiegelt[8];
  std::memcpy(gespiegelt, key, 8);
  for (int k = leit; k < AnaSlots; ++k)
    if (codes[k] != 0) gespiegelt[k] = Diagonal(key[k]);
  GleicheSortieren(gespiegelt, codes);
  const int vergleich = std::memcmp(key, gespiegelt, 8);
  if (vergleich == 0) return PosIndexSuchen(key);
  const uint8_t* erste = vergleich < 0 ? key : gespiegelt;
  const uint8_t* zweite = vergleich < 0 ? gespiegelt : key;
  if (const TBAnaEintrag* s = PosIndexSuchen(erste)) return s;
  return PosIndexSuchen(zweite);
}

uint8_t EPNachZug(uint8_t flags, int ziel, int seite) {
  return flags == ZugFlagDoppelschrittEP ? static_cast<uint8_t>(ziel - 16 * seite + 8) : KeinEP;
}

// One pass over the records; true when a level rose.
template <typename Stopp>
bool Durchlauf(int32_t k, TBAnaEintrag* db, int32_t anzahl, const int32_t codes[AnaSlots],
               int32_t leit, int32_t klasse, std::vector<int32_t>* kettenende, Job& j,
               Stopp gestoppt) {
  int8_t figuren[AnaSlots];
  for (int s = 0; s < AnaSlots; ++s) figuren[s] = static_cast<int8_t>(codes[s]);
  bool geaendert = false;
  for (int32_t i = 0; i < anzahl; ++i) {
    j.eintrag.store(i, std::memory_order_relaxed);
    if (gestoppt()) return false;
    TBAnaEintrag& r = db[i];
    if (r.stufe < k) continue;
    if (r.zugArt != ZugFlagRuhig && r.zugArt != ZugFlagDoppelschrittEP) continue;
    const int seite = r.amZug == 1 ? 1 : 0;
    const int gegner = seite ^ 1;
    int32_t feld[AnaSlots];
    int32_t* zeiger[AnaSlots];
    for (int s = 0; s < AnaSlots; ++s) {
      feld[s] = r.feld[s];
      zeiger[s] = &feld[s];
    }
    feld[r.zugFigur] = r.zugZiel;
    const uint8_t ep = EPNachZug(r.zugArt, r.zugZiel, seite);
    FigurenlisteZugliste liste;
    uint32_t schach = 0;
    const uint32_t n = FigurenlisteZuege(figuren, zeiger, ep, gegner, liste, schach);
    for (uint32_t m = 0; m < n; ++m) {
      const uint8_t flags = liste.flags[m];
      if (flags != ZugFlagRuhig && flags != ZugFlagDoppelschrittEP) continue;
      uint8_t key[8];
      for (int s = 0; s < AnaSlots; ++s) key[s] = static_cast<uint8_t>(feld[s]);
      key[liste.slot[m]] = liste.ziel[m];
      key[6] = EPNachZug(flags, liste.ziel[m], gegner);
      key[7] = r.amZug;
      const TBAnaEintrag* s = Finden(key, codes, leit, klasse);
      if (!s) continue;
      const auto si = static_cast<size_t>(s - db);
      if (!((r.wert != 0 || s->wert == 0) && s->stufe >= k)) continue;
      if (kettenende && (*kettenende)[si] == i) continue;
      r.stufe = static_cast<uint8_t>(k + 1);
      if (kettenende) {
        const int32_t ende = (*kettenende)[si];
        (*kettenende)[static_cast<size_t>(i)] = ende >= 0 ? ende : static_cast<int32_t>(si);
      }
      geaendert = true;
      break;
    }
  }
  return geaendert;
}

void Thread() {
  Job& j = VJob();
  j.laeuft.store(true, std::memory_order_release);
  const int32_t e = SpezDBVernetzen(j.pfad.c_str(), j.extra, j.schleifenTest, &j.stopp);
  j.ergebnis.store(e, std::memory_order_relaxed);
  j.laeuft.store(false, std::memory_order_release);
}

}  // namespace

void SpezDBNormieren(uint8_t key[8], int32_t leit, int32_t klasse) {
  if (leit < 0 || leit >= AnaSlots) return;
  auto Alle = [&](auto f) {
    for (int k = leit; k < AnaSlots; ++k) key[k] = static_cast<uint8_t>(f(key[k]));
  };
  if (klasse == 1) {
    if (Linie(key[leit]) >= 4) {
      Alle([](int s) { return s ^ 7; });
      if (key[6] != KeinEP) key[6] ^= 7;
    }
  } else if (klasse == 2) {
    if (Linie(key[leit]) >= 4) Alle([](int s) { return s ^ 7; });
    if (Reihe(key[leit]) >= 4) Alle([](int s) { return s ^ 56; });
    if (Reihe(key[leit]) > Linie(key[leit])) Alle([](int s) { return Diagonal(s); });
  }
}

int32_t SpezDBVernetzen(const char* pfad, int32_t extra, bool schleifenTest,
                        const std::atomic<bool>* stopp) {
  Job& j = VJob();
  auto Gestoppt = [stopp] { return stopp && stopp->load(std::memory_order_relaxed); };
  const int32_t geladen = SpezDBLaden(pfad);
  if (geladen != SpezDBOk) return geladen;
  int32_t codes[AnaSlots];
  std::memcpy(codes, SpezDBFigurcodes(), sizeof codes);
  int32_t leit = 0;
  int32_t klasse = 2;
  for (int k = 0; k < AnaSlots; ++k) {
    if (codes[k] == 6) leit = k;
    if (codes[k] == 1 || codes[k] == -1) klasse = 1;
  }
  const int32_t anzahl = SpezDBAnzahl();
  TBAnaEintrag* db = SpezDBEintraege();

  PosIndexKeysInit();
  const int32_t a = PosIndexAllok(anzahl, extra);
  if (a != PosIndexOk) {
    PosIndexFrei();
    SpezDBSchliessen();
    return a - 5;
  }
  for (int32_t i = 0; i < anzahl; ++i) PosIndexEinfuegen(&db[i]);
  const PosIndexGroessen g = PosIndexInfo();
  char text[48];
  std::snprintf(text, sizeof text, "%i %i %i", g.bits, g.slots, g.ueberlauf);
  LogZeile(text);

  std::vector<int32_t> kettenende;
  if (schleifenTest) {
    try {
      kettenende.assign(static_cast<size_t>(anzahl), -1);
    } catch (const std::exception&) {
      PosIndexFrei();
      SpezDBSchliessen();
      return SpezDBKeinSpeicherLaden;
    }
  }
  bool geaendert = true;
  for (int32_t k = 1; geaendert && k < LetzterDurchlauf; ++k) {
    j.durchlauf.store(k, std::memory_order_relaxed);
    geaendert = Durchlauf(k, db, anzahl, codes, leit, klasse, schleifenTest ? &kettenende : nullptr,
                          j, Gestoppt);
    if (Gestoppt()) break;
  }
  PosIndexFrei();
  if (Gestoppt()) {
    SpezDBSchliessen();
    return VernetzungGestoppt;
  }
  const int32_t geschrieben = SpezDBSchreiben(pfad);
  // The run ends with no database held, written or not.
  SpezDBSchliessen();
  return geschrieben;
}

int32_t VernetzungStarten(const char* pfad, int32_t extra, int32_t schleifenFlag) {
  Job& j = VJob();
  std::lock_guard lock(j.sperre);
  if (j.laeuft.load(std::memory_order_acquire)) return VernetzungKeinThread;
  if (j.thread.joinable()) j.thread.join();
  j.stopp.store(false, std::memory_order_relaxed);
  j.durchlauf.store(0, std::memory_order_relaxed);
  j.eintrag.store(0, std::memory_order_relaxed);
  j.gestartet.store(true, std::memory_order_relaxed);
  if (!pfad || !*pfad || std::strlen(pfad) > VernetzungPfadMax) {
    j.ergebnis.store(SpezDBDateiFehler, std::memory_order_relaxed);
    return SpezDBDateiFehler;
  }
  j.pfad = pfad;
  j.extra = extra;
  j.schleifenTest = schleifenFlag == 1;
  j.ergebnis.store(0, std::memory_order_relaxed);
  j.laeuft.store(true, std::memory_order_release);
  try {
    j.thread = std::thread(Thread);
  } catch (const std::system_error&) {
    j.ergebnis.store(VernetzungKeinThread, std::memory_order_relaxed);
    j.laeuft.store(false, std::memory_order_release);
    return VernetzungKeinThread;
  }
  return 0;
}

void VernetzungStoppen() { VJob().stopp.store(true, std::memory_order_relaxed); }

void VernetzungBeenden() {
  Job& j = VJob();
  std::lock_guard lock(j.sperre);
  if (!j.thread.joinable()) return;
  j.stopp.store(true, std::memory_order_relaxed);
  j.thread.join();
}

bool VernetzungLaeuft() { return VJob().laeuft.load(std::memory_order_acquire); }

int64_t VernetzungStatus() {
  Job& j = VJob();
  if (j.laeuft.load(std::memory_order_acquire))
    return (int64_t{j.durchlauf.load(std::memory_order_relaxed)} << 32) +
           j.eintrag.load(std::memory_order_relaxed);
  if (!j.gestartet.load(std::memory_order_relaxed)) return -1;
  return j.ergebnis.load(std::memory_order_relaxed) != 0 ? -2 : -1;
}

int32_t VernetzungErgebnis() { return VJob().ergebnis.load(std::memory_order_relaxed); }

}  // namespace galdrik

GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_VernetzungStart(const char* pfad, int32_t extra,
                                                       int32_t schleifenTest) {
  return galdrik::VernetzungStarten(pfad, extra, schleifenTest);
}

GALDRIK_EXPORT void DLL_TBAnaSpezDB_VernetzungStopp() { galdrik::VernetzungStoppen(); }

GALDRIK_EXPORT int64_t DLL_TBAnaSpezDB_VernetzungStatus() { return galdrik::VernetzungStatus(); }
