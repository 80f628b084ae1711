// The search: iterative deepening at the root over a fail-soft alpha-beta
// with transposition table, null move, extensions, killers and history, and
// a capture search at the horizon. All search state is engine-wide: one
// search (the search thread or the EPD test) runs at a time.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "core/board.h"
#include "core/suchoptionen.h"

namespace galdrik {

// Scores, side to move's view inside the tree, White's view at the root.
inline constexpr int16_t Matt = 25000;
inline constexpr int16_t MattSchwelle = 20000;
inline constexpr int16_t Unendlich = 32767;

struct Suchstatistik {
  uint64_t knoten;
  uint64_t ruheKnoten;
  uint64_t tiefsterPly;
  uint64_t tiefsterRuhePly;
  uint64_t iterationsTiefe;
  uint64_t alphaCutoffs;
  uint64_t betaCutoffs;
  uint64_t ersterZugCutoffs;
  uint64_t futilityCutoffs;
  uint64_t nullzugSuchen;
  uint64_t nullzugCutoffs;
  uint64_t hashErfolg;
  uint64_t hashFehl;
  uint64_t tbTreffer;
  int32_t sekunden;
};

struct Suchergebnis {
  Zug zug;
  int16_t bewertung;
  char text[1000];  // move text of a book or single move, else the principal variation
};

// One record per depth 1..64: the depth's info line and a second text.
struct SuchausgabeSatz {
  char info[1000];
  char zweiter[1000];
};

struct Killerslot {
  uint8_t von;
  uint8_t nach;
  uint8_t zugart;
  int32_t anzahl;  // 0: free
};

struct Wurzelzug {
  Zug zug;
  uint64_t knoten;
};
static_assert(sizeof(Wurzelzug) == 16);

inline constexpr int MaxSuchPly = 64;
inline constexpr int WiederholungsPlatz = 32;

// EPD solving modes of the root search.
inline constexpr int32_t EPDModusBm = 1;
inline constexpr int32_t EPDModusAm = 2;
inline constexpr int32_t EPDModusDm = 3;

struct SuchZustand {
  char notationsBuchstaben[7] = "BSLTDK";
  // Counted by the search, reset by a new game on the program's thread.
  std::atomic<int32_t> buchFehlversuche{0};

  Suchergebnis ergebnis{};
  SuchausgabeSatz ausgabe[MaxSuchPly]{};
  Suchstatistik statistik{};
  int32_t epdLoesungszeit = 0;
  Zug epdZiel{};  // from, to, Zugart of the target; byte 7 the mate depth of "dm"
  // Every move a "bm" or "am" names: suites often list several, and any of
  // them is the target. Empty: epdZiel alone is.
  Zugliste epdZiele{};

  Wurzelzug wurzelzuege[MaxZuege]{};
  int wurzelzugAnzahl = 0;
  int wurzelzugIndex = 0;
  uint64_t wurzelzugMaximum = 0;
  uint64_t wiederholungen[WiederholungsPlatz]{};
  int16_t wiederholungAnzahl = 0;
  uint8_t erweiterungsgrenze = 0;
  // The hard deadline on the monotonic clock; the root sets it, a tree
  // searched without a root has none.
  std::chrono::steady_clock::time_point suchtermin = std::chrono::steady_clock::time_point::max();
  std::atomic<uint8_t> abbruch{0};
  int8_t suchPly = 0;
  Zug hashzug{};
  uint8_t remisregelFlag = 0;
  Stellung pfad[MaxSuchPly + 2]{};

  // Allocated by SuchVariablenInit: 64 rows of three killer slots, and
  // 64 x 64 history counters by from * 64 + to.
  Killerslot (*killer)[3] = nullptr;
  int32_t* historie = nullptr;
};

SuchZustand& Suche();

// Sets the option defaults, the notation letters, the book miss counter and
// the table age; allocates the killer and history tables. 0, or -1 when
// memory runs out.
int32_t SuchVariablenInit();
void SuchVariablenFreigeben();
void StatistikVariablenInit();

// Positions of the game record from its current node back to its root (the
// current node first), for the repetition test at the root. The game record
// registers its reader; without one the root knows no game.
using PartiepfadQuelle = void (*)(std::vector<Stellung>& pfad);
void PartiepfadQuelleSetzen(PartiepfadQuelle quelle);

// Searches the position; the best move is left in Suche().ergebnis. The
// score is White's view. The stop flag is not cleared here: whoever starts
// a search clears it before, so that an early stop request is never lost.
// A depth limit below 0 or above 64 means 64. Without mitPartie the game
// record is not asked for repeated positions: a test position has no
// history, and the record may belong to an unrelated game.
// The depth limit a search runs to: below 0 or above 64 means 64.
int32_t TiefenLimit(int32_t limit);

int16_t SucheWurzel(Stellung st, int32_t tiefenLimit, int32_t weichZeit, int32_t hartZeit,
                    uint8_t buchFlag, int32_t epdModus, bool mitPartie = true);

// Whether the move is the EPD target: one of epdZiele, or epdZiel when that
// list is empty (from, to and Zugart compared).
bool EPDZielGetroffen(const Zug& zug);

int16_t AlphaBeta(Stellung st, int16_t alpha, int16_t beta, uint8_t ply, int8_t tiefe,
                  uint8_t erweiterungen, uint8_t nullErlaubt, uint8_t tbNurRemis,
                  uint8_t* tbTreffer);
int16_t Ruhesuche(Stellung st, int16_t alpha, int16_t beta, uint8_t ply);

int8_t Ordnungswert(const Stellung& st, const Zug& zug);
int ZugVergleich(const Zug& a, const Zug& b);
void ZuglisteOrdnen(const Stellung& st, Zugliste& liste);

void HauptvarianteAusHash(Stellung st, int8_t tiefe, char* text, size_t groesse);

}  // namespace galdrik
