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

// Evaluation
GALDRIK_EXPORT int32_t DLL_GegenfeldReAllok();
