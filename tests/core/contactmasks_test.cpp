// Contact attack masks.
#include <gtest/gtest.h>

#include "core/contactmasks.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

using test::Feld;
using test::Felder;

TEST(Kontaktmasken, Randfaelle) {
  EXPECT_EQ(Kontaktmasken[5][Feld("a1")], Felder({"b2"}));
  EXPECT_EQ(Kontaktmasken[7][Feld("a1")], Felder({"a2", "b1"}));
  EXPECT_EQ(Kontaktmasken[9][Feld("e4")], Kontaktmasken[11][Feld("e4")]);
  EXPECT_EQ(Kontaktmasken[2][Feld("a2")], Felder({"b3"}));
  EXPECT_EQ(Kontaktmasken[1][Feld("h7")], Felder({"g6"}));
  EXPECT_EQ(Kontaktmasken[3][Feld("a1")], Felder({"b3", "c2"}));
}

TEST(Kontaktmasken, ZeilenUndFarben) {
  for (int s = 0; s <= KeinFeld; ++s) EXPECT_EQ(Kontaktmasken[0][s], 0u);
  for (int k = 1; k <= 12; ++k) EXPECT_EQ(Kontaktmasken[k][KeinFeld], 0u) << k;
  for (int s = 0; s < 64; ++s) {
    // Both colours share every row but the pawn's; sliders split the king's.
    for (int typ = Springer; typ <= Koenig; ++typ)
      EXPECT_EQ(Kontaktmasken[2 * typ - 1][s], Kontaktmasken[2 * typ][s]);
    EXPECT_EQ(Kontaktmasken[5][s] | Kontaktmasken[7][s], Kontaktmasken[11][s]);
    EXPECT_EQ(Kontaktmasken[5][s] & Kontaktmasken[7][s], 0u);
  }
  EXPECT_EQ(KontaktZeile(-Bauer), 1);
  EXPECT_EQ(KontaktZeile(Koenig), 12);
}

}  // namespace
}  // namespace galdrik
