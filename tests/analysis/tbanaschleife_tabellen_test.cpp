// The analysis loop on the project's generated three- and four-man DTM
// tables through the tablebase layer, compared with the plain analysis that
// probes engine positions with TBProbe.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "analysis/tbana_bruteforce.h"
#include "analysis/tbanaschleife.h"
#include "analysis/tbtabellen.h"
#include "tablebase/trie.h"

namespace galdrik::test {
namespace {

constexpr int K = Koenig, Q = Dame, R = Turm, P = Bauer;

class MitTabellen : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DTMTabellenAnmelden()) GTEST_SKIP() << "built without the generated tables";
  }

  static int32_t Probe(const Stellung& st) { return TBProbe(st, 0); }

  struct Ergebnis {
    std::unique_ptr<TBAnaZustand> z = std::make_unique<TBAnaZustand>();
    std::vector<TBAnaEintrag> puffer = std::vector<TBAnaEintrag>(ErgebnisPlaetze);
    int32_t ergebnis = 0;
  };

  // One pass over the class with every square allowed but the White king's
  // (the triangle a1-d1-d4 without pawns, files a-d with them).
  static std::unique_ptr<Ergebnis> Analysieren(const Durchlauf& d, const char* name) {
    auto e = std::make_unique<Ergebnis>();
    e->z->ergebnisse = e->puffer.data();
    TBAnaZaehlerLoeschen(*e->z);
    std::vector<int32_t> m(SuchmaskeLaenge, 0);
    for (int k = 0; k < 6; ++k) {
      m[MaskeFiguren + k] = d.klasse[5 - k];  // the mask lists them the other way round
      m[MaskeBezug + k] = -1;
      for (int s = 0; s < 64; ++s)
        m[MaskeFelder + 64 * k + s] = d.klasse[5 - k] != K || (d.weissKoenig >> s & 1) ? 1 : -1;
      for (int c = 0; c < GitterZellen; ++c) m[MaskeGitter + GitterZellen * k + c] = -1;
    }
    m[MaskeSeite] = d.amZug;
    m[MaskeBedingung] = d.bedingung;
    m[MaskeVon] = m[MaskeNach] = LoesungFeldBeliebig;
    m[MaskeDiagonalSymmetrie] = d.symmetrie ? 1 : 0;
    e->z->diagonalSymmetrie = m[MaskeDiagonalSymmetrie];
    TBZugangTabellen tb;
    EXPECT_NE(TbFindByName(name), 0) << name << " not registered";
    e->ergebnis = TBAnaSchleife(ParameterblockBauen(m.data()), d.kriterium, *e->z, tb);
    return e;
  }
};

struct TabellenFall {
  const char* name;
  std::array<int8_t, 6> klasse;  // loop order
  int32_t amZug, kriterium, bedingung;
  bool symmetrie = false;
};

class SchleifeAufTabellen : public MitTabellen,
                            public ::testing::WithParamInterface<TabellenFall> {};

TEST_P(SchleifeAufTabellen, GleicheZahlenWieDiePlainAnalyse) {
  const TabellenFall& f = GetParam();
  Durchlauf d;
  d.klasse = f.klasse;
  const bool bauern =
      std::any_of(f.klasse.begin(), f.klasse.end(), [](int8_t c) { return Betrag(c) == Bauer; });
  d.weissKoenig = bauern ? LinienAD : Dreieck;
  d.amZug = f.amZug;
  d.kriterium = f.kriterium;
  d.bedingung = f.bedingung;
  d.symmetrie = f.symmetrie;
  const std::string name(f.name, std::string(f.name).find('_'));
  auto e = Analysieren(d, name.c_str());
  ASSERT_EQ(e->ergebnis, SchleifeFertig);
  d.symmetrie = f.symmetrie && !bauern;
  const Erwartet soll = PlainAnalysis(d, Probe);
  ASSERT_GT(soll.treffer, 0u);
  Vergleichen(*e->z, soll, d);
  if (f.klasse[4] == P && f.klasse[5] == -P && f.kriterium == KriteriumAlleMitWert) {
    EXPECT_TRUE(std::any_of(soll.eintraege.begin(), soll.eintraege.end(),
                            [](const TBAnaEintrag& r) { return r.epFeld < 64; }))
        << "en-passant variants are part of the class";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tabellen, SchleifeAufTabellen,
    ::testing::Values(TabellenFall{"kqk_w", {0, 0, 0, K, -K, Q}, 1, 10, 0},
                      TabellenFall{"kqk_b", {0, 0, 0, K, -K, Q}, 0, 10, 0},
                      TabellenFall{"kpk_w_einziger", {0, 0, 0, K, -K, P}, 1, 10, 3},
                      TabellenFall{"krk_b_remis", {0, 0, 0, K, -K, R}, 0, 3, 0},
                      TabellenFall{"kpk_w", {0, 0, 0, K, -K, P}, 1, 10, 0},
                      TabellenFall{"kpk_b_einziger", {0, 0, 0, K, -K, P}, 0, 10, 3},
                      TabellenFall{"kqkr_w", {0, 0, K, -K, Q, -R}, 1, 10, 0},
                      TabellenFall{"kqkr_b", {0, 0, K, -K, Q, -R}, 0, 10, 0},
                      TabellenFall{"kqkr_w_symmetrie", {0, 0, K, -K, Q, -R}, 1, 10, 0, true},
                      TabellenFall{"kqkr_b_schwarzgewinnt", {0, 0, K, -K, Q, -R}, 0, 2, 0},
                      TabellenFall{"krkp_w", {0, 0, K, -K, R, -P}, 1, 10, 0},
                      TabellenFall{"krkp_b", {0, 0, K, -K, R, -P}, 0, 1, 0},
                      TabellenFall{"kpkp_w", {0, 0, K, -K, P, -P}, 1, 10, 0},
                      TabellenFall{"kpkp_b", {0, 0, K, -K, P, -P}, 0, 10, 0},
                      TabellenFall{"kpkp_w_zugzwang", {0, 0, K, -K, P, -P}, 1, 11, 0},
                      TabellenFall{"kpkp_w_halberpunkt", {0, 0, K, -K, P, -P}, 1, 8, 0}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace galdrik::test
