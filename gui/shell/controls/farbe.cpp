// Converting stored colour values to Qt colours.
#include "shell/controls/farbe.h"

#include <QGuiApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace galdrik::farbe {

namespace {

// The system colours the windows use, by their number.
QColor systemfarbe(uint32_t nummer) {
  const QPalette palette = QGuiApplication::palette();
  switch (nummer) {
    case 0x05:
      return palette.color(QPalette::Base);  // window background
    case 0x08:
      return palette.color(QPalette::Text);  // window text
    case 0x0D:
      return palette.color(QPalette::Highlight);
    case 0x0E:
      return palette.color(QPalette::HighlightedText);
    case 0x12:
      return palette.color(QPalette::ButtonText);
    default:
      return palette.color(QPalette::Button);  // 0x0F button face and the rest
  }
}

}  // namespace

QColor AlsQColor(uint32_t wert) {
  if (wert & 0x80000000u) return systemfarbe(wert & 0xFFu);
  return QColor(static_cast<int>(wert & 0xFF), static_cast<int>((wert >> 8) & 0xFF),
                static_cast<int>((wert >> 16) & 0xFF));
}

int32_t AusQColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

void SetzeKnopfFarbe(QWidget& knopf, uint32_t wert) {
  QPalette p = knopf.palette();
  p.setColor(QPalette::Button, AlsQColor(wert));
  knopf.setPalette(p);
  knopf.setProperty("backColor", wert);
}

uint32_t KnopfFarbe(const QWidget& knopf) {
  const QVariant wert = knopf.property("backColor");
  return wert.isValid() ? wert.toUInt() : kSystemButtonFace;
}

}  // namespace galdrik::farbe
