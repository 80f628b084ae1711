// galdrik-epd-bench: the EPD test over suites with fixed limits: each line's
// result word, the lines solved and the total time per suite, and the wall
// time the run took.
//
//   galdrik-epd-bench [SOFT HARD [SUITE.epd ...]]   (default 1 5, the project's suites)
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/board.h"
#include "core/contactmasks.h"
#include "core/evalterms.h"
#include "core/kpk.h"
#include "core/search.h"
#include "core/tt.h"
#include "core/zobrist.h"
#include "interface/epd.h"

int main(int argc, char** argv) {
  using namespace galdrik;
  const int32_t weich = argc > 2 ? std::atoi(argv[1]) : 1;
  const int32_t hart = argc > 2 ? std::atoi(argv[2]) : 5;
  std::vector<std::string> suiten;
  for (int i = 3; i < argc; ++i) suiten.emplace_back(argv[i]);
  if (suiten.empty()) suiten = {GALDRIK_SUITE_DIR "/matt.epd", GALDRIK_SUITE_DIR "/taktik.epd"};

  AngriffstabellenInit();
  AngriffsmaskenInit();
  if (HashCodeKeysLaden(GALDRIK_DATA_DIR "/HashCode.key") != 0 || BitbaseKBKGenerieren() != 0 ||
      SuchVariablenInit() != 0 || HashAllok(20, 4) != 0) {
    std::fprintf(stderr, "start-up failed\n");
    return 1;
  }
  BewertungMaskenInit();

  const std::atomic<uint8_t> nieStoppen{0};
  int32_t alleGeloest = 0, alleZeilen = 0;
  for (const std::string& suite : suiten) {
    if (EPDDateiLaden(suite.c_str()) != 0) {
      std::fprintf(stderr, "%s: cannot be read\n", suite.c_str());
      return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    const int32_t n = EPDTestLauf(weich, hart, nieStoppen);
    const double sekunden =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const EPDTestStand s = EPD().stand();
    std::printf("%s (soft %d s, hard %d s)\n", suite.c_str(), weich, hart);
    for (int32_t i = 0; i < n; ++i) std::printf("  %3d: %4d\n", i + 1, EPD().ergebnis[i].load());
    std::printf("  solved %d of %d, total %d s, wall %.1f s\n\n", s.geloest, n, s.gesamtZeit,
                sekunden);
    alleGeloest += s.geloest;
    alleZeilen += n;
  }
  std::printf("solved %d of %d\n", alleGeloest, alleZeilen);
  EPDDateiFrei();
  HashFrei();
  SuchVariablenFreigeben();
  return 0;
}
