// Test helper: registers the generated three- and four-man DTM tables as
// metric set 0 with a block cache, once per process.
#pragma once

#include <cstdint>
#include <vector>

#include "tablebase/cache.h"
#include "tablebase/probe.h"
#include "tablebase/tbinit.h"

namespace galdrik::test {

// False when the build has no generated tables.
inline bool DTMTabellenAnmelden() {
#ifdef GALDRIK_TB_DTM_DIR
  static const bool fertig = [] {
    static std::vector<uint8_t> puffer(std::size_t{32} << 20);
    TbInitialise(nullptr, -1);
    TbInitialise(GALDRIK_TB_DTM_DIR, 0);
    TbCacheSet(puffer.data(), puffer.size());
    TBMetrikSetzen(0);
    return true;
  }();
  return fertig;
#else
  return false;
#endif
}

}  // namespace galdrik::test
