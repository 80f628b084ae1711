// The RFEP matrix file read back for its expected depths, on any bytes and
// any size up to 31: it answers a result or throws one of the matrix codes,
// and never reads past its lines.
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "analysis/rfepemulator.h"
#include "analysis/rfepmatrix.h"
#include "fuzzhilfe.h"

using namespace galdrik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  if (groesse == 0) return 0;
  const int32_t n = 1 + daten[0] % 31;
  const std::string pfad = fuzz::AlsDatei(daten + 1, groesse - 1, "fuzz.mtx");
  try {
    const int32_t r = RFEPMatrixDepthsInnen(pfad, n);
    if (r != 0 && r != RFEPDepthsNichtLesbar && r != RFEPDepthsZuLang &&
        r != RFEPDepthsNichtSchreibbar)
      std::abort();
  } catch (int code) {
    if (code != RFEPKeinSpeicher && code != RFEPFalscheGroesse && code != RFEPPasstNicht)
      std::abort();
  } catch (const std::bad_alloc&) {
  }
  return 0;
}
