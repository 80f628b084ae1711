// Resetting the analysis state, and the one instance the library keeps.
#include "analysis/tbanazustand.h"

#include <algorithm>
#include <cstring>

namespace galdrik {

void TBAnaZaehlerLoeschen(TBAnaZustand& z) {
  z.treffer.store(0, std::memory_order_relaxed);
  z.untersucht.store(0, std::memory_order_relaxed);
  z.gespeichert = 0;
  std::fill(std::begin(z.ergebnisZaehler), std::end(z.ergebnisZaehler), 0);
  std::fill(std::begin(z.loesungsZaehler), std::end(z.loesungsZaehler), 0);
  std::fill(std::begin(z.reserviert), std::end(z.reserviert), 0);
  std::memset(&z.statistik, 0, sizeof z.statistik);
  z.sekunden = 0;
  z.rate = 0;
  if (z.ergebnisse) std::fill(z.ergebnisse, z.ergebnisse + ErgebnisPlaetze, LeererEintrag());
  z.laengsterGewinn = LeererEintrag(32767);
  z.laengsterVerlust = LeererEintrag(-32767);
  z.extrem = LeererEintrag(32767);
  for (int k = 0; k < AnaSlots; ++k) {
    z.schleifenGrenze[k].store(64, std::memory_order_relaxed);
    z.schleifenZaehler[k].store(0, std::memory_order_relaxed);
  }
  z.durchlaeufe.store(1, std::memory_order_relaxed);
  z.durchlaufNummer.store(0, std::memory_order_relaxed);
}

TBAnaZustand& TBAnaGlobal() {
  static TBAnaZustand z;
  return z;
}

}  // namespace galdrik
