// The book compiler: plays every game of a hand-written book source (.bk1)
// on the board, weighs each move by its marks, drops duplicates and writes
// the compiled book (.bk2) the engine reads at its next start, with a log of
// every problem it met and the piece-square statistics of the games.
#pragma once

#include <cstdint>
#include <string>

namespace galdrik {

// Results of BuchKompilieren.
inline constexpr int32_t KompilierungFertig = 0;
inline constexpr int32_t KompilierungQuelleNichtOffen = 1;
inline constexpr int32_t KompilierungQuelleFehlerhaft = 2;  // also: no memory
inline constexpr int32_t KompilierungLogNichtOffen = 3;
inline constexpr int32_t KompilierungZielNichtGeschrieben = 4;

// Limits of the source and of the compiled book.
inline constexpr int BuchMaxGruppen = 32;
inline constexpr int BuchMaxPartien = 16;
inline constexpr int BuchMaxTitel = 100;  // characters with the line break
inline constexpr int BuchMaxName = 1000;  // group names and game titles, likewise
inline constexpr int BuchMaxSaetze = 50000;
inline constexpr int BuchMaxZugangabe = 14;         // characters of one move token
inline constexpr int BuchMaxVerschachtelung = 256;  // alternatives within alternatives

// Where the compiler writes its log ("BookLog.txt") and the piece-square
// statistics ("lern1.dat"); an empty statistics path writes none.
struct BuchKompilierPfade {
  std::string log;
  std::string statistik;
};

// What a compilation met, for tools that want more than the result code.
struct BuchKompilierBericht {
  int32_t warnungen = 0;
  int32_t fehler = 0;  // errors inside games (each ends its game)
  int32_t saetze = 0;  // records written
};

// Compiles the source into the target. The engine's book is discarded
// (the new one is read at the next start). The target is written through a
// temporary file, so it is either the complete new book or left as it was.
int32_t BuchKompilieren(const std::string& quelle, const std::string& ziel,
                        const BuchKompilierPfade& pfade, BuchKompilierBericht* bericht = nullptr);

}  // namespace galdrik
