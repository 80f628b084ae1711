// The 1-based picture list.
#include "shell/controls/imagelist.h"

namespace galdrik {

QImage ImageList::picture(int index) const {
  if (index < 1 || index > bilder_.size()) return {};
  return bilder_[index - 1];
}

void ImageList::setPicture(int index, const QImage& bild) {
  if (index < 1) return;
  if (index > bilder_.size()) bilder_.resize(index);
  bilder_[index - 1] = bild;
}

}  // namespace galdrik
