// Move texts: reading standard and long algebraic forms against the legal
// moves of a position, with both letter sets, and writing long notation.
#include <gtest/gtest.h>

#include <string>

#include "core/fen.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

Zugliste LegaleZuege(const char* fen) {
  Stellung st;
  uint16_t n;
  EXPECT_EQ(FENEingabe(fen, st, n), FENGueltig) << fen;
  return ZugGenerator(st, GenAlleZuege);
}

// Index of the move "e7e8q" (from, to, promotion letter) in the list.
int IndexVon(const Zugliste& liste, const char* zug) {
  const int von = test::Feld(zug), nach = test::Feld(zug + 2);
  uint8_t umwandlung = 0;
  switch (zug[4]) {
    case 'q':
      umwandlung = ZugartUmwDame;
      break;
    case 'r':
      umwandlung = ZugartUmwTurm;
      break;
    case 'b':
      umwandlung = ZugartUmwLaeufer;
      break;
    case 'n':
      umwandlung = ZugartUmwSpringer;
      break;
    default:
      break;
  }
  for (int i = 0; i < liste.anzahl; ++i) {
    const Zug& z = liste.zuege[i];
    if (z.von == von && z.nach == nach && (IstUmwandlung(z) ? z.zugart == umwandlung : !umwandlung))
      return i;
  }
  return -1;
}

constexpr const char* Grund = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr const char* ZweiSpringer = "7k/8/1N3N2/8/8/8/8/4K3 w - - 0 1";
constexpr const char* SpringerG1G5 = "4k3/8/8/6N1/8/8/8/4K1N1 w - - 0 1";
constexpr const char* NachD4D5 = "rnbqkbnr/ppp1pppp/8/3p4/3P4/8/PPP1PPPP/RNBQKBNR w KQkq - 0 2";
constexpr const char* NachE4D5 = "rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2";
constexpr const char* Umwandlung = "k7/4P3/8/8/8/8/8/4K3 w - - 0 1";
constexpr const char* SchlagUmwandlung = "k2r4/4P3/8/8/8/8/8/4K3 w - - 0 1";
constexpr const char* RochadeSchach = "5k2/8/8/8/8/8/8/4K2R w K - 0 1";
constexpr const char* RochadenSchwarz = "r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1";
constexpr const char* EnPassant = "4k3/8/8/3Pp3/8/8/8/4K3 w - e6 0 1";

struct LeseFall {
  const char* fen;
  const char* text;
  std::string_view buchstaben;
  const char* zug;  // nullptr: no move
  uint8_t status;
};

TEST(PGNZugInterpretieren, StandardUndLangeFormen) {
  const auto E = FigurenEnglisch;
  const auto D = FigurenDeutsch;
  const LeseFall faelle[] = {
      // disambiguation by file, rank, square; ambiguous without
      {ZweiSpringer, "Nbd7", E, "b6d7", 0},
      {ZweiSpringer, "Nfd7", E, "f6d7", 0},
      {ZweiSpringer, "Nb6d7", E, "b6d7", 0},
      {ZweiSpringer, "Nd7", E, nullptr, 1},
      {ZweiSpringer, "N6d7", E, nullptr, 1},
      {ZweiSpringer, "Nzd7", E, nullptr, 1},
      {SpringerG1G5, "N1f3", E, "g1f3", 0},
      {SpringerG1G5, "N5f3", E, "g5f3", 0},
      {SpringerG1G5, "Ng1f3", E, "g1f3", 0},
      {NachD4D5, "Nb1d2", E, "b1d2", 0},
      {NachD4D5, "Nb1-d2", E, "b1d2", 0},
      {NachD4D5, "Sb1-d2", D, "b1d2", 0},
      {NachD4D5, "Nd2", E, "b1d2", 0},
      // pawns: captures in every form, the short form counts as a capture
      {NachE4D5, "exd5", E, "e4d5", 0},
      {NachE4D5, "e:d5", E, "e4d5", 0},
      {NachE4D5, "exd5:", E, "e4d5", 0},
      {NachE4D5, "ed", E, "e4d5", 0},
      {NachE4D5, "e4xd5", E, "e4d5", 0},
      {NachE4D5, "e4-d5", E, "e4d5", 2},
      {NachE4D5, "exd5+", E, "e4d5", 4},
      {NachE4D5, "e5", E, "e4e5", 0},
      {NachE4D5, "exe5", E, "e4e5", 2},
      {NachE4D5, "ee", E, nullptr, 1},
      {NachE4D5, "de", E, nullptr, 1},
      {EnPassant, "dxe6", E, "d5e6", 0},
      {EnPassant, "de", E, "d5e6", 0},
      // promotions; the queen on e8 checks the king on a8
      {Umwandlung, "e8=Q", E, "e7e8q", 4},
      {Umwandlung, "e8Q+", E, "e7e8q", 0},
      {Umwandlung, "e8=N", E, "e7e8n", 0},
      {Umwandlung, "e7-e8R+", E, "e7e8r", 0},
      {Umwandlung, "e8D+", D, "e7e8q", 0},
      {Umwandlung, "e8L", D, "e7e8b", 0},
      {Umwandlung, "e8", E, nullptr, 1},
      {SchlagUmwandlung, "exd8=Q+", E, "e7d8q", 0},
      {SchlagUmwandlung, "edQ+", E, "e7d8q", 0},
      {SchlagUmwandlung, "e7xd8D+", D, "e7d8q", 0},
      {SchlagUmwandlung, "ed", E, nullptr, 1},
      // castling, also named by the king's move
      {RochadeSchach, "O-O+", E, "e1g1", 0},
      {RochadeSchach, "O-O", E, "e1g1", 4},
      {RochadeSchach, "0-0", E, "e1g1", 4},
      {RochadeSchach, "Ke1-g1+", E, "e1g1", 0},
      {RochadeSchach, "Kg1", E, "e1g1", 4},
      {RochadeSchach, "O-O-O", E, nullptr, 1},
      {RochadeSchach, "o-o", E, nullptr, 1},
      {RochadenSchwarz, "0-0-0", E, "e8c8", 0},
      {RochadenSchwarz, "O-O-O", D, "e8c8", 0},
      {RochadenSchwarz, "O-O", E, "e8g8", 0},
      {RochadenSchwarz, "Ox", E, nullptr, 1},
      // capture and check marks that disagree, annotations
      {Grund, "Nxf3", E, "g1f3", 2},
      {Grund, "Nf3+", E, "g1f3", 4},
      {Grund, "Nxf3#", E, "g1f3", 6},
      {Grund, "e4!?", E, "e2e4", 32},
      {Grund, "e4?!", E, "e2e4", 16},
      {Grund, "e4!!", E, "e2e4", 16},
      {Grund, "e4??", E, "e2e4", 32},
      {Grund, "Sf3", D, "g1f3", 0},
      {Grund, "Sf3", E, nullptr, 1},
      {Grund, "Nf3", D, nullptr, 1},
      // nothing that names a move, or too little text
      {Grund, "Pe4", E, nullptr, 1},
      {Grund, "e5", E, nullptr, 1},
      {Grund, "Qh5", E, nullptr, 1},
      {Grund, "Nb1xxc3", E, nullptr, 1},
      {Grund, "e", E, nullptr, 1},
      {Grund, "", E, nullptr, 1},
      {Grund, "e+", E, nullptr, 1},
      {Grund, "+!", E, nullptr, 1},
      {Umwandlung, "a=Q", E, nullptr, 1},
      {Umwandlung, "=Q", E, nullptr, 1},
      {Grund, "Nf3", "", nullptr, 1},
  };
  for (const auto& f : faelle) {
    const Zugliste liste = LegaleZuege(f.fen);
    uint8_t status = 99;
    const int erwartet = f.zug ? IndexVon(liste, f.zug) : -1;
    ASSERT_TRUE(!f.zug || erwartet >= 0) << f.zug << " not legal in " << f.fen;
    EXPECT_EQ(PGNZugInterpretieren(liste, f.text, f.buchstaben, status), erwartet)
        << f.text << " in " << f.fen;
    EXPECT_EQ(status, f.status) << f.text << " in " << f.fen;
  }
}

TEST(PGNZugInterpretieren, LiestJedenGeschriebenenZug) {
  // Whatever the writer produces, the reader finds again, with both sets.
  const char* stellungen[] = {
      Grund,
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
      "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
      "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
      EnPassant,
  };
  for (const char* fen : stellungen) {
    const Zugliste liste = LegaleZuege(fen);
    ASSERT_GT(liste.anzahl, 0) << fen;
    for (const auto buchstaben : {FigurenEnglisch, FigurenDeutsch}) {
      for (int i = 0; i < liste.anzahl; ++i) {
        const std::string text = ZugNotation(liste.zuege[i], buchstaben, 0);
        uint8_t status = 99;
        EXPECT_EQ(PGNZugInterpretieren(liste, text, buchstaben, status), i)
            << text << " in " << fen;
        EXPECT_EQ(status, 0) << text << " in " << fen;
      }
    }
  }
}

TEST(PGNZugInterpretieren, UnvollstaendigeListe) {
  // Counts from a damaged record never lead outside the list.
  Zugliste liste{};
  uint8_t status = 0;
  liste.anzahl = -5;
  EXPECT_EQ(PGNZugInterpretieren(liste, "e4", FigurenEnglisch, status), -1);
  EXPECT_EQ(status, ZugtextNichtGefunden);
  liste.anzahl = 100000;
  EXPECT_EQ(PGNZugInterpretieren(liste, "Qh5", FigurenEnglisch, status), -1);
}

TEST(PGNFeldLesen, FelderLinienUndReihen) {
  struct Fall {
    const char* text;
    int8_t ergebnis;
    uint8_t flag;
  } faelle[] = {
      {"a1", 0, 0},  {"h1", 7, 0},  {"e4", 28, 0}, {"h8", 63, 0},  {"a", 0, 1},  {"h", 7, 1},
      {"1", 0, 0},   {"8", 56, 0},  {"i", -1, 0},  {"0", -1, 0},   {"9", -1, 0}, {"A", -1, 0},
      {"i1", -1, 0}, {"a9", -1, 0}, {"4e", -1, 0}, {"e4x", -1, 0}, {"", -1, 0},
  };
  for (const auto& f : faelle) {
    uint8_t flag = 99;
    EXPECT_EQ(PGNFeldLesen(f.text, flag), f.ergebnis) << f.text;
    EXPECT_EQ(flag, f.flag) << f.text;
  }
}

Zug Z(const char* von, const char* nach, int8_t figur, int8_t geschlagen = 0, uint8_t zugart = 0,
      uint8_t schach = 0, uint8_t enPassant = 0) {
  return Zug{static_cast<uint8_t>(test::Feld(von)),
             static_cast<uint8_t>(test::Feld(nach)),
             figur,
             geschlagen,
             zugart,
             schach,
             enPassant,
             0};
}

TEST(ZugNotation, LangeNotation) {
  struct Fall {
    Zug zug;
    std::string_view buchstaben;
    uint8_t matt;
    const char* text;
  } faelle[] = {
      {Z("g1", "f3", Springer), FigurenDeutsch, 0, "Sg1-f3"},
      {Z("g1", "f3", Springer), FigurenEnglisch, 0, "Ng1-f3"},
      {Z("b8", "c6", -Springer), FigurenDeutsch, 0, "Sb8-c6"},
      {Z("e2", "e4", Bauer), FigurenDeutsch, 0, "e2-e4"},
      {Z("e7", "d8", Bauer, -Turm, ZugartUmwDame), FigurenDeutsch, 0, "e7xd8D"},
      {Z("e7", "e8", Bauer, 0, ZugartUmwSpringer, 1), FigurenEnglisch, 0, "e7-e8N+"},
      {Z("b2", "a1", -Bauer, Turm, ZugartUmwLaeufer), FigurenDeutsch, 0, "b2xa1L"},
      {Z("h2", "h1", -Bauer, 0, ZugartUmwTurm), FigurenEnglisch, 0, "h2-h1R"},
      {Z("d5", "e6", Bauer, -Bauer, 0, 0, 1), FigurenEnglisch, 0, "d5xe6"},
      {Z("e1", "g1", Koenig, 0, ZugartRochade, 1), FigurenDeutsch, 0, "O-O+"},
      {Z("e8", "c8", -Koenig, 0, ZugartRochade), FigurenDeutsch, 0, "O-O-O"},
      {Z("e1", "c1", Koenig, 0, ZugartRochade, 1), FigurenEnglisch, 1, "O-O-O#"},
      {Z("d1", "h5", Dame, 0, 0, 1), FigurenDeutsch, 1, "Dd1-h5#"},
      {Z("d1", "h5", Dame, 0, 0, 1), FigurenDeutsch, 0, "Dd1-h5+"},
      {Z("d1", "h5", Dame), FigurenDeutsch, 1, "Dd1-h5"},
      {Z("a8", "a1", -Turm, Turm), FigurenEnglisch, 0, "Ra8xa1"},
      {Z("e1", "e2", Koenig), FigurenEnglisch, 0, "Ke1-e2"},
      {Zug{64, 200, Laeufer, 0, 0, 0, 0, 0}, FigurenEnglisch, 0, "B?\?-?\?"},
      {Z("g1", "f3", Springer), "", 0, "?g1-f3"},
  };
  for (const auto& f : faelle) EXPECT_EQ(ZugNotation(f.zug, f.buchstaben, f.matt), f.text);
}

}  // namespace
}  // namespace galdrik
