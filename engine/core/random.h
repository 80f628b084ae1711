// The library's private pseudo-random generator of 15-bit values (0..32767).
// It never touches the process-wide rand() state, which the program's own
// libraries may share.
#pragma once

#include <cstdint>

namespace galdrik {

class Zufall15 {
 public:
  explicit Zufall15(uint32_t saat = 1) : zustand_(saat) {}
  void setzen(uint32_t saat) { zustand_ = saat; }
  int naechster() {
    zustand_ = zustand_ * 1103515245u + 12345u;
    return static_cast<int>((zustand_ >> 16) & 0x7FFF);
  }

 private:
  uint32_t zustand_;
};

// The engine's shared generator (book move choice and the like), seeded at
// engine start-up from the clock.
Zufall15& EngineZufall();

}  // namespace galdrik
