// King-pawn-king bitbase: for every placement of a king and a pawn against a
// lone king, and either side to move, whether the side with the pawn wins.
// Computed in memory once at start-up by retrograde passes and kept until
// teardown; read by the pawn-ending evaluation and the corresponding squares.
#pragma once

#include <cstdint>

namespace galdrik {

// Two bits (lone king's side to move, pawn's side to move) for each of
// 24 pawn slots (files a-d, ranks 2-7) x 64 x 64 king squares.
inline constexpr int BitbaseKBKGroesse = 24 * 64 * 64 * 2 / 8;

// Builds the table: 0, or -1 when its memory cannot be had (the table is
// then absent). A table built earlier is replaced.
int32_t BitbaseKBKGenerieren();

// Frees the table; probes answer -1 afterwards.
void BitbaseKBKFreigeben();

// Probe for a White pawn, squares as on the board. amZug 1: White (the pawn's
// side) to move, any other value: Black. 1 White wins, 0 not a win, -1 no table.
int32_t BitbaseKBKAbfrage2(uint8_t bauer, uint8_t koenig, uint8_t einzelKoenig, uint8_t amZug);

// Probe for a Black pawn, squares as on the board. amZug nonzero: White (the
// lone king's side) to move, 0: Black. 1 Black wins, 0 not a win, -1 no table.
int32_t BitbaseKBKAbfrage(uint8_t bauer, uint8_t koenig, uint8_t einzelKoenig, uint8_t amZug);

// The table's bytes (nullptr while absent), for tests and statistics.
const uint8_t* BitbaseKBKDaten();

}  // namespace galdrik
