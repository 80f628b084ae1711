// The results of the last analysis run as the program reads them: counts,
// square diagrams, histograms, single records as positions or text, the
// extreme record, and the progress of a run that is still going.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <limits>

#include "analysis/tbana_exports.h"
#include "analysis/tbanajob.h"
#include "interface/enginestate.h"
#include "interface/records.h"

namespace galdrik {

std::string TBAnaStellungText(const TBAnaEintrag& r, const int32_t codes[AnaSlots]) {
  static constexpr char Buchstaben[] = "kqrbnp PNBRQK";
  std::string t;
  t.reserve(96);
  for (int reihe = 7; reihe >= 0; --reihe) {
    int leer = 0;
    for (int linie = 0; linie < 8; ++linie) {
      const int s = reihe * 8 + linie;
      char c = 0;
      for (int k = 0; k < AnaSlots && !c; ++k)
        if (codes[k] >= -6 && codes[k] <= 6 && codes[k] != 0 && r.feld[k] == s)
          c = Buchstaben[codes[k] + 6];
      if (!c) {
        ++leer;
        continue;
      }
      if (leer) t += static_cast<char>('0' + leer);
      leer = 0;
      t += c;
    }
    if (leer) t += static_cast<char>('0' + leer);
    if (reihe > 0) t += '/';
  }
  t += r.amZug == 1 ? " w" : " b";
  t += " - ";
  if (r.epFeld < 64) {
    t += static_cast<char>('a' + (r.epFeld & 7));
    t += static_cast<char>('1' + (r.epFeld >> 3));
    t += ' ';
  } else {
    t += "- ";
  }
  if (r.wert == 0)
    t += "draw;";
  else if (r.wert > 0)
    t += "dm " + std::to_string(32767 - r.wert) + ";";
  else
    t += "om " + std::to_string(r.wert + 32766) + ";";
  return t;
}

namespace {

// Results are read only between runs: while a run writes them a read would
// race with it.
bool Lesbar(const TBAnaZustand& z) { return !z.laeuft.load(std::memory_order_acquire); }

void LeereStellung(int32_t* feld) {
  std::fill(feld, feld + GUIStellungLaenge, 0);
  feld[GSAmZug] = 1;
  feld[GSEPFeld] = 255;
  feld[GSZugnummer] = 1;
}

void EintragAlsStellung(const TBAnaEintrag& r, const TBAnaZustand& z, int32_t* feld,
                        int32_t* wert) {
  feld[GSAmZug] = static_cast<int8_t>(r.amZug);
  feld[GSEPFeld] = static_cast<int8_t>(r.epFeld);
  if (wert) *wert = r.wert;
  for (int k = 0; k < AnaSlots; ++k)
    if (z.slotCodes[k] != 0 && r.feld[k] < 64) feld[r.feld[k]] = z.slotCodes[k];
}

const TBAnaEintrag* Eintrag(const TBAnaZustand& z, int32_t n) {
  if (!Lesbar(z) || !z.ergebnisse || n < 1 || static_cast<uint64_t>(n) > z.gespeichert)
    return nullptr;
  return &z.ergebnisse[n - 1];
}

uint32_t Farbe(double c1, double c2, double c3) {
  auto Kanal = [](double c) {
    const double t = std::trunc(c);
    return static_cast<uint32_t>(std::clamp(t, 0.0, 255.0));
  };
  return Kanal(c1) | Kanal(c2) << 8 | Kanal(c3) << 16;
}

}  // namespace

}  // namespace galdrik

using namespace galdrik;

GALDRIK_EXPORT int32_t DLL_TBAnaPrep() { return TBAnaPufferAnlegen(); }

GALDRIK_EXPORT int32_t DLL_TBAnaPost() {
  if (!Lesbar(TBAnaGlobal())) return -1;
  TBAnaPufferFreigeben();
  return 0;
}

GALDRIK_EXPORT int32_t DLL_TBAnaErgebnis(uint64_t* anzahl) {
  const TBAnaZustand& z = TBAnaGlobal();
  if (!Lesbar(z)) {
    if (anzahl) *anzahl = 0;
    return -1;
  }
  if (anzahl) *anzahl = z.ergebnisse ? z.gespeichert : 0;
  return z.ergebnis;
}

GALDRIK_EXPORT void DLL_TBAnaStatistik1(uint64_t* treffer, uint64_t* wGewonnen, uint64_t* wVerloren,
                                        uint64_t* wRemis, uint64_t* sVerloren, uint64_t* sGewonnen,
                                        uint64_t* sRemis, uint64_t* untersucht, double* sekunden,
                                        double* rate) {
  const TBAnaZustand& z = TBAnaGlobal();
  const bool ja = Lesbar(z);
  auto Setzen = [&](uint64_t* p, uint64_t v) {
    if (p) *p = ja ? v : 0;
  };
  Setzen(treffer, z.treffer.load(std::memory_order_relaxed));
  uint64_t* zaehler[6] = {wGewonnen, wVerloren, wRemis, sVerloren, sGewonnen, sRemis};
  for (int i = 0; i < 6; ++i) Setzen(zaehler[i], z.ergebnisZaehler[i]);
  Setzen(untersucht, z.untersucht.load(std::memory_order_relaxed));
  if (sekunden) *sekunden = ja ? z.sekunden : 0;
  if (rate) *rate = ja ? z.rate : 0;
}

GALDRIK_EXPORT void DLL_TBAnaStatistik2(int32_t* aus, int32_t filter, int32_t typ, int32_t skala,
                                        int32_t stil, int32_t art) {
  if (!aus) return;
  const TBAnaZustand& z = TBAnaGlobal();
  const bool ja = Lesbar(z);
  int64_t summe[64];
  bool leer[64];
  for (int s = 0; s < 64; ++s) {
    summe[s] = 0;
    leer[s] = true;
    for (int k = 0; k < AnaSlots && ja; ++k) {
      const int32_t c = z.slotCodes[k];
      const bool passt = (filter == 1 && c == typ) || (filter == 2 && c == -typ) ||
                         (filter == 3 && (c < 0 ? -c : c) == typ);
      if (!passt) continue;
      const int64_t a = z.statistik.a[k][s], b = z.statistik.b[k][s];
      if (art == 0)
        summe[s] += a;
      else if (art == 1)
        summe[s] += a * 10000 / (b == 0 ? 1 : b);
      else if (art == 2)
        summe[s] += z.statistik.c[k][s];
      if (b > 0) leer[s] = false;
    }
  }
  double maximum = -1e12, minimum = 1e12;
  for (int s = 0; s < 64; ++s) {
    if (leer[s]) continue;
    maximum = std::max(maximum, static_cast<double>(summe[s]));
    minimum = std::min(minimum, static_cast<double>(summe[s]));
  }
  if (filter == 0 || typ == 0) {
    std::fill(summe, summe + 64, 0);
    maximum = 0;
  }
  if (minimum == maximum) minimum = 0;
  const double spanne = maximum - minimum;
  for (int s = 0; s < 64; ++s) {
    const uint64_t u = static_cast<uint64_t>(summe[s]);
    aus[2 * s] = static_cast<int32_t>(static_cast<uint32_t>(u));
    aus[2 * s + 1] = static_cast<int32_t>(static_cast<uint32_t>(u >> 32));
    uint32_t farbe = 0xFFFFFF;
    if (spanne > 0 && (skala == 0 || skala == 1) && !(summe[s] <= 0 && leer[s])) {
      const double d = static_cast<double>(summe[s]) - minimum;
      double t = d;
      if (skala == 1) t = d + 1 > 0 ? (spanne + 1) / std::log(spanne + 1) * std::log(d + 1) : 0;
      const double halb = spanne / 2, viertel = spanne / 4;
      if (stil == 0) {
        if (t >= halb)
          farbe = Farbe(255, 255 - (t - halb) * 255 / halb, 0);
        else if (t >= viertel)
          farbe = Farbe((t - viertel) * 255 / viertel, 255, 0);
        else
          farbe = Farbe(0, t * 255 / viertel, 255 - t * 255 / viertel);
      } else if (stil == 1) {
        const double g = 255 - t * 255 / spanne;
        farbe = Farbe(g, g, g);
      } else if (stil == 2) {
        const double g = ((s & 7) + (s >> 3)) % 2 ? 255 : 127;
        farbe = Farbe(g, g, g);
      }
    }
    const bool hell = (farbe & 0xFF) > 63 || (farbe >> 8 & 0xFF) > 63 || (farbe >> 16 & 0xFF) > 63;
    aus[128 + s] = static_cast<int32_t>(farbe);
    aus[192 + s] = hell ? 0 : 16777215;
  }
}

GALDRIK_EXPORT int64_t DLL_TBAnaStatistik3(int32_t h, int32_t i) {
  const TBAnaZustand& z = TBAnaGlobal();
  if (!Lesbar(z)) return 0;
  if (h == 1 && i >= 0 && i <= 510) return static_cast<int64_t>(z.statistik.h1[i + 1]);
  if (h == 0 && i >= 0 && i <= 511) return static_cast<int64_t>(z.statistik.h0[i]);
  if (i == -1) return static_cast<int64_t>(z.statistik.h1[0]);
  return 0;
}

GALDRIK_EXPORT void DLL_TBAnaStatistik4(int64_t* summe1, int64_t* anzahl1, int32_t* min1,
                                        int32_t* max1, int64_t* summe0, int64_t* anzahl0,
                                        int32_t* min0, int32_t* max0) {
  const TBAnaZustand& z = TBAnaGlobal();
  const bool ja = Lesbar(z);
  auto Auswerten = [&](const uint64_t* h, int erstes, int versatz, int64_t* summe, int64_t* anzahl,
                       int32_t* mi, int32_t* ma) {
    int64_t s = 0, n = 0;
    int32_t kleinste = 512, groesste = 0;
    for (int k = erstes; k < HistogrammLaenge && ja; ++k) {
      if (!h[k]) continue;
      const int32_t d = k - versatz;
      n += static_cast<int64_t>(h[k]);
      s += static_cast<int64_t>(h[k]) * d;
      kleinste = std::min(kleinste, d);
      groesste = std::max(groesste, d);
    }
    if (summe) *summe = s;
    if (anzahl) *anzahl = n;
    if (mi) *mi = kleinste;
    if (ma) *ma = groesste;
  };
  Auswerten(z.statistik.h1, 1, 1, summe1, anzahl1, min1, max1);
  Auswerten(z.statistik.h0, 0, 0, summe0, anzahl0, min0, max0);
}

GALDRIK_EXPORT void DLL_TBAnaStatistik5(uint64_t* dame, uint64_t* turm, uint64_t* laeufer,
                                        uint64_t* springer) {
  const TBAnaZustand& z = TBAnaGlobal();
  const bool ja = Lesbar(z);
  uint64_t* aus[4] = {springer, laeufer, turm, dame};
  for (int b = 0; b < 4; ++b)
    if (aus[b]) *aus[b] = ja ? z.loesungsZaehler[b] : 0;
}

GALDRIK_EXPORT void DLL_TBAnaGetPos(int32_t* feld, int32_t n, int32_t* wert) {
  if (wert) *wert = 32767;
  if (!feld) return;
  LeereStellung(feld);
  const TBAnaZustand& z = TBAnaGlobal();
  if (const TBAnaEintrag* r = Eintrag(z, n)) EintragAlsStellung(*r, z, feld, wert);
}

GALDRIK_EXPORT int32_t DLL_TBAnaGetPosStr(int32_t n) {
  const TBAnaZustand& z = TBAnaGlobal();
  const TBAnaEintrag* r = Eintrag(z, n);
  return AusgabeSchreiben(r ? TBAnaStellungText(*r, z.slotCodes) : std::string());
}

GALDRIK_EXPORT void DLL_TBAnaGetMatt(int32_t* feld, int32_t* wert) {
  if (wert) *wert = 32767;
  if (!feld) return;
  LeereStellung(feld);
  const TBAnaZustand& z = TBAnaGlobal();
  if (Lesbar(z)) EintragAlsStellung(z.extrem, z, feld, wert);
}

GALDRIK_EXPORT int32_t DLL_TBAnaGetMattStr() {
  const TBAnaZustand& z = TBAnaGlobal();
  return AusgabeSchreiben(Lesbar(z) ? TBAnaStellungText(z.extrem, z.slotCodes) : std::string());
}

GALDRIK_EXPORT int32_t DLL_TBAnaFortschritt() {
  const TBAnaZustand& z = TBAnaGlobal();
  const int32_t l0 = z.schleifenGrenze[0].load(std::memory_order_relaxed);
  const int32_t l1 = z.schleifenGrenze[1].load(std::memory_order_relaxed);
  const int32_t l2 = z.schleifenGrenze[2].load(std::memory_order_relaxed);
  const int32_t p = z.durchlaeufe.load(std::memory_order_relaxed);
  const int32_t nr = z.durchlaufNummer.load(std::memory_order_relaxed);
  if (l0 == 0 || l1 == 0 || l2 == 0 || p == 0) return 0;
  auto Zaehler = [&](int k) {
    const int32_t i = z.schleifenZaehler[k].load(std::memory_order_relaxed);
    return i == 0 ? 1 : i;
  };
  const int32_t q = (Zaehler(2) - 1) * 1000 / (l0 * l1 * l2) + (Zaehler(1) - 1) * 1000 / (l0 * l1) +
                    (Zaehler(0) - 1) * 1000 / l0;
  return std::min(q, 1000) / p + nr * 1000 / p;
}

GALDRIK_EXPORT int32_t DLL_TBAnaZeitPrognose() {
  const TBAnaZustand& z = TBAnaGlobal();
  const int64_t vergangen =
      static_cast<int64_t>(std::time(nullptr)) - z.startZeit.load(std::memory_order_relaxed);
  const int64_t l0 = z.schleifenGrenze[0].load(std::memory_order_relaxed);
  const int64_t l1 = z.schleifenGrenze[1].load(std::memory_order_relaxed);
  const int64_t l2 = z.schleifenGrenze[2].load(std::memory_order_relaxed);
  const int64_t p = z.durchlaeufe.load(std::memory_order_relaxed);
  const int64_t nr = z.durchlaufNummer.load(std::memory_order_relaxed);
  const int64_t i0 = z.schleifenZaehler[0].load(std::memory_order_relaxed);
  const int64_t i1 = z.schleifenZaehler[1].load(std::memory_order_relaxed);
  const int64_t i2 = z.schleifenZaehler[2].load(std::memory_order_relaxed);
  const int64_t gesamt = p * l0 * l1 * l2;
  int64_t fertig = nr * l0 * l1 * l2 + (i0 - 1) * l1 * l2 + (i1 - 1) * l2 + i2 - 1;
  if (fertig <= 0) fertig = 1;
  const int64_t rest = (gesamt - fertig) * vergangen / fertig;
  return static_cast<int32_t>(std::clamp<int64_t>(rest, 1, std::numeric_limits<int32_t>::max()));
}

GALDRIK_EXPORT void DLL_TBAnaZwischenergebnis(uint64_t* untersucht, uint64_t* treffer) {
  const TBAnaZustand& z = TBAnaGlobal();
  if (untersucht) *untersucht = z.untersucht.load(std::memory_order_relaxed);
  if (treffer) *treffer = z.treffer.load(std::memory_order_relaxed);
}
