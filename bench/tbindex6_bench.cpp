// Six-man index computations per second, as the probe calls them: legal
// placements of one table of each pawnless six-man shape (3 against 3, a
// repeated white kind, three different white kinds) around a few king pairs.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "messen.h"
#include "support/tbwalk.h"
#include "tbindex/catalogue.h"

using namespace galdrik;

namespace {

void Measure(const char* name) {
  int id = 0;
  while (std::string(TbCatalogue[id].name) != name) ++id;
  const std::vector<test::TbMan> men = test::TbMenOf(name);
  const int n = static_cast<int>(men.size());
  std::mt19937_64 random(7);
  for (int side = 0; side < 2; ++side) {
    // A million random legal placements, so the table reads are spread as
    // in a real probe rather than walking one pair in order.
    std::vector<TbPieceList> lists;
    const size_t positions = 1000000;
    lists.reserve(2 * positions);
    int s[6];
    while (lists.size() < 2 * positions) {
      for (int i = 0; i < n; ++i) s[i] = static_cast<int>(random() % 64);
      if (!test::TbLegal(men, s, side)) continue;
      TbPieceList l[2];
      test::TbListsOf(men, s, l);
      lists.push_back(l[0]);
      lists.push_back(l[1]);
    }
    const TbIndexFn fn = TbCatalogueIndexFn(id, side);
    const int rounds = 10;
    uint64_t sum = 0;
    const double seconds = bench::Sekunden([&] {
      for (int r = 0; r < rounds; ++r) {
        for (size_t i = 0; i < positions; ++i) {
          sum += fn(&lists[2 * i], &lists[2 * i + 1], TbNoEnPassant, 0);
        }
      }
    });
    std::printf(
        "%s %s to move (random legal): %zu positions x %d, %.1f million indices/s "
        "(checksum %llu)\n",
        name, side == 0 ? "White" : "Black", positions, rounds,
        static_cast<double>(positions) * rounds / seconds / 1e6,
        static_cast<unsigned long long>(sum));
  }
}

}  // namespace

int main() {
  TbBuildIndexTables();
  Measure("krbkrb");
  Measure("kbbnkn");
  Measure("kqbnkq");
  return 0;
}
