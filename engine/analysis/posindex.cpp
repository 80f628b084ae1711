// The position-set index. The key of a record is the XOR of one table entry
// per slot and square, so look-ups cost six loads, a mask and a few 8-byte
// comparisons; the table gives 4 to 7 slots per record.
#include "analysis/posindex.h"

#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "core/zobrist.h"

namespace galdrik {

namespace {

struct PosIndex {
  uint32_t schluessel[AnaSlots][64] = {};
  int32_t bits = 0;
  int32_t slots = 0;
  std::unique_ptr<const TBAnaEintrag*[]> tabelle;
  std::vector<const TBAnaEintrag*> ueberlauf;
};

PosIndex& Index() {
  static PosIndex p;
  return p;
}

uint32_t Schluessel(const PosIndex& p, const uint8_t* key8) {
  uint32_t s = 0;
  for (int j = 0; j < AnaSlots; ++j) s ^= p.schluessel[j][key8[j] & 63];
  return s;
}

bool Gleich(const TBAnaEintrag* r, const uint8_t* key8) { return std::memcmp(r, key8, 8) == 0; }

}  // namespace

void PosIndexKeysInit() {
  PosIndex& p = Index();
  for (int j = 0; j < AnaSlots; ++j)
    for (int s = 0; s < 64; ++s)
      p.schluessel[j][s] = static_cast<uint32_t>(HashCodeKeys.figurFeld[j * 64 + s]);
}

int32_t PosIndexAllok(int32_t n, int32_t extra) {
  if (n < 1 || extra < 1) return PosIndexFalscheGroesse;
  PosIndex& p = Index();
  PosIndexFrei();
  const int m = std::bit_width(static_cast<uint32_t>(n)) - 1;
  int k = m - 1;
  if (n < 4 || k < 1) k = 1;
  const size_t eimer = size_t{1} << k;
  const int32_t slots = static_cast<int32_t>(static_cast<size_t>(n) / eimer) * 2 + 10;
  p.tabelle.reset(new (std::nothrow) const TBAnaEintrag*[eimer * static_cast<size_t>(slots)]());
  if (!p.tabelle) return PosIndexKeinSpeicherTabelle;
  p.bits = k;
  p.slots = slots;
  try {
    p.ueberlauf.reserve(static_cast<size_t>(extra));
  } catch (const std::exception&) {
    return PosIndexKeinSpeicherUeberlauf;
  }
  return PosIndexOk;
}

uint32_t PosIndexEimer(const uint8_t key8[8]) {
  const PosIndex& p = Index();
  return Schluessel(p, key8) & ((uint32_t{1} << p.bits) - 1);
}

void PosIndexEinfuegen(const TBAnaEintrag* r) {
  PosIndex& p = Index();
  if (!p.tabelle || !r) return;
  const auto* key8 = reinterpret_cast<const uint8_t*>(r);
  const TBAnaEintrag** eimer = &p.tabelle[static_cast<size_t>(PosIndexEimer(key8)) * p.slots];
  for (int32_t i = 0; i < p.slots; ++i) {
    if (!eimer[i]) {
      eimer[i] = r;
      return;
    }
  }
  try {
    p.ueberlauf.push_back(r);
  } catch (const std::exception&) {
    // Left out: the record is then simply never found.
  }
}

const TBAnaEintrag* PosIndexSuchen(const uint8_t key8[8]) {
  const PosIndex& p = Index();
  if (!p.tabelle) return nullptr;
  const TBAnaEintrag* const* eimer = &p.tabelle[static_cast<size_t>(PosIndexEimer(key8)) * p.slots];
  for (int32_t i = 0; i < p.slots && eimer[i]; ++i)
    if (Gleich(eimer[i], key8)) return eimer[i];
  for (const TBAnaEintrag* r : p.ueberlauf)
    if (Gleich(r, key8)) return r;
  return nullptr;
}

void PosIndexFrei() {
  PosIndex& p = Index();
  p.tabelle.reset();
  p.ueberlauf.clear();
  p.ueberlauf.shrink_to_fit();
  p.bits = 0;
  p.slots = 0;
}

PosIndexGroessen PosIndexInfo() {
  const PosIndex& p = Index();
  return {p.bits, p.slots, static_cast<int32_t>(p.ueberlauf.size())};
}

}  // namespace galdrik
