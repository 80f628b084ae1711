// The program's entry: the application object and the main window.
#include <QApplication>
#include <QStyleFactory>

#include "shell/oberflaeche.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Fusion shows the back colours the program gives its buttons, which
  // some platform styles ignore.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  galdrik::Oberflaeche fenster;
  fenster.show();
  return app.exec();
}
