// The engine-wide search switches that other parts read while they work.
// For now this holds only what the evaluation needs (the corresponding-squares
// mode); the search adds its own switches here when it is built.
#pragma once

#include <atomic>
#include <cstdint>

namespace galdrik {

struct Suchoptionen {
  // Corresponding-squares (Gegenfeld) mode for pawn endings: 0 off, 1 locked
  // pawns only, 2 blocked or guarded fronts, 3 any pawn structure. Atomic
  // because the program may set it while a worker thread evaluates.
  std::atomic<int32_t> gegenfeldModus{1};
};

// The one set of switches of this engine.
Suchoptionen& SuchOptionen();

}  // namespace galdrik
