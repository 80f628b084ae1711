// Texts fit their controls in both languages with the fonts the set-up
// script installs: every label, button, check box, option button and frame
// of the main window, the FEN line for short and long FENs, and the titles
// of the windows, whose title bars would cut them. Pictures of the FEN line
// go to build/test-output for review.
#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QStyle>

#include "fakeui.h"
#include "fensterstart.h"
#include "guitest.h"
#include "shell/bauernumwandlung.h"
#include "shell/controls/imagelist.h"
#include "shell/controls/textbreite.h"
#include "shell/pgninfo.h"
#include "shell/sprache.h"
#include "shell/sprachwahl.h"
#include "shell/start.h"

using namespace galdrik;

namespace {

// The width a control's own text needs, or 0 when it shows none.
int textbedarf(QWidget* w) {
  const QStyle* stil = w->style();
  if (auto* l = qobject_cast<QLabel*>(w)) {
    if (l->text().isEmpty() || l->wordWrap()) return 0;
    return l->fontMetrics().horizontalAdvance(l->text()) + 2 * l->margin() + 2 * l->frameWidth();
  }
  if (auto* k = qobject_cast<QAbstractButton*>(w)) {
    if (k->text().isEmpty()) return 0;
    int b = k->fontMetrics().horizontalAdvance(QString(k->text()).remove(QLatin1Char('&')));
    if (qobject_cast<QCheckBox*>(k) || qobject_cast<QRadioButton*>(k))
      b += stil->pixelMetric(QStyle::PM_IndicatorWidth) +
           stil->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    else
      b += 2 * stil->pixelMetric(QStyle::PM_ButtonMargin) / 3;
    return b;
  }
  if (auto* g = qobject_cast<QGroupBox*>(w)) {
    if (g->title().isEmpty()) return 0;
    return g->fontMetrics().horizontalAdvance(g->title()) + 16;
  }
  return 0;
}

struct Picker : Bauernumwandlung::Hauptfenster {
  QWidget* fenster() override { return nullptr; }
  int32_t FigurBildCode(int32_t, int32_t) override { return 1; }
  const ImageList& Figurenbilder() override { return bilder; }
  void ZugGemacht() override {}
  ImageList bilder;
};

QString ausgabe(const QString& name) {
  const QString ordner =
      qEnvironmentVariable("GALDRIK_TEST_OUTPUT", QStringLiteral(GALDRIK_TEST_OUTPUT));
  QDir().mkpath(ordner);
  return ordner + QStringLiteral("/textbreiten-") + name + QStringLiteral(".png");
}

}  // namespace

class TextbreitenTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::standinLaden(GALDRIK_STANDIN_PATH); }
  void cleanup() { test::beenden(); }

  void hauptfensterInBeidenSprachen() {
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    o->show();
    for (const char* menue : {"MenüExtrasSpracheDt", "MenüExtrasSpracheEn"}) {
      test::menue(o, menue);
      int geprueft = 0;
      for (QWidget* w : o->findChildren<QWidget*>()) {
        const int bedarf = textbedarf(w);
        if (bedarf == 0) continue;
        ++geprueft;
        QVERIFY2(bedarf <= w->width(), qPrintable(QStringLiteral("%1 in %2: %3 > %4")
                                                      .arg(w->objectName(), Sprache::SprachCode)
                                                      .arg(bedarf)
                                                      .arg(w->width())));
      }
      QVERIFY(geprueft > 40);
      QVERIFY(o->width() >= Titelbreite(o->windowTitle()));
    }
  }

  // The FEN line takes a smaller font for a long FEN, down to a size still
  // readable, and its own again for a short one.
  void fenZeile_data() {
    QTest::addColumn<QString>("fen");
    QTest::newRow("Grundstellung") << "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    QTest::newRow("Mittelspiel")
        << "r1bq1rk1/pp2bppp/2n1pn2/2pp4/2PP4/2N1PN2/PP2BPPP/R1BQ1RK1 w - c6 10 100";
    QTest::newRow("lang") << "r1b1k1nr/pppp1ppp/2n1q3/2b1p3/2B1P3/2NQ1N2/PPPP1PPP/R1B1K2R b KQkq - "
                             "99 3150";
    QTest::newRow("kurz") << "8/8/8/4k3/8/8/8/4K3 w - - 0 1";
  }
  void fenZeile() {
    QFETCH(QString, fen);
    test::RecordingUi ui;
    Oberflaeche* o = test::starten();
    QVERIFY(o);
    o->show();
    auto* zeile = o->findChild<QLineEdit*>("BrettFEN");
    const double grundgroesse = zeile->font().pointSizeF();
    test::Standin_TextSetzen("DLL_FENOutput", fen.toUtf8().constData());
    o->BrettAktualisieren(0);
    QCOMPARE(zeile->text(), fen);
    QVERIFY2(zeile->fontMetrics().horizontalAdvance(fen) <= Textraum(*zeile),
             qPrintable(QString::number(zeile->font().pointSizeF())));
    QVERIFY(zeile->font().pointSizeF() >= 6.0);
    QVERIFY(zeile->font().pointSizeF() <= grundgroesse);
    QVERIFY(zeile->grab().save(ausgabe(QTest::currentDataTag())));

    test::Standin_TextSetzen("DLL_FENOutput", "8/8/8/4k3/8/8/8/4K3 w - - 0 1");
    o->BrettAktualisieren(0);
    QCOMPARE(zeile->font().pointSizeF(), grundgroesse);
  }

  // Window managers cut a title that is wider than its window.
  void fenstertitel() {
    for (const bool englisch : {false, true}) {
      englisch ? Sprache::SpracheEnglisch() : Sprache::SpracheDeutsch();
      Picker h;
      Bauernumwandlung picker(h);
      QVERIFY(!picker.windowTitle().isEmpty());
      QVERIFY2(picker.width() >= Titelbreite(picker.windowTitle()),
               qPrintable(picker.windowTitle()));
      // The four pictures stay side by side in the middle.
      const auto* erstes = picker.findChild<QWidget*>("Picture1");
      const auto* letztes = picker.findChild<QWidget*>("Picture4");
      QVERIFY(qAbs(erstes->x() - (picker.width() - letztes->geometry().right() - 1)) <= 1);
      QPointer<PGNInfo> tags = new PGNInfo;
      tags->show();
      QVERIFY2(tags->width() >= Titelbreite(tags->windowTitle()), qPrintable(tags->windowTitle()));
      tags->Verwerfen();
      QVERIFY(test::geschlossen(tags));
    }
    Sprache::SpracheDeutsch();
    Start start;
    start.show();
    QVERIFY(start.width() >= Titelbreite(start.windowTitle()));
    Sprachwahl wahl;
    wahl.show();
    QVERIFY(wahl.width() >= Titelbreite(wahl.windowTitle()));
    wahl.hide();
  }
};

GALDRIK_GUI_TEST_MAIN(TextbreitenTest)
#include "textbreiten_test.moc"
