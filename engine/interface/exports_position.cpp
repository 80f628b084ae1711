// Position, move and text-buffer exports: setting, reading, checking and
// playing positions and moves across the library boundary.
#include <cstring>
#include <string>

#include "core/fen.h"
#include "core/log.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/search.h"
#include "interface/enginestate.h"
#include "interface/galdrik_exports.h"
#include "interface/jobs.h"
#include "interface/partie.h"
#include "interface/records.h"

using namespace galdrik;

namespace {

int32_t ZugnummerAktuell() { return PartieAktuellerPly() / 2 + 1; }

void FENLoggen(int32_t halbzug) {
  LogZeile(FENAusgabe(Engine().aktuelleStellung, static_cast<int16_t>(halbzug)) + "\n");
}

}  // namespace

// ------------------------------------------------------------- positions

GALDRIK_EXPORT void DLL_Grundstellung(int32_t* feld) {
  if (feld) FeldAusStellung(Grundstellung(), 1, feld);
}

GALDRIK_EXPORT void DLL_Leerstellung(int32_t* feld) {
  if (feld) FeldAusStellung(Leerstellung(), 1, feld);
}

GALDRIK_EXPORT void DLL_StellungGet(int32_t* feld) {
  if (feld) FeldAusStellung(Engine().aktuelleStellung, ZugnummerAktuell(), feld);
}

// A record the board cannot hold (kings missing or doubled, impossible
// material, pawns on the edge ranks, unknown codes) is refused: the position
// stays as it was, and DLL_StellungLegal reports the record's fault.
GALDRIK_EXPORT int32_t DLL_StellungSet(const int32_t* feld) {
  if (!feld) return -1;
  if (const int32_t mangel = FeldMangel(feld)) {
    Engine().abgelehnt = mangel;
    return -1;
  }
  const Stellung st = StellungAusFeld(feld);
  // As with a FEN: the side that has just moved cannot stand in check, or
  // the next move would take its king. DLL_StellungLegal calls that 2.
  if ((st.amZug == Weiss ? st.schachS : st.schachW) == 1) {
    Engine().abgelehnt = 2;
    return -1;
  }
  StellungUebernehmen(st);
  return 0;
}

GALDRIK_EXPORT void DLL_StellungSave() {
  EngineZustand& e = Engine();
  for (int i = StapelTiefe - 1; i > 0; --i) e.stapel[i] = e.stapel[i - 1];
  e.stapel[0] = e.aktuelleStellung;
}

// A slot never pushed holds a zero record, which no move may be played on:
// it is not loaded.
GALDRIK_EXPORT void DLL_StellungLoad() {
  EngineZustand& e = Engine();
  if (StellungMangel(e.stapel[0]) == 0) StellungUebernehmen(e.stapel[0]);
  for (int i = 0; i < StapelTiefe - 1; ++i) e.stapel[i] = e.stapel[i + 1];
}

GALDRIK_EXPORT void DLL_StellungKill() {
  EngineZustand& e = Engine();
  for (int i = 0; i < StapelTiefe - 1; ++i) e.stapel[i] = e.stapel[i + 1];
}

GALDRIK_EXPORT int32_t DLL_StellungLegal() {
  EngineZustand& e = Engine();
  if (e.abgelehnt) return e.abgelehnt;
  Stellung& st = e.aktuelleStellung;
  const int32_t mangel = StellungMangel(st);
  if (mangel == 1) return 1;
  if ((st.schachW == 1 && st.amZug != Weiss) || (st.schachS == 1 && st.amZug == Weiss)) return 2;
  if (mangel) return mangel;
  RochadeUndEPBereinigen(st);
  return 0;
}

GALDRIK_EXPORT int32_t DLL_FENInput(const char* fen) {
  if (!fen) return -9;
  Stellung st;
  uint16_t halbzug = 1;
  // A refused text leaves the current position as it was: the reader's
  // half-built record may hold what no move generator can play on.
  if (FENEingabe(fen, st, halbzug) != FENGueltig) return -1;
  StellungUebernehmen(st);
  return halbzug;
}

GALDRIK_EXPORT int32_t DLL_FENOutput(int32_t halbzug) {
  return AusgabeSchreiben(FENAusgabe(Engine().aktuelleStellung, static_cast<int16_t>(halbzug)));
}

GALDRIK_EXPORT void DLL_PartieBeginn() {
  PartieNeu();
  StellungUebernehmen(Grundstellung());
  Suche().buchFehlversuche = 0;
  FENLoggen(1);
}

GALDRIK_EXPORT void DLL_PositionFix(int32_t halbzug) {
  if (halbzug < 1 || halbzug >= 6300) halbzug = 1;
  PartieNeu();
  PartieWurzelSetzen(Engine().aktuelleStellung, halbzug - 1);
  FENLoggen(halbzug);
}

// ----------------------------------------------------------------- moves

GALDRIK_EXPORT int32_t DLL_ZugAnz() {
  EngineZustand& e = Engine();
  ZugGenerator(e.aktuelleStellung, GenAlleZuege, e.legalzugliste);
  return e.legalzugliste.anzahl;
}

// The exchange move belongs to the search thread until it has ended: it
// writes its move there last.
GALDRIK_EXPORT void DLL_ZugGet(int32_t* zug) {
  if (!zug || SucheLaeuft()) return;
  const Zug& z = Engine().austauschzug;
  zug[0] = z.von;
  zug[1] = z.nach;
  zug[2] = zug[3] = z.zugart;
}

GALDRIK_EXPORT void DLL_ZugSet(const int32_t* zug) {
  if (!zug || SucheLaeuft()) return;
  Zug& z = Engine().austauschzug;
  z.von = static_cast<uint8_t>(zug[0] & 0xFF);
  z.nach = static_cast<uint8_t>(zug[1] & 0xFF);
  z.zugart = static_cast<uint8_t>((zug[2] | zug[3]) & 0xFF);
}

GALDRIK_EXPORT int32_t DLL_ZugLegal() {
  EngineZustand& e = Engine();
  const Zugliste& liste = e.legalzugliste;
  if (liste.anzahl < 1 || SucheLaeuft()) return -2;
  for (int i = 0; i < liste.anzahl && i < MaxZuege; ++i) {
    const Zug& z = liste.zuege[i];
    if (z.von != e.austauschzug.von || z.nach != e.austauschzug.nach) continue;
    const bool umwandlung = (z.figur == Bauer && z.von >= 48 && z.von <= 55 && z.zugart != 0) ||
                            (z.figur == -Bauer && z.von >= 8 && z.von <= 15);
    if (!umwandlung) {
      e.austauschzug = z;
      return i;
    }
    if (e.austauschzug.zugart == z.zugart) {
      e.austauschzug = z;
      return i;
    }
    if (e.austauschzug.zugart == 0) return -1;
  }
  return -2;
}

// 0 played and recorded; -1 nothing played (a bad index, or a search still
// at work, which owns the score it would record); -2 played but not
// recorded, which the log says: the game record is full, or the position
// was set without a new game and is not the one of the record's current
// node (the record would replay the move on a board it does not fit).
GALDRIK_EXPORT int32_t DLL_ZugMachen(int32_t index) {
  EngineZustand& e = Engine();
  if (index < 0 || index >= e.legalzugliste.anzahl || index >= MaxZuege || SucheLaeuft()) {
    e.galdrikZugFlag = 0;
    return -1;
  }
  const Zug zug = e.legalzugliste.zuege[index];
  const bool passend = PartieStehtBei(e.aktuelleStellung);
  StellungUebernehmen(ZugAusfuehren(e.aktuelleStellung, zug, 1));
  const bool aufgenommen =
      passend && PartieZugAnhaengen(zug, e.letzterSuchwert, e.galdrikZugFlag) == 0;
  LogZeile(ZugNotation(zug, FigurenDeutsch, 0) + "\n");
  if (!passend)
    LogZeile(ZugOhnePartieMeldung);
  else if (!aufgenommen)
    LogZeile(PartieVollMeldung);
  e.galdrikZugFlag = 0;
  return aufgenommen ? 0 : -2;
}

GALDRIK_EXPORT int32_t DLL_PGNInput(const char* text, const char* buchstaben) {
  if (!text || !buchstaben) return -9;
  uint8_t status = 0;
  return PGNZugInterpretieren(Engine().legalzugliste, text, buchstaben, status);
}

GALDRIK_EXPORT int32_t DLL_PGNOutput(int32_t index) {
  const Zugliste& liste = Engine().legalzugliste;
  if (index < 0 || index >= liste.anzahl || index >= MaxZuege) return 0;
  return AusgabeSchreiben(ZugNotation(liste.zuege[index], FigurenDeutsch, 0));
}

// ----------------------------------------------------------- text buffer

GALDRIK_EXPORT int32_t DLL_StringByte(int32_t index) {
  if (index < 0 || index >= AusgabepufferGroesse) return 0;
  return static_cast<unsigned char>(Ausgabepuffer()[index]);
}

GALDRIK_EXPORT char* DLL_String() { return Ausgabepuffer(); }
