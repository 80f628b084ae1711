// A probe of a split six-man table through sparse extent files: the index of
// the position picks the extent (2^31 entries each) and the offset within
// it. Needs the block cache and the position probe of the tablebase layer.
#include <gtest/gtest.h>

#if __has_include("tablebase/probe.h") && __has_include("tablebase/cache.h")

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/datei.h"
#include "support/testboard.h"
#include "tablebase/cache.h"
#include "tablebase/descriptor.h"
#include "tablebase/probe.h"
#include "tbindex/catalogue.h"

extern "C" {
int32_t DLL_TBInit(const char* liste, int32_t set);
int32_t DLL_TBCache(int32_t groesse);
uint32_t DLL_TBError();
}

namespace galdrik {
namespace {

constexpr uint64_t kExtentEntries = uint64_t{1} << 31;  // 8-bit entries

// A file of `size` bytes, all holes but one byte at `offset`.
void SparseFile(const std::filesystem::path& p, uint64_t size, uint64_t offset, char value) {
  {
    std::ofstream f(p, std::ios::binary);
    f.seekp(std::streamoff(offset));
    f.put(value);
  }
  std::filesystem::resize_file(p, size);
}

class TbSplitSixMan : public ::testing::Test {
 protected:
  void SetUp() override { DLL_TBInit("", -1); }
  void TearDown() override {
    DLL_TBInit("", -1);
    DLL_TBCache(0);
  }
  test::TempOrdner ordner;
};

TEST_F(TbSplitSixMan, IndexPicksExtentAndOffset) {
  // kqbnkq, White Kc3 Qh1 Ba2 Nb5, Black Kf6 Qe8: index 4070557142 with
  // White to move (extent 1, offset 1923073494), 4442076516 with Black to
  // move (extent 2, offset 147109220). Only those two extents exist.
  int id = 0;
  while (std::string(TbCatalogue[id].name) != "kqbnkq") ++id;
  ASSERT_TRUE(TbCatalogue[id].flags & TbFlagSplit);
  ASSERT_FALSE(TbCatalogue[id].flags & TbFlag16Bit);
  ASSERT_EQ(TbExtentCount(TbCatalogue[id].flags, TbCatalogue[id].entryCount[0]), 3);
  ASSERT_EQ(TbExtentCount(TbCatalogue[id].flags, TbCatalogue[id].entryCount[1]), 3);
  const uint64_t white = 4070557142, black = 4442076516;
  ASSERT_EQ(white >> 31, 1u);
  ASSERT_EQ(black >> 31, 2u);
  SparseFile(ordner / "kqbnkq.1.nbw", kExtentEntries, white - kExtentEntries, 5);
  SparseFile(ordner / "kqbnkq.2.nbb", TbCatalogue[id].entryCount[1] - 2 * kExtentEntries,
             black - 2 * kExtentEntries, -7);
  ASSERT_EQ(DLL_TBInit(ordner.pfad().c_str(), 0), 6);
  EXPECT_EQ(DLL_TBError(), 0u) << "the extents have the sizes the catalogue gives";
  ASSERT_EQ(DLL_TBCache(1 << 20), 0);

  const Stellung w = test::Brett("4q3/8/5k2/1N6/8/2K5/B7/7Q w - -");
  const Stellung b = test::Brett("4q3/8/5k2/1N6/8/2K5/B7/7Q b - -");
  EXPECT_EQ(TBProbe(w, 0), TbWertAusEintrag(5));
  EXPECT_EQ(TBProbe(b, 0), TbWertAusEintrag(-7));
  // The entries beside them are the holes (draws), and extent 0, which is
  // not there, reads as no value.
  EXPECT_EQ(TbProbeTable(id, 0, white - 1), 0);
  EXPECT_EQ(TbProbeTable(id, 0, white + 1), 0);
  EXPECT_EQ(TbProbeTable(id, 1, black), TbWertAusEintrag(-7));
  EXPECT_EQ(TbProbeTable(id, 0, white - kExtentEntries), TbKeinWert);
  // The last entry of the side is read; one past it is refused.
  EXPECT_EQ(TbProbeTable(id, 1, TbCatalogue[id].entryCount[1] - 1), 0);
  EXPECT_EQ(TbProbeTable(id, 1, TbCatalogue[id].entryCount[1]), TbKeinWert);
}

}  // namespace
}  // namespace galdrik

#endif
