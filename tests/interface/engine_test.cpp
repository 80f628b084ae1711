// The engine through its exports, loaded by name: start-up and teardown with
// the log, positions and moves across the boundary, and the search thread.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "interface/host.h"

namespace galdrik {
namespace {

using test::DateiInhalt;

class Engine : public test::EngineTest {
 protected:
  int32_t Starten() { return Ruf("DLL_EngineInit"); }
};

TEST_F(Engine, StartSchreibtDieZeilenInIhrerOrdnung) {
  ASSERT_EQ(Starten(), 0);
  std::istringstream in(DateiInhalt(log));
  std::vector<std::string> zeilen;
  for (std::string z; std::getline(in, z);) zeilen.push_back(z);
  ASSERT_GE(zeilen.size(), 4u);
  EXPECT_EQ(zeilen[0], "Protokolldatei");
  EXPECT_EQ(zeilen[2], "");
  EXPECT_EQ(zeilen[3], "");
  const std::vector<std::string> schritte = {"LUT generiert",
                                             "EGTB-LUT generiert",
                                             "Stat.-Var. initialisiert",
                                             "Such-Var. initialisiert",
                                             "Hashcode-Keys eingelesen",
                                             "Hash-Tab. allokiert",
                                             "Partie-Infos initialisiert",
                                             "Buch eingelesen",
                                             "Buch gehasht",
                                             "Bitbase KBK generiert",
                                             "GegenfeldHash initialisiert"};
  EXPECT_EQ(std::vector<std::string>(zeilen.begin() + 4, zeilen.end()), schritte);
  EXPECT_EQ(Ruf("DLL_EngineKill"), 0);
  EXPECT_EQ(Ruf("DLL_EngineKill"), 0);
}

TEST_F(Engine, FehlendeKeyDatei) {
  lib("DLL_HashPfad", (ordner / "fehlt.key").c_str());
  EXPECT_EQ(Starten(), 2);
  const std::string text = DateiInhalt(log);
  EXPECT_NE(text.find("Hashcode-Keys eingelesen: !!Fehler!!\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Hash-Tab. allokiert"), std::string::npos);
}

TEST_F(Engine, UnlesbaresBuchIstKeinFehler) {
  lib("DLL_BuchPfad", (ordner / "fehlt.bk2").c_str());
  EXPECT_EQ(Starten(), 0);
  const std::string text = DateiInhalt(log);
  EXPECT_NE(text.find("Buch eingelesen: !!Fehler!!\n"), std::string::npos);
  EXPECT_EQ(text.find("Buch gehasht"), std::string::npos);
}

TEST_F(Engine, GroessenNullWerdenEins) {
  lib("DLL_HashParam", 0, 0, 0);  // raised to 1, 1, 1: two entries, one cache entry
  EXPECT_EQ(Starten(), 0);
  EXPECT_EQ(Ruf("DLL_HashReAllok"), 0);
}

TEST_F(Engine, StellungenUeberDieGrenze) {
  ASSERT_EQ(Starten(), 0);
  std::vector<int32_t> feld(72, 0);
  struct Fall {
    const char* name;
    std::vector<std::pair<int, int>> figuren;
    std::vector<std::pair<int, int>> felder;  // index, value
    std::vector<std::pair<int, int>> erwartet;
  };
  const Fall faelle[] = {
      {"king g1, rook h1: no king-side right",
       {{6, 6}, {7, 4}, {60, -6}},
       {{64, 1}, {67, 1}},
       {{67, 0}}},
      {"king e1 without a1 rook: no queen-side right",
       {{4, 6}, {7, 4}, {60, -6}},
       {{64, 1}, {66, 1}, {67, 1}},
       {{66, 0}, {67, 1}}},
      {"e6 kept without a capturing pawn",
       {{4, 6}, {36, -1}, {60, -6}},
       {{64, 1}, {65, 44}},
       {{65, 44}}},
      {"e6 dropped when e7 is occupied",
       {{4, 6}, {36, -1}, {52, -1}, {60, -6}},
       {{64, 1}, {65, 44}},
       {{65, 255}}},
      {"-1 is no right; 2 means Black to move",
       {{4, 6}, {0, 4}, {60, -6}},
       {{64, 2}, {66, -1}},
       {{66, 0}, {64, 0}}},
  };
  for (const auto& f : faelle) {
    std::fill(feld.begin(), feld.end(), 0);
    feld[65] = 255;
    for (auto [s, c] : f.figuren) feld[s] = c;
    for (auto [i, v] : f.felder) feld[i] = v;
    lib("DLL_StellungSet", feld.data());
    const std::vector<int32_t> zurueck = Stellung();
    for (auto [i, v] : f.erwartet) EXPECT_EQ(zurueck[i], v) << f.name << " index " << i;
  }
  // Without a Black king the consistency check answers 1.
  std::fill(feld.begin(), feld.end(), 0);
  feld[4] = 6;
  feld[64] = 1;
  lib("DLL_StellungSet", feld.data());
  EXPECT_EQ(Ruf("DLL_StellungLegal"), 1);
  // A White pawn on the eighth rank: legal moves are still made safely.
  std::fill(feld.begin(), feld.end(), 0);
  feld[4] = 6;
  feld[60] = -6;
  feld[63] = 1;
  feld[64] = 1;
  lib("DLL_StellungSet", feld.data());
  EXPECT_EQ(Ruf("DLL_StellungLegal"), 2);
  EXPECT_GE(Ruf("DLL_ZugAnz"), 0);
}

TEST_F(Engine, ZuegeUeberDieGrenze) {
  ASSERT_EQ(Starten(), 0);
  // Promotion: without a piece -1, with a wrong code -2, with the queen its index.
  ASSERT_EQ(lib.operator()<int32_t>("DLL_FENInput", "7k/4P3/8/8/8/8/8/K7 w - - 0 1"), 1);
  ASSERT_GT(Ruf("DLL_ZugAnz"), 0);
  int32_t zug[4] = {52, 60, 0, 128};
  lib("DLL_ZugSet", zug);
  int32_t gelesen[4];
  lib("DLL_ZugGet", gelesen);
  EXPECT_EQ(gelesen[2], 128);
  zug[3] = 0;
  lib("DLL_ZugSet", zug);
  EXPECT_EQ(Ruf("DLL_ZugLegal"), -1);
  zug[2] = 8;
  lib("DLL_ZugSet", zug);
  EXPECT_EQ(Ruf("DLL_ZugLegal"), -2);
  zug[2] = 128;
  lib("DLL_ZugSet", zug);
  const int32_t index = Ruf("DLL_ZugLegal");
  ASSERT_GE(index, 0);
  lib("DLL_ZugMachen", index);
  EXPECT_EQ(Stellung()[60], 5);

  // Castling: the exchange move carries Zugart 1.
  ASSERT_EQ(lib.operator()<int32_t>("DLL_FENInput", "4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1"), 1);
  Ruf("DLL_ZugAnz");
  int32_t rochade[4] = {4, 6, 0, 0};
  lib("DLL_ZugSet", rochade);
  ASSERT_GE(Ruf("DLL_ZugLegal"), 0);
  lib("DLL_ZugGet", gelesen);
  EXPECT_EQ(gelesen[2], 1);
  EXPECT_EQ(gelesen[3], 1);

  // A text export with an index out of range leaves the buffer as it was.
  const int32_t n = Ruf("DLL_PGNOutput", 0);
  ASSERT_GT(n, 0);
  const std::string vorher = lib.text(n);
  EXPECT_EQ(Ruf("DLL_PGNOutput", Ruf("DLL_ZugAnz")), 0);
  EXPECT_EQ(lib.text(n), vorher);
  EXPECT_EQ(Ruf("DLL_StringByte", -1), 0);
  EXPECT_EQ(Ruf("DLL_StringByte", 500000), 0);
  EXPECT_EQ(Ruf("DLL_SuchInfo1", 128), 0);
  EXPECT_EQ(Ruf("DLL_SuchInfo3", 8), 0);
  EXPECT_EQ(lib.operator()<int32_t>("DLL_PGNInput", nullptr, "PNBRQK"), -9);
  EXPECT_EQ(lib.operator()<int32_t>("DLL_PGNInput", "Ke1-f1", nullptr), -9);
}

TEST_F(Engine, FENUndZugnummern) {
  ASSERT_EQ(Starten(), 0);
  EXPECT_EQ(lib.operator()<int32_t>("DLL_FENInput", nullptr), -9);
  const char* schwarz = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 40";
  EXPECT_EQ(lib.operator()<int32_t>("DLL_FENInput", schwarz), 80);
  EXPECT_EQ(lib.operator()<int32_t>("DLL_FENInput",
                                    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 40"),
            79);
  // A refused text leaves the position as it was.
  const std::vector<int32_t> vorher = Stellung();
  EXPECT_EQ(lib.operator()<int32_t>("DLL_FENInput", "8/8/8 w"), -1);
  EXPECT_EQ(Stellung(), vorher);
  EXPECT_EQ(lib.text(Ruf("DLL_FENOutput", 1)),
            "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");

  for (auto [n, zugnummer] : {std::pair{0, 1}, {6300, 1}, {80, 40}}) {
    lib("DLL_PositionFix", n);
    EXPECT_EQ(Stellung()[71], zugnummer) << n;
  }
}

TEST_F(Engine, StapelUndAutoFENLog) {
  ASSERT_EQ(Starten(), 0);
  lib("DLL_PartieBeginn");
  lib("DLL_StellungSave");
  ASSERT_EQ(lib.operator()<int32_t>("DLL_FENInput", "4k3/8/8/8/8/8/8/4K2R w K - 0 1"), 1);
  lib("DLL_AutoFENLog");
  lib("DLL_AutoFENLog");
  EXPECT_EQ(DateiInhalt(fenLog), "4k3/8/8/8/8/8/8/4K2R w K - 0 0\n");
  EXPECT_EQ(Ruf("DLL_AutoFENAnz"), 2);
  EXPECT_EQ(lib.text(Ruf("DLL_AutoFENFEN", 1)), "4k3/8/8/8/8/8/8/4K2R w K - 0 0\n");
  EXPECT_EQ(lib.text(Ruf("DLL_AutoFENFEN", 2)), "4k3/8/8/8/8/8/8/4K2R w K - 0 0\n");
  EXPECT_EQ(Ruf("DLL_AutoFENFEN", 3), 0);
  lib("DLL_StellungLoad");
  EXPECT_EQ(Stellung()[0], 4);
}

TEST_F(Engine, SucheImThread) {
  ASSERT_EQ(Starten(), 0);
  lib("DLL_Einstellen", 1, 1, 1, 1, 0, 1, 0, 0, 0);  // no book: a real search
  ASSERT_EQ(
      lib.operator()<int32_t>(
          "DLL_FENInput", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"),
      1);
  EXPECT_EQ(Ruf("DLL_SuchFertig"), 1);
  lib("DLL_SuchParam", 5, 3600, 3600);
  EXPECT_EQ(Ruf("DLL_SuchStart"), 0);
  const auto start = std::chrono::steady_clock::now();
  while (Ruf("DLL_SuchFertig") == 0) {
    ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(Ruf("DLL_SuchStatus"), 5);
  EXPECT_GT(lib.text(Ruf("DLL_SuchInfo1", 0)).size(), 10u);
  ASSERT_GT(Ruf("DLL_ZugAnz"), 0);
  int32_t zug[4];
  lib("DLL_ZugGet", zug);
  lib("DLL_ZugSet", zug);
  EXPECT_GE(Ruf("DLL_ZugLegal"), 0);
  lib("DLL_SuchInfo2");
  EXPECT_NE(lib.text(Ruf("DLL_SuchInfo3", 6)).find(","), std::string::npos);
}

TEST_F(Engine, SucheSofortGestoppt) {
  ASSERT_EQ(Starten(), 0);
  lib("DLL_Einstellen", 1, 1, 1, 1, 0, 1, 0, 0, 0);
  lib("DLL_SuchParam", 100000, 3600, 3600);
  ASSERT_EQ(Ruf("DLL_SuchStart"), 0);
  EXPECT_EQ(Ruf("DLL_SuchFertig"), 0);
  lib("DLL_SuchTermin");
  const auto start = std::chrono::steady_clock::now();
  while (Ruf("DLL_SuchFertig") == 0) {
    ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  Ruf("DLL_ZugAnz");
  int32_t zug[4];
  lib("DLL_ZugGet", zug);
  lib("DLL_ZugSet", zug);
  EXPECT_GE(Ruf("DLL_ZugLegal"), 0);
}

TEST_F(Engine, BuchzugAusDerGrundstellung) {
  ASSERT_EQ(Starten(), 0);
  lib("DLL_Einstellen", 1, 1, 1, 1, 1, 1, 0, 0, 0);
  lib("DLL_PartieBeginn");
  lib("DLL_SuchParam", 100000, 3600, 3600);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Ruf("DLL_SuchStart"), 0);
  while (Ruf("DLL_SuchFertig") == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(Ruf("DLL_SuchStatus"), 0);  // no iteration: the book answered
  Ruf("DLL_ZugAnz");
  int32_t zug[4];
  lib("DLL_ZugGet", zug);
  lib("DLL_ZugSet", zug);
  const int32_t index = Ruf("DLL_ZugLegal");
  ASSERT_GE(index, 0);
  lib("DLL_GaldrikSet");
  lib("DLL_ZugMachen", index);
  EXPECT_EQ(Stellung()[64], 0);
}

}  // namespace
}  // namespace galdrik
