// The table catalogue: every table the system can read, by id, with its
// layout flags, its name, the entry counts of both sides' files and its two
// index functions. The rows are generated data (tools/tbcatalogue_gen.py).
#pragma once

#include <cstdint>

#include "tbindex/indexscheme.h"

namespace galdrik {

inline constexpr int32_t TbTableCount = 441;  // ids 0..440; 0 is "kk"

// Flag bits of a table.
inline constexpr uint32_t TbFlagSymmetric = 1;  // only the white-to-move file exists
inline constexpr uint32_t TbFlag16Bit = 2;      // two bytes per entry, low byte first
inline constexpr uint32_t TbFlagSplit = 4;      // each side stored as 2^31-byte extents

// Sides of a table: 0 White to move (".nbw"), 1 Black to move (".nbb").
inline constexpr int32_t TbSideWhite = 0;
inline constexpr int32_t TbSideBlack = 1;

struct TbCatalogueRow {
  int32_t id;
  uint32_t flags;
  char name[8];            // "k", white men, "k", black men; NUL-terminated
  uint64_t entryCount[2];  // entries of the white- and black-to-move file
};

// The 441 rows, row i holding id i.
extern const TbCatalogueRow TbCatalogue[TbTableCount];

// The index function of a table side (0 White to move, 1 Black to move).
// Null for id 0, for ids or sides out of range, and for tables whose class of
// index functions is not built yet: such a table is never readable.
// Black to move of a symmetric table gives the index of the colour-reversed
// position in the white-to-move file.
TbIndexFn TbCatalogueIndexFn(int32_t id, int32_t side);

// Number of men of a table, kings included (2..6); 0 for an id out of range.
int32_t TbCatalogueMen(int32_t id);

}  // namespace galdrik
