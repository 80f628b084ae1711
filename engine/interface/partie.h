// The game record as the rest of the engine sees it: starting a game,
// appending a played move, the ply of the current node, and the positions on
// the path from the current node back to the root.
#pragma once

#include <cstdint>
#include <vector>

#include "core/board.h"

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
// -1 when the current node's ply is above 6298 (nothing recorded).
int32_t PartieZugAnhaengen(const Zug& zug, int16_t wert, uint8_t engineFlag);

// Ply of the current node (0 when there is no game).
int32_t PartieAktuellerPly();

// Positions from the current node back to the root, current node first.
void PartiePfadStellungen(std::vector<Stellung>& pfad);

}  // namespace galdrik
