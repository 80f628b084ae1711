// galdrik-bench: prints throughput figures of the engine's core routines.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/board.h"
#include "core/book.h"
#include "core/bookcompiler.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/zobrist.h"

namespace {

template <typename F>
double ProSekunde(long n, F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - start;
  return static_cast<double>(n) / dauer.count();
}

// A book source as large as the compiler takes: 32 groups of 16 games of
// up to 98 random legal moves, nearly 50,000 distinct records.
std::string GroessteBuchquelle() {
  using namespace galdrik;
  Zufall15 zufall(2024);
  std::string quelle = "Maximal\n-\n32\n";
  for (int g = 0; g < 32; ++g) {
    quelle += "Gruppe " + std::to_string(g) + "\n16\n";
    for (int p = 0; p < 16; ++p) {
      quelle += "Partie\n";
      Stellung st = Grundstellung();
      for (int ply = 0; ply < 98; ++ply) {
        const Zugliste liste = ZugGenerator(st, GenAlleZuege);
        if (liste.anzahl == 0) break;
        const Zug& zug = liste.zuege[zufall.naechster() % liste.anzahl];
        quelle += ZugNotation(zug, FigurenDeutsch, 0) + " ";
        st = ZugAusfuehren(st, zug, 1);
      }
      quelle += "\n";
    }
  }
  return quelle;
}

void BuchMessen() {
  using namespace galdrik;
  namespace fs = std::filesystem;
  if (HashCodeKeysLaden(GALDRIK_DATA_DIR "/HashCode.key") != 0) {
    std::printf("book: key file missing, skipped\n");
    return;
  }
  const fs::path ordner = fs::temp_directory_path() / "galdrik-bench-buch";
  fs::create_directories(ordner);
  std::ofstream(ordner / "max.bk1") << GroessteBuchquelle();
  const BuchKompilierPfade pfade{(ordner / "BookLog.txt").string(), ""};
  BuchKompilierBericht bericht;
  const auto start = std::chrono::steady_clock::now();
  BuchKompilieren((ordner / "max.bk1").string(), (ordner / "max.bk2").string(), pfade, &bericht);
  const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - start;
  BuchEinlesen((ordner / "max.bk2").string());

  // Probing a full book: the linear scan the root search pays per probe.
  const Stellung st = Grundstellung();
  const Zugliste liste = ZugGenerator(st, GenAlleZuege);
  Zufall15 zufall(1);
  constexpr long n = 2000;
  volatile int32_t senke = 0;
  const double proben = ProSekunde(n, [&] {
    for (long i = 0; i < n; ++i) senke = senke + BuchZugSuchen(st, liste, 1, zufall);
  });
  std::printf("maximal book compile:       %.3f s (%d records)\n", dauer.count(), bericht.saetze);
  std::printf("full-book probes per second: %.0f\n", proben);
  BuchFrei();
  fs::remove_all(ordner);
}

}  // namespace

int main() {
  using namespace galdrik;
  AngriffstabellenInit();
  const Stellung st = Grundstellung();

  constexpr long n = 5'000'000;
  volatile uint64_t senke = 0;
  const double keys = ProSekunde(n, [&] {
    for (long i = 0; i < n; ++i) senke = senke + HashCodeBerechnen(st);
  });
  const double angriffe = ProSekunde(n, [&] {
    for (long i = 0; i < n; ++i) senke = senke + DamenAngriffe(st, static_cast<int>(i & 63));
  });
  std::printf("full keys per second:       %.0f\n", keys);
  std::printf("queen lookups per second:   %.0f\n", angriffe);
  BuchMessen();
  return 0;
}
