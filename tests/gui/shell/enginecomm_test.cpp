// The binding to the engine library: the real library answers, a missing
// library or export is reported once through the box service and its calls
// answer their failure values, and text arguments reach the library as UTF-8.
#include "shell/enginecomm.h"

#include "fakeui.h"
#include "guitest.h"
#include "shell/sprache.h"
#include "shell/uiservice.h"
#include "standin.h"

using namespace galdrik;

namespace {
EngineComm::Export<int32_t(int32_t)> DLL_GibtEsNicht{"DLL_GibtEsNicht", -7};
EngineComm::Export<void(int32_t)> DLL_GibtEsAuchNicht{"DLL_GibtEsAuchNicht"};
}  // namespace

class EngineCommTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { EngineComm::setBibliothek({}); }

  void echteBibliothek() {
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_LIBRARY_PATH));
    QCOMPARE(EngineComm::DLL_CheckMMX(), 1);
    QVERIFY(EngineComm::geladen());
    QVERIFY(ui.boxen.isEmpty());
  }

  // Without an explicit file the library is looked for by name; the test's
  // search path holds the build's library folder.
  void bibliothekNachName() {
    test::RecordingUi ui;
    QCOMPARE(EngineComm::DLL_CheckMMX(), 1);
    QVERIFY(EngineComm::bibliothek().endsWith(QStringLiteral("libGaldrik.so")));
    QVERIFY(ui.boxen.isEmpty());
  }

  void fehlendeBibliothek() {
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral("/gibt/es/nicht/libGaldrik.so"));
    QCOMPARE(EngineComm::DLL_CheckMMX(), 0);
    QCOMPARE(EngineComm::DLL_HashCodeGen(), -1);
    QCOMPARE(DLL_GibtEsNicht(3), -7);
    QVERIFY(!EngineComm::geladen());
    QCOMPARE(ui.boxen.size(), 1);
    QCOMPARE(ui.boxen[0].stil, MsgStil::Critical);
    QCOMPARE(ui.boxen[0].titel, Sprache::FehlerTitel);
    QVERIFY(ui.boxen[0].text.contains(QStringLiteral("/gibt/es/nicht/libGaldrik.so")));
  }

  // A file that is not a library fails the same way.
  void kaputteBibliothek() {
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_TEST_OUTPUT));
    QCOMPARE(EngineComm::DLL_CheckMMX(), 0);
    QCOMPARE(ui.boxen.size(), 1);
  }

  void fehlenderExport() {
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_LIBRARY_PATH));
    QCOMPARE(DLL_GibtEsNicht(1), -7);
    QCOMPARE(DLL_GibtEsNicht(2), -7);
    DLL_GibtEsAuchNicht(5);
    QCOMPARE(EngineComm::DLL_CheckMMX(), 1);
    QCOMPARE(ui.boxen.size(), 2);
    QVERIFY(ui.boxen[0].text.contains(QStringLiteral("DLL_GibtEsNicht")));
    QVERIFY(ui.boxen[1].text.contains(QStringLiteral("DLL_GibtEsAuchNicht")));
    QCOMPARE(ui.boxen[0].stil, MsgStil::Exclamation);
  }

  // After switching libraries every export is looked up afresh.
  void wechselVergisstBindungen() {
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral("/gibt/es/nicht/libGaldrik.so"));
    QCOMPARE(EngineComm::DLL_CheckMMX(), 0);
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_LIBRARY_PATH));
    QCOMPARE(EngineComm::DLL_CheckMMX(), 1);
    QCOMPARE(ui.boxen.size(), 1);
  }

  void textAlsUtf8_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("ASCII") << "Sg1-f3" << 6;
    QTest::newRow("Umlaute") << QString::fromUtf8("/home/jürgen/weiß") << 19;
    QTest::newRow("leer") << "" << 0;
  }
  void textAlsUtf8() {
    QFETCH(QString, text);
    QFETCH(int, bytes);
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_STANDIN_PATH));
    QCOMPARE(test::Standin_PufferSetzen(text), bytes);
  }
};

GALDRIK_GUI_TEST_MAIN(EngineCommTest)
#include "enginecomm_test.moc"
