// Set-up of the tablebase core. Cached blocks link into the bucket arrays
// of the records, so the cache is emptied before any of those arrays is
// released; the records then own nothing that a probe could still reach.
#include "tablebase/tbinit.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "tablebase/cachehooks.h"
#include "tablebase/corereport.h"
#include "tablebase/datacomp.h"
#include "tablebase/descriptor.h"
#include "tablebase/drives.h"
#include "tablebase/registration.h"
#include "tablebase/trie.h"

namespace galdrik {

namespace {

bool zurueckgesetzt = false;

// Frees what a record owns (names, block indexes, bucket arrays).
void Freigeben(TbDescriptor& d) {
  for (int s = 0; s < 2; ++s) {
    std::free(d.buckets[s]);
    d.buckets[s] = nullptr;
    for (int e = 0; e < TbMaxExtents; ++e) {
      std::free(d.fileName[s][e]);
      d.fileName[s][e] = nullptr;
      delete d.decodeInfo[s][e];
      d.decodeInfo[s][e] = nullptr;
    }
  }
}

// When the library is unloaded the records give back their names, block
// indexes and bucket arrays. Built at load, before any cache buffer, so it is
// taken down after the cache no longer links into the bucket arrays.
const struct RecordsAbbauen {
  ~RecordsAbbauen() {
    TbCloseAllFiles();
    for (int32_t w = 0; w < TbWorkingCount; ++w) Freigeben(TbDescriptorSets[w]);
  }
} recordsAbbauen;

int32_t Zuruecksetzen() {
  TbCacheReset();
  TbCloseAllFiles();
  for (int32_t w = 0; w < TbWorkingCount; ++w) {
    Freigeben(TbDescriptorSets[w]);
    TbDescriptorFromCatalogue(TbDescriptorSets[w], w % TbTableCount);
  }
  TbDrivesReset();
  TbBuildRunTimeTables();
  zurueckgesetzt = true;
  return 0;
}

// Room a directory needs beyond its own characters: "/", the longest table
// name with an extent (6 + 2) and ".nbw.emd".
constexpr size_t NamensZusatz = 1 + 8 + 8;

int32_t Registrieren(const char* list, int32_t set) {
  TbCacheReset();
  TbCloseAllFiles();
  for (int32_t id = 0; id < TbTableCount; ++id)
    Freigeben(TbDescriptorSets[set * TbTableCount + id]);
  TbDecodeBlockSetzen(nullptr);
  if (!list) return 0;

  int32_t hoechste = 0;
  const char* anfang = list;
  for (;;) {
    const char* ende = anfang + std::strcspn(anfang, ",;");
    const std::string verzeichnis(anfang, size_t(ende - anfang));
    if (verzeichnis.size() + NamensZusatz >= TbNameBufferSize) {
      TbReport("*** Directory name too long, skipped: %.60s...\n", verzeichnis.c_str());
    } else {
      for (int32_t id = 1; id < TbTableCount; ++id) {
        const int32_t w = set * TbTableCount + id;
        const TbDescriptor& d = TbDescriptorSets[w];
        int32_t gefunden = 0;
        int32_t extents = TbExtentCount(d.flags, d.entryCount[0]);
        if (extents > TbMaxExtents) extents = TbMaxExtents;
        for (int32_t e = 0; e < extents; ++e) gefunden |= TbRegisterFile(verzeichnis, w, 0, e);
        if (!(d.flags & TbFlagSymmetric)) gefunden |= TbRegisterSide(verzeichnis, w, 1);
        if (gefunden && id > hoechste) hoechste = id;
      }
    }
    if (*ende == '\0') break;
    anfang = ende + 1;
  }

  if (TbCompressedFileCount() > 0 && !TbDecodeBlock()) {
    std::unique_ptr<DatacompDecodeBlock> block;
    const int fehler = TbAllocDecodeBlock(&block, DatacompBlockSize);
    if (fehler != 0)
      TbReport("*** Cannot allocate decode block: error code %d\n", fehler);
    else
      TbDecodeBlockSetzen(std::move(block));
  }
  if (hoechste > 145) return 6;
  if (hoechste > 35) return 5;
  if (hoechste >= 6) return 4;
  if (hoechste >= 1) return 3;
  return 0;
}

}  // namespace

int32_t TbInitialise(const char* list, int32_t set) {
  if (set >= TbSetCount) return 0;
  if (set < 0 || !zurueckgesetzt) Zuruecksetzen();
  if (set < 0) return 0;
  return Registrieren(list, set);
}

void* TbMalloc(size_t bytes) {
  void* p = std::malloc(bytes);
  if (!p) TbReport("*** Cannot allocate %zu bytes of memory\n", bytes);
  return p;
}

}  // namespace galdrik
