// galdrik-spezdb-bench: a special database of kqkr (White king in a1-d1-d4,
// both sides to move, criterion 90) collected by the analysis loop, written,
// and linked; prints the records, the time of each step, the levels reached
// and the linking's look-ups per second.
//
//   galdrik-spezdb-bench DIR [OUT]   (DIR holding kqkr; OUT the .tbx, default
//                                     ./kqkr-bench.tbx)
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "analysis/posindex.h"
#include "analysis/spezdb.h"
#include "analysis/tbanaschleife.h"
#include "analysis/vernetzung.h"
#include "core/contactmasks.h"
#include "core/log.h"
#include "core/zobrist.h"
#include "kqkrmaske.h"
#include "messen.h"
#include "tablebase/cache.h"
#include "tablebase/probe.h"
#include "tablebase/tbinit.h"
#include "tablebase/trie.h"

namespace {

using namespace galdrik;
using galdrik::bench::Sekunden;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: galdrik-spezdb-bench DIR [OUT]\n");
    return 2;
  }
  const std::string aus = argc > 2 ? argv[2] : "kqkr-bench.tbx";
  AngriffstabellenInit();
  AngriffsmaskenInit();
  if (HashCodeKeysLaden(GALDRIK_DATA_DIR "/HashCode.key") != 0) {
    std::fprintf(stderr, "no key file\n");
    return 1;
  }
  std::vector<uint8_t> cache(std::size_t{64} << 20);
  TbInitialise(nullptr, -1);
  TbInitialise(argv[1], 0);
  TbCacheSet(cache.data(), cache.size());
  TBMetrikSetzen(0);
  if (TbFindByName("kqkr") == 0) {
    std::fprintf(stderr, "%s: no kqkr\n", argv[1]);
    return 1;
  }
  auto z = std::make_unique<TBAnaZustand>();
  const TBZugangTabellen tb;
  TBAnaKriterien bibliothek;
  if (SpezDBVorbereiten(20971520) != 0) return 1;
  const double sammeln = Sekunden([&] {
    TBAnaZaehlerLoeschen(*z);
    for (int32_t seite : {0, 1})
      TBAnaSchleife(ParameterblockBauen(bench::KqkrMaske(seite, 0).data()), KriteriumSpezDBAlle, *z,
                    tb, &bibliothek);
  });
  const int32_t n = SpezDBAnzahl();
  std::printf("kqkr: %llu positions examined, %d records collected in %.2f s\n",
              static_cast<unsigned long long>(z->untersucht.load()), n, sammeln);
  int32_t ergebnis = 0;
  const double schreiben = Sekunden([&] { ergebnis = SpezDBSchreiben(aus.c_str()); });
  std::printf("written in %.3f s (%d)\n", schreiben, ergebnis);

  const std::string original = aus + ".step1";
  std::filesystem::copy_file(aus, original, std::filesystem::copy_options::overwrite_existing);
  for (bool schleife : {false, true}) {
    std::filesystem::copy_file(original, aus, std::filesystem::copy_options::overwrite_existing);
    const double s = Sekunden([&] { ergebnis = SpezDBVernetzen(aus.c_str(), 1024, schleife); });
    SpezDBLaden(aus.c_str());
    int hist[51] = {};
    uint64_t ruhig = 0;
    for (int32_t i = 0; i < SpezDBAnzahl(); ++i) {
      const TBAnaEintrag* r = SpezDBEintrag(i);
      ++hist[r->stufe <= 50 ? r->stufe : 0];
      ruhig += r->zugArt == 0 || r->zugArt == 4;
    }
    std::printf("linking%s: result %d in %.2f s, %llu quiet records; levels:",
                schleife ? " with loop detection" : "", ergebnis, s,
                static_cast<unsigned long long>(ruhig));
    for (int k = 1; k <= 50; ++k)
      if (hist[k]) std::printf(" %d:%d", k, hist[k]);
    std::printf("\n");
    SpezDBSchliessen();
  }

  // Look-ups alone: every record's own key, over the whole index.
  SpezDBLaden(aus.c_str());
  const int32_t m = SpezDBAnzahl();
  TBAnaEintrag* db = SpezDBEintraege();
  PosIndexKeysInit();
  PosIndexAllok(m, 1024);
  for (int32_t i = 0; i < m; ++i) PosIndexEinfuegen(&db[i]);
  uint64_t gefunden = 0;
  const double s = Sekunden([&] {
    for (int runde = 0; runde < 10; ++runde)
      for (int32_t i = 0; i < m; ++i)
        gefunden += PosIndexSuchen(reinterpret_cast<const uint8_t*>(&db[i])) != nullptr;
  });
  const PosIndexGroessen g = PosIndexInfo();
  std::printf("index: k %d, S %d, overflow %d; %.1f M look-ups/s (%llu found)\n", g.bits, g.slots,
              g.ueberlauf, 10.0 * m / s / 1e6, static_cast<unsigned long long>(gefunden));
  PosIndexFrei();
  SpezDBSchliessen();
  std::remove(aus.c_str());
  std::remove(original.c_str());
  return 0;
}
