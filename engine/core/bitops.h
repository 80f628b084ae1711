// Bit operations on bitboards: population count and bit scans.
// Everything the board, evaluation and search need of the processor's
// bit instructions goes through these few inline functions.
#pragma once

#include <bit>
#include <cstdint>

namespace galdrik {

using Bitboard = uint64_t;

inline int BitAnzahl(Bitboard b) { return std::popcount(b); }

// Index of the lowest set bit; the board must not be empty.
inline int ErstesBit(Bitboard b) { return std::countr_zero(b); }

// Index of the highest set bit; the board must not be empty.
inline int LetztesBit(Bitboard b) { return 63 - std::countl_zero(b); }

// Removes the lowest set bit and returns its index; the board must not be empty.
inline int ErstesBitEntfernen(Bitboard& b) {
  int s = std::countr_zero(b);
  b &= b - 1;
  return s;
}

}  // namespace galdrik
