// galdrik-bench: prints throughput figures of the engine's core routines.
//
//   galdrik-bench [--keys PATH]
//
// Perft leaves per second count the last ply from the legal move list
// without playing it (bulk counting); every other ply is played with
// ZugAusfuehren and key update. One thread.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/board.h"
#include "core/book.h"
#include "core/bookcompiler.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/perft.h"
#include "core/zobrist.h"
#include "core/fen.h"
#include "messen.h"

namespace {

using galdrik::bench::Sekunden;

std::string StandardKeyPfad() {
  namespace fs = std::filesystem;
  std::error_code fehler;
  const fs::path exe = fs::read_symlink("/proc/self/exe", fehler);
  return (exe.parent_path() / ".." / "bin" / "HashCode.key").lexically_normal().string();
}

struct PerftLauf {
  const char* name;
  const char* fen;
  int tiefe;
  uint64_t erwartet;
};

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

// Compiling that source, and probing the full book it gives: the linear
// scan the root search pays per probe.
void BuchMessen() {
  using namespace galdrik;
  namespace fs = std::filesystem;
  const fs::path ordner = fs::temp_directory_path() / "galdrik-bench-buch";
  fs::create_directories(ordner);
  std::ofstream(ordner / "max.bk1") << GroessteBuchquelle();
  const BuchKompilierPfade pfade{(ordner / "BookLog.txt").string(), ""};
  BuchKompilierBericht bericht;
  const double kompilieren = Sekunden([&] {
    BuchKompilieren((ordner / "max.bk1").string(), (ordner / "max.bk2").string(), pfade, &bericht);
  });
  BuchEinlesen((ordner / "max.bk2").string());
  const Stellung st = Grundstellung();
  const Zugliste liste = ZugGenerator(st, GenAlleZuege);
  Zufall15 zufall(1);
  constexpr long n = 2000;
  volatile int32_t senke = 0;
  const double proben = Sekunden([&] {
    for (long i = 0; i < n; ++i) senke = senke + BuchZugSuchen(st, liste, 1, zufall);
  });
  std::printf("maximal book compile: %.3f s (%d records)\n", kompilieren, bericht.saetze);
  std::printf("full-book probes per second: %.0f\n", static_cast<double>(n) / proben);
  BuchFrei();
  fs::remove_all(ordner);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace galdrik;
  std::string keys = StandardKeyPfad();
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--keys") == 0) keys = argv[++i];

  AngriffstabellenInit();
  if (HashCodeKeysLaden(keys) != 0)
    std::fprintf(stderr, "note: key file %s not read, keys are 0\n", keys.c_str());
  const Stellung st = Grundstellung();

  constexpr long n = 5'000'000;
  volatile uint64_t senke = 0;
  const double keySek = Sekunden([&] {
    for (long i = 0; i < n; ++i) senke = senke + HashCodeBerechnen(st);
  });
  const double angriffSek = Sekunden([&] {
    for (long i = 0; i < n; ++i) senke = senke + DamenAngriffe(st, static_cast<int>(i & 63));
  });
  std::printf("full keys per second:       %.0f\n", n / keySek);
  std::printf("queen lookups per second:   %.0f\n", n / angriffSek);

  // The workload of DLL_TestZL: the second generator on the initial position.
  constexpr long zl = 1'048'576;
  Zugliste liste;
  const double zlSek = Sekunden([&] {
    for (long i = 0; i < zl; ++i)
      senke = senke + static_cast<uint64_t>(ZuglisteErzeugen(st, 0, liste));
  });
  std::printf("ZuglisteErzeugen x %ld:  %.3f s (%.0f lists/s)\n", zl, zlSek, zl / zlSek);
  const double zgSek = Sekunden([&] {
    for (long i = 0; i < zl; ++i) {
      ZugGenerator(st, GenAlleZuege, liste);
      senke = senke + static_cast<uint64_t>(liste.anzahl);
    }
  });
  std::printf("ZugGenerator x %ld:      %.3f s (%.0f lists/s)\n", zl, zgSek, zl / zgSek);

  const PerftLauf laeufe[] = {
      {"initial position", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 6,
       119060324},
      {"Kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 5,
       193690690},
  };
  int ergebnis = 0;
  for (const PerftLauf& l : laeufe) {
    Stellung p;
    uint16_t halbzug = 1;
    if (FENEingabe(l.fen, p, halbzug) != FENGueltig) {
      std::fprintf(stderr, "bad FEN %s\n", l.fen);
      return 1;
    }
    p.remisMaterial = 0;
    uint64_t knoten = 0;
    const double sek = Sekunden([&] { knoten = Perft(p, l.tiefe, true); });
    std::printf("perft %-16s depth %d: %llu leaves in %.3f s, %.1f M leaves/s%s\n", l.name, l.tiefe,
                static_cast<unsigned long long>(knoten), sek,
                static_cast<double>(knoten) / sek / 1e6,
                knoten == l.erwartet ? "" : "  WRONG COUNT");
    if (knoten != l.erwartet) ergebnis = 1;
  }
  BuchMessen();
  return ergebnis;
}
