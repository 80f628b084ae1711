// Test helper: a six-slot position (piece codes, squares and the pointers
// the piece-list routines take), read from a FEN-like text or built from
// codes, and turned into the engine's Stellung for the reference generator.
#pragma once

#include <array>
#include <cctype>
#include <sstream>
#include <stdexcept>
#include <string>

#include "analysis/figurenliste.h"
#include "core/board.h"
#include "core/makemove.h"
#include "core/zobrist.h"
#include "support/testboard.h"

namespace galdrik::test {

struct Slots {
  std::array<int8_t, 6> fig{};
  std::array<int32_t, 6> feld{};
  int32_t ep = FigurenlisteKeinEP;
  int32_t amZug = 1;

  // The pointers into this object; valid while it lives and does not move.
  std::array<int32_t*, 6> Zeiger() {
    std::array<int32_t*, 6> z{};
    for (int k = 0; k < 6; ++k) z[k] = &feld[k];
    return z;
  }

  uint32_t Zuege(FigurenlisteZugliste& l, uint32_t& schach) {
    auto z = Zeiger();
    return FigurenlisteZuege(fig.data(), z.data(), ep, amZug, l, schach);
  }
  int32_t Bedroht(int32_t seite) {
    auto z = Zeiger();
    return FigurenlisteKoenigBedroht(fig.data(), z.data(), ep, seite);
  }

  // The engine's position of the same men, check flags set.
  Stellung AlsStellung() const {
    Stellung st = Leerstellung();
    for (int k = 0; k < 6; ++k) {
      if (fig[k] == 0) continue;
      const Bitboard m = Bitboard{1} << feld[k];
      (fig[k] > 0 ? st.weiss : st.schwarz) |= m;
      switch (Betrag(fig[k])) {
        case Bauer:
          st.bauern |= m;
          break;
        case Springer:
          st.springer |= m;
          break;
        case Laeufer:
          st.laeufer |= m;
          break;
        case Turm:
          st.tuerme |= m;
          break;
        case Dame:
          st.damen |= m;
          break;
        default:
          (fig[k] > 0 ? st.koenigW : st.koenigS) = static_cast<uint8_t>(feld[k]);
      }
    }
    st.amZug = amZug == 1 ? Weiss : Schwarz;
    st.epFeld = ep < 64 ? static_cast<uint8_t>(ep) : KeinEPFeld;
    BelegungSetzen(st);
    StellungAbleiten(st);
    st.remisMaterial = 0;
    st.schluessel = HashCodeBerechnen(st);
    st.schachW = st.koenigW < 64 && FeldAngegriffen(st, st.koenigW, 1);
    st.schachS = st.koenigS < 64 && FeldAngegriffen(st, st.koenigS, 0);
    return st;
  }
};

// "placement side ep", e.g. "8/8/8/3k4/8/8/3P4/3K4 w -"; men fill the slots
// in reading order (a8 first), the rest stay empty.
inline Slots SlotsAus(const std::string& text) {
  std::istringstream in(text);
  std::string figuren, seite = "w", ep = "-";
  in >> figuren >> seite >> ep;
  Slots p;
  int n = 0, linie = 0, reihe = 7;
  for (char c : figuren) {
    if (c == '/') {
      --reihe;
      linie = 0;
    } else if (c >= '1' && c <= '8') {
      linie += c - '0';
    } else {
      const auto t = std::string("pnbrqk").find(static_cast<char>(std::tolower(c)));
      if (t == std::string::npos || n == 6) throw std::invalid_argument(text);
      p.fig[n] = static_cast<int8_t>(std::isupper(c) ? t + 1 : -static_cast<int>(t + 1));
      p.feld[n++] = reihe * 8 + linie++;
    }
  }
  p.amZug = seite == "b" ? 0 : 1;
  p.ep = ep == "-" ? FigurenlisteKeinEP : Feld(ep.c_str());
  return p;
}

}  // namespace galdrik::test
