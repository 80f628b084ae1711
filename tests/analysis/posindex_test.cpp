// The position-set index: its sizing by record count, the bucket walk, the
// overflow list behind full buckets, and the 8-byte comparison that tells
// apart records the bucket key cannot.
#include "analysis/posindex.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace galdrik::test {
namespace {

TBAnaEintrag Satz(int a, int b, int c, uint8_t amZug = 1, uint8_t ep = 127) {
  TBAnaEintrag r{};
  r.feld[3] = static_cast<uint8_t>(a);
  r.feld[4] = static_cast<uint8_t>(b);
  r.feld[5] = static_cast<uint8_t>(c);
  r.epFeld = ep;
  r.amZug = amZug;
  return r;
}

const uint8_t* Key(const TBAnaEintrag& r) { return reinterpret_cast<const uint8_t*>(&r); }

class PosIndex : public ::testing::Test {
 protected:
  void SetUp() override { PosIndexKeysInit(); }
  void TearDown() override { PosIndexFrei(); }
};

TEST_F(PosIndex, GroesseNachAnzahl) {
  struct Fall {
    int32_t n, bits, slots;
  };
  for (const Fall f : {Fall{1, 1, 10}, Fall{2, 1, 12}, Fall{3, 1, 12}, Fall{4, 1, 14},
                       Fall{5, 1, 14}, Fall{6, 1, 16}, Fall{7, 1, 16}, Fall{8, 2, 14},
                       Fall{11, 2, 14}, Fall{12, 2, 16}, Fall{1000000, 18, 16}}) {
    SCOPED_TRACE(f.n);
    ASSERT_EQ(PosIndexAllok(f.n, 1), PosIndexOk);
    EXPECT_EQ(PosIndexInfo().bits, f.bits);
    EXPECT_EQ(PosIndexInfo().slots, f.slots);
    EXPECT_EQ(PosIndexInfo().ueberlauf, 0);
  }
  EXPECT_EQ(PosIndexAllok(0, 5), PosIndexFalscheGroesse);
  EXPECT_EQ(PosIndexAllok(5, 0), PosIndexFalscheGroesse);
  EXPECT_EQ(PosIndexAllok(-1, -1), PosIndexFalscheGroesse);
}

// Records sharing one bucket: the first S fill it, the rest go to the
// overflow list (beyond its planned size too), and all are found.
TEST_F(PosIndex, VolleEimerLaufenUeber) {
  ASSERT_EQ(PosIndexAllok(1, 1), PosIndexOk);  // 2 buckets of 10
  std::vector<TBAnaEintrag> saetze;
  for (int a = 0; a < 64 && saetze.size() < 13; ++a)
    for (int b = 0; b < 64 && saetze.size() < 13; ++b) {
      const TBAnaEintrag r = Satz(a, b, 5);
      if (PosIndexEimer(Key(r)) == 0) saetze.push_back(r);
    }
  ASSERT_EQ(saetze.size(), 13u);
  for (const TBAnaEintrag& r : saetze) PosIndexEinfuegen(&r);
  EXPECT_EQ(PosIndexInfo().ueberlauf, 3);
  for (const TBAnaEintrag& r : saetze) EXPECT_EQ(PosIndexSuchen(Key(r)), &r);

  // A key whose bucket is empty is still looked for in the overflow list:
  // the index holds pointers, so an overflow record given such a key (as
  // only a test would do) is found there.
  TBAnaEintrag anderer{};
  for (int a = 0; a < 64 && PosIndexEimer(Key(anderer)) != 1; ++a) anderer = Satz(a, 7, 9);
  ASSERT_EQ(PosIndexEimer(Key(anderer)), 1u);
  EXPECT_EQ(PosIndexSuchen(Key(anderer)), nullptr);
  std::memcpy(&saetze.back(), &anderer, 8);
  EXPECT_EQ(PosIndexSuchen(Key(anderer)), &saetze.back());

  PosIndexFrei();
  EXPECT_EQ(PosIndexInfo().bits, 0);
  EXPECT_EQ(PosIndexInfo().slots, 0);
  EXPECT_EQ(PosIndexInfo().ueberlauf, 0);
  EXPECT_EQ(PosIndexSuchen(Key(saetze[0])), nullptr);
}

TEST_F(PosIndex, VergleichtAlleAchtBytes) {
  ASSERT_EQ(PosIndexAllok(8, 4), PosIndexOk);
  const TBAnaEintrag weiss = Satz(4, 60, 0, 1);
  const TBAnaEintrag schwarz = Satz(4, 60, 0, 0);
  const TBAnaEintrag ep = Satz(4, 60, 0, 1, 20);
  const TBAnaEintrag doppelt = Satz(4, 60, 0, 1);
  ASSERT_EQ(PosIndexEimer(Key(weiss)), PosIndexEimer(Key(schwarz)));
  for (const TBAnaEintrag* r : {&weiss, &schwarz, &ep, &doppelt}) PosIndexEinfuegen(r);
  EXPECT_EQ(PosIndexSuchen(Key(weiss)), &weiss);  // of duplicates the first inserted
  EXPECT_EQ(PosIndexSuchen(Key(schwarz)), &schwarz);
  EXPECT_EQ(PosIndexSuchen(Key(ep)), &ep);
  const TBAnaEintrag fehlt = Satz(4, 61, 0, 1);
  EXPECT_EQ(PosIndexSuchen(Key(fehlt)), nullptr);
}

}  // namespace
}  // namespace galdrik::test
