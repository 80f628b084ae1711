// The transposition table (Hashtabelle): search results by Zobrist key in
// buckets of a fixed number of entries, kept in order of worth, where an
// entry loses one ply of worth for every search it is old.
#pragma once

#include <cstdint>

#include "core/board.h"

namespace galdrik {

// Bound and flag bits of HashEintrag::typ.
inline constexpr uint8_t HashUntergrenze = 1;
inline constexpr uint8_t HashObergrenze = 2;
inline constexpr uint8_t HashExakt = 3;
inline constexpr uint8_t HashVerlaengert = 4;
inline constexpr uint8_t HashRemisRegel = 8;
inline constexpr uint8_t HashTablebase = 16;

// Bits of HashEintrag::flags beside the move's Zugart.
inline constexpr uint8_t HashFlagEnPassant = 2;
inline constexpr uint8_t HashFlagSchach = 4;
inline constexpr uint8_t HashFlagWeiss = 8;

struct HashEintrag {
  uint32_t keyLow;
  uint32_t keyHigh;
  uint16_t wert;  // the search's i16 score, side-to-move view
  uint8_t typ;
  uint8_t alter;
  int8_t tiefe;
  uint8_t flags;
  uint8_t von;
  uint8_t nach;
};
static_assert(sizeof(HashEintrag) == 16);

// The table and its age. One per process.
struct Hashtabelle {
  HashEintrag* eintraege = nullptr;
  uint8_t exponent = 0;      // 2^exponent buckets
  uint8_t breite = 0;        // entries per bucket
  uint8_t alter = 0;         // current table age, +1 per iterating root search
  uint64_t gespeichert = 0;  // stores since the counter was last reset
};

Hashtabelle& TT();

// Allocates and zeroes the table: 0, -1 for an exponent of 0 or 32 and more
// or no entries per bucket, -2 when the memory cannot be had.
int32_t HashAllok(uint8_t exponent, uint8_t breite);
void HashFrei();
void HashTabLeeren();

// Without a table both do nothing: a probe finds nothing, a store is dropped.
void HashSpeichern(uint32_t keyLow, uint32_t keyHigh, uint16_t wert, uint8_t typ, int8_t tiefe,
                   int8_t seite, const Zug& zug);
const HashEintrag* HashSuchen(uint32_t keyLow, uint32_t keyHigh, uint8_t seite);

inline void HashSpeichern(uint64_t key, int16_t wert, uint8_t typ, int8_t tiefe, uint8_t seite,
                          const Zug& zug) {
  HashSpeichern(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32),
                static_cast<uint16_t>(wert), typ, tiefe, static_cast<int8_t>(seite), zug);
}
inline const HashEintrag* HashSuchen(uint64_t key, uint8_t seite) {
  return HashSuchen(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32), seite);
}

// The move stored in an entry, rebuilt on the given position (no move for a
// null entry); its ordering value is -128.
Zug HashZug(const Stellung& st, const HashEintrag* eintrag);

}  // namespace galdrik
