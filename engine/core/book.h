// The opening book as the root search sees it: a book move for a position.
#pragma once

#include <cstdint>

#include "core/board.h"

namespace galdrik {

// Index into the legal move list of the book move chosen for the position
// (by weight and the given variety), or -1 when the book has none.
int32_t BuchZugSuchen(const Stellung& st, const Zugliste& zuege, int32_t varianz);

}  // namespace galdrik
