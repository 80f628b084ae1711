// The optimal move-sequence search over the tablebases: the analysis of a
// position (outcome, distance, what having the move is worth, every move's
// value and which moves are optimal) and an optimal line of up to 1024
// moves with its marks, and the stalemate-trap test. The strategy search of
// the special database is reached through a hook that the analysis layer
// installs; without it the defending side plays tablebase moves.
#pragma once

#include <atomic>
#include <cstdint>

#include "core/board.h"
#include "tablebase/cache.h"

namespace galdrik {

inline constexpr int ZugfolgeMaxLinie = 1024;

// TBZugfolgeErgebnis: the fields in their order; a plain struct, since it
// never crosses the library boundary.
struct TBZugfolgeErgebnis {
  Stellung stellung;
  int32_t distanz;            // won 32767 - v, lost -32766 - v, drawn 0; -32768 no value
  int8_t ergebnis;            // 1 White wins, -1 Black wins, 0 draw, 2 no value
  uint8_t kritisch;           // bit 0 half point, bit 1 whole point, bit 2 zugzwang
  int8_t tempo;               // tempo difference
  int8_t einzigeFolge;        // unique-move run of the strategy search
  int32_t wurzelAnzahl;       // legal moves of the position
  Zug wurzelZuege[MaxZuege];  // sorted best first
  int32_t wurzelWerte[MaxZuege];
  uint8_t optimal[MaxZuege];
  int32_t linienLaenge;
  uint8_t optimalModus;  // 1: the marks decide which root moves are optimal
  Zug linie[ZugfolgeMaxLinie];
  int32_t nag[ZugfolgeMaxLinie];
  int32_t schrittDistanz[ZugfolgeMaxLinie];
  uint8_t schrittFlags[ZugfolgeMaxLinie];  // bit 0 stalemate trap
  int32_t varianten[ZugfolgeMaxLinie];
};

inline constexpr int32_t NagOhneWert = -32768;
inline constexpr int32_t NagStrategieAbweichung = 5;

// The progress of a running move-sequence job (the strategy search's
// deepest ply) and its stop request; the strategy line it writes.
std::atomic<int32_t>& TBZugfolgeFortschritt();
std::atomic<uint8_t>& TBZugfolgeAbbruch();
Zug* TBStrategieLinie();  // ZugfolgeMaxLinie moves

// The strategy search of the special database: (position, 1 when the
// sequence's start is won or drawn for its side to move, depth 0, out move,
// two further out values) -> the unique-move run. It sets the progress to
// the length of its line in TBStrategieLinie.
using TBStrategieZugFn = uint8_t (*)(Stellung st, int32_t seite, int32_t tiefe, Zug& zug,
                                     int32_t& a, int32_t& b);

// Installs the strategy search (nullptr: the stand-in, which finds no line).
// The analysis layer installs its TBStrategieZug when the library loads.
void TBStrategieSetzen(TBStrategieZugFn fn);

// The search. Option bit 3 asks for the stalemate-trap test of every line
// position.
void TBZugfolgeSuchen(Stellung st, uint8_t strategieAus, int32_t optionen, TBZugfolgeErgebnis& r,
                      uint8_t mitLinie, uint8_t umwandlungen, uint8_t bauernzuege, int32_t fuenfzig,
                      int32_t minToleranz, int32_t maxToleranz, float faktor, float offset);

// Is there a drawing move after which the opponent is stalemated at once,
// or has one drawing reply after which a drawing move stalemates?
bool TBPattfallenTest(const Stellung& st);

// Does the side not to move stand in check?
bool GegnerImSchach(const Stellung& st);
// Does the side to move stand in check?
bool AmZugImSchach(const Stellung& st);

}  // namespace galdrik
