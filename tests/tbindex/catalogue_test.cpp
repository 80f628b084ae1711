// The table catalogue: the generated rows against their source text, the
// order of the names by material class, the flag and count figures, and the
// index space of every built side against its entry count.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tbindex/catalogue.h"
#include "tbindex/layout.h"

namespace galdrik {
namespace {

std::string Name(int id) { return TbCatalogue[id].name; }

TEST(TbCatalogue, RowsEqualTheirSourceText) {
  std::ifstream in(GALDRIK_TEST_DATA_DIR "/../../tools/tbcatalogue.txt");
  ASSERT_TRUE(in) << "tools/tbcatalogue.txt";
  std::string line;
  int rows = 0;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    for (char& c : line) c = c == '|' ? ' ' : c;
    std::istringstream cells(line);
    int id;
    std::string name;
    uint32_t flags;
    uint64_t white, black;
    ASSERT_TRUE(cells >> id >> name >> flags >> white >> black) << line;
    ASSERT_EQ(id, rows);
    EXPECT_EQ(TbCatalogue[id].id, id);
    EXPECT_EQ(Name(id), name);
    EXPECT_EQ(TbCatalogue[id].flags, flags) << name;
    EXPECT_EQ(TbCatalogue[id].entryCount[0], white) << name;
    EXPECT_EQ(TbCatalogue[id].entryCount[1], black) << name;
    ++rows;
  }
  EXPECT_EQ(rows, TbTableCount);
}

TEST(TbCatalogue, NamesFollowTheClassOrder) {
  // Pieces ascending p < n < b < r < q; a pair is named higher piece first.
  const char* up = "pnbrq";
  std::vector<std::string> expected = {"kk"};
  for (int x = 0; x < 5; ++x) expected.push_back(std::string("k") + up[x] + "k");
  for (int x = 0; x < 5; ++x) {
    for (int y = 0; y <= x; ++y) expected.push_back(std::string("k") + up[x] + "k" + up[y]);
  }
  std::vector<std::string> pairs;
  for (int x = 0; x < 5; ++x) {
    for (int y = 0; y <= x; ++y) pairs.push_back(std::string() + up[x] + up[y]);
  }
  for (const std::string& p : pairs) expected.push_back("k" + p + "k");
  for (const std::string& p : pairs) {
    for (int z = 0; z < 5; ++z) expected.push_back("k" + p + "k" + up[z]);
  }
  for (int x = 0; x < 5; ++x) {
    for (int y = 0; y <= x; ++y) {
      for (int z = 0; z <= y; ++z)
        expected.push_back(std::string("k") + up[x] + up[y] + up[z] + "k");
    }
  }
  ASSERT_EQ(expected.size(), 146u);
  for (int id = 0; id < 146; ++id) EXPECT_EQ(Name(id), expected[id]) << id;
  // Every name is unique and has at most six letters.
  for (int a = 0; a < TbTableCount; ++a) {
    EXPECT_LE(Name(a).size(), 6u);
    for (int b = a + 1; b < TbTableCount; ++b) EXPECT_NE(Name(a), Name(b));
  }
}

TEST(TbCatalogue, FlagsAndCounts) {
  int symmetric = 0, wide = 0, split = 0;
  uint64_t largest = 0;
  for (int id = 0; id < TbTableCount; ++id) {
    const TbCatalogueRow& r = TbCatalogue[id];
    symmetric += (r.flags & TbFlagSymmetric) != 0;
    wide += (r.flags & TbFlag16Bit) != 0;
    split += (r.flags & TbFlagSplit) != 0;
    EXPECT_EQ(r.flags & ~7u, 0u);
    for (int side = 0; side < 2; ++side) largest = std::max(largest, r.entryCount[side]);
    if (r.flags & TbFlagSymmetric) {
      EXPECT_EQ(r.entryCount[0], r.entryCount[1]) << r.name;
    }
    // Counts above 2^32 only in six-man tables.
    if (TbCatalogueMen(id) < 6) {
      EXPECT_LT(std::max(r.entryCount[0], r.entryCount[1]), 1ull << 32) << r.name;
    }
  }
  EXPECT_EQ(symmetric, 20);
  EXPECT_EQ(wide, 64);
  EXPECT_EQ(split, 153);
  // The largest count is held by six Black-to-move sides, each at its capacity.
  EXPECT_EQ(largest, 18096480000ull);
  std::vector<std::string> holders;
  for (int id = 0; id < TbTableCount; ++id) {
    if (TbCatalogue[id].entryCount[1] == largest) holders.push_back(Name(id));
    EXPECT_NE(TbCatalogue[id].entryCount[0], largest);
  }
  EXPECT_EQ(holders,
            (std::vector<std::string>{"kbnpkb", "krnpkb", "krbpkb", "kqnpkb", "kqbpkb", "kqrpkb"}));
  EXPECT_EQ(TbCatalogue[0].flags, 1u);
  EXPECT_EQ(Name(0), "kk");
  EXPECT_EQ(TbCatalogue[0].entryCount[0] + TbCatalogue[0].entryCount[1], 0u);
  EXPECT_EQ(TbCatalogueIndexFn(0, 0), nullptr);
  EXPECT_EQ(TbCatalogueIndexFn(0, 1), nullptr);
  EXPECT_EQ(Name(6), "kpkp");
  EXPECT_EQ(TbCatalogue[6].flags & TbFlagSymmetric, 0u);
  EXPECT_EQ(TbCatalogue[6].entryCount[0], 3863492u);
  EXPECT_EQ(TbCatalogue[6].entryCount[1], 3863492u);
  int krbkrb = 0;
  while (Name(krbkrb) != "krbkrb") ++krbkrb;
  EXPECT_EQ(TbCatalogue[krbkrb].entryCount[0], 5644742400ull);
  EXPECT_EQ(TbCatalogue[krbkrb].entryCount[1], 5644742400ull);
  EXPECT_EQ(TbCatalogueIndexFn(TbTableCount, 0), nullptr);
  EXPECT_EQ(TbCatalogueIndexFn(1, 2), nullptr);
}

TEST(TbCatalogue, IndexSpaceAgainstEntryCount) {
  TbBuildIndexTables();
  // Three- and four-man White-to-move sides whose last indices hold only
  // impossible positions.
  const struct {
    const char* name;
    uint64_t shortfall;
  } shortfalls[] = {{"krk", 6},   {"kqk", 6},    {"krkp", 96},  {"kqkp", 96},  {"krpk", 94},
                    {"kqpk", 94}, {"krrk", 339}, {"kqrk", 366}, {"kqqk", 333}, {"kbnk", 1}};
  int built = 0;
  // The five-man shortfalls are checked with the five-man tables.
  for (int id = 1; id <= 35; ++id) {
    for (int side = 0; side < 2; ++side) {
      if (!TbCatalogueIndexFn(id, side)) continue;
      ++built;
      uint64_t expected = 0;
      for (const auto& s : shortfalls) {
        if (side == 0 && Name(id) == s.name) expected = s.shortfall;
      }
      const int read = (TbCatalogue[id].flags & TbFlagSymmetric) ? 0 : side;
      EXPECT_EQ(TbIndexSpace(id, side) - TbCatalogue[id].entryCount[read], expected)
          << Name(id) << " side " << side;
    }
  }
  EXPECT_EQ(built, 70);
}

}  // namespace
}  // namespace galdrik
