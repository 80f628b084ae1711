// The piece-list move generator against the engine's own generator on
// random positions of three to six men, its checker count and attack test
// against a plain brute force, and the cases where the move rules are
// easiest to get wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "analysis/slots.h"
#include "core/movegen.h"

namespace galdrik::test {
namespace {

// ------------------------------------------------------- plain oracles

// Does the piece `code` on s attack z over the occupancy? Walks the board
// square by square.
bool Greift(int code, int s, int z, Bitboard belegt) {
  const int df = (z & 7) - (s & 7), dr = (z >> 3) - (s >> 3);
  const int adf = std::abs(df), adr = std::abs(dr);
  switch (std::abs(code)) {
    case Bauer:
      return adf == 1 && dr == (code > 0 ? 1 : -1);
    case Springer:
      return (adf == 1 && adr == 2) || (adf == 2 && adr == 1);
    case Koenig:
      return std::max(adf, adr) == 1;
    default:
      break;
  }
  const bool gerade = df == 0 || dr == 0, schraeg = adf == adr && adf > 0;
  const int t = std::abs(code);
  if (!((gerade && (t == Turm || t == Dame)) || (schraeg && (t == Laeufer || t == Dame))))
    return false;
  if (s == z) return false;
  const int sf = (df > 0) - (df < 0), sr = (dr > 0) - (dr < 0);
  for (int f = (s & 7) + sf, r = (s >> 3) + sr; f != (z & 7) || r != (z >> 3); f += sf, r += sr)
    if (belegt & (Bitboard{1} << (r * 8 + f))) return false;
  return true;
}

Bitboard Belegt(const Slots& p) {
  Bitboard b = 0;
  for (int k = 0; k < 6; ++k)
    if (p.fig[k]) b |= Bitboard{1} << p.feld[k];
  return b;
}

int KoenigFeldVon(const Slots& p, int farbe) {
  for (int k = 0; k < 6; ++k)
    if (p.fig[k] == (farbe == 1 ? Koenig : -Koenig)) return p.feld[k];
  return -1;
}

// Opposing men other than the king attacking the king of `farbe`, and
// whether the kings stand side by side.
int Angreifer(const Slots& p, int farbe, bool* nebeneinander = nullptr) {
  const Bitboard b = Belegt(p);
  const int k = KoenigFeldVon(p, farbe);
  int n = 0;
  for (int i = 0; i < 6; ++i) {
    const int c = p.fig[i];
    if (c == 0 || (c > 0) == (farbe == 1)) continue;
    if (std::abs(c) == Koenig) {
      if (nebeneinander) *nebeneinander = Greift(c, p.feld[i], k, b);
      continue;
    }
    n += Greift(c, p.feld[i], k, b);
  }
  return n;
}

// Is some man of the side to move pinned to its king by a slider?
bool HatFesselung(const Slots& p) {
  const int k = KoenigFeldVon(p, p.amZug);
  for (int i = 0; i < 6; ++i) {
    if (p.fig[i] == 0 || (p.fig[i] > 0) != (p.amZug == 1) || std::abs(p.fig[i]) == Koenig) continue;
    const Bitboard ohne = Belegt(p) & ~(Bitboard{1} << p.feld[i]);
    for (int j = 0; j < 6; ++j) {
      const int c = p.fig[j];
      if (c == 0 || (c > 0) == (p.amZug == 1) || std::abs(c) < Laeufer || std::abs(c) > Dame)
        continue;
      if (Greift(c, p.feld[j], k, ohne) && !Greift(c, p.feld[j], k, Belegt(p))) return true;
    }
  }
  return false;
}

// ------------------------------------------------------------ comparing

struct Vergleich {
  uint32_t anzahl = 0;
  uint32_t schach = 0;
  int epSchlaege = 0;
};

// Compares the piece-list moves with ZugGenerator's: the same moves, flags
// that agree with the engine's move, slot order, targets rising per piece.
Vergleich VergleicheMitZugGenerator(Slots& p) {
  Vergleich v;
  FigurenlisteZugliste l;
  v.anzahl = p.Zuege(l, v.schach);
  EXPECT_EQ(v.anzahl, l.anzahl);
  const Stellung st = p.AlsStellung();
  const Zugliste ref = ZugGenerator(st, GenAlleZuege);

  std::vector<int> eigene, erwartet;
  const Bitboard belegt = Belegt(p);
  for (uint32_t i = 0; i < v.anzahl; ++i) {
    const int slot = l.slot[i], von = p.feld[slot], nach = l.ziel[i], flag = l.flags[i];
    const int code = p.fig[slot];
    eigene.push_back(von * 4096 + nach * 256 + (flag & 0xF0));
    EXPECT_TRUE(flag == 0 || flag == 2 || flag == 4 || flag == 16 || flag == 32 || flag == 64 ||
                flag == 128 || flag == 18 || flag == 34 || flag == 66 || flag == 130)
        << flag;
    const bool ep = std::abs(code) == Bauer && nach == p.ep;
    v.epSchlaege += ep;
    EXPECT_EQ((flag & 2) != 0, ep || (belegt & (Bitboard{1} << nach)) != 0);
    bool nebenBauer = false;
    if (std::abs(code) == Bauer && std::abs(nach - von) == 16) {
      for (int d : {-1, 1}) {
        const int f = (nach & 7) + d;
        if (f < 0 || f > 7) continue;
        for (int j = 0; j < 6; ++j) nebenBauer |= p.fig[j] == -code && p.feld[j] == nach + d;
      }
    }
    EXPECT_EQ(flag == 4, nebenBauer);
    if (i > 0) {
      EXPECT_LE(l.slot[i - 1], slot);
      if (l.slot[i - 1] == slot && std::abs(code) != Bauer) {
        EXPECT_LT(l.ziel[i - 1], nach);
      }
    }
  }
  for (int i = 0; i < ref.anzahl; ++i) {
    const Zug& z = ref.zuege[i];
    erwartet.push_back(z.von * 4096 + z.nach * 256 + (IstUmwandlung(z) ? z.zugart : 0));
  }
  std::sort(eigene.begin(), eigene.end());
  std::sort(erwartet.begin(), erwartet.end());
  EXPECT_EQ(eigene, erwartet);
  return v;
}

// ------------------------------------------------------ random positions

// Men other than kings are drawn from all types and both colours; a
// quarter of the positions set up an en-passant chance: the opposing pawn
// has just made its double step and an own pawn may stand beside it.
bool ZufallsStellung(std::mt19937& rng, Slots& p) {
  auto wuerfel = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  p = Slots{};
  const int maenner = 3 + wuerfel(4);
  p.amZug = wuerfel(2);
  const int e = p.amZug == 1 ? 1 : -1;
  p.fig[0] = Koenig;
  p.fig[1] = -Koenig;
  p.feld[0] = wuerfel(64);
  p.feld[1] = wuerfel(64);
  int n = 2;
  if (maenner >= 4 && wuerfel(4) == 0) {
    const int linie = wuerfel(8);
    const int reihe = p.amZug == 1 ? 4 : 3;
    p.fig[n] = static_cast<int8_t>(-e * Bauer);
    p.feld[n++] = reihe * 8 + linie;
    p.ep = (reihe + e) * 8 + linie;
    const int neben = linie + (wuerfel(2) ? 1 : -1);
    if (neben >= 0 && neben < 8) {
      p.fig[n] = static_cast<int8_t>(e * Bauer);
      p.feld[n++] = reihe * 8 + neben;
    }
  }
  if (maenner - n >= 2 && wuerfel(3) == 0) {
    // An own man on a line between the own king and an opposing slider.
    static constexpr int richtungen[8][2] = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},
                                             {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    const int r = wuerfel(8);
    const int a = 1 + wuerfel(3), weit = a + 1 + wuerfel(4);
    const int kf = p.feld[p.amZug == 1 ? 0 : 1];
    const int f = (kf & 7) + weit * richtungen[r][0], rr = (kf >> 3) + weit * richtungen[r][1];
    if (f >= 0 && f < 8 && rr >= 0 && rr < 8) {
      p.fig[n] = static_cast<int8_t>(e * (1 + wuerfel(5)));
      p.feld[n++] = kf + a * (richtungen[r][0] + 8 * richtungen[r][1]);
      const int8_t slider = r < 4 ? (wuerfel(2) ? Turm : Dame) : (wuerfel(2) ? Laeufer : Dame);
      p.fig[n] = static_cast<int8_t>(-e * slider);
      p.feld[n++] = rr * 8 + f;
    }
  }
  for (; n < maenner; ++n) {
    p.fig[n] = static_cast<int8_t>((1 + wuerfel(5)) * (wuerfel(2) ? 1 : -1));
    p.feld[n] = wuerfel(64);
  }
  Bitboard b = 0;
  for (int k = 0; k < n; ++k) {
    const Bitboard m = Bitboard{1} << p.feld[k];
    if (b & m) return false;
    b |= m;
    const int reihe = p.feld[k] >> 3;
    if (std::abs(p.fig[k]) == Bauer && (reihe == 0 || reihe == 7)) return false;
  }
  if (p.ep < 64) {
    // The square passed over and the pawn's start square are empty.
    if (b & ((Bitboard{1} << p.ep) | (Bitboard{1} << (p.ep + 8 * e)))) return false;
  }
  bool nebeneinander = false;
  Angreifer(p, 1 - p.amZug, &nebeneinander);
  if (nebeneinander || Angreifer(p, 1 - p.amZug) > 0) return false;
  // Shuffle the slots so kings are not always first.
  for (int k = 5; k > 0; --k) {
    const int j = wuerfel(k + 1);
    std::swap(p.fig[k], p.fig[j]);
    std::swap(p.feld[k], p.feld[j]);
  }
  return true;
}

TEST(FigurenlisteZuege, GleichtDemZugGeneratorAufZufallsstellungen) {
  std::mt19937 rng(20261210);
  int stellungen = 0, doppelschach = 0, schach = 0, fesselungen = 0, epStellungen = 0,
      epSchlaege = 0;
  Slots p;
  while (stellungen < 100000) {
    if (!ZufallsStellung(rng, p)) continue;
    ++stellungen;
    const Vergleich v = VergleicheMitZugGenerator(p);
    const int angreifer = Angreifer(p, p.amZug);
    ASSERT_EQ(v.schach, static_cast<uint32_t>(angreifer));
    EXPECT_EQ(p.Bedroht(p.amZug), angreifer > 0 ? 1 : 0);
    EXPECT_EQ(p.Bedroht(1 - p.amZug), 0);
    schach += angreifer == 1;
    doppelschach += angreifer >= 2;
    fesselungen += HatFesselung(p);
    epStellungen += p.ep < 64;
    epSchlaege += v.epSchlaege;
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << "position " << stellungen << " to move " << p.amZug << " ep " << p.ep;
      return;
    }
  }
  // The run must have met what it claims to cover.
  EXPECT_GT(schach, 5000);
  EXPECT_GT(doppelschach, 250);
  EXPECT_GT(fesselungen, 2500);
  EXPECT_GT(epStellungen, 5000);
  EXPECT_GT(epSchlaege, 1250);
}

// ------------------------------------------------------------ edge cases

struct Fall {
  const char* name;
  const char* stellung;
  uint32_t anzahl;
  uint32_t schach;
  std::vector<std::string> mit;   // "e2e4:0" = this move with this flag
  std::vector<std::string> ohne;  // "e2e3" = no move between these squares
  bool legal = true;              // also compared with ZugGenerator
};

std::string ZugText(const Slots& p, const FigurenlisteZugliste& l, uint32_t i) {
  auto name = [](int s) {
    return std::string{static_cast<char>('a' + (s & 7)), static_cast<char>('1' + (s >> 3))};
  };
  return name(p.feld[l.slot[i]]) + name(l.ziel[i]) + ":" + std::to_string(l.flags[i]);
}

TEST(FigurenlisteZuege, Grenzfaelle) {
  const std::vector<Fall> faelle = {
      {"double check: king moves only",
       "4r1k1/8/8/8/8/3n4/7R/4K3 w -",
       3,
       2,
       {"e1d1:0", "e1d2:0", "e1f1:0"},
       {"h2e2", "e1e2", "e1f2"}},
      {"rank check: not behind the king",
       "7k/8/8/8/8/8/8/r3K3 w -",
       3,
       1,
       {"e1d2:0", "e1e2:0", "e1f2:0"},
       {"e1f1", "e1d1"}},
      {"rank check: the unprotected checker is taken",
       "7k/8/8/8/8/8/8/3rK3 w -",
       3,
       1,
       {"e1d1:2", "e1e2:0", "e1f2:0"},
       {"e1f1", "e1d2"}},
      {"pawn pinned on its file pushes",
       "4r2k/8/8/8/8/8/4P3/4K3 w -",
       6,
       0,
       {"e2e3:0", "e2e4:0"},
       {}},
      {"pawn pinned on a diagonal takes the pinner only",
       "7k/8/8/8/8/3n1b2/4P3/3K4 w -",
       3,
       0,
       {"e2f3:2"},
       {"e2d3", "e2e3", "e2e4"}},
      {"pawn pinned on its rank has no move",
       "7k/8/8/8/8/2b5/r2PK3/8 w -",
       7,
       0,
       {},
       {"d2d3", "d2d4", "d2c3"}},
      {"double step blocks a check the single step does not",
       "7k/8/8/8/r6K/8/3P4/8 w -",
       5,
       1,
       {"d2d4:0"},
       {"d2d3"}},
      {"double step beside an opposing pawn",
       "7k/8/8/8/4p3/8/3P4/3K4 w -",
       6,
       0,
       {"d2d3:0", "d2d4:4"},
       {}},
      {"seventh-rank pawn: pushes, then captures",
       "3r3k/4P3/8/8/8/8/8/K7 w -",
       11,
       0,
       {"e7e8:16", "e7e8:32", "e7e8:64", "e7e8:128", "e7d8:18", "e7d8:34", "e7d8:66", "e7d8:130"},
       {}},
      {"black pawn promotes downwards",
       "k7/8/8/8/8/8/5p2/K5N1 b -",
       11,
       0,
       {"f2f1:128", "f2g1:130"},
       {}},
      {"a checking pawn is taken en passant",
       "7k/8/8/3pP3/4K3/8/8/8 w d6",
       8,
       1,
       {"e5d6:2", "e4d5:2"},
       {}},
      {"en passant that bares the king on its rank",
       "8/8/8/KPp4r/8/8/8/7k w c6",
       4,
       0,
       {"b5b6:0"},
       {"b5c6"}},
      {"en passant by a black pawn", "7k/8/8/8/3pP3/8/8/K7 b e3", 5, 0, {"d4e3:2", "d4d3:0"}, {}},
      {"en passant square 64 or above adds nothing",
       "7k/8/8/3pP3/8/8/8/K7 w -",
       4,
       0,
       {},
       {"e5d6"}},
      {"kings side by side", "8/8/8/8/8/8/8/Kk5R w -", 0, 1, {}, {"h1h8", "a1b1"}, false},
      {"kings side by side and a rook check",
       "r7/8/8/8/8/8/7R/Kk6 w -",
       0,
       2,
       {},
       {"a1b1", "h2a2"},
       false},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    Slots p = SlotsAus(f.stellung);
    FigurenlisteZugliste l;
    uint32_t schach = 99;
    const uint32_t n = p.Zuege(l, schach);
    EXPECT_EQ(schach, f.schach);
    EXPECT_EQ(n, f.anzahl);
    std::vector<std::string> texte;
    for (uint32_t i = 0; i < n; ++i) texte.push_back(ZugText(p, l, i));
    for (const std::string& z : f.mit)
      EXPECT_NE(std::find(texte.begin(), texte.end(), z), texte.end()) << z;
    for (const std::string& z : f.ohne)
      for (const std::string& t : texte) EXPECT_NE(t.substr(0, 4), z) << t;
    if (f.legal) VergleicheMitZugGenerator(p);
  }
}

TEST(FigurenlisteZuege, SiebteReiheInDieserReihenfolge) {
  Slots p = SlotsAus("3r3k/4P3/8/8/8/8/8/K7 w -");
  FigurenlisteZugliste l;
  uint32_t schach;
  const uint32_t n = p.Zuege(l, schach);
  std::vector<std::string> bauer;
  for (uint32_t i = 0; i < n; ++i)
    if (p.fig[l.slot[i]] == Bauer) bauer.push_back(ZugText(p, l, i));
  EXPECT_EQ(bauer, (std::vector<std::string>{"e7e8:16", "e7e8:32", "e7e8:64", "e7e8:128", "e7d8:18",
                                             "e7d8:34", "e7d8:66", "e7d8:130"}));
}

TEST(FigurenlisteZuege, LeereSlotsUndKaputteStellungen) {
  // Empty slots may carry a null pointer; their squares are never read.
  int8_t fig[6] = {Koenig, 0, -Koenig, 0, Turm, 0};
  int32_t wk = 4, sk = 60, t = 0;
  int32_t* felder[6] = {&wk, nullptr, &sk, nullptr, &t, nullptr};
  FigurenlisteZugliste l;
  uint32_t schach = 7;
  EXPECT_EQ(FigurenlisteZuege(fig, felder, 200, 1, l, schach), 15u);  // 5 king + 10 rook moves
  EXPECT_EQ(schach, 0u);
  EXPECT_EQ(FigurenlisteKoenigBedroht(fig, felder, 127, 0), 0);

  // A man off the board, a missing king, two kings of one colour: no moves.
  t = 64;
  EXPECT_EQ(FigurenlisteZuege(fig, felder, 127, 1, l, schach), 0u);
  EXPECT_EQ(FigurenlisteKoenigBedroht(fig, felder, 127, 0), 0);
  t = 0;
  fig[4] = Koenig;
  EXPECT_EQ(FigurenlisteZuege(fig, felder, 127, 1, l, schach), 0u);
  fig[4] = 0;
  fig[2] = 0;
  EXPECT_EQ(FigurenlisteZuege(fig, felder, 127, 1, l, schach), 0u);
  EXPECT_EQ(l.anzahl, 0u);
}

TEST(FigurenlisteKoenigBedroht, IgnoriertDenGegnerischenKoenig) {
  struct {
    const char* stellung;
    int weiss, schwarz;
  } const faelle[] = {
      {"8/8/8/8/8/8/8/Kk6 w -", 0, 0},     // kings side by side
      {"r7/8/8/8/8/8/8/Kk6 w -", 1, 0},    // and a rook on the a-file
      {"7k/8/8/8/8/8/1p6/K7 w -", 1, 0},   // black pawn takes towards a1
      {"7k/8/8/8/8/8/p7/K7 w -", 0, 0},    // a pawn straight ahead does not
      {"7k/6P1/8/8/8/8/8/K7 w -", 0, 1},   // white pawn g7 attacks h8
      {"7k/8/8/8/8/8/8/KN4q1 w -", 0, 0},  // queen blocked by the knight
      {"7k/8/8/8/8/8/2n5/K7 w -", 1, 0},   // knight
      {"7k/8/8/8/8/8/8/K5b1 b -", 0, 0},   // bishop off the king's lines
      {"7k/8/8/8/3b4/8/8/K7 b -", 1, 0},   // bishop on the long diagonal
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.stellung);
    Slots p = SlotsAus(f.stellung);
    EXPECT_EQ(p.Bedroht(1), f.weiss);
    EXPECT_EQ(p.Bedroht(0), f.schwarz);
    EXPECT_EQ(p.Bedroht(5), f.schwarz);  // any value but 1 is Black
  }
}

}  // namespace
}  // namespace galdrik::test
