// The special database's exports: a thin skin over the module in spezdb.h
// that keeps the program's calls away from a database a job is working on.
#include "analysis/spezdb_exports.h"

#include <atomic>
#include <string>

#include "analysis/spezdb.h"
#include "analysis/spezdbzugfolge.h"
#include "analysis/tbanazustand.h"
#include "analysis/vernetzung.h"
#include "interface/enginestate.h"

using namespace galdrik;

namespace {

bool Belegt() { return VernetzungLaeuft() || TBAnaGlobal().laeuft.load(std::memory_order_acquire); }

void Setzen(int32_t* aus, int32_t wert) {
  if (aus) *aus = wert;
}

}  // namespace

GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankVorbereiten(int32_t kapazitaet) {
  return Belegt() ? SpezDBBelegt : SpezDBVorbereiten(kapazitaet);
}

GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankFertig(const char* pfad) {
  return Belegt() ? SpezDBBelegt : SpezDBSchreiben(pfad);
}

GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankLaden(const char* pfad) {
  return Belegt() ? SpezDBBelegt : SpezDBLaden(pfad);
}

GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankSchliessen() {
  if (Belegt()) return SpezDBBelegt;
  SpezDBSchliessen();
  return 0;
}

GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankGrundInfo(int32_t* c0, int32_t* c1, int32_t* c2,
                                                          int32_t* c3, int32_t* c4, int32_t* c5) {
  if (Belegt()) return 0;
  const int32_t* codes = SpezDBFigurcodes();
  int32_t* aus[AnaSlots] = {c0, c1, c2, c3, c4, c5};
  for (int k = 0; k < AnaSlots; ++k) Setzen(aus[k], codes[k]);
  return SpezDBAnzahl();
}

GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankElement(int32_t i, int32_t* f0, int32_t* f1,
                                                        int32_t* f2, int32_t* f3, int32_t* f4,
                                                        int32_t* f5, int32_t* epFeld,
                                                        int32_t* amZug, int32_t* wert,
                                                        int32_t* stufe, int32_t* zugFigur,
                                                        int32_t* zugZiel, int32_t* zugArt) {
  const TBAnaEintrag* r = Belegt() ? nullptr : SpezDBEintrag(i);
  if (!r) return -1;
  // Every byte field is widened with its sign, as the program expects.
  auto S = [](uint8_t b) { return static_cast<int32_t>(static_cast<int8_t>(b)); };
  int32_t* felder[AnaSlots] = {f0, f1, f2, f3, f4, f5};
  for (int k = 0; k < AnaSlots; ++k) Setzen(felder[k], S(r->feld[k]));
  Setzen(epFeld, S(r->epFeld));
  Setzen(amZug, S(r->amZug));
  Setzen(wert, r->wert);
  Setzen(stufe, S(r->stufe));
  Setzen(zugFigur, S(r->zugFigur));
  Setzen(zugZiel, S(r->zugZiel));
  Setzen(zugArt, S(r->zugArt));
  return 0;
}

GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankZugfolge(int32_t i, int32_t modus, int32_t, int32_t,
                                                         int32_t) {
  std::string text;
  SpezDBZugfolge(i, modus, text);
  return AusgabeSchreiben(text);
}

GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_StellungPGNSpeichern(int32_t i, const char* pfad, int32_t,
                                                            int32_t, int32_t) {
  return SpezDBStellungPGNSpeichern(i, pfad);
}
