// galdrik-datacomp-bench: decoding speed of DATACOMP blocks (MB/s of
// decoded bytes and microseconds per block) on our encoder's files of
// table-like data, and the time to read the headers of a folder of them.
//
// The data imitates a table side: runs of a few common values (draws,
// short distances, broken positions) with scattered other values, the
// shape that matches the 24 distances and the short codes well.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "datacompenc.h"
#include "messen.h"
#include "tablebase/corereport.h"
#include "tablebase/datacomp.h"
#include "tablebase/descriptor.h"
#include "tablebase/tbinit.h"

namespace {

using galdrik::bench::Sekunden;

std::vector<uint8_t> Tabellenartig(size_t n, uint32_t saat) {
  std::mt19937 zufall(saat);
  std::geometric_distribution<int> lauf(0.04);
  const uint8_t haeufig[] = {0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 254, 255};
  std::vector<uint8_t> b;
  b.reserve(n + 256);
  while (b.size() < n) {
    b.insert(b.end(), size_t(1 + lauf(zufall)), haeufig[zufall() % 12]);
    if (zufall() % 3 == 0)
      for (int i = int(zufall() % 4); i >= 0; --i) b.push_back(uint8_t(zufall() % 40));
  }
  b.resize(n);
  return b;
}

void Schreiben(const std::string& pfad, const std::vector<uint8_t>& bytes) {
  std::ofstream(pfad, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

int main() {
  using namespace galdrik;
  namespace fs = std::filesystem;
  const fs::path ordner =
      fs::temp_directory_path() / ("galdrik-datacomp-bench-" + std::to_string(::getpid()));
  fs::create_directories(ordner);

  const size_t groesse = 64u << 20;
  const auto roh = Tabellenartig(groesse, 1);
  std::vector<uint8_t> datei;
  const double kodieren = Sekunden([&] { datei = datacomp::Compress(roh.data(), roh.size()); });
  const std::string pfad = (ordner / "kxxkx.nbw.emd").string();
  Schreiben(pfad, datei);
  std::printf("encoder: %zu MB to %.1f MB (%.1f%%) in %.2f s\n", groesse >> 20,
              double(datei.size()) / (1 << 20), 100.0 * double(datei.size()) / double(groesse),
              kodieren);

  const int fd = ::open(pfad.c_str(), O_RDONLY);
  DatacompFehler fehler;
  const auto info = DatacompReadIndex(fd, fehler);
  std::unique_ptr<DatacompDecodeBlock> work;
  if (!info || TbAllocDecodeBlock(&work, DatacompBlockSize) != 0) {
    std::printf("cannot read %s\n", pfad.c_str());
    return 1;
  }
  std::vector<uint8_t> out(DatacompBlockSize);
  bool gut = true;
  const int runden = 3;
  const double sequentiell = Sekunden([&] {
    for (int r = 0; r < runden; ++r)
      for (uint32_t b = 0; b < info->blockCount; ++b)
        gut &= DatacompDecode(*info, fd, b, out.data(), *work);
  });
  std::mt19937 zufall(5);
  std::vector<uint32_t> folge(info->blockCount * runden);
  for (auto& b : folge) b = uint32_t(zufall() % info->blockCount);
  const double wahlfrei = Sekunden([&] {
    for (uint32_t b : folge) gut &= DatacompDecode(*info, fd, b, out.data(), *work);
  });
  const double bloecke = double(info->blockCount) * runden;
  std::printf("decode, blocks in order: %.0f MB/s, %.2f us per block (%s)\n",
              bloecke * 8192 / sequentiell / 1e6, sequentiell / bloecke * 1e6,
              gut ? "all decoded" : "FAILURES");
  std::printf("decode, blocks at random: %.0f MB/s, %.2f us per block (page cache warm)\n",
              bloecke * 8192 / wahlfrei / 1e6, wahlfrei / bloecke * 1e6);
  ::close(fd);

  // Headers of a folder of 100 files of 1 MB each: read, CRC, code built.
  const int dateien = 100;
  for (int i = 0; i < dateien; ++i) {
    const auto teil = Tabellenartig(1u << 20, uint32_t(10 + i));
    Schreiben((ordner / ("t" + std::to_string(i) + ".emd")).string(),
              datacomp::Compress(teil.data(), teil.size()));
  }
  int gelesen = 0;
  const double koepfe = Sekunden([&] {
    for (int i = 0; i < dateien; ++i) {
      const std::string p = (ordner / ("t" + std::to_string(i) + ".emd")).string();
      const int f = ::open(p.c_str(), O_RDONLY);
      gelesen += DatacompReadIndex(f, fehler) != nullptr;
      ::close(f);
    }
  });
  std::printf("headers: %d of %d files of 128 blocks read in %.2f ms (%.1f us per file)\n", gelesen,
              dateien, koepfe * 1e3, koepfe / dateien * 1e6);

  // Registration of a folder of compressed tables: every side of the three-
  // and four-man tables, at the catalogue's sizes.
  const fs::path tabellen = ordner / "tb";
  fs::create_directories(tabellen);
  int seiten = 0;
  uint64_t eintraege = 0;
  for (int32_t id = 1; id <= 35; ++id) {
    for (int side = 0; side < 2; ++side) {
      if (side == 1 && (TbCatalogue[id].flags & TbFlagSymmetric)) continue;
      const auto teil = Tabellenartig(TbCatalogue[id].entryCount[side], uint32_t(id * 2 + side));
      Schreiben((tabellen / (std::string(TbCatalogue[id].name) + (side ? ".nbb.emd" : ".nbw.emd")))
                    .string(),
                datacomp::Compress(teil.data(), teil.size()));
      ++seiten;
      eintraege += teil.size();
    }
  }
  std::string meldungen;
  TbReportRedirect([&](const std::string& m) { meldungen += m; });
  TbInitialise(nullptr, -1);
  int32_t maenner = 0;
  const double registrieren =
      Sekunden([&] { maenner = TbInitialise(tabellen.string().c_str(), 0); });
  std::printf("registration: %d compressed sides (%.0f MB decoded) in %.2f ms, result %d%s\n",
              seiten, double(eintraege) / 1e6, registrieren * 1e3, maenner,
              meldungen.empty() ? "" : ", with reports");
  TbInitialise(nullptr, -1);
  TbReportRedirect({});
  fs::remove_all(ordner);
  return gut ? 0 : 1;
}
