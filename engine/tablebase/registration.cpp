// Registration of tablebase files. A file is opened only to check it and
// closed again; everything a registration allocates is allocated before the
// record is touched, so a failed registration leaves the record as it was.
#include "tablebase/registration.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cinttypes>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/log.h"
#include "tablebase/corereport.h"
#include "tablebase/datacomp.h"
#include "tablebase/descriptor.h"
#include "tablebase/drives.h"
#include "tablebase/tbinit.h"
#include "tablebase/trie.h"

namespace galdrik {

namespace {

std::atomic<uint32_t> defekteDateien{0};
std::atomic<uint32_t> komprimierteDateien{0};

// Opens a regular file read-only; -1 for anything else.
int Oeffnen(const std::string& name) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

struct Geschlossen {
  int fd;
  ~Geschlossen() {
    if (fd >= 0) ::close(fd);
  }
};

char ExtentZeichen(int32_t extent) { return char(extent < 10 ? '0' + extent : 'a' + extent - 10); }

}  // namespace

uint32_t TbCorruptFileCount() { return defekteDateien; }
void TbCorruptFileCountReset() { defekteDateien = 0; }
uint32_t TbCompressedFileCount() { return komprimierteDateien; }

void TBDateiFehler(const char* fileName) {
  ++defekteDateien;
  LogZeile(std::string("EGTB-Datei fehlerhaft: ") + (fileName ? fileName : "") + "\n");
}

void TbReportCorrupted(int32_t working, int32_t side, int32_t extent, uint64_t size,
                       const char* fileName) {
  (void)extent;
  if (working < 0 || working >= TbWorkingCount || side < 0 || side > 1) return;
  const TbDescriptor& d = TbDescriptorSets[working];
  const uint64_t c = d.entryCount[side];
  if (c == 0) return;
  uint64_t voll = c, rest = c;
  if (d.flags & TbFlagSplit) {
    voll = (d.flags & TbFlag16Bit) ? uint64_t(1) << 30 : uint64_t(1) << 31;
    rest = c % voll;
  }
  if (size == voll || size == rest) return;
  TbReport("*** %s corrupted %" PRIu64 " %" PRIu64 " %" PRIu64 "\n", fileName, voll, rest, size);
  TBDateiFehler(fileName);
}

int32_t TbRegisterFile(const std::string& directory, int32_t working, int32_t side,
                       int32_t extent) {
  if (working < 0 || working >= TbWorkingCount || side < 0 || side > 1 || extent < 0 ||
      extent >= TbMaxExtents)
    return 0;
  TbDescriptor& d = TbDescriptorSets[working];
  if (d.id <= 0 || d.name[0] == '\0') return 0;
  const bool symmetrisch = d.flags & TbFlagSymmetric;
  const bool geteilt = d.flags & TbFlagSplit;
  const int32_t seite = symmetrisch ? 0 : side;
  if (d.fileName[seite][extent]) return 1;
  if (!TbDriveUsable(directory)) return 0;

  std::string name = directory;
  if (!name.empty() && name.back() != '/') name += '/';
  name += d.name;
  if (geteilt) {
    name += '.';
    name += ExtentZeichen(extent);
  }
  name += side == 0 ? ".nbw" : ".nbb";
  // The longest form adds ".emd"; a name that does not fit is not tried
  // (never cut: a cut name could be another file).
  if (name.size() + 4 >= TbNameBufferSize) return 0;

  bool komprimiert = false;
  int fd = Oeffnen(name);
  if (fd < 0) {
    komprimiert = true;
    name += ".emd";
    const size_t n = name.size();
    fd = Oeffnen(name);
    if (fd < 0 && !geteilt) {
      name[n - 8] = '_';
      fd = Oeffnen(name);
      if (fd < 0) {
        name[n - 4] = '_';
        fd = Oeffnen(name);
      }
    }
    if (fd < 0 && working <= 145) {
      name[n - 4] = '.';
      name.erase(n - 8, 1);
      fd = Oeffnen(name);
    }
    if (fd < 0) return 0;
  }
  const Geschlossen schliessen{fd};

  std::unique_ptr<TbDecodeInfo> info;
  if (!komprimiert) {
    if (!(d.flags & TbFlag16Bit) && d.entryCount[seite] < (uint64_t(1) << 31)) {
      struct stat st;
      if (::fstat(fd, &st) != 0) {
        TbReport("*** Seek in %s failed\n", name.c_str());
        TBDateiFehler(name.c_str());
        return 0;
      }
      TbReportCorrupted(working, seite, extent, uint64_t(st.st_size), name.c_str());
    }
  } else {
    ++komprimierteDateien;
    DatacompFehler grund;
    info = DatacompReadIndex(fd, grund);
    if (!info) {
      TbReport("*** Unable to read %s - %s", name.c_str(), DatacompFehlerText(grund));
      TBDateiFehler(name.c_str());
      return 0;
    }
    if (info->blockSize != DatacompBlockSize) {
      TbReport("*** %s: Unsupported block size %d\n", name.c_str(), int(info->blockSize));
      TBDateiFehler(name.c_str());
      return 0;
    }
    const uint64_t eintraege =
        (d.flags & TbFlag16Bit)
            ? uint64_t(info->blockCount - 1) * (DatacompBlockSize / 2) + info->lastBlockSize / 2
            : uint64_t(info->blockCount - 1) * DatacompBlockSize + info->lastBlockSize;
    TbReportCorrupted(working, seite, extent, eintraege, name.c_str());
  }

  if (!TbTrieRegister(d.id)) {
    TbReport("*** Unable to register %s\n", name.c_str());
    TBDateiFehler(name.c_str());
    return 0;
  }
  // Everything is allocated before the record changes.
  char* kopie = static_cast<char*>(TbMalloc(name.size() + 1));
  TbCacheEntry** buckets = d.buckets[seite];
  if (!buckets && kopie)
    buckets = static_cast<TbCacheEntry**>(TbMalloc(TbBucketCount * sizeof(TbCacheEntry*)));
  if (!kopie || !buckets) {
    std::free(kopie);
    return 0;
  }
  std::memcpy(kopie, name.c_str(), name.size() + 1);
  if (!d.buckets[seite]) {
    for (int i = 0; i < TbBucketCount; ++i) buckets[i] = nullptr;
    d.buckets[seite] = buckets;
  }
  std::free(d.fileName[seite][extent]);
  d.fileName[seite][extent] = kopie;
  delete d.decodeInfo[seite][extent];
  d.decodeInfo[seite][extent] = info.release();
  return 1;
}

int32_t TbRegisterSide(const std::string& directory, int32_t working, int32_t side) {
  if (working < 0 || working >= TbWorkingCount || side < 0 || side > 1) return 0;
  const TbDescriptor& d = TbDescriptorSets[working];
  int32_t extents = TbExtentCount(d.flags, d.entryCount[side]);
  if (extents > TbMaxExtents) extents = TbMaxExtents;
  int32_t gefunden = 0;
  for (int32_t e = 0; e < extents; ++e) gefunden |= TbRegisterFile(directory, working, side, e);
  return gefunden;
}

}  // namespace galdrik
