// The game record as a tree: a root holding the start position and one node
// per move, the main continuation as a node's first child and alternatives as
// its later siblings. Games can be thousands of plies deep, so every walk
// along a line (destroying, rebuilding a position) is a loop, never a
// recursion per ply.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/board.h"

namespace galdrik {

// The deepest node the record accepts; a root lies below MaxWurzelPly.
inline constexpr int32_t MaxPartiePly = 6299;
inline constexpr int32_t MaxWurzelPly = 6300;

struct Notationsauftrag;

class Zugknoten {
 public:
  Zugknoten() = default;
  Zugknoten(const Zug& gespielt, int32_t halbzug) : zug(gespielt), ply(halbzug) {}
  virtual ~Zugknoten();
  Zugknoten(const Zugknoten&) = delete;
  Zugknoten& operator=(const Zugknoten&) = delete;

  // Unlinks and destroys this node with its subtree; answers the node that
  // takes its place: the preceding sibling, else the parent's new first
  // child, else the parent. A root keeps itself and loses every move.
  virtual Zugknoten* Loeschen();

  // The position after this node's move, replayed from the root.
  virtual void StellungGet(Stellung& st) const;

  // Writes this node's line (and, for a first child, its siblings as
  // variations) from the position before its move.
  void NotationSchreiben(Notationsauftrag& auftrag, const Stellung& vorher, int tiefe);

  bool IstErsterSohn() const { return parent && parent->ersterSohn == this; }

  // Makes this node its parent's first child (its line the main line there);
  // the other children keep their order. Nothing for a root or a first child.
  void Aufwerten();

  // Destroys every child with its subtree; the node itself stays.
  void KinderZerstoeren();

  Zugknoten* parent = nullptr;
  Zugknoten* ersterSohn = nullptr;
  Zugknoten* naechsterBruder = nullptr;
  Zug zug{};
  int32_t nag = 0;
  int32_t ply = 0;
  std::optional<std::string> kommentar;
};

class Partiewurzel : public Zugknoten {
 public:
  Partiewurzel(const Stellung& start, int32_t wurzelPly) : startstellung(start) { ply = wurzelPly; }

  Zugknoten* Loeschen() override;
  void StellungGet(Stellung& st) const override { st = startstellung; }

  Stellung startstellung;
};

// Same move for the record: from, to and promotion piece agree.
constexpr bool GleicherZug(const Zug& a, const Zug& b) {
  return a.von == b.von && a.nach == b.nach && (a.zugart & 0xF0) == (b.zugart & 0xF0);
}

// The first node from `erster` along the sibling chain whose move is the same.
Zugknoten* ZugknotenSuchen(Zugknoten* erster, const Zug& zug);

// The child of the node for the move, appended as its last child when there
// is none yet; nullptr only when memory runs out.
Zugknoten* ZugknotenFinden(Zugknoten* knoten, const Zug& zug);

// Appends `kind` (already detached) at the end of the node's child list.
void KindAnhaengen(Zugknoten* knoten, Zugknoten* kind);

// Positions from the root to the node, root first.
void PfadStellungen(const Zugknoten* knoten, std::vector<Stellung>& pfad);

}  // namespace galdrik
