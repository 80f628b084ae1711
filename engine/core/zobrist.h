// Zobrist keys: the 782-key set read from the key file, the key of a
// position computed from scratch and its incremental update for one move,
// and the generator that draws a new, well-spread key set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/board.h"
#include "core/random.h"

namespace galdrik {

// The key set in the order of the key file.
struct HashCodeKeySatz {
  uint64_t figurFeld[768];  // 12 * square + kind
  uint64_t weissAmZug;
  uint64_t schwarzAmZug;
  uint64_t rochade[4];    // W queen-side, W king-side, B queen-side, B king-side
  uint64_t enPassant[8];  // file a..h
};
static_assert(sizeof(HashCodeKeySatz) == 782 * 8);

inline constexpr int HashCodeKeyAnzahl = 782;
inline constexpr long HashCodeDateiGroesse = HashCodeKeyAnzahl * 8;

extern HashCodeKeySatz HashCodeKeys;

// Kind of a piece code in the piece-square keys: Black king..pawn 0..5,
// White pawn..king 6..11.
constexpr int HashFigurArt(int8_t figur) { return figur < 0 ? figur + 6 : figur + 5; }

inline uint64_t FigurFeldKey(int feld, int8_t figur) {
  return HashCodeKeys.figurFeld[12 * feld + HashFigurArt(figur)];
}

// Reads the key file. 0 on success; -1 when it cannot be opened or is not
// exactly 6256 bytes long (the keys in use are then left as they were).
int32_t HashCodeKeysLaden(const std::string& pfad);

uint64_t HashCodeBerechnen(const Stellung& st);
uint64_t HashCodeZug(const Stellung& vorher, const Zug& zug);

// The key after the side to move passes (the search's null move): the other
// side to move, and the en-passant square gone.
uint64_t HashCodeNullzug(const Stellung& vorher);

// ------------------------------------------------------------ generator

struct HashCodeStatistik {
  int minimum = 0;
  int maximum = 0;
  double summe = 0;                  // over all ordered pairs
  uint32_t haeufigkeit[65] = {};     // ordered pairs per distance
  std::vector<uint32_t> summeJeKey;  // each key's sum of distances
};

// Draws a key set with the generator's Hamming-distance rules and improvement
// passes; keys are in file order.
std::vector<uint64_t> HashCodeSatzErzeugen(Zufall15& zufall, HashCodeStatistik& statistik);
HashCodeStatistik HashCodeStatistikBerechnen(const std::vector<uint64_t>& keys);

// Draws a new key set from the seed, writes the statistics report to logPfad,
// puts the keys in use and writes them to keyPfad. 0, or -1 when either file
// cannot be opened (the report failing keeps the old keys).
int32_t HashCodeGenerieren(uint32_t saat, const std::string& logPfad, const std::string& keyPfad);

}  // namespace galdrik
