// Reading and writing FEN: field clean-up, validity rules, refusal of
// impossible boards, and round trips of published positions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/fen.h"
#include "core/zobrist.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

struct FENFall {
  const char* fen;
  int32_t ergebnis;
  uint16_t halbzugNummer;
};

TEST(FENEingabe, ErgebnisUndHalbzugnummer) {
  const FENFall faelle[] = {
      // clock and move fields may be missing; the castling field may not
      {"8/8/8/8/8/8/8/4K2k w - -", FENGueltig, 1},
      {"8/8/8/8/8/8/8/4K2k w", FENUngueltig, 1},
      {"8/8/8/8/8/8/8/4K2k w ", FENUngueltig, 1},
      {"8/8/8/8/8/8/8/4K2k", FENUngueltig, 1},
      {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/8/4K3 b - - 0 40", FENGueltig, 80},
      {"4k3/8/8/8/8/8/8/4K3 w - - 0 40", FENGueltig, 79},
      {"4k3/8/8/8/8/8/8/4K3 w - - 0 0", FENGueltig, 1},
      {"4k3/8/8/8/8/8/8/4K3 b - - 0 6000", FENGueltig, 2},
      {"4k3/8/8/8/8/8/8/4K3 w - - 0 5000", FENGueltig, 9999},
      {"4k3/8/8/8/8/8/8/4K3 w - - 0 99999999999999999999", FENGueltig, 1},
      // the side that is not to move stands in check
      {"4k3/8/8/8/8/8/8/4R1K1 w - - 0 1", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/8/4R1K1 b - - 0 1", FENGueltig, 2},
      {"8/8/8/8/8/8/8/3Kk3 w - - 0 1", FENUngueltig, 1},
      // kings: missing, or two of one colour
      {"8/8/8/8/8/8/8/4K3 w - - 0 1", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/8/8 w - - 0 1", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/8/K3K3 w - - 0 1", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/8/k3K3 w - - 0 1", FENUngueltig, 1},
      // impossible material: more pawns and promoted pieces than eight
      {"4k3/8/8/8/8/P7/PPPPPPPP/4K3 w - - 0 1", FENUngueltig, 1},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", FENGueltig, 1},
      {"rnbqkbnr/pppppppp/n7/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/QQ6/QQQQQQQK b - - 0 1", FENGueltig, 2},
      {"4k3/8/8/8/8/8/QQQ5/QQQQQQQK b - - 0 1", FENUngueltig, 2},
      {"4k3/8/8/8/8/N7/PPPPPPP1/NN2K3 w - - 0 1", FENGueltig, 1},
      {"4k3/8/8/8/8/N7/PPPPPPPP/NN2K3 w - - 0 1", FENUngueltig, 1},
      {"4K3/8/8/8/8/b7/ppppppp1/bb2k3 b - - 0 1", FENGueltig, 2},
      {"4K3/8/8/8/8/b7/pppppppp/bb2k3 b - - 0 1", FENUngueltig, 2},
      // pawns on the first or last rank
      {"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/8/p3K3 w - - 0 1", FENUngueltig, 1},
      // malformed board, side and en-passant fields
      {"8/8/8/8/8/8/8/8/4K2k w - - 0 1", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/8/4K3P w - - 0 1", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/8/K06 w - - 0 1", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/8/4K3 x - - 0 1", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/8/4K3 b - e9 0 1", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/8/4K3 b - z3 0 1", FENUngueltig, 1},
      {"4k3/8/8/8/8/8/8/4K3 b - e", FENUngueltig, 1},
      {"r3k2r/8/8/8/8/8/8/R3K2R w qk - 0 1", FENUngueltig, 1},
      // too short, nothing
      {"8/8", FENZuKurz, 1},
      {"", FENZuKurz, 1},
  };
  for (const auto& f : faelle) {
    Stellung st = Grundstellung();
    uint16_t n = 77;
    EXPECT_EQ(FENEingabe(f.fen, st, n), f.ergebnis) << f.fen;
    EXPECT_EQ(n, f.halbzugNummer) << f.fen;
    // Even a refused text leaves a consistent record behind (a text too
    // short to read leaves the empty position, whose key is never computed).
    if (f.ergebnis != FENZuKurz) {
      EXPECT_FALSE(StellungLegal(st)) << f.fen;
    }
  }
  Stellung st = Grundstellung();
  uint16_t n = 77;
  EXPECT_EQ(FENEingabe(static_cast<const char*>(nullptr), st, n), FENFehlt);
  EXPECT_EQ(n, 1);
  const Stellung leer = Leerstellung();
  EXPECT_EQ(std::memcmp(&st, &leer, sizeof st), 0);
}

TEST(FENEingabe, BereinigtRochadeEnPassantUndUhr) {
  struct Fall {
    const char* fen;
    uint8_t rochade[4];  // W long, W short, B long, B short
    const char* ep;
    uint8_t halbzuege;
  } faelle[] = {
      {"r3k2r/8/8/8/8/8/8/R4K1R w KQkq - 0 1", {0, 0, 1, 1}, "-", 0},
      {"r3k3/8/8/8/8/8/8/4K2R w KQkq - 7 1", {0, 1, 1, 0}, "-", 7},
      {"r3k2r/8/8/8/8/8/8/R3K2R w Kq - 100 1", {0, 1, 1, 0}, "-", 100},
      {"r3k2r/8/8/8/8/8/8/1R2K1R1 b KQkq - 150 1", {0, 0, 1, 1}, "-", 0},
      {"r3k2r/8/8/8/8/8/8/R3K2R b - - -3 1", {0, 0, 0, 0}, "-", 0},
      // a Black rook in the corner does not back a White right
      {"4k3/8/8/8/8/8/8/r3K2r w KQ - 0 1", {0, 0, 0, 0}, "-", 0},
      // en passant kept only behind a pawn that can just have double-stepped
      {"4k3/8/8/8/4P3/8/8/4K3 b - e3 0 1", {0, 0, 0, 0}, "e3", 0},
      {"4k3/8/8/8/8/8/8/4K3 b - e3 0 1", {0, 0, 0, 0}, "-", 0},
      {"4k3/8/8/8/4P3/8/4N3/4K3 b - e3 0 1", {0, 0, 0, 0}, "-", 0},
      {"4k3/8/8/8/4P3/8/8/4K3 w - e3 0 1", {0, 0, 0, 0}, "-", 0},
      {"4k3/8/8/3Pp3/8/8/8/4K3 w - e6 0 1", {0, 0, 0, 0}, "e6", 0},
      {"4k3/4r3/8/3Pp3/8/8/8/4K3 w - e6 0 1", {0, 0, 0, 0}, "-", 0},
      {"4k3/8/8/3Pp3/8/8/8/4K3 w - d6 0 1", {0, 0, 0, 0}, "-", 0},
  };
  for (const auto& f : faelle) {
    Stellung st;
    uint16_t n;
    ASSERT_EQ(FENEingabe(f.fen, st, n), FENGueltig) << f.fen;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(st.rochade[i], f.rochade[i]) << f.fen << " right " << i;
    const uint8_t ep = f.ep[0] == '-' ? KeinEPFeld : static_cast<uint8_t>(test::Feld(f.ep));
    EXPECT_EQ(st.epFeld, ep) << f.fen;
    EXPECT_EQ(st.halbzuege, f.halbzuege) << f.fen;
  }
}

TEST(FENEingabe, BautDieStellungVollstaendig) {
  // Against the independent test builder: every board, square array, count
  // and the key must agree field for field.
  const char* faelle[][2] = {
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
       "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -"},
      {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
       "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -"},
      {"rnbqkbnr/pppp1ppp/8/8/3pP3/8/PPP2PPP/RNBQKBNR b KQkq e3 0 3",
       "rnbqkbnr/pppp1ppp/8/8/3pP3/8/PPP2PPP/RNBQKBNR b KQkq e3"},
  };
  for (const auto& f : faelle) {
    Stellung st;
    uint16_t n;
    ASSERT_EQ(FENEingabe(f[0], st, n), FENGueltig) << f[0];
    const Stellung erwartet = test::Brett(f[1]);
    EXPECT_EQ(std::memcmp(&st, &erwartet, sizeof st), 0) << f[0];
    EXPECT_EQ(st.schluessel, HashCodeBerechnen(st));
  }

  Stellung st;
  uint16_t n;
  ASSERT_EQ(FENEingabe("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", st, n), 0);
  const Stellung grund = Grundstellung();
  EXPECT_EQ(std::memcmp(&st, &grund, sizeof st), 0);
}

TEST(FENEingabe, SetztSchachmarken) {
  Stellung st;
  uint16_t n;
  ASSERT_EQ(FENEingabe("4k3/8/8/8/8/8/8/4R1K1 b - - 0 1", st, n), FENGueltig);
  EXPECT_EQ(st.schachS, 1);
  EXPECT_EQ(st.schachW, 0);
  ASSERT_EQ(FENEingabe("4k3/8/8/8/8/5n2/8/6K1 b - - 0 1", st, n), FENUngueltig);
  ASSERT_EQ(FENEingabe("4k3/8/8/8/8/5n2/8/6K1 w - - 0 1", st, n), FENGueltig);
  EXPECT_EQ(st.schachW, 1);
  EXPECT_EQ(st.schachS, 0);
}

TEST(FENEingabe, TexteBeliebigerLaengeSicher) {
  Stellung st;
  uint16_t n;
  const std::string rest = " w - - 0 1";
  EXPECT_EQ(FENEingabe(std::string(100000, 'p') + rest, st, n), FENUngueltig);
  EXPECT_EQ(FENEingabe(std::string(100000, '8') + rest, st, n), FENUngueltig);
  EXPECT_EQ(FENEingabe(std::string(100000, 'x') + rest, st, n), FENUngueltig);
  EXPECT_EQ(FENEingabe(std::string(100000, '/') + rest, st, n), FENUngueltig);
  EXPECT_EQ(FENEingabe(std::string(100000, 'K'), st, n), FENUngueltig);
  EXPECT_EQ(FENEingabe("4k3/8/8/8/8/8/8/4K3 w - - 0 12" + std::string(100000, ' '), st, n),
            FENGueltig);
  EXPECT_EQ(n, 23);
  // An embedded NUL ends the text, as it does for the C-string form.
  EXPECT_EQ(FENEingabe(std::string("4k3/8/8/8/8/8/8/4K3 w\0 - - 0 1", 30), st, n), FENUngueltig);
}

TEST(FENAusgabe, RundreiseVeroeffentlichterStellungen) {
  const char* faelle[] = {
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
      "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
      "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
      "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
      "4k3/8/8/8/8/8/8/4K3 b - - 100 5000",
  };
  for (const char* fen : faelle) {
    Stellung st;
    uint16_t n;
    ASSERT_EQ(FENEingabe(fen, st, n), FENGueltig) << fen;
    EXPECT_EQ(FENAusgabe(st, static_cast<int16_t>(n)), fen);
  }
}

TEST(FENAusgabe, ZugnummerUndLeereFelder) {
  const Stellung grund = Grundstellung();
  EXPECT_EQ(FENAusgabe(grund, 1), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EXPECT_EQ(FENAusgabe(grund, 0), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 0");
  EXPECT_EQ(FENAusgabe(grund, 80), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 40");
  EXPECT_EQ(FENAusgabe(Leerstellung(), 1), "8/8/8/8/8/8/8/8 w - - 0 1");
  // An en-passant square beyond the board (a record from outside) reads as none.
  Stellung st = grund;
  st.epFeld = 64;
  EXPECT_EQ(FENAusgabe(st, 1), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
}

}  // namespace
}  // namespace galdrik
