// Every table of the working records has both index functions, and each
// side's index space holds the catalogue's entry count.
#include <gtest/gtest.h>

#include <cstring>

#include "tablebase/descriptor.h"
#include "tbindex/layout.h"

namespace galdrik {
namespace {

TEST(TbAllTables, BothIndexFunctionsInEveryRecord) {
  TbBuildIndexTables();
  for (int i = 0; i < TbWorkingCount; ++i)
    TbDescriptorFromCatalogue(TbDescriptorSets[i], i % TbTableCount);
  // The six-man pawnless class is built on a branch of its own: its tables
  // are checked as soon as any of them has a function, and then all must.
  bool pawnlessSix = false;
  for (int id = 1; id < TbTableCount; ++id) {
    if (TbCatalogueMen(id) == 6 && !std::strchr(TbCatalogue[id].name, 'p'))
      pawnlessSix |= TbCatalogueIndexFn(id, 0) != nullptr;
  }
  int tables = 0;
  for (int set = 0; set < TbSetCount; ++set) {
    for (int id = 1; id < TbTableCount; ++id) {
      const int working = set * TbTableCount + id;
      const TbDescriptor& d = TbDescriptorSets[working];
      if (!pawnlessSix && TbCatalogueMen(id) == 6 && !std::strchr(d.name, 'p')) continue;
      ++tables;
      for (int side = 0; side < 2; ++side) {
        const TbIndexFn fn = TbIndexFunction(working, side);
        ASSERT_NE(fn, nullptr) << d.name << " side " << side;
        EXPECT_EQ(fn, TbCatalogueIndexFn(id, side));
        const int read = (d.flags & TbFlagSymmetric) ? 0 : side;
        EXPECT_GE(TbIndexSpace(id, side), d.entryCount[read]) << d.name << " side " << side;
      }
    }
  }
  EXPECT_EQ(tables, TbSetCount * (pawnlessSix ? 440 : 440 - 135));
}

}  // namespace
}  // namespace galdrik
