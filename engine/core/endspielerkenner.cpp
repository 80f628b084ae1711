// Small-material recogniser. With so few men the general terms know too
// little: these rules name the dead draws outright, drive a lone king to the
// edge where a heavy piece mates it, and score the four-man classes from
// textbook knowledge of their drawing zones and mating corners.
#include "core/endspielerkenner.h"

#include <algorithm>
#include <cstdlib>

namespace galdrik {

namespace {

// ------------------------------------------------------------ square sets

constexpr Bitboard InnererBlock = ~(LinieA | LinieH | Reihe1 | Reihe8);  // b2-g7
constexpr Bitboard InnererBlockOhneEcken = InnererBlock & ~FeldMenge({"b2", "g2", "b7", "g7"});
// Near a corner a knight is caught by the rook and the king.
constexpr Bitboard SpringerZone =
    ~FeldMenge({"a1", "b1", "c1", "a2", "a3", "f1", "g1", "h1", "h2", "h3",
                "a6", "a7", "a8", "b8", "c8", "f8", "g8", "h8", "h7", "h6"});
constexpr Bitboard Ecken = FeldMenge({"a1", "h1", "a8", "h8"});

// Files l0..l1 of ranks r0..r1, counted from 0.
constexpr Bitboard Rechteck(int l0, int l1, int r0, int r1) {
  Bitboard b = 0;
  for (int r = r0; r <= r1; ++r)
    for (int l = l0; l <= l1; ++l) b |= Bitboard{1} << FeldVon(l, r);
  return b;
}

// The empty-board lines through a square, the square itself not included.
Bitboard ReiheUndLinie(int feld) { return ReihenAngriff[feld][0] | LinienAngriff[feld][0]; }
Bitboard Diagonalen(int feld) {
  return DiagonalAngriffA1H8[feld][0] | DiagonalAngriffH1A8[feld][0];
}

bool Auf(int feld, Bitboard menge) { return (Feldmaske[feld] & menge) != 0; }
bool Dunkel(int feld) { return Auf(feld, DunkleFelder); }
bool Hell(int feld) { return Auf(feld, HelleFelder); }

int LinienAbstand(int a, int b) { return std::abs(Linie(a) - Linie(b)); }
int ReihenAbstand(int a, int b) { return std::abs(Reihe(a) - Reihe(b)); }

bool Opposition(int a, int b) {
  return FeldAbstand(a, b) == 2 && LinienAbstand(a, b) % 2 == 0 && ReihenAbstand(a, b) % 2 == 0;
}

// How far a square lies from the edge: 0 in the centre, 14 in a corner.
int Randnaehe(int feld) { return std::abs(2 * Reihe(feld) - 7) + std::abs(2 * Linie(feld) - 7); }

uint8_t Erkannt(Stellung& st, int32_t wert, bool remis) {
  st.bewertung = static_cast<int16_t>(wert);
  st.remisMaterial = remis ? 1 : 0;
  return 1;
}

// ------------------------------------------------------------ three men

// King and rook or queen against the king: the smaller the lone king's
// quarter of the board beyond the heavy piece's lines and the nearer the
// other king, the closer the mate. An edge-bound attacking king helps less.
int32_t SchwerfigurMatt(int figur, bool dame, int starkerKoenig, int einzelKoenig) {
  int32_t b = dame ? 850 : 450;
  const int f = Linie(figur), r = Reihe(figur);
  const int F = Linie(einzelKoenig), R = Reihe(einzelKoenig);
  if (f < F) {
    if (r < R) b += 128 + 2 * (7 - f) * (r - 7);
    if (r > R) b += 2 * (64 - (7 - f) * r);
  } else if (f > F) {
    if (r < R) b += 2 * (64 - (7 - r) * f);
    if (r > R) b += 2 * (64 - r * f);
  }
  b += 4 * (14 - LinienAbstand(starkerKoenig, einzelKoenig) -
            ReihenAbstand(starkerKoenig, einzelKoenig));
  // Files and ranks are the board's own here, for either colour, so the
  // rank is the first one for Black's king too.
  if (Auf(starkerKoenig, LinieA | LinieH | Reihe1)) b -= 25;
  return b;
}

// ------------------------------------------------------------ four men

// A queen each: the other queen in a corner with its king beside it, and
// the attacking king on a square from which a queen check wins the queen.
struct DamenEcke {
  Bitboard ecke;
  Bitboard angreiferKoenig;
  Bitboard eckKoenig;
};
constexpr DamenEcke DamenEcken[] = {
    {FeldMenge({"a1"}), FeldMenge({"d2", "d3", "b4", "c4"}), Rechteck(0, 2, 0, 2)},
    {FeldMenge({"h1"}), FeldMenge({"e2", "e3", "f4", "g4"}), Rechteck(5, 7, 0, 2)},
    {FeldMenge({"a8"}), FeldMenge({"b5", "c5", "d6", "d7"}), Rechteck(0, 2, 5, 7)},
    {FeldMenge({"h8"}), FeldMenge({"f5", "g5", "e6", "e7"}), Rechteck(5, 7, 5, 7)},
};

bool DameInDerEcke(Bitboard dame, Bitboard eigenerKoenig, Bitboard angreiferKoenig) {
  for (const DamenEcke& e : DamenEcken)
    if ((dame & e.ecke) && (angreiferKoenig & e.angreiferKoenig) && (eigenerKoenig & e.eckKoenig))
      return true;
  return false;
}

// Rook against bishop: 0 for a draw, else the attacking side's score.
int32_t TurmGegenLaeufer(int turm, int laeufer, int angreiferK, int verteidigerK,
                         bool angreiferAmZug) {
  bool remis;
  if (!angreiferAmZug) {
    remis = Auf(verteidigerK, InnererBlock) && Auf(laeufer, InnererBlock) &&
            !Auf(laeufer, KoenigAngriff[angreiferK]) && !Auf(turm, ReiheUndLinie(verteidigerK));
  } else {
    remis = Auf(verteidigerK, InnererBlockOhneEcken) && Auf(laeufer, InnererBlock) &&
            !Opposition(angreiferK, verteidigerK) && !Auf(turm, ReiheUndLinie(verteidigerK)) &&
            !Auf(laeufer, ReiheUndLinie(verteidigerK)) && !Auf(turm, ReiheUndLinie(laeufer)) &&
            FeldAbstand(angreiferK, laeufer) > 2;
  }
  if (remis) return 0;
  int32_t s = 2 * Randnaehe(verteidigerK) + 25 + 2 * (7 - FeldAbstand(angreiferK, verteidigerK));
  // The defending king in the corner the bishop cannot cover is mated.
  static constexpr Bitboard ecken = FeldMenge({"a1", "b1", "a2", "h7", "g8", "h8"});
  static constexpr Bitboard eckenHell = FeldMenge({"g1", "h1", "h2", "a7", "a8", "b8"});
  if ((Auf(verteidigerK, ecken) && Dunkel(laeufer)) ||
      (Auf(verteidigerK, eckenHell) && Hell(laeufer)))
    s += 50;
  return s;
}

// Rook against knight: 0 for a draw, else the attacking side's score.
int32_t TurmGegenSpringer(int springer, int angreiferK, int verteidigerK, bool angreiferAmZug) {
  const bool zentral = Auf(verteidigerK, InnererBlockOhneEcken) && Auf(springer, SpringerZone);
  bool remis;
  if (!angreiferAmZug)
    remis = zentral && !Auf(springer, KoenigAngriff[angreiferK]) &&
            FeldAbstand(verteidigerK, springer) <= 2;
  else
    remis = zentral && FeldAbstand(angreiferK, springer) > 2 &&
            FeldAbstand(verteidigerK, springer) == 1;
  if (remis) return 0;
  return 2 * Randnaehe(verteidigerK) + 64 +
         2 * (FeldAbstand(springer, verteidigerK) - FeldAbstand(angreiferK, verteidigerK));
}

int32_t DameGegenTurm(int dame, int angreiferK, int verteidigerK) {
  return 5 * (Randnaehe(verteidigerK) + 80) +
         2 * (14 - FeldAbstand(dame, verteidigerK) - FeldAbstand(angreiferK, verteidigerK));
}

// Bishop and knight: the defending king near a corner of the bishop's colour.
int32_t LaeuferSpringerMatt(int laeufer, int angreiferK, int verteidigerK) {
  const int F = Linie(verteidigerK), R = Reihe(verteidigerK);
  const int c =
      Dunkel(laeufer) ? std::min(F + R, (7 - F) + (7 - R)) : std::min((7 - F) + R, F + (7 - R));
  return 8 * (89 - c) + 4 * (14 - LinienAbstand(angreiferK, verteidigerK) -
                             ReihenAbstand(angreiferK, verteidigerK));
}

int32_t LaeuferpaarMatt(int angreiferK, int verteidigerK) {
  const int F = Linie(verteidigerK), R = Reihe(verteidigerK);
  return 4 * (2 * (std::abs(4 - R) + std::abs(4 - F)) + 164 -
              LinienAbstand(angreiferK, verteidigerK) - ReihenAbstand(angreiferK, verteidigerK));
}

// A bishop each on squares of different colours: the king in a corner with
// its own bishop beside it can be mated. 24999 when the attacking side mates
// (or is about to), else 0.
int32_t LaeuferEckmatt(int angreiferK, int verteidigerK, int angreiferL, int verteidigerL,
                       bool angreiferAmZug) {
  if (!Auf(verteidigerK, Ecken) || FeldAbstand(angreiferK, verteidigerK) != 2) return 0;
  if (FeldAbstand(verteidigerL, verteidigerK) != 1 || FeldAbstand(verteidigerL, angreiferK) != 2)
    return 0;
  static constexpr Bitboard mitte = FeldMenge({"c3", "f3", "c6", "f6"});
  const bool koenigMitte = Auf(angreiferK, mitte);
  const bool diagonale = Auf(angreiferL, Diagonalen(verteidigerK));
  if (!koenigMitte && diagonale) return 24999;
  if (koenigMitte != diagonale) return 0;
  return angreiferAmZug ? 24999 : 0;
}

// Queen against a pawn on its seventh rank, seen as a Black pawn on the
// second rank: the rook and bishop pawns draw unless the queen's king is
// near enough. The zone lists where that king must stand for a win.
struct DameBauerZeile {
  int bauerLinie;
  uint8_t koenigLinien;  // bit l: the pawn's king on file l
  Bitboard zone;
};
constexpr Bitboard Ueberall = ~Bitboard{0};
constexpr DameBauerZeile DameBauerTabelle[] = {
    {0, 0xFF, Rechteck(0, 4, 0, 3) | Rechteck(0, 3, 4, 4)},
    {2, 0x03, Rechteck(0, 4, 0, 2) | Rechteck(0, 2, 3, 3)},
    {2, 0x04, Ueberall},
    {2, 0x18, Rechteck(0, 6, 0, 2) | Rechteck(0, 3, 3, 3)},
    {5, 0xC0, Rechteck(3, 7, 0, 2) | Rechteck(5, 7, 3, 3)},
    {5, 0x20, Ueberall},
    {5, 0x18, Rechteck(1, 7, 0, 2) | Rechteck(4, 7, 3, 3)},
    {7, 0xFF, Rechteck(3, 7, 0, 3) | Rechteck(4, 7, 4, 4)},
};

// Squares as for a Black pawn (the caller turns the board over for a White
// one). True when the position is a recognised draw.
bool DameGegenBauerRemis(int bauer, int bauerKoenig, int dameKoenig) {
  if (Reihe(bauer) != 1 || LinienAbstand(bauer, bauerKoenig) > 2 ||
      ReihenAbstand(bauer, bauerKoenig) > 1)
    return false;
  for (const DameBauerZeile& z : DameBauerTabelle) {
    if (z.bauerLinie != Linie(bauer) || !(z.koenigLinien & (1 << Linie(bauerKoenig)))) continue;
    return !Auf(dameKoenig, z.zone);
  }
  return false;  // knight and centre pawns, and anything unlisted
}

uint8_t VierSteine(Stellung& st, const BewertungsZustand& z, int kW, int kS) {
  const bool weissAmZug = st.amZug == Weiss;

  // Knight and rook pawn on the seventh, the king in front of it in the corner.
  if (z.springerW && z.bauernW) {
    const int bauer = ErstesBit(z.bauernW), springer = ErstesBit(z.springerW);
    if (Auf(kW, FeldMenge({"a8", "h8"})) && Reihe(bauer) == 6 && Linie(bauer) == Linie(kW) &&
        Reihe(kS) >= 6 && LinienAbstand(kS, kW) == 2 &&
        (Dunkel(kS) + Hell(springer)) % 2 == st.amZug)
      return Erkannt(st, 1, false);
    return 0;
  }
  if (z.springerS && z.bauernS) {
    const int bauer = ErstesBit(z.bauernS), springer = ErstesBit(z.springerS);
    if (Auf(kS, FeldMenge({"a1", "h1"})) && Reihe(bauer) == 1 && Linie(bauer) == Linie(kS) &&
        Reihe(kW) <= 1 && LinienAbstand(kS, kW) == 2 &&
        (Hell(kW) != Dunkel(springer)) == !weissAmZug)
      return Erkannt(st, -1, false);
    return 0;
  }

  if (z.damenW && z.damenS) {
    int32_t wert = weissAmZug ? 1 : -1;
    if ((weissAmZug || st.schachS) && DameInDerEcke(z.damenS, z.koenigS, z.koenigW))
      wert = 850;
    else if ((!weissAmZug || st.schachW) && DameInDerEcke(z.damenW, z.koenigW, z.koenigS))
      wert = -850;
    return Erkannt(st, wert, false);
  }

  if (z.tuermeW && z.laeuferS)
    return Erkannt(
        st, TurmGegenLaeufer(ErstesBit(z.tuermeW), ErstesBit(z.laeuferS), kW, kS, weissAmZug),
        false);
  if (z.tuermeW && z.springerS)
    return Erkannt(st, TurmGegenSpringer(ErstesBit(z.springerS), kW, kS, weissAmZug), false);
  if (z.tuermeS && z.laeuferW)
    return Erkannt(
        st, -TurmGegenLaeufer(ErstesBit(z.tuermeS), ErstesBit(z.laeuferW), kS, kW, !weissAmZug),
        false);
  if (z.tuermeS && z.springerW)
    return Erkannt(st, -TurmGegenSpringer(ErstesBit(z.springerW), kS, kW, !weissAmZug), false);

  if (z.damenW && z.tuermeS) return Erkannt(st, DameGegenTurm(ErstesBit(z.damenW), kW, kS), false);
  if (z.damenS && z.tuermeW) return Erkannt(st, -DameGegenTurm(ErstesBit(z.damenS), kS, kW), false);

  // Two knights cannot force mate.
  if (!(st.bauern | st.laeufer | st.tuerme | st.damen)) {
    if (!z.springerS) return Erkannt(st, 1, false);
    if (!z.springerW) return Erkannt(st, -1, false);
    return Erkannt(st, weissAmZug ? 1 : -1, false);
  }

  if (st.laeufer) {
    if (!z.laeuferW || !z.laeuferS) {
      const bool weiss = z.laeuferW != 0;
      const Bitboard laeufer = weiss ? z.laeuferW : z.laeuferS;
      const Bitboard eigene = weiss ? st.weiss & ~z.koenigW : st.schwarz & ~z.koenigS;
      const int angreiferK = weiss ? kW : kS, verteidigerK = weiss ? kS : kW;
      const int vorzeichen = weiss ? 1 : -1;
      if (eigene & st.bauern) return 0;
      if (eigene & st.springer)
        return Erkannt(
            st, vorzeichen * LaeuferSpringerMatt(ErstesBit(laeufer), angreiferK, verteidigerK),
            false);
      if ((st.weiss | st.schwarz) & ~(z.koenigW | z.koenigS) & ~laeufer) return 0;
      if ((laeufer & HelleFelder) && (laeufer & DunkleFelder))
        return Erkannt(st, vorzeichen * LaeuferpaarMatt(angreiferK, verteidigerK), false);
      return Erkannt(st, 0, true);
    }
    const bool gleicheFarbe = !(st.laeufer & HelleFelder) || !(st.laeufer & DunkleFelder);
    if (gleicheFarbe) return Erkannt(st, 0, true);
    const int lW = ErstesBit(z.laeuferW), lS = ErstesBit(z.laeuferS);
    return Erkannt(
        st,
        LaeuferEckmatt(kW, kS, lW, lS, weissAmZug) - LaeuferEckmatt(kS, kW, lS, lW, !weissAmZug),
        false);
  }

  if (z.damenW && z.bauernS)
    return DameGegenBauerRemis(ErstesBit(z.bauernS), kS, kW) ? Erkannt(st, 1, false) : 0;
  if (z.damenS && z.bauernW) {
    auto gedreht = [](int feld) { return feld ^ 56; };
    return DameGegenBauerRemis(gedreht(ErstesBit(z.bauernW)), gedreht(kW), gedreht(kS))
               ? Erkannt(st, -1, false)
               : 0;
  }
  return 0;
}

}  // namespace

uint8_t EndspielErkenner(Stellung& st, uint8_t n, const BewertungsZustand& z) {
  if (n <= 2) return Erkannt(st, 0, true);
  // Every rule below reads both kings; a board without one is left to the
  // general evaluation.
  if (!z.koenigW || !z.koenigS) return 0;
  const int kW = st.koenigW, kS = st.koenigS;

  if (n == 3) {
    const Bitboard figur = (st.weiss | st.schwarz) & ~(z.koenigW | z.koenigS);
    if (st.bauern || BitAnzahl(figur) != 1) return 0;
    if (figur & (st.springer | st.laeufer)) return Erkannt(st, 0, true);
    const bool weiss = (figur & st.weiss) != 0;
    const int32_t b = SchwerfigurMatt(ErstesBit(figur), (figur & st.damen) != 0, weiss ? kW : kS,
                                      weiss ? kS : kW);
    return Erkannt(st, weiss ? b : -b, false);
  }
  if (n == 4) return VierSteine(st, z, kW, kS);
  return 0;
}

}  // namespace galdrik
