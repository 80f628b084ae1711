// Test helper: a move given as text, found in the position's legal moves.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/board.h"
#include "core/movegen.h"
#include "core/notation.h"

namespace galdrik::test {

// The move (standard algebraic, English letters) in the position; a text
// that names no legal move fails the test and gives KeinZug.
inline Zug ZugAusText(const Stellung& st, const std::string& text) {
  const Zugliste liste = ZugGenerator(st, GenAlleZuege);
  uint8_t status = 0;
  const int16_t i = PGNZugInterpretieren(liste, text, FigurenEnglisch, status);
  EXPECT_GE(i, 0) << text;
  return i >= 0 ? liste.zuege[i] : KeinZug;
}

}  // namespace galdrik::test
