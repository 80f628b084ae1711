// Tablebase probes per second over the generated kqkr and krkp tables:
// warm (every block cached) and cold (a single cache entry, so nearly every
// probe reads and decodes a block), uncompressed and compressed, with the
// probe lock and without it. With --generator also the time the generator
// takes for the whole three- and four-man set.
//
//   galdrik-tbprobe-bench [--generator] [DTM_DIR]
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/board.h"
#include "datacompenc.h"
#include "messen.h"
#include "tablebase/cache.h"
#include "tablebase/probe.h"
#include "tablebase/tbinit.h"
#include "tablebase/trie.h"
#include "tablebase/descriptor.h"
#include "tbgen/retro.h"

extern "C" int32_t DLL_TBCache(int32_t groesse);

using namespace galdrik;

namespace {

std::vector<Stellung> Stellungen(size_t anzahl) {
  std::mt19937_64 zufall(42);
  std::vector<Stellung> r;
  while (r.size() < anzahl) {
    int f[4];
    for (int& x : f) x = int(zufall() % 64);
    const bool mitBauer = r.size() % 2 == 1;  // krkp and kqkr alternately
    if (f[0] == f[1] || f[0] == f[2] || f[0] == f[3] || f[1] == f[2] || f[1] == f[3] ||
        f[2] == f[3])
      continue;
    if (mitBauer && (f[3] < 8 || f[3] >= 56)) continue;
    Stellung st = Leerstellung();
    st.weiss = Bitboard{1} << f[0] | Bitboard{1} << f[1];
    st.schwarz = Bitboard{1} << f[2] | Bitboard{1} << f[3];
    st.koenigW = uint8_t(f[0]);
    st.koenigS = uint8_t(f[2]);
    st.tuerme = Bitboard{1} << (mitBauer ? f[1] : f[3]);
    if (mitBauer)
      st.bauern = Bitboard{1} << f[3];
    else
      st.damen = Bitboard{1} << f[1];
    st.amZug = zufall() % 2 ? Weiss : Schwarz;
    BelegungSetzen(st);
    StellungAbleiten(st);
    if (TBProbe(st, 0) == TbKeinWert) continue;
    r.push_back(st);
  }
  return r;
}

double ProSekunde(const std::vector<Stellung>& st, int32_t metrik, size_t runden) {
  volatile int32_t summe = 0;
  const double s = bench::Sekunden([&] {
    for (size_t r = 0; r < runden; ++r)
      for (const Stellung& x : st) summe = summe + TBProbe(x, metrik);
  });
  return double(st.size() * runden) / s;
}

// The practical limit of a warm probe: the same steps up to the index, then
// one byte of the table held whole in memory (one cache line) instead of the
// block cache.
double GrenzeProSekunde(const std::vector<Stellung>& st, int32_t metrik, size_t runden,
                        const std::vector<const uint8_t*>& speicher) {
  volatile int32_t summe = 0;
  const double s = bench::Sekunden([&] {
    for (size_t r = 0; r < runden; ++r)
      for (const Stellung& x : st) {
        TBProbeBericht b;
        TBProbeOrt ort;
        TbValue v;
        if (TBProbeOrtFinden(x, metrik, b, ort, v)) {
          const uint8_t* t =
              speicher[size_t(ort.arbeitsIndex % TbTableCount) * 2 + size_t(ort.seite)];
          v = t ? TbWertAusEintrag(int8_t(t[ort.index])) : TbKeinWert;
        }
        summe = summe + v;
      }
  });
  return double(st.size() * runden) / s;
}

}  // namespace

int main(int argc, char** argv) {
  AngriffstabellenInit();
  bool generator = false;
  std::string dtm = GALDRIK_TB_DTM_DIR;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--generator")
      generator = true;
    else
      dtm = argv[i];
  }
  // Set 0: the uncompressed files; set 1: the same two tables compressed.
  const auto emd = std::filesystem::temp_directory_path() /
                   ("galdrik-tbprobe-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(emd);
  std::vector<std::vector<uint8_t>> dateien;
  for (const char* name : {"kqkr.nbw", "kqkr.nbb", "krkp.nbw", "krkp.nbb"}) {
    std::ifstream in(std::filesystem::path(dtm) / name, std::ios::binary);
    std::vector<uint8_t> daten((std::istreambuf_iterator<char>(in)), {});
    dateien.push_back(daten);
    const auto z = datacomp::Compress(daten.data(), daten.size());
    std::ofstream(emd / (std::string(name) + ".emd"), std::ios::binary)
        .write(reinterpret_cast<const char*>(z.data()), std::streamsize(z.size()));
  }
  TbInitialise(nullptr, -1);
  if (TbInitialise(dtm.c_str(), 0) == 0 || TbInitialise(emd.c_str(), 1) == 0) {
    std::fprintf(stderr, "no tables in %s\n", dtm.c_str());
    return 1;
  }
  DLL_TBCache(64 << 20);
  // The files in memory by table id and side, for the practical limit.
  std::vector<const uint8_t*> speicher(size_t(TbTableCount) * 2, nullptr);
  {
    const int32_t ids[2] = {TbFindByName("kqkr"), TbFindByName("krkp")};
    for (int t = 0; t < 2; ++t)
      for (int seite = 0; seite < 2; ++seite)
        speicher[size_t(ids[t] < 0 ? -ids[t] : ids[t]) * 2 + size_t(seite)] =
            dateien[size_t(2 * t + seite)].data();
  }
  const std::vector<Stellung> st = Stellungen(1 << 20);
  std::printf("probes over %zu random kqkr/krkp positions, probes per second\n", st.size());
  for (bool sperre : {true, false}) {
    TbSperreBenutzen(sperre);
    for (int32_t metrik : {0, 1}) {
      DLL_TBCache(64 << 20);
      ProSekunde(st, metrik, 1);  // warm up
      const double warm = ProSekunde(st, metrik, 3);
      const double grenze = GrenzeProSekunde(st, metrik, 3, speicher);
      DLL_TBCache(8260);
      std::vector<Stellung> wenige(st.begin(), st.begin() + (metrik ? 20000 : 200000));
      const double kalt = ProSekunde(wenige, metrik, 1);
      std::printf(
          "%-13s %-12s warm %12.0f   limit (index + one cache line) %12.0f (%.2fx)   cold (1 "
          "entry) %10.0f\n",
          metrik ? "compressed" : "uncompressed", sperre ? "with lock" : "without lock", warm,
          grenze, grenze / warm, kalt);
    }
  }
  TbSperreBenutzen(true);
  std::filesystem::remove_all(emd);
  if (generator) {
    tbgen::Generator g(int(std::thread::hardware_concurrency()));
    const double s = bench::Sekunden([&] {
      for (const std::string& name : tbgen::AlleTabellen()) g.Loesen(name);
    });
    std::printf("generator, all 35 three- and four-man tables (DTM, %u threads): %.1f s\n",
                std::thread::hardware_concurrency(), s);
  }
  return 0;
}
