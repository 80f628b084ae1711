// Paths and sizes the program hands the engine before start-up. One set per
// process, as there is one engine per process.
#pragma once

#include <cstdint>
#include <string>

namespace galdrik {

struct EngineKonfiguration {
  std::string hashPfad;       // key file HashCode.key
  uint8_t hashExponent = 0;   // 2^exponent buckets in the transposition table
  uint8_t hashBreite = 0;     // entries per bucket
  uint32_t gegenfeldAnzahl = 0;  // entries of the corresponding-squares cache
};

EngineKonfiguration& Konfiguration();

// The key file to use: the configured path, or HashCode.key in the per-user
// data folder when none was given.
std::string KeyDateiPfad();

}  // namespace galdrik
