// Static evaluation: the frame's draw rules, material corrections, fortresses
// and scaling, the positional terms on hand-counted positions, and the colour
// symmetry of the whole evaluation.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "core/bauernendspiel.h"
#include "core/endspielerkenner.h"
#include "core/eval.h"
#include "core/gegenfeld.h"
#include "core/evalterms.h"
#include "core/movegen.h"
#include "core/movetest_util.h"
#include "core/zobrist.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

using test::Brett;
using test::Feld;
using test::Gespiegelt;

int16_t Bewerten(const std::string& text, uint8_t ansicht = 0) {
  Stellung st = Brett(text);
  return StellungBewerten(st, ansicht);
}

// The working state the frame hands the terms: piece boards and phases.
BewertungsZustand Zustand(const Stellung& st) {
  BewertungsZustand z = FigurenBretter(st);
  KoenigsPhasen(z, BitAnzahl(st.weiss | st.schwarz));
  return z;
}

TermSummen Terme(const std::string& text, int32_t material = 0) {
  const Stellung st = Brett(text);
  return BewertungsTerme(st, Zustand(st), material);
}

int32_t Bauern(const std::string& text) {
  const Stellung st = Brett(text);
  return BauernstrukturBewerten(st, Zustand(st)).p;
}

void SpiegelGleich(const Stellung& st, const std::string& name) {
  Stellung a = st, b = Gespiegelt(st);
  const int16_t wa = StellungBewerten(a, 0), wb = StellungBewerten(b, 0);
  EXPECT_EQ(wb, -wa) << name;
  EXPECT_EQ(a.remisMaterial, b.remisMaterial) << name;
  Stellung c = st, d = Gespiegelt(st);
  EXPECT_EQ(StellungBewerten(c, 1), StellungBewerten(d, 1)) << name;
}

constexpr const char* Start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";  // without the side

TEST(StellungBewerten, InitialPositionIsPlusOneForTheSideToMove) {
  Stellung w = Brett(std::string(Start) + " w KQkq -");
  EXPECT_EQ(StellungBewerten(w, 0), 1);
  EXPECT_EQ(w.bewertung, 1);
  Stellung s = Brett(std::string(Start) + " b KQkq -");
  EXPECT_EQ(StellungBewerten(s, 0), -1);
  EXPECT_EQ(s.bewertung, -1);
  EXPECT_EQ(StellungBewerten(s, 1), 1);
  EXPECT_EQ(s.bewertung, -1);  // always White's view
  EXPECT_EQ(s.remisMaterial, 0);
}

TEST(StellungBewerten, ViewFlagAndDrawMarkOfTheTree) {
  Stellung st = Brett("4k3/8/8/8/8/8/8/R3K3 b - -");
  st.remisRegel = 1;
  const int16_t weiss = StellungBewerten(st, 0);
  EXPECT_GT(weiss, 400);
  EXPECT_EQ(st.remisRegel, 0);
  EXPECT_EQ(StellungBewerten(st, 1), -weiss);
  EXPECT_EQ(st.bewertung, weiss);
  // Only 1 asks for the side to move's view.
  EXPECT_EQ(StellungBewerten(st, 2), weiss);
}

TEST(StellungBewerten, DeadDrawsScoreZeroAndMarkThePosition) {
  struct Fall {
    const char* name;
    const char* stellung;
    uint8_t halbzuege;
  };
  const Fall faelle[] = {
      {"fifty moves, whatever the material", test::StartFEN, 100},
      {"fifty moves and more", "4k3/8/8/8/8/8/8/QQQ1K3 w - -", 130},
      {"bare kings", "4k3/8/8/8/8/8/8/4K3 b - -", 0},
      {"three light bishops", "2b1k3/8/8/8/8/8/8/3BKB2 w - -", 0},
      {"king and bishop", "4k3/8/8/8/8/8/8/4KB2 b - -", 0},
      {"two dark bishops", "4k3/8/8/8/8/4B3/8/2B1K3 w - -", 0},
      // With one piece less the small-material recogniser scores these first.
      {"bare king to move without a safe square", "k7/8/1Q6/8/8/8/7R/4K3 b - -", 0},
      {"White's bare king the same", "4k3/7r/8/8/8/1q6/8/K7 w - -", 0},
  };
  for (const auto& f : faelle) {
    Stellung st = Brett(f.stellung);
    st.halbzuege = f.halbzuege;
    EXPECT_EQ(StellungBewerten(st, 1), 0) << f.name;
    EXPECT_EQ(st.bewertung, 0) << f.name;
    EXPECT_EQ(st.remisMaterial, 1) << f.name;
  }
  // The stalemate rule is about the side to move only.
  Stellung st = Brett("k7/8/1Q6/8/8/8/7R/4K3 w - -");
  EXPECT_GT(StellungBewerten(st, 0), 800);
  EXPECT_EQ(st.remisMaterial, 0);
  // Bishops of both colours are no dead draw.
  EXPECT_NE(Bewerten("4k3/8/8/8/8/8/8/2B1KB2 w - -"), 0);
}

// The material term as the frame corrects it, seen through the whole score:
// what the positional terms add (for that material) comes on top.
TEST(StellungBewerten, MaterialWithItsCorrections) {
  struct Fall {
    const char* name;
    const char* stellung;
    int32_t material;
  };
  const Fall faelle[] = {
      {"queen against rook", "r3k3/p7/8/8/8/8/P7/4K2Q w - -", 400},
      {"three knights against the bare king", "4k3/8/8/8/8/8/8/1NN1KN2 w - -", 450},
      {"four knights", "4k3/8/8/8/8/8/8/NNN1KN2 b - -", 750},
      {"Black's three knights", "1nn1kn2/8/8/8/8/8/8/4K3 w - -", -450},
      {"queen against rook and knight-file pawn: halved", "4k3/8/8/1p6/8/r7/8/3QK3 w - -", 150},
      {"queen against rook and centre pawn", "4k3/8/8/3p4/8/r7/8/3QK3 w - -", 300},
      {"Black's queen against rook and b6 pawn: halved", "3qk3/8/1P6/8/8/R7/8/4K3 b - -", -150},
      {"Black's queen against rook and b3 pawn", "3qk3/8/8/8/8/1P6/R7/4K3 b - -", -300},
  };
  for (const auto& f : faelle) {
    Stellung st = Brett(f.stellung);
    const TermSummen t = BewertungsTerme(st, Zustand(st), f.material);
    EXPECT_EQ(StellungBewerten(st, 0), f.material + t.p + t.k + t.c) << f.name;
  }
}

TEST(StellungBewerten, FortressesScoreOne) {
  struct Fall {
    const char* name;
    const char* stellung;
    int16_t erwartet;
  };
  const Fall faelle[] = {
      {"bishop shut in on a7", "1k6/B7/1P6/8/8/8/8/4K3 w - -", 1},
      {"bishop shut in on a7, Black to move", "1k6/B7/1P6/8/8/8/8/4K3 b - -", 1},
      {"bishop shut in on h7", "7k/7B/6P1/8/8/8/8/4K3 b - -", 1},
      {"Black's bishop shut in on a2", "4k3/8/8/8/8/1p6/b7/1K6 w - -", -1},
      {"Black's bishop shut in on h2", "4k3/8/8/8/8/6p1/7b/7K w - -", -1},
      {"rook guarded by its pawn, queen's king cut off", "4k3/5p2/4r3/8/8/8/8/3QK3 w - -", 1},
      {"the same, Black to move", "4k3/5p2/4r3/8/8/8/8/3QK3 b - -", 1},
      {"Black's queen against the same fortress", "3qk3/8/8/8/8/4R3/5P2/4K3 b - -", -1},
  };
  for (const auto& f : faelle) {
    Stellung st = Brett(f.stellung);
    EXPECT_EQ(StellungBewerten(st, 0), f.erwartet) << f.name;
    EXPECT_EQ(st.remisMaterial, 0) << f.name;
  }
  // The queen's king across the rook's rank breaks the fortress, and the
  // bishop on a7 with the enemy king away is no fortress either.
  EXPECT_GT(Bewerten("4k3/5p2/3Kr3/8/8/8/8/3Q4 w - -"), 150);
  EXPECT_GT(Bewerten("8/B7/1P6/8/8/8/4k3/4K3 w - -"), 300);
}

TEST(StellungBewerten, SideThatCannotWinGetsOnlyThePawnDifference) {
  struct Fall {
    const char* name;
    const char* stellung;
    int16_t erwartet;
  };
  const Fall faelle[] = {
      {"two knights against a pawn", "4k3/4p3/8/8/8/8/8/1N2K1N1 w - -", -1},
      {"two knights against a pawn, Black to move", "4k3/4p3/8/8/8/8/8/1N2K1N1 b - -", -1},
      {"h-pawn and light bishop, defender in the corner", "7k/p7/8/8/8/8/7P/4KB2 w - -", 1},
      {"the same with Black to move", "7k/p7/8/8/8/8/7P/4KB2 b - -", -1},
      {"a-pawn and dark bishop, defender on a8", "k7/7p/8/8/8/8/P7/2B1K3 w - -", 1},
      {"Black's h-pawn and dark bishop, White king on h1", "4kb2/7p/8/8/8/8/P7/7K b - -", -1},
      {"Black's h-pawn, White to move", "4kb2/7p/8/8/8/8/P7/7K w - -", 1},
      {"h-pawn blocked on h6, defender near the corner", "8/6k1/7p/7P/8/8/8/4KB2 w - -", 1},
      {"a knight each, Black's better placed", "4k3/8/8/3n4/8/8/8/N3K3 w - -", 1},
      {"a knight each, Black to move", "4k3/8/8/3n4/8/8/8/N3K3 b - -", -1},
      // Black's lack of mating material counts only where White has it, so
      // with a minor piece each Black's small lead stands.
      {"knight against bishop", "4k3/8/8/3b4/8/8/8/N3K3 w - -", -16},
  };
  for (const auto& f : faelle) {
    Stellung st = Brett(f.stellung);
    EXPECT_EQ(StellungBewerten(st, 0), f.erwartet) << f.name;
    EXPECT_EQ(st.remisMaterial, 0) << f.name;
  }
  // With the right bishop, or the defending king far away, the lead stands.
  EXPECT_GT(Bewerten("7k/p7/8/8/8/8/7P/4K1B1 w - -"), 300);
  EXPECT_GT(Bewerten("8/p7/8/8/k7/8/7P/4KB2 w - -"), 300);
  // A rook can mate: no scaling.
  EXPECT_GT(Bewerten("4k3/8/8/8/8/8/8/R3K3 w - -"), 400);
}

// The second wrong-bishop rule (a blocked h-pawn) exists for White only, so
// the mirrored position keeps Black's lead.
TEST(StellungBewerten, BlockedRookPawnRuleIsWhiteOnly) {
  const Stellung st = Brett("8/6k1/7p/7P/8/8/8/4KB2 w - -");
  Stellung s = st, m = Gespiegelt(st);
  EXPECT_EQ(StellungBewerten(s, 0), 1);
  EXPECT_LT(StellungBewerten(m, 0), -200);
}

TEST(Bewertungsterme, PawnStructure) {
  struct Fall {
    const char* name;
    const char* stellung;
    int32_t p;
  };
  const Fall faelle[] = {
      // e6: 50 + 32 + 100 unstoppable; a7: -(50 + 2); advancement (5 - 1) / 4.
      {"unstoppable passed pawn on e6", "1k6/p7/4P3/8/8/8/8/1N4K1 w - -", 131},
      {"the defending king one square nearer", "2k5/p7/4P3/8/8/8/8/1N4K1 w - -", 31},
      // a2, a3: -15 - 6 each; b5: +15; advancement 0.
      {"isolated doubled pawns", "4k3/8/8/1p6/8/P7/P7/4K3 w - -", -27},
      // a3 passed: 50 + 4; a2: -15 - 6.
      {"the front one passed", "4k3/8/8/8/8/P7/P7/4K3 w - -", 33},
      // c2 backward: -4; advancement (1 + 2 - 4 - 4) / 4.
      {"backward pawn", "4k3/8/8/8/2pp4/3P4/2P5/4K3 w - -", -5},
      // 58 + 58, distant pair +100, advancement 6 / 4.
      {"passed pawns on both wings", "8/8/4k3/8/P6P/8/8/4K3 w - -", 217},
      {"passed pawns too close together", "8/8/4k3/8/P2P4/8/8/4K3 w - -", 117},
      // Against a rook: 25, and 2^(r-1) more in the endgame.
      {"passed pawn against a rook", "r3k3/8/8/8/4P3/8/8/4K3 w - -", 25 + 4 + 0},
      {"initial position", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 0},
  };
  for (const auto& f : faelle) EXPECT_EQ(Bauern(f.stellung), f.p) << f.name;
}

TEST(Bewertungsterme, RooksByFileClass) {
  struct Fall {
    const char* name;
    const char* stellung;
    int32_t k;  // the kings' endgame terms cancel in these positions
  };
  const Fall faelle[] = {
      {"open file", "4k3/4p3/8/8/8/8/8/3RK3 w - -", 8},
      {"only Black has a pawn on the file", "4k3/4p3/8/8/8/8/3PR3/4K3 w - -", 2},
      {"pawns of both sides on the file", "4k3/3pp3/8/8/8/8/3P4/3RK3 w - -", 0},
      {"behind its own passed pawn", "4k3/4p3/8/8/8/8/P7/R3K3 w - -", 10},
      {"Black's rook behind its passed pawn", "r3k3/p7/8/8/8/8/4P3/4K3 w - -", -10},
  };
  for (const auto& f : faelle) EXPECT_EQ(Terme(f.stellung, 0).k, f.k) << f.name;
}

TEST(Bewertungsterme, InitialPositionCancels) {
  for (const char* seite : {" w KQkq -", " b KQkq -"}) {
    const TermSummen t = Terme(std::string(Start) + seite);
    EXPECT_EQ(t.p, 0);
    EXPECT_EQ(t.k, 0);
    EXPECT_EQ(t.c, 0);
    EXPECT_FALSE(t.patt);
  }
}

// A king far behind in material is judged by the room it has left.
TEST(Bewertungsterme, KingRoomWhenFarBehind) {
  const std::string kahl = "k7/8/8/8/8/8/8/7K w - -";
  // Black's king and its three squares are closed to White's king.
  EXPECT_EQ(Terme(kahl, -450).k - Terme(kahl, -449).k, -(64 - 60) / 2);
  EXPECT_EQ(Terme(kahl, 450).k - Terme(kahl, 449).k, (64 - 60) / 2);
  // The rook on g2 shuts the h1 king in: its region is h1 alone.
  const std::string eng = "8/8/8/8/8/8/6r1/k6K w - -";
  EXPECT_EQ(Terme(eng, -450).k - Terme(eng, -449).k, -(64 - 1) / 2);
}

TEST(StellungBewerten, ColourMirroredPositionsScoreNegated) {
  const char* stellungen[] = {
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
      "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq -",
      "2k1r1nr/1pp1q1pp/p1pb1p2/8/3PP1b1/4BN2/PPQN1PPP/R4RK1 w - -",
      "1r3rk1/pp3ppp/2p1p3/P2n2b1/3P4/1Q4P1/1P3PBP/R5K1 w - -",
      "rnb2b1r/pp2q1p1/2pp1nkp/8/3PPP1B/2N5/PPP3PP/R2QKB1R b - -",
      "2r5/1p1r2pp/4pp2/p1Pk4/Pb1P4/4PP1P/1B6/1R1R2K1 b - -",
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
      "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -",
      "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -",
      "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - -",
      "6k1/5ppp/8/8/8/8/5PPP/R5K1 w - -",
      "1k6/p7/4P3/8/8/8/8/1N4K1 w - -",
      "8/8/4k3/8/P6P/8/8/4K3 b - -",
      "4k3/4p3/8/8/8/8/8/1N2K1N1 w - -",
      "7k/p7/8/8/8/8/7P/4KB2 w - -",
      "4k3/8/8/3n4/8/8/8/N3K3 w - -",
      "1k6/B7/1P6/8/8/8/8/4K3 w - -",
      "4k3/5p2/4r3/8/8/8/8/3QK3 w - -",
      "4k3/8/8/1p6/8/r7/8/3QK3 b - -",
      "4k3/8/8/8/8/8/8/1NN1KN2 w - -",
      "r3k3/8/8/8/8/8/8/4K2Q w - -",
      "8/8/3k4/8/8/2K5/6q1/R6R w - -",
      "r3k2r/8/8/8/8/8/8/R3K2R b KQkq -",
      "3k4/3q4/8/8/8/8/3R4/3RK3 w - -",
      "rnbqkbnr/ppp2ppp/8/3pp3/3PP3/8/PPP2PPP/RNBQKBNR b KQkq -",
      // Kings off the back rank on the edge files, with the queens on.
      "r1bq1r2/pppp1ppk/2n2n1p/2b1p3/2B1P3/2NP1N1P/PPP2PP1/R1BQ1RK1 w - -",
      "r6r/k1p2ppp/1pn1q3/8/8/2N1Q3/KPP2PPP/R6R w - -",
      // Pawn endings: bitbase, stalemate, en passant, corresponding squares,
      // the pawn count.
      "4k3/8/4K3/4P3/8/8/8/8 w - -",
      "8/8/8/8/8/7p/5k1P/7K w - -",
      "8/8/4p3/3pP3/8/7p/5k1P/7K w - d6",
      "8/4k3/8/3Kp3/4P3/8/8/8 w - -",
      "8/4k3/8/3Kp3/4P3/8/8/8 b - -",
      "8/7p/8/P3k3/8/8/8/K7 w - -",
      "4k3/8/8/3p4/3P4/3P4/8/4K3 w - -",
      // Small material: mating formulas, draw zones and mate patterns.
      "8/8/8/4Q3/8/3K4/1k6/q7 b - -",
      "8/4K3/8/4k3/8/2b5/R7/8 w - -",
      "8/3K4/8/4k3/8/2b5/R7/8 b - -",
      "8/7R/8/4k3/8/8/8/n2K4 b - -",
      "7k/8/5K2/8/8/8/8/2B3N1 w - -",
      "6bk/8/6K1/8/8/2B5/8/8 b - -",
      "3Q3K/8/8/8/8/8/p7/1k6 w - -",
      "K7/P1k5/8/8/4N3/8/8/8 b - -",
  };
  for (const char* s : stellungen) SpiegelGleich(test::Pos(s), s);
}

// Every position of a shallow perft tree.
void Sammeln(const Stellung& st, int tiefe, std::vector<Stellung>& alle) {
  alle.push_back(st);
  if (tiefe == 0) return;
  const Zugliste l = ZugGenerator(st, GenAlleZuege);
  for (int i = 0; i < l.anzahl; ++i) Sammeln(ZugAusfuehren(st, l.zuege[i], 1), tiefe - 1, alle);
}

// Material classes where the rules are knowingly one-sided: the blocked
// h-pawn rule exists for White only, and a side that cannot win is cut back
// at S > 2 for White but S < 2 for Black.
bool EinseitigeKlasse(const Stellung& st) {
  auto nurLaeuferBauern = [&](Bitboard farbe) {
    return !((st.springer | st.tuerme | st.damen) & farbe);
  };
  auto ohneSchwere = [&](Bitboard farbe) { return !((st.bauern | st.tuerme | st.damen) & farbe); };
  return nurLaeuferBauern(st.weiss) || nurLaeuferBauern(st.schwarz) || ohneSchwere(st.weiss) ||
         ohneSchwere(st.schwarz);
}

TEST(StellungBewerten, ColourMirrorOverPerftTrees) {
  const struct {
    const char* stellung;
    int tiefe;
  } baeume[] = {{test::StartFEN, 3},  {test::Kiwipete, 2},  {test::Position3, 3},
                {test::Position4, 2}, {test::Position5, 2}, {test::Position6, 2}};
  size_t geprueft = 0;
  for (const auto& b : baeume) {
    std::vector<Stellung> alle;
    Sammeln(test::Pos(b.stellung), b.tiefe, alle);
    for (const Stellung& st : alle) {
      if (EinseitigeKlasse(st)) continue;
      ++geprueft;
      Stellung a = st, m = Gespiegelt(st);
      const int16_t wa = StellungBewerten(a, 0), wm = StellungBewerten(m, 0);
      if (wm != -wa) {
        ADD_FAILURE() << b.stellung << ": a position below scores " << wa << ", mirrored " << wm;
        return;
      }
    }
  }
  EXPECT_GT(geprueft, 15000u);
}

// Rules that exist for one colour only in the endgames: the two tables of
// drawn pawn patterns (White's extra pawn), the edge rule of the lone heavy
// piece, the bishop pair driving the king towards e5 rather than the middle
// of the board, and the frame's one-sided classes wherever the small-material
// recogniser does not answer.
bool EinseitigImEndspiel(const Stellung& st) {
  const int n = BitAnzahl(st.weiss | st.schwarz);
  if (!(st.springer | st.laeufer | st.tuerme | st.damen)) {
    // The corresponding-squares passes visit the squares in one order, which
    // shows in the values once there is more than one pawn a side to win.
    Gegenfeldeintrag tabelle;
    if (BitAnzahl(st.bauern) > 2 && GegenfeldTabelle(st, GegenfeldBlockiert, tabelle)) return true;
    for (const Stellung& s : {st, Gespiegelt(st)}) {
      const Bitboard bW = s.bauern & s.weiss, bS = s.bauern & s.schwarz;
      if (EndspielRegelTabelle(bW, Feldmaske[s.koenigW], bS, Feldmaske[s.koenigS], s.amZug) == 0)
        return true;
      if (BitAnzahl(bW) == 2 && BitAnzahl(bS) == 1 &&
          EndspielRegelBauer(s.koenigW, static_cast<uint8_t>(ErstesBit(bW)),
                             static_cast<uint8_t>(LetztesBit(bW)), s.koenigS,
                             static_cast<uint8_t>(ErstesBit(bS)), s.amZug) == 0)
        return true;
    }
    return false;
  }
  // A king on the edge helps mate less; the first rank is the board's for
  // either colour.
  if (n == 3 && (st.tuerme | st.damen)) return true;
  if (n == 4 && BitAnzahl(st.laeufer) == 2 &&
      ((st.laeufer & st.weiss) == st.laeufer || (st.laeufer & st.schwarz) == st.laeufer) &&
      !(st.springer | st.tuerme | st.damen | st.bauern))
    return true;
  Stellung kopie = st;
  if (n < 5 && EndspielErkenner(kopie, static_cast<uint8_t>(n), FigurenBretter(st))) return false;
  return EinseitigeKlasse(st);
}

TEST(StellungBewerten, ColourMirrorOverEndgameTrees) {
  ASSERT_EQ(GegenfeldHashAllok(32), 0);
  const struct {
    const char* stellung;
    int tiefe;
  } baeume[] = {
      {"8/5k2/1p4p1/1P4P1/4K3/8/8/8 w - -", 4},  // locked pawns: corresponding squares
      {"8/pp3k2/8/3P4/8/5K2/PP6/8 w - -", 3},    // the pawn count
      {"8/8/1k6/8/2pP4/8/8/4K3 b - d3", 4},      // en passant, and bitbase endings
      {"8/8/3k4/8/8/2K5/8/R7 w - -", 3},        {"4k3/8/8/8/2b5/8/8/R3K3 w - -", 3},
      {"8/8/8/3kn3/8/8/8/R3K3 w - -", 3},       {"r3k3/8/8/8/8/8/8/4K2Q w - -", 3},
      {"3qk3/8/8/8/8/8/8/3QK3 w - -", 3},       {"4k3/8/8/3b4/8/8/8/2B1K3 w - -", 3},
      {"7k/8/5K2/8/8/8/8/2B3N1 w - -", 3},      {"8/8/8/8/8/2K5/p7/1k5Q w - -", 3},
      {"K7/P1k5/8/8/4N3/8/8/8 b - -", 4},
  };
  size_t geprueft = 0;
  for (const auto& b : baeume) {
    std::vector<Stellung> alle;
    Sammeln(test::Pos(b.stellung), b.tiefe, alle);
    for (const Stellung& st : alle) {
      if (EinseitigImEndspiel(st)) continue;
      ++geprueft;
      Stellung a = st, m = Gespiegelt(st);
      const int16_t wa = StellungBewerten(a, 0), wm = StellungBewerten(m, 0);
      if (wm != -wa || a.remisMaterial != m.remisMaterial) {
        ADD_FAILURE() << b.stellung << ": a position below scores " << wa << ", mirrored " << wm;
        GegenfeldHashFrei();
        return;
      }
    }
  }
  GegenfeldHashFrei();
  EXPECT_GT(geprueft, 20000u);
}

// The working state is per call: the search and another job may evaluate at
// the same time (run under ThreadSanitizer to see any shared write). Pawn
// endings share the engine-wide corresponding-squares cache, which is locked.
TEST(StellungBewerten, EvaluationsInTwoThreadsAgree) {
  std::vector<Stellung> alle;
  Sammeln(test::Pos(test::Kiwipete), 2, alle);
  Sammeln(test::Pos("8/5k2/1p4p1/1P4P1/4K3/8/8/8 w - -"), 3, alle);
  ASSERT_EQ(GegenfeldHashAllok(2), 0);  // small: the threads overwrite each other's tables
  std::vector<int16_t> erwartet;
  for (Stellung st : alle) erwartet.push_back(StellungBewerten(st, 1));
  std::vector<int16_t> a(alle.size()), b(alle.size());
  auto lauf = [&](std::vector<int16_t>& aus) {
    for (size_t i = 0; i < alle.size(); ++i) {
      Stellung st = alle[i];
      aus[i] = StellungBewerten(st, 1);
    }
  };
  std::thread t1(lauf, std::ref(a)), t2(lauf, std::ref(b));
  t1.join();
  t2.join();
  GegenfeldHashFrei();
  EXPECT_EQ(a, erwartet);
  EXPECT_EQ(b, erwartet);
}

// Whatever a caller builds: missing kings, pawns on the first or last rank,
// crowded boards. The score is defined and nothing reads outside a table.
TEST(StellungBewerten, OddPositionsAreEvaluatedSafely) {
  const char* stellungen[] = {
      "8/8/8/8/8/8/8/R7 w - -",
      "4k3/8/8/8/8/8/8/Q7 b - -",
      "P6p/8/8/8/8/8/8/p3K2P w - -",
      "pppppppp/pppppppp/8/8/8/8/PPPPPPPP/PPPPPPPP w - -",
      "QQQQQQQQ/QQQQQQQQ/8/3k4/8/8/qqqqqqqq/qqqqqqqK b - -",
      "4k3/8/8/8/8/8/8/8 b - -",
      "8/8/8/8/8/8/8/8 w - -",
      "7P/8/8/8/8/8/8/p6K w - -",
  };
  for (const char* s : stellungen) {
    Stellung st = Brett(s);
    const int16_t w = StellungBewerten(st, 1);
    EXPECT_EQ(w, st.amZug == Weiss ? st.bewertung : -st.bewertung) << s;
  }
  Stellung st = Brett("4k3/8/8/8/8/8/8/4K2R w - -");
  st.koenigW = 200;  // out of range, treated as no king
  StellungBewerten(st, 0);
}

TEST(BewertungTBVorbereiten, RookPawnCornerRace) {
  // Lists: six start positions into the six squares; Black's list starts
  // after White's men.
  auto liste = [](std::initializer_list<int32_t> start, std::initializer_list<const char*> felder) {
    std::array<int32_t, 12> l{};
    int i = 0;
    for (int32_t s : start) l[i++] = s;
    i = 6;
    for (const char* f : felder) l[i++] = f[0] == '-' ? 0 : Feld(f);
    return l;
  };
  const auto weiss = liste({0, 1, 1, 1, 1, 1}, {"h5", "e8"});  // pawn h5, king e8
  const auto weissFern = liste({0, 1, 1, 1, 1, 1}, {"h5", "a1"});
  const auto weissOhneBauer = liste({0, 0, 0, 0, 0, 0}, {"e1"});
  const auto weissLaeufer = liste({0, 1, 1, 2, 2, 2}, {"h5", "e4", "a1"});
  auto schwarz = [&](const char* k) { return liste({2, 2, 2, 2, 2, 2}, {"-", "-", k}); };

  struct Fall {
    const char* name;
    std::array<int32_t, 12> w, s;
    int32_t tempo, polaritaet;
    uint8_t erwartet;
  };
  const Fall faelle[] = {
      {"no White pawn", weissOhneBauer, schwarz("h8"), 1, 0, 1},
      {"defender in the corner: near", weiss, schwarz("h8"), 1, 0, 0},
      {"near, reversed polarity", weiss, schwarz("h8"), 1, 5, 1},
      {"defender far away", weiss, schwarz("a1"), 1, 0, 1},
      {"two squares off, attacker's king closer", weiss, schwarz("f6"), 1, 0, 1},
      {"two squares off, attacker's king far", weissFern, schwarz("f6"), 1, 0, 0},
      // A bishop on one of the listed squares lowers the bound by one.
      {"two squares off, attacker's king far, with a bishop", weissLaeufer, schwarz("f6"), 1, 0, 1},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(BewertungTBVorbereiten(f.w.data(), f.s.data(), nullptr, 127, f.tempo, f.polaritaet),
              f.erwartet)
        << f.name;
  }
}

}  // namespace
}  // namespace galdrik
