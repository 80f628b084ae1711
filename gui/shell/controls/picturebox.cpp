// Drawing into the picture control's backing image.
#include "shell/controls/picturebox.h"

#include <QMouseEvent>
#include <QPainter>

#include "shell/controls/farbe.h"
#include "shell/controls/tasten.h"
#include "shell/controls/twips.h"

namespace galdrik {

namespace {

Qt::BrushStyle musterStil(int fillStyle) {
  switch (fillStyle) {
    case FillStyle::Solid:
      return Qt::SolidPattern;
    case FillStyle::HorizontalLine:
      return Qt::HorPattern;
    case FillStyle::VerticalLine:
      return Qt::VerPattern;
    case FillStyle::UpwardDiagonal:
      return Qt::BDiagPattern;
    case FillStyle::DownwardDiagonal:
      return Qt::FDiagPattern;
    case FillStyle::Cross:
      return Qt::CrossPattern;
    case FillStyle::DiagonalCross:
      return Qt::DiagCrossPattern;
    default:
      return Qt::NoBrush;
  }
}

Qt::PenStyle stiftStil(int drawStyle) {
  switch (drawStyle) {
    case DrawStyle::Dash:
      return Qt::DashLine;
    case DrawStyle::Dot:
      return Qt::DotLine;
    case DrawStyle::DashDot:
      return Qt::DashDotLine;
    case DrawStyle::DashDotDot:
      return Qt::DashDotDotLine;
    case DrawStyle::Transparent:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

Qt::Alignment ausrichtung(int format) {
  Qt::Alignment a;
  if (format & TextFormat::Right)
    a |= Qt::AlignRight;
  else if (format & TextFormat::Center)
    a |= Qt::AlignHCenter;
  else
    a |= Qt::AlignLeft;
  // Vertical placement other than the top applies to single lines only.
  if ((format & TextFormat::SingleLine) && (format & TextFormat::Bottom))
    a |= Qt::AlignBottom;
  else if ((format & TextFormat::SingleLine) && (format & TextFormat::VCenter))
    a |= Qt::AlignVCenter;
  else
    a |= Qt::AlignTop;
  return a;
}

// Both corners belong to a box, in whatever order they are given.
QRect pixelBox(double x1, double y1, double x2, double y2) {
  const QPoint a = twips::zuPixel(x1, y1), b = twips::zuPixel(x2, y2);
  return QRect(a, b).normalized();
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  schrift_ = font();
}

// The drawings outlive a resize (which a hidden control gets only when it is
// shown); a larger picture gets the back colour around them.
QImage& PictureBox::flaeche() {
  const QSize groesse = size().expandedTo(QSize(1, 1));
  if (bild_.size() == groesse) return bild_;
  QImage neu(groesse, QImage::Format_RGB32);
  neu.fill(farbe::AlsQColor(backColor_));
  if (!bild_.isNull()) {
    QPainter p(&neu);
    p.drawImage(0, 0, bild_);
  }
  bild_ = neu;
  return bild_;
}

void PictureBox::cls() {
  flaeche().fill(farbe::AlsQColor(backColor_));
  aktuellX_ = aktuellY_ = 0;
  update();
}

QPen PictureBox::stift(uint32_t farbe) const {
  QPen p(farbe::AlsQColor(farbe), drawWidth_, stiftStil(drawStyle_));
  if (drawWidth_ > 1) {
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
  }
  return p;
}

QBrush PictureBox::fuellung() const {
  return QBrush(farbe::AlsQColor(fillColor_), musterStil(fillStyle_));
}

void PictureBox::line(double x1, double y1, double x2, double y2) {
  line(x1, y1, x2, y2, foreColor_);
}

void PictureBox::line(double x1, double y1, double x2, double y2, uint32_t farbe) {
  QPainter p(&flaeche());
  p.setPen(stift(farbe));
  p.drawLine(twips::zuPixel(x1, y1), twips::zuPixel(x2, y2));
  setCurrentPoint(x2, y2);
  update();
}

void PictureBox::lineTo(double x2, double y2, uint32_t farbe) {
  line(aktuellX_, aktuellY_, x2, y2, farbe);
}

void PictureBox::box(double x1, double y1, double x2, double y2, uint32_t farbe, bool gefuellt) {
  const QRect r = pixelBox(x1, y1, x2, y2);
  QPainter p(&flaeche());
  if (gefuellt) {
    p.fillRect(r, farbe::AlsQColor(farbe));
  } else {
    p.setPen(stift(farbe));
    p.setBrush(fuellung());
    // The outline runs through the corner pixels themselves.
    p.drawRect(QRectF(r.topLeft(), QSizeF(r.width() - 1, r.height() - 1)));
  }
  setCurrentPoint(x2, y2);
  update();
}

void PictureBox::circle(double x, double y, double radius, uint32_t farbe) {
  QPainter p(&flaeche());
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(stift(farbe));
  p.setBrush(fuellung());
  const double r = twips::zuPixelGenau(radius);
  p.drawEllipse(QPointF(twips::zuPixelGenau(x), twips::zuPixelGenau(y)), r, r);
  setCurrentPoint(x, y);
  update();
}

void PictureBox::paintPicture(const QImage& bild, double x, double y, double breite, double hoehe) {
  if (bild.isNull()) return;
  QPainter p(&flaeche());
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(twips::rechteck(x, y, breite, hoehe), bild);
  update();
}

void PictureBox::drawText(const QString& text, const QRect& rechteckPixel, int format) {
  QPainter p(&flaeche());
  p.setFont(schrift_);
  p.setPen(farbe::AlsQColor(foreColor_));
  QString zeilen = text;
  zeilen.remove(QLatin1Char('\r'));
  int flags = static_cast<int>(ausrichtung(format));
  if (format & TextFormat::WordBreak) flags |= Qt::TextWordWrap;
  if (format & TextFormat::SingleLine) flags |= Qt::TextSingleLine;
  if (!(format & TextFormat::NoClip)) p.setClipRect(rechteckPixel);
  p.drawText(rechteckPixel, flags, zeilen);
  update();
}

void PictureBox::setFontSize(double punkte) {
  if (punkte > 0) schrift_.setPointSizeF(punkte);
}

void PictureBox::setCurrentPoint(double x, double y) {
  aktuellX_ = x;
  aktuellY_ = y;
}

double PictureBox::scaleWidth() const { return twips::ausPixel(width()); }
double PictureBox::scaleHeight() const { return twips::ausPixel(height()); }

void PictureBox::setMousePointer(int zeiger) {
  zeiger_ = zeiger;
  if (zeiger_ == 99 && !symbol_.isNull()) {
    setCursor(QCursor(QPixmap::fromImage(symbol_), symbol_.width() / 2, symbol_.height() / 2));
  } else {
    unsetCursor();
  }
}

void PictureBox::setMouseIcon(const QImage& symbol) {
  symbol_ = symbol;
  setMousePointer(zeiger_);
}

void PictureBox::refresh() { repaint(); }

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), farbe::AlsQColor(backColor_));
  p.drawImage(0, 0, bild_);
}

void PictureBox::resizeEvent(QResizeEvent*) { flaeche(); }

void PictureBox::mousePressEvent(QMouseEvent* event) {
  emit mouseDown(tasten::Knopf(event->button()), tasten::ShiftWort(event->modifiers()),
                 twips::ausPixel(event->position().x()), twips::ausPixel(event->position().y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMove(tasten::Knoepfe(event->buttons()), tasten::ShiftWort(event->modifiers()),
                 twips::ausPixel(event->position().x()), twips::ausPixel(event->position().y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  emit mouseUp(tasten::Knopf(event->button()), tasten::ShiftWort(event->modifiers()),
               twips::ausPixel(event->position().x()), twips::ausPixel(event->position().y()));
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click still counts as a press.
  mousePressEvent(event);
  emit doubleClick();
}

}  // namespace galdrik
