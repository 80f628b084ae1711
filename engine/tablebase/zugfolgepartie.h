// What the program does with a stored tablebase line: write it as a PGN
// game, copy it into the game record as a variation, and walk along it with
// branches of its own.
#pragma once

#include <cstdint>
#include <string>

#include "core/board.h"
#include "interface/zugknoten.h"

namespace galdrik {

// Today's date as a PGN Date tag writes it.
std::string HeutigesDatum();

// The PGN game of the last job (which must have written PGN texts): 0, or -1
// when there is none, the path is null or empty, or the file cannot be
// written. The file gets the old contents and the new game under a
// temporary name, renamed when whole.
int32_t TBZugfolgePGN(const char* pfad);

// A node of the game record with that move and parent (not linked in);
// ply = the parent's + 1, 0 without one.
Zugknoten* ZugknotenErzeugen(const Zug& zug, Zugknoten* parent);

// A temporary tree: the stored line from its own start position, each move
// checked against the legal moves (the chain ends at the first that is not
// legal), with NAGs, comments and the metric's name on the first move.
Partiewurzel* TBZugfolgeHinzu(int32_t ply, int32_t optionen);

// 0 the line was added (or there was none); -1 no current node (or a job
// runs); -2 the position at the current node is not the line's start.
int32_t TBZugfolgeHinzufuegen(int32_t optionen);

// The stored position n (clamped to the line) made the current position; -1
// before any line is stored.
int32_t TBSpaziergangGehen(int32_t n);

// Cuts the line after position n and appends move i of the current legal
// move list, which must be legal in line position n: n + 1, or -1.
int32_t TBSpaziergangsZug(int32_t n, int32_t i);

}  // namespace galdrik
