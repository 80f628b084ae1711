// Every legal placement of every four- and five-man table, both sides to move: the
// largest index plus one is the catalogue count, no index is shared by
// placements that are not images of each other, the images share theirs,
// and the invert flag and the colour swap read the mirrored positions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "support/tbwalk.h"
#include "tbindex/catalogue.h"

namespace galdrik {
namespace {

class TbFourManWalk : public ::testing::TestWithParam<int> {};

TEST_P(TbFourManWalk, BothSides) {
  TbBuildIndexTables();
  const int id = GetParam();
  for (int side = 0; side < 2; ++side) {
    const test::TbWalkReport r = test::TbCheckSide(id, side);
    const int read = (TbCatalogue[id].flags & TbFlagSymmetric) ? 0 : side;
    EXPECT_EQ(r.maxIndex + 1, TbCatalogue[id].entryCount[read])
        << TbCatalogue[id].name << " side " << side;
    EXPECT_EQ(r.outOfRange, 0u) << TbCatalogue[id].name << " side " << side << ": " << r.first;
    EXPECT_EQ(r.collisions, 0u) << TbCatalogue[id].name << " side " << side << ": " << r.first;
    EXPECT_EQ(r.imageFaults, 0u) << TbCatalogue[id].name << " side " << side << ": " << r.first;
  }
}

INSTANTIATE_TEST_SUITE_P(Tables, TbFourManWalk, ::testing::Range(6, 36),
                         [](const ::testing::TestParamInfo<int>& table) {
                           return std::string(TbCatalogue[table.param].name);
                         });

// Five men: every legal placement whose own king stands where the
// normalisation puts it (the triangle a1-d1-d4 without pawns, files a-d with
// them); every other placement is an image of one of these, and the images
// are checked to share its index. One own-king square at a time, so that
// each walk's indices fit in memory; the squares give distinct leading king
// pairs, so their index ranges must not overlap.
class TbFiveManWalk : public ::testing::TestWithParam<int> {};

TEST_P(TbFiveManWalk, BothSides) {
  TbBuildIndexTables();
  const int id = GetParam();
  const char* name = TbCatalogue[id].name;
  const bool pawns = std::strchr(name, 'p') != nullptr;
  for (int side = 0; side < 2; ++side) {
    uint64_t largest = 0;
    std::vector<std::pair<uint64_t, uint64_t>> ranges[2];  // ordinary, en passant
    for (int own = 0; own < 64; ++own) {
      if (pawns ? own % 8 >= 4 : !TbInTriangle[own]) continue;
      test::TbWalkOptions options;
      options.kings = [own](int k, int) { return k == own; };
      const test::TbWalkReport r = test::TbCheckSide(id, side, options);
      ASSERT_EQ(r.outOfRange + r.collisions + r.imageFaults, 0u)
          << name << " side " << side << ": " << r.first;
      largest = std::max(largest, r.maxIndex);
      if (r.minIndex <= r.ordinaryMax) ranges[0].push_back({r.minIndex, r.ordinaryMax});
      if (r.epMin <= r.epMax) ranges[1].push_back({r.epMin, r.epMax});
    }
    EXPECT_EQ(largest + 1, TbCatalogue[id].entryCount[side]) << name << " side " << side;
    for (auto& list : ranges) {
      std::sort(list.begin(), list.end());
      for (size_t i = 1; i < list.size(); ++i) {
        EXPECT_GT(list[i].first, list[i - 1].second) << name << " side " << side;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Tables, TbFiveManWalk, ::testing::Range(36, 146),
                         [](const ::testing::TestParamInfo<int>& table) {
                           return std::string(TbCatalogue[table.param].name);
                         });

}  // namespace
}  // namespace galdrik
