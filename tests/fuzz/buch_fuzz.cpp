// The compiled-book reader on any file, and the book-move choice on what it
// read, for the initial position and the position after 1. e4.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/book.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/random.h"
#include "fuzzhilfe.h"

using namespace galdrik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  fuzz::EngineStarten();
  const std::string pfad = fuzz::AlsDatei(daten, groesse, "buch.bk2");
  if (BuchEinlesen(pfad) != BuchGelesen) return 0;
  Zufall15 zufall;
  zufall.setzen(1);
  Stellung st = Grundstellung();
  for (int ply = 0; ply < 2; ++ply) {
    const Zugliste liste = ZugGenerator(st, GenAlleZuege);
    for (int32_t varianz = -1; varianz <= 3; ++varianz) {
      const int32_t index = BuchZugSuchen(st, liste, varianz, zufall);
      if (index >= liste.anzahl) std::abort();
    }
    st = ZugAusfuehren(st, liste.zuege[0], 1);
  }
  BuchHashen();
  BuchFrei();
  return 0;
}
