// The position probe: from an engine position to the table that holds it,
// the two piece lists and the en-passant square for its index function, and
// the entry read from the cache; with the search's probe, the RFEP probe and
// the probe report that tells how far a probe came.
#pragma once

#include <cstdint>

#include "core/board.h"
#include "tablebase/cache.h"

namespace galdrik {

// The metric every probe uses that names none (0 DTM .. 6 DTR).
int32_t TBMetrikAktuell();
void TBMetrikSetzen(int32_t metrik);

// The tablebase value of the position under a metric, from the side to
// move's view: 0 also for bare kings, 32767 when no table answers (too many
// men, no table, not registered, a failed read) and for positions that have
// no index (a king missing, kings touching, a pawn on the first or last
// rank, the side not to move in check, a metric outside 0..6).
TbValue TBProbe(const Stellung& st, int32_t metrik);

// What the probe report tells besides the value.
struct TBProbeBericht {
  int32_t nurKoenige = 0;
  int32_t zaehlungAbgebrochen = 1;
  int32_t tabelle = 0;  // signed id from the material trie
  int32_t nichtRegistriert = 1;
  int32_t epFeld = 127;
  int64_t index = -1;
};

TbValue TBProbeReport(const Stellung& st, int32_t metrik, TBProbeBericht& bericht);

// Where a probe reads its entry: the working record, the side of its file
// and the entry's index there.
struct TBProbeOrt {
  int32_t arbeitsIndex = 0;
  int32_t seite = 0;
  uint64_t index = 0;
};

// Everything TBProbeReport does before it reads the entry. False when the
// probe answers without a read; `wert` then holds that answer (0 for bare
// kings, else 32767).
bool TBProbeOrtFinden(const Stellung& st, int32_t metrik, TBProbeBericht& bericht, TBProbeOrt& ort,
                      TbValue& wert);

// The search's probe (installed in the core's hook): DTM only, never with a
// castling right left; the score is 25001 - 2d for a mate in d, -25000 + 2d
// for being mated in d, 0 for a draw.
bool TBProbeSuche(const Stellung& st, int16_t& wert);

// The probe of the RFEP model: no value when the side not to move is in
// check, else the current metric.
TbValue TBProbeRFEP(const Stellung& st);

}  // namespace galdrik
