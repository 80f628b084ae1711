// The position-set index: finds a special-database record by its 8-byte key
// (six squares, en-passant square, side to move) through a bucket table
// with a fixed number of slots per bucket and an overflow list behind it.
// One index at a time, in module state; it holds pointers, never records.
#pragma once

#include <cstdint>

#include "analysis/tbanazustand.h"

namespace galdrik {

inline constexpr int32_t PosIndexOk = 0;
inline constexpr int32_t PosIndexFalscheGroesse = -1;  // n or extra below 1
inline constexpr int32_t PosIndexKeinSpeicherTabelle = -2;
inline constexpr int32_t PosIndexKeinSpeicherUeberlauf = -3;

// Fills the six key tables from the engine's piece-square keys.
void PosIndexKeysInit();
// Sizes the table for n records and an overflow list of `extra` entries.
int32_t PosIndexAllok(int32_t n, int32_t extra);
// Inserts a pointer to the record. A full bucket sends it to the overflow
// list, which grows beyond `extra` when it must; only when that growth
// finds no memory is the record left out (and then never found).
void PosIndexEinfuegen(const TBAnaEintrag* r);
// The first record inserted whose first 8 bytes equal key8, or null.
const TBAnaEintrag* PosIndexSuchen(const uint8_t key8[8]);
void PosIndexFrei();

// The sizing and use of the index, for the log line and the tests.
struct PosIndexGroessen {
  int32_t bits = 0;       // k: buckets = 2^k
  int32_t slots = 0;      // S per bucket
  int32_t ueberlauf = 0;  // overflow entries in use
};
PosIndexGroessen PosIndexInfo();
// The bucket a key's six squares select.
uint32_t PosIndexEimer(const uint8_t key8[8]);

}  // namespace galdrik
