// The promotion picker against the recording stand-in engine and a fake
// main window: the pieces of each side with the caption of each language,
// the four choices and the calls that play them, a refused promotion, the
// ways of closing without a move; and a promotion to a knight played by the
// real library.
#include "shell/bauernumwandlung.h"

#include <QPointer>
#include <QSettings>
#include <QWindow>
#include <array>

#include "fakeui.h"
#include "fensterstart.h"
#include "guitest.h"
#include "shell/controls/figurenbilder.h"
#include "shell/controls/picturebox.h"
#include "shell/engineglobal.h"
#include "shell/oberflaeche.h"
#include "shell/sprache.h"
#include "standin.h"

using namespace galdrik;

namespace {

// A distinct colour for each picture of the fake piece list.
QRgb bildFarbe(int index) { return qRgb(10 * index, 255 - 10 * index, (index * 67) % 256); }

// The main window as the picker sees it: a plain window, a picture list of
// flat colours, and a record of what was asked of it.
struct Haupt : Bauernumwandlung::Hauptfenster {
  QWidget haupt;
  ImageList bilder;
  QList<QPair<int, int>> bildCodes;  // (square, piece) asked for
  int zuegeGemacht = 0;
  QStringList aufrufeBeiZugGemacht;

  Haupt() {
    for (int i = 1; i <= 24; ++i) {
      QImage bild(98, 98, QImage::Format_RGB32);
      bild.fill(bildFarbe(i));
      bilder.setPicture(i, bild);
    }
    haupt.resize(400, 300);
  }
  QWidget* fenster() override { return &haupt; }
  int32_t FigurBildCode(int32_t feld, int32_t figur) override {
    bildCodes.append({feld, figur});
    const bool dunkel = ((feld % 8) + (feld / 8)) % 2 == 0;
    return figurenbilder::BildIndex(figur, dunkel);
  }
  const ImageList& Figurenbilder() override { return bilder; }
  void ZugGemacht() override {
    ++zuegeGemacht;
    aufrufeBeiZugGemacht = test::standinProtokoll();
  }
};

PictureBox* bild(QWidget* picker, int nummer) {
  return picker->findChild<PictureBox*>(QStringLiteral("Picture%1").arg(nummer));
}

}  // namespace

class BauernumwandlungTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    Sprache::SpracheDeutsch();
    test::standinLaden(GALDRIK_STANDIN_PATH);
  }
  void cleanup() { test::beenden(); }

  // The side to move decides the colour; the backgrounds alternate like
  // b1..e1; the caption follows the language; the main window stays usable.
  void figuren_data() {
    QTest::addColumn<int>("farbe");
    QTest::addColumn<bool>("englisch");
    QTest::addColumn<int>("seite");  // sign of the piece codes painted
    QTest::addColumn<QString>("titel");
    QTest::newRow("Weiß, Deutsch") << 1 << false << 1 << "Bauernumwandlung";
    QTest::newRow("Schwarz, Englisch") << 0 << true << -1 << "Pawn promotion";
    QTest::newRow("anderer Wert ist Schwarz") << -1 << false << -1 << "Bauernumwandlung";
  }
  void figuren() {
    QFETCH(int, farbe);
    QFETCH(bool, englisch);
    QFETCH(int, seite);
    QFETCH(QString, titel);
    if (englisch) Sprache::SpracheEnglisch();
    test::Standin_Zuruecksetzen();  // the switch hands the engine its labels
    Haupt h;
    h.haupt.show();
    QPointer<Bauernumwandlung> picker = Bauernumwandlung::Oeffnen(h, farbe, 52, 60);
    QVERIFY(picker->isVisible());
    QCOMPARE(picker->windowTitle(), titel);
    QCOMPARE(picker->windowModality(), Qt::NonModal);
    QCOMPARE(picker->parentWidget(), &h.haupt);

    const QList<QPair<int, int>> erwartet = {
        {1, 5 * seite}, {2, 4 * seite}, {3, 3 * seite}, {4, 2 * seite}};
    QCOMPARE(h.bildCodes, erwartet);
    for (int i = 0; i < 4; ++i) {
      PictureBox* b = bild(picker, i + 1);
      QVERIFY(b);
      const int index = figurenbilder::BildIndex(erwartet[i].second, i % 2 == 1);
      QCOMPARE(b->image().pixel(b->width() / 2, b->height() / 2), bildFarbe(index));
    }
    QVERIFY(test::standinProtokoll().isEmpty());
    picker->close();
  }

  // A click completes the move with the piece's code in both promotion
  // fields, plays the index the engine answers, and then the main window
  // hears of it; the picker is gone.
  void auswahl_data() {
    QTest::addColumn<int>("nummer");
    QTest::addColumn<int>("farbe");
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("nach");
    QTest::addColumn<int>("code");
    QTest::newRow("Dame") << 1 << 1 << 52 << 60 << 128;
    QTest::newRow("Turm") << 2 << 1 << 49 << 56 << 64;
    QTest::newRow("Läufer") << 3 << 0 << 14 << 7 << 32;
    QTest::newRow("Springer") << 4 << 1 << 52 << 60 << 16;
    QTest::newRow("Springer Schwarz") << 4 << 0 << 12 << 4 << 16;
  }
  void auswahl() {
    QFETCH(int, nummer);
    QFETCH(int, farbe);
    QFETCH(int, von);
    QFETCH(int, nach);
    QFETCH(int, code);
    test::RecordingUi ui;
    test::Standin_Antwort("DLL_ZugLegal", 17);
    Haupt h;
    h.haupt.show();
    QPointer<Bauernumwandlung> picker = Bauernumwandlung::Oeffnen(h, farbe, von, nach);
    QTest::mouseClick(bild(picker, nummer), Qt::LeftButton);

    const QStringList erwartet = {
        QStringLiteral("DLL_ZugSet(%1,%2,%3,%3)").arg(von).arg(nach).arg(code), "DLL_ZugLegal()",
        "DLL_ZugMachen(17)"};
    QCOMPARE(test::standinProtokoll(), erwartet);
    QCOMPARE(h.zuegeGemacht, 1);
    QCOMPARE(h.aufrufeBeiZugGemacht, erwartet);
    QCOMPARE(ui.beeps, 0);
    QVERIFY(test::geschlossen(picker));
  }

  // Only a left click on a picture chooses it.
  void andereKnoepfeWaehlenNicht() {
    Haupt h;
    h.haupt.show();
    QPointer<Bauernumwandlung> picker = Bauernumwandlung::Oeffnen(h, 1, 52, 60);
    QTest::mouseClick(bild(picker, 1), Qt::RightButton);
    QTest::mouseClick(bild(picker, 4), Qt::MiddleButton);
    QVERIFY(test::standinProtokoll().isEmpty());
    QVERIFY(picker && picker->isVisible());
    picker->close();
  }

  // The engine refuses the completed move (the position changed meanwhile):
  // a beep, nothing played, the picker closes.
  void verweigert() {
    test::RecordingUi ui;
    test::Standin_Antwort("DLL_ZugLegal", -2);
    Haupt h;
    h.haupt.show();
    QPointer<Bauernumwandlung> picker = Bauernumwandlung::Oeffnen(h, 1, 52, 60);
    QTest::mouseClick(bild(picker, 2), Qt::LeftButton);
    QCOMPARE(test::standinProtokoll(), (QStringList{"DLL_ZugSet(52,60,64,64)", "DLL_ZugLegal()"}));
    QCOMPARE(ui.beeps, 1);
    QCOMPARE(h.zuegeGemacht, 0);
    QVERIFY(test::geschlossen(picker));
  }

  // Every other end leaves the position as it was, and the main window is
  // active again.
  void ohneZug_data() {
    QTest::addColumn<QString>("weg");
    QTest::newRow("Schließfeld") << "Schließfeld";
    QTest::newRow("Klick ins Hauptfenster") << "Fokusverlust";
    QTest::newRow("nächste Umwandlung") << "neu";
  }
  void ohneZug() {
    QFETCH(QString, weg);
    test::RecordingUi ui;
    Haupt h;
    h.haupt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.haupt));
    QPointer<Bauernumwandlung> picker = Bauernumwandlung::Oeffnen(h, 1, 52, 60);
    QVERIFY(QTest::qWaitForWindowActive(picker));
    QPointer<Bauernumwandlung> neu;
    if (weg == "Schließfeld") {
      picker->windowHandle()->close();
    } else if (weg == "Fokusverlust") {
      h.haupt.activateWindow();
    } else {
      neu = Bauernumwandlung::Oeffnen(h, 0, 12, 4);
    }
    QTRY_VERIFY(test::geschlossen(picker));
    QVERIFY(test::standinProtokoll().isEmpty());
    QCOMPARE(h.zuegeGemacht, 0);
    QCOMPARE(ui.beeps, 0);
    if (neu) {
      QVERIFY(neu->isVisible());
      neu->close();
    }
    QTRY_COMPARE(QApplication::activeWindow(), &h.haupt);
  }

  // The real library: e7-e8 first lacks its piece, then the picker's knight
  // completes and plays it.
  void echteBibliothek() {
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_LIBRARY_PATH));
    if (!EngineComm::vorhanden("DLL_EngineInit")) QSKIP("libGaldrik.so has no DLL_EngineInit yet");
    EngineGlobal::Einstellungsspeicher()->setValue("Sprache/OptLanguage", "Dt");
    QCOMPARE(EngineGlobal::Main(QString()), 0);
    QVERIFY2(ui.boxen.isEmpty(), qPrintable(ui.boxen.value(0).text));

    const int32_t halbzug = EngineComm::DLL_FENInput("7k/4P3/8/8/8/8/8/K7 w - - 0 1");
    QCOMPARE(halbzug, 1);
    EngineComm::DLL_PositionFix(halbzug);
    QVERIFY(EngineComm::DLL_ZugAnz() > 0);
    const std::array<int32_t, 4> ohneFigur = {52, 60, 0, 0};
    EngineComm::DLL_ZugSet(ohneFigur.data());
    QCOMPARE(EngineComm::DLL_ZugLegal(), -1);

    Haupt h;
    h.haupt.show();
    QPointer<Bauernumwandlung> picker = Bauernumwandlung::Oeffnen(h, 1, 52, 60);
    QTest::mouseClick(bild(picker, 4), Qt::LeftButton);
    QCOMPARE(h.zuegeGemacht, 1);
    QCOMPARE(ui.beeps, 0);
    std::array<int32_t, 72> stellung{};
    EngineComm::DLL_StellungGet(stellung.data());
    QCOMPARE(stellung[60], 2);  // a White knight on e8
    QCOMPARE(stellung[52], 0);
    QCOMPARE(stellung[64], 0);  // Black to move
    QVERIFY(test::geschlossen(picker));
  }
};

GALDRIK_GUI_TEST_MAIN(BauernumwandlungTest)
#include "bauernumwandlung_test.moc"
