// galdrik-figurenliste-bench: piece-list move generations per second beside
// ZugGenerator's, on the same random legal positions of three to six men,
// and the piece-list king-attack test. One thread.
#include <cstdio>
#include <random>
#include <vector>

#include "analysis/figurenliste.h"
#include "analysis/slots.h"
#include "core/board.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "messen.h"

namespace {

using namespace galdrik;
using galdrik::bench::Sekunden;

// A random position with both kings apart, no pawn on a back rank and the
// side not to move not in check.
bool Zufall(std::mt19937& rng, test::Slots& p) {
  p = test::Slots{};
  const int maenner = 3 + static_cast<int>(rng() % 4);
  p.amZug = static_cast<int32_t>(rng() % 2);
  p.fig[0] = Koenig;
  p.fig[1] = -Koenig;
  for (int k = 2; k < maenner; ++k)
    p.fig[k] = static_cast<int8_t>((1 + rng() % 5) * (rng() % 2 ? 1 : -1));
  Bitboard belegt = 0;
  for (int k = 0; k < maenner; ++k) {
    p.feld[k] = static_cast<int32_t>(rng() % 64);
    const Bitboard m = Bitboard{1} << p.feld[k];
    if (belegt & m) return false;
    belegt |= m;
    const int reihe = p.feld[k] >> 3;
    if (Betrag(p.fig[k]) == Bauer && (reihe == 0 || reihe == 7)) return false;
  }
  if (KoenigAngriff[p.feld[0]] & Feldmaske[p.feld[1]]) return false;
  const Stellung st = p.AlsStellung();
  const int andererKoenig = p.amZug == 1 ? st.koenigS : st.koenigW;
  return !FeldAngegriffen(st, andererKoenig, p.amZug == 1 ? 0 : 1);
}

}  // namespace

int main() {
  AngriffstabellenInit();
  constexpr int Anzahl = 200000, Runden = 10;
  std::mt19937 rng(7);
  std::vector<test::Slots> slots;
  std::vector<Stellung> stellungen;
  slots.reserve(Anzahl);
  while (static_cast<int>(slots.size()) < Anzahl) {
    test::Slots p;
    if (!Zufall(rng, p)) continue;
    slots.push_back(p);
    stellungen.push_back(p.AlsStellung());
  }
  std::vector<std::array<int32_t*, 6>> zeiger(Anzahl);
  for (int i = 0; i < Anzahl; ++i) zeiger[i] = slots[i].Zeiger();

  uint64_t zuegeListe = 0, zuegeEngine = 0, bedroht = 0;
  FigurenlisteZugliste fl;
  Zugliste zl;
  const double tListe = Sekunden([&] {
    for (int r = 0; r < Runden; ++r)
      for (int i = 0; i < Anzahl; ++i) {
        uint32_t schach;
        zuegeListe += FigurenlisteZuege(slots[i].fig.data(), zeiger[i].data(), slots[i].ep,
                                        slots[i].amZug, fl, schach);
      }
  });
  const double tEngine = Sekunden([&] {
    for (int r = 0; r < Runden; ++r)
      for (int i = 0; i < Anzahl; ++i) {
        ZugGenerator(stellungen[i], GenAlleZuege, zl);
        zuegeEngine += static_cast<uint64_t>(zl.anzahl);
      }
  });
  const double tBedroht = Sekunden([&] {
    for (int r = 0; r < Runden; ++r)
      for (int i = 0; i < Anzahl; ++i)
        bedroht += static_cast<uint64_t>(FigurenlisteKoenigBedroht(
            slots[i].fig.data(), zeiger[i].data(), slots[i].ep, slots[i].amZug));
  });

  const double n = double(Anzahl) * Runden;
  std::printf("positions: %d random legal, 3..6 men, %d rounds\n", Anzahl, Runden);
  std::printf("FigurenlisteZuege:         %8.2f M generations/s  (%.1f moves each)\n",
              n / tListe / 1e6, double(zuegeListe) / n);
  std::printf("ZugGenerator (mode 0):     %8.2f M generations/s  (%.1f moves each)\n",
              n / tEngine / 1e6, double(zuegeEngine) / n);
  std::printf("ratio piece list / engine: %8.2f\n", tEngine / tListe);
  std::printf("FigurenlisteKoenigBedroht: %8.2f M tests/s  (%.1f%% in check)\n", n / tBedroht / 1e6,
              100.0 * double(bedroht) / n);
  return zuegeListe == zuegeEngine ? 0 : 1;
}
