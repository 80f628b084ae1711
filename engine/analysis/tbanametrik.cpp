// Criteria 93 and 94: one position's entry compared across metrics, and its
// successors valued in up to five metrics to test two move-choosing
// strategies against a move limit.
#include "analysis/tbanametrik.h"

#include <cstdlib>
#include <mutex>

#include "core/board.h"

namespace galdrik {

namespace {

// The presets are written by the program's thread and read by the analysis
// thread; a copy is taken whole under the lock, so a run never sees half of
// a preset.
struct Presets {
  std::mutex sperre;
  MetrikPreset metrik;
  StrategiePreset strategie;
};

Presets& PresetsGlobal() {
  static Presets p;
  return p;
}

bool Uebereinstimmung(int32_t a, int32_t b) {
  if (a > 0 && b <= 0) return false;
  if (a == 0 && b != 0) return false;
  if (a <= 0 && b > 0) return false;
  return true;
}

bool RelationGilt(int32_t relation, int32_t a, int32_t b) {
  const int32_t x = std::abs(a), y = std::abs(b);
  switch (relation) {
    case RelationGleich:
      return x == y;
    case RelationHoechstens:
      return x <= y;
    case RelationKleiner:
      return x < y;
    default:
      return true;
  }
}

// The slot of the man a capture by `slot` on `ziel` takes, -1 for none; an
// en-passant capture takes the pawn beyond the en-passant square.
int Geschlagen(const int8_t* codes, const int32_t* felder, int slot, int ziel, int32_t ep) {
  for (int k = 0; k < FigurenlisteSlots; ++k)
    if (k != slot && codes[k] != 0 && felder[k] == ziel) return k;
  if (ziel != ep || Betrag(codes[slot]) != Bauer) return -1;
  const int opfer = Reihe(ep) == 2 ? ep + 8 : ep - 8;
  for (int k = 0; k < FigurenlisteSlots; ++k)
    if (codes[k] == -codes[slot] && felder[k] == opfer) return k;
  return -1;
}

}  // namespace

bool TBAnaMetrikPreset(const MetrikPreset& p) {
  if (!TBMetrikGueltig(p.metrikA) || !TBMetrikGueltig(p.metrikB) || !TBMetrikGueltig(p.metrikC) ||
      !TBMetrikGueltig(p.metrikD))
    return false;
  Presets& g = PresetsGlobal();
  std::lock_guard lock(g.sperre);
  g.metrik = p;
  return true;
}

bool TBAnaStrategiePreset(const StrategiePreset& p) {
  if (!TBMetrikGueltig(p.strategie1Metrik) || !TBMetrikGueltig(p.strategie1Wache) ||
      !TBMetrikGueltig(p.strategie2Metrik) || !TBMetrikGueltig(p.strategie2Wache) ||
      !TBMetrikGueltig(p.restMetrik))
    return false;
  Presets& g = PresetsGlobal();
  std::lock_guard lock(g.sperre);
  g.strategie = p;
  return true;
}

MetrikPreset TBAnaMetrikPresetHolen() {
  Presets& g = PresetsGlobal();
  std::lock_guard lock(g.sperre);
  return g.metrik;
}

StrategiePreset TBAnaStrategiePresetHolen() {
  Presets& g = PresetsGlobal();
  std::lock_guard lock(g.sperre);
  return g.strategie;
}

bool TBAnaMetrikVergleich(const MetrikPreset& preset, int32_t arbeitsIndex, int32_t seite,
                          bool umgekehrt, const TbPieceList& weiss, const TbPieceList& schwarz,
                          int32_t ep, const TBZugang& tb) {
  const int32_t klasse = arbeitsIndex % TBTabellenJeMetrik;
  const int32_t metriken[4] = {preset.metrikA, preset.metrikB, preset.metrikC, preset.metrikD};
  int32_t w[4];
  for (int i = 0; i < 4; ++i) {
    if (!TBMetrikGueltig(metriken[i])) return false;
    // The index functions belong to the class, so the lists give the same
    // table index in every metric's file.
    w[i] = tb.WertAusListen(klasse + TBTabellenJeMetrik * metriken[i], seite, umgekehrt, weiss,
                            schwarz, ep);
    if (w[i] == TBKeinWert) return false;
  }
  return Uebereinstimmung(w[0], w[1]) && Uebereinstimmung(w[2], w[3]) &&
         RelationGilt(preset.relationAB, w[0], w[1]) && RelationGilt(preset.relationCD, w[2], w[3]);
}

int32_t TBAnaStrategieBewerten(const TBAnaPosition& p, int32_t arbeitsIndex,
                               const FigurenlisteZugliste& liste, uint32_t i, const TBZugang& tb,
                               uint64_t& untersucht) {
  if (p.wert == TBKeinWert || i >= liste.anzahl) return TBKeinWert;
  int8_t codes[FigurenlisteSlots];
  int32_t felder[FigurenlisteSlots];
  int32_t* zeiger[FigurenlisteSlots];
  int32_t zaehler[ZaehlerAnzahl];
  for (int k = 0; k < FigurenlisteSlots; ++k) {
    codes[k] = p.codes[k];
    felder[k] = codes[k] != 0 ? *p.felder[k] : 0;
    zeiger[k] = &felder[k];
  }
  for (int k = 0; k < ZaehlerAnzahl; ++k) zaehler[k] = p.zaehler[k];

  const bool weiss = p.amZug == 1;
  const int slot = liste.slot[i];
  const int ziel = liste.ziel[i];
  const uint8_t flag = liste.flags[i];
  if (slot >= FigurenlisteSlots || codes[slot] == 0) return TBKeinWert;
  int32_t index = arbeitsIndex;
  bool umgekehrt = p.umgekehrt;
  bool neueKlasse = false;
  int32_t ep = FigurenlisteKeinEP;
  if (flag == ZugFlagRuhig || flag == ZugFlagDoppelschrittEP) {
    felder[slot] = ziel;
    if (flag == ZugFlagDoppelschrittEP) ep = weiss ? ziel - 8 : ziel + 8;
  } else {
    if (flag & ZugFlagSchlag) {
      const int opfer = Geschlagen(codes, felder, slot, ziel, p.ep);
      if (opfer >= 0) {
        const int z = ZaehlerIndex(codes[opfer]);
        if (z >= 0) --zaehler[z];
        codes[opfer] = 0;
      }
    }
    felder[slot] = ziel;
    if (const int figur = UmwandlungsFigur(flag)) {
      const int vorher = ZaehlerIndex(codes[slot]);
      if (vorher >= 0) --zaehler[vorher];
      codes[slot] = static_cast<int8_t>(weiss ? figur : -figur);
      ++zaehler[ZaehlerIndex(codes[slot])];
    }
    bool nurKoenige = true;
    for (int32_t n : zaehler) nurKoenige = nurKoenige && n == 0;
    if (nurKoenige) return 0;
    const int32_t id = tb.KlasseSuchen(zaehler);
    if (id == 0) return TBKeinWert;
    umgekehrt = id < 0;
    neueKlasse = true;
    index =
        arbeitsIndex / TBTabellenJeMetrik * TBTabellenJeMetrik + std::abs(id) % TBTabellenJeMetrik;
  }
  const int32_t seite = NachfolgerSeite(p.amZug, umgekehrt);
  // The registration is asked for the file the successor is read from.
  if (neueKlasse && !tb.Registriert(index, seite)) return TBKeinWert;
  ++untersucht;
  return tb.Wert(index, seite, umgekehrt, codes, zeiger, ep);
}

bool TBAnaStrategieWahl(const StrategiePreset& s, const TBAnaPosition& p, const TBZugang& tb,
                        uint64_t& untersucht) {
  const int32_t metriken[5] = {s.strategie1Metrik, s.strategie1Wache, s.strategie2Metrik,
                               s.strategie2Wache, s.restMetrik};
  bool benutzt[TBMetrikAnzahl] = {};
  for (int32_t m : metriken) {
    if (!TBMetrikGueltig(m)) return false;
    benutzt[m] = true;
  }
  FigurenlisteZugliste liste;
  uint32_t schach = 0;
  const uint32_t n = FigurenlisteZuege(p.codes, p.felder, p.ep, p.amZug, liste, schach);
  if (n == 0) return false;

  static_assert(FigurenlisteMaxZuege == 256);
  int32_t wert[TBMetrikAnzahl][FigurenlisteMaxZuege];
  const int32_t klasse = p.arbeitsIndex % TBTabellenJeMetrik;
  for (uint32_t i = 0; i < n; ++i) {
    for (int32_t m = 0; m < TBMetrikAnzahl; ++m) {
      if (!benutzt[m]) continue;
      wert[m][i] =
          TBAnaStrategieBewerten(p, klasse + TBTabellenJeMetrik * m, liste, i, tb, untersucht);
      if (wert[m][i] == TBKeinWert) return false;
    }
  }

  // Successor values are the opponent's: the smallest is the mover's best.
  const int32_t grenze = s.restGrenze;
  auto Gelingt = [&](int32_t metrik, int32_t wache) {
    int32_t beste = TBKeinWert;
    for (uint32_t i = 0; i < n; ++i)
      if (wert[wache][i] <= grenze && wert[metrik][i] < beste) beste = wert[metrik][i];
    for (uint32_t i = 0; i < n; ++i)
      if (wert[metrik][i] == beste && wert[wache][i] <= grenze && wert[s.restMetrik][i] <= grenze)
        return true;
    return false;
  };
  auto Erfuellt = [](int32_t modus, bool gelingt) {
    if (modus == ModusMussScheitern) return !gelingt;
    if (modus == ModusKannGelingen) return gelingt;
    return true;
  };
  return Erfuellt(s.strategie1Modus, Gelingt(s.strategie1Metrik, s.strategie1Wache)) &&
         Erfuellt(s.strategie2Modus, Gelingt(s.strategie2Metrik, s.strategie2Wache));
}

bool TBAnaKriterien::MetrikVergleich(const TBAnaPosition& p) {
  if (!p.tb) return false;
  return TBAnaMetrikVergleich(TBAnaMetrikPresetHolen(), p.arbeitsIndex, p.probeSeite, p.umgekehrt,
                              *p.weiss, *p.schwarz, p.ep, *p.tb);
}

bool TBAnaKriterien::StrategieWahl(const TBAnaPosition& p) {
  if (!p.tb) return false;
  uint64_t probes = 0;
  const bool ja = TBAnaStrategieWahl(TBAnaStrategiePresetHolen(), p, *p.tb, probes);
  if (p.untersucht) *p.untersucht += probes;
  return ja;
}

}  // namespace galdrik

GALDRIK_EXPORT void DLL_TBAnaMetrikPreset(int32_t a, int32_t b, int32_t c, int32_t d,
                                          int32_t relationAB, int32_t relationCD) {
  galdrik::TBAnaMetrikPreset({a, b, c, d, relationAB, relationCD});
}

GALDRIK_EXPORT void DLL_TBAnaStrategiePreset(int32_t strategie1Metrik, int32_t strategie1Wache,
                                             int32_t strategie2Metrik, int32_t strategie2Wache,
                                             int32_t restMetrik, int32_t strategie1Modus,
                                             int32_t strategie2Modus, int32_t restGrenze) {
  galdrik::TBAnaStrategiePreset({strategie1Metrik, strategie1Wache, strategie2Metrik,
                                 strategie2Wache, restMetrik, strategie1Modus, strategie2Modus,
                                 restGrenze});
}
