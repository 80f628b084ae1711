// The flat exports of libGaldrik.so, by family. The program binds them by
// name; the declarations here serve the library's own tests and tools.
#pragma once

#include <cstdint>

#include "interface/export.h"

// Start-up
GALDRIK_EXPORT int32_t DLL_CheckMMX();

// Keys and transposition table
GALDRIK_EXPORT int32_t DLL_HashCodeGen();
GALDRIK_EXPORT void DLL_HashLeeren();
GALDRIK_EXPORT int32_t DLL_HashReAllok();

// Opening book: compiles a book source (.bk1) into a compiled book (.bk2).
// -9 when a path is missing; else 0 done, 1 source not readable, 2 source
// malformed or no memory, 3 log not writable, 4 target not writable.
GALDRIK_EXPORT int32_t DLL_BuchGen(const char* quelle, const char* ziel);
