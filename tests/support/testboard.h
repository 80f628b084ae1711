// Test helper: builds a fully derived Stellung from the board and side
// fields of a FEN-like text, independent of the engine's own FEN reader.
#pragma once

#include <string>

#include "core/board.h"

namespace galdrik::test {

// "placement side castling ep", e.g. "4k3/8/8/8/8/8/8/R3K2R w KQ -".
Stellung Brett(const std::string& text);

// Square index from its name ("e4").
int Feld(const char* name);

// The colour mirror: ranks flipped, colours, castling rights, check flags
// and side to move exchanged.
Stellung Gespiegelt(const Stellung& st);

}  // namespace galdrik::test
