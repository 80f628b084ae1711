// The working tablebase records: filling from the catalogue, the extent
// count, and the five accessors with the symmetric rule and bad arguments.
#include <gtest/gtest.h>

#include <cstring>

#include "tablebase/descriptor.h"

namespace galdrik {
namespace {

int IdOf(const char* name) {
  for (int id = 0; id < TbTableCount; ++id) {
    if (std::strcmp(TbCatalogue[id].name, name) == 0) return id;
  }
  return -1;
}

// Records of one set filled from the catalogue, with names freed at the end.
class TbDescriptors : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < TbWorkingCount; ++i)
      TbDescriptorFromCatalogue(TbDescriptorSets[i], i % TbTableCount);
  }
  void TearDown() override {
    for (auto& d : TbDescriptorSets) {
      for (auto& side : d.fileName) {
        for (char*& name : side) {
          delete[] name;
          name = nullptr;
        }
      }
    }
  }
  static void Register(int working, int side, int extent, const char* name) {
    char*& slot = TbDescriptorSets[working].fileName[side][extent];
    delete[] slot;
    slot = new char[std::strlen(name) + 1];
    std::strcpy(slot, name);
  }
};

TEST_F(TbDescriptors, FilledFromTheCatalogue) {
  for (int s = 0; s < TbSetCount; ++s) {
    const TbDescriptor& kk = TbDescriptorSets[s * TbTableCount];
    EXPECT_EQ(kk.id, 0);
    EXPECT_STREQ(kk.name, "kk");
    EXPECT_EQ(TbIndexFunction(s * TbTableCount, 0), nullptr);
    EXPECT_EQ(TbIndexFunction(s * TbTableCount, 1), nullptr);
    EXPECT_EQ(TbAnyPartRegistered(s * TbTableCount, 0), 0);
    const int kqkr = s * TbTableCount + IdOf("kqkr");
    EXPECT_STREQ(TbDescriptorSets[kqkr].name, "kqkr");
    EXPECT_EQ(TbIndexFunction(kqkr, 1), TbCatalogueIndexFn(IdOf("kqkr"), 1));
    EXPECT_NE(TbIndexFunction(kqkr, 1), nullptr);
  }
}

TEST_F(TbDescriptors, ExtentCount) {
  const struct {
    uint32_t flags;
    uint64_t count;
    int32_t extents;
  } rows[] = {
      {0, 5ull << 31, 1},
      {TbFlagSplit, (1ull << 31) - 1, 1},
      {TbFlagSplit, 1ull << 31, 2},  // exact multiple: the empty second extent is counted
      {TbFlagSplit | TbFlag16Bit, (1ull << 30) + 1, 2},
      {TbFlagSplit | TbFlag16Bit, (1ull << 30) - 1, 1},
  };
  for (const auto& r : rows) EXPECT_EQ(TbExtentCount(r.flags, r.count), r.extents) << r.count;
  int32_t largest = 0;
  for (const TbCatalogueRow& row : TbCatalogue) {
    for (uint64_t count : row.entryCount)
      largest = std::max(largest, TbExtentCount(row.flags, count));
  }
  EXPECT_EQ(largest, 17);
  EXPECT_LE(largest, TbMaxExtents);
}

TEST_F(TbDescriptors, FileNameAndRegistration) {
  const int set = 3;
  const int kqkr = set * TbTableCount + IdOf("kqkr");
  const int krkr = set * TbTableCount + IdOf("krkr");
  Register(kqkr, 0, 0, "/tb/kqkr.nbw.emd");
  Register(krkr, 0, 0, "/tb/krkr.nbw.emd");
  char buffer[1024];
  TbFileName(kqkr, 1, 0, buffer);
  EXPECT_STREQ(buffer, "/tb/kqkr.nbw.emd");
  TbFileName(kqkr, 0, 0, buffer);
  EXPECT_STREQ(buffer, "");
  TbFileName(krkr, 0, 0, buffer);  // no symmetric rule here
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(TbRegistered(kqkr, 0, 0), 1);
  EXPECT_EQ(TbRegistered(kqkr, 1, 0), 0);
  EXPECT_EQ(TbRegistered(krkr, 1, 0), 1);  // side forced to 0
  EXPECT_EQ(TbAnyPartRegistered(kqkr, 1), 0);
  EXPECT_EQ(TbAnyPartRegistered(krkr, 1), 1);
  EXPECT_EQ(TbAnyPartRegistered(kqkr - TbTableCount, 0), 0);  // other sets untouched
  // A later extent of a split side counts; one beyond the side's extents not.
  const int split = set * TbTableCount + IdOf("krbkrb");
  const int32_t extents =
      TbExtentCount(TbDescriptorSets[split].flags, TbDescriptorSets[split].entryCount[0]);
  ASSERT_LT(extents, TbMaxExtents);
  Register(split, 0, extents, "beyond");
  EXPECT_EQ(TbAnyPartRegistered(split, 0), 0);
  Register(split, 0, extents - 1, "last");
  EXPECT_EQ(TbAnyPartRegistered(split, 0), 1);
  EXPECT_EQ(TbAnyPartRegistered(split, 1), 1);  // symmetric: side 0's names
}

TEST_F(TbDescriptors, FileInfo) {
  int32_t sym, wide, split, e0, e1;
  uint64_t c0, c1;
  const int id = IdOf("krbkrb");
  TbFileInfo(id, &sym, &wide, &split, &c0, &c1, &e0, &e1);
  EXPECT_EQ(sym, 1);
  EXPECT_EQ(wide, (TbCatalogue[id].flags & TbFlag16Bit) ? 1 : 0);
  EXPECT_EQ(split, (TbCatalogue[id].flags & TbFlagSplit) ? 1 : 0);
  EXPECT_EQ(c0, 5644742400ull);
  EXPECT_EQ(c1, 5644742400ull);
  EXPECT_EQ(e0, TbExtentCount(TbCatalogue[id].flags, c0));
  TbFileInfo(IdOf("kpkp"), &sym, &wide, &split, &c0, &c1, &e0, &e1);
  EXPECT_EQ(sym, 0);
  EXPECT_EQ(c1, 3863492u);
  EXPECT_EQ(e1, 1);
}

TEST_F(TbDescriptors, ArgumentsOutOfRangeReadNothing) {
  char buffer[16] = "stale";
  const int bad[] = {-1, TbWorkingCount, 1 << 30};
  for (int w : bad) {
    TbFileName(w, 1, 0, buffer);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(TbRegistered(w, 0, 0), 0);
    EXPECT_EQ(TbAnyPartRegistered(w, 0), 0);
    EXPECT_EQ(TbIndexFunction(w, 0), nullptr);
    int32_t sym = 9;
    uint64_t c0 = 9;
    TbFileInfo(w, &sym, nullptr, nullptr, &c0, nullptr, nullptr, nullptr);
    EXPECT_EQ(sym, 0);
    EXPECT_EQ(c0, 0u);
  }
  Register(5, 0, 0, "x");
  TbFileName(5, 2, 0, buffer);
  EXPECT_STREQ(buffer, "");
  TbFileName(5, 1, TbMaxExtents, buffer);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(TbRegistered(5, 0, -1), 0);
  EXPECT_EQ(TbRegistered(5, 2, 0), 0);
  EXPECT_EQ(TbAnyPartRegistered(5, -1), 0);
  EXPECT_EQ(TbIndexFunction(5, 2), nullptr);
}

}  // namespace
}  // namespace galdrik
