// PGN exports: saving the current game, indexing a file as a game database,
// and handing out the tags, the movetext and the game itself by number.
#include <string>

#include "core/fen.h"
#include "core/log.h"
#include "core/search.h"
#include "interface/enginestate.h"
#include "interface/galdrik_exports.h"
#include "interface/pgn.h"

using namespace galdrik;

namespace {

constexpr int32_t TextFehlt = -9;

const PGNIndexSatz* Satz(int32_t spiel) {
  const auto& saetze = Datenbank().saetze;
  if (spiel < 0 || static_cast<size_t>(spiel) >= saetze.size()) return nullptr;
  return &saetze[static_cast<size_t>(spiel)];
}

}  // namespace

GALDRIK_EXPORT int32_t DLL_DateiSpeichern(const char* pfad, int32_t anhaengen) {
  if (!pfad) return TextFehlt;
  return PGNSpeichern(pfad, anhaengen >= 1);
}

GALDRIK_EXPORT int32_t DLL_PGNDateiLaden(const char* pfad) {
  if (!pfad) return TextFehlt;
  auto& saetze = Datenbank().saetze;
  const int32_t ergebnis = PGNDateiIndex(pfad, saetze);
  if (ergebnis < 1) saetze = {};
  return ergebnis;
}

GALDRIK_EXPORT int32_t DLL_PGNDateiPartieInfo(int32_t spiel, int32_t feld) {
  const PGNIndexSatz* satz = Satz(spiel);
  int tag = -1;
  if (feld >= 1 && feld <= PartieTagAnzahl) tag = feld - 1;
  if (feld == 33) tag = TagFEN;
  return AusgabeSchreiben(satz && tag >= 0 ? satz->tags[tag] : std::string());
}

GALDRIK_EXPORT int32_t DLL_PGNDateiPartieText(const char* pfad, int32_t spiel) {
  if (!pfad) return TextFehlt;
  const PGNIndexSatz* satz = Satz(spiel);
  std::string text;
  if (satz) PGNPartieTextLesen(pfad, satz->ersteZeile, satz->zeilenAnzahl, text);
  return AusgabeSchreiben(text);
}

GALDRIK_EXPORT int32_t DLL_PGNDateiPartieLoad(const char* pfad, int32_t spiel) {
  if (!pfad) return TextFehlt;
  const PGNIndexSatz* satz = Satz(spiel);
  Datenbank().abbruch.clear();
  if (!satz) return -1;
  std::string zugtext;
  PGNPartieTextLesen(pfad, satz->ersteZeile, satz->zeilenAnzahl, zugtext);
  const int32_t ergebnis = PGNPartieLaden(*satz, zugtext, &Datenbank().abbruch);
  // A game too long for the record stays loaded as far as it goes.
  if (ergebnis < 0 && ergebnis != PGNPartieZuLang) PartieNeu();
  const Zugknoten* aktuell = Partie().aktuell;
  if (aktuell) aktuell->StellungGet(Engine().aktuelleStellung);
  LegalzuglisteErneuern();
  Suche().buchFehlversuche = 0;
  LogZeile(FENAusgabe(Engine().aktuelleStellung, static_cast<int16_t>(PartieAktuellerPly() + 1)) +
           "\n");
  return ergebnis;
}

GALDRIK_EXPORT int32_t DLL_PGNDateiPartieAbbruch() { return AusgabeSchreiben(Datenbank().abbruch); }

GALDRIK_EXPORT int32_t DLL_PGNDateiSchliessen() {
  Datenbank().saetze = {};
  return 0;
}
