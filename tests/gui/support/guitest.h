// Entry of every program test: headless unless a platform is named, the
// Fusion style, and a private settings store and data folder in a temporary
// directory, so no test ever touches the user's own.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QSettings>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QtTest>

namespace galdrik::test {

// The temporary home of this test run's settings and data.
inline QString& privatOrdner() {
  static QString ordner;
  return ordner;
}

// Whether the window is gone: a closed window is deleted on the way back to
// the event loop, which a test does not take.
template <typename Fenster>
bool geschlossen(const QPointer<Fenster>& fenster) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return fenster.isNull();
}

template <typename Test>
int guiTestMain(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir ordner;
  if (!ordner.isValid()) return 2;
  privatOrdner() = ordner.path();
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(ordner.filePath(QStringLiteral("config"))));
  qputenv("XDG_DATA_HOME", QFile::encodeName(ordner.filePath(QStringLiteral("data"))));
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                     ordner.filePath(QStringLiteral("config")));
  Test test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace galdrik::test

#define GALDRIK_GUI_TEST_MAIN(Klasse) \
  int main(int argc, char** argv) { return galdrik::test::guiTestMain<Klasse>(argc, argv); }
