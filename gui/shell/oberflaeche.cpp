// The main window's frame: its load, its unload with the engine's jobs
// stopped first, the layout on every size change, and the menus of the
// view, the extras, the about box and quitting.
#include "shell/oberflaeche.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFontDatabase>
#include <QSettings>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "captions/beschriftung.h"
#include "shell/controls/farbe.h"
#include "shell/controls/textbox.h"
#include "shell/controls/twips.h"
#include "shell/engineglobal.h"
#include "shell/fensteraufrufe.h"
#include "shell/sprache.h"
#include "shell/uiservice.h"

namespace galdrik {

using namespace EngineComm;

namespace {

Oberflaeche* dieOberflaeche = nullptr;

// The program's version, shown in the about box.
constexpr int kVersion[] = {1, 50, 0};

// The position tablebase mode starts from when the stored one cannot be used.
constexpr const char* kTBStandardFEN = "4k3/8/8/8/8/8/8/3QK3 w - - 0 1";

// What the window needs of the engine from its first moment; without any of
// them it cannot show a position.
constexpr const char* kLadeExporte[] = {"DLL_PartieBeginn", "DLL_StellungGet", "DLL_ZugAnz",
                                        "DLL_Leerstellung", "DLL_FENOutput"};

// Entries of the Tests and Extras menus that stay hidden: tools for the
// developer, and the special-database generation, which no stored value
// brings back.
constexpr const char* kVersteckteMenues[] = {
    "MenüTestsNotationInZwischenablage",
    "MenüTestsFENFigurenfeldstatistik",
    "MenüTestsLKGeschwindigkeit",
    "MenüTestsZLGeschwindigkeit",
    "MenüTestsFunktionEGTB",
    "MenüTestsMD5Dateisumme",
    "MenüTestsMD5Kollektor",
    "MenüTestsZuggenEGTB",
    "MenüTestsEGTBSpezDBGenerFenster",
    "MenüTestsRFEP",
    "MenüTestsPGNStatistik",
    "MenüTestsEGTBMultiMetrik1",
    "MenüTestsEGTBMultiMetrik2",
    "MenüTestsTBSGen",
    "MenüTestsRFEPMatrixDepths",
    "MenüTestsZugzwangAlle",
    "MenüTestsEGTBProbeReport",
    "MenüExtrasEGTBSpezialdatenbank",
};

// The keys the window writes when it closes.
constexpr const char* kTBStatSchluessel[] = {"Opt_TBStatSkala", "Opt_TBStatStil",
                                             "Opt_TBStatFigFarbe", "Opt_TBStatFigTyp",
                                             "Opt_TBStatStatMode"};
constexpr const char* kPaintSchluessel[] = {"Opt_PaintFontName", "Opt_PaintFontSize",
                                            "Opt_PaintFontBold", "Opt_PaintFontDir",
                                            "Opt_PaintSchraffur"};

// Every worker job of the engine: how to ask it to stop and how to see
// that it has. A job whose exports the library lacks cannot be running.
struct Job {
  Export<void()>* stopp;
  const char* statusExport;
  bool (*beendet)();
};

const Job kJobs[] = {
    {&DLL_SuchTermin, "DLL_SuchFertig", [] { return DLL_SuchFertig() == 1; }},
    {&DLL_EPDTestStopp, "DLL_EPDTestFertig", [] { return DLL_EPDTestFertig() == 1; }},
    {&DLL_TBAnaStopp, "DLL_TBAnaStatus", [] { return DLL_TBAnaStatus() == 0; }},
    {&DLL_TBZugfolgeStopp, "DLL_TBZugfolgeStatus",
     [] {
       int32_t tiefe = -1;
       DLL_TBZugfolgeStatus(&tiefe);
       return tiefe == -1;
     }},
    {&DLL_TBAnaSpezDB_VernetzungStopp, "DLL_TBAnaSpezDB_VernetzungStatus",
     [] { return DLL_TBAnaSpezDB_VernetzungStatus() < 0; }},
    {&DLL_TBManagIntegerStopp, "DLL_TBManagIntegerStatus",
     [] { return DLL_TBManagIntegerStatus() == -1; }},
};

}  // namespace

Oberflaeche::Oberflaeche(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Oberfläche"));
  dieOberflaeche = this;
  // The special part of the search mask starts unset; zeros would name
  // square a1 and show it as in use.
  std::fill_n(tTBAnaSuchmaske.begin() + TBMaske::ZugDetail, 6, -1);
  aufbauen();
  Form_Load();
  // The design's client area below the menu bar, which has its height once
  // its captions are in.
  const int breite = twips::zuPixel(11415.0);
  resize(breite, twips::zuPixel(9285.0) + menuBar()->heightForWidth(breite));
}

Oberflaeche::~Oberflaeche() {
  delete tastenfilter_;
  if (dieOberflaeche == this) dieOberflaeche = nullptr;
}

Oberflaeche* Oberflaeche::instanz() { return dieOberflaeche; }

// ------------------------------------------------------------------ load

void Oberflaeche::Form_Load() {
  const Einstellungen& e = EngineGlobal::einstellungen;
  Sprache::BeschriftungOberflaeche();
  InitTBHist();
  buttonBrettTB_->setVisible(true);

  bool geladen = true;
  for (const char* name : kLadeExporte) geladen = geladen && vorhanden(name);
  if (geladen) {
    DLL_PartieBeginn();
    DLL_StellungGet(tStellungKopie.data());

    bErsterKlick = Wahr;
    iZugAnzahl = DLL_ZugAnz();
    bZugParitaet = Wahr;
    bEditModus = bTBModus = bPGNModus = bZeichenModus = Falsch;
    bTBAnaLaeuft = bVernetzungLaeuft = bSucheLaeuft = Falsch;
    bTBZugfolgeLaeuft = bTBZugfolgePGN = Falsch;
    sngStatFensterX = sngStatFensterY = -1.0f;
    DLL_Leerstellung(tLeerstellung.data());
    sPaintSchriftart = e.Opt_PaintFontName;
    sPaintSchriftgroesse = QString::number(e.Opt_PaintFontSize);
    bPaintFett = e.Opt_PaintFontBold;
    iPaintTextRichtung = e.Opt_PaintFontDir;
    iPaintSchraffur = static_cast<int16_t>(e.Opt_PaintSchraffur);
    lPaintFarbe = farbe::Rgb(255, 0, 0);
    sPaintText.clear();

    paintComboSchriftart_->clear();
    paintComboSchriftart_->addItems(QFontDatabase::families());

    for (const char* name : kVersteckteMenues)
      teil<QAction>(QString::fromUtf8(name))->setVisible(false);
    // The stored switch for the special-database generation is read as it
    // always was, though no value of it brings the entry back.
    if (EngineGlobal::Einstellungsspeicher()
            ->value(QStringLiteral("Optionen/OptSpezDBGen"), 0)
            .toInt() == 0)
      teil<QAction>(QStringLiteral("MenüTestsEGTBSpezDBGenerFenster"))->setVisible(false);

    if (e.OptEGTBStartAuto != Falsch) {
      geladen = startstellungLaden();
      if (geladen) ButtonBrettTB_Click();
    }
  }
  if (!geladen) {
    ui().messageBox(Sprache::MsgFehlerProgrammLaden, MsgStil::Critical, Sprache::FehlerTitel);
    EngineGlobal::EngineBeenden();
    ladefehler_ = true;
    return;
  }
  timer1_->start();
}

// The stored start position of tablebase mode, with 3 to 6 men, else the
// default one; the game record starts there. A text longer than the engine
// takes is refused like one it rejects. False when not even the default
// can be set.
bool Oberflaeche::startstellungLaden() {
  auto fenSetzen = [this](const QString& fen) {
    const QByteArray text = fen.toUtf8();
    if (text.size() > EngineGlobal::kFENLaengeMax) return false;
    const int32_t r = DLL_FENInput(QByteArray(text));
    if (r < 0) return false;
    DLL_StellungGet(tStellungKopie.data());
    tStellungKopie[GS::Zugnummer] = (r + 1) / 2;
    return true;
  };
  const QString standard = QString::fromLatin1(kTBStandardFEN);
  if (!fenSetzen(EngineGlobal::einstellungen.OptEGTBStartFEN) && !fenSetzen(standard)) return false;
  int16_t steine = 0;
  FigurSumme(steine);
  if ((steine < 3 || steine > 6) && !fenSetzen(standard)) return false;
  DLL_PositionFix(2 * tStellungKopie[GS::Zugnummer] - tStellungKopie[GS::AmZug]);
  return true;
}

// ---------------------------------------------------------------- unload

void Oberflaeche::closeEvent(QCloseEvent* ereignis) {
  if (!entladen_ && !ladefehler_) Form_Unload();
  ereignis->accept();
}

void Oberflaeche::Form_Unload() {
  entladen_ = true;
  timer1_->stop();
  // The tag dialog writes its game through the engine, so it closes first;
  // then every other window, whose timers would poll a stopped engine.
  const QWidgetList fenster = QApplication::topLevelWidgets();
  for (QWidget* w : fenster) {
    if (w->objectName() == QLatin1String("PGNInfo") && w->isVisible()) w->close();
  }
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != this && w->isVisible()) w->close();
  }
  jobsBeenden();

  Einstellungen& e = EngineGlobal::einstellungen;
  if (bTBModus != Falsch && bEditModus == Falsch) {
    e.OptEGTBStartFEN = EngineGlobal::EngineStringHolen(DLL_FENOutput(1));
    EngineGlobal::EinstellungSpeichern(QStringLiteral("OptEGTBStartFEN"));
  }
  for (const char* s : kTBStatSchluessel)
    EngineGlobal::EinstellungSpeichern(QString::fromLatin1(s));
  e.Opt_PaintFontName = sPaintSchriftart;
  e.Opt_PaintFontSize = static_cast<int32_t>(Wert::Anfangszahl(sPaintSchriftgroesse));
  e.Opt_PaintFontBold = bPaintFett;
  e.Opt_PaintFontDir = iPaintTextRichtung;
  e.Opt_PaintSchraffur = iPaintSchraffur;
  for (const char* s : kPaintSchluessel) EngineGlobal::EinstellungSpeichern(QString::fromLatin1(s));

  EngineGlobal::EngineBeenden();
}

// Every running job is asked to stop and waited for, each for a bounded
// time, before the engine frees what the jobs work on; a job that does not
// stop by then is left to the engine's own teardown, which joins its thread.
void Oberflaeche::jobsBeenden() {
  for (const Job& job : kJobs) {
    if (!job.stopp->vorhanden() || !vorhanden(job.statusExport)) continue;
    (*job.stopp)();
    const QDeadlineTimer frist(kJobStoppMs);
    while (!job.beendet() && !frist.hasExpired()) QThread::msleep(5);
  }
}

void Oberflaeche::MenuePartieProgrammBeenden_Click() { close(); }

// ---------------------------------------------------------------- layout

bool Oberflaeche::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == centralWidget() && ereignis->type() == QEvent::Resize) Form_Resize();
  return QMainWindow::eventFilter(objekt, ereignis);
}

void Oberflaeche::ResizeExtern() { Form_Resize(); }

// The board keeps its size; the panels right of it and under it take what
// the window gives. A panel with too little room is hidden; a size that
// would come out negative ends the layout where it is.
void Oberflaeche::Form_Resize() {
  if (isMinimized() || entladen_ || ladefehler_) return;
  const Einstellungen& e = EngineGlobal::einstellungen;
  const double W = twips::ausPixel(centralWidget()->width());
  const double H = twips::ausPixel(centralWidget()->height());

  frameBrett_->setVisible(e.OptAnsichtBrett != Falsch);
  frameEngine_->setVisible(e.OptAnsichtEngin != Falsch);
  if (!setzeBreite(frameEngine_, W - 240)) return;

  const double notationLinks = lage(frameNotation_).left();
  if (W - notationLinks + 120 > 720) {
    frameNotation_->setVisible(e.OptAnsichtNotat != Falsch && bPGNModus == Falsch);
    if (!setzeBreite(frameNotation_, W - notationLinks - 120)) return;
    if (!setzeBreite(textNotation_, lage(frameNotation_).width() - 240)) return;
    const double hoehe = lage(frameNotation_).height() - lage(textNotation_).top() - 120;
    if (!setzeHoehe(textNotation_, hoehe)) return;
  } else {
    frameNotation_->setVisible(false);
  }

  const double engineOben = lage(frameEngine_).top();
  if (H - engineOben - 120 > 720) {
    frameEngine_->setVisible(e.OptAnsichtEngin != Falsch);
    if (!setzeHoehe(frameEngine_, H - engineOben - 120)) return;
    const QRectF rahmen = lage(frameEngine_), text = lage(textEngine_);
    if (!setzeBreite(textEngine_, rahmen.width() - text.left() - 120)) return;
    if (!setzeHoehe(textEngine_, rahmen.height() - text.top() - 120)) return;
  } else {
    frameEngine_->setVisible(false);
  }

  const double pgnLinks = lage(framePGN_).left();
  if (W - pgnLinks + 120 > 720) {
    if (!setzeBreite(framePGN_, W - pgnLinks - 120)) return;
    if (!setzeBreite(listPGNDatei_, lage(framePGN_).width() - 240)) return;
    if (!setzeBreite(labelPGNPartieDaten_, lage(framePGN_).width() - 240)) return;
  } else {
    framePGN_->setVisible(false);
  }

  BrettAktualisieren(0);
}

// ----------------------------------------------------------------- menus

void Oberflaeche::MenueAnsicht_Click() {
  const Einstellungen& e = EngineGlobal::einstellungen;
  menueAnsichtSchachbrett_->setChecked(e.OptAnsichtBrett != Falsch);
  menueAnsichtPartieNotation_->setChecked(e.OptAnsichtNotat != Falsch);
  menueAnsichtEngineOutput_->setChecked(e.OptAnsichtEngin != Falsch);
}

// The view entries change the setting for this run only; the settings
// window is where it is stored.
void Oberflaeche::MenueAnsichtSchachbrett_Click() {
  Boolean& b = EngineGlobal::einstellungen.OptAnsichtBrett;
  b = AlsBoolean(b == Falsch);
  Form_Resize();
}

void Oberflaeche::MenueAnsichtPartieNotation_Click() {
  Boolean& b = EngineGlobal::einstellungen.OptAnsichtNotat;
  b = AlsBoolean(b == Falsch);
  Form_Resize();
}

void Oberflaeche::MenueAnsichtEngineOutput_Click() {
  Boolean& b = EngineGlobal::einstellungen.OptAnsichtEngin;
  b = AlsBoolean(b == Falsch);
  Form_Resize();
}

void Oberflaeche::MenueExtras_Click() { MenueExtrasSprache_Click(); }

void Oberflaeche::MenueExtrasSprache_Click() {
  menueExtrasSpracheDt_->setChecked(Sprache::SprachCode == QLatin1String("Dt"));
  menueExtrasSpracheEn_->setChecked(Sprache::SprachCode == QLatin1String("En"));
  menueExtrasSpracheFr_->setChecked(Sprache::SprachCode == QLatin1String("Fr"));
}

void Oberflaeche::MenueExtrasSpracheDt_Click() {
  Sprache::SpracheDeutsch();
  spracheGewaehlt();
}

void Oberflaeche::MenueExtrasSpracheEn_Click() {
  Sprache::SpracheEnglisch();
  spracheGewaehlt();
}

// The tables are filled: captions, the stored choice, the layout. A store
// that cannot be written keeps the switch for this run.
void Oberflaeche::spracheGewaehlt() {
  Sprache::BeschriftungOberflaeche();
  EngineGlobal::einstellungen.OptLanguage = Sprache::SprachCode;
  EngineGlobal::EinstellungSpeichern(QStringLiteral("OptLanguage"));
  Form_Resize();
}

void Oberflaeche::MenueExtrasEGTBVerwaltung_Click() { TBManagerZeigen(); }

void Oberflaeche::MenueExtrasEinstellungen_Click() { OptionenZeigen(); }

void Oberflaeche::MenueHilfeInfo_Click() {
  const QString version =
      QStringLiteral("%1.%2.%3").arg(kVersion[0]).arg(kVersion[1]).arg(kVersion[2]);
  ui().messageBox(Sprache::TxtInfo + version, MsgStil::Information, Sprache::ProgTitel);
}

void Oberflaeche::Check1_Click() {
  EngineGlobal::einstellungen.OptAutoAntw = AlsBoolean(check1_->isChecked());
}

}  // namespace galdrik
