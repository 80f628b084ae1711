// Corresponding squares (Gegenfeld) of pawn endings whose pawns are stuck:
// for one pawn structure, which king wins an enemy pawn from every placement
// of the two kings, and a small engine-wide cache of recent tables.
#pragma once

#include <cstdint>

#include "core/board.h"

namespace galdrik {

// One table: the pawn structure it belongs to and, for every pair of king
// squares and side to move, +100 when White's king has just won a pawn and
// White wins, -100 the same for Black, values one step nearer to 0 for each
// king move further away, 0 when no forced king win was found.
struct Gegenfeldeintrag {
  Bitboard bauernW;  // key, part 1
  Bitboard bauernS;  // key, part 2
  int8_t werte[64 * 64 * 2];
};
static_assert(sizeof(Gegenfeldeintrag) == 8208);

// s = 1 with White to move, 0 with Black to move. Both squares must be on
// the board (below 64).
constexpr int GegenfeldIndex(int koenigW, int koenigS, int weissAmZug) {
  return (koenigW * 64 + koenigS) * 2 + weissAmZug;
}

// Gegenfeld modes: which pawn structures get a table.
inline constexpr int32_t GegenfeldAus = 0;
inline constexpr int32_t GegenfeldBlockiert = 1;  // every pawn stands against a pawn
inline constexpr int32_t GegenfeldGehemmt = 2;    // every front square blocked or guarded
inline constexpr int32_t GegenfeldImmer = 3;

// True when the position (kings and pawns only) qualifies under the mode;
// puffer then holds its table, taken from the cache or computed (counted as
// a Gegenfeld system, below) and stored in the cache. False otherwise,
// puffer unchanged.
bool GegenfeldTabelle(const Stellung& st, int32_t modus, Gegenfeldeintrag& puffer);

// The cache. The engine runs one search at a time and only that search (or a
// single evaluation outside it) uses the cache; a lock still keeps a stray
// concurrent evaluation from tearing an entry. A cache of 0 entries (never
// allocated, or its allocation failed) stores nothing: every table is
// computed afresh.
//
// Replaces the cache by one of anzahl entries, empty. 0 and "GegenfeldHash
// initialisiert\n" in the engine log on success; -1 and "GegenfeldHash
// fehlgeschlagen\n" when the memory cannot be had (the cache then has 0
// entries; start-up then stores 0 as the configured count, as
// DLL_GegenfeldReAllok does). anzahl 0 gives -1 without a log line: the
// caller reports that.
int32_t GegenfeldHashAllok(uint32_t anzahl);
void GegenfeldHashFrei();

// Forgets every table (keys zeroed, ring back to slot 0). Called before every
// root search, so tables never outlive one search.
void GegenfeldHashLeeren();

// Entries of the cache (0 without one).
uint32_t GegenfeldHashAnzahl();

// Tables computed (not looked up) since the count was last set back; the
// search's statistics report it and set it back with their own.
uint64_t GegenfeldSysteme();
void GegenfeldSystemeZuruecksetzen();

}  // namespace galdrik
