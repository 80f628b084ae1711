// The program's entry: the application object, start-up, the event loop.
#include <QApplication>
#include <QStringList>
#include <QStyleFactory>

#include "shell/engineglobal.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Fusion shows the back colours the program gives its buttons, which
  // some platform styles ignore.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  // The whole command line after the program's name, as one text.
  const int ende = galdrik::EngineGlobal::Main(app.arguments().mid(1).join(QLatin1Char(' ')));
  if (ende != 0) return ende;
  return app.exec();
}
