// The strategy search: a depth-first walk along the attacker's unique moves
// and all of the defender's result-keeping replies, with the deepest line
// it reached kept for the move-sequence search.
#include "analysis/strategiezug.h"

#include <algorithm>

#include "core/makemove.h"
#include "core/movegen.h"
#include "tablebase/probe.h"
#include "tablebase/zugfolge.h"

namespace galdrik {
namespace {

// The search's state besides the progress and the best line, which belong
// to the move-sequence job. One search runs at a time: the move-sequence
// job and the sequence texts never run together.
struct StrategieZustand {
  int32_t besterWert = TbKeinWert;
  Zug pfad[StrategieMaxTiefe + 1] = {};
  Stellung linie[StrategieMaxTiefe + 1] = {};
};

StrategieZustand& Zustand() {
  static StrategieZustand z;
  return z;
}

// The fields that make two line positions the same for the repetition test.
bool GleicheLinienstellung(const Stellung& a, const Stellung& b) {
  return a.weiss == b.weiss && a.bauern == b.bauern && a.springer == b.springer &&
         a.laeufer == b.laeufer && a.tuerme == b.tuerme && a.damen == b.damen &&
         a.koenigW == b.koenigW && a.koenigS == b.koenigS && a.epFeld == b.epFeld &&
         a.amZug == b.amZug;
}

int32_t Wert(const Stellung& st) { return TBProbe(st, TBMetrikAktuell()); }

int Vorzeichen(int32_t w) { return (w > 0) - (w < 0); }

int32_t Ende(Zug& zug, int32_t& wert, int32_t& einzig, int32_t w) {
  zug = KeinZug;
  wert = w;
  einzig = 0;
  return 0;
}

// The smallest value over the moves and whether one move alone reached it.
struct Kleinster {
  int32_t wert = 0;
  int index = -1;
  bool einzig = false;
  void pruefen(int32_t w, int i) {
    if (index < 0 || w < wert) {
      wert = w;
      index = i;
      einzig = true;
    } else if (w == wert) {
      einzig = false;
    }
  }
};

int32_t Angreifer(const Stellung& pos, const Zugliste& liste, int32_t tiefe, Zug& zug,
                  int32_t& wert, int32_t& einzig) {
  const int32_t metrik = TBMetrikAktuell();
  Kleinster k;
  int verlierend = 0, remis = 0;
  for (int i = 0; i < liste.anzahl; ++i) {
    const int32_t w = TBProbe(ZugAusfuehren(pos, liste.zuege[i], 0), metrik);
    if (w < 0) ++verlierend;
    if (w == 0) ++remis;
    k.pruefen(w, i);
  }
  zug = liste.zuege[k.index];
  wert = k.wert;
  einzig = k.einzig ? 1 : 0;
  Zustand().pfad[tiefe] = zug;
  if (!(verlierend == 1 || (verlierend == 0 && remis == 1))) return 0;
  Zug z{};
  int32_t w = 0, e = 0;
  return 1 + TBStrategieZug(ZugAusfuehren(pos, zug, 0), 0, tiefe + 1, z, w, e);
}

bool ErgebnisGehalten(int32_t v, int32_t w) {
  // A reply into a position without a value keeps no known result.
  if (w == TbKeinWert) return false;
  return (v > 0 && w < 0) || (v < 0 && w > 0) || (v == 0 && w == 0);
}

int32_t Verteidiger(const Stellung& pos, int32_t v, const Zugliste& liste, int32_t tiefe, Zug& zug,
                    int32_t& wert, int32_t& einzig) {
  const int32_t metrik = TBMetrikAktuell();
  StrategieZustand& s = Zustand();
  Kleinster k;
  int laengster = -1;
  int32_t laengsterL = 0, laengsterW = 0;
  for (int i = 0; i < liste.anzahl; ++i) {
    s.pfad[tiefe] = liste.zuege[i];
    const Stellung nach = ZugAusfuehren(pos, liste.zuege[i], 0);
    const int32_t w = TBProbe(nach, metrik);
    k.pruefen(w, i);
    int32_t L = 0;
    if (ErgebnisGehalten(v, w)) {
      Zug z{};
      int32_t wz = 0, e = 0;
      L = TBStrategieZug(nach, 1, tiefe + 1, z, wz, e);
    }
    if (laengster < 0 || L > laengsterL || (L == laengsterL && w < laengsterW)) {
      laengster = i;
      laengsterL = L;
      laengsterW = w;
    }
  }
  int gewaehlt = k.index;
  wert = k.wert;
  einzig = k.einzig ? 1 : 0;
  if (laengster != k.index && Vorzeichen(laengsterW) == Vorzeichen(k.wert)) {
    gewaehlt = laengster;
    wert = laengsterW;
    einzig = 0;
  }
  zug = liste.zuege[gewaehlt];
  s.pfad[tiefe] = zug;
  return laengsterL;
}

// The hook's form: the run as a byte.
uint8_t FuerZugfolge(Stellung st, int32_t seite, int32_t tiefe, Zug& zug, int32_t& a, int32_t& b) {
  return static_cast<uint8_t>(TBStrategieZug(st, seite, tiefe, zug, a, b));
}

// Installed when the library (or a program linking this module) loads; the
// hook's own stand-in is constant-initialised, so the order is safe.
const bool installiert = (TBStrategieInstallieren(), true);

}  // namespace

void TBStrategieInstallieren() { TBStrategieSetzen(&FuerZugfolge); }

int32_t TBStrategieBesterWert() { return Zustand().besterWert; }

int32_t TBStrategieZug(Stellung pos, int32_t modus, int32_t tiefe, Zug& zug, int32_t& wert,
                       int32_t& einzig) {
  (void)installiert;
  StrategieZustand& s = Zustand();
  std::atomic<int32_t>& tiefste = TBZugfolgeFortschritt();
  // The evaluation's material-draw flag would hide every move: the search
  // judges by the tables alone.
  pos.remisMaterial = 0;
  const int32_t v = Wert(pos);

  if (tiefe == 0) {
    tiefste.store(0, std::memory_order_relaxed);
    s.besterWert = v;
  } else if (tiefe > 0) {
    const int32_t bisher = tiefste.load(std::memory_order_relaxed);
    if (tiefe > bisher || (tiefe == bisher && ((modus == 1 && v < s.besterWert) ||
                                               (modus == 0 && v > s.besterWert)))) {
      tiefste.store(tiefe, std::memory_order_relaxed);
      s.besterWert = v;
      const int n = std::min(tiefe, StrategieMaxTiefe + 1);
      std::copy(s.pfad, s.pfad + n, TBStrategieLinie());
    }
  }
  if (tiefe < 0 || tiefe > StrategieMaxTiefe) return Ende(zug, wert, einzig, TbKeinWert);
  if (tiefe > 0 && TBZugfolgeAbbruch().load(std::memory_order_relaxed) != 0)
    return Ende(zug, wert, einzig, TbKeinWert);

  s.linie[tiefe] = pos;
  for (int d = 0; d < tiefe; ++d)
    if (GleicheLinienstellung(s.linie[d], pos)) return Ende(zug, wert, einzig, 0);

  Zugliste liste;
  ZugGenerator(pos, GenAlleZuege, liste);
  if (liste.anzahl == 0) return Ende(zug, wert, einzig, TbKeinWert);

  return modus == 1 ? Angreifer(pos, liste, tiefe, zug, wert, einzig)
                    : Verteidiger(pos, v, liste, tiefe, zug, wert, einzig);
}

}  // namespace galdrik
