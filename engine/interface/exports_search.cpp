// Search control: limits, start, poll, stop, and the search's output lines
// and statistics.
#include <cinttypes>
#include <cstdio>

#include "core/gegenfeld.h"
#include "core/search.h"
#include "core/suchstand.h"
#include "interface/config.h"
#include "interface/enginestate.h"
#include "interface/galdrik_exports.h"
#include "interface/jobs.h"

using namespace galdrik;

namespace {

char statistikZeilen[8][100];

float Prozent(uint64_t zaehler, uint64_t nenner) {
  return nenner == 0 ? 0.0f : static_cast<float>(zaehler) / static_cast<float>(nenner) * 100.0f;
}

}  // namespace

GALDRIK_EXPORT void DLL_SuchParam(int32_t tiefe, int32_t weich, int32_t hart) {
  SuchJob& job = SuchThreadJob();
  job.tiefe = tiefe;
  job.weichZeit = weich;
  job.hartZeit = hart;
}

GALDRIK_EXPORT int32_t DLL_SuchStart() { return SucheStarten(); }

GALDRIK_EXPORT int32_t DLL_SuchFertig() {
  return SuchThreadJob().laeuft.load(std::memory_order_acquire) != 1 ? 1 : 0;
}

// The polls read what the search has published, never the figures it is
// writing at that moment.
GALDRIK_EXPORT int32_t DLL_SuchStatus() {
  return static_cast<int32_t>(SuchstandVeroeffentlicht().lesen().statistik.iterationsTiefe &
                              0xFFFFFFFFu);
}

GALDRIK_EXPORT void DLL_SuchTermin() { Suche().abbruch = 1; }

GALDRIK_EXPORT int32_t DLL_SuchInfo1(int32_t index) {
  if (index < 0 || index >= 2 * MaxSuchPly) return 0;
  const SuchausgabeSatz satz = SuchausgabeVeroeffentlicht(index / 2 + 1).lesen();
  return AusgabeSchreiben(index % 2 == 0 ? satz.info : satz.zweiter);
}

GALDRIK_EXPORT void DLL_SuchInfo2() {
  const Suchstand stand = SuchstandVeroeffentlicht().lesen();
  const Suchstatistik& s = stand.statistik;
  const std::string* l = Konfiguration().statBez;
  auto z = [](uint64_t v) { return static_cast<int64_t>(v); };
  const uint64_t proben = s.hashErfolg + s.hashFehl;
  const uint64_t alle = s.knoten + s.ruheKnoten;
  std::snprintf(statistikZeilen[0], 100, "%s% 9" PRId64 ", %s% 9" PRId64 ", %s% 3.2f%%",
                l[0].c_str(), z(s.alphaCutoffs), l[1].c_str(), z(s.betaCutoffs), l[2].c_str(),
                static_cast<double>(Prozent(s.ersterZugCutoffs, s.betaCutoffs)));
  std::snprintf(statistikZeilen[1], 100, "%s% 9" PRId64 ", %s% 9" PRId64 ", %s% 3.2f%%",
                l[3].c_str(), z(s.futilityCutoffs), l[4].c_str(), z(s.nullzugSuchen), l[5].c_str(),
                static_cast<double>(Prozent(s.nullzugCutoffs, s.nullzugSuchen)));
  std::snprintf(statistikZeilen[2], 100, "%s%s% 9" PRId64 ", %s% 9" PRId64 ", %s% 3.2f%%",
                l[6].c_str(), l[7].c_str(), z(stand.hashGespeichert), l[8].c_str(), z(proben),
                l[9].c_str(), static_cast<double>(Prozent(s.hashErfolg, proben)));
  std::snprintf(statistikZeilen[3], 100,
                "%s%s% 3" PRId64 " ply, %s% 3" PRId64 " ply, %s% 3" PRId64 " ply", l[10].c_str(),
                l[11].c_str(), z(s.iterationsTiefe), l[12].c_str(), z(s.tiefsterPly), l[13].c_str(),
                z(s.tiefsterRuhePly));
  std::snprintf(statistikZeilen[4], 100, "%s% 9" PRId64, l[14].c_str(), z(GegenfeldSysteme()));
  std::snprintf(statistikZeilen[5], 100, "%s% 9" PRId64, l[19].c_str(), z(s.tbTreffer));
  std::snprintf(statistikZeilen[6], 100, "%s% 9" PRId64 ", %s% 3.2f%%", l[15].c_str(), z(alle),
                l[16].c_str(), static_cast<double>(Prozent(s.ruheKnoten, alle)));
  const uint64_t proSekunde = s.sekunden > 0 ? alle / static_cast<uint64_t>(s.sekunden) : alle;
  std::snprintf(statistikZeilen[7], 100, "%s% 9i sec, %s% 9i nod/sec", l[17].c_str(), s.sekunden,
                l[18].c_str(), static_cast<int32_t>(proSekunde & 0xFFFFFFFFu));
}

GALDRIK_EXPORT int32_t DLL_SuchInfo3(int32_t zeile) {
  if (zeile < 0 || zeile > 7) return 0;
  return AusgabeSchreiben(statistikZeilen[zeile]);
}

GALDRIK_EXPORT void DLL_GaldrikSet() { Engine().galdrikZugFlag = 1; }
