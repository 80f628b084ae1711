// The engine's configuration store.
#include "interface/config.h"

#include "core/datadir.h"

namespace galdrik {

EngineKonfiguration& Konfiguration() {
  static EngineKonfiguration konfiguration;
  return konfiguration;
}

std::string KeyDateiPfad() {
  const std::string& pfad = Konfiguration().hashPfad;
  return pfad.empty() ? DatenordnerDatei("HashCode.key") : pfad;
}

}  // namespace galdrik
