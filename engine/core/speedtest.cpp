// Timing tests of the engine's hot routines.
#include "core/speedtest.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <limits>

#include "core/eval.h"
#include "core/fen.h"
#include "core/movegen.h"

namespace galdrik {

namespace {

constexpr int32_t ZLLaeufe = 1 << 20;
constexpr int32_t LKLaeufe = 1 << 27;
constexpr Bitboard Reihe6 = 0xFFULL << 40;
constexpr Bitboard OhneLinieA = ~0x0101010101010101ULL;
constexpr Bitboard OhneLinieH = ~0x8080808080808080ULL;

// Whole seconds of a clock that never runs backwards: a clock set back
// during a run must not give a negative figure.
int64_t Sekunde() {
  using namespace std::chrono;
  return duration_cast<seconds>(steady_clock::now().time_since_epoch()).count();
}

int32_t ProSekunde(int64_t anzahl, int64_t sekunden) {
  return static_cast<int32_t>(
      std::min<int64_t>(anzahl / sekunden, std::numeric_limits<int32_t>::max()));
}

std::array<Stellung, 5> Teststellungen() {
  constexpr const char* FENs[] = {
      "2k1r1nr/1pp1q1pp/p1pb1p2/8/3PP1b1/4BN2/PPQN1PPP/R4RK1 w - - 1 12",
      "1r3rk1/pp3ppp/2p1p3/P2n2b1/3P4/1Q4P1/1P3PBP/R5K1 w - - 0 1",
      "rnb2b1r/pp2q1p1/2pp1nkp/8/3PPP1B/2N5/PPP3PP/R2QKB1R b - - 0 1",
      "2r5/1p1r2pp/4pp2/p1Pk4/Pb1P4/4PP1P/1B6/1R1R2K1 b - - 0 1"};
  std::array<Stellung, 5> stellungen;
  stellungen[0] = Grundstellung();
  for (size_t i = 0; i < 4; ++i) {
    uint16_t halbzug = 1;
    FENEingabe(FENs[i], stellungen[i + 1], halbzug);
  }
  return stellungen;
}

// 5 n runs of f over the five positions, per elapsed whole second.
template <typename F>
int32_t Messen(int32_t n, F&& f) {
  std::array<Stellung, 5> stellungen = Teststellungen();
  const int64_t start = Sekunde();
  for (int32_t durchgang = 0; durchgang < n; ++durchgang)
    for (Stellung& st : stellungen) f(st);
  const int64_t sekunden = Sekunde() - start;
  if (sekunden < 1) return -1;
  return ProSekunde(5 * static_cast<int64_t>(std::max(n, 0)), sekunden);
}

Bitboard KoenigSchritte(Bitboard b) {
  const Bitboard westwaerts = b & OhneLinieA, ostwaerts = b & OhneLinieH;
  return (b << 8) | (b >> 8) | (ostwaerts << 1) | (westwaerts >> 1) | (ostwaerts << 9) |
         (westwaerts << 7) | (ostwaerts >> 7) | (westwaerts >> 9);
}

}  // namespace

int32_t SpeedTestEval(int32_t n) {
  return Messen(n, [](Stellung& st) { StellungBewerten(st, 1); });
}

int32_t SpeedTestMovegen(int32_t n) {
  Zugliste liste;
  return Messen(n, [&liste](const Stellung& st) { ZugGenerator(st, GenAlleZuege, liste); });
}

int32_t TestZL() {
  const Stellung st = Grundstellung();
  Zugliste liste;
  const int64_t start = Sekunde();
  for (int32_t i = 0; i < ZLLaeufe; ++i) ZuglisteErzeugen(st, 0, liste);
  return ProSekunde(ZLLaeufe, std::max<int64_t>(Sekunde() - start, 1));
}

Bitboard Flutfuellung(Bitboard start) {
  for (Bitboard region = start;;) {
    const Bitboard gewachsen = (KoenigSchritte(region) & ~Reihe6) | region;
    if (gewachsen == region) return region;
    region = gewachsen;
  }
}

int32_t TestLK() {
  // Read afresh each pass and summed into a sink, so the compiler cannot
  // fold the identical passes into one.
  volatile Bitboard start = 1;
  volatile Bitboard summe = 0;
  const int64_t beginn = Sekunde();
  for (int32_t i = 0; i < LKLaeufe; ++i) summe = summe + Flutfuellung(start);
  return ProSekunde(LKLaeufe, std::max<int64_t>(Sekunde() - beginn, 1));
}

}  // namespace galdrik
