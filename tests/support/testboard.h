// Test helper: builds a fully derived Stellung from the board and side
// fields of a FEN-like text, independent of the engine's own FEN reader.
#pragma once

#include <initializer_list>
#include <string>

#include "core/board.h"

namespace galdrik::test {

// "placement side castling ep", e.g. "4k3/8/8/8/8/8/8/R3K2R w KQ -".
Stellung Brett(const std::string& text);

// Square index from its name ("e4").
int Feld(const char* name);

// The board of the named squares ({"e4", "d5"}).
Bitboard Felder(std::initializer_list<const char*> namen);

// The colour mirror: ranks flipped, colours, castling rights, check flags
// and side to move exchanged.
Stellung Gespiegelt(const Stellung& st);

// Is the side to move in check?
bool ImSchach(const Stellung& st);

// Plain minimax over legal moves, independent of every search routine: can
// the side to move force mate within n of its own moves?
bool MattInHoechstens(const Stellung& st, int n);

}  // namespace galdrik::test
