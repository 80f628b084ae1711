// The Game menu against the recording stand-in engine: a new game leaves
// the modes that are on and refuses searches while the table is missing;
// the PGN browser's lines, details, cancel and failures; loading a game;
// saving as PGN twice; the EPD line. Then, against the real library, games
// saved twice to one file index back and an EPD line is appended.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include "fakeui.h"
#include "fensterstart.h"
#include "guitest.h"
#include "shell/controls/farbe.h"
#include "shell/controls/textbox.h"
#include "shell/pgninfo.h"
#include "shell/sprache.h"

using namespace galdrik;

namespace {

const QString kDatei = QStringLiteral("/tmp/partien.pgn");
const QString kStrich = QStringLiteral(" \u2013 ");

// An empty file of that name in the folder, so a save dialog asks nothing
// before choosing it.
QString vorhandeneDatei(const QTemporaryDir& ordner, const char* name) {
  const QString pfad = ordner.filePath(QString::fromLatin1(name));
  QFile datei(pfad);
  if (datei.open(QIODevice::WriteOnly)) datei.close();
  return pfad;
}

QListWidget* liste(Oberflaeche* o) { return o->findChild<QListWidget*>("ListPGNDatei"); }

// The tags of one game as the stand-in's index hands them out: Event,
// Site, Date, Round, White, Black, Result.
void partie(int i, const QStringList& tags) {
  for (int f = 1; f <= 7; ++f) {
    const QByteArray schluessel =
        QStringLiteral("DLL_PGNDateiPartieInfo(%1,%2)").arg(i).arg(f).toUtf8();
    test::Standin_TextSetzen(schluessel.constData(), tags[f - 1].toUtf8());
  }
}

// Opens kDatei with n games in the browser.
void browserOeffnen(Oberflaeche* o, test::RecordingUi& ui, int n) {
  test::Standin_Antwort("DLL_PGNDateiLaden", n);
  ui.dialogAntworten << kDatei;
  test::menue(o, "MenüPartieÖffnenPGN");
}

bool ziehen(const char* zug) {
  EngineComm::DLL_ZugAnz();
  const int32_t i = EngineComm::DLL_PGNInput(zug, "PNBRQK");
  if (i < 0) return false;
  EngineComm::DLL_ZugMachen(i);
  return true;
}

QList<PGNInfo*> tagdialoge() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QList<PGNInfo*> offen;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<PGNInfo*>(w); d && d->isVisible()) offen << d;
  return offen;
}

}  // namespace

class PartieTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::standinLaden(GALDRIK_STANDIN_PATH); }
  void cleanup() {
    for (PGNInfo* d : tagdialoge()) d->Verwerfen();
    test::beenden();
  }

  // A new game leaves the browser and tablebase mode when they are on, and
  // only then; a fresh table, a new record, an empty engine text, and the
  // engine waits for the user's move.
  void neuePartie_data() {
    QTest::addColumn<bool>("browser");
    QTest::addColumn<bool>("tablebase");
    QTest::newRow("keine Betriebsart") << false << false;
    QTest::newRow("Browser") << true << false;
    QTest::newRow("Tablebase") << false << true;
    QTest::newRow("beide") << true << true;
  }
  void neuePartie() {
    QFETCH(bool, browser);
    QFETCH(bool, tablebase);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    if (browser) browserOeffnen(o, ui, 1);
    if (tablebase) {
      GUIStellung wenige{};
      wenige[4] = 6;
      wenige[60] = -6;
      wenige[3] = 5;
      wenige[EngineComm::GS::AmZug] = 1;
      test::Standin_StellungSetzen(wenige.data());
      o->ButtonBrettTB_Click();
      QCOMPARE(o->bTBModus, Wahr);
    }
    o->findChild<TextBox*>("TextEngine")->setText("Suche...");
    test::Standin_Zuruecksetzen();

    test::menue(o, "MenüPartieNeu");
    const QStringList aufrufe = test::fensterAufrufe();
    const qsizetype hash = aufrufe.indexOf("DLL_HashReAllok()");
    QVERIFY(hash >= 0);
    QCOMPARE(aufrufe.contains("DLL_PGNDateiSchliessen()"), browser);
    QCOMPARE(aufrufe.mid(hash, 5),
             (QStringList{"DLL_HashReAllok()", "DLL_HashLeeren()", "DLL_PartieBeginn()",
                          "DLL_StellungGet()", "DLL_ZugAnz()"}));
    if (browser) QVERIFY(aufrufe.indexOf("DLL_PGNDateiSchliessen()") < hash);
    QCOMPARE(o->bPGNModus, Falsch);
    QCOMPARE(o->bTBModus, Falsch);
    QVERIFY(test::sichtbar(o, "FrameNotation"));
    QVERIFY(!test::sichtbar(o, "FramePGN"));
    QCOMPARE(o->findChild<TextBox*>("TextEngine")->text(), QString());
    QCOMPARE(o->tStellungKopie[4], 6);
    QCOMPARE(o->tStellungKopie[12], 1);
    QCOMPARE(o->bZugParitaet, Wahr);
    QCOMPARE(o->bHashtabelleFehlt, Falsch);
    QVERIFY(ui.boxen.isEmpty());
  }

  // A table that cannot be made anew is reported; until one is made, every
  // search start is refused and reported again, and the first success ends
  // that with an empty table.
  void hashtabelleFehlt() {
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    for (int r : {-2, -2, 0}) test::Standin_Antwort("DLL_HashReAllok", r);
    test::menue(o, "MenüPartieNeu");
    QCOMPARE(o->bHashtabelleFehlt, Wahr);
    QCOMPARE(ui.boxen.size(), 1);
    QCOMPARE(ui.boxen[0].text, Sprache::MsgKeineHashtabelle);
    QCOMPARE(ui.boxen[0].stil, MsgStil::Exclamation);
    QCOMPARE(ui.boxen[0].titel, Sprache::FehlerTitel);
    QCOMPARE(test::aufrufeVon("DLL_PartieBeginn").size(), 2);  // the load's and the new game's

    // The compute button asks for the table first: no search, the button
    // and the menus as before the press.
    QTest::mouseClick(o->findChild<QPushButton*>("ButtonBrettBerechnen"), Qt::LeftButton);
    QCOMPARE(ui.boxen.size(), 2);
    QCOMPARE(ui.boxen[1].text, Sprache::MsgKeineHashtabelle);
    QVERIFY(test::aufrufeVon("DLL_SuchStart").isEmpty());
    QCOMPARE(o->bSucheLaeuft, Falsch);
    QCOMPARE(farbe::KnopfFarbe(*o->findChild<QPushButton*>("ButtonBrettBerechnen")),
             farbe::kSystemButtonFace);
    QVERIFY(o->findChild<QMenu*>("MenüPartie")->menuAction()->isEnabled());
    test::Standin_Zuruecksetzen();
    QVERIFY(o->HashtabelleBereit());
    QCOMPARE(test::fensterAufrufe(), (QStringList{"DLL_HashReAllok()", "DLL_HashLeeren()"}));
    QVERIFY(o->HashtabelleBereit());
    QCOMPARE(test::fensterAufrufe().size(), 2);
    QCOMPARE(ui.boxen.size(), 2);
  }

  // While a search or the EPD test runs on the table, a new game only
  // beeps.
  void neuePartieWartet_data() {
    QTest::addColumn<bool>("suche");
    QTest::newRow("Suche") << true;
    QTest::newRow("EPD-Test") << false;
  }
  void neuePartieWartet() {
    QFETCH(bool, suche);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    test::Standin_Zuruecksetzen();
    o->bSucheLaeuft = AlsBoolean(suche);
    if (!suche) test::Standin_Antwort("DLL_EPDTestFertig", 0);
    test::menue(o, "MenüPartieNeu");
    o->bSucheLaeuft = Falsch;
    QCOMPARE(ui.beeps, 1);
    for (const char* name : {"DLL_HashReAllok", "DLL_HashLeeren", "DLL_PartieBeginn"})
      QVERIFY2(test::aufrufeVon(name).isEmpty(), name);
  }

  // One line per game: White and Black cut before the first comma, then
  // result, site and date; the first line is chosen and its details show
  // the names in full with event, site, date and result.
  void browser_data() {
    QTest::addColumn<QList<QStringList>>("partien");
    QTest::addColumn<QStringList>("zeilen");
    QTest::addColumn<QString>("details");
    const QStringList wm = {"WM 1985",         "Moskau",          "1985.10.15", "16",
                            "Kasparov, Garry", "Karpov, Anatoly", "1-0"};
    QTest::newRow("eine Partie, Namen mit Komma")
        << QList<QStringList>{wm}
        << QStringList{"Kasparov" + kStrich + "Karpov 1-0, Moskau 1985.10.15"}
        << "Kasparov, Garry" + kStrich + "Karpov, Anatoly\nWM 1985, Moskau 1985.10.15\n1-0";
    const QStringList ohne = {"Übung", "Köln", "2026.03.05", "1", "Müller", "Schmidt", "1/2-1/2"};
    const QStringList leer = {"", "", "", "", "", "", ""};
    QTest::newRow("ohne Komma, leere Tags")
        << QList<QStringList>{ohne, leer, wm}
        << QStringList{"Müller" + kStrich + "Schmidt 1/2-1/2, Köln 2026.03.05", kStrich + " ,  ",
                       "Kasparov" + kStrich + "Karpov 1-0, Moskau 1985.10.15"}
        << "Müller" + kStrich + "Schmidt\nÜbung, Köln 2026.03.05\n1/2-1/2";
  }
  void browser() {
    QFETCH(QList<QStringList>, partien);
    QFETCH(QStringList, zeilen);
    QFETCH(QString, details);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    o->show();
    for (int i = 0; i < partien.size(); ++i) partie(i, partien[i]);
    browserOeffnen(o, ui, static_cast<int>(partien.size()));

    QCOMPARE(ui.dialoge.size(), 1);
    const DateiAnfrage& a = ui.dialoge[0].anfrage;
    QVERIFY(!ui.dialoge[0].speichern);
    QCOMPARE(a.dateiname, QStringLiteral("*.pgn"));
    QCOMPARE(a.filter, QStringLiteral("Portable Game Notation (*.pgn)|*.pgn"));
    QCOMPARE(a.titel, QStringLiteral("Galdrik - PGN-Datei öffnen"));
    QCOMPARE(a.flags, 4096);
    QCOMPARE(test::aufrufeVon("DLL_PGNDateiLaden"),
             QStringList{"DLL_PGNDateiLaden(\"" + kDatei + "\")"});
    QCOMPARE(o->sPGNDateiname, kDatei);

    QStringList gezeigt;
    for (int i = 0; i < liste(o)->count(); ++i) gezeigt << liste(o)->item(i)->text();
    QCOMPARE(gezeigt, zeilen);
    QCOMPARE(liste(o)->currentRow(), 0);
    QCOMPARE(o->findChild<QLabel*>("ObfLabelPGNPartieDaten")->text(), details);
    QCOMPARE(o->bPGNModus, Wahr);
    QVERIFY(test::sichtbar(o, "FramePGN"));
    QVERIFY(!test::sichtbar(o, "FrameNotation"));
    QVERIFY(liste(o)->isVisible());
    QCOMPARE(o->focusWidget(), o->findChild<QWidget*>("ButtonPGNPartieÖffnen"));
    // The layout keeps the notation hidden while the browser is open.
    o->ResizeExtern();
    QVERIFY(!test::sichtbar(o, "FrameNotation"));
    QVERIFY(ui.boxen.isEmpty());
  }

  // Cancelling the dialog is silent, a file without games or one that
  // cannot be read is reported; either way the browser ends closed (an
  // open one is closed before the dialog) and the game is not touched.
  void oeffnenFehler_data() {
    QTest::addColumn<bool>("abbrechen");
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<bool>("warOffen");
    QTest::newRow("Abbruch") << true << 0 << false;
    QTest::newRow("Abbruch bei offenem Browser") << true << 0 << true;
    QTest::newRow("keine Partie") << false << 0 << false;
    QTest::newRow("unlesbar") << false << -1 << true;
    QTest::newRow("Tag-Zeile kaputt") << false << -4 << false;
  }
  void oeffnenFehler() {
    QFETCH(bool, abbrechen);
    QFETCH(int, anzahl);
    QFETCH(bool, warOffen);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    if (warOffen) browserOeffnen(o, ui, 2);
    test::Standin_Zuruecksetzen();
    test::Standin_Antwort("DLL_PGNDateiLaden", anzahl);
    if (!abbrechen) ui.dialogAntworten << QStringLiteral("/tmp/kaputt.pgn");
    test::menue(o, "MenüPartieÖffnenPGN");

    if (abbrechen) {
      QVERIFY(ui.boxen.isEmpty());
      QVERIFY(test::aufrufeVon("DLL_PGNDateiLaden").isEmpty());
    } else {
      QCOMPARE(ui.boxen.size(), 1);
      QCOMPARE(ui.boxen[0].text, QStringLiteral("Fehler! Die Datei konnte nicht geöffnet werden."));
      QCOMPARE(ui.boxen[0].stil, MsgStil::Critical);
      QCOMPARE(ui.boxen[0].titel, Sprache::FehlerTitel);
    }
    QCOMPARE(test::aufrufeVon("DLL_PGNDateiSchliessen").size(), warOffen ? 1 : 0);
    QCOMPARE(o->bPGNModus, Falsch);
    QVERIFY(!test::sichtbar(o, "FramePGN"));
    QVERIFY(test::sichtbar(o, "FrameNotation"));
    for (const char* name :
         {"DLL_PartieBeginn", "DLL_PGNDateiPartieLoad", "DLL_PGNDateiPartieInfo"})
      QVERIFY2(test::aufrufeVon(name).isEmpty(), name);
  }

  // The chosen game is loaded from the file the browser shows; a game that
  // cannot be read is reported, and either way the browser closes and the
  // window shows what the engine now holds.
  void laden_data() {
    QTest::addColumn<int>("ergebnis");
    QTest::addColumn<QString>("abbruch");  // where the engine stopped reading
    QTest::addColumn<QString>("meldung");
    QTest::newRow("gelesen") << 0 << QString() << QString();
    QTest::newRow("FEN ungültig") << -1 << QString()
                                  << "Fehler! Die Partie konnte nicht korrekt gelesen werden.";
    QTest::newRow("Halbzug zu hoch")
        << -2 << QString() << "Fehler! Die Partie konnte nicht korrekt gelesen werden.";
    QTest::newRow("nur zum Teil gelesen")
        << 0 << "2. Qxf7"
        << "Die Partie konnte nur bis zum Zug 2. Qxf7 gelesen werden; geladen sind die Züge davor.";
  }
  void laden() {
    QFETCH(int, ergebnis);
    QFETCH(QString, abbruch);
    QFETCH(QString, meldung);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    browserOeffnen(o, ui, 3);
    liste(o)->setCurrentRow(2);
    o->findChild<TextBox*>("TextEngine")->setText("alt");
    test::Standin_Zuruecksetzen();
    test::Standin_Antwort("DLL_PGNDateiPartieLoad", ergebnis);
    test::Standin_TextSetzen("DLL_PGNDateiPartieAbbruch", abbruch.toUtf8().constData());
    GUIStellung geladen{};
    geladen[4] = 6;
    geladen[60] = -6;
    geladen[EngineComm::GS::AmZug] = 0;
    test::Standin_StellungSetzen(geladen.data());

    QTest::mouseClick(o->findChild<QPushButton*>("ButtonPGNPartieÖffnen"), Qt::LeftButton);
    const QStringList aufrufe = test::fensterAufrufe();
    QCOMPARE(aufrufe.first(), "DLL_PGNDateiPartieLoad(\"" + kDatei + "\",2)");
    QCOMPARE(aufrufe.last(), QStringLiteral("DLL_PGNDateiSchliessen()"));
    QCOMPARE(ui.boxen.size(), meldung.isEmpty() ? 0 : 1);
    if (!meldung.isEmpty()) {
      QCOMPARE(ui.boxen[0].text, meldung);
      QCOMPARE(ui.boxen[0].stil, MsgStil::Exclamation);
      QCOMPARE(ui.boxen[0].titel, Sprache::FehlerTitel);
    }
    QCOMPARE(o->tStellungKopie[EngineComm::GS::AmZug], 0);
    QCOMPARE(o->tStellungKopie[0], 0);
    QCOMPARE(o->bZugParitaet, Wahr);
    QCOMPARE(o->findChild<TextBox*>("TextEngine")->text(), QString());
    QCOMPARE(o->bPGNModus, Falsch);
    QVERIFY(!test::sichtbar(o, "FramePGN"));
    QVERIFY(test::sichtbar(o, "FrameNotation"));
  }

  // Back closes the browser and frees the index; the game stays.
  void zurueck() {
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    browserOeffnen(o, ui, 1);
    test::Standin_Zuruecksetzen();
    QTest::mouseClick(o->findChild<QPushButton*>("ButtonPGNPartieZurück"), Qt::LeftButton);
    QCOMPARE(test::aufrufeVon("DLL_PGNDateiSchliessen").size(), 1);
    for (const char* name : {"DLL_PartieBeginn", "DLL_PGNDateiPartieLoad"})
      QVERIFY2(test::aufrufeVon(name).isEmpty(), name);
    QCOMPARE(o->bPGNModus, Falsch);
    QVERIFY(!test::sichtbar(o, "FramePGN"));
    QVERIFY(test::sichtbar(o, "FrameNotation"));
  }

  // Saving asks for the file, then the tag dialog writes the game there. A
  // second save replaces a dialog still open without writing its game, so
  // the game reaches the file once. A cancelled dialog opens nothing.
  void speichernPGN() {
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    o->show();
    test::menue(o, "MenüPartieSpeichernPGN");
    QCOMPARE(ui.dialoge.size(), 1);
    QVERIFY(ui.dialoge[0].speichern);
    const DateiAnfrage& a = ui.dialoge[0].anfrage;
    QCOMPARE(a.dateiname, QStringLiteral("*.pgn"));
    QCOMPARE(a.filter, QStringLiteral("Portable Game Notation (*.pgn)|*.pgn"));
    QCOMPARE(a.titel, QStringLiteral("Galdrik - Partie speichern"));
    QCOMPARE(a.flags, 8196);
    QVERIFY(tagdialoge().isEmpty());

    // Files that exist already: the dialog asks nothing more.
    QTemporaryDir ordner;
    const QString erste = vorhandeneDatei(ordner, "erste.pgn");
    const QString zweite = vorhandeneDatei(ordner, "zweite.pgn");
    test::Standin_Zuruecksetzen();
    ui.dialogAntworten << erste << zweite;
    test::menue(o, "MenüPartieSpeichernPGN");
    QCOMPARE(tagdialoge().size(), 1);
    QPointer<PGNInfo> erster = tagdialoge()[0];
    QCOMPARE(erster->sZielDatei, erste);
    QCOMPARE(erster->parentWidget(), o);
    test::menue(o, "MenüPartieSpeichernPGN");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(erster.isNull());
    QCOMPARE(tagdialoge().size(), 1);
    QVERIFY(test::aufrufeVon("DLL_DateiSpeichern").isEmpty());
    tagdialoge()[0]->Command1_Click();
    QCOMPARE(test::aufrufeVon("DLL_DateiSpeichern"),
             QStringList{"DLL_DateiSpeichern(\"" + zweite + "\",1)"});
    QVERIFY(ui.boxen.isEmpty());
  }

  // The EPD line starts as the position's FEN without its move counters
  // and is appended as the user completed it; a cancelled or emptied input
  // writes nothing, a failed append is reported.
  void epd_data() {
    QTest::addColumn<bool>("dateiGewaehlt");
    QTest::addColumn<std::optional<QString>>("eingabe");
    QTest::addColumn<int>("ergebnis");
    QTest::addColumn<bool>("geschrieben");
    QTest::addColumn<bool>("meldung");
    const QString zeile = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm e4;";
    QTest::newRow("angehängt") << true << std::optional<QString>(zeile) << 0 << true << false;
    QTest::newRow("Schreibfehler") << true << std::optional<QString>(zeile) << -1 << true << true;
    QTest::newRow("Eingabe abgebrochen") << true << std::optional<QString>() << 0 << false << false;
    QTest::newRow("Eingabe geleert") << true << std::optional<QString>("") << 0 << false << false;
    QTest::newRow("Datei abgebrochen")
        << false << std::optional<QString>(zeile) << 0 << false << false;
  }
  void epd() {
    QFETCH(bool, dateiGewaehlt);
    QFETCH(std::optional<QString>, eingabe);
    QFETCH(int, ergebnis);
    QFETCH(bool, geschrieben);
    QFETCH(bool, meldung);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    QTemporaryDir ordner;
    const QString ziel = vorhandeneDatei(ordner, "stellung.epd");
    if (dateiGewaehlt) ui.dialogAntworten << ziel;
    ui.eingabeAntworten << eingabe;
    test::Standin_Zuruecksetzen();
    test::Standin_TextSetzen("DLL_FENOutput",
                             "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    test::Standin_Antwort("DLL_EPDSpeichern", ergebnis);
    test::menue(o, "MenüPartiePositionSpeichernEPD");

    QCOMPARE(ui.dialoge.size(), 1);
    const DateiAnfrage& a = ui.dialoge[0].anfrage;
    QCOMPARE(a.dateiname, QStringLiteral("*.epd"));
    QCOMPARE(a.filter, QStringLiteral("Extended Position Description (*.epd)|*.epd"));
    QCOMPARE(a.titel, QStringLiteral("Galdrik - Position speichern"));
    QCOMPARE(a.flags, 8196);
    QCOMPARE(ui.eingaben.size(), dateiGewaehlt ? 1 : 0);
    if (dateiGewaehlt) {
      QCOMPARE(ui.eingaben[0].prompt, QStringLiteral("Bitte vervollständigen Sie den EPD-String"));
      QCOMPARE(ui.eingaben[0].titel, QStringLiteral("Galdrik"));
      QCOMPARE(ui.eingaben[0].vorgabe,
               QStringLiteral("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - "));
      QCOMPARE(test::aufrufeVon("DLL_FENOutput"), QStringList{"DLL_FENOutput(1)"});
    }
    const QStringList schreiben = test::aufrufeVon("DLL_EPDSpeichern");
    if (geschrieben)
      QCOMPARE(schreiben, QStringList{"DLL_EPDSpeichern(\"" + ziel + "\",\"" + *eingabe + "\",1)"});
    else
      QVERIFY(schreiben.isEmpty());
    QCOMPARE(ui.boxen.size(), meldung ? 1 : 0);
    if (meldung) {
      QCOMPARE(ui.boxen[0].text,
               QStringLiteral("Fehler! Die Datei konnte nicht geöffnet/erstellt werden."));
      QCOMPARE(ui.boxen[0].stil, MsgStil::Critical);
    }
  }

  // Against the real library: two saves to one file give two games, each
  // after an empty line, that the browser lists and loads back; the EPD
  // line of the start position is appended to its file.
  void echteDateien() {
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_LIBRARY_PATH));
    if (!EngineComm::vorhanden("DLL_PGNDateiLaden")) QSKIP("the library has no PGN exports");
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    o->show();
    QTemporaryDir ordner;
    const QString pgn = ordner.filePath("partien.pgn");

    const QList<QStringList> tags = {{"Kasparov, Garry", "Karpov, Anatoly", "1-0"},
                                     {"Müller", "Schmidt", "1/2-1/2"}};
    for (int i = 0; i < 2; ++i) {
      for (const char* zug : {"e4", "e5", "Nf3"}) QVERIFY(ziehen(zug));
      if (i == 1) QVERIFY(ziehen("Nc6"));
      ui.dialogAntworten << pgn;
      test::menue(o, "MenüPartieSpeichernPGN");
      PGNInfo* d = tagdialoge().value(0);
      QVERIFY(d);
      d->findChild<QLineEdit*>("Text1(1)")->setText("Köln");
      d->findChild<QLineEdit*>("Text1(3)")->setText(tags[i][0]);
      d->findChild<QLineEdit*>("Text1(4)")->setText(tags[i][1]);
      d->findChild<QComboBox*>("Combo1")->setCurrentText(tags[i][2]);
      d->Command1_Click();
      QVERIFY(tagdialoge().isEmpty());
      test::menue(o, "MenüPartieNeu");
    }
    // Only the first save made the file, and asked before.
    QCOMPARE(ui.boxen.size(), 1);
    QCOMPARE(ui.boxen.takeFirst().text, Sprache::MsgDateiErstellen.arg(pgn));
    QFile datei(pgn);
    QVERIFY(datei.open(QIODevice::ReadOnly));
    const QString inhalt = QString::fromUtf8(datei.readAll());
    QCOMPARE(inhalt.count("[Event "), 2);
    QVERIFY(inhalt.startsWith("\n[Event "));
    QCOMPARE(inhalt.count("\n\n[Event "), 1);

    const QString heute = QDate::currentDate().toString("yyyy.MM.dd");
    ui.dialogAntworten << pgn;
    test::menue(o, "MenüPartieÖffnenPGN");
    QVERIFY2(ui.boxen.isEmpty(), qPrintable(ui.boxen.value(0).text));
    QCOMPARE(liste(o)->count(), 2);
    QCOMPARE(liste(o)->item(0)->text(), "Kasparov" + kStrich + "Karpov 1-0, Köln " + heute);
    QCOMPARE(liste(o)->item(1)->text(), "Müller" + kStrich + "Schmidt 1/2-1/2, Köln " + heute);
    liste(o)->setCurrentRow(1);
    QCOMPARE(o->findChild<QLabel*>("ObfLabelPGNPartieDaten")->text(),
             "Müller" + kStrich + "Schmidt\n, Köln " + heute + "\n1/2-1/2");
    QTest::mouseClick(o->findChild<QPushButton*>("ButtonPGNPartieÖffnen"), Qt::LeftButton);
    QVERIFY(ui.boxen.isEmpty());
    QCOMPARE(o->bPGNModus, Falsch);
    // The loaded game stands at its start; its four moves are there.
    for (int i = 0; i < 4; ++i) EngineComm::DLL_ZugPlus();
    QCOMPARE(EngineGlobal::EngineStringHolen(EngineComm::DLL_FENOutput(5)).section(' ', 0, 1),
             QStringLiteral("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w"));

    test::menue(o, "MenüPartieNeu");
    const QString epd = ordner.filePath("stellung.epd");
    const QString zeile = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm e4;";
    for (int i = 0; i < 2; ++i) {
      ui.dialogAntworten << epd;
      ui.eingabeAntworten << zeile;
      test::menue(o, "MenüPartiePositionSpeichernEPD");
    }
    QCOMPARE(ui.eingaben.last().vorgabe,
             QStringLiteral("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - "));
    QFile epdDatei(epd);
    QVERIFY(epdDatei.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(epdDatei.readAll()), zeile + "\n" + zeile + "\n");
    QCOMPARE(ui.boxen.size(), 1);
    QCOMPARE(ui.boxen[0].text, Sprache::MsgDateiErstellen.arg(epd));
  }
};

GALDRIK_GUI_TEST_MAIN(PartieTest)
#include "partie_test.moc"
