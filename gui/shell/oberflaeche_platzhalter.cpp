// Stand-ins for main-window procedures that other parts of the program own
// (the play code, the tablebase panel), so that the keyboard and the
// notation view can call them before those parts are built. Each one goes
// when its owner brings the real procedure.
#include "shell/oberflaeche.h"

namespace galdrik {

using namespace EngineComm;

// The play code's: its own version also lets the engine answer when
// automatic reply is on and the parity asks for it.
void Oberflaeche::ZugGemacht() {
  DLL_StellungGet(tStellungKopie.data());
  iZugAnzahl = DLL_ZugAnz();
  BrettAktualisieren(0);
  bZugParitaet = AlsBoolean(bZugParitaet == Falsch);
}

// The tablebase panel's: its own version loads the result's position into
// the engine and sets the game record aside first.
void Oberflaeche::ZeigeTBResPos(int32_t& n) {
  iTBResultatNummer = n;
  BrettAktualisieren(0);
}

void Oberflaeche::InitTBSpaziergang() { TBZugfolgeErrechnen(); }

}  // namespace galdrik
