// The manager's class table against the descriptor names, the class key and
// the element counts of the unfiltered list.
#include <gtest/gtest.h>

#include <string>

#include "analysis/tbmanager.h"
#include "analysis/tbmanagklassen.h"
#include "tablebase/tbinit.h"
#include "tbindex/catalogue.h"

namespace galdrik {
namespace {

// The codes read plainly off a name: letters after the first "k" positive,
// after the second negative.
TBManagKlasse CodesAusName(const std::string& name) {
  TBManagKlasse k{};
  int n = 0, vorzeichen = 1;
  for (size_t i = 1; i < name.size(); ++i) {
    const std::string letters = "pnbrq";
    if (name[i] == 'k')
      vorzeichen = -1;
    else
      k[n++] = static_cast<int8_t>(vorzeichen * int(letters.find(name[i]) + 1));
  }
  return k;
}

TEST(TBManagKlassen, GleichDenNamenDerDeskriptorenZeileFuerZeile) {
  for (int32_t id = 0; id < TBManagKlassenAnzahl; ++id) {
    EXPECT_EQ(TBManagKlassen[id], CodesAusName(TbCatalogue[id].name)) << TbCatalogue[id].name;
    EXPECT_EQ(TBManagMaenner(TBManagKlassen[id]), TbCatalogueMen(id)) << TbCatalogue[id].name;
    EXPECT_EQ(TBManagZeile(TBManagKlassen[id]), id) << "rows are unique";
  }
  const struct {
    int32_t zeile;
    TBManagKlasse codes;
  } merkzeilen[] = {{1, {1, 0, 0, 0}},     {19, {5, -4, 0, 0}},  {35, {5, 5, 0, 0}},
                    {146, {2, 2, -2, -2}}, {330, {4, 3, 2, -2}}, {440, {5, 5, 1, -5}}};
  for (const auto& m : merkzeilen) EXPECT_EQ(TBManagKlassen[m.zeile], m.codes) << m.zeile;
}

TEST(TBManagKlassen, SchluesselUndZurueck) {
  const TBManagKlasse kqkr = TBManagKlassen[19];
  EXPECT_EQ(Klassenschluessel(kqkr), 0x662B);
  EXPECT_EQ(KlasseAusSchluessel(0x662B), kqkr);
  EXPECT_EQ(Klassenschluessel(TBManagKlassen[0]), 0x6666);
  for (const TBManagKlasse& k : TBManagKlassen) {
    EXPECT_EQ(KlasseAusSchluessel(Klassenschluessel(k)), k);
    EXPECT_EQ(Klassenschluessel(k), k[0] + 16 * k[1] + 256 * k[2] + 4096 * k[3] + 0x6666);
  }
}

TEST(TBManagKlassen, ElementeJeMaennerzahlUndMetrik) {
  TbInitialise(nullptr, -1);
  const int32_t erwartet[] = {5, 30, 110, 295};
  for (int32_t metrik = 0; metrik < TBManagMetriken; ++metrik)
    for (int32_t n = 3; n <= 6; ++n) {
      ASSERT_EQ(TBManagInit(n, metrik, 0), erwartet[n - 3]) << n << " men, metric " << metrik;
      for (int32_t e = 0; e < TBManagElementAnzahl(); ++e) {
        const int32_t i = TBManagElementLesen(e)->index;
        EXPECT_EQ(i / TBManagKlassenAnzahl, metrik);
        EXPECT_NE(i % TBManagKlassenAnzahl, 0) << "kk is never listed";
        if (e > 0) {
          EXPECT_GT(i, TBManagElementLesen(e - 1)->index) << "descriptor order";
        }
      }
    }
  // Out of range: nothing, and the list stays as it was.
  for (const auto& [n, metrik] : {std::pair{2, 0}, {7, 0}, {4, -1}, {4, 7}})
    EXPECT_EQ(TBManagInit(n, metrik, 0), 0);
  EXPECT_EQ(TBManagElementAnzahl(), 295);
  // Nothing checked since the tablebases were set up: no faulty class.
  EXPECT_EQ(TBManagInit(4, 0, TBManagNurFehlerhafte), 0);
}

}  // namespace
}  // namespace galdrik
