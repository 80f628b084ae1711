// DATACOMP reading: every field of a header is checked against the bytes
// actually present before it is used, and a block that asks for bytes it
// does not have fails, so a corrupt file never reads or writes out of bounds.
#include "tablebase/datacomp.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

namespace galdrik {

namespace {

constexpr std::array<uint32_t, 256> CrcTabelle() {
  std::array<uint32_t, 256> t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? c >> 1 : (c >> 1) ^ 0xEDB88320u;
    t[i] = c;
  }
  return t;
}
constexpr std::array<uint32_t, 256> Crc = CrcTabelle();

uint32_t Be32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// pread until all bytes are in or the file ends; the count read.
size_t LiesAlles(int fd, uint8_t* ziel, size_t anzahl, uint64_t offset) {
  size_t gelesen = 0;
  while (gelesen < anzahl) {
    const ssize_t n = ::pread(fd, ziel + gelesen, anzahl - gelesen, off_t(offset + gelesen));
    if (n <= 0) break;
    gelesen += size_t(n);
  }
  return gelesen;
}

// Entries of a decoding table for n symbols with L lookup bits.
constexpr size_t TabellenGroesse(int n, int lookupBits) {
  return (size_t(1) << lookupBits) + 2 * size_t(n);
}

// Lengths of the two codes of a description (64 symbols each) and of the
// main code: built on the stack per call, so readers never share them.
struct Beschreibungscodes {
  std::array<int16_t, TabellenGroesse(64, 8)> a;
  std::array<int16_t, TabellenGroesse(64, 8)> b;
};

// Lengths of a small code (count <= 128): a width, then lengths of that
// width, each zero followed by a 4-bit count of further zeros.
int KleineLaengenLesen(DatacompBitReader& r, uint8_t* lengths, int count) {
  if (r.Take(1) == 1) {
    std::fill(lengths, lengths + count, uint8_t(0));
    return r.Overrun() ? 1 : 0;
  }
  const int breite = int(r.Take(5));
  int i = 0;
  while (i < count) {
    const uint32_t laenge = r.Take(breite);
    lengths[i++] = uint8_t(laenge);
    if (laenge == 0) {
      const int lauf = int(r.Take(4));
      if (lauf > count - i) return 1;
      std::fill(lengths + i, lengths + i + lauf, uint8_t(0));
      i += lauf;
    }
    if (r.Overrun()) return 1;
  }
  return 0;
}

}  // namespace

const char* DatacompFehlerText(DatacompFehler fehler) {
  switch (fehler) {
    case DatacompFehler::Keiner:
      return "";
    case DatacompFehler::ReadError:
      return "read error\n";
    case DatacompFehler::OutOfMemory:
      return "out of memory\n";
    case DatacompFehler::FileBroken:
      return "file broken\n";
  }
  return "";
}

uint32_t TbBlockCrc(const uint8_t* bytes, size_t length, uint32_t start) {
  uint32_t c = start;
  for (size_t i = 0; i < length; ++i) c = Crc[(c ^ bytes[i]) & 255] ^ (c >> 8);
  return c;
}

int DatacompBuildHuffman(std::span<int16_t> table, const uint8_t* lengths, int n, int lookupBits) {
  const size_t direkt = size_t(1) << lookupBits;
  if (n < 1 || table.size() < TabellenGroesse(n, lookupBits)) return 1;
  int anzahl[32] = {};
  int benutzt = 0, einziges = 0;
  for (int s = 0; s < n; ++s) {
    if (lengths[s] > 31) return 1;
    ++anzahl[lengths[s]];
    if (lengths[s] != 0) ++benutzt, einziges = s;
  }
  if (benutzt == 0) {
    std::fill(table.begin(), table.begin() + direkt, int16_t(0));
    return 0;
  }
  if (benutzt == 1) {
    if (lengths[einziges] != 1) return 1;
    std::fill(table.begin(), table.begin() + direkt, int16_t(einziges * 32));
    return 0;
  }
  // A complete prefix code: the codes of each length pair up into codes one
  // bit shorter, ending in a single root.
  uint64_t uebertrag = 0;
  for (int l = 31; l >= 1; --l) {
    uebertrag += uint64_t(anzahl[l]);
    if (uebertrag & 1) return 1;
    uebertrag >>= 1;
  }
  if (uebertrag != 1) return 1;

  uint32_t naechster[33] = {};
  anzahl[0] = 0;
  for (int l = 1, code = 0; l <= 31; ++l) {
    code = (code + anzahl[l - 1]) << 1;
    naechster[l] = uint32_t(code);
  }
  // Pairs not yet reached hold this mark while the table is built; a
  // complete code overwrites all of them.
  constexpr int16_t Frei = 0x7FFF;
  std::fill(table.begin(), table.end(), Frei);
  size_t naechstesPaar = direkt;
  for (int s = 0; s < n; ++s) {
    const int l = lengths[s];
    if (l == 0) continue;
    const uint32_t code = naechster[l]++;
    if (l <= lookupBits) {
      const size_t erster = size_t(code) << (lookupBits - l);
      std::fill(table.begin() + erster, table.begin() + erster + (size_t(1) << (lookupBits - l)),
                int16_t(s * 32 + l));
      continue;
    }
    // The entry of the first L bits leads to a pair; each further bit but
    // the last picks an entry that leads to the next pair.
    size_t eintrag = code >> (l - lookupBits);
    for (int bit = l - lookupBits - 1; bit >= 0; --bit) {
      if (table[eintrag] == Frei) {
        if (naechstesPaar + 2 > table.size()) return 1;
        table[eintrag] = int16_t(-int(naechstesPaar));
        naechstesPaar += 2;
      } else if (table[eintrag] >= 0) {
        return 1;  // a shorter code is a prefix of this one
      }
      eintrag = size_t(-table[eintrag]) + ((code >> bit) & 1);
    }
    if (table[eintrag] != Frei) return 1;
    table[eintrag] = int16_t(s);
  }
  return 0;
}

int DatacompReadTables(DatacompBitReader& r, uint8_t* lengths, int count) {
  if (count <= 128) return KleineLaengenLesen(r, lengths, count);
  if (r.Take(1) == 1) {
    std::fill(lengths, lengths + count, uint8_t(0));
    return r.Overrun() ? 1 : 0;
  }
  uint8_t meta[128];
  if (KleineLaengenLesen(r, meta, 128) != 0) return 1;
  Beschreibungscodes codes;
  if (DatacompBuildHuffman(codes.a, meta, 64, 8) != 0) return 1;
  if (DatacompBuildHuffman(codes.b, meta + 64, 64, 8) != 0) return 1;
  int i = 0;
  while (i < count) {
    const int a = DatacompSymbol(r, codes.a.data(), 8);
    if (a < 32) {
      lengths[i++] = uint8_t(a);
    } else {
      const int c = DatacompSymbol(r, codes.b.data(), 8);
      uint64_t lauf;
      if (c < 32) {
        lauf = uint64_t(c) + 2;
      } else {
        const int k = c - 32;
        lauf = (uint64_t(1) << k) + r.Take(k) + 33;
      }
      if (lauf > uint64_t(count - i)) return 1;
      std::fill(lengths + i, lengths + i + lauf, uint8_t(a - 32));
      i += int(lauf);
    }
    if (r.Overrun()) return 1;
  }
  return 0;
}

std::unique_ptr<TbDecodeInfo> DatacompReadIndex(int fd, DatacompFehler& fehler) {
  fehler = DatacompFehler::ReadError;
  uint8_t kopf[80];
  if (LiesAlles(fd, kopf, sizeof kopf, 0) != sizeof kopf) return nullptr;
  if (std::memcmp(kopf, DatacompBannerPrefix, DatacompBannerPrefixLen) != 0) return nullptr;
  for (int i = DatacompBannerLen; i < 64; ++i)
    if (kopf[i] != 0) return nullptr;

  fehler = DatacompFehler::FileBroken;
  const uint64_t h = Be32(kopf + 64);
  const int b = kopf[70];
  if (b > 16 || h < 84 || kopf[71] != DatacompDistances || Be32(kopf + 76) != DatacompMagic)
    return nullptr;
  const uint64_t n = Be32(kopf + 72);
  if (n == 0) return nullptr;
  // The sizes, distances and CRCs must fit in front of the header's own CRC.
  const uint64_t felderEnde = 80 + 8 * n + ((n + 25) * uint64_t(b) + 7) / 8;
  if (felderEnde > h - 4) return nullptr;

  // A header longer than the file is a truncated file, not a reason to
  // allocate what the length field claims.
  struct stat st;
  if (::fstat(fd, &st) != 0 || uint64_t(st.st_size) < h) {
    fehler = DatacompFehler::ReadError;
    return nullptr;
  }
  fehler = DatacompFehler::OutOfMemory;
  std::unique_ptr<uint8_t[]> header(new (std::nothrow) uint8_t[h]);
  if (!header) return nullptr;
  std::memcpy(header.get(), kopf, sizeof kopf);
  if (LiesAlles(fd, header.get() + 80, h - 80, 80) != h - 80) {
    fehler = DatacompFehler::ReadError;
    return nullptr;
  }
  fehler = DatacompFehler::FileBroken;
  if (TbBlockCrc(header.get(), h - 4, 0) != Be32(header.get() + h - 4)) return nullptr;

  fehler = DatacompFehler::OutOfMemory;
  std::unique_ptr<TbDecodeInfo> info(new (std::nothrow) TbDecodeInfo);
  if (!info) return nullptr;
  std::vector<uint32_t> groessen;
  try {
    groessen.resize(n + 1);
    info->mainTable.resize(TabellenGroesse(DatacompSymbols, DatacompLookupBits));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }

  fehler = DatacompFehler::FileBroken;
  const uint32_t blockGroesse = uint32_t(1) << b;
  DatacompBitReader felder(header.get() + 80 + 8 * n, size_t(h - 4 - 80 - 8 * n));
  for (auto& g : groessen) {
    g = felder.Take(b);
    if (g == 0) g = blockGroesse;
  }
  for (auto& d : info->distance) {
    d = felder.Take(b);
    if (d == 0) d = blockGroesse;
  }
  DatacompBitReader beschreibung(header.get() + felderEnde, size_t(h - 4 - felderEnde));
  uint8_t laengen[DatacompSymbols];
  if (DatacompReadTables(beschreibung, laengen, DatacompSymbols) != 0) return nullptr;
  if (DatacompBuildHuffman(info->mainTable, laengen, DatacompSymbols, DatacompLookupBits) != 0)
    return nullptr;

  info->blockBits = b;
  info->blockSize = blockGroesse;
  info->blockCount = uint32_t(n);
  info->lastBlockSize = groessen[n];
  info->groupShift = b <= 13 ? 3 : 16 - b;
  fehler = DatacompFehler::OutOfMemory;
  try {
    info->base.resize(((n + 1) >> info->groupShift) + 1);
    info->delta.resize(n + 1);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  uint64_t offset = h;
  for (uint64_t i = 0; i <= n; ++i) {
    if ((i & ((uint64_t(1) << info->groupShift) - 1)) == 0)
      info->base[i >> info->groupShift] = offset;
    info->delta[i] = uint16_t(offset - info->base[i >> info->groupShift]);
    if (i < n) offset += groessen[i];
  }
  // Blocks the file does not hold make it broken now rather than at a probe.
  fehler = DatacompFehler::FileBroken;
  if (offset > uint64_t(st.st_size)) return nullptr;
  fehler = DatacompFehler::Keiner;
  return info;
}

int TbAllocDecodeBlock(std::unique_ptr<DatacompDecodeBlock>* out, uint32_t blockSize) {
  if (out == nullptr) return 225287;
  std::unique_ptr<DatacompDecodeBlock> block(new (std::nothrow) DatacompDecodeBlock);
  if (!block) return 226053;
  block->input.reset(new (std::nothrow) uint8_t[size_t(blockSize) + 64]);
  if (!block->input) return 226053;
  block->capacity = blockSize;
  *out = std::move(block);
  return 0;
}

bool DatacompDecode(const TbDecodeInfo& info, int fd, uint32_t blockNr, uint8_t* out,
                    DatacompDecodeBlock& work) {
  if (work.tag != DatacompBlockTag || blockNr >= info.blockCount) return false;
  const uint32_t laenge = blockNr + 1 == info.blockCount ? info.lastBlockSize : info.blockSize;
  const uint64_t offset = info.Offset(blockNr);
  const uint64_t gespeichert = info.Offset(blockNr + 1) - offset;
  if (gespeichert > work.capacity || laenge > work.capacity) return false;
  work.block = blockNr;
  work.decodedLength = laenge;
  work.storedLength = uint32_t(gespeichert);
  uint8_t* ein = work.input.get();
  if (LiesAlles(fd, ein, gespeichert, offset) != gespeichert) return false;
  if (gespeichert == laenge) {
    std::memcpy(out, ein, laenge);
    return true;
  }
  std::memset(ein + gespeichert, 0, 64);

  DatacompBitReader r(ein, size_t(gespeichert));
  const int16_t* tabelle = info.mainTable.data();
  uint32_t pos = 0;
  while (pos < laenge) {
    const int s = DatacompSymbol(r, tabelle, DatacompLookupBits);
    if (s < 256) {
      out[pos++] = uint8_t(s);
    } else {
      const int t = s - 256;
      const int c = t & 31;
      const uint32_t distanz = info.distance[t >> 5];
      uint64_t n;
      if (c <= 14) {
        n = uint64_t(c) + 1;
      } else {
        const int k = c - 14;
        n = (uint64_t(1) << k) + r.Take(k) + 14;
      }
      if (distanz == 0 || distanz > pos) return false;
      const uint32_t kopie = uint32_t(std::min<uint64_t>(n, laenge - pos));
      uint8_t* ziel = out + pos;
      const uint8_t* quelle = ziel - distanz;
      if (distanz >= kopie) {
        std::memcpy(ziel, quelle, kopie);
      } else if (distanz == 1) {
        std::memset(ziel, *quelle, kopie);
      } else {
        for (uint32_t i = 0; i < kopie; ++i) ziel[i] = quelle[i];
      }
      pos += kopie;
    }
    if (r.Overrun()) return false;
  }
  return true;
}

namespace {
std::unique_ptr<DatacompDecodeBlock> kernDecodeBlock;
}

DatacompDecodeBlock* TbDecodeBlock() { return kernDecodeBlock.get(); }

void TbDecodeBlockSetzen(std::unique_ptr<DatacompDecodeBlock> block) {
  kernDecodeBlock = std::move(block);
}

bool DatacompDecode(const TbDecodeInfo& info, int fd, uint32_t block, uint8_t* out) {
  DatacompDecodeBlock* work = TbDecodeBlock();
  return work != nullptr && DatacompDecode(info, fd, block, out, *work);
}

}  // namespace galdrik
