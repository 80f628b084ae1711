// The search with the tablebase switch on: it plays the tablebase's move
// and reports the mate distance, and a whole KBNK win is played out to
// mate through the exports.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "core/makemove.h"
#include "core/movegen.h"
#include "core/search.h"
#include "core/suchoptionen.h"
#include "interface/host.h"
#include "support/tbstellung.h"
#include "support/testboard.h"
#include "tablebase/probe.h"

extern "C" {
int32_t DLL_TBInit(const char* liste, int32_t set);
int32_t DLL_TBCache(int32_t groesse);
}

namespace galdrik {
namespace {

using test::TbStellung;
constexpr int8_t K = Koenig, Q = Dame, R = Turm;

class TbSuche : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SuchVariablenInit(), 0);
    DLL_TBInit("", -1);
    ASSERT_GT(DLL_TBInit(GALDRIK_TB_DTM_DIR, 0), 0);
    ASSERT_EQ(DLL_TBCache(4 << 20), 0);
    SuchOptionen().tablebases = 1;
  }
  void TearDown() override {
    SuchOptionen().tablebases = 0;
    DLL_TBInit("", -1);
    DLL_TBCache(0);
    SuchVariablenFreigeben();
  }
};

TEST_F(TbSuche, PlaysTheTablebaseMoveAndReportsTheMateDistance) {
  const Stellung faelle[] = {
      TbStellung({{K, test::Feld("e1")}, {Q, test::Feld("d1")}, {-K, test::Feld("e5")}}, true),
      TbStellung({{K, test::Feld("b2")}, {R, test::Feld("h1")}, {-K, test::Feld("d5")}}, true),
  };
  for (const Stellung& st : faelle) {
    const TbValue v = TBProbe(st, 0);
    ASSERT_GT(v, 0);
    ASSERT_LT(v, TbKeinWert);
    const int d = 32767 - v;
    const int16_t wert = SucheWurzel(st, 4, 60, 60, 0, 0, false);
    // The search's own score of a mate in d, and its info line says so.
    EXPECT_EQ(wert, 25000 - 2 * d);
    const std::string info = Suche().ausgabe[Suche().statistik.iterationsTiefe - 1].info;
    EXPECT_NE(info.find(" +#"), std::string::npos) << info;
    EXPECT_NE(info.find(" " + std::to_string(d) + " "), std::string::npos) << info;
    const Stellung nach = ZugAusfuehren(st, Suche().ergebnis.zug, 1);
    EXPECT_EQ(TBProbe(nach, 0), -32766 + (d - 1)) << "the move keeps the shortest mate";
    EXPECT_GT(Suche().statistik.tbTreffer, 0u);
  }
}

// Both sides played by the engine through the exports, the tablebases on:
// every White move brings the mate one move nearer, and the game ends in
// mate.
class TbPartie : public test::EngineTest {};

TEST_F(TbPartie, KbnkWinPlayedOutToMate) {
  ASSERT_EQ(Ruf("DLL_EngineInit"), 0);
  lib("DLL_Einstellen", 1, 1, 1, 1, 0, 1, 0, 0, 1);
  lib.operator()<int32_t>("DLL_TBInit", "", -1);
  ASSERT_GT(lib.operator()<int32_t>("DLL_TBInit", GALDRIK_TB_DTM_DIR, 0), 0);
  ASSERT_EQ(Ruf("DLL_TBCache", 16 << 20), 0);
  lib("DLL_TBMetrik", 0);
  ASSERT_EQ(lib.operator()<int32_t>("DLL_FENInput", "8/8/3k4/8/8/8/8/KBN5 w - - 0 1"), 1);
  int32_t wert = Ruf("DLL_TBProbe", 0);
  ASSERT_GT(wert, 32767 - 40);
  int d = 32767 - wert;
  auto engineZug = [&] {
    lib("DLL_SuchParam", 3, 3600, 3600);
    ASSERT_EQ(Ruf("DLL_SuchStart"), 0);
    const auto start = std::chrono::steady_clock::now();
    while (Ruf("DLL_SuchFertig") == 0) {
      ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_GT(Ruf("DLL_ZugAnz"), 0);
    int32_t zug[4];
    lib("DLL_ZugGet", zug);
    lib("DLL_ZugSet", zug);
    const int32_t index = Ruf("DLL_ZugLegal");
    ASSERT_GE(index, 0);
    lib("DLL_ZugMachen", index);
  };
  for (;;) {
    engineZug();
    if (HasFatalFailure()) return;
    wert = Ruf("DLL_TBProbe", 0);
    ASSERT_EQ(wert, -32766 + (d - 1)) << "White's move with " << d << " to go";
    if (d == 1) break;
    engineZug();
    if (HasFatalFailure()) return;
    --d;
    ASSERT_EQ(Ruf("DLL_TBProbe", 0), 32767 - d) << "Black's move";
  }
  EXPECT_EQ(wert, -32766) << "Black is mated";
  EXPECT_EQ(Ruf("DLL_ZugAnz"), 0);
}

}  // namespace
}  // namespace galdrik
