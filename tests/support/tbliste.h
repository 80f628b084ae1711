// Test helpers for the tablebase index functions: a square from its name,
// a table's catalogue number from its name, and a piece list from a short
// list of men such as "Ke1 Nb1 Ng1".
#pragma once

#include <cstring>

#include "tbindex/catalogue.h"
#include "tbindex/indexscheme.h"

namespace galdrik::test {

inline int Sq(const char* name) { return (name[1] - '1') * 8 + (name[0] - 'a'); }

// -1 for a name the catalogue does not hold.
inline int IdOf(const char* name) {
  for (int id = 0; id < TbTableCount; ++id) {
    if (std::strcmp(TbCatalogue[id].name, name) == 0) return id;
  }
  return -1;
}

// "Ke1 Nb1 Ng1" -> a piece list.
inline TbPieceList ListOf(const char* men) {
  int squares[6][6], count[6] = {};
  for (const char* p = men; *p;) {
    while (*p == ' ') ++p;
    if (!*p) break;
    const int kind = static_cast<int>(std::strchr("PNBRQK", p[0]) - "PNBRQK");
    const char sq[3] = {p[1], p[2], 0};
    squares[kind][count[kind]++] = Sq(sq);
    p += 3;
  }
  TbPieceList l{};
  int at = 0;
  for (int kind = 0; kind < 6; ++kind) {
    l.kindStart[kind] = at;
    for (int i = 0; i < count[kind]; ++i) l.squares[at++] = squares[kind][i];
  }
  return l;
}

}  // namespace galdrik::test
