// Corresponding squares (Gegenfeld) of pawn endings: the cache of computed
// systems that the root search empties before every search.
#pragma once

namespace galdrik {

void GegenfeldHashLeeren();

}  // namespace galdrik
