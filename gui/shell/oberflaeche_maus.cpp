// The board's mouse input in play: a move is pressed on its from-square
// and released on its to-square; a pawn reaching the last rank asks for
// its piece. The pressed piece rides on the pointer meanwhile.
#include "shell/controls/figurenbilder.h"
#include "shell/controls/picturebox.h"
#include "shell/fensteraufrufe.h"
#include "shell/oberflaeche.h"
#include "shell/uiservice.h"

namespace galdrik {

using namespace EngineComm;

namespace {

constexpr int kZeigerNormal = 0;
constexpr int kZeigerSymbol = 99;

}  // namespace

int32_t Oberflaeche::FeldUnter(double x, double y) const {
  const double spalteGenau = (x - kRandTwips) / kFeldTwips,
               reiheGenau = (y - kRandTwips) / kFeldTwips;
  if (spalteGenau < 0 || reiheGenau < 0) return -1;
  const auto spalte = static_cast<int32_t>(spalteGenau);
  const auto reihe = static_cast<int32_t>(reiheGenau);
  if (spalte > 7 || reihe > 7) return -1;
  return bWeissUnten != Falsch ? (7 - reihe) * 8 + spalte : (7 - spalte) + reihe * 8;
}

void Oberflaeche::BrettBild_MouseDown(int, int, double x, double y) {
  if (bSucheLaeuft != Falsch) {
    ui().beep();
    return;
  }
  const int32_t feld = FeldUnter(x, y);
  if (feld < 0) return;

  // Position setup, tablebase masks and painting take the board with their
  // own panels; the board plays only outside them.
  if (bZeichenModus != Falsch || bEditModus != Falsch || bTBModus != Falsch) return;

  const int32_t figur = tStellungKopie[feld];
  if (figur != 0) {
    brettBild_->setMouseIcon(bilder.picture(figurenbilder::CursorIndex(figur)));
    brettBild_->setMousePointer(kZeigerSymbol);
  } else {
    brettBild_->setMousePointer(kZeigerNormal);
  }

  if (bErsterKlick != Falsch) {
    tZugEingabe = {feld, 0, 0, 0};
    bErsterKlick = Falsch;
    return;
  }
  tZugEingabe[1] = feld;
  bErsterKlick = Wahr;
  DLL_ZugSet(tZugEingabe.data());
  const int32_t index = DLL_ZugLegal();
  if (index == -1) {
    BauernumwandlungZeigen(tStellungKopie[GS::AmZug], tZugEingabe[0], tZugEingabe[1]);
  } else if (index >= 0) {
    DLL_ZugMachen(index);
    ZugGemacht();
  } else {
    ui().beep();
  }
}

// The release completes the move the press began. A release during a
// search, or with no move begun, does nothing; one off the board drops the
// move, so that no later press can complete it.
void Oberflaeche::BrettBild_MouseUp(int knopf, int shift, double x, double y) {
  if (bSucheLaeuft != Falsch) return;
  const bool spielen = bZeichenModus == Falsch && bEditModus == Falsch && bTBModus == Falsch;
  if (!spielen) return;
  brettBild_->setMousePointer(kZeigerNormal);
  if (bErsterKlick != Falsch) return;
  if (FeldUnter(x, y) < 0) {
    bErsterKlick = Wahr;
    return;
  }
  BrettBild_MouseDown(knopf, shift, x, y);
  brettBild_->setMousePointer(kZeigerNormal);
}

}  // namespace galdrik
