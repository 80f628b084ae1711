// galdrik-tbgen: makes tablebase files of three and four men by our own
// retrograde analysis.
//
//   galdrik-tbgen --out DIR [--metric dtm|dtc|dtz] [--compress] [--threads N] TABLE...
//
// Writes TABLE.nbw and TABLE.nbb (only .nbw for a symmetric table; .emd
// forms with --compress) into DIR, each side in the entry order of the
// project's index functions. The tables a table converts into are solved
// first (in memory; only the named tables are written). Prints one line per
// table: name, seconds, and per side the won / drawn / lost positions and
// the longest win in moves.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tbgen/retro.h"
#include "tbgen/tablefile.h"

int main(int argc, char** argv) {
  std::string out;
  std::string metrikName = "dtm";
  bool compress = false;
  int threads = int(std::thread::hardware_concurrency());
  std::vector<std::string> namen;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--out" && i + 1 < argc)
      out = argv[++i];
    else if (a == "--metric" && i + 1 < argc)
      metrikName = argv[++i];
    else if (a == "--compress")
      compress = true;
    else if (a == "--threads" && i + 1 < argc)
      threads = std::atoi(argv[++i]);
    else if (!a.empty() && a[0] == '-') {
      std::fprintf(stderr, "unknown option %s\n", a.c_str());
      return 2;
    } else
      namen.push_back(a);
  }
  tbgen::Metrik metrik;
  if (metrikName == "dtm")
    metrik = tbgen::MetrikDTM;
  else if (metrikName == "dtc")
    metrik = tbgen::MetrikDTC;
  else if (metrikName == "dtz")
    metrik = tbgen::MetrikDTZ;
  else {
    std::fprintf(stderr, "unknown metric %s (dtm, dtc, dtz)\n", metrikName.c_str());
    return 2;
  }
  if (out.empty() || namen.empty()) {
    std::fprintf(stderr,
                 "usage: galdrik-tbgen --out DIR [--metric dtm|dtc|dtz] [--compress] "
                 "[--threads N] TABLE...\n");
    return 2;
  }
  tbgen::Generator gen(threads);
  auto beginn = std::chrono::steady_clock::now();
  for (const std::string& name : namen) {
    auto t0 = std::chrono::steady_clock::now();
    if (!gen.Loesen(name)) {
      std::fprintf(stderr, "no table of three or four men: %s\n", name.c_str());
      return 2;
    }
    std::vector<int8_t> werte = gen.MetrikLoesen(name, metrik);
    std::string fehler;
    if (!tbgen::TabelleSchreiben(out, *gen.Finden(name), werte, compress, fehler)) {
      std::fprintf(stderr, "%s: %s\n", name.c_str(), fehler.c_str());
      return 1;
    }
    double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    tbgen::Statistik st = tbgen::Zaehlen(*gen.Finden(name), werte);
    std::printf("%-6s %7.2fs  wtm %llu/%llu/%llu max %d  btm %llu/%llu/%llu max %d\n", name.c_str(),
                s, (unsigned long long)st.gewonnen[0], (unsigned long long)st.remis[0],
                (unsigned long long)st.verloren[0], st.laengsterGewinn[0],
                (unsigned long long)st.gewonnen[1], (unsigned long long)st.remis[1],
                (unsigned long long)st.verloren[1], st.laengsterGewinn[1]);
    std::fflush(stdout);
  }
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - beginn).count();
  std::printf("total %.2fs\n", s);
  return 0;
}
