// Six-man tables with pawns: how their appended men are ordered and
// compressed, and the en-passant block of the tables with pawns on both
// sides (three against three and four against two).
#include "tbindex/index6p.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <initializer_list>

#include "tbindex/catalogue.h"

namespace galdrik {

namespace {

// The men of one colour besides the king.
struct SideMen {
  int pawns = 0;
  int pieceCount = 0;
  int pieces[3] = {};  // kinds, highest first
};

struct TableMen {
  SideMen colour[2];
};

TableMen MenOf(const char* name) {
  TableMen t;
  int colour = -1;
  for (const char* p = name; *p; ++p) {
    if (*p == 'k') {
      ++colour;
      continue;
    }
    if (colour < 0 || colour > 1) continue;
    SideMen& s = t.colour[colour];
    if (*p == 'p') {
      ++s.pawns;
      continue;
    }
    const char* kinds = " nbrq";
    for (int kind = TbKnight; kind <= TbQueen; ++kind) {
      if (kinds[kind] == *p && s.pieceCount < 3) s.pieces[s.pieceCount++] = kind;
    }
  }
  for (SideMen& s : t.colour) std::sort(s.pieces, s.pieces + s.pieceCount, std::greater<int>());
  return t;
}

int MenCount(const char* name) { return static_cast<int>(std::strlen(name)); }

bool ThreeAgainstThree(const TableMen& t) {
  return t.colour[0].pawns + t.colour[0].pieceCount == 2;
}

uint64_t C2(uint64_t n) { return n * (n - 1) / 2; }
uint64_t Binomial(uint64_t n, int k) {
  return k == 0 ? 1 : k == 1 ? n : k == 2 ? C2(n) : n * (n - 1) * (n - 2) / 6;
}

inline int File(int s) { return s & 7; }

int Below(int s, std::initializer_list<int> set) {
  int n = 0;
  for (int q : set) n += q < s;
  return n;
}

// Normalised square of the n-th man of a kind; false outside the list or board.
bool ManSquare(const TbPieceList* list, int kind, int n, int mask, int& square) {
  const int64_t at = int64_t{list->kindStart[kind]} + n;
  if (at < 0 || at > 5) return false;
  square = list->squares[at];
  if (square < 0 || square > 63) return false;
  square ^= mask;
  return true;
}

// Placement ordinal of a man of ordinal kind `ord` on s against king k, the
// own king on K, and the count of such placements; false where excluded.
bool Placement(int ord, int k, int K, int s, uint64_t& o, uint64_t& n) {
  const uint8_t* row = TbSquareOrdinals[ord][k];
  if (row[s] == TbNoOrdinal) return false;
  const bool kingTakesOne = row[K] != TbNoOrdinal;
  o = row[s] - (kingTakesOne && K < s ? 1 : 0);
  n = TbSquareOrdinalCount[ord][k] - (kingTakesOne ? 1 : 0);
  return true;
}

void SortSmall(int* v, int n) {
  for (int i = 1; i < n; ++i) {
    for (int j = i; j > 0 && v[j - 1] > v[j]; --j) std::swap(v[j - 1], v[j]);
  }
}

// Combination number of up to three values, sorted here.
uint64_t Combination(int* c, int count) {
  SortSmall(c, count);
  uint64_t code = 0;
  for (int i = 0; i < count; ++i) code += Binomial(uint64_t(c[i]), i + 1);
  return code;
}

const TableMen& MenOfTable(int id) {
  static const auto table = [] {
    static TableMen t[TbTableCount];
    for (int i = 0; i < TbTableCount; ++i) t[i] = MenOf(TbCatalogue[i].name);
    return t;
  }();
  return table[id];
}

// The capture of the pawn that moved from `moved`: the capturer on its right
// (towards the h-file) or on its left, on the same rank. Case 0..6 from the
// right, 7..13 from the left; -1 when p does not stand beside it.
int CaptureCase(int p, int moved) {
  if (p == moved + 1 && File(moved) != 7) return File(p) - 1;
  if (p == moved - 1 && File(moved) != 0) return 7 + File(p);
  return -1;
}

// Three against three, both sides with a pawn.
uint64_t ThreeThreeIndex(const TableMen& t, int own, const TbPieceList* const lists[2], int mask,
                         int e, int K, int k, uint64_t base) {
  const bool white = own == TbSideWhite;
  const SideMen &S = t.colour[own], &O = t.colour[1 - own];
  if (e / 8 != (white ? 5 : 2)) return TbNoIndex;
  const int A = white ? e - 8 : e + 8, F = white ? e + 8 : e - 8;
  const int pair = TbKingPairIndex[TbKingsWithPawns][K][k];
  if (pair == TbNoKingPair) return TbNoIndex;

  int sp[2];
  for (int n = 0; n < S.pawns; ++n) {
    if (!ManSquare(lists[own], TbPawn, n, mask, sp[n])) return TbNoIndex;
  }
  if (S.pawns == 2 && sp[1] < sp[0]) std::swap(sp[0], sp[1]);
  // The lower pawn first, each from the right before the left.
  int capturer = -1, other = -1, kase = -1;
  for (int n = 0; n < S.pawns && kase < 0; ++n) {
    kase = CaptureCase(sp[n], A);
    if (kase >= 0) capturer = sp[n], other = S.pawns == 2 ? sp[1 - n] : -1;
  }
  if (kase < 0) return TbNoIndex;

  // The other man of O: its second pawn or its piece.
  int op[2];
  for (int n = 0; n < O.pawns; ++n) {
    if (!ManSquare(lists[1 - own], TbPawn, n, mask, op[n])) return TbNoIndex;
  }
  uint64_t c, r;
  if (O.pawns == 2) {
    if (op[0] != A && op[1] != A) return TbNoIndex;
    const int s = op[0] == A ? op[1] : op[0];
    const int below = Below(s, {F, A, e}) + (s > capturer) + (other >= 0 && s > other);
    r = 48 - 3 - S.pawns;
    c = uint64_t(s - 8 - below);
    if (s < 8 || s - 8 < below) return TbNoIndex;
  } else {
    if (op[0] != A) return TbNoIndex;
    int s, sPiece = -1;
    if (!ManSquare(lists[1 - own], O.pieces[0], 0, mask, s)) return TbNoIndex;
    if (S.pieceCount && !ManSquare(lists[own], S.pieces[0], 0, mask, sPiece)) return TbNoIndex;
    const int second = S.pawns == 2 ? other : sPiece;
    const int below = Below(s, {F, A, e, K, k, capturer, second});
    r = 57;
    c = uint64_t(s - below);
    if (s < below) return TbNoIndex;
  }
  if (c >= r) return TbNoIndex;

  if (S.pawns == 2) {
    const int below = Below(other, {capturer, A, e, F});
    if (other < 8 || other - 8 < below) return TbNoIndex;
    const uint64_t cs = uint64_t(other - 8 - below);
    if (cs >= 44) return TbNoIndex;
    return base + uint64_t(pair) * (r * 44 * 14) + (c * 44 + cs) * 14 + uint64_t(kase);
  }
  int x;
  if (!ManSquare(lists[own], S.pieces[0], 0, mask, x)) return TbNoIndex;
  uint64_t o, n;
  const int ord = S.pieces[0] + 1;
  if (!Placement(ord, k, K, x, o, n)) return TbNoIndex;
  const uint64_t G = uint64_t{TbEnumStarts(TbKingsWithPawns, ord)[pair]} + o;
  return base + (G * r + c) * 14 + uint64_t(kase);
}

// Four against two, Black's man a pawn and White with pawns.
uint64_t FourTwoIndex(const TableMen& t, int own, const TbPieceList* const lists[2], int mask,
                      int e, int K, int k, uint64_t base) {
  const bool white = own == TbSideWhite;
  const SideMen& W = t.colour[0];
  const int w = W.pawns;
  if (e / 8 != (white ? 5 : 2)) return TbNoIndex;
  const int A = white ? e - 8 : e + 8, F = white ? e + 8 : e - 8;
  const int pair = TbKingPairIndex[TbKingsWithPawns][K][k];
  if (pair == TbNoKingPair) return TbNoIndex;

  int wp[3], z;
  if (w < 1 || w > 3) return TbNoIndex;
  for (int n = 0; n < w; ++n) {
    if (!ManSquare(lists[0], TbPawn, n, mask, wp[n])) return TbNoIndex;
  }
  SortSmall(wp, w);
  if (!ManSquare(lists[1], TbPawn, 0, mask, z)) return TbNoIndex;

  // The pawn that is not coded among White's: the capturer or the one that moved.
  int skip = -1, kase = -1;
  if (white) {
    if (z != A) return TbNoIndex;
    for (int n = 0; n < w && kase < 0; ++n) {
      kase = CaptureCase(wp[n], A);
      if (kase >= 0) skip = n;
    }
  } else {
    kase = CaptureCase(z, A);
    for (int n = 0; n < w; ++n) {
      if (wp[n] == A) skip = n;
    }
  }
  if (kase < 0 || skip < 0) return TbNoIndex;
  const int lone = white ? wp[skip] : z;  // the fourth square besides A, e, F
  int c[2], q = 0;
  for (int n = 0; n < w; ++n) {
    if (n == skip) continue;
    const int below = Below(wp[n], {lone, A, e, F});
    if (wp[n] - 8 < below) return TbNoIndex;
    c[q++] = wp[n] - 8 - below;
    if (c[q - 1] >= 44) return TbNoIndex;
  }
  const uint64_t Q = Combination(c, q);

  // White's pieces, highest kind first.
  int ps[2];
  for (int i = 0; i < W.pieceCount; ++i) {
    const int n = i > 0 && W.pieces[i] == W.pieces[i - 1] ? 1 : 0;
    if (!ManSquare(lists[0], W.pieces[i], n, mask, ps[i])) return TbNoIndex;
  }
  uint64_t G = uint64_t(pair);
  if (white && W.pieceCount) {
    // Enumerated against the black king as a combination of their own.
    uint64_t o[2], n[2];
    for (int i = 0; i < W.pieceCount; ++i) {
      if (!Placement(W.pieces[i] + 1, k, K, ps[i], o[i], n[i])) return TbNoIndex;
    }
    const int a = W.pieces[0] + 1;
    uint64_t code;
    const uint32_t* starts;
    if (W.pieceCount == 1) {
      code = o[0], starts = TbEnumStarts(TbKingsWithPawns, a);
    } else if (W.pieces[0] == W.pieces[1]) {
      code = std::min(o[0], o[1]) + C2(std::max(o[0], o[1]));
      starts = TbEnumStarts(TbKingsWithPawns, a, a);
    } else {
      code = o[0] * n[1] + o[1], starts = TbEnumStarts(TbKingsWithPawns, a, W.pieces[1] + 1);
    }
    G = uint64_t{starts[pair]} + code;
  } else if (!white) {
    // Appended, each compressed against the kings, the black pawn, e, F, all
    // White's pawns and the higher pieces.
    int placed[8] = {K, k, z, F, e};
    int placedCount = 5;
    for (int n = 0; n < w; ++n) placed[placedCount++] = wp[n];
    for (int i = 0; i < W.pieceCount;) {
      const int like = i + 1 < W.pieceCount && W.pieces[i + 1] == W.pieces[i] ? 2 : 1;
      int v[2];
      for (int j = 0; j < like; ++j) {
        int below = 0;
        for (int m = 0; m < placedCount; ++m) below += placed[m] < ps[i + j];
        v[j] = ps[i + j] - below;
      }
      const uint64_t radix = uint64_t(64 - placedCount);
      for (int j = 0; j < like; ++j) {
        if (v[j] < 0 || uint64_t(v[j]) >= radix) return TbNoIndex;
      }
      G = G * Binomial(radix, like) + Combination(v, like);
      for (int j = 0; j < like; ++j) placed[placedCount++] = ps[i + j];
      i += like;
    }
  }
  return base + 14 * (G * Binomial(44, w - 1) + Q) + uint64_t(kase);
}

}  // namespace

bool TbSixManPawnTable(int32_t id) {
  if (id < 1 || id >= TbTableCount) return false;
  const char* name = TbCatalogue[id].name;
  return MenCount(name) == 6 && std::strchr(name, 'p') != nullptr;
}

void TbSixManPawnLayout(TbSideLayout& L) {
  const TbCatalogueRow& row = TbCatalogue[L.id];
  const TableMen t = MenOf(row.name);
  const bool threeThree = ThreeAgainstThree(t);
  if ((row.flags & TbFlagSymmetric) && L.own == TbSideBlack) {
    L.thunk = true;
    return;
  }
  // Three against three: digits and placement in ascending kind order.
  // Four against two: digits in name order, the pawns placed first.
  if (threeThree) std::reverse(L.appended, L.appended + L.appendCount);
  int order = 0;
  for (int g = 0; g < L.appendCount; ++g) {
    if (!threeThree && L.appended[g].kind == TbPawn) L.placement[order++] = static_cast<uint8_t>(g);
  }
  for (int g = 0; g < L.appendCount; ++g) {
    if (threeThree || L.appended[g].kind != TbPawn) L.placement[order++] = static_cast<uint8_t>(g);
  }
  int enumPawns = 0;
  for (int g = 0; g < L.enumCount; ++g) {
    if (L.enumerated[g].kind == TbPawn) enumPawns += L.enumerated[g].count;
  }
  int placed = 2 + L.combinationMen;
  for (int i = 0; i < L.appendCount; ++i) {
    const TbGroup& a = L.appended[L.placement[i]];
    L.appendRadix[L.placement[i]] = static_cast<uint32_t>(
        a.kind == TbPawn ? Binomial(48 - enumPawns, a.count) : Binomial(64 - placed, a.count));
    placed += a.count;
  }
  if (t.colour[0].pawns && t.colour[1].pawns) {
    L.enPassant = threeThree ? TbEpSix33 : TbEpSix42;
  }
}

uint64_t TbSixManPawnEnPassantSpace(const TbSideLayout& L) {
  if (L.enPassant != TbEpSix33 && L.enPassant != TbEpSix42) return 0;
  const TableMen& t = MenOfTable(L.id);
  const uint64_t pairs = TbKingPairCount[TbKingsWithPawns];
  const SideMen &S = t.colour[L.own], &O = t.colour[1 - L.own];
  if (L.enPassant == TbEpSix33) {
    const uint64_t r = O.pawns == 2 ? 45 - S.pawns : 57;
    if (S.pawns == 2) return pairs * r * 44 * 14;
    return uint64_t{TbEnumTotal(TbKingsWithPawns, S.pieces[0] + 1)} * r * 14;
  }
  const SideMen& W = t.colour[0];
  const uint64_t per = 14 * Binomial(44, W.pawns - 1);
  if (L.own == TbSideWhite) {
    const int a = W.pieceCount ? W.pieces[0] + 1 : -1, b = W.pieceCount > 1 ? W.pieces[1] + 1 : -1;
    return per * (W.pieceCount ? uint64_t{TbEnumTotal(TbKingsWithPawns, a, b)} : pairs);
  }
  uint64_t space = per * pairs;
  int placed = 5 + W.pawns;
  for (int i = 0; i < W.pieceCount;) {
    const int like = i + 1 < W.pieceCount && W.pieces[i + 1] == W.pieces[i] ? 2 : 1;
    space *= Binomial(uint64_t(64 - placed), like);
    placed += like;
    i += like;
  }
  return space;
}

uint64_t TbSixManPawnEnPassantIndex(const TbSideLayout& L, const TbPieceList* const lists[2],
                                    int mask, int e, int K, int k, uint64_t base) {
  const TableMen& t = MenOfTable(L.id);
  if (L.enPassant == TbEpSix33) return ThreeThreeIndex(t, L.own, lists, mask, e, K, k, base);
  if (L.enPassant == TbEpSix42) return FourTwoIndex(t, L.own, lists, mask, e, K, k, base);
  return TbNoIndex;
}

}  // namespace galdrik
