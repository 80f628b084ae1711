// The table statistics text against a histogram counted straight from the
// bytes of the generated table files (entry 0 draw, 127 no value, 127 - d a
// win in d, d - 126 a loss in d), in DTM and DTC.
#include "analysis/tbtbsgen.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tablebase/cache.h"
#include "tablebase/probe.h"
#include "tablebase/tbinit.h"
#include "tablebase/trie.h"

namespace galdrik::test {
namespace {

namespace fs = std::filesystem;

std::string Lesen(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// The expected lines of one side from its file's bytes.
std::string SeiteErwartet(const std::string& seite, const std::string& bytes) {
  std::map<int, uint64_t> gewonnen, verloren;
  uint64_t remis = 0, defekt = 0;
  for (char c : bytes) {
    const int r = static_cast<int8_t>(c);
    if (r == 0)
      ++remis;
    else if (r == 127)
      ++defekt;
    else if (r > 0)
      ++gewonnen[127 - r];
    else
      ++verloren[r + 126];
  }
  std::ostringstream o;
  for (auto [n, k] : gewonnen) o << seite << " won in " << n << ": " << k << "\n";
  o << seite << " draw: " << remis << "\n";
  for (auto [n, k] : verloren) o << seite << " lost in " << n << ": " << k << "\n";
  o << seite << " broken: " << defekt << "\n";
  return o.str();
}

class TBSGen : public ::testing::Test {
 protected:
  void SetUp() override {
#if defined(GALDRIK_TB_DTM_DIR) && defined(GALDRIK_TB_DTC_DIR)
    static std::vector<uint8_t> puffer(std::size_t{8} << 20);
    static const bool fertig = [] {
      TbInitialise(nullptr, -1);
      TbInitialise(GALDRIK_TB_DTM_DIR, 0);
      TbInitialise(GALDRIK_TB_DTC_DIR, 1);
      TbCacheSet(puffer.data(), puffer.size());
      return true;
    }();
    (void)fertig;
    verzeichnis[0] = GALDRIK_TB_DTM_DIR;
    verzeichnis[1] = GALDRIK_TB_DTC_DIR;
#else
    GTEST_SKIP() << "built without the generated tables";
#endif
    ordner = fs::temp_directory_path() / ("galdrik_tbsgen_" + std::to_string(::getpid()));
    fs::create_directories(ordner);
  }
  void TearDown() override {
    TBMetrikSetzen(0);
    std::error_code ec;
    fs::remove_all(ordner, ec);
  }

  fs::path verzeichnis[2];
  fs::path ordner;
};

TEST_F(TBSGen, GleichDemHistogrammDerTabellendatei) {
  struct Fall {
    const char* name;   // the name asked for
    const char* datei;  // the stored table
    int32_t metrik;
    bool umgekehrt;
  };
  const Fall faelle[] = {
      {"kqk", "kqk", 0, false},   {"kqkr", "kqkr", 0, false}, {"kqk", "kqk", 1, false},
      {"kqkr", "kqkr", 1, false}, {"krkq", "kqkr", 1, true},  {"kkq", "kqk", 0, true},
  };
  int gelaufen = 0;
  for (const Fall& f : faelle) {
    SCOPED_TRACE(::testing::Message() << f.name << " metric " << f.metrik);
    const fs::path stamm = verzeichnis[f.metrik == 0 ? 0 : 1] / f.datei;
    const fs::path wtm = stamm.string() + ".nbw", btm = stamm.string() + ".nbb";
    if (!fs::exists(wtm) || !fs::exists(btm)) continue;
    ++gelaufen;
    TBMetrikSetzen(f.metrik);
    const fs::path aus = ordner / "tbs.txt";
    ASSERT_EQ(DLL_TBTBSGen(f.name, aus.c_str()), 0);
    const std::string w = Lesen(wtm), b = Lesen(btm);
    // A reversed name puts the stored table's Black on move as "wtm".
    const std::string soll = f.umgekehrt ? SeiteErwartet("wtm", b) + SeiteErwartet("btm", w)
                                         : SeiteErwartet("wtm", w) + SeiteErwartet("btm", b);
    EXPECT_EQ(Lesen(aus), soll);
    EXPECT_FALSE(fs::exists(aus.string() + ".tmp"));
  }
  if (gelaufen == 0) GTEST_SKIP() << "no table generated";
}

TEST_F(TBSGen, FehlerfaelleMitErgebniscode) {
  const fs::path aus = ordner / "leer.txt";
  for (const char* name : {"kxyzk", "kqqqqk", "", "k"}) {
    SCOPED_TRACE(name);
    fs::remove(aus);
    EXPECT_EQ(DLL_TBTBSGen(name, aus.c_str()), -2);
    ASSERT_TRUE(fs::exists(aus));
    EXPECT_EQ(fs::file_size(aus), 0u);
  }
  EXPECT_EQ(DLL_TBTBSGen(nullptr, aus.c_str()), -2);
  EXPECT_EQ(DLL_TBTBSGen("kqk", (ordner / "fehlt" / "x.txt").c_str()), -1);
  EXPECT_EQ(DLL_TBTBSGen("kqk", nullptr), -1);
  EXPECT_EQ(DLL_TBTBSGen("kqk", ""), -1);
}

}  // namespace
}  // namespace galdrik::test
