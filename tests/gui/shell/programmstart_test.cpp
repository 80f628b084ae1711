// The program's start against the recording stand-in engine: the order of
// the engine calls, the command line, the failures that end the program,
// the tablebase and cache messages, the hash retry, the language choice and
// the language menu; and one start against the real library.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSettings>

#include "captions/beschriftung.h"
#include "fakeui.h"
#include "shell/controls/textbreite.h"
#include "fensterstart.h"
#include "guitest.h"
#include "shell/engineglobal.h"
#include "shell/oberflaeche.h"
#include "shell/sprache.h"
#include "standin.h"

using namespace galdrik;
using test::gespeichert;
using test::speichern;

namespace {

// A file that is there but is no library.
const char* const kKeineBibliothek = GALDRIK_GUI_TEST_DATA "/sprachtexte.json";

QString q(const QString& s) { return '"' + s + '"'; }

QString benutzerdatei(const char* name) {
  return q(EngineGlobal::Benutzerdatenordner() + '/' + QLatin1String(name));
}

// The exports start-up itself calls; the main window's own calls are its
// tests' business.
const QStringList kStartExporte = {
    "DLL_CheckMMX",     "DLL_LogDatei",   "DLL_BuchPfad",   "DLL_HashPfad",   "DLL_HashParam",
    "DLL_MD5Pfad",      "DLL_MD5LogPfad", "DLL_EngineInit", "DLL_EngineKill", "DLL_Einstellen",
    "DLL_SetFigurName", "DLL_SetStatBez", "DLL_TBBezSet",   "DLL_TBInit",     "DLL_TBError",
    "DLL_TBCache",      "DLL_TBMetrik"};

// Start-up's calls, with the label calls shortened to their names: their
// texts are the message tables' test.
QStringList aufrufe() {
  QStringList liste;
  for (const QString& a : test::standinProtokoll()) {
    if (!kStartExporte.contains(a.section('(', 0, 0))) continue;
    const bool bezeichnungen = a.startsWith(QLatin1String("DLL_SetStatBez(")) ||
                               a.startsWith(QLatin1String("DLL_TBBezSet("));
    liste << (bezeichnungen ? a.section('(', 0, 0) + "(...)" : a);
  }
  return liste;
}

QStringList beschriften(const char* buchstaben) {
  return {QStringLiteral("DLL_SetFigurName(\"%1\")").arg(QLatin1String(buchstaben)),
          "DLL_SetStatBez(...)", "DLL_TBBezSet(...)"};
}

// The calls of an empty store from the processor check to the metric.
QStringList engineStart() {
  QStringList liste = {
      "DLL_CheckMMX()",
      "DLL_LogDatei(" + benutzerdatei("Log.txt") + "," + benutzerdatei("autoedit.fen") + ")",
      "DLL_BuchPfad(" + q(EngineGlobal::Datenordner() + "/Standard.bk2") + ")",
      "DLL_HashPfad(" + q(EngineGlobal::Datenordner() + "/HashCode.key") + ")",
      "DLL_HashParam(17,3,8)",
      "DLL_MD5Pfad(" + benutzerdatei("egtbdtx7.md5") + ")",
      "DLL_MD5LogPfad(" + benutzerdatei("egtbdtx7.log") + ")",
      "DLL_EngineInit()",
      "DLL_Einstellen(1,0,1,1,5,1,0,0,0)",
      "DLL_TBInit(\"\",-1)",
  };
  for (int i = 0; i < 7; ++i)
    liste << QStringLiteral("DLL_TBInit(\"\",%1)").arg(i) << "DLL_TBError()";
  liste << "DLL_TBCache(1048576)"
        << "DLL_TBMetrik(0)";
  return liste;
}

QWidget* fenster(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QString::fromUtf8(name)) return w;
  return nullptr;
}

QStringList texte(const QList<test::RecordingUi::Box>& boxen) {
  QStringList t;
  for (const auto& b : boxen) t << b.text;
  return t;
}

// The TBInit arguments of the seven metrics, in order.
QStringList tablebasePfade() {
  QStringList pfade;
  for (const QString& a : test::standinProtokoll()) {
    if (a.startsWith(QLatin1String("DLL_TBInit(")) && !a.endsWith(QLatin1String(",-1)")))
      pfade << a.section('"', 1, 1);
  }
  return pfade;
}

}  // namespace

class ProgrammstartTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    EngineGlobal::EinstellungenLoeschen();
    QFile::remove(EngineGlobal::Benutzerdatenordner() + "/Log.txt");
    test::standinLaden(GALDRIK_STANDIN_PATH);
  }
  void cleanup() { test::beenden(); }

  // An empty store: German, every default, no tablebase directory, and the
  // language choice over the main window.
  void aufrufeBeiLeeremSpeicher() {
    test::RecordingUi ui;
    QCOMPARE(EngineGlobal::Main(QString()), 0);
    QCOMPARE(aufrufe(), beschriften("BSLTDK") + engineStart());
    QVERIFY(ui.boxen.isEmpty());
    QVERIFY(Oberflaeche::instanz() && Oberflaeche::instanz()->isVisible());
    QCOMPARE(Oberflaeche::instanz()->windowTitle(), QStringLiteral("Schachprogramm Galdrik"));
    QWidget* wahl = fenster("Sprachwahl");
    QVERIFY(wahl && wahl->isVisible());
    QVERIFY(wahl->findChild<QRadioButton*>(QStringLiteral("Option1"))->isChecked());
    QVERIFY(!fenster("Start"));
    QCOMPARE(EngineGlobal::LetzterOrdner, EngineGlobal::Programmordner());
  }

  // A stored language fills its tables before the engine starts and again
  // after, since the engine's start sets its own piece letters.
  void gespeicherteSprache_data() {
    QTest::addColumn<QString>("sprache");
    QTest::addColumn<QStringList>("erwartet");
    QTest::addColumn<QString>("titel");
    QTest::newRow("En") << "En"
                        << beschriften("BSLTDK") + beschriften("PNBRQK") + engineStart() +
                               beschriften("PNBRQK")
                        << "Chess program Galdrik";
    QTest::newRow("Dt") << "Dt"
                        << beschriften("BSLTDK") + beschriften("BSLTDK") + engineStart() +
                               beschriften("BSLTDK")
                        << "Schachprogramm Galdrik";
    // Any other code leaves German in force and asks nothing.
    QTest::newRow("Fr") << "Fr" << beschriften("BSLTDK") + engineStart()
                        << "Schachprogramm Galdrik";
  }
  void gespeicherteSprache() {
    QFETCH(QString, sprache);
    QFETCH(QStringList, erwartet);
    QFETCH(QString, titel);
    test::RecordingUi ui;
    speichern({{"Sprache/OptLanguage", sprache}});
    QCOMPARE(EngineGlobal::Main(QString()), 0);
    QCOMPARE(aufrufe(), erwartet);
    QCOMPARE(Oberflaeche::instanz()->windowTitle(), titel);
    QVERIFY(!fenster("Sprachwahl"));
    QCOMPARE(gespeichert("Sprache/OptLanguage"), sprache);
    QCOMPARE(Sprache::SprachCode, sprache == "En" ? "En" : "Dt");
  }

  // Only the whole trimmed line counts; "-noegtb" keeps this run from
  // registering directories but never touches the stored ones, not even
  // when all settings are saved afterwards.
  void befehlszeile_data() {
    QTest::addColumn<QString>("zeile");
    QTest::addColumn<bool>("geloescht");
    QTest::addColumn<QString>("pfadMetrik0");
    QTest::newRow("keine") << "" << false << "/tb/dtm;";
    QTest::newRow("-reset") << "-reset" << true << "";
    QTest::newRow("-RESET mit Leerzeichen") << "  -RESET " << true << "";
    QTest::newRow("-noegtb") << "-noegtb" << false << "";
    QTest::newRow("-NoEgtb") << " -NoEgtb" << false << "";
    QTest::newRow("beide") << "-reset -noegtb" << false << "/tb/dtm;";
    QTest::newRow("Tabulator zählt nicht als Rand") << "\t-noegtb" << false << "/tb/dtm;";
    QTest::newRow("andere") << "--reset" << false << "/tb/dtm;";
  }
  void befehlszeile() {
    QFETCH(QString, zeile);
    QFETCH(bool, geloescht);
    QFETCH(QString, pfadMetrik0);
    test::RecordingUi ui;
    speichern({{"Sprache/OptLanguage", "Dt"},
               {"EGTB/OptEGTBPfad1(0)", "/tb/dtm"},
               {"EGTB/OptEGTBPfadUse1(0)", "-1"}});
    QCOMPARE(EngineGlobal::Main(zeile), 0);
    QCOMPARE(tablebasePfade().value(0), pfadMetrik0);
    // The stand-in finds no tables: only a directory that was asked about
    // earns the message.
    QCOMPARE(texte(ui.boxen),
             pfadMetrik0.isEmpty() ? QStringList() : QStringList{Sprache::MsgKeineEGTB});
    QCOMPARE(bool(fenster("Sprachwahl")), geloescht);
    QCOMPARE(EngineGlobal::einstellungen.OptEGTBPfadUse1[0], Wahr);
    EngineGlobal::EinstellungenSpeichern();
    QCOMPARE(gespeichert("EGTB/OptEGTBPfadUse1(0)"), QStringLiteral("-1"));
    QCOMPARE(gespeichert("EGTB/OptEGTBPfad1(0)"), geloescht ? "" : "/tb/dtm");
  }

  void tablebasePfad_data() {
    QTest::addColumn<QString>("pfad1");
    QTest::addColumn<QString>("use1");
    QTest::addColumn<QString>("pfad2");
    QTest::addColumn<QString>("use2");
    QTest::addColumn<QString>("pfad");
    QTest::newRow("beide") << "/a"
                           << "-1"
                           << "/b"
                           << "-1"
                           << "/a;/b";
    QTest::newRow("nur erste") << "/a"
                               << "-1"
                               << "/b"
                               << "0"
                               << "/a;";
    QTest::newRow("nur zweite") << "/a"
                                << "0"
                                << "/b"
                                << "-1"
                                << ";/b";
    QTest::newRow("keine") << "/a"
                           << "0"
                           << "/b"
                           << "0"
                           << "";
    QTest::newRow("eingeschaltet, aber leer") << ""
                                              << "-1"
                                              << ""
                                              << "-1"
                                              << "";
  }
  void tablebasePfad() {
    QFETCH(QString, pfad1);
    QFETCH(QString, use1);
    QFETCH(QString, pfad2);
    QFETCH(QString, use2);
    QFETCH(QString, pfad);
    test::RecordingUi ui;
    speichern({{"Sprache/OptLanguage", "Dt"},
               {"EGTB/OptEGTBPfad1(3)", pfad1},
               {"EGTB/OptEGTBPfadUse1(3)", use1},
               {"EGTB/OptEGTBPfad2(3)", pfad2},
               {"EGTB/OptEGTBPfadUse2(3)", use2}});
    test::Standin_Antwort("DLL_TBInit", 1);
    QCOMPARE(EngineGlobal::Main(QString()), 0);
    QCOMPARE(tablebasePfade(), (QStringList{"", "", "", pfad, "", "", ""}));
  }

  // Per metric: tables found (TBInit's answer) and faulty files (TBError's
  // answer), for metrics 0..6 after the reset call.
  void tablebaseMeldungen_data() {
    QTest::addColumn<QList<int>>("gefunden");
    QTest::addColumn<QList<int>>("fehlerhaft");
    QTest::addColumn<QStringList>("meldungen");
    const QString keine = "In den angegebenen Verzeichnissen wurden keine EGTBs gefunden.";
    const QString eine = QString::fromUtf8(
        "Fehler beim Einlesen der EGTB: 1 Datei ist fehlerhaft. Für genauere Informationen "
        "lesen Sie bitte die Datei 'Log.txt'.");
    const QString zwei = QString::fromUtf8(
        "Fehler beim Einlesen der EGTB: 2 Dateien sind fehlerhaft. Für genauere Informationen "
        "lesen Sie bitte die Datei 'Log.txt'.");
    QTest::newRow("alles gut") << QList<int>{5, 5, 5, 5, 5, 5, 5} << QList<int>{0, 0, 0, 0, 0, 0, 0}
                               << QStringList{};
    QTest::newRow("Metrik 3 leer")
        << QList<int>{5, 5, 5, 0, 5, 5, 5} << QList<int>{0, 0, 0, 0, 0, 0, 0} << QStringList{keine};
    QTest::newRow("zwei fehlerhaft in Metrik 3")
        << QList<int>{5, 5, 5, 5, 5, 5, 5} << QList<int>{0, 0, 0, 2, 0, 0, 0} << QStringList{zwei};
    QTest::newRow("eine fehlerhaft, dann leer")
        << QList<int>{5, 0, 5, 5, 5, 5, 5} << QList<int>{1, 0, 0, 0, 0, 0, 0}
        << QStringList{eine, keine};
  }
  void tablebaseMeldungen() {
    QFETCH(QList<int>, gefunden);
    QFETCH(QList<int>, fehlerhaft);
    QFETCH(QStringList, meldungen);
    test::RecordingUi ui;
    QList<std::pair<QString, QString>> werte = {{"Sprache/OptLanguage", "Dt"}};
    for (int i = 0; i < 7; ++i) {
      werte.append(
          {QStringLiteral("EGTB/OptEGTBPfad1(%1)").arg(i), QStringLiteral("/tb%1").arg(i)});
      werte.append({QStringLiteral("EGTB/OptEGTBPfadUse1(%1)").arg(i), "-1"});
    }
    speichern(werte);
    test::Standin_Antwort("DLL_TBInit", 0);  // the reset
    for (int n : gefunden) test::Standin_Antwort("DLL_TBInit", n);
    for (int e : fehlerhaft) test::Standin_Antwort("DLL_TBError", e);
    QCOMPARE(EngineGlobal::Main(QString()), 0);
    QCOMPARE(texte(ui.boxen), meldungen);
    for (const auto& b : ui.boxen) {
      QCOMPARE(b.stil, MsgStil::Exclamation);
      QCOMPARE(b.titel, QStringLiteral("Galdrik - Fehler"));
    }
    QVERIFY(Oberflaeche::instanz());
  }

  void cacheMeldungen_data() {
    QTest::addColumn<int>("antwort");
    QTest::addColumn<QStringList>("meldungen");
    QTest::newRow("reserviert") << 0 << QStringList{};
    QTest::newRow("nur minimal")
        << -1
        << QStringList{QString::fromUtf8(
               "Error! The EGTB Cache couldn't be allocated in the demanded size, only with the "
               "minimal size of 1 MB.")};
    QTest::newRow("gar nicht") << -2
                               << QStringList{
                                      "Error! The EGTB Cache couldn't be allocated. Close "
                                      "other applications and try again."};
  }
  void cacheMeldungen() {
    QFETCH(int, antwort);
    QFETCH(QStringList, meldungen);
    test::RecordingUi ui;
    speichern({{"Sprache/OptLanguage", "En"}});
    test::Standin_Antwort("DLL_TBCache", antwort);
    QCOMPARE(EngineGlobal::Main(QString()), 0);
    QCOMPARE(texte(ui.boxen), meldungen);
    for (const auto& b : ui.boxen) {
      QCOMPARE(b.stil, MsgStil::Critical);
      QCOMPARE(b.titel, QStringLiteral("Galdrik - error"));
    }
    QVERIFY(Oberflaeche::instanz());
  }

  // Codes 1..5 end the program after the engine is released; every other
  // code goes on without a word.
  void engineStartfehler_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("meldung");
    const char* ende = " ist ein Fehler aufgetreten. Das Programm wird beendet.";
    QTest::newRow("1") << 1 << QString("Fehler! Beim Initialisieren der Suchvariablen") + ende;
    QTest::newRow("2") << 2 << QString("Fehler! Beim Einlesen der HashCode-Keys") + ende;
    QTest::newRow("3") << 3 << QString("Fehler! Beim Allokieren des Hashs") + ende;
    QTest::newRow("4") << 4 << QString::fromUtf8("Fehler! Beim Laden des Eröffnungsbuches") + ende;
    QTest::newRow("5") << 5 << QString("Fehler! Beim Generieren der Bitbases") + ende;
    QTest::newRow("6") << 6 << QString();
    QTest::newRow("-1") << -1 << QString();
  }
  void engineStartfehler() {
    QFETCH(int, code);
    QFETCH(QString, meldung);
    test::RecordingUi ui;
    speichern({{"Sprache/OptLanguage", "Dt"}});
    test::Standin_Antwort("DLL_EngineInit", code);
    const int ende = EngineGlobal::Main(QString());
    if (meldung.isEmpty()) {
      QCOMPARE(ende, 0);
      QVERIFY(ui.boxen.isEmpty());
      QVERIFY(Oberflaeche::instanz());
      return;
    }
    QCOMPARE(ende, EngineGlobal::kEndeEngineStart + code);
    QCOMPARE(texte(ui.boxen), QStringList{meldung});
    QCOMPARE(ui.boxen[0].stil, MsgStil::Critical);
    QCOMPARE(ui.boxen[0].titel, QStringLiteral("Galdrik - Fehler"));
    QCOMPARE(aufrufe().last(), QStringLiteral("DLL_EngineKill()"));
    QCOMPARE(aufrufe().count("DLL_EngineKill()"), 1);
    QVERIFY(!Oberflaeche::instanz());
    QVERIFY(!fenster("Start"));
  }

  void keinMMX() {
    test::RecordingUi ui;
    test::Standin_Antwort("DLL_CheckMMX", 0);
    QCOMPARE(EngineGlobal::Main(QString()), EngineGlobal::kEndeKeinMMX);
    QCOMPARE(texte(ui.boxen), QStringList{QString::fromUtf8(
                                  "Fehler! Auf diesem System werden keine MMX-Befehle unterstützt. "
                                  "Das Programm kann nicht ausgeführt werden.")});
    QCOMPARE(ui.boxen[0].stil, MsgStil::Critical);
    QCOMPARE(aufrufe().last(), QStringLiteral("DLL_CheckMMX()"));
    QVERIFY(!Oberflaeche::instanz());
  }

  // Stored hash sizes the engine cannot allocate: one more start with the
  // default sizes, which hold for this run only; the store keeps its values.
  void hashgroesseNochmalMitVorgabe_data() {
    QTest::addColumn<QString>("index");
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<int>("ende");
    QTest::addColumn<int>("starts");
    QTest::newRow("zweiter Start gelingt") << "40" << QList<int>{3, 0} << 0 << 2;
    QTest::newRow("auch der zweite scheitert") << "40" << QList<int>{3, 3} << 13 << 2;
    QTest::newRow("schon die Vorgabe") << "17" << QList<int>{3} << 13 << 1;
  }
  void hashgroesseNochmalMitVorgabe() {
    QFETCH(QString, index);
    QFETCH(QList<int>, codes);
    QFETCH(int, ende);
    QFETCH(int, starts);
    test::RecordingUi ui;
    speichern({{"Sprache/OptLanguage", "Dt"}, {"Optionen/OptHashIndex", index}});
    for (int c : codes) test::Standin_Antwort("DLL_EngineInit", c);
    QCOMPARE(EngineGlobal::Main(QString()), ende);
    const QStringList a = aufrufe();
    QCOMPARE(a.count("DLL_EngineInit()"), starts);
    QCOMPARE(gespeichert("Optionen/OptHashIndex"), index);
    if (starts == 2) {
      const qsizetype erster = a.indexOf("DLL_EngineInit()");
      QCOMPARE(a.mid(erster, 4), (QStringList{"DLL_EngineInit()", "DLL_EngineKill()",
                                              "DLL_HashParam(17,3,8)", "DLL_EngineInit()"}));
    }
    QCOMPARE(ui.boxen.size(), 1);
    if (ende == 0) {
      QCOMPARE(ui.boxen[0].text, Sprache::MsgHashStandard);
      QCOMPARE(ui.boxen[0].stil, MsgStil::Exclamation);
      QCOMPARE(EngineGlobal::einstellungen.OptHashIndex, 17);
      QVERIFY(Oberflaeche::instanz());
    } else {
      QVERIFY(ui.boxen[0].text.startsWith("Fehler! Beim Allokieren des Hashs"));
      QCOMPARE(a.last(), QStringLiteral("DLL_EngineKill()"));
    }
  }

  // A library that is missing, or lacks an export start-up needs, ends the
  // program with one critical box in the user's language; the engine is
  // never called.
  void ohneBibliothek_data() {
    QTest::addColumn<QString>("bibliothek");
    QTest::addColumn<int>("ende");
    QTest::addColumn<QString>("anfang");
    QTest::addColumn<QString>("enthaelt");
    QTest::newRow("fehlt") << "/gibt/es/nicht/libGaldrik.so" << EngineGlobal::kEndeBibliothek
                           << "Error! The program library"
                           << "/gibt/es/nicht/libGaldrik.so";
    QTest::newRow("keine Bibliothek") << kKeineBibliothek << EngineGlobal::kEndeBibliothek
                                      << "Error! The program library" << kKeineBibliothek;
    QTest::newRow("ohne DLL_EngineInit")
        << GALDRIK_STANDIN_OHNE_INIT_PATH << EngineGlobal::kEndeExport
        << "Error! The function 'DLL_EngineInit'" << GALDRIK_STANDIN_OHNE_INIT_PATH;
  }
  void ohneBibliothek() {
    QFETCH(QString, bibliothek);
    QFETCH(int, ende);
    QFETCH(QString, anfang);
    QFETCH(QString, enthaelt);
    test::RecordingUi ui;
    speichern({{"Sprache/OptLanguage", "En"}});
    test::standinLaden(bibliothek.toUtf8().constData());
    QCOMPARE(EngineGlobal::Main(QString()), ende);
    QCOMPARE(ui.boxen.size(), 1);
    QVERIFY2(ui.boxen[0].text.startsWith(anfang), qPrintable(ui.boxen[0].text));
    QVERIFY(ui.boxen[0].text.contains(enthaelt));
    QCOMPARE(ui.boxen[0].stil, MsgStil::Critical);
    QCOMPARE(ui.boxen[0].titel, QStringLiteral("Galdrik - error"));
    QVERIFY(!Oberflaeche::instanz());
    QVERIFY(!fenster("Start"));
    QVERIFY(!aufrufe().contains("DLL_CheckMMX()"));
  }

  // Without the tablebase exports the program starts as with "-noegtb" and
  // says so in the engine log.
  void ohneTablebaseExporte() {
    test::RecordingUi ui;
    speichern({{"Sprache/OptLanguage", "Dt"},
               {"EGTB/OptEGTBPfad1(0)", "/tb/dtm"},
               {"EGTB/OptEGTBPfadUse1(0)", "-1"}});
    test::standinLaden(GALDRIK_STANDIN_OHNE_TB_PATH);
    QCOMPARE(EngineGlobal::Main(QString()), 0);
    QVERIFY(ui.boxen.isEmpty());
    QVERIFY(Oberflaeche::instanz());
    for (const QString& a : aufrufe()) QVERIFY2(!a.startsWith("DLL_TB"), qPrintable(a));
    QFile log(EngineGlobal::Benutzerdatenordner() + "/Log.txt");
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("Start ohne EGTB"));
  }

  // Closing the choice applies the selected language, by Ok or by the
  // close box; untouched it is German.
  void sprachwahl_data() {
    QTest::addColumn<bool>("englisch");
    QTest::addColumn<bool>("perOk");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("titel");
    QTest::newRow("English, Ok") << true << true << "En"
                                 << "Chess program Galdrik";
    QTest::newRow("English, Schließfeld") << true << false << "En"
                                          << "Chess program Galdrik";
    QTest::newRow("unberührt, Schließfeld") << false << false << "Dt"
                                            << "Schachprogramm Galdrik";
  }
  void sprachwahl() {
    QFETCH(bool, englisch);
    QFETCH(bool, perOk);
    QFETCH(QString, code);
    QFETCH(QString, titel);
    test::RecordingUi ui;
    QCOMPARE(EngineGlobal::Main(QString()), 0);
    QWidget* wahl = fenster("Sprachwahl");
    QVERIFY(wahl);
    if (englisch) wahl->findChild<QRadioButton*>(QStringLiteral("Option2"))->setChecked(true);
    test::Standin_Zuruecksetzen();
    if (perOk)
      wahl->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    else
      wahl->close();
    QCOMPARE(gespeichert("Sprache/OptLanguage"), code);
    QCOMPARE(EngineGlobal::einstellungen.OptLanguage, code);
    QCOMPARE(Sprache::SprachCode, code);
    QCOMPARE(Sprache::FehlerTitel, code == "En" ? "Galdrik - error" : "Galdrik - Fehler");
    QCOMPARE(Oberflaeche::instanz()->windowTitle(), titel);
    QCOMPARE(aufrufe(), beschriften(code == "En" ? "PNBRQK" : "BSLTDK"));
    QTRY_VERIFY(!fenster("Sprachwahl"));
  }

  // On a first start the main window may come to the front over the
  // language choice: the choice shows itself again at once.
  void sprachwahlBleibtVorn() {
    test::RecordingUi ui;
    QCOMPARE(EngineGlobal::Main(QString()), 0);
    QWidget* wahl = fenster("Sprachwahl");
    QVERIFY(wahl);
    QVERIFY(QTest::qWaitForWindowActive(wahl));
    Oberflaeche::instanz()->activateWindow();
    QSignalSpy fokus(qApp, &QGuiApplication::focusWindowChanged);
    QTRY_VERIFY(!fokus.isEmpty());
    QTRY_COMPARE(QApplication::activeWindow(), wahl);
    // Its title fits its title bar.
    QVERIFY(wahl->width() >= Titelbreite(wahl->windowTitle()));
    wahl->close();
  }

  // The language menu switches the tables and the main window at once and
  // stores the choice; an open dialog keeps its texts until it loads again.
  void sprachmenue() {
    test::RecordingUi ui;
    speichern({{"Sprache/OptLanguage", "Dt"}});
    QCOMPARE(EngineGlobal::Main(QString()), 0);
    Oberflaeche* o = Oberflaeche::instanz();
    auto* menue = o->findChild<QMenu*>(QStringLiteral("MenüExtrasSprache"));
    auto* dt = o->findChild<QAction*>(QStringLiteral("MenüExtrasSpracheDt"));
    auto* en = o->findChild<QAction*>(QStringLiteral("MenüExtrasSpracheEn"));
    auto* fr = o->findChild<QAction*>(QStringLiteral("MenüExtrasSpracheFr"));
    QVERIFY(menue && dt && en && fr);
    QWidget dialog;
    dialog.setObjectName(QStringLiteral("PGNInfo"));
    Sprache::BeschriftungPGNInfo();

    auto haken = [&] {
      emit menue->aboutToShow();
      return QList<bool>{dt->isChecked(), en->isChecked(), fr->isChecked()};
    };
    QCOMPARE(haken(), (QList<bool>{true, false, false}));
    QCOMPARE(menue->title(), QStringLiteral("&Sprache"));

    en->trigger();
    QCOMPARE(Sprache::SprachCode, QStringLiteral("En"));
    QCOMPARE(Sprache::FehlerTitel, QStringLiteral("Galdrik - error"));
    QCOMPARE(o->windowTitle(), QStringLiteral("Chess program Galdrik"));
    QCOMPARE(menue->title(), QStringLiteral("&Language"));
    QCOMPARE(gespeichert("Sprache/OptLanguage"), QStringLiteral("En"));
    QCOMPARE(haken(), (QList<bool>{false, true, false}));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Galdrik - Partie-Informationen"));
    QVERIFY(!fr->isVisible());

    dt->trigger();
    QCOMPARE(o->windowTitle(), QStringLiteral("Schachprogramm Galdrik"));
    QCOMPARE(gespeichert("Sprache/OptLanguage"), QStringLiteral("Dt"));
    QCOMPARE(haken(), (QList<bool>{true, false, false}));
    QVERIFY(ui.boxen.isEmpty());
  }

  // The real library, once it has its start-up: the program comes up to its
  // main window and the engine log holds the start-up lines.
  void echteBibliothek() {
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_LIBRARY_PATH));
    if (!EngineComm::vorhanden("DLL_EngineInit"))
      QSKIP(
          "libGaldrik.so has no DLL_EngineInit yet: the start against it waits for the engine's "
          "start-up exports");
    // The build's own DTM set as the DTM directory: registered at start-up.
    speichern({{"Sprache/OptLanguage", "Dt"}, {"EGTB/OptEGTBPfad1(0)", GALDRIK_TB_DTM_DIR}});
    QCOMPARE(EngineGlobal::Main(QString()), 0);
    QVERIFY2(ui.boxen.isEmpty(), qPrintable(texte(ui.boxen).join('\n')));
    QVERIFY(Oberflaeche::instanz() && Oberflaeche::instanz()->isVisible());
    QFile log(EngineGlobal::Benutzerdatenordner() + "/Log.txt");
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray zeilen = log.readAll();
    for (const char* zeile : {"Protokolldatei\n", "Such-Var. initialisiert\n",
                              "Hashcode-Keys eingelesen\n", "Hash-Tab. allokiert\n"})
      QVERIFY2(zeilen.contains(zeile), zeile);
    // The last metric's registration, or the note that there was none.
    const bool tablebases = EngineComm::vorhanden("DLL_TBInit");
    QVERIFY(zeilen.contains(tablebases ? "EGTB(6)" : "Start ohne EGTB"));
    if (tablebases) QVERIFY(zeilen.contains("EGTB(0) initialisiert\n"));
  }
};

GALDRIK_GUI_TEST_MAIN(ProgrammstartTest)
#include "programmstart_test.moc"
