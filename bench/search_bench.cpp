// galdrik-search-bench: the root search on the five speed-test positions to
// a fixed depth: nodes (a fingerprint: the search is deterministic at fixed
// depth), time to each depth and nodes per second.
//
//   galdrik-search-bench [DEPTH]   (default 10)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/board.h"
#include "core/contactmasks.h"
#include "core/evalterms.h"
#include "core/fen.h"
#include "core/gegenfeld.h"
#include "core/kpk.h"
#include "core/search.h"
#include "core/tt.h"
#include "core/zobrist.h"

int main(int argc, char** argv) {
  using namespace galdrik;
  const int tiefe = argc > 1 ? std::atoi(argv[1]) : 10;
  AngriffstabellenInit();
  AngriffsmaskenInit();
  if (HashCodeKeysLaden(GALDRIK_DATA_DIR "/HashCode.key") != 0 || BitbaseKBKGenerieren() != 0 ||
      SuchVariablenInit() != 0 || HashAllok(20, 4) != 0 || GegenfeldHashAllok(8) != 0) {
    std::fprintf(stderr, "start-up failed\n");
    return 1;
  }
  BewertungMaskenInit();

  const char* stellungen[] = {
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
      "2k1r1nr/1pp1q1pp/p1pb1p2/8/3PP1b1/4BN2/PPQN1PPP/R4RK1 w - - 1 12",
      "1r3rk1/pp3ppp/2p1p3/P2n2b1/3P4/1Q4P1/1P3PBP/R5K1 w - - 0 1",
      "rnb2b1r/pp2q1p1/2pp1nkp/8/3PPP1B/2N5/PPP3PP/R2QKB1R b - - 0 1",
      "2r5/1p1r2pp/4pp2/p1Pk4/Pb1P4/4PP1P/1B6/1R1R2K1 b - - 0 1",
  };
  uint64_t alleKnoten = 0;
  double alleSekunden = 0;
  for (const char* fen : stellungen) {
    Stellung st;
    uint16_t n = 1;
    FENEingabe(fen, st, n);
    SuchVariablenInit();
    HashTabLeeren();
    Suche().abbruch = 0;
    const auto start = std::chrono::steady_clock::now();
    SucheWurzel(st, tiefe, 3600, 3600, 0, 0);
    const double sekunden =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const Suchstatistik& s = Suche().statistik;
    const uint64_t knoten = s.knoten + s.ruheKnoten;
    std::printf("%s\n", fen);
    for (uint64_t d = 1; d <= s.iterationsTiefe; ++d)
      std::printf("%s\n", Suche().ausgabe[d - 1].info);
    std::printf("  depth %d: %llu nodes in %.2f s, %.0f nodes/s\n\n", tiefe,
                static_cast<unsigned long long>(knoten), sekunden,
                static_cast<double>(knoten) / sekunden);
    alleKnoten += knoten;
    alleSekunden += sekunden;
  }
  std::printf("all five: %llu nodes in %.2f s, %.0f nodes/s\n",
              static_cast<unsigned long long>(alleKnoten), alleSekunden,
              static_cast<double>(alleKnoten) / alleSekunden);
  return 0;
}
