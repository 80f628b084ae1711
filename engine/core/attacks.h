// Line geometry between squares, for the move generator's check and pin
// masks: the squares strictly between two squares on one line, and the whole
// line through them. The tables are built by the compiler.
#pragma once

#include <array>

#include "core/board.h"

namespace galdrik {

using LinienTabelle = std::array<std::array<Bitboard, 64>, 64>;

// Squares strictly between a and b when they share a rank, file or diagonal;
// empty otherwise (and for a = b).
extern const LinienTabelle Zwischen;

// Every square of the rank, file or diagonal through a and b, both included;
// empty when they share none (and for a = b).
extern const LinienTabelle Gerade;

// The squares a rook (or a bishop) on the square reaches on an empty board.
extern const std::array<Bitboard, 64> TurmStrahlen;
extern const std::array<Bitboard, 64> LaeuferStrahlen;

}  // namespace galdrik
