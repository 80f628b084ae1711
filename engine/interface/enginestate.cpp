// Engine state and the shared text buffer.
#include "interface/enginestate.h"

#include <cstring>

#include "core/textfile.h"

namespace galdrik {

EngineZustand& Engine() {
  static EngineZustand zustand{};
  return zustand;
}

char* Ausgabepuffer() {
  static char puffer[AusgabepufferGroesse];
  return puffer;
}

int32_t AusgabeSchreiben(std::string_view text) {
  text = Utf8Kuerzen(text, AusgabepufferGroesse - 1);
  char* puffer = Ausgabepuffer();
  std::memcpy(puffer, text.data(), text.size());
  puffer[text.size()] = '\0';
  return static_cast<int32_t>(text.size());
}

}  // namespace galdrik
