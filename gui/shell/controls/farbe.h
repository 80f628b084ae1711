// Colours as the program stores and passes them: a 32-bit value holding
// red + 256 green + 65536 blue. Values with the top bit set name a system
// colour instead (0x8000000F is the button face).
#pragma once

#include <QColor>

class QWidget;
#include <cstdint>

namespace galdrik::farbe {

inline constexpr int32_t Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

inline constexpr uint32_t kSystemButtonFace = 0x8000000F;

// The colour a stored value stands for; system colours come from the
// application's palette.
QColor AlsQColor(uint32_t wert);
// The stored value of a colour (alpha is dropped).
int32_t AusQColor(const QColor& c);

// A button's back colour (its face), as a stored value; the button-face
// system colour gives the style's own face again.
void SetzeKnopfFarbe(QWidget& knopf, uint32_t wert);
uint32_t KnopfFarbe(const QWidget& knopf);

}  // namespace galdrik::farbe
