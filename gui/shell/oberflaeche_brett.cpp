// The board view: the picture of the position, the texts that follow the
// position (FEN, notation with the current move marked, status, setup
// fields), the tablebase marks, the board's orientation, and the
// tablebase board state the marks are drawn from.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "captions/beschriftung.h"
#include "shell/controls/farbe.h"
#include "shell/controls/figurenbilder.h"
#include "shell/controls/picturebox.h"
#include "shell/controls/textbox.h"
#include "shell/controls/textbreite.h"
#include "shell/controls/twips.h"
#include "shell/engineglobal.h"
#include "shell/oberflaeche.h"
#include "shell/sprache.h"
#include "shell/uiservice.h"

namespace galdrik {

using namespace EngineComm;

namespace {

constexpr double kBrett = 8 * kFeldTwips + 2 * kRandTwips;
// The tablebase mark: a disc near the square's lower right corner.
constexpr double kJokerAbstand = 120;
constexpr double kJokerRadius = 80;

constexpr uint32_t kSchwarz = 0;
// Empty squares in the grounds of the piece pictures.
constexpr uint32_t kHell =
    farbe::Rgb(figurenbilder::kHell, figurenbilder::kHell, figurenbilder::kHell);
constexpr uint32_t kDunkel =
    farbe::Rgb(figurenbilder::kDunkel, figurenbilder::kDunkel, figurenbilder::kDunkel);

// a1 is dark.
bool hellesFeld(int32_t feld) { return (feld % 8 + feld / 8) % 2 == 1; }

// The exports of the game record and the evaluation are used when the
// library has them; without them the board shows no notation, no status
// from the game and no evaluation, and no one is asked about it.
bool partieExporte() { return DLL_PartieNotation.vorhanden() && DLL_ZugMark.vorhanden(); }

void still(QAbstractButton* knopf, bool an) {
  if (!knopf) return;
  const QSignalBlocker blocker(knopf);
  knopf->setChecked(an);
}

}  // namespace

// ------------------------------------------------------------ geometry

void Oberflaeche::FigurBildCode(const int32_t& feld, const int32_t& figur, int32_t& index) {
  index = figur == 0 ? 0 : figurenbilder::BildIndex(figur, !hellesFeld(feld));
}

double Oberflaeche::BrettFeldX(const int32_t& feld) const {
  const int32_t linie = feld % 8;
  return (bWeissUnten != Falsch ? linie : 7 - linie) * kFeldTwips + kRandTwips;
}

double Oberflaeche::BrettFeldY(const int32_t& feld) const {
  const int32_t reihe = feld / 8;
  return (bWeissUnten != Falsch ? 7 - reihe : reihe) * kFeldTwips + kRandTwips;
}

// --------------------------------------------------------------- redraw

void Oberflaeche::BrettAktualisieren(int16_t flag) {
  if (bBrettNichtZeichnen != Falsch || bZeichenModus != Falsch) return;
  const Einstellungen& e = EngineGlobal::einstellungen;
  PictureBox& bild = *brettBild_;

  bild.cls();
  bild.setDrawWidth(1);
  bild.box(0, 0, kBrett, kBrett, kSchwarz, true);
  // Half a pen, so the squares' edges fall on whole pixels.
  const double h = bild.drawWidth() * twips::kProPixel / 2.0;
  for (int32_t feld = 0; feld < 64; ++feld) {
    const double x = BrettFeldX(feld), y = BrettFeldY(feld);
    const int32_t figur = tStellungKopie[feld];
    if (figur != 0) {
      int32_t index = 0;
      FigurBildCode(feld, figur, index);
      bild.paintPicture(bilder.picture(index), x, y, kFeldTwips, kFeldTwips);
    } else {
      bild.box(x + h, y + h, x + kFeldTwips - h, y + kFeldTwips - h,
               hellesFeld(feld) ? kHell : kDunkel, true);
    }
  }

  const bool weissAmZug = tStellungKopie[GS::AmZug] == 1;
  shapeAmZugWeiss_->setVisible(weissAmZug);
  shapeAmZugSchwarz_->setVisible(!weissAmZug);

  const int32_t halbzug = 2 * tStellungKopie[GS::Zugnummer] - tStellungKopie[GS::AmZug];
  sFENText = EngineGlobal::EngineStringHolen(DLL_FENOutput(halbzug));
  brettFEN_->setText(sFENText);
  // A long FEN stays readable whole in the fixed line.
  SchriftEinpassen(*brettFEN_);
  brettFEN_->setCursorPosition(0);

  if (partieExporte()) {
    textNotation_->setText(
        EngineGlobal::EngineStringHolen(DLL_PartieNotation(Sprache::FigurBuchstaben)));
    // At the game's root the engine leaves both untouched: nothing marked.
    int32_t anfang = 0, ende = 0;
    DLL_ZugMark(&anfang, &ende);
    const int32_t von = textNotation_->zeichenAusByte(anfang);
    const int32_t bis = textNotation_->zeichenAusByte(ende);
    textNotation_->setSelStart(von);
    textNotation_->setSelLength(bis > von ? bis - von : 0);
  }

  if (bEditModus == Falsch && DLL_Bewertung.vorhanden()) iBewertung = DLL_Bewertung();
  textEngine_->setSelStart(static_cast<int>(textEngine_->text().size()));

  const int32_t status = DLL_PartieStatus.vorhanden() ? DLL_PartieStatus() : 0;
  switch (status) {
    case 1:
      brettText_->setText(Sprache::TxtStatusRemis);
      break;
    case 2:
      brettText_->setText(Sprache::TxtWeissIstMatt);
      break;
    case 3:
      brettText_->setText(Sprache::TxtSchwarzIstMatt);
      break;
    default:
      brettText_->setText(iZugAnzahl == 1
                              ? Sprache::TxtEinZug
                              : QString::number(iZugAnzahl) + Sprache::TxtMoeglicheZuege);
  }
  still(check1_, e.OptAutoAntw != Falsch);

  if (bEditModus != Falsch) {
    // The palette: White pawn .. king, then Black pawn .. king, each on the
    // square colour of the board's first squares.
    for (int32_t i = 0; i < 12; ++i) {
      const int32_t weiss = i < 6;
      const int32_t feld = weiss ? i : i - 5;
      const int32_t figur = weiss ? i + 1 : -(i - 5);
      int32_t index = 0;
      FigurBildCode(feld, figur, index);
      figurFeld_[i]->paintPicture(bilder.picture(index), 0, 0, figurFeld_[i]->scaleWidth(),
                                  figurFeld_[i]->scaleHeight());
    }
    shapeAmZugWeiss_->setVisible(true);
    shapeAmZugSchwarz_->setVisible(true);
    still(stellRadioWeiss_, tStellungKopie[GS::AmZug] == 1);
    still(stellRadioSchwarz_, tStellungKopie[GS::AmZug] != 1);
    for (int i = 0; i < 4; ++i)
      still(stellCheckRochade_[i], tStellungKopie[GS::RochadeWeissLang + i] == 1);
    const int32_t ep = tStellungKopie[GS::EPFeld];
    stellTextEP_->setText(ep >= 0 && ep <= 63 ? EngineGlobal::FeldName(ep) : QStringLiteral("-"));
    stellText50_->setText(QString::number(tStellungKopie[GS::Halbzuege]));
    stellTextZugNr_->setText(QString::number(tStellungKopie[GS::Zugnummer]));
    return;
  }
  if (bTBModus == Falsch) return;

  // The selected slot's start square and range, then every slot's number.
  const int32_t slot = tTBAnaSuchmaske[TBMaske::Gewaehlt];
  if (slot >= 0 && slot < kTBSlots) {
    const int32_t start = iTBFigurStartfeld[slot];
    if (start >= 0 && start <= 63) FelderRahmen(start, TBFigMarkFarbe(slot));
    for (int32_t feld = 0; feld < 64; ++feld) {
      if (tTBAnaSuchmaske[TBMaske::Bereich + slot * 64 + feld] == 1) ZeichneJoker(feld, slot + 1);
    }
  }
  for (int32_t i = 0; i < kTBSlots; ++i) {
    const int32_t start = iTBFigurStartfeld[i];
    if (tTBAnaSuchmaske[TBMaske::Figur + i] != 0 && start >= 0 && start <= 63)
      FelderText(start, QString::number(i + 1) + QLatin1Char(' '), TextFormat::Right);
  }
  tbTafelAbgleichen();

  if (e.OptEGTBAutoZug != Falsch) {
    if (flag == 0) TBZugfolgeErrechnen();
  } else if (iTBResultatNummer == -1) {
    textEngine_->setText(sTBText);
  } else {
    textEngine_->setText(EngineGlobal::EngineStringHolen(
        DLL_TBAnaGetPosStr.vorhanden() ? DLL_TBAnaGetPosStr(iTBResultatNummer) : 0));
  }
  still(tbTafel.autoZug, e.OptEGTBAutoZug != Falsch);
  still(tbTafel.figurPfad, e.OptEGTBFigPfad != Falsch);

  if (tbTafel.spezielles) {
    bool spezial = tTBAnaSuchmaske[TBMaske::Spezial1] >= 1 ||
                   tTBAnaSuchmaske[TBMaske::Spezial2] >= 1 ||
                   tTBAnaSuchmaske[TBMaske::Spezial3] == 1;
    for (int i = 0; i < 6; ++i) spezial = spezial || tTBAnaSuchmaske[TBMaske::ZugDetail + i] >= 0;
    farbe::SetzeKnopfFarbe(*tbTafel.spezielles, spezial ? 0xFF : farbe::kSystemButtonFace);
  }
}

// The tablebase panel shows the mask's side to move, criterion and
// distance range, and which result of how many is shown.
void Oberflaeche::tbTafelAbgleichen() {
  const int32_t amZug = tTBAnaSuchmaske[TBMaske::AmZug];
  still(tbTafel.zug[0], amZug == 1);
  still(tbTafel.zug[1], amZug == 0);
  still(tbTafel.zug[2], amZug == 2);
  for (int i = 0; i < 10; ++i) {
    if (!tbTafel.kriterium[i]) continue;
    // Exclusive buttons cannot all be cleared while they are exclusive.
    QAbstractButton* k = tbTafel.kriterium[i];
    const bool exklusiv = k->autoExclusive();
    k->setAutoExclusive(false);
    still(k, iTBAnaKriterium == i + 1);
    k->setAutoExclusive(exklusiv);
  }
  if (tbTafel.mattMax)
    tbTafel.mattMax->setText(QString::number(tTBAnaSuchmaske[TBMaske::DistanzMax]));
  if (tbTafel.mattMin)
    tbTafel.mattMin->setText(QString::number(tTBAnaSuchmaske[TBMaske::DistanzMin]));
  if (tbTafel.positionNummer) {
    const int32_t gezeigt = iTBResultatNummer < 0 ? 0 : iTBResultatNummer;
    tbTafel.positionNummer->setText(QStringLiteral("%1 %2 %3 %4")
                                        .arg(Sprache::TxtPosition)
                                        .arg(gezeigt)
                                        .arg(Sprache::TxtVon)
                                        .arg(iTBResultatAnzahl));
  }
}

// ------------------------------------------------------------ square marks

void Oberflaeche::FelderRahmen(const int32_t& feld, const int32_t& farbe) {
  PictureBox& bild = *brettBild_;
  bild.setDrawWidth(3);
  const double h = 3 * twips::kProPixel / 2.0;
  const double x = BrettFeldX(feld), y = BrettFeldY(feld);
  const int stil = bild.fillStyle();
  bild.setFillStyle(FillStyle::Transparent);
  bild.box(x + h, y + h, x + kFeldTwips - h, y + kFeldTwips - h, static_cast<uint32_t>(farbe),
           false);
  bild.setFillStyle(stil);
  bild.setDrawWidth(1);
}

void Oberflaeche::FelderText(const int32_t& feld, const QString& text, const int32_t& format) {
  PictureBox& bild = *brettBild_;
  const double x = BrettFeldX(feld), y = BrettFeldY(feld);
  const QPoint links = twips::zuPixel(x, y),
               rechts = twips::zuPixel(x + kFeldTwips, y + kFeldTwips);
  bild.setForeColor(kSchwarz);
  bild.setFontName(QStringLiteral("Tahoma"));
  bild.setFontSize(8);
  bild.setFontBold(true);
  bild.drawText(text, QRect(links, QSize(rechts.x() - links.x(), rechts.y() - links.y())), format);
  bild.setFontBold(false);
}

void Oberflaeche::ZeichneJoker(const int32_t& feld, const int32_t& slot) {
  PictureBox& bild = *brettBild_;
  bild.setFillColor(static_cast<uint32_t>(TBFigMarkFarbe(slot - 1)));
  bild.setFillStyle(FillStyle::Solid);
  bild.setDrawWidth(1);
  bild.circle(BrettFeldX(feld) + kFeldTwips - kJokerAbstand,
              BrettFeldY(feld) + kFeldTwips - kJokerAbstand, kJokerRadius, kSchwarz);
  bild.setFillStyle(FillStyle::Transparent);
}

// ----------------------------------------------------------- orientation

void Oberflaeche::ButtonBrettDrehen_Click() {
  bWeissUnten = AlsBoolean(bWeissUnten == Falsch);
  const QRectF weiss = lage(shapeAmZugWeiss_), schwarz = lage(shapeAmZugSchwarz_);
  const double unten = 5640, oben = 120;
  setzen(shapeAmZugWeiss_, weiss.left(), bWeissUnten != Falsch ? unten : oben, weiss.width(),
         weiss.height());
  setzen(shapeAmZugSchwarz_, schwarz.left(), bWeissUnten != Falsch ? oben : unten, schwarz.width(),
         schwarz.height());
  feldbeschriftungenSetzen();
  // Turning the board wipes the paintings: it is redrawn even in paint mode.
  const Boolean malen = bZeichenModus;
  bZeichenModus = Falsch;
  BrettAktualisieren(0);
  bZeichenModus = malen;
}

// Files left to right and ranks bottom to top, as the board is turned.
void Oberflaeche::feldbeschriftungenSetzen() {
  const bool weissUnten = bWeissUnten != Falsch;
  for (int i = 0; i < 8; ++i) {
    feldDescV_[i]->setText(QChar(u'a' + (weissUnten ? i : 7 - i)));
    feldDescH_[i]->setText(QString::number(weissUnten ? i + 1 : 8 - i));
  }
}

// ------------------------------------------------------ tablebase state

void Oberflaeche::InitTBBrett(const Boolean& bReset) {
  for (int i = 0; i < kTBSlots * 64; ++i) tTBAnaSuchmaske[TBMaske::Bereich + i] = -1;
  for (int i = 0; i < kTBSlots; ++i) {
    tTBAnaSuchmaske[TBMaske::Figur + i] = 0;
    iTBFigurStartfeld[i] = -1;
  }
  tTBAnaSuchmaske[TBMaske::Gewaehlt] = -1;
  if (bReset == Falsch) return;
  tTBAnaSuchmaske[TBMaske::DistanzMin] = 0;
  tTBAnaSuchmaske[TBMaske::DistanzMax] = 32766;
  iTBAnaKriterium = 10;
  tTBAnaSuchmaske[TBMaske::AmZug] = tStellungKopie[GS::AmZug];
  iMarkTyp = 4;
}

void Oberflaeche::InitTBHist() {
  InitTBBrett(Wahr);
  tTBMaskenHistorie.fill(tTBAnaSuchmaske);
  tTBStellungsHistorie.fill(tStellungKopie);
}

// A pawn can stand on neither the first nor the last rank.
void Oberflaeche::LimitTBBereichBauer(const int32_t& slot) {
  if (slot < 0 || slot >= kTBSlots) return;
  for (int32_t linie = 0; linie < 8; ++linie) {
    tTBAnaSuchmaske[TBMaske::Bereich + slot * 64 + linie] = -1;
    tTBAnaSuchmaske[TBMaske::Bereich + slot * 64 + 56 + linie] = -1;
  }
}

int32_t Oberflaeche::TBFigMarkFarbe(const int32_t& slot) {
  static constexpr int32_t kFarben[kTBSlots] = {farbe::Rgb(255, 0, 0),   farbe::Rgb(255, 255, 0),
                                                farbe::Rgb(0, 255, 0),   farbe::Rgb(0, 0, 255),
                                                farbe::Rgb(255, 0, 255), farbe::Rgb(128, 64, 0)};
  return slot >= 0 && slot < kTBSlots ? kFarben[slot] : farbe::Rgb(0, 0, 0);
}

void Oberflaeche::FigurSumme(int16_t& anzahl) const {
  anzahl = 0;
  for (int i = 0; i < 64; ++i) anzahl = static_cast<int16_t>(anzahl + (tStellungKopie[i] != 0));
}

// The mode itself: the position must have 3 to 6 men. Preparing the
// engine's analysis memory and showing the analysis panel belong to the
// tablebase panel, which builds on this.
void Oberflaeche::ButtonBrettTB_Click() {
  if (bTBModus == Falsch) {
    DLL_StellungGet(tStellungKopie.data());
    int16_t steine = 0;
    FigurSumme(steine);
    if (steine < 3 || steine > 6) {
      ui().messageBox(Sprache::MsgKeineTBPosition, MsgStil::Information, Sprache::ProgTitel);
      return;
    }
    bTBModus = Wahr;
    InitTBHist();
  } else {
    bTBModus = Falsch;
  }
  iZugAnzahl = DLL_ZugAnz();
  Sprache::BeschriftungOberflaeche();
  Form_Resize();
}

// The best-play sequence job belongs to the tablebase access, which the
// library does not offer yet; until then there is nothing to compute.
void Oberflaeche::TBZugfolgeErrechnen() {}

}  // namespace galdrik
