// The analysis setup the library keeps for the next run: the parameter
// block, the criterion code and the diagonal-symmetry switch, replaced whole
// by DLL_TBAnaSetPos and copied whole by the analysis start.
#pragma once

#include <cstdint>

#include "analysis/parameterblock.h"

namespace galdrik {

struct TBAnaSetup {
  TBAnaParameterblock block;
  int32_t kriterium;
  int32_t diagonalSymmetrie;  // value 1758 whole
};

// The setup as DLL_TBAnaSetPos builds it from a whole mask and a criterion.
TBAnaSetup TBAnaSetupBauen(const int32_t* suchmaske, int32_t kriterium);

// The stored setup is guarded by a lock, so a setup arriving from the
// program's thread never tears a copy an analysis start is taking.
void TBAnaSetupSetzen(const TBAnaSetup& setup);
TBAnaSetup TBAnaSetupHolen();

}  // namespace galdrik
