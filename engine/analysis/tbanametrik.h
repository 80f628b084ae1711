// Metric comparison (criterion 93) and strategy evaluation (criterion 94) of
// the tablebase analysis: their library-wide presets, the two tests and the
// per-move successor probe that the RFEP emulator shares.
#pragma once

#include <cstdint>

#include "analysis/figurenliste.h"
#include "analysis/tbanaschleife.h"
#include "analysis/tbzugang.h"
#include "interface/export.h"

namespace galdrik {

inline constexpr int32_t TBMetrikAnzahl = 7;  // 0 DTM .. 6 DTR

constexpr bool TBMetrikGueltig(int32_t m) { return m >= 0 && m < TBMetrikAnzahl; }

// Relations between two values' magnitudes; any other code asks nothing.
inline constexpr int32_t RelationGleich = 0;      // |A| = |B|
inline constexpr int32_t RelationHoechstens = 1;  // |A| <= |B|: A at least as deep
inline constexpr int32_t RelationKleiner = 2;     // |A| < |B|: A deeper

struct MetrikPreset {
  int32_t metrikA = 0, metrikB = 0, metrikC = 0, metrikD = 0;
  int32_t relationAB = 0, relationCD = 0;
};

// Strategy modes.
inline constexpr int32_t ModusMussScheitern = 1;
inline constexpr int32_t ModusKannGelingen = 2;

struct StrategiePreset {
  int32_t strategie1Metrik = 0, strategie1Wache = 0;
  int32_t strategie2Metrik = 0, strategie2Wache = 0;
  int32_t restMetrik = 0;
  int32_t strategie1Modus = 0, strategie2Modus = 0;
  int32_t restGrenze = 0;  // TbValue: a successor value v <= restGrenze is within the limit
};

// The presets a run reads. Setting one whose metric codes are not all 0..6
// is refused (false) and leaves the stored preset as it was: such a code
// would name a table outside the working records.
bool TBAnaMetrikPreset(const MetrikPreset& p);
bool TBAnaStrategiePreset(const StrategiePreset& p);
MetrikPreset TBAnaMetrikPresetHolen();
StrategiePreset TBAnaStrategiePresetHolen();

// Criterion 93: the position's entry (the file `seite` of its class, read
// from its two piece lists as the loop probed it) in the four metrics of the
// preset. Results must agree (a loss against a draw passes) and the
// relations hold on the magnitudes. A metric that has no value for the
// position (table not registered, unreadable) never passes.
bool TBAnaMetrikVergleich(const MetrikPreset& preset, int32_t arbeitsIndex, int32_t seite,
                          bool umgekehrt, const TbPieceList& weiss, const TbPieceList& schwarz,
                          int32_t ep, const TBZugang& tb);

// The value of the position p after move i of `liste` for the side then to
// move, in the metric of `arbeitsIndex` (only its metric counts; the class
// is p's, or found anew after a capture or promotion). TBKeinWert when p has
// none or the successor cannot be probed; a capture that leaves bare kings
// is a draw. Every probe adds 1 to `untersucht`. p's slots are not written.
int32_t TBAnaStrategieBewerten(const TBAnaPosition& p, int32_t arbeitsIndex,
                               const FigurenlisteZugliste& liste, uint32_t i, const TBZugang& tb,
                               uint64_t& untersucht);

// Criterion 94: every legal move of p valued in the preset's metrics; do
// the two strategies keep the win within the limit as their modes demand?
// False without a legal move or when any successor has no value.
bool TBAnaStrategieWahl(const StrategiePreset& preset, const TBAnaPosition& p, const TBZugang& tb,
                        uint64_t& untersucht);

}  // namespace galdrik

// The preset exports. Neither answers; presets with a metric code outside
// 0..6 are refused and the earlier preset stays.
GALDRIK_EXPORT void DLL_TBAnaMetrikPreset(int32_t a, int32_t b, int32_t c, int32_t d,
                                          int32_t relationAB, int32_t relationCD);
GALDRIK_EXPORT void DLL_TBAnaStrategiePreset(int32_t strategie1Metrik, int32_t strategie1Wache,
                                             int32_t strategie2Metrik, int32_t strategie2Wache,
                                             int32_t restMetrik, int32_t strategie1Modus,
                                             int32_t strategie2Modus, int32_t restGrenze);
