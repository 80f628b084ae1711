// Drawing the piece pictures. A White piece is the font's outline glyph with
// its inside filled white; a Black piece is the font's solid glyph with a
// thin light rim, so it stands out on a dark square too. Each is drawn four
// times larger and scaled down, which smooths its edges.
#include "shell/controls/figurenbilder.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QVector>
#include <cstdlib>
#include <vector>

namespace galdrik::figurenbilder {

namespace {

constexpr int kUeberabtastung = 4;

// The font's glyphs run king, queen, rook, bishop, knight, pawn, first in
// outline (White), then solid (Black).
constexpr char16_t kUmriss = 0x2654;
constexpr char16_t kVoll = 0x265A;

QPainterPath glyphe(char16_t zeichen, int pixel) {
  QFont schrift(QStringLiteral("DejaVu Sans"));
  schrift.setPixelSize(pixel);
  schrift.setStyleStrategy(QFont::PreferOutline);
  QPainterPath pfad;
  pfad.addText(0, 0, schrift, QString(QChar(zeichen)));
  return pfad;
}

// Everything the outline encloses: the pixels that cannot be reached from
// the border without crossing the outline.
QImage innenflaeche(const QPainterPath& pfad, int seite) {
  QImage maske(seite, seite, QImage::Format_Grayscale8);
  maske.fill(255);
  {
    QPainter p(&maske);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(pfad);
  }
  // Reached pixels are marked in a plain buffer: going through QImage per
  // pixel costs a detach check on every step of the fill.
  const uchar* zeilen = maske.constBits();
  const qsizetype breite = maske.bytesPerLine();
  std::vector<uchar> aussen(static_cast<size_t>(seite) * static_cast<size_t>(seite), 0);
  QVector<QPoint> offen;
  auto besuchen = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= seite || y >= seite) return;
    uchar& erreicht = aussen[static_cast<size_t>(y) * static_cast<size_t>(seite) + x];
    if (erreicht || zeilen[y * breite + x] == 0) return;
    erreicht = 255;
    offen.push_back({x, y});
  };
  for (int i = 0; i < seite; ++i) {
    besuchen(i, 0);
    besuchen(i, seite - 1);
    besuchen(0, i);
    besuchen(seite - 1, i);
  }
  // Four neighbours only, so the fill cannot slip through a diagonal joint.
  while (!offen.isEmpty()) {
    const QPoint q = offen.takeLast();
    besuchen(q.x() + 1, q.y());
    besuchen(q.x() - 1, q.y());
    besuchen(q.x(), q.y() + 1);
    besuchen(q.x(), q.y() - 1);
  }
  QImage ergebnis(seite, seite, QImage::Format_Alpha8);
  for (int y = 0; y < seite; ++y) {
    const uchar* a = aussen.data() + static_cast<size_t>(y) * static_cast<size_t>(seite);
    uchar* e = ergebnis.scanLine(y);
    for (int x = 0; x < seite; ++x) e[x] = a[x] ? 0 : 255;
  }
  return ergebnis;
}

// A piece picture on the ground of a light or a dark square.
QImage quadrat(const QImage& figur, bool dunkel) {
  const int grund = dunkel ? kDunkel : kHell;
  QImage bild(kBildGroesse, kBildGroesse, QImage::Format_RGB32);
  bild.fill(QColor(grund, grund, grund));
  QPainter p(&bild);
  p.drawImage(0, 0, figur);
  return bild;
}

}  // namespace

QImage Figur(int figur, int groesse) {
  const int betrag = std::abs(figur);
  if (betrag < 1 || betrag > 6 || groesse < 1) {
    QImage leer(std::max(groesse, 1), std::max(groesse, 1), QImage::Format_ARGB32_Premultiplied);
    leer.fill(Qt::transparent);
    return leer;
  }

  const int seite = groesse * kUeberabtastung;
  const auto versatz = static_cast<char16_t>(6 - betrag);
  QPainterPath umriss = glyphe(static_cast<char16_t>(kUmriss + versatz), seite);
  QPainterPath voll = glyphe(static_cast<char16_t>(kVoll + versatz), seite);

  // One scale for every piece, taken from the king (the tallest), so the
  // pieces keep the font's proportions; each stands centred on a common
  // base line.
  const QRectF koenig = glyphe(kVoll, seite).boundingRect();
  const QRectF kasten = voll.boundingRect().united(umriss.boundingRect());
  const double rand = seite * 0.1;
  const double faktor = (seite - 2 * rand) / std::max(koenig.width(), koenig.height());
  QTransform lage;
  lage.translate(seite / 2.0, seite - rand);
  lage.scale(faktor, faktor);
  lage.translate(-kasten.center().x(), -kasten.bottom());
  umriss = lage.map(umriss);
  voll = lage.map(voll);

  QImage gross(seite, seite, QImage::Format_ARGB32_Premultiplied);
  gross.fill(Qt::transparent);
  {
    QPainter p(&gross);
    p.setRenderHint(QPainter::Antialiasing);
    if (figur > 0) {
      QImage weiss(seite, seite, QImage::Format_ARGB32_Premultiplied);
      weiss.fill(Qt::white);
      weiss.setAlphaChannel(innenflaeche(umriss, seite));
      p.drawImage(0, 0, weiss);
      p.fillPath(umriss, Qt::black);
    } else {
      p.strokePath(voll, QPen(QColor(230, 230, 230), seite * 0.025, Qt::SolidLine, Qt::RoundCap,
                              Qt::RoundJoin));
      p.fillPath(voll, Qt::black);
    }
  }
  return gross.scaled(groesse, groesse, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

ImageList Hauptliste() {
  ImageList liste;
  for (int betrag = 1; betrag <= 6; ++betrag) {
    for (int figur : {betrag, -betrag}) {
      // The piece is the same on both squares: drawn once, grounded twice.
      const QImage bild = Figur(figur, kBildGroesse);
      for (bool dunkel : {false, true})
        liste.setPicture(BildIndex(figur, dunkel), quadrat(bild, dunkel));
      liste.setPicture(CursorIndex(figur), Figur(figur, kCursorGroesse));
    }
  }
  return liste;
}

}  // namespace galdrik::figurenbilder
