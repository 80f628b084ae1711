// The two records that cross the library boundary: GUIStellung (72 x i32)
// for positions and GUIZug (4 x i32) for moves, and their conversion from
// and to the engine's own records.
#pragma once

#include <cstdint>

#include "core/board.h"

namespace galdrik {

inline constexpr int GUIStellungLaenge = 72;
inline constexpr int GUIZugLaenge = 4;

enum GUIStellungIndex : int {
  GSAmZug = 64,
  GSEPFeld = 65,
  GSRochadeWeissLang = 66,
  GSRochadeWeissKurz = 67,
  GSRochadeSchwarzLang = 68,
  GSRochadeSchwarzKurz = 69,
  GSHalbzuege = 70,
  GSZugnummer = 71,
};

// The record as a fully derived position: castling rights only with king and
// rook at home, the en-passant square only where a double step can have
// passed; key and evaluation only when both kings stand.
Stellung StellungAusFeld(const int32_t* feld);

// The position into the record; [71] := the given full-move number.
void FeldAusStellung(const Stellung& st, int32_t zugnummer, int32_t* feld);

// Castling rights by kings and rooks, en-passant square by rank and pawns.
void RochadeUndEPBereinigen(Stellung& st);

// What keeps a position from being one the engine can work on: 0 none;
// 1 the boards disagree, a colour has not exactly one king, or a colour has
// more men than a game can reach; 2 a pawn on the first or last rank. The
// codes are those of DLL_StellungLegal.
int32_t StellungMangel(const Stellung& st);

// The same for a record before it is built: codes outside -6..6 and a second
// king of a colour (which the built position would no longer show) are 1.
int32_t FeldMangel(const int32_t* feld);

}  // namespace galdrik
