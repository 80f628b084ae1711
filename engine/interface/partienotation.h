// The notation text of the game record: the display text with its click
// index (moves, NAG symbols, comments, variations as indented blocks) and the
// PGN movetext (numbers, $-NAGs, braced comments, inline variations).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interface/zugknoten.h"

namespace galdrik {

// One move of the display text. Positions count the bytes of the text plus
// one per line feed before them, as the program shows each line feed as two
// characters.
struct NotationsEintrag {
  int32_t anfang;  // first character of the move
  int32_t ende;    // one past its last character
  Zugknoten* knoten;
};

inline constexpr uint8_t NotationPGN = 0;
inline constexpr uint8_t NotationAnzeige = 1;

struct Notationsauftrag {
  std::string text;
  std::string_view buchstaben = "BSLTDK";
  uint8_t modus = NotationAnzeige;
  int blockTiefe = 3;  // variations shallower than this are blocks of their own
  int einzug = 5;      // blanks per block depth
  int32_t zeilenvorschuebe = 0;
  std::vector<NotationsEintrag>* eintraege = nullptr;  // display mode only
};

// Appends the NAG's symbol; nothing for codes without one.
void NAGText(int32_t nag, std::string& text);

// Appends a comment as the mode writes it (in PGN braces that nothing inside
// can close early).
void KommentarSchreiben(Notationsauftrag& auftrag, std::string_view kommentar);

// The whole movetext of a game: the root's comment, then the line of its
// first child with every variation.
void PartieNotationSchreiben(Notationsauftrag& auftrag, Partiewurzel& wurzel);

}  // namespace galdrik
