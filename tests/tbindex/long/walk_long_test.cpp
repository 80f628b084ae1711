// Every legal placement of every four-man table, both sides to move: the
// largest index plus one is the catalogue count, no index is shared by
// placements that are not images of each other, the images share theirs,
// and the invert flag and the colour swap read the mirrored positions.
#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace galdrik
