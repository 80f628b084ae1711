// Corresponding squares: which pawn structures get a table, what the table
// says, its colour symmetry, and the cache (lookup, ring, emptying, and a
// failed allocation).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/gegenfeld.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

using test::Brett;
using test::Feld;

uint64_t Systeme() { return GegenfeldSysteme(); }

// Each test starts with a cache of its own size and leaves none behind.
class Gegenfeld : public ::testing::Test {
 protected:
  void TearDown() override { GegenfeldHashFrei(); }

  // Builds (or finds) the table of the position; false when none.
  bool Tabelle(const std::string& stellung, int32_t modus = GegenfeldBlockiert) {
    return GegenfeldTabelle(Brett(stellung), modus, puffer_);
  }
  int Wert(const char* weiss, const char* schwarz, int weissAmZug) const {
    return puffer_.werte[GegenfeldIndex(Feld(weiss), Feld(schwarz), weissAmZug)];
  }

  Gegenfeldeintrag puffer_{};
};

TEST_F(Gegenfeld, WhichStructuresGetATable) {
  struct Fall {
    const char* name;
    const char* stellung;
    int32_t modus;
    bool tabelle;
  };
  const Fall faelle[] = {
      {"locked centre pawns, mode 1", "8/4k3/8/4p3/4P3/8/8/4K3 w - -", 1, true},
      {"mode 0: never", "8/4k3/8/4p3/4P3/8/8/4K3 w - -", 0, false},
      {"an unknown mode: never", "8/4k3/8/4p3/4P3/8/8/4K3 w - -", 4, false},
      {"a negative mode: never", "8/4k3/8/4p3/4P3/8/8/4K3 w - -", -1, false},
      {"mode 1, a pawn that can capture", "8/4k3/8/3pp3/4P3/8/8/4K3 w - -", 1, false},
      {"mode 2, a pawn that can capture", "8/4k3/8/3pp3/4P3/8/8/4K3 w - -", 2, false},
      {"mode 3 takes even that", "8/4k3/8/3pp3/4P3/8/8/4K3 w - -", 3, true},
      {"mode 1, a free pawn", "8/4k3/8/4p3/4P3/8/7P/4K3 w - -", 1, false},
      {"mode 2, a free pawn", "8/4k3/8/4p3/4P3/8/7P/4K3 w - -", 2, false},
      {"mode 2, fronts guarded by enemy pawns", "8/4k3/3p4/8/2P5/8/8/4K3 w - -", 2, true},
      {"mode 1, fronts only guarded", "8/4k3/3p4/8/2P5/8/8/4K3 w - -", 1, false},
      {"a piece on the board", "8/4k3/8/4p3/4P3/8/8/3NK3 w - -", 3, false},
      {"no pawns at all", "8/4k3/8/8/8/8/8/4K3 w - -", 3, false},
  };
  for (const auto& f : faelle) EXPECT_EQ(Tabelle(f.stellung, f.modus), f.tabelle) << f.name;
}

// Locked a-pawns: winning the enemy pawn only counts where the bitbase says
// the rook pawn that is left wins, so only those placements are seeds, and
// only with the side that lost its pawn to move.
TEST_F(Gegenfeld, RookPawnsSeedFromTheBitbaseOnly) {
  ASSERT_TRUE(Tabelle("7k/8/8/p7/P7/8/8/K7 w - -"));
  EXPECT_EQ(puffer_.bauernW, Bitboard{1} << Feld("a4"));
  EXPECT_EQ(puffer_.bauernS, Bitboard{1} << Feld("a5"));
  // White's king has taken on a5, Black's king is far: the a-pawn wins.
  EXPECT_EQ(Wert("a5", "h1", 0), 100);
  EXPECT_EQ(Wert("a5", "h1", 1), 0);
  // Black's king in the corner holds any a-pawn.
  EXPECT_EQ(Wert("a5", "a8", 0), 0);
  // One king move before, and two.
  EXPECT_EQ(Wert("b6", "h1", 1), 99);
  EXPECT_EQ(Wert("b6", "h2", 0), 98);
  // The same for Black's king on a4.
  EXPECT_EQ(Wert("h8", "a4", 1), -100);
  EXPECT_EQ(Wert("h8", "b3", 0), -99);
}

TEST_F(Gegenfeld, ValuesCountKingMovesToTheWonPawn) {
  // Centre pawns, one each: e4 against e5.
  ASSERT_TRUE(Tabelle("8/4k3/8/4p3/4P3/8/8/4K3 w - -"));
  // Kd5xe5 with the opposition: one move from a won king-pawn ending.
  EXPECT_EQ(Wert("d5", "e7", 1), 99);
  // Black to move defends e5 from d6 (or e6/f6): no win found.
  EXPECT_EQ(Wert("d5", "e7", 0), 0);
  // Every value lies between the extremes and steps towards 0.
  for (int8_t v : puffer_.werte) {
    EXPECT_LE(v, 100);
    EXPECT_GE(v, -100);
  }
}

// With one pawn each the colour mirror of a structure gets the mirrored
// table, entry by entry: a check of the seeds and the bitbase probes. (With
// more pawns the order the passes visit the squares in shows in the values.)
TEST_F(Gegenfeld, MirroredStructureGivesTheMirroredTable) {
  const struct {
    const char* stellung;
    int32_t modus;
  } faelle[] = {
      {"7k/8/8/p7/P7/8/8/K7 w - -", 1},
      {"8/4k3/8/4p3/4P3/8/8/4K3 w - -", 1},
  };
  for (const auto& f : faelle) {
    Gegenfeldeintrag a{}, b{};
    const Stellung st = Brett(f.stellung);
    ASSERT_TRUE(GegenfeldTabelle(st, f.modus, a)) << f.stellung;
    ASSERT_TRUE(GegenfeldTabelle(test::Gespiegelt(st), f.modus, b)) << f.stellung;
    int abweichungen = 0, gewonnen = 0;
    for (int w = 0; w < 64; ++w)
      for (int s = 0; s < 64; ++s)
        for (int zug = 0; zug < 2; ++zug) {
          // Both kings on pawns at once is no position; seeds of either
          // side may cover such entries.
          if ((st.bauern >> w & 1) && (st.bauern >> s & 1)) continue;
          const int va = a.werte[GegenfeldIndex(w, s, zug)];
          const int vb = b.werte[GegenfeldIndex(s ^ 56, w ^ 56, 1 - zug)];
          abweichungen += va != -vb;
          gewonnen += va != 0;
        }
    EXPECT_EQ(abweichungen, 0) << f.stellung;
    EXPECT_GT(gewonnen, 0) << f.stellung;
  }
}

// The table built square by square as a user would on paper: seeds where a
// king stands on an unguarded enemy pawn, then passes over White's king
// squares and, for each, Black's, in rising order, each value written
// straight into the one table. With `kopie` every pass reads a copy of the
// table as the pass before left it instead.
std::vector<int> VonHand(const Stellung& st, bool kopie) {
  auto weissBauer = [&](int q) { return (st.bauern & st.weiss) >> q & 1; };
  auto schwarzBauer = [&](int q) { return (st.bauern & st.schwarz) >> q & 1; };
  auto nachbar = [](int a, int b) {
    return a != b && std::abs(a % 8 - b % 8) <= 1 && std::abs(a / 8 - b / 8) <= 1;
  };
  // Whether a pawn of that colour attacks q.
  auto weissGreift = [&](int q) {
    return q >= 8 && ((q % 8 > 0 && weissBauer(q - 9)) || (q % 8 < 7 && weissBauer(q - 7)));
  };
  auto schwarzGreift = [&](int q) {
    return q < 56 && ((q % 8 > 0 && schwarzBauer(q + 7)) || (q % 8 < 7 && schwarzBauer(q + 9)));
  };
  std::vector<int> v(8192, 0);
  auto wert = [&](std::vector<int>& t, int w, int b, int weissAmZug) -> int& {
    return t[static_cast<size_t>((w * 64 + b) * 2 + weissAmZug)];
  };
  // Black's pawns first: where both kings would stand on pawns (no real
  // position) White's seed is the one that stays.
  for (int p = 0; p < 64; ++p)
    for (int k = 0; k < 64; ++k)
      if (k != p && !nachbar(k, p) && schwarzBauer(p) && !schwarzGreift(p) && !weissGreift(k) &&
          !schwarzBauer(k))
        wert(v, p, k, 0) = wert(v, p, k, 1) = 100;
  for (int p = 0; p < 64; ++p)
    for (int k = 0; k < 64; ++k)
      if (k != p && !nachbar(k, p) && weissBauer(p) && !weissGreift(p) && !schwarzGreift(k) &&
          !weissBauer(k))
        wert(v, k, p, 0) = wert(v, k, p, 1) = -100;
  auto schritt = [](int best) { return best >= 2 ? best - 1 : best < -1 ? best + 1 : 0; };
  for (bool geaendert = true; geaendert;) {
    geaendert = false;
    std::vector<int> vorher = v;
    std::vector<int>& lesen = kopie ? vorher : v;
    for (int w = 0; w < 64; ++w) {
      if (schwarzGreift(w) || weissBauer(w) || schwarzBauer(w)) continue;
      for (int b = 0; b < 64; ++b) {
        if (weissGreift(b) || weissBauer(b) || schwarzBauer(b) || b == w || nachbar(w, b)) continue;
        if (wert(v, w, b, 1) == 0) {
          int best = -127;
          bool zug = false;
          for (int z = 0; z < 64; ++z)
            if (nachbar(z, w) && !nachbar(z, b) && !schwarzGreift(z) && !weissBauer(z)) {
              best = std::max(best, wert(lesen, z, b, 0));
              zug = true;
            }
          if (zug && schritt(best) != 0) {
            wert(v, w, b, 1) = schritt(best);
            geaendert = true;
          }
        }
        if (wert(v, w, b, 0) == 0) {
          int best = 127;
          bool zug = false;
          for (int z = 0; z < 64; ++z)
            if (nachbar(z, b) && !nachbar(z, w) && !weissGreift(z) && !schwarzBauer(z)) {
              best = std::min(best, wert(lesen, w, z, 1));
              zug = true;
            }
          if (zug && schritt(best) != 0) {
            wert(v, w, b, 0) = schritt(best);
            geaendert = true;
          }
        }
      }
    }
  }
  return v;
}

// Structures with two pawns a side or more (no bitbase seeds): the table is
// the hand-made one, values written in place, which differs from passes that
// each read the one before.
TEST_F(Gegenfeld, PassesWriteIntoTheOneTable) {
  const struct {
    const char* stellung;
    int32_t modus;
  } faelle[] = {
      {"8/8/3p4/3P4/8/6p1/6P1/K6k w - -", 1},
      {"8/1k6/p1p5/P1P2p2/5P2/8/8/6K1 w - -", 1},
      {"8/1k6/2p3p1/2P5/6P1/8/8/6K1 w - -", 3},
  };
  for (const auto& f : faelle) {
    const Stellung st = Brett(f.stellung);
    ASSERT_TRUE(GegenfeldTabelle(st, f.modus, puffer_)) << f.stellung;
    const std::vector<int> erwartet = VonHand(st, false);
    int abweichungen = 0;
    for (size_t i = 0; i < erwartet.size(); ++i) abweichungen += puffer_.werte[i] != erwartet[i];
    EXPECT_EQ(abweichungen, 0) << f.stellung;
    EXPECT_NE(VonHand(st, true), erwartet) << f.stellung;
  }
}

TEST_F(Gegenfeld, SecondLookupComesFromTheCache) {
  ASSERT_EQ(GegenfeldHashAllok(4), 0);
  const uint64_t vorher = Systeme();
  ASSERT_TRUE(Tabelle("8/4k3/8/4p3/4P3/8/8/4K3 w - -"));
  const Gegenfeldeintrag erster = puffer_;
  EXPECT_EQ(Systeme(), vorher + 1);
  // Other kings and side to move, same pawns: the same table.
  puffer_ = Gegenfeldeintrag{};
  ASSERT_TRUE(Tabelle("8/8/2k5/4p3/4P3/8/5K2/8 b - -"));
  EXPECT_EQ(Systeme(), vorher + 1);
  EXPECT_EQ(0, std::memcmp(&erster, &puffer_, sizeof puffer_));
  // A second structure is computed and kept beside the first.
  ASSERT_TRUE(Tabelle("7k/8/8/p7/P7/8/8/K7 w - -"));
  ASSERT_TRUE(Tabelle("8/4k3/8/4p3/4P3/8/8/4K3 w - -"));
  ASSERT_TRUE(Tabelle("7k/8/8/p7/P7/8/8/K7 w - -"));
  EXPECT_EQ(Systeme(), vorher + 2);
  // Emptied (as before every search), the cache knows neither.
  GegenfeldHashLeeren();
  ASSERT_TRUE(Tabelle("8/4k3/8/4p3/4P3/8/8/4K3 w - -"));
  EXPECT_EQ(Systeme(), vorher + 3);
}

TEST_F(Gegenfeld, OneSlotIsOverwrittenByEachNewStructure) {
  ASSERT_EQ(GegenfeldHashAllok(1), 0);
  const uint64_t vorher = Systeme();
  const std::string a = "8/4k3/8/4p3/4P3/8/8/4K3 w - -", b = "7k/8/8/p7/P7/8/8/K7 w - -";
  ASSERT_TRUE(Tabelle(a));
  ASSERT_TRUE(Tabelle(a));
  EXPECT_EQ(Systeme(), vorher + 1);
  ASSERT_TRUE(Tabelle(b));
  EXPECT_EQ(Systeme(), vorher + 2);
  ASSERT_TRUE(Tabelle(a));  // b took the only slot
  EXPECT_EQ(Systeme(), vorher + 3);
  EXPECT_EQ(Wert("d5", "e7", 1), 99);
}

// A cache whose memory could not be had has no entries and stores nothing;
// every table is computed afresh and is still right.
TEST_F(Gegenfeld, WithoutCacheEveryTableIsComputed) {
  ASSERT_EQ(GegenfeldHashAllok(2), 0);
  EXPECT_EQ(GegenfeldHashAllok(UINT32_MAX), -1);  // 35 TB
  EXPECT_EQ(GegenfeldHashAnzahl(), 0u);
  EXPECT_EQ(GegenfeldHashAllok(0), -1);
  EXPECT_EQ(GegenfeldHashAnzahl(), 0u);
  GegenfeldHashLeeren();
  const uint64_t vorher = Systeme();
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(Tabelle("8/4k3/8/4p3/4P3/8/8/4K3 w - -"));
    EXPECT_EQ(Wert("d5", "e7", 1), 99);
  }
  EXPECT_EQ(Systeme(), vorher + 3);
}

}  // namespace
}  // namespace galdrik
