// Static evaluation: the score of a position in centipawn-like units,
// positive when White stands better. This is the frame: the order of the
// steps, material, the dead-draw and fortress rules that end the evaluation
// early, the special material corrections, scaling and the sign convention.
// The positional terms live in evalterms, the pawn endings and the small
// endgames in their own files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "core/board.h"

namespace galdrik {

// King phases.
inline constexpr uint8_t PhaseEroeffnung = 1;
inline constexpr uint8_t PhaseMittelspiel = 2;
inline constexpr uint8_t PhaseEndspiel = 3;

// What one evaluation works on: the men of each side by type (the king as a
// board, empty when the king is missing) and the king phases. Built afresh
// by every call and handed to the terms and recognisers of that call, so
// evaluations in different threads never share it.
struct BewertungsZustand {
  Bitboard bauernW, springerW, laeuferW, tuermeW, damenW, koenigW;
  Bitboard bauernS, springerS, laeuferS, tuermeS, damenS, koenigS;
  uint8_t phaseW = PhaseMittelspiel;
  uint8_t phaseS = PhaseMittelspiel;
  uint8_t endspiel = 0;  // 1 when both phases are the endgame phase
};

// The piece boards of both sides; the phases are left at their defaults.
BewertungsZustand FigurenBretter(const Stellung& st);

// Sets the king phases and the endgame flag from the material; n is the
// number of men on the board.
void KoenigsPhasen(BewertungsZustand& z, int n);

// Square sets written the way a chess player names them, for the many fixed
// square lists of the evaluation rules.
constexpr int FeldNr(const char* name) { return (name[1] - '1') * 8 + (name[0] - 'a'); }
constexpr Bitboard FeldMenge(std::initializer_list<const char*> namen) {
  Bitboard b = 0;
  for (const char* n : namen) b |= Bitboard{1} << FeldNr(n);
  return b;
}
inline constexpr Bitboard LinieA = 0x0101010101010101ULL;
inline constexpr Bitboard LinieB = LinieA << 1;
inline constexpr Bitboard LinieG = LinieA << 6;
inline constexpr Bitboard LinieH = LinieA << 7;
inline constexpr Bitboard Reihe1 = 0xFFULL;
inline constexpr Bitboard Reihe8 = 0xFFULL << 56;

// The squares a set of pawns attacks.
constexpr Bitboard BauernAngriffeWeiss(Bitboard bauern) {
  return ((bauern & ~LinieA) << 7) | ((bauern & ~LinieH) << 9);
}
constexpr Bitboard BauernAngriffeSchwarz(Bitboard bauern) {
  return ((bauern & ~LinieA) >> 9) | ((bauern & ~LinieH) >> 7);
}

// Chebyshev distance. A missing king (square 64) reads as file a, rank 9:
// far from everything, and never an index into a table.
constexpr int FeldAbstand(int a, int b) {
  const int linien = Linie(a) - Linie(b), reihen = Reihe(a) - Reihe(b);
  return std::max(linien < 0 ? -linien : linien, reihen < 0 ? -reihen : reihen);
}

// Scores the position and stores White's view in st.bewertung. ansicht 1:
// the result is from the side to move's view; anything else: White's view.
// Sets st.remisMaterial when it finds a dead draw and clears st.remisRegel.
int16_t StellungBewerten(Stellung& st, uint8_t ansicht);

// Corner race of a White rook pawn, for the tablebase analysis. The lists
// are 12 values each: six start positions (pawns, knights, bishops, rooks,
// queens, king) into the six squares that follow. The two middle arguments
// are not read. 1 when Black's king is far from h8, 0 when near; the reverse
// when the polarity is nonzero. No White pawn: 1.
uint8_t BewertungTBVorbereiten(const int32_t* weissListe, const int32_t* schwarzListe,
                               const void* slotFelder, int32_t epFeld, int32_t tempo,
                               int32_t polaritaet);

}  // namespace galdrik
