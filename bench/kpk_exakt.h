// An exact king-pawn-king solver (promotion to queen or rook played, stalemate
// and the capture of the new piece seen), to measure how far the engine's
// bitbase, which plays no promotion, departs from the true results.
#pragma once

#include <cstdint>
#include <vector>

namespace galdrik::bench {

// Indexed like the bitbase (pawn square 0..63 x White king x Black king),
// White pawn, files a-h; bit 0 Black to move won, bit 1 White to move won.
std::vector<uint8_t> KpkExaktLoesen();

}  // namespace galdrik::bench
