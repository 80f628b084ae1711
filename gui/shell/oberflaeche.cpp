// The main window's frame.
#include "shell/oberflaeche.h"

#include <QLabel>

#include "shell/sprache.h"

namespace galdrik {

Oberflaeche::Oberflaeche(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Oberfläche"));
  setWindowTitle(Sprache::ProgTitel);
  auto* titel = new QLabel(Sprache::ProgTitel, this);
  titel->setAlignment(Qt::AlignCenter);
  setCentralWidget(titel);
  resize(720, 480);
}

}  // namespace galdrik
