// The windows the main window opens. Those that arrive with their own work
// still stand in here: until then their menu entries do nothing but beep.
#include "shell/fensteraufrufe.h"

#include "shell/bauernumwandlung.h"
#include "shell/oberflaeche.h"
#include "shell/uiservice.h"

namespace galdrik {

void TBManagerZeigen() { ui().beep(); }

void OptionenZeigen() { ui().beep(); }

void TBAnaStatistikZeigen() { ui().beep(); }

namespace {

// The main window as the promotion picker sees it.
class PickerHauptfenster : public Bauernumwandlung::Hauptfenster {
 public:
  QWidget* fenster() override { return Oberflaeche::instanz(); }
  int32_t FigurBildCode(int32_t feld, int32_t figur) override {
    int32_t index = 0;
    Oberflaeche::FigurBildCode(feld, figur, index);
    return index;
  }
  const ImageList& Figurenbilder() override { return Oberflaeche::instanz()->bilder; }
  void ZugGemacht() override {
    if (Oberflaeche* o = Oberflaeche::instanz()) o->ZugGemacht();
  }
};

}  // namespace

void BauernumwandlungZeigen(int32_t farbe, int32_t vonFeld, int32_t nachFeld) {
  static PickerHauptfenster hauptfenster;
  if (!Oberflaeche::instanz()) {
    ui().beep();
    return;
  }
  Bauernumwandlung::Oeffnen(hauptfenster, farbe, vonFeld, nachFeld);
}

}  // namespace galdrik
