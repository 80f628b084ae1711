// Positions as FEN text: reading a FEN into a fully derived Stellung (with
// the clean-up of castling rights and en-passant square and the validity
// rules) and writing a Stellung back as FEN.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/board.h"

namespace galdrik {

// Results of FENEingabe.
inline constexpr int32_t FENGueltig = 0;
inline constexpr int32_t FENUngueltig = -1;
inline constexpr int32_t FENZuKurz = -2;  // fewer than 5 characters
inline constexpr int32_t FENFehlt = -3;   // no text at all

// FEN letter of each piece code: index code + 6 (k = -6 .. K = +6), then the
// side letters.
inline constexpr std::string_view FENBuchstaben = "kqrbnp PNBRQKwb";

// Reads the FEN into st. The half-move number is 2k - 1 with White to move
// at full move k and 2k with Black to move. Both outputs are overwritten
// first (empty position, 1), and even an invalid text leaves a fully
// rebuilt position behind; only a result of 0 means it may be used.
// The text ends at its first NUL; any length is read safely.
int32_t FENEingabe(const char* fen, Stellung& st, uint16_t& halbzugNummer);
int32_t FENEingabe(std::string_view fen, Stellung& st, uint16_t& halbzugNummer);

// The position as FEN; the full-move field is (halbzugNummer + 1) / 2.
std::string FENAusgabe(const Stellung& st, int16_t halbzugNummer);

}  // namespace galdrik
