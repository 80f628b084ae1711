// The six-man pawnless index functions: worked indices, the capacity
// shortfalls, the count rule on the last king pair, and random samples for
// injectivity and the board symmetries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/tbliste.h"
#include "support/tbwalk.h"
#include "tbindex/catalogue.h"
#include "tbindex/layout.h"
#include "tbindex/indexscheme.h"

namespace galdrik {
namespace {

using test::IdOf;
using test::ListOf;
using test::Sq;

uint64_t Index(const char* table, int side, const char* white, const char* black, int ep = 127,
               int invert = 0) {
  const TbIndexFn fn = TbCatalogueIndexFn(IdOf(table), side);
  if (!fn) return TbNoIndex - 1;
  const TbPieceList w = ListOf(white), b = ListOf(black);
  return fn(&w, &b, ep, invert);
}

std::vector<int> SixManPawnlessIds() {
  std::vector<int> ids;
  for (int id = 0; id < TbTableCount; ++id) {
    if (TbSixManPawnless(id)) ids.push_back(id);
  }
  return ids;
}

class TbSixMan : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TbBuildIndexTables(); }
};

TEST_F(TbSixMan, ClassMembers) {
  const std::vector<int> ids = SixManPawnlessIds();
  ASSERT_EQ(ids.size(), 135u);
  EXPECT_EQ(ids.front(), 146);
  EXPECT_EQ(std::string(TbCatalogue[200].name), "kqrkqb");
  EXPECT_EQ(std::string(TbCatalogue[266].name), "knnnkn");
  EXPECT_EQ(std::string(TbCatalogue[345].name), "kqrbkq");
  for (int id : ids) {
    for (int side = 0; side < 2; ++side) EXPECT_NE(TbCatalogueIndexFn(id, side), nullptr) << id;
  }
  // The tables with pawns between and after them are another class.
  EXPECT_FALSE(TbSixManPawnless(201));
  EXPECT_FALSE(TbSixManPawnless(265));
  EXPECT_FALSE(TbSixManPawnless(346));
  EXPECT_FALSE(TbSixManPawnless(145));
}

TEST_F(TbSixMan, WorkedIndices) {
  const struct {
    const char* table;
    int side;
    const char* white;
    const char* black;
    uint64_t expected;
  } rows[] = {
      // Three against three.
      {"knnknn", 0, "Ke1 Nb1 Ng1", "Ke8 Nb8 Ng8", 564277707},
      {"kbnkbn", 1, "Ke1 Bc1 Nb1", "Ke8 Bf8 Ng8", 2386462560},
      {"krbkrb", 0, "Ke1 Ra1 Bc1", "Ke8 Rh8 Bf8", 2463007741},
      // Four against two, a repeated white kind.
      {"knnnkn", 0, "Ke1 Nb1 Ng1 Nd4", "Ke8 Nb8", 343666797},
      {"knnnkn", 1, "Ke1 Nb1 Ng1 Nd4", "Ke8 Nb8", 412047548},
      {"kbnnkn", 0, "Ke1 Bc1 Nb1 Ng1", "Ke8 Nb8", 1108519669},
      {"kbnnkn", 1, "Ke1 Bc1 Nb1 Ng1", "Ke8 Nb8", 1236144928},
      {"kbbnkn", 0, "Ke1 Bc1 Bf1 Ng1", "Ke8 Nb8", 1151746668},
      {"kbbnkn", 1, "Ke1 Bc1 Bf1 Ng1", "Ke8 Nb8", 1236141326},
      {"kqqrkb", 0, "Ke1 Qd1 Qh1 Ra1", "Ke8 Bf8", 1049217291},
      {"kqqrkb", 1, "Ke1 Qd1 Qh1 Ra1", "Ke8 Bf8", 1284295890},
      {"kqqqkq", 0, "Kg6 Qa1 Qb1 Qc1", "Kc8 Qh8", 426609353},
      {"kqqqkq", 1, "Kg6 Qa1 Qb1 Qc1", "Kc8 Qh8", 213556389},
      // A position and its left-right mirror.
      {"knnnkn", 0, "Kd1 Nb1 Ng1 Nd4", "Kd8 Nb8", 343647618},
      {"knnnkn", 0, "Ke1 Nb1 Ng1 Ne4", "Ke8 Ng8", 343647618},
      {"knnnkn", 1, "Kd1 Nb1 Ng1 Nd4", "Kd8 Nb8", 411903587},
      {"knnnkn", 1, "Ke1 Nb1 Ng1 Ne4", "Ke8 Ng8", 411903587},
      // Own king on the diagonal, other king above it: reflected.
      {"knnnkn", 0, "Kb2 Nc1 Nd1 Ne1", "Kc7 Nh1", 375672049},
      {"knnnkn", 0, "Kb2 Na3 Na4 Na5", "Kg3 Na8", 375672049},
      // Both kings on the diagonal: not reflected, so the images differ.
      {"knnnkn", 0, "Kb2 Nc1 Nd1 Ne1", "Kg7 Nh1", 398112888},
      {"knnnkn", 0, "Kb2 Na3 Na4 Na5", "Kg7 Na8", 398393421},
      // Own king a knight's move from the other king: no ordinal dropped.
      {"knnnkn", 0, "Kd6 Nb1 Ng1 Nd4", "Ke8 Nb8", 655673078},
      // Four against two, three different white kinds; kqbnkq Black to move
      // lies above 2^32, White to move between 2^31 and 2^32.
      {"krbnkn", 0, "Ke1 Ra1 Bc1 Nb1", "Ke8 Nb8", 2327399548},
      {"krbnkn", 1, "Ke1 Ra1 Bc1 Nb1", "Ke8 Nb8", 2472297000},
      {"kqrbkq", 0, "Ke1 Qd1 Ra1 Bc1", "Ke8 Qd8", 2273009511},
      {"kqrbkq", 1, "Ke1 Qd1 Ra1 Bc1", "Ke8 Qd8", 2414630458},
      {"kqbnkq", 0, "Kc3 Qh1 Ba2 Nb5", "Kf6 Qe8", 4070557142},
      {"kqbnkq", 1, "Kc3 Qh1 Ba2 Nb5", "Kf6 Qe8", 4442076516},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(Index(r.table, r.side, r.white, r.black), r.expected)
        << r.table << " side " << r.side << " " << r.white << " / " << r.black;
  }
}

TEST_F(TbSixMan, ArgumentsThatChangeNothing) {
  // Like men in any order, any en-passant square and the invert flag.
  const uint64_t base = Index("knnnkn", 0, "Ke1 Nb1 Ng1 Nd4", "Ke8 Nb8");
  for (const char* knights : {"Ke1 Nd4 Ng1 Nb1", "Ke1 Ng1 Nd4 Nb1", "Ke1 Nd4 Nb1 Ng1"}) {
    EXPECT_EQ(Index("knnnkn", 0, knights, "Ke8 Nb8"), base) << knights;
  }
  EXPECT_EQ(Index("knnnkn", 0, "Ke1 Nb1 Ng1 Nd4", "Ke8 Nb8", Sq("e3"), 1), base);
  EXPECT_EQ(Index("kbbnkn", 1, "Ke1 Bf1 Bc1 Ng1", "Ke8 Nb8", Sq("d6"), 1), 1236141326u);
  EXPECT_EQ(Index("knnknn", 0, "Ke1 Ng1 Nb1", "Ke8 Ng8 Nb8"), 564277707u);
  // Symmetric tables: Black to move is White's index of the colours exchanged.
  for (const char* t : {"knnknn", "kbnkbn", "kqqkqq", "krbkrb"}) {
    const int id = IdOf(t);
    ASSERT_TRUE(TbCatalogue[id].flags & TbFlagSymmetric) << t;
    const TbPieceList w = ListOf("Kc2 Qf5 Rb7 Bh3 Ne6"), b = ListOf("Kg6 Qa4 Rd8 Bd1 Nc4");
    EXPECT_EQ(TbCatalogueIndexFn(id, 1)(&w, &b, 127, 0), TbCatalogueIndexFn(id, 0)(&b, &w, 127, 0))
        << t;
  }
}

// The index space less the catalogue count: the shortfalls of the class,
// zero for every side not listed.
TEST_F(TbSixMan, CapacityShortfalls) {
  const struct {
    const char* name;
    int side;
    uint64_t shortfall;
  } rows[] = {
      {"kbnknn", 0, 1770}, {"kqrknn", 0, 1770}, {"kqrkbb", 0, 1770}, {"kqrkrr", 0, 1770},
      {"kbbkbn", 1, 1770}, {"krrkbn", 1, 1770}, {"kqqkbn", 1, 1770}, {"kqqkqr", 1, 1770},
      {"kbnkbn", 0, 3540}, {"kbnkbn", 1, 3540}, {"kqrkqr", 0, 3540}, {"kqrkqr", 1, 3540},
      {"krnkbn", 1, 3540}, {"krbkbn", 1, 3540}, {"kqnkbn", 1, 3540}, {"kqbkbn", 1, 3540},
      {"kqrkbn", 1, 3540}, {"kqrkbn", 0, 3540}, {"kqrkrn", 0, 3540}, {"kqrkrb", 0, 3540},
      {"kqrkqn", 0, 3540}, {"kqrkqb", 0, 3540},
  };
  // Four against two, White to move: 59 times g, by White's pieces.
  const std::pair<const char*, uint64_t> fourAgainstTwo[] = {
      {"bnn", 2}, {"bbn", 2}, {"qrr", 2}, {"qqr", 2}, {"rnn", 1},  {"rbb", 1},
      {"qnn", 1}, {"qbb", 1}, {"rbn", 2}, {"qbn", 2}, {"qrn", 60}, {"qrb", 61},
  };
  for (int id : SixManPawnlessIds()) {
    const std::string name = TbCatalogue[id].name;
    for (int side = 0; side < 2; ++side) {
      uint64_t expected = 0;
      for (const auto& r : rows) {
        if (r.side == side && name == r.name) expected = r.shortfall;
      }
      if (id >= 266 && side == 0) {
        for (const auto& [white, g] : fourAgainstTwo) {
          if (name.substr(1, 3) == white) expected = 59 * g;
        }
      }
      EXPECT_EQ(TbIndexSpace(id, side) - TbCatalogue[id].entryCount[side], expected)
          << name << " side " << side;
    }
  }
  // Index spaces quoted for the classes, above 2^32 where they say so.
  EXPECT_EQ(TbIndexSpace(IdOf("krbkrb"), 0), 5644742400u);
  EXPECT_EQ(TbIndexSpace(IdOf("krbnkn"), 0), 5356454240u);
  EXPECT_EQ(TbIndexSpace(IdOf("krbnkb"), 1), 5882853420u);
  EXPECT_EQ(TbIndexSpace(IdOf("kbnnkq"), 1), 2767810950u);
  EXPECT_EQ(TbIndexSpace(IdOf("knnnkr"), 1), 973025640u);
}

// Count rule: the largest index of a legal placement plus one is the
// catalogue count. The pair is the leading digit and (d4, h8) the last
// pair, so walking the kings on d4 and h8 alone finds the largest index.
// The regular run takes one table of each shape and krbkrb, whose largest
// index 5644742399 is far above 2^32; the long run takes all.
class TbSixManLastPair : public ::testing::TestWithParam<int> {};

TEST_P(TbSixManLastPair, LargestIndexIsCount) {
  TbBuildIndexTables();
  const int id = GetParam();
  for (int side = 0; side < 2; ++side) {
    test::TbWalkOptions last;
    last.kings = [](int own, int other) { return own == Sq("d4") && other == Sq("h8"); };
    last.checkInjective = last.checkImages = false;
    const test::TbWalkReport r = test::TbCheckSide(id, side, last);
    const int read = (TbCatalogue[id].flags & TbFlagSymmetric) ? 0 : side;
    EXPECT_EQ(r.maxIndex + 1, TbCatalogue[id].entryCount[read])
        << TbCatalogue[id].name << " side " << side;
    EXPECT_EQ(r.outOfRange, 0u) << TbCatalogue[id].name << " side " << side << ": " << r.first;
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, TbSixManLastPair,
                         ::testing::Values(146, 147, 180, 182, 200, 266, 267, 268, 270, 345),
                         [](const ::testing::TestParamInfo<int>& table) {
                           return std::string(TbCatalogue[table.param].name);
                         });

// Random legal placements of every table side: the index stays below the
// count, the board's images share it (only a reflection with both kings on
// the diagonal may move it), and no index is shared by two placements that
// are not images of each other. To give a faulty digit a chance to collide,
// each sample also walks its last two men over the whole board.
TEST_F(TbSixMan, RandomSamples) {
  std::mt19937_64 random(20261210);
  for (int id : SixManPawnlessIds()) {
    const char* name = TbCatalogue[id].name;
    const std::vector<test::TbMan> men = test::TbMenOf(name);
    const int n = static_cast<int>(men.size());
    for (int side = 0; side < 2; ++side) {
      const TbIndexFn fn = TbCatalogueIndexFn(id, side);
      const uint64_t count =
          TbCatalogue[id].entryCount[(TbCatalogue[id].flags & TbFlagSymmetric) ? 0 : side];
      int ownKing = 0, otherKing = 0;
      for (int i = 0; i < n; ++i) {
        if (men[i].kind == TbKing) (men[i].colour == side ? ownKing : otherKing) = i;
      }
      auto indexOf = [&](const int* s) {
        TbPieceList l[2];
        test::TbListsOf(men, s, l);
        return fn(&l[0], &l[1], TbNoEnPassant, 0);
      };
      auto key = [&](const int* s) {
        int t[6];
        std::copy(s, s + n, t);
        for (int i = 0; i < n; ++i) {
          for (int j = i + 1; j < n; ++j) {
            if (men[i].colour == men[j].colour && men[i].kind == men[j].kind && t[j] < t[i])
              std::swap(t[i], t[j]);
          }
        }
        uint64_t k = 0;
        for (int i = 0; i < n; ++i) k = k * 64 + static_cast<uint64_t>(t[i]);
        return k;
      };
      auto mapped = [](int q, int which) {
        if (which & 1) q ^= 7;
        if (which & 2) q ^= 56;
        if (which & 4) q = test::TbTransposeSquare(q);
        return q;
      };
      auto canonical = [&](const int* s) {
        uint64_t best = key(s);
        for (int which = 1; which < 8; ++which) {
          int t[6];
          for (int i = 0; i < n; ++i) t[i] = mapped(s[i], which);
          best = std::min(best, key(t));
        }
        return best;
      };
      std::vector<std::pair<uint64_t, uint64_t>> seen;
      int faults = 0;
      std::string first;
      auto check = [&](const int* s, bool images) {
        if (!test::TbLegal(men, s, side)) return;
        const uint64_t index = indexOf(s);
        if (index >= count) {
          if (!faults++) first = "out of range " + std::to_string(index);
          return;
        }
        seen.push_back({index, canonical(s)});
        if (!images) return;
        const int m = TbQuadrantMask[s[ownKing]];
        const int K = s[ownKing] ^ m, k = s[otherKing] ^ m;
        const bool bothOnDiagonal = K % 8 == K / 8 && k % 8 == k / 8;
        for (int which = 1; which < 8; ++which) {
          int t[6];
          for (int i = 0; i < n; ++i) t[i] = mapped(s[i], which);
          if (indexOf(t) != index && !((which & 4) && bothOnDiagonal)) {
            if (!faults++) first = "image " + std::to_string(which);
          }
        }
      };
      for (int sample = 0; sample < 12; ++sample) {
        int s[6];
        do {
          for (int i = 0; i < n; ++i) s[i] = static_cast<int>(random() % 64);
        } while (!test::TbLegal(men, s, side));
        check(s, true);
        for (int a = 0; a < 64; ++a) {
          for (int b = 0; b < 64; ++b) {
            s[n - 2] = a, s[n - 1] = b;
            check(s, (a * 64 + b) % 97 == 0);
          }
        }
      }
      std::sort(seen.begin(), seen.end());
      for (size_t i = 1; i < seen.size(); ++i) {
        if (seen[i].first == seen[i - 1].first && seen[i].second != seen[i - 1].second) {
          if (!faults++) first = "collision at " + std::to_string(seen[i].first);
        }
      }
      EXPECT_EQ(faults, 0) << name << " side " << side << ": " << first;
    }
  }
}

}  // namespace
}  // namespace galdrik
