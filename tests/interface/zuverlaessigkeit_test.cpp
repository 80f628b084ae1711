// The exports under a careless caller: records the board cannot hold, move
// indices after the position changed, calls while a job runs, polls during
// a search, exit without teardown, endless files and texts and games longer
// than the engine holds. The suite Nebenlaeufig also runs under
// ThreadSanitizer.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "interface/host.h"

namespace galdrik {
namespace {

using test::DateiInhalt;
using test::DateiSchreiben;

class Zuverlaessig : public test::EngineTest {
 protected:
  void SetUp() override {
    test::EngineTest::SetUp();
    ASSERT_EQ(Ruf("DLL_EngineInit"), 0);
    lib("DLL_Einstellen", 1, 1, 1, 1, 0, 1, 0, 0, 0);  // no book: every search searches
  }
  template <typename... A>
  int32_t R(const char* name, A... argumente) {
    return lib.operator()<int32_t>(name, argumente...);
  }
  // The record of a FEN board, as the program would build it.
  std::vector<int32_t> Feld(const char* fen) {
    EXPECT_GE(R("DLL_FENInput", fen), 1) << fen;
    return Stellung();
  }
  void Abwarten() {
    const auto start = std::chrono::steady_clock::now();
    while (Ruf("DLL_SuchFertig") == 0) {
      ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
};

using Eingabe = Zuverlaessig;
using Nebenlaeufig = Zuverlaessig;
using Grenzen = Zuverlaessig;

TEST_F(Eingabe, UnmoeglicheStellungenWerdenAbgelehnt) {
  const std::vector<int32_t> gut = Feld("4k3/8/8/8/8/8/4P3/4K3 w - - 0 1");
  struct Fall {
    const char* was;
    int feld;
    int32_t code;
    int32_t legal;  // what DLL_StellungLegal says of the refused record
  };
  const Fall faelle[] = {
      {"second black king", 20, -6, 1},   {"second white king", 40, 6, 1},
      {"no black king", 60, 0, 1},        {"white pawn on rank 8", 56, 1, 2},
      {"black pawn on rank 1", 0, -1, 2}, {"code 7", 30, 7, 1},
      {"code 127", 30, 127, 1},           {"code -7", 30, -7, 1},
  };
  ASSERT_EQ(R("DLL_StellungSet", gut.data()), 0);
  const int32_t zuege = Ruf("DLL_ZugAnz");
  for (const Fall& f : faelle) {
    ASSERT_EQ(R("DLL_StellungSet", gut.data()), 0);
    ASSERT_EQ(Ruf("DLL_StellungLegal"), 0);
    std::vector<int32_t> feld = gut;
    feld[f.feld] = f.code;
    EXPECT_EQ(R("DLL_StellungSet", feld.data()), -1) << f.was;
    EXPECT_EQ(Ruf("DLL_StellungLegal"), f.legal) << f.was;
    // The position stays the last good one, with its moves.
    EXPECT_EQ(Stellung(), gut) << f.was;
    EXPECT_EQ(Ruf("DLL_ZugAnz"), zuege) << f.was;
  }
  // The side not to move in check, from afar or from the other king: the
  // next move would take a king.
  std::vector<int32_t> fern = Feld("4k3/8/8/8/8/8/8/4R1K1 b - - 0 1");
  fern[64] = 1;  // White to move, Black in check
  std::vector<int32_t> nah = Feld("8/8/8/8/8/6K1/8/7k b - - 0 1");
  nah[7] = 0;    // h1
  nah[15] = -6;  // h2, beside the White king, Black to move
  for (const std::vector<int32_t>* feld : {&fern, &nah}) {
    ASSERT_EQ(R("DLL_StellungSet", gut.data()), 0);
    EXPECT_EQ(R("DLL_StellungSet", feld->data()), -1);
    EXPECT_EQ(Ruf("DLL_StellungLegal"), 2);
    EXPECT_EQ(Stellung(), gut);
  }
  ASSERT_EQ(R("DLL_StellungSet", gut.data()), 0);
  // Nine queens and eight pawns: no game reaches that.
  std::vector<int32_t> damen = Feld("4k3/8/8/8/8/8/4P3/4K3 w - - 0 1");
  for (int s = 8; s < 16; ++s) damen[s] = 1;
  for (int s = 16; s < 25; ++s) damen[s] = 5;
  EXPECT_EQ(R("DLL_StellungSet", damen.data()), -1);
  EXPECT_EQ(Ruf("DLL_StellungLegal"), 1);
  // A good record clears the refusal.
  ASSERT_EQ(R("DLL_StellungSet", gut.data()), 0);
  EXPECT_EQ(Ruf("DLL_StellungLegal"), 0);
  // A stack slot never pushed is no position.
  lib("DLL_StellungKill");
  lib("DLL_StellungKill");
  lib("DLL_StellungKill");
  lib("DLL_StellungKill");
  lib("DLL_StellungKill");
  lib("DLL_StellungLoad");
  EXPECT_EQ(Stellung(), gut);
}

// After each way of changing the position, the first move index plays a
// man of the side to move from its own square.
TEST_F(Eingabe, ZugindexGiltNurFuerDieAktuelleStellung) {
  const std::vector<int32_t> klein = Feld("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
  const char* wege[] = {"FEN", "record", "stack", "move", "back in the game"};
  for (const std::string was : wege) {
    lib("DLL_PartieBeginn");
    ASSERT_EQ(Ruf("DLL_ZugAnz"), 20);  // the initial position's list
    if (was == "FEN") {
      R("DLL_FENInput", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
    } else if (was == "record") {
      R("DLL_StellungSet", klein.data());
    } else if (was == "stack") {
      R("DLL_StellungSet", klein.data());
      lib("DLL_StellungSave");
      lib("DLL_PartieBeginn");
      Ruf("DLL_ZugAnz");
      lib("DLL_StellungLoad");
    } else if (was == "move") {
      R("DLL_ZugMachen", 0);
    } else {
      R("DLL_ZugMachen", 0);
      Ruf("DLL_ZugAnz");
      lib("DLL_ZugMinus");
    }
    const std::vector<int32_t> vorher = Stellung();
    const int32_t seite = vorher[64] == 1 ? 1 : -1;
    lib("DLL_ZugMachen", 0);
    const std::vector<int32_t> nachher = Stellung();
    bool gezogen = false;
    for (int s = 0; s < 64; ++s) {
      EXPECT_FALSE(vorher[s] == 0 && nachher[s] != 0 && nachher[s] * seite < 0) << was;
      if (vorher[s] * seite > 0 && nachher[s] == 0) gezogen = true;
    }
    EXPECT_TRUE(gezogen) << was;
    int maenner = 0;
    for (int s = 0; s < 64; ++s) maenner += nachher[s] != 0;
    EXPECT_LE(maenner, 32) << was;
  }
  // The case as reported: two kings, a dead draw without moves, where the
  // initial position's a2-a3 put a pawn on a3.
  lib("DLL_PartieBeginn");
  Ruf("DLL_ZugAnz");
  R("DLL_FENInput", "4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  lib("DLL_ZugMachen", 0);
  for (int s = 0; s < 64; ++s) EXPECT_TRUE(Stellung()[s] == 0 || std::abs(Stellung()[s]) == 6);
}

// A position set without a new game is not the record's: its move is
// played but kept out of the record, which replays its moves from the root.
TEST_F(Eingabe, ZugAufFremderStellungBleibtAusDerPartie) {
  lib("DLL_PartieBeginn");
  Ruf("DLL_ZugAnz");
  ASSERT_EQ(R("DLL_ZugMachen", R("DLL_PGNInput", "e2-e4", "BSLTDK")), 0);
  const std::string partie = lib.text(R("DLL_PartieNotation", "BSLTDK"));
  R("DLL_FENInput", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
  EXPECT_EQ(R("DLL_ZugMachen", 0), -2);
  EXPECT_NE(DateiInhalt(log).find("Stellung nicht aus der Partie: Zug nicht gespeichert\n"),
            std::string::npos);
  EXPECT_EQ(lib.text(R("DLL_PartieNotation", "BSLTDK")), partie);
  // The record still walks: back to the start and forward to 1. e4.
  lib("DLL_ZugMinus");
  lib("DLL_ZugPlus");
  EXPECT_EQ(Stellung()[28], 1);
  EXPECT_EQ(Ruf("DLL_StellungLegal"), 0);
}

TEST_F(Nebenlaeufig, TabellenGehoerenDemLaufendenJob) {
  R("DLL_FENInput", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  lib("DLL_SuchParam", 100000, 3600, 3600);
  ASSERT_EQ(Ruf("DLL_SuchStart"), 0);
  EXPECT_EQ(Ruf("DLL_HashReAllok"), -3);
  EXPECT_EQ(Ruf("DLL_GegenfeldReAllok"), -3);
  lib("DLL_HashLeeren");
  lib("DLL_SuchTermin");
  Abwarten();
  EXPECT_EQ(Ruf("DLL_HashReAllok"), 0);
  EXPECT_EQ(Ruf("DLL_GegenfeldReAllok"), 0);
}

// The search starts on what was current at DLL_SuchStart; a new game or a
// statistics run right after frees nothing it reads.
TEST_F(Nebenlaeufig, PartieWirdUnterDerSucheErsetzt) {
  const std::string pgn = (ordner / "spiele.pgn").string();
  DateiSchreiben(pgn, "[Event \"a\"]\n\n1. e4 e5 2. Nf3 Nc6 1-0\n\n[Event \"b\"]\n\n1. d4 *\n");
  for (int runde = 0; runde < 20; ++runde) {
    lib("DLL_PartieBeginn");
    for (const char* z : {"Sg1-f3", "Sg8-f6", "Sf3-g1", "Sf6-g8", "Sg1-f3", "Sg8-f6"}) {
      Ruf("DLL_ZugAnz");
      lib("DLL_ZugMachen", R("DLL_PGNInput", z, "BSLTDK"));
    }
    const std::vector<int32_t> start = Stellung();
    lib("DLL_SuchParam", 2, 3600, 3600);
    ASSERT_EQ(Ruf("DLL_SuchStart"), 0);
    if (runde % 2 == 0)
      lib("DLL_PartieBeginn");
    else
      R("DLL_PGNStatistikErstellen", pgn.c_str(), nullptr);
    R("DLL_ZugMachen", 0);  // refused: the search still owns its score
    Abwarten();
    int32_t zug[4];
    lib("DLL_ZugGet", zug);
    EXPECT_GT(start[zug[0]], 0) << "a white man of the position at the start moves";
  }
}

// What the polls read while the search writes: every line they get for a
// depth they were told of is that depth's whole line.
TEST_F(Nebenlaeufig, AbfragenWaehrendDerSuche) {
  R("DLL_FENInput", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  lib("DLL_SuchParam", 100000, 1, 2);
  ASSERT_EQ(Ruf("DLL_SuchStart"), 0);
  int abfragen = 0;
  while (Ruf("DLL_SuchFertig") == 0) {
    const int32_t tiefe = Ruf("DLL_SuchStatus");
    if (tiefe > 0) {
      const std::string zeile = lib.text(Ruf("DLL_SuchInfo1", 2 * (tiefe - 1)));
      EXPECT_EQ(std::atoi(zeile.c_str()), tiefe) << zeile;
      EXPECT_NE(zeile.find('s'), std::string::npos) << zeile;
    }
    lib("DLL_SuchInfo2");
    Ruf("DLL_SuchInfo3", 6);
    ++abfragen;
  }
  EXPECT_GT(abfragen, 10);
  EXPECT_GT(Ruf("DLL_SuchStatus"), 0);
}

// A process that ends, or unloads the library, after a search and without
// DLL_EngineKill ends cleanly.
TEST(NebenlaeufigEnde, ExitUndEntladenOhneEngineKill) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto suchen = [](bool entladen) {
    auto* lib = new test::Bibliothek;
    (*lib)("DLL_LogDatei", "", "");
    (*lib)("DLL_HashPfad", GALDRIK_DATA_DIR "/HashCode.key");
    (*lib)("DLL_HashParam", 12, 2, 4);
    if (lib->operator()<int32_t>("DLL_EngineInit") != 0) std::_Exit(3);
    (*lib)("DLL_SuchParam", 2, 60, 60);
    lib->operator()<int32_t>("DLL_SuchStart");
    while (lib->operator()<int32_t>("DLL_SuchFertig") == 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (entladen) delete lib;  // dlclose
    std::exit(0);
  };
  EXPECT_EXIT(suchen(false), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(suchen(true), ::testing::ExitedWithCode(0), "");
}

// Devices, folders, endless lines and oversized files are refused at once
// with each reader's error.
TEST_F(Eingabe, EndloseUndFalscheDateien) {
  const std::string ziel = (ordner / "aus").string();
  // One line of 300 MiB without a line feed, sparse on disk.
  const std::string riesig = (ordner / "riesig.txt").string();
  const int fd = ::open(riesig.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, off_t{300} << 20), 0);
  ::close(fd);
  const std::string verzeichnis = ordner.pfad().string();
  for (const std::string& pfad : {std::string("/dev/zero"), verzeichnis, riesig}) {
    const char* p = pfad.c_str();
    EXPECT_EQ(R("DLL_PGNDateiLaden", p), -1) << pfad;
    EXPECT_EQ(R("DLL_EPDLaden", p), -1) << pfad;
    EXPECT_LT(R("DLL_PGNStatistikErstellen", p, nullptr), 0) << pfad;
    EXPECT_NE(R("DLL_BuchGen", p, ziel.c_str()), 0) << pfad;
    EXPECT_FALSE(std::filesystem::exists(ziel)) << pfad;
    EXPECT_EQ(R("DLL_Fenograph", p, ziel.c_str()), -1) << pfad;
    if (pfad != riesig) {
      EXPECT_EQ(R("DLL_MD5Dateisumme", p), 0) << pfad;
    }
  }
}

TEST_F(Grenzen, VolleZugfolgeUndLangerTextWerdenGemeldet) {
  // The record's deepest node is ply 6299: the move there is kept, the next
  // one is played but not recorded, and the log says so.
  R("DLL_FENInput", "4k3/8/8/8/8/8/8/R3K3 w - - 0 3150");
  lib("DLL_PositionFix", 6299);
  Ruf("DLL_ZugAnz");
  EXPECT_EQ(R("DLL_ZugMachen", 0), 0);
  EXPECT_EQ(R("DLL_ZugMachen", 0), -2);
  EXPECT_NE(DateiInhalt(log).find("Partie voll: Zug nicht gespeichert\n"), std::string::npos);

  // A game longer than the record loads as far as it goes, with -3.
  const std::string pgn = (ordner / "lang.pgn").string();
  DateiSchreiben(pgn,
                 "[Event \"lang\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/8/R3K3 w - - 0 3150\"]\n\n"
                 "3150. Kd2 Kd7 3151. Kd3 Kd6 *\n");
  ASSERT_EQ(R("DLL_PGNDateiLaden", pgn.c_str()), 1);
  EXPECT_EQ(R("DLL_PGNDateiPartieLoad", pgn.c_str(), 0), -3);
  EXPECT_NE(DateiInhalt(log).find("PGN-Partie zu lang"), std::string::npos);

  // A text beyond the output buffer ends at a character boundary, and the
  // log says it was cut.
  lib("DLL_PartieBeginn");
  std::string kommentar;
  for (int i = 0; i < 300000; ++i) kommentar += "\xC3\xA4";  // ä
  lib("DLL_SetComment", kommentar.c_str());
  const int32_t laenge = Ruf("DLL_GetComment");
  EXPECT_EQ(laenge, 499998);
  EXPECT_EQ(lib.text(laenge), kommentar.substr(0, 499998));
  EXPECT_NE(DateiInhalt(log).find("Ausgabepuffer voll: Text gekürzt\n"), std::string::npos);
}

}  // namespace
}  // namespace galdrik
