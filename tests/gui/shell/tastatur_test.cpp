// The main window's keyboard: every shortcut in every mode, with the refusals
// while an engine job runs; moves typed in either language's letters against
// the real library; a position entered as FEN, with its roll-backs; and the
// board turned from its button.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <optional>

#include "fakeui.h"
#include "fensterstart.h"
#include "guitest.h"
#include "shell/controls/textbox.h"
#include "shell/sprache.h"

using namespace galdrik;
namespace GS = EngineComm::GS;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

// The panels' buttons and entries the shortcuts press, in the order found.
const QStringList kZiele = {"ButtonBrettZeichnen", "ButtonBrettEditieren",
                            "MenüPopUpDatenbankDarstellungZugfolgeHinzu", "ButtonTBASuche",
                            "ButtonTBASpezielles"};

}  // namespace

class TastaturTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    test::standinLaden(GALDRIK_STANDIN_PATH);
    ui_ = std::make_unique<test::RecordingUi>();
  }
  void cleanup() {
    test::beenden();
    ui_.reset();
  }

  // Each key in each mode: what it pressed or called, how often it beeped,
  // how often the board was drawn, and the analysis result shown after it.
  // Modes: Malen (painting), PGN (browser), Setup, TB (tablebase mode, 5
  // results, result 3 shown), Suche (search running), Analyse (tablebase
  // analysis running), Zugfolge (tablebase move sequence running).
  void tasten_data() {
    QTest::addColumn<int>("taste");
    QTest::addColumn<int>("mods");
    QTest::addColumn<QStringList>("modi");
    QTest::addColumn<QStringList>("ereignisse");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<int>("bilder");    // board redraws; -1 not counted
    QTest::addColumn<int>("ergebnis");  // result shown afterwards; -1 not looked at
    const int ctrl = Qt::ControlModifier, alt = Qt::AltModifier, shift = Qt::ShiftModifier;
    const QStringList keiner, tb{"TB"};
    const QString links = "DLL_ZugMinus()", rechts = "DLL_ZugPlus()";
    auto mal = [](int n, const QString& s) {
      QStringList l;
      for (int i = 0; i < n; ++i) l << s;
      return l;
    };
    auto zeile = [](const char* name) -> QTestData& { return QTest::newRow(name); };

    // Painting and its key come first of all.
    zeile("Strg+P") << +Qt::Key_P << ctrl << keiner << QStringList{"ButtonBrettZeichnen"} << 0 << -1
                    << -1;
    zeile("Strg+P beim Malen") << +Qt::Key_P << ctrl << QStringList{"Malen"}
                               << QStringList{"ButtonBrettZeichnen"} << 0 << -1 << -1;
    zeile("Strg+P im PGN-Browser") << +Qt::Key_P << ctrl << QStringList{"PGN"}
                                   << QStringList{"ButtonBrettZeichnen"} << 0 << -1 << -1;
    zeile("P ohne Strg") << +Qt::Key_P << 0 << keiner << keiner << 0 << 0 << -1;
    // Nothing else while painting or browsing a PGN file.
    zeile("Strg+E beim Malen") << +Qt::Key_E << ctrl << QStringList{"Malen"} << keiner << 0 << 0
                               << -1;
    zeile("Links im PGN-Browser") << +Qt::Key_Left << 0 << QStringList{"PGN"} << keiner << 0 << 0
                                  << -1;
    zeile("Bild ab beim Malen im TB-Modus")
        << +Qt::Key_PageDown << 0 << QStringList{"TB", "Malen"} << keiner << 0 << 0 << 3;
    // Setup and tablebase mode, refused under a running job.
    zeile("Strg+E") << +Qt::Key_E << ctrl << keiner << QStringList{"ButtonBrettEditieren"} << 0
                    << -1 << -1;
    zeile("Strg+E während der Suche")
        << +Qt::Key_E << ctrl << QStringList{"Suche"} << keiner << 1 << 0 << -1;
    zeile("Strg+T verlässt den TB-Modus")
        << +Qt::Key_T << ctrl << tb << QStringList{"TB aus"} << 0 << -1 << -1;
    zeile("Strg+T während der Analyse")
        << +Qt::Key_T << ctrl << QStringList{"TB", "Analyse"} << keiner << 1 << 0 << -1;
    zeile("Strg+T während der Zugfolge")
        << +Qt::Key_T << ctrl << QStringList{"TB", "Zugfolge"} << keiner << 1 << 0 << -1;
    zeile("Strg+T während der Suche")
        << +Qt::Key_T << ctrl << QStringList{"Suche"} << keiner << 1 << 0 << -1;
    // The arrows step through the game; ten steps are drawn once.
    zeile("Links") << +Qt::Key_Left << 0 << keiner << QStringList{links} << 0 << 1 << -1;
    zeile("Rechts") << +Qt::Key_Right << 0 << keiner << QStringList{rechts} << 0 << 1 << -1;
    zeile("Runter") << +Qt::Key_Down << 0 << keiner << mal(10, rechts) << 0 << 1 << -1;
    zeile("Hoch") << +Qt::Key_Up << 0 << keiner << mal(10, links) << 0 << 1 << -1;
    zeile("Links in der Stellungseingabe")
        << +Qt::Key_Left << 0 << QStringList{"Setup"} << keiner << 0 << 0 << -1;
    zeile("Links während der Suche")
        << +Qt::Key_Left << 0 << QStringList{"Suche"} << keiner << 1 << 0 << -1;
    zeile("Runter während der Analyse")
        << +Qt::Key_Down << 0 << QStringList{"TB", "Analyse"} << keiner << 10 << 0 << 3;
    // Paging through the analysis results, clamped to 1..5.
    zeile("Bild ab") << +Qt::Key_PageDown << 0 << tb << QStringList{"DLL_TBAnaGetPos(4)"} << 0 << -1
                     << 4;
    zeile("Bild auf") << +Qt::Key_PageUp << 0 << tb << QStringList{"DLL_TBAnaGetPos(2)"} << 0 << -1
                      << 2;
    zeile("Strg+Bild auf") << +Qt::Key_PageUp << ctrl << tb << QStringList{"DLL_TBAnaGetPos(1)"}
                           << 0 << -1 << 1;
    zeile("Alt+Bild ab") << +Qt::Key_PageDown << alt << tb << QStringList{"DLL_TBAnaGetPos(5)"} << 0
                         << -1 << 5;
    zeile("Strg+Alt+Bild auf") << +Qt::Key_PageUp << (ctrl | alt) << tb
                               << QStringList{"DLL_TBAnaGetPos(1)"} << 0 << -1 << 1;
    zeile("Umschalt+Bild ab bleibt")
        << +Qt::Key_PageDown << shift << tb << QStringList{"DLL_TBAnaGetPos(3)"} << 0 << -1 << 3;
    zeile("Bild ab während der Analyse")
        << +Qt::Key_PageDown << 0 << QStringList{"TB", "Analyse"} << keiner << 1 << 0 << 3;
    zeile("Bild ab außerhalb des TB-Modus")
        << +Qt::Key_PageDown << 0 << keiner << keiner << 0 << 0 << -1;
    zeile("Bild ab in der Stellungseingabe")
        << +Qt::Key_PageDown << 0 << QStringList{"TB", "Setup"} << keiner << 0 << 0 << 3;
    // The tablebase panel's keys.
    zeile("Strg+Z") << +Qt::Key_Z << ctrl << tb
                    << QStringList{"MenüPopUpDatenbankDarstellungZugfolgeHinzu"} << 0 << -1 << -1;
    zeile("Strg+Z während der Zugfolge")
        << +Qt::Key_Z << ctrl << QStringList{"TB", "Zugfolge"} << keiner << 1 << 0 << -1;
    zeile("F3") << +Qt::Key_F3 << 0 << tb << QStringList{"ButtonTBASuche"} << 0 << -1 << -1;
    zeile("F3 hält die laufende Analyse") << +Qt::Key_F3 << 0 << QStringList{"TB", "Analyse"}
                                          << QStringList{"ButtonTBASuche"} << 0 << -1 << -1;
    zeile("Strg+F3") << +Qt::Key_F3 << ctrl << tb << keiner << 0 << 0 << -1;
    zeile("Strg+X") << +Qt::Key_X << ctrl << tb << QStringList{"ButtonTBASpezielles"} << 0 << -1
                    << -1;
    zeile("Strg+X außerhalb des TB-Modus")
        << +Qt::Key_X << ctrl << keiner << keiner << 0 << 0 << -1;
    // The statistics window still stands in with a beep.
    zeile("Strg+S") << +Qt::Key_S << ctrl << tb << keiner << 1 << 0 << -1;
    zeile("Strg+A") << +Qt::Key_A << ctrl << tb << QStringList{"Bereich an"} << 0 << 1 << -1;
  }
  void tasten() {
    QFETCH(int, taste);
    QFETCH(int, mods);
    QFETCH(QStringList, modi);
    QFETCH(QStringList, ereignisse);
    QFETCH(int, beeps);
    QFETCH(int, bilder);
    QFETCH(int, ergebnis);
    Oberflaeche* o = starten();
    // The tablebase panel's buttons, as it will build them.
    new QPushButton(QStringLiteral("F3"), o);
    o->findChildren<QPushButton*>().last()->setObjectName("ButtonTBASuche");
    new QPushButton(QStringLiteral("X"), o);
    o->findChildren<QPushButton*>().last()->setObjectName("ButtonTBASpezielles");
    QStringList gedrueckt;
    for (const QString& name : kZiele) {
      QObject* ziel = o->findChild<QObject*>(name);
      QVERIFY2(ziel, qPrintable(name));
      if (auto* knopf = qobject_cast<QPushButton*>(ziel))
        connect(knopf, &QPushButton::clicked, o, [&gedrueckt, name] { gedrueckt << name; });
      else
        connect(qobject_cast<QAction*>(ziel), &QAction::triggered, o,
                [&gedrueckt, name] { gedrueckt << name; });
    }
    if (modi.contains("TB")) {
      o->bTBModus = Wahr;
      o->iTBResultatAnzahl = 5;
      o->iTBResultatNummer = 3;
      // Slot 0 holds a rook and is selected, its range empty.
      o->tTBAnaSuchmaske[TBMaske::Figur] = 4;
      o->tTBAnaSuchmaske[TBMaske::Gewaehlt] = 0;
    }
    o->bZeichenModus = AlsBoolean(modi.contains("Malen"));
    o->bPGNModus = AlsBoolean(modi.contains("PGN"));
    o->bEditModus = AlsBoolean(modi.contains("Setup"));
    o->bSucheLaeuft = AlsBoolean(modi.contains("Suche"));
    o->bTBAnaLaeuft = AlsBoolean(modi.contains("Analyse"));
    o->bTBZugfolgeLaeuft = AlsBoolean(modi.contains("Zugfolge"));
    test::Standin_Zuruecksetzen();

    o->setFocus();
    QTest::keyClick(o, static_cast<Qt::Key>(taste), Qt::KeyboardModifiers(mods));

    QStringList ist =
        gedrueckt + test::aufrufeVon(QStringList{"DLL_ZugMinus", "DLL_ZugPlus", "DLL_TBAnaGetPos"});
    if (modi.contains("TB") && o->bTBModus == Falsch) ist << "TB aus";
    if (o->tTBAnaSuchmaske[TBMaske::Bereich] == 1) ist << "Bereich an";
    QCOMPARE(ist, ereignisse);
    QCOMPARE(ui_->beeps, beeps);
    QVERIFY(ui_->boxen.isEmpty());
    if (bilder >= 0) QCOMPARE(test::aufrufeVon("DLL_PartieNotation").size(), bilder);
    if (ergebnis >= 0) QCOMPARE(o->iTBResultatNummer, ergebnis);
    QCOMPARE(o->bBrettNichtZeichnen, Falsch);
    // A step through the game is never answered by the engine.
    QVERIFY(test::aufrufeVon("DLL_SuchStart").isEmpty());
  }

  // Keys typed into the move field stay there.
  void tastenImZugfeld() {
    Oberflaeche* o = starten();
    auto* feld = o->findChild<QLineEdit*>("TextZugEingabe");
    feld->setFocus();
    test::Standin_Zuruecksetzen();
    QTest::keyClick(feld, Qt::Key_Left);
    QTest::keyClick(feld, Qt::Key_Down);
    QVERIFY(test::aufrufeVon(QStringList{"DLL_ZugMinus", "DLL_ZugPlus"}).isEmpty());
  }

  // The symmetry mask in a king and rook against king position: the White
  // king kept to the triangle a1-d1-d4, the others free everywhere; with a
  // pawn the king gets the files a to d.
  void symmetrieMaske_data() {
    QTest::addColumn<QList<int>>("figuren");
    QTest::addColumn<QString>("koenig");  // one character per square a1..h8
    const QString dreieck =
        "11110000"
        "01110000"
        "00110000"
        "00010000" +
        QString(32, '0');
    QString linien;
    for (int r = 0; r < 8; ++r) linien += "11110000";
    QTest::newRow("KTK") << QList<int>{6, 4, -6} << dreieck;
    QTest::newRow("KBK") << QList<int>{6, 1, -6} << linien;
    QTest::newRow("ohne weißen König") << QList<int>{-6, 4, -4} << QString();
  }
  void symmetrieMaske() {
    QFETCH(QList<int>, figuren);
    QFETCH(QString, koenig);
    Oberflaeche* o = starten();
    o->bTBModus = Wahr;
    for (int i = 0; i < figuren.size(); ++i) o->tTBAnaSuchmaske[TBMaske::Figur + i] = figuren[i];
    o->setFocus();
    QTest::keyClick(o, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    for (int slot = 0; slot < figuren.size(); ++slot) {
      QString bereich;
      for (int f = 0; f < 64; ++f)
        bereich += o->tTBAnaSuchmaske[TBMaske::Bereich + slot * 64 + f] == 1 ? '1' : '0';
      QString erwartet;
      if (figuren[slot] == 6 && !koenig.isEmpty())
        erwartet = koenig;
      else if (std::abs(figuren[slot]) == 1)
        erwartet = QString(8, '0') + QString(48, '1') + QString(8, '0');
      else
        erwartet = QString(64, '1');
      QCOMPARE(bereich, erwartet);
    }
    QCOMPARE(o->tTBAnaSuchmaske[TBMaske::Gewaehlt], koenig.isEmpty() ? 2 : 0);
    QCOMPARE(o->bBrettNichtZeichnen, Falsch);
  }

  // A move typed in the letters of the language in force is played; any
  // other text beeps; the field is emptied and keeps the focus either way.
  void zugEingabe_data() {
    QTest::addColumn<bool>("englisch");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("nach");  // -1: refused
    QTest::addColumn<int>("figur");
    QTest::newRow("deutsch lang") << false << " Sg1-f3 " << 21 << 2;
    QTest::newRow("deutsch kurz") << false << "Sf3" << 21 << 2;
    QTest::newRow("englisch kurz") << true << "Nf3" << 21 << 2;
    QTest::newRow("englisch lang") << true << "Ng1-f3" << 21 << 2;
    QTest::newRow("Bauer") << false << "e4" << 28 << 1;
    QTest::newRow("englischer Buchstabe im Deutschen") << false << "Nf3" << -1 << 0;
    QTest::newRow("deutscher Buchstabe im Englischen") << true << "Sf3" << -1 << 0;
    QTest::newRow("illegal") << false << "e2-e5" << -1 << 0;
    QTest::newRow("leer") << false << "" << -1 << 0;
  }
  void zugEingabe() {
    QFETCH(bool, englisch);
    QFETCH(QString, text);
    QFETCH(int, nach);
    QFETCH(int, figur);
    Oberflaeche* o = echtStarten();
    if (englisch) o->MenueExtrasSpracheEn_Click();
    const GUIStellung vorher = o->tStellungKopie;
    o->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(o));
    auto* feld = o->findChild<QLineEdit*>("TextZugEingabe");
    feld->setFocus();
    QTest::keyClicks(feld, text);
    QTest::keyClick(feld, Qt::Key_Return);
    QVERIFY(feld->text().isEmpty());
    QCOMPARE(o->focusWidget(), feld);
    QVERIFY(o->findChild<QPushButton*>("ButtonZugEingabe")->isDefault());
    if (nach < 0) {
      QCOMPARE(ui_->beeps, 1);
      QVERIFY(o->tStellungKopie == vorher);
    } else {
      QCOMPARE(ui_->beeps, 0);
      QCOMPARE(o->tStellungKopie[nach], figur);
      QCOMPARE(o->tStellungKopie[GS::AmZug], 0);
      QVERIFY(o->findChild<TextBox*>("TextNotation")->text().startsWith("1."));
    }
  }

  // A typed move is refused in every mode that forbids moves, before the
  // engine is asked.
  void zugEingabeGesperrt_data() {
    QTest::addColumn<QString>("modus");
    for (const char* m : {"Suche", "Setup", "Malen", "PGN", "Analyse"}) QTest::newRow(m) << m;
  }
  void zugEingabeGesperrt() {
    QFETCH(QString, modus);
    Oberflaeche* o = starten();
    test::Standin_Antwort("DLL_PGNInput", 0);
    (modus == "Suche"   ? o->bSucheLaeuft
     : modus == "Setup" ? o->bEditModus
     : modus == "Malen" ? o->bZeichenModus
     : modus == "PGN"   ? o->bPGNModus
                        : o->bTBAnaLaeuft) = Wahr;
    test::Standin_Zuruecksetzen();
    auto* feld = o->findChild<QLineEdit*>("TextZugEingabe");
    feld->setText("e4");
    o->findChild<QPushButton*>("ButtonZugEingabe")->click();
    QCOMPARE(ui_->beeps, 1);
    QVERIFY(test::aufrufeVon(QStringList{"DLL_ZugAnz", "DLL_PGNInput", "DLL_ZugMachen"}).isEmpty());
  }

  // A FEN double-clicked into the FEN field: the calls that take it over or
  // roll it back, in order. The input box offers the FEN shown.
  void fenEingabe_data() {
    QTest::addColumn<QString>("modus");
    QTest::addColumn<std::optional<QString>>("antwort");
    QTest::addColumn<int>("r");  // the engine's answer to the text
    // "DLL_FENInput" stands for the call with the answer's text.
    QTest::addColumn<QStringList>("aufrufe");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<int>("zugnummer");
    const QString schwarz = "4k3/8/8/8/8/8/4P3/4K2R b - - 0 12";
    const QString weiss = "4k3/8/8/8/8/8/4P3/4K2R w - - 0 12";
    const QString lang = schwarz + QString(255 - schwarz.size(), ' ');
    const QString zweiSteine = "4k3/8/8/8/8/8/8/4K3 b - - 0 12";
    const QStringList kopf{"DLL_StellungSave()", "DLL_FENInput"};
    auto genommen = [&kopf](int halbzug) {
      return kopf + QStringList{"DLL_StellungGet()", "DLL_StellungKill()",
                                QStringLiteral("DLL_PositionFix(%1)").arg(halbzug),
                                "DLL_StellungGet()", "DLL_AutoFENLog()"};
    };
    const QStringList zurueck = kopf + QStringList{"DLL_StellungLoad()"};
    using T = std::optional<QString>;
    QTest::newRow("Schwarz am Zug, Zug 12") << "" << T(schwarz) << 24 << genommen(24) << 0 << 12;
    QTest::newRow("Weiß am Zug, Zug 12") << "" << T(weiss) << 23 << genommen(23) << 0 << 12;
    QTest::newRow("ungültig") << "" << T(schwarz) << -1 << zurueck << 1 << 1;
    QTest::newRow("kein Text") << "" << T(schwarz) << -9 << zurueck << 1 << 1;
    QTest::newRow("abgebrochen") << "" << T() << 0 << QStringList{} << 0 << 1;
    QTest::newRow("leer") << "" << T("") << 0 << QStringList{} << 0 << 1;
    QTest::newRow("länger als die Engine liest")
        << "" << T(lang + ' ') << 24 << QStringList{} << 1 << 1;
    QTest::newRow("255 Zeichen gehen durch") << "" << T(lang) << 24 << genommen(24) << 0 << 12;
    QTest::newRow("Stellungseingabe")
        << "Setup" << T(schwarz) << 24
        << kopf + QStringList{"DLL_StellungKill()", "DLL_StellungGet()"} << 0 << 12;
    QTest::newRow("ungültig in der Stellungseingabe")
        << "Setup" << T(schwarz) << -1 << zurueck << 1 << 1;
    QTest::newRow("vier Steine im TB-Modus") << "TB" << T(schwarz) << 24 << genommen(24) << 0 << 12;
    QTest::newRow("zwei Steine im TB-Modus")
        << "TB" << T(zweiSteine) << 24
        << kopf + QStringList{"DLL_StellungGet()", "DLL_StellungLoad()", "DLL_StellungGet()",
                              "DLL_AutoFENLog()"}
        << 0 << 1;
    for (const char* m : {"Suche", "Analyse", "PGN", "Malen"})
      QTest::newRow(m) << m << T(schwarz) << 24 << QStringList{} << 1 << 1;
  }
  void fenEingabe() {
    QFETCH(QString, modus);
    QFETCH(std::optional<QString>, antwort);
    QFETCH(int, r);
    QFETCH(QStringList, aufrufe);
    QFETCH(int, beeps);
    QFETCH(int, zugnummer);
    Oberflaeche* o = starten();
    auto* brettFEN = o->findChild<QLineEdit*>("BrettFEN");
    const QString gezeigt = brettFEN->text();
    const GUIStellung start = o->tStellungKopie;
    o->bEditModus = AlsBoolean(modus == "Setup");
    o->bTBModus = AlsBoolean(modus == "TB");
    o->bSucheLaeuft = AlsBoolean(modus == "Suche");
    o->bTBAnaLaeuft = AlsBoolean(modus == "Analyse");
    o->bPGNModus = AlsBoolean(modus == "PGN");
    o->bZeichenModus = AlsBoolean(modus == "Malen");
    test::Standin_Zuruecksetzen();
    test::Standin_Antwort("DLL_FENInput", r);
    ui_->eingabeAntworten << antwort;
    QTest::mouseDClick(brettFEN, Qt::LeftButton);

    aufrufe.replaceInStrings(QRegularExpression("^DLL_FENInput$"),
                             "DLL_FENInput(\"" + antwort.value_or("") + "\")");
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_StellungSave", "DLL_FENInput", "DLL_StellungGet",
                                          "DLL_StellungKill", "DLL_StellungLoad", "DLL_PositionFix",
                                          "DLL_AutoFENLog"}),
             aufrufe);
    QCOMPARE(ui_->beeps, beeps);
    QCOMPARE(o->tStellungKopie[GS::Zugnummer], zugnummer);
    // A refused position leaves the board as it was.
    if (zugnummer == 1) QVERIFY(o->tStellungKopie == start);
    QCOMPARE(ui_->eingaben.size(), modus == "" || modus == "Setup" || modus == "TB" ? 1 : 0);
    if (!ui_->eingaben.isEmpty()) {
      QCOMPARE(ui_->eingaben[0].prompt, Sprache::TxtFENEingabe);
      QCOMPARE(ui_->eingaben[0].titel, Sprache::ProgTitel);
      QCOMPARE(ui_->eingaben[0].vorgabe, gezeigt);
    }
    const bool wenigSteine = antwort && antwort->startsWith("4k3/8/8/8/8/8/8/");
    QCOMPARE(ui_->boxen.size(), wenigSteine ? 1 : 0);
    if (wenigSteine) {
      QCOMPARE(ui_->boxen[0].text, Sprache::MsgKeineTBPosition);
      QCOMPARE(ui_->boxen[0].stil, MsgStil::Information);
      QCOMPARE(ui_->boxen[0].titel, Sprache::ProgTitel);
    }
  }

  // The same against the real library: the game record then starts at
  // Black's twelfth move.
  void fenEchteBibliothek() {
    Oberflaeche* o = echtStarten();
    ui_->eingabeAntworten << std::optional<QString>("4k3/8/8/8/8/8/4P3/4K2R b K - 0 12");
    o->BrettFEN_DblClick();
    QCOMPARE(ui_->beeps, 0);
    QCOMPARE(o->tStellungKopie[GS::AmZug], 0);
    QCOMPARE(o->tStellungKopie[GS::Zugnummer], 12);
    QCOMPARE(o->tStellungKopie[7], 4);
    QVERIFY(o->findChild<QLineEdit*>("BrettFEN")->text().endsWith(" b K - 0 12"));
    auto* feld = o->findChild<QLineEdit*>("TextZugEingabe");
    feld->setText("Ke7");
    o->ButtonZugEingabe_Click();
    QCOMPARE(o->tStellungKopie[52], -6);
    QCOMPARE(o->findChild<TextBox*>("TextNotation")->text(), QStringLiteral("Ke8-e7 "));
    QVERIFY(o->findChild<QLineEdit*>("BrettFEN")->text().endsWith(" w K - 1 13"));

    // A refused text leaves the position as it was.
    const GUIStellung vorher = o->tStellungKopie;
    ui_->eingabeAntworten << std::optional<QString>("kein FEN");
    o->BrettFEN_DblClick();
    QCOMPARE(ui_->beeps, 1);
    o->ButtonBrettZurueck_Click();
    o->ButtonBrettVorwaerts_Click();
    QVERIFY(o->tStellungKopie == vorher);
  }

  // The board turned from its button, twice, also in paint mode: labels
  // and painting come back as they were.
  void drehen() {
    Oberflaeche* o = starten();
    auto beschriftung = [o](const char* name) {
      QString s;
      for (int i = 0; i < 8; ++i)
        s += o->findChild<QLabel*>(QStringLiteral("%1(%2)").arg(name).arg(i))->text();
      return s;
    };
    auto* knopf = o->findChild<QPushButton*>("ButtonBrettDrehen");
    o->bZeichenModus = Wahr;
    knopf->click();
    QCOMPARE(beschriftung("FeldDescV"), QStringLiteral("hgfedcba"));
    QCOMPARE(beschriftung("FeldDescH"), QStringLiteral("87654321"));
    QCOMPARE(o->bZeichenModus, Wahr);
    knopf->click();
    QCOMPARE(beschriftung("FeldDescV"), QStringLiteral("abcdefgh"));
    QCOMPARE(beschriftung("FeldDescH"), QStringLiteral("12345678"));
    QCOMPARE(o->bWeissUnten, Wahr);
  }

 private:
  Oberflaeche* starten() {
    Oberflaeche* o = test::starten({{"Optionen/OptAutoAntw", "1"}});
    if (!o) qFatal("the program did not start");
    return o;
  }

  Oberflaeche* echtStarten() {
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_LIBRARY_PATH));
    Oberflaeche* o = test::starten({{"Optionen/OptAutoAntw", "0"}});
    if (!o) qFatal("the program did not start against the library");
    return o;
  }

  std::unique_ptr<test::RecordingUi> ui_;
};

GALDRIK_GUI_TEST_MAIN(TastaturTest)
#include "tastatur_test.moc"
