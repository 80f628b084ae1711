// The two index functions of every table: one small entry per table side,
// all following that side's description, so a function pointer alone
// identifies the table side.
#include "tbindex/catalogue.h"

#include <array>
#include <utility>

#include "tbindex/layout.h"

namespace galdrik {

namespace {

template <int Slot>
uint64_t IndexEntry(const TbPieceList* white, const TbPieceList* black, int32_t enPassant,
                    int32_t invert) {
  return TbIndexOf(TbLayout(Slot / 2, Slot % 2), white, black, enPassant, invert);
}

template <int... Slots>
constexpr std::array<TbIndexFn, sizeof...(Slots)> Entries(std::integer_sequence<int, Slots...>) {
  return {&IndexEntry<Slots>...};
}

constexpr auto kEntries = Entries(std::make_integer_sequence<int, TbTableCount * 2>{});

}  // namespace

TbIndexFn TbCatalogueIndexFn(int32_t id, int32_t side) {
  if (id <= 0 || id >= TbTableCount || side < 0 || side > 1) return nullptr;
  if (!TbLayout(id, side).built && !TbLayout(id, side).thunk) return nullptr;
  return kEntries[id * 2 + side];
}

int32_t TbCatalogueMen(int32_t id) {
  if (id < 0 || id >= TbTableCount) return 0;
  int32_t men = 0;
  for (const char* p = TbCatalogue[id].name; *p; ++p) ++men;
  return men;
}

}  // namespace galdrik
