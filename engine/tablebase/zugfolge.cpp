// The move-sequence search: root analysis of a position with its pass
// probe, root values and optimal marks, then the optimal line with its NAG
// codes, variation counts and stalemate traps.
#include "tablebase/zugfolge.h"

#include <cstdlib>
#include <cstring>

#include "core/eval.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "tablebase/probe.h"
#include "tablebase/zugvorschlag.h"

namespace galdrik {
namespace {

std::atomic<int32_t> fortschritt{0};
std::atomic<uint8_t> abbruch{0};
Zug strategieLinie[ZugfolgeMaxLinie];

// Without the special database no strategy line exists: the progress stays
// 0, so the defending side plays tablebase moves from the first step on.
uint8_t KeineStrategie(Stellung, int32_t, int32_t tiefe, Zug& zug, int32_t& a, int32_t& b) {
  if (tiefe == 0) fortschritt.store(0, std::memory_order_relaxed);
  zug = KeinZug;
  a = b = 0;
  return 0;
}

std::atomic<TBStrategieZugFn> strategie{&KeineStrategie};

int8_t Low8(int32_t x) { return int8_t(uint8_t(uint32_t(x) & 0xFF)); }

// A root value from the opponent's value after the move: d + 1 when the
// opponent is lost in d, -d when it wins in d, 0 drawn, -32768 no value.
int32_t WurzelWert(TbValue w) {
  if (w == TbKeinWert) return -32768;
  if (w == 0) return 0;
  return w < 0 ? w + 32767 : w - 32767;
}

bool GleicherZugVoll(const Zug& a, const Zug& b) {
  return a.von == b.von && a.nach == b.nach && a.zugart == b.zugart;
}

void Wurzelanalyse(const Stellung& st, TBZugfolgeErgebnis& r, bool umwandlungen, bool bauernzuege,
                   int32_t fuenfzig, int32_t metrik) {
  r.linienLaenge = 0;
  r.kritisch = 0;
  r.tempo = 0;
  r.einzigeFolge = 0;
  r.optimalModus = 0;
  r.stellung = st;
  std::memset(r.optimal, 0, sizeof r.optimal);

  const TbValue v = TBProbe(st, metrik);
  r.distanz = -32768;
  Zugliste liste;
  ZugGenerator(st, GenAlleZuege, liste);
  TBZuegeSortieren(st, liste.zuege, liste.anzahl);
  r.wurzelAnzahl = liste.anzahl;
  for (int i = 0; i < liste.anzahl; ++i) r.wurzelZuege[i] = liste.zuege[i];
  if (v == TbKeinWert) {
    r.ergebnis = 2;
    return;
  }

  bool mitPass = !AmZugImSchach(st);
  TbValue u = 0;
  if (mitPass) {
    Stellung pass = st;
    pass.amZug = st.amZug == Weiss ? Schwarz : Weiss;
    pass.epFeld = KeinEPFeld;
    u = TBProbe(pass, metrik);
  }

  TbValue w[MaxZuege];
  for (int i = 0; i < liste.anzahl; ++i) {
    w[i] = TBWertNachZug(st, liste.zuege[i], metrik);
    r.wurzelWerte[i] = WurzelWert(w[i]);
  }
  auto markierbar = [&](int i) {
    const Zug& z = liste.zuege[i];
    return (umwandlungen && IstUmwandlungszug(z)) || (bauernzuege && IstBauernzug(z));
  };

  const int8_t weissGewinnt = 1, schwarzGewinnt = -1;
  if (v == 0) {
    r.ergebnis = 0;
    r.distanz = 0;
    if (mitPass && u != 0 && u != TbKeinWert) r.kritisch = u < 0 ? 5 : 1;
    for (int i = 0; i < liste.anzahl; ++i) {
      if (fuenfzig > 0 && r.wurzelWerte[i] != -32768 &&
          fuenfzig < st.halbzuege / 2 + 1 + r.wurzelWerte[i])
        r.wurzelWerte[i] = 0;
    }
    return;
  }
  if (v < 0) {
    r.ergebnis = st.amZug == Weiss ? schwarzGewinnt : weissGewinnt;
    r.distanz = -32766 - v;
    if (mitPass) {
      if (u == 0) {
        r.kritisch = 5;
        r.tempo = Low8(v - 1);
      } else if (u < 0) {
        r.kritisch = 6;
        r.tempo = Low8(u + v - 1);
      } else {
        r.tempo = Low8(u + v - 1);
        if (u != v && u + v < 1) r.kritisch = 4;
      }
    }
    // Moves without a value are never marked, nor do they set the bound:
    // an unknown move is no longest defence.
    bool markiert = false;
    for (int i = 0; i < liste.anzahl; ++i) {
      r.optimal[i] = markierbar(i) && w[i] > 0 && w[i] != TbKeinWert;
      markiert |= r.optimal[i] != 0;
    }
    r.optimalModus = markiert ? 1 : 0;
    int32_t m = 32767;
    for (int i = 0; i < liste.anzahl; ++i)
      if (!r.optimal[i] && w[i] != TbKeinWert && r.wurzelWerte[i] < m) m = r.wurzelWerte[i];
    for (int i = 0; i < liste.anzahl; ++i) {
      r.optimal[i] = !r.optimal[i] && w[i] != TbKeinWert;
      if (r.optimal[i] && r.wurzelWerte[i] > m) r.optimal[i] = 0;
    }
    return;
  }
  r.ergebnis = st.amZug == Weiss ? weissGewinnt : schwarzGewinnt;
  r.distanz = 32767 - v;
  if (mitPass) {
    if (u == 0) {
      r.kritisch = 1;
      r.tempo = Low8(1 - v);
    } else if (u > 0 && u != TbKeinWert) {
      r.kritisch = 2;
      r.tempo = Low8(1 - u - v);
    } else {
      r.tempo = Low8(1 - u - v);
      if (u != v && u + v < 1) r.kritisch = 4;
    }
  }
  bool markiert = false;
  int32_t m = 32767;
  for (int i = 0; i < liste.anzahl; ++i) {
    r.optimal[i] = markierbar(i) && w[i] < 0;
    if (r.optimal[i]) {
      markiert = true;
      if (r.wurzelWerte[i] < m) m = r.wurzelWerte[i];
    }
  }
  r.optimalModus = markiert ? 1 : 0;
  for (int i = 0; i < liste.anzahl; ++i)
    if (r.optimal[i] && r.wurzelWerte[i] > m) r.optimal[i] = 0;
}

// What the probes of every legal move of a line position say.
struct Zugbild {
  TbValue kleinster = TbKeinWert;
  int kleinsterZug = -1;
  int gleichKleinste = 0;
  int verlierend = 0, gewinnend = 0, remis = 0;
  bool keinWert = false;
  int32_t varianten = -1;
};

Zugbild ZuegeBetrachten(const Stellung& st, const Zugliste& liste, int32_t metrik, TbValue w,
                        bool zaehlen, int32_t tol) {
  Zugbild b;
  for (int j = 0; j < liste.anzahl; ++j) {
    const TbValue wj = TBWertNachZug(st, liste.zuege[j], metrik);
    if (wj < b.kleinster) {
      b.kleinster = wj;
      b.kleinsterZug = j;
      b.gleichKleinste = 1;
    } else if (wj == b.kleinster) {
      ++b.gleichKleinste;
    }
    if (wj == TbKeinWert)
      b.keinWert = true;
    else if (wj > 0)
      ++b.verlierend;
    else if (wj < 0)
      ++b.gewinnend;
    else
      ++b.remis;
    if (zaehlen && std::abs(wj - w) < tol) ++b.varianten;
  }
  return b;
}

int32_t Toleranz(TbValue w, int32_t minTol, int32_t maxTol, float faktor, float offset) {
  const int32_t d = w > 0 ? 32767 - w : -32766 - w;
  const float t = float(d) * faktor + offset;
  int32_t tol = int32_t(t);
  if (tol >= maxTol) tol = maxTol;
  if (tol <= minTol) tol = minTol;
  return tol;
}

}  // namespace

std::atomic<int32_t>& TBZugfolgeFortschritt() { return fortschritt; }
std::atomic<uint8_t>& TBZugfolgeAbbruch() { return abbruch; }
Zug* TBStrategieLinie() { return strategieLinie; }

void TBStrategieSetzen(TBStrategieZugFn fn) { strategie.store(fn ? fn : &KeineStrategie); }

bool GegnerImSchach(const Stellung& st) {
  const bool weiss = st.amZug == Weiss;
  return FeldAngegriffen(st, weiss ? st.koenigS : st.koenigW, weiss ? 0 : 1);
}

bool AmZugImSchach(const Stellung& st) {
  const bool weiss = st.amZug == Weiss;
  return FeldAngegriffen(st, weiss ? st.koenigW : st.koenigS, weiss ? 1 : 0);
}

void TBZugfolgeSuchen(Stellung st, uint8_t strategieAus, int32_t optionen, TBZugfolgeErgebnis& r,
                      uint8_t mitLinie, uint8_t umwandlungen, uint8_t bauernzuege, int32_t fuenfzig,
                      int32_t minToleranz, int32_t maxToleranz, float faktor, float offset) {
  const int32_t metrik = TBMetrikAktuell();
  Wurzelanalyse(st, r, umwandlungen != 0, bauernzuege != 0, fuenfzig, metrik);
  if (r.ergebnis == 2 || !mitLinie) {
    r.linienLaenge = 0;
    return;
  }

  Stellung akt = st;
  fortschritt.store(0, std::memory_order_relaxed);
  bool strategieModus = strategieAus == 0;
  if (strategieModus) {
    Zug z{};
    int32_t a = 0, b = 0;
    r.einzigeFolge = int8_t(strategie.load()(st, r.distanz >= 0 ? 1 : 0, 0, z, a, b));
  }

  Zugliste liste;
  for (int k = 0; k < ZugfolgeMaxLinie; ++k) {
    const TbValue v = TBProbe(akt, metrik);
    ZugGenerator(akt, GenAlleZuege, liste);
    if (liste.anzahl == 0) break;

    Zug zug{};
    int32_t code = 0;
    bool abweichung = false;
    bool einzigBester = false, einzigGewinnRemis = false;
    Zugbild bild;
    const bool verteidigen = strategieModus && (v < 0 || (v == 0 && akt.amZug != st.amZug));
    if (verteidigen) {
      TbValue w = TbKeinWert;
      bool strategieGespielt = false;
      if (k < fortschritt.load(std::memory_order_relaxed) - 1) {
        // A strategy move is played only where it is legal; off the
        // strategy path the tablebase move takes over.
        const Zug& s = strategieLinie[k];
        for (int j = 0; j < liste.anzahl; ++j)
          if (GleicherZugVoll(liste.zuege[j], s)) {
            zug = liste.zuege[j];
            strategieGespielt = true;
            break;
          }
        if (strategieGespielt) {
          w = TBWertNachZug(akt, zug, metrik);
          if (w != 1 - v && w != 0) abweichung = true;
        }
      }
      if (!strategieGespielt) {
        code = TBZugVorschlag(akt, zug, umwandlungen, bauernzuege, fuenfzig);
        w = IstKeinZug(zug) ? TbKeinWert : TBWertNachZug(akt, zug, metrik);
        strategieModus = false;
      }
      const int32_t tol = Toleranz(w, minToleranz, maxToleranz, faktor, offset);
      bild = ZuegeBetrachten(akt, liste, metrik, w, !abweichung, tol);
      if (bild.gleichKleinste == 1) {
        einzigBester =
            bild.kleinsterZug >= 0 && GleicherZugVoll(liste.zuege[bild.kleinsterZug], zug);
        einzigGewinnRemis = bild.gewinnend == 1 || (bild.gewinnend == 0 && bild.remis == 1);
      }
      if (IstKeinZug(zug)) break;
      if (abweichung) r.schrittDistanz[k] = -std::abs(bild.kleinster - w);
    } else {
      bild = ZuegeBetrachten(akt, liste, metrik, 0, false, 0);
      if (bild.gleichKleinste == 1) {
        einzigBester = true;
        einzigGewinnRemis = bild.gewinnend == 1 || (bild.gewinnend == 0 && bild.remis == 1);
      }
      code = TBZugVorschlag(akt, zug, umwandlungen, bauernzuege, fuenfzig);
      if (bild.kleinster == TbKeinWert || IstKeinZug(zug)) break;
    }

    r.linienLaenge = k + 1;
    r.linie[k] = zug;
    if (bild.keinWert) {
      r.nag[k] = NagOhneWert;
    } else if (abweichung) {
      r.nag[k] = NagStrategieAbweichung;
    } else {
      if (strategieModus && code == 0) {
        if (einzigGewinnRemis)
          code = VorschlagEinzigerGewinn;
        else if (einzigBester)
          code = VorschlagEinzigBester;
      }
      r.nag[k] = code;
    }
    if (!abweichung) r.schrittDistanz[k] = 0;
    r.schrittFlags[k] = (optionen & 8) && TBPattfallenTest(akt) ? 1 : 0;
    r.varianten[k] = bild.varianten;

    akt = ZugAusfuehren(akt, zug, 1);
    StellungBewerten(akt, 0);
    if (bild.keinWert) break;
    if (akt.remisMaterial && r.distanz == 0) break;
    akt.remisMaterial = 0;
  }
}

bool TBPattfallenTest(const Stellung& p) {
  const int32_t metrik = TBMetrikAktuell();
  if (GegnerImSchach(p)) return false;
  const TbValue v = TBProbe(p, metrik);
  if (v == TbKeinWert || v < 0) return false;

  Zugliste l1, l2, l3;
  ZugGenerator(p, GenAlleZuege, l1);
  for (int i = 0; i < l1.anzahl; ++i) {
    const Stellung p1 = ZugAusfuehren(p, l1.zuege[i], 1);
    if (GegnerImSchach(p1) || TBProbe(p1, metrik) != 0) continue;
    ZugGenerator(p1, GenAlleZuege, l2);
    if (l2.anzahl == 0) return true;
    int remisAntworten = 0, letzte = -1;
    for (int j = 0; j < l2.anzahl; ++j) {
      const Stellung p2 = ZugAusfuehren(p1, l2.zuege[j], 1);
      if (!GegnerImSchach(p2) && TBProbe(p2, metrik) == 0) {
        ++remisAntworten;
        letzte = j;
      }
    }
    if (remisAntworten != 1) continue;
    const Stellung p2 = ZugAusfuehren(p1, l2.zuege[letzte], 1);
    ZugGenerator(p2, GenAlleZuege, l3);
    for (int m = 0; m < l3.anzahl; ++m) {
      const Stellung p3 = ZugAusfuehren(p2, l3.zuege[m], 1);
      if (GegnerImSchach(p3) || TBProbe(p3, metrik) != 0) continue;
      Zugliste l4;
      ZugGenerator(p3, GenAlleZuege, l4);
      if (l4.anzahl == 0) return true;
    }
  }
  return false;
}

}  // namespace galdrik
