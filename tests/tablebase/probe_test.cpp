// Block cache, entry read, position probe, probe report and the service
// exports, over the generated DTM set of the build and small hand-made
// files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "core/board.h"
#include "interface/config.h"
#include "interface/enginestate.h"
#include "support/datei.h"
#include "support/tbstellung.h"
#include "support/testboard.h"
#include "tablebase/cache.h"
#include "tablebase/descriptor.h"
#include "tablebase/managertabellen.h"
#include "tablebase/probe.h"
#include "tablebase/tbdienste.h"
#include "tablebase/tbinit.h"

extern "C" {
int32_t DLL_TBInit(const char* liste, int32_t set);
void DLL_TBMetrik(int32_t metrik);
int32_t DLL_TBCache(int32_t groesse);
uint32_t DLL_TBError();
int32_t DLL_TBProbe(int32_t metrik);
int32_t DLL_TBProbeReport(int32_t*, int32_t*, int32_t*, int32_t*, int32_t*, int32_t*, int32_t*);
}

namespace galdrik {
namespace {

using test::TbMann;
using test::TbStellung;

int F(const char* n) { return test::Feld(n); }

constexpr int8_t K = Koenig, Q = Dame, R = Turm, P = Bauer, N = Springer, B = Laeufer;

// The generated DTM set in set 0 and a cache of 4 MB.
class TbProbe : public ::testing::Test {
 protected:
  void SetUp() override {
    DLL_TBInit("", -1);
    ASSERT_GT(DLL_TBInit(GALDRIK_TB_DTM_DIR, 0), 0);
    ASSERT_EQ(DLL_TBCache(4 << 20), 0);
  }
  void TearDown() override {
    DLL_TBInit("", -1);
    DLL_TBCache(0);
  }
};

TEST_F(TbProbe, KnownValuesAndColourReversal) {
  struct Fall {
    const char* was;
    Stellung st;
    TbValue wert;
  };
  const Fall faelle[] = {
      // Qg7 mates at once; Black to move there is mated.
      {"kqk mate in 1", TbStellung({{K, F("f6")}, {Q, F("a7")}, {-K, F("h8")}}, true), 32766},
      {"kqk mated", TbStellung({{K, F("f6")}, {Q, F("g7")}, {-K, F("h8")}}, false), -32766},
      {"kqk reversed, mated", TbStellung({{-K, F("f3")}, {-Q, F("g2")}, {K, F("h1")}}, true),
       -32766},
      {"kqk reversed, mate in 1", TbStellung({{-K, F("f3")}, {-Q, F("a2")}, {K, F("h1")}}, false),
       32766},
      {"kk", TbStellung({{K, F("e1")}, {-K, F("e8")}}, true), 0},
      {"knk draw", TbStellung({{K, F("e1")}, {N, F("b1")}, {-K, F("e8")}}, true), 0},
      // Black to move is stalemated.
      {"kpk stalemate", TbStellung({{K, F("b6")}, {P, F("a7")}, {-K, F("a8")}}, false), 0},
  };
  for (const Fall& f : faelle) EXPECT_EQ(TBProbe(f.st, 0), f.wert) << f.was;
}

TEST_F(TbProbe, PositionsWithoutAnIndexAnswerNoValue) {
  struct Fall {
    const char* was;
    Stellung st;
  };
  Stellung ohneKoenig = TbStellung({{K, F("e1")}, {Q, F("d1")}}, true);
  const Fall faelle[] = {
      {"kings touching", TbStellung({{K, F("e1")}, {Q, F("a1")}, {-K, F("e2")}}, true)},
      {"a king missing", ohneKoenig},
      {"pawn on the eighth rank", TbStellung({{K, F("e1")}, {P, F("a8")}, {-K, F("e8")}}, true)},
      {"pawn on the first rank", TbStellung({{K, F("e1")}, {-P, F("a1")}, {-K, F("e8")}}, true)},
      {"side not to move in check", TbStellung({{K, F("e1")}, {Q, F("e7")}, {-K, F("e8")}}, true)},
      {"six men besides the king", TbStellung({{K, F("e1")},
                                               {P, F("a2")},
                                               {P, F("b2")},
                                               {P, F("c2")},
                                               {P, F("d2")},
                                               {P, F("f2")},
                                               {P, F("g2")},
                                               {-K, F("e8")}},
                                              true)},
      {"five men, no table",
       TbStellung({{K, F("e1")}, {Q, F("d1")}, {Q, F("c1")}, {R, F("a1")}, {-K, F("e8")}}, true)},
  };
  for (const Fall& f : faelle) EXPECT_EQ(TBProbe(f.st, 0), TbKeinWert) << f.was;
  const Stellung kqk = TbStellung({{K, F("f6")}, {Q, F("a7")}, {-K, F("h8")}}, true);
  for (int metrik : {-1, 7, 1000}) EXPECT_EQ(TBProbe(kqk, metrik), TbKeinWert) << metrik;
  EXPECT_EQ(TBProbe(kqk, 1), TbKeinWert) << "nothing registered in set 1";
}

TEST_F(TbProbe, SearchProbeScores) {
  int16_t wert = 0;
  Stellung matt1 = TbStellung({{K, F("f6")}, {Q, F("a7")}, {-K, F("h8")}}, true);
  ASSERT_TRUE(TBProbeSuche(matt1, wert));
  EXPECT_EQ(wert, 24999);
  Stellung matt = TbStellung({{K, F("f6")}, {Q, F("g7")}, {-K, F("h8")}}, false);
  ASSERT_TRUE(TBProbeSuche(matt, wert));
  EXPECT_EQ(wert, -25000);
  Stellung remis = TbStellung({{K, F("e1")}, {N, F("b1")}, {-K, F("e8")}}, true);
  ASSERT_TRUE(TBProbeSuche(remis, wert));
  EXPECT_EQ(wert, 0);
  matt1.rochade[RochadeSchwarzKurz] = 1;
  EXPECT_FALSE(TBProbeSuche(matt1, wert)) << "a castling right is never probed";
  DLL_TBMetrik(3);
  matt1.rochade[RochadeSchwarzKurz] = 0;
  ASSERT_TRUE(TBProbeSuche(matt1, wert)) << "always DTM, whatever the metric";
  EXPECT_EQ(wert, 24999);
}

TEST_F(TbProbe, ReportTellsHowFarTheProbeCame) {
  struct Fall {
    const char* was;
    Stellung st;
    int32_t wert, nurKoenige, abgebrochen, tabelle, nichtReg, ep;
    bool mitIndex;
  };
  const Fall faelle[] = {
      {"kk", TbStellung({{K, F("e1")}, {-K, F("e8")}}, true), 0, 1, 0, 0, 1, 127, false},
      {"seven pawns",
       TbStellung({{K, F("e1")},
                   {P, F("a2")},
                   {P, F("b2")},
                   {P, F("c2")},
                   {P, F("d2")},
                   {P, F("f2")},
                   {P, F("g2")},
                   {P, F("h2")},
                   {-K, F("e8")}},
                  true),
       TbKeinWert, 0, 1, 0, 1, 127, false},
      {"no table",
       TbStellung({{K, F("e1")}, {Q, F("d1")}, {Q, F("c1")}, {R, F("a1")}, {-K, F("e8")}}, true),
       TbKeinWert, 0, 0, 0, 1, 127, false},
      {"kqk", TbStellung({{K, F("f6")}, {Q, F("a7")}, {-K, F("h8")}}, true), 32766, 0, 0, 5, 0, 127,
       true},
      {"kqk reversed", TbStellung({{-K, F("f3")}, {-Q, F("a2")}, {K, F("h1")}}, false), 32766, 0, 0,
       -5, 0, 127, true},
  };
  for (const Fall& f : faelle) {
    Engine().aktuelleStellung = f.st;
    int32_t o[8] = {-9, -9, -9, -9, -9, -9, -9, -9};
    const int32_t v = DLL_TBProbeReport(&o[0], &o[1], &o[2], &o[3], &o[4], &o[5], &o[6]);
    if (f.wert != TbKeinWert || !f.mitIndex) {
      EXPECT_EQ(v, f.wert) << f.was;
    }
    EXPECT_EQ(v, TBProbe(f.st, 0)) << f.was;
    EXPECT_EQ(o[0], 0) << f.was;
    EXPECT_EQ(o[1], f.nurKoenige) << f.was;
    EXPECT_EQ(o[2], f.abgebrochen) << f.was;
    EXPECT_EQ(o[3], f.tabelle) << f.was;
    EXPECT_EQ(o[4], f.nichtReg) << f.was;
    EXPECT_EQ(o[5], f.ep) << f.was;
    if (f.mitIndex)
      EXPECT_TRUE(o[6] != -1 || o[7] != -1) << f.was;
    else
      EXPECT_TRUE(o[6] == -1 && o[7] == -1) << f.was;
  }
  // Null pointers are skipped.
  Engine().aktuelleStellung = faelle[3].st;
  EXPECT_EQ(DLL_TBProbeReport(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            32766);
}

TEST_F(TbProbe, ExportsCheckTheirArguments) {
  Engine().aktuelleStellung = TbStellung({{K, F("f6")}, {Q, F("a7")}, {-K, F("h8")}}, true);
  EXPECT_EQ(DLL_TBProbe(0), 32766);
  EXPECT_EQ(DLL_TBProbe(7), TbKeinWert);
  EXPECT_EQ(DLL_TBProbe(-1), TbKeinWert);
  for (int m : {7, -1}) {
    DLL_TBMetrik(m);
    EXPECT_EQ(TBMetrikAktuell(), 0);
  }
  DLL_TBMetrik(4);
  EXPECT_EQ(TBMetrikAktuell(), 4);
  EXPECT_EQ(DLL_TBInit(GALDRIK_TB_DTM_DIR, 7), 0) << "no set 7";
  EXPECT_EQ(TBMetrikAktuell(), 4) << "a refused call changes nothing";
  EXPECT_EQ(DLL_TBInit(nullptr, 0), 0);
  EXPECT_EQ(DLL_TBCache(-1), -1) << "a negative size is refused: the minimal cache";
  EXPECT_EQ(TbCacheEntryCount(), 1048576u / 8260u);
  EXPECT_EQ(DLL_TBCache(0), 0);
  EXPECT_EQ(TbCacheEntryCount(), 0u);
  EXPECT_EQ(DLL_TBProbe(0), TbKeinWert) << "no cache: no value";
  EXPECT_EQ(DLL_TBCache(8259), 0);
  EXPECT_EQ(DLL_TBProbe(0), TbKeinWert);
  EXPECT_EQ(DLL_TBCache(8260), 0);
  EXPECT_EQ(DLL_TBProbe(0), 32766);
}

TEST_F(TbProbe, RfepProbeRefusesTheSideNotToMoveInCheck) {
  Stellung st = TbStellung({{K, F("f6")}, {Q, F("a7")}, {-K, F("h8")}}, true);
  EXPECT_EQ(TBProbeRFEP(st), 32766);
  st.schachS = 1;
  EXPECT_EQ(TBProbeRFEP(st), TbKeinWert);
}

TEST(TbPfadliste, IsCleanedBeforeRegistration) {
  const std::pair<const char*, const char*> faelle[] = {
      {";;;/a;;;/b;", "/a;/b"}, {"c", ""},      {"", ""}, {"/a;/x?y", ""}, {"/a|b", ""},
      {"/a;/b", "/a;/b"},       {";;/a", "/a"},
  };
  for (auto [roh, sauber] : faelle) EXPECT_EQ(TBPfadlisteBereinigen(roh), sauber) << roh;
  EXPECT_EQ(TBPfadlisteBereinigen(std::string(10240, 'a').c_str()), "") << "never cut";
  EXPECT_EQ(TBPfadlisteBereinigen(std::string(10239, 'a').c_str()), std::string(10239, 'a'));
}

TEST(TbEintrag, EightBitValues) {
  const std::pair<int8_t, TbValue> faelle[] = {{126, 32766},      {1, 32641},     {-128, 32640},
                                               {-126, -32766},    {-127, -32640}, {0, 0},
                                               {127, TbKeinWert}, {-1, -32641}};
  for (auto [r, v] : faelle) EXPECT_EQ(TbWertAusEintrag(r), v) << int(r);
}

// Hand-made files for the paths the generated set never takes.
class TbDateien : public ::testing::Test {
 protected:
  void SetUp() override {
    DLL_TBInit("", -1);
    ASSERT_EQ(DLL_TBCache(1 << 20), 0);
  }
  void TearDown() override {
    DLL_TBInit("", -1);
    DLL_TBCache(0);
  }
  static void Schreiben(const std::filesystem::path& p, const std::vector<uint8_t>& bytes) {
    std::ofstream f(p, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  test::TempOrdner ordner;
};

TEST_F(TbDateien, SixteenBitEntriesAndShortFiles) {
  // krnknn (id 151) has 16-bit entries; registration checks no size there.
  Schreiben(ordner / "krnknn.nbw",
            {0x34, 0x12, 0x00, 0x80, 0xFF, 0x7F, 0x01, 0x80, 0x02, 0x80, 0x05});
  ASSERT_EQ(DLL_TBInit(ordner.pfad().c_str(), 0), 6);
  ASSERT_EQ(DLL_TBCache(1 << 20), 0);
  const std::pair<uint64_t, TbValue> faelle[] = {
      {0, 4660},       {1, TbKeinWert}, {2, TbKeinWert},
      {3, TbKeinWert}, {4, -32766},     {5, TbKeinWert},  // half an entry: the file ends
      {6, TbKeinWert},                                    // past the end of the file
  };
  for (auto [i, v] : faelle) EXPECT_EQ(TbProbeTable(151, 0, i), v) << i;
}

TEST_F(TbDateien, KppkpFixAndEntryCountBound) {
  // One byte is enough to register (reported as corrupt, still used).
  Schreiben(ordner / "kppkp.nbb", {0x05});
  Schreiben(ordner / "kqk.nbw", std::vector<uint8_t>(25629, 0x7E));
  const std::string d = ordner.pfad().string();
  ASSERT_GT(DLL_TBInit(d.c_str(), 0), 0);
  EXPECT_EQ(DLL_TBError(), 1u) << "the short kppkp file";
  ASSERT_GT(DLL_TBInit(d.c_str(), 1), 0);
  ASSERT_GT(DLL_TBInit(GALDRIK_TB_DTM_DIR, 2), 0);
  EXPECT_EQ(DLL_TBError(), 0u) << "only the last registration counts";
  ASSERT_EQ(DLL_TBCache(1 << 20), 0);
  EXPECT_EQ(TbProbeTable(36, 1, 56849992), -32639);
  EXPECT_EQ(TbProbeTable(36 + 441, 1, 56849992), TbKeinWert) << "set 1 reads the file";
  EXPECT_EQ(TbProbeTable(36, 1, 0), 32645);
  EXPECT_EQ(TbProbeTable(36, 1, 1), TbKeinWert) << "past the file: never an older block";
  EXPECT_EQ(TbProbeTable(5, 0, 25628), 32766) << "the last entry";
  EXPECT_EQ(TbProbeTable(5, 0, 25629), TbKeinWert) << "the entry count";
}

TEST_F(TbDateien, OneEntryCacheAlternatingBlocks) {
  std::vector<uint8_t> bytes(25629);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(1 + i / 8192);
  Schreiben(ordner / "kqk.nbw", bytes);
  ASSERT_EQ(DLL_TBInit(ordner.pfad().c_str(), 0), 3);
  ASSERT_EQ(DLL_TBCache(8260), 0);
  ASSERT_EQ(TbCacheEntryCount(), 1u);
  for (int runde = 0; runde < 3; ++runde)
    for (uint64_t block : {0, 2, 1, 3, 0}) {
      EXPECT_EQ(TbProbeTable(5, 0, block * 8192 + 7), 32640 + 1 + int(block)) << block;
    }
}

TEST_F(TbDateien, AVanishedFileIsUnregistered) {
  Schreiben(ordner / "kqk.nbw", std::vector<uint8_t>(25629, 0x7E));
  ASSERT_EQ(DLL_TBInit(ordner.pfad().c_str(), 0), 3);
  ASSERT_EQ(DLL_TBCache(1 << 20), 0);
  std::filesystem::remove(ordner / "kqk.nbw");
  EXPECT_EQ(TbProbeTable(5, 0, 100), TbKeinWert);
  EXPECT_EQ(TbRegistered(5, 0, 0), 0);
  EXPECT_EQ(TbProbeTable(5, 0, 100), TbKeinWert);
}

TEST_F(TbDateien, OnlyTheFileReadForReversedColoursIsNeeded) {
  // Only the Black-to-move file of kqk. A black queen with White to move
  // reads exactly that file.
  std::vector<uint8_t> bytes(28644, 0x00);
  Schreiben(ordner / "kqk.nbb", bytes);
  ASSERT_EQ(DLL_TBInit(ordner.pfad().c_str(), 0), 3);
  ASSERT_EQ(DLL_TBCache(1 << 20), 0);
  EXPECT_EQ(TBProbe(TbStellung({{-K, F("e8")}, {-Q, F("d8")}, {K, F("e1")}}, true), 0), 0);
  EXPECT_EQ(TBProbe(TbStellung({{K, F("e1")}, {Q, F("d1")}, {-K, F("e8")}}, true), 0), TbKeinWert);
  EXPECT_EQ(TBProbe(TbStellung({{K, F("e1")}, {Q, F("d1")}, {-K, F("e8")}}, false), 0), 0);
}

TEST_F(TbDateien, SecondExtentOfASplitTable) {
  // krbkbn (id 187) is split with 8-bit entries: block 2^18 is block 0 of
  // the file of extent 1.
  Schreiben(ordner / "krbkbn.0.nbw", {0x10});
  Schreiben(ordner / "krbkbn.1.nbw", {0x20, 0x21});
  ASSERT_EQ(DLL_TBInit(ordner.pfad().c_str(), 0), 6);
  ASSERT_EQ(DLL_TBCache(1 << 20), 0);
  EXPECT_EQ(TbReadBlock(187, 0, 0, 0), 0x10);
  EXPECT_EQ(TbReadBlock(187, 0, 262144, 1), 0x21);
  EXPECT_EQ(TbReadBlock(187, 0, 262144, 2), TbKeinWert);
  EXPECT_EQ(TbProbeTable(187, 0, uint64_t(1) << 31), TbWertAusEintrag(0x20));
}

TEST_F(TbDateien, ManagerCheckTimesComeFromItsLog) {
  TbManager().statusW[5] = 9;
  Schreiben(ordner / "egtbdtx7.log", {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 7});
  Konfiguration().md5LogPfad = (ordner / "egtbdtx7.log").string();
  DLL_TBInit(ordner.pfad().c_str(), 0);
  EXPECT_EQ(TbManager().zeitW[0], 1);
  EXPECT_EQ(TbManager().zeitW[1], -1);
  EXPECT_EQ(TbManager().zeitW[2], 0) << "a short log fills what it holds";
  EXPECT_EQ(TbManager().statusW[5], 0);
  Konfiguration().md5LogPfad = (ordner / "fehlt.log").string();
  DLL_TBInit(ordner.pfad().c_str(), 0);
  EXPECT_EQ(TbManager().zeitW[0], 0);
  Konfiguration().md5LogPfad.clear();
}

TEST_F(TbDateien, ReportOfAnEnPassantChance) {
  // Short kpkp files: registered (and reported), every read past them no
  // value, so the report shows what the index function got.
  Schreiben(ordner / "kpkp.nbw", {0x01});
  Schreiben(ordner / "kpkp.nbb", {0x01});
  ASSERT_EQ(DLL_TBInit(ordner.pfad().c_str(), 0), 4);
  ASSERT_EQ(DLL_TBCache(1 << 20), 0);
  struct Fall {
    const char* was;
    Stellung st;
    int32_t ep;
  };
  const Fall faelle[] = {
      // e3 is set but no black pawn stands beside e4: no en passant.
      {"no capturer",
       TbStellung({{K, F("a1")}, {P, F("e4")}, {-K, F("h8")}, {-P, F("a5")}}, false, F("e3")), 127},
      {"en passant",
       TbStellung({{K, F("a1")}, {P, F("e4")}, {-K, F("h8")}, {-P, F("d4")}}, false, F("e3")),
       F("e3")},
      {"wrong rank",
       TbStellung({{K, F("a1")}, {P, F("e5")}, {-K, F("h8")}, {-P, F("d5")}}, false, F("e4")), 127},
      {"square behind occupied",
       TbStellung({{K, F("e2")}, {P, F("e4")}, {-K, F("h8")}, {-P, F("d4")}}, false, F("e3")), 127},
  };
  for (const Fall& f : faelle) {
    TBProbeBericht b;
    EXPECT_EQ(TBProbeReport(f.st, 0, b), TbKeinWert) << f.was;
    EXPECT_EQ(b.tabelle, 6) << f.was;
    EXPECT_EQ(b.nichtRegistriert, 0) << f.was;
    EXPECT_EQ(b.epFeld, f.ep) << f.was;
    EXPECT_GE(b.index, 3838208 * (f.ep != 127)) << f.was << ": the en-passant block";
  }
}

}  // namespace
}  // namespace galdrik
