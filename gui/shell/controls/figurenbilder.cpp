// Drawing the piece pictures from the font's solid glyphs: a Black piece is
// the glyph with a thin light rim, so it stands out on a dark square too; a
// White piece is the glyph's silhouette in white with a black rim. Each is
// drawn four times larger and scaled down, which smooths its edges.
#include "shell/controls/figurenbilder.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <cstdlib>

namespace galdrik::figurenbilder {

namespace {

constexpr int kUeberabtastung = 4;

// The font's solid glyphs run king, queen, rook, bishop, knight, pawn.
constexpr char16_t kVoll = 0x265A;

QPainterPath glyphe(char16_t zeichen, int pixel) {
  QFont schrift(QStringLiteral("DejaVu Sans"));
  schrift.setPixelSize(pixel);
  schrift.setStyleStrategy(QFont::PreferOutline);
  QPainterPath pfad;
  pfad.addText(0, 0, schrift, QString(QChar(zeichen)));
  return pfad;
}

// The whole area a glyph covers, its openings included: each of its
// contours filled on its own.
QPainterPath silhouette(const QPainterPath& glyphe) {
  QPainterPath flaeche;
  for (const QPolygonF& kontur : glyphe.toSubpathPolygons()) {
    QPainterPath teil;
    teil.addPolygon(kontur);
    teil.closeSubpath();
    flaeche = flaeche.united(teil);
  }
  return flaeche;
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
  QPainterPath voll = glyphe(static_cast<char16_t>(kVoll + versatz), seite);

  // One scale for every piece, taken from the king (the tallest), so the
  // pieces keep the font's proportions; each stands centred on a common
  // base line.
  const QRectF koenig = glyphe(kVoll, seite).boundingRect();
  const QRectF kasten = voll.boundingRect();
  const double rand = seite * 0.1;
  const double faktor = (seite - 2 * rand) / std::max(koenig.width(), koenig.height());
  QTransform lage;
  lage.translate(seite / 2.0, seite - rand);
  lage.scale(faktor, faktor);
  lage.translate(-kasten.center().x(), -kasten.bottom());
  voll = lage.map(voll);

  QImage gross(seite, seite, QImage::Format_ARGB32_Premultiplied);
  gross.fill(Qt::transparent);
  {
    QPainter p(&gross);
    p.setRenderHint(QPainter::Antialiasing);
    // A thinner rim for White keeps the queen's narrow points white.
    auto rahmen = [seite](const QColor& farbe, double anteil) {
      return QPen(farbe, seite * anteil, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    };
    if (figur > 0) {
      // The font's outline glyphs leave some White pieces dark inside (the
      // bishop's head is solid), so a White piece is the solid glyph turned
      // over: its silhouette white in a black rim, its openings (the
      // bishop's cross, the king's bands) black.
      const QPainterPath flaeche = silhouette(voll);
      p.fillPath(flaeche, Qt::white);
      p.strokePath(flaeche, rahmen(Qt::black, 0.022));
      p.fillPath(flaeche.subtracted(voll), Qt::black);
    } else {
      p.strokePath(voll, rahmen(QColor(230, 230, 230), 0.03));
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
