// RFEP weights, value-to-state mapping, the model's view of the tablebase,
// the seeded draws and the whole-file writes.
#include "analysis/rfepgewichte.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/datei.h"
#include "support/testboard.h"
#include "tablebase/probe.h"

using namespace galdrik;

TEST(RFEPGewichte, WeightsPerLevelAndSpecialStates) {
  // kappa 1, c = 2, winning side: (d + 1)^-2; DrD 20 and LsD 30 for the
  // draw and loss states. Level 1 (c = 3) of the losing side: (d + 1)^3.
  RFEPParameter sieg = RFEPParameterAus(3, 1.0, 0, 1, 0, 0, 20, 30);
  const RFEPGewichte g = RFEPGewichteAnlegen(sieg, 2, 2.0, 1.0);
  ASSERT_EQ(g.gewichte.zeilen(), 2);
  ASSERT_EQ(g.gewichte.spalten(), 6);
  const double soll[] = {1.0, 0.25, 1.0 / 9, 1.0 / 16, 1.0 / 441, 1.0 / 961};
  for (int d = 0; d < 6; ++d) EXPECT_DOUBLE_EQ(g.gewicht(0, d), soll[d]) << d;
  EXPECT_DOUBLE_EQ(g.gewicht(1, 2), 1.0 / 27);

  RFEPParameter verlust = RFEPParameterAus(0, 1.0, 0, 0, 0, 0, 5, 7);
  EXPECT_EQ(verlust.maxD, 1);  // raised to 1: four states
  const RFEPGewichte h = RFEPGewichteAnlegen(verlust, 1, 3.0, 0.0);
  ASSERT_EQ(h.gewichte.spalten(), 4);
  EXPECT_DOUBLE_EQ(h.gewicht(0, 1), 8.0);
  EXPECT_DOUBLE_EQ(h.gewicht(0, 2), 216.0);  // draw: (5 + 1)^3
  EXPECT_DOUBLE_EQ(h.gewicht(0, 3), 512.0);  // loss: (7 + 1)^3

  // Only an argument of exactly 1 switches on.
  const RFEPParameter p = RFEPParameterAus(5, 1.0, 0, 2, -1, 1, 0, 0);
  EXPECT_EQ(p.att, 0);
  EXPECT_EQ(p.noD, 0);
  EXPECT_EQ(p.noL, 1);

  int code = 0;
  try {
    RFEPGewichteAnlegen(sieg, 0, 1.0, 0.0);
  } catch (int c) {
    code = c;
  }
  EXPECT_EQ(code, -2);
}

TEST(RFEPGewichte, ValueToState) {
  const int32_t maxD = 10, remis = 11, verlust = 12, kein = RFEPKeinZustand;
  const struct {
    int32_t wert;
    uint8_t invertiert;
    bool schlag;
    int32_t zustand;
  } faelle[] = {
      {0, 1, false, remis},     {0, 0, true, remis},      {32766, 1, false, verlust},
      {-32766, 1, false, 0},  // mated
      {-32763, 1, false, 3},    {-32700, 1, false, maxD}, {-32763, 1, true, 0},
      {32766, 0, false, 1},     {32760, 0, false, 7},     {100, 0, false, maxD},
      {32760, 0, true, 0},      {-5, 0, false, verlust},  {-5, 0, true, verlust},
      {32767, 1, false, kein},  {32767, 0, true, kein},   {-32767, 1, false, kein},
      {-32767, 0, false, kein},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(RFEPTiefe(f.wert, f.invertiert, maxD, f.schlag), f.zustand)
        << f.wert << " inverted " << int(f.invertiert) << " capture " << f.schlag;
}

namespace {
int32_t ImmerVier(const Stellung&) { return 4; }
}  // namespace

TEST(RFEPGewichte, BareKingsAreDrawnWithoutAProbe) {
  RFEPProbeSetzen(nullptr);
  EXPECT_EQ(RFEPWert(test::Brett("8/8/3k4/8/8/3K4/8/8 w - -")), 0);
  EXPECT_EQ(RFEPWert(test::Brett("8/8/3k4/8/8/3KQ3/8/8 w - -")), RFEPKeinWert);
  RFEPProbeSetzen(ImmerVier);
  EXPECT_EQ(RFEPWert(test::Brett("8/8/3k4/8/8/3K4/8/8 b - -")), 0);
  EXPECT_EQ(RFEPWert(test::Brett("8/8/3k4/8/8/3KQ3/8/8 w - -")), 4);
  RFEPProbeSetzen(TBProbeRFEP);
}

TEST(RFEPGewichte, SeededDrawsAreReproducible15BitValues) {
  auto folge = [](int32_t saat) {
    RFEPRandSeed(saat);
    std::vector<int> werte;
    for (int i = 0; i < 1000; ++i) werte.push_back(RFEPZufall());
    return werte;
  };
  const std::vector<int> null = folge(0), fuenf = folge(5);
  EXPECT_EQ(folge(0), null);
  EXPECT_EQ(folge(5), fuenf);
  EXPECT_NE(null, fuenf);
  int groesster = 0;
  for (int w : null) {
    ASSERT_GE(w, 0);
    groesster = std::max(groesster, w);
  }
  EXPECT_LE(groesster, 32767);
  EXPECT_GT(groesster, 32000);  // the whole 15-bit range is used
}

TEST(RFEPGewichte, WholeFileWritesAndAppends) {
  test::TempOrdner ordner;
  const std::string pfad = (ordner / "a.txt").string();
  EXPECT_TRUE(RFEPDateiSchreiben(pfad, "eins\n", false));
  EXPECT_TRUE(RFEPDateiSchreiben(pfad, "zwei\n", true));
  EXPECT_EQ(test::DateiInhalt(pfad), "eins\nzwei\n");
  EXPECT_TRUE(RFEPDateiSchreiben(pfad, "neu\n", false));
  EXPECT_EQ(test::DateiInhalt(pfad), "neu\n");
  // A target that cannot be replaced stays as it was, with no leftovers.
  EXPECT_FALSE(RFEPDateiSchreiben((ordner / "fehlt" / "b.txt").string(), "x", false));
  EXPECT_FALSE(RFEPDateiSchreiben(ordner.pfad().string(), "x", true));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ordner.pfad()),
                          std::filesystem::directory_iterator()),
            1);
}
