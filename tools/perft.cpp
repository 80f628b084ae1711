// galdrik-perft: counts the leaves of the legal move tree of a position.
//
//   galdrik-perft "<FEN>" <depth> [--divide] [--verify] [--bulk] [--zl] [--keys PATH]
//
// The last line printed is the number of leaves. --divide prints each root
// move (e2e4 style) with the leaves below it; --verify checks every position
// made (incremental key = computed key, check flags = attack test,
// StellungLegal finds nothing, square array and rotated boards match) and
// exits with 1 on any mismatch; --zl adds to --verify that ZuglisteErzeugen
// gives the same moves as ZugGenerator at every node; --bulk counts the last
// ply from the move list without playing it. The key file is read from
// ../bin/HashCode.key beside the executable unless --keys names one.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/board.h"
#include "core/evalterms.h"
#include "core/fen.h"
#include "core/kpk.h"
#include "core/perft.h"
#include "core/zobrist.h"

namespace {

std::string StandardKeyPfad(const char* argv0) {
  namespace fs = std::filesystem;
  std::error_code fehler;
  fs::path exe = fs::read_symlink("/proc/self/exe", fehler);
  if (fehler) exe = fs::absolute(argv0, fehler);
  return (exe.parent_path() / ".." / "bin" / "HashCode.key").lexically_normal().string();
}

int Gebrauch(const char* argv0) {
  std::fprintf(stderr,
               "usage: %s \"<FEN>\" <depth> [--divide] [--verify] [--bulk] [--zl] [--keys PATH]\n",
               argv0);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace galdrik;
  if (argc < 3) return Gebrauch(argv[0]);
  const std::string fen = argv[1];
  char* ende = nullptr;
  const long tiefe = std::strtol(argv[2], &ende, 10);
  if (*ende != '\0' || tiefe < 0 || tiefe > 20) return Gebrauch(argv[0]);
  bool teilen = false, pruefen = false, bulk = false, zl = false;
  std::string keys = StandardKeyPfad(argv[0]);
  for (int i = 3; i < argc; ++i) {
    const std::string opt = argv[i];
    if (opt == "--divide")
      teilen = true;
    else if (opt == "--verify")
      pruefen = true;
    else if (opt == "--bulk")
      bulk = true;
    else if (opt == "--zl")
      zl = pruefen = true;
    else if (opt == "--keys" && i + 1 < argc)
      keys = argv[++i];
    else
      return Gebrauch(argv[0]);
  }

  AngriffstabellenInit();
  if (HashCodeKeysLaden(keys) != 0) {
    std::fprintf(stderr, "cannot read the key file %s (exactly 6256 bytes)\n", keys.c_str());
    return 2;
  }
  BitbaseKBKGenerieren();
  BewertungMaskenInit();
  Stellung st;
  uint16_t halbzug = 1;
  if (FENEingabe(fen, st, halbzug) != FENGueltig) {
    std::fprintf(stderr, "bad FEN: %s\n", fen.c_str());
    return 2;
  }
  // Perft counts the moves of the rules: a dead-draw mark from the
  // evaluation must not empty the move lists.
  st.remisMaterial = 0;

  const int t = static_cast<int>(tiefe);
  const auto start = std::chrono::steady_clock::now();
  uint64_t knoten = 0;
  int ergebnis = 0;
  if (pruefen) {
    const PerftPruefung p = PerftPruefen(st, t, zl);
    knoten = p.knoten;
    for (const auto& m : p.meldungen) std::printf("MISMATCH %s\n", m.c_str());
    std::printf("verified %llu positions, %llu with mismatches\n",
                static_cast<unsigned long long>(p.geprueft),
                static_cast<unsigned long long>(p.fehler));
    if (p.fehler) ergebnis = 1;
    if (teilen)
      for (const auto& teil : PerftTeilen(st, t, bulk))
        std::printf("%s: %llu\n", ZugKoordinaten(teil.zug).c_str(),
                    static_cast<unsigned long long>(teil.knoten));
  } else if (teilen) {
    for (const auto& teil : PerftTeilen(st, t, bulk)) {
      std::printf("%s: %llu\n", ZugKoordinaten(teil.zug).c_str(),
                  static_cast<unsigned long long>(teil.knoten));
      knoten += teil.knoten;
    }
    if (t == 0) knoten = 1;
  } else {
    knoten = Perft(st, t, bulk);
  }
  const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - start;
  std::fprintf(stderr, "%.3f s, %.0f leaves/s\n", dauer.count(),
               dauer.count() > 0 ? static_cast<double>(knoten) / dauer.count() : 0.0);
  std::printf("%llu\n", static_cast<unsigned long long>(knoten));
  return ergebnis;
}
