// Playing a move on a position (copy-make: the parent stays untouched, so
// there is no unmake) and the questions the engine asks about squares:
// is a square attacked, who attacks it most cheaply, what does a capture
// gain, and can a move taken from the transposition table be played here.
#pragma once

#include <cstdint>

#include "core/board.h"

namespace galdrik {

// Material values shared by make move, search and quiescence.
inline constexpr int16_t WertBauer = 100;
inline constexpr int16_t WertSpringer = 300;
inline constexpr int16_t WertLaeufer = 300;
inline constexpr int16_t WertTurm = 450;
inline constexpr int16_t WertDame = 850;
inline constexpr int16_t WertUnbekannt = 32767;

// Plays the move. Key flag 1: the child's key is updated for the move;
// any other value keeps the parent's key (trial moves). The child's check
// flags come from the move's gives-check byte; anzahl, remisMaterial and
// bewertung keep the parent's values. Zugart 2 and 4 (the encoding of
// ZuglisteErzeugen) play like 0; Zugart 2 with nothing captured onto the
// en-passant square is an en-passant capture. A move naming a square above
// 63 changes nothing; a move that captures a king leaves that king square 64.
Stellung ZugAusfuehren(const Stellung& vorher, const Zug& zug, uint8_t keyFlag);

// The same into a caller's record, which may be the parent itself.
void ZugAusfuehren(Stellung& nachher, const Stellung& vorher, const Zug& zug, uint8_t keyFlag);

// Colour 1: is the square attacked by Black; any other value: by White.
// Square 64 (no king) is never attacked; any square above 64 neither.
bool FeldAngegriffen(const Stellung& st, int feld, uint8_t farbe);

namespace detail {

// The attack test over any record with the fields it reads (Stellung, or
// the move generator's reduced board for trial moves): first hit wins, in
// the order king, pawns, knights, rank and file, diagonals.
template <typename Brett>
inline bool Angegriffen(const Brett& st, int feld, uint8_t farbe) {
  if (feld < 0 || feld > 64) return false;
  const bool schwarzGreift = farbe == 1;
  const Bitboard angreifer = schwarzGreift ? st.schwarz : st.weiss;
  const unsigned koenig = schwarzGreift ? st.koenigS : st.koenigW;
  if (KoenigAngriff[feld] & Feldmaske[koenig < 64 ? koenig : KeinFeld]) return true;
  if ((schwarzGreift ? BauerAngriffWeiss[feld] : BauerAngriffSchwarz[feld]) & st.bauern & angreifer)
    return true;
  if (SpringerAngriff[feld] & st.springer & angreifer) return true;
  if ((ReihenAngriffe(feld, st.belegt) | LinienAngriffe(feld, st.belegt90)) &
      (st.tuerme | st.damen) & angreifer)
    return true;
  return ((A1H8Angriffe(feld, st.belegtA1H8) | H1A8Angriffe(feld, st.belegtH1A8)) &
          (st.laeufer | st.damen) & angreifer) != 0;
}

}  // namespace detail

// Number of the colour's men attacking the square (colour 1 White, else
// Black), with the type and pawn-unit value of the cheapest of them.
uint8_t AbtauschHilfe(const Stellung& st, uint8_t farbe, uint8_t feld, uint8_t& figurTyp,
                      uint8_t& wert);

// Material value of a capture of the given piece (promotion gain included
// for a pawn capture that promotes).
int16_t FigurWert(int8_t geschlagen, uint8_t zugart);

// Whether a move rebuilt from a table entry is pseudo-legal in the position.
bool HashZugGueltig(const Stellung& st, const Zug& zug);

}  // namespace galdrik
