// The block cache of the tablebase files: decoded 8192-byte blocks of every
// table and metric set in one caller-supplied buffer with least-recently-used
// replacement, the files opened on demand, and the entry read that turns a
// table entry into a TbValue.
#pragma once

#include <cstddef>
#include <cstdint>

namespace galdrik {

// TbValue, always from the side to move's view: 0 draw; 32767 no value;
// 32767 - d won in d moves; -32766 + d lost in d moves. 8-bit entries
// convert as TbWertAusEintrag, 16-bit entries are the value itself, where
// raw values below -32766 mean nothing and read as no value.
using TbValue = int32_t;
inline constexpr TbValue TbKeinWert = 32767;

inline constexpr uint32_t TbBlockBytes = 8192;
inline constexpr uint32_t TbCacheAreaBytes = 8228;   // block plus room for the decoder
inline constexpr uint32_t TbCacheEntryBytes = 8260;  // header plus area

// One header of the cache buffer. The links are entry numbers (TbKeinEintrag
// for none), so the buffer holds no pointers into itself.
inline constexpr uint32_t TbKeinEintrag = 0xFFFFFFFFu;
struct TbCacheEntry {
  int32_t working;  // record whose block this is
  int32_t side;
  uint32_t block;  // block number within the side, over all extents
  uint32_t older;  // recency list; in the free list the next free entry
  uint32_t newer;
  uint32_t chainNext;  // bucket chain of the record side
  uint32_t chainPrev;
  uint32_t valid;  // bytes of the block that the file really holds
};
static_assert(sizeof(TbCacheEntry) == 32);

// An open table file (one extent): a descriptor read with 64-bit offsets.
struct TbOpenFile {
  int fd;
};

// Takes the buffer (owned by the caller, at least size bytes) with
// E = size / 8260 entries. 1 when a buffer of at least 32 bytes was taken,
// 0 otherwise (the cache then has no entries).
int32_t TbCacheSet(void* buffer, size_t size);

// Empties the cache: closes every open table file, frees all entries and
// clears the bucket chains of every record.
void TbCacheReset();

// Number of cache entries (0: no cache, every read answers no value).
uint32_t TbCacheEntryCount();

// Closes every open table file of all records; cached blocks stay valid.
void TbCloseAllFiles();

// The entry of a table side at a 64-bit index, as a TbValue. Takes the
// probe lock.
TbValue TbProbeTable(int32_t working, int32_t side, uint64_t index);

// The byte at offset 0..8191 of a decoded block as a signed number, or 32767
// when the block cannot be read or the file ends before that byte. Takes the
// probe lock.
int32_t TbReadBlock(int32_t working, int32_t side, uint32_t block, uint32_t offset);

// TbValue of a raw 8-bit entry.
TbValue TbWertAusEintrag(int8_t r);

// The probe lock guards the cache, the open files and the decode block, so
// the search, the move-sequence job and the analysis may probe at once. Only
// the benchmark switches it off, to measure what it costs.
void TbSperreBenutzen(bool an);

}  // namespace galdrik
