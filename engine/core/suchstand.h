// What the search hands the program's polls while it runs: the two output
// texts of each finished depth, and the statistics with the depth reached.
// The search thread publishes them; any thread may take a copy at any time.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <thread>
#include <type_traits>

#include "core/search.h"

namespace galdrik {

// One record behind a sequence count: odd while the writer is at work, so a
// reader retries until it holds a copy that no write overlapped. The bytes
// cross as atomic words, so the writer never waits and a reader never sees
// a torn word. One writer at a time.
template <typename T>
class Veroeffentlicht {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  void schreiben(const T& wert) {
    uint64_t worte[Worte] = {};
    std::memcpy(worte, &wert, sizeof(T));
    const uint32_t v = version_.load(std::memory_order_relaxed);
    version_.store(v + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    for (size_t i = 0; i < Worte; ++i) worte_[i].store(worte[i], std::memory_order_relaxed);
    version_.store(v + 2, std::memory_order_release);
  }

  T lesen() const {
    uint64_t worte[Worte];
    for (;;) {
      const uint32_t vorher = version_.load(std::memory_order_acquire);
      if (vorher & 1u) {
        std::this_thread::yield();
        continue;
      }
      for (size_t i = 0; i < Worte; ++i) worte[i] = worte_[i].load(std::memory_order_relaxed);
      std::atomic_thread_fence(std::memory_order_acquire);
      if (version_.load(std::memory_order_relaxed) == vorher) break;
    }
    T wert;
    std::memcpy(&wert, worte, sizeof(T));
    return wert;
  }

 private:
  static constexpr size_t Worte = (sizeof(T) + 7) / 8;
  std::atomic<uint32_t> version_{0};
  std::atomic<uint64_t> worte_[Worte]{};
};

struct Suchstand {
  Suchstatistik statistik;   // iterationsTiefe: the last finished depth
  uint64_t hashGespeichert;  // table stores so far
};

// The published copies.
const Veroeffentlicht<Suchstand>& SuchstandVeroeffentlicht();
const Veroeffentlicht<SuchausgabeSatz>& SuchausgabeVeroeffentlicht(int tiefe);  // 1..64

// Called by the thread that searches: the statistics as they stand, and,
// for a finished depth 1..64, that depth's output texts first, so a poll
// that sees the depth also finds its lines.
void SuchstandVeroeffentlichen(int fertigeTiefe = 0);

// Before a search starts, on the thread that starts it: depth 0, no figures.
void SuchstandZuruecksetzen();

}  // namespace galdrik
