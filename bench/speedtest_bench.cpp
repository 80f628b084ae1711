// galdrik-speedtest-bench: the four timing tests the program's test menu
// runs, with the figure each reports (whole seconds, as the exports count)
// beside the rate measured to the microsecond.
//
//   galdrik-speedtest-bench [SECONDS]   (default 5: run length of the
//                                        evaluation and generator tests)
#include <cstdio>
#include <cstdlib>

#include "core/board.h"
#include "core/evalterms.h"
#include "core/kpk.h"
#include "core/speedtest.h"
#include "core/zobrist.h"
#include "messen.h"

namespace {

using galdrik::bench::Sekunden;

void Zeile(const char* name, int32_t figur, double arbeit, double sekunden) {
  std::printf("%-26s %10d /s reported, %12.0f /s measured (%.2f s)\n", name, figur,
              arbeit / sekunden, sekunden);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace galdrik;
  const double ziel = argc > 1 ? std::atof(argv[1]) : 5.0;
  AngriffstabellenInit();
  if (HashCodeKeysLaden(GALDRIK_DATA_DIR "/HashCode.key") != 0 || BitbaseKBKGenerieren() != 0) {
    std::fprintf(stderr, "start-up failed\n");
    return 1;
  }
  BewertungMaskenInit();

  int32_t figur = 0;
  double s = Sekunden([&] { figur = TestZL(); });
  Zeile("TestZL (ZuglisteErzeugen)", figur, 1 << 20, s);
  s = Sekunden([&] { figur = TestLK(); });
  Zeile("TestLK (flood fill)", figur, 1 << 27, s);

  struct Test {
    const char* name;
    int32_t (*lauf)(int32_t);
  } const tests[] = {{"SpeedTestEval", SpeedTestEval}, {"SpeedTestMovegen", SpeedTestMovegen}};
  for (const Test& t : tests) {
    // A short run to size the real one.
    constexpr int32_t probe = 20000;
    const double probeSek = Sekunden([&] { t.lauf(probe); });
    const auto n = static_cast<int32_t>(probe * ziel / (probeSek > 0 ? probeSek : 1e-3));
    s = Sekunden([&] { figur = t.lauf(n); });
    Zeile(t.name, figur, 5.0 * n, s);
  }
  return 0;
}
