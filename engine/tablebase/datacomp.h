// DATACOMP compressed table files: the header with its block index and
// Huffman code, read once when a file is registered, and the decoding of
// single 8192-byte blocks on demand for the block cache.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

namespace galdrik {

// The first 29 banner bytes. The 31 bytes after them carry the compressor's
// notice, which differs between compressors, so they are not compared.
inline constexpr char DatacompBannerPrefix[] = "Compressed by DATACOMP v 1.0 ";
inline constexpr int DatacompBannerPrefixLen = 29;
inline constexpr int DatacompBannerLen = 60;
inline constexpr int DatacompDistances = 24;
inline constexpr uint32_t DatacompMagic = 0x004001F5;
inline constexpr int DatacompSymbols = 1024;
inline constexpr int DatacompLookupBits = 13;
// The only block size the system accepts (2^13).
inline constexpr uint32_t DatacompBlockSize = 8192;
inline constexpr uint32_t DatacompBlockTag = 0x79A3F29D;

// Why a header could not be read; the texts are those the registration
// writes after "*** Unable to read %s - ".
enum class DatacompFehler { Keiner, ReadError, OutOfMemory, FileBroken };
const char* DatacompFehlerText(DatacompFehler fehler);

// CRC-32 of the header and blocks: the reflected table rule without
// inversion before or after. "abc" from 0 gives 0xCADBBEC2.
uint32_t TbBlockCrc(const uint8_t* bytes, size_t length, uint32_t start);

// What decoding the blocks of one compressed extent needs.
struct TbDecodeInfo {
  // 2^13 direct entries answering the next 13 bits, then the pairs of the
  // codes longer than that (negative entries lead to a pair).
  std::vector<int16_t> mainTable;
  uint32_t distance[DatacompDistances] = {};
  int blockBits = 0;           // B
  uint32_t blockSize = 0;      // 2^B
  uint32_t lastBlockSize = 0;  // decoded size of block N - 1
  uint32_t blockCount = 0;     // N
  // Block index: a 64-bit base offset per group of blocks and a 16-bit
  // difference per block 0..N. A group holds 8 blocks of 8192 bytes, so the
  // differences stay below 2^16 (fewer for larger blocks).
  int groupShift = 3;
  std::vector<uint64_t> base;
  std::vector<uint16_t> delta;

  // Offset of block i (0..N) in the file; N gives the end of the last block.
  uint64_t Offset(uint32_t i) const { return base[i >> groupShift] + delta[i]; }
  // Decoded bytes of the extent: (N - 1) full blocks and the last one.
  uint64_t DecodedBytes() const { return uint64_t(blockCount - 1) * blockSize + lastBlockSize; }
};

// The core's one work area for decoding: the state of the block in hand,
// tagged, and the stored bytes of that block with room for the bit reader
// to look a few bytes past them.
struct DatacompDecodeBlock {
  uint32_t tag = DatacompBlockTag;
  uint32_t capacity = 0;  // largest stored block it takes
  uint32_t block = 0;     // block number last decoded
  uint32_t decodedLength = 0;
  uint32_t storedLength = 0;
  std::unique_ptr<uint8_t[]> input;
};

// Reads and checks the header of an open compressed file (a descriptor,
// read with 64-bit offsets). On failure gives null and the reason; nothing
// is kept.
std::unique_ptr<TbDecodeInfo> DatacompReadIndex(int fd, DatacompFehler& fehler);

// Bit stream read most significant bit first. Reads past the end see zero
// bits and mark the reader as overrun, so a corrupt stream is caught by
// checking Overrun() instead of reading out of bounds.
class DatacompBitReader {
 public:
  DatacompBitReader(const uint8_t* bytes, size_t length) : bytes_(bytes), length_(length) {}

  uint32_t Peek(int n) const {
    const size_t byte = pos_ >> 3;
    uint64_t v;
    if (byte + 8 <= length_) {
      std::memcpy(&v, bytes_ + byte, 8);
      v = __builtin_bswap64(v);
    } else {
      v = 0;
      for (size_t i = 0; i < 8; ++i) v = (v << 8) | (byte + i < length_ ? bytes_[byte + i] : 0u);
    }
    v <<= (pos_ & 7);
    return n == 0 ? 0 : uint32_t(v >> (64 - n));
  }
  void Skip(int n) { pos_ += uint64_t(n); }
  uint32_t Take(int n) {
    const uint32_t v = Peek(n);
    Skip(n);
    return v;
  }
  bool Overrun() const { return pos_ > uint64_t(length_) * 8; }
  uint64_t BitPosition() const { return pos_; }

 private:
  const uint8_t* bytes_;
  size_t length_;
  uint64_t pos_ = 0;
};

// Builds the decoding table of a canonical code from its lengths: n symbols,
// L lookup bits; the table needs 2^L + 2n entries. Fails (non-zero) for a
// length above 31, a single code longer than 1 and a code that is not a
// complete prefix code.
int DatacompBuildHuffman(std::span<int16_t> table, const uint8_t* lengths, int n, int lookupBits);

// Reads `count` code lengths of a code description; 0 or non-zero on a
// broken description (a run past the end, a bad code, reading past the
// stream).
int DatacompReadTables(DatacompBitReader& reader, uint8_t* lengths, int count);

// One symbol of a code built by DatacompBuildHuffman.
inline int DatacompSymbol(DatacompBitReader& reader, const int16_t* table, int lookupBits) {
  int e = table[reader.Peek(lookupBits)];
  if (e >= 0) {
    reader.Skip(e & 31);
    return e >> 5;
  }
  reader.Skip(lookupBits);
  do e = table[-e + int(reader.Take(1))];
  while (e < 0);
  return e;
}

// Allocates a decode block for stored blocks up to blockSize bytes: 0, or
// 225287 without a place for the pointer, 226053 when memory runs out.
int TbAllocDecodeBlock(std::unique_ptr<DatacompDecodeBlock>* out, uint32_t blockSize);

// Reads block `block` of the extent from the file and decodes it into out,
// which takes info.blockSize bytes. False for a block number out of range, a
// failed read, a stored or decoded size the decode block cannot take, and a
// corrupt block (a distance beyond the bytes decoded, reading past the
// stored bytes).
bool DatacompDecode(const TbDecodeInfo& info, int fd, uint32_t block, uint8_t* out,
                    DatacompDecodeBlock& work);

// The core's decode block: null until TbInitialise allocates it once a
// compressed file was registered. Callers hold the probe lock around its
// use.
DatacompDecodeBlock* TbDecodeBlock();
void TbDecodeBlockSetzen(std::unique_ptr<DatacompDecodeBlock> block);

// The same decoding through the core's decode block; false when it is not
// allocated.
bool DatacompDecode(const TbDecodeInfo& info, int fd, uint32_t block, uint8_t* out);

}  // namespace galdrik
