// Set-up of the tablebase core: the reset of all working records and the
// registration of one metric set's tables from a list of directories.
// DLL_TBInit is its caller; nothing may probe while it runs.
#pragma once

#include <cstddef>
#include <cstdint>

namespace galdrik {

// set < 0: resets the core (list not read): the block cache emptied and
// every table file closed, every working record refilled from the
// catalogue with its names, block indexes and bucket arrays released, the
// drive test forgotten, and on the first reset the index tables and the
// material trie built. Gives 0.
//
// set 0..6: registers that set anew from list, directories separated by
// "," or ";" and taken as they are (an empty element is the current
// directory): empties the cache and closes every file (all sets), releases
// the set's earlier registrations and the decode block, registers every
// table 1..440 from each directory in list order (the first directory
// holding a file keeps it), and allocates the decode block once any
// compressed file was seen. Gives the most men among the tables registered
// now: 6, 5, 4, 3, or 0 when none (and for a null list). A directory too
// long for the name buffer is skipped with a report, never cut.
//
// set above 6 does nothing and gives 0. A set registration before any
// reset resets first.
int32_t TbInitialise(const char* list, int32_t set);

// The core's allocation: the memory, or null after reporting "*** Cannot
// allocate %d bytes of memory". The caller then leaves the table it was
// registering unregistered; the process goes on.
void* TbMalloc(size_t bytes);

}  // namespace galdrik
