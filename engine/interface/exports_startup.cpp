// Start-up exports: the processor check.
#include <cstdint>

#include "interface/galdrik_exports.h"

namespace {

// Runs one real packed-integer instruction and checks its result.
bool PackedAddLaeuft() {
#if defined(__x86_64__) || defined(__i386__)
  uint64_t a = 0x0102030405060708ULL, b = 0x1010101010101010ULL, r = 0;
  asm volatile(
      "movq %1, %%mm0\n\t"
      "movq %2, %%mm1\n\t"
      "paddb %%mm1, %%mm0\n\t"
      "movq %%mm0, %0\n\t"
      "emms"
      : "=m"(r)
      : "m"(a), "m"(b)
      : "mm0", "mm1");
  return r == 0x1112131415161718ULL;
#else
  volatile uint64_t a = 0x0102030405060708ULL;
  return a + 0x1010101010101010ULL == 0x1112131415161718ULL;
#endif
}

}  // namespace

GALDRIK_EXPORT int32_t DLL_CheckMMX() { return PackedAddLaeuft() ? 1 : 0; }
