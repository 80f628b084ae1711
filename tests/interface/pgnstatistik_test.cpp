// The figures behind the PGN statistics report.
#include <gtest/gtest.h>

#include "interface/pgnstatistik.h"

namespace galdrik {
namespace {

TEST(Messreihe, GrosseWerteUndEinzelwert) {
  // Squares beyond 32 bits: 4e4^2 + 5e4^2 + 6e4^2 = 7.7e9.
  Messreihe reihe;
  for (const int32_t wert : {50000, 40000, 60000}) reihe.Hinzufuegen(wert);
  EXPECT_EQ(reihe.minimum, 40000);
  EXPECT_EQ(reihe.maximum, 60000);
  EXPECT_DOUBLE_EQ(reihe.Mittel(), 50000.0);
  EXPECT_NEAR(reihe.Abweichung(), 10000.0, 1e-6);

  Messreihe einzeln;
  einzeln.Hinzufuegen(7);
  EXPECT_DOUBLE_EQ(einzeln.Mittel(), 7.0);
  EXPECT_EQ(einzeln.Abweichung(), 0.0);
}

}  // namespace
}  // namespace galdrik
