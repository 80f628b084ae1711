// Loading and saving the settings: the defaults of an empty store, the older
// directory keys of metric 0, the written forms, unreadable stored text and a
// store that cannot be written.
#include "shell/einstellungen.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "fakeui.h"
#include "guitest.h"
#include "shell/engineglobal.h"

using namespace galdrik;

namespace {

using Zeile = std::pair<QString, QString>;  // "Abschnitt/Schlüssel", gespeicherter Text

// Every key an empty store gets written back, with its text.
QList<Zeile> vorgabeTabelle(const QString& daten, const QString& benutzer) {
  QList<Zeile> t = {
      {"Optionen/OptSuchErwNullmove", "1"},
      {"Optionen/OptSuchErwFutility", "0"},
      {"Optionen/OptSuchErwExtension", "1"},
      {"Optionen/OptSuchErwHashtable", "1"},
      {"Optionen/OptSuchErwBuch", "1"},
      {"Optionen/OptSuchErwGegenfeld", "1"},
      {"Optionen/OptSuchErwPondern", "0"},
      {"Optionen/OptSuchErwSilent", "0"},
      {"Optionen/OptHashIndex", "17"},
      {"Optionen/OptHashEntry", "3"},
      {"Optionen/OptHashGegenfeld", "8"},
      {"Optionen/OptSuchModus", "1"},
      {"Optionen/OptSuchTiefe", "7"},
      {"Optionen/OptSuchZeit1", "10"},
      {"Optionen/OptSuchZeit2", "20"},
      {"Optionen/OptBuchPfad", daten + "/Standard.bk2"},
      {"Optionen/OptBuchZufall", "1"},
      {"Optionen/OptAutoAntw", "-1"},
      {"EGTB/OptEGTBMetrikStd", "0"},
      {"EGTB/OptEGTBCache1", "1048576"},
      {"EGTB/OptEGTBCache2", "33554432"},
      {"EGTB/OptEGTBSuche", "0"},
      {"EGTB/OptEGTBDatei", "0"},
      {"EGTB/OptEGTBAutoZug", "False"},
      {"EGTB/OptEGTBFigPfad", "False"},
      {"EGTB/OptEGTBStatAuto", "True"},
      {"EGTB/OptEGTBStartAuto", "False"},
      {"EGTB/OptEGTBStartFEN", ""},
      {"EGTB/OptEGTBCmdZeigen", "-1"},
      {"EGTB/OptEGTBVarDeltaMin", "2"},
      {"EGTB/OptEGTBVarDeltaMax", "20"},
      {"EGTB/OptEGTBVarDeltaA", "0.2"},
      {"EGTB/OptEGTBVarDeltaB", "1.5"},
      {"EGTB/OptEGTBPattfallen", "-1"},
      {"EGTB/OptEGTBQuickUpd", "-1"},
      {"EGTB/OptEGTBManZeit", "-1"},
      {"Ansicht/OptAnsichtBrett", "-1"},
      {"Ansicht/OptAnsichtNotat", "-1"},
      {"Ansicht/OptAnsichtEngin", "-1"},
      {"Sprache/OptLanguage", ""},
      {"TBStat/Opt_TBStatSkala", "0"},
      {"TBStat/Opt_TBStatStil", "0"},
      {"TBStat/Opt_TBStatFigFarbe", "0"},
      {"TBStat/Opt_TBStatFigTyp", "5"},
      {"TBStat/Opt_TBStatStatMode", "0"},
      {"Paint/Opt_PaintFontName", "Tahoma"},
      {"Paint/Opt_PaintFontSize", "12"},
      {"Paint/Opt_PaintFontBold", "-1"},
      {"Paint/Opt_PaintFontDir", "1"},
      {"Paint/Opt_PaintSchraffur", "1"},
      {"RFEP/Opt_RFEP_MaxD", "50"},
      {"RFEP/Opt_RFEP_Draw", "51"},
      {"RFEP/Opt_RFEP_Loss", "102"},
      {"RFEP/Opt_RFEP_CSim", "20"},
      {"RFEP/Opt_RFEP_CMin", "0"},
      {"RFEP/Opt_RFEP_CStp", "1"},
      {"RFEP/Opt_RFEP_CNum", "51"},
      {"RFEP/Opt_RFEP_GMov", "50"},
      {"RFEP/Opt_RFEP_GNum", "10"},
      {"RFEP/Opt_RFEP_FAtt", "1"},
      {"RFEP/Opt_RFEP_Horizon", "1"},
      {"RFEP/Opt_RFEP_Kappa", "1"},
      {"RFEP/Opt_RFEP_NoDraw", "1"},
      {"RFEP/Opt_RFEP_NoLoss", "1"},
      {"RFEP/Opt_RFEP_RandSeed", "-1"},
      {"RFEP/Opt_RFEP_FileGam", benutzer + "/RFEP.pgn"},
      {"RFEP/Opt_RFEP_FileMat", benutzer + "/RFEP.mtx"},
      {"RFEP/Opt_RFEP_FileDat", benutzer + "/RFEP.dat"},
      {"RFEP/Opt_RFEP_FileLog", benutzer + "/RFEP.log"},
      {"RFEP/Opt_RFEP_Log", "0"},
  };
  // A fresh store has directory 1 of metric 0 switched on, every other off.
  for (int i = 0; i < 7; ++i) {
    const QString n = QString::number(i);
    t.append({"EGTB/OptEGTBPfad1(" + n + ")", ""});
    t.append({"EGTB/OptEGTBPfad2(" + n + ")", ""});
    t.append({"EGTB/OptEGTBPfadUse1(" + n + ")", i == 0 ? "-1" : "0"});
    t.append({"EGTB/OptEGTBPfadUse2(" + n + ")", "0"});
  }
  return t;
}

const Vorgabeordner kOrdner{QStringLiteral("/daten"), QStringLiteral("/benutzer")};

}  // namespace

class EinstellungenTest : public QObject {
  Q_OBJECT

  QTemporaryDir ordner_;
  int nummer_ = 0;

  // A new, empty INI store of its own.
  std::unique_ptr<QSettings> speicher(const QByteArray& inhalt = {}) {
    const QString pfad = ordner_.filePath(QStringLiteral("s%1.ini").arg(++nummer_));
    if (!inhalt.isEmpty()) {
      QFile f(pfad);
      if (f.open(QIODevice::WriteOnly)) f.write(inhalt);
    }
    return std::make_unique<QSettings>(pfad, QSettings::IniFormat);
  }

  Einstellungen geladen(QSettings& s) {
    Einstellungen e;
    EinstellungenLesen(e, s, kOrdner);
    return e;
  }

  // What the store says after loading it and writing the result to a new one.
  QString wiedergeschrieben(QSettings& quelle, const QString& schluessel) {
    const Einstellungen e = geladen(quelle);
    auto ziel = speicher();
    if (!EinstellungenSchreiben(e, *ziel)) return QStringLiteral("<nicht geschrieben>");
    return ziel->value(schluessel).toString();
  }

 private slots:
  void leererSpeicherGibtDieVorgaben_data() {
    QTest::addColumn<QString>("schluessel");
    QTest::addColumn<QString>("text");
    for (const auto& [schluessel, text] : vorgabeTabelle(kOrdner.daten, kOrdner.benutzer))
      QTest::newRow(qPrintable(schluessel)) << schluessel << text;
  }
  void leererSpeicherGibtDieVorgaben() {
    QFETCH(QString, schluessel);
    QFETCH(QString, text);
    auto leer = speicher();
    QCOMPARE(wiedergeschrieben(*leer, schluessel), text);
  }

  // Nothing beside the table is written: the older unindexed directory keys
  // are read but never written back.
  void speichernSchreibtGenauDieTabelle() {
    auto alt = speicher();
    alt->setValue(QStringLiteral("EGTB/OptEGTBPfad"), QStringLiteral("/tb"));
    const Einstellungen e = geladen(*alt);
    auto neu = speicher();
    QVERIFY(EinstellungenSchreiben(e, *neu));
    QStringList erwartet;
    for (const auto& zeile : vorgabeTabelle(kOrdner.daten, kOrdner.benutzer))
      erwartet << zeile.first;
    QStringList geschrieben = neu->allKeys();
    erwartet.sort();
    geschrieben.sort();
    QCOMPARE(geschrieben, erwartet);
  }

  // Tables made with the program in the data folder are the DTM directory
  // of a user who has set none, stored as the empty setting; a user's own
  // directory wins.
  void standardDTMOrdner() {
    const QString ordner =
        QDir(EngineGlobal::Datenordner()).filePath(QStringLiteral("tablebases/dtm"));
    QVERIFY(QDir().mkpath(ordner));
    QFile tabelle(ordner + QStringLiteral("/kqk.nbw"));
    QVERIFY(tabelle.open(QIODevice::WriteOnly));
    tabelle.close();
    QCOMPARE(EngineGlobal::StandardDTMOrdner(), ordner);
    auto leer = speicher();
    Einstellungen e = geladen(*leer);
    QCOMPARE(e.OptEGTBPfad1[0], ordner);
    QCOMPARE(e.OptEGTBPfad1[1], QString());
    auto neu = speicher();
    QVERIFY(EinstellungenSchreiben(e, *neu));
    QCOMPARE(neu->value(QStringLiteral("EGTB/OptEGTBPfad1(0)")).toString(), QString());
    neu->setValue(QStringLiteral("EGTB/OptEGTBPfad1(0)"), QStringLiteral("/eigene/tb"));
    QCOMPARE(geladen(*neu).OptEGTBPfad1[0], QStringLiteral("/eigene/tb"));
    QVERIFY(QDir(QDir(EngineGlobal::Datenordner()).filePath(QStringLiteral("tablebases")))
                .removeRecursively());
    QCOMPARE(EngineGlobal::StandardDTMOrdner(), QString());
    QCOMPARE(geladen(*speicher()).OptEGTBPfad1[0], QString());
  }

  void leererSpeicherVariablen() {
    auto leer = speicher();
    const Einstellungen e = geladen(*leer);
    QCOMPARE(e.OptAutoAntw, Wahr);
    QCOMPARE(e.OptEGTBStatAuto, Wahr);
    QCOMPARE(e.OptEGTBAutoZug, Falsch);
    QCOMPARE(e.OptEGTBVarDeltaA, 0.2f);
    QCOMPARE(e.Opt_RFEP_CSim, 20.0);
    QCOMPARE(e.OptLanguage, QString());
    QCOMPARE(e.OptBuchPfad, QStringLiteral("/daten/Standard.bk2"));
    QCOMPARE(e.OptEGTBPfadUse1[0], Wahr);
    for (int i = 1; i < 8; ++i) QCOMPARE(e.OptEGTBPfadUse1[i], Falsch);
  }

  void alteVerzeichnisschluessel_data() {
    QTest::addColumn<QStringList>("gespeichert");
    QTest::addColumn<QString>("pfad1");
    QTest::addColumn<QString>("pfad2");
    QTest::addColumn<int>("use1");
    QTest::addColumn<int>("use2");
    QTest::addColumn<int>("use1Metrik1");
    QTest::newRow("nur OptEGTBPfad") << QStringList{"OptEGTBPfad=/tb/alt"} << "/tb/alt"
                                     << "" << -1 << 0 << 0;
    QTest::newRow("OptEGTBPfad1 vor OptEGTBPfad")
        << QStringList{"OptEGTBPfad=/a", "OptEGTBPfad1=/b"} << "/b"
        << "" << -1 << 0 << 0;
    QTest::newRow("zweites Verzeichnis")
        << QStringList{"OptEGTBPfad2=/c", "OptEGTBPfadUse2=1"} << ""
        << "/c" << -1 << -1 << 0;
    QTest::newRow("alter Schalter aus") << QStringList{"OptEGTBPfadUse1=0"} << ""
                                        << "" << 0 << 0 << 0;
    QTest::newRow("indizierter Schalter gewinnt")
        << QStringList{"OptEGTBPfadUse1=1", "OptEGTBPfadUse1(0)=0"} << ""
        << "" << 0 << 0 << 0;
    QTest::newRow("indizierter Schalter als Wort")
        << QStringList{"OptEGTBPfadUse1=0", "OptEGTBPfadUse1(0)=True"} << ""
        << "" << -1 << 0 << 0;
    QTest::newRow("indizierte Pfade gewinnen")
        << QStringList{"OptEGTBPfad=/a", "OptEGTBPfad1(0)=/neu", "OptEGTBPfad2=/x",
                       "OptEGTBPfad2(0)=/y"}
        << "/neu"
        << "/y" << -1 << 0 << 0;
    QTest::newRow("unlesbarer Schalter behält den alten Wert")
        << QStringList{"OptEGTBPfadUse2=-1", "OptEGTBPfadUse2(0)=ja"} << ""
        << "" << -1 << -1 << 0;
    QTest::newRow("Metrik 1 liest Zahlen") << QStringList{"OptEGTBPfadUse1(1)=-1"} << ""
                                           << "" << -1 << 0 << -1;
    QTest::newRow("Metrik 1 liest True als 0") << QStringList{"OptEGTBPfadUse1(1)=True"} << ""
                                               << "" << -1 << 0 << 0;
  }
  void alteVerzeichnisschluessel() {
    QFETCH(QStringList, gespeichert);
    QFETCH(QString, pfad1);
    QFETCH(QString, pfad2);
    QFETCH(int, use1);
    QFETCH(int, use2);
    QFETCH(int, use1Metrik1);
    auto s = speicher();
    for (const QString& paar : gespeichert) {
      const auto teile = paar.split(QLatin1Char('='));
      s->setValue("EGTB/" + teile[0], teile[1]);
    }
    const Einstellungen e = geladen(*s);
    QCOMPARE(e.OptEGTBPfad1[0], pfad1);
    QCOMPARE(e.OptEGTBPfad2[0], pfad2);
    QCOMPARE(int(e.OptEGTBPfadUse1[0]), use1);
    QCOMPARE(int(e.OptEGTBPfadUse2[0]), use2);
    QCOMPARE(int(e.OptEGTBPfadUse1[1]), use1Metrik1);
    QCOMPARE(e.OptEGTBPfad1[1], QString());
  }

  // Text in the store that the program did not write: by hand, by an older
  // version, under another locale. What cannot be read gives the default.
  void gespeicherterText_data() {
    QTest::addColumn<QString>("schluessel");
    QTest::addColumn<QByteArray>("roh");
    QTest::addColumn<QString>("gelesen");
    auto zeile = [](const char* name, const char* schluessel, const char* roh, const char* text) {
      QTest::newRow(name) << QString::fromLatin1(schluessel) << QByteArray(roh)
                          << QString::fromUtf8(text);
    };
    zeile("Long mit Buchstaben", "Optionen/OptHashIndex", "abc", "17");
    zeile("Long mit Rest", "Optionen/OptHashIndex", "12abc", "17");
    zeile("Long zu groß", "Optionen/OptHashIndex", "4294967296", "17");
    zeile("Long leer", "Optionen/OptHashIndex", "", "17");
    zeile("Long mit Leerzeichen", "Optionen/OptHashIndex", " 20 ", "20");
    zeile("Long negativ", "RFEP/Opt_RFEP_RandSeed", "-2147483648", "-2147483648");
    zeile("Integer zu groß", "EGTB/OptEGTBVarDeltaMin", "70000", "2");
    zeile("Integer am Rand", "EGTB/OptEGTBVarDeltaMin", "-32768", "-32768");
    zeile("Single mit Komma", "EGTB/OptEGTBVarDeltaA", "\"0,25\"", "0.25");
    zeile("Single mit Komma ohne Anführung", "EGTB/OptEGTBVarDeltaA", "0,25", "0.25");
    zeile("Single mit Punkt", "EGTB/OptEGTBVarDeltaA", "0.25", "0.25");
    zeile("Single zu groß", "EGTB/OptEGTBVarDeltaA", "1e40", "0.2");
    zeile("Single Wort", "EGTB/OptEGTBVarDeltaA", "zwei", "0.2");
    zeile("Double mit Komma", "RFEP/Opt_RFEP_CSim", "2,5", "2.5");
    zeile("Double nan", "RFEP/Opt_RFEP_CSim", "nan", "20");
    zeile("Wort-Flag unlesbar", "EGTB/OptEGTBStatAuto", "vielleicht", "True");
    zeile("Wort-Flag klein", "EGTB/OptEGTBStatAuto", "false", "False");
    zeile("Wort-Flag als Zahl", "EGTB/OptEGTBAutoZug", "-1", "True");
    zeile("Zahl-Flag als Wort True", "Optionen/OptAutoAntw", "True", "0");
    zeile("Zahl-Flag mit Text danach", "Optionen/OptAutoAntw", "7 Tage", "-1");
    zeile("Zahl-Flag 0", "Optionen/OptAutoAntw", "0", "0");
    zeile("Zahl-Flag leer", "Optionen/OptAutoAntw", "", "0");
    zeile("Text mit Komma", "Optionen/OptBuchPfad", "/a,b/c.bk2", "/a,b/c.bk2");
    zeile("Text mit Umlaut", "Paint/Opt_PaintFontName", "Schrift Ü", "Schrift Ü");
  }
  void gespeicherterText() {
    QFETCH(QString, schluessel);
    QFETCH(QByteArray, roh);
    QFETCH(QString, gelesen);
    const auto teile = schluessel.split(QLatin1Char('/'));
    auto s = speicher("[" + teile[0].toUtf8() + "]\n" + teile[1].toUtf8() + "=" + roh + "\n");
    QCOMPARE(wiedergeschrieben(*s, schluessel), gelesen);
  }

  // Save then load gives every variable back, whatever the user's locale.
  void speichernUndLadenIstDieIdentitaet() {
    const QLocale vorher;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Einstellungen e;
    int n = 0;
    for (const Schluessel& s : EinstellungsSchluessel()) {
      ++n;
      switch (s.art) {
        case Art::Long:
          e.*std::get<int32_t Einstellungen::*>(s.feld) = -1000 * n - 7;
          break;
        case Art::Integer:
          e.*std::get<int16_t Einstellungen::*>(s.feld) = static_cast<int16_t>(-3 * n);
          break;
        case Art::FlagZahl:
        case Art::FlagWort:
          e.*std::get<int16_t Einstellungen::*>(s.feld) = n % 2 ? Wahr : Falsch;
          break;
        case Art::Single:
          e.*std::get<float Einstellungen::*>(s.feld) = 0.1f * static_cast<float>(n);
          break;
        case Art::Double:
          e.*std::get<double Einstellungen::*>(s.feld) = n / 3.0;
          break;
        case Art::Text:
          e.*std::get<QString Einstellungen::*>(s.feld) = QStringLiteral("ä,\"%1\"; =\\x").arg(n);
          break;
        case Art::Verzeichnisse:
          break;
      }
    }
    for (int i = 0; i < 7; ++i) {
      e.OptEGTBPfad1[i] = QStringLiteral("/tb/ü/%1").arg(i);
      e.OptEGTBPfad2[i] = QStringLiteral("/tb,zwei;%1").arg(i);
      e.OptEGTBPfadUse1[i] = i % 2 ? Wahr : Falsch;
      e.OptEGTBPfadUse2[i] = i % 3 ? Falsch : Wahr;
    }
    auto s = speicher();
    QVERIFY(EinstellungenSchreiben(e, *s));
    QCOMPARE(s->value(QStringLiteral("EGTB/OptEGTBVarDeltaA")).toString().contains(','), false);
    auto wieder = std::make_unique<QSettings>(s->fileName(), QSettings::IniFormat);
    const Einstellungen geladenWieder = geladen(*wieder);
    QLocale::setDefault(vorher);
    QVERIFY(geladenWieder == e);
  }

  // The keys written one at a time (the language, the painting keys at the
  // main window's close) take the form they are read back in.
  void einzelnerSchluessel() {
    auto s = speicher();
    Einstellungen e = geladen(*s);
    e.Opt_PaintFontBold = Wahr;
    e.OptLanguage = QStringLiteral("En");
    QVERIFY(EinstellungSchreiben(e, *s, QStringLiteral("Opt_PaintFontBold")));
    QVERIFY(EinstellungSchreiben(e, *s, QStringLiteral("OptLanguage")));
    QVERIFY(!EinstellungSchreiben(e, *s, QStringLiteral("GibtEsNicht")));
    QCOMPARE(s->value(QStringLiteral("Paint/Opt_PaintFontBold")).toString(), QStringLiteral("-1"));
    QCOMPARE(s->allKeys().size(), 2);
    e.Opt_PaintFontBold = Falsch;
    e = geladen(*s);
    QCOMPARE(e.Opt_PaintFontBold, Wahr);
    QCOMPARE(e.OptLanguage, QStringLiteral("En"));
  }

  // The program's own store: saved, loaded and deleted as a whole.
  void programmspeicher() {
    test::RecordingUi ui;
    EngineGlobal::EinstellungenLoeschen();
    EngineGlobal::EinstellungenLaden();
    QCOMPARE(EngineGlobal::einstellungen.OptHashIndex, 17);
    EngineGlobal::einstellungen.OptHashIndex = 19;
    EngineGlobal::EinstellungenSpeichern();
    EngineGlobal::einstellungen.OptHashIndex = 0;
    EngineGlobal::EinstellungenLaden();
    QCOMPARE(EngineGlobal::einstellungen.OptHashIndex, 19);
    QVERIFY(EngineGlobal::Einstellungsspeicher()->fileName().startsWith(test::privatOrdner()));
    EngineGlobal::EinstellungenLoeschen();
    EngineGlobal::EinstellungenLaden();
    QCOMPARE(EngineGlobal::einstellungen.OptHashIndex, 17);
    QVERIFY(ui.boxen.isEmpty());
  }

  // A store that cannot be written is reported and the program goes on;
  // loading from it gives the defaults.
  void unschreibbarerSpeicher() {
    QTemporaryDir anderswo;
    QVERIFY(QDir(anderswo.path()).mkpath(QStringLiteral("Galdrik/Galdrik.ini")));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, anderswo.path());
    test::RecordingUi ui;
    EngineGlobal::EinstellungenSpeichern();
    EngineGlobal::EinstellungenLaden();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QDir(test::privatOrdner()).filePath(QStringLiteral("config")));
    QCOMPARE(ui.boxen.size(), 1);
    QCOMPARE(ui.boxen[0].text,
             QStringLiteral("Low Level Error while trying to save program settings."));
    QCOMPARE(ui.boxen[0].stil, MsgStil::OkOnly);
    QCOMPARE(ui.boxen[0].titel, QStringLiteral("Galdrik"));
    QCOMPARE(EngineGlobal::einstellungen.OptHashIndex, 17);
  }
};

GALDRIK_GUI_TEST_MAIN(EinstellungenTest)
#include "einstellungen_test.moc"
