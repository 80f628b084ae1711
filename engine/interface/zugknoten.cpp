// Nodes of the game record: destruction, unlinking, finding a move among the
// children, and rebuilding positions by replaying moves from the root.
#include "interface/zugknoten.h"

#include <algorithm>
#include <new>

#include "core/makemove.h"

namespace galdrik {

namespace {

// Takes the node out of its parent's child list; answers the sibling that
// stood before it, nullptr for a first child.
Zugknoten* Ausklinken(Zugknoten* knoten) {
  Zugknoten* vorgaenger = nullptr;
  for (Zugknoten* k = knoten->parent->ersterSohn; k && k != knoten; k = k->naechsterBruder)
    vorgaenger = k;
  if (vorgaenger)
    vorgaenger->naechsterBruder = knoten->naechsterBruder;
  else
    knoten->parent->ersterSohn = knoten->naechsterBruder;
  return vorgaenger;
}

}  // namespace

Zugknoten::~Zugknoten() { KinderZerstoeren(); }

// The children form a binary tree (first child left, next sibling right).
// Rotating each left link to the right before deleting keeps the walk flat:
// no recursion, no stack, whatever the depth of the game.
void Zugknoten::KinderZerstoeren() {
  Zugknoten* k = ersterSohn;
  ersterSohn = nullptr;
  while (k) {
    if (Zugknoten* sohn = k->ersterSohn) {
      k->ersterSohn = sohn->naechsterBruder;
      sohn->naechsterBruder = k;
      k = sohn;
    } else {
      Zugknoten* weiter = k->naechsterBruder;
      delete k;
      k = weiter;
    }
  }
}

Zugknoten* Zugknoten::Loeschen() {
  Zugknoten* vater = parent;
  if (!vater) return nullptr;
  Zugknoten* vorgaenger = Ausklinken(this);
  delete this;
  if (vorgaenger) return vorgaenger;
  return vater->ersterSohn ? vater->ersterSohn : vater;
}

void Zugknoten::Aufwerten() {
  if (!parent || IstErsterSohn()) return;
  Ausklinken(this);
  naechsterBruder = parent->ersterSohn;
  parent->ersterSohn = this;
}

Zugknoten* Partiewurzel::Loeschen() {
  KinderZerstoeren();
  return this;
}

void Zugknoten::StellungGet(Stellung& st) const {
  std::vector<const Zug*> zuege;
  const Zugknoten* k = this;
  for (; k->parent; k = k->parent) zuege.push_back(&k->zug);
  if (const auto* wurzel = dynamic_cast<const Partiewurzel*>(k))
    st = wurzel->startstellung;
  else
    st = Grundstellung();
  for (auto it = zuege.rbegin(); it != zuege.rend(); ++it) ZugAusfuehren(st, st, **it, 1);
}

Zugknoten* ZugknotenSuchen(Zugknoten* erster, const Zug& zug) {
  for (Zugknoten* k = erster; k; k = k->naechsterBruder)
    if (GleicherZug(k->zug, zug)) return k;
  return nullptr;
}

void KindAnhaengen(Zugknoten* knoten, Zugknoten* kind) {
  kind->parent = knoten;
  kind->naechsterBruder = nullptr;
  if (!knoten->ersterSohn) {
    knoten->ersterSohn = kind;
    return;
  }
  Zugknoten* letzter = knoten->ersterSohn;
  while (letzter->naechsterBruder) letzter = letzter->naechsterBruder;
  letzter->naechsterBruder = kind;
}

Zugknoten* ZugknotenFinden(Zugknoten* knoten, const Zug& zug) {
  if (Zugknoten* vorhanden = ZugknotenSuchen(knoten->ersterSohn, zug)) return vorhanden;
  auto* neu = new (std::nothrow) Zugknoten(zug, knoten->ply + 1);
  if (!neu) return nullptr;
  KindAnhaengen(knoten, neu);
  return neu;
}

void PfadStellungen(const Zugknoten* knoten, std::vector<Stellung>& pfad) {
  pfad.clear();
  if (!knoten) return;
  std::vector<const Zugknoten*> kette;
  for (const Zugknoten* k = knoten; k; k = k->parent) kette.push_back(k);
  std::reverse(kette.begin(), kette.end());
  pfad.reserve(kette.size());
  Stellung st;
  kette.front()->StellungGet(st);
  pfad.push_back(st);
  for (size_t i = 1; i < kette.size(); ++i) {
    ZugAusfuehren(st, st, kette[i]->zug, 1);
    pfad.push_back(st);
  }
}

}  // namespace galdrik
