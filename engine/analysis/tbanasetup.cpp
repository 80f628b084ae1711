// The library-wide analysis setup and the export that sets it.
#include "analysis/tbanasetup.h"

#include <mutex>

#include "analysis/tbana_exports.h"

namespace galdrik {

namespace {

struct GespeichertesSetup {
  std::mutex sperre;
  TBAnaSetup setup{};
};

GespeichertesSetup& Gespeichert() {
  static GespeichertesSetup g;
  return g;
}

}  // namespace

TBAnaSetup TBAnaSetupBauen(const int32_t* suchmaske, int32_t kriterium) {
  TBAnaSetup s;
  s.block = ParameterblockBauen(suchmaske);
  s.kriterium = kriterium;
  s.diagonalSymmetrie = suchmaske[MaskeDiagonalSymmetrie];
  return s;
}

void TBAnaSetupSetzen(const TBAnaSetup& setup) {
  GespeichertesSetup& g = Gespeichert();
  std::lock_guard lock(g.sperre);
  g.setup = setup;
}

TBAnaSetup TBAnaSetupHolen() {
  GespeichertesSetup& g = Gespeichert();
  std::lock_guard lock(g.sperre);
  return g.setup;
}

}  // namespace galdrik

// A null mask is refused quietly: the export has no result to report it.
GALDRIK_EXPORT void DLL_TBAnaSetPos(const int32_t* suchmaske, int32_t kriterium) {
  if (!suchmaske) return;
  galdrik::TBAnaSetupSetzen(galdrik::TBAnaSetupBauen(suchmaske, kriterium));
}
