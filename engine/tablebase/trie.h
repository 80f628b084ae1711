// The material-count trie: from the counts of non-king men to the id of the
// table that holds the position, signed by whether the colours are the
// table's (+id) or reversed (-id). One per process, for all metric sets.
#pragma once

#include <cstdint>

namespace galdrik {

// Builds the tables every probe reads, once per process: the index scheme's
// ordinal and enumeration tables, then the (empty) material trie. The first
// reset of the tablebase core calls it; later calls return at once.
void TbBuildRunTimeTables();

// Builds the empty trie (part of TbBuildRunTimeTables); later calls do nothing.
void TbBuildTrie();

// Counts, in key order: white pawns, knights, bishops, rooks, queens, then the
// same for Black. Kings are not counted.
// -> +id, -id (colours reversed) or 0 when no registered table holds it: a
// negative count, one above what is left of the budget of four men, or a trie
// not yet built all give 0.
int32_t TbFindByCounters(const int32_t counts[10]);

// The same lookup for a table name such as "kqkr": the first letter is
// skipped, the letters up to the next 'k' are White's, those after it up to
// the next 'k' or the end Black's. n, b, r, q are pieces; any other letter
// counts as a pawn. Null gives 0.
int32_t TbFindByName(const char* name);

// Zeroes counts (pawns, knights, bishops, rooks, queens) and counts letters
// from text by the rule above until a 'k' or the end; returns the position of
// that 'k' or of the terminating NUL.
const char* TbCountPieces(int32_t counts[5], const char* text);

// Registration of a table file with this id (1..440) records the table in the
// trie: +id under its own counts and, unless it is symmetric, -id under the
// reversed counts. Where both counts are the same without the symmetric flag
// (kpkp) the +id stays, so those positions are read with their colours as
// they are. false (nothing stored) when the name's counts do
// not fit the trie or the id is out of range: the registration then fails
// and its caller reports "*** Unable to register %s\n" with the file name.
bool TbTrieRegister(int32_t id);

}  // namespace galdrik
