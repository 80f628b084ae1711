// The promotion picker: four piece pictures, the move played on a click.
#include "shell/bauernumwandlung.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <algorithm>

#include "captions/beschriftung.h"
#include "shell/controls/farbe.h"
#include "shell/controls/picturebox.h"
#include "shell/controls/textbreite.h"
#include "shell/controls/twips.h"
#include "shell/enginecomm.h"
#include "shell/uiservice.h"

namespace galdrik {

namespace {

// One picture of the picker: the White piece code (negated for Black), the
// square whose colour its background takes (b1, c1, d1, e1 alternate like
// the board), the control's back colour and the promotion code it sends.
struct Wahl {
  int32_t figur;
  int32_t feld;
  int32_t hintergrund;
  int32_t code;
};

constexpr int32_t kWeiss = farbe::Rgb(255, 255, 255);
constexpr int32_t kGrau = farbe::Rgb(128, 128, 128);

constexpr Wahl kWahl[] = {
    {5, 1, kWeiss, 128},  // queen
    {4, 2, kGrau, 64},    // rook
    {3, 3, kWeiss, 32},   // bishop
    {2, 4, kGrau, 16},    // knight
};

// Lengths in twips: a picture is one board square; the client area is a
// little wider and taller than the four of them.
constexpr double kBild = 735;
constexpr double kBreite = 2955;
constexpr double kHoehe = 765;

constexpr void (Bauernumwandlung::*kKlick[])() = {
    &Bauernumwandlung::Picture1_Click,
    &Bauernumwandlung::Picture2_Click,
    &Bauernumwandlung::Picture3_Click,
    &Bauernumwandlung::Picture4_Click,
};

}  // namespace

Bauernumwandlung* Bauernumwandlung::Oeffnen(Hauptfenster& hauptfenster, int32_t farbe,
                                            int32_t vonFeld, int32_t nachFeld) {
  // A picker left from an earlier move would play that move on the new
  // position.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* alt = qobject_cast<Bauernumwandlung*>(w); alt && alt->isVisible()) alt->close();
  }
  auto* picker = new Bauernumwandlung(hauptfenster);
  picker->lFarbe = farbe;
  picker->lVonFeld = vonFeld;
  picker->lNachFeld = nachFeld;
  picker->FigurenZeichnen();
  if (QWidget* haupt = hauptfenster.fenster())
    picker->move(haupt->geometry().center() - picker->rect().center());
  picker->show();
  picker->raise();
  picker->activateWindow();
  return picker;
}

Bauernumwandlung::Bauernumwandlung(Hauptfenster& hauptfenster)
    : QWidget(hauptfenster.fenster(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                          Qt::WindowCloseButtonHint),
      hauptfenster_(hauptfenster) {
  setObjectName(QStringLiteral("Bauernumwandlung"));
  setAttribute(Qt::WA_DeleteOnClose);
  for (int i = 0; i < 4; ++i) {
    auto* bild = new PictureBox(this);
    bild->setObjectName(QStringLiteral("Picture%1").arg(i + 1));
    bild->setBackColor(static_cast<uint32_t>(kWahl[i].hintergrund));
    bild->cls();
    // A click is a left-button release over the picture it was pressed on.
    connect(bild, &PictureBox::mouseUp, this, [this, bild, i](int knopf, int, double x, double y) {
      if (knopf == 1 && x >= 0 && y >= 0 && x < bild->scaleWidth() && y < bild->scaleHeight())
        (this->*kKlick[i])();
    });
    picture_[static_cast<size_t>(i)] = bild;
  }
  Form_Load();
  // The title bar shows the whole caption; the pictures stay together in
  // the middle of a wider window.
  const int breite = std::max(twips::zuPixel(kBreite), Titelbreite(windowTitle()));
  setFixedSize(breite, twips::zuPixel(kHoehe));
  const double links =
      breite > twips::zuPixel(kBreite) ? (twips::ausPixel(breite) - 4 * kBild) / 2 : 0;
  for (int i = 0; i < 4; ++i)
    picture_[static_cast<size_t>(i)]->setGeometry(
        twips::rechteck(links + i * kBild, 0, kBild, kBild));
}

void Bauernumwandlung::Form_Load() { Sprache::BeschriftungBauernumwandlung(); }

void Bauernumwandlung::FigurenZeichnen() {
  const int32_t seite = lFarbe == 1 ? 1 : -1;
  for (size_t i = 0; i < picture_.size(); ++i) {
    const int32_t index = hauptfenster_.FigurBildCode(kWahl[i].feld, seite * kWahl[i].figur);
    picture_[i]->cls();
    picture_[i]->paintPicture(hauptfenster_.Figurenbilder().picture(index), 0, 0, kBild, kBild);
  }
}

void Bauernumwandlung::Picture1_Click() { umwandeln(kWahl[0].code); }
void Bauernumwandlung::Picture2_Click() { umwandeln(kWahl[1].code); }
void Bauernumwandlung::Picture3_Click() { umwandeln(kWahl[2].code); }
void Bauernumwandlung::Picture4_Click() { umwandeln(kWahl[3].code); }

// The engine judges the completed move on its current position; a refusal
// leaves that position alone.
void Bauernumwandlung::umwandeln(int32_t code) {
  if (entladen_) return;
  tUmwandlungZug_ = {lVonFeld, lNachFeld, code, code};
  EngineComm::DLL_ZugSet(tUmwandlungZug_.data());
  const int32_t r = EngineComm::DLL_ZugLegal();
  // What the main window does after the move may close this window (a box
  // it shows takes the focus) and delete it.
  QPointer<Bauernumwandlung> ich(this);
  if (r >= 0) {
    EngineComm::DLL_ZugMachen(r);
    hauptfenster_.ZugGemacht();
  } else {
    ui().beep();
  }
  if (ich) close();
}

bool Bauernumwandlung::event(QEvent* ereignis) {
  if (ereignis->type() == QEvent::WindowDeactivate) Form_LostFocus();
  return QWidget::event(ereignis);
}

// Whatever the user clicks instead of a piece abandons the promotion.
void Bauernumwandlung::Form_LostFocus() {
  if (isVisible()) close();
}

void Bauernumwandlung::closeEvent(QCloseEvent* ereignis) {
  Form_Unload();
  ereignis->accept();
}

// The main window comes back to the front; a main window that is no longer
// shown is closing and stays closed.
void Bauernumwandlung::Form_Unload() {
  if (entladen_) return;
  entladen_ = true;
  QWidget* haupt = hauptfenster_.fenster();
  if (haupt && haupt->isVisible()) {
    haupt->raise();
    haupt->activateWindow();
  }
}

}  // namespace galdrik
