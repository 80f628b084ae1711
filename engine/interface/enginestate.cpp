// Engine state and the shared text buffer.
#include "interface/enginestate.h"

#include <cstring>

#include "core/log.h"
#include "core/movegen.h"
#include "core/textfile.h"

namespace galdrik {

EngineZustand& Engine() {
  static EngineZustand zustand{};
  return zustand;
}

void LegalzuglisteErneuern() {
  EngineZustand& e = Engine();
  ZugGenerator(e.aktuelleStellung, GenAlleZuege, e.legalzugliste);
}

void StellungUebernehmen(const Stellung& st) {
  EngineZustand& e = Engine();
  e.aktuelleStellung = st;
  e.abgelehnt = 0;
  LegalzuglisteErneuern();
}

char* Ausgabepuffer() {
  static char puffer[AusgabepufferGroesse];
  return puffer;
}

int32_t AusgabeSchreiben(std::string_view text) {
  // Cut where a character ends, and said so: a reader cannot tell from the
  // text alone.
  if (text.size() > AusgabepufferGroesse - 1) {
    text = Utf8Kuerzen(text, AusgabepufferGroesse - 1);
    LogZeile(AusgabeGekuerztMeldung);
  }
  char* puffer = Ausgabepuffer();
  std::memcpy(puffer, text.data(), text.size());
  puffer[text.size()] = '\0';
  return static_cast<int32_t>(text.size());
}

}  // namespace galdrik
