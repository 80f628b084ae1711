// galdrik-search: runs the engine's root search on one position and prints
// the info line of every finished iteration, then the best move.
//
//   galdrik-search "<FEN>" [--depth N] [--seconds S] [--hash EXPONENT] [--keys PATH]
//
// Without --depth the search runs to depth 64 or the time limit (default
// 10 seconds, soft and hard alike).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/board.h"
#include "core/contactmasks.h"
#include "core/evalterms.h"
#include "core/fen.h"
#include "core/gegenfeld.h"
#include "core/kpk.h"
#include "core/notation.h"
#include "core/search.h"
#include "core/tt.h"
#include "core/zobrist.h"

namespace {

std::string StandardKeyPfad() {
  namespace fs = std::filesystem;
  std::error_code fehler;
  const fs::path exe = fs::read_symlink("/proc/self/exe", fehler);
  return (exe.parent_path() / ".." / "bin" / "HashCode.key").lexically_normal().string();
}

int Benutzung(const char* name) {
  std::fprintf(stderr,
               "usage: %s \"<FEN>\" [--depth N] [--seconds S] [--hash EXPONENT] [--keys PATH]\n",
               name);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace galdrik;
  if (argc < 2) return Benutzung(argv[0]);
  const std::string fen = argv[1];
  int tiefe = 64, sekunden = 10, exponent = 20;
  std::string keyPfad = StandardKeyPfad();
  for (int i = 2; i < argc; ++i) {
    const std::string opt = argv[i];
    if (i + 1 >= argc) return Benutzung(argv[0]);
    const char* wert = argv[++i];
    if (opt == "--depth")
      tiefe = std::atoi(wert);
    else if (opt == "--seconds")
      sekunden = std::atoi(wert);
    else if (opt == "--hash")
      exponent = std::atoi(wert);
    else if (opt == "--keys")
      keyPfad = wert;
    else
      return Benutzung(argv[0]);
  }

  AngriffstabellenInit();
  AngriffsmaskenInit();
  if (HashCodeKeysLaden(keyPfad) != 0) {
    std::fprintf(stderr, "cannot read the key file %s\n", keyPfad.c_str());
    return 1;
  }
  if (BitbaseKBKGenerieren() != 0 || SuchVariablenInit() != 0 ||
      HashAllok(static_cast<uint8_t>(exponent), 4) != 0 || GegenfeldHashAllok(8) != 0) {
    std::fprintf(stderr, "out of memory\n");
    return 1;
  }
  BewertungMaskenInit();

  Stellung st;
  uint16_t halbzug = 1;
  if (FENEingabe(fen, st, halbzug) != FENGueltig) {
    std::fprintf(stderr, "invalid FEN: %s\n", fen.c_str());
    return 1;
  }

  SuchZustand& s = Suche();
  s.abbruch = 0;
  const int16_t wert = SucheWurzel(st, tiefe, sekunden, sekunden, 0, 0);
  for (uint64_t d = 1; d <= s.statistik.iterationsTiefe; ++d)
    std::printf("%s\n", s.ausgabe[d - 1].info);
  const std::string zug =
      IstKeinZug(s.ergebnis.zug) ? "(none)" : ZugNotation(s.ergebnis.zug, "PNBRQK", 0);
  std::printf("score %d\nbestmove %s\n", wert, zug.c_str());
  return 0;
}
