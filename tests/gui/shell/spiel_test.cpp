// Playing against the engine: the compute button and its search, the lines
// per depth, the engine's move, the automatic reply, the board's mouse
// input with no half-made move left behind, and the timer's tablebase
// branches, all against the stand-in engine; and one game opening against
// the real library.
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "fakeui.h"
#include "fensterstart.h"
#include "guitest.h"
#include "shell/controls/farbe.h"
#include "shell/controls/picturebox.h"
#include "shell/controls/textbox.h"
#include "shell/controls/twips.h"
#include "shell/sprache.h"

using namespace galdrik;
using EngineComm::GS::AmZug;

namespace {

constexpr int kRand = -1;  // a press or release on the board's margin

PictureBox* brett(Oberflaeche* o) { return o->findChild<PictureBox*>("BrettBild"); }

QPoint punkt(Oberflaeche* o, int feld) {
  if (feld == kRand) return {1, 1};
  return test::feldMitte(o, feld);
}

void ziehen(Oberflaeche* o, int von, int nach) {
  QTest::mousePress(brett(o), Qt::LeftButton, {}, punkt(o, von));
  QTest::mouseRelease(brett(o), Qt::LeftButton, {}, punkt(o, nach));
}

QStringList zeilen(Oberflaeche* o) {
  return o->findChild<TextBox*>("TextEngine")->text().split(QStringLiteral("\r\n"));
}

bool menuesFrei(Oberflaeche* o) {
  bool frei = true;
  for (const char* n : {"MenüPartie", "MenüTests", "MenüAnsicht", "MenüExtras", "MenüHilfe"})
    frei = frei && o->findChild<QMenu*>(n)->menuAction()->isEnabled();
  return frei;
}

uint32_t knopfFarbe(Oberflaeche* o) {
  return farbe::KnopfFarbe(*o->findChild<QPushButton*>("ButtonBrettBerechnen"));
}

}  // namespace

class SpielTest : public QObject {
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

  // Press on e2, release on e4: the move is checked and played, the board
  // shows it; the pressed piece rides on the pointer until the release.
  void zugPerMaus() {
    Oberflaeche* o = starten(false);
    test::Standin_Zuruecksetzen();
    QTest::mousePress(brett(o), Qt::LeftButton, {}, punkt(o, 12));
    QCOMPARE(brett(o)->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseRelease(brett(o), Qt::LeftButton, {}, punkt(o, 28));
    QVERIFY(!brett(o)->testAttribute(Qt::WA_SetCursor));
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_ZugSet", "DLL_ZugLegal", "DLL_ZugMachen",
                                          "DLL_StellungGet", "DLL_ZugAnz", "DLL_SuchStart"}),
             (QStringList{"DLL_ZugSet(12,28,0,0)", "DLL_ZugLegal()", "DLL_ZugMachen(0)",
                          "DLL_StellungGet()", "DLL_ZugAnz()"}));
    QCOMPARE(o->tStellungKopie[28], 1);
    QCOMPARE(o->tStellungKopie[12], 0);
    QCOMPARE(o->tStellungKopie[AmZug], 0);
    QCOMPARE(o->bErsterKlick, Wahr);
    QCOMPARE(ui_->beeps, 0);
  }

  // Whatever a drag ends in, no half-made move is left behind: the drag
  // e7-e5 that follows is always e7-e5.
  void zugFaelle_data() {
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("nach");
    QTest::addColumn<QList<int>>("legal");
    QTest::addColumn<bool>("suche");
    QTest::addColumn<QStringList>("zuege");
    QTest::addColumn<int>("beeps");  // -1: not counted
    QTest::addColumn<int>("gespielt");
    const QString danach = "DLL_ZugSet(52,36,0,0)";
    QTest::newRow("gleiches Feld") << 12 << 12 << QList<int>{-2, 0} << false
                                   << QStringList{"DLL_ZugSet(12,12,0,0)", danach} << 1 << 1;
    QTest::newRow("illegal") << 12 << 36 << QList<int>{-2, 0} << false
                             << QStringList{"DLL_ZugSet(12,36,0,0)", danach} << 1 << 1;
    QTest::newRow("Druck auf den Rand")
        << kRand << 28 << QList<int>{0} << false << QStringList{danach} << 0 << 1;
    QTest::newRow("Loslassen neben dem Brett")
        << 12 << kRand << QList<int>{0} << false << QStringList{danach} << 0 << 1;
    QTest::newRow("Umwandlung") << 48 << 56 << QList<int>{-1, 0} << false
                                << QStringList{"DLL_ZugSet(48,56,0,0)", danach} << -1 << 1;
    QTest::newRow("während der Suche")
        << 12 << 28 << QList<int>{0} << true << QStringList{danach} << 1 << 1;
  }
  void zugFaelle() {
    QFETCH(int, von);
    QFETCH(int, nach);
    QFETCH(QList<int>, legal);
    QFETCH(bool, suche);
    QFETCH(QStringList, zuege);
    QFETCH(int, beeps);
    QFETCH(int, gespielt);
    Oberflaeche* o = starten(false);
    test::Standin_Zuruecksetzen();
    for (int l : legal) test::Standin_Antwort("DLL_ZugLegal", l);
    o->bSucheLaeuft = AlsBoolean(suche);
    ziehen(o, von, nach);
    o->bSucheLaeuft = Falsch;
    ziehen(o, 52, 36);
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_ZugSet"}), zuege);
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_ZugMachen"}).size(), gespielt);
    if (beeps >= 0) QCOMPARE(ui_->beeps, beeps);
    QCOMPARE(o->bErsterKlick, Wahr);
  }

  // The board turned: the same drag on the screen is the mirrored move.
  void zugGedrehtesBrett() {
    Oberflaeche* o = starten(false);
    o->ButtonBrettDrehen_Click();
    test::Standin_Zuruecksetzen();
    QTest::mousePress(brett(o), Qt::LeftButton, {}, twips::zuPixel(3 * 735 + 400, 6 * 735 + 400));
    QTest::mouseRelease(brett(o), Qt::LeftButton, {}, twips::zuPixel(3 * 735 + 400, 4 * 735 + 400));
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_ZugSet"}), QStringList{"DLL_ZugSet(52,36,0,0)"});
  }

  void sucheParameter_data() {
    QTest::addColumn<QString>("modus");
    QTest::addColumn<QString>("param");
    QTest::newRow("feste Tiefe") << "0"
                                 << "DLL_SuchParam(7,100000,100000)";
    QTest::newRow("Zeit") << "1"
                          << "DLL_SuchParam(100000,10,20)";
    QTest::newRow("andere Zahl heißt Zeit") << "5"
                                            << "DLL_SuchParam(100000,10,20)";
  }
  void sucheParameter() {
    QFETCH(QString, modus);
    QFETCH(QString, param);
    Oberflaeche* o = starten(true, {{"Optionen/OptSuchModus", modus}});
    test::Standin_Zuruecksetzen();
    test::Standin_Antwort("DLL_SuchFertig", 0);
    o->iBewertung = 50;
    QTest::mouseClick(o->findChild<QPushButton*>("ButtonBrettBerechnen"), Qt::LeftButton);
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_SuchParam", "DLL_SuchStart"}),
             (QStringList{param, "DLL_SuchStart()"}));
    QCOMPARE(o->bSucheLaeuft, Wahr);
    QCOMPARE(o->bZugParitaet, Falsch);
    QCOMPARE(knopfFarbe(o), 0xFFu);
    QVERIFY(!menuesFrei(o));
    QCOMPARE(zeilen(o).mid(0, 5), (QStringList{o->sFENText, "statische Bewertung: .5", "Suche...",
                                               Sprache::TxtSuchKopf, ""}));
  }

  void bewertung_data() {
    QTest::addColumn<int>("hundertstel");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "0";
    QTest::newRow("50") << 50 << ".5";
    QTest::newRow("-25") << -25 << "-.25";
    QTest::newRow("123") << 123 << "1.23";
    QTest::newRow("100") << 100 << "1";
    QTest::newRow("-150") << -150 << "-1.5";
    QTest::newRow("5") << 5 << ".05";
    QTest::newRow("-1205") << -1205 << "-12.05";
  }
  void bewertung() {
    QFETCH(int, hundertstel);
    QFETCH(QString, text);
    Oberflaeche* o = starten(true);
    o->iBewertung = hundertstel;
    o->GaldrikZug();
    QCOMPARE(zeilen(o).value(1), "statische Bewertung: " + text);
  }

  // Each finished depth adds one line, also when several finish between
  // two ticks; at the end the engine's move is played with its statistics,
  // and the engine does not answer its own move.
  void zeilenJeTiefe() {
    Oberflaeche* o = starten(true);
    o->findChild<QTimer*>("Timer1")->stop();
    o->ButtonBrettBerechnen_Click();
    test::Standin_Zuruecksetzen();
    for (int d : {0, 2, 2, 5}) test::Standin_Antwort("DLL_SuchStatus", d);
    for (int f : {0, 0, 0, 1}) test::Standin_Antwort("DLL_SuchFertig", f);
    const QStringList kopf = zeilen(o).mid(0, 4);
    QList<qsizetype> anzahl;
    for (int tick = 0; tick < 3; ++tick) {
      o->Timer1_Timer();
      anzahl << zeilen(o).size();
    }
    QCOMPARE(anzahl, (QList<qsizetype>{5, 7, 7}));
    QCOMPARE(o->bSucheLaeuft, Wahr);
    QCOMPARE(knopfFarbe(o), 0xFFu);
    o->Timer1_Timer();
    QStringList erwartet = kopf;
    erwartet << "Info 0"
             << "Info 2"
             << "Info 4"
             << "Info 6"
             << "Info 8"
             << "";
    for (int i = 0; i < 8; ++i) erwartet << QStringLiteral("Statistik %1").arg(i);
    erwartet << "";
    QCOMPARE(zeilen(o), erwartet);
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_ZugGet", "DLL_ZugLegal", "DLL_GaldrikSet",
                                          "DLL_ZugMachen", "DLL_SuchInfo2", "DLL_StellungGet",
                                          "DLL_ZugAnz", "DLL_SuchStart"}),
             (QStringList{"DLL_ZugGet()", "DLL_ZugLegal()", "DLL_GaldrikSet()", "DLL_ZugMachen(0)",
                          "DLL_SuchInfo2()", "DLL_StellungGet()", "DLL_ZugAnz()"}));
    QCOMPARE(o->bSucheLaeuft, Falsch);
    QCOMPARE(o->bZugParitaet, Wahr);
    QCOMPARE(knopfFarbe(o), farbe::kSystemButtonFace);
    QVERIFY(menuesFrei(o));
  }

  // A second press stops the search, plays its best move and gives the
  // button, the menus and the timer back.
  void zweiterDruck() {
    Oberflaeche* o = starten(true);
    auto* knopf = o->findChild<QPushButton*>("ButtonBrettBerechnen");
    test::Standin_Antwort("DLL_SuchFertig", 0);
    knopf->click();
    test::Standin_Zuruecksetzen();
    for (int f : {0, 0, 1}) test::Standin_Antwort("DLL_SuchFertig", f);
    test::Standin_Antwort("DLL_SuchStatus", 3);
    knopf->click();
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_SuchTermin", "DLL_SuchFertig", "DLL_SuchInfo1",
                                          "DLL_ZugMachen", "DLL_SuchStart"}),
             (QStringList{"DLL_SuchTermin()", "DLL_SuchFertig()", "DLL_SuchFertig()",
                          "DLL_SuchFertig()", "DLL_SuchInfo1(0)", "DLL_SuchInfo1(2)",
                          "DLL_SuchInfo1(4)", "DLL_ZugMachen(0)"}));
    QCOMPARE(o->bSucheLaeuft, Falsch);
    QCOMPARE(knopfFarbe(o), farbe::kSystemButtonFace);
    QVERIFY(menuesFrei(o));
    QVERIFY(o->findChild<QTimer*>("Timer1")->isActive());
  }

  // The engine answers a move when automatic reply is on, never in
  // tablebase mode, and only once.
  void autoAntwort_data() {
    QTest::addColumn<bool>("autoAntwort");
    QTest::addColumn<bool>("tablebase");
    QTest::addColumn<int>("suchen");
    QTest::newRow("an") << true << false << 1;
    QTest::newRow("aus") << false << false << 0;
    QTest::newRow("an, Tablebase-Modus") << true << true << 0;
  }
  void autoAntwort() {
    QFETCH(bool, autoAntwort);
    QFETCH(bool, tablebase);
    QFETCH(int, suchen);
    Oberflaeche* o = starten(autoAntwort);
    o->findChild<QTimer*>("Timer1")->stop();
    o->bTBModus = AlsBoolean(tablebase);
    test::Standin_Zuruecksetzen();
    o->ZugGemacht();
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_SuchStart"}).size(), suchen);
    o->Timer1_Timer();
    o->Timer1_Timer();
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_SuchStart"}).size(), suchen);
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_ZugMachen"}).size(), suchen);
  }

  // Setup, a running analysis and the PGN browser refuse the button; in
  // tablebase mode it stops the move sequence and never searches.
  void knopfGesperrt_data() {
    QTest::addColumn<int>("modus");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QStringList>("aufrufe");
    QTest::newRow("Stellungseingabe") << 0 << 1 << QStringList{};
    QTest::newRow("Analyse läuft") << 1 << 1 << QStringList{};
    QTest::newRow("PGN-Browser") << 2 << 1 << QStringList{};
    QTest::newRow("Zugfolge läuft") << 3 << 0 << QStringList{"DLL_TBZugfolgeStopp()"};
  }
  void knopfGesperrt() {
    QFETCH(int, modus);
    QFETCH(int, beeps);
    QFETCH(QStringList, aufrufe);
    Oberflaeche* o = starten(true);
    Boolean* flags[] = {&o->bEditModus, &o->bTBAnaLaeuft, &o->bPGNModus, &o->bTBZugfolgeLaeuft};
    *flags[modus] = Wahr;
    if (modus == 3) o->bTBModus = Wahr;
    test::Standin_Zuruecksetzen();
    o->ButtonBrettBerechnen_Click();
    QCOMPARE(ui_->beeps, beeps);
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_SuchParam", "DLL_SuchStart", "DLL_TBZugfolgeStopp"}),
             aufrufe);
    QCOMPARE(knopfFarbe(o), farbe::kSystemButtonFace);
  }

  // A search that cannot start leaves the window as before, with a beep.
  void sucheStartetNicht() {
    Oberflaeche* o = starten(true);
    test::Standin_Antwort("DLL_SuchStart", -1);
    o->ButtonBrettBerechnen_Click();
    QCOMPARE(o->bSucheLaeuft, Falsch);
    QCOMPARE(knopfFarbe(o), farbe::kSystemButtonFace);
    QVERIFY(menuesFrei(o));
    QCOMPARE(ui_->beeps, 1);
  }

  // A search that does not stop when asked is a lost engine: the user is
  // told and the program ends, after a bounded wait.
  void sucheHaelt() {
    Oberflaeche* o = starten(true);
    test::Standin_Antwort("DLL_SuchFertig", 0);
    o->ButtonBrettBerechnen_Click();
    o->ButtonBrettBerechnen_Click();
    QCOMPARE(ui_->boxen.size(), 1);
    QCOMPARE(ui_->boxen[0].text, Sprache::MsgFehlerSync);
    QCOMPARE(ui_->boxen[0].stil, MsgStil::Critical);
    QCOMPARE(test::fensterAufrufe().last(), QStringLiteral("DLL_EngineKill()"));
  }

  // While the analysis runs: the time still needed, in minutes only above
  // 60 seconds, and the counts so far (beyond 32 bits).
  void analyseFortschritt_data() {
    QTest::addColumn<int>("sekunden");
    QTest::addColumn<QString>("dauer");
    QTest::newRow("61 s") << 61 << "2 min";
    QTest::newRow("125 s") << 125 << "3 min";
    QTest::newRow("60 s") << 60 << "60 sec";
    QTest::newRow("1 s") << 1 << "1 sec";
  }
  void analyseFortschritt() {
    QFETCH(int, sekunden);
    QFETCH(QString, dauer);
    Oberflaeche* o = starten(true);
    QProgressBar balken;
    balken.setRange(0, 1000);
    o->tbTafel.fortschritt = &balken;
    o->bTBAnaLaeuft = Wahr;
    test::Standin_Antwort("DLL_TBAnaStatus", 1);
    test::Standin_Antwort("DLL_TBAnaFortschritt", 250);
    test::Standin_Antwort("DLL_TBAnaZeitPrognose", sekunden);
    test::Standin_Antwort64("DLL_TBAnaZwischenergebnis.Geprueft", 5000000000LL);
    test::Standin_Antwort64("DLL_TBAnaZwischenergebnis.Gefunden", 7);
    o->Timer1_Timer();
    QCOMPARE(balken.value(), 250);
    QCOMPARE(zeilen(o), (QStringList{Sprache::TxtTBAnaLaeuft, Sprache::TxtZeitPrognose + dauer, "",
                                     Sprache::TxtEGTBZugriffe + "5000000000",
                                     Sprache::TxtGefundeneStellungen + "7", ""}));
    o->tbTafel = {};
  }

  // At the analysis' end: the first result shown (or a temporary game
  // record when none), then what the run was for. A finished extraction or
  // matrix run is always written; a file error ends the run, not the
  // program.
  void analyseEnde_data() {
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("kriterium");
    QTest::addColumn<bool>("statAuto");
    QTest::addColumn<int>("dateiAntwort");
    QTest::addColumn<QString>("datei");  // the file export called, "" none
    QTest::addColumn<QString>("meldung");
    QTest::addColumn<int>("stil");
    QTest::addColumn<int>("beeps");  // the statistics window, until it exists
    const int info = MsgStil::Information, warn = MsgStil::Exclamation;
    QTest::newRow("fertig") << 0 << 10 << false << 0 << "" << Sprache::MsgTBAnaFertig << info << 0;
    QTest::newRow("fertig, Statistik") << 0 << 10 << true << 0 << ""
                                       << "" << 0 << 1;
    QTest::newRow("Spezialdatenbank ohne Statistik")
        << 0 << 90 << false << 0 << "DLL_TBAnaSpezDB_DatenbankFertig(\"/tmp/x.tbx\")"
        << Sprache::MsgTBAnaFertig << info << 0;
    QTest::newRow("Spezialdatenbank, Datei scheitert")
        << 0 << 92 << true << -3 << "DLL_TBAnaSpezDB_DatenbankFertig(\"/tmp/x.tbx\")"
        << Sprache::MsgFehlerDateiOeffnenErstellen << warn << 0;
    QTest::newRow("Matrix ohne Statistik")
        << 0 << 97 << false << 0 << "DLL_TBAnaRFEPMatrixFinish(\"/tmp/m.mat\")"
        << Sprache::MsgMatrixOk << info << 0;
    QTest::newRow("Matrix scheitert")
        << 0 << 97 << true << 1 << "DLL_TBAnaRFEPMatrixFinish(\"/tmp/m.mat\")"
        << Sprache::MsgFehlerMatrix << warn << 0;
    QTest::newRow("abgebrochen") << -4 << 90 << true << 0 << "" << Sprache::MsgTBAnaAbgebrochen
                                 << warn << 0;
    QTest::newRow("Fehler") << 2 << 10 << true << 0 << "" << Sprache::MsgFehlerTBAna << warn << 0;
  }
  void analyseEnde() {
    QFETCH(int, r);
    QFETCH(int, kriterium);
    QFETCH(bool, statAuto);
    QFETCH(int, dateiAntwort);
    QFETCH(QString, datei);
    QFETCH(QString, meldung);
    QFETCH(int, stil);
    QFETCH(int, beeps);
    Oberflaeche* o = starten(true, {{"EGTB/OptEGTBStatAuto", statAuto ? "True" : "False"},
                                    {"RFEP/Opt_RFEP_FileMat", "/tmp/m.mat"}});
    o->bTBAnaLaeuft = Wahr;
    o->iTBAnaKriterium = kriterium;
    o->SpezDBDateiname = QStringLiteral("/tmp/x.tbx");
    test::Standin_Zuruecksetzen();
    test::Standin_Antwort("DLL_TBAnaErgebnis", r);
    test::Standin_Antwort64("DLL_TBAnaErgebnis.Anzahl", 3);
    test::Standin_Antwort("DLL_TBAnaSpezDB_DatenbankFertig", dateiAntwort);
    test::Standin_Antwort("DLL_TBAnaRFEPMatrixFinish", dateiAntwort);
    o->Timer1_Timer();
    QCOMPARE(o->bTBAnaLaeuft, Falsch);
    QVERIFY(menuesFrei(o));
    QCOMPARE(o->iTBResultatAnzahl, 3);
    QCOMPARE(o->iTBResultatNummer, 1);
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_TBAnaGetPos"}), QStringList{"DLL_TBAnaGetPos(1)"});
    QCOMPARE(test::aufrufeVon(
                 QStringList{"DLL_TBAnaSpezDB_DatenbankFertig", "DLL_TBAnaRFEPMatrixFinish"}),
             datei.isEmpty() ? QStringList{} : QStringList{datei});
    QCOMPARE(ui_->boxen.size(), meldung.isEmpty() ? 0 : 1);
    if (!meldung.isEmpty()) {
      QCOMPARE(ui_->boxen[0].text, meldung);
      QCOMPARE(ui_->boxen[0].stil, stil);
    }
    QCOMPARE(ui_->beeps, beeps);
    QVERIFY(Oberflaeche::instanz() && !test::fensterAufrufe().contains("DLL_EngineKill()"));
  }

  // No result: the current position gets a temporary game record.
  void analyseOhneErgebnis() {
    Oberflaeche* o = starten(true);
    o->bTBAnaLaeuft = Wahr;
    test::Standin_Zuruecksetzen();
    o->Timer1_Timer();
    QCOMPARE(o->iTBResultatNummer, 0);
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_TBAnaGetPos", "DLL_PartieStruktSave"}),
             QStringList{"DLL_PartieStruktSave()"});
  }

  // The linking's status: depth and record while it runs (the record
  // beyond 31 bits, without touching the depth), its end, its failure.
  void vernetzung_data() {
    QTest::addColumn<qint64>("status");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("meldung");
    QTest::addColumn<bool>("laeuft");
    const QString laeuft = Sprache::TxtIterationLaeuft + "\r\n";
    QTest::newRow("Tiefe 3") << (qint64{3} << 32 | 17)
                             << laeuft + Sprache::TxtTiefe + "3" + Sprache::TxtIteriere + "17"
                             << "" << true;
    QTest::newRow("großer Satz") << (qint64{2} << 32 | 0x80000005LL)
                                 << laeuft + Sprache::TxtTiefe + "2" + Sprache::TxtIteriere +
                                        "2147483653"
                                 << "" << true;
    QTest::newRow("fertig") << qint64{-1} << laeuft + Sprache::TxtIterationenFertig + "\r\n"
                            << Sprache::TxtSpezDBGeneriert1 + "/tmp/x.tbx" +
                                   Sprache::TxtSpezDBGeneriert2
                            << false;
    QTest::newRow("gescheitert") << qint64{-2} << "" << Sprache::MsgFehlerSpezDBSchritt2 << false;
  }
  void vernetzung() {
    QFETCH(qint64, status);
    QFETCH(QString, text);
    QFETCH(QString, meldung);
    QFETCH(bool, laeuft);
    Oberflaeche* o = starten(true);
    o->bVernetzungLaeuft = Wahr;
    o->SpezDBDateiname = QStringLiteral("/tmp/x.tbx");
    o->findChild<TextBox*>("TextEngine")->setText(QString());
    test::Standin_Zuruecksetzen();
    test::Standin_Antwort64("DLL_TBAnaSpezDB_VernetzungStatus", status);
    o->Timer1_Timer();
    QCOMPARE(o->findChild<TextBox*>("TextEngine")->text(), text);
    QCOMPARE(o->bVernetzungLaeuft, AlsBoolean(laeuft));
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_TBAnaSpezDB_VernetzungStopp"}).size(),
             laeuft ? 0 : 1);
    QCOMPARE(ui_->boxen.size(), meldung.isEmpty() ? 0 : 1);
    if (!meldung.isEmpty()) QCOMPARE(ui_->boxen[0].text, meldung);
    QVERIFY(Oberflaeche::instanz() && !test::fensterAufrufe().contains("DLL_EngineKill()"));
  }

  // The move sequence: its depth while it runs; at its end the PGN file,
  // or its report with the empty sections left out.
  void zugfolge() {
    Oberflaeche* o = starten(true);
    auto* text = o->findChild<TextBox*>("TextEngine");
    o->bTBZugfolgeLaeuft = Wahr;
    test::Standin_Antwort("DLL_TBZugfolgeStatus", 4);
    o->Timer1_Timer();
    QCOMPARE(text->text(), Sprache::TxtZugfolgeTiefe + "4" + Sprache::TxtPly);

    test::Standin_Zuruecksetzen();
    test::Standin_TextSetzen("DLL_TBStatGet(0)", "Weiß gewinnt");
    test::Standin_TextSetzen("DLL_TBStatGet(3)", "Zugzwang");
    test::Standin_TextSetzen("DLL_TBStatGet(6)", "Ergebnis");
    o->Timer1_Timer();
    QCOMPARE(o->bTBZugfolgeLaeuft, Falsch);
    QCOMPARE(text->text(), QStringLiteral("Weiß gewinnt\r\nZugzwang\r\n\r\nErgebnis\r\n"));

    o->bTBZugfolgeLaeuft = Wahr;
    o->bTBZugfolgePGN = Wahr;
    o->sTBZugfolgePGNPfad = QStringLiteral("/tmp/zugfolge.pgn");
    test::Standin_Antwort("DLL_TBZugfolgePGN", -1);
    o->Timer1_Timer();
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_TBZugfolgePGN"}),
             QStringList{"DLL_TBZugfolgePGN(\"/tmp/zugfolge.pgn\")"});
    QCOMPARE(o->bTBZugfolgePGN, Falsch);
    QCOMPARE(ui_->boxen.size(), 1);
    QCOMPARE(ui_->boxen[0].text, Sprache::MsgFehlerDateiOeffnenErstellen);
  }

  // The real library: the user plays e2-e4 and the engine answers with a
  // move of its own at a small depth.
  void echteBibliothekAntwortet() {
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_LIBRARY_PATH));
    if (!EngineComm::vorhanden("DLL_SuchStart")) QSKIP("the library has no search exports");
    Oberflaeche* o = test::starten({{"Optionen/OptSuchModus", "0"},
                                    {"Optionen/OptSuchTiefe", "2"},
                                    {"Optionen/OptAutoAntw", "1"}});
    QVERIFY(o);
    const GUIStellung start = o->tStellungKopie;
    ziehen(o, 12, 28);
    QCOMPARE(o->tStellungKopie[28], 1);
    QTRY_VERIFY_WITH_TIMEOUT(o->bSucheLaeuft == Falsch && o->tStellungKopie[AmZug] == 1, 30000);
    QCOMPARE(o->tStellungKopie[12], 0);
    int schwarzWeg = 0, schwarzNeu = 0;
    for (int f = 0; f < 64; ++f) {
      if (f == 12 || f == 28 || o->tStellungKopie[f] == start[f]) continue;
      if (start[f] < 0 && o->tStellungKopie[f] == 0) ++schwarzWeg;
      if (o->tStellungKopie[f] < 0) ++schwarzNeu;
    }
    QCOMPARE(schwarzWeg, 1);
    QCOMPARE(schwarzNeu, 1);
    QVERIFY(o->findChild<QLineEdit*>("BrettFEN")->text().contains(" w "));
    QVERIFY(ui_->boxen.isEmpty());
    QCOMPARE(ui_->beeps, 0);
    QVERIFY(o->grab().save(QStringLiteral(GALDRIK_TEST_OUTPUT "/oberflaeche-partie.png")));
  }

 private:
  // The program up to its main window, with automatic reply on or off.
  Oberflaeche* starten(bool autoAntwort, test::Werte werte = {}) {
    werte.append(std::pair<QString, QString>("Optionen/OptAutoAntw", autoAntwort ? "1" : "0"));
    Oberflaeche* o = test::starten(werte);
    if (!o) qFatal("the program did not start");
    return o;
  }

  std::unique_ptr<test::RecordingUi> ui_;
};

GALDRIK_GUI_TEST_MAIN(SpielTest)
#include "spiel_test.moc"
