// Transposition table: probe, replacement by depth and age, allocation.
#include <gtest/gtest.h>

#include "core/tt.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

using test::Feld;

class Tabelle : public ::testing::Test {
 protected:
  void SetUp() override { TT().alter = 0; }
  void TearDown() override {
    HashFrei();
    TT().alter = 0;
  }
  // Keys that all fall into bucket 0 of a table with 2^exponent buckets.
  static uint64_t Key(uint32_t n) { return (uint64_t{n} << 40) | (uint64_t{n} << 8); }
  static Zug ZugVon(const char* von, const char* nach) {
    Zug z = KeinZug;
    z.von = static_cast<uint8_t>(Feld(von));
    z.nach = static_cast<uint8_t>(Feld(nach));
    return z;
  }
  static int8_t Tiefe(uint64_t key) {
    const HashEintrag* e = HashSuchen(key, 1);
    return e ? e->tiefe : -1;
  }
};

TEST_F(Tabelle, GleicherKeyTieferBleibtInDerselbenSuche) {
  ASSERT_EQ(HashAllok(8, 4), 0);
  HashSpeichern(Key(1), 10, HashExakt, 6, 1, ZugVon("e2", "e4"));
  HashSpeichern(Key(1), 20, HashExakt, 3, 1, ZugVon("d2", "d4"));
  EXPECT_EQ(Tiefe(Key(1)), 6);
  EXPECT_EQ(HashSuchen(Key(1), 1)->nach, Feld("e4"));
  // A later search replaces it, whatever the depth.
  TT().alter = 1;
  HashSpeichern(Key(1), 20, HashExakt, 3, 1, ZugVon("d2", "d4"));
  EXPECT_EQ(Tiefe(Key(1)), 3);
  EXPECT_EQ(HashSuchen(Key(1), 1)->nach, Feld("d4"));
  EXPECT_EQ(static_cast<int16_t>(HashSuchen(Key(1), 1)->wert), 20);
}

TEST_F(Tabelle, SeiteAmZugMussPassen) {
  ASSERT_EQ(HashAllok(4, 2), 0);
  HashSpeichern(Key(3), 5, HashUntergrenze, 2, 0, KeinZug);
  EXPECT_EQ(HashSuchen(Key(3), 1), nullptr);
  ASSERT_NE(HashSuchen(Key(3), 0), nullptr);
  EXPECT_EQ(HashSuchen(Key(3), 0)->flags & HashFlagWeiss, 0);
}

TEST_F(Tabelle, BucketNachWertGeordnet) {
  ASSERT_EQ(HashAllok(4, 3), 0);
  HashSpeichern(Key(1), 0, HashExakt, 2, 1, KeinZug);
  HashSpeichern(Key(2), 0, HashExakt, 5, 1, KeinZug);
  HashSpeichern(Key(3), 0, HashExakt, 4, 1, KeinZug);
  const HashEintrag* b = TT().eintraege;
  EXPECT_EQ(b[0].tiefe, 5);
  EXPECT_EQ(b[1].tiefe, 4);
  EXPECT_EQ(b[2].tiefe, 2);
  // A full bucket of deeper entries drops a shallower store.
  HashSpeichern(Key(4), 0, HashExakt, 1, 1, KeinZug);
  EXPECT_EQ(HashSuchen(Key(4), 1), nullptr);
  // A deeper store pushes the last one out.
  HashSpeichern(Key(5), 0, HashExakt, 9, 1, KeinZug);
  EXPECT_EQ(Tiefe(Key(5)), 9);
  EXPECT_EQ(HashSuchen(Key(1), 1), nullptr);
}

TEST_F(Tabelle, EinEintragJeBucket) {
  ASSERT_EQ(HashAllok(4, 1), 0);
  HashSpeichern(Key(1), 0, HashExakt, 4, 1, KeinZug);
  HashSpeichern(Key(2), 0, HashExakt, 4, 1, KeinZug);  // 4 - 0 <= 4: overwrites
  EXPECT_EQ(HashSuchen(Key(1), 1), nullptr);
  EXPECT_EQ(Tiefe(Key(2)), 4);
  HashSpeichern(Key(3), 0, HashExakt, 3, 1, KeinZug);  // 4 > 3: dropped
  EXPECT_EQ(Tiefe(Key(2)), 4);
  TT().alter = 2;  // 4 - 2 <= 3: overwrites
  HashSpeichern(Key(3), 0, HashExakt, 3, 1, KeinZug);
  EXPECT_EQ(Tiefe(Key(3)), 3);
}

TEST_F(Tabelle, AlterZaehltUeberDenUmlauf) {
  ASSERT_EQ(HashAllok(4, 1), 0);
  TT().alter = 250;
  HashSpeichern(Key(1), 0, HashExakt, 100, 1, KeinZug);
  TT().alter = 2;  // wrapped: the entry counts as 248 searches old
  HashSpeichern(Key(2), 0, HashExakt, 0, 1, KeinZug);
  EXPECT_EQ(Tiefe(Key(2)), 0);
  EXPECT_EQ(HashSuchen(Key(2), 1)->alter, 2);
}

TEST_F(Tabelle, ZugAusDemEintrag) {
  ASSERT_EQ(HashAllok(4, 2), 0);
  const Stellung st = test::Brett("4k3/8/8/3pP3/8/8/8/4K3 w - d6");
  Zug ep = ZugVon("e5", "d6");
  ep.figur = Bauer;
  ep.geschlagen = -Bauer;
  ep.enPassant = 1;
  ep.schach = 1;
  HashSpeichern(st.schluessel, 0, HashExakt, 1, 1, ep);
  const Zug z = HashZug(st, HashSuchen(st.schluessel, 1));
  EXPECT_EQ(z.von, Feld("e5"));
  EXPECT_EQ(z.nach, Feld("d6"));
  EXPECT_EQ(z.figur, Bauer);
  EXPECT_EQ(z.geschlagen, -Bauer);
  EXPECT_EQ(z.enPassant, 1);
  EXPECT_EQ(z.schach, 1);
  EXPECT_EQ(z.wert, -128);
  const Zug keiner = HashZug(st, nullptr);
  EXPECT_TRUE(IstKeinZug(keiner));
  EXPECT_EQ(keiner.wert, -128);
}

TEST_F(Tabelle, AllokationUndOhneTabelle) {
  EXPECT_EQ(HashAllok(0, 1), -1);
  EXPECT_EQ(HashAllok(32, 1), -1);
  EXPECT_EQ(HashAllok(4, 0), -1);
  EXPECT_EQ(HashAllok(31, 255), -2);  // 8.7 TB
  HashFrei();
  // No table: probes find nothing, stores and clearing do nothing.
  HashSpeichern(Key(1), 0, HashExakt, 1, 1, KeinZug);
  HashTabLeeren();
  EXPECT_EQ(HashSuchen(Key(1), 1), nullptr);
  ASSERT_EQ(HashAllok(2, 2), 0);
  HashSpeichern(Key(1), 0, HashExakt, 1, 1, KeinZug);
  HashTabLeeren();
  EXPECT_EQ(HashSuchen(Key(1), 1), nullptr);
}

}  // namespace
}  // namespace galdrik
