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

// The legal moves (mode 0) or the captures, en-passant captures and push
// promotions (mode 1; all legal moves while a king is in check), in the
// generator's fixed order: pawns (per pawn: push or the four push
// promotions queen, rook, bishop, knight, double push, captures by
// ascending to-square), knights, bishops, rooks, queens, king, castling;
// each group by ascending from-square. Moving piece signed, captured piece
// from the board (the pawn for en passant), gives-check byte exact. An empty
// list when remisMaterial is 1. Working state is per call: any thread may
// call it. A board with more than 256 legal moves (impossible in chess)
// gets the first 256.
Zugliste ZugGenerator(const Stellung& st, uint8_t modus);

// The same into a caller's list (saves copying 2 KB per call).
void ZugGenerator(const Stellung& st, uint8_t modus, Zugliste& liste);

// Legal moves built from check and pin masks, in its own encoding: moving
// piece signed, captured piece from figurenfeld of the to-square (0 for en
// passant), Zugart 2 for a capture (en passant included), 4 for a double
// push landing beside an enemy pawn, 16/32/64/128 for push promotions and
// 18/34/66/130 for capture promotions (knight..queen), 1 for castling;
// gives-check and en-passant bytes 0. Mode 1: captures (en passant included)
// and capture promotions only. Ignores remisMaterial. Returns the count,
// also stored in the list; at most 256 moves are written.
int32_t ZuglisteErzeugen(const Stellung& st, int32_t modus, Zugliste& liste);

}  // namespace galdrik
