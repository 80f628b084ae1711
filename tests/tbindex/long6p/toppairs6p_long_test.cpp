// Six-man tables with pawns, both sides to move: every legal placement on
// the highest king pairs, where the largest index of a side lies since the
// pair leads every index. Its largest index plus one is the catalogue count.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/tbwalk.h"
#include "tbindex/catalogue.h"
#include "tbindex/layout.h"

namespace galdrik {
namespace {

int Sq(const char* name) { return (name[1] - '1') * 8 + (name[0] - 'a'); }

class TbSixPawnTopPairs : public ::testing::TestWithParam<int> {};

TEST_P(TbSixPawnTopPairs, LargestIndexIsTheCount) {
  TbBuildIndexTables();
  const int id = GetParam();
  const TbCatalogueRow& row = TbCatalogue[id];
  for (int side = 0; side < 2; ++side) {
    // The last pair is d8-h8, or d1-h1 on Black's flipped board; an
    // en-passant block, never flipped, comes last of all.
    const TbSideLayout& L = TbLayout(id, side);
    const bool flipped = L.flip && L.enPassant == TbEpNone;
    const int own = flipped ? Sq("d1") : Sq("d8"), other = flipped ? Sq("h1") : Sq("h8");
    test::TbWalkOptions top;
    top.kings = [own, other](int o, int k) { return o == own && k == other; };
    top.checkInjective = top.checkImages = false;
    const test::TbWalkReport r = test::TbCheckSide(id, side, top);
    const int read = (row.flags & TbFlagSymmetric) ? 0 : side;
    EXPECT_EQ(r.maxIndex + 1, row.entryCount[read]) << row.name << " side " << side;
    EXPECT_EQ(r.outOfRange, 0u) << row.name << " side " << side << ": " << r.first;
  }
}

std::vector<int> SixManPawnIds() {
  std::vector<int> ids;
  for (int id = 1; id < TbTableCount; ++id) {
    if (TbCatalogueMen(id) == 6 && std::strchr(TbCatalogue[id].name, 'p')) ids.push_back(id);
  }
  return ids;
}

INSTANTIATE_TEST_SUITE_P(Tables, TbSixPawnTopPairs, ::testing::ValuesIn(SixManPawnIds()),
                         [](const ::testing::TestParamInfo<int>& table) {
                           return std::string(TbCatalogue[table.param].name);
                         });

}  // namespace
}  // namespace galdrik
