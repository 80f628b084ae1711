// The special database's side of the analysis: the criteria 90..92 hand
// each position, with its single best move, to the library's database.
#include "analysis/spezdb.h"
#include "analysis/tbanaschleife.h"

namespace galdrik {

int32_t TBAnaKriterien::SpezDBElementHinzu(const TBAnaPosition& p) {
  return galdrik::SpezDBElementHinzu(p.felder, p.ep, p.amZug, p.wert, p.loesung.slot,
                                     p.loesung.ziel, p.loesung.flags);
}

}  // namespace galdrik
