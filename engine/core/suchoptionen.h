// The engine-wide search switches (set by the program between searches) that
// the search, the evaluation and the book read while they work.
#pragma once

#include <atomic>
#include <cstdint>

namespace galdrik {

// Each byte switch is active when exactly 1.
struct Suchoptionen {
  uint8_t nullzug = 1;
  uint8_t futility = 1;
  uint8_t erweiterungen = 1;
  uint8_t hashtabelle = 1;
  uint8_t buch = 1;
  uint8_t tablebases = 0;
  uint8_t ponder = 0;  // kept for the program; nothing in the engine reads it
  uint8_t still = 0;   // kept for the program; nothing in the engine reads it
  int32_t buchVarianz = 0;
  // Corresponding-squares (Gegenfeld) mode for pawn endings: 0 off, 1 locked
  // pawns only, 2 blocked or guarded fronts, 3 any pawn structure. Atomic
  // because the program may set it while a worker thread evaluates.
  std::atomic<int32_t> gegenfeldModus{1};

  // Back to the defaults of engine start-up.
  void zuruecksetzen() {
    nullzug = futility = erweiterungen = hashtabelle = buch = 1;
    tablebases = ponder = still = 0;
    buchVarianz = 0;
    gegenfeldModus = 1;
  }
};

// The one set of switches of this engine.
Suchoptionen& SuchOptionen();

}  // namespace galdrik
