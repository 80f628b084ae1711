// The main window's frame against the stand-in engine: its state after
// load, the start in tablebase mode, the layout at the design size and at
// its limits, the view menu, the unload with every job stopped, the about
// box, every caption row in both languages and the switch at run time; and
// screenshots of the window against the real library.
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "captions/beschriftung.h"
#include "fakeui.h"
#include "fensterstart.h"
#include "guitest.h"
#include "shell/controls/twips.h"
#include "shell/sprache.h"

using namespace galdrik;

namespace {

const char* const kStartFEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1";
const char* const kStandardFEN = "4k3/8/8/8/8/8/8/3QK3 w - - 0 1";

// The window's client area as the user drags it, in pixels.
bool groesse(Oberflaeche* o, int breite, int hoehe) {
  o->resize(breite, hoehe + o->menuBar()->height());
  return QTest::qWaitFor([&] { return o->centralWidget()->size() == QSize(breite, hoehe); });
}

// What a control shows for a caption row's property.
QString gezeigt(QObject* o, Eigenschaft e, bool fenster) {
  if (e == Eigenschaft::ToolTipText) {
    if (auto* a = qobject_cast<QAction*>(o)) return a->toolTip();
    return static_cast<QWidget*>(o)->toolTip();
  }
  if (fenster) return static_cast<QWidget*>(o)->windowTitle();
  if (auto* m = qobject_cast<QMenu*>(o)) return m->title();
  if (auto* a = qobject_cast<QAction*>(o)) return a->text();
  if (auto* k = qobject_cast<QAbstractButton*>(o)) return k->text();
  if (auto* l = qobject_cast<QLabel*>(o)) return l->text();
  if (auto* g = qobject_cast<QGroupBox*>(o)) return g->title();
  return QStringLiteral("<keine Beschriftung>");
}

// A tag dialog that writes its game through the engine when it closes.
class Tagdialog : public QWidget {
 public:
  Tagdialog() { setObjectName(QStringLiteral("PGNInfo")); }

 protected:
  void closeEvent(QCloseEvent* e) override {
    EngineComm::DLL_FENOutput(99);
    e->accept();
  }
};

}  // namespace

class OberflaecheTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::standinLaden(GALDRIK_STANDIN_PATH); }
  void cleanup() { test::beenden(); }

  // After load: a new game in the engine, its position copied, every mode
  // and job off, the painting values from the store, the developer's
  // entries hidden, the font list filled and the timer running.
  void ladezustand() {
    test::RecordingUi ui;
    test::Standin_Antwort("DLL_ZugAnz", 31);
    Oberflaeche* o = test::starten({{"Paint/Opt_PaintFontName", "DejaVu Serif"},
                                    {"Paint/Opt_PaintFontSize", "14"},
                                    {"Paint/Opt_PaintFontBold", "0"},
                                    {"Paint/Opt_PaintFontDir", "2"},
                                    {"Paint/Opt_PaintSchraffur", "3"}});
    QVERIFY(o);
    QVERIFY(ui.boxen.isEmpty());
    QCOMPARE(test::fensterAufrufe().mid(0, 4),
             (QStringList{"DLL_PartieBeginn()", "DLL_StellungGet()", "DLL_ZugAnz()",
                          "DLL_Leerstellung()"}));

    const GUIStellung start = o->tStellungKopie;
    QCOMPARE((QList<int>{start[0], start[4], start[12], start[60], start[63]}),
             (QList<int>{4, 6, 1, -6, -4}));
    QCOMPARE(start[EngineComm::GS::AmZug], 1);
    QCOMPARE(std::count(o->tLeerstellung.begin(), o->tLeerstellung.begin() + 64, 0), 64);
    QCOMPARE(o->iZugAnzahl, 31);

    const QList<std::pair<const char*, Boolean>> flags = {
        {"bEditModus", o->bEditModus},
        {"bTBModus", o->bTBModus},
        {"bPGNModus", o->bPGNModus},
        {"bZeichenModus", o->bZeichenModus},
        {"bTBAnaLaeuft", o->bTBAnaLaeuft},
        {"bVernetzungLaeuft", o->bVernetzungLaeuft},
        {"bSucheLaeuft", o->bSucheLaeuft},
        {"bTBZugfolgeLaeuft", o->bTBZugfolgeLaeuft},
        {"bTBZugfolgePGN", o->bTBZugfolgePGN},
        {"bErsterKlick", AlsBoolean(!o->bErsterKlick)},
        {"bZugParitaet", AlsBoolean(!o->bZugParitaet)}};
    for (const auto& [name, wert] : flags) QVERIFY2(wert == Falsch, name);
    QCOMPARE(o->sngStatFensterX, -1.0f);
    QCOMPARE(o->sngStatFensterY, -1.0f);
    QCOMPARE(o->sPaintSchriftart, QStringLiteral("DejaVu Serif"));
    QCOMPARE(o->sPaintSchriftgroesse, QStringLiteral("14"));
    QCOMPARE(o->bPaintFett, Falsch);
    QCOMPARE(o->iPaintTextRichtung, 2);
    QCOMPARE(o->iPaintSchraffur, int16_t{3});
    QCOMPARE(o->lPaintFarbe, 0xFF);
    QVERIFY(o->sPaintText.isEmpty());
    // White at the bottom, as the coordinates say.
    QCOMPARE(o->bWeissUnten, Wahr);
    QCOMPARE(o->findChild<QLabel*>("FeldDescV(0)")->text(), QStringLiteral("a"));
    QCOMPARE(o->findChild<QLabel*>("FeldDescH(0)")->text(), QStringLiteral("1"));
    // The tablebase board is empty, with the whole distance range.
    QCOMPARE(o->tTBAnaSuchmaske[TBMaske::Gewaehlt], -1);
    QCOMPARE(o->tTBAnaSuchmaske[TBMaske::DistanzMax], 32766);
    QCOMPARE(o->iTBAnaKriterium, 10);
    for (int i = 0; i < 6; ++i) QCOMPARE(o->tTBAnaSuchmaske[TBMaske::ZugDetail + i], -1);

    const QStringList versteckt = {"MenüTestsNotationInZwischenablage",
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
                                   "MenüExtrasSpracheFr"};
    int eintraege = 0;
    for (QAction* a : o->findChildren<QAction*>()) {
      if (a->objectName().isEmpty() || a->isSeparator() || a->menu()) continue;
      ++eintraege;
      QVERIFY2(a->isVisible() != versteckt.contains(a->objectName()), qPrintable(a->objectName()));
      if (a->isVisible()) QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    }
    QCOMPARE(eintraege, 55);
    for (const char* name : {"MenüPartie", "MenüTests", "MenüAnsicht", "MenüExtras", "MenüHilfe"})
      QVERIFY(o->findChild<QMenu*>(name)->menuAction()->isVisible());
    QVERIFY(test::sichtbar(o, "ButtonBrettTB"));

    auto* schriften = o->findChild<QComboBox*>("PaintComboSchriftart");
    QCOMPARE(schriften->count(), QFontDatabase::families().size());
    QCOMPARE(schriften->itemText(0), QFontDatabase::families().value(0));
    auto* timer = o->findChild<QTimer*>("Timer1");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 250);
  }

  // The stored switch of the special-database generation is read, but no
  // value of it shows the entry.
  void spezDBGenerierungBleibtVersteckt_data() {
    QTest::addColumn<QString>("wert");
    for (const char* w : {"0", "1", "-1", "ja"}) QTest::newRow(w) << QString::fromLatin1(w);
  }
  void spezDBGenerierungBleibtVersteckt() {
    QFETCH(QString, wert);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten({{"Optionen/OptSpezDBGen", wert}});
    QVERIFY(o);
    QVERIFY(!o->findChild<QAction*>("MenüTestsEGTBSpezDBGenerFenster")->isVisible());
    QCOMPARE(test::gespeichert("Optionen/OptSpezDBGen"), wert);
  }

  // Starting in tablebase mode: the stored position if the engine takes it
  // and it has 3 to 6 men, else the default; the game record starts at its
  // half-move. A text longer than the engine takes never reaches it.
  void startImTablebaseModus_data() {
    QTest::addColumn<QString>("fen");
    QTest::addColumn<QList<int>>("antworten");
    QTest::addColumn<QStringList>("eingaben");
    QTest::addColumn<QString>("fix");
    const QString standard = kStandardFEN;
    const QString schwarz40 = "8/8/4k3/8/8/3QK3/8/8 b - - 0 40";
    QTest::newRow("gespeicherte Stellung")
        << schwarz40 << QList<int>{80} << QStringList{schwarz40} << "DLL_PositionFix(80)";
    QTest::newRow("abgelehnt") << "kein FEN" << QList<int>{-1, 1}
                               << QStringList{"kein FEN", standard} << "DLL_PositionFix(1)";
    QTest::newRow("leer") << "" << QList<int>{-1, 1} << QStringList{"", standard}
                          << "DLL_PositionFix(1)";
    QTest::newRow("zwei Steine") << "4k3/8/8/8/8/8/8/4K3 w - - 0 7" << QList<int>{13, 1}
                                 << QStringList{"4k3/8/8/8/8/8/8/4K3 w - - 0 7", standard}
                                 << "DLL_PositionFix(1)";
    QTest::newRow("sieben Steine")
        << "4k3/8/8/8/8/8/PPPPP3/4K3 w - - 0 1" << QList<int>{1, 1}
        << QStringList{"4k3/8/8/8/8/8/PPPPP3/4K3 w - - 0 1", standard} << "DLL_PositionFix(1)";
    QTest::newRow("zu lang") << schwarz40 + QString(250, ' ') << QList<int>{1}
                             << QStringList{standard} << "DLL_PositionFix(1)";
  }
  void startImTablebaseModus() {
    QFETCH(QString, fen);
    QFETCH(QList<int>, antworten);
    QFETCH(QStringList, eingaben);
    QFETCH(QString, fix);
    test::RecordingUi ui;
    for (int a : antworten) test::Standin_Antwort("DLL_FENInput", a);
    Oberflaeche* o =
        test::starten({{"EGTB/OptEGTBStartAuto", "True"}, {"EGTB/OptEGTBStartFEN", fen}});
    QVERIFY(o);
    QVERIFY(ui.boxen.isEmpty());
    QStringList gesetzt;
    for (const QString& a : test::aufrufeVon("DLL_FENInput")) gesetzt << a.section('"', 1, 1);
    QCOMPARE(gesetzt, eingaben);
    QCOMPARE(test::aufrufeVon("DLL_PositionFix"), QStringList{fix});
    QCOMPARE(o->bTBModus, Wahr);
    int16_t steine = 0;
    o->FigurSumme(steine);
    QVERIFY(steine >= 3 && steine <= 6);
    QCOMPARE(o->findChild<QLabel*>("ObfLabelEngine")->text(), QStringLiteral("Datenbank-Ausgabe:"));
  }

  // Neither the stored nor the default position: the load fails, the
  // engine is released and the program ends.
  void ladefehler() {
    test::RecordingUi ui;
    test::Standin_Antwort("DLL_FENInput", -1);
    QVERIFY(!test::starten({{"EGTB/OptEGTBStartAuto", "True"}}));
    QCOMPARE(ui.boxen.size(), 1);
    QCOMPARE(ui.boxen[0].text, QStringLiteral("Fehler beim Laden des Programms!"));
    QCOMPARE(ui.boxen[0].stil, MsgStil::Critical);
    QCOMPARE(ui.boxen[0].titel, QStringLiteral("Galdrik - Fehler"));
    QCOMPARE(test::fensterAufrufe().last(), QStringLiteral("DLL_EngineKill()"));
    QVERIFY(!Oberflaeche::instanz());
  }

  // At the design size the layout gives the design places; where the
  // design table and the layout rules disagree, the rules hold (the right
  // panels reach to the window's edge, the engine panel to its bottom).
  void entwurfsgroesse_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("lage");
    auto zeile = [](const char* name, double l, double t, double b, double h) {
      QTest::newRow(name) << QString::fromUtf8(name) << QRectF(l, t, b, h);
    };
    zeile("FrameBrett", 120, 0, 6975, 6975);
    zeile("FrameNotation", 7200, 0, 4095, 6975);
    zeile("TextNotation", 120, 1200, 3855, 5655);
    zeile("FrameEngine", 120, 7080, 11175, 2085);
    zeile("TextEngine", 120, 360, 10935, 1605);
    zeile("FramePGN", 7200, 0, 4095, 6975);
    zeile("ListPGNDatei", 120, 360, 3855, 4860);
    zeile("FrameStellung", 7200, 0, 3255, 6975);
    zeile("FrameZeichnen", 7200, 0, 3255, 6975);
    zeile("FrameTBAnalyse", 7200, 0, 4095, 6975);
    zeile("FrameSpezDB", 7200, 0, 4095, 6975);
    zeile("BrettBild", 360, 120, 5930, 5930);
  }
  void entwurfsgroesse() {
    QFETCH(QString, name);
    QFETCH(QRectF, lage);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    QCOMPARE(o->centralWidget()->size(), QSize(761, 619));
    QVERIFY(groesse(o, 700, 500));
    QVERIFY(groesse(o, 761, 619));
    auto* w = o->findChild<QWidget*>(name);
    QVERIFY(w);
    QCOMPARE(o->lage(w), lage);
    QCOMPARE(w->geometry(), twips::rechteck(lage.x(), lage.y(), lage.width(), lage.height()));
    for (const char* panel : {"FrameBrett", "FrameNotation", "FrameEngine"})
      QVERIFY2(test::sichtbar(o, panel), panel);
    for (const char* panel :
         {"FramePGN", "FrameStellung", "FrameZeichnen", "FrameTBAnalyse", "FrameSpezDB"})
      QVERIFY2(!test::sichtbar(o, panel), panel);
  }

  // A panel needs more than 720 twips; the PGN browser and the view
  // settings keep the notation hidden at every layout.
  void layoutGrenzen_data() {
    QTest::addColumn<int>("breite");  // client area in pixels (15 twips each)
    QTest::addColumn<int>("hoehe");
    QTest::addColumn<bool>("pgnModus");
    QTest::addColumn<bool>("notationAn");
    QTest::addColumn<bool>("notation");
    QTest::addColumn<bool>("engine");
    QTest::addColumn<bool>("pgn");
    QTest::newRow("genau 720 breit") << 520 << 619 << false << true << false << true << false;
    QTest::newRow("735 breit") << 521 << 619 << false << true << true << true << true;
    QTest::newRow("genau 720 hoch") << 761 << 528 << false << true << true << false << true;
    QTest::newRow("735 hoch") << 761 << 529 << false << true << true << true << true;
    QTest::newRow("PGN-Browser offen") << 761 << 619 << true << true << false << true << true;
    QTest::newRow("Notation abgeschaltet") << 761 << 619 << false << false << false << true << true;
  }
  void layoutGrenzen() {
    QFETCH(int, breite);
    QFETCH(int, hoehe);
    QFETCH(bool, pgnModus);
    QFETCH(bool, notationAn);
    QFETCH(bool, notation);
    QFETCH(bool, engine);
    QFETCH(bool, pgn);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    o->bPGNModus = AlsBoolean(pgnModus);
    o->findChild<QWidget*>("FramePGN")->show();
    EngineGlobal::einstellungen.OptAnsichtNotat = AlsBoolean(notationAn);
    o->centralWidget()->resize(breite, hoehe);
    o->ResizeExtern();
    QCOMPARE(test::sichtbar(o, "FrameNotation"), notation);
    QCOMPARE(test::sichtbar(o, "FrameEngine"), engine);
    QCOMPARE(test::sichtbar(o, "FramePGN"), pgn);
    if (notation)
      QCOMPARE(o->lage(o->findChild<QWidget*>("FrameNotation")).width(), breite * 15.0 - 7320);
    if (engine)
      QCOMPARE(o->lage(o->findChild<QWidget*>("FrameEngine")).height(), hoehe * 15.0 - 7200);
  }

  // Minimised, or so small that a width would come out negative, the
  // layout leaves every panel as it was.
  void layoutBleibt() {
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    auto* engine = o->findChild<QWidget*>("FrameEngine");
    auto* notation = o->findChild<QWidget*>("FrameNotation");
    const QRectF vorher = o->lage(engine);
    o->setWindowState(Qt::WindowMinimized);
    EngineGlobal::einstellungen.OptAnsichtNotat = Falsch;
    o->ResizeExtern();
    QVERIFY(test::sichtbar(o, "FrameNotation"));
    o->setWindowState(Qt::WindowNoState);
    EngineGlobal::einstellungen.OptAnsichtNotat = Wahr;
    o->centralWidget()->resize(10, 619);
    QCOMPARE(o->lage(engine), vorher);
    QCOMPARE(o->lage(notation).width(), 4095.0);
  }

  // The view entries switch a panel for this run: twice gives the layout
  // back, and nothing is stored.
  void ansichtUmschalten_data() {
    QTest::addColumn<QString>("eintrag");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("schluessel");
    QTest::newRow("Brett") << "MenüAnsichtSchachbrett"
                           << "FrameBrett"
                           << "Ansicht/OptAnsichtBrett";
    QTest::newRow("Notation") << "MenüAnsichtPartieNotation"
                              << "FrameNotation"
                              << "Ansicht/OptAnsichtNotat";
    QTest::newRow("Engine") << "MenüAnsichtEngineOutput"
                            << "FrameEngine"
                            << "Ansicht/OptAnsichtEngin";
  }
  void ansichtUmschalten() {
    QFETCH(QString, eintrag);
    QFETCH(QString, panel);
    QFETCH(QString, schluessel);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    auto* menue = o->findChild<QMenu*>("MenüAnsicht");
    auto* a = o->findChild<QAction*>(eintrag);
    auto* p = o->findChild<QWidget*>(panel);
    const QRect vorher = p->geometry();
    emit menue->aboutToShow();
    QVERIFY(a->isChecked());
    a->trigger();
    QVERIFY(p->isHidden());
    emit menue->aboutToShow();
    QVERIFY(!a->isChecked());
    a->trigger();
    QVERIFY(!p->isHidden());
    QCOMPARE(p->geometry(), vorher);
    emit menue->aboutToShow();
    QVERIFY(a->isChecked());
    QCOMPARE(test::gespeichert(schluessel), QStringLiteral("<fehlt>"));
  }

  // Closing: the tag dialog writes its game first, every job is stopped and
  // waited for, the window's keys are written, and the engine goes last.
  // The start position of tablebase mode is kept only outside the setup.
  void entladen_data() {
    QTest::addColumn<bool>("tbModus");
    QTest::addColumn<bool>("editModus");
    QTest::addColumn<bool>("fenGespeichert");
    QTest::newRow("Partie") << false << false << false;
    QTest::newRow("Tablebase") << true << false << true;
    QTest::newRow("Tablebase mit Stellungseingabe") << true << true << false;
  }
  void entladen() {
    QFETCH(bool, tbModus);
    QFETCH(bool, editModus);
    QFETCH(bool, fenGespeichert);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten({{"TBStat/Opt_TBStatFigTyp", "3"}});
    o->bTBModus = AlsBoolean(tbModus);
    o->bEditModus = AlsBoolean(editModus);
    o->sPaintSchriftart = QStringLiteral("DejaVu Sans Mono");
    o->sPaintSchriftgroesse = QStringLiteral("16 pt");
    o->bPaintFett = Wahr;
    o->iPaintTextRichtung = 2;
    o->iPaintSchraffur = 4;
    auto* tag = new Tagdialog;
    tag->setAttribute(Qt::WA_DeleteOnClose);
    tag->show();
    test::Standin_Zuruecksetzen();
    for (int f : {0, 0, 1}) test::Standin_Antwort("DLL_SuchFertig", f);
    for (int s : {1, 0}) test::Standin_Antwort("DLL_TBAnaStatus", s);

    o->close();
    QStringList stopps;
    const QStringList aufrufe = test::fensterAufrufe();
    for (const QString& a : aufrufe)
      if (a.contains("Stopp") || a.contains("Termin") || a == "DLL_EngineKill()") stopps << a;
    QCOMPARE(aufrufe.first(), QStringLiteral("DLL_FENOutput(99)"));
    QCOMPARE(stopps, (QStringList{"DLL_SuchTermin()", "DLL_EPDTestStopp()", "DLL_TBAnaStopp()",
                                  "DLL_TBZugfolgeStopp()", "DLL_TBAnaSpezDB_VernetzungStopp()",
                                  "DLL_TBManagIntegerStopp()", "DLL_EngineKill()"}));
    QCOMPARE(aufrufe.last(), QStringLiteral("DLL_EngineKill()"));
    QCOMPARE(test::aufrufeVon("DLL_SuchFertig").size(), 3);
    QCOMPARE(test::aufrufeVon("DLL_TBAnaStatus").size(), 2);
    QCOMPARE(aufrufe.indexOf("DLL_TBAnaStopp()") + 1, aufrufe.indexOf("DLL_TBAnaStatus()"));

    QCOMPARE(test::gespeichert("EGTB/OptEGTBStartFEN"),
             fenGespeichert ? QString(kStartFEN) : QStringLiteral("<fehlt>"));
    QCOMPARE(test::gespeichert("TBStat/Opt_TBStatFigTyp"), QStringLiteral("3"));
    QCOMPARE(test::gespeichert("TBStat/Opt_TBStatSkala"), QStringLiteral("0"));
    QCOMPARE(test::gespeichert("Paint/Opt_PaintFontName"), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(test::gespeichert("Paint/Opt_PaintFontSize"), QStringLiteral("16"));
    QCOMPARE(test::gespeichert("Paint/Opt_PaintFontBold"), QStringLiteral("-1"));
    QCOMPARE(test::gespeichert("Paint/Opt_PaintFontDir"), QStringLiteral("2"));
    QCOMPARE(test::gespeichert("Paint/Opt_PaintSchraffur"), QStringLiteral("4"));
    QCOMPARE(test::gespeichert("Ansicht/OptAnsichtBrett"), QStringLiteral("<fehlt>"));
    QVERIFY(ui.boxen.isEmpty());
  }

  // A search that never reports its end does not keep the program from
  // ending; the engine's own teardown is left to stop it.
  void entladenMitHaengenderSuche() {
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    test::Standin_Antwort("DLL_SuchFertig", 0);
    o->close();
    QCOMPARE(test::fensterAufrufe().last(), QStringLiteral("DLL_EngineKill()"));
  }

  void ueberBox() {
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    o->findChild<QAction*>("MenüHilfeInfo")->trigger();
    QCOMPARE(ui.boxen.size(), 1);
    QCOMPARE(ui.boxen[0].stil, MsgStil::Information);
    QCOMPARE(ui.boxen[0].titel, Sprache::ProgTitel);
    QCOMPARE(ui.boxen[0].text, Sprache::TxtInfo + "1.50.0");
    QVERIFY(ui.boxen[0].text.endsWith("Versionsnummer: 1.50.0"));
  }

  // Every row of the set finds its control and takes, in both languages
  // and in either mode; each control then shows its row's text (the later
  // of two rows for one property).
  void jedeZeileBindet_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("tablebase");
    QTest::newRow("Dt") << "Dt" << false;
    QTest::newRow("En") << "En" << false;
    QTest::newRow("Dt Tablebase") << "Dt" << true;
    QTest::newRow("En Tablebase") << "En" << true;
  }
  void jedeZeileBindet() {
    QFETCH(QString, code);
    QFETCH(bool, tablebase);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    o->bTBModus = AlsBoolean(tablebase);
    code == "En" ? Sprache::SpracheEnglisch() : Sprache::SpracheDeutsch();
    const Beschriftungstabelle tabelle = Sprache::TabelleOberflaeche();
    QCOMPARE(tabelle.size(), size_t{1 + 48 + 41});
    QCOMPARE(Beschriften(*o, tabelle, code), 0);
    QCOMPARE(Beschriften(*o, Sprache::TabelleOberflaecheEntwurf(), "Dt"), 0);
    for (const Beschriftung& b : tabelle) {
      if (b.bedingung && !b.bedingung(*o)) continue;
      QString name = QString::fromUtf8(b.steuerelement ? b.steuerelement : "");
      if (b.index >= 0) name += QStringLiteral("(%1)").arg(b.index);
      QObject* ziel = b.steuerelement ? o->findChild<QObject*>(name) : o;
      QVERIFY2(ziel, qPrintable(name));
      const QString erwartet =
          b.meldung ? *b.meldung : QString::fromUtf8(code == "Dt" ? b.deutsch : b.englisch);
      const QString ist = gezeigt(ziel, b.eigenschaft, !b.steuerelement);
      if (name == "ObfLabelEngine") {
        QCOMPARE(ist, tablebase ? Sprache::TxtDatenbankAusgabe : Sprache::TxtEngineAusgabe);
        continue;
      }
      QVERIFY2(ist == erwartet, qPrintable(name + ": " + ist));
    }
  }

  // The language menu relabels the window at once: menus, tool tips, the
  // hidden setup panel (whose fields keep their values), the status line;
  // the design texts stay.
  void spracheZurLaufzeit() {
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    auto text = [o](const char* name) -> QString {
      QObject* z = o->findChild<QObject*>(QString::fromUtf8(name));
      return z ? gezeigt(z, Eigenschaft::Caption, false) : QStringLiteral("<fehlt>");
    };
    auto tipp = [o](const char* name) {
      return o->findChild<QWidget*>(QString::fromUtf8(name))->toolTip();
    };
    o->findChild<QLineEdit*>("StellText50")->setText("7");
    const QList<const char*> namen = {"MenüPartie",
                                      "MenüAnsicht",
                                      "ObfLabelMenü",
                                      "ObfLabelZugNr",
                                      "Frame1",
                                      "ButtonStellOk",
                                      "ObfLabelEngine",
                                      "BrettText",
                                      "MenüTestsZugzwangAlle",
                                      "Check1",
                                      "MenüPopUpNotationNAG(8)"};
    const QStringList deutsch = {"&Partie",
                                 "Ansicht",
                                 " Menü...",
                                 "Zugnummer:",
                                 "Zugrecht",
                                 "Ok",
                                 "Schachmotor-Ausgabe:",
                                 "20 mögliche Züge",
                                 "Alle Zugzwangstellungen",
                                 "Autoantwort",
                                 "einziger Zug"};
    const QStringList englisch = {"&Game",
                                  "&View",
                                  " Menu...",
                                  "Move number:",
                                  "Right to move",
                                  "Ok",
                                  "Chess engine output:",
                                  "20 possible moves",
                                  "Alle Zugzwangstellungen",
                                  "auto response",
                                  "Only move"};
    QStringList texte;
    for (const char* n : namen) texte << text(n);
    QCOMPARE(texte, deutsch);
    QCOMPARE(tipp("StellTextZugNr"), QStringLiteral("Zugnummer"));
    QCOMPARE(tipp("ButtonBrettDrehen"), QStringLiteral("Brett drehen"));
    QCOMPARE(o->windowTitle(), QStringLiteral("Schachprogramm Galdrik"));

    o->findChild<QAction*>("MenüExtrasSpracheEn")->trigger();
    texte.clear();
    for (const char* n : namen) texte << text(n);
    QCOMPARE(texte, englisch);
    QCOMPARE(tipp("StellTextZugNr"), QStringLiteral("move number"));
    QCOMPARE(tipp("ButtonBrettDrehen"), QStringLiteral("flip the board"));
    QCOMPARE(o->windowTitle(), QStringLiteral("Chess program Galdrik"));
    QCOMPARE(o->findChild<QLineEdit*>("StellText50")->text(), QStringLiteral("7"));
    QCOMPARE(test::gespeichert("Sprache/OptLanguage"), QStringLiteral("En"));
  }

  // The window against the real library, as the user sees it: the initial
  // position with White and with Black at the bottom, in German and in
  // English, written to the test output for a look.
  void bildschirmfotos() {
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_LIBRARY_PATH));
    if (!EngineComm::vorhanden("DLL_PartieBeginn")) QSKIP("the library has no position exports");
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    QVERIFY2(ui.boxen.isEmpty(), qPrintable(ui.boxen.value(0).text));
    QVERIFY(o->findChild<QLineEdit*>("BrettFEN")
                ->text()
                .startsWith("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w"));
    auto foto = [o](const char* name) {
      QCoreApplication::processEvents();
      const QString pfad = QStringLiteral(GALDRIK_TEST_OUTPUT "/oberflaeche-%1.png").arg(name);
      return o->grab().save(pfad);
    };
    QVERIFY(foto("de-weiss"));
    o->ButtonBrettDrehen_Click();
    QVERIFY(foto("de-schwarz"));
    o->findChild<QAction*>("MenüExtrasSpracheEn")->trigger();
    QVERIFY(foto("en-schwarz"));
    o->ButtonBrettDrehen_Click();
    QVERIFY(foto("en-weiss"));
  }
};

GALDRIK_GUI_TEST_MAIN(OberflaecheTest)
#include "oberflaeche_test.moc"
