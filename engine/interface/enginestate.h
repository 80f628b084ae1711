// The engine-side objects behind the exports: the current position, its
// legal move list, the move that crosses the boundary, the position stack
// and the shared text buffer. One engine per process; the exports run on the
// program's thread, and a search thread only copies the position at its
// start and writes the exchange move at its end.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/board.h"

namespace galdrik {

inline constexpr int32_t AusgabepufferGroesse = 500000;
inline constexpr int StapelTiefe = 5;

struct EngineZustand {
  Stellung aktuelleStellung;     // AktuelleStellung
  Zugliste legalzugliste;        // Legalzugliste, rebuilt by DLL_ZugAnz
  Zug austauschzug;              // Austauschzug
  Stellung stapel[StapelTiefe];  // Stellungsstapel, slot 0 on top
  uint8_t galdrikZugFlag;        // the next DLL_ZugMachen plays the engine's move
  int16_t letzterSuchwert;       // score of the last finished search, White's view
  int32_t abgelehnt;             // DLL_StellungLegal's code for the last record refused
};

EngineZustand& Engine();

// Makes the position the current one, with its legal move list built anew,
// so a move index always means a move of the position it is played on. The
// position must be one the engine can work on (StellungMangel 0).
void StellungUebernehmen(const Stellung& st);

// The legal move list of the current position built anew.
void LegalzuglisteErneuern();

// The shared text buffer (Ausgabepuffer).
char* Ausgabepuffer();

// Writes the text NUL-terminated from the buffer's first byte and returns its
// length; a text longer than the buffer holds is cut at a UTF-8 character
// boundary, and the engine log notes the cut.
inline constexpr std::string_view AusgabeGekuerztMeldung = "Ausgabepuffer voll: Text gekürzt\n";
int32_t AusgabeSchreiben(std::string_view text);

}  // namespace galdrik
