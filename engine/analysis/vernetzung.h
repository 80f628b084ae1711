// The linking of a special database (step 2): raises the level of each
// record from which play can stay inside the database, pass by pass, in a
// worker thread of its own, and writes the file back when whole.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "analysis/tbanazustand.h"

namespace galdrik {

// Job results besides the database's own (-3 file, -1 no memory).
inline constexpr int32_t VernetzungIndexGroesse = -6;  // count or extra entries below 1
inline constexpr int32_t VernetzungIndexTabelle = -7;  // no memory for the buckets
inline constexpr int32_t VernetzungIndexUeberlauf = -8;
inline constexpr int32_t VernetzungGestoppt = -9;  // stop request: the file is left untouched
inline constexpr int32_t VernetzungKeinThread = -1;

// Longest path the job accepts, terminator excluded.
inline constexpr size_t VernetzungPfadMax = 1023;

// SpezDBVernetzen: the whole linking of the file at `pfad` in the calling
// thread; the job result. A stop request seen between two records ends it
// with VernetzungGestoppt and no write.
int32_t SpezDBVernetzen(const char* pfad, int32_t extra, bool schleifenTest,
                        const std::atomic<bool>* stopp = nullptr);

// SpezDBNormieren: mirrors the squares of slots leit..5 of key (and the
// en-passant byte for pawn classes) into the part of the board the stored
// positions use. Klasse 1: pawns (file mirror); 2: no pawns (file, rank
// and diagonal mirror); any other: unchanged.
void SpezDBNormieren(uint8_t key[8], int32_t leit, int32_t klasse);

// The job. Start: 0, -1 when a linking already runs or no thread can be
// started, -3 for a path that is empty or longer than VernetzungPfadMax;
// a refused start leaves the job ended with that result.
int32_t VernetzungStarten(const char* pfad, int32_t extra, int32_t schleifenFlag);
void VernetzungStoppen();
// Asks a running linking to stop and waits for its thread.
void VernetzungBeenden();
bool VernetzungLaeuft();
// While running pass x 2^32 + record index; after the end -2 for a failure,
// else -1 (also before any start).
int64_t VernetzungStatus();
int32_t VernetzungErgebnis();

}  // namespace galdrik
