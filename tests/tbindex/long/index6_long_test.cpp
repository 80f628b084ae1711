// Every six-man pawnless table side: the count rule on the last king pair,
// and for one table of each shape every check of the harness (range,
// injectivity, board images, colour swap) over a whole king pair.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/tbwalk.h"
#include "tbindex/catalogue.h"
#include "tbindex/layout.h"

namespace galdrik {
namespace {

std::vector<int> SixManPawnlessIds() {
  std::vector<int> ids;
  for (int id = 0; id < TbTableCount; ++id) {
    if (TbSixManPawnless(id)) ids.push_back(id);
  }
  return ids;
}

std::string NameOf(const ::testing::TestParamInfo<int>& table) {
  return TbCatalogue[table.param].name;
}

int CountSide(int id, int side) { return (TbCatalogue[id].flags & TbFlagSymmetric) ? 0 : side; }

class TbSixManCount : public ::testing::TestWithParam<int> {};

TEST_P(TbSixManCount, LastPair) {
  TbBuildIndexTables();
  const int id = GetParam();
  for (int side = 0; side < 2; ++side) {
    test::TbWalkOptions last;
    last.kings = [](int own, int other) { return own == 27 && other == 63; };  // d4, h8
    last.checkInjective = last.checkImages = false;
    const test::TbWalkReport r = test::TbCheckSide(id, side, last);
    EXPECT_EQ(r.maxIndex + 1, TbCatalogue[id].entryCount[CountSide(id, side)])
        << TbCatalogue[id].name << " side " << side;
    EXPECT_EQ(r.outOfRange, 0u) << TbCatalogue[id].name << " side " << side << ": " << r.first;
  }
}

INSTANTIATE_TEST_SUITE_P(Tables, TbSixManCount, ::testing::ValuesIn(SixManPawnlessIds()), NameOf);

class TbSixManPairs : public ::testing::TestWithParam<int> {};

TEST_P(TbSixManPairs, FullChecks) {
  TbBuildIndexTables();
  const int id = GetParam();
  for (int side = 0; side < 2; ++side) {
    // Both kings on the diagonal, where the board is not reflected and the
    // images in the diagonal must keep their own indices.
    test::TbWalkOptions pair;
    pair.kings = [](int own, int other) { return own == 18 && other == 45; };  // c3, f6
    const test::TbWalkReport r = test::TbCheckSide(id, side, pair);
    EXPECT_EQ(r.outOfRange + r.collisions + r.imageFaults, 0u)
        << TbCatalogue[id].name << " side " << side << ": " << r.first;
  }
}

// knnknn, kbnkbn, kqrkqb, kbnnkn, kbbnkn, kqbnkq.
INSTANTIATE_TEST_SUITE_P(Shapes, TbSixManPairs, ::testing::Values(146, 180, 200, 267, 268, 343),
                         NameOf);

}  // namespace
}  // namespace galdrik
