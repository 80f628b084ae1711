// The RFEP matrix run as the program drives it: a tablebase analysis with
// criterion 97 between DLL_TBAnaRFEPMatrixInit and DLL_TBAnaRFEPMatrixFinish
// over the generated kqk and krk tables; the model's view of the tables
// after DLL_TBInit; and the analysis thread when the host ends, unloads or
// kills the engine while a run goes on.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "analysis/parameterblock.h"
#include "analysis/rfepexports.h"
#include "analysis/rfepgewichte.h"
#include "analysis/tbana_exports.h"
#include "analysis/tbanajob.h"
#include "analysis/tbtabellen.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "interface/enginestate.h"
#include "interface/galdrik_exports.h"
#include "interface/host.h"
#include "support/datei.h"
#include "support/testboard.h"

extern "C" {
int32_t DLL_TBInit(const char* liste, int32_t set);
int32_t DLL_TBCache(int32_t groesse);
void DLL_TBMetrik(int32_t metrik);
}

namespace galdrik::test {
namespace {

constexpr int K = Koenig, Q = Dame, R = Turm;
constexpr uint64_t Dreieck = 0x080C0E0FULL;  // a1 b1 c1 d1 b2 c2 d2 c3 d3 d4

// A search mask of the class in the mask's slot order; the White king on
// the a1-d1-d4 triangle when `dreieck`, every other man anywhere.
std::vector<int32_t> Maske(std::array<int, 6> codes, int32_t seite, bool dreieck = true) {
  std::vector<int32_t> m(SuchmaskeLaenge, 0);
  for (int k = 0; k < 6; ++k) {
    m[MaskeFiguren + k] = codes[k];
    m[MaskeBezug + k] = -1;
    for (int s = 0; s < 64; ++s)
      m[MaskeFelder + 64 * k + s] = !dreieck || codes[k] != K || (Dreieck >> s & 1) ? 1 : -1;
    for (int c = 0; c < GitterZellen; ++c) m[MaskeGitter + GitterZellen * k + c] = -1;
  }
  m[MaskeSeite] = seite;
  m[MaskeVon] = m[MaskeNach] = LoesungFeldBeliebig;
  m[MaskeGewaehlterSlot] = -1;
  return m;
}

void Warten() {
  while (DLL_TBAnaStatus() == 1) std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

struct MatrixDatei {
  std::string kopf;
  std::vector<std::vector<double>> zeilen;
  std::string rest;  // after the matrix
};

MatrixDatei Lesen(const std::string& pfad, int32_t zustaende) {
  MatrixDatei d;
  std::istringstream in(DateiInhalt(pfad));
  std::getline(in, d.kopf);
  for (int r = 0; r < zustaende; ++r) {
    std::string zeile;
    if (!std::getline(in, zeile)) break;
    std::istringstream werte(zeile);
    std::vector<double> z;
    for (std::string w; std::getline(werte, w, '\t');) z.push_back(std::stod(w));
    d.zeilen.push_back(z);
  }
  d.rest.assign(std::istreambuf_iterator<char>(in), {});
  return d;
}

class RFEPAnalyse : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DTMTabellenAnmelden()) GTEST_SKIP() << "built without the generated tables";
    ASSERT_EQ(DLL_TBAnaPrep(), 0);
  }
  void TearDown() override {
    TBAnaBeenden();
    DLL_TBAnaPost();
  }
  TempOrdner ordner;
};

struct Lauf {
  const char* name;
  std::array<int, 6> codes;
  int32_t seite;
  int32_t maxD;
  double kompetenz, kappa;
  int32_t horizon, noD, noL, drD, lsD;
  const char* kopf;
  int32_t laengsterGewinn;  // the class's published longest mate
  bool remisUndVerlust;     // Black to move books the draw and loss rows
};

// Every analysed position reaches the matrix: each state of the class up to
// its longest mate has a row that sums to one, the horizon rows hold their
// whole mass one state down, and a competent winner's expected depths are
// the distances themselves.
TEST_F(RFEPAnalyse, Kriterium97SchreibtDieMatrixDerKlasse) {
  const Lauf laeufe[] = {
      {"kqk",
       {K, -K, Q, 0, 0, 0},
       SeiteWeiss,
       12,
       200.0,
       1.0,
       0,
       0,
       0,
       50,
       100,
       "Competence 200; Kappa 1; Horizon 0; Draw depth 50; Loss depth 100",
       10,
       false},
      {"krk beide",
       {R, -K, K, 0, 0, 0},
       SeiteBeide,
       20,
       1.5,
       0.5,
       3,
       0,
       0,
       30,
       40,
       "Competence 1.5; Kappa 0.5; Horizon 3; Draw depth 30; Loss depth 40",
       16,
       true},
      // Black to move has nothing but excluded moves: none of its positions
      // is booked.
      {"krk ohne",
       {K, R, -K, 0, 0, 0},
       SeiteBeide,
       20,
       2.0,
       1.0,
       2,
       1,
       1,
       0,
       0,
       "Competence 2; Kappa 1; Horizon 2; no drawing moves; no loosing moves",
       16,
       false},
  };
  for (const Lauf& l : laeufe) {
    SCOPED_TRACE(l.name);
    const std::string pfad = (ordner / (std::string(l.name) + ".mtx")).string();
    const int32_t n = l.maxD + 3, remis = l.maxD + 1, verlust = l.maxD + 2;
    ASSERT_EQ(DLL_TBAnaRFEPMatrixInit(l.maxD, l.kompetenz, l.kappa, l.horizon, 1, l.noD, l.noL,
                                      l.drD, l.lsD),
              0);
    DLL_TBAnaSetPos(Maske(l.codes, l.seite).data(), KriteriumRFEPMatrix);
    ASSERT_EQ(DLL_TBAnaStart(), 0);
    Warten();
    uint64_t anzahl = 0;
    ASSERT_EQ(DLL_TBAnaErgebnis(&anzahl), 0);
    ASSERT_EQ(DLL_TBAnaRFEPMatrixFinish(pfad.c_str()), 0);

    const MatrixDatei d = Lesen(pfad, n);
    EXPECT_EQ(d.kopf, l.kopf);
    ASSERT_EQ(d.zeilen.size(), size_t(n));
    EXPECT_EQ(d.rest, "\n\n");
    for (int r = 0; r < n; ++r) {
      const std::vector<double>& z = d.zeilen[r];
      ASSERT_EQ(z.size(), size_t(n)) << "row " << r;
      double summe = 0;
      for (double w : z) summe += w;
      const bool erreicht =
          (r >= 1 && r <= l.laengsterGewinn) || (l.remisUndVerlust && (r == remis || r == verlust));
      if (r == 0) {
        EXPECT_EQ(z[0], 1.0);
        EXPECT_EQ(summe, 1.0) << "mate is absorbing";
      } else if (erreicht) {
        EXPECT_NEAR(summe, 1.0, 1e-12) << "row " << r;
      } else {
        EXPECT_EQ(summe, 0.0) << "row " << r;
      }
      if (r >= 1 && r <= l.horizon) {
        EXPECT_EQ(z[r - 1], 1.0) << "horizon row " << r;
      }
    }
  }

  // The kqk file once more: optimal play needs exactly the distance.
  const std::string kqk = (ordner / "kqk.mtx").string();
  ASSERT_EQ(DLL_TBAnaRFEPMatrixDepths(kqk.c_str(), 15), 0);
  const std::string text = DateiInhalt(kqk);
  std::istringstream tiefen(text.substr(text.find("Expected Depths\n") + 16));
  std::string zeile;
  for (int i = 1; i < 15; ++i) {
    ASSERT_TRUE(std::getline(tiefen, zeile));
    EXPECT_NEAR(std::stod(zeile), i <= 10 ? -i : -1.0, 1e-6) << i;
  }
}

// Without a matrix run criterion 97 books nothing and the run still ends.
TEST_F(RFEPAnalyse, Kriterium97OhneMatrixlauf) {
  DLL_TBAnaSetPos(Maske({K, -K, Q, 0, 0, 0}, SeiteWeiss).data(), KriteriumRFEPMatrix);
  ASSERT_EQ(DLL_TBAnaStart(), 0);
  Warten();
  uint64_t anzahl = 0;
  EXPECT_EQ(DLL_TBAnaErgebnis(&anzahl), 0);
  EXPECT_EQ(DLL_TBAnaRFEPMatrixFinish((ordner / "x.mtx").string().c_str()), -2);
}

// The move model reads the tables the program has loaded, with no set-up
// of its own.
TEST(RFEPProbe, ModellSiehtDieTabellenNachTBInit) {
#ifndef GALDRIK_TB_DTM_DIR
  GTEST_SKIP() << "built without the generated tables";
#else
  ASSERT_GT(DLL_TBInit(GALDRIK_TB_DTM_DIR, 0), 0);
  ASSERT_EQ(DLL_TBCache(4 << 20), 0);
  DLL_TBMetrik(0);
  const Stellung matt1 = Brett("k7/2K5/8/8/8/8/8/1Q6 w - -");
  EXPECT_EQ(RFEPWert(matt1), 32766);
  EXPECT_EQ(RFEPWert(Brett("k7/1Q6/2K5/8/8/8/8/8 b - -")), -32766);
  EXPECT_EQ(RFEPWert(Brett("8/8/3k4/8/8/3K4/8/8 w - -")), 0);

  // A horizon beyond every state makes the drawn move the best one: mate.
  ASSERT_EQ(DLL_TBAnaRFEPMoveInit(12, 1.0, 1.0, 100, 1, 0, 0, 50, 100, 1, 1.0, 0.0), 0);
  Engine().aktuelleStellung = matt1;
  int32_t zug[4] = {};
  DLL_TBAnaRFEPMoveDo(zug);
  DLL_TBAnaRFEPMoveStop();
  const Zugliste liste = ZugGenerator(matt1, GenAlleZuege);
  bool matt = false;
  for (int k = 0; k < liste.anzahl; ++k) {
    if (liste.zuege[k].von != zug[0] || liste.zuege[k].nach != zug[1]) continue;
    const Stellung danach = ZugAusfuehren(matt1, liste.zuege[k], 0);
    matt = danach.schachS && ZugGenerator(danach, GenAlleZuege).anzahl == 0;
  }
  EXPECT_TRUE(matt) << zug[0] << "-" << zug[1];
#endif
}

// ------------------------------------------------------- job teardown

// A long run: king, queen against king and rook, every placement.
void LangerLaufStarten() {
  ASSERT_EQ(DLL_TBAnaPrep(), 0);
  DLL_TBAnaSetPos(Maske({K, -K, Q, -R, 0, 0}, SeiteWeiss, false).data(), KriteriumAlleMitWert);
  ASSERT_EQ(DLL_TBAnaStart(), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(DLL_TBAnaStatus(), 1) << "the run must still go on";
}

// DLL_EngineKill stops and waits for the run; nothing is left running.
TEST(TBAnaJobEnde, EngineKillBeendetDenLauf) {
  if (!DTMTabellenAnmelden()) GTEST_SKIP() << "built without the generated tables";
  LangerLaufStarten();
  EXPECT_EQ(DLL_EngineKill(), 0);
  EXPECT_EQ(DLL_TBAnaStatus(), 0);
  uint64_t anzahl = 0;
  EXPECT_EQ(DLL_TBAnaErgebnis(&anzahl), SchleifeGestoppt);
  EXPECT_EQ(DLL_EngineKill(), 0);
  DLL_TBAnaPost();
}

// A host that ends while a run goes on, with or without DLL_EngineKill, or
// unloads the library without it, ends cleanly.
#if defined(__SANITIZE_ADDRESS__)
// A child that exits with the library still loaded keeps the library's
// buffers on purpose; the leak check is not what it looks at.
bool ohneLeckpruefung = false;
extern "C" int __lsan_is_turned_off() { return ohneLeckpruefung ? 1 : 0; }
#endif

TEST(TBAnaJobEnde, ExitUndEntladenWaehrendDesLaufs) {
#ifndef GALDRIK_TB_DTM_DIR
  GTEST_SKIP() << "built without the generated tables";
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto statisch = [](bool kill) {
    if (!DTMTabellenAnmelden()) std::_Exit(3);
    LangerLaufStarten();
    if (::testing::Test::HasFailure()) std::_Exit(4);
    if (kill) DLL_EngineKill();
    std::exit(0);
  };
  EXPECT_EXIT(statisch(false), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(statisch(true), ::testing::ExitedWithCode(0), "");

  const auto geladen = [](bool entladen) {
#if defined(__SANITIZE_ADDRESS__)
    ohneLeckpruefung = !entladen;
#endif
    auto* lib = new Bibliothek;
    if (!lib->geladen()) std::_Exit(3);
    Bibliothek& b = *lib;
    if (b.operator()<int32_t>("DLL_TBInit", GALDRIK_TB_DTM_DIR, 0) <= 0) std::_Exit(4);
    b.operator()<int32_t>("DLL_TBCache", 4 << 20);
    if (b.operator()<int32_t>("DLL_TBAnaPrep") != 0) std::_Exit(5);
    const std::vector<int32_t> m = Maske({K, -K, Q, -R, 0, 0}, SeiteWeiss, false);
    b("DLL_TBAnaSetPos", m.data(), int32_t{KriteriumAlleMitWert});
    if (b.operator()<int32_t>("DLL_TBAnaStart") != 0) std::_Exit(6);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (b.operator()<int32_t>("DLL_TBAnaStatus") != 1) std::_Exit(7);
    if (entladen) delete lib;  // dlclose
    std::exit(0);
  };
  EXPECT_EXIT(geladen(false), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(geladen(true), ::testing::ExitedWithCode(0), "");
#endif
}

}  // namespace
}  // namespace galdrik::test
