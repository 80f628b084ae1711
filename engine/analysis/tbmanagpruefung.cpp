// The check of one tablebase file against the reference list and the
// integrity worker.
#include "analysis/tbmanagpruefung.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <system_error>
#include <vector>

#include "analysis/md5liste.h"
#include "analysis/tbmanager.h"
#include "analysis/tbmanagtabellen.h"
#include "core/md5datei.h"
#include "interface/jobs.h"
#include "tablebase/descriptor.h"

namespace galdrik {

namespace {

constexpr int32_t ProbeSeite(int32_t seite) { return seite == 1 ? 0 : 1; }

bool Symmetrisch(int32_t index) {
  int32_t symmetrisch = 0, bit16 = 0, geteilt = 0, e0 = 0, e1 = 0;
  uint64_t n0 = 0, n1 = 0;
  TbFileInfo(index, &symmetrisch, &bit16, &geteilt, &n0, &n1, &e0, &e1);
  return symmetrisch != 0;
}

// Whether the file could be read at all, without reading it.
bool DateiLesbar(const std::string& pfad) {
  std::FILE* f = std::fopen(pfad.c_str(), "rb");
  if (!f) return false;
  const bool ok = std::fgetc(f) != EOF || !std::ferror(f);
  std::fclose(f);
  return ok;
}

std::thread StandardFabrik(void (*arbeit)()) { return std::thread(arbeit); }

struct TBManagIntegerLauf {
  // Written by the start before the thread exists.
  int32_t argument = 0, seite = 0, slot = 0, modus = 0;
  std::atomic<int32_t> fortschritt{0};
  std::atomic<int32_t> wert{-3};
  std::atomic<uint8_t> laeuft{0};
  std::atomic<uint8_t> stopp{0};
  std::thread thread;
  TBManagThreadFabrik fabrik = StandardFabrik;

  // Stopped with the engine's other jobs; registered before the worker
  // exists, so the list of stop routines outlives it.
  TBManagIntegerLauf() { JobBeendenAnmelden(TBManagIntegerBeenden); }
  ~TBManagIntegerLauf() {
    JobBeendenAbmelden(TBManagIntegerBeenden);
    stopp.store(1, std::memory_order_release);
    if (thread.joinable()) thread.join();
  }
};

TBManagIntegerLauf& Lauf() {
  static TBManagIntegerLauf lauf;
  return lauf;
}

// Checks one file into the run's value; false once a stop was asked for.
bool PruefenUndWeiter(int32_t element, int32_t seite, int32_t slot) {
  TBManagIntegerLauf& l = Lauf();
  std::string name;
  l.wert.store(TBManagDateiPruefen(element, seite, slot, name), std::memory_order_relaxed);
  return l.stopp.load(std::memory_order_acquire) == 0;
}

void TBManagIntegerThread() {
  TBManagIntegerLauf& l = Lauf();
  l.fortschritt.store(0, std::memory_order_relaxed);
  if (l.modus == 1) {
    PruefenUndWeiter(l.argument, l.seite, l.slot);
  } else if (l.modus == 2) {
    const int32_t anzahl = std::min(l.argument, TBManagElementAnzahl());
    bool weiter = true;
    for (int32_t e = 0; e < anzahl && weiter; ++e) {
      for (int32_t s = 0; s < TBManagSlots && weiter; ++s) weiter = PruefenUndWeiter(e, 1, s);
      if (!weiter) break;
      l.fortschritt.store(2 * e + 1, std::memory_order_relaxed);
      // One file set serves both sides: its check already stands for side 0.
      if (Symmetrisch(TBManagElementLesen(e)->index)) continue;
      for (int32_t s = 0; s < TBManagSlots && weiter; ++s) weiter = PruefenUndWeiter(e, 0, s);
      if (!weiter) break;
      l.fortschritt.store(2 * e + 2, std::memory_order_relaxed);
    }
  }
  l.laeuft.store(0, std::memory_order_release);
}

}  // namespace

int32_t TBManagDateiPruefen(int32_t element, int32_t seite, int32_t slot, std::string& name) {
  name.clear();
  const TBManagElement* e = TBManagElementLesen(element);
  if (!e || (seite != 0 && seite != 1) || slot < 0 || slot >= TBManagSlots) return -3;
  const int32_t i = e->index;
  if (i < 1 || i >= TBManagIndexAnzahl) return -3;
  name = TBManagDateiname(i, seite, slot);
  if (name.empty()) return -2;

  int32_t r = 2;
  MD5Digest soll;
  if (!MD5ListeEintrag(MD5ListePfad(), MD5ListeEintragNr(i, seite, slot), soll)) {
    // Without a list nothing can be compared, so the file is not hashed;
    // only a file that cannot be read at all still counts as missing.
    if (!DateiLesbar(name)) return -2;
    r = -1;
  } else if (soll != MD5KeinDigest) {
    MD5Digest ist;
    if (MD5Datei(name, ist) != 0) return -2;
    r = ist == soll ? 1 : 0;
  }

  const int32_t status = r == 1   ? TBManagStatusIntakt
                         : r == 0 ? TBManagStatusFehlerhaft
                                  : TBManagStatusUnklar;
  const uint32_t zeit = r == 1 ? static_cast<uint32_t>(std::time(nullptr)) : 0;
  const int32_t nr = i * TBManagSlots + slot;
  TBManagEintragSetzen(seite, nr, status, zeit);
  if (Symmetrisch(i)) TBManagEintragSetzen(1 - seite, nr, status, zeit);
  return r;
}

int32_t TBManagIntegerStart(int32_t element, int32_t seite, int32_t slot, int32_t modus) {
  TBManagIntegerLauf& l = Lauf();
  if (l.laeuft.load(std::memory_order_acquire) == 1) return -1;
  if (l.thread.joinable()) l.thread.join();
  l.argument = element;
  l.seite = seite;
  l.slot = slot;
  l.modus = modus;
  l.fortschritt.store(0, std::memory_order_relaxed);
  l.wert.store(-3, std::memory_order_relaxed);
  l.stopp.store(0, std::memory_order_relaxed);
  // Running before the thread exists, so a poll right after the start reads
  // the progress and not the idle -1.
  l.laeuft.store(1, std::memory_order_release);
  try {
    l.thread = l.fabrik(TBManagIntegerThread);
  } catch (const std::system_error&) {
    l.laeuft.store(0, std::memory_order_release);
    return -1;
  }
  return 0;
}

void TBManagIntegerStopp() { Lauf().stopp.store(1, std::memory_order_release); }

int32_t TBManagIntegerStatus() {
  const TBManagIntegerLauf& l = Lauf();
  return l.laeuft.load(std::memory_order_acquire) == 1
             ? l.fortschritt.load(std::memory_order_relaxed)
             : -1;
}

int32_t TBManagIntegerWert() { return Lauf().wert.load(std::memory_order_relaxed); }

void TBManagIntegerBeenden() {
  TBManagIntegerLauf& l = Lauf();
  l.stopp.store(1, std::memory_order_release);
  if (l.thread.joinable()) l.thread.join();
}

void TBManagThreadFabrikSetzen(TBManagThreadFabrik fabrik) {
  Lauf().fabrik = fabrik ? fabrik : StandardFabrik;
}

}  // namespace galdrik
