// The program's Booleans are 16-bit with True = -1: that is the form they
// take in the settings store and the form check boxes are converted from.
#pragma once

#include <cstdint>

namespace galdrik {

using Boolean = std::int16_t;
inline constexpr Boolean Wahr = -1;
inline constexpr Boolean Falsch = 0;

constexpr Boolean AlsBoolean(bool b) { return b ? Wahr : Falsch; }

}  // namespace galdrik
