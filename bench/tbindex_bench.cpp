// Index computations per second: every legal placement of kqkr, both sides
// to move, through the catalogue's index functions, as the probe calls them.
#include <cstdio>
#include <vector>

#include "messen.h"
#include "support/tbwalk.h"
#include "tbindex/catalogue.h"

using namespace galdrik;

int main() {
  TbBuildIndexTables();
  int id = 0;
  while (std::string(TbCatalogue[id].name) != "kqkr") ++id;
  const std::vector<test::TbMan> men = test::TbMenOf("kqkr");
  for (int side = 0; side < 2; ++side) {
    std::vector<TbPieceList> lists;
    test::TbWalk("kqkr", side, {}, [&](const int* squares, int) {
      TbPieceList l[2];
      test::TbListsOf(men, squares, l);
      lists.push_back(l[0]);
      lists.push_back(l[1]);
    });
    const TbIndexFn fn = TbCatalogueIndexFn(id, side);
    const size_t positions = lists.size() / 2;
    const int rounds = 10;
    uint64_t sum = 0;
    const double seconds = bench::Sekunden([&] {
      for (int r = 0; r < rounds; ++r) {
        for (size_t i = 0; i < positions; ++i) {
          sum += fn(&lists[2 * i], &lists[2 * i + 1], TbNoEnPassant, 0);
        }
      }
    });
    std::printf("kqkr %s to move: %zu positions x %d, %.1f million indices/s (checksum %llu)\n",
                side == 0 ? "White" : "Black", positions, rounds,
                static_cast<double>(positions) * rounds / seconds / 1e6,
                static_cast<unsigned long long>(sum));
  }
  return 0;
}
