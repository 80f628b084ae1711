// The analysis loop: one pass over every placement of a material class that
// the parameter block allows, with one side to move, probing, counting and
// recording what the criterion selects.
#pragma once

#include <cstdint>

#include "analysis/loesungszug.h"
#include "analysis/parameterblock.h"
#include "analysis/tbanazustand.h"
#include "analysis/tbzugang.h"
#include "core/board.h"
#include "tbindex/indexscheme.h"

namespace galdrik {

// Results of TBAnaSchleife.
inline constexpr int32_t SchleifeFertig = 0;
inline constexpr int32_t SchleifeKeineKoenige = -1;  // not one king per colour (or a bad code)
inline constexpr int32_t SchleifeKeineTabelle = -2;  // bare kings, no table, side not registered
inline constexpr int32_t SchleifeSeiteFehlt = -3;    // both sides needed, one not registered
inline constexpr int32_t SchleifeGestoppt = -4;

// One position as the loop hands it to the criteria built elsewhere.
struct TBAnaPosition {
  const int8_t* codes;     // six slots, loop order
  int32_t* const* felder;  // their squares
  int32_t ep;              // 127 none
  int32_t amZug;           // 1 White, 0 Black
  int32_t wert;            // TbValue for the side to move
  const TbPieceList* weiss;
  const TbPieceList* schwarz;
  const int32_t* zaehler;  // ten piece counts of the class
  bool umgekehrt;
  int32_t arbeitsIndex;
  int32_t probeSeite;   // the file the position was probed in
  Loesungszug loesung;  // the solution move under conditions 3 and 4, else zero
  // For criteria that probe on their own: the pass's access and examined count.
  const TBZugang* tb = nullptr;
  uint64_t* untersucht = nullptr;
};

// The criteria whose work lives with other parts of the analysis: the
// special database (90..92), the metric comparison (93), the strategy
// evaluation (94) and the RFEP matrix (97). Unless a subclass says
// otherwise, 90..92 append to the library's database, 93 and 94 compare
// with the library-wide presets (analysis/tbanametrik) and 97 books every
// position with its valued moves into the current RFEP matrix run.
class TBAnaKriterien {
 public:
  virtual ~TBAnaKriterien() = default;
  virtual int32_t SpezDBElementHinzu(const TBAnaPosition& p);
  virtual bool MetrikVergleich(const TBAnaPosition&);
  virtual bool StrategieWahl(const TBAnaPosition&);
  virtual void RFEPStellungHinzu(const TBAnaPosition& p);
};

// The engine's position of a placement: the man of each slot code on its
// square (none above square 63), the side to move (1 White) and an
// en-passant square (none outside 0..63), check flags set.
Stellung TBAnaStellung(const int32_t codes[AnaSlots], const int32_t felder[AnaSlots], int32_t amZug,
                       int32_t ep);

// TBAnaSchleife: one pass of the analysis with the given block and
// criterion into the state z, which holds the run's diagonal-symmetry switch
// (cleared here when the solution-move kind is 1), the result buffer and the
// stop flag. A second pass adds to what the first left. Returns
// SchleifeFertig or one of the codes above; -1 .. -3 come before any
// position is examined and leave the state as it was.
int32_t TBAnaSchleife(const TBAnaParameterblock& block, int32_t kriterium, TBAnaZustand& z,
                      const TBZugang& tb, TBAnaKriterien* kriterien = nullptr);

}  // namespace galdrik
