// Piece-square statistics (Figurenaufenthaltsdauer): how often each kind of
// man stands on each square, by move slot, over a set of positions; counted
// by the book compiler over its games and written as a text table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/board.h"
#include "core/textfile.h"

namespace galdrik {

inline constexpr int FigStatArten = 12;  // White pawn..king, Black pawn..king
inline constexpr int FigStatZugplaetze = 40;

// The counters: data sets 0..anzahl-1 and, behind them, the totals set.
struct Figurenstatistik {
  int32_t anzahl = 0;
  int32_t aktuell = 0;
  std::vector<std::string> namen;
  std::vector<uint32_t> zaehler;  // empty: not allocated (every count is skipped)

  static size_t Index(int32_t satz, int art, int platz, int feld) {
    return ((static_cast<size_t>(satz) * FigStatArten + static_cast<size_t>(art)) *
                FigStatZugplaetze +
            static_cast<size_t>(platz)) *
               64 +
           static_cast<size_t>(feld);
  }
};

Figurenstatistik& FigStat();

// Allocates and zeroes n + 1 data sets; false (and no sets) when n is
// negative or the memory cannot be had.
bool FigStatAllok(int32_t n);

// Makes the set current and names it (at most 999 characters are kept).
// A set outside the allocated ones is ignored.
void FigStatName(int32_t satz, std::string_view name);

// Counts every man of the position into the current set at the move slot
// zugnummer - 1; a move number outside 1..40 is ignored.
void FigStatStellung(const Stellung& st, int32_t zugnummer);

// Counts the board field of every line of a FEN list into set 0, slot 0,
// and makes set 0 (named "FEN") the only set. 0, or -1 when the list is not
// open or there are no counters.
int32_t FigStatFENDatei(Zeilenleser& datei);

// Makes the counts cumulative over the first m slots, adds them into the
// totals and writes the table. 0, or -1 when the file cannot be written, m
// is outside 1..40 or there are no counters.
int32_t FigStatSpeichern(const std::string& pfad, int16_t m);

// Releases the counters (engine teardown).
void FigStatFreigeben();

}  // namespace galdrik
