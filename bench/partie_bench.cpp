// galdrik-partie-bench: the game record and PGN files at their limits: a
// game of 6299 plies built, shown, judged, written and loaded back, and a
// database of many games indexed and read game by game.
//
//   galdrik-partie-bench [GAMES]   (default 20000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/board.h"
#include "core/contactmasks.h"
#include "core/evalterms.h"
#include "core/kpk.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/zobrist.h"
#include "interface/enginestate.h"
#include "interface/partie.h"
#include "interface/pgn.h"

namespace {

using namespace galdrik;
using Uhr = std::chrono::steady_clock;

double Sekunden(Uhr::time_point start) {
  return std::chrono::duration<double>(Uhr::now() - start).count();
}

void Spielen(const char* text) {
  Stellung& st = Engine().aktuelleStellung;
  const Zugliste liste = ZugGenerator(st, GenAlleZuege);
  uint8_t status = 0;
  const int16_t i = PGNZugInterpretieren(liste, text, FigurenEnglisch, status);
  if (i < 0) std::abort();
  st = ZugAusfuehren(st, liste.zuege[i], 1);
  PartieZugAnhaengen(liste.zuege[i], 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  const int partien = argc > 1 ? std::atoi(argv[1]) : 20000;
  AngriffstabellenInit();
  AngriffsmaskenInit();
  if (HashCodeKeysLaden(GALDRIK_DATA_DIR "/HashCode.key") != 0 || BitbaseKBKGenerieren() != 0) {
    std::fprintf(stderr, "start-up failed\n");
    return 1;
  }
  BewertungMaskenInit();
  const std::string pfad =
      (std::filesystem::temp_directory_path() / "galdrik-partie-bench.pgn").string();

  PartieNeu();
  Engine().aktuelleStellung = Grundstellung();
  const char* runde[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
  auto start = Uhr::now();
  for (int ply = 1; ply <= MaxPartiePly; ++ply) Spielen(runde[(ply - 1) % 4]);
  std::printf("build %d plies:        %8.2f ms\n", MaxPartiePly, Sekunden(start) * 1e3);
  start = Uhr::now();
  const size_t laenge = PartieNotationText(FigurenDeutsch).size();
  std::printf("display text (%zu B): %8.2f ms\n", laenge, Sekunden(start) * 1e3);
  start = Uhr::now();
  const int32_t status = PartieStatus();
  std::printf("status (%d):            %8.2f ms\n", status, Sekunden(start) * 1e3);
  start = Uhr::now();
  PGNSpeichern(pfad, false);
  std::printf("write PGN:             %8.2f ms\n", Sekunden(start) * 1e3);
  std::vector<PGNIndexSatz> saetze;
  PGNDateiIndex(pfad, saetze);
  std::string text;
  PGNPartieTextLesen(pfad, saetze[0].ersteZeile, saetze[0].zeilenAnzahl, text);
  start = Uhr::now();
  PGNPartieLaden(saetze[0], text);
  std::printf("parse and load:        %8.2f ms\n", Sekunden(start) * 1e3);

  // A database of short games with a variation, a NAG and a comment each.
  PartieNeu();
  Engine().aktuelleStellung = Grundstellung();
  for (const char* z : {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6", "Ba4", "Nf6", "O-O", "Be7"})
    Spielen(z);
  std::FILE* datei = std::fopen(pfad.c_str(), "wb");
  const std::string partie = PGNPartieText();
  for (int i = 0; i < partien; ++i) std::fwrite(partie.data(), 1, partie.size(), datei);
  std::fclose(datei);
  start = Uhr::now();
  const int32_t anzahl = PGNDateiIndex(pfad, saetze);
  const double index = Sekunden(start);
  std::printf("index %d games:     %8.2f ms (%.0f games/s)\n", anzahl, index * 1e3, anzahl / index);
  start = Uhr::now();
  const int gelesen = std::min(anzahl, 200);
  for (int i = 0; i < gelesen; ++i) {
    const PGNIndexSatz& s = saetze[static_cast<size_t>(anzahl - 1 - i)];
    PGNPartieTextLesen(pfad, s.ersteZeile, s.zeilenAnzahl, text);
    PGNPartieLaden(s, text);
  }
  std::printf("load %d games from the end: %8.2f ms each\n", gelesen,
              Sekunden(start) * 1e3 / gelesen);
  PartieFrei();
  std::filesystem::remove(pfad);
  return 0;
}
