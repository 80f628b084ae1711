// The piece pictures: where each lies in the list, that each shows its piece
// on its square, and a contact sheet of all of them for a look by eye
// (test-output/imagelist.png in the build tree).
#include "shell/controls/figurenbilder.h"

#include <QPainter>
#include <utility>

#include "guitest.h"

using namespace galdrik;
namespace fb = galdrik::figurenbilder;

namespace {

// Share of the picture's pixels that are nearly black.
double schwarzanteil(const QImage& bild) {
  int schwarz = 0;
  for (int y = 0; y < bild.height(); ++y)
    for (int x = 0; x < bild.width(); ++x) {
      const QColor c = bild.pixelColor(x, y);
      schwarz += c.alpha() > 128 && c.lightness() < 40;
    }
  return double(schwarz) / (bild.width() * bild.height());
}

}  // namespace

class FigurenbilderTest : public QObject {
  Q_OBJECT

  ImageList liste_ = fb::Hauptliste();

 private slots:
  void indizes_data() {
    QTest::addColumn<int>("figur");
    QTest::addColumn<bool>("dunkel");
    QTest::addColumn<int>("bild");
    QTest::addColumn<int>("cursor");
    QTest::newRow("weißer Bauer hell") << 1 << false << 1 << 32;
    QTest::newRow("weißer Bauer dunkel") << 1 << true << 2 << 32;
    QTest::newRow("schwarzer Bauer hell") << -1 << false << 3 << 33;
    QTest::newRow("schwarzer Bauer dunkel") << -1 << true << 4 << 33;
    QTest::newRow("weißer Springer hell") << 2 << false << 5 << 34;
    QTest::newRow("schwarzer Turm hell") << -4 << false << 15 << 39;
    QTest::newRow("weiße Dame dunkel") << 5 << true << 18 << 40;
    QTest::newRow("weißer König dunkel") << 6 << true << 22 << 42;
    QTest::newRow("schwarzer König dunkel") << -6 << true << 24 << 43;
  }
  void indizes() {
    QFETCH(int, figur);
    QFETCH(bool, dunkel);
    QFETCH(int, bild);
    QFETCH(int, cursor);
    QCOMPARE(fb::BildIndex(figur, dunkel), bild);
    QCOMPARE(fb::CursorIndex(figur), cursor);
  }

  void listeIstVoll() {
    for (int i = 1; i <= 24; ++i) {
      QCOMPARE(liste_.picture(i).size(), QSize(fb::kBildGroesse, fb::kBildGroesse));
    }
    for (int i = 25; i <= 31; ++i) QVERIFY(liste_.picture(i).isNull());
    for (int i = 32; i <= 43; ++i) {
      QCOMPARE(liste_.picture(i).size(), QSize(fb::kCursorGroesse, fb::kCursorGroesse));
    }
    QVERIFY(liste_.picture(0).isNull());
    QVERIFY(liste_.picture(44).isNull());
  }

  // Each square picture has its square's colour at the corners, and the
  // Black piece is darker than the White one of the same kind.
  void bilderZeigenFigurUndFeld() {
    for (int betrag = 1; betrag <= 6; ++betrag) {
      for (bool dunkel : {false, true}) {
        const int grund = dunkel ? fb::kDunkel : fb::kHell;
        const QImage weiss = liste_.picture(fb::BildIndex(betrag, dunkel));
        const QImage schwarz = liste_.picture(fb::BildIndex(-betrag, dunkel));
        QCOMPARE(weiss.pixelColor(0, 0), QColor(grund, grund, grund));
        QCOMPARE(schwarz.pixelColor(fb::kBildGroesse - 1, 0), QColor(grund, grund, grund));
        QVERIFY(schwarzanteil(schwarz) > 0.15);
        QVERIFY(schwarzanteil(weiss) < schwarzanteil(schwarz) * 0.75);
        QVERIFY(schwarzanteil(weiss) > 0.03);
      }
    }
    // A White piece is filled white, also on the light square: its middle
    // is not the dark square showing through.
    const QImage koenig = liste_.picture(fb::BildIndex(6, true));
    int weisse = 0;
    for (int y = 30; y < 70; ++y)
      for (int x = 30; x < 70; ++x) weisse += koenig.pixelColor(x, y).lightness() > 230;
    QVERIFY(weisse > 400);
  }

  // At the board's size (a square is 49 pixels) a White piece reads white
  // and a Black one black, in its upper half (heads and crowns) as in the
  // whole: of the piece's pixels, more are light than dark for White, most
  // are dark for Black. A sheet of the twelve at that size goes to
  // test-output/figuren-brettgroesse.png.
  void brettgroesseHellUndDunkel() {
    constexpr int kFeld = 49;
    QImage bogen(12 * kFeld, 2 * kFeld, QImage::Format_RGB32);
    QPainter p(&bogen);
    QStringList fehler;  // piece, dark square, rows looked at: pixels, light, dark
    int spalte = 0;
    for (int betrag = 1; betrag <= 6; ++betrag) {
      for (int figur : {betrag, -betrag}) {
        for (bool dunkel : {false, true}) {
          const QImage bild =
              liste_.picture(fb::BildIndex(figur, dunkel))
                  .scaled(kFeld, kFeld, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
          p.drawImage(spalte * kFeld, dunkel ? kFeld : 0, bild);
          const QImage form = fb::Figur(figur, kFeld);
          for (const auto& [von, bis] : {std::pair{0, kFeld / 2}, std::pair{0, kFeld}}) {
            int figurpixel = 0, hell = 0, schwarz = 0;
            for (int y = von; y < bis; ++y)
              for (int x = 0; x < kFeld; ++x) {
                if (form.pixelColor(x, y).alpha() < 200) continue;
                const int l = bild.pixelColor(x, y).lightness();
                ++figurpixel;
                hell += l > 215;
                schwarz += l < 40;
              }
            const QString name = QStringLiteral("%1 %2 %3: %4 %5 %6")
                                     .arg(figur)
                                     .arg(dunkel)
                                     .arg(bis)
                                     .arg(figurpixel)
                                     .arg(hell)
                                     .arg(schwarz);
            const bool gut =
                figurpixel > 40 && (figur > 0 ? hell > schwarz && hell > figurpixel / 3
                                              : schwarz > figurpixel / 2 && hell < figurpixel / 10);
            if (!gut) fehler << name;
          }
        }
        ++spalte;
      }
    }
    p.end();
    QVERIFY(bogen.save(QStringLiteral(GALDRIK_TEST_OUTPUT "/figuren-brettgroesse.png")));
    QVERIFY2(fehler.isEmpty(), qPrintable(fehler.join(QStringLiteral("; "))));
  }

  void cursorHabenDurchsichtigenGrund() {
    for (int i = 32; i <= 43; ++i) {
      const QImage c = liste_.picture(i);
      QCOMPARE(c.pixelColor(0, 0).alpha(), 0);
      int deckend = 0;
      for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) deckend += c.pixelColor(x, y).alpha() > 128;
      QVERIFY(deckend > c.width() * c.height() / 10);
    }
  }

  void kontaktbogen() {
    const int feld = 60, rand = 6;
    QImage bogen(rand + 12 * (feld + rand), rand + 3 * (feld + rand), QImage::Format_RGB32);
    bogen.fill(QColor(0, 96, 160));
    QPainter p(&bogen);
    for (int i = 1; i <= 24; ++i) {
      const int spalte = (i - 1) % 12, zeile = (i - 1) / 12;
      p.drawImage(QRect(rand + spalte * (feld + rand), rand + zeile * (feld + rand), feld, feld),
                  liste_.picture(i));
    }
    for (int i = 32; i <= 43; ++i) {
      const int spalte = i - 32;
      p.drawImage(QPoint(rand + spalte * (feld + rand) + (feld - fb::kCursorGroesse) / 2,
                         rand + 2 * (feld + rand) + (feld - fb::kCursorGroesse) / 2),
                  liste_.picture(i));
    }
    p.end();
    const QString pfad = QStringLiteral(GALDRIK_TEST_OUTPUT "/imagelist.png");
    QVERIFY(bogen.save(pfad));
  }
};

GALDRIK_GUI_TEST_MAIN(FigurenbilderTest)
#include "figurenbilder_test.moc"
