// The engine-side tablebase services behind the DLL_TB exports: set
// registration with its own cleaning of the directory list, the cache size
// and the metric.
#pragma once

#include <cstdint>
#include <string>

namespace galdrik {

// The directory list as registration gets it: leading separators dropped,
// runs of separators made one, one trailing separator removed; the empty
// list for fewer than two characters, for any of * ? " < > | and for a list
// longer than 10,239 characters (never cut, which could name another
// directory).
std::string TBPfadlisteBereinigen(const char* liste);

// Registers a set (or resets the core for a negative set); the most men of
// the tables registered, 0 when none. Sets above 6 are refused (0, nothing
// changed).
int32_t TBInitialisieren(const char* liste, int32_t set);

// 0 the cache has the size; -1 the size could not be had (or was negative)
// and the cache has 1,048,576 bytes; -2 no cache at all.
int32_t TBCacheSetzen(int32_t groesse);

}  // namespace galdrik
