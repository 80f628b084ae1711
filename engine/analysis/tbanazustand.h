// The analysis state: what a tablebase analysis run leaves behind (result
// records, counters, square statistics, histograms, extreme records) and the
// job flags around it. One instance serves the library; the loop and the
// tests may work on their own.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "analysis/parameterblock.h"

namespace galdrik {

// TBAnaEintrag, 16 bytes: the record of the result buffer, the statistics
// file and the special database.
struct TBAnaEintrag {
  uint8_t feld[AnaSlots];  // square per slot in the loop's slot order; 255 none
  uint8_t epFeld;          // 127 none
  uint8_t amZug;           // 1 White, 0 Black
  int32_t wert;            // TbValue from the side to move's view
  uint8_t zugFigur;        // bytes 12..15: only the special database uses them
  uint8_t zugZiel;
  uint8_t zugArt;
  uint8_t stufe;
};
static_assert(sizeof(TBAnaEintrag) == 16);
static_assert(offsetof(TBAnaEintrag, wert) == 8);

inline constexpr uint32_t ErgebnisPlaetze = 262144;
inline constexpr size_t ErgebnisPufferBytes = ErgebnisPlaetze * sizeof(TBAnaEintrag);
inline constexpr int HistogrammLaenge = 512;

// Squares 255, no en passant, Black to move, the given value.
constexpr TBAnaEintrag LeererEintrag(int32_t wert = 32767) {
  return TBAnaEintrag{{255, 255, 255, 255, 255, 255}, 127, 0, wert, 0, 0, 0, 0};
}

// Square statistics A, B, C and the two depth histograms, in the order the
// statistics file stores them as one block of 17,408 bytes.
struct TBAnaStatistik {
  int64_t a[AnaSlots][64];        // matches per slot and square
  int64_t b[AnaSlots][64];        // positions with a value per slot and square
  int64_t c[AnaSlots][64];        // sum of the matches' values from White's view
  uint64_t h0[HistogrammLaenge];  // matches won by Black, by depth
  uint64_t h1[HistogrammLaenge];  // [0] drawn matches, [d + 1] White wins in d
};
static_assert(sizeof(TBAnaStatistik) == 17408);

// Indices of the six result counters, in the order the exports and the
// statistics file give them.
enum TBAnaErgebnisIndex : int {
  WeissAmZugGewonnen = 0,
  WeissAmZugVerloren = 1,
  WeissAmZugRemis = 2,
  SchwarzAmZugVerloren = 3,
  SchwarzAmZugGewonnen = 4,
  SchwarzAmZugRemis = 5,
};

struct TBAnaZustand {
  // Results of a run. Written by the analysis thread without locks; read by
  // others only after the running flag has dropped (acquire), except the
  // atomics, which the program polls while it runs.
  TBAnaEintrag* ergebnisse = nullptr;   // ErgebnisPlaetze records, or none
  std::atomic<uint64_t> treffer{0};     // match count, may pass ErgebnisPlaetze
  std::atomic<uint64_t> untersucht{0};  // positions probed, successor probes included
  // Records actually stored: below treffer when matches went elsewhere
  // (special database, RFEP matrix) instead of into the buffer.
  uint64_t gespeichert = 0;
  uint64_t ergebnisZaehler[6] = {};
  uint64_t loesungsZaehler[4] = {};  // solution moves promoting to N, B, R, Q
  uint64_t reserviert[8] = {};       // carried by the statistics file only
  TBAnaStatistik statistik = {};
  TBAnaEintrag laengsterGewinn = LeererEintrag(32767);
  TBAnaEintrag laengsterVerlust = LeererEintrag(-32767);
  TBAnaEintrag extrem = LeererEintrag(32767);
  int32_t slotCodes[AnaSlots] = {};  // piece code per slot, loop order

  // Progress of the three outermost loops, polled while a pass runs.
  std::atomic<uint8_t> schleifenZaehler[AnaSlots] = {};
  std::atomic<uint8_t> schleifenGrenze[AnaSlots] = {};
  std::atomic<uint8_t> durchlaeufe{1};      // pass count P
  std::atomic<uint8_t> durchlaufNummer{0};  // pass p, 0-based

  // The job.
  std::atomic<bool> laeuft{false};
  std::atomic<bool> stopp{false};
  int32_t diagonalSymmetrie = 0;   // the run's copy of the switch
  int32_t ergebnis = 0;            // the run's result
  TBAnaParameterblock block = {};  // the setup of the last run
  int32_t kriterium = 0;
  std::atomic<int64_t> startZeit{0};  // calendar seconds
  double sekunden = 0;
  double rate = 0;
};

// Resets the results of a run: counters, statistics, histograms, the records
// of the buffer (when there is one) and the extreme records, the loop
// progress and the pass count.
void TBAnaZaehlerLoeschen(TBAnaZustand& z);

// The library's analysis state.
TBAnaZustand& TBAnaGlobal();

}  // namespace galdrik
