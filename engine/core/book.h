// The opening book: position-keyed move records read from a compiled .bk2
// file at start-up, copied into the transposition table so that book moves
// are searched first, and consulted by the root search for a book move.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/board.h"
#include "core/random.h"

namespace galdrik {

// Weights a book move carries in byte 7 of its move (Zug::wert).
inline constexpr int8_t BuchGewichtGut = 3;
inline constexpr int8_t BuchGewichtNormal = 2;
inline constexpr int8_t BuchGewichtNebenGut = 1;  // normal, in a position with a good move
inline constexpr int8_t BuchGewichtZweifelhaft = 0;

// One book move: the key of the position before it and the move itself.
struct Buchsatz {
  uint32_t keyLow;
  uint32_t keyHigh;
  Zug zug;  // wert = weight

  uint64_t key() const { return uint64_t{keyHigh} << 32 | keyLow; }
};
static_assert(sizeof(Buchsatz) == 16);

inline constexpr size_t BuchsatzBytes = 16;

// The record's 16 bytes as stored in a .bk2 file (little-endian), and back.
void BuchsatzKodieren(const Buchsatz& satz, unsigned char* bytes);
Buchsatz BuchsatzDekodieren(const unsigned char* bytes);

// The engine's book: empty until start-up reads one, unchanged while the
// engine runs, discarded by teardown and by compiling a book.
struct Eroeffnungsbuch {
  std::vector<Buchsatz> saetze;
};

Eroeffnungsbuch& Buch();

// Results of BuchEinlesen.
inline constexpr int32_t BuchGelesen = 0;
inline constexpr int32_t BuchNichtOffen = 1;
inline constexpr int32_t BuchLeer = 2;  // no or an unreadable record count
inline constexpr int32_t BuchKeinSpeicher = 3;
inline constexpr int32_t BuchUnvollstaendig = 4;  // fewer records than announced

// Reads a .bk2 file into the engine's book. After any failure the book is
// empty. A header that is not ours (no count on line 3, lines longer than a
// header line can be) is refused as an empty book; the size is checked
// against the count before anything is allocated.
int32_t BuchEinlesen(const std::string& pfad);

// Stores the book's good and normal moves in the transposition table, the
// first record of a position last so that it wins where the table must choose.
void BuchHashen();

void BuchFrei();

// Index into the legal move list (the legal moves of st) of the book move
// chosen by weight and variety, or -1. Variety 0 (or less) plays the first
// good or normal move of the position; 1 picks among those at random; 2
// admits the moves beside a good move; 3 and more the doubtful ones too.
// This form draws from the engine's generator, seeded from the clock at
// every call; the second draws from the given generator.
int32_t BuchZugSuchen(const Stellung& st, const Zugliste& zuege, int32_t varianz);
int32_t BuchZugSuchen(const Stellung& st, const Zugliste& zuege, int32_t varianz, Zufall15& zufall);

}  // namespace galdrik
