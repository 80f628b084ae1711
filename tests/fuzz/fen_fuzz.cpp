// The FEN reader on any text: a board it accepts is one the engine can work
// on, writes back to a FEN that reads as the same board, and has moves that
// play to consistent boards.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/board.h"
#include "core/fen.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "fuzzhilfe.h"
#include "interface/records.h"

using namespace galdrik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  fuzz::EngineStarten();
  const std::string text(fuzz::AlsText(daten, groesse));
  Stellung st;
  uint16_t halbzug = 0;
  if (FENEingabe(text, st, halbzug) != FENGueltig) return 0;
  if (StellungMangel(st) != 0) std::abort();

  Stellung wieder;
  uint16_t halbzugWieder = 0;
  const std::string fen = FENAusgabe(st, static_cast<int16_t>(halbzug));
  if (FENEingabe(fen, wieder, halbzugWieder) != FENGueltig) std::abort();
  if (FENAusgabe(wieder, static_cast<int16_t>(halbzugWieder)) != fen) std::abort();

  const Zugliste liste = ZugGenerator(st, GenAlleZuege);
  for (int i = 0; i < liste.anzahl; ++i) {
    const Stellung kind = ZugAusfuehren(st, liste.zuege[i], 1);
    if (StellungLegal(kind)) std::abort();
    (void)ZugGenerator(kind, GenAlleZuege);
  }
  return 0;
}
