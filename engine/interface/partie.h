// The game record as the rest of the engine sees it: starting a game,
// appending a played move, the ply of the current node, and the positions on
// the path from the current node back to the root.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/board.h"
#include "interface/partienotation.h"
#include "interface/zugknoten.h"

namespace galdrik {

// Tags Event, Site, White, Black, Round, Result "?", Date today; the old tree
// is destroyed and a new root with the initial position becomes game root and
// current node.
void PartieNeu();

// Destroys the game root and its tree (engine teardown).
void PartieFrei();

// Replaces the root by one holding the position as start position with the
// given ply (no move, NAG 0, no comment); it becomes root and current node.
void PartieWurzelSetzen(const Stellung& start, int32_t ply);

// Appends the move at the current node (or finds it among its children); the
// new node becomes current. With the engine flag the search comment is stored.
// -1 when the current node's ply is above 6298 or memory runs out (nothing
// recorded).
int32_t PartieZugAnhaengen(const Zug& zug, int16_t wert, uint8_t engineFlag);

// The engine log's line for a move the full record could not take.
inline constexpr std::string_view PartieVollMeldung = "Partie voll: Zug nicht gespeichert\n";
// ... and for a move on a position that is not the record's current one.
inline constexpr std::string_view ZugOhnePartieMeldung =
    "Stellung nicht aus der Partie: Zug nicht gespeichert\n";

// Whether the position is the one the current node stands for: a move
// recorded there is replayed on it whenever the record is walked.
bool PartieStehtBei(const Stellung& st);

// Ply of the current node (0 when there is no game).
int32_t PartieAktuellerPly();

// Positions from the current node back to the root, current node first.
void PartiePfadStellungen(std::vector<Stellung>& pfad);

// ------------------------------------------------------------ game state

// The seven tags of the game, in the order of the PGN roster.
enum PartieTag : int {
  TagEvent,
  TagSite,
  TagDate,
  TagRound,
  TagWhite,
  TagBlack,
  TagResult,
  PartieTagAnzahl
};
inline constexpr std::array<std::string_view, PartieTagAnzahl> PartieTagNamen = {
    "Event", "Site", "Date", "Round", "White", "Black", "Result"};
inline constexpr size_t PartieInfoLaenge = 999;  // bytes a tag value keeps

struct PartieZustand {
  Partiewurzel* wurzel = nullptr;                  // none only after an allocation failure
  Zugknoten* aktuell = nullptr;                    // a node of the root's tree
  Partiewurzel* aufbewahrt = nullptr;              // the tree set aside by PartieStruktSave
  std::vector<NotationsEintrag> eintraege;         // click index of the last display text
  std::array<std::string, PartieTagAnzahl> infos;  // PartieInfos
};

PartieZustand& Partie();

// The new root (nullptr allowed: no game) replaces the game root and its
// tree, and becomes the current node.
void PartieWurzelErsetzen(Partiewurzel* neu);

// Stores a tag value, cut to PartieInfoLaenge bytes at a character boundary.
void PartieInfoSetzen(PartieTag tag, std::string_view wert);

// The display text of the game with the given piece letters; rebuilds the
// click index.
std::string PartieNotationText(std::string_view buchstaben);

// "depth/extension depth/quiescence depth score" of the last search.
std::string Suchkommentar(int16_t wert);

// Makes the node current and its position the engine's current position.
void ZumKnotenGehen(Zugknoten* knoten);

// The node whose display text holds the character position; nullptr before
// the first move.
Zugknoten* KnotenAnPosition(int32_t position);

// 0 game goes on, 1 draw (dead material, stalemate, or the current position
// stands a second time on the path from the root), 2 White mated, 3 Black
// mated. Rebuilds the engine's legal move list and evaluates its position.
int32_t PartieStatus();

// Sets the game aside and starts a temporary one on the current position;
// PartieStruktLoad returns to the game set aside.
void PartieStruktSave();
void PartieStruktLoad();

}  // namespace galdrik
