// The notation view: clicks into the notation (variations, Shift-click with
// its pop-up menu) and the menu's edits against the real library; against
// the stand-in the NAG codes, the comment input, the delete question, the
// click positions in bytes, the refusals, and the double click into the
// engine text.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextBlock>
#include <optional>

#include "fakeui.h"
#include "fensterstart.h"
#include "guitest.h"
#include "shell/controls/textbox.h"
#include "shell/sprache.h"

using namespace galdrik;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

TextBox* notation(Oberflaeche* o) { return o->findChild<TextBox*>("TextNotation"); }

// The middle of the n-th occurrence of a word in a text box, in the
// coordinates of its viewport.
QPoint wortStelle(TextBox* box, const QString& wort, int n = 0) {
  // The document shows hyphens as non-breaking ones, one for one.
  const QString dokument = box->toPlainText().replace(QChar(0x2011), QLatin1Char('-'));
  int stelle = -1;
  for (int i = 0; i <= n; ++i) stelle = static_cast<int>(dokument.indexOf(wort, stelle + 1));
  if (stelle < 0) qFatal("the word is not in the text");
  QTextCursor c(box->document());
  c.setPosition(stelle + static_cast<int>(wort.size()) / 2);
  return box->cursorRect(c).center();
}

void klicken(TextBox* box, const QString& wort, Qt::KeyboardModifiers mods = {}, int n = 0) {
  QTest::mouseClick(box->viewport(), Qt::LeftButton, mods, wortStelle(box, wort, n));
}

}  // namespace

class NotationTest : public QObject {
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

  // A game with a variation, edited from the notation as the user would:
  // clicks make the clicked move current, in the main line and in the
  // variation; a Shift-click opens the pop-up menu on the clicked move.
  void klickUndMenueEchteBibliothek() {
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_LIBRARY_PATH));
    Oberflaeche* o = test::starten({{"Optionen/OptAutoAntw", "0"}});
    QVERIFY(o);
    auto* feld = o->findChild<QLineEdit*>("TextZugEingabe");
    auto spielen = [o, feld](const char* zug) {
      feld->setText(QString::fromUtf8(zug));
      o->ButtonZugEingabe_Click();
    };
    for (const char* zug : {"e4", "e5", "Sf3"}) spielen(zug);
    o->ButtonBrettZurueck_Click();
    QCOMPARE(o->tStellungKopie[21], 0);
    spielen("Sc3");
    const QString mitVariante = notation(o)->text();
    QVERIFY2(mitVariante.contains("Sg1-f3") && mitVariante.contains("[ 2.Sb1-c3 ]"),
             qPrintable(mitVariante));
    // Its lines wrap between moves only: no hyphen inside a move breaks.
    QVERIFY(!notation(o)->toPlainText().contains(QLatin1Char('-')));

    klicken(notation(o), "Sg1-f3");
    QCOMPARE(o->tStellungKopie[21], 2);
    QCOMPARE(o->tStellungKopie[18], 0);
    QCOMPARE(notation(o)->selText(), QStringLiteral("Sg1-f3"));
    klicken(notation(o), "Sb1-c3");
    QCOMPARE(o->tStellungKopie[18], 2);
    QCOMPARE(o->tStellungKopie[21], 0);
    QCOMPARE(notation(o)->selText(), QStringLiteral("Sb1-c3"));
    klicken(notation(o), "e7-e5");
    QCOMPARE(o->tStellungKopie[36], -1);
    QCOMPARE(o->tStellungKopie[21], 0);
    // A Shift-click after the highlighted move still takes the clicked one.
    auto* menue = o->findChild<QMenu*>("MenüPopUpNotation");
    QVERIFY(!menue->isVisible());
    klicken(notation(o), "Sg1-f3", Qt::ShiftModifier);
    QCOMPARE(o->tStellungKopie[21], 2);
    QVERIFY(menue->isVisible());
    menue->hide();
    QCOMPARE(ui_->beeps, 0);

    // NAG and comment on the current move, the comment then cleared.
    o->findChild<QAction*>("MenüPopUpNotationNAG(1)")->trigger();
    ui_->eingabeAntworten << std::optional<QString>("{gut}");
    o->findChild<QAction*>("MenüPopUpNotationKommentar")->trigger();
    QVERIFY2(notation(o)->text().contains("Sg1-f3! gut "), qPrintable(notation(o)->text()));
    ui_->eingabeAntworten << std::optional<QString>("");
    o->findChild<QAction*>("MenüPopUpNotationKommentar")->trigger();
    QCOMPARE(ui_->eingaben.last().vorgabe, QStringLiteral("gut"));
    QVERIFY2(notation(o)->text().contains("Sg1-f3! "), qPrintable(notation(o)->text()));
    QVERIFY(!notation(o)->text().contains("gut"));

    // The variation promoted, then deleted after a Yes.
    klicken(notation(o), "Sb1-c3");
    o->findChild<QAction*>("MenüPopUpNotationZugAufwerten")->trigger();
    QVERIFY2(notation(o)->text().startsWith("1.e2-e4 e7-e5 2.Sb1-c3 "),
             qPrintable(notation(o)->text()));
    ui_->boxAntworten << MsgAntwort::No << MsgAntwort::Cancel << MsgAntwort::Yes;
    const QString vorher = notation(o)->text();
    auto* loeschen = o->findChild<QAction*>("MenüPopUpNotationLöschen");
    loeschen->trigger();
    loeschen->trigger();
    QCOMPARE(notation(o)->text(), vorher);
    loeschen->trigger();
    QVERIFY2(!notation(o)->text().contains("Sb1-c3"), qPrintable(notation(o)->text()));
    QCOMPARE(o->tStellungKopie[36], -1);
    QCOMPARE(ui_->boxen.size(), 3);
    QCOMPARE(ui_->beeps, 0);
  }

  // Each NAG item sets its own code, and none starts the automatic reply.
  void nagEintraege_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("deutsch");
    QTest::addColumn<QString>("englisch");
    QTest::newRow("0") << 0 << "(keine)"
                       << "(None)";
    QTest::newRow("1") << 1 << "!"
                       << "!";
    QTest::newRow("2") << 2 << "?"
                       << "?";
    QTest::newRow("3") << 3 << "!!"
                       << "!!";
    QTest::newRow("4") << 4 << "??"
                       << "??";
    QTest::newRow("5") << 5 << "!?"
                       << "!?";
    QTest::newRow("6") << 6 << "?!"
                       << "?!";
    QTest::newRow("8") << 8 << "einziger Zug"
                       << "Only move";
  }
  void nagEintraege() {
    QFETCH(int, code);
    QFETCH(QString, deutsch);
    QFETCH(QString, englisch);
    Oberflaeche* o = starten();
    QVERIFY(!o->findChild<QAction*>("MenüPopUpNotationNAG(7)"));
    auto* eintrag = o->findChild<QAction*>(QStringLiteral("MenüPopUpNotationNAG(%1)").arg(code));
    QCOMPARE(eintrag->text(), deutsch);
    klicken(notation(o), "e2-e4");
    test::Standin_Zuruecksetzen();
    eintrag->trigger();
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_SetNAG", "DLL_StellungGet", "DLL_SuchStart"}),
             (QStringList{QStringLiteral("DLL_SetNAG(%1)").arg(code), "DLL_StellungGet()"}));
    o->MenueExtrasSpracheEn_Click();
    QCOMPARE(eintrag->text(), englisch);
  }

  // The comment input: braces and backslashes go, Cancel keeps the comment,
  // OK on an emptied field removes it, a text of nothing but forbidden
  // characters keeps it; line ends go back to the engine as it wrote them.
  void kommentar_data() {
    QTest::addColumn<QString>("alt");
    QTest::addColumn<std::optional<QString>>("antwort");
    QTest::addColumn<QStringList>("gesetzt");
    using T = std::optional<QString>;
    QTest::newRow("Klammern") << "" << T("{gut}") << QStringList{"DLL_SetComment(\"gut\")"};
    QTest::newRow("Rückstrich") << "alt" << T("a\\b {c}")
                                << QStringList{"DLL_SetComment(\"ab c\")"};
    QTest::newRow("nur Klammern") << "alt" << T("{}\\") << QStringList{};
    QTest::newRow("abgebrochen") << "alt" << T() << QStringList{};
    QTest::newRow("geleert") << "alt" << T("") << QStringList{"DLL_SetComment(\"\")"};
    QTest::newRow("unverändert mit Zeilenende")
        << "a\nb" << T("a\r\nb") << QStringList{"DLL_SetComment(\"a\nb\")"};
  }
  void kommentar() {
    QFETCH(QString, alt);
    QFETCH(std::optional<QString>, antwort);
    QFETCH(QStringList, gesetzt);
    Oberflaeche* o = starten();
    test::Standin_Zuruecksetzen();
    test::Standin_TextSetzen("DLL_GetComment", alt.toUtf8().constData());
    ui_->eingabeAntworten << antwort;
    o->findChild<QAction*>("MenüPopUpNotationKommentar")->trigger();
    QCOMPARE(ui_->eingaben.size(), 1);
    QCOMPARE(ui_->eingaben[0].prompt, Sprache::TxtKommentar);
    QCOMPARE(ui_->eingaben[0].titel, Sprache::ProgTitel);
    QCOMPARE(ui_->eingaben[0].vorgabe, QString(alt).replace("\n", "\r\n"));
    // The protocol holds the comment's own line ends.
    const QString alles = test::standinProtokoll().join('\n') + '\n';
    QCOMPARE(alles.count("DLL_SetComment("), gesetzt.size());
    for (const QString& g : gesetzt) QVERIFY2(alles.contains(g + '\n'), qPrintable(alles));
    // Only a change redraws.
    QCOMPARE(test::aufrufeVon("DLL_PartieNotation").size(), gesetzt.size());
  }

  // The delete question, and the deletion only on Yes.
  void loeschen_data() {
    QTest::addColumn<int>("antwort");
    QTest::addColumn<int>("geloescht");
    QTest::newRow("Ja") << int(MsgAntwort::Yes) << 1;
    QTest::newRow("Nein") << int(MsgAntwort::No) << 0;
    QTest::newRow("Abbrechen") << int(MsgAntwort::Cancel) << 0;
  }
  void loeschen() {
    QFETCH(int, antwort);
    QFETCH(int, geloescht);
    Oberflaeche* o = starten();
    test::Standin_Zuruecksetzen();
    ui_->boxAntworten << antwort;
    o->findChild<QAction*>("MenüPopUpNotationLöschen")->trigger();
    QCOMPARE(ui_->boxen.size(), 1);
    QCOMPARE(ui_->boxen[0].text, Sprache::MsgZugLoeschen);
    QCOMPARE(ui_->boxen[0].stil, MsgStil::YesNoCancel | MsgStil::Question);
    QCOMPARE(ui_->boxen[0].titel, Sprache::ProgTitel);
    QCOMPARE(test::aufrufeVon("DLL_ZugKill").size(), geloescht);
    QCOMPARE(test::aufrufeVon("DLL_StellungGet").size(), geloescht);
  }

  // The engine counts the notation in UTF-8 bytes with two for a line end;
  // clicks are refused while the record may not change.
  void klickPosition_data() {
    QTest::addColumn<QString>("modus");
    QTest::addColumn<QString>("wort");
    QTest::addColumn<int>("beeps");
    QTest::newRow("erste Zeile") << ""
                                 << "e7-e5" << 0;
    QTest::newRow("nach Zeilenende und Gradzeichen") << ""
                                                     << "d7-d5" << 0;
    for (const char* m : {"Suche", "Setup", "Analyse", "PGN", "Malen"})
      QTest::newRow(m) << m << "e7-e5" << 1;
  }
  void klickPosition() {
    QFETCH(QString, modus);
    QFETCH(QString, wort);
    QFETCH(int, beeps);
    Oberflaeche* o = starten();
    const QString text = QStringLiteral("1.e2-e4° e7-e5 \r\n     [ 1...d7-d5 ]\r\n2.Sg1-f3 ");
    test::Standin_TextSetzen("DLL_PartieNotation", text.toUtf8().constData());
    o->BrettAktualisieren(0);
    o->bSucheLaeuft = AlsBoolean(modus == "Suche");
    o->bEditModus = AlsBoolean(modus == "Setup");
    o->bTBAnaLaeuft = AlsBoolean(modus == "Analyse");
    o->bPGNModus = AlsBoolean(modus == "PGN");
    o->bZeichenModus = AlsBoolean(modus == "Malen");
    test::Standin_Zuruecksetzen();
    klicken(notation(o), wort);
    QCOMPARE(ui_->beeps, beeps);
    if (beeps) {
      QVERIFY(test::aufrufeVon("DLL_ZugKlick").isEmpty());
      return;
    }
    const QStringList klick = test::aufrufeVon("DLL_ZugKlick");
    QCOMPARE(klick.size(), 1);
    const int byte = klick[0].section('(', 1).chopped(1).toInt();
    // The click lands inside the word: its bytes from the word's start.
    const int anfang = static_cast<int>(text.left(text.indexOf(wort)).toUtf8().size());
    QVERIFY2(byte > anfang && byte < anfang + wort.size(), qPrintable(klick[0]));
  }

  // A double click on a word of the engine text plays it in tablebase
  // mode; a word that is no move beeps; outside tablebase mode, or while
  // the tablebase work is busy, nothing happens.
  void engineText_data() {
    QTest::addColumn<QString>("modus");
    QTest::addColumn<int>("r");
    QTest::addColumn<QStringList>("aufrufe");
    QTest::addColumn<int>("beeps");
    const QString eingabe = "DLL_PGNInput(\"Ke8-d7\",\"BSLTDK\")";
    QTest::newRow("Zug") << "TB" << 3 << QStringList{eingabe, "DLL_ZugMachen(3)"} << 0;
    QTest::newRow("kein Zug") << "TB" << -1 << QStringList{eingabe} << 1;
    QTest::newRow("außerhalb des TB-Modus") << "" << 3 << QStringList{} << 0;
    for (const char* m : {"Analyse", "Setup", "PGN", "Malen"})
      QTest::newRow(m) << m << 3 << QStringList{} << 0;
  }
  void engineText() {
    QFETCH(QString, modus);
    QFETCH(int, r);
    QFETCH(QStringList, aufrufe);
    QFETCH(int, beeps);
    Oberflaeche* o = starten();
    auto* engine = o->findChild<TextBox*>("TextEngine");
    engine->setText(QStringLiteral("Weiß gewinnt in 24\r\n1.Tf1-f8+ Ke8-d7 2.Tf8-f7+"));
    o->bTBModus = AlsBoolean(modus != "");
    o->bTBAnaLaeuft = AlsBoolean(modus == "Analyse");
    o->bEditModus = AlsBoolean(modus == "Setup");
    o->bPGNModus = AlsBoolean(modus == "PGN");
    o->bZeichenModus = AlsBoolean(modus == "Malen");
    test::Standin_Zuruecksetzen();
    test::Standin_Antwort("DLL_PGNInput", r);
    QTest::mouseDClick(engine->viewport(), Qt::LeftButton, {}, wortStelle(engine, "Ke8-d7"));
    QCOMPARE(test::aufrufeVon(QStringList{"DLL_PGNInput", "DLL_ZugMachen"}), aufrufe);
    QCOMPARE(ui_->beeps, beeps);
  }

 private:
  Oberflaeche* starten() {
    Oberflaeche* o = test::starten({{"Optionen/OptAutoAntw", "1"}});
    if (!o) qFatal("the program did not start");
    // A game to click into.
    test::Standin_TextSetzen("DLL_PartieNotation", "1.e2-e4 e7-e5 ");
    o->BrettAktualisieren(0);
    return o;
  }

  std::unique_ptr<test::RecordingUi> ui_;
};

GALDRIK_GUI_TEST_MAIN(NotationTest)
#include "notation_test.moc"
