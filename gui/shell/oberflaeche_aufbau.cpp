// Building the main window's menus and controls from their tables: the
// menu tree, and each control's kind, panel and design place in twips.
// Texts come from the caption sets, never from here.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "captions/beschriftung.h"
#include "shell/controls/figurenbilder.h"
#include "shell/controls/picturebox.h"
#include "shell/controls/textbox.h"
#include "shell/controls/twips.h"
#include "shell/oberflaeche.h"

namespace galdrik {

namespace {

// ---------------------------------------------------------------- menus

enum class M { Leiste, Untermenue, Popup, Eintrag, Haken, Trenner };

struct MenueZeile {
  const char* name;
  const char* oben;  // the menu it belongs to; nullptr for a bar or pop-up menu
  M art;
};

// clang-format off
const MenueZeile kMenues[] = {
    {"MenüPartie", nullptr, M::Leiste},
    {"MenüPartieNeu", "MenüPartie", M::Eintrag},
    {"MenüPartieLeer1", "MenüPartie", M::Trenner},
    {"MenüPartieÖffnenPGN", "MenüPartie", M::Eintrag},
    {"MenüPartieSpeichernPGN", "MenüPartie", M::Eintrag},
    {"MenüPartiePositionSpeichernEPD", "MenüPartie", M::Eintrag},
    {"MenüPartieLeer2", "MenüPartie", M::Trenner},
    {"MenüPartieProgrammBeenden", "MenüPartie", M::Eintrag},

    {"MenüTests", nullptr, M::Leiste},
    {"MenüTestsHashtabellenLeeren", "MenüTests", M::Eintrag},
    {"MenüTestsEPD", "MenüTests", M::Eintrag},
    {"MenüTestsNotationInZwischenablage", "MenüTests", M::Eintrag},
    {"MenüTestsSpeedEval", "MenüTests", M::Eintrag},
    {"MenüTestsSpeedMovegen", "MenüTests", M::Eintrag},
    {"MenüTestsFENFigurenfeldstatistik", "MenüTests", M::Eintrag},
    {"MenüTestsLKGeschwindigkeit", "MenüTests", M::Eintrag},
    {"MenüTestsZLGeschwindigkeit", "MenüTests", M::Eintrag},
    {"MenüTestsZugzwangAlle", "MenüTests", M::Eintrag},
    {"MenüTestsFunktionEGTB", "MenüTests", M::Eintrag},
    {"MenüTestsZuggenEGTB", "MenüTests", M::Eintrag},
    {"MenüTestsEGTBSpezDBGenerFenster", "MenüTests", M::Eintrag},
    {"MenüTestsMD5Kollektor", "MenüTests", M::Eintrag},
    {"MenüTestsMD5Dateisumme", "MenüTests", M::Eintrag},
    {"MenüTestsRFEP", "MenüTests", M::Eintrag},
    {"MenüTestsPGNStatistik", "MenüTests", M::Eintrag},
    {"MenüTestsEGTBMultiMetrik1", "MenüTests", M::Eintrag},
    {"MenüTestsEGTBMultiMetrik2", "MenüTests", M::Eintrag},
    {"MenüTestsTBSGen", "MenüTests", M::Eintrag},
    {"MenüTestsRFEPMatrixDepths", "MenüTests", M::Eintrag},
    {"MenüTestsEGTBProbeReport", "MenüTests", M::Eintrag},

    {"MenüAnsicht", nullptr, M::Leiste},
    {"MenüAnsichtSchachbrett", "MenüAnsicht", M::Haken},
    {"MenüAnsichtPartieNotation", "MenüAnsicht", M::Haken},
    {"MenüAnsichtEngineOutput", "MenüAnsicht", M::Haken},

    {"MenüExtras", nullptr, M::Leiste},
    {"MenüExtrasSprache", "MenüExtras", M::Untermenue},
    {"MenüExtrasSpracheDt", "MenüExtrasSprache", M::Haken},
    {"MenüExtrasSpracheEn", "MenüExtrasSprache", M::Haken},
    {"MenüExtrasSpracheFr", "MenüExtrasSprache", M::Haken},
    {"MenüExtrasEGTBSpezialdatenbank", "MenüExtras", M::Eintrag},
    {"MenüExtrasEGTBVerwaltung", "MenüExtras", M::Eintrag},
    {"MenüExtrasEinstellungen", "MenüExtras", M::Eintrag},

    {"MenüHilfe", nullptr, M::Leiste},
    {"MenüHilfeInfo", "MenüHilfe", M::Eintrag},

    {"MenüPopUpSuchmasken", nullptr, M::Popup},
    {"MenüPopUpSuchmaskenZurücksetzen", "MenüPopUpSuchmasken", M::Eintrag},
    {"MenüPopUpSuchmaskenLetzte", "MenüPopUpSuchmasken", M::Eintrag},
    {"MenüPopUpSuchmaskenVorletzte", "MenüPopUpSuchmasken", M::Eintrag},

    {"MenüPopUpErgebnisverwaltung", nullptr, M::Popup},
    {"MenüPopUpErgebnisverwaltungSpeichern", "MenüPopUpErgebnisverwaltung", M::Eintrag},
    {"MenüPopUpErgebnisverwaltungLaden", "MenüPopUpErgebnisverwaltung", M::Eintrag},

    {"MenüPopUpDatenbankDarstellung", nullptr, M::Popup},
    {"MenüPopUpDatenbankDarstellungZugfolgeHinzu", "MenüPopUpDatenbankDarstellung", M::Eintrag},
    {"MenüPopUpDatenbankDarstellungLeer", "MenüPopUpDatenbankDarstellung", M::Trenner},
    {"MenüPopUpDatenbankDarstellungMetrikOptimal", "MenüPopUpDatenbankDarstellung", M::Haken},
    {"MenüPopUpDatenbankDarstellungEinzigeZüge", "MenüPopUpDatenbankDarstellung", M::Haken},

    {"MenüPopUpNotation", nullptr, M::Popup},
    {"MenüPopUpNotationZugAufwerten", "MenüPopUpNotation", M::Eintrag},
    {"MenüPopUpNotationBewertung", "MenüPopUpNotation", M::Untermenue},
    {"MenüPopUpNotationNAG(0)", "MenüPopUpNotationBewertung", M::Eintrag},
    {"MenüPopUpNotationNAG(1)", "MenüPopUpNotationBewertung", M::Eintrag},
    {"MenüPopUpNotationNAG(2)", "MenüPopUpNotationBewertung", M::Eintrag},
    {"MenüPopUpNotationNAG(3)", "MenüPopUpNotationBewertung", M::Eintrag},
    {"MenüPopUpNotationNAG(4)", "MenüPopUpNotationBewertung", M::Eintrag},
    {"MenüPopUpNotationNAG(5)", "MenüPopUpNotationBewertung", M::Eintrag},
    {"MenüPopUpNotationNAG(6)", "MenüPopUpNotationBewertung", M::Eintrag},
    {"MenüPopUpNotationNAG(8)", "MenüPopUpNotationBewertung", M::Eintrag},
    {"MenüPopUpNotationKommentar", "MenüPopUpNotation", M::Eintrag},
    {"MenüPopUpNotationLeer", "MenüPopUpNotation", M::Trenner},
    {"MenüPopUpNotationLöschen", "MenüPopUpNotation", M::Eintrag},
};
// clang-format on

// What opening a menu or choosing an entry does.
struct MenueAktion {
  const char* name;
  void (Oberflaeche::*handler)();
};

const MenueAktion kMenueOeffnen[] = {
    {"MenüAnsicht", &Oberflaeche::MenueAnsicht_Click},
    {"MenüExtras", &Oberflaeche::MenueExtras_Click},
    {"MenüExtrasSprache", &Oberflaeche::MenueExtrasSprache_Click},
};

const MenueAktion kMenueWahl[] = {
    {"MenüPartieNeu", &Oberflaeche::MenuePartieNeu_Click},
    {"MenüPartieÖffnenPGN", &Oberflaeche::MenuePartieOeffnenPGN_Click},
    {"MenüPartieSpeichernPGN", &Oberflaeche::MenuePartieSpeichernPGN_Click},
    {"MenüPartiePositionSpeichernEPD", &Oberflaeche::MenuePartiePositionSpeichernEPD_Click},
    {"MenüPartieProgrammBeenden", &Oberflaeche::MenuePartieProgrammBeenden_Click},
    {"MenüAnsichtSchachbrett", &Oberflaeche::MenueAnsichtSchachbrett_Click},
    {"MenüAnsichtPartieNotation", &Oberflaeche::MenueAnsichtPartieNotation_Click},
    {"MenüAnsichtEngineOutput", &Oberflaeche::MenueAnsichtEngineOutput_Click},
    {"MenüExtrasSpracheDt", &Oberflaeche::MenueExtrasSpracheDt_Click},
    {"MenüExtrasSpracheEn", &Oberflaeche::MenueExtrasSpracheEn_Click},
    {"MenüExtrasEGTBVerwaltung", &Oberflaeche::MenueExtrasEGTBVerwaltung_Click},
    {"MenüExtrasEinstellungen", &Oberflaeche::MenueExtrasEinstellungen_Click},
    {"MenüHilfeInfo", &Oberflaeche::MenueHilfeInfo_Click},
};

// ------------------------------------------------------------- controls

enum class S {
  Rahmen,   // a panel
  Gruppe,   // a panel with a caption
  Etikett,  // label
  Knopf,    // command button
  Haken,    // check box
  Option,   // option button
  Zeile,    // one-line text box
  Text,     // multi-line text box
  Liste,    // list box
  Auswahl,  // combo box
  Bild,     // picture control
  Form,     // a plain shape
};

// A control, or an array of them: element i (counting from `erster`) lies
// i steps of (dx, dy) from the first. Places count from the panel's corner.
struct Platz {
  const char* name;
  const char* panel;  // nullptr: the window itself
  S art;
  double links, oben, breite, hoehe;
  bool sichtbar = true;
  int anzahl = 0;  // 0: a single control
  int erster = 0;
  double dx = 0, dy = 0;
};

// The side panels share the place right of the board; the engine panel runs
// under the board across the window.
// clang-format off
const Platz kPlaetze[] = {
    {"FrameBrett", nullptr, S::Rahmen, 120, 0, 6975, 6975},
    {"FrameNotation", nullptr, S::Rahmen, 7200, 0, 3255, 6975},
    {"FrameEngine", nullptr, S::Rahmen, 120, 7080, 11175, 2055},
    {"FramePGN", nullptr, S::Rahmen, 7200, 0, 3255, 6975, false},
    {"FrameStellung", nullptr, S::Rahmen, 7200, 0, 3255, 6975, false},
    {"FrameZeichnen", nullptr, S::Rahmen, 7200, 0, 3255, 6975, false},
    {"FrameTBAnalyse", nullptr, S::Rahmen, 7200, 0, 4095, 6975, false},
    {"FrameSpezDB", nullptr, S::Rahmen, 7200, 0, 4095, 6975, false},

    // Board: the picture, file letters under it and rank numbers beside it
    // (element 0 is the bottom rank), the side-to-move markers at its top
    // and bottom corner, the buttons between them.
    {"BrettBild", "FrameBrett", S::Bild, 360, 120, 5930, 5930},
    {"FeldDescH", "FrameBrett", S::Etikett, 120, 5290, 240, 735, true, 8, 0, 0, -735},
    {"FeldDescV", "FrameBrett", S::Etikett, 385, 6050, 735, 240, true, 8, 0, 735, 0},
    {"ShapeAmZugSchwarz", "FrameBrett", S::Form, 6420, 120, 360, 360},
    {"ShapeAmZugWeiss", "FrameBrett", S::Form, 6420, 5640, 360, 360},
    {"ButtonBrettZurück", "FrameBrett", S::Knopf, 6360, 1020, 480, 480},
    {"ButtonBrettVorwärts", "FrameBrett", S::Knopf, 6360, 1620, 480, 480},
    {"ButtonBrettBerechnen", "FrameBrett", S::Knopf, 6360, 2220, 480, 480},
    {"ButtonBrettDrehen", "FrameBrett", S::Knopf, 6360, 2820, 480, 480},
    {"ButtonBrettEditieren", "FrameBrett", S::Knopf, 6360, 3420, 480, 480},
    {"ButtonBrettTB", "FrameBrett", S::Knopf, 6360, 4020, 480, 480},
    {"ButtonBrettZeichnen", "FrameBrett", S::Knopf, 6360, 4620, 480, 480},
    {"BrettFEN", "FrameBrett", S::Zeile, 360, 6330, 5930, 330},
    {"BrettText", "FrameBrett", S::Etikett, 360, 6690, 3600, 270},
    {"Check1", "FrameBrett", S::Haken, 4080, 6690, 2210, 270},

    {"ObfLabelZugeingabe", "FrameNotation", S::Etikett, 120, 120, 1800, 255},
    {"TextZugEingabe", "FrameNotation", S::Zeile, 120, 390, 2280, 330},
    {"ButtonZugEingabe", "FrameNotation", S::Knopf, 2520, 390, 615, 330},
    {"ObfLabelPartieNotation", "FrameNotation", S::Etikett, 120, 900, 1800, 255},
    {"ObfLabelMenü", "FrameNotation", S::Etikett, 1920, 900, 1215, 255},
    {"TextNotation", "FrameNotation", S::Text, 120, 1200, 3015, 5655},

    {"ObfLabelEngine", "FrameEngine", S::Etikett, 120, 60, 3600, 255},
    {"ButtonDatenbankOptionen", "FrameEngine", S::Knopf, 3840, 15, 1200, 330, false},
    {"ButtonDatenbankPGN", "FrameEngine", S::Knopf, 5160, 15, 1200, 330, false},
    {"TextEngine", "FrameEngine", S::Text, 120, 360, 10935, 1575},

    {"ObfLabelPGNDatei", "FramePGN", S::Etikett, 120, 120, 3015, 240},
    {"ListPGNDatei", "FramePGN", S::Liste, 120, 360, 3015, 4860},
    {"ObfLabelPGNPartieDaten", "FramePGN", S::Etikett, 120, 5280, 3015, 975},
    {"ButtonPGNPartieÖffnen", "FramePGN", S::Knopf, 120, 6360, 1695, 495},
    {"ButtonPGNPartieZurück", "FramePGN", S::Knopf, 2040, 6360, 1095, 495},

    {"ObfLabelStellungseingabe", "FrameStellung", S::Etikett, 120, 120, 3015, 255},
    {"ObfLabelWeiss", "FrameStellung", S::Etikett, 120, 480, 3015, 255},
    {"FigurFeld", "FrameStellung", S::Bild, 120, 750, 480, 480, true, 6, 0, 495, 0},
    {"ObfLabelSchwarz", "FrameStellung", S::Etikett, 120, 1320, 3015, 255},
    {"FigurFeld", "FrameStellung", S::Bild, 120, 1590, 480, 480, true, 6, 6, 495, 0},
    {"Frame1", "FrameStellung", S::Gruppe, 120, 2220, 3015, 780},
    {"StellRadioWeiss", "Frame1", S::Option, 120, 330, 1350, 300},
    {"StellRadioSchwarz", "Frame1", S::Option, 1560, 330, 1350, 300},
    {"Frame2", "FrameStellung", S::Gruppe, 120, 3120, 3015, 1080},
    {"StellCheckRochWL", "Frame2", S::Haken, 120, 330, 1350, 300},
    {"StellCheckRochWR", "Frame2", S::Haken, 1560, 330, 1350, 300},
    {"StellCheckRochSL", "Frame2", S::Haken, 120, 690, 1350, 300},
    {"StellCheckRochSR", "Frame2", S::Haken, 1560, 690, 1350, 300},
    {"ObfLabelEPFeld", "FrameStellung", S::Etikett, 120, 4350, 1800, 255},
    {"StellTextEP", "FrameStellung", S::Zeile, 2040, 4320, 1095, 315},
    {"ObfLabel50ZR", "FrameStellung", S::Etikett, 120, 4740, 1800, 255},
    {"StellText50", "FrameStellung", S::Zeile, 2040, 4710, 1095, 315},
    {"ObfLabelZugNr", "FrameStellung", S::Etikett, 120, 5130, 1800, 255},
    {"StellTextZugNr", "FrameStellung", S::Zeile, 2040, 5100, 1095, 315},
    {"ButtonStellOk", "FrameStellung", S::Knopf, 120, 5640, 1440, 375},
    {"ButtonStellAbbrechen", "FrameStellung", S::Knopf, 1695, 5640, 1440, 375},
    {"ButtonStellLeer", "FrameStellung", S::Knopf, 120, 6120, 1440, 375},
    {"ButtonStellVerlauf", "FrameStellung", S::Knopf, 1695, 6120, 1440, 375},

    {"PaintComboSchriftart", "FrameZeichnen", S::Auswahl, 120, 120, 3015, 315},
};
// clang-format on

QWidget* neu(S art, QWidget* panel) {
  switch (art) {
    case S::Rahmen:
      return new QFrame(panel);
    case S::Gruppe:
      return new QGroupBox(panel);
    case S::Etikett:
      return new QLabel(panel);
    case S::Knopf:
      return new QPushButton(panel);
    case S::Haken:
      return new QCheckBox(panel);
    case S::Option:
      return new QRadioButton(panel);
    case S::Zeile:
      return new QLineEdit(panel);
    case S::Text: {
      auto* t = new TextBox(panel);
      t->setReadOnly(true);
      return t;
    }
    case S::Liste:
      return new QListWidget(panel);
    case S::Auswahl:
      return new QComboBox(panel);
    case S::Bild:
      return new PictureBox(panel);
    case S::Form: {
      auto* f = new QFrame(panel);
      f->setFrameShape(QFrame::Box);
      f->setAutoFillBackground(true);
      return f;
    }
  }
  return nullptr;
}

}  // namespace

void Oberflaeche::aufbauen() {
  setCentralWidget(new QWidget(this));
  centralWidget()->installEventFilter(this);
  menuesAufbauen();
  steuerelementeAufbauen();
  tastaturVerbinden();
  notationVerbinden();
  // Texts the window shows in both languages.
  Beschriften(*this, Sprache::TabelleOberflaecheEntwurf(), QStringLiteral("Dt"));
  feldbeschriftungenSetzen();
  bilder = figurenbilder::Hauptliste();

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(250);
  connect(timer1_, &QTimer::timeout, this, &Oberflaeche::Timer1_Timer);
}

void Oberflaeche::menuesAufbauen() {
  QHash<QString, QMenu*> menues;
  for (const MenueZeile& z : kMenues) {
    const QString name = QString::fromUtf8(z.name);
    QMenu* oben = z.oben ? menues.value(QString::fromUtf8(z.oben)) : nullptr;
    QObject* neu = nullptr;
    switch (z.art) {
      case M::Leiste:
        neu = menues[name] = menuBar()->addMenu(QString());
        break;
      case M::Popup:
        neu = menues[name] = new QMenu(this);
        break;
      case M::Untermenue:
        neu = menues[name] = oben->addMenu(QString());
        break;
      case M::Eintrag:
      case M::Haken: {
        QAction* a = oben->addAction(QString());
        a->setCheckable(z.art == M::Haken);
        neu = a;
        break;
      }
      case M::Trenner:
        neu = oben->addSeparator();
        break;
    }
    neu->setObjectName(name);
  }
  for (const MenueAktion& m : kMenueOeffnen) {
    connect(menues.value(QString::fromUtf8(m.name)), &QMenu::aboutToShow, this, m.handler);
  }
  for (const MenueAktion& m : kMenueWahl) {
    connect(findChild<QAction*>(QString::fromUtf8(m.name)), &QAction::triggered, this, m.handler);
  }
  menueAnsichtSchachbrett_ = teil<QAction>("MenüAnsichtSchachbrett");
  menueAnsichtPartieNotation_ = teil<QAction>("MenüAnsichtPartieNotation");
  menueAnsichtEngineOutput_ = teil<QAction>("MenüAnsichtEngineOutput");
  menueExtrasSpracheDt_ = teil<QAction>("MenüExtrasSpracheDt");
  menueExtrasSpracheEn_ = teil<QAction>("MenüExtrasSpracheEn");
  menueExtrasSpracheFr_ = teil<QAction>("MenüExtrasSpracheFr");
  // There is no French table: the entry keeps its place but is never shown.
  menueExtrasSpracheFr_->setVisible(false);
}

void Oberflaeche::steuerelementeAufbauen() {
  QHash<QString, QWidget*> panels;
  for (const Platz& p : kPlaetze) {
    QWidget* panel = p.panel ? panels.value(QString::fromUtf8(p.panel)) : centralWidget();
    const QString name = QString::fromUtf8(p.name);
    const int n = p.anzahl > 0 ? p.anzahl : 1;
    for (int i = 0; i < n; ++i) {
      QWidget* w = neu(p.art, panel);
      w->setObjectName(p.anzahl > 0 ? QStringLiteral("%1(%2)").arg(name).arg(p.erster + i) : name);
      setzen(w, p.links + i * p.dx, p.oben + i * p.dy, p.breite, p.hoehe);
      w->setVisible(p.sichtbar);
      if (p.art == S::Rahmen || p.art == S::Gruppe) panels.insert(name, w);
    }
  }

  frameBrett_ = teil<QFrame>("FrameBrett");
  frameNotation_ = teil<QFrame>("FrameNotation");
  frameEngine_ = teil<QFrame>("FrameEngine");
  framePGN_ = teil<QFrame>("FramePGN");
  brettBild_ = teil<PictureBox>("BrettBild");
  textNotation_ = teil<TextBox>("TextNotation");
  textEngine_ = teil<TextBox>("TextEngine");
  listPGNDatei_ = teil<QWidget>("ListPGNDatei");
  labelPGNPartieDaten_ = teil<QLabel>("ObfLabelPGNPartieDaten");
  brettFEN_ = teil<QLineEdit>("BrettFEN");
  brettText_ = teil<QLabel>("BrettText");
  check1_ = teil<QCheckBox>("Check1");
  shapeAmZugWeiss_ = teil<QWidget>("ShapeAmZugWeiss");
  shapeAmZugSchwarz_ = teil<QWidget>("ShapeAmZugSchwarz");
  buttonBrettTB_ = teil<QPushButton>("ButtonBrettTB");
  buttonBrettBerechnen_ = teil<QPushButton>("ButtonBrettBerechnen");
  for (int i = 0; i < 8; ++i) {
    feldDescV_[i] = teil<QLabel>(QStringLiteral("FeldDescV(%1)").arg(i));
    feldDescH_[i] = teil<QLabel>(QStringLiteral("FeldDescH(%1)").arg(i));
    feldDescV_[i]->setAlignment(Qt::AlignCenter);
    feldDescH_[i]->setAlignment(Qt::AlignCenter);
  }
  for (int i = 0; i < 12; ++i)
    figurFeld_[i] = teil<PictureBox>(QStringLiteral("FigurFeld(%1)").arg(i));
  stellRadioWeiss_ = teil<QRadioButton>("StellRadioWeiss");
  stellRadioSchwarz_ = teil<QRadioButton>("StellRadioSchwarz");
  stellCheckRochade_ = {teil<QCheckBox>("StellCheckRochWL"), teil<QCheckBox>("StellCheckRochWR"),
                        teil<QCheckBox>("StellCheckRochSL"), teil<QCheckBox>("StellCheckRochSR")};
  stellTextEP_ = teil<QLineEdit>("StellTextEP");
  stellText50_ = teil<QLineEdit>("StellText50");
  stellTextZugNr_ = teil<QLineEdit>("StellTextZugNr");
  paintComboSchriftart_ = teil<QComboBox>("PaintComboSchriftart");

  // The board's black ground shows around the squares; the markers are a
  // white and a black stone.
  brettBild_->setBackColor(0);
  for (auto [marker, farbe] :
       {std::pair{shapeAmZugWeiss_, Qt::white}, {shapeAmZugSchwarz_, Qt::black}}) {
    QPalette p = marker->palette();
    p.setColor(QPalette::Window, farbe);
    p.setColor(QPalette::WindowText, Qt::darkGray);
    marker->setPalette(p);
  }
  textNotation_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  textNotation_->setUmbruchNurAnLeerraum(true);
  textEngine_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The search lines and statistics are columns of figures.
  textEngine_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  labelPGNPartieDaten_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labelPGNPartieDaten_->setWordWrap(true);
  brettText_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  connect(teil<QPushButton>("ButtonBrettDrehen"), &QPushButton::clicked, this,
          &Oberflaeche::ButtonBrettDrehen_Click);
  connect(buttonBrettTB_, &QPushButton::clicked, this, &Oberflaeche::ButtonBrettTB_Click);
  connect(check1_, &QCheckBox::clicked, this, &Oberflaeche::Check1_Click);
  // The PGN browser: a line chosen shows its game, Enter on the open button
  // loads it.
  connect(teil<QListWidget>("ListPGNDatei"), &QListWidget::currentRowChanged, this,
          &Oberflaeche::ListPGNDatei_Click);
  auto* pgnOeffnen = teil<QPushButton>("ButtonPGNPartieÖffnen");
  pgnOeffnen->setAutoDefault(true);
  connect(pgnOeffnen, &QPushButton::clicked, this, &Oberflaeche::ButtonPGNPartieOeffnen_Click);
  connect(teil<QPushButton>("ButtonPGNPartieZurück"), &QPushButton::clicked, this,
          &Oberflaeche::ButtonPGNPartieZurueck_Click);
  connect(buttonBrettBerechnen_, &QPushButton::clicked, this,
          &Oberflaeche::ButtonBrettBerechnen_Click);
  connect(brettBild_, &PictureBox::mouseDown, this, &Oberflaeche::BrettBild_MouseDown);
  connect(brettBild_, &PictureBox::mouseUp, this, &Oberflaeche::BrettBild_MouseUp);
}

bool Oberflaeche::setzen(QWidget* w, double links, double oben, double breite, double hoehe) {
  if (breite < 0 || hoehe < 0) return false;
  w->setProperty("lage", QRectF(links, oben, breite, hoehe));
  w->setGeometry(twips::rechteck(links, oben, breite, hoehe));
  return true;
}

bool Oberflaeche::setzeBreite(QWidget* w, double breite) {
  const QRectF r = lage(w);
  return setzen(w, r.left(), r.top(), breite, r.height());
}

bool Oberflaeche::setzeHoehe(QWidget* w, double hoehe) {
  const QRectF r = lage(w);
  return setzen(w, r.left(), r.top(), r.width(), hoehe);
}

QRectF Oberflaeche::lage(const QWidget* steuerelement) const {
  return steuerelement->property("lage").toRectF();
}

}  // namespace galdrik
