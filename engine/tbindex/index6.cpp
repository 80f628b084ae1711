// The six-man tables without pawns: three men against three and four against
// two. Their index functions follow the general description of a table side
// unchanged; this file says which tables belong to the class and checks that
// the catalogue rows are the materials the class expects.
#include "tbindex/layout.h"

#include <cstring>

#include "tbindex/catalogue.h"

namespace galdrik {

namespace {

// Each side its king and two pieces, or White three pieces and Black one.
constexpr int kThreeAgainstThreeFirst = 146, kThreeAgainstThreeLast = 200;
constexpr int kFourAgainstTwoFirst = 266, kFourAgainstTwoLast = 345;

}  // namespace

bool TbSixManPawnless(int32_t id) {
  const bool inClass = (id >= kThreeAgainstThreeFirst && id <= kThreeAgainstThreeLast) ||
                       (id >= kFourAgainstTwoFirst && id <= kFourAgainstTwoLast);
  // A row that is not six men without a pawn keeps its index functions off,
  // so a wrong catalogue edit cannot read entries of another material.
  return inClass && TbCatalogueMen(id) == 6 && std::strchr(TbCatalogue[id].name, 'p') == nullptr;
}

}  // namespace galdrik
