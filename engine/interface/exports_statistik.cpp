// Statistics and measuring exports: the static evaluation of the current
// position, the timing tests, statistics of a PGN file, piece-square
// statistics of a FEN list and the MD5 digest of a file.
#include <filesystem>
#include <string>
#include <system_error>

#include "core/eval.h"
#include "core/figstat.h"
#include "core/md5datei.h"
#include "core/speedtest.h"
#include "core/textfile.h"
#include "interface/enginestate.h"
#include "interface/galdrik_exports.h"
#include "interface/jobs.h"
#include "interface/pgnstatistik.h"

using namespace galdrik;

GALDRIK_EXPORT int32_t DLL_Bewertung() {
  // A copy: the evaluation marks dead draws in the record it is given, and
  // the current position's move list must not depend on whether anyone
  // asked for its score.
  Stellung st = Engine().aktuelleStellung;
  return StellungBewerten(st, 0);
}

// The timing tests evaluate and search with the engine's shared tables: not
// while a job's thread works with them.
GALDRIK_EXPORT int32_t DLL_SpeedTestEval(int32_t n) {
  return JobLaeuft() ? JobLaeuftNoch : SpeedTestEval(n);
}

GALDRIK_EXPORT int32_t DLL_SpeedTestMovegen(int32_t n) {
  return JobLaeuft() ? JobLaeuftNoch : SpeedTestMovegen(n);
}

GALDRIK_EXPORT int32_t DLL_TestZL() { return JobLaeuft() ? JobLaeuftNoch : TestZL(); }

GALDRIK_EXPORT int32_t DLL_TestLK() { return JobLaeuft() ? JobLaeuftNoch : TestLK(); }

GALDRIK_EXPORT int32_t DLL_PGNStatistikErstellen(const char* pgnPfad, const char* zweiterPfad) {
  if (!pgnPfad) return -9;
  std::string bericht;
  const int32_t ergebnis = PGNStatistikErstellen(pgnPfad, zweiterPfad, bericht);
  return ergebnis < 0 ? ergebnis : AusgabeSchreiben(bericht);
}

GALDRIK_EXPORT int32_t DLL_Fenograph(const char* fenListe, const char* ausgabe) {
  if (!fenListe || !ausgabe) return -9;
  // A folder opens for reading on Linux but holds no lines.
  std::error_code fehler;
  if (std::filesystem::is_directory(fenListe, fehler)) return -1;
  Zeilenleser liste(fenListe);
  if (!liste.offen()) return -1;
  if (!FigStatAllok(1)) return -2;
  FigStatFENDatei(liste);
  // A list that breaks off (a read error, an endless line) is no list.
  if (liste.fehler()) return -1;
  return FigStatSpeichern(ausgabe, 1) == 0 ? 0 : -3;
}

GALDRIK_EXPORT int32_t DLL_MD5Dateisumme(const char* pfad) {
  if (!pfad) return -9;
  MD5Digest digest{};
  return AusgabeSchreiben(MD5Datei(pfad, digest) == 0 ? MD5Text(digest) : "");
}
