// The key-file reader on any file: only a file of exactly the full size is
// taken, and keys from it hash positions like any others.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/board.h"
#include "core/zobrist.h"
#include "fuzzhilfe.h"

using namespace galdrik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  fuzz::EngineStarten();
  const std::string pfad = fuzz::AlsDatei(daten, groesse, "HashCode.key");
  const int32_t ergebnis = HashCodeKeysLaden(pfad);
  if ((ergebnis == 0) != (groesse == sizeof(HashCodeKeySatz))) std::abort();
  if (ergebnis == 0) (void)HashCodeBerechnen(Grundstellung());
  // The engine goes on with the shipped keys.
  if (HashCodeKeysLaden(GALDRIK_DATA_DIR "/HashCode.key") != 0) std::abort();
  return 0;
}
