// galdrik-bench: prints throughput figures of the engine's core routines.
#include <chrono>
#include <cstdio>

#include "core/board.h"
#include "core/zobrist.h"

namespace {

template <typename F>
double ProSekunde(long n, F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - start;
  return static_cast<double>(n) / dauer.count();
}

}  // namespace

int main() {
  using namespace galdrik;
  AngriffstabellenInit();
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
  return 0;
}
