// Window lengths are kept in twips, as the layout tables give them; this is
// the one place they become pixels. 15 twips make one logical pixel.
#pragma once

#include <QPoint>
#include <QRect>
#include <cmath>

namespace galdrik::twips {

inline constexpr int kProPixel = 15;

// Rounded to the nearest pixel, halves away from zero.
inline int zuPixel(double t) { return static_cast<int>(std::lround(t / kProPixel)); }
inline double zuPixelGenau(double t) { return t / kProPixel; }
inline double ausPixel(double px) { return px * kProPixel; }

inline QPoint zuPixel(double x, double y) { return {zuPixel(x), zuPixel(y)}; }

// A rectangle given by left, top, width and height in twips.
inline QRect rechteck(double links, double oben, double breite, double hoehe) {
  const int l = zuPixel(links), o = zuPixel(oben);
  return {l, o, zuPixel(links + breite) - l, zuPixel(oben + hoehe) - o};
}

}  // namespace galdrik::twips
