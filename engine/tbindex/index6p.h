// Six-man tables with pawns (three against three, four against two): the
// order of their appended men, the thunks of the symmetric tables, and the
// numbering of their en-passant positions behind the ordinary range.
#pragma once

#include <cstdint>

#include "tbindex/layout.h"

namespace galdrik {

// A six-man table with at least one pawn.
bool TbSixManPawnTable(int32_t id);

// Turns the general description of a side of such a table into the table's
// own: appended digit and placement order, radices, thunk and en-passant kind.
void TbSixManPawnLayout(TbSideLayout& layout);

// Size of the en-passant block of a side; 0 for a side without one.
uint64_t TbSixManPawnEnPassantSpace(const TbSideLayout& layout);

// Index of an en-passant position: e, K and k are normalised with `mask`
// (never flipped), `base` is the size of the side's ordinary range.
uint64_t TbSixManPawnEnPassantIndex(const TbSideLayout& layout, const TbPieceList* const lists[2],
                                    int mask, int e, int K, int k, uint64_t base);

}  // namespace galdrik
