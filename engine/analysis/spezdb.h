// The special database: the positions of one material class that have a
// single best move, each with that move and a level, held in memory one
// database at a time and stored as a .tbx file (12 + 16 N bytes).
#pragma once

#include <cstddef>
#include <cstdint>

#include "analysis/tbanazustand.h"

namespace galdrik {

// Results of the operations below.
inline constexpr int32_t SpezDBOk = 0;
inline constexpr int32_t SpezDBKeinSpeicherLaden = -1;  // loading: no memory
inline constexpr int32_t SpezDBFalscheGroesse = -1;     // preparing: capacity below 1 or too big
inline constexpr int32_t SpezDBVoll = -2;          // appending: this record filled the last slot
inline constexpr int32_t SpezDBKeinSpeicher = -2;  // preparing: no memory
inline constexpr int32_t SpezDBDateiFehler = -3;   // cannot open, read whole or write whole
inline constexpr int32_t SpezDBBelegt = -4;        // the linking holds the database

// The most records one database may hold; a .tbx file of this many records
// is a little over 2 GiB.
inline constexpr int32_t SpezDBMaxKapazitaet = 134217727;

inline constexpr size_t SpezDBKopfBytes = 12;

// SpezDBVorbereiten: an empty database for n records, replacing (and
// releasing) whatever was held.
int32_t SpezDBVorbereiten(int32_t n);

// SpezDBElementHinzu: appends one record with level 1; felder are the six
// slots' squares (the low byte is stored). 0 while room remains, -2 when
// this record filled the last slot, and -2 without storing once full.
int32_t SpezDBElementHinzu(const int32_t* const* felder, int32_t epFeld, int32_t amZug,
                           int32_t wert, int32_t zugFigur, int32_t zugZiel, int32_t zugArt);

// The piece codes of the six slots (loop order), as the analysis sets them
// when a special-database run starts.
void SpezDBFigurcodesSetzen(const int32_t codes[AnaSlots]);

// SpezDBSchreiben: writes the .tbx file (to a temporary name, renamed when
// whole) and releases the records; count and codes stay. -3 when the file
// cannot be written whole (the records are then kept) or when no records
// are held.
int32_t SpezDBSchreiben(const char* pfad);

// SpezDBLaden: replaces the database by the file's. -3 when the file cannot
// be read or is no sound .tbx file (size, codes, one king per colour,
// squares, move fields), -1 without memory; on failure the state is empty.
int32_t SpezDBLaden(const char* pfad);

// Releases the records; count 0.
void SpezDBSchliessen();

// Readers. The count and codes stay after writing, when no records are held;
// SpezDBEintrag answers null for an index outside 0..count-1 or when no
// records are held.
int32_t SpezDBAnzahl();
const int32_t* SpezDBFigurcodes();  // six codes, slot 0 first
const TBAnaEintrag* SpezDBEintrag(int32_t i);
bool SpezDBGeladen();  // records are held

// The linking's access: the records, count entries, or null.
TBAnaEintrag* SpezDBEintraege();

}  // namespace galdrik
