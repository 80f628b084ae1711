// Builds the contact attack masks from the attack tables.
#include "core/contactmasks.h"

#include <cstring>

namespace galdrik {

Bitboard Kontaktmasken[13][FeldAnzahlMitLeer];

void AngriffsmaskenInit() {
  std::memset(Kontaktmasken, 0, sizeof Kontaktmasken);
  for (int s = 0; s < 64; ++s) {
    const Bitboard nah = KoenigAngriff[s];
    const Bitboard diagonal = (DiagonalAngriffA1H8[s][0] | DiagonalAngriffH1A8[s][0]) & nah;
    const Bitboard gerade = (ReihenAngriff[s][0] | LinienAngriff[s][0]) & nah;
    for (int farbe = 0; farbe < 2; ++farbe) {
      const int w = farbe;  // 0 Black row, 1 White row
      Kontaktmasken[2 * Bauer - 1 + w][s] = w ? BauerAngriffWeiss[s] : BauerAngriffSchwarz[s];
      Kontaktmasken[2 * Springer - 1 + w][s] = SpringerAngriff[s];
      Kontaktmasken[2 * Laeufer - 1 + w][s] = diagonal;
      Kontaktmasken[2 * Turm - 1 + w][s] = gerade;
      Kontaktmasken[2 * Dame - 1 + w][s] = diagonal | gerade;
      Kontaktmasken[2 * Koenig - 1 + w][s] = nah;
    }
  }
}

}  // namespace galdrik
