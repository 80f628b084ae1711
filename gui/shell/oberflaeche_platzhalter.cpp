// Stand-ins for main-window procedures that other parts of the program own
// (the tablebase panel), so that the keyboard and the notation view can
// call them before those parts are built. Each one goes when its owner
// brings the real procedure.
#include "shell/oberflaeche.h"

namespace galdrik {

// The tablebase panel's: after a step in the game it recomputes the panel,
// which for now is the move sequence alone.
void Oberflaeche::InitTBSpaziergang() { TBZugfolgeErrechnen(); }

}  // namespace galdrik
