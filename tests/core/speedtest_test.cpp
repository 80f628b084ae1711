// The flood fill timed by the speed test: the 6th rank walls it in, and
// nothing leaks across a board edge.
#include <gtest/gtest.h>

#include "core/speedtest.h"

namespace galdrik {
namespace {

TEST(Flutfuellung, BleibtInIhremGebiet) {
  constexpr Bitboard Reihen1bis5 = 0xFFFFFFFFFFULL, Reihen7und8 = 0xFFFFULL << 48;
  const struct {
    Bitboard start, ergebnis;
  } faelle[] = {
      {1, Reihen1bis5},                  // a1, as the speed test starts
      {Bitboard{1} << 39, Reihen1bis5},  // h5, next to the wall
      {Bitboard{1} << 48, Reihen7und8},  // a7: above the wall
      {Bitboard{1} << 63, Reihen7und8},  // h8
      // e6, inside the wall: steps over it both ways, keeps itself
      {Bitboard{1} << 44, Reihen1bis5 | Reihen7und8 | Bitboard{1} << 44},
      {0, 0},
  };
  for (const auto& f : faelle) EXPECT_EQ(Flutfuellung(f.start), f.ergebnis) << std::hex << f.start;
}

}  // namespace
}  // namespace galdrik
