// Move generation and the king-attack test for positions held as six piece
// slots (Figurenliste): the form in which the tablebase analysis, the
// special database and the RFEP emulator walk through a material class.
// Pure functions of their arguments and the core's attack tables.
#pragma once

#include <cstdint>

#include "core/board.h"

namespace galdrik {

inline constexpr int FigurenlisteSlots = 6;
inline constexpr int FigurenlisteMaxZuege = 256;

// Move flags. A capture is recognised by the value 2, alone or added to a
// promotion value; an en-passant capture by a target equal to the
// en-passant square.
inline constexpr uint8_t ZugFlagRuhig = 0;
inline constexpr uint8_t ZugFlagSchlag = 2;
inline constexpr uint8_t ZugFlagDoppelschrittEP = 4;  // an opposing pawn stands beside the target
inline constexpr uint8_t ZugFlagUmwSpringer = 16;
inline constexpr uint8_t ZugFlagUmwLaeufer = 32;
inline constexpr uint8_t ZugFlagUmwTurm = 64;
inline constexpr uint8_t ZugFlagUmwDame = 128;

// The piece a move's flags promote to (Springer .. Dame), 0 for none.
constexpr int UmwandlungsFigur(uint8_t flags) {
  if (flags & ZugFlagUmwDame) return Dame;
  if (flags & ZugFlagUmwTurm) return Turm;
  if (flags & ZugFlagUmwLaeufer) return Laeufer;
  if (flags & ZugFlagUmwSpringer) return Springer;
  return 0;
}

// En-passant square value for "none" (any value of 64 or more reads so).
inline constexpr int32_t FigurenlisteKeinEP = 127;

// FigurenlisteZugliste, 772 bytes: three parallel byte arrays and the count.
struct FigurenlisteZugliste {
  uint8_t slot[FigurenlisteMaxZuege];   // moving slot 0..5
  uint8_t ziel[FigurenlisteMaxZuege];   // target square
  uint8_t flags[FigurenlisteMaxZuege];  // ZugFlag* values
  uint32_t anzahl;
};
static_assert(sizeof(FigurenlisteZugliste) == 772);

// The legal moves of the side to move (1 White, anything else Black), in
// slot order 0..5 and, within a slot, by increasing target (pawn pushes
// before pawn captures). `felder` holds one pointer per slot; the pointers
// of empty slots (code 0) are not dereferenced. An en-passant square of
// 0..63 adds a capture only when it is a real one: on the sixth rank
// (third for Black), empty, the opposing pawn behind it; such captures are
// played out on trial, so one that takes a checking pawn is listed and one
// that uncovers an attack on the own king is not. `schachgeber` receives
// the number of opposing pieces attacking the own king, an adjacent
// opposing king counting as one. A position without exactly one king per
// side, or with an occupied slot off the board, has no moves and no
// checkers. Returns the count, also stored in the list.
uint32_t FigurenlisteZuege(const int8_t* figuren, int32_t* const* felder, int32_t epFeld,
                           int32_t amZug, FigurenlisteZugliste& liste, uint32_t& schachgeber);

// 1 when the king of `seite` (1 White, else Black) is attacked by a pawn,
// knight, bishop, rook or queen of the other side, else 0. The opposing king
// is not considered and the en-passant square is not used. No king of that
// side, or an occupied slot off the board: 0.
int32_t FigurenlisteKoenigBedroht(const int8_t* figuren, int32_t* const* felder, int32_t epFeld,
                                  int32_t seite);

}  // namespace galdrik
