// galdrik-bookc: compiles a book source (.bk1) into a compiled book (.bk2)
// with the given key file, as the program's "compile book" does, and says
// how many records it wrote and how many problems the log lists.
//
//   galdrik-bookc SOURCE.bk1 TARGET.bk2 --key KEYFILE
//                 [--log LOGFILE] [--stat STATFILE] [--strict]
//
// The log defaults to BookLog.txt beside the target; --strict fails when
// the log holds any warning or error, so a shipped book stays clean.
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/board.h"
#include "core/bookcompiler.h"
#include "core/zobrist.h"

namespace {

int Gebrauch(const char* name) {
  std::fprintf(stderr,
               "usage: %s SOURCE.bk1 TARGET.bk2 --key KEYFILE [--log LOGFILE] "
               "[--stat STATFILE] [--strict]\n",
               name);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace galdrik;
  std::string quelle, ziel, keyPfad;
  BuchKompilierPfade pfade;
  bool streng = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hatWert = i + 1 < argc;
    if (arg == "--key" && hatWert) {
      keyPfad = argv[++i];
    } else if (arg == "--log" && hatWert) {
      pfade.log = argv[++i];
    } else if (arg == "--stat" && hatWert) {
      pfade.statistik = argv[++i];
    } else if (arg == "--strict") {
      streng = true;
    } else if (!arg.empty() && arg[0] == '-') {
      return Gebrauch(argv[0]);
    } else if (quelle.empty()) {
      quelle = arg;
    } else if (ziel.empty()) {
      ziel = arg;
    } else {
      return Gebrauch(argv[0]);
    }
  }
  if (quelle.empty() || ziel.empty() || keyPfad.empty()) return Gebrauch(argv[0]);
  if (pfade.log.empty())
    pfade.log = (std::filesystem::path(ziel).parent_path() / "BookLog.txt").string();

  AngriffstabellenInit();
  if (HashCodeKeysLaden(keyPfad) != 0) {
    std::fprintf(stderr, "%s: key file %s missing or not a key file\n", argv[0], keyPfad.c_str());
    return 1;
  }
  BuchKompilierBericht bericht;
  const int32_t ergebnis = BuchKompilieren(quelle, ziel, pfade, &bericht);
  static constexpr const char* gruende[] = {"", "source cannot be read",
                                            "source malformed (see the log) or no memory",
                                            "log cannot be written", "target cannot be written"};
  if (ergebnis != KompilierungFertig) {
    std::fprintf(stderr, "%s: %s failed (%d: %s), log %s\n", argv[0], quelle.c_str(), ergebnis,
                 ergebnis > 0 && ergebnis <= 4 ? gruende[ergebnis] : "?", pfade.log.c_str());
    return 1;
  }
  std::printf("%s: %d records, %d warnings, %d errors (log %s)\n", ziel.c_str(), bericht.saetze,
              bericht.warnungen, bericht.fehler, pfade.log.c_str());
  if (streng && (bericht.warnungen > 0 || bericht.fehler > 0)) {
    std::fprintf(stderr, "%s: %s has problems, see %s\n", argv[0], quelle.c_str(),
                 pfade.log.c_str());
    std::remove(ziel.c_str());  // so that a build does not take it for done
    return 1;
  }
  return 0;
}
