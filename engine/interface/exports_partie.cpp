// Game record exports: the notation text and its click index, moving through
// the tree, editing it (NAGs, comments, deleting and promoting lines), the
// tags, the game status and setting a game aside.
#include <string>

#include "core/textfile.h"
#include "interface/enginestate.h"
#include "interface/galdrik_exports.h"
#include "interface/jobs.h"
#include "interface/partie.h"

using namespace galdrik;

GALDRIK_EXPORT int32_t DLL_PartieNotation(const char* buchstaben) {
  if (!buchstaben) return 0;
  return AusgabeSchreiben(PartieNotationText(buchstaben));
}

GALDRIK_EXPORT void DLL_ZugMark(int32_t* anfang, int32_t* ende) {
  if (!anfang || !ende) return;
  const PartieZustand& p = Partie();
  if (!p.aktuell) {
    *anfang = 0;
    *ende = 0;
    return;
  }
  for (const NotationsEintrag& e : p.eintraege)
    if (e.knoten == p.aktuell) {
      *anfang = e.anfang;
      *ende = e.ende;
      return;
    }
}

GALDRIK_EXPORT void DLL_ZugKlick(int32_t position) {
  Zugknoten* knoten = KnotenAnPosition(position);
  // The exchange move is the search thread's until it has ended.
  if (!knoten || SucheLaeuft()) return;
  ZumKnotenGehen(knoten);
  Engine().austauschzug = knoten->zug;
}

GALDRIK_EXPORT void DLL_SetNAG(int32_t code) {
  if (Zugknoten* k = Partie().aktuell) k->nag = code;
}

GALDRIK_EXPORT void DLL_SetComment(const char* text) {
  Zugknoten* k = Partie().aktuell;
  if (!text || !k) return;
  // An empty text takes the comment away; kept, it would still write its
  // blank in the notation and empty braces in the PGN file.
  if (*text == '\0') {
    k->kommentar.reset();
    return;
  }
  k->kommentar = NachUtf8(text);
}

GALDRIK_EXPORT int32_t DLL_GetComment() {
  const Zugknoten* k = Partie().aktuell;
  return AusgabeSchreiben(k && k->kommentar ? *k->kommentar : std::string());
}

GALDRIK_EXPORT void DLL_ZugKill() {
  PartieZustand& p = Partie();
  if (!p.aktuell) return;
  p.eintraege.clear();
  ZumKnotenGehen(p.aktuell->Loeschen());
}

GALDRIK_EXPORT void DLL_ZugAufwerten() {
  if (Zugknoten* k = Partie().aktuell) k->Aufwerten();
}

GALDRIK_EXPORT void DLL_PartiePGNSet(const char* event, const char* site, const char* date,
                                     const char* white, const char* black, const char* round,
                                     const char* result) {
  const struct {
    PartieTag tag;
    const char* wert;
  } werte[] = {{TagEvent, event}, {TagSite, site},   {TagDate, date},    {TagWhite, white},
               {TagBlack, black}, {TagRound, round}, {TagResult, result}};
  for (const auto& w : werte)
    if (w.wert) PartieInfoSetzen(w.tag, w.wert);
}

GALDRIK_EXPORT int32_t DLL_PartieStatus() { return PartieStatus(); }

GALDRIK_EXPORT void DLL_ZugMinus() {
  if (Zugknoten* k = Partie().aktuell) ZumKnotenGehen(k->parent);
}

GALDRIK_EXPORT void DLL_ZugPlus() {
  if (Zugknoten* k = Partie().aktuell) ZumKnotenGehen(k->ersterSohn);
}

GALDRIK_EXPORT void DLL_ZugNummer(int32_t ply) {
  for (Zugknoten* k = Partie().wurzel; k; k = k->ersterSohn)
    if (k->ply == ply) {
      ZumKnotenGehen(k);
      return;
    }
}

GALDRIK_EXPORT void DLL_PartieStruktSave() { PartieStruktSave(); }

GALDRIK_EXPORT void DLL_PartieStruktLoad() { PartieStruktLoad(); }
