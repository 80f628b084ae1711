// Move text: finding the move a text names among the legal moves (standard
// algebraic with or without disambiguation, and long algebraic) and writing
// a move in the engine's long notation (Sg1-f3, e7xd8D, O-O+).
//
// Piece letters are never fixed: every caller passes six letters, pawn to
// king, "BSLTDK" for the display and "PNBRQK" for PGN files and the book.
// The pawn letter is never read or written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/board.h"

namespace galdrik {

inline constexpr std::string_view FigurenDeutsch = "BSLTDK";
inline constexpr std::string_view FigurenEnglisch = "PNBRQK";

// Status bits of PGNZugInterpretieren.
inline constexpr uint8_t ZugtextNichtGefunden = 1;
inline constexpr uint8_t ZugtextSchlagFalsch = 2;     // capture mark disagrees
inline constexpr uint8_t ZugtextSchachFalsch = 4;     // check mark disagrees
inline constexpr uint8_t ZugtextAusrufezeichen = 16;  // ends in "!"
inline constexpr uint8_t ZugtextFragezeichen = 32;    // ends in "?"

// Index in the list of the one move the text names, or -1 (status 1) when
// none or more than one does. A found move whose capture or check mark
// disagrees is still returned; the status says so.
int16_t PGNZugInterpretieren(const Zugliste& liste, std::string_view text,
                             std::string_view buchstaben, uint8_t& status);

// A square ("e4", length 2), or one coordinate (length 1): a file "a".."h"
// gives 0..7 with the flag 1, a rank "1".."8" gives 0, 8, .., 56 with the
// flag 0. -1 for anything else.
int8_t PGNFeldLesen(std::string_view text, uint8_t& linienFlag);

// The move in long notation: piece letter (none for a pawn), from-square,
// "-" or "x", to-square, promotion letter; "+" when it gives check, "#" when
// it also mates (mattFlag not 0). Castling is "O-O" or "O-O-O".
std::string ZugNotation(const Zug& zug, std::string_view buchstaben, uint8_t mattFlag);

}  // namespace galdrik
