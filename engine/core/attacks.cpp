// The line tables of attacks.h, computed at compile time.
#include "core/attacks.h"

namespace galdrik {

namespace {

// The step from a towards b (file and rank, each -1, 0 or 1) when the two
// squares share a line.
constexpr bool Richtung(int a, int b, int& dl, int& dr) {
  const int l = (b & 7) - (a & 7), r = (b >> 3) - (a >> 3);
  if (a == b || !(l == 0 || r == 0 || l == r || l == -r)) return false;
  dl = (l > 0) - (l < 0);
  dr = (r > 0) - (r < 0);
  return true;
}

constexpr bool AufBrett(int l, int r) { return l >= 0 && l < 8 && r >= 0 && r < 8; }

constexpr LinienTabelle ZwischenBauen() {
  LinienTabelle t{};
  for (int a = 0; a < 64; ++a)
    for (int b = 0; b < 64; ++b) {
      int dl = 0, dr = 0;
      if (!Richtung(a, b, dl, dr)) continue;
      for (int s = a + dr * 8 + dl; s != b; s += dr * 8 + dl) t[a][b] |= Bitboard{1} << s;
    }
  return t;
}

constexpr LinienTabelle GeradeBauen() {
  LinienTabelle t{};
  for (int a = 0; a < 64; ++a)
    for (int b = 0; b < 64; ++b) {
      int dl = 0, dr = 0;
      if (!Richtung(a, b, dl, dr)) continue;
      for (int seite = -1; seite <= 1; seite += 2)
        for (int l = a & 7, r = a >> 3; AufBrett(l, r); l += seite * dl, r += seite * dr)
          t[a][b] |= Bitboard{1} << (r * 8 + l);
    }
  return t;
}

constexpr std::array<Bitboard, 64> StrahlenBauen(bool geradeLinien) {
  std::array<Bitboard, 64> t{};
  for (int a = 0; a < 64; ++a)
    for (int b = 0; b < 64; ++b) {
      int dl = 0, dr = 0;
      if (Richtung(a, b, dl, dr) && (dl == 0 || dr == 0) == geradeLinien) t[a] |= Bitboard{1} << b;
    }
  return t;
}

}  // namespace

constexpr LinienTabelle Zwischen = ZwischenBauen();
constexpr LinienTabelle Gerade = GeradeBauen();
constexpr std::array<Bitboard, 64> TurmStrahlen = StrahlenBauen(true);
constexpr std::array<Bitboard, 64> LaeuferStrahlen = StrahlenBauen(false);

}  // namespace galdrik
