// The tablebase index scheme: how a placement of a table's men maps to its
// entry number in the file of the side to move. The calling form, the
// symmetry and king-pair tables, and the run-time ordinal and enumeration
// tables that every index function reads.
#pragma once

#include <array>
#include <cstdint>

namespace galdrik {

// Piece kinds of a TbPieceList, in list order.
enum TbPieceKind : int32_t {
  TbPawn = 0,
  TbKnight = 1,
  TbBishop = 2,
  TbRook = 3,
  TbQueen = 4,
  TbKing = 5,
};

// The men of one colour. The n-th man of kind t stands on
// squares[kindStart[t] + n]; men of one kind stand consecutively and the king
// is the last one. An index function reads, for each man that the table gives
// the colour, kindStart of its kind and that one square, nothing else; the
// counts of the kinds are never compared, so the caller must pass lists that
// match the table's material. kindStart may begin above 0 (a black list
// filled after the white men); entries outside the men read are ignored.
struct TbPieceList {
  int32_t kindStart[6];
  int32_t squares[6];
};

// En-passant argument when no capture en passant is possible.
inline constexpr int32_t TbNoEnPassant = 127;

// Result of an index function for input outside the index space (kings on
// the same or adjacent squares, a square outside 0..63, a man on a square its
// ordinal kind excludes, list positions outside 0..5). It is above every
// entry count, so the probe treats it as "no value".
inline constexpr uint64_t TbNoIndex = ~uint64_t{0};

// An index function: (white men, black men, en-passant square or 127,
// invert flag) -> entry number in the file of the function's side to move.
// The lists are the table's white and black men; a caller that maps a
// position onto a table with the colours reversed passes the position's black
// men as the white list, takes the other side's function and sets invert to 1
// (any nonzero value counts as 1). The en-passant square is the square a
// capture en passant would land on, given only when the side to move can make
// it, else 127; values outside 0..63 count as 127. Pure: reads the lists and
// the tables below, writes nothing, safe from any thread once
// TbBuildIndexTables has run. Indices of six-man tables exceed 2^32.
using TbIndexFn = uint64_t (*)(const TbPieceList* white, const TbPieceList* black,
                               int32_t enPassant, int32_t invert);

// Builds the ordinal and enumeration tables below. Called by the first reset
// of the tablebase core, before any index function runs; later calls return
// at once. Safe to call from several threads (the first one builds).
void TbBuildIndexTables();

// ---- Constant symmetry tables (square 0..63, a1 = 0, h8 = 63) ----

namespace tbdetail {
template <typename F>
constexpr std::array<uint8_t, 64> SquareTable(F f) {
  std::array<uint8_t, 64> t{};
  for (int s = 0; s < 64; ++s) t[s] = static_cast<uint8_t>(f(s % 8, s / 8));
  return t;
}
}  // namespace tbdetail

// file*8 + rank: reflection in the a1-h8 diagonal.
inline constexpr auto TbTranspose = tbdetail::SquareTable([](int f, int r) { return f * 8 + r; });
// XOR mask bringing a square onto files a-d.
inline constexpr auto TbFileMirror =
    tbdetail::SquareTable([](int f, int) { return f < 4 ? 0 : 7; });
// XOR mask bringing a square into a1-d4.
inline constexpr auto TbQuadrantMask =
    tbdetail::SquareTable([](int f, int r) { return (f < 4 ? 0 : 7) | (r < 4 ? 0 : 56); });
inline constexpr std::array<uint8_t, 2> TbInvertMask = {0, 56};
// 1 on a1 b1 c1 d1 b2 c2 d2 c3 d3 d4.
inline constexpr auto TbInTriangle =
    tbdetail::SquareTable([](int f, int r) { return f < 4 && r <= f ? 1 : 0; });
// 0 on the a1-h8 diagonal, else 1.
inline constexpr auto TbOffDiagonal = tbdetail::SquareTable([](int f, int r) { return f != r; });
// 1 where file >= rank (on or below the a1-h8 diagonal).
inline constexpr auto TbFileGeRank = tbdetail::SquareTable([](int f, int r) { return f >= r; });

// ---- King pairs ----

enum TbKingPairKind : int32_t {
  TbKingsPawnless = 0,   // 462 pairs, own king in the triangle a1-d1-d4
  TbKingsWithPawns = 1,  // 1806 pairs, own king on files a-d
};
inline constexpr int32_t TbKingPairCount[2] = {462, 1806};
inline constexpr int16_t TbNoKingPair = 4000;

// [kind][own king][other king]: the pair's number (row order, own king
// ascending, then other king ascending) or 4000 when the pair does not occur.
inline constexpr auto TbKingPairIndex = [] {
  std::array<std::array<std::array<int16_t, 64>, 64>, 2> t{};
  for (int kind = 0; kind < 2; ++kind) {
    int16_t next = 0;
    for (int own = 0; own < 64; ++own) {
      for (int other = 0; other < 64; ++other) {
        const int df = own % 8 - other % 8, dr = own / 8 - other / 8;
        bool occurs = df * df > 1 || dr * dr > 1;
        if (kind == TbKingsPawnless) {
          occurs = occurs && TbInTriangle[own] && (TbOffDiagonal[own] || TbFileGeRank[other]);
        } else {
          occurs = occurs && own % 8 < 4;
        }
        t[kind][own][other] = occurs ? next++ : TbNoKingPair;
      }
    }
  }
  return t;
}();

// ---- Square ordinals ----

enum TbOrdinalKind : int32_t {
  TbOrdPawn = 0,         // ranks 2-7 except the king's square
  TbOrdPawnNoCheck = 1,  // as TbOrdPawn, less the squares of an upward pawn check
  TbOrdKnight = 2,       // less the knight checks
  TbOrdBishop = 3,       // less the diagonal neighbours
  TbOrdRook = 4,         // less the orthogonal neighbours
  TbOrdQueen = 5,        // less all neighbours
};
inline constexpr uint8_t TbNoOrdinal = 255;

// [kind][king of the side not to move][square]: available squares numbered
// 0, 1, 2 ... in ascending order, 255 where unavailable. Valid after
// TbBuildIndexTables.
extern uint8_t TbSquareOrdinals[6][64][64];
// [kind][king square]: number of available squares.
extern uint8_t TbSquareOrdinalCount[6][64];

// ---- Enumeration starts ----

// A combination of one to three ordinal kinds, a >= b >= c (pass -1 for the
// unused ones). Exists with pawns for (a), (0,0), (0,0,0) and kinds 1..5 in
// any descending multiset; pawnless for kinds 2..5 only.
// Starts: per king pair of the variant, where that pair's positions begin;
// null for a combination that does not exist. Valid after TbBuildIndexTables.
const uint32_t* TbEnumStarts(TbKingPairKind variant, int32_t a, int32_t b = -1, int32_t c = -1);
// Total positions of the combination over all pairs; 0 when it does not exist.
uint32_t TbEnumTotal(TbKingPairKind variant, int32_t a, int32_t b = -1, int32_t c = -1);

}  // namespace galdrik
