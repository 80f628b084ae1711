// Registration of tablebase files and the core's set-up on temporary
// folders: the name forms and their order, size and header checks with
// their reports, the drive test, directory lists and the reset.
#include "tablebase/registration.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/log.h"
#include "datacompenc.h"
#include "support/datei.h"
#include "tablebase/corereport.h"
#include "tablebase/datacomp.h"
#include "tablebase/descriptor.h"
#include "tablebase/drives.h"
#include "tablebase/tbinit.h"
#include "tablebase/trie.h"

namespace galdrik {
namespace {

namespace fs = std::filesystem;

constexpr int32_t Kqk = 5, Kqkr = 19, Kqqqk = 145, Knnknn = 146, Krbkbn = 187;

// A drive view whose answers the test sets, counting the probes.
struct TestDrives : TbDrives {
  std::map<std::string, TbMedium> antwort;  // by directory; Ready when absent
  std::map<std::string, int>* proben;
  explicit TestDrives(std::map<std::string, int>* p) : proben(p) {}
  std::string MediumOf(const std::string& directory) override { return directory; }
  TbMedium Probe(const std::string& directory) override {
    ++(*proben)[directory];
    const auto it = antwort.find(directory);
    return it == antwort.end() ? TbMedium::Ready : it->second;
  }
};

class Registrierung : public ::testing::Test {
 protected:
  void SetUp() override {
    alterLog_ = LogPfad();
    LogPfadSetzen((ordner / "log.txt").string());
    TbReportRedirect([this](const std::string& s) { meldungen += s; });
    TbInitialise(nullptr, -1);
    TbCorruptFileCountReset();
  }
  void TearDown() override {
    TbInitialise(nullptr, -1);
    TbDrivesSet(nullptr);
    TbReportRedirect({});
    LogPfadSetzen(alterLog_);
  }

  // A folder below the test's own, created.
  std::string Ordner(const std::string& name) {
    fs::create_directories(ordner / name);
    return (ordner / name).string();
  }
  // An uncompressed side of the catalogue's size (or off by delta bytes),
  // written sparse.
  static void Roh(const std::string& pfad, int32_t id, int side, int64_t delta = 0) {
    test::DateiSchreiben(pfad, "");
    fs::resize_file(pfad, uint64_t(int64_t(TbCatalogue[id].entryCount[side]) + delta));
  }
  // A compressed side of the catalogue's size (encoded once per size).
  static void Komprimiert(const std::string& pfad, uint64_t bytes, int blockBits = 13) {
    static std::map<std::pair<uint64_t, int>, std::vector<uint8_t>> fertig;
    auto& datei = fertig[{bytes, blockBits}];
    if (datei.empty()) {
      std::vector<uint8_t> roh(bytes);
      for (size_t i = 0; i < roh.size(); ++i) roh[i] = uint8_t(i / 97 % 5);
      datei = datacomp::Compress(roh.data(), roh.size(), blockBits);
    }
    test::DateiSchreiben(pfad, std::string(datei.begin(), datei.end()));
  }
  static std::string Name(int32_t working, int side, int extent = 0) {
    char puffer[TbNameBufferSize];
    TbFileName(working, 1 - side, extent, puffer);
    return puffer;
  }
  std::vector<std::string> LogZeilen() { return test::DateiZeilen(ordner / "log.txt"); }

  test::TempOrdner ordner;
  std::string meldungen;
  std::string alterLog_;
};

TEST_F(Registrierung, NameFormsInOrderWithTheirRestrictions) {
  struct Fall {
    const char* was;
    int32_t working, side, extent;
    std::vector<std::string> dateien;
    std::string erwartet;  // "" = not registered
  };
  const int32_t set1 = TbTableCount;
  const Fall faelle[] = {
      {"uncompressed first", Kqkr, 0, 0, {"kqkr.nbw", "kqkr.nbw.emd"}, "kqkr.nbw"},
      {"then .nbw.emd", Kqkr, 0, 0, {"kqkr.nbw.emd", "kqkr_nbw.emd"}, "kqkr.nbw.emd"},
      {"then _nbw.emd", Kqkr, 0, 0, {"kqkr_nbw.emd", "kqkr_nbw_emd"}, "kqkr_nbw.emd"},
      {"then _nbw_emd", Kqkr, 0, 0, {"kqkr_nbw_emd", "kqkrnbw.emd"}, "kqkr_nbw_emd"},
      {"then nbw.emd in set 0", Kqkr, 0, 0, {"kqkrnbw.emd"}, "kqkrnbw.emd"},
      {"black to move", Kqkr, 1, 0, {"kqkr.nbw", "kqkr_nbb.emd"}, "kqkr_nbb.emd"},
      {"nbw.emd not in set 1", set1 + Kqkr, 0, 0, {"kqkrnbw.emd"}, ""},
      {"_nbw.emd in set 1", set1 + Kqkr, 0, 0, {"kqkr_nbw.emd"}, "kqkr_nbw.emd"},
      {"five men in set 0", Kqqqk, 0, 0, {"kqqqknbw.emd"}, "kqqqknbw.emd"},
      {"six men: _nbw_emd", Knnknn, 0, 0, {"knnknn_nbw_emd"}, "knnknn_nbw_emd"},
      {"six men: not nbw.emd", Knnknn, 0, 0, {"knnknnnbw.emd"}, ""},
      {"split: extent in the name", Krbkbn, 1, 1, {"krbkbn.1.nbb"}, "krbkbn.1.nbb"},
      {"split: .emd", Krbkbn, 0, 2, {"krbkbn.2.nbw.emd"}, "krbkbn.2.nbw.emd"},
      {"split: no _ forms", Krbkbn, 0, 1, {"krbkbn.1_nbw.emd", "krbkbn.1_nbw_emd"}, ""},
      {"none", Kqkr, 0, 0, {"kqkr.nbb", "kqk.nbw"}, ""},
  };
  int n = 0;
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.was);
    TbInitialise(nullptr, -1);
    const std::string dir = Ordner("f" + std::to_string(n++));
    const int32_t id = f.working % TbTableCount;
    for (const auto& d : f.dateien) {
      const bool emd = d.find("emd") != std::string::npos;
      const int side = d.find("nbb") != std::string::npos;
      if (!emd)
        Roh(dir + "/" + d, id, side);
      else if (id < 36)
        Komprimiert(dir + "/" + d, TbCatalogue[id].entryCount[side]);
      else
        Komprimiert(dir + "/" + d, 100);  // the wrong size: reported, still registered
    }
    EXPECT_EQ(TbRegisterFile(dir, f.working, f.side, f.extent), f.erwartet.empty() ? 0 : 1);
    EXPECT_EQ(Name(f.working, f.side, f.extent), f.erwartet.empty() ? "" : dir + "/" + f.erwartet);
  }
}

// Sizes in entries: a full side or, split, a full extent or the last one's
// rest; anything else is reported and counted.
TEST_F(Registrierung, SizeChecksAgainstTheCatalogue) {
  const uint64_t rest = 5644742400ull - 2 * (1ull << 31);
  struct Fall {
    int32_t working, side;
    uint64_t size;
    bool gemeldet;
  };
  const Fall faelle[] = {
      {Kqk, 0, 25629, false},         {Kqk, 1, 28644, false},   {Kqk, 0, 25628, true},
      {Krbkbn, 0, 1ull << 31, false}, {Krbkbn, 0, rest, false}, {Krbkbn, 0, rest + 1, true},
      {0, 0, 12345, false},  // kk has no entries: nothing compared
  };
  for (const auto& f : faelle) {
    meldungen.clear();
    TbCorruptFileCountReset();
    TbReportCorrupted(f.working, f.side, 0, f.size, "t");
    EXPECT_EQ(TbCorruptFileCount(), f.gemeldet ? 1u : 0u) << f.working << " " << f.size;
    EXPECT_EQ(!meldungen.empty(), f.gemeldet);
  }
}

TEST_F(Registrierung, BrokenFilesAreReportedCountedAndLogged) {
  const std::string dir = Ordner("tb");
  // One byte short: reported as corrupt, still registered.
  Roh(dir + "/kqk.nbw", Kqk, 0, -1);
  EXPECT_EQ(TbRegisterFile(dir, Kqk, 0, 0), 1);
  EXPECT_EQ(meldungen, "*** " + dir + "/kqk.nbw corrupted 25629 25629 25628\n");
  EXPECT_EQ(TbCorruptFileCount(), 1u);
  EXPECT_EQ(LogZeilen().back(), "EGTB-Datei fehlerhaft: " + dir + "/kqk.nbw");

  // Blocks of 4096 bytes pass the header checks and are then refused.
  meldungen.clear();
  Komprimiert(dir + "/kqk.nbb.emd", 28644, 12);
  EXPECT_EQ(TbRegisterFile(dir, Kqk, 1, 0), 0);
  EXPECT_EQ(meldungen, "*** " + dir + "/kqk.nbb.emd: Unsupported block size 4096\n");
  EXPECT_EQ(Name(Kqk, 1), "");

  // A wrong banner, a header cut short.
  struct Fall {
    int32_t id;
    std::string grund;
  };
  Komprimiert(dir + "/krk.nbw.emd", 27030);
  std::string datei = test::DateiInhalt(dir + "/krk.nbw.emd");
  datei[3] = 'X';
  test::DateiSchreiben(dir + "/krk.nbw.emd", datei);
  Komprimiert(dir + "/kbk.nbw.emd", 27243);
  fs::resize_file(dir + "/kbk.nbw.emd", 90);
  for (const auto& [id, grund] : {Fall{4, "read error"}, Fall{3, "read error"}}) {
    meldungen.clear();
    const std::string name = dir + "/" + TbCatalogue[id].name + ".nbw.emd";
    EXPECT_EQ(TbRegisterFile(dir, id, 0, 0), 0);
    EXPECT_EQ(meldungen, "*** Unable to read " + name + " - " + grund + "\n");
    EXPECT_EQ(LogZeilen().back(), "EGTB-Datei fehlerhaft: " + name);
  }
  EXPECT_EQ(TbCorruptFileCount(), 4u);
}

TEST_F(Registrierung, ASecondRegistrationOpensNothing) {
  const std::string dir = Ordner("tb");
  Komprimiert(dir + "/kqk.nbw.emd", 25629);
  const uint32_t komprimiert = TbCompressedFileCount();
  EXPECT_EQ(TbRegisterFile(dir, Kqk, 0, 0), 1);
  EXPECT_EQ(TbCompressedFileCount(), komprimiert + 1);
  fs::remove(dir + "/kqk.nbw.emd");
  EXPECT_EQ(TbRegisterFile(dir, Kqk, 0, 0), 1);
  EXPECT_EQ(TbCompressedFileCount(), komprimiert + 1);
  EXPECT_EQ(Name(Kqk, 0), dir + "/kqk.nbw.emd");
  EXPECT_NE(TbDescriptorSets[Kqk].decodeInfo[0][0], nullptr);
  EXPECT_NE(TbDescriptorSets[Kqk].buckets[0], nullptr);
  EXPECT_EQ(TbDescriptorSets[Kqk].buckets[1], nullptr);
  EXPECT_EQ(TbFindByName("kqk"), Kqk);
}

TEST_F(Registrierung, TheDriveTestSkipsMediaThatDoNotAnswer) {
  std::map<std::string, int> proben;
  auto drives = std::make_unique<TestDrives>(&proben);
  TestDrives* sicht = drives.get();
  TbDrivesSet(std::move(drives));
  const std::string da = Ordner("da"), fehlt = Ordner("fehlt"), stumm = Ordner("stumm");
  for (const auto& dir : {da, fehlt, stumm}) {
    Roh(dir + "/kqk.nbw", Kqk, 0);
    Roh(dir + "/krk.nbw", 4, 0);
  }
  sicht->antwort[fehlt] = TbMedium::Absent;
  sicht->antwort[stumm] = TbMedium::NotReady;
  for (int32_t id : {Kqk, 4}) {
    EXPECT_EQ(TbRegisterFile(fehlt, id, 0, 0), 0);
    EXPECT_EQ(TbRegisterFile(stumm, id, 0, 0), 0);
    EXPECT_EQ(TbRegisterFile(da, TbTableCount + id, 0, 0), 1);
  }
  EXPECT_EQ(proben[fehlt], 2) << "an absent medium is asked every time";
  EXPECT_EQ(proben[stumm], 1) << "a medium not ready is skipped until the reset";
  EXPECT_EQ(proben[da], 1) << "a medium that answered is trusted";
  // An empty directory is the current one and is not tested.
  EXPECT_EQ(TbRegisterFile("", Kqk, 1, 0), 0);
  EXPECT_EQ(proben.count(""), 0u);

  sicht->antwort.clear();
  TbInitialise(nullptr, -1);
  EXPECT_EQ(TbRegisterFile(stumm, Kqk, 0, 0), 1);
  EXPECT_EQ(proben[stumm], 2);
}

// The system's own view: a missing directory is absent and never marked,
// an existing one answers.
TEST_F(Registrierung, TheSystemDriveTestOnRealDirectories) {
  TbDrivesSet(nullptr);
  const std::string da = Ordner("da");
  Roh(da + "/kqk.nbw", Kqk, 0);
  EXPECT_FALSE(TbDriveUsable(da + "/fehlt"));
  EXPECT_TRUE(TbDriveUsable(da));
  EXPECT_TRUE(TbDriveUsable(""));
  EXPECT_EQ(TbInitialise((da + "/fehlt;" + da).c_str(), 0), 3);
  EXPECT_EQ(Name(Kqk, 0), da + "/kqk.nbw");
}

TEST_F(Registrierung, ListsRegisterInOrderAndTheFirstDirectoryWins) {
  const std::string a = Ordner("a"), b = Ordner("b"), c = Ordner("c");
  Roh(a + "/kqk.nbw", Kqk, 0);
  Roh(b + "/kqk.nbw", Kqk, 0);
  Roh(b + "/kqk.nbb", Kqk, 1);
  Roh(c + "/krk.nbb", 4, 1);
  // A directory ending in "/" gets no second one.
  EXPECT_EQ(TbInitialise((a + "/;" + b + "," + c).c_str(), 0), 3);
  EXPECT_EQ(Name(Kqk, 0), a + "/kqk.nbw");
  EXPECT_EQ(Name(Kqk, 1), b + "/kqk.nbb");
  EXPECT_EQ(Name(4, 1), c + "/krk.nbb");
  EXPECT_EQ(Name(4, 0), "");
  EXPECT_TRUE(meldungen.empty()) << meldungen;
}

TEST_F(Registrierung, AnEmptyElementIsTheCurrentDirectory) {
  const std::string dir = Ordner("hier"), leer = Ordner("leer");
  Roh(dir + "/kqk.nbw", Kqk, 0);
  const fs::path vorher = fs::current_path();
  fs::current_path(dir);
  const int32_t ergebnis = TbInitialise((leer + ";").c_str(), 0);
  fs::current_path(vorher);
  EXPECT_EQ(ergebnis, 3);
  EXPECT_EQ(Name(Kqk, 0), "kqk.nbw");
}

TEST_F(Registrierung, TheResultIsTheMostMenRegistered) {
  struct Fall {
    std::vector<int32_t> tabellen;
    int32_t ergebnis;
  };
  const Fall faelle[] = {
      {{}, 0}, {{Kqk}, 3}, {{Kqk, Kqkr}, 4}, {{Kqqqk, 4}, 5}, {{Knnknn}, 6}, {{Krbkbn}, 6},
  };
  int n = 0;
  for (const auto& f : faelle) {
    const std::string dir = Ordner("r" + std::to_string(n++));
    for (int32_t id : f.tabellen) {
      const bool geteilt = TbCatalogue[id].flags & TbFlagSplit;
      Roh(dir + "/" + TbCatalogue[id].name + (geteilt ? ".0" : "") + ".nbw", id, 0);
    }
    EXPECT_EQ(TbInitialise(dir.c_str(), 3), f.ergebnis) << n;
  }
  EXPECT_EQ(TbInitialise(nullptr, 3), 0);
  EXPECT_EQ(TbInitialise(Ordner("r4").c_str(), 7), 0) << "no set 7";
  EXPECT_EQ(TbInitialise(Ordner("r4").c_str(), -1), 0) << "a reset registers nothing";
  EXPECT_EQ(Name(3 * TbTableCount + Knnknn, 0), "");
}

TEST_F(Registrierung, ADirectoryTooLongForTheBufferIsSkippedNotCut) {
  const std::string dir = Ordner("tb");
  Roh(dir + "/kqk.nbw", Kqk, 0);
  // The folder followed by 1100 slashes: cut to fit the buffer it would
  // still name the folder, so a cut would register from it.
  const std::string lang = dir + std::string(1100, '/');
  EXPECT_EQ(TbInitialise(lang.c_str(), 0), 0);
  EXPECT_NE(meldungen.find("*** Directory name too long, skipped: "), std::string::npos);
  EXPECT_EQ(Name(Kqk, 0), "");
  EXPECT_EQ(TbInitialise((lang + ";" + dir).c_str(), 0), 3);
  EXPECT_EQ(Name(Kqk, 0), dir + "/kqk.nbw");
}

// Memory that cannot be had is reported and refused; the process goes on
// (a user's unsaved game must not be lost to a tablebase folder).
TEST_F(Registrierung, AFailedAllocationIsReportedNotFatal) {
  const size_t riesig = size_t(1) << 62;
  EXPECT_EQ(TbMalloc(riesig), nullptr);
  EXPECT_EQ(meldungen, "*** Cannot allocate " + std::to_string(riesig) + " bytes of memory\n");
}

// Reset and re-registration own what they release: a reset makes every
// record the catalogue's again, a set registration touches only its set.
TEST_F(Registrierung, ResetRestoresTheCatalogueAndSetsKeepTheirNames) {
  const std::string a = Ordner("a"), b = Ordner("b");
  Roh(a + "/kqk.nbw", Kqk, 0);
  Komprimiert(b + "/kqkr.nbw.emd", TbCatalogue[Kqkr].entryCount[0]);
  EXPECT_EQ(TbInitialise(a.c_str(), 0), 3);
  EXPECT_EQ(TbInitialise(b.c_str(), 2), 4);
  EXPECT_NE(TbDecodeBlock(), nullptr) << "allocated once a compressed file was seen";
  EXPECT_EQ(TbInitialise(a.c_str(), 1), 3);
  EXPECT_EQ(TbInitialise(a.c_str(), 2), 3);
  EXPECT_EQ(Name(Kqk, 0), a + "/kqk.nbw");
  EXPECT_EQ(Name(TbTableCount + Kqk, 0), a + "/kqk.nbw");
  EXPECT_EQ(Name(2 * TbTableCount + Kqkr, 0), "");
  EXPECT_EQ(TbDescriptorSets[2 * TbTableCount + Kqkr].decodeInfo[0][0], nullptr);

  TbInitialise(nullptr, -1);
  for (int32_t w = 0; w < TbWorkingCount; ++w) {
    TbDescriptor erwartet;
    TbDescriptorFromCatalogue(erwartet, w % TbTableCount);
    ASSERT_EQ(std::memcmp(&TbDescriptorSets[w], &erwartet, sizeof erwartet), 0) << w;
  }
  // The trie keeps its leaves; the records decide what is registered.
  EXPECT_EQ(TbFindByName("kqk"), Kqk);
  EXPECT_EQ(TbAnyPartRegistered(Kqk, 0), 0);
}

}  // namespace
}  // namespace galdrik
