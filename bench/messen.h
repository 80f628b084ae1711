// Timing for the benchmark programs.
#pragma once

#include <chrono>

namespace galdrik::bench {

// Wall-clock seconds the work took.
template <typename F>
double Sekunden(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace galdrik::bench
