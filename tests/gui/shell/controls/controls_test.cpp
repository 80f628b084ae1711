// The thin control layer: twips, colours, key and mouse codes, the picture
// control's drawing calls and the CR LF text control's positions.
#include <QTextBlock>
#include <QTextLayout>
#include <QClipboard>
#include <QSignalSpy>

#include "guitest.h"
#include "shell/controls/farbe.h"
#include "shell/controls/picturebox.h"
#include "shell/controls/tasten.h"
#include "shell/controls/textbox.h"
#include "shell/controls/twips.h"

using namespace galdrik;

namespace {

constexpr uint32_t kWeiss = farbe::Rgb(255, 255, 255);
constexpr uint32_t kRot = farbe::Rgb(255, 0, 0);
constexpr uint32_t kBlau = farbe::Rgb(0, 0, 255);

QColor bei(PictureBox& b, int x, int y) { return b.image().pixelColor(x, y); }

// A white picture control of 100 x 100 pixels.
struct Bild {
  PictureBox box;
  Bild() {
    box.resize(100, 100);
    box.setBackColor(kWeiss);
    box.cls();
  }
};

}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void twips() {
    QCOMPARE(twips::zuPixel(735.0), 49);
    QCOMPARE(twips::zuPixel(25.0), 2);
    QCOMPARE(twips::zuPixel(7.0), 0);
    QCOMPARE(twips::rechteck(25, 25, 735, 735), QRect(2, 2, 49, 49));
    QCOMPARE(twips::ausPixel(49), 735.0);
  }

  void farben_data() {
    QTest::addColumn<uint>("wert");
    QTest::addColumn<QColor>("farbe");
    QTest::newRow("rot") << uint(0xFF) << QColor(255, 0, 0);
    QTest::newRow("blau") << uint(0xFF0000) << QColor(0, 0, 255);
    QTest::newRow("braun") << uint(farbe::Rgb(128, 64, 0)) << QColor(128, 64, 0);
    QTest::newRow("Knopffläche") << uint(farbe::kSystemButtonFace)
                                 << QGuiApplication::palette().color(QPalette::Button);
  }
  void farben() {
    QFETCH(uint, wert);
    QFETCH(QColor, farbe);
    QCOMPARE(farbe::AlsQColor(wert), farbe);
    if (!(wert & 0x80000000u)) QCOMPARE(uint(farbe::AusQColor(farbe)), wert);
  }

  void tasten_data() {
    QTest::addColumn<int>("taste");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("shift");
    QTest::newRow("links") << int(Qt::Key_Left) << 0 << 37 << 0;
    QTest::newRow("Strg+P") << int(Qt::Key_P) << int(Qt::ControlModifier) << 80 << 2;
    QTest::newRow("Strg+Umschalt+A")
        << int(Qt::Key_A) << int(Qt::ControlModifier | Qt::ShiftModifier) << 65 << 3;
    QTest::newRow("Strg+Alt+Bild auf")
        << int(Qt::Key_PageUp) << int(Qt::ControlModifier | Qt::AltModifier) << 33 << 6;
    QTest::newRow("F3") << int(Qt::Key_F3) << 0 << 114 << 0;
    QTest::newRow("Ziffer") << int(Qt::Key_5) << 0 << 53 << 0;
    QTest::newRow("Enter des Ziffernblocks")
        << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 13 << 0;
    QTest::newRow("ohne Code") << int(Qt::Key_Eacute) << 0 << 0 << 0;
  }
  void tasten() {
    QFETCH(int, taste);
    QFETCH(int, modifiers);
    QFETCH(int, code);
    QFETCH(int, shift);
    QCOMPARE(tasten::KeyCode(taste), code);
    QCOMPARE(tasten::ShiftWort(Qt::KeyboardModifiers(modifiers)), shift);
  }

  // Both corners belong to a box; a filled box covers them exactly.
  void gefuellteBox() {
    Bild b;
    b.box.box(25, 25, 760, 760, kRot, true);
    QCOMPARE(bei(b.box, 2, 2), QColor(Qt::red));
    QCOMPARE(bei(b.box, 51, 51), QColor(Qt::red));
    QCOMPARE(bei(b.box, 1, 1), QColor(Qt::white));
    QCOMPARE(bei(b.box, 52, 52), QColor(Qt::white));
  }

  void umrissMitStiftbreite() {
    Bild b;
    b.box.setDrawWidth(3);
    b.box.box(150, 150, 1200, 1200, kBlau, false);
    QCOMPARE(bei(b.box, 10, 40), QColor(Qt::blue));
    QCOMPARE(bei(b.box, 11, 40), QColor(Qt::blue));
    QCOMPARE(bei(b.box, 40, 40), QColor(Qt::white));  // transparent fill
    b.box.setDrawStyle(DrawStyle::Transparent);
    b.box.setFillStyle(FillStyle::Solid);
    b.box.setFillColor(kRot);
    // Without an outline the far corner is left out, so a box to the next
    // square's corner fills exactly one square.
    b.box.box(1350, 1350, 1440, 1440, kBlau, false);
    QCOMPARE(bei(b.box, 90, 90), QColor(Qt::red));
    QCOMPARE(bei(b.box, 95, 95), QColor(Qt::red));
    QCOMPARE(bei(b.box, 96, 96), QColor(Qt::white));
  }

  // Hatches run the way their names say: "/" rises to the right.
  void schraffur_data() {
    QTest::addColumn<int>("stil");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::newRow("waagrecht") << FillStyle::HorizontalLine << 1 << 0;
    QTest::newRow("senkrecht") << FillStyle::VerticalLine << 0 << 1;
    QTest::newRow("steigend") << FillStyle::UpwardDiagonal << 1 << -1;
    QTest::newRow("fallend") << FillStyle::DownwardDiagonal << 1 << 1;
  }
  void schraffur() {
    QFETCH(int, stil);
    QFETCH(int, dx);
    QFETCH(int, dy);
    Bild b;
    b.box.setFillStyle(stil);
    b.box.setFillColor(kRot);
    b.box.setDrawStyle(DrawStyle::Transparent);
    b.box.box(0, 0, 1485, 1485, kRot, false);
    int gefunden = 0;
    for (int y = 20; y < 80; ++y) {
      for (int x = 20; x < 80; ++x) {
        if (bei(b.box, x, y) != QColor(Qt::red)) continue;
        ++gefunden;
        QCOMPARE(bei(b.box, x + dx, y + dy), QColor(Qt::red));
      }
    }
    QVERIFY(gefunden > 100);
    QVERIFY(gefunden < 60 * 60 / 2);
  }

  void kreis() {
    Bild b;
    b.box.setFillStyle(FillStyle::Solid);
    b.box.setFillColor(farbe::Rgb(0, 255, 0));
    b.box.circle(750, 750, 300, 0);
    QCOMPARE(bei(b.box, 50, 50), QColor(Qt::green));
    QCOMPARE(bei(b.box, 50, 40), QColor(Qt::green));
    QCOMPARE(bei(b.box, 50, 27), QColor(Qt::white));
    QCOMPARE(bei(b.box, 27, 50), QColor(Qt::white));
    // The black outline at 20 pixels from the centre.
    int dunkel = 0;
    for (int y = 28; y <= 32; ++y) dunkel += bei(b.box, 50, y).lightness() < 100;
    QVERIFY(dunkel >= 1);
  }

  void bildSkaliert() {
    Bild b;
    QImage klein(2, 2, QImage::Format_RGB32);
    klein.fill(Qt::blue);
    b.box.paintPicture(klein, 25, 25, 735, 735);
    QCOMPARE(bei(b.box, 2, 2), QColor(Qt::blue));
    QCOMPARE(bei(b.box, 50, 50), QColor(Qt::blue));
    QCOMPARE(bei(b.box, 51, 51), QColor(Qt::white));
  }

  // Right-aligned text stays at the right of its rectangle, in the fore colour.
  void textRechtsbuendig() {
    Bild b;
    b.box.setForeColor(0);
    b.box.setFontName(QStringLiteral("DejaVu Sans"));
    b.box.setFontSize(8);
    b.box.setFontBold(true);
    b.box.drawText(QStringLiteral("1 "), QRect(0, 0, 49, 49), TextFormat::Right);
    int links = 100, rechts = -1;
    for (int y = 0; y < 49; ++y) {
      for (int x = 0; x < 49; ++x) {
        if (bei(b.box, x, y).lightness() < 128) {
          links = std::min(links, x);
          rechts = std::max(rechts, x);
        }
      }
    }
    QVERIFY(rechts >= 0);
    QVERIFY2(links > 30, qPrintable(QString::number(links)));
    QVERIFY(rechts < 49);
  }

  // Drawings stay through a resize and show on the screen.
  void zeichnungBleibt() {
    Bild b;
    b.box.box(0, 0, 150, 150, kRot, true);
    b.box.resize(200, 150);
    QCOMPARE(bei(b.box, 5, 5), QColor(Qt::red));
    QCOMPARE(bei(b.box, 150, 120), QColor(Qt::white));
    QCOMPARE(b.box.grab().toImage().pixelColor(5, 5), QColor(Qt::red));
    QCOMPARE(b.box.scaleWidth(), 3000.0);
  }

  void linieUndAktuellerPunkt() {
    Bild b;
    b.box.setCurrentPoint(150, 750);
    b.box.setDrawWidth(5);
    b.box.lineTo(1350, 750, kBlau);
    QCOMPARE(b.box.currentX(), 1350.0);
    QCOMPARE(bei(b.box, 50, 50), QColor(Qt::blue));
    QCOMPARE(bei(b.box, 50, 52), QColor(Qt::blue));
    QCOMPARE(bei(b.box, 50, 56), QColor(Qt::white));
  }

  void mausInTwips() {
    PictureBox box;
    box.resize(100, 100);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy runter(&box, &PictureBox::mouseDown);
    QSignalSpy hoch(&box, &PictureBox::mouseUp);
    QTest::mousePress(&box, Qt::RightButton, Qt::ControlModifier, QPoint(10, 20));
    QTest::mouseRelease(&box, Qt::RightButton, Qt::ControlModifier, QPoint(30, 40));
    QCOMPARE(runter.size(), 1);
    QCOMPARE(runter[0], (QVariantList{2, 2, 150.0, 300.0}));
    QCOMPARE(hoch[0], (QVariantList{2, 2, 450.0, 600.0}));
  }

  void auswahl_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("laenge");
    QTest::addColumn<QString>("auswahl");
    QTest::addColumn<int>("startDanach");
    QTest::newRow("nach CR LF") << 4 << 1 << "c" << 4;
    QTest::newRow("mit Zeilenende") << 0 << 4 << "ab\r\n" << 0;
    QTest::newRow("Ende zwischen CR und LF") << 1 << 6 << "b\r\ncd" << 1;
    QTest::newRow("über das Ende") << 8 << 10 << "ef" << 8;
    QTest::newRow("Start hinter dem Ende") << 20 << 0 << "" << 10;
    QTest::newRow("negativer Start") << -3 << 2 << "ab" << 0;
  }
  void auswahl() {
    QFETCH(int, start);
    QFETCH(int, laenge);
    QFETCH(QString, auswahl);
    QFETCH(int, startDanach);
    TextBox box;
    box.setText(QStringLiteral("ab\r\ncd\r\nef"));
    box.setSelStart(start);
    box.setSelLength(laenge);
    QCOMPARE(box.selText(), auswahl);
    QCOMPARE(box.selStart(), startDanach);
    QCOMPARE(box.selLength(), int(auswahl.size()));
    QCOMPARE(box.textCursor().selectedText(),
             QString(auswahl).remove('\r').replace('\n', QChar::ParagraphSeparator));
  }

  // The engine counts bytes of the UTF-8 text; the control counts characters.
  void bytePositionen_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("zeichen");
    QTest::newRow("Anfang") << 0 << 0;
    QTest::newRow("vor ß") << 3 << 3;
    QTest::newRow("nach ß") << 5 << 4;
    QTest::newRow("nach CR LF") << 7 << 6;
    QTest::newRow("nach Gedankenstrich") << 10 << 7;
    QTest::newRow("vor Ersatzpaar") << 11 << 8;
    QTest::newRow("nach Ersatzpaar") << 15 << 10;
    QTest::newRow("Ende") << 16 << 11;
  }
  void bytePositionen() {
    QFETCH(int, byte);
    QFETCH(int, zeichen);
    TextBox box;
    box.setText(QString::fromUtf8("Weiß\r\n–x\U0001F600y"));
    QCOMPARE(box.zeichenAusByte(byte), zeichen);
    QCOMPARE(box.byteAusZeichen(zeichen), byte);
  }

  void doppelklickNimmtDenGanzenZug() {
    TextBox box;
    box.resize(300, 200);
    box.setText(QStringLiteral("1. e2-e4 Sg8-f6\r\n2. Sg1-f3 e7xd8D"));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy doppelt(&box, &TextBox::doubleClick);
    QTextCursor c(box.document());
    c.setPosition(11);  // inside "Sg8-f6"
    const QPoint punkt = box.cursorRect(c).center();
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, {}, punkt);
    QCOMPARE(doppelt.size(), 1);
    QCOMPARE(box.selText(), QStringLiteral("Sg8-f6"));
    QCOMPARE(box.selStart(), 9);
  }

  // A narrow notation wraps between moves only: every wrapped line starts
  // right after a blank, so no move is split at its hyphen; the text and
  // its positions keep their plain hyphens.
  void umbruchNurZwischenZuegen() {
    TextBox box;
    box.setUmbruchNurAnLeerraum(true);
    box.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box.resize(140, 400);
    QString text;
    for (int n = 1; n <= 12; ++n) text += QStringLiteral("%1.Lf1-d3 Sg8-f6 O-O-O ").arg(n);
    text += QStringLiteral("\r\n( 6...Lc8-g4 ) {ein Kommentar}");
    box.setText(text);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.text(), text);
    int umbrueche = 0;
    for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next()) {
      const QTextLayout* layout = b.layout();
      for (int i = 1; i < layout->lineCount(); ++i) {
        const int anfang = layout->lineAt(i).textStart();
        ++umbrueche;
        QVERIFY2(b.text().at(anfang - 1) == QLatin1Char(' '),
                 qPrintable(b.text().mid(anfang - 8, 16)));
      }
    }
    QVERIFY(umbrueche > 5);
    box.setSelStart(2);
    box.setSelLength(6);
    QCOMPARE(box.selText(), QStringLiteral("Lf1-d3"));
    QCOMPARE(box.byteAusZeichen(9), 9);
    box.selectAll();
    box.copy();
    QCOMPARE(QGuiApplication::clipboard()->text().left(16), QStringLiteral("1.Lf1-d3 Sg8-f6 "));
  }

  void getippterTextHatCrLf() {
    TextBox box;
    box.setText(QStringLiteral("a"));
    box.moveCursor(QTextCursor::End);
    box.insertPlainText(QStringLiteral("\nb"));
    QCOMPARE(box.text(), QStringLiteral("a\r\nb"));
    QCOMPARE(box.selStart(), 4);
  }
};

GALDRIK_GUI_TEST_MAIN(ControlsTest)
#include "controls_test.moc"
