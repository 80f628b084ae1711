// The analysis setup: the program's search mask (TBAnaSuchmaske, 1759
// values), the criterion codes, and the engine's packed form of the mask
// (TBAnaParameterblock), which is also stored byte for byte in the
// statistics file.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "core/bitops.h"

namespace galdrik {

// ------------------------------------------------------- the search mask

// Value numbers of TBAnaSuchmaske. Each slot k has a square array at
// MaskeFelder + 64k and an offset grid of 15 x 15 cells at MaskeGitter + 225k.
inline constexpr int SuchmaskeLaenge = 1759;
inline constexpr int AnaSlots = 6;
inline constexpr int GitterSeite = 15;
inline constexpr int GitterZellen = GitterSeite * GitterSeite;
inline constexpr int GitterMitte = 7;

enum SuchmaskeIndex : int {
  MaskeFelder = 0,
  MaskeFiguren = 384,
  MaskeDistanzMin = 390,
  MaskeDistanzMax = 391,
  MaskeGewaehlterSlot = 392,
  MaskeSeite = 393,
  MaskeGitter = 394,
  MaskeBezug = 1744,
  MaskeBedingung = 1750,
  MaskeLoesungsart = 1751,
  MaskeWert1752 = 1752,
  MaskeVon = 1753,
  MaskeNach = 1754,
  MaskeFigurTyp = 1755,
  MaskeZugFlags = 1756,
  MaskeUmwandlung = 1757,
  MaskeDiagonalSymmetrie = 1758,
};

// Side-to-move values (value 393).
inline constexpr int32_t SeiteSchwarz = 0;
inline constexpr int32_t SeiteWeiss = 1;
inline constexpr int32_t SeiteBeide = 2;

// Position conditions (value 1750).
enum TBAnaBedingung : int32_t {
  BedingungKeine = 0,
  BedingungNichtImSchach = 1,
  BedingungNichtPatt = 2,
  BedingungEinzigerLoesungszug = 3,
  BedingungBestimmterLoesungszug = 4,
};

// Kinds of the determined solution move (value 1751).
enum TBAnaLoesungsart : int32_t {
  LoesungFigurUndFelder = 1,
  LoesungUmwandlung = 2,
  LoesungNurFlags = 3,
  LoesungKoenigWeg = 4,
  LoesungKoenigVerlaesstQuadrat = 5,
};

// Solution-move flag bits (value 1756).
inline constexpr int32_t LoesungFlagKeinSchlagzug = 1;
inline constexpr int32_t LoesungFlagNichtImSchach = 2;
inline constexpr int32_t LoesungFlagSchlechteSchlagzuege = 4;
inline constexpr int32_t LoesungFlagNichtEinzigerZug = 8;

// From- and to-square value meaning "any square" (values 1753, 1754).
inline constexpr int32_t LoesungFeldBeliebig = 64;

// ------------------------------------------------------------- criteria

// TBAnaKriterium: which positions an analysis selects. Any other code
// examines and counts without selecting.
enum TBAnaKriterium : int32_t {
  KriteriumWeissGewinnt = 1,
  KriteriumSchwarzGewinnt = 2,
  KriteriumRemis = 3,
  KriteriumWeissGewinntFenster = 4,
  KriteriumSchwarzGewinntFenster = 5,
  KriteriumZugHalberPunkt = 6,
  KriteriumZugGanzerPunkt = 7,
  KriteriumZugzwangHalberPunkt = 8,
  KriteriumZugzwangGanzerPunkt = 9,
  KriteriumAlleMitWert = 10,
  KriteriumAlleZugzwaenge = 11,
  KriteriumSpezDBAlle = 90,
  KriteriumSpezDBGewinn = 91,
  KriteriumSpezDBRemis = 92,
  KriteriumMetrikVergleich = 93,
  KriteriumStrategie = 94,
  KriteriumRFEPMatrix = 97,
  KriteriumZuggeneratorTest = 98,
  KriteriumBewertungTest = 99,
};

// Criteria 6..9 compare the two sides to move of one placement and always
// analyse White to move.
constexpr bool KriteriumVergleichtSeiten(int32_t k) { return k >= 6 && k <= 9; }

// Criteria whose matches go to the special database instead of the result
// buffer.
constexpr bool KriteriumSpezDB(int32_t k) { return k >= 90 && k <= 92; }

// ------------------------------------------------------ the packed block

// TBAnaParameterblock, 3152 bytes. Every field sits at its natural
// alignment, so the struct has no padding and, on a little-endian machine,
// its object bytes are the stored layout.
struct TBAnaParameterblock {
  uint64_t felder[AnaSlots];          // 0: allowed squares per slot
  int8_t figuren[AnaSlots];           // 48: Figurcode per slot
  int8_t gewaehlterSlot;              // 54: the editor's slot; carried only
  int8_t seite;                       // 55: 1 White, 0 Black, 2 both
  int32_t distanzMin;                 // 56: distance window, in moves
  int32_t distanzMax;                 // 60
  uint64_t erreichbar[AnaSlots][64];  // 64: [k][reference square] -> squares
  int8_t bezug[AnaSlots];             // 3136: reference slot per slot
  uint8_t bedingung;                  // 3142
  uint8_t loesungsart;                // 3143
  uint8_t wert1752;                   // 3144: carried only
  uint8_t von;                        // 3145
  uint8_t nach;                       // 3146
  uint8_t figurTyp;                   // 3147
  uint8_t zugFlags;                   // 3148
  uint8_t umwandlung;                 // 3149
  uint8_t reserve[2];                 // 3150: always 0
};
static_assert(sizeof(TBAnaParameterblock) == 3152);
static_assert(offsetof(TBAnaParameterblock, figuren) == 48);
static_assert(offsetof(TBAnaParameterblock, gewaehlterSlot) == 54);
static_assert(offsetof(TBAnaParameterblock, seite) == 55);
static_assert(offsetof(TBAnaParameterblock, distanzMin) == 56);
static_assert(offsetof(TBAnaParameterblock, distanzMax) == 60);
static_assert(offsetof(TBAnaParameterblock, erreichbar) == 64);
static_assert(offsetof(TBAnaParameterblock, bezug) == 3136);
static_assert(offsetof(TBAnaParameterblock, bedingung) == 3142);
static_assert(offsetof(TBAnaParameterblock, umwandlung) == 3149);
static_assert(offsetof(TBAnaParameterblock, reserve) == 3150);
static_assert(std::endian::native == std::endian::little,
              "the block's object bytes are its file layout only on little-endian machines");

inline constexpr std::size_t ParameterblockGroesse = sizeof(TBAnaParameterblock);

// Builds the block from a whole search mask (1759 values). Byte fields take
// the low byte of their value, so -1 becomes 0xFF. Nothing is checked here;
// the analysis checks the setup when it starts.
TBAnaParameterblock ParameterblockBauen(const int32_t* suchmaske);

// The squares q whose offset from e has its cell set to 1 in the grid
// (225 values): the reachable-square entry of reference square e.
Bitboard ErreichbareFelder(const int32_t* gitter, int e);

}  // namespace galdrik
