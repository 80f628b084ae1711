// Index computations per second, as the probe calls them: every legal
// placement of kqkr, both sides to move, and for five men (kbnkr, kppkp)
// every legal placement of a few king pairs.
#include <cstdio>
#include <string>
#include <vector>

#include "messen.h"
#include "support/tbwalk.h"
#include "tbindex/catalogue.h"

using namespace galdrik;

namespace {

void Measure(const char* name, const test::TbWalkOptions& options, const char* scope) {
  int id = 0;
  while (std::string(TbCatalogue[id].name) != name) ++id;
  const std::vector<test::TbMan> men = test::TbMenOf(name);
  for (int side = 0; side < 2; ++side) {
    std::vector<TbPieceList> lists;
    std::vector<int> eps;
    test::TbWalk(name, side, options, [&](const int* squares, int ep) {
      TbPieceList l[2];
      test::TbListsOf(men, squares, l);
      lists.push_back(l[0]);
      lists.push_back(l[1]);
      eps.push_back(ep);
    });
    const TbIndexFn fn = TbCatalogueIndexFn(id, side);
    const size_t positions = eps.size();
    const int rounds = 10;
    uint64_t sum = 0;
    const double seconds = bench::Sekunden([&] {
      for (int r = 0; r < rounds; ++r) {
        for (size_t i = 0; i < positions; ++i) {
          sum += fn(&lists[2 * i], &lists[2 * i + 1], eps[i], 0);
        }
      }
    });
    std::printf("%s %s to move (%s): %zu positions x %d, %.1f million indices/s (checksum %llu)\n",
                name, side == 0 ? "White" : "Black", scope, positions, rounds,
                static_cast<double>(positions) * rounds / seconds / 1e6,
                static_cast<unsigned long long>(sum));
  }
}

}  // namespace

int main() {
  TbBuildIndexTables();
  Measure("kqkr", {}, "all");
  test::TbWalkOptions few;
  few.kings = [](int own, int other) { return own == 19 && other >= 56; };
  Measure("kbnkr", few, "own king d3, other king on rank 8");
  Measure("kppkp", few, "own king d3, other king on rank 8");
  return 0;
}
