// Small-material recogniser, seen through the evaluation frame: the dead
// draws, the mating formulas, the four-man classes with their draw zones and
// mate patterns, and the material it leaves to the general evaluation.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/endspielerkenner.h"
#include "core/eval.h"
#include "core/movetest_util.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

TEST(EndspielErkenner, RecognisedPositions) {
  struct Fall {
    const char* name;
    const char* stellung;
    int16_t wert;  // White's view
    uint8_t remis;
  };
  const Fall faelle[] = {
      {"king and knight", "4k3/8/8/8/8/8/8/4KN2 b - -", 0, 1},
      {"king and bishop", "4k3/8/8/8/8/8/8/4KB2 w - -", 0, 1},
      // 450, rook a1 below-left of the king: +30, kings +28, White's king
      // on its first rank -25.
      {"rook against the bare king", "4k3/8/8/8/8/8/8/R3K3 w - -", 483, 0},
      // The edge rule reads the first rank for Black's king too: e8 is free.
      {"Black's rook", "r3k3/8/8/8/8/8/8/4K3 w - -", -508, 0},
      // 450, rook a2 above-left of the king: +114, kings +44, b1 -25.
      {"Black's rook, Black's king on the first rank", "8/8/8/8/8/8/r7/1k2K3 w - -", -583, 0},
      {"rook b2, defending king in the centre", "8/8/8/4k3/8/8/1R6/4K3 w - -", 521, 0},
      {"rook b2, defending king in the corner", "k7/8/8/8/8/8/1R6/4K3 w - -", 553, 0},
      {"queen each, no corner pattern", "3qk3/8/8/8/8/8/8/3QK3 w - -", 1, 0},
      {"queen each, no corner pattern, Black to move", "3qk3/8/8/8/8/8/8/3QK3 b - -", -1, 0},
      {"queen a1 beside its king, White to move", "8/8/8/7Q/8/3K4/1k6/q7 w - -", 850, 0},
      {"the same with Black to move", "8/8/8/7Q/8/3K4/1k6/q7 b - -", -1, 0},
      {"the same with Black in check", "8/8/8/4Q3/8/3K4/1k6/q7 b - -", 850, 0},
      {"White's queen on h8 beside its king", "7Q/6K1/8/5k2/8/8/q7/8 b - -", -850, 0},
      {"rook against bishop: e5/c3 holds, Black to move", "8/3K4/8/4k3/8/2b5/R7/8 b - -", 0, 0},
      {"the same with White to move: no opposition", "8/3K4/8/4k3/8/2b5/R7/8 w - -", 0, 0},
      // 2 * (1 + 1) + 25 + 2 * (7 - 2).
      {"kings in opposition, White to move", "8/4K3/8/4k3/8/2b5/R7/8 w - -", 39, 0},
      {"Black's rook against White's bishop", "8/r7/2B5/8/4K3/8/4k3/8 b - -", -39, 0},
      // 2 * (1 + 1) + 64 + 2 * (4 - 4).
      {"rook against knight near the corner", "8/7R/8/4k3/8/8/8/n2K4 b - -", 68, 0},
      {"rook against knight beside its king", "8/7R/8/4k3/3n4/8/8/3K4 b - -", 0, 0},
      // 5 * (7 + 1 + 80) + 2 * (14 - 7 - 7).
      {"queen against rook", "r3k3/8/8/8/8/8/8/4K2Q w - -", 440, 0},
      {"two knights", "4k3/8/8/8/8/8/8/1N2KN2 b - -", 1, 0},
      {"Black's two knights", "1n2kn2/8/8/8/8/8/8/4K3 w - -", -1, 0},
      {"knight each", "4k3/3n4/8/8/8/8/8/4KN2 b - -", -1, 0},
      {"two light bishops", "4k3/8/8/8/8/8/8/3BKB2 w - -", 0, 1},
      {"bishop pair, defender on the edge", "4k3/8/8/8/8/8/8/2B1KB2 w - -", 652, 0},
      {"bishop pair, defender in the centre", "8/8/8/4k3/8/8/8/2B1KB2 w - -", 640, 0},
      // Dark bishop: h8 is a mating corner (c = 0), a8 is not (c = 7).
      {"bishop and knight, defender on h8", "7k/8/5K2/8/8/8/8/2B3N1 w - -", 752, 0},
      {"bishop and knight, defender on a8", "k7/8/2K5/8/8/8/8/2B3N1 w - -", 696, 0},
      {"bishop each, both dark", "4k3/8/8/4b3/8/8/8/2B1K3 w - -", 0, 1},
      {"bishop each, both light", "4k3/8/8/3B4/8/8/8/4Kb2 b - -", 0, 1},
      {"bishop each, different colours", "4k3/8/8/3b4/8/8/8/2B1K3 w - -", 0, 0},
      {"bishops: the mate on h8", "6bk/8/6K1/8/8/2B5/8/8 b - -", 24999, 0},
      {"bishops: Black's mate on h1", "8/8/2b5/8/8/6k1/8/6BK w - -", -24999, 0},
      {"queen against a2, White's king far", "3Q3K/8/8/8/8/8/p7/1k6 w - -", 1, 0},
      {"Black's queen against a7", "1K6/P7/8/8/8/8/8/3q3k b - -", -1, 0},
      {"knight and a-pawn, king in the corner", "K7/P1k5/8/8/4N3/8/8/8 b - -", 1, 0},
      {"Black's knight and a-pawn", "8/8/8/4n3/8/8/p1K5/k7 w - -", -1, 0},
  };
  for (const auto& f : faelle) {
    Stellung st = test::Pos(f.stellung);
    EXPECT_EQ(StellungBewerten(st, 0), f.wert) << f.name;
    EXPECT_EQ(st.bewertung, f.wert) << f.name;
    EXPECT_EQ(st.remisMaterial, f.remis) << f.name;
  }
}

// Where a class's rules do not apply, or the material is not one of the
// classes, the recogniser changes nothing and the frame goes on.
TEST(EndspielErkenner, LeavesTheRestToTheEvaluation) {
  const char* stellungen[] = {
      "3Q4/8/8/8/8/2K5/p7/1k6 w - -",   // queen's king in the winning zone
      "4k3/8/8/8/8/8/1p6/3QK3 w - -",   // knight pawn
      "K7/P1k5/8/8/4N3/8/8/8 w - -",    // the corner pattern needs Black to move
      "r3k3/8/8/8/8/8/8/R3K3 w - -",    // rook against rook
      "4k3/8/8/8/8/8/8/R1B1K3 w - -",   // rook and bishop
      "4k3/8/8/8/8/8/4P3/2B1K3 w - -",  // bishop and pawn
      "4k3/8/8/3b4/8/8/8/N3K3 w - -",   // bishop against knight
      "4k3/8/8/8/8/8/8/RQ2K3 w - -",    // queen and rook: no class of its own
      "8/8/8/8/8/8/8/R2QK3 w - -",      // three men, no Black king
      "8/8/8/8/8/8/8/R2QK2N w - -",     // four men, no Black king
  };
  for (const char* s : stellungen) {
    Stellung st = test::Pos(s);
    st.bewertung = 1234;
    st.remisMaterial = 0;
    const auto n = static_cast<uint8_t>(BitAnzahl(st.weiss | st.schwarz));
    EXPECT_EQ(EndspielErkenner(st, n, FigurenBretter(st)), 0) << s;
    EXPECT_EQ(st.bewertung, 1234) << s;
    EXPECT_EQ(st.remisMaterial, 0) << s;
  }
}

}  // namespace
}  // namespace galdrik
