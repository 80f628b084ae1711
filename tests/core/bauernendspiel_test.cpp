// Pawn endings: the score of each step (bitbase, stalemate, the two known
// draw tables, corresponding squares, the pawn count), en passant in the
// stalemate test, and boards without kings.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/bauernendspiel.h"
#include "core/eval.h"
#include "core/gegenfeld.h"
#include "core/movegen.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

using test::Brett;
using test::Feld;
using test::Felder;

TEST(BauernendspielBewerten, ScoresOfEachStep) {
  struct Fall {
    const char* name;
    const char* stellung;
    int32_t modus;
    int16_t wert;
    uint8_t remis;
  };
  const Fall faelle[] = {
      // The bitbase: a win is worth a rook less 64, plus the pawn's advance.
      {"KPK won: king in front on the sixth", "4k3/8/4K3/4P3/8/8/8/8 w - -", 1, 386 + 16, 0},
      {"Black's KPK won", "8/8/8/8/4p3/4k3/8/4K3 b - -", 1, -(386 + 16), 0},
      {"KPK e2 against e8, Black to move: held", "4k3/8/8/8/8/8/4P3/4K3 b - -", 1, 1, 0},
      {"h-pawn with the defender on h8", "7k/8/7P/8/8/8/8/K7 w - -", 1, 1, 0},
      {"h-pawn with the defender on h8, Black to move", "7k/8/7P/8/8/8/8/K7 b - -", 1, 1, 0},
      // Stalemate is the only 0.
      {"stalemate h1/h2 against f2/h3", "8/8/8/8/8/7p/5k1P/7K w - -", 1, 0, 1},
      {"the same blocked, no en passant", "8/8/4p3/3pP3/8/7p/5k1P/7K w - -", 1, 0, 1},
      // Two pawns against the a7-pawn, and the same on the h-side.
      {"c6 and a4 against a7, defender on c7", "8/p1k5/2P5/8/P7/2K5/8/8 w - -", 1, 1, 0},
      {"the same mirrored to the h-side", "8/5k1p/5P2/8/7P/5K2/8/8 w - -", 1, 1, 0},
      // Corresponding squares: Kd5xe5 with the opposition, one move away.
      {"table: one move from a won pawn ending", "8/4k3/8/3Kp3/4P3/8/8/8 w - -", 1, 199, 0},
      {"table: Black's mirror", "8/8/8/4p3/3kP3/8/4K3/8 b - -", 1, -199, 0},
      {"table: Black to move holds", "8/4k3/8/3Kp3/4P3/8/8/8 b - -", 1, -1, 0},
      // Drawn pattern 7: g2/g3 against g7 with the king in front.
      {"pattern g2/g3 against g7", "6k1/6p1/8/8/8/6P1/6P1/K7 w - -", 1, 1, 0},
      {"pattern g2/g3 against g7, Black to move", "6k1/6p1/8/8/8/6P1/6P1/K7 b - -", 1, 1, 0},
      // The count. a5: 104 + 16 + 50 + 16, +100 as Black's king is outside
      // the square; h7: -101 - 50 - 32 - 2; kings: 3 * (1 - 7 - 7 + 1).
      {"passed pawns, king outside the square", "8/7p/8/P3k3/8/8/8/K7 w - -", 1, 65, 0},
      {"one square nearer: inside", "8/7p/8/P2k4/8/8/8/K7 w - -", 1, -35, 0},
      // d3, d4: 102 + 103, isolated -18 and doubled -12 each; d5: -103 + 18.
      {"table off: doubled isolated pawns", "4k3/8/8/3p4/3P4/3P4/8/4K3 w - -", 0, 60, 0},
      {"table off: the e-pawns counted", "8/4k3/8/3Kp3/4P3/8/8/8 w - -", 0, 12, 0},
  };
  for (const auto& f : faelle) {
    Stellung st = Brett(f.stellung);
    st.remisMaterial = 1;  // cleared on entry unless the position is stalemate
    EXPECT_EQ(BauernendspielBewerten(st, f.modus), f.wert) << f.name;
    EXPECT_EQ(st.remisMaterial, f.remis) << f.name;
  }
}

// The frame hands pawn endings over whole: no scaling, no +-1 rule.
TEST(BauernendspielBewerten, IsTheFramesScore) {
  Stellung st = Brett("8/4k3/8/3Kp3/4P3/8/8/8 w - -");
  EXPECT_EQ(StellungBewerten(st, 0), 199);
  EXPECT_EQ(st.bewertung, 199);
  Stellung s = Brett("8/8/8/8/8/7p/5k1P/7K w - -");
  EXPECT_EQ(StellungBewerten(s, 1), 0);
  EXPECT_EQ(s.remisMaterial, 1);
}

// White's only move is the en-passant capture e5xd6: that is no stalemate,
// whichever side it is.
TEST(BauernendspielBewerten, EnPassantCaptureIsAMove) {
  for (const char* text :
       {"8/8/4p3/3pP3/8/7p/5k1P/7K w - d6", "7k/5K1p/7P/8/3Pp3/4P3/8/8 b - d3"}) {
    Stellung st = Brett(text);
    const Zugliste zuege = ZugGenerator(st, GenAlleZuege);
    ASSERT_EQ(zuege.anzahl, 1) << text;
    ASSERT_EQ(zuege.zuege[0].enPassant, 1) << text;
    const int16_t wert = BauernendspielBewerten(st, GegenfeldBlockiert);
    EXPECT_NE(wert, 0) << text;
    EXPECT_EQ(st.remisMaterial, 0) << text;
  }
  // A stale en-passant square (no pawn to capture) changes nothing.
  Stellung st = Brett("8/8/4p3/4P3/8/7p/5k1P/7K w - d6");
  EXPECT_EQ(BauernendspielBewerten(st, GegenfeldBlockiert), 0);
  EXPECT_EQ(st.remisMaterial, 1);
}

TEST(EndspielRegelBauer, DrawsOfTwoPawnsAgainstTheA7Pawn) {
  struct Fall {
    const char* name;
    const char *koenigW, *bauer1, *bauer2, *koenigS, *bauerS;
    uint8_t amZug;
    uint8_t ergebnis;
  };
  const Fall faelle[] = {
      {"a4: c7 holds with White to move", "c3", "a4", "c6", "c7", "a7", 1, 0},
      {"a4: c7 holds with Black to move", "c3", "a4", "c6", "c7", "a7", 0, 0},
      {"a4: b8 loses with White to move", "c3", "a4", "c6", "b8", "a7", 1, 1},
      {"pawns given in either order", "c3", "c6", "a4", "c7", "a7", 1, 0},
      {"a6 with the king on d6: a8 holds", "d6", "a6", "c6", "a8", "a7", 1, 0},
      {"a6 with the king on d6: c8 only with Black to move", "d6", "a6", "c6", "c8", "a7", 1, 1},
      {"a6, king d6, c8, Black to move", "d6", "a6", "c6", "c8", "a7", 0, 0},
      {"a3 or a5 with the king on d6", "d6", "a5", "c6", "c8", "a7", 1, 0},
      {"king on the h-side: the board is mirrored", "g1", "f6", "h4", "f7", "h7", 1, 0},
      {"White's king too far up", "b6", "a4", "c6", "c7", "a7", 1, 1},
      {"Black's pawn not on a7", "c3", "a4", "c6", "c7", "a6", 1, 1},
      {"no pawn on c6", "c3", "a4", "b6", "c7", "a7", 1, 1},
      {"a side to move that is neither", "c3", "a4", "c6", "c7", "a7", 2, 1},
  };
  for (const auto& f : faelle) {
    auto q = [](const char* n) { return static_cast<uint8_t>(Feld(n)); };
    EXPECT_EQ(EndspielRegelBauer(q(f.koenigW), q(f.bauer1), q(f.bauer2), q(f.koenigS), q(f.bauerS),
                                 f.amZug),
              f.ergebnis)
        << f.name;
  }
  EXPECT_EQ(EndspielRegelBauer(64, 24, 42, 50, 48, 1), 1);  // no White king
}

TEST(EndspielRegelTabelle, DrawnPawnPatterns) {
  struct Fall {
    const char* name;
    Bitboard bauernW, koenigW, bauernS, koenigS;
    int32_t weissAmZug, schwarzAmZug;
  };
  const Bitboard g7 = Felder({"g7"}), g8 = Felder({"g8"}), a1 = Felder({"a1"});
  const Fall faelle[] = {
      {"g6 against g7, extra pawns locked", Felder({"g6", "a4"}), a1, Felder({"g7", "a5"}), g8, 0,
       0},
      {"an extra pawn that can still move", Felder({"g6", "a3"}), a1, Felder({"g7", "a5"}), g8, 1,
       -1},
      {"locked chains c4-c6 / c7, e4 / e5", Felder({"g6", "c4", "c6", "e4"}), a1,
       Felder({"g7", "c5", "c7", "e5"}), g8, 0, 0},
      {"d6 beside e5: not locked", Felder({"g6", "d6", "e4"}), a1, Felder({"g7", "d7", "e5"}), g8,
       1, -1},
      {"defender's king off the corner", Felder({"g6"}), a1, g7, Felder({"e8"}), 1, -1},
      {"f7 and g6 exactly", Felder({"f7", "g6"}), Felder({"d4"}), g7, Felder({"e8"}), 0, 0},
      {"f7 and g6 with White's king on h6", Felder({"f7", "g6"}), Felder({"h6"}), g7,
       Felder({"e8"}), 1, -1},
      {"f7 and g6 with one pawn more", Felder({"f7", "g6", "a2"}), Felder({"d4"}), g7,
       Felder({"e8"}), 1, -1},
      {"h4 and g6 against g7", Felder({"h4", "g6"}), a1, g7, Felder({"h8"}), 0, 0},
      {"g2 and g3 against g7", Felder({"g2", "g3"}), Felder({"h4"}), g7, Felder({"h7"}), 0, 0},
      {"no king", Felder({"g2", "g3"}), 0, g7, Felder({"h7"}), 1, -1},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(EndspielRegelTabelle(f.bauernW, f.koenigW, f.bauernS, f.koenigS, Weiss), f.weissAmZug)
        << f.name;
    EXPECT_EQ(EndspielRegelTabelle(f.bauernW, f.koenigW, f.bauernS, f.koenigS, Schwarz),
              f.schwarzAmZug)
        << f.name;
  }
}

// Boards a caller can build without one king or both, in every mode: the
// tables are never indexed by a missing king.
TEST(BauernendspielBewerten, BoardsWithoutKings) {
  const char* stellungen[] = {
      "8/8/8/4p3/4P3/8/8/4K3 w - -", "8/4k3/8/4p3/4P3/8/8/8 b - -", "8/8/8/p7/P7/8/8/8 w - -",
      "8/8/8/8/8/7p/7P/8 w - -",     "8/8/8/8/8/8/4P3/8 w - -",     "8/8/8/8/8/8/4p3/8 b - -",
  };
  for (const char* s : stellungen) {
    for (int32_t modus = 0; modus <= 3; ++modus) {
      Stellung st = Brett(s);
      BauernendspielBewerten(st, modus);
    }
  }
  Stellung st = Brett("8/4k3/8/4p3/4P3/8/8/4K3 w - -");
  st.koenigW = 200;
  BauernendspielBewerten(st, GegenfeldImmer);
}

}  // namespace
}  // namespace galdrik
