// Shared helpers of the make-move and move-generation tests.
#pragma once

#include <string>

#include "core/board.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "support/testboard.h"

namespace galdrik::test {

// A position from "placement side castling ep" with both check flags set
// from the attack test, as every position builder does.
inline Stellung Pos(const std::string& text) {
  Stellung st = Brett(text);
  st.schachW = st.koenigW < 64 && FeldAngegriffen(st, st.koenigW, 1);
  st.schachS = st.koenigS < 64 && FeldAngegriffen(st, st.koenigS, 0);
  return st;
}

// The move of the list with these squares (and promotion kind, when given);
// KeinZug when there is none.
inline Zug Suche(const Zugliste& l, const char* von, const char* nach, int art = -1) {
  for (int i = 0; i < l.anzahl; ++i) {
    const Zug& z = l.zuege[i];
    if (z.von == Feld(von) && z.nach == Feld(nach) && (art < 0 || z.zugart == art)) return z;
  }
  return KeinZug;
}

// The generator's move between two squares of the position.
inline Zug ZugVon(const Stellung& st, const char* von, const char* nach, int art = -1) {
  return Suche(ZugGenerator(st, GenAlleZuege), von, nach, art);
}

inline const char* const StartFEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";
inline const char* const Kiwipete =
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";
inline const char* const Position3 = "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -";
inline const char* const Position4 = "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -";
inline const char* const Position5 = "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -";
inline const char* const Position6 =
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - -";

}  // namespace galdrik::test
