// What the fuzz targets share: the engine started once per process (tables,
// the shipped key set, a small transposition table, no log), and a scratch
// file of the process's own that holds the input for the file readers.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "interface/galdrik_exports.h"

namespace galdrik::fuzz {

inline void EngineStarten() {
  static const bool gestartet = [] {
    DLL_LogDatei("", "");
    DLL_HashPfad(GALDRIK_DATA_DIR "/HashCode.key");
    DLL_BuchPfad(GALDRIK_DATA_DIR "/Standard.bk2");
    DLL_HashParam(10, 2, 4);
    if (DLL_EngineInit() != 0) std::abort();
    return true;
  }();
  (void)gestartet;
}

// A folder below TMPDIR (or /tmp) named for the process.
inline const std::string& ArbeitsOrdner() {
  static const std::string ordner = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string pfad = std::string(tmp && *tmp ? tmp : "/tmp") + "/galdrik-fuzz-" +
                       std::to_string(static_cast<long>(::getpid()));
    ::mkdir(pfad.c_str(), 0700);
    return pfad;
  }();
  return ordner;
}

inline std::string ArbeitsDatei(std::string_view name) {
  return ArbeitsOrdner() + "/" + std::string(name);
}

// The input as the file the reader under test opens.
inline std::string AlsDatei(const uint8_t* daten, size_t groesse, std::string_view name) {
  const std::string pfad = ArbeitsDatei(name);
  std::FILE* f = std::fopen(pfad.c_str(), "wb");
  if (!f) std::abort();
  if (groesse && std::fwrite(daten, 1, groesse, f) != groesse) std::abort();
  std::fclose(f);
  return pfad;
}

inline std::string_view AlsText(const uint8_t* daten, size_t groesse) {
  return {reinterpret_cast<const char*>(daten), groesse};
}

}  // namespace galdrik::fuzz
