// galdrik-tbana-bench: positions analysed per second by the analysis loop
// over kqkr, both sides to move (White king in a1-d1-d4, every other man
// free), warm cache, with position condition 0 and with condition 3; and,
// beside it, a plain loop that probes the same positions one after another.
//
//   galdrik-tbana-bench DIR [DIR ...]   (each DIR holding kqkr.nbw/.nbb or .emd)
#include <cstdio>
#include <memory>
#include <vector>

#include "analysis/tbanaschleife.h"
#include "core/board.h"
#include "core/contactmasks.h"
#include "kqkrmaske.h"
#include "messen.h"
#include "tablebase/cache.h"
#include "tablebase/probe.h"
#include "tablebase/tbinit.h"
#include "tablebase/trie.h"

namespace {

using namespace galdrik;
using galdrik::bench::Sekunden;

// Remembers every probe of the position itself (not of successors).
struct Mitschnitt final : TBZugang {
  const TBZugang& tb;
  struct Probe {
    TbPieceList weiss, schwarz;
    int32_t index, seite, ep;
    bool umgekehrt;
  };
  mutable std::vector<Probe> proben;
  explicit Mitschnitt(const TBZugang& t) : tb(t) {}
  int32_t KlasseSuchen(const int32_t z[10]) const override { return tb.KlasseSuchen(z); }
  int32_t Metrik() const override { return tb.Metrik(); }
  bool Registriert(int32_t i, int32_t s) const override { return tb.Registriert(i, s); }
  int32_t Wert(int32_t i, int32_t s, bool u, const int8_t* c, int32_t* const* f,
               int32_t ep) const override {
    return tb.Wert(i, s, u, c, f, ep);
  }
  int32_t WertAusListen(int32_t i, int32_t s, bool u, const TbPieceList& w, const TbPieceList& b,
                        int32_t ep) const override {
    proben.push_back(Probe{w, b, i, s, ep, u});
    return tb.WertAusListen(i, s, u, w, b, ep);
  }
};

// Both passes, Black to move first, as the job runs them.
uint64_t BeideSeiten(const TBZugang& tb, int32_t bedingung, TBAnaZustand& z) {
  TBAnaZaehlerLoeschen(z);
  std::vector<int32_t> m = bench::KqkrMaske(0, bedingung);
  for (int32_t seite : {0, 1}) {
    m[MaskeSeite] = seite;
    if (TBAnaSchleife(ParameterblockBauen(m.data()), KriteriumAlleMitWert, z, tb) != 0) {
      std::fprintf(stderr, "analysis failed\n");
      return 0;
    }
  }
  return z.untersucht.load();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: galdrik-tbana-bench DIR [DIR ...]\n");
    return 2;
  }
  AngriffstabellenInit();
  AngriffsmaskenInit();
  std::vector<uint8_t> cache(std::size_t{64} << 20);
  std::vector<TBAnaEintrag> puffer(ErgebnisPlaetze);
  auto z = std::make_unique<TBAnaZustand>();
  z->ergebnisse = puffer.data();
  const TBZugangTabellen tb;
  for (int a = 1; a < argc; ++a) {
    TbInitialise(nullptr, -1);
    TbInitialise(argv[a], 0);
    TbCacheSet(cache.data(), cache.size());
    TBMetrikSetzen(0);
    if (TbFindByName("kqkr") == 0) {
      std::fprintf(stderr, "%s: no kqkr\n", argv[a]);
      continue;
    }
    std::printf("%s\n", argv[a]);
    for (int32_t bedingung : {0, 3}) {
      BeideSeiten(tb, bedingung, *z);  // warms the cache
      uint64_t n = 0;
      const double s = Sekunden([&] { n = BeideSeiten(tb, bedingung, *z); });
      std::printf("  condition %d: %llu probes, %llu matches in %.3f s: %.2f M probes/s\n",
                  bedingung, static_cast<unsigned long long>(n),
                  static_cast<unsigned long long>(z->treffer.load()), s,
                  static_cast<double>(n) / s / 1e6);
    }
    // The plain loop: the positions condition 0 probes, probed again from a
    // list, without the walk around them.
    Mitschnitt mit(tb);
    BeideSeiten(mit, 0, *z);
    int64_t summe = 0;
    const double s = Sekunden([&] {
      for (const auto& p : mit.proben)
        summe += tb.WertAusListen(p.index, p.seite, p.umgekehrt, p.weiss, p.schwarz, p.ep);
    });
    std::printf(
        "  practical limit, plain probes of the same %zu positions: %.3f s: %.2f M probes/s "
        "(sum %lld)\n",
        mit.proben.size(), s, static_cast<double>(mit.proben.size()) / s / 1e6,
        static_cast<long long>(summe));
  }
  return 0;
}
