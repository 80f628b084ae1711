// A picture control measured in twips whose drawings persist in a backing
// image until the next clear: boards, diagrams and paintings are drawn into
// it with the calls below and stay there across repaints.
#pragma once

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdint>

namespace galdrik {

// Fill styles of boxes and circles.
namespace FillStyle {
inline constexpr int Solid = 0, Transparent = 1, HorizontalLine = 2, VerticalLine = 3,
                     UpwardDiagonal = 4, DownwardDiagonal = 5, Cross = 6, DiagonalCross = 7;
}
// Pen styles; Transparent draws no outline at all.
namespace DrawStyle {
inline constexpr int Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Transparent = 5,
                     InsideSolid = 6;
}
// Format word of the text call: horizontal alignment, vertical alignment
// (single line only), word wrap.
namespace TextFormat {
inline constexpr int Left = 0, Center = 1, Right = 2, VCenter = 4, Bottom = 8, WordBreak = 16,
                     SingleLine = 32, NoClip = 256;
}

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  // Clears the picture to the back colour and puts the current point at 0, 0.
  void cls();
  // A line in the fore colour or the given colour; its end becomes the
  // current point.
  void line(double x1, double y1, double x2, double y2);
  void line(double x1, double y1, double x2, double y2, uint32_t farbe);
  // A line from the current point.
  void lineTo(double x2, double y2, uint32_t farbe);
  // A box between two corners (both inside it): with gefuellt solid in the
  // colour, else an outline in the colour filled by the fill style.
  void box(double x1, double y1, double x2, double y2, uint32_t farbe, bool gefuellt);
  // A circle around (x, y), outline in the colour, filled by the fill style.
  void circle(double x, double y, double radius, uint32_t farbe);
  // A picture scaled into the rectangle.
  void paintPicture(const QImage& bild, double x, double y, double breite, double hoehe);
  // Text into a rectangle given in pixels, by the text format word.
  void drawText(const QString& text, const QRect& rechteckPixel, int format);

  uint32_t backColor() const { return backColor_; }
  void setBackColor(uint32_t farbe) { backColor_ = farbe; }
  uint32_t foreColor() const { return foreColor_; }
  void setForeColor(uint32_t farbe) { foreColor_ = farbe; }
  uint32_t fillColor() const { return fillColor_; }
  void setFillColor(uint32_t farbe) { fillColor_ = farbe; }
  int fillStyle() const { return fillStyle_; }
  void setFillStyle(int stil) { fillStyle_ = stil; }
  // Pen width in pixels.
  int drawWidth() const { return drawWidth_; }
  void setDrawWidth(int breite) { drawWidth_ = breite < 1 ? 1 : breite; }
  int drawStyle() const { return drawStyle_; }
  void setDrawStyle(int stil) { drawStyle_ = stil; }
  QString fontName() const { return schrift_.family(); }
  void setFontName(const QString& name) { schrift_.setFamily(name); }
  double fontSize() const { return schrift_.pointSizeF(); }
  void setFontSize(double punkte);
  bool fontBold() const { return schrift_.bold(); }
  void setFontBold(bool fett) { schrift_.setBold(fett); }
  double currentX() const { return aktuellX_; }
  double currentY() const { return aktuellY_; }
  void setCurrentPoint(double x, double y);

  // Width and height in twips.
  double scaleWidth() const;
  double scaleHeight() const;

  // 99 shows the mouse icon as the pointer, 0 the default pointer.
  void setMousePointer(int zeiger);
  void setMouseIcon(const QImage& symbol);

  const QImage& image() { return flaeche(); }
  // Shows the drawings at once rather than at the next paint.
  void refresh();

 signals:
  // Button and held buttons 1 left, 2 right, 4 middle; Shift word 1, 2, 4;
  // position in twips.
  void mouseDown(int knopf, int shift, double x, double y);
  void mouseMove(int knoepfe, int shift, double x, double y);
  void mouseUp(int knopf, int shift, double x, double y);
  void doubleClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImage& flaeche();
  QPen stift(uint32_t farbe) const;
  QBrush fuellung() const;

  QImage bild_;
  uint32_t backColor_ = 0x8000000F;
  uint32_t foreColor_ = 0;
  uint32_t fillColor_ = 0;
  int fillStyle_ = FillStyle::Transparent;
  int drawWidth_ = 1;
  int drawStyle_ = DrawStyle::Solid;
  QFont schrift_;
  double aktuellX_ = 0;
  double aktuellY_ = 0;
  int zeiger_ = 0;
  QImage symbol_;
};

}  // namespace galdrik
