// One session as a user would have it, against the real library: the
// program starts in German, the user plays e2-e4 and the engine answers,
// the user steps back and forward, comments the answer, saves the game as
// PGN, opens the file in the browser and loads the game back, switches to
// English and quits. A picture of the main window is saved after each step.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "fakeui.h"
#include "fensterstart.h"
#include "guitest.h"
#include "shell/controls/picturebox.h"
#include "shell/controls/textbox.h"
#include "shell/controls/twips.h"
#include "shell/pgninfo.h"
#include "shell/sprache.h"

using namespace galdrik;
using EngineComm::GS::AmZug;

namespace {

const QString kKommentar = QStringLiteral("Gut gespielt");

QString notation(Oberflaeche* o) { return o->findChild<TextBox*>("TextNotation")->text(); }

PGNInfo* tagdialog() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<PGNInfo*>(w); d && d->isVisible()) return d;
  return nullptr;
}

}  // namespace

class E2ETest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { test::beenden(); }

  void sitzung() {
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_LIBRARY_PATH));
    Oberflaeche* o = test::starten({{"Optionen/OptSuchModus", "0"},
                                    {"Optionen/OptSuchTiefe", "2"},
                                    {"Optionen/OptAutoAntw", "1"}});
    QVERIFY(o);
    o->show();
    QVERIFY(QTest::qWaitForWindowExposed(o));
    QCOMPARE(Sprache::SprachCode, QStringLiteral("Dt"));
    QCOMPARE(o->findChild<QMenu*>("MenüPartie")->title(), QStringLiteral("&Partie"));
    bild(o, "01-start");

    // The user's move; the engine answers on its own.
    auto* brett = o->findChild<PictureBox*>("BrettBild");
    QTest::mousePress(brett, Qt::LeftButton, {}, test::feldMitte(o, 12));
    QTest::mouseRelease(brett, Qt::LeftButton, {}, test::feldMitte(o, 28));
    QCOMPARE(o->tStellungKopie[28], 1);
    bild(o, "02-e2e4");
    QTRY_VERIFY_WITH_TIMEOUT(o->bSucheLaeuft == Falsch && o->tStellungKopie[AmZug] == 1, 30000);
    const GUIStellung nachAntwort = o->tStellungKopie;
    QVERIFY(notation(o).contains(QStringLiteral("e4")));
    bild(o, "03-antwort");

    // Back and forward with the buttons beside the board; a step is no move
    // of the user's, so the engine does not answer it.
    const auto schritt = [o](const char* knopf) {
      QTest::mouseClick(o->findChild<QPushButton*>(QString::fromUtf8(knopf)), Qt::LeftButton);
    };
    schritt("ButtonBrettZurück");
    QCOMPARE(o->tStellungKopie[AmZug], 0);
    QCOMPARE(o->tStellungKopie[28], 1);
    bild(o, "04-zurueck");
    schritt("ButtonBrettVorwärts");
    QCOMPARE(o->tStellungKopie, nachAntwort);
    QCOMPARE(o->bSucheLaeuft, Falsch);
    bild(o, "05-vor");

    // A comment on the engine's answer, typed into the notation's pop-up
    // menu's input.
    ui.eingabeAntworten << std::optional<QString>(kKommentar);
    test::menue(o, "MenüPopUpNotationKommentar");
    QVERIFY(notation(o).contains(kKommentar));
    const QString gespeicherteNotation = notation(o);
    bild(o, "06-kommentar");

    // Saved as PGN through the tag dialog.
    QTemporaryDir ordner;
    const QString pgn = ordner.filePath(QStringLiteral("sitzung.pgn"));
    ui.dialogAntworten << pgn;
    test::menue(o, "MenüPartieSpeichernPGN");
    PGNInfo* tags = tagdialog();
    QVERIFY(tags);
    tags->findChild<QLineEdit*>("Text1(3)")->setText(QStringLiteral("Müller, Jörg"));
    tags->findChild<QLineEdit*>("Text1(4)")->setText(QStringLiteral("Galdrik"));
    bild(o, "07-tagdialog");
    QVERIFY(tags->grab().save(ausgabe("07-tagdialog-fenster")));
    tags->Command1_Click();
    QVERIFY(!tagdialog());
    QFile datei(pgn);
    QVERIFY(datei.open(QIODevice::ReadOnly));
    const QString inhalt = QString::fromUtf8(datei.readAll());
    // The file is new: the save dialog asked before making it.
    QCOMPARE(ui.boxen.size(), 1);
    QCOMPARE(ui.boxen.takeFirst().text, Sprache::MsgDateiErstellen.arg(pgn));
    QVERIFY2(inhalt.contains(QStringLiteral("[White \"Müller, Jörg\"]")), qPrintable(inhalt));
    QVERIFY2(inhalt.contains(QStringLiteral("1.e2-e4 ")), qPrintable(inhalt));
    QVERIFY2(inhalt.contains("{" + kKommentar + "}"), qPrintable(inhalt));
    // The dialog's default result "?" is written as PGN's unknown result, so
    // another reader takes the file.
    QVERIFY2(inhalt.contains(QStringLiteral("[Result \"*\"]")), qPrintable(inhalt));
    QVERIFY2(inhalt.trimmed().endsWith(QStringLiteral(" *")), qPrintable(inhalt));
    pruefenMitPgnExtract(pgn, 2);

    // A new game, then the saved one back from the browser.
    test::menue(o, "MenüPartieNeu");
    QVERIFY(!notation(o).contains(kKommentar));
    ui.dialogAntworten << pgn;
    test::menue(o, "MenüPartieÖffnenPGN");
    auto* liste = o->findChild<QListWidget*>("ListPGNDatei");
    QCOMPARE(liste->count(), 1);
    QVERIFY(liste->item(0)->text().startsWith(QStringLiteral("Müller \u2013 Galdrik *, ")));
    QVERIFY(o->findChild<QWidget*>("FramePGN")->isVisible());
    bild(o, "08-browser");
    QTest::mouseClick(o->findChild<QPushButton*>("ButtonPGNPartieÖffnen"), Qt::LeftButton);
    QCOMPARE(o->bPGNModus, Falsch);
    QCOMPARE(notation(o), gespeicherteNotation);
    // The loaded game stands at its start; its two moves lead to the
    // position the session reached.
    schritt("ButtonBrettVorwärts");
    schritt("ButtonBrettVorwärts");
    QCOMPARE(o->tStellungKopie, nachAntwort);
    QCOMPARE(o->bSucheLaeuft, Falsch);
    bild(o, "09-geladen");

    test::menue(o, "MenüExtrasSpracheEn");
    QCOMPARE(Sprache::SprachCode, QStringLiteral("En"));
    QCOMPARE(o->findChild<QMenu*>("MenüPartie")->title(), QStringLiteral("&Game"));
    bild(o, "10-englisch");

    test::menue(o, "MenüPartieProgrammBeenden");
    QVERIFY(!o->isVisible());
    QVERIFY2(ui.boxen.isEmpty(), qPrintable(ui.boxen.value(0).text));
    QCOMPARE(ui.beeps, 0);
  }

 private:
  // An independent PGN reader must read the file as one game of so many
  // moves, without a complaint.
  static void pruefenMitPgnExtract(const QString& pgn, int zuege) {
    const QString programm = QStandardPaths::findExecutable(
        QStringLiteral("pgn-extract"), {QStringLiteral("/usr/games"), QStringLiteral("/usr/bin")});
    QVERIFY2(!programm.isEmpty(), "pgn-extract fehlt (scripts/setup.sh installiert es)");
    QProcess leser;
    leser.start(programm, {QStringLiteral("-s"), QStringLiteral("-w1000"), pgn});
    QVERIFY(leser.waitForFinished(30000));
    const QString ausgabe = QString::fromUtf8(leser.readAllStandardOutput());
    const QString fehler = QString::fromUtf8(leser.readAllStandardError());
    QCOMPARE(leser.exitCode(), 0);
    QVERIFY2(fehler.trimmed().isEmpty(), qPrintable(fehler));
    QCOMPARE(ausgabe.count(QStringLiteral("[Event ")), 1);
    QVERIFY2(ausgabe.contains(QStringLiteral("[Result \"*\"]")), qPrintable(ausgabe));
    QString zugtext = ausgabe.mid(ausgabe.lastIndexOf(QStringLiteral("]\n")) + 2).simplified();
    zugtext.remove(QRegularExpression(QStringLiteral("\\{[^}]*\\}")));
    const QStringList teile = zugtext.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int gelesen = 0;
    for (const QString& t : teile)
      if (!t.front().isDigit() && t != QLatin1String("*")) ++gelesen;
    QCOMPARE(gelesen, zuege);
  }

  static QString ausgabe(const char* name) {
    const QString ordner =
        qEnvironmentVariable("GALDRIK_TEST_OUTPUT", QStringLiteral(GALDRIK_TEST_OUTPUT));
    QDir().mkpath(ordner);
    return ordner + QStringLiteral("/e2e-") + QString::fromUtf8(name) + QStringLiteral(".png");
  }
  static void bild(Oberflaeche* o, const char* name) {
    QCoreApplication::processEvents();
    QVERIFY2(o->grab().save(ausgabe(name)), name);
  }
};

GALDRIK_GUI_TEST_MAIN(E2ETest)
#include "e2e_test.moc"
