// The analysis loop. Preparation turns the parameter block into six ordered
// slots with their square sets, offset tables, identical-piece links and
// mirror sets; six nested loops (one template level per slot) walk the sets
// by lowest bit; each placement passes the cheap contact test before any
// attack test, move generation or probe.
#include "analysis/tbanaschleife.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "analysis/figurenliste.h"
#include "analysis/spezdb.h"
#include "core/attacks.h"
#include "core/board.h"
#include "core/contactmasks.h"
#include "core/eval.h"
#include "core/makemove.h"
#include "core/movegen.h"

namespace galdrik {

namespace {

constexpr Bitboard Grundreihen = 0xFF000000000000FFULL;
constexpr Bitboard SymmetrieKoenigFelder = 0x0000000008040201ULL;  // a1 b2 c3 d4
constexpr uint32_t Letzter = ErgebnisPlaetze - 1;
constexpr std::memory_order Locker = std::memory_order_relaxed;

constexpr Bitboard Bit(int s) { return Bitboard{1} << s; }
constexpr int Gespiegelt(int s) { return (s & 7) * 8 + (s >> 3); }

int Art(int code) { return code < 0 ? -code : code; }

struct Lauf {
  Lauf(TBAnaZustand& zustand, const TBZugang& zugang, TBAnaKriterien* k)
      : z(zustand), tb(zugang), kriterien(k) {
    for (int s = 0; s < AnaSlots; ++s) zeiger[s] = &feld[s];
  }

  TBAnaZustand& z;
  const TBZugang& tb;
  TBAnaKriterien* kriterien;

  // The prepared class, in loop order.
  int8_t codes[AnaSlots] = {};
  Bitboard menge[AnaSlots] = {};
  int bezug[AnaSlots] = {};
  Bitboard erreichbar[AnaSlots][64] = {};
  bool folgt[AnaSlots] = {};                   // follows an identical piece in the slot before
  int8_t pruefungen[AnaSlots][AnaSlots] = {};  // offset tests due once slot k stands
  int pruefAnzahl[AnaSlots] = {};
  int32_t zaehler[ZaehlerAnzahl] = {};
  bool symmetrie = false;
  bool enPassant = false;
  int weissKoenig = 0, schwarzKoenig = 0;  // their slots
  int32_t amZug = 1;
  int32_t probeDatei = 0, andereDatei = 1;
  bool umgekehrt = false;
  int32_t arbeitsIndex = 0;
  int32_t kriterium = 0;
  uint8_t bedingung = 0;
  uint32_t schluessel = 0;
  int32_t distanzMin = 0, distanzMax = 0;

  // The placement being walked.
  int32_t feld[AnaSlots] = {};
  int32_t* zeiger[AnaSlots];
  // The two piece lists, each slot's square mirrored into its entry.
  TbPieceList weiss{}, schwarz{};
  int32_t* listenFeld[AnaSlots] = {};
  int32_t leer[AnaSlots] = {};
  Bitboard genommen[AnaSlots] = {};
  Bitboard ausgeschlossen[AnaSlots] = {};
  Bitboard belegt = 0;
  Bitboard angriff[2] = {0, 0};  // contact attacks, [1] White, [0] Black

  // Counts kept here and published at every poll and at the end.
  uint64_t untersucht = 0;
  uint64_t treffer = 0;

  void Veroeffentlichen() {
    z.untersucht.store(untersucht, Locker);
    z.treffer.store(treffer, Locker);
  }
};

Stellung StellungAusPlatzierung(const Lauf& l, int32_t e) {
  int32_t codes[AnaSlots];
  for (int k = 0; k < AnaSlots; ++k) codes[k] = l.codes[k];
  return TBAnaStellung(codes, l.feld, l.amZug, e);
}

TBAnaPosition PositionFuer(Lauf& l, int32_t e, int32_t v, const Loesungszug& loesung,
                           TbPieceList& weiss, TbPieceList& schwarz) {
  StueckListenBauen(l.codes, l.zeiger, weiss, schwarz);
  TBAnaPosition p{l.codes,      l.zeiger, e,         l.amZug,     v,
                  &weiss,       &schwarz, l.zaehler, l.umgekehrt, l.arbeitsIndex,
                  l.probeDatei, loesung};
  p.tb = &l.tb;
  p.untersucht = &l.untersucht;
  return p;
}

// Does the criterion select the position? For the criteria that hand their
// matches elsewhere the hand-over happens here and `aufzeichnen` turns false.
bool KriteriumPruefen(Lauf& l, int32_t e, int32_t v, const Loesungszug& loesung,
                      bool& aufzeichnen) {
  aufzeichnen = true;
  // The other side to move needs both kings free of contact and the side
  // now to move free of distant checks: otherwise its position is illegal.
  auto Gegenwert = [&]() -> int32_t {
    const int eigenerKoenig = l.amZug == 1 ? l.feld[l.weissKoenig] : l.feld[l.schwarzKoenig];
    if (l.angriff[l.amZug == 1 ? 0 : 1] & Bit(eigenerKoenig)) return TBKeinWert;
    if (FigurenlisteKoenigBedroht(l.codes, l.zeiger, FigurenlisteKeinEP, l.amZug == 1 ? 1 : 0))
      return TBKeinWert;
    return l.tb.WertAusListen(l.arbeitsIndex, l.andereDatei, l.umgekehrt, l.weiss, l.schwarz,
                              FigurenlisteKeinEP);
  };
  auto Zugzwang = [&](bool ganz) {
    if (ganz) {
      if (v >= 0) return false;
      const int32_t w = Gegenwert();
      return w != TBKeinWert && w < 0;
    }
    if (v > 0) return false;
    const int32_t w = Gegenwert();
    if (w == TBKeinWert) return false;
    return (v == 0 && w < 0) || (v < 0 && w == 0);
  };
  auto Hand = [&](auto&& aufruf) {
    TbPieceList weiss, schwarz;
    const TBAnaPosition p = PositionFuer(l, e, v, loesung, weiss, schwarz);
    return aufruf(p);
  };
  const bool weissAmZug = l.amZug == 1;
  switch (l.kriterium) {
    case KriteriumWeissGewinnt:
      return weissAmZug ? v > 0 : v < 0;
    case KriteriumSchwarzGewinnt:
      return weissAmZug ? v < 0 : v > 0;
    case KriteriumRemis:
      return v == 0;
    case KriteriumWeissGewinntFenster:
    case KriteriumSchwarzGewinntFenster: {
      if (v == 0) return false;
      const bool seite = (l.kriterium == KriteriumWeissGewinntFenster) == weissAmZug;
      const int32_t d = seite ? 32767 - v : v + 32766;
      return l.distanzMin <= d && d <= l.distanzMax;
    }
    case KriteriumZugHalberPunkt: {
      if (v < 0) return false;
      const int32_t w = Gegenwert();
      if (w == TBKeinWert) return false;
      return (v == 0 && w > 0) || (v > 0 && w == 0);
    }
    case KriteriumZugGanzerPunkt: {
      if (v <= 0) return false;
      const int32_t w = Gegenwert();
      return w != TBKeinWert && w > 0;
    }
    case KriteriumZugzwangHalberPunkt:
      return Zugzwang(false);
    case KriteriumZugzwangGanzerPunkt:
      return Zugzwang(true);
    case KriteriumAlleMitWert:
      return true;
    case KriteriumAlleZugzwaenge: {
      if (v > 0) return false;
      const int32_t w = Gegenwert();
      if (w == TBKeinWert) return false;
      return (v == 0 && w < 0) || (v < 0 && w == 0) || (v < 0 && w < 0);
    }
    case KriteriumSpezDBAlle:
    case KriteriumSpezDBGewinn:
    case KriteriumSpezDBRemis: {
      if (l.kriterium == KriteriumSpezDBGewinn && v <= 0) return false;
      if (l.kriterium == KriteriumSpezDBRemis && v != 0) return false;
      aufzeichnen = false;
      // The database's answer (-2 when full) does not stop the pass.
      if (l.kriterien)
        Hand([&](const TBAnaPosition& p) { return l.kriterien->SpezDBElementHinzu(p); });
      return true;
    }
    case KriteriumMetrikVergleich:
      return l.kriterien &&
             Hand([&](const TBAnaPosition& p) { return l.kriterien->MetrikVergleich(p); });
    case KriteriumStrategie:
      return l.kriterien &&
             Hand([&](const TBAnaPosition& p) { return l.kriterien->StrategieWahl(p); });
    case KriteriumRFEPMatrix:
      aufzeichnen = false;
      if (l.kriterien)
        Hand([&](const TBAnaPosition& p) {
          l.kriterien->RFEPStellungHinzu(p);
          return 0;
        });
      return true;
    case KriteriumZuggeneratorTest: {
      const Stellung st = StellungAusPlatzierung(l, e);
      Zugliste zl;
      ZugGenerator(st, GenAlleZuege, zl);
      FigurenlisteZugliste fl;
      uint32_t schach = 0;
      const uint32_t n = FigurenlisteZuege(l.codes, l.zeiger, e, l.amZug, fl, schach);
      return static_cast<uint32_t>(zl.anzahl) != n;
    }
    case KriteriumBewertungTest: {
      TbPieceList weiss, schwarz;
      StueckListenBauen(l.codes, l.zeiger, weiss, schwarz);
      int32_t wl[12], sl[12];
      for (int i = 0; i < 6; ++i) {
        wl[i] = weiss.kindStart[i];
        wl[6 + i] = weiss.squares[i];
        sl[i] = schwarz.kindStart[i];
        sl[6 + i] = schwarz.squares[i];
      }
      return BewertungTBVorbereiten(wl, sl, l.zeiger, e, l.amZug, v) == 1;
    }
    default:
      return false;
  }
}

void Aufzeichnen(Lauf& l, int32_t e, int32_t v, uint8_t flags) {
  TBAnaZustand& z = l.z;
  TBAnaEintrag r{};
  for (int k = 0; k < AnaSlots; ++k) r.feld[k] = static_cast<uint8_t>(l.feld[k]);
  r.epFeld = static_cast<uint8_t>(e);
  r.amZug = static_cast<uint8_t>(l.amZug == 1 ? 1 : 0);
  r.wert = v;
  if (z.ergebnisse) {
    z.ergebnisse[l.treffer < ErgebnisPlaetze ? l.treffer : Letzter] = r;
    if (z.gespeichert < ErgebnisPlaetze) ++z.gespeichert;
  }
  if (v > 0 && v < z.laengsterGewinn.wert) z.laengsterGewinn = r;
  if (v < 0 && v > z.laengsterVerlust.wert) z.laengsterVerlust = r;

  const int64_t weissSicht = l.amZug == 1 ? v : -v;
  for (int k = 0; k < AnaSlots; ++k) {
    ++z.statistik.a[k][l.feld[k]];
    z.statistik.c[k][l.feld[k]] += weissSicht;
  }
  uint64_t* h0 = z.statistik.h0;
  uint64_t* h1 = z.statistik.h1;
  if (v == 0) {
    ++h1[0];
  } else if (l.amZug == 1) {
    if (v >= 32257)
      ++h1[32768 - v];
    else if (v <= -32255)
      ++h0[v + 32766];
  } else {
    if (v >= 32256)
      ++h0[32767 - v];
    else if (v <= -32256)
      ++h1[v + 32767];
  }
  ++l.treffer;
  for (int b = 0; b < 4; ++b)
    if (flags & (16u << b)) ++z.loesungsZaehler[b];
}

// One position of the placement. False drops the placement, en-passant
// variants included.
bool PositionBehandeln(Lauf& l, int32_t e) {
  if (l.bedingung == BedingungNichtImSchach &&
      FigurenlisteKoenigBedroht(l.codes, l.zeiger, e, l.amZug == 1 ? 1 : 0))
    return false;
  if (l.bedingung == BedingungNichtImSchach || l.bedingung == BedingungNichtPatt) {
    FigurenlisteZugliste liste;
    uint32_t schach = 0;
    if (FigurenlisteZuege(l.codes, l.zeiger, e, l.amZug, liste, schach) == 0 && schach == 0)
      return false;
  }
  ++l.untersucht;
  const int32_t v =
      l.tb.WertAusListen(l.arbeitsIndex, l.probeDatei, l.umgekehrt, l.weiss, l.schwarz, e);
  if (v == TBKeinWert) return false;

  TBAnaZustand& z = l.z;
  if (l.amZug == 1)
    ++z.ergebnisZaehler[v > 0 ? WeissAmZugGewonnen : v < 0 ? WeissAmZugVerloren : WeissAmZugRemis];
  else
    ++z.ergebnisZaehler[v > 0   ? SchwarzAmZugGewonnen
                        : v < 0 ? SchwarzAmZugVerloren
                                : SchwarzAmZugRemis];
  for (int k = 0; k < AnaSlots; ++k) ++z.statistik.b[k][l.feld[k]];

  Loesungszug loesung;
  const bool loesungVerlangt =
      l.bedingung == BedingungEinzigerLoesungszug || l.bedingung == BedingungBestimmterLoesungszug;
  // The special database holds positions with a single best move only, and
  // stores that move, whatever the condition.
  if (loesungVerlangt || KriteriumSpezDB(l.kriterium)) {
    if (!TBAnaLoesungszugTest(l.codes, l.zeiger, e, l.amZug, v, l.zaehler, l.umgekehrt,
                              l.arbeitsIndex, loesungVerlangt ? l.schluessel : 0, l.tb,
                              l.untersucht, loesung))
      return false;
  }
  bool aufzeichnen = true;
  if (KriteriumPruefen(l, e, v, loesung, aufzeichnen)) {
    if (aufzeichnen)
      Aufzeichnen(l, e, v, loesung.flags);
    else
      ++l.treffer;
  }
  return true;
}

// The next en-passant square below `unter` that the side to move can take
// on, or 127. Taken from the highest down, so each is handled once.
int32_t NaechstesEP(const Lauf& l, int32_t unter) {
  const bool weiss = l.amZug == 1;
  Bitboard eigeneBauern = 0;
  for (int k = 0; k < AnaSlots; ++k)
    if (l.codes[k] == (weiss ? Bauer : -Bauer)) eigeneBauern |= Bit(l.feld[k]);
  int32_t bestes = FigurenlisteKeinEP;
  for (int k = 0; k < AnaSlots; ++k) {
    if (l.codes[k] != (weiss ? -Bauer : Bauer)) continue;
    const int s = l.feld[k];
    if (Reihe(s) != (weiss ? 4 : 3)) continue;
    const int e = weiss ? s + 8 : s - 8;
    const int hinter = weiss ? e + 8 : e - 8;
    if (e >= unter || (bestes != FigurenlisteKeinEP && e <= bestes)) continue;
    if (l.belegt & (Bit(e) | Bit(hinter))) continue;
    const Bitboard angreifer = weiss ? BauerAngriffSchwarz[e] : BauerAngriffWeiss[e];
    if (angreifer & eigeneBauern) bestes = e;
  }
  return bestes;
}

// With the White king on the a1-h8 diagonal a placement and its mirror image
// give the same values; the one that comes first in the walk stands for
// both. Mirrored identical men are sorted again, so a mirrored pair of them
// is recognised too; a mirror image outside the sets is never walked, and
// the placement then stands for itself.
bool Vertreter(const Lauf& l) {
  int32_t m[AnaSlots];
  for (int k = 0; k < AnaSlots; ++k) m[k] = l.codes[k] != 0 ? Gespiegelt(l.feld[k]) : l.feld[k];
  for (int k = 1; k < AnaSlots; ++k)
    for (int j = k; j > 0 && l.folgt[j] && m[j] < m[j - 1]; --j) std::swap(m[j], m[j - 1]);
  for (int k = 0; k < AnaSlots; ++k)
    if (l.codes[k] != 0 && !(l.menge[k] & Bit(m[k]))) return true;
  for (int k = 0; k < AnaSlots; ++k)
    if (l.feld[k] != m[k]) return l.feld[k] < m[k];
  return true;
}

// Does a rook, bishop or queen of the given colour reach the square over
// empty squares? Close-range attacks are the contact masks' business.
bool FernAngegriffen(const Lauf& l, bool weiss, int feld) {
  const Bitboard ziel = Bit(feld);
  for (int k = 0; k < AnaSlots; ++k) {
    const int8_t c = l.codes[k];
    if (c == 0 || (c > 0) != weiss) continue;
    const int a = Art(c), s = l.feld[k];
    Bitboard strahlen = 0;
    if (a == Turm || a == Dame) strahlen |= TurmStrahlen[s];
    if (a == Laeufer || a == Dame) strahlen |= LaeuferStrahlen[s];
    if ((strahlen & ziel) && !(Zwischen[s][feld] & l.belegt)) return true;
  }
  return false;
}

void Platzierung(Lauf& l) {
  Bitboard angriff[2] = {0, 0};
  for (int k = 0; k < AnaSlots; ++k) {
    const int8_t c = l.codes[k];
    if (c != 0) angriff[c > 0 ? 1 : 0] |= Kontaktmasken[KontaktZeile(c)][l.feld[k]];
  }
  const bool weiss = l.amZug == 1;
  const int andererKoenig = weiss ? l.feld[l.schwarzKoenig] : l.feld[l.weissKoenig];
  if (angriff[weiss ? 1 : 0] & Bit(andererKoenig)) return;
  // A distant check on the side not to move makes the position illegal,
  // whatever a table stores for it.
  if (FernAngegriffen(l, weiss, andererKoenig)) return;
  if (l.symmetrie && (Bit(l.feld[l.weissKoenig]) & SymmetrieKoenigFelder) && !Vertreter(l)) return;
  l.angriff[0] = angriff[0];
  l.angriff[1] = angriff[1];
  if (!PositionBehandeln(l, FigurenlisteKeinEP)) return;
  if (!l.enPassant) return;
  for (int32_t e = NaechstesEP(l, FigurenlisteKeinEP); e != FigurenlisteKeinEP;
       e = NaechstesEP(l, e))
    if (!PositionBehandeln(l, e)) return;
}

// True when the stop flag was seen.
bool Abfragen(Lauf& l) {
  l.Veroeffentlichen();
  return l.z.stopp.load(std::memory_order_acquire);
}

template <int K>
bool Ebene(Lauf& l, Bitboard belegt) {
  Bitboard frei = l.menge[K];
  if (l.codes[K] != 0) frei &= ~belegt;
  if constexpr (K > 0) {
    if (l.folgt[K]) {
      l.ausgeschlossen[K] = l.genommen[K - 1] | (l.folgt[K - 1] ? l.ausgeschlossen[K - 1] : 0);
      frei &= ~l.ausgeschlossen[K];
    }
  }
  l.genommen[K] = 0;
  uint8_t n = 0;
  if constexpr (K <= 2) l.z.schleifenZaehler[K].store(0, Locker);
  while (frei) {
    const int s = ErstesBitEntfernen(frei);
    l.genommen[K] |= Bit(s);
    if constexpr (K <= 2) l.z.schleifenZaehler[K].store(++n, Locker);
    l.feld[K] = s;
    *l.listenFeld[K] = s;
    bool passt = true;
    for (int i = 0; i < l.pruefAnzahl[K] && passt; ++i) {
      const int m = l.pruefungen[K][i];
      passt = (l.erreichbar[m][l.feld[l.bezug[m]]] & Bit(l.feld[m])) != 0;
    }
    if (passt) {
      const Bitboard jetzt = l.codes[K] != 0 ? belegt | Bit(s) : belegt;
      if constexpr (K + 1 == AnaSlots) {
        l.belegt = jetzt;
        Platzierung(l);
      } else {
        if (!Ebene<K + 1>(l, jetzt)) return false;
      }
    }
    if constexpr (K == 2) {
      if (Abfragen(l)) return false;
    }
  }
  return true;
}

// Slot exchange of the ordering step: slot j goes before slot i.
bool VorAnordnen(int8_t i, int8_t j) {
  if (i == 0) return false;
  if (j == 0) return true;
  if (Art(j) != Art(i)) return Art(j) > Art(i);
  return j > 0 && i < 0;
}

}  // namespace

Stellung TBAnaStellung(const int32_t codes[AnaSlots], const int32_t felder[AnaSlots], int32_t amZug,
                       int32_t ep) {
  Stellung st = Leerstellung();
  for (int k = 0; k < AnaSlots; ++k)
    if (codes[k] != 0 && felder[k] >= 0 && felder[k] <= 63) FigurSetzen(st, codes[k], felder[k]);
  st.amZug = amZug == 1 ? Weiss : Schwarz;
  st.epFeld = ep >= 0 && ep < 64 ? static_cast<uint8_t>(ep) : KeinEPFeld;
  BelegungSetzen(st);
  StellungAbleiten(st);
  st.remisMaterial = 0;
  st.schachW = FeldAngegriffen(st, st.koenigW, 1) ? 1 : 0;
  st.schachS = FeldAngegriffen(st, st.koenigS, 0) ? 1 : 0;
  return st;
}

int32_t TBAnaSchleife(const TBAnaParameterblock& block, int32_t kriterium, TBAnaZustand& z,
                      const TBZugang& tb, TBAnaKriterien* kriterien) {
  // The base class holds the library's own criteria.
  static TBAnaKriterien standardKriterien;
  Lauf l(z, tb, kriterien ? kriterien : &standardKriterien);
  l.kriterium = kriterium;
  l.bedingung = block.bedingung;
  l.distanzMin = block.distanzMin;
  l.distanzMax = block.distanzMax;

  // Sets and codes; pawns never stand on the first or last rank.
  for (int k = 0; k < AnaSlots; ++k) {
    int8_t c = block.figuren[k];
    Bitboard m = block.felder[k];
    if (c < -Koenig || c > Koenig) return SchleifeKeineKoenige;
    if (Art(c) == Bauer) m &= ~Grundreihen;
    if (c == 0 || m == 0) {
      c = 0;
      m = Bit(0);
    }
    l.codes[k] = c;
    l.menge[k] = m;
  }

  // The class.
  int koenige[2] = {0, 0};
  for (int k = 0; k < AnaSlots; ++k) {
    const int c = l.codes[k];
    if (Art(c) == Koenig) ++koenige[c > 0 ? 1 : 0];
    const int i = ZaehlerIndex(c);
    if (i >= 0) ++l.zaehler[i];
  }
  if (koenige[0] != 1 || koenige[1] != 1) return SchleifeKeineKoenige;
  if (std::all_of(l.zaehler, l.zaehler + ZaehlerAnzahl, [](int32_t n) { return n == 0; }))
    return SchleifeKeineTabelle;
  const int32_t id = tb.KlasseSuchen(l.zaehler);
  if (id == 0) return SchleifeKeineTabelle;
  l.umgekehrt = id < 0;
  l.arbeitsIndex = std::abs(id) % TBTabellenJeMetrik + TBTabellenJeMetrik * tb.Metrik();

  // The side to move, and the files it is probed in: a class stored with its
  // colours reversed is read from the other side's file.
  auto Datei = [&](int32_t amZug) { return (amZug == 1) != l.umgekehrt ? 0 : 1; };
  if (KriteriumVergleichtSeiten(kriterium) || block.seite >= 2) {
    if (!tb.Registriert(l.arbeitsIndex, 0) || !tb.Registriert(l.arbeitsIndex, 1))
      return SchleifeSeiteFehlt;
    l.amZug = 1;
  } else {
    l.amZug = block.seite == 1 ? 1 : 0;
    if (!tb.Registriert(l.arbeitsIndex, Datei(l.amZug))) return SchleifeKeineTabelle;
  }
  l.probeDatei = Datei(l.amZug);
  l.andereDatei = Datei(l.amZug == 1 ? 0 : 1);

  // Offset tables. A slot without a valid reference measures from itself,
  // which every square passes.
  for (int k = 0; k < AnaSlots; ++k) {
    const int r = block.bezug[k];
    if (l.codes[k] == 0) {
      l.bezug[k] = k;
    } else if (r < 0 || r >= AnaSlots || r == k) {
      l.bezug[k] = k;
      for (int e = 0; e < 64; ++e) l.erreichbar[k][e] = Bit(e);
    } else {
      l.bezug[k] = r;
      std::copy(block.erreichbar[k], block.erreichbar[k] + 64, l.erreichbar[k]);
    }
  }

  // Slot order: empty slots, then kings, queens, rooks, bishops, knights,
  // pawns, White before Black within a kind.
  for (int i = 0; i < AnaSlots - 1; ++i) {
    for (int j = i + 1; j < AnaSlots; ++j) {
      if (!VorAnordnen(l.codes[i], l.codes[j])) continue;
      std::swap(l.codes[i], l.codes[j]);
      std::swap(l.menge[i], l.menge[j]);
      std::swap(l.bezug[i], l.bezug[j]);
      std::swap(l.erreichbar[i], l.erreichbar[j]);
      for (int& r : l.bezug) r = r == i ? j : r == j ? i : r;
      j = i;  // compare slot i again from i + 1
    }
  }

  bool bauern[2] = {false, false};
  bool bedingungen = false;
  for (int k = 0; k < AnaSlots; ++k) {
    const int c = l.codes[k];
    if (c == Koenig) l.weissKoenig = k;
    if (c == -Koenig) l.schwarzKoenig = k;
    if (Art(c) == Bauer) bauern[c > 0 ? 1 : 0] = true;
    if (c != 0 && l.bezug[k] != k) {
      bedingungen = true;
      const int stufe = std::max(k, l.bezug[k]);
      l.pruefungen[stufe][l.pruefAnzahl[stufe]++] = static_cast<int8_t>(k);
    }
  }
  l.enPassant = bauern[0] && bauern[1];

  // Piece lists in slot order; each slot keeps the address of its entry.
  for (int k = 0; k < AnaSlots; ++k) l.feld[k] = l.codes[k] != 0 ? ErstesBit(l.menge[k]) : 0;
  StueckListenBauen(l.codes, l.zeiger, l.weiss, l.schwarz);
  {
    int naechste[2][6];
    for (int t = 0; t < 6; ++t) {
      naechste[0][t] = l.weiss.kindStart[t];
      naechste[1][t] = l.schwarz.kindStart[t];
    }
    for (int k = 0; k < AnaSlots; ++k) {
      const int c = l.codes[k];
      if (c == 0) {
        l.listenFeld[k] = &l.leer[k];
        continue;
      }
      const int f = c > 0 ? 0 : 1;
      TbPieceList& liste = f == 0 ? l.weiss : l.schwarz;
      l.listenFeld[k] = &liste.squares[naechste[f][Art(c) - 1]++];
    }
  }

  l.schluessel = LoesungsSchluessel(block);
  if (block.loesungsart == LoesungFigurUndFelder) z.diagonalSymmetrie = 0;

  for (int k = 0; k < AnaSlots; ++k) {
    z.slotCodes[k] = l.codes[k];
    z.schleifenZaehler[k].store(0, Locker);
    z.schleifenGrenze[k].store(static_cast<uint8_t>(BitAnzahl(l.menge[k])), Locker);
  }
  if (KriteriumSpezDB(kriterium)) SpezDBFigurcodesSetzen(z.slotCodes);

  // Identical pieces are walked in ascending order once. Both slots must be
  // free of offset conditions: a condition tells the two apart.
  auto Frei = [&](int j) {
    if (l.bezug[j] != j) return false;
    for (int m = 0; m < AnaSlots; ++m)
      if (m != j && l.codes[m] != 0 && l.bezug[m] == j) return false;
    return true;
  };
  for (int j = 1; j < AnaSlots; ++j)
    l.folgt[j] = l.codes[j] != 0 && l.codes[j] == l.codes[j - 1] && Frei(j) && Frei(j - 1);

  l.symmetrie = z.diagonalSymmetrie == 1 && !bauern[0] && !bauern[1] && !bedingungen &&
                block.loesungsart != LoesungFigurUndFelder;

  l.untersucht = z.untersucht.load(Locker);
  l.treffer = z.treffer.load(Locker);
  const bool fertig = Ebene<0>(l, 0);
  l.Veroeffentlichen();
  return fertig ? SchleifeFertig : SchleifeGestoppt;
}

}  // namespace galdrik
