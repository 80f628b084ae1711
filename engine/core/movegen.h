// Move generation: the strictly legal moves of a position, or its captures
// and promotions for the quiescence search, with the gives-check byte set
// exactly; and a second generator that builds legal moves directly from
// check and pin masks.
#pragma once

#include <cstdint>

#include "core/board.h"

namespace galdrik {

inline constexpr uint8_t GenAlleZuege = 0;
inline constexpr uint8_t GenRuhesuche = 1;  // captures, en passant, push promotions

Zugliste ZugGenerator(const Stellung& st, uint8_t modus);

// Legal moves in its own encoding (see movegen.cpp); returns the count, also
// stored in the list.
int32_t ZuglisteErzeugen(const Stellung& st, int32_t modus, Zugliste& liste);

}  // namespace galdrik
