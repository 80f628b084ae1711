// The program's start: from the splash window to the main window with the
// engine running, its tablebases registered and the language applied.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWindow>
#include <QDir>
#include <QFile>
#include <memory>

#include "captions/beschriftung.h"
#include "shell/enginecomm.h"
#include "shell/engineglobal.h"
#include "shell/oberflaeche.h"
#include "shell/sprache.h"
#include "shell/sprachwahl.h"
#include "shell/start.h"
#include "shell/uiservice.h"

namespace galdrik::EngineGlobal {

namespace {

using namespace EngineComm;

bool engineGestartet = false;

// What start-up calls before the engine runs; without any of them the
// program cannot work.
constexpr const char* kStartExporte[] = {
    "DLL_CheckMMX",   "DLL_LogDatei",   "DLL_BuchPfad",     "DLL_HashPfad",
    "DLL_HashParam",  "DLL_MD5Pfad",    "DLL_MD5LogPfad",   "DLL_EngineInit",
    "DLL_EngineKill", "DLL_Einstellen", "DLL_SetFigurName", "DLL_SetStatBez",
};
// The tablebase registration; a library without it starts as with
// "-noegtb".
constexpr const char* kTablebaseExporte[] = {"DLL_TBInit", "DLL_TBError", "DLL_TBCache",
                                             "DLL_TBMetrik"};

// The message of each failing engine start-up step, by the engine's code.
const QString* const kStartfehler[] = {&Sprache::MsgFehlerSuchVar, &Sprache::MsgFehlerHashKeys,
                                       &Sprache::MsgFehlerHashAlloc, &Sprache::MsgFehlerBuch,
                                       &Sprache::MsgFehlerBitbase};

void fehler(const QString& text) { ui().messageBox(text, MsgStil::Critical, Sprache::FehlerTitel); }

void hinweis(const QString& text) {
  ui().messageBox(text, MsgStil::Exclamation, Sprache::FehlerTitel);
}

// Only blanks count as the line's border, as the command line has always
// been read.
QString ohneRandLeerzeichen(const QString& text) {
  qsizetype anfang = 0;
  qsizetype ende = text.size();
  while (anfang < ende && text[anfang] == QLatin1Char(' ')) ++anfang;
  while (ende > anfang && text[ende - 1] == QLatin1Char(' ')) --ende;
  return text.mid(anfang, ende - anfang);
}

QString benutzerdatei(const char* name) {
  return QDir(Benutzerdatenordner()).filePath(QString::fromLatin1(name));
}

// A line of the program's own in the engine log, where the user looks for
// the tablebase lines. The engine opens the log per line, so appending here
// is safe.
void protokollieren(const QString& zeile) {
  QFile log(benutzerdatei("Log.txt"));
  if (log.open(QIODevice::Append)) log.write(zeile.toUtf8());
}

int32_t vorgabe(const char* schluessel) {
  for (const Schluessel& s : EinstellungsSchluessel()) {
    if (qstrcmp(s.name, schluessel) == 0)
      return Wert::Long(QString::fromUtf8(s.vorgabe)).value_or(0);
  }
  return 0;
}

void pfadeUebergeben(const Einstellungen& e) {
  DLL_LogDatei(benutzerdatei("Log.txt"), benutzerdatei("autoedit.fen"));
  DLL_BuchPfad(e.OptBuchPfad);
  DLL_HashPfad(QDir(Datenordner()).filePath(QStringLiteral("HashCode.key")));
  DLL_HashParam(e.OptHashIndex, e.OptHashEntry, e.OptHashGegenfeld);
  DLL_MD5Pfad(benutzerdatei("egtbdtx7.md5"));
  DLL_MD5LogPfad(benutzerdatei("egtbdtx7.log"));
}

// Hash sizes the engine cannot allocate would stop every start until the
// settings are reset; one more try with the default sizes, which stay in
// force for this run, and the user is told.
int32_t mitStandardgroessen(Einstellungen& e) {
  const int32_t index = vorgabe("OptHashIndex");
  const int32_t eintraege = vorgabe("OptHashEntry");
  const int32_t gegenfeld = vorgabe("OptHashGegenfeld");
  if (e.OptHashIndex == index && e.OptHashEntry == eintraege && e.OptHashGegenfeld == gegenfeld)
    return 3;
  DLL_EngineKill();
  e.OptHashIndex = index;
  e.OptHashEntry = eintraege;
  e.OptHashGegenfeld = gegenfeld;
  DLL_HashParam(index, eintraege, gegenfeld);
  const int32_t r = DLL_EngineInit();
  if (r < 1 || r > 5) hinweis(Sprache::MsgHashStandard);
  return r;
}

// First directory, separator, second; a switched-off directory is left
// out, and the separator alone means none.
QString tablebasePfad(const Einstellungen& e, int metrik) {
  const QString a = e.OptEGTBPfadUse1[metrik] != Falsch ? e.OptEGTBPfad1[metrik] : QString();
  const QString b = e.OptEGTBPfadUse2[metrik] != Falsch ? e.OptEGTBPfad2[metrik] : QString();
  const QString pfad = a + QLatin1Char(';') + b;
  return pfad == QLatin1String(";") ? QString() : pfad;
}

// "-noegtb" keeps this run from registering directories; the settings keep
// them, so a later save of all settings cannot lose them.
void tablebasesAnmelden(const Einstellungen& e, bool ohneVerzeichnisse) {
  for (const char* name : kTablebaseExporte) {
    if (!vorhanden(name)) {
      protokollieren(QStringLiteral("%1 fehlt in der Programmbibliothek: Start ohne EGTB\n")
                         .arg(QString::fromLatin1(name)));
      return;
    }
  }
  DLL_TBInit("", -1);
  for (int metrik = 0; metrik < kEgtbMetriken; ++metrik) {
    const QString pfad = ohneVerzeichnisse ? QString() : tablebasePfad(e, metrik);
    if (DLL_TBInit(pfad, metrik) == 0 && !pfad.isEmpty()) hinweis(Sprache::MsgKeineEGTB);
    const int32_t fehlerhaft = DLL_TBError();
    if (fehlerhaft >= 1) {
      hinweis(Sprache::MsgFehlerEGTB + QString::number(fehlerhaft) +
              (fehlerhaft == 1 ? Sprache::MsgEGTBDateiFehler : Sprache::MsgEGTBDateienFehler));
    }
  }
  const int32_t cache = DLL_TBCache(e.OptEGTBCache1);
  if (cache == -1) fehler(Sprache::MsgEGTBCacheMinimal);
  if (cache == -2) fehler(Sprache::MsgEGTBCacheFehler);
  DLL_TBMetrik(e.OptEGTBMetrikStd);
}

void gespeicherteSprache(const Einstellungen& e) {
  if (e.OptLanguage == QLatin1String("Dt")) Sprache::SpracheDeutsch();
  if (e.OptLanguage == QLatin1String("En")) Sprache::SpracheEnglisch();
}

}  // namespace

int Main(const QString& befehlszeile) {
  auto start = std::make_unique<Start>();
  start->show();
  // The window system maps the window in its own time, and a window drawn
  // before that stays black while the engine starts; so wait (a little)
  // until it is on the screen.
  QElapsedTimer uhr;
  uhr.start();
  while (start->windowHandle() && !start->windowHandle()->isExposed() && uhr.elapsed() < 1000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
  start->repaint();
  QCoreApplication::processEvents();

  const QString zeile = ohneRandLeerzeichen(befehlszeile).toLower();
  bool ohneTablebases = false;
  if (zeile == QLatin1String("-reset")) {
    EinstellungenLoeschen();
  } else if (zeile == QLatin1String("-noegtb")) {
    ohneTablebases = true;
  }

  EinstellungenLaden();
  Einstellungen& e = einstellungen;
  LetzterOrdner = Programmordner();

  // German first, so that every other stored value leaves German in force.
  // The library is looked for quietly here: a failure is reported below,
  // in the language just filled.
  laden(Melden::Nein);
  Sprache::SpracheDeutsch();
  gespeicherteSprache(e);

  if (!geladen()) {
    fehler(Sprache::MsgFehlerBibliothek.arg(bibliothek(), ladefehler()));
    return kEndeBibliothek;
  }
  for (const char* name : kStartExporte) {
    if (!vorhanden(name)) {
      fehler(Sprache::MsgFehlerExport.arg(QString::fromLatin1(name), bibliothek()));
      return kEndeExport;
    }
  }

  if (DLL_CheckMMX() == 0) {
    fehler(Sprache::MsgFehlerMMX);
    return kEndeKeinMMX;
  }

  pfadeUebergeben(e);
  engineGestartet = true;
  int32_t r = DLL_EngineInit();
  if (r == 3) r = mitStandardgroessen(e);
  if (r >= 1 && r <= 5) {
    fehler(*kStartfehler[r - 1]);
    EngineBeenden();
    return kEndeEngineStart + r;
  }

  DLL_Einstellen(e.OptSuchErwNullmove, e.OptSuchErwFutility, e.OptSuchErwExtension,
                 e.OptSuchErwHashtable, e.OptSuchErwBuch + 4 * e.OptBuchZufall,
                 e.OptSuchErwGegenfeld, e.OptSuchErwPondern, e.OptSuchErwSilent, e.OptEGTBSuche);

  tablebasesAnmelden(e, ohneTablebases);

  auto* fenster = new Oberflaeche;
  if (fenster->ladenFehlgeschlagen()) {
    delete fenster;
    return kEndeFensterLaden;
  }
  fenster->setAttribute(Qt::WA_DeleteOnClose);
  start.reset();
  fenster->show();

  if (e.OptLanguage.isEmpty()) {
    (new Sprachwahl(fenster))->show();
    return 0;
  }
  // Again after the engine start, which set its own piece letters.
  gespeicherteSprache(e);
  Sprache::BeschriftungOberflaeche();
  fenster->ResizeExtern();
  return 0;
}

void EngineBeenden() {
  if (!engineGestartet) return;
  engineGestartet = false;
  DLL_EngineKill();
}

}  // namespace galdrik::EngineGlobal
