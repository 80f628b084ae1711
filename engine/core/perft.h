// Perft: counting the leaves of the legal move tree, the standard check of a
// move generator, with an optional consistency check at every node. Used by
// the perft tool, the benchmark and the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/board.h"

namespace galdrik {

// A move as coordinate text: from-square, to-square and, for a promotion,
// the new piece's lower-case letter ("e2e4", "e1g1", "a7a8q").
std::string ZugKoordinaten(const Zug& zug);

// Leaves of the tree of the given depth (depth 0: 1). Every move of every ply
// is played with ZugAusfuehren (key flag 1); with bulk counting the last ply
// is counted from the legal move list without being played.
uint64_t Perft(const Stellung& st, int tiefe, bool bulk = false);

struct PerftTeil {
  Zug zug;
  uint64_t knoten;
};

// The root's moves in generator order with the leaves below each.
std::vector<PerftTeil> PerftTeilen(const Stellung& st, int tiefe, bool bulk = false);

struct PerftPruefung {
  uint64_t knoten = 0;                 // leaves
  uint64_t geprueft = 0;               // positions checked (the root and every node below)
  uint64_t fehler = 0;                 // positions with at least one mismatch
  std::vector<std::string> meldungen;  // the first few, with the move path
};

// Perft that checks the root and every position it makes: the incremental
// key equals the key computed from scratch, the check flags equal the attack test on the
// king squares, StellungLegal finds nothing, figurenfeld and the rotated
// boards match the bitboards. With mitZuglisteErzeugen also that
// ZuglisteErzeugen gives the same moves (from, to, promotion) as
// ZugGenerator at every node.
PerftPruefung PerftPruefen(const Stellung& st, int tiefe, bool mitZuglisteErzeugen = false,
                           size_t maxMeldungen = 20);

// The mismatches of one position (empty when consistent); used by PerftPruefen.
std::vector<std::string> StellungPruefen(const Stellung& st);

// Whether the two generators give the same moves (from, to, promotion piece)
// in the position; the difference is described in `unterschied`.
bool GeneratorenGleich(const Stellung& st, std::string* unterschied = nullptr);

}  // namespace galdrik
