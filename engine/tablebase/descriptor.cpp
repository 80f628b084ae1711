// The working tablebase records and their accessors.
#include "tablebase/descriptor.h"

#include <cstring>

namespace galdrik {

TbDescriptor TbDescriptorSets[TbWorkingCount];

namespace {

const TbDescriptor* Record(int32_t working) {
  if (working < 0 || working >= TbWorkingCount) return nullptr;
  return &TbDescriptorSets[working];
}

bool Symmetric(const TbDescriptor& d) { return (d.flags & TbFlagSymmetric) != 0; }

}  // namespace

void TbDescriptorFromCatalogue(TbDescriptor& d, int32_t id) {
  d = TbDescriptor{};
  if (id < 0 || id >= TbTableCount) return;
  const TbCatalogueRow& row = TbCatalogue[id];
  d.id = row.id;
  d.flags = row.flags;
  d.indexFn[0] = TbCatalogueIndexFn(id, 0);
  d.indexFn[1] = TbCatalogueIndexFn(id, 1);
  std::memcpy(d.name, row.name, sizeof d.name);
  d.entryCount[0] = row.entryCount[0];
  d.entryCount[1] = row.entryCount[1];
}

int32_t TbExtentCount(uint32_t flags, uint64_t entryCount) {
  if ((flags & TbFlagSplit) == 0) return 1;
  const int shift = (flags & TbFlag16Bit) ? 30 : 31;
  return static_cast<int32_t>(entryCount >> shift) + 1;
}

void TbFileName(int32_t working, int32_t colour, int32_t extent, char* buffer) {
  if (!buffer) return;
  buffer[0] = '\0';
  const TbDescriptor* d = Record(working);
  if (!d || (colour != 0 && colour != 1) || extent < 0 || extent >= TbMaxExtents) return;
  const char* name = d->fileName[1 - colour][extent];
  if (name) std::strcpy(buffer, name);
}

void TbFileInfo(int32_t working, int32_t* symmetric, int32_t* entries16, int32_t* split,
                uint64_t* count0, uint64_t* count1, int32_t* extents0, int32_t* extents1) {
  static const TbDescriptor kNone{};
  const TbDescriptor* found = Record(working);
  const TbDescriptor& d = found ? *found : kNone;
  if (symmetric) *symmetric = (d.flags & TbFlagSymmetric) ? 1 : 0;
  if (entries16) *entries16 = (d.flags & TbFlag16Bit) ? 1 : 0;
  if (split) *split = (d.flags & TbFlagSplit) ? 1 : 0;
  if (count0) *count0 = d.entryCount[0];
  if (count1) *count1 = d.entryCount[1];
  if (extents0) *extents0 = found ? TbExtentCount(d.flags, d.entryCount[0]) : 0;
  if (extents1) *extents1 = found ? TbExtentCount(d.flags, d.entryCount[1]) : 0;
}

int32_t TbRegistered(int32_t working, int32_t side, int32_t extent) {
  const TbDescriptor* d = Record(working);
  if (!d || side < 0 || side > 1 || extent < 0 || extent >= TbMaxExtents) return 0;
  if (Symmetric(*d)) side = 0;
  return d->fileName[side][extent] ? 1 : 0;
}

int32_t TbAnyPartRegistered(int32_t working, int32_t side) {
  const TbDescriptor* d = Record(working);
  if (!d || side < 0 || side > 1) return 0;
  int32_t extents = TbExtentCount(d->flags, d->entryCount[side]);
  if (extents > TbMaxExtents) extents = TbMaxExtents;
  const int read = Symmetric(*d) ? 0 : side;
  for (int e = 0; e < extents; ++e) {
    if (d->fileName[read][e]) return 1;
  }
  return 0;
}

TbIndexFn TbIndexFunction(int32_t working, int32_t side) {
  const TbDescriptor* d = Record(working);
  if (!d || side < 0 || side > 1) return nullptr;
  return d->indexFn[side];
}

}  // namespace galdrik
