// galdrik-datacomp: makes DATACOMP-compressed test files from raw table
// sides, and decodes them again through the library's own reader.
//
//   galdrik-datacomp IN OUT       compress IN into OUT
//   galdrik-datacomp -d IN OUT    decode IN into OUT
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "datacompenc.h"

namespace {

// Written under a temporary name and renamed when whole, so a failed run
// never leaves half a file under the real name.
bool Schreiben(const std::string& pfad, const std::vector<uint8_t>& bytes) {
  const std::string temp = pfad + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
      std::remove(temp.c_str());
      return false;
    }
  }
  std::error_code fehler;
  std::filesystem::rename(temp, pfad, fehler);
  if (fehler) std::remove(temp.c_str());
  return !fehler;
}

}  // namespace

int main(int argc, char** argv) {
  const bool decode = argc == 4 && std::string(argv[1]) == "-d";
  if (argc != 3 && !decode) {
    std::fprintf(stderr, "usage: %s IN OUT | -d IN OUT\n", argv[0]);
    return 2;
  }
  const std::string in = argv[decode ? 2 : 1];
  const std::string out = argv[decode ? 3 : 2];
  std::vector<uint8_t> ergebnis;
  if (decode) {
    std::string fehler;
    if (!galdrik::datacomp::Decompress(in, ergebnis, fehler)) {
      std::fprintf(stderr, "%s\n", fehler.c_str());
      return 1;
    }
  } else {
    std::ifstream datei(in, std::ios::binary);
    if (!datei) {
      std::fprintf(stderr, "cannot open %s\n", in.c_str());
      return 1;
    }
    const std::vector<uint8_t> roh((std::istreambuf_iterator<char>(datei)),
                                   std::istreambuf_iterator<char>());
    if (roh.empty()) {
      std::fprintf(stderr, "%s is empty\n", in.c_str());
      return 1;
    }
    ergebnis = galdrik::datacomp::Compress(roh.data(), roh.size());
  }
  if (!Schreiben(out, ergebnis)) {
    std::fprintf(stderr, "cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}
