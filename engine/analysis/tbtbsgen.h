// The depth statistics of one whole table as a text file: for each side the
// positions won, drawn and lost by depth in the current metric, and the
// entries that hold no value.
#pragma once

#include <cstdint>

#include "interface/export.h"

namespace galdrik {

// TBTBSGen for a class name such as "kqkr" and an output path: 0 written,
// -1 the file cannot be written, -2 no table of that name (the file is then
// left empty). A name the tables hold only with the colours reversed
// ("krkq") reads the stored table with its sides exchanged, so "wtm" stays
// the side the name puts on move. The text is written to a temporary name
// and renamed when whole.
int32_t TBTBSGen(const char* name, const char* pfad);

}  // namespace galdrik

GALDRIK_EXPORT int32_t DLL_TBTBSGen(const char* name, const char* pfad);
