// The solution-move test of the analysis: does the side to move have
// exactly one best move, found by probing every successor, and does that
// move have the kind the setup asks for?
#pragma once

#include <cstdint>

#include "analysis/parameterblock.h"
#include "analysis/tbzugang.h"

namespace galdrik {

// The solution-move key from the option bytes of the block: bits 0..7 the
// kind; kind 1: bits 8..11 piece type, 12..18 from-square, 19..25
// to-square; kind 2: bits 8..15 allowed promotions; every kind 1..5: bits
// 26..29 the flags (no capture, not in check, bad captures, not the only
// move). Any other kind gives 0.
uint32_t LoesungsSchluessel(const TBAnaParameterblock& block);

// Key bits of the flag tests.
inline constexpr uint32_t SchluesselKeinSchlag = 1u << 26;
inline constexpr uint32_t SchluesselNichtImSchach = 1u << 27;
inline constexpr uint32_t SchluesselSchlechteSchlaege = 1u << 28;
inline constexpr uint32_t SchluesselNichtEinzigerZug = 1u << 29;

struct Loesungszug {
  uint8_t slot = 0;   // moving slot 0..5
  uint8_t ziel = 0;   // target square
  uint8_t flags = 0;  // move flags of the piece-list generator
};

// TBAnaLoesungszugTest for the position of six slots (codes, squares through
// pointers, en-passant square or 127, side to move 1 White / 0 Black) with
// probe value v, the class's piece counts, its reversed flag and working
// index. Every probed successor adds 1 to `untersucht`. Successors are built
// in local copies: the caller's slots and counts are never written. A
// successor whose value cannot be had (no table, no registered file, an
// unreadable entry) leaves the best move undecided, so the answer is no;
// bare kings are a draw without a probe. On yes, `loesung` holds the move.
bool TBAnaLoesungszugTest(const int8_t* codes, int32_t* const* felder, int32_t ep, int32_t amZug,
                          int32_t v, const int32_t zaehler[ZaehlerAnzahl], bool umgekehrt,
                          int32_t arbeitsIndex, uint32_t schluessel, const TBZugang& tb,
                          uint64_t& untersucht, Loesungszug& loesung);

}  // namespace galdrik
