// The engine's game record: the game root, the current node, the tree set
// aside while a temporary one is used, the click index of the display text
// and the game's tags.
#include "interface/partie.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iterator>
#include <new>

#include "core/eval.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/search.h"
#include "core/suchstand.h"
#include "core/textfile.h"
#include "interface/enginestate.h"

namespace galdrik {

namespace {

std::string HeutigesDatum() {
  const std::time_t jetzt = std::time(nullptr);
  std::tm zeit{};
  localtime_r(&jetzt, &zeit);
  char text[32];
  std::strftime(text, sizeof text, "%Y.%m.%d", &zeit);
  return text;
}

// Every operation that destroys nodes empties the click index first, so that
// no entry outlives its node.
void BaumZerstoeren(Partiewurzel*& wurzel) {
  Partie().eintraege.clear();
  delete wurzel;
  wurzel = nullptr;
}

// The score as "%.2f" of centipawns, written without the C library so that
// a process locale with a decimal comma cannot change the text.
std::string Bauerneinheiten(int16_t wert) {
  const int betrag = wert < 0 ? -wert : wert;
  char text[16];
  std::snprintf(text, sizeof text, "%s%d.%02d", wert < 0 ? "-" : "", betrag / 100, betrag % 100);
  return text;
}

}  // namespace

PartieZustand& Partie() {
  static PartieZustand zustand;
  return zustand;
}

void PartieWurzelErsetzen(Partiewurzel* neu) {
  PartieZustand& p = Partie();
  BaumZerstoeren(p.wurzel);
  p.wurzel = neu;
  p.aktuell = neu;
}

void PartieNeu() {
  PartieZustand& p = Partie();
  for (int t = 0; t < PartieTagAnzahl; ++t) p.infos[t] = "?";
  p.infos[TagDate] = HeutigesDatum();
  PartieWurzelErsetzen(new (std::nothrow) Partiewurzel(Grundstellung(), 0));
}

void PartieFrei() {
  PartieZustand& p = Partie();
  PartieWurzelErsetzen(nullptr);
  BaumZerstoeren(p.aufbewahrt);
}

void PartieWurzelSetzen(const Stellung& start, int32_t ply) {
  if (ply < 0 || ply >= MaxWurzelPly) ply = 0;
  PartieWurzelErsetzen(new (std::nothrow) Partiewurzel(start, ply));
}

int32_t PartieZugAnhaengen(const Zug& zug, int16_t wert, uint8_t engineFlag) {
  PartieZustand& p = Partie();
  if (!p.aktuell || p.aktuell->ply >= MaxPartiePly) return -1;
  Zugknoten* knoten = ZugknotenFinden(p.aktuell, zug);
  if (!knoten) return -1;
  p.aktuell = knoten;
  if (engineFlag == 1 && SuchstandVeroeffentlicht().lesen().statistik.iterationsTiefe > 0)
    knoten->kommentar = Suchkommentar(wert);
  return 0;
}

bool PartieStehtBei(const Stellung& st) {
  const Zugknoten* aktuell = Partie().aktuell;
  if (!aktuell) return false;
  Stellung knoten;
  aktuell->StellungGet(knoten);
  return knoten.schluessel == st.schluessel && knoten.belegt == st.belegt &&
         knoten.amZug == st.amZug;
}

int32_t PartieAktuellerPly() {
  const Zugknoten* aktuell = Partie().aktuell;
  return aktuell ? aktuell->ply : 0;
}

void PartiePfadStellungen(std::vector<Stellung>& pfad) {
  PfadStellungen(Partie().aktuell, pfad);
  std::reverse(pfad.begin(), pfad.end());
}

void PartieInfoSetzen(PartieTag tag, std::string_view wert) {
  const std::string text = NachUtf8(wert);
  Partie().infos[tag] = Utf8Kuerzen(text, PartieInfoLaenge);
}

std::string PartieNotationText(std::string_view buchstaben) {
  PartieZustand& p = Partie();
  p.eintraege.clear();
  Notationsauftrag auftrag;
  auftrag.buchstaben = buchstaben;
  auftrag.eintraege = &p.eintraege;
  if (p.wurzel) PartieNotationSchreiben(auftrag, *p.wurzel);
  return std::move(auftrag.text);
}

std::string Suchkommentar(int16_t wert) {
  const Suchstatistik s = SuchstandVeroeffentlicht().lesen().statistik;
  std::string text = std::to_string(s.iterationsTiefe) + "/" + std::to_string(s.tiefsterPly) + "/" +
                     std::to_string(s.tiefsterRuhePly) + " ";
  if (wert > MattSchwelle)
    text += "+#" + std::to_string((Matt - wert) / 2);
  else if (wert < -MattSchwelle)
    text += "-#" + std::to_string((Matt + wert) / 2);
  else
    text += Bauerneinheiten(wert);
  return text;
}

void ZumKnotenGehen(Zugknoten* knoten) {
  if (!knoten) return;
  Partie().aktuell = knoten;
  knoten->StellungGet(Engine().aktuelleStellung);
  LegalzuglisteErneuern();
}

Zugknoten* KnotenAnPosition(int32_t position) {
  const std::vector<NotationsEintrag>& eintraege = Partie().eintraege;
  // The entries stand in text order: the last one starting at or before
  // the position holds it.
  auto it = std::upper_bound(eintraege.begin(), eintraege.end(), position,
                             [](int32_t p, const NotationsEintrag& e) { return p < e.anfang; });
  if (it == eintraege.begin()) return nullptr;
  return std::prev(it)->knoten;
}

int32_t PartieStatus() {
  EngineZustand& e = Engine();
  Stellung& st = e.aktuelleStellung;
  st.remisMaterial = 0;
  ZugGenerator(st, GenAlleZuege, e.legalzugliste);
  StellungBewerten(st, 0);
  if (st.remisMaterial) return 1;
  if (e.legalzugliste.anzahl == 0) {
    if (st.schachW) return 2;
    if (st.schachS) return 3;
    return 1;
  }
  const PartieZustand& p = Partie();
  if (!p.wurzel || !p.aktuell) return 0;
  // Only what was played up to the current node can repeat it: later moves
  // and other lines are no part of this game's history.
  std::vector<Stellung> pfad;
  PfadStellungen(p.aktuell, pfad);
  const uint64_t schluessel = pfad.back().schluessel;
  int vorkommen = 0;
  for (const Stellung& s : pfad) vorkommen += s.schluessel == schluessel;
  return vorkommen >= 2 ? 1 : 0;
}

void PartieStruktSave() {
  PartieZustand& p = Partie();
  Partiewurzel* spiel = p.wurzel;
  p.wurzel = nullptr;
  p.aktuell = nullptr;
  if (!p.aufbewahrt) {
    p.aufbewahrt = spiel;
  } else if (spiel && std::memcmp(&p.aufbewahrt->startstellung, &spiel->startstellung,
                                  sizeof(Stellung)) == 0) {
    BaumZerstoeren(spiel);
  } else if (spiel) {
    BaumZerstoeren(p.aufbewahrt);
    p.aufbewahrt = spiel;
  }
  PartieWurzelErsetzen(new (std::nothrow) Partiewurzel(Engine().aktuelleStellung, 0));
}

void PartieStruktLoad() {
  PartieZustand& p = Partie();
  if (!p.aufbewahrt) return;
  Partiewurzel* alt = p.aufbewahrt;
  p.aufbewahrt = nullptr;
  PartieWurzelErsetzen(alt);
}

}  // namespace galdrik
