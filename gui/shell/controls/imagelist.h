// A list of pictures addressed by a 1-based index, as the board, the piece
// palette, the promotion picker and the drag cursors take them.
#pragma once

#include <QImage>
#include <QVector>

namespace galdrik {

class ImageList {
 public:
  // A null picture for an index that holds none.
  QImage picture(int index) const;
  void setPicture(int index, const QImage& bild);
  // The highest index that holds a picture.
  int count() const { return static_cast<int>(bilder_.size()); }

 private:
  QVector<QImage> bilder_;
};

}  // namespace galdrik
