// Statistics over the games of a PGN file: game lengths, the move of each
// side's first capture, and captures per game, as a report text.
#pragma once

#include <cstdint>
#include <string>

#include "interface/zugknoten.h"

namespace galdrik {

// Minimum, maximum, mean and standard deviation of one figure over the games.
// Sums are kept in floating point: squares of long games over a large file
// pass any 32-bit range.
struct Messreihe {
  int32_t minimum = 0;
  int32_t maximum = 0;
  int32_t anzahl = 0;
  double summe = 0;
  double quadratsumme = 0;

  void Hinzufuegen(int32_t wert);
  double Mittel() const;
  // Sample deviation; 0 for fewer than two values, where it is not defined.
  double Abweichung() const;
};

struct PGNStatistik {
  Messreihe laenge;   // moves of the main line, counted as ply / 2 + 1
  Messreihe weiss;    // move number of White's first capture
  Messreihe schwarz;  // move number of Black's first capture
  int64_t schlagzuege = 0;

  // Counts the main line of the game under the root. A side that never
  // captures counts the game's length.
  void PartieZaehlen(const Partiewurzel& wurzel);

  // The report; the number of games is that of the length series.
  std::string Bericht() const;
};

// Results of PGNStatistikErstellen besides the index codes of PGNDateiIndex.
inline constexpr int32_t PGNStatistikPartieFehlerhaft = -9;
inline constexpr int32_t PGNStatistikKeinePartie = -10;

// Loads every game of the PGN file in turn and writes the report of their
// main lines. 0, a negative index code, PGNStatistikPartieFehlerhaft (a game
// that cannot be read or loaded; a new game is then in place) or
// PGNStatistikKeinePartie. No file stays indexed; the game record holds the
// last game loaded, at its start, and the engine's position is its start
// position. The second file, when named, is created empty (unless it is the
// PGN file itself).
int32_t PGNStatistikErstellen(const std::string& pfad, const char* zweiterPfad,
                              std::string& bericht);

}  // namespace galdrik
