// The five-man index functions: worked indices, hand-computed cases for the
// shapes no worked index covers, the capacity shortfalls, and walks over the
// top king pairs (count rule) and a few sample pairs (injectivity, images).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/tbliste.h"
#include "support/tbwalk.h"
#include "tbindex/catalogue.h"
#include "tbindex/indexscheme.h"
#include "tbindex/layout.h"

namespace galdrik {
namespace {

using test::IdOf;
using test::ListOf;
using test::Sq;

uint64_t Index(const char* table, int side, const char* white, const char* black,
               const char* ep = "", int invert = 0) {
  const TbIndexFn fn = TbCatalogueIndexFn(IdOf(table), side);
  if (!fn) return TbNoIndex - 1;
  const TbPieceList w = ListOf(white), b = ListOf(black);
  return fn(&w, &b, *ep ? Sq(ep) : TbNoEnPassant, invert);
}

// The index notation, read straight from the run-time tables.
uint64_t C2(uint64_t n) { return n * (n - 1) / 2; }
uint64_t Ord(int kind, int k, int K, int s) {
  const uint8_t* row = TbSquareOrdinals[kind][k];
  return row[s] - (row[K] != TbNoOrdinal && s > K ? 1 : 0);
}
uint64_t Pair(int variant, int K, int k) { return uint64_t(TbKingPairIndex[variant][K][k]); }
uint64_t Start(int variant, int kind, int K, int k) {
  return TbEnumStarts(TbKingPairKind(variant), kind)[Pair(variant, K, k)];
}

class TbFiveMan : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TbBuildIndexTables(); }
};

TEST_F(TbFiveMan, WorkedIndices) {
  const struct {
    const char* table;
    int side;
    const char* white;
    const char* black;
    const char* ep;
    uint64_t expected;
  } rows[] = {
      {"knnkn", 0, "Ka1 Nh1 Ng1", "Kc3 Na8", "", 1180972},
      {"knnkn", 0, "Ka1 Na8 Na7", "Kc3 Nh1", "", 1244766},  // its diagonal image
      {"knnkn", 0, "Ka1 Nd4 Ne4", "Kh8 Na8", "", 3029813},
      {"knnkn", 1, "Ka1 Nd4 Ne4", "Kh8 Na8", "", 3316554},
      {"kbnkr", 1, "Kc3 Bf1 Ng1", "Ka1 Rh8", "", 2785504},
      {"kppkp", 0, "Ke1 Pd5 Pa2", "Ke8 Pe5", "e6", 83248031},
      {"kppkp", 1, "Ke1 Pe4 Ph2", "Ke8 Pd4", "e3", 89357403},
      {"knpkp", 0, "Ke1 Nb1 Pd5", "Ke8 Pe5", "e6", 218665030},
      {"knpkp", 1, "Ke1 Nb1 Pe4", "Ke8 Pd4", "e3", 231714365},
      {"krbnk", 0, "Kc1 Rh8 Bh7 Ng8", "Ka1", "", 17964298},
      {"krbnk", 1, "Kc1 Rh8 Bh7 Ng8", "Ka1", "", 226499},
      {"kpppk", 0, "Ke1 Pa2 Pb3 Pc4", "Ke8", "", 3432264},
      {"kpppk", 1, "Ke1 Pa2 Pb3 Pc4", "Ke8", "", 3782070},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(Index(r.table, r.side, r.white, r.black, r.ep), r.expected)
        << r.table << " side " << r.side << " " << r.white << " / " << r.black << " " << r.ep;
  }
}

// Shapes without a worked index, computed by the formulas as written for
// them, square by square, from the ordinal and start tables.
TEST_F(TbFiveMan, HandComputedShapes) {
  const int P = TbKingsWithPawns, N = TbKingsPawnless;
  struct Case {
    const char* what;
    uint64_t got, expected;
  };
  const Case cases[] = {
      // kqpkr, Black to move: the rook enumerated unflipped; the queen
      // compressed against {z, K, k, pawn} (radix 60), the pawn p - 8 (48).
      // Mask 7 (black king g6): K b6 41, k g1 6, Q e4 28, P f2 13, R c3 18.
      {"kqpkr black", Index("kqpkr", 1, "Kb1 Qd4 Pc2", "Kg6 Rf3"),
       ((uint64_t{TbEnumStarts(TbKingsWithPawns, TbOrdRook)[Pair(P, 41, 6)]} +
         Ord(TbOrdRook, 6, 41, 18)) *
            60 +
        (28 - 3)) *
               48 +
           (13 - 8)},
      // kppkp, Black to move, no en passant: the black pawn flipped and
      // enumerated; White's pawns compressed against the black pawn only,
      // radix 1081. Mask 7: K a5 32, k f1 5, pawns g2 14 and c4 26, z e6 44;
      // flipped K' a4 24, k' f8 61, z' e3 20.
      {"kppkp black", Index("kppkp", 1, "Kc1 Pb2 Pf4", "Kh5 Pd6"),
       (Start(P, TbOrdPawnNoCheck, 24, 61) + Ord(TbOrdPawnNoCheck, 61, 24, 20)) * 1081 + C2(18) +
           6},
      // knpkp, White to move: (knight, pawn) enumerated, the knight the
      // higher digit; the black pawn compressed against White's pawn, radix 47.
      // Mask 0: K d1 3, k h7 55, N f3 21, P c4 26, z b5 33.
      {"knpkp white", Index("knpkp", 0, "Kd1 Nf3 Pc4", "Kh7 Pb5"),
       (uint64_t{TbEnumStarts(TbKingsWithPawns, TbOrdKnight, TbOrdPawnNoCheck)[Pair(P, 3, 55)]} +
        Ord(TbOrdKnight, 55, 3, 21) * (TbSquareOrdinalCount[TbOrdPawnNoCheck][55] -
                                       (TbSquareOrdinals[TbOrdPawnNoCheck][55][3] != TbNoOrdinal)) +
        Ord(TbOrdPawnNoCheck, 55, 3, 26)) *
               47 +
           (33 - 8 - 1)},
      // knpkn, Black to move: the black knight alone is enumerated, nothing
      // flipped; the white pawn is placed before the knight but digits go
      // knight (60) then pawn (48). Mask 7: K b7 49, k d2 11, N a3 16,
      // P g4 30, z e5 36.
      {"knpkn black", Index("knpkn", 1, "Ke2 Nh3 Pb4", "Kg7 Nd5"),
       ((Start(P, TbOrdKnight, 49, 11) + Ord(TbOrdKnight, 11, 49, 36)) * 60 + (16 - 1)) * 48 +
           (30 - 8)},
      // kbbnk, Black to move: the knight weaker than the pair is the last
      // digit (62), compressed against the kings only; the bishops against
      // kings and knight. K b1 1, k h8 63, B c4 26 and f5 37, N g3 22.
      {"kbbnk black", Index("kbbnk", 1, "Kh8 Bc4 Bf5 Ng3", "Kb1"),
       (Pair(N, 1, 63) * 1830 + C2(35) + 24) * 62 + 21},
      // kbnnk, Black to move: the bishop first (62), then the knight pair
      // compressed against kings and bishop (1830). B c4 26, N g3 22 and f5 37.
      {"kbnnk black", Index("kbnnk", 1, "Kh8 Bc4 Ng3 Nf5", "Kb1"),
       (Pair(N, 1, 63) * 62 + 25) * 1830 + C2(35) + 21},
      // kbppk, Black to move: White's pawns enumerated flipped with the plain
      // pawn kind, the bishop compressed against kings and pawns (60).
      // Mask 7: K b8 57, k f2 13, B b5 33, pawns g3 22 and d4 27; flipped
      // K' b1 1, k' f7 53, pawns g6 46 and d5 35 (lower ordinal first).
      {"kbppk black", Index("kbppk", 1, "Kc2 Bg5 Pb3 Pe4", "Kg8"),
       (uint64_t{TbEnumStarts(TbKingsWithPawns, TbOrdPawn, TbOrdPawn)[Pair(P, 1, 53)]} +
        C2(Ord(TbOrdPawn, 53, 1, 46)) + Ord(TbOrdPawn, 53, 1, 35)) *
               60 +
           (33 - 3)},
      // krnpk, Black to move: one pawn enumerated flipped, then rook (61) and
      // knight (60). Mask 7: K a6 40, k g1 6, R e5 36, N d6 43, P f3 21;
      // flipped K' a3 16, k' g8 62, P' f6 45.
      {"krnpk black", Index("krnpk", 1, "Kb1 Rd5 Ne6 Pc3", "Kh6"),
       ((Start(P, TbOrdPawn, 16, 62) + Ord(TbOrdPawn, 62, 16, 45)) * 61 + (36 - 2)) * 60 +
           (43 - 4)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}

TEST_F(TbFiveMan, EdgeCases) {
  // Any order of like men in the list gives the same index.
  TbPieceList w{}, b = ListOf("Kh8");
  w.kindStart[TbPawn] = w.kindStart[TbKnight] = 0;
  for (int t = TbBishop; t <= TbKing; ++t) w.kindStart[t] = 3;
  const int knights[3] = {Sq("d4"), Sq("a2"), Sq("g1")};
  const TbIndexFn knnnk = TbCatalogueIndexFn(IdOf("knnnk"), 0);
  w.squares[3] = Sq("c1");
  uint64_t first = 0;
  int perm[3] = {0, 1, 2};
  do {
    for (int i = 0; i < 3; ++i) w.squares[i] = knights[perm[i]];
    const uint64_t index = knnnk(&w, &b, TbNoEnPassant, 0);
    if (first == 0) first = index;
    EXPECT_EQ(index, first);
  } while (std::next_permutation(perm, perm + 3));
  // kppkp, White to move, both pawns beside the en-passant file: the lower
  // (left) pawn captures, code file + 7: c = 2 + 7 for the c5 pawn.
  const uint64_t both = Index("kppkp", 0, "Kb1 Pc5 Pe5", "Kg8 Pd5", "d6");
  const uint64_t base = 46ull * TbEnumTotal(TbKingsWithPawns, 1, 1);
  EXPECT_EQ(both, base + 616 * Pair(TbKingsWithPawns, Sq("b1"), Sq("g8")) +
                      14 * (Sq("e5") - 8 - 2) + 9);  // d5 and c5 below e5
  // The capacities quoted for kppkp.
  EXPECT_EQ(TbIndexSpace(IdOf("kppkp"), 0), 84219362u);
  EXPECT_EQ(TbIndexSpace(IdOf("kppkp"), 1), 89391280u);
  // krbnk, Black to move, first king pair: all placements below 226,920.
  EXPECT_EQ(TbIndexSpace(IdOf("krbnk"), 1) / 462, 226920u);
  EXPECT_LT(Index("krbnk", 1, "Kc1 Rh8 Bh7 Ng8", "Ka1"), 226920u);
  // Five-man indices stay below 2^32.
  for (int id = 36; id <= 145; ++id) {
    for (int side = 0; side < 2; ++side) EXPECT_LT(TbIndexSpace(id, side), 1ull << 32);
  }
}

TEST_F(TbFiveMan, CapacityShortfalls) {
  const struct {
    const char* name;
    int side;
    uint64_t shortfall;
  } rows[] = {
      {"kppkp", 0, 1},    {"kbnkp", 0, 48},    {"kbnkn", 0, 60},   {"kbnkb", 0, 60},
      {"kbnkr", 0, 60},   {"kbnkq", 0, 60},    {"krpkp", 0, 28},   {"krrkp", 0, 5616},
      {"kqpkp", 0, 28},   {"kqrkp", 0, 5904},  {"kqrkn", 0, 60},   {"kqrkb", 0, 60},
      {"kqrkr", 0, 60},   {"kqrkq", 0, 60},    {"kqqkp", 0, 5520}, {"kppkr", 1, 2256},
      {"kppkq", 1, 2256}, {"kbnpk", 0, 47},    {"kbnnk", 0, 2},    {"kbbnk", 0, 2},
      {"krppk", 0, 2},    {"krnnk", 0, 1},     {"krbnk", 0, 2},    {"krbbk", 0, 1},
      {"krrpk", 0, 5499}, {"krrrk", 0, 9416},  {"kqppk", 0, 2},    {"kqnnk", 0, 1},
      {"kqbnk", 0, 2},    {"kqbbk", 0, 1},     {"kqrpk", 0, 5781}, {"kqrnk", 0, 60},
      {"kqrbk", 0, 61},   {"kqrrk", 0, 20008}, {"kqqpk", 0, 5405}, {"kqqrk", 0, 19986},
      {"kqqqk", 0, 9083},
  };
  for (int id = 36; id <= 145; ++id) {
    for (int side = 0; side < 2; ++side) {
      uint64_t expected = 0;
      for (const auto& r : rows) {
        if (r.side == side && TbCatalogue[id].name == std::string(r.name)) expected = r.shortfall;
      }
      ASSERT_NE(TbCatalogueIndexFn(id, side), nullptr) << TbCatalogue[id].name;
      EXPECT_EQ(TbIndexSpace(id, side) - TbCatalogue[id].entryCount[side], expected)
          << TbCatalogue[id].name << " side " << side;
    }
  }
}

// Raw king squares whose normalised pair is among the highest: the largest
// index of a legal position lies there, since the pair is the leading digit.
bool TopPairs(bool pawns, int own, int other) {
  if (!pawns)
    return own == Sq("d4") && (other == Sq("h8") || other == Sq("g8") || other == Sq("h7"));
  // d8 for the unflipped pairs, d1 for the pairs of Black's flipped board.
  return (own == Sq("d8") || own == Sq("d1")) &&
         (other == Sq("h8") || other == Sq("g8") || other == Sq("h1") || other == Sq("g1"));
}

class TbFiveManSample : public ::testing::TestWithParam<int> {};

TEST_P(TbFiveManSample, TopPairsAndSamplePairs) {
  TbBuildIndexTables();
  const int id = GetParam();
  const char* name = TbCatalogue[id].name;
  const bool pawns = std::strchr(name, 'p') != nullptr;
  for (int side = 0; side < 2; ++side) {
    test::TbWalkOptions top;
    top.kings = [pawns](int own, int other) { return TopPairs(pawns, own, other); };
    top.checkInjective = top.checkImages = false;
    const test::TbWalkReport r = test::TbCheckSide(id, side, top);
    EXPECT_EQ(r.maxIndex + 1, TbCatalogue[id].entryCount[side]) << name << " side " << side;
    EXPECT_EQ(r.outOfRange, 0u) << name << " side " << side << ": " << r.first;

    // Full checks on two pairs: both kings on the diagonal, and kings on
    // one file in the right half.
    test::TbWalkOptions sample;
    sample.kings = [](int own, int other) {
      return (own == Sq("c3") && other == Sq("f6")) || (own == Sq("e4") && other == Sq("e6"));
    };
    const test::TbWalkReport s = test::TbCheckSide(id, side, sample);
    EXPECT_EQ(s.outOfRange + s.collisions + s.imageFaults, 0u)
        << name << " side " << side << ": " << s.first;
  }
}

INSTANTIATE_TEST_SUITE_P(Tables, TbFiveManSample, ::testing::Range(36, 146),
                         [](const ::testing::TestParamInfo<int>& table) {
                           return std::string(TbCatalogue[table.param].name);
                         });

}  // namespace
}  // namespace galdrik
