// The analysis job: one worker thread per run, started with the stored
// setup, running one or two passes of the loop and finishing the timing and
// the extreme record; and the results and files of the last run.
#pragma once

#include <cstdint>
#include <string>

#include "analysis/tbanaschleife.h"
#include "analysis/tbanazustand.h"
#include "core/board.h"

namespace galdrik {

// TBAnaThreadAusfuehren: keeps block and criterion for the statistics file,
// logs the job, resets the state, runs the passes (Black to move first, then
// White, for side 2 outside criteria 6..9) and returns the sum of their
// results; a negative first result ends the run.
int32_t TBAnaThreadAusfuehren(const TBAnaParameterblock& block, int32_t kriterium, TBAnaZustand& z,
                              const TBZugang& tb, TBAnaKriterien* kriterien);

// The result of a run that failed inside (a thrown code or no memory) when
// no code of its own reached the thread.
inline constexpr int32_t TBAnaAbgebrochen = -5;

// The job on the library's state: -1 while a run goes on, without a result
// buffer, or when no thread can be started (the running flag is then clear
// again); else 0.
int32_t TBAnaStarten();
// Asks the run to stop and waits for its thread.
void TBAnaBeenden();

// The criteria the other analysis modules provide (special database, metric and
// strategy tests, RFEP); null for the defaults of TBAnaKriterien, which
// collect into the library's special database. Not while a run goes on.
void TBAnaKriterienSetzen(TBAnaKriterien* kriterien);

// The result buffer of the library's state.
int32_t TBAnaPufferAnlegen();
void TBAnaPufferFreigeben();

// One record as text: FEN board, side, "-", en-passant square or "-", then
// "draw;", "dm n;" or "om n;". Slots without a piece code or with a square
// off the board place nothing.
std::string TBAnaStellungText(const TBAnaEintrag& r, const int32_t codes[AnaSlots]);

// The statistics file (.stt) and the result list (.epd). Saving: 0, -1 when
// the statistics file cannot be written whole, -2 when the list cannot. Both
// are written to a temporary name and renamed when complete.
int32_t TBAnaSpeichern(const char* listenPfad, const char* statistikPfad, const Stellung& st,
                       int32_t grenze, const TBAnaZustand& z);
// Loading: 0, or -2 when the file cannot be read or is not a sound
// statistics file (size, piece codes, squares); the state and st are then
// unchanged. Needs a result buffer.
int32_t TBAnaLaden(const char* statistikPfad, Stellung& st, TBAnaZustand& z);

inline constexpr uint64_t StatistikKopfBytes = 20940;

}  // namespace galdrik
