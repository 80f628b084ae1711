// Evaluation of positions with nothing but kings and pawns: the bitbase, the
// stalemate test, the two-against-one rule, the corresponding squares, the
// table of drawn pawn patterns and otherwise a pawn race count.
#pragma once

#include <cstdint>

#include "core/board.h"

namespace galdrik {

// White's view. Clears st.remisMaterial and sets it only for a stalemate
// (score 0); a recognised draw scores +1 or -1 so that the search can still
// tell it from stalemate. Missing kings (square 64 or beyond) are allowed.
int16_t BauernendspielBewerten(Stellung& st, int32_t gegenfeldModus);

// Two White pawns (a-file and c6, or mirrored to the h-side) against the
// Black a7-pawn: 0 when the placement is a known draw, 1 otherwise. amZug 1
// White, 0 Black to move; any other value gives 1.
uint8_t EndspielRegelBauer(uint8_t koenigW, uint8_t bauer1, uint8_t bauer2, uint8_t koenigS,
                           uint8_t bauerS, uint8_t amZug);

// 0 when the pawns and kings match a known drawn pattern (White's extra
// pawn on the g- or h-file that cannot break through); otherwise +1 with
// White to move and -1 with Black to move. Kings as boards (empty: no king).
int32_t EndspielRegelTabelle(Bitboard bauernW, Bitboard koenigW, Bitboard bauernS, Bitboard koenigS,
                             uint8_t amZug);

}  // namespace galdrik
