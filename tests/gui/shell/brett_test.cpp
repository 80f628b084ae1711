// The board view against the stand-in engine: picture codes and square
// places in both orientations, every square checked by its pixels with a
// list of flat test pictures, the status line, the setup fields and the
// palette, paint mode, the notation mark across line ends and multi-byte
// characters, the tablebase marks and panel, and turning the board.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

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

// Test picture k is one flat colour that no other picture and no square
// colour has.
QColor testfarbe(int k) { return QColor(10 * k, 250 - 10 * k, 60 + 5 * k); }

ImageList testbilder() {
  ImageList liste;
  for (int k = 1; k <= 24; ++k) {
    QImage bild(49, 49, QImage::Format_RGB32);
    bild.fill(testfarbe(k));
    liste.setPicture(k, bild);
  }
  return liste;
}

// A piece on every square, every code of both colours.
GUIStellung vollesBrett() {
  GUIStellung s{};
  for (int f = 0; f < 64; ++f) s[f] = (f % 6 + 1) * (f % 13 < 6 ? 1 : -1);
  s[AmZug] = 1;
  s[EngineComm::GS::EPFeld] = 255;
  s[EngineComm::GS::Zugnummer] = 1;
  return s;
}

PictureBox* brett(Oberflaeche* o) { return o->findChild<PictureBox*>("BrettBild"); }

// The pixel in the middle of a square, placed as the test itself reckons.
QColor mitte(Oberflaeche* o, int feld, bool weissUnten) {
  const int spalte = weissUnten ? feld % 8 : 7 - feld % 8;
  const int reihe = weissUnten ? 7 - feld / 8 : feld / 8;
  const QPoint p = twips::zuPixel(25 + spalte * 735 + 367, 25 + reihe * 735 + 367);
  return brett(o)->image().pixelColor(p);
}

// Pixels of a colour inside a rectangle given in twips.
int pixelInFarbe(Oberflaeche* o, QRectF twipsRechteck, QColor farbe) {
  const QImage& bild = brett(o)->image();
  const QRect r = twips::rechteck(twipsRechteck.x(), twipsRechteck.y(), twipsRechteck.width(),
                                  twipsRechteck.height());
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += bild.pixelColor(x, y) == farbe;
  return n;
}

}  // namespace

class BrettTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    test::standinLaden(GALDRIK_STANDIN_PATH);
    ui_ = std::make_unique<test::RecordingUi>();
    o_ = test::starten();
    QVERIFY(o_);
    o_->bilder = testbilder();
  }
  void cleanup() {
    test::beenden();
    ui_.reset();
  }

  void figurBildCode_data() {
    QTest::addColumn<int>("feld");
    QTest::addColumn<int>("figur");
    QTest::addColumn<int>("index");
    QTest::newRow("leer") << 27 << 0 << 0;
    QTest::newRow("weißer Bauer a1, dunkel") << 0 << 1 << 2;
    QTest::newRow("weißer Springer b1, hell") << 1 << 2 << 5;
    QTest::newRow("schwarzer Turm h1, hell") << 7 << -4 << 15;
    QTest::newRow("weißer König e1, dunkel") << 4 << 6 << 22;
    QTest::newRow("schwarze Dame d8, dunkel") << 59 << -5 << 20;
    QTest::newRow("schwarzer König h8, dunkel") << 63 << -6 << 24;
    QTest::newRow("schwarzer Läufer a8, hell") << 56 << -3 << 11;
  }
  void figurBildCode() {
    QFETCH(int, feld);
    QFETCH(int, figur);
    QFETCH(int, index);
    int32_t ergebnis = -1;
    Oberflaeche::FigurBildCode(feld, figur, ergebnis);
    QCOMPARE(ergebnis, index);
  }

  void brettFeld_data() {
    QTest::addColumn<int>("feld");
    QTest::addColumn<bool>("weissUnten");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("a1 weiß unten") << 0 << true << 25.0 << 5170.0;
    QTest::newRow("h8 weiß unten") << 63 << true << 5170.0 << 25.0;
    QTest::newRow("e4 weiß unten") << 28 << true << 2965.0 << 2965.0;
    QTest::newRow("a1 schwarz unten") << 0 << false << 5170.0 << 25.0;
    QTest::newRow("h8 schwarz unten") << 63 << false << 25.0 << 5170.0;
    QTest::newRow("e4 schwarz unten") << 28 << false << 2230.0 << 2230.0;
    QTest::newRow("b7 schwarz unten") << 49 << false << 4435.0 << 4435.0;
  }
  void brettFeld() {
    QFETCH(int, feld);
    QFETCH(bool, weissUnten);
    QFETCH(double, x);
    QFETCH(double, y);
    o_->bWeissUnten = AlsBoolean(weissUnten);
    QCOMPARE(o_->BrettFeldX(feld), x);
    QCOMPARE(o_->BrettFeldY(feld), y);
  }

  // Every square shows its piece's picture, or its own colour when empty,
  // at the place the orientation gives; the margin stays black.
  void jedesFeld_data() {
    QTest::addColumn<bool>("weissUnten");
    QTest::addColumn<bool>("besetzt");
    QTest::newRow("weiß unten, voll") << true << true;
    QTest::newRow("schwarz unten, voll") << false << true;
    QTest::newRow("weiß unten, leer") << true << false;
    QTest::newRow("schwarz unten, leer") << false << false;
  }
  void jedesFeld() {
    QFETCH(bool, weissUnten);
    QFETCH(bool, besetzt);
    o_->tStellungKopie = besetzt ? vollesBrett() : o_->tLeerstellung;
    o_->bWeissUnten = AlsBoolean(weissUnten);
    o_->BrettAktualisieren(0);
    for (int f = 0; f < 64; ++f) {
      QColor erwartet;
      if (besetzt) {
        int32_t index = 0;
        Oberflaeche::FigurBildCode(f, o_->tStellungKopie[f], index);
        erwartet = testfarbe(index);
      } else {
        const int grau = (f % 8 + f / 8) % 2 ? 255 : 127;
        erwartet = QColor(grau, grau, grau);
      }
      QVERIFY2(mitte(o_, f, weissUnten) == erwartet, qPrintable(EngineGlobal::FeldName(f)));
    }
    const QImage& bild = brett(o_)->image();
    QCOMPARE(bild.size(), QSize(395, 395));
    for (QPoint p : {QPoint(0, 0), QPoint(394, 394), QPoint(200, 1), QPoint(1, 200)})
      QCOMPARE(bild.pixelColor(p), QColor(Qt::black));
  }

  void statuszeile_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("zuege");
    QTest::addColumn<QString>("text");
    QTest::newRow("Remis") << 1 << 20 << "Remis";
    QTest::newRow("Weiß matt") << 2 << 0 << "Weiß ist matt";
    QTest::newRow("Schwarz matt") << 3 << 0 << "Schwarz ist matt";
    QTest::newRow("ein Zug") << 0 << 1 << "1 möglicher Zug";
    QTest::newRow("20 Züge") << 0 << 20 << "20 mögliche Züge";
    QTest::newRow("unbekannter Status") << 7 << 3 << "3 mögliche Züge";
  }
  void statuszeile() {
    QFETCH(int, status);
    QFETCH(int, zuege);
    QFETCH(QString, text);
    test::Standin_Antwort("DLL_PartieStatus", status);
    o_->iZugAnzahl = zuege;
    o_->BrettAktualisieren(0);
    QCOMPARE(o_->findChild<QLabel*>("BrettText")->text(), text);
  }

  // The FEN of the shown half-move, and the side to move by its marker.
  void fenUndAmZug() {
    GUIStellung s = vollesBrett();
    s[AmZug] = 0;
    s[EngineComm::GS::Zugnummer] = 12;
    o_->tStellungKopie = s;
    test::Standin_Zuruecksetzen();
    test::Standin_TextSetzen("DLL_FENOutput", "8/8/8/8/8/8/8/8 b - - 0 12");
    o_->BrettAktualisieren(0);
    QCOMPARE(test::aufrufeVon("DLL_FENOutput"), QStringList{"DLL_FENOutput(24)"});
    QCOMPARE(o_->sFENText, QStringLiteral("8/8/8/8/8/8/8/8 b - - 0 12"));
    QCOMPARE(o_->findChild<QLineEdit*>("BrettFEN")->text(), o_->sFENText);
    QVERIFY(o_->findChild<QWidget*>("ShapeAmZugWeiss")->isHidden());
    QVERIFY(!o_->findChild<QWidget*>("ShapeAmZugSchwarz")->isHidden());
    QCOMPARE(test::aufrufeVon("DLL_PartieNotation"), QStringList{"DLL_PartieNotation(\"BSLTDK\")"});
  }

  // In position setup: the palette, both markers, and the fields from the
  // position copy; the evaluation is left alone.
  void stellungseingabe_data() {
    QTest::addColumn<int>("ep");
    QTest::addColumn<QString>("epText");
    QTest::newRow("kein Feld") << 255 << "-";
    QTest::newRow("e6") << 44 << "e6";
    QTest::newRow("zu groß") << 64 << "-";
  }
  void stellungseingabe() {
    QFETCH(int, ep);
    QFETCH(QString, epText);
    GUIStellung s = o_->tLeerstellung;
    s[4] = 6;
    s[60] = -6;
    s[AmZug] = 0;
    s[EngineComm::GS::EPFeld] = ep;
    s[EngineComm::GS::RochadeWeissLang] = 1;
    s[EngineComm::GS::RochadeSchwarzKurz] = 1;
    s[EngineComm::GS::Halbzuege] = 12;
    s[EngineComm::GS::Zugnummer] = 30;
    o_->tStellungKopie = s;
    o_->bEditModus = Wahr;
    test::Standin_Antwort("DLL_Bewertung", 55);
    o_->BrettAktualisieren(0);
    QCOMPARE(o_->iBewertung, 0);
    QCOMPARE(o_->findChild<QLineEdit*>("StellTextEP")->text(), epText);
    QCOMPARE(o_->findChild<QLineEdit*>("StellText50")->text(), QStringLiteral("12"));
    QCOMPARE(o_->findChild<QLineEdit*>("StellTextZugNr")->text(), QStringLiteral("30"));
    QVERIFY(o_->findChild<QRadioButton*>("StellRadioSchwarz")->isChecked());
    QVERIFY(!o_->findChild<QRadioButton*>("StellRadioWeiss")->isChecked());
    QList<bool> rochaden;
    for (const char* n :
         {"StellCheckRochWL", "StellCheckRochWR", "StellCheckRochSL", "StellCheckRochSR"})
      rochaden << o_->findChild<QCheckBox*>(n)->isChecked();
    QCOMPARE(rochaden, (QList<bool>{true, false, false, true}));
    QVERIFY(!o_->findChild<QWidget*>("ShapeAmZugWeiss")->isHidden());
    QVERIFY(!o_->findChild<QWidget*>("ShapeAmZugSchwarz")->isHidden());
    // White pawn .. king on squares 0..5, Black pawn .. king on 1..6.
    const int indizes[12] = {2, 5, 10, 13, 18, 21, 3, 8, 11, 16, 19, 24};
    for (int i = 0; i < 12; ++i) {
      auto* feld = o_->findChild<PictureBox*>(QStringLiteral("FigurFeld(%1)").arg(i));
      QCOMPARE(feld->image().pixelColor(16, 16), testfarbe(indizes[i]));
    }
  }

  // Paint mode and the redraw suppression keep the picture and the texts.
  void nichtZeichnen_data() {
    QTest::addColumn<bool>("malen");
    QTest::newRow("Malmodus") << true;
    QTest::newRow("unterdrückt") << false;
  }
  void nichtZeichnen() {
    QFETCH(bool, malen);
    o_->BrettAktualisieren(0);
    const QImage vorher = brett(o_)->image().copy();
    const QString fen = o_->findChild<QLineEdit*>("BrettFEN")->text();
    (malen ? o_->bZeichenModus : o_->bBrettNichtZeichnen) = Wahr;
    o_->tStellungKopie = vollesBrett();
    test::Standin_TextSetzen("DLL_FENOutput", "anders");
    o_->BrettAktualisieren(0);
    QCOMPARE(brett(o_)->image(), vorher);
    QCOMPARE(o_->findChild<QLineEdit*>("BrettFEN")->text(), fen);
  }

  // The engine marks the current move in bytes of its text counting a line
  // end as two; the box marks the same characters. At the game's root the
  // engine leaves the outputs alone and nothing is marked.
  void notationsmarke_data() {
    QTest::addColumn<QList<int>>("mark");
    QTest::addColumn<QString>("markiert");
    QTest::newRow("Wurzel") << QList<int>{} << "";
    QTest::newRow("nach Umlaut und Zeilenende") << QList<int>{22, 25} << "Sc6";
    QTest::newRow("erster Zug") << QList<int>{2, 4} << "e4";
    QTest::newRow("leerer Bereich") << QList<int>{9, 9} << "";
  }
  void notationsmarke() {
    QFETCH(QList<int>, mark);
    QFETCH(QString, markiert);
    test::Standin_TextSetzen("DLL_PartieNotation", "1.e4 {für} e5\n2.Sf3 Sc6");
    if (!mark.isEmpty()) {
      test::Standin_Antwort("DLL_ZugMark.Anfang", mark[0]);
      test::Standin_Antwort("DLL_ZugMark.Ende", mark[1]);
    }
    o_->BrettAktualisieren(0);
    auto* notation = o_->findChild<TextBox*>("TextNotation");
    QCOMPARE(notation->text(), QStringLiteral("1.e4 {für} e5\r\n2.Sf3 Sc6"));
    QCOMPARE(notation->selText(), markiert);
    if (mark.isEmpty()) QCOMPARE(notation->selStart(), 0);
  }

  // Tablebase mode: the selected slot's start square framed in its colour,
  // its range marked by discs, every placed slot's number in its square;
  // the panel follows the mask.
  void tablebaseMarken() {
    GUIStellung s = o_->tLeerstellung;
    s[4] = 6;
    s[60] = -6;
    s[3] = 5;
    o_->tStellungKopie = s;
    o_->bTBModus = Wahr;
    o_->InitTBBrett(Wahr);
    o_->tTBAnaSuchmaske[TBMaske::Figur + 0] = 6;
    o_->tTBAnaSuchmaske[TBMaske::Figur + 2] = 5;
    o_->iTBFigurStartfeld[0] = 4;
    o_->iTBFigurStartfeld[2] = 3;
    o_->tTBAnaSuchmaske[TBMaske::Gewaehlt] = 0;
    o_->tTBAnaSuchmaske[TBMaske::Bereich + 36] = 1;           // slot 0 may stand on e5
    o_->tTBAnaSuchmaske[TBMaske::Bereich + 2 * 64 + 20] = 1;  // slot 2 on e3, not shown
    o_->tTBAnaSuchmaske[TBMaske::AmZug] = 2;
    o_->tTBAnaSuchmaske[TBMaske::DistanzMin] = 3;
    o_->tTBAnaSuchmaske[TBMaske::DistanzMax] = 40;
    o_->tTBAnaSuchmaske[TBMaske::ZugDetail + 3] = 17;
    o_->iTBAnaKriterium = 4;
    o_->iTBResultatNummer = -1;
    o_->iTBResultatAnzahl = 9;
    o_->sTBText = QStringLiteral("keine Auswahl");
    EngineGlobal::einstellungen.OptEGTBAutoZug = Falsch;

    QWidget tafel;
    TBAnalyseTafel& t = o_->tbTafel;
    for (auto& r : t.zug) r = new QRadioButton(&tafel);
    for (auto& r : t.kriterium) r = new QRadioButton(&tafel);
    t.kriterium[9]->setChecked(true);
    t.mattMax = new QLineEdit(&tafel);
    t.mattMin = new QLineEdit(&tafel);
    t.positionNummer = new QLabel(&tafel);
    t.autoZug = new QCheckBox(&tafel);
    t.figurPfad = new QCheckBox(&tafel);
    t.spezielles = new QPushButton(&tafel);

    o_->BrettAktualisieren(0);
    const double e1x = o_->BrettFeldX(4), e1y = o_->BrettFeldY(4);
    const QColor rot(255, 0, 0);
    // The frame: 3 pixels wide just inside e1's edge, none in its middle.
    QVERIFY(pixelInFarbe(o_, {e1x + 15, e1y + 300, 60, 100}, rot) > 0);
    QCOMPARE(pixelInFarbe(o_, {e1x + 200, e1y + 200, 300, 300}, rot), 0);
    // The disc near e5's lower right corner, in slot 0's colour.
    const double e5x = o_->BrettFeldX(36), e5y = o_->BrettFeldY(36);
    QCOMPARE(brett(o_)->image().pixelColor(twips::zuPixel(e5x + 615, e5y + 615)), rot);
    QCOMPARE(
        pixelInFarbe(o_, {o_->BrettFeldX(20), o_->BrettFeldY(20), 735, 735}, QColor(255, 255, 0)),
        0);
    // The slot numbers at the top right of their squares.
    const QColor schwarz(Qt::black);
    QVERIFY(pixelInFarbe(o_, {e1x + 367, e1y, 368, 300}, schwarz) > 0);
    QVERIFY(pixelInFarbe(o_, {o_->BrettFeldX(3) + 367, o_->BrettFeldY(3), 368, 300}, schwarz) > 0);
    QCOMPARE(pixelInFarbe(o_, {o_->BrettFeldX(60) + 367, o_->BrettFeldY(60), 368, 300}, schwarz),
             0);

    QVERIFY(t.zug[2]->isChecked());
    QVERIFY(!t.zug[0]->isChecked() && !t.zug[1]->isChecked());
    for (int i = 0; i < 10; ++i) QCOMPARE(t.kriterium[i]->isChecked(), i == 3);
    QCOMPARE(t.mattMax->text(), QStringLiteral("40"));
    QCOMPARE(t.mattMin->text(), QStringLiteral("3"));
    QCOMPARE(t.positionNummer->text(), QStringLiteral("Position 0 von 9"));
    QCOMPARE(o_->findChild<TextBox*>("TextEngine")->text(), QStringLiteral("keine Auswahl"));
    QCOMPARE(farbe::KnopfFarbe(*t.spezielles), 0xFFu);

    // A criterion out of range clears them all; no special part, no red.
    o_->iTBAnaKriterium = 90;
    o_->tTBAnaSuchmaske[TBMaske::ZugDetail + 3] = -1;
    o_->BrettAktualisieren(0);
    for (int i = 0; i < 10; ++i) QVERIFY(!t.kriterium[i]->isChecked());
    QCOMPARE(farbe::KnopfFarbe(*t.spezielles), farbe::kSystemButtonFace);
    o_->tbTafel = {};
  }

  // Turning the board moves the markers and the coordinates with it; twice
  // gives everything back.
  void drehen() {
    auto dateien = [this] {
      QString s;
      for (int i = 0; i < 8; ++i)
        s += o_->findChild<QLabel*>(QStringLiteral("FeldDescV(%1)").arg(i))->text();
      return s;
    };
    auto reihen = [this] {
      QString s;
      for (int i = 0; i < 8; ++i)
        s += o_->findChild<QLabel*>(QStringLiteral("FeldDescH(%1)").arg(i))->text();
      return s;
    };
    auto* weiss = o_->findChild<QWidget*>("ShapeAmZugWeiss");
    auto* schwarz = o_->findChild<QWidget*>("ShapeAmZugSchwarz");
    o_->BrettAktualisieren(0);
    QCOMPARE(dateien(), QStringLiteral("abcdefgh"));
    QCOMPARE(reihen(), QStringLiteral("12345678"));
    QCOMPARE(o_->lage(weiss).top(), 5640.0);
    QVERIFY(mitte(o_, 0, true) != mitte(o_, 0, false));
    const QColor a1 = mitte(o_, 0, true);

    o_->ButtonBrettDrehen_Click();
    QCOMPARE(o_->bWeissUnten, Falsch);
    QCOMPARE(dateien(), QStringLiteral("hgfedcba"));
    QCOMPARE(reihen(), QStringLiteral("87654321"));
    QCOMPARE(o_->lage(weiss).top(), 120.0);
    QCOMPARE(o_->lage(schwarz).top(), 5640.0);
    QCOMPARE(mitte(o_, 0, false), a1);

    o_->ButtonBrettDrehen_Click();
    QCOMPARE(dateien(), QStringLiteral("abcdefgh"));
    QCOMPARE(reihen(), QStringLiteral("12345678"));
    QCOMPARE(o_->lage(weiss).top(), 5640.0);
    QCOMPARE(o_->lage(schwarz).top(), 120.0);
  }

 private:
  std::unique_ptr<test::RecordingUi> ui_;
  Oberflaeche* o_ = nullptr;
};

GALDRIK_GUI_TEST_MAIN(BrettTest)
#include "brett_test.moc"
