// Statistics and timing exports, loaded by name: the static evaluation of
// the current position, statistics of a PGN file, the piece-square
// statistics of a FEN list, file digests and the speed tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "interface/host.h"

namespace galdrik {
namespace {

namespace fs = std::filesystem;

std::string Fixture(const std::string& name) {
  return std::string(GALDRIK_TEST_DATA_DIR) + "/stats/" + name;
}

using test::DateiZeilen;

class Statistik : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(Ruf("DLL_EngineInit"), 0);
  }
  int32_t Fenograph(const char* liste, const char* ausgabe) {
    return lib.operator()<int32_t>("DLL_Fenograph", liste, ausgabe);
  }
};

TEST_F(Statistik, BewertungAusWeissSicht) {
  // White a queen up: positive for White whoever is to move.
  for (const char* fen : {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", "4k3/8/8/8/8/8/8/3QK3 b - - 0 1"}) {
    ASSERT_GT(lib.operator()<int32_t>("DLL_FENInput", fen), 0);
    EXPECT_GT(Ruf("DLL_Bewertung"), 800) << fen;
  }
  ASSERT_GT(lib.operator()<int32_t>("DLL_FENInput", "3qk3/8/8/8/8/8/8/4K3 w - - 0 1"), 0);
  EXPECT_LT(Ruf("DLL_Bewertung"), -800);
}

// The report as the two-game fixture must give it, worked out by hand:
//   game 1: 8 plies, L = 8/2 + 1 = 5; White first takes on ply 3 (move 2),
//           Black on ply 6 (move 3); 4 captures.
//   game 2: 14 plies, L = 8; White takes en passant on ply 5 (move 3),
//           Black never takes (counts L = 8); 1 capture.
// Lengths 5, 8: mean 6.5, deviation sqrt(4.5). White 2, 3: 2.5, sqrt(0.5).
// Black 3, 8: 5.5, sqrt(12.5). Captures 5 / 2.
constexpr const char* ZweiPartienBericht =
    "Anzahl Partien: 2\n"
    "\n"
    "Partielänge:\n"
    "============\n"
    "minimal:       5\n"
    "maximal:       8\n"
    "im Schnitt:    6.500\n"
    "Std. Abw.:     2.121\n"
    "\n"
    "Schlagzüge:\n"
    "===========\n"
    "W: frühester erster Schlag:      2\n"
    "W: spätester erster Schlag:      3\n"
    "W: gemittelter erster Schlag:    2.500\n"
    "W: Std. Abw. erster Schlag :     0.707\n"
    "S: frühester erster Schlag:      3\n"
    "S: spätester erster Schlag:      8\n"
    "S: gemittelter erster Schlag:    5.500\n"
    "S: Std. Abw. erster Schlag:      3.536\n"
    "Anzahl Schlagzüge pro Partie:    2.500\n";

TEST_F(Statistik, PGNStatistikZweierPartien) {
  ASSERT_EQ(lib.operator()<int32_t>("DLL_PGNDateiLaden", Fixture("zwei-partien.pgn").c_str()), 2);
  const fs::path zweite = ordner / "zweite.txt";
  const int32_t laenge = lib.operator()<int32_t>(
      "DLL_PGNStatistikErstellen", Fixture("zwei-partien.pgn").c_str(), zweite.c_str());
  EXPECT_EQ(lib.text(laenge), ZweiPartienBericht);
  EXPECT_TRUE(fs::exists(zweite));
  EXPECT_EQ(fs::file_size(zweite), 0u);
  EXPECT_EQ(Ruf("DLL_PGNDateiPartieInfo", 0, 1), 0) << "no file stays indexed";

  // Named as the second file, the PGN file itself is read, not emptied.
  const fs::path kopie = ordner / "kopie.pgn";
  fs::copy_file(Fixture("zwei-partien.pgn"), kopie);
  const auto groesse = fs::file_size(kopie);
  EXPECT_EQ(
      lib.text(lib.operator()<int32_t>("DLL_PGNStatistikErstellen", kopie.c_str(), kopie.c_str())),
      ZweiPartienBericht);
  EXPECT_EQ(fs::file_size(kopie), groesse);
  // The last game is loaded, at its start, and the position agrees with it.
  EXPECT_EQ(lib.text(lib.operator()<int32_t>("DLL_PartieNotation", "PNBRQK")).substr(0, 12),
            "1.e2-e4 Ng8-");
  EXPECT_EQ(Ruf("DLL_ZugAnz"), 20);
  lib("DLL_ZugPlus");
  EXPECT_EQ(lib.text(Ruf("DLL_FENOutput", 2)),
            "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
}

TEST_F(Statistik, PGNStatistikEinerPartie) {
  // One game: the means are its own figures, the deviations are not defined
  // and print as 0.
  const fs::path pgn = ordner / "eine.pgn";
  std::ofstream(pgn) << "[Event \"Eine\"]\n\n1. e4 d5 2. exd5 Nf6 3. Nc3 Nxd5 4. Nxd5 Qxd5 *\n";
  const std::string bericht = lib.text(lib.operator()<int32_t>(
      "DLL_PGNStatistikErstellen", pgn.c_str(), static_cast<const char*>(nullptr)));
  for (const char* zeile :
       {"Anzahl Partien: 1\n", "im Schnitt:    5.000\n", "Std. Abw.:     0.000\n",
        "W: gemittelter erster Schlag:    2.000\n", "W: Std. Abw. erster Schlag :     0.000\n",
        "S: gemittelter erster Schlag:    3.000\n", "S: Std. Abw. erster Schlag:      0.000\n",
        "Anzahl Schlagzüge pro Partie:    4.000\n"})
    EXPECT_NE(bericht.find(zeile), std::string::npos) << zeile << bericht;
}

TEST_F(Statistik, PGNStatistikFehler) {
  const std::string fehlt = (ordner / "fehlt.pgn").string();
  const std::string offenerTag = ordner.datei("tag.pgn", "[Event \"Offen\n\n1. e4 *\n");
  const std::string ohnePartie = ordner.datei("leer.pgn", "% nur ein Kommentar\n");
  const std::string falscheFEN =
      ordner.datei("fen.pgn",
                   "[Event \"A\"]\n\n1. e4 *\n\n[Event \"B\"]\n[SetUp \"1\"]\n"
                   "[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]\n\n*\n");
  const struct {
    const char* pfad;
    int32_t ergebnis;
  } faelle[] = {
      {nullptr, -9},
      {fehlt.c_str(), -1},
      {offenerTag.c_str(), -4},
      {ohnePartie.c_str(), -10},
      {falscheFEN.c_str(), -9},
  };
  for (const auto& f : faelle) {
    // A game under way beforehand: every failure leaves a new game behind,
    // with the engine's position at its start.
    ASSERT_GT(lib.operator()<int32_t>("DLL_FENInput", "4k3/8/8/8/8/8/8/3QK3 w - - 0 1"), 0);
    EXPECT_EQ(lib.operator()<int32_t>("DLL_PGNStatistikErstellen", f.pfad, ""), f.ergebnis)
        << (f.pfad ? f.pfad : "NULL");
    if (f.pfad) {
      EXPECT_EQ(Ruf("DLL_ZugAnz"), 20) << f.pfad;
    }
  }
}

TEST_F(Statistik, FenographDerFixture) {
  const fs::path ausgabe = ordner / "fenograph.txt";
  ASSERT_EQ(Fenograph(Fixture("stellungen.fen").c_str(), ausgabe.c_str()), 0);
  const std::vector<std::string> z = DateiZeilen(ausgabe);
  ASSERT_EQ(z.size(), 4u + 2 * 12);
  EXPECT_EQ(std::vector<std::string>(z.begin(), z.begin() + 4),
            (std::vector<std::string>{"Figurenaufenthaltsdauer", "1", "1", "FEN"}));
  // Three lines: the initial position, K+P vs K, a lone Black queen on d5.
  const std::string leer = "0,0,0,0,0,0,0,0,";
  const std::string rang2bis7 = leer + leer + leer + leer + leer + leer;
  EXPECT_EQ(z[4 + 0],
            leer + "1,1,1,1,2,1,1,1," + leer + leer + leer + leer + leer + "0,0,0,0,0,0,0,0")
      << "White pawns";
  EXPECT_EQ(z[4 + 5], "0,0,0,0,2,0,0,0," + rang2bis7 + "0,0,0,0,0,0,0,0") << "White king";
  EXPECT_EQ(z[4 + 10],
            leer + leer + leer + leer + "0,0,0,1,0,0,0,0," + leer + leer + "0,0,0,1,0,0,0,0")
      << "Black queens";
  EXPECT_EQ(z[4 + 11], leer + rang2bis7 + "0,0,0,0,2,0,0,0") << "Black king";
  EXPECT_EQ(std::vector<std::string>(z.begin() + 16, z.end()),
            std::vector<std::string>(z.begin() + 4, z.begin() + 16))
      << "the totals repeat the only set";
}

TEST_F(Statistik, FenographFehler) {
  const std::string liste = Fixture("stellungen.fen"), ausgabe = (ordner / "aus.txt").string();
  const std::string fehlt = (ordner / "fehlt.fen").string();
  const std::string unerreichbar = (ordner / "kein" / "ordner.txt").string();
  const struct {
    const char* liste;
    const char* ausgabe;
    int32_t ergebnis;
  } faelle[] = {
      {nullptr, ausgabe.c_str(), -9},
      {liste.c_str(), nullptr, -9},
      {fehlt.c_str(), ausgabe.c_str(), -1},
      {ordner.pfad().c_str(), ausgabe.c_str(), -1},
      {liste.c_str(), unerreichbar.c_str(), -3},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(Fenograph(f.liste, f.ausgabe), f.ergebnis)
        << (f.liste ? f.liste : "NULL") << " -> " << (f.ausgabe ? f.ausgabe : "NULL");
    EXPECT_FALSE(fs::exists(ausgabe));
  }
}

TEST_F(Statistik, MD5Dateisumme) {
  const fs::path datei = ordner / "abc.txt";
  std::ofstream(datei, std::ios::binary) << "abc";
  EXPECT_EQ(lib.text(lib.operator()<int32_t>("DLL_MD5Dateisumme", datei.c_str())),
            "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(lib.operator()<int32_t>("DLL_MD5Dateisumme", (ordner / "fehlt").c_str()), 0);
  EXPECT_EQ(Ruf("DLL_StringByte", 0), 0) << "the empty string";
  EXPECT_EQ(lib.operator()<int32_t>("DLL_MD5Dateisumme", static_cast<const char*>(nullptr)), -9);
}

TEST_F(Statistik, GeschwindigkeitstestsMessenEtwas) {
  EXPECT_GT(Ruf("DLL_TestZL"), 0);
  EXPECT_GT(Ruf("DLL_TestLK"), 0);
  // These count only runs that reach the next second: double the passes
  // until one does.
  for (const char* test : {"DLL_SpeedTestEval", "DLL_SpeedTestMovegen"}) {
    int32_t ergebnis = -1;
    for (int32_t n = 20000; ergebnis == -1 && n < (1 << 28); n *= 2) ergebnis = Ruf(test, n);
    EXPECT_GT(ergebnis, 0) << test;
  }
}

}  // namespace
}  // namespace galdrik
