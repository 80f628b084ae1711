// The message tables: every variable in both languages against a transcript
// of the texts kept beside this test, the labels the engine receives, and
// filling the tables without an engine.
#include "shell/sprache.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include "fakeui.h"
#include "guitest.h"
#include "standin.h"

using namespace galdrik;

namespace {

QJsonObject transkript() {
  QFile datei(QStringLiteral(GALDRIK_GUI_TEST_DATA "/sprachtexte.json"));
  if (!datei.open(QIODevice::ReadOnly)) return {};
  return QJsonDocument::fromJson(datei.readAll()).object();
}

const QString* variable(const QString& name) {
  for (const Sprache::Meldungstext& t : Sprache::Meldungstexte()) {
    if (name == QLatin1String(t.name)) return t.variable;
  }
  return nullptr;
}

// The engine call with every label of the language, as the stand-in
// records it.
QString bezeichnungsAufruf(const char* export_, const QJsonArray& zeilen, int sprache) {
  QStringList texte;
  for (const QJsonValue& z : zeilen) texte << '"' + z.toArray()[sprache].toString() + '"';
  return QStringLiteral("%1(%2)").arg(QLatin1String(export_), texte.join(','));
}

}  // namespace

class SpracheTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::standinLaden(GALDRIK_STANDIN_PATH); }
  void cleanupTestCase() { EngineComm::setBibliothek({}); }

  void jederTextInBeidenSprachen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("deutsch");
    QTest::addColumn<QString>("englisch");
    const QJsonArray zeilen = transkript()[QLatin1String("Texte")].toArray();
    QVERIFY(zeilen.size() > 170);
    for (const QJsonValue& z : zeilen) {
      const QJsonArray t = z.toArray();
      const QByteArray name = t[0].toString().toUtf8();
      QTest::newRow(name.constData()) << t[0].toString() << t[1].toString() << t[2].toString();
    }
  }
  void jederTextInBeidenSprachen() {
    QFETCH(QString, name);
    QFETCH(QString, deutsch);
    QFETCH(QString, englisch);
    const QString* v = variable(name);
    QVERIFY2(v, qPrintable(name + " fehlt in der Tabelle"));
    Sprache::SpracheEnglisch();
    QCOMPARE(*v, englisch);
    Sprache::SpracheDeutsch();
    QCOMPARE(*v, deutsch);
  }

  // Every row of the tables is in the transcript, but for the texts whose
  // wording is the program's own.
  void keinTextUeberzaehlig() {
    QSet<QString> bekannt;
    for (const QJsonValue& z : transkript()[QLatin1String("Texte")].toArray())
      bekannt << z.toArray()[0].toString();
    const QSet<QString> eigene = {
        "TxtInfo",          "MsgFehlerBibliothek", "MsgFehlerExport",
        "MsgHashStandard",  "MsgKeineHashtabelle", "MsgPartieTeilweiseGelesen",
        "MsgDateiErstellen"};
    QSet<QString> namen;
    for (const Sprache::Meldungstext& t : Sprache::Meldungstexte()) {
      const QString name = QString::fromLatin1(t.name);
      QVERIFY2(!namen.contains(name), qPrintable(name + " doppelt"));
      namen << name;
      QVERIFY2(bekannt.contains(name) || eigene.contains(name), qPrintable(name));
    }
    QCOMPARE(namen.size(), bekannt.size() + eigene.size());
  }

  // The variables the rest of the program names directly, by their symbols.
  void benannteVariablen() {
    Sprache::SpracheEnglisch();
    QCOMPARE(Sprache::SprachCode, QStringLiteral("En"));
    QCOMPARE(Sprache::FigurBuchstaben, QStringLiteral("PNBRQK"));
    QCOMPARE(Sprache::FarbBuchstaben, QStringLiteral("wb"));
    QCOMPARE(Sprache::FigurName[0], QStringLiteral("black king"));
    QCOMPARE(Sprache::TxtTBInstalliert, QStringLiteral("\tinstalled"));
    QVERIFY(Sprache::TxtInfo.endsWith(QStringLiteral("\r\n\r\nversion number: ")));
    Sprache::SpracheDeutsch();
    QCOMPARE(Sprache::SprachCode, QStringLiteral("Dt"));
    QCOMPARE(Sprache::FigurBuchstaben, QStringLiteral("BSLTDK"));
    QCOMPARE(Sprache::FarbBuchstaben, QStringLiteral("ws"));
    QCOMPARE(Sprache::FigurName[12], QString::fromUtf8("weißer König"));
    QCOMPARE(Sprache::TxtSchwarzKlammer, QStringLiteral(" (S)"));
    QVERIFY(Sprache::TxtInfo.endsWith(QStringLiteral("\r\n\r\nVersionsnummer: ")));
  }

  void engineBezeichnungen_data() {
    QTest::addColumn<bool>("englisch");
    QTest::newRow("Deutsch") << false;
    QTest::newRow("Englisch") << true;
  }
  void engineBezeichnungen() {
    QFETCH(bool, englisch);
    test::RecordingUi ui;
    englisch ? Sprache::SpracheEnglisch() : Sprache::SpracheDeutsch();
    const QJsonObject t = transkript();
    const int spalte = englisch ? 1 : 0;
    const QStringList erwartet = {
        QStringLiteral("DLL_SetFigurName(\"%1\")").arg(englisch ? "PNBRQK" : "BSLTDK"),
        bezeichnungsAufruf("DLL_SetStatBez", t[QLatin1String("SetStatBez")].toArray(), spalte),
        bezeichnungsAufruf("DLL_TBBezSet", t[QLatin1String("TBBezSet")].toArray(), spalte),
    };
    QCOMPARE(test::standinProtokoll(), erwartet);
    QVERIFY(ui.boxen.isEmpty());
  }

  // Without an engine, or without one of the label exports, the tables are
  // filled all the same and nobody is bothered with a box.
  void ohneEngine() {
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral("/gibt/es/nicht/libGaldrik.so"));
    Sprache::SpracheEnglisch();
    QCOMPARE(Sprache::MsgKeineEGTB,
             QStringLiteral("No EGTBs were found in the given directories."));
    QVERIFY(ui.boxen.isEmpty());
  }

  void ohneTablebaseBezeichnungen() {
    test::RecordingUi ui;
    test::standinLaden(GALDRIK_STANDIN_OHNE_TB_PATH);
    Sprache::SpracheEnglisch();
    const QStringList aufrufe = test::standinProtokoll();
    QCOMPARE(aufrufe.size(), 2);
    QCOMPARE(aufrufe[0], QStringLiteral("DLL_SetFigurName(\"PNBRQK\")"));
    QVERIFY(aufrufe[1].startsWith(QStringLiteral("DLL_SetStatBez(")));
    QVERIFY(ui.boxen.isEmpty());
  }
};

GALDRIK_GUI_TEST_MAIN(SpracheTest)
#include "sprache_test.moc"
