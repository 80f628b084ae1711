// The strategy search over tablebase-probed positions: how long one side
// can be held to unique moves (the only winning move, or without a win the
// only drawing one) against every defence that keeps the result. The
// move-sequence search of the tablebase layer reaches it through its hook,
// which this module fills when the library loads.
#pragma once

#include <cstdint>

#include "core/board.h"

namespace galdrik {

inline constexpr int32_t StrategieMaxTiefe = 100;

// TBStrategieZug: pos by value; modus 1 when the side to move is the one
// held to unique moves (the attacker), 0 for the defender; tiefe 0 at the
// top call. Out: the chosen move (no move when none is chosen), the value
// of the position after it (from the opponent's view; 32767 none) and
// einzig, 1 when exactly one move reached the smallest value. Result: the
// number of the attacker's unique moves that follow from pos.
//
// The deepest depth reached is the move-sequence progress
// (TBZugfolgeFortschritt) and the line to it is TBStrategieLinie; the
// search ends early, from depth 1 on, once the move-sequence stop request
// is set.
int32_t TBStrategieZug(Stellung pos, int32_t modus, int32_t tiefe, Zug& zug, int32_t& wert,
                       int32_t& einzig);

// Puts TBStrategieZug into the move-sequence search's hook. Done when the
// library loads; callers in this layer repeat it, which costs nothing.
void TBStrategieInstallieren();

// The probe value at the deepest depth of the last search.
int32_t TBStrategieBesterWert();

}  // namespace galdrik
