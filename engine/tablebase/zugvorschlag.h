// The tablebase move suggestion: the move that leaves the opponent the
// worst value under the current metric, with the conversion and pawn
// preferences of the metrics that count to a conversion or a pawn move, and
// the grade of the choice; and the ordering of moves by the same probe.
#pragma once

#include <cstdint>

#include "core/board.h"
#include "tablebase/cache.h"

namespace galdrik {

// Grades of TBZugVorschlag.
inline constexpr int32_t VorschlagOhneWert = -32768;  // some move has no value
inline constexpr int32_t VorschlagEinzigerZug = 8;
inline constexpr int32_t VorschlagEinzigerGewinn = 3;  // or, without a win, the only draw
inline constexpr int32_t VorschlagEinzigBester = 1;

// Captures (en passant included) and promotions.
constexpr bool IstUmwandlungszug(const Zug& z) {
  return z.enPassant || z.geschlagen != 0 || IstUmwandlung(z);
}
// A pawn move that converts nothing.
constexpr bool IstBauernzug(const Zug& z) {
  return Betrag(z.figur) == Bauer && !IstUmwandlungszug(z);
}

// The value of the position after the move, from the opponent's view.
TbValue TBWertNachZug(const Stellung& st, const Zug& z, int32_t metrik);

// Chooses the move (zero bytes when none is chosen) and answers its grade.
int32_t TBZugVorschlag(const Stellung& st, Zug& zug, bool umwandlungen, bool bauernzuege,
                       int32_t fuenfzig);

// The value after a minus the value after b, both moves made in `st` (the
// position being sorted, the caller's own, so sorts never share it).
int32_t TBZugVergleich(const Stellung& st, const Zug& a, const Zug& b);

// Sorts the moves best first for the mover (ascending value after the move;
// equal values keep generator order).
void TBZuegeSortieren(const Stellung& st, Zug* zuege, int32_t anzahl);

}  // namespace galdrik
