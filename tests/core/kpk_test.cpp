// King-pawn-king bitbase: the cases the table defines (its seeds ignore
// stalemate and promotion is never played), its symmetries, textbook
// positions, and the probes of an absent table.
#include <gtest/gtest.h>

#include "core/kpk.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

using test::Feld;

uint8_t F(const char* name) { return static_cast<uint8_t>(Feld(name)); }

struct KpkFall {
  const char* name;
  const char* bauer;
  const char* koenig;  // king of the side with the pawn
  const char* einzel;  // lone king
  uint8_t amZug;       // 1 White, 0 Black
  int32_t erwartet;    // 1 White wins
};

// White pawn: positions from textbooks and from the table's own definition.
TEST(BitbaseKBK, WhitePawnPositions) {
  const KpkFall faelle[] = {
      {"king guards the promotion square, White to move", "a7", "b7", "a1", 1, 1},
      {"king guards the promotion square, Black to move", "a7", "b7", "a1", 0, 1},
      {"king on b8, White to move", "a7", "b8", "a1", 1, 1},
      {"king on b8, Black to move", "a7", "b8", "a1", 0, 1},
      {"lone king on the promotion square", "d7", "a1", "d8", 1, 0},
      {"lone king takes the unguarded pawn", "e4", "a1", "d5", 0, 0},
      {"king two squares in front: key square", "e4", "e6", "e8", 0, 1},
      {"key square, White to move", "e4", "e6", "e8", 1, 1},
      {"opposition with Black to move", "e4", "e5", "e7", 0, 1},
      {"opposition with White to move holds", "e4", "e5", "e7", 1, 0},
      {"rook pawn, defender in the corner", "h5", "g6", "h8", 1, 0},
      {"rook pawn, defender in the corner, Black to move", "h5", "g6", "h8", 0, 0},
      {"rook pawn, defender in front", "a3", "b3", "a8", 1, 0},
      {"rook pawn, stalemate trap", "h6", "g6", "h8", 1, 0},
      {"outside the square of the pawn", "a5", "h1", "f5", 1, 1},
      {"inside the square of the pawn", "a5", "h1", "e5", 0, 0},
      {"pawn on the 2nd rank, king behind it", "e2", "e1", "e8", 1, 1},
      {"king in front on the 6th rank wins anyway", "b5", "b6", "b8", 1, 1},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(BitbaseKBKAbfrage2(F(f.bauer), F(f.koenig), F(f.einzel), f.amZug), f.erwartet)
        << f.name;
  }
}

// The Black-pawn probe reads the same table turned over: for every placement
// it answers as the White probe of the flipped board with the other colour to
// move, and an h-file pawn answers as the mirrored a-file pawn.
TEST(BitbaseKBK, ProbesAreSymmetric) {
  int gewinne = 0;
  for (int bauer = 8; bauer < 56; ++bauer) {
    for (int k = 0; k < 64; ++k) {
      for (int d = 0; d < 64; ++d) {
        for (uint8_t amZug = 0; amZug < 2; ++amZug) {
          const auto b = static_cast<uint8_t>(bauer), kk = static_cast<uint8_t>(k),
                     dd = static_cast<uint8_t>(d);
          const int32_t weiss = BitbaseKBKAbfrage2(b, kk, dd, amZug);
          gewinne += weiss;
          ASSERT_EQ(weiss, BitbaseKBKAbfrage2(b ^ 7, kk ^ 7, dd ^ 7, amZug))
              << bauer << " " << k << " " << d;
          ASSERT_EQ(weiss, BitbaseKBKAbfrage(b ^ 56, kk ^ 56, dd ^ 56, amZug == 1 ? 0 : 1))
              << bauer << " " << k << " " << d;
        }
      }
    }
  }
  // Most placements with a pawn are won; a table of zeros would pass the
  // symmetry checks too.
  EXPECT_GT(gewinne, 48 * 64 * 64 / 2);
}

TEST(BitbaseKBK, BlackPawnProbe) {
  // The a7/b7 case above, turned over.
  EXPECT_EQ(BitbaseKBKAbfrage(F("a2"), F("b2"), F("a8"), 1), 1);
  EXPECT_EQ(BitbaseKBKAbfrage(F("a2"), F("b2"), F("a8"), 0), 1);
  // Opposition: White (the lone king) to move loses, Black to move draws.
  EXPECT_EQ(BitbaseKBKAbfrage(F("e5"), F("e4"), F("e2"), 1), 1);
  EXPECT_EQ(BitbaseKBKAbfrage(F("e5"), F("e4"), F("e2"), 0), 0);
}

TEST(BitbaseKBK, OddSquaresAreNoWinAndNeverReadOutside) {
  // Pawns on the first or last rank, and squares off the board (a missing
  // king is square 64).
  EXPECT_EQ(BitbaseKBKAbfrage2(F("e1"), F("a1"), F("h8"), 1), 0);
  EXPECT_EQ(BitbaseKBKAbfrage2(F("e8"), F("a1"), F("h8"), 1), 0);
  EXPECT_EQ(BitbaseKBKAbfrage2(F("e4"), 64, F("h8"), 1), 0);
  EXPECT_EQ(BitbaseKBKAbfrage2(F("e4"), F("a1"), 64, 0), 0);
  EXPECT_EQ(BitbaseKBKAbfrage(F("e4"), F("a1"), 255, 1), 0);
  EXPECT_EQ(BitbaseKBKAbfrage(200, F("a1"), F("h8"), 1), 0);
}

TEST(BitbaseKBK, AbsentTableAnswersMinusOne) {
  BitbaseKBKFreigeben();
  EXPECT_EQ(BitbaseKBKDaten(), nullptr);
  EXPECT_EQ(BitbaseKBKAbfrage2(F("a7"), F("b7"), F("a1"), 1), -1);
  EXPECT_EQ(BitbaseKBKAbfrage(F("a2"), F("b2"), F("a8"), 1), -1);
  ASSERT_EQ(BitbaseKBKGenerieren(), 0);
  EXPECT_EQ(BitbaseKBKAbfrage2(F("a7"), F("b7"), F("a1"), 1), 1);
}

}  // namespace
}  // namespace galdrik
