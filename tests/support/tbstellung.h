// Test helper: engine positions from lists of men, for the tablebase
// probes (no FEN round trip, so whole tables can be walked).
#pragma once

#include <initializer_list>

#include "core/board.h"

namespace galdrik::test {

struct TbMann {
  int8_t figur;  // signed piece code: +White, -Black
  int feld;
};

inline Stellung TbStellung(std::initializer_list<TbMann> maenner, bool weissAmZug,
                           int epFeld = KeinEPFeld) {
  Stellung st = Leerstellung();
  for (const TbMann& m : maenner) {
    const Bitboard b = Bitboard{1} << m.feld;
    (m.figur > 0 ? st.weiss : st.schwarz) |= b;
    switch (Betrag(m.figur)) {
      case Bauer:
        st.bauern |= b;
        break;
      case Springer:
        st.springer |= b;
        break;
      case Laeufer:
        st.laeufer |= b;
        break;
      case Turm:
        st.tuerme |= b;
        break;
      case Dame:
        st.damen |= b;
        break;
      case Koenig:
        (m.figur > 0 ? st.koenigW : st.koenigS) = uint8_t(m.feld);
        break;
    }
  }
  st.amZug = weissAmZug ? Weiss : Schwarz;
  st.epFeld = uint8_t(epFeld);
  BelegungSetzen(st);
  StellungAbleiten(st);
  return st;
}

}  // namespace galdrik::test
