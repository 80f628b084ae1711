// EPD files and the EPD test: loading a file, a line's text and position,
// the test thread's start, poll and stop, its results, and writing a line.
#include "core/search.h"
#include "interface/enginestate.h"
#include "interface/epd.h"
#include "interface/galdrik_exports.h"
#include "interface/jobs.h"

using namespace galdrik;

GALDRIK_EXPORT int32_t DLL_EPDLaden(const char* pfad) {
  // The table must not vanish under a test that still reads it.
  EPDTestBeenden();
  if (!pfad) {
    EPDDateiFrei();
    return -9;
  }
  if (EPDDateiLaden(pfad) != 0) return -1;
  return EPD().anzahl();
}

GALDRIK_EXPORT int32_t DLL_EPDString(int32_t zeile) {
  const EPDTabelle& t = EPD();
  if (!t.gueltig(zeile)) return AusgabeSchreiben("");
  return AusgabeSchreiben(t.zeilen[static_cast<size_t>(zeile)]);
}

GALDRIK_EXPORT int32_t DLL_EPDInterpret(int32_t zeile) {
  const EPDTabelle& t = EPD();
  // The exchange move is the search thread's until it has ended.
  if (!t.gueltig(zeile) || SucheLaeuft()) return -1;
  Stellung st;
  Zug ziel;
  int32_t art = EPDKeinZiel;
  if (EPDInterpretieren(t.zeilen[static_cast<size_t>(zeile)], st, ziel, art) != EPDGelesen)
    return -1;
  StellungUebernehmen(st);
  Engine().austauschzug = ziel;
  DLL_PositionFix(1);
  return art;
}

GALDRIK_EXPORT int32_t DLL_EPDTestStart(int32_t weich, int32_t hart) {
  if (EPDThreadJob().laeuft.load(std::memory_order_acquire) == 1) return -1;
  SuchJob& such = SuchThreadJob();
  if (such.laeuft.load(std::memory_order_acquire) == 1) return -1;
  such.weichZeit = weich;
  such.hartZeit = hart;
  return EPDTestStarten(weich, hart);
}

GALDRIK_EXPORT void DLL_EPDTestStopp() { EPDTestStoppen(); }

GALDRIK_EXPORT int32_t DLL_EPDTestFertig() {
  return EPDThreadJob().laeuft.load(std::memory_order_acquire) == 0 ? 1 : 0;
}

GALDRIK_EXPORT int32_t DLL_EPDTestStatus() { return EPD().stand().aktuelleZeile; }

GALDRIK_EXPORT int32_t DLL_EPDTestInfo(int32_t zeile) {
  const EPDTabelle& t = EPD();
  if (!t.gueltig(zeile) || !t.ergebnis) return -1;
  return t.ergebnis[zeile].load(std::memory_order_relaxed);
}

GALDRIK_EXPORT int32_t DLL_EPDTestStatistik(int32_t* geloest, int32_t* bearbeitet, int32_t* zeit) {
  const EPDTestStand s = EPD().stand();
  if (geloest) *geloest = s.geloest;
  if (bearbeitet) *bearbeitet = s.aktuelleZeile;
  if (zeit) *zeit = s.gesamtZeit;
  return s.aktuelleZeile;
}

GALDRIK_EXPORT int32_t DLL_EPDSpeichern(const char* pfad, const char* zeile, int32_t anhaengen) {
  if (!pfad || !zeile) return -9;
  return EPDZeileSpeichern(pfad, zeile, anhaengen >= 1);
}
