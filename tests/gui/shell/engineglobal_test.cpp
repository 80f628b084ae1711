// The shared routines: square names and indices, check-box values, the
// engine text fetch (against a stand-in library) and the file dialogs with
// the last folder.
#include "shell/engineglobal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fakeui.h"
#include "guitest.h"
#include "shell/enginecomm.h"
#include "shell/sprache.h"
#include "shell/uiservice.h"
#include "standin.h"

using namespace galdrik;

class EngineGlobalTest : public QObject {
  Q_OBJECT

 private slots:
  void feldName_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("a1") << 0 << "a1";
    QTest::newRow("h1") << 7 << "h1";
    QTest::newRow("a2") << 8 << "a2";
    QTest::newRow("e4") << 28 << "e4";
    QTest::newRow("h8") << 63 << "h8";
    QTest::newRow("kein en passant") << 255 << "h32";
    QTest::newRow("minus eins") << -1 << "`0";
    QTest::newRow("minus neun") << -9 << "`-1";
    QTest::newRow("kleinste Zahl") << int(INT32_MIN) << "a-268435455";
  }
  void feldName() {
    QFETCH(int, index);
    QFETCH(QString, name);
    QCOMPARE(EngineGlobal::FeldName(index), name);
  }

  void feldIndex_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::newRow("a1") << "a1" << 0;
    QTest::newRow("h8") << "h8" << 63;
    QTest::newRow("e4") << "e4" << 28;
    QTest::newRow("Großbuchstabe") << "A1" << -32;
    QTest::newRow("nur Linie") << "a" << -8;
    QTest::newRow("leer") << "" << 0;
    QTest::newRow("mittleres Zeichen zählt nicht") << "e24" << 28;
    QTest::newRow("keine Ziffer am Ende") << "e4 " << -4;
  }
  void feldIndex() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QCOMPARE(EngineGlobal::FeldIndex(name), index);
  }

  void feldNameUndIndexSindUmkehrbar() {
    for (int i = 0; i < 64; ++i) QCOMPARE(EngineGlobal::FeldIndex(EngineGlobal::FeldName(i)), i);
  }

  void checkWert_data() {
    QTest::addColumn<int>("wert");
    QTest::addColumn<int>("haken");
    QTest::newRow("True") << -1 << 1;
    QTest::newRow("False") << 0 << 0;
    QTest::newRow("1") << 1 << 0;
    QTest::newRow("-2") << -2 << 0;
    QTest::newRow("32767") << 32767 << 0;
  }
  void checkWert() {
    QFETCH(int, wert);
    QFETCH(int, haken);
    QCOMPARE(EngineGlobal::CheckWert(static_cast<Boolean>(wert)), haken);
  }

  void engineStringHolen_data() {
    QTest::addColumn<QByteArray>("puffer");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("aufrufe");
    QTest::newRow("n = 0 fragt nicht") << QByteArray("abc") << 0 << "" << 0;
    QTest::newRow("n < 0 fragt nicht") << QByteArray("abc") << -5 << "" << 0;
    QTest::newRow("CR vor LF") << QByteArray("a\nb") << 3 << "a\r\nb" << 3;
    QTest::newRow("vorhandenes CR bleibt") << QByteArray("a\r\nb\n") << 5 << "a\r\r\nb\r\n" << 5;
    QTest::newRow("nur die ersten n") << QByteArray("abcdef") << 2 << "ab" << 2;
    QTest::newRow("UTF-8") << QByteArray("Wei\xc3\x9f\n\xe2\x80\x93") << 9
                           << QString::fromUtf8("Weiß\r\n–") << 9;
  }
  void engineStringHolen() {
    QFETCH(QByteArray, puffer);
    QFETCH(int, n);
    QFETCH(QString, text);
    QFETCH(int, aufrufe);
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral(GALDRIK_STANDIN_PATH));
    test::Standin_PufferSetzen(puffer);
    QCOMPARE(EngineGlobal::EngineStringHolen(n), text);
    QCOMPARE(test::Standin_Aufrufe(), aufrufe);
    EngineComm::setBibliothek({});
    QVERIFY(ui.boxen.isEmpty());
  }

  // Without the engine the fetch stops at once with what it has: one
  // message, not one per byte.
  void engineStringHolenOhneEngine() {
    test::RecordingUi ui;
    EngineComm::setBibliothek(QStringLiteral("/gibt/es/nicht/libGaldrik.so"));
    QCOMPARE(EngineGlobal::EngineStringHolen(500000), QString());
    QCOMPARE(ui.boxen.size(), 1);
    EngineComm::setBibliothek({});
  }

  void dialogAbgebrochen() {
    test::RecordingUi ui;
    QTemporaryDir ordner;
    EngineGlobal::LetzterOrdner = ordner.path() + '/';
    int16_t fehler = 0;
    for (bool speichern : {false, true}) {
      const QString pfad =
          speichern
              ? EngineGlobal::DateiSpeichernDialog({}, "*.pgn", "PGN|*.pgn", "T", 8196, fehler)
              : EngineGlobal::DateiOeffnenDialog({}, "*.pgn", "PGN|*.pgn", "T", 4096, fehler);
      QCOMPARE(pfad, QString());
      QCOMPARE(fehler, EngineGlobal::kDialogAbgebrochen);
      QCOMPARE(EngineGlobal::LetzterOrdner, ordner.path() + '/');
    }
    QCOMPARE(ui.dialoge.size(), 2);
    QCOMPARE(ui.dialoge[0].speichern, false);
    QCOMPARE(ui.dialoge[1].speichern, true);
    QCOMPARE(ui.dialoge[1].anfrage.flags, 8196);
    QCOMPARE(ui.dialoge[1].anfrage.dateiname, QStringLiteral("*.pgn"));
  }

  // A chosen file sets the last folder (with its separator); the next
  // dialog without a folder of its own starts there.
  void dialogMerktDenOrdner() {
    test::RecordingUi ui;
    QTemporaryDir ordner;
    QVERIFY(QDir(ordner.path()).mkpath(QStringLiteral("partien")));
    const QString gewaehlt = ordner.filePath(QStringLiteral("partien/x.pgn"));
    ui.dialogAntworten << gewaehlt;
    int16_t fehler = 7;
    QCOMPARE(EngineGlobal::DateiOeffnenDialog(ordner.path(), "", "PGN|*.pgn", "T", 4096, fehler),
             gewaehlt);
    QCOMPARE(fehler, int16_t(0));
    QCOMPARE(EngineGlobal::LetzterOrdner, ordner.filePath(QStringLiteral("partien/")));
    QCOMPARE(ui.dialoge[0].anfrage.ordner, ordner.path());
    EngineGlobal::DateiSpeichernDialog({}, "", "PGN|*.pgn", "T", 8196, fehler);
    QCOMPARE(ui.dialoge[1].anfrage.ordner, ordner.filePath(QStringLiteral("partien/")));
  }

  // With the create prompt the save dialog asks before a new file; "no"
  // shows the dialog again. An existing file, or no prompt, asks nothing.
  void speichernFragtVorNeuerDatei() {
    Sprache::SpracheDeutsch();
    test::RecordingUi ui;
    QTemporaryDir ordner;
    const QString neu = ordner.filePath(QStringLiteral("neu.pgn"));
    const QString alt = ordner.filePath(QStringLiteral("alt.pgn"));
    QFile datei(alt);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.close();
    int16_t fehler = 7;

    ui.dialogAntworten << neu << alt;
    ui.boxAntworten << MsgAntwort::No;
    QCOMPARE(EngineGlobal::DateiSpeichernDialog({}, "*.pgn", "PGN|*.pgn", "T", 8196, fehler), alt);
    QCOMPARE(fehler, int16_t(0));
    QCOMPARE(ui.dialoge.size(), 2);
    QCOMPARE(ui.boxen.size(), 1);
    QCOMPARE(ui.boxen[0].text, Sprache::MsgDateiErstellen.arg(neu));
    QCOMPARE(ui.boxen[0].stil, MsgStil::YesNo | MsgStil::Question);
    QCOMPARE(ui.boxen[0].titel, QStringLiteral("T"));

    ui.dialogAntworten << neu;
    ui.boxAntworten << MsgAntwort::Yes;
    QCOMPARE(EngineGlobal::DateiSpeichernDialog({}, "*.pgn", "PGN|*.pgn", "T", 8196, fehler), neu);
    QCOMPARE(ui.boxen.size(), 2);

    // "No", then the dialog cancelled: nothing chosen.
    ui.dialogAntworten << neu;
    ui.boxAntworten << MsgAntwort::No;
    QCOMPARE(EngineGlobal::DateiSpeichernDialog({}, "*.pgn", "PGN|*.pgn", "T", 8196, fehler),
             QString());
    QCOMPARE(fehler, EngineGlobal::kDialogAbgebrochen);

    ui.dialogAntworten << neu << neu;
    QCOMPARE(EngineGlobal::DateiSpeichernDialog({}, "*.pgn", "PGN|*.pgn", "T", 4, fehler), neu);
    QCOMPARE(EngineGlobal::DateiOeffnenDialog({}, "*.pgn", "PGN|*.pgn", "T", 8192, fehler), neu);
    QCOMPARE(ui.boxen.size(), 3);
  }

  // A starting folder that is gone falls back to the last folder.
  void dialogOhneStartordner() {
    test::RecordingUi ui;
    QTemporaryDir ordner;
    EngineGlobal::LetzterOrdner = ordner.path() + '/';
    int16_t fehler = 0;
    EngineGlobal::DateiOeffnenDialog(QStringLiteral("/gibt/es/nicht"), "", "", "T", 4096, fehler);
    QCOMPARE(ui.dialoge[0].anfrage.ordner, ordner.path() + '/');
  }

  void filter_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qt");
    QTest::newRow("einfach") << "Portable Game Notation (*.pgn)|*.pgn"
                             << "Portable Game Notation (*.pgn)";
    QTest::newRow("zwei Muster") << "EPD/FEN-Dateien (*.epd; *.fen)|*.epd; *.fen"
                                 << "EPD/FEN-Dateien (*.epd *.fen)";
    QTest::newRow("ohne Klammern") << "KEY-Dateien|*.key"
                                   << "KEY-Dateien (*.key)";
    QTest::newRow("nur Muster") << "*.tbx"
                                << "*.tbx (*.tbx)";
    QTest::newRow("zwei Filter") << "A (*.a)|*.a|B|*.b"
                                 << "A (*.a);;B (*.b)";
  }
  void filter() {
    QFETCH(QString, filter);
    QFETCH(QString, qt);
    QCOMPARE(QtFilter(filter), qt);
  }
};

GALDRIK_GUI_TEST_MAIN(EngineGlobalTest)
#include "engineglobal_test.moc"
