// What the tablebase core's set-up needs of the block cache, which defines
// these (cache.cpp).
#pragma once

namespace galdrik {

// Empties the block cache: every cached block is unlinked from the bucket
// chains of its record, and every open table file of all records is closed.
// TbInitialise calls it before a reset or a set registration frees bucket
// arrays, so no cache entry stays linked into a freed chain.
void TbCacheReset();

// Closes every open table file of all 3087 working records and sets their
// `file` fields to null, whether or not the cache holds blocks.
void TbCloseAllFiles();

}  // namespace galdrik
