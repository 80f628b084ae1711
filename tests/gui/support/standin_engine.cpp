// A stand-in for the engine library with an output buffer the test fills:
// the program's binding loads it like the real one, so the text fetch can be
// tested before the real buffer export exists.
#include <cstdint>
#include <cstring>

namespace {
char puffer[1024];
int32_t laenge = 0;
int32_t aufrufe = 0;
}  // namespace

#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))

STANDIN_EXPORT int32_t DLL_CheckMMX() { return 1; }

// The byte at position i of the buffer; 0 outside it.
STANDIN_EXPORT int32_t DLL_StringByte(int32_t i) {
  ++aufrufe;
  if (i < 0 || i >= static_cast<int32_t>(sizeof puffer)) return 0;
  return static_cast<unsigned char>(puffer[i]);
}

// Copies the bytes into the buffer, returns their count and starts counting
// the byte fetches afresh.
STANDIN_EXPORT int32_t Standin_PufferSetzen(const char* text) {
  aufrufe = 0;
  laenge = text ? static_cast<int32_t>(std::strlen(text)) : 0;
  if (laenge >= static_cast<int32_t>(sizeof puffer)) laenge = sizeof puffer - 1;
  if (text) std::memcpy(puffer, text, static_cast<size_t>(laenge));
  puffer[laenge] = 0;
  return laenge;
}

STANDIN_EXPORT int32_t Standin_Aufrufe() { return aufrufe; }
