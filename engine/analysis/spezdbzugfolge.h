// A record of the special database as a move sequence: the text of its
// tablebase line with the unique-move run, for display or as PGN movetext,
// and the record appended to a PGN file as a game of its own.
#pragma once

#include <cstdint>
#include <string>

#include "analysis/tbanazustand.h"
#include "core/board.h"

namespace galdrik {

// Mode of the sequence texts: PGN movetext; any other value the display form.
inline constexpr int32_t ZugfolgeModusPGN = 2;

// Results of SpezDBStellungPGNSpeichern.
inline constexpr int32_t SpezDBPGNOk = 0;
inline constexpr int32_t SpezDBPGNDateiFehler = -1;  // cannot be opened or written whole
inline constexpr int32_t SpezDBPGNKeinEintrag = -2;  // no record with that index
inline constexpr int32_t SpezDBPGNBelegt = -4;       // a job holds the database or the search

// The position of a record with the class's six piece codes.
Stellung SpezDBStellung(const TBAnaEintrag& r, const int32_t codes[AnaSlots]);

// SpezDBZugfolgeText: the sequence text of the position (labels 15..18 of
// the move-sequence labels, the engine's piece letters in display form).
std::string SpezDBZugfolgeText(const Stellung& pos, int32_t modus);

// SpezDBZugfolge: the text of record i of the held database; false (text
// empty) when there is no such record or a job is at work.
bool SpezDBZugfolge(int32_t i, int32_t modus, std::string& text);

// The PGN game of a record: tags, the FEN of the record and the sequence.
// The result is given from White's view, whoever is to move.
std::string SpezDBPartieText(const TBAnaEintrag& r, const int32_t codes[AnaSlots]);

// Appends the game of record i to the PGN file: the file is written whole
// under a temporary name and renamed, so a failure leaves it as it was.
int32_t SpezDBStellungPGNSpeichern(int32_t i, const char* pfad);

}  // namespace galdrik
