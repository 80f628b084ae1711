// Stand-ins for the block cache's set-up hooks while the library has no
// block cache: nothing is cached and no table file is ever opened, so there
// is nothing to empty or close. The block cache replaces this file.
#include "tablebase/cachehooks.h"

namespace galdrik {

void TbCacheReset() {}

void TbCloseAllFiles() {}

}  // namespace galdrik
