// The run-time tables of the index scheme: the dense numbering of the squares
// a man may stand on beside the king of the side not to move, and where the
// positions of each king pair begin for every enumerated combination.
#include <mutex>
#include <vector>

#include "tbindex/indexscheme.h"
#include "tbindex/layout.h"

namespace galdrik {

uint8_t TbSquareOrdinals[6][64][64];
uint8_t TbSquareOrdinalCount[6][64];

namespace {

// [variant][number of men - 1][slot]; slots a, 6a + b, 36a + 6b + c.
struct EnumTable {
  std::vector<uint32_t> starts[2][3][216];
  uint32_t total[2][3][216] = {};
};
EnumTable gEnum;
std::once_flag gBuilt;

bool Excluded(int kind, int king, int s) {
  if (s == king) return true;
  const int df = s % 8 - king % 8, dr = s / 8 - king / 8;
  const int adf = df < 0 ? -df : df, adr = dr < 0 ? -dr : dr;
  switch (kind) {
    case TbOrdPawn:
      return false;
    case TbOrdPawnNoCheck:
      return (king == s + 7 && s % 8 != 0) || (king == s + 9 && s % 8 != 7);
    case TbOrdKnight:
      return (adf == 1 && adr == 2) || (adf == 2 && adr == 1);
    case TbOrdBishop:
      return adf == 1 && adr == 1;
    case TbOrdRook:
      return adf + adr == 1;
    default:
      return adf <= 1 && adr <= 1;
  }
}

void BuildOrdinals() {
  for (int kind = 0; kind < 6; ++kind) {
    const bool pawn = kind <= TbOrdPawnNoCheck;
    for (int king = 0; king < 64; ++king) {
      uint8_t next = 0;
      for (int s = 0; s < 64; ++s) {
        TbSquareOrdinals[kind][king][s] = TbNoOrdinal;
        if (pawn && (s < 8 || s > 55)) continue;
        if (Excluded(kind, king, s)) continue;
        TbSquareOrdinals[kind][king][s] = next++;
      }
      TbSquareOrdinalCount[kind][king] = next;
    }
  }
}

// Placements of one kind for the pair: the own king takes one available
// square when it stands on one.
uint64_t Placements(int kind, int own, int other) {
  return TbSquareOrdinalCount[kind][other] - (TbSquareOrdinals[kind][other][own] != TbNoOrdinal);
}

int Slot(int a, int b, int c) { return c >= 0 ? 36 * a + 6 * b + c : b >= 0 ? 6 * a + b : a; }
int Men(int b, int c) { return c >= 0 ? 3 : b >= 0 ? 2 : 1; }

bool Exists(int variant, int a, int b, int c) {
  if (a < 0 || a > 5 || b > a || c > b || b < -1 || (b < 0 && c >= 0) || c < -1) return false;
  const int lowest = c >= 0 ? c : b >= 0 ? b : a;
  if (variant == TbKingsPawnless) return lowest >= 2;
  if (lowest == TbOrdPawn) return a == TbOrdPawn;  // the plain pawn kind combines only with itself
  return true;
}

void BuildEnumeration(int variant, int a, int b, int c) {
  std::vector<uint32_t>& starts = gEnum.starts[variant][Men(b, c) - 1][Slot(a, b, c)];
  starts.assign(TbKingPairCount[variant], 0);
  uint64_t total = 0;
  for (int own = 0; own < 64; ++own) {
    for (int other = 0; other < 64; ++other) {
      const int16_t pair = TbKingPairIndex[variant][own][other];
      if (pair == TbNoKingPair) continue;
      starts[pair] = static_cast<uint32_t>(total);
      const uint64_t na = Placements(a, own, other);
      uint64_t n;
      if (b < 0) {
        n = na;
      } else if (c < 0) {
        n = a == b ? na * (na - 1) / 2 : na * Placements(b, own, other);
      } else {
        const uint64_t nb = Placements(b, own, other), nc = Placements(c, own, other);
        if (a == b && b == c) {
          n = na * (na - 1) * (na - 2) / 6;
        } else if (a == b) {
          n = na * (na - 1) / 2 * nc;
        } else if (b == c) {
          n = na * (nb * (nb - 1) / 2);
        } else {
          n = na * nb * nc;
        }
      }
      total += n;
    }
  }
  gEnum.total[variant][Men(b, c) - 1][Slot(a, b, c)] = static_cast<uint32_t>(total);
}

void BuildAll() {
  BuildOrdinals();
  for (int a = 0; a <= 5; ++a) {
    const int low = a == 0 ? 0 : 1;
    for (int variant = 0; variant < 2; ++variant) {
      if (Exists(variant, a, -1, -1)) BuildEnumeration(variant, a, -1, -1);
    }
    for (int b = low; b <= a; ++b) {
      for (int variant = 0; variant < 2; ++variant) {
        if (Exists(variant, a, b, -1)) BuildEnumeration(variant, a, b, -1);
      }
      for (int c = low; c <= b; ++c) {
        for (int variant = 0; variant < 2; ++variant) {
          if (Exists(variant, a, b, c)) BuildEnumeration(variant, a, b, c);
        }
      }
    }
  }
}

}  // namespace

void TbBuildIndexTables() { std::call_once(gBuilt, BuildAll); }

const uint32_t* TbEnumStarts(TbKingPairKind variant, int32_t a, int32_t b, int32_t c) {
  if (variant != TbKingsPawnless && variant != TbKingsWithPawns) return nullptr;
  if (!Exists(variant, a, b, c)) return nullptr;
  const std::vector<uint32_t>& v = gEnum.starts[variant][Men(b, c) - 1][Slot(a, b, c)];
  return v.empty() ? nullptr : v.data();
}

uint32_t TbEnumTotal(TbKingPairKind variant, int32_t a, int32_t b, int32_t c) {
  if (variant != TbKingsPawnless && variant != TbKingsWithPawns) return 0;
  if (!Exists(variant, a, b, c)) return 0;
  return gEnum.total[variant][Men(b, c) - 1][Slot(a, b, c)];
}

const uint32_t* TbEnumStartsOfSlot(int32_t variant, int32_t men, int32_t slot) {
  return gEnum.starts[variant][men - 1][slot].data();
}

}  // namespace galdrik
