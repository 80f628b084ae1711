// The engine-side tablebase services and their exports.
#include "tablebase/tbdienste.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "core/log.h"
#include "core/tbhook.h"
#include "interface/config.h"
#include "interface/enginestate.h"
#include "interface/export.h"
#include "interface/jobs.h"
#include "tablebase/cache.h"
#include "tablebase/managertabellen.h"
#include "tablebase/probe.h"
#include "tablebase/registration.h"
#include "tablebase/tbinit.h"

namespace galdrik {

namespace {

constexpr size_t ListeHoechstens = 10239;
constexpr size_t MinimalerCache = 1048576;

// Unloading the library gives the buffer back, once no job can probe into it.
struct CachePuffer {
  void* puffer = nullptr;
  uint32_t groesse = 0;
  ~CachePuffer() {
    JobsBeenden();
    TbCacheSet(nullptr, 0);
    std::free(puffer);
  }
};

void KeinJob() {}

CachePuffer& Puffer() {
  // The job list must outlive the buffer, whose destructor stops the jobs:
  // a registration builds the list first, so it is destroyed after.
  JobBeendenAnmelden(&KeinJob);
  static CachePuffer p;
  return p;
}

}  // namespace

std::string TBPfadlisteBereinigen(const char* liste) {
  if (!liste) return {};
  while (*liste == ';') ++liste;
  if (std::strlen(liste) > ListeHoechstens) return {};
  std::string s = liste;
  if (s.size() < 2) return {};
  for (size_t p; (p = s.find(";;")) != std::string::npos;) s.erase(p, 1);
  if (!s.empty() && s.back() == ';') s.pop_back();
  if (s.find_first_of("*?\"<>|") != std::string::npos) return {};
  return s;
}

int32_t TBInitialisieren(const char* liste, int32_t set) {
  if (set > 6) return 0;
  TBManagLogLesen(Konfiguration().md5LogPfad);
  TbCorruptFileCountReset();
  TBMetrikSetzen(0);
  TBProbeSucheSetzen(&TBProbeSuche);
  const std::string bereinigt = TBPfadlisteBereinigen(liste);
  const int32_t n = TbInitialise(bereinigt.c_str(), set);
  char zeile[64];
  if (n > 0) {
    std::snprintf(zeile, sizeof zeile, "EGTB(%i) initialisiert\n", set);
    LogZeile(zeile);
  } else {
    std::snprintf(zeile, sizeof zeile, "EGTB(%i) nicht initialisiert!\n", set);
    LogZeile(zeile);
    std::fputs("EGTB nicht initialisiert!\n", stdout);
  }
  return n;
}

int32_t TBCacheSetzen(int32_t groesse) {
  CachePuffer& p = Puffer();
  TbCacheSet(nullptr, 0);  // nothing may point into the buffer given back
  std::free(p.puffer);
  p.puffer = nullptr;
  p.groesse = 0;
  // A negative size would ask for gigabytes; it is refused like a size
  // that cannot be had.
  if (groesse >= 0) {
    const size_t bytes = size_t(uint32_t(groesse));
    void* b = bytes ? std::malloc(bytes) : nullptr;
    if (b || bytes == 0) {
      p.puffer = b;
      p.groesse = uint32_t(bytes);
      TbCacheSet(b, bytes);
      return 0;
    }
  }
  void* b = std::malloc(MinimalerCache);
  if (b) {
    p.puffer = b;
    p.groesse = MinimalerCache;
    TbCacheSet(b, MinimalerCache);
    return -1;
  }
  return -2;
}

}  // namespace galdrik

using namespace galdrik;

GALDRIK_EXPORT int32_t DLL_TBInit(const char* liste, int32_t set) {
  if (!liste) return 0;
  return TBInitialisieren(liste, set);
}

GALDRIK_EXPORT void DLL_TBMetrik(int32_t metrik) { TBMetrikSetzen(metrik); }

GALDRIK_EXPORT uint32_t DLL_TBError() { return TbCorruptFileCount(); }

GALDRIK_EXPORT int32_t DLL_TBCache(int32_t groesse) { return TBCacheSetzen(groesse); }

GALDRIK_EXPORT int32_t DLL_TBProbe(int32_t metrik) {
  if (metrik < 0 || metrik > 6) return TbKeinWert;
  return TBProbe(Engine().aktuelleStellung, metrik);
}

GALDRIK_EXPORT int32_t DLL_TBProbeReport(int32_t* metrik, int32_t* nurKoenige, int32_t* abgebrochen,
                                         int32_t* tabelle, int32_t* nichtRegistriert,
                                         int32_t* epFeld, int32_t* index) {
  const int32_t m = TBMetrikAktuell();
  if (metrik) *metrik = m;
  TBProbeBericht b;
  const TbValue v = TBProbeReport(Engine().aktuelleStellung, m, b);
  if (nurKoenige) *nurKoenige = b.nurKoenige;
  if (abgebrochen) *abgebrochen = b.zaehlungAbgebrochen;
  if (tabelle) *tabelle = b.tabelle;
  if (nichtRegistriert) *nichtRegistriert = b.nichtRegistriert;
  if (epFeld) *epFeld = b.epFeld;
  if (index) {
    const uint64_t i = uint64_t(b.index);
    index[0] = int32_t(uint32_t(i));
    index[1] = int32_t(uint32_t(i >> 32));
  }
  return v;
}
