// Positional terms of the evaluation. The sums are kept apart (pawn
// structure P, pieces and kings K, square control C) because the frame and
// the tests look at them separately.
#include "core/evalterms.h"

namespace galdrik {

namespace {

constexpr Bitboard Diagonale_A1H8 = 0x8040201008040201ULL;
constexpr Bitboard Diagonale_H1A8 = 0x0102040810204080ULL;

// Early queen: the squares a queen may stand on in the opening without the
// penalty, and its home square.
constexpr Bitboard FruehDameW = Reihe1 | FeldMenge({"c2", "d2", "e2", "b3", "f3", "a4"});
constexpr Bitboard FruehDameS = Reihe8 | FeldMenge({"c7", "d7", "e7", "b6", "f6", "a5"});

constexpr Bitboard ZentrumW = FeldMenge({"d1", "e1", "d2", "e2"});
constexpr Bitboard ZentrumS = FeldMenge({"d8", "e8", "d7", "e7"});
constexpr Bitboard FluegelbauernW1 = FeldMenge({"a2", "b2", "g2", "h2"});
constexpr Bitboard FluegelbauernW2 = FluegelbauernW1 | FeldMenge({"a3", "b3", "g3", "h3"});
constexpr Bitboard FluegelbauernS1 = FeldMenge({"a7", "b7", "g7", "h7"});
constexpr Bitboard FluegelbauernS2 = FluegelbauernS1 | FeldMenge({"a6", "b6", "g6", "h6"});

// A rook still in the corner beside a castled-looking king shuts it in.
constexpr Bitboard TurmEckeDameW = FeldMenge({"a1", "b1", "a2", "b2"});
constexpr Bitboard TurmEckeKoenigW = FeldMenge({"g1", "h1", "g2", "h2"});
constexpr Bitboard TurmEckeDameS = FeldMenge({"a8", "b8", "a7", "b7"});
constexpr Bitboard TurmEckeKoenigS = FeldMenge({"g8", "h8", "g7", "h7"});

// Ranks 0..r, and ranks r..7.
constexpr Bitboard BisReihe(int r) {
  return r >= 7 ? ~Bitboard{0} : (Bitboard{1} << (8 * (r + 1))) - 1;
}
constexpr Bitboard AbReihe(int r) { return ~Bitboard{0} << (8 * r); }

// Squares one king step from a set, the set included.
constexpr Bitboard KoenigsUmfeld(Bitboard b) {
  b |= ((b >> 1) & ~LinieH) | ((b << 1) & ~LinieA);
  return b | (b << 8) | (b >> 8);
}

// Squares a king reaches by steps from its square through the allowed set.
int Bewegungsraum(int koenig, Bitboard erlaubt) {
  Bitboard raum = Feldmaske[koenig];
  for (;;) {
    const Bitboard neu = raum | (KoenigsUmfeld(raum) & erlaubt);
    if (neu == raum) return BitAnzahl(raum);
    raum = neu;
  }
}

// The attack sets of one side by type.
struct Angriffe {
  Bitboard bauern = 0, springer = 0, laeufer = 0, tuerme = 0, damen = 0, koenig = 0;
  Bitboard alle() const { return bauern | springer | laeufer | tuerme | damen | koenig; }
};

// Passed-pawn bookkeeping for the distant-pawn test: the passed pawns that
// the king can still catch, leftmost and rightmost by file.
struct Aussenbauern {
  int linksLinie = -1, linksReihe = 0, rechtsLinie = -1, rechtsReihe = 0;
  void merken(int linie, int reihe) {
    if (linksLinie < 0 || linie < linksLinie) linksLinie = linie, linksReihe = reihe;
    if (rechtsLinie < 0 || linie > rechtsLinie) rechtsLinie = linie, rechtsReihe = reihe;
  }
  // With one pawn only there is no pair, whatever its rank.
  bool zwei() const { return linksLinie >= 0 && linksLinie != rechtsLinie; }
  int breite() const { return rechtsLinie - linksLinie; }
};

int32_t KoenigssicherheitWeiss(const Stellung& st, const BewertungsZustand& z, int32_t material,
                               Bitboard angriffeS) {
  const int k = KoenigFeld(st.koenigW);
  if (k == KeinFeld) return 0;
  const int u = z.damenS ? 25 : 15;
  const int linie = Linie(k), reihe = Reihe(k);
  const Bitboard bauern = z.bauernW;
  int32_t wert = 0;
  if (z.phaseW == PhaseEndspiel) {
    wert += 14 - Betrag(2 * linie - 7) - Betrag(2 * reihe - 7);
    if (BitAnzahl(z.tuermeS | z.damenS) >= 2 && BitAnzahl(bauern) > 3 && k >= 16) wert -= u;
    if (material <= -450) wert -= (64 - Bewegungsraum(k, ~st.schwarz & ~angriffeS)) / 2;
    return wert;
  }
  wert -= reihe * u;
  if (!st.rochade[RochadeWeissLang] && !st.rochade[RochadeWeissKurz]) {
    if (linie <= 2)
      wert += (z.tuermeW & TurmEckeDameW) && reihe == 0 ? -u : 10;
    else if (linie <= 4)
      wert -= 15;
    else
      wert += (z.tuermeW & TurmEckeKoenigW) && reihe == 0 ? -u : 10;
  }
  if (reihe < 6) {
    // k <= 47 here, so every square below is on the board or the empty 64.
    if (!(bauern & (Feldmaske[k + 8] | Feldmaske[k + 16]))) wert -= u;
    Bitboard schild;
    if (linie == 0)
      schild = Feldmaske[k + 9] | Feldmaske[k + 17];
    else if (linie == 7)
      schild = Feldmaske[k + 7] | Feldmaske[k + 15];
    else
      schild = Feldmaske[k + 7] | Feldmaske[k + 9] | Feldmaske[k + 15] | Feldmaske[k + 17];
    if (!(bauern & schild)) wert -= u;
    if (linie >= 5 && !(bauern & FeldMenge({"h2", "h3"}))) wert -= u;
    if (linie <= 2 && !(bauern & FeldMenge({"a2", "a3"}))) wert -= u;
  } else {
    wert -= 2 * u;
  }
  if ((st.rochade[RochadeWeissLang] || st.rochade[RochadeWeissKurz]) &&
      (z.phaseW > PhaseEroeffnung || z.phaseS > PhaseEroeffnung))
    wert -= 15;
  return wert;
}

int32_t KoenigssicherheitSchwarz(const Stellung& st, const BewertungsZustand& z, int32_t material,
                                 Bitboard angriffeW) {
  const int k = KoenigFeld(st.koenigS);
  if (k == KeinFeld) return 0;
  const int u = z.damenW ? 25 : 15;
  const int linie = Linie(k), reihe = Reihe(k);
  const Bitboard bauern = z.bauernS;
  int32_t wert = 0;
  if (z.phaseS == PhaseEndspiel) {
    wert -= 14 - Betrag(2 * linie - 7) - Betrag(2 * reihe - 7);
    if (BitAnzahl(z.tuermeW | z.damenW) >= 2 && BitAnzahl(bauern) > 3 && k <= 47) wert += u;
    if (material >= 450) wert += (64 - Bewegungsraum(k, ~st.weiss & ~angriffeW)) / 2;
    return wert;
  }
  wert += (7 - reihe) * u;
  if (!st.rochade[RochadeSchwarzLang] && !st.rochade[RochadeSchwarzKurz]) {
    if (linie <= 2)
      wert += (z.tuermeS & TurmEckeDameS) && reihe == 7 ? u : -10;
    else if (linie <= 4)
      wert += 15;
    else
      wert += (z.tuermeS & TurmEckeKoenigS) && reihe == 7 ? u : -10;
  }
  if (reihe > 1) {
    // k >= 16 here, and k >= 17 off the a-file, so no square goes below a1.
    if (!(bauern & (Feldmaske[k - 8] | Feldmaske[k - 16]))) wert += u;
    Bitboard schild;
    if (linie == 0)
      schild = Feldmaske[k - 7] | Feldmaske[k - 15];
    else if (linie == 7)
      schild = Feldmaske[k - 9] | Feldmaske[k - 17];
    else
      schild = Feldmaske[k - 7] | Feldmaske[k - 9] | Feldmaske[k - 15] | Feldmaske[k - 17];
    if (!(bauern & schild)) wert += u;
    if (linie >= 5 && !(bauern & FeldMenge({"h7", "h6"}))) wert += u;
    if (linie <= 2 && !(bauern & FeldMenge({"a7", "a6"}))) wert += u;
  } else {
    wert += 2 * u;
  }
  if ((st.rochade[RochadeSchwarzLang] || st.rochade[RochadeSchwarzKurz]) &&
      (z.phaseW > PhaseEroeffnung || z.phaseS > PhaseEroeffnung))
    wert += 15;
  return wert;
}

// Square control: each side's squares, taken piece group by piece group from
// the cheapest attackers up, where the other side has no cheaper claim.
int32_t Feldkontrolle(const Angriffe& w, const Angriffe& s) {
  Bitboard w1 = w.bauern | w.springer | w.laeufer, s1 = s.bauern | s.springer | s.laeufer;
  const Bitboard w2 = ((w.springer | w.laeufer) & ~s1) | w.tuerme;
  const Bitboard s2 = ((s.springer | s.laeufer) & ~w1) | s.tuerme;
  w1 |= w2;
  s1 |= s2;
  const Bitboard w3 = (w2 & ~s1) | w.damen;
  const Bitboard s3 = (s2 & ~w1) | s.damen;
  w1 |= w3;
  s1 |= s3;
  const Bitboard w4 = (w3 & ~s1) | w.koenig;
  const Bitboard s4 = (s3 & ~w1) | s.koenig;
  const Bitboard wc = w4 & ~(s4 | s1);
  const Bitboard sc = s4 & ~(w1 | w4);
  return (3 * (BitAnzahl(w.bauern) - BitAnzahl(s.bauern)) + 2 * (BitAnzahl(wc) - BitAnzahl(sc))) /
         2;
}

// A bare king to move that is not in check and has no safe square.
bool KoenigPatt(Bitboard eigeneMaenner, uint8_t koenig, Bitboard gegnerAngriffe) {
  const int k = KoenigFeld(koenig);
  return k != KeinFeld && eigeneMaenner == Feldmaske[k] && !(gegnerAngriffe & Feldmaske[k]) &&
         (KoenigAngriff[k] & ~gegnerAngriffe) == 0;
}

}  // namespace

Bauernstruktur BauernstrukturBewerten(const Stellung& st, const BewertungsZustand& z) {
  Bauernstruktur b;
  const int btm = st.amZug == Weiss ? 0 : 1, wtm = 1 - btm;
  const Bitboard bw = z.bauernW, bs = z.bauernS;
  int32_t vorruecken = 0;
  unsigned freibauerLinien = 0;

  const bool schwarzOhneLaeuferTurmDame = !(z.laeuferS | z.tuermeS | z.damenS);
  const bool schwarzOhneFiguren = schwarzOhneLaeuferTurmDame && !z.springerS;
  Aussenbauern aussenW;
  for (Bitboard rest = bw; rest;) {
    const int s = ErstesBitEntfernen(rest), f = Linie(s), r = Reihe(s);
    b.angriffeW |= BauerAngriffWeiss[s];
    vorruecken += r;
    const bool frei = !(FreibauerMaskeWeiss[s] & (bs | (bw & Linienmaske[f])));
    if (frei) {
      if (schwarzOhneLaeuferTurmDame) {
        b.p += 50 + (1 << r);
      } else {
        b.p += 25;
        if (z.endspiel && r > 0) b.p += 1 << (r - 1);
      }
      freibauerLinien |= 1u << f;
      if (schwarzOhneFiguren) {
        if (FeldAbstand(st.koenigS, FeldVon(f, 7)) > 7 - r + btm)
          b.p += 100;
        else
          aussenW.merken(f, r);
      }
    } else {
      if (!(NachbarlinienMaske[s] & bw))
        b.p -= 15;
      else if (!(NachbarlinienMaske[s] & bw & BisReihe(r)))
        b.p -= 4;
      if (Linienmaske[f] & bw & ~Feldmaske[s]) b.p -= 6;
    }
  }
  if (aussenW.zwei() && 7 - aussenW.linksReihe <= aussenW.breite() &&
      7 - aussenW.rechtsReihe <= aussenW.breite())
    b.p += 100;

  const bool weissOhneLaeuferTurmDame = !(z.laeuferW | z.tuermeW | z.damenW);
  const bool weissOhneFiguren = weissOhneLaeuferTurmDame && !z.springerW;
  Aussenbauern aussenS;
  for (Bitboard rest = bs; rest;) {
    const int s = LetztesBit(rest), f = Linie(s), r = Reihe(s);
    rest &= ~Feldmaske[s];
    b.angriffeS |= BauerAngriffSchwarz[s];
    vorruecken += r - 7;
    const bool frei = !(FreibauerMaskeSchwarz[s] & (bw | (bs & Linienmaske[f])));
    if (frei) {
      if (weissOhneLaeuferTurmDame) {
        b.p -= 50 + (1 << (7 - r));
      } else {
        b.p -= 25;
        if (z.endspiel && r < 7) b.p -= 1 << (6 - r);
      }
      freibauerLinien |= 1u << f;
      if (weissOhneFiguren) {
        if (FeldAbstand(st.koenigW, FeldVon(f, 0)) > r + wtm)
          b.p -= 100;
        else
          aussenS.merken(f, r);
      }
    } else {
      if (!(NachbarlinienMaske[s] & bs))
        b.p += 15;
      else if (!(NachbarlinienMaske[s] & bs & AbReihe(r)))
        b.p += 4;
      if (Linienmaske[f] & bs & ~Feldmaske[s]) b.p += 6;
    }
  }
  if (aussenS.zwei() && aussenS.linksReihe <= aussenS.breite() &&
      aussenS.rechtsReihe <= aussenS.breite())
    b.p -= 100;

  b.p += vorruecken / 4;

  for (int f = 0; f < 8; ++f) {
    int klasse = (freibauerLinien >> f) & 1 ? 2 : 0;
    if (!(bw & Linienmaske[f])) ++klasse;
    if (!(bs & Linienmaske[f])) ++klasse;
    b.linienKlasse[f] = static_cast<uint8_t>(klasse);
  }
  return b;
}

TermSummen BewertungsTerme(const Stellung& st, const BewertungsZustand& z, int32_t material) {
  TermSummen t;
  const Bauernstruktur bs = BauernstrukturBewerten(st, z);
  t.p = bs.p;
  Angriffe aw, as;
  aw.bauern = bs.angriffeW;
  as.bauern = bs.angriffeS;

  // Rooks by the class of their file (a passed pawn's file counts most).
  static constexpr int32_t turmLinie[5] = {0, 2, 8, 10, 10};
  for (Bitboard r = z.tuermeW; r;) {
    const int s = ErstesBitEntfernen(r);
    aw.tuerme |= TurmAngriffe(st, s);
    t.k += turmLinie[bs.linienKlasse[Linie(s)]];
  }
  for (Bitboard r = z.tuermeS; r;) {
    const int s = ErstesBitEntfernen(r);
    as.tuerme |= TurmAngriffe(st, s);
    t.k -= turmLinie[bs.linienKlasse[Linie(s)]];
  }

  // Development: minor pieces still at home, and a knight blocking the
  // bishop in front of the centre pawns.
  const int zuhause = BitAnzahl((z.springerS | z.laeuferS) & Reihe8) -
                      BitAnzahl((z.springerW | z.laeuferW) & Reihe1);
  auto beide = [](Bitboard springer, const char* sf, Bitboard laeufer, const char* lf) {
    return (springer & Feldmaske[FeldNr(sf)]) && (laeufer & Feldmaske[FeldNr(lf)]) ? 1 : 0;
  };
  const int blockiert =
      beide(z.springerW, "d2", z.laeuferW, "c1") + beide(z.springerW, "e2", z.laeuferW, "f1") -
      beide(z.springerS, "d7", z.laeuferS, "c8") - beide(z.springerS, "e7", z.laeuferS, "f8");
  t.k += 3 * zuhause - 3 * blockiert;

  if (z.phaseW == PhaseEroeffnung) {
    if (!(z.damenW & FruehDameW)) t.k -= 8;
    if (!(z.damenW & Feldmaske[FeldNr("d1")])) t.k -= 10;
  }
  if (z.phaseS == PhaseEroeffnung) {
    if (!(z.damenS & FruehDameS)) t.k += 8;
    if (!(z.damenS & Feldmaske[FeldNr("d8")])) t.k += 10;
  }

  // King in the centre, weighed against the wing pawns that would shelter it
  // after castling.
  if (!z.endspiel) {
    int x = 0;
    if (z.koenigW & ZentrumW) {
      if (z.phaseW == PhaseEroeffnung)
        x = 2 - BitAnzahl(z.bauernW & FluegelbauernW1);
      else if (z.phaseW == PhaseMittelspiel)
        x = 2 - BitAnzahl(z.bauernW & FluegelbauernW2);
    }
    if (z.koenigS & ZentrumS) {
      if (z.phaseS == PhaseEroeffnung)
        x += BitAnzahl(z.bauernS & FluegelbauernS1) - 2;
      else if (z.phaseS == PhaseMittelspiel)
        x += BitAnzahl(z.bauernS & FluegelbauernS2) - 2;
    }
    t.k -= 5 * x;
  }

  // The bishop pair gains as pawns leave; a bishop is better with its pawns
  // on the other colour.
  const int wHell = BitAnzahl(z.laeuferW & HelleFelder);
  const int wDunkel = BitAnzahl(z.laeuferW & DunkleFelder);
  const int sHell = BitAnzahl(z.laeuferS & HelleFelder);
  const int sDunkel = BitAnzahl(z.laeuferS & DunkleFelder);
  const Bitboard alleBauern = z.bauernW | z.bauernS;
  t.k += 3 * (19 - BitAnzahl(alleBauern)) * (std::min(wHell, wDunkel) - std::min(sHell, sDunkel)) +
         (BitAnzahl(alleBauern & HelleFelder) - BitAnzahl(alleBauern & DunkleFelder)) *
             ((wDunkel - wHell) - (sDunkel - sHell));

  // Fianchetto bishops, less the enemy pawns on their long diagonal.
  int y = 0;
  const Bitboard b2 = Feldmaske[FeldNr("b2")], g2 = Feldmaske[FeldNr("g2")];
  const Bitboard b7 = Feldmaske[FeldNr("b7")], g7 = Feldmaske[FeldNr("g7")];
  if (z.phaseW < PhaseEndspiel) {
    if (z.laeuferW & b2) {
      t.k += 9;
      y += BitAnzahl(z.bauernS & Diagonale_A1H8);
    }
    if (z.laeuferW & g2) {
      t.k += 9;
      y += BitAnzahl(z.bauernS & Diagonale_H1A8);
    }
  }
  if (z.phaseS < PhaseEndspiel) {
    if (z.laeuferS & b7) {
      t.k -= 9;
      y -= BitAnzahl(z.bauernW & Diagonale_H1A8);
    }
    if (z.laeuferS & g7) {
      t.k -= 9;
      y -= BitAnzahl(z.bauernW & Diagonale_A1H8);
    }
  }
  t.k -= 3 * y;

  // Knights lose towards the edge files.
  for (Bitboard n = z.springerW; n;) {
    const int s = ErstesBitEntfernen(n);
    aw.springer |= SpringerAngriff[s];
    t.k -= Betrag(2 * Linie(s) - 7) / 2;
  }
  for (Bitboard n = z.springerS; n;) {
    const int s = ErstesBitEntfernen(n);
    as.springer |= SpringerAngriff[s];
    t.k += Betrag(2 * Linie(s) - 7) / 2;
  }

  for (Bitboard l = z.laeuferW; l;) aw.laeufer |= LaeuferAngriffe(st, ErstesBitEntfernen(l));
  for (Bitboard l = z.laeuferS; l;) as.laeufer |= LaeuferAngriffe(st, ErstesBitEntfernen(l));
  for (Bitboard d = z.damenW; d;) aw.damen |= DamenAngriffe(st, ErstesBitEntfernen(d));
  for (Bitboard d = z.damenS; d;) as.damen |= DamenAngriffe(st, ErstesBitEntfernen(d));
  aw.koenig = KoenigAngriff[KoenigFeld(st.koenigW)];
  as.koenig = KoenigAngriff[KoenigFeld(st.koenigS)];

  t.c = Feldkontrolle(aw, as);

  const Bitboard angriffeW = aw.alle(), angriffeS = as.alle();
  if ((st.amZug != Weiss && KoenigPatt(st.schwarz, st.koenigS, angriffeW)) ||
      (st.amZug == Weiss && KoenigPatt(st.weiss, st.koenigW, angriffeS))) {
    t.patt = true;
    return t;
  }

  t.k += KoenigssicherheitWeiss(st, z, material, angriffeS);
  t.k += KoenigssicherheitSchwarz(st, z, material, angriffeW);

  if (BitAnzahl(z.tuermeW | z.damenW) >= 2 && (angriffeW & z.koenigS)) t.k += 3;
  if (BitAnzahl(z.tuermeS | z.damenS) >= 2 && (angriffeS & z.koenigW)) t.k -= 3;
  return t;
}

void BewertungMaskenInit() {}

}  // namespace galdrik
