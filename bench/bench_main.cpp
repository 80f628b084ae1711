// galdrik-bench: prints throughput figures of the engine's core routines.
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/board.h"
#include "core/eval.h"
#include "core/evalterms.h"
#include "core/kpk.h"
#include "core/zobrist.h"
#include "kpk_exakt.h"
#include "support/testboard.h"

namespace {

using namespace galdrik;

template <typename F>
double Sekunden(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - start;
  return dauer.count();
}

template <typename F>
double ProSekunde(long n, F&& f) {
  return static_cast<double>(n) / Sekunden(f);
}

// The five positions of the engine's own speed test, and a few endgames so
// that the early exits of the evaluation are part of the mix.
std::vector<Stellung> BewertungsStellungen() {
  const char* texte[] = {
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
      "2k1r1nr/1pp1q1pp/p1pb1p2/8/3PP1b1/4BN2/PPQN1PPP/R4RK1 w - -",
      "1r3rk1/pp3ppp/2p1p3/P2n2b1/3P4/1Q4P1/1P3PBP/R5K1 w - -",
      "rnb2b1r/pp2q1p1/2pp1nkp/8/3PPP1B/2N5/PPP3PP/R2QKB1R b - -",
      "2r5/1p1r2pp/4pp2/p1Pk4/Pb1P4/4PP1P/1B6/1R1R2K1 b - -",
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
      "8/5k2/8/3B4/7P/8/8/6K1 w - -",
      "6k1/5ppp/8/8/8/8/5PPP/R5K1 w - -",
  };
  std::vector<Stellung> s;
  for (const char* t : texte) s.push_back(test::Brett(t));
  return s;
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
  std::printf("KPK placements compared:    %ld\n", gezaehlt);
  for (int r = 1; r < 7; ++r)
    std::printf("  pawn rank %d: won only in the bitbase %ld, only in truth %ld\n", r + 1,
                nurBitbase[r], nurExakt[r]);
}

}  // namespace

int main() {
  AngriffstabellenInit();
  HashCodeKeysLaden(GALDRIK_DATA_DIR "/HashCode.key");
  BewertungMaskenInit();
  const Stellung st = Grundstellung();

  constexpr long n = 5'000'000;
  volatile uint64_t senke = 0;
  const double keys = ProSekunde(n, [&] {
    for (long i = 0; i < n; ++i) senke = senke + HashCodeBerechnen(st);
  });
  const double angriffe = ProSekunde(n, [&] {
    for (long i = 0; i < n; ++i) senke = senke + DamenAngriffe(st, static_cast<int>(i & 63));
  });
  std::printf("full keys per second:       %.0f\n", keys);
  std::printf("queen lookups per second:   %.0f\n", angriffe);

  BitbaseMessen();

  const std::vector<Stellung> stellungen = BewertungsStellungen();
  constexpr long durchlaeufe = 400'000;
  const double bewertungen = ProSekunde(durchlaeufe * static_cast<long>(stellungen.size()), [&] {
    for (long i = 0; i < durchlaeufe; ++i)
      for (Stellung s : stellungen) senke = senke + static_cast<uint64_t>(StellungBewerten(s, 1));
  });
  std::printf("evaluations per second:     %.0f (%zu fixed positions)\n", bewertungen,
              stellungen.size());
  return 0;
}
