// The positional terms of the evaluation for positions with pieces: pawn
// structure, rooks on open files, development, the early queen, the king in
// the centre, bishops, fianchetto, knights, square control, the bare-king
// stalemate, king safety and the check bonus. Every term is from White's
// view: White's terms add, Black's mirrored terms subtract.
#pragma once

#include <cstdint>

#include "core/board.h"
#include "core/eval.h"

namespace galdrik {

struct Bauernstruktur {
  int32_t p = 0;                 // pawn structure sum, advancement included
  uint8_t linienKlasse[8] = {};  // +2 passed pawn on the file, +1 no White, +1 no Black pawn
  Bitboard angriffeW = 0;        // squares attacked by White pawns
  Bitboard angriffeS = 0;
};

// Passed, isolated, weak and doubled pawns, unstoppable and distant passed
// pawns, the advancement sum and the file classes.
Bauernstruktur BauernstrukturBewerten(const Stellung& st, const BewertungsZustand& z);

struct TermSummen {
  int32_t p = 0;      // pawn structure
  int32_t k = 0;      // pieces and kings
  int32_t c = 0;      // square control
  bool patt = false;  // a bare king to move without a safe square: a dead draw
};

// All terms. material is the frame's material term (White's view); the king
// safety of a side far behind looks at its king's room.
TermSummen BewertungsTerme(const Stellung& st, const BewertungsZustand& z, int32_t material);

// The start-up step that builds the evaluation's tables. Every square set of
// the evaluation, the pawn endings' pattern table included, is a compile-time
// constant by now, so nothing is left to build; the step keeps start-up's
// order for anything that may need it.
void BewertungMaskenInit();

}  // namespace galdrik
