// The search mask both analysis benchmarks run over: kqkr with the White
// king in a1-d1-d4 and every other man free, any solution move.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/parameterblock.h"
#include "core/board.h"

namespace galdrik::bench {

inline std::vector<int32_t> KqkrMaske(int32_t seite, int32_t bedingung) {
  std::vector<int32_t> m(SuchmaskeLaenge, 0);
  const int codes[6] = {Koenig, -Koenig, Dame, -Turm, 0, 0};
  for (int k = 0; k < 6; ++k) {
    m[MaskeFiguren + k] = codes[k];
    m[MaskeBezug + k] = -1;
    for (int s = 0; s < 64; ++s)
      m[MaskeFelder + 64 * k + s] = k != 0 || (0x080C0E0FULL >> s & 1) ? 1 : -1;
    for (int c = 0; c < GitterZellen; ++c) m[MaskeGitter + GitterZellen * k + c] = -1;
  }
  m[MaskeSeite] = seite;
  m[MaskeBedingung] = bedingung;
  m[MaskeVon] = m[MaskeNach] = LoesungFeldBeliebig;
  return m;
}

}  // namespace galdrik::bench
