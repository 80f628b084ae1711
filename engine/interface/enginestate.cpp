// Engine state and the shared text buffer.
#include "interface/enginestate.h"

#include <cstring>

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
  size_t laenge = text.size();
  if (laenge > static_cast<size_t>(AusgabepufferGroesse - 1)) {
    laenge = AusgabepufferGroesse - 1;
    while (laenge > 0 && (static_cast<unsigned char>(text[laenge]) & 0xC0) == 0x80) --laenge;
  }
  char* puffer = Ausgabepuffer();
  std::memcpy(puffer, text.data(), laenge);
  puffer[laenge] = '\0';
  return static_cast<int32_t>(laenge);
}

}  // namespace galdrik
