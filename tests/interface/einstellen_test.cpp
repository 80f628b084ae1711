// Switches and sizes as the exports store them.
#include <gtest/gtest.h>

#include <cstring>

#include "core/search.h"
#include "core/suchoptionen.h"
#include "interface/config.h"
#include "interface/galdrik_exports.h"

namespace galdrik {
namespace {

TEST(Einstellen, BuchwortUndSchalter) {
  struct Fall {
    int32_t wort;
    uint8_t buch;
    int32_t varianz;
  };
  for (const Fall f : {Fall{5, 1, 2}, Fall{4, 0, 2}, Fall{-1, 1, -1}, Fall{0, 0, 0}}) {
    DLL_Einstellen(7, 0, -3, 1, f.wort, 3, 2, 0, 9);
    const Suchoptionen& o = SuchOptionen();
    EXPECT_EQ(o.buch, f.buch) << f.wort;
    EXPECT_EQ(o.buchVarianz, f.varianz) << f.wort;
    EXPECT_EQ(o.nullzug, 1);
    EXPECT_EQ(o.futility, 0);
    EXPECT_EQ(o.erweiterungen, 1);
    EXPECT_EQ(o.gegenfeldModus.load(), 3);
    EXPECT_EQ(o.tablebases, 1);
  }
}

TEST(Einstellen, GroessenUndBuchstaben) {
  DLL_HashParam(0x114, 0, 0);  // low byte of the first two; 0 becomes 1
  EXPECT_EQ(Konfiguration().hashExponent, 0x14);
  EXPECT_EQ(Konfiguration().hashBreite, 1);
  EXPECT_EQ(Konfiguration().gegenfeldAnzahl, 1u);
  DLL_SetFigurName("PNBRQK");
  EXPECT_STREQ(Suche().notationsBuchstaben, "PNBRQK");
  DLL_SetFigurName(nullptr);
  EXPECT_STREQ(Suche().notationsBuchstaben, "PNBRQK");
  DLL_SetFigurName("BSLTDKXYZ");
  EXPECT_STREQ(Suche().notationsBuchstaben, "BSLTDK");
}

}  // namespace
}  // namespace galdrik
