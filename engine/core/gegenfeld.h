// Corresponding squares (Gegenfeld) of pawn endings: the cache of computed
// systems that the root search empties before every search.
#pragma once

#include <cstdint>

namespace galdrik {

void GegenfeldHashLeeren();

// Allocates the cache with the given number of entries: 0, or -1 when the
// memory cannot be had (the cache then has no entries).
int32_t GegenfeldHashAllok(uint32_t anzahl);
void GegenfeldHashFrei();

}  // namespace galdrik
