// Paths, sizes and labels the program hands the engine, before start-up and
// at any time after. One set per process, as there is one engine per process.
#pragma once

#include <cstdint>
#include <string>

namespace galdrik {

struct EngineKonfiguration {
  std::string fenLogPfad;        // automatic FEN log
  std::string buchPfad;          // compiled opening book (.bk2)
  std::string hashPfad;          // key file HashCode.key
  std::string md5Pfad;           // MD5 list of the tablebase files
  std::string md5LogPfad;        // log of the tablebase check
  uint8_t hashExponent = 0;      // 2^exponent buckets in the transposition table
  uint8_t hashBreite = 0;        // entries per bucket
  uint32_t gegenfeldAnzahl = 0;  // corresponding-squares cache entries
  std::string statBez[20];       // labels of the statistics lines
};

EngineKonfiguration& Konfiguration();

// The key file to use: the configured path, or HashCode.key in the per-user
// data folder when none was given.
std::string KeyDateiPfad();

}  // namespace galdrik
