// The description of one table side that the index routines follow: which men
// are enumerated against the king pair, which are appended after them, in
// which order their digits and their placements go, and the special paths
// (en passant, the colour-swapping thunk) of the table's class.
#pragma once

#include <cstdint>

#include "tbindex/indexscheme.h"

namespace galdrik {

// A group of like men of one colour.
struct TbGroup {
  uint8_t colour;   // 0 White, 1 Black
  uint8_t kind;     // TbPieceKind
  uint8_t count;    // 1..3
  uint8_t ordinal;  // TbOrdinalKind of an enumerated group
};

enum TbEnPassantKind : uint8_t {
  TbEpNone = 0,       // en-passant square ignored
  TbEpKpkp = 1,       // kpkp: king pair and capture case
  TbEpKppkp = 2,      // kppkp: king pair, the other white pawn, capture case
  TbEpPiecePawn = 3,  // kXpkp: the white piece, king pair, capture case
  TbEpSix33 = 4,      // six men, three against three, pawns on both sides
  TbEpSix42 = 5,      // six men, four against two, pawns on both sides
};

struct TbSideLayout {
  bool built = false;            // false: this class has no index functions yet
  int16_t id = 0;                // table id
  bool pawns = false;            // king pairs and starts of the with-pawns variant
  uint8_t own = 0;               // colour of the side to move
  bool flip = false;             // kings and enumerated men turned for Black's pawns
  bool thunk = false;            // White's function with the lists exchanged
  uint8_t enPassant = TbEpNone;  // TbEnPassantKind
  uint8_t epPiece = 0;           // TbPieceKind of White's piece for TbEpPiecePawn
  uint8_t enumCount = 0;         // enumerated groups, most significant first
  TbGroup enumerated[3] = {};
  int8_t combination[3] = {-1, -1, -1};  // ordinal kinds, descending
  uint8_t combinationMen = 0;            // men in the combination
  uint8_t combinationSlot = 0;           // a, 6a + b or 36a + 6b + c
  uint8_t appendCount = 0;               // appended groups in digit order
  TbGroup appended[4] = {};
  uint8_t placement[4] = {};  // appended group numbers in placement order
  uint32_t appendRadix[4] = {};
};

// The description of a table side (id 0..440, side 0/1); a default layout
// (built false) for anything else.
const TbSideLayout& TbLayout(int32_t id, int32_t side);

// Number of values the side's index function can produce: the enumeration
// total (or the king pairs) times the appended radices, plus any en-passant
// block. 0 for a side without an index function. Needs TbBuildIndexTables.
uint64_t TbIndexSpace(int32_t id, int32_t side);

// TbEnumStarts by men (1..3) and slot, without the checks: for the routines.
const uint32_t* TbEnumStartsOfSlot(int32_t variant, int32_t men, int32_t slot);

// The routine behind every index function.
uint64_t TbIndexOf(const TbSideLayout& layout, const TbPieceList* white, const TbPieceList* black,
                   int32_t enPassant, int32_t invert);

// True for the six-man tables without pawns (ids 146-200 and 266-345),
// whose sides follow the general description unchanged (index6.cpp).
bool TbSixManPawnless(int32_t id);

}  // namespace galdrik
