// Title and line widths measured with the fonts in force.
#include "shell/controls/textbreite.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace galdrik {

namespace {

// Window managers draw titles a little larger than the program's own text,
// often bold; icon, buttons and margins take about this many pixels.
constexpr double kTitelSchrift = 1.15;
constexpr int kTitelRand = 128;

constexpr double kKleinsteSchrift = 6.0;
constexpr const char* kGrundschrift = "galdrikGrundschrift";

}  // namespace

int Titelbreite(const QString& titel) {
  QFont schrift = QApplication::font();
  schrift.setBold(true);
  if (schrift.pointSizeF() > 0) schrift.setPointSizeF(schrift.pointSizeF() * kTitelSchrift);
  return QFontMetrics(schrift).horizontalAdvance(titel) + kTitelRand;
}

int Textraum(const QLineEdit& zeile) {
  QStyleOptionFrame option;
  option.initFrom(&zeile);
  option.rect = zeile.rect();
  option.lineWidth = zeile.hasFrame()
                         ? zeile.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &zeile)
                         : 0;
  const QRect innen = zeile.style()->subElementRect(QStyle::SE_LineEditContents, &option, &zeile);
  const QMargins rand = zeile.textMargins();
  // The line box keeps two pixels on each side of its text, and one for the
  // cursor.
  return innen.width() - rand.left() - rand.right() - 5;
}

void SchriftEinpassen(QLineEdit& zeile) {
  QVariant grund = zeile.property(kGrundschrift);
  if (!grund.isValid()) {
    grund = zeile.font();
    zeile.setProperty(kGrundschrift, grund);
  }
  QFont schrift = grund.value<QFont>();
  const int raum = Textraum(zeile);
  double groesse = schrift.pointSizeF();
  while (groesse > kKleinsteSchrift &&
         QFontMetrics(schrift).horizontalAdvance(zeile.text()) > raum) {
    groesse = std::max(groesse - 0.5, kKleinsteSchrift);
    schrift.setPointSizeF(groesse);
  }
  if (schrift != zeile.font()) zeile.setFont(schrift);
}

}  // namespace galdrik
