// Descriptions of every table side, derived from the table's name by the
// rules of its class, and the index routine that follows a description.
#include "tbindex/layout.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>

#include "tbindex/catalogue.h"
#include "tbindex/index6p.h"

namespace galdrik {

namespace {

constexpr int kLayoutCount = TbTableCount * 2;

struct Material {
  int count[2][5] = {};  // [colour][pawn .. queen]
  int men[2] = {};
};

Material MaterialOf(const char* name) {
  Material m;
  int colour = -1;
  for (const char* p = name; *p; ++p) {
    if (*p == 'k') {
      ++colour;
      continue;
    }
    const char* kinds = "pnbrq";
    const char* at = std::strchr(kinds, *p);
    if (!at || colour < 0 || colour > 1) continue;
    ++m.count[colour][at - kinds];
    ++m.men[colour];
  }
  return m;
}

uint64_t Binomial(uint64_t n, int k) {
  if (k == 1) return n;
  if (k == 2) return n * (n - 1) / 2;
  return n * (n - 1) * (n - 2) / 6;
}

// The classes whose index functions are built: three to five men and six men.
bool ClassBuilt(int id) {
  return (id >= 1 && id <= 145) || TbSixManPawnless(id) || TbSixManPawnTable(id);
}

TbSideLayout BuildLayout(int id, int side) {
  TbSideLayout L;
  L.id = static_cast<int16_t>(id);
  L.own = static_cast<uint8_t>(side);
  if (!ClassBuilt(id)) return L;
  const TbCatalogueRow& row = TbCatalogue[id];
  const Material m = MaterialOf(row.name);
  const int mover = side, other = 1 - side;
  L.pawns = m.count[0][TbPawn] + m.count[1][TbPawn] > 0;
  L.built = true;

  // Enumerated: the mover's men, or the other side's pawns when the mover
  // has only its king. Like groups first, then single men, each by
  // descending kind.
  std::array<TbGroup, 5> groups{};
  int groupCount = 0;
  const bool moverHasMen = m.men[mover] > 0;
  const int enumColour = moverHasMen ? mover : other;
  for (int pass = 0; pass < 2; ++pass) {
    for (int kind = TbQueen; kind >= TbPawn; --kind) {
      const int n = m.count[enumColour][kind];
      if (n == 0 || (pass == 0) != (n >= 2)) continue;
      if (!moverHasMen && kind != TbPawn) continue;
      const uint8_t ordinal = static_cast<uint8_t>(moverHasMen ? kind + 1 : int{TbOrdPawn});
      groups[groupCount++] = {static_cast<uint8_t>(enumColour), static_cast<uint8_t>(kind),
                              static_cast<uint8_t>(n), ordinal};
    }
  }
  int ordinals[3] = {};
  int men = 0;
  for (int g = 0; g < groupCount; ++g) {
    L.enumerated[g] = groups[g];
    for (int n = 0; n < groups[g].count && men < 3; ++n) ordinals[men++] = groups[g].ordinal;
    if (groups[g].kind == TbPawn) L.flip = side == TbSideBlack;
  }
  L.enumCount = static_cast<uint8_t>(groupCount);
  for (int i = 1; i < men; ++i) {
    for (int j = i; j > 0 && ordinals[j - 1] < ordinals[j]; --j)
      std::swap(ordinals[j - 1], ordinals[j]);
  }
  for (int i = 0; i < men; ++i) L.combination[i] = static_cast<int8_t>(ordinals[i]);
  L.combinationMen = static_cast<uint8_t>(men);
  L.combinationSlot =
      static_cast<uint8_t>(men == 3   ? 36 * ordinals[0] + 6 * ordinals[1] + ordinals[2]
                           : men == 2 ? 6 * ordinals[0] + ordinals[1]
                           : men == 1 ? ordinals[0]
                                      : 0);

  // Appended: the rest of the other side, digits in table-name order.
  int appendCount = 0;
  for (int kind = TbQueen; kind >= TbPawn; --kind) {
    const int n = m.count[other][kind];
    if (n == 0 || (!moverHasMen && kind == TbPawn)) continue;
    L.appended[appendCount++] = {static_cast<uint8_t>(other), static_cast<uint8_t>(kind),
                                 static_cast<uint8_t>(n), 0};
  }
  L.appendCount = static_cast<uint8_t>(appendCount);
  // Placement: the pawns, then the single pieces, then the like pieces.
  int order = 0;
  for (int pass = 0; pass < 3; ++pass) {
    for (int g = 0; g < appendCount; ++g) {
      const TbGroup& a = L.appended[g];
      const int cls = a.kind == TbPawn ? 0 : a.count == 1 ? 1 : 2;
      if (cls == pass) L.placement[order++] = static_cast<uint8_t>(g);
    }
  }
  int enumPawns = 0;
  for (int g = 0; g < groupCount; ++g) {
    if (groups[g].kind == TbPawn) enumPawns += groups[g].count;
  }
  int placed = 2 + men;
  for (int i = 0; i < appendCount; ++i) {
    const TbGroup& a = L.appended[L.placement[i]];
    L.appendRadix[L.placement[i]] = static_cast<uint32_t>(
        a.kind == TbPawn ? Binomial(48 - enumPawns, a.count) : Binomial(64 - placed, a.count));
    placed += a.count;
  }

  // Pawns of both colours: positions with an en-passant square follow the
  // ordinary ones.
  if (std::strcmp(row.name, "kpkp") == 0) L.enPassant = TbEpKpkp;
  if (std::strcmp(row.name, "kppkp") == 0) L.enPassant = TbEpKppkp;
  if (m.men[0] == 2 && m.count[0][TbPawn] == 1 && m.men[1] == 1 && m.count[1][TbPawn] == 1) {
    L.enPassant = TbEpPiecePawn;
    for (int kind = TbKnight; kind <= TbQueen; ++kind) {
      if (m.count[0][kind]) L.epPiece = static_cast<uint8_t>(kind);
    }
  }
  if (TbSixManPawnTable(id)) TbSixManPawnLayout(L);
  return L;
}

const std::array<TbSideLayout, kLayoutCount> gLayouts = [] {
  std::array<TbSideLayout, kLayoutCount> t{};
  for (int i = 0; i < kLayoutCount; ++i) t[i] = BuildLayout(i / 2, i % 2);
  return t;
}();

const TbSideLayout gNoLayout{};

// Square of the n-th man of a kind, false when the list points outside its
// six entries or the square is off the board.
inline bool ManSquare(const TbPieceList* list, int kind, int n, int& square) {
  const int64_t at = int64_t{list->kindStart[kind]} + n;
  if (at < 0 || at > 5) return false;
  square = list->squares[at];
  return square >= 0 && square <= 63;
}

inline int File(int s) { return s & 7; }

// Ascending order of at most three values.
template <typename T>
inline void SortSmall(T* v, int n) {
  for (int i = 1; i < n; ++i) {
    for (int j = i; j > 0 && v[j - 1] > v[j]; --j) std::swap(v[j - 1], v[j]);
  }
}

// Positions in the en-passant block of a side.
uint64_t EnPassantSpace(const TbSideLayout& L) {
  const uint64_t pairs = TbKingPairCount[TbKingsWithPawns];
  switch (L.enPassant) {
    case TbEpKpkp:
      return pairs * 14;
    case TbEpKppkp:
      return pairs * 616;
    case TbEpPiecePawn:
      return L.own == TbSideWhite ? uint64_t{TbEnumTotal(TbKingsWithPawns, L.epPiece + 1)} * 14
                                  : pairs * 58 * 14;
    default:
      return TbSixManPawnEnPassantSpace(L);
  }
}

// Number of ordinary positions of a side, where the en-passant block starts.
uint64_t OrdinarySpace(const TbSideLayout& L) {
  const auto variant = static_cast<TbKingPairKind>(L.pawns);
  uint64_t space = L.combinationMen
                       ? TbEnumTotal(variant, L.combination[0], L.combination[1], L.combination[2])
                       : TbKingPairCount[variant];
  for (int g = 0; g < L.appendCount; ++g) space *= L.appendRadix[g];
  return space;
}

int Below(int s, std::initializer_list<int> set) {
  int n = 0;
  for (int q : set) n += q < s;
  return n;
}

// The en-passant positions: the pawn that just moved and the capture are
// implied by the en-passant square e (normalised, never flipped); K, k are
// the normalised kings.
template <typename Normal>
uint64_t EnPassantIndex(const TbSideLayout& L, const TbPieceList* const lists[2], Normal normal,
                        int e, int K, int k) {
  const int pair = TbKingPairIndex[TbKingsWithPawns][K][k];
  if (pair == TbNoKingPair) return TbNoIndex;
  const bool white = L.own == TbSideWhite;
  int pawns[2], pawnCount = L.enPassant == TbEpKppkp ? 2 : 1, blackPawn;
  for (int n = 0; n < pawnCount; ++n) {
    if (!ManSquare(lists[0], TbPawn, n, pawns[n])) return TbNoIndex;
    pawns[n] = normal(pawns[n]);
  }
  if (!ManSquare(lists[1], TbPawn, 0, blackPawn)) return TbNoIndex;
  blackPawn = normal(blackPawn);
  SortSmall(pawns, pawnCount);

  // The capturer, the other white pawn (kppkp) and the capture case.
  int capturer, other = -1;
  if (white) {
    const int a = pawns[0], b = pawns[pawnCount - 1];
    if (pawnCount == 1 || (a + 7 == e && File(a) != 0) || (a + 9 == e && File(a) != 7)) {
      capturer = a, other = b;
    } else {
      capturer = b, other = a;
    }
  } else {
    capturer = blackPawn;
    if (pawnCount == 2) {
      const bool lowerMoved = pawns[0] == e + 8;
      other = lowerMoved ? pawns[1] : pawns[0];
    }
  }
  int c;
  if (white) {
    c = capturer + 7 == e && (L.enPassant != TbEpKppkp || File(capturer) != 0) ? File(capturer) - 1
                                                                               : File(capturer) + 7;
  } else {
    c = capturer == e + 9 && (L.enPassant != TbEpKppkp || File(capturer) != 0) ? File(capturer) - 1
                                                                               : File(capturer) + 7;
  }
  if (c < 0 || c > 13) return TbNoIndex;
  const uint64_t base = OrdinarySpace(L);

  switch (L.enPassant) {
    case TbEpKpkp:
      return base + uint64_t(pair) * 14 + uint64_t(c);
    case TbEpKppkp: {
      const int o =
          white ? other - 8 - Below(other, {e + 8, e, e - 8, capturer})
                : other - 8 - Below(other, {e - 8, e, blackPawn, pawns[0] + pawns[1] - other});
      if (o < 0 || o > 43) return TbNoIndex;
      return base + 616 * uint64_t(pair) + 14 * uint64_t(o) + uint64_t(c);
    }
    case TbEpPiecePawn: {
      int x;
      if (!ManSquare(lists[0], L.epPiece, 0, x)) return TbNoIndex;
      x = normal(x);
      if (white) {
        // The piece numbered by its own one-man enumeration.
        const int kind = L.epPiece + 1;
        const uint8_t* ordinals = TbSquareOrdinals[kind][k];
        if (ordinals[x] == TbNoOrdinal) return TbNoIndex;
        const uint64_t o = ordinals[x] - (ordinals[K] != TbNoOrdinal && x > K ? 1 : 0);
        const uint32_t* starts = TbEnumStartsOfSlot(TbKingsWithPawns, 1, kind);
        return base + 14 * (uint64_t{starts[pair]} + o) + uint64_t(c);
      }
      const int xc = x - Below(x, {e - 8, blackPawn, K, pawns[0], k, e});
      if (xc < 0 || xc > 57) return TbNoIndex;
      return base + 14 * (58 * uint64_t(pair) + uint64_t(xc)) + uint64_t(c);
    }
    default:
      return TbNoIndex;
  }
}

}  // namespace

const TbSideLayout& TbLayout(int32_t id, int32_t side) {
  if (id < 0 || id >= TbTableCount || side < 0 || side > 1) return gNoLayout;
  return gLayouts[id * 2 + side];
}

uint64_t TbIndexSpace(int32_t id, int32_t side) {
  const TbSideLayout& L = TbLayout(id, side);
  if (L.thunk) return TbIndexSpace(id, 0);
  if (!L.built) return 0;
  return OrdinarySpace(L) + EnPassantSpace(L);
}

uint64_t TbIndexOf(const TbSideLayout& L, const TbPieceList* white, const TbPieceList* black,
                   int32_t enPassant, int32_t invert) {
  if (L.thunk) return TbIndexOf(TbLayout(L.id, 0), black, white, enPassant, invert == 0 ? 1 : 0);
  if (!L.built || !white || !black) return TbNoIndex;
  const TbPieceList* lists[2] = {white, black};
  int ownKing, otherKing;
  if (!ManSquare(lists[L.own], TbKing, 0, ownKing) ||
      !ManSquare(lists[1 - L.own], TbKing, 0, otherKing)) {
    return TbNoIndex;
  }

  // One transformation for every square of the call.
  int mask;
  bool transpose = false;
  if (L.pawns) {
    mask = TbFileMirror[ownKing] ^ TbInvertMask[invert != 0];
  } else {
    mask = TbQuadrantMask[ownKing];
    const int K = ownKing ^ mask, k = otherKing ^ mask;
    transpose = !(TbInTriangle[K] && (TbOffDiagonal[K] || TbFileGeRank[k]));
  }
  const auto normal = [mask, transpose](int s) {
    s ^= mask;
    return transpose ? int{TbTranspose[s]} : s;
  };
  const int K = normal(ownKing), k = normal(otherKing);

  if (L.enPassant >= TbEpSix33 && enPassant >= 0 && enPassant <= 63) {
    return TbSixManPawnEnPassantIndex(L, lists, mask, normal(enPassant), K, k, OrdinarySpace(L));
  }
  if (L.enPassant != TbEpNone && enPassant >= 0 && enPassant <= 63) {
    return EnPassantIndex(L, lists, normal, normal(enPassant), K, k);
  }

  const int flip = L.flip ? 56 : 0;
  const int Kf = K ^ flip, kf = k ^ flip;
  const int pair = TbKingPairIndex[L.pawns][Kf][kf];
  if (pair == TbNoKingPair) return TbNoIndex;

  // Placed men for the appended part, in the frame without the flip.
  int placed[6] = {K, k};
  int placedCount = 2;
  int enumPawn[3];
  int enumPawnCount = 0;

  uint64_t index = uint64_t(pair);
  if (L.enumCount) {
    uint64_t code = 0;
    for (int g = 0; g < L.enumCount; ++g) {
      const TbGroup& G = L.enumerated[g];
      const uint8_t* ordinals = TbSquareOrdinals[G.ordinal][kf];
      const bool kingTakesOne = ordinals[Kf] != TbNoOrdinal;
      uint64_t o[3] = {};
      for (int n = 0; n < G.count; ++n) {
        int s;
        if (!ManSquare(lists[G.colour], G.kind, n, s)) return TbNoIndex;
        s = normal(s);
        placed[placedCount++] = s;
        if (G.kind == TbPawn) enumPawn[enumPawnCount++] = s;
        const int sf = s ^ flip;
        if (ordinals[sf] == TbNoOrdinal) return TbNoIndex;
        o[n] = ordinals[sf] - (kingTakesOne && sf > Kf ? 1 : 0);
      }
      SortSmall(o, G.count);
      const uint64_t n = TbSquareOrdinalCount[G.ordinal][kf] - (kingTakesOne ? 1 : 0);
      uint64_t groupCode = o[0], radix = n;
      if (G.count >= 2) groupCode += Binomial(o[1], 2), radix = Binomial(n, 2);
      if (G.count >= 3) groupCode += Binomial(o[2], 3), radix = Binomial(n, 3);
      code = code * radix + groupCode;
    }
    index = uint64_t{TbEnumStartsOfSlot(L.pawns, L.combinationMen, L.combinationSlot)[pair]} + code;
  }

  uint64_t codes[4] = {};
  for (int i = 0; i < L.appendCount; ++i) {
    const int g = L.placement[i];
    const TbGroup& G = L.appended[g];
    int c[3] = {};
    int squares[3] = {};
    for (int n = 0; n < G.count; ++n) {
      int s;
      if (!ManSquare(lists[G.colour], G.kind, n, s)) return TbNoIndex;
      s = normal(s);
      squares[n] = s;
      int below = 0;
      if (G.kind == TbPawn) {
        if (s < 8 || s > 55) return TbNoIndex;
        for (int j = 0; j < enumPawnCount; ++j) below += enumPawn[j] < s;
        c[n] = s - 8 - below;
      } else {
        for (int j = 0; j < placedCount; ++j) below += placed[j] < s;
        c[n] = s - below;
      }
    }
    SortSmall(c, G.count);
    uint64_t code = uint64_t(c[0]);
    if (G.count >= 2) code += Binomial(uint64_t(c[1]), 2);
    if (G.count >= 3) code += Binomial(uint64_t(c[2]), 3);
    codes[g] = code;
    for (int n = 0; n < G.count; ++n) placed[placedCount++] = squares[n];
  }
  for (int g = 0; g < L.appendCount; ++g) index = index * L.appendRadix[g] + codes[g];
  return index;
}

}  // namespace galdrik
