// galdrik-keygen: draws a new Zobrist key set and writes it as a key file,
// with the key statistics report beside it.
//
//   galdrik-keygen KEYFILE [--seed N] [--log LOGFILE]
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "core/zobrist.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s KEYFILE [--seed N] [--log LOGFILE]\n", argv[0]);
    return 2;
  }
  std::string keyPfad = argv[1];
  std::string logPfad = "HashLog.txt";
  uint32_t saat = static_cast<uint32_t>(std::time(nullptr));
  for (int i = 2; i + 1 < argc; i += 2) {
    std::string opt = argv[i];
    if (opt == "--seed") {
      saat = static_cast<uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
    } else if (opt == "--log") {
      logPfad = argv[i + 1];
    } else {
      std::fprintf(stderr, "unknown option %s\n", opt.c_str());
      return 2;
    }
  }
  if (galdrik::HashCodeGenerieren(saat, logPfad, keyPfad) != 0) {
    std::fprintf(stderr, "cannot write %s or %s\n", keyPfad.c_str(), logPfad.c_str());
    return 1;
  }
  std::printf("seed %u: keys written to %s, statistics to %s\n", saat, keyPfad.c_str(),
              logPfad.c_str());
  return 0;
}
