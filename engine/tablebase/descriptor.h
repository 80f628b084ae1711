// The working tablebase records: one TbDescriptor per table and metric set,
// the catalogue's constant fields plus what registration, file opening and
// the block cache fill in at run time, and the five accessors through which
// everything else reads them.
#pragma once

#include <cstdint>

#include "tbindex/catalogue.h"
#include "tbindex/indexscheme.h"

namespace galdrik {

// Owned by the layers that define them: the open read-only file of an extent
// (block cache), the block index and decoding tables of a compressed file,
// and one cached block.
struct TbOpenFile;
struct TbDecodeInfo;
struct TbCacheEntry;

inline constexpr int32_t TbSetCount = 7;                              // metric sets 0 DTM .. 6 DTR
inline constexpr int32_t TbWorkingCount = TbSetCount * TbTableCount;  // 3087
inline constexpr int32_t TbMaxExtents = 18;
inline constexpr int32_t TbBucketCount = 32;

struct TbDescriptor {
  int32_t id;                                 // table id, the row of the catalogue
  uint32_t flags;                             // TbFlagSymmetric | TbFlag16Bit | TbFlagSplit
  TbIndexFn indexFn[2];                       // per side; null for "kk" and unbuilt classes
  char name[8];                               // "kqkr"
  uint64_t entryCount[2];                     // entries per side; an index at or above is no value
  char* fileName[2][TbMaxExtents];            // registered name, owned; null = none
  TbOpenFile* file[2][TbMaxExtents];          // open stream; null = closed
  TbDecodeInfo* decodeInfo[2][TbMaxExtents];  // compressed files only; owned
  TbCacheEntry** buckets[2];  // TbBucketCount chain heads, allocated at first registration
  void* memTable[2];          // reserved, always null
};

// The working records: index s * 441 + id for metric set s. Registration
// writes them (never while another thread probes); everyone else reads them
// through the accessors below.
extern TbDescriptor TbDescriptorSets[TbWorkingCount];

// Makes a record the catalogue's row for id with every run-time field null.
// Frees nothing: the caller releases owned fields first.
void TbDescriptorFromCatalogue(TbDescriptor& d, int32_t id);

// Extent count of a side with the given flags and entry count: 1 when not
// split, else (count >> 31) + 1 for 8-bit and (count >> 30) + 1 for 16-bit
// entries. Exactly 2^31 8-bit entries count 2 extents (the second empty),
// as the file naming expects; the catalogue has no such side.
int32_t TbExtentCount(uint32_t flags, uint64_t entryCount);

// The five accessors. All take the working index 0..3086 first; an index,
// side, colour or extent out of range reads as "nothing there" (empty name,
// zeros, 0, null) instead of touching memory.

// colour 1 = White to move (side 0, ".nbw"), 0 = Black to move (side 1);
// reads side 1 - colour without the symmetric rule. Copies the registered
// name (or "") into buffer, which must hold the longest registered name
// (1024 bytes are always enough).
void TbFileName(int32_t working, int32_t colour, int32_t extent, char* buffer);

// The three flags as 0/1, both entry counts and both extent counts.
void TbFileInfo(int32_t working, int32_t* symmetric, int32_t* entries16, int32_t* split,
                uint64_t* count0, uint64_t* count1, int32_t* extents0, int32_t* extents1);

// 1 when that extent has a registered name; side forced to 0 on symmetric tables.
int32_t TbRegistered(int32_t working, int32_t side, int32_t extent);

// 1 when any extent below the side's extent count (from the side's own entry
// count) has a registered name, read on side 0 for symmetric tables.
int32_t TbAnyPartRegistered(int32_t working, int32_t side);

// The side's index function (null when the table has none).
TbIndexFn TbIndexFunction(int32_t working, int32_t side);

}  // namespace galdrik
