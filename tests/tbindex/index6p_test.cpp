// The six-man index functions with pawns: worked indices, hand-computed
// cases for the shapes no worked index covers, the index spaces against the
// catalogue counts, and random samples for injectivity and the images.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <random>
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

uint64_t C2(uint64_t n) { return n * (n - 1) / 2; }
uint64_t Ord(int kind, int k, int K, int s) {
  const uint8_t* row = TbSquareOrdinals[kind][k];
  return row[s] - (row[K] != TbNoOrdinal && s > K ? 1 : 0);
}
uint64_t Count(int kind, int k, int K) {
  return TbSquareOrdinalCount[kind][k] - (TbSquareOrdinals[kind][k][K] != TbNoOrdinal);
}
uint64_t Pair(int K, int k) { return uint64_t(TbKingPairIndex[TbKingsWithPawns][K][k]); }
uint64_t Start(int K, int k, int a, int b = -1, int c = -1) {
  return TbEnumStarts(TbKingsWithPawns, a, b, c)[Pair(K, k)];
}
uint64_t Total(int a, int b = -1, int c = -1) { return TbEnumTotal(TbKingsWithPawns, a, b, c); }

bool SixManWithPawns(int id) {
  return TbCatalogueMen(id) == 6 && std::strchr(TbCatalogue[id].name, 'p') != nullptr;
}

class TbSixPawn : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TbBuildIndexTables(); }
};

TEST_F(TbSixPawn, WorkedIndices) {
  const struct {
    const char* table;
    int side;
    const char* white;
    const char* black;
    const char* ep;
    int invert;
    uint64_t expected;
  } rows[] = {
      // Three against three.
      {"kppkpp", 0, "Kd1 Pb2 Pc3", "Ke8 Pf7 Pg6", "", 0, 244195734},
      {"krpkbn", 0, "Kc2 Rh1 Pd5", "Kf7 Bb7 Ng3", "", 0, 3675777925},
      {"kbpknn", 1, "Ka2 Bf1 Pg4", "Ke5 Nc6 Nh3", "", 0, 4903320141},
      {"knpkpp", 0, "Ka1 Nd4 Pe5", "Kh8 Pd5 Pa7", "d6", 0, 5027188806},
      {"knpkpp", 1, "Kg1 Nb1 Pc4", "Ka8 Pb4 Pd4", "c3", 0, 4958712664},
      {"kppkpp", 0, "Kb1 Pe5 Pg5", "Ka8 Pf5 Ph7", "f6", 0, 1872844440},
      {"kppkpp", 1, "Kb1 Pe4 Pg2", "Ka8 Pf4 Ph7", "e3", 0, 1871333707},
      // Four against two.
      {"kpppkp", 0, "Ke1 Pa2 Pb2 Pc2", "Ke8 Ph7", "", 0, 154390132},
      {"kpppkp", 1, "Ke1 Pa2 Pb2 Pc2", "Ke8 Ph7", "", 0, 169998115},
      {"kpppkp", 0, "Ke1 Pa2 Pb2 Pc2", "Ke8 Ph7", "", 1, 1136245455},
      {"knnnkp", 1, "Ke1 Nb1 Ng1 Nd4", "Ke8 Pa7", "", 0, 377574026},
      {"kbnpkn", 0, "Ke1 Bc1 Ng1 Pa2", "Ke8 Nb8", "", 0, 2066904282},
      {"kbnpkn", 1, "Ke1 Bc1 Ng1 Pa2", "Ke8 Nb8", "", 0, 16938826423},
      {"kpppkp", 0, "Ke1 Pa2 Pb2 Pe5", "Ke8 Pd5", "d6", 0, 1175809944},
      {"kpppkp", 0, "Ke1 Pc5 Pb2 Pe5", "Ke8 Pd5", "d6", 0, 1175814564},
      {"kpppkp", 1, "Ke1 Pa2 Pb2 Pe4", "Ke8 Pd4", "e3", 0, 1347372287},
      {"knppkp", 0, "Ke1 Ng1 Pa2 Pe5", "Ke8 Pd5", "d6", 0, 4741331270},
      {"knppkp", 1, "Ke1 Ng1 Pa2 Pe4", "Ke8 Pf4", "e3", 0, 5269930077},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(Index(r.table, r.side, r.white, r.black, r.ep, r.invert), r.expected)
        << r.table << " side " << r.side << " " << r.white << " / " << r.black << " " << r.ep;
  }
}

TEST_F(TbSixPawn, EnumerationTotalsAndRadices) {
  const int P = TbOrdPawnNoCheck, N = TbOrdKnight, B = TbOrdBishop, R = TbOrdRook, Q = TbOrdQueen;
  const struct {
    int a, b, c;
    uint64_t total;
  } totals[] = {
      {P, P, -1, 1806671},  {N, P, -1, 4648581},  {N, N, -1, 2874826},  {B, P, -1, 4817128},
      {B, N, -1, 6062284},  {B, B, -1, 3087990},  {R, P, -1, 4779624},  {R, N, -1, 6014436},
      {R, B, -1, 6233400},  {R, R, -1, 3039726},  {Q, P, -1, 4533584},  {Q, N, -1, 5706344},
      {Q, B, -1, 5912880},  {Q, R, -1, 5866128},  {Q, Q, -1, 2732826},  {P, P, P, 26061704},
      {N, P, P, 102898651}, {N, N, P, 130135501}, {B, N, P, 274352986}, {N, -1, -1, 102748},
      {B, -1, -1, 106500},  {R, -1, -1, 105684},  {Q, -1, -1, 100212},  {P, -1, -1, 81664},
  };
  for (const auto& t : totals) EXPECT_EQ(Total(t.a, t.b, t.c), t.total) << t.a << t.b << t.c;

  // Ordinary ranges T x R of the telling rows (without the en-passant block).
  const struct {
    const char* table;
    int side;
    uint64_t space;
  } ranges[] = {
      {"knpkpp", 1, 1806671ull * 2714 + 1806ull * 35112},
      {"knnkpp", 0, 2874826ull * 1128},
      {"knnkpp", 1, 1806671ull * 1770},
      {"kbpknp", 0, 4817128ull * 2773 + 106500ull * 798},
      {"krpkbn", 0, 4779624ull * 3540},
      {"krpkbn", 1, 6062284ull * 2832},
      {"krpkbb", 0, 4779624ull * 1770},
      {"krpkbb", 1, 3087990ull * 2832},
      {"kqqkqp", 0, 2732826ull * 2832},
      {"kqqkqp", 1, 4533584ull * 1770},
      {"knnnkp", 0, 48ull * Total(N, N, N)},
      {"knnnkp", 1, 35990ull * 81664},
      {"kpppkn", 0, 59ull * 26061704},
      {"kpppkq", 1, 17296ull * 100212},
      {"knppkp", 1, 63779ull * 81664 + 35112ull * 1806},
      {"knnpkp", 1, 83190ull * 81664 + 23142ull * 1806},
      {"kbnpkp", 0, 47ull * 274352986 + 14ull * 6062284},
      {"kbnpkp", 1, 166380ull * 81664 + 46284ull * 1806},
      {"kbnnkp", 1, 107970ull * 81664},
      {"kbbnkp", 1, 107970ull * 81664},
      {"krbnkp", 1, 215940ull * 81664},
      {"knppkn", 1, 66552ull * 102748},
      {"kbnpkn", 1, 169920ull * 102748},
      {"knnpkn", 1, 84960ull * 102748},
  };
  for (const auto& r : ranges) {
    EXPECT_EQ(TbIndexSpace(IdOf(r.table), r.side), r.space) << r.table << " side " << r.side;
  }
}

// Shapes without a worked index, computed from the rules as written for
// them, square by square, from the ordinal and start tables. Own kings on
// files a-d, so nothing is mirrored.
TEST_F(TbSixPawn, HandComputedShapes) {
  const int P = TbOrdPawnNoCheck, N = TbOrdKnight, B = TbOrdBishop, R = TbOrdRook;
  struct Case {
    const char* what;
    uint64_t got, expected;
  };
  const Case cases[] = {
      // knnkpp, Black to move: Black's pawns enumerated flipped (K' c2 10,
      // k' b8 57, pawns f3 21 and g4 30); the knights c3 18 and e4 28
      // compressed against kings and pawns unflipped (b1 below): 1770.
      {"knnkpp black", Index("knnkpp", 1, "Kb1 Nc3 Ne4", "Kc7 Pf6 Pg5"),
       (Start(10, 57, P, P) + Ord(P, 57, 10, 21) + C2(Ord(P, 57, 10, 30))) * 1770 + 17 + C2(27)},
      // krpkbp, White to move, en passant d6: e5 captures from the right
      // (case 3); the rook enumerated alone, the bishop c8 58 compressed
      // against F, A, e, kings, e5 and the rook: 58 - 6, radix 57.
      {"krpkbp white ep", Index("krpkbp", 0, "Ka1 Rg1 Pe5", "Kh8 Bc8 Pd5", "d6"),
       Total(R, P) * 2773 + ((Start(0, 63, R) + Ord(R, 63, 0, 6)) * 57 + 52) * 14 + 3},
      // kbpknp, Black to move, en passant e3: d4 captures from the left
      // (case 10), nothing flipped; Black's knight h6 enumerated, White's
      // bishop f1 with nothing below it.
      {"kbpknp black ep", Index("kbpknp", 1, "Kh1 Bf1 Pe4", "Kb8 Nh6 Pd4", "e3"),
       Total(N, P) * 2773 + ((Start(57, 7, N) + Ord(N, 7, 57, 47)) * 57 + 5) * 14 + 10},
      // kppkpp, White to move, en passant a6 with pawns b5 and h4: only b5
      // stands beside a5 (case 0); h4 is the other pawn, 31 - 8 - 0, and
      // Black's h7 is 55 - 8 - 5 over 43.
      {"kppkpp edge pawn", Index("kppkpp", 0, "Kb1 Pb5 Ph4", "Kg8 Pa5 Ph7", "a6"),
       1806671ull * 1035 + Pair(1, 62) * (43 * 44 * 14) + (42 * 44 + 23) * 14},
      // knppkp, White to move: the pawn pair is the major part, the knight
      // the minor; Black's h7 compressed against both white pawns (46).
      {"knppkp white", Index("knppkp", 0, "Kb1 Ne4 Pc2 Pf3", "Kg8 Ph7"),
       (Start(1, 62, N, P, P) + (Ord(P, 62, 1, 10) + C2(Ord(P, 62, 1, 21))) * Count(N, 62, 1) +
        Ord(N, 62, 1, 28)) *
               46 +
           45},
      // knppkp, Black to move: the black pawn flipped (K' c1 2, k' h8 63,
      // d3 19); the knight f3 compressed against kings, pawn and both white
      // pawns (h1 and a2 below: 19, radix 59), then the pawns 0 and 20 over 1081.
      {"knppkp black", Index("knppkp", 1, "Kh1 Nf3 Pa2 Pe4", "Kc8 Pd6"),
       ((Start(2, 63, P) + Ord(P, 63, 2, 19)) * 59 + 19) * 1081 + C2(20)},
      // kbbnkp, Black to move: the bishop pair first over C(61,2), the
      // knight after it compressed against the pair too (59).
      {"kbbnkp black", Index("kbbnkp", 1, "Kh1 Bc1 Bf1 Ng1", "Kd8 Pa7"),
       ((Start(3, 63, P) + Ord(P, 63, 3, 8)) * 1830 + 2 + C2(5)) * 59 + 4},
      // kbnnkp, Black to move: the bishop first (61), the knights against it.
      {"kbnnkp black", Index("kbnnkp", 1, "Kh1 Bc1 Nf1 Ng1", "Kd8 Pa7"),
       ((Start(3, 63, P) + Ord(P, 63, 3, 8)) * 61 + 2) * 1770 + 4 + C2(5)},
      // kpppkn, Black to move: the knight unflipped; pawns 0, 9, 18 over C(48,3).
      {"kpppkn black", Index("kpppkn", 1, "Kh1 Pa2 Pb3 Pc4", "Kd8 Nb8"),
       (Start(59, 7, N) + Ord(N, 7, 59, 57)) * 17296 + 816 + 36},
      // kbnpkr, Black to move: bishop (60) and knight (59) against the pawn
      // a2 although it comes last, the pawn itself over 48.
      {"kbnpkr black", Index("kbnpkr", 1, "Kh1 Bc1 Ng1 Pa2", "Kd8 Ra8"),
       (((Start(59, 7, R) + Ord(R, 7, 59, 56)) * 60 + 2) * 59 + 5) * 48},
      // kbnpkp, White to move, en passant d6: bishop and knight enumerated
      // as a pair of their own, case 3.
      {"kbnpkp white ep", Index("kbnpkp", 0, "Kb1 Bc1 Nh3 Pe5", "Kg8 Pd5", "d6"),
       Total(B, N, P) * 47 +
           14 * (Start(1, 62, B, N) + Ord(B, 62, 1, 2) * Count(N, 62, 1) + Ord(N, 62, 1, 23)) + 3},
      // kbnpkp, Black to move, en passant e3: d4 from the left (case 10);
      // bishop f1 over 58, knight g1 over 57 after it.
      {"kbnpkp black ep", Index("kbnpkp", 1, "Kh1 Bf1 Ng1 Pe4", "Kd8 Pd4", "e3"),
       166380ull * 81664 + 14 * ((Pair(59, 7) * 58 + 5) * 57 + 5) + 10},
      // kpppkp, White to move, en passant a6 with h4 and b5: b5 captures
      // (case 0); c2 and h4 against b5, a5, a6, a7: 2 and 23.
      {"kpppkp edge pawn", Index("kpppkp", 0, "Kd1 Pc2 Ph4 Pb5", "Kg8 Pa5", "a6"),
       26061704ull * 45 + 14 * (Pair(3, 62) * 946 + 2 + C2(23))},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
  // A pawn on the far edge is no capturer: with no pawn beside the one
  // that moved there is no en-passant index.
  EXPECT_EQ(Index("knpkpp", 0, "Kb1 Nc1 Ph4", "Kg8 Pa5 Ph7", "a6"), TbNoIndex);
  EXPECT_EQ(Index("kpppkp", 1, "Kh1 Pa4 Pc2 Pd2", "Kd8 Ph3", "a3"), TbNoIndex);
}

// The shortfalls of the catalogue counts against the index spaces: the
// listed sides, every other side none.
TEST_F(TbSixPawn, CapacityShortfalls) {
  const struct {
    const char* name;
    int side;
    uint64_t shortfall;
  } rows[] = {
      {"kppkpp", 0, 1},
      {"krpkpp", 0, 1232},
      {"kqpkpp", 0, 1232},
      {"kpppkp", 0, 1},
      {"knppkp", 0, 1},
      {"kbppkp", 0, 1},
      {"kbnpkp", 0, 14},
      {"kbnnkp", 0, 96},
      {"kbbnkp", 0, 96},
      {"krbnkp", 0, 96},
      {"kqbnkp", 0, 96},
      {"krnnkp", 0, 48},
      {"krbbkp", 0, 48},
      {"kqnnkp", 0, 48},
      {"kqbbkp", 0, 48},
      {"krppkp", 0, 1233},
      {"kqppkp", 0, 1233},
      {"krrpkp", 0, 1638},
      {"kqrpkp", 0, 1722},
      {"kqqpkp", 0, 1610},
      {"kqrnkp", 0, 2880},
      {"kqrbkp", 0, 2928},
      {"krrrkp", 0, 161472},
      {"kqrrkp", 0, 331536},
      {"kqqrkp", 0, 331392},
      {"kqqqkp", 0, 155952},
      {"kbnpkn", 0, 2773},
      {"kbnpkb", 0, 2773},
      {"kbnpkr", 0, 2773},
      {"kbnpkq", 0, 2773},
      {"kqrpkn", 0, 2773},
      {"kqrpkb", 0, 2773},
      {"kqrpkr", 0, 2773},
      {"kqrpkq", 0, 2773},
      {"kpppkr", 1, 34592},
      {"kpppkq", 1, 34592},
      {"kqrkpp", 0, 5866128ull * 1128 - 6616853640ull},
  };
  int sides = 0, exact = 0;
  for (int id = 1; id < TbTableCount; ++id) {
    if (!SixManWithPawns(id)) continue;
    for (int side = 0; side < 2; ++side) {
      ASSERT_NE(TbCatalogueIndexFn(id, side), nullptr) << TbCatalogue[id].name;
      const int read = (TbCatalogue[id].flags & TbFlagSymmetric) ? 0 : side;
      const uint64_t space = TbIndexSpace(id, side), count = TbCatalogue[id].entryCount[read];
      ASSERT_GE(space, count) << TbCatalogue[id].name << " side " << side;
      ++sides;
      if (id < 346) exact += space == count;
      if (TbCatalogue[id].name == std::string("kqrkpp") || id < 346) continue;
      uint64_t expected = 0;
      for (const auto& r : rows) {
        if (r.side == side && TbCatalogue[id].name == std::string(r.name)) expected = r.shortfall;
      }
      EXPECT_EQ(space - count, expected) << TbCatalogue[id].name << " side " << side;
    }
  }
  EXPECT_EQ(sides, 2 * (65 + 95));
  EXPECT_EQ(exact, 103);  // of the 130 three-against-three sides
  // Three against three: the spaces of the three tables named and the largest side.
  for (const char* name : {"kppkpp", "krpkpp", "kqpkpp", "kqrkpp"}) {
    for (const auto& r : rows) {
      if (r.name == std::string(name) && r.side == 0) {
        const int id = IdOf(name);
        EXPECT_EQ(TbIndexSpace(id, 0) - TbCatalogue[id].entryCount[0], r.shortfall) << name;
      }
    }
  }
  EXPECT_EQ(TbIndexSpace(IdOf("krbknp"), 0), 17652988800u);
  EXPECT_EQ(TbCatalogue[IdOf("knpkpp")].entryCount[0], 5088408829u);
  EXPECT_EQ(TbIndexSpace(IdOf("knpkpp"), 0), 5088408829u);
}

// En-passant squares of a placement with `side` to move, as the walk of the
// test harness gives them: the other side's pawn just went two squares and
// a pawn of the mover stands beside it on its rank.
void EnPassantSquares(const std::vector<test::TbMan>& men, const int* sq, int side, int* out,
                      int& count) {
  count = 0;
  uint64_t used = 0;
  for (size_t i = 0; i < men.size(); ++i) used |= uint64_t{1} << sq[i];
  for (size_t j = 0; j < men.size(); ++j) {
    if (men[j].colour == side || men[j].kind != TbPawn) continue;
    const int p = sq[j];
    if (p / 8 != (side == 0 ? 4 : 3)) continue;
    const int ep = side == 0 ? p + 8 : p - 8, origin = side == 0 ? p + 16 : p - 16;
    if ((used >> ep & 1) || (used >> origin & 1)) continue;
    for (size_t m = 0; m < men.size(); ++m) {
      if (men[m].colour == side && men[m].kind == TbPawn && sq[m] / 8 == p / 8 &&
          (sq[m] == p - 1 || sq[m] == p + 1)) {
        out[count++] = ep;
        break;
      }
    }
  }
}

// Frames of a side: kings and two men placed at random, the other two men
// walked over the whole board; half of the frames of a table with pawns on
// both sides start from an en-passant set-up. Every legal placement must
// index below the catalogue count, keep its index under the file mirror,
// the invert flag and (symmetric tables, Black to move) the colour swap, and
// no two placements that are not images of each other may share an index.
class TbSixPawnSample : public ::testing::TestWithParam<int> {};

TEST_P(TbSixPawnSample, RandomFrames) {
  TbBuildIndexTables();
  const int id = GetParam();
  const TbCatalogueRow& row = TbCatalogue[id];
  const std::vector<test::TbMan> men = test::TbMenOf(row.name);
  const int n = static_cast<int>(men.size());
  const bool symmetric = (row.flags & TbFlagSymmetric) != 0;
  std::mt19937 rng(static_cast<uint32_t>(id));
  for (int side = 0; side < 2; ++side) {
    const TbIndexFn fn = TbCatalogueIndexFn(id, side), white = TbCatalogueIndexFn(id, 0);
    ASSERT_NE(fn, nullptr);
    const uint64_t count = row.entryCount[symmetric ? 0 : side];
    auto indexOf = [&](TbIndexFn f, const int* sq, int ep, int invert) {
      TbPieceList lists[2];
      test::TbListsOf(men, sq, lists);
      return f(&lists[0], &lists[1], ep, invert);
    };
    auto key = [&](const int* sq, int ep) {
      int t[6];
      std::copy(sq, sq + n, t);
      for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
          if (men[i].colour == men[j].colour && men[i].kind == men[j].kind && t[j] < t[i])
            std::swap(t[i], t[j]);
        }
      }
      uint64_t k = static_cast<uint64_t>(ep);
      for (int i = 0; i < n; ++i) k = k * 64 + static_cast<uint64_t>(t[i]);
      return k;
    };
    std::vector<std::pair<uint64_t, uint64_t>> seen;
    uint64_t faults = 0, epPositions = 0;
    std::string first;
    auto fault = [&](const char* what, const int* sq, int ep) {
      if (faults++) return;
      first = std::string(what) + " at";
      for (int i = 0; i < n; ++i) first += " " + std::to_string(sq[i]);
      first += " ep " + std::to_string(ep);
    };
    int pawnOf[2] = {-1, -1};
    for (int i = 0; i < n; ++i) {
      if (men[i].kind == TbPawn) pawnOf[men[i].colour] = i;
    }
    const bool epFrames = pawnOf[0] >= 0 && pawnOf[1] >= 0;
    for (int frame = 0; frame < 12; ++frame) {
      int sq[6];
      uint64_t fixed = 0;
      std::vector<int> free;
      for (int i = 0; i < n; ++i) free.push_back(i);
      auto fix = [&](int man, int s) {
        sq[man] = s;
        fixed |= uint64_t{1} << s;
        free.erase(std::find(free.begin(), free.end(), man));
      };
      if (epFrames && frame % 2 == 1) {
        // The other side's pawn on its fourth rank, a mover's pawn beside it.
        const int rank = side == 0 ? 4 : 3;
        const int file = static_cast<int>(rng() % 8);
        const int beside = file == 0 ? 1 : file == 7 ? 6 : file + (rng() % 2 ? 1 : -1);
        fix(pawnOf[1 - side], rank * 8 + file);
        fix(pawnOf[side], rank * 8 + beside);
      }
      while (free.size() > 2) {
        const int man = free[rng() % free.size()];
        int s;
        do {
          s = static_cast<int>(rng() % 64);
        } while ((fixed >> s & 1) || (men[man].kind == TbPawn && (s < 8 || s > 55)));
        fix(man, s);
      }
      const int a = free[0], b = free[1];
      for (int sa = 0; sa < 64; ++sa) {
        for (int sb = 0; sb < 64; ++sb) {
          sq[a] = sa, sq[b] = sb;
          if ((fixed >> sa & 1) || (fixed >> sb & 1)) continue;
          int king[2] = {};
          for (int i = 0; i < n; ++i) {
            if (men[i].kind == TbKing) king[men[i].colour] = sq[i];
          }
          if (std::abs(king[0] % 8 - king[1] % 8) <= 1 && std::abs(king[0] / 8 - king[1] / 8) <= 1)
            continue;
          if (!test::TbLegal(men, sq, side)) continue;
          int eps[3], epCount = 0;
          EnPassantSquares(men, sq, side, eps + 1, epCount);
          eps[0] = TbNoEnPassant;
          for (int v = 0; v <= epCount; ++v) {
            const int ep = eps[v];
            epPositions += ep != TbNoEnPassant;
            const uint64_t index = indexOf(fn, sq, ep, 0);
            if (index >= count) {
              fault("out of range", sq, ep);
              continue;
            }
            int t[6];
            for (int i = 0; i < n; ++i) t[i] = test::TbMirrorFile(sq[i]);
            if (indexOf(fn, t, ep == TbNoEnPassant ? ep : ep ^ 7, 0) != index)
              fault("file mirror", sq, ep);
            for (int i = 0; i < n; ++i) t[i] = test::TbMirrorRank(sq[i]);
            if (indexOf(fn, t, ep == TbNoEnPassant ? ep : ep ^ 56, 1) != index)
              fault("invert flag", sq, ep);
            if (symmetric && side == 1) {
              int at = 0;
              for (int c = 1; c >= 0; --c) {
                for (int i = 0; i < n; ++i) {
                  if (men[i].colour == c) t[at++] = test::TbMirrorRank(sq[i]);
                }
              }
              if (indexOf(white, t, ep == TbNoEnPassant ? ep : ep ^ 56, 0) != index)
                fault("colour swap", sq, ep);
            }
            for (int i = 0; i < n; ++i) t[i] = test::TbMirrorFile(sq[i]);
            seen.push_back(
                {index, std::min(key(sq, ep), key(t, ep == TbNoEnPassant ? ep : ep ^ 7))});
          }
        }
      }
    }
    std::sort(seen.begin(), seen.end());
    for (size_t i = 1; i < seen.size(); ++i) {
      if (seen[i].first == seen[i - 1].first && seen[i].second != seen[i - 1].second) {
        if (faults++ == 0) first = "collision at index " + std::to_string(seen[i].first);
      }
    }
    EXPECT_EQ(faults, 0u) << row.name << " side " << side << ": " << first;
    if (epFrames) {
      EXPECT_GT(epPositions, 0u) << row.name << " side " << side;
    }
  }
}

std::vector<int> SixManPawnIds() {
  std::vector<int> ids;
  for (int id = 1; id < TbTableCount; ++id) {
    if (SixManWithPawns(id)) ids.push_back(id);
  }
  return ids;
}

INSTANTIATE_TEST_SUITE_P(Tables, TbSixPawnSample, ::testing::ValuesIn(SixManPawnIds()),
                         [](const ::testing::TestParamInfo<int>& table) {
                           return std::string(TbCatalogue[table.param].name);
                         });

}  // namespace
}  // namespace galdrik
