// Marks the library's flat exports: C linkage, visible from outside the
// shared library. Everything else in the library stays hidden.
#pragma once

#define GALDRIK_EXPORT extern "C" __attribute__((visibility("default")))
