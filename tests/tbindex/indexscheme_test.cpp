// The index scheme's tables and the three- and four-man index functions:
// the quoted ordinal rows, enumeration totals and king pairs, the worked
// indices, and input outside the index space.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

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
               int ep = TbNoEnPassant, int invert = 0) {
  const TbIndexFn fn = TbCatalogueIndexFn(IdOf(table), side);
  if (!fn) return TbNoIndex - 1;
  const TbPieceList w = ListOf(white), b = ListOf(black);
  return fn(&w, &b, ep, invert);
}

class TbIndexScheme : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TbBuildIndexTables(); }
};

TEST_F(TbIndexScheme, SymmetryTables) {
  EXPECT_EQ(TbTranspose[Sq("b1")], Sq("a2"));
  EXPECT_EQ(TbQuadrantMask[Sq("e1")], 7);
  EXPECT_EQ(TbQuadrantMask[Sq("a5")], 56);
  EXPECT_EQ(TbQuadrantMask[Sq("h8")], 63);
  int triangle = 0;
  for (int s = 0; s < 64; ++s) triangle += TbInTriangle[s];
  EXPECT_EQ(triangle, 10);
  EXPECT_EQ(TbInTriangle[Sq("d4")], 1);
  EXPECT_EQ(TbInTriangle[Sq("a2")], 0);
  EXPECT_EQ(TbOffDiagonal[Sq("g7")], 0);
  EXPECT_EQ(TbFileGeRank[Sq("c1")], 1);
  EXPECT_EQ(TbFileGeRank[Sq("a3")], 0);
}

TEST_F(TbIndexScheme, KingPairNumbers) {
  const auto& pawnless = TbKingPairIndex[TbKingsPawnless];
  const auto& pawns = TbKingPairIndex[TbKingsWithPawns];
  EXPECT_EQ(pawnless[Sq("a1")][Sq("c1")], 0);
  EXPECT_EQ(pawnless[Sq("a1")][Sq("d1")], 1);
  EXPECT_EQ(pawnless[Sq("a1")][Sq("e1")], 2);
  EXPECT_EQ(pawnless[Sq("d4")][Sq("h8")], 461);
  EXPECT_EQ(pawnless[Sq("c1")][Sq("a1")], 91);
  EXPECT_EQ(pawnless[Sq("a1")][Sq("a3")], TbNoKingPair);  // on the diagonal, other king above it
  EXPECT_EQ(pawnless[Sq("a2")][Sq("h8")], TbNoKingPair);  // outside the triangle
  EXPECT_EQ(pawns[Sq("a1")][Sq("c1")], 0);
  EXPECT_EQ(pawns[Sq("a1")][Sq("e1")], 2);
  EXPECT_EQ(pawns[Sq("d1")][Sq("d8")], 229);
  EXPECT_EQ(pawns[Sq("d8")][Sq("h8")], 1805);
  EXPECT_EQ(pawns[Sq("e1")][Sq("a8")], TbNoKingPair);
  for (int kind = 0; kind < 2; ++kind) {
    int pairs = 0;
    for (int own = 0; own < 64; ++own) {
      for (int other = 0; other < 64; ++other) {
        const int16_t p = TbKingPairIndex[kind][own][other];
        if (p == TbNoKingPair) continue;
        EXPECT_EQ(p, pairs) << "pairs are numbered in row order";
        ++pairs;
        EXPECT_TRUE(std::abs(own % 8 - other % 8) > 1 || std::abs(own / 8 - other / 8) > 1);
      }
    }
    EXPECT_EQ(pairs, TbKingPairCount[kind]);
  }
}

TEST_F(TbIndexScheme, OrdinalRows) {
  struct Row {
    int kind;
    const char* king;
    int count;
  };
  const Row rows[] = {
      {TbOrdPawn, "a1", 48},        {TbOrdPawn, "e4", 47},        {TbOrdPawn, "h8", 48},
      {TbOrdPawnNoCheck, "a1", 48}, {TbOrdPawnNoCheck, "e4", 45}, {TbOrdPawnNoCheck, "h8", 47},
      {TbOrdKnight, "a1", 61},      {TbOrdKnight, "e4", 55},      {TbOrdKnight, "h8", 61},
      {TbOrdKnight, "c1", 59},      {TbOrdBishop, "a1", 62},      {TbOrdBishop, "e4", 59},
      {TbOrdBishop, "h8", 62},      {TbOrdRook, "a1", 61},        {TbOrdRook, "e4", 59},
      {TbOrdRook, "h8", 61},        {TbOrdQueen, "a1", 60},       {TbOrdQueen, "e4", 55},
      {TbOrdQueen, "h8", 60},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(TbSquareOrdinalCount[r.kind][Sq(r.king)], r.count) << r.kind << " " << r.king;
  }
  const int lo[6] = {47, 45, 55, 59, 59, 55}, hi[6] = {48, 48, 61, 62, 61, 60};
  for (int kind = 0; kind < 6; ++kind) {
    for (int k = 0; k < 64; ++k) {
      EXPECT_GE(TbSquareOrdinalCount[kind][k], lo[kind]);
      EXPECT_LE(TbSquareOrdinalCount[kind][k], hi[kind]);
    }
  }
  const auto& knight = TbSquareOrdinals[TbOrdKnight][Sq("a1")];
  EXPECT_EQ(knight[Sq("b1")], 0);
  EXPECT_EQ(knight[Sq("h1")], 6);
  EXPECT_EQ(knight[Sq("a2")], 7);
  EXPECT_EQ(knight[Sq("b2")], 8);
  EXPECT_EQ(knight[Sq("c2")], TbNoOrdinal);
  EXPECT_EQ(knight[Sq("d2")], 9);
  const auto& pawn = TbSquareOrdinals[TbOrdPawnNoCheck][Sq("e4")];
  EXPECT_EQ(pawn[Sq("d3")], TbNoOrdinal);
  EXPECT_EQ(pawn[Sq("f3")], TbNoOrdinal);
  EXPECT_EQ(pawn[Sq("c3")], 10);
  EXPECT_EQ(pawn[Sq("e3")], 11);
  EXPECT_EQ(pawn[Sq("g3")], 12);
  const auto& bishop = TbSquareOrdinals[TbOrdBishop][Sq("a1")];
  EXPECT_EQ(bishop[Sq("a1")], TbNoOrdinal);
  EXPECT_EQ(bishop[Sq("b2")], TbNoOrdinal);
  EXPECT_EQ(bishop[Sq("c3")], Sq("c3") - 2);  // a bishop checking from afar keeps its square
}

TEST_F(TbIndexScheme, EnumerationTotals) {
  struct Row {
    int a, b, c;
    uint32_t withPawns, pawnless;  // 0 where the variant has no such combination
  };
  const Row rows[] = {
      {0, -1, -1, 84012, 0},          {1, -1, -1, 81664, 0},         {2, -1, -1, 102748, 26282},
      {3, -1, -1, 106500, 27243},     {4, -1, -1, 105684, 27036},    {5, -1, -1, 100212, 25635},
      {0, 0, -1, 1912372, 0},         {1, 1, -1, 1806671, 0},        {2, 1, -1, 4648581, 0},
      {3, 2, -1, 6062284, 1550621},   {2, 2, -1, 2874826, 735304},   {5, 5, -1, 2732826, 699072},
      {0, 0, 0, 28388716, 0},         {1, 1, 1, 26061704, 0},        {2, 2, 2, 52729628, 13486227},
      {5, 4, 3, 346191120, 88558020}, {5, 5, 5, 48822000, 12489057},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(TbEnumTotal(TbKingsWithPawns, r.a, r.b, r.c), r.withPawns) << r.a << r.b << r.c;
    EXPECT_EQ(TbEnumTotal(TbKingsPawnless, r.a, r.b, r.c), r.pawnless) << r.a << r.b << r.c;
  }
  // The plain pawn combines only with itself; pawnless combinations have no pawns.
  EXPECT_EQ(TbEnumStarts(TbKingsWithPawns, 2, 0), nullptr);
  EXPECT_EQ(TbEnumStarts(TbKingsPawnless, 1), nullptr);
  EXPECT_EQ(TbEnumStarts(TbKingsWithPawns, 2, 3), nullptr);  // not descending
  int combinations = 0;
  for (int v = 0; v < 2; ++v) {
    for (int a = 0; a < 6; ++a) {
      combinations += TbEnumStarts(TbKingPairKind(v), a) != nullptr;
      for (int b = 0; b <= a; ++b) {
        combinations += TbEnumStarts(TbKingPairKind(v), a, b) != nullptr;
        for (int c = 0; c <= b; ++c)
          combinations += TbEnumStarts(TbKingPairKind(v), a, b, c) != nullptr;
      }
    }
  }
  EXPECT_EQ(combinations, 92);
  const uint32_t* knight = TbEnumStarts(TbKingsPawnless, TbOrdKnight);
  ASSERT_NE(knight, nullptr);
  EXPECT_EQ(knight[0], 0u);
  EXPECT_EQ(knight[1], 58u);
  EXPECT_EQ(knight[2], 116u);
}

struct Worked {
  const char* table;
  int side;
  const char* white;
  const char* black;
  const char* ep;  // "" for none
  int invert;
  uint64_t expected;
};

TEST_F(TbIndexScheme, WorkedIndices) {
  const Worked rows[] = {
      {"kpk", 0, "Ke1 Pe2", "Ke8", "", 0, 10487},
      {"kpk", 1, "Ke1 Pe2", "Ke8", "", 0, 10854},
      {"knk", 0, "Ka1 Nb1", "Kc1", "", 0, 0},
      {"krk", 1, "Ka1 Rh1", "Kc1", "", 0, 5647},
      {"kqk", 0, "Ke1 Qd1", "Ke8", "", 0, 11181},
      {"kpkp", 0, "Ke1 Pe5", "Ke8 Pd5", "", 0, 494044},
      {"kpkp", 0, "Ke1 Pe5", "Ke8 Pd5", "d6", 0, 3841424},
      {"kpkp", 1, "Ke1 Pe4", "Ke8 Pd4", "e3", 0, 3862725},
      {"knkp", 0, "Ke1 Nc3", "Ke8 Pd5", "", 0, 623788},
      {"knkp", 1, "Ke1 Nc3", "Ke8 Pd5", "", 0, 640764},
      {"kbnk", 0, "Ke1 Bc1 Nb1", "Ke8", "", 0, 674261},
      {"kbnk", 1, "Ke1 Bc1 Nb1", "Ke8", "", 0, 767622},
      {"knnk", 1, "Ke1 Nb1 Ng1", "Ke8", "", 0, 383808},
      {"kppk", 0, "Ke1 Pa2 Pb2", "Ke8", "", 0, 234883},
  };
  for (const Worked& w : rows) {
    const int ep = *w.ep ? Sq(w.ep) : TbNoEnPassant;
    EXPECT_EQ(Index(w.table, w.side, w.white, w.black, ep, w.invert), w.expected)
        << w.table << " side " << w.side << " " << w.white << " / " << w.black << " ep " << w.ep;
  }
  // Past the stored entries: kings d4 and h8 with a rook on a8 give check.
  const uint64_t checking = Index("krk", 0, "Kd4 Ra8", "Kh8");
  EXPECT_GE(checking, TbCatalogue[IdOf("krk")].entryCount[0]);
  EXPECT_LT(checking, TbIndexSpace(IdOf("krk"), 0));
}

TEST_F(TbIndexScheme, Normalisation) {
  // Black to move in knk: index = pair * 62 + the knight's compressed square.
  auto pairOf = [](const char* white, const char* black) {
    return Index("knk", 1, white, black) / 62;
  };
  const auto& pawnless = TbKingPairIndex[TbKingsPawnless];
  EXPECT_EQ(pairOf("Ke8 Na5", "Ke1"), uint64_t(pawnless[Sq("d1")][Sq("d8")]));
  EXPECT_EQ(Index("knk", 1, "Ke8 Na5", "Ke1"), Index("knk", 1, "Kd8 Nh5", "Kd1"));
  // Own king on the diagonal, other king above it: the board is transposed.
  EXPECT_EQ(pairOf("Ka4 Nh5", "Kb2"), uint64_t(pawnless[Sq("b2")][Sq("d1")]));
  EXPECT_EQ(Index("knk", 1, "Ka4 Nh5", "Kb2"), Index("knk", 1, "Kd1 Ne8", "Kb2"));
  // Both kings on the diagonal: only the kings decide, the knight's
  // reflection gives another index.
  EXPECT_EQ(pairOf("Kf6 Na5", "Kc3"), uint64_t(pawnless[Sq("c3")][Sq("f6")]));
  EXPECT_NE(Index("knk", 1, "Kf6 Na5", "Kc3"), Index("knk", 1, "Kf6 Ne1", "Kc3"));
  // With pawns and the invert flag, own king h1: the mask is 63.
  EXPECT_EQ(Index("kpk", 0, "Kh1 Pg6", "Kc3", TbNoEnPassant, 1), Index("kpk", 0, "Ka8 Pb3", "Kf6"));
  EXPECT_EQ(Index("kpk", 0, "Ka8 Pb3", "Kf6", TbNoEnPassant, 1), Index("kpk", 0, "Ka1 Pb6", "Kf3"));
}

TEST_F(TbIndexScheme, InputOutsideTheIndexSpaceGivesNoIndex) {
  struct Bad {
    const char* table;
    int side;
    TbPieceList white, black;
    int ep;
    const char* what;
  };
  const TbPieceList kpkWhite = ListOf("Ke1 Pe2"), knkWhite = ListOf("Ke1 Nb1");
  TbPieceList missingKing = knkWhite;
  missingKing.squares[1] = 64;
  TbPieceList negative = knkWhite;
  negative.squares[0] = -3;
  TbPieceList farStart = knkWhite;
  farStart.kindStart[TbKnight] = 6;  // more men than the list holds
  TbPieceList hugeStart = knkWhite;
  hugeStart.kindStart[TbKnight] = 0x7fffffff;
  TbPieceList lowStart = knkWhite;
  lowStart.kindStart[TbKing] = -1;
  const Bad rows[] = {
      {"knk", 0, knkWhite, ListOf("Kd2"), TbNoEnPassant, "adjacent kings"},
      {"knk", 0, knkWhite, ListOf("Ke1"), TbNoEnPassant, "coincident kings"},
      {"knk", 1, knkWhite, ListOf("Ke2"), TbNoEnPassant, "adjacent kings, Black to move"},
      {"knk", 0, missingKing, ListOf("Ke8"), TbNoEnPassant, "missing king"},
      {"knk", 0, negative, ListOf("Ke8"), TbNoEnPassant, "negative square"},
      {"knk", 0, farStart, ListOf("Ke8"), TbNoEnPassant, "list position 6"},
      {"knk", 0, hugeStart, ListOf("Ke8"), TbNoEnPassant, "list position overflow"},
      {"knk", 0, lowStart, ListOf("Ke8"), TbNoEnPassant, "list position -1"},
      {"knk", 0, ListOf("Ke1 Nf7"), ListOf("Kh8"), TbNoEnPassant, "knight giving check"},
      {"kpk", 0, ListOf("Ke1 Pe8"), ListOf("Ka8"), TbNoEnPassant, "pawn on rank 8"},
      {"kpk", 0, ListOf("Ke1 Pg7"), ListOf("Kh8"), TbNoEnPassant, "pawn giving check"},
      {"knkp", 0, knkWhite, ListOf("Ke8 Pd1"), TbNoEnPassant, "appended pawn on rank 1"},
      {"kpkp", 0, ListOf("Kc1 Ph5"), ListOf("Ke8 Pg5"), Sq("a6"), "capture off the board edge"},
      {"kpkp", 0, kpkWhite, ListOf("Kd1 Pd5"), Sq("d6"), "adjacent kings en passant"},
  };
  for (const Bad& b : rows) {
    const int id = IdOf(b.table);
    const TbIndexFn fn = TbCatalogueIndexFn(id, b.side);
    ASSERT_NE(fn, nullptr);
    const uint64_t index = fn(&b.white, &b.black, b.ep, 0);
    EXPECT_GE(index, TbCatalogue[id].entryCount[b.side]) << b.what;
  }
  // Null lists and the en-passant argument outside 0..63 (read as none).
  const TbIndexFn knk = TbCatalogueIndexFn(IdOf("knk"), 0);
  EXPECT_EQ(knk(nullptr, &kpkWhite, TbNoEnPassant, 0), TbNoIndex);
  EXPECT_EQ(Index("kpkp", 0, "Ke1 Pe5", "Ke8 Pd5", 200), Index("kpkp", 0, "Ke1 Pe5", "Ke8 Pd5"));
  EXPECT_EQ(Index("kpkp", 0, "Ke1 Pe5", "Ke8 Pd5", -5), Index("kpkp", 0, "Ke1 Pe5", "Ke8 Pd5"));
}

TEST_F(TbIndexScheme, BlackListMayStartBehindTheWhiteMen) {
  // The probe fills the black list from the position after the white men.
  TbPieceList white = ListOf("Ke1 Bc1 Nb1");
  TbPieceList black{};
  for (int t = 0; t < 6; ++t) black.kindStart[t] = 3;
  black.squares[3] = Sq("e8");
  const TbIndexFn fn = TbCatalogueIndexFn(IdOf("kbnk"), 0);
  EXPECT_EQ(fn(&white, &black, TbNoEnPassant, 0), 674261u);
}

TEST_F(TbIndexScheme, ThreeManSidesExhaustively) {
  for (int id = 1; id <= 5; ++id) {
    for (int side = 0; side < 2; ++side) {
      const test::TbWalkReport r = test::TbCheckSide(id, side);
      const uint64_t count = TbCatalogue[id].entryCount[side];
      EXPECT_EQ(r.maxIndex + 1, count) << TbCatalogue[id].name << " " << side;
      EXPECT_EQ(r.outOfRange + r.collisions + r.imageFaults, 0u)
          << TbCatalogue[id].name << " " << side << ": " << r.first;
    }
  }
}

// kpkp has equal material on both sides but two files. The trie reads its
// positions with their own colours; the colour-reversed reading (White's
// file, lists exchanged, invert flag 1) must name the same positions, one to
// one, so either file gives the same values.
TEST_F(TbIndexScheme, KpkpReadsTheSamePositionsEitherWay) {
  const int id = IdOf("kpkp");
  const std::vector<test::TbMan> men = test::TbMenOf("kpkp");
  for (int side = 0; side < 2; ++side) {
    const TbIndexFn direct = TbCatalogueIndexFn(id, side),
                    reversed = TbCatalogueIndexFn(id, 1 - side);
    std::vector<std::pair<uint64_t, uint64_t>> pairs;
    test::TbWalk("kpkp", side, {}, [&](const int* squares, int ep) {
      TbPieceList l[2];
      test::TbListsOf(men, squares, l);
      pairs.push_back({direct(&l[0], &l[1], ep, 0), reversed(&l[1], &l[0], ep, 1)});
    });
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    std::vector<uint64_t> targets;
    for (size_t i = 0; i < pairs.size(); ++i) {
      ASSERT_LT(pairs[i].first, TbCatalogue[id].entryCount[side]);
      ASSERT_LT(pairs[i].second, TbCatalogue[id].entryCount[1 - side]);
      if (i > 0) {
        ASSERT_NE(pairs[i].first, pairs[i - 1].first) << "one entry, two readings";
      }
      targets.push_back(pairs[i].second);
    }
    std::sort(targets.begin(), targets.end());
    EXPECT_EQ(std::adjacent_find(targets.begin(), targets.end()), targets.end());
  }
}

// The walk itself must see the faults it is there for.
uint64_t KbkHalved(const TbPieceList* w, const TbPieceList* b, int32_t ep, int32_t invert) {
  return TbCatalogueIndexFn(3, 0)(w, b, ep, invert) / 2;
}
uint64_t KbkUnmirrored(const TbPieceList* w, const TbPieceList* b, int32_t, int32_t) {
  return uint64_t(w->squares[w->kindStart[TbBishop]]) * 4096 + uint64_t(w->squares[5]) * 64 +
         uint64_t(b->squares[5]);
}
uint64_t KpkIgnoringInvert(const TbPieceList* w, const TbPieceList* b, int32_t ep, int32_t) {
  return TbCatalogueIndexFn(1, 0)(w, b, ep, 0);
}

TEST_F(TbIndexScheme, WalkSeesBrokenFunctions) {
  test::TbWalkOptions halved;
  halved.function = KbkHalved;
  halved.checkImages = false;
  EXPECT_GT(test::TbCheckSide(3, 0, halved).collisions, 0u);
  test::TbWalkOptions unmirrored;
  unmirrored.function = KbkUnmirrored;
  const test::TbWalkReport r = test::TbCheckSide(3, 0, unmirrored);
  EXPECT_GT(r.imageFaults, 0u);
  EXPECT_GT(r.outOfRange, 0u);
  test::TbWalkOptions invert;
  invert.function = KpkIgnoringInvert;
  EXPECT_GT(test::TbCheckSide(1, 0, invert).imageFaults, 0u);
  // A subset of king pairs walks only those.
  test::TbWalkOptions corner;
  corner.kings = [](int own, int other) { return own == 0 && other == 63; };
  // 62 free squares, less b2 .. g7 from where the bishop checks along the diagonal.
  EXPECT_EQ(test::TbCheckSide(3, 0, corner).positions, 56u);
}

}  // namespace
}  // namespace galdrik
