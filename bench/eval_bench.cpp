// galdrik-eval-bench: evaluations per second, the king-pawn-king bitbase and
// the corresponding-squares tables of pawn endings.
#include <cstdio>
#include <vector>

#include "core/board.h"
#include "core/eval.h"
#include "core/evalterms.h"
#include "core/gegenfeld.h"
#include "core/kpk.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/zobrist.h"
#include "kpk_exakt.h"
#include "support/testboard.h"
#include "messen.h"

namespace {

using namespace galdrik;

using galdrik::bench::Sekunden;

template <typename F>
double ProSekunde(long n, F&& f) {
  return static_cast<double>(n) / Sekunden(f);
}

// A root with its check flags set, as every position builder leaves it.
Stellung Wurzel(const char* text) {
  Stellung st = test::Brett(text);
  st.schachW = st.koenigW < 64 && FeldAngegriffen(st, st.koenigW, 1);
  st.schachS = st.koenigS < 64 && FeldAngegriffen(st, st.koenigS, 0);
  return st;
}

void Sammeln(const Stellung& st, int tiefe, std::vector<Stellung>& alle) {
  alle.push_back(st);
  if (tiefe == 0) return;
  const Zugliste l = ZugGenerator(st, GenAlleZuege);
  for (int i = 0; i < l.anzahl; ++i) Sammeln(ZugAusfuehren(st, l.zuege[i], 1), tiefe - 1, alle);
}

// Every position of perft trees of published perft positions: openings,
// middlegames with many captures and promotions, and a rook endgame.
std::vector<Stellung> BewertungsStellungen() {
  const struct {
    const char* stellung;
    int tiefe;
  } baeume[] = {
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 4},
      {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", 3},
      {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", 4},
      {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -", 3},
      {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -", 3},
  };
  std::vector<Stellung> alle;
  for (const auto& b : baeume) Sammeln(Wurzel(b.stellung), b.tiefe, alle);
  return alle;
}

void BitbaseMessen() {
  constexpr int laeufe = 20;
  const double dauer = Sekunden([] {
    for (int i = 0; i < laeufe; ++i) BitbaseKBKGenerieren();
  });
  std::printf("KPK bitbase generation:     %.1f ms\n", 1000.0 * dauer / laeufe);

  // Departures from the exact results, White pawn on files a-d, legal
  // placements only.
  const std::vector<uint8_t> exakt = bench::KpkExaktLoesen();
  long nurBitbase[8] = {}, nurExakt[8] = {}, gezaehlt = 0;
  int beispiele = 0;
  for (int p = 8; p < 56; ++p) {
    if (Linie(p) > 3) continue;
    for (int wk = 0; wk < 64; ++wk) {
      for (int sk = 0; sk < 64; ++sk) {
        if (wk == p || sk == p || sk == wk || (KoenigAngriff[wk] & Feldmaske[sk])) continue;
        for (uint8_t weissAmZug = 0; weissAmZug < 2; ++weissAmZug) {
          if (weissAmZug && (BauerAngriffWeiss[p] & Feldmaske[sk])) continue;
          ++gezaehlt;
          const bool bb = BitbaseKBKAbfrage2(static_cast<uint8_t>(p), static_cast<uint8_t>(wk),
                                             static_cast<uint8_t>(sk), weissAmZug) == 1;
          const bool ex = (exakt[p * 4096 + wk * 64 + sk] >> weissAmZug) & 1;
          if (bb == ex) continue;
          (bb ? nurBitbase : nurExakt)[Reihe(p)]++;
          if (beispiele++ < 6)
            std::printf("  differs: pawn %c%d, kings %c%d %c%d, %s to move: bitbase %d, exact %d\n",
                        'a' + Linie(p), Reihe(p) + 1, 'a' + Linie(wk), Reihe(wk) + 1,
                        'a' + Linie(sk), Reihe(sk) + 1, weissAmZug ? "White" : "Black", bb, ex);
        }
      }
    }
  }
  std::printf("KPK against exact results:  %ld legal placements, %d differ\n", gezaehlt, beispiele);
  for (int r = 1; r < 7; ++r) {
    if (nurBitbase[r] || nurExakt[r])
      std::printf("  pawn rank %d: won only in the bitbase %ld, only in truth %ld\n", r + 1,
                  nurBitbase[r], nurExakt[r]);
  }
}

// The cost of one corresponding-squares table (computed, not looked up),
// and pawn endings evaluated with the cache of start-up's default size.
void GegenfeldMessen() {
  const char* strukturen[] = {
      "8/4k3/8/4p3/4P3/8/8/4K3 w - -",
      "7k/8/8/p7/P7/8/8/K7 w - -",
      "8/5k2/1p4p1/1P4P1/4K3/8/8/8 w - -",
      "8/1k6/p1p5/P1P2p2/5P2/8/8/6K1 w - -",
  };
  GegenfeldHashFrei();
  static Gegenfeldeintrag puffer;
  constexpr int laeufe = 50;
  for (const char* s : strukturen) {
    const Stellung st = test::Brett(s);
    const double dauer = Sekunden([&] {
      for (int i = 0; i < laeufe; ++i) GegenfeldTabelle(st, GegenfeldBlockiert, puffer);
    });
    std::printf("corresponding squares:      %.2f ms per table (%s)\n", 1000.0 * dauer / laeufe, s);
  }

  GegenfeldHashAllok(8);
  std::vector<Stellung> alle;
  Sammeln(Wurzel("8/5k2/1p4p1/1P4P1/4K3/8/8/8 w - -"), 5, alle);
  Sammeln(Wurzel("8/pp3k2/8/3P4/8/5K2/PP6/8 w - -"), 4, alle);
  volatile int64_t senke = 0;
  const double proSekunde = ProSekunde(static_cast<long>(alle.size()), [&] {
    for (Stellung st : alle) senke = senke + StellungBewerten(st, 1);
  });
  std::printf("pawn-ending evaluations/s:  %.0f (%zu positions of perft trees)\n", proSekunde,
              alle.size());
  GegenfeldHashFrei();
}

}  // namespace

int main() {
  AngriffstabellenInit();
  HashCodeKeysLaden(GALDRIK_DATA_DIR "/HashCode.key");
  BewertungMaskenInit();
  volatile uint64_t senke = 0;

  BitbaseMessen();
  GegenfeldMessen();

  const std::vector<Stellung> stellungen = BewertungsStellungen();
  constexpr long durchlaeufe = 5;
  const double bewertungen = ProSekunde(durchlaeufe * static_cast<long>(stellungen.size()), [&] {
    for (long i = 0; i < durchlaeufe; ++i)
      for (Stellung s : stellungen) senke = senke + static_cast<uint64_t>(StellungBewerten(s, 1));
  });
  std::printf("evaluations per second:     %.0f (%zu positions of perft trees)\n", bewertungen,
              stellungen.size());
  return 0;
}
