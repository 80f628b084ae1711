// The copies of the search's output and statistics that the polls read.
#include "core/suchstand.h"

#include "core/tt.h"

namespace galdrik {

namespace {

Veroeffentlicht<Suchstand>& Stand() {
  static Veroeffentlicht<Suchstand> stand;
  return stand;
}

Veroeffentlicht<SuchausgabeSatz>* Ausgabe() {
  static Veroeffentlicht<SuchausgabeSatz> ausgabe[MaxSuchPly];
  return ausgabe;
}

}  // namespace

const Veroeffentlicht<Suchstand>& SuchstandVeroeffentlicht() { return Stand(); }

const Veroeffentlicht<SuchausgabeSatz>& SuchausgabeVeroeffentlicht(int tiefe) {
  if (tiefe < 1 || tiefe > MaxSuchPly) tiefe = 1;
  return Ausgabe()[tiefe - 1];
}

void SuchstandVeroeffentlichen(int fertigeTiefe) {
  const SuchZustand& s = Suche();
  if (fertigeTiefe >= 1 && fertigeTiefe <= MaxSuchPly)
    Ausgabe()[fertigeTiefe - 1].schreiben(s.ausgabe[fertigeTiefe - 1]);
  Stand().schreiben(Suchstand{s.statistik, TT().gespeichert});
}

void SuchstandZuruecksetzen() {
  Suchstand stand{Suche().statistik, TT().gespeichert};
  stand.statistik.iterationsTiefe = 0;
  Stand().schreiben(stand);
}

}  // namespace galdrik
