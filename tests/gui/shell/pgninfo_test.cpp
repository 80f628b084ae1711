// The PGN tag dialog against the recording stand-in engine: its fields,
// defaults and captions in both languages; the tags cleaned and the game
// appended on every way of closing; a failed write; a second save that
// replaces an open dialog; the main window held while it is open.
#include "shell/pgninfo.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QWindow>

#include "fakeui.h"
#include "guitest.h"
#include "shell/sprache.h"
#include "standin.h"

using namespace galdrik;

namespace {

const QString kDatei = QStringLiteral("/tmp/partien.pgn");

template <typename W>
W* kind(QWidget* w, const QString& name) {
  return w->findChild<W*>(name);
}
QLineEdit* text1(QWidget* w, int i) {
  return kind<QLineEdit>(w, QStringLiteral("Text1(%1)").arg(i));
}

// The calls one close makes: the seven tags, then the game appended.
QStringList schreiben(const QStringList& tags, const QString& datei = kDatei) {
  QStringList texte;
  for (const QString& t : tags) texte << '"' + t + '"';
  return {"DLL_PartiePGNSet(" + texte.join(',') + ")", "DLL_DateiSpeichern(\"" + datei + "\",1)"};
}

// The ways of closing the dialog.
void schliessen(PGNInfo* dialog, const QString& weg) {
  if (weg == "Ok")
    QTest::mouseClick(kind<QPushButton>(dialog, "Command1"), Qt::LeftButton);
  else
    dialog->windowHandle()->close();
}

}  // namespace

class PGNInfoTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    Sprache::SpracheDeutsch();
    test::standinLaden(GALDRIK_STANDIN_PATH);
  }
  void cleanup() {
    EngineComm::setBibliothek({});
    Sprache::SpracheDeutsch();
  }

  // A fresh dialog: the captions of the language in force, today's date,
  // the other boxes empty, the result "?" of the four results.
  void laden_data() {
    QTest::addColumn<bool>("englisch");
    QTest::addColumn<QStringList>("texte");  // title, Label1 .. Label8
    QTest::newRow("Deutsch") << false
                             << QStringList{"Galdrik - Partie-Informationen",
                                            "Partie-Informationen",
                                            "Turnier",
                                            "Ort",
                                            "Datum",
                                            "Weiß",
                                            "Schwarz",
                                            "Runde",
                                            "Resultat"};
    QTest::newRow("Englisch") << true
                              << QStringList{"Galdrik - Game informations",
                                             "Game informations",
                                             "Event",
                                             "Site",
                                             "Date",
                                             "White",
                                             "Black",
                                             "Round",
                                             "Result"};
  }
  void laden() {
    QFETCH(bool, englisch);
    QFETCH(QStringList, texte);
    if (englisch) Sprache::SpracheEnglisch();
    QWidget haupt;
    haupt.show();
    QPointer<PGNInfo> dialog = PGNInfo::Oeffnen(&haupt, kDatei);
    QCOMPARE(dialog->sZielDatei, kDatei);
    QCOMPARE(dialog->windowTitle(), texte[0]);
    for (int i = 1; i <= 8; ++i)
      QCOMPARE(kind<QLabel>(dialog, QStringLiteral("Label%1").arg(i))->text(), texte[i]);
    QCOMPARE(kind<QPushButton>(dialog, "Command1")->text(), QStringLiteral("Ok"));
    for (int i = 0; i < 6; ++i) {
      QVERIFY(text1(dialog, i));
      QCOMPARE(text1(dialog, i)->text(),
               i == 2 ? QDate::currentDate().toString("yyyy.MM.dd") : QString());
    }
    auto* combo = kind<QComboBox>(dialog, "Combo1");
    QStringList ergebnisse;
    for (int i = 0; i < combo->count(); ++i) ergebnisse << combo->itemText(i);
    QCOMPARE(ergebnisse, (QStringList{"?", "1-0", "1/2-1/2", "0-1"}));
    QCOMPARE(combo->currentText(), QStringLiteral("?"));
    QCOMPARE(PGNInfo::PGNDatum(QDate(2026, 3, 5)), QStringLiteral("2026.03.05"));
    dialog->Verwerfen();
  }

  // What reaches the file is cleaned whichever way the dialog is closed,
  // also in a box that never lost the focus and in a typed result.
  void bereinigt_data() {
    QTest::addColumn<QString>("weg");
    QTest::addColumn<int>("feld");  // Text1(0..5), 6 = Combo1
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QString>("erwartet");
    const QString lang(300, 'x');
    const QString umlaute(200, QChar(0xE4));  // ä: two bytes each
    QTest::newRow("Anführungszeichen, Ok") << "Ok" << 3 << "  \"Kasparov\"  "
                                           << "Kasparov";
    QTest::newRow("Anführungszeichen, Schließfeld")
        << "Schließfeld" << 4 << "\t\"Karpov, Anatoly\" "
        << "Karpov, Anatoly";
    QTest::newRow("Backslashes") << "Schließfeld" << 0 << "Open \\\"A\\\" \\"
                                 << "Open A";
    QTest::newRow("getipptes Ergebnis") << "Ok" << 6 << " 1-0 \"\\ "
                                        << "1-0";
    QTest::newRow("Zeilenumbruch") << "Ok" << 5 << "3\n\"4\""
                                   << "3 4";
    QTest::newRow("zu lang") << "Schließfeld" << 1 << lang << lang.left(255);
    QTest::newRow("zu lang, Umlaute") << "Ok" << 3 << umlaute << umlaute.left(127);
    QTest::newRow("zu lang, Blank am Schnitt")
        << "Ok" << 0 << QString(254, 'y') + " z" << QString(254, 'y');
    QTest::newRow("Umlaute bleiben") << "Schließfeld" << 4 << "Müller, Jörg"
                                     << "Müller, Jörg";
  }
  void bereinigt() {
    QFETCH(QString, weg);
    QFETCH(int, feld);
    QFETCH(QString, eingabe);
    QFETCH(QString, erwartet);
    test::RecordingUi ui;
    QWidget haupt;
    haupt.show();
    QPointer<PGNInfo> dialog = PGNInfo::Oeffnen(&haupt, kDatei);
    QStringList tags = {"", "", text1(dialog, 2)->text(), "", "", "", "?"};
    // Put in as a paste would, past the box's own length limit.
    if (feld < 6) {
      text1(dialog, feld)->setMaxLength(32767);
      text1(dialog, feld)->setText(eingabe);
    } else {
      kind<QComboBox>(dialog, "Combo1")->setEditText(eingabe);
    }
    tags[feld] = erwartet;
    schliessen(dialog, weg);
    QCOMPARE(test::standinProtokoll(), schreiben(tags));
    QVERIFY(erwartet.toUtf8().size() <= PGNInfo::kTagBytes);
    QVERIFY(ui.boxen.isEmpty());
    QVERIFY(test::geschlossen(dialog));
  }

  // Leaving a box cleans it at once, so the user sees what will be written.
  void verlassen() {
    QWidget haupt;
    PGNInfo dialog(&haupt);
    QLineEdit* weiss = text1(&dialog, 3);
    weiss->setText("  \"Kasparov\"  ");
    QFocusEvent weg(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(weiss, &weg);
    QCOMPARE(weiss->text(), QStringLiteral("Kasparov"));
    dialog.Verwerfen();
  }

  // A failed write is reported; the dialog closes all the same.
  void schreibfehler() {
    test::RecordingUi ui;
    test::Standin_Antwort("DLL_DateiSpeichern", -1);
    QWidget haupt;
    haupt.show();
    QPointer<PGNInfo> dialog = PGNInfo::Oeffnen(&haupt, kDatei);
    schliessen(dialog, "Ok");
    QCOMPARE(ui.boxen.size(), 1);
    QCOMPARE(ui.boxen[0].text, Sprache::MsgFehlerPGNSpeichern);
    QCOMPARE(ui.boxen[0].stil, MsgStil::Critical);
    QCOMPARE(ui.boxen[0].titel, Sprache::FehlerTitel);
    QVERIFY(test::geschlossen(dialog));
  }

  // A second save replaces a dialog still open: the first writes nothing,
  // the second writes its game once, to its own file.
  void zweitesOeffnen() {
    QWidget haupt;
    haupt.show();
    QPointer<PGNInfo> erster = PGNInfo::Oeffnen(&haupt, "/tmp/erste.pgn");
    text1(erster, 0)->setText("Erstes");
    QPointer<PGNInfo> zweiter = PGNInfo::Oeffnen(&haupt, "/tmp/zweite.pgn");
    QVERIFY(test::geschlossen(erster));
    QVERIFY(test::standinProtokoll().isEmpty());
    QCOMPARE(text1(zweiter, 0)->text(), QString());
    schliessen(zweiter, "Ok");
    QCOMPARE(test::standinProtokoll(),
             schreiben({"", "", text1(zweiter, 2)->text(), "", "", "", "?"}, "/tmp/zweite.pgn"));
  }

  // While the tags are typed the main window takes no input, so the game
  // cannot change under the dialog; another window of the program that
  // comes to the front gives the front back to the dialog.
  void haeltHauptfenster() {
    QWidget haupt;
    auto* knopf = new QPushButton("Zug", &haupt);
    haupt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&haupt));
    QSignalSpy geklickt(knopf, &QPushButton::clicked);
    // A click as the window system delivers it, so a block applies.
    auto klicken = [&] {
      QTest::mouseClick(haupt.windowHandle(), Qt::LeftButton, {},
                        knopf->mapTo(&haupt, knopf->rect().center()));
    };
    QPointer<PGNInfo> dialog = PGNInfo::Oeffnen(&haupt, kDatei);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    klicken();
    QCOMPARE(geklickt.count(), 0);

    QWidget anderes;
    anderes.show();
    QSignalSpy fokus(qApp, &QGuiApplication::focusWindowChanged);
    anderes.activateWindow();
    auto warVorn = [&] {
      for (const QList<QVariant>& f : fokus)
        if (f.value(0).value<QWindow*>() == anderes.windowHandle()) return true;
      return false;
    };
    QTRY_VERIFY(warVorn());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(dialog.data()));

    schliessen(dialog, "Ok");
    QVERIFY(test::geschlossen(dialog));
    klicken();
    QCOMPARE(geklickt.count(), 1);
  }
};

GALDRIK_GUI_TEST_MAIN(PGNInfoTest)
#include "pgninfo_test.moc"
