// A minimal game record: the start position and the line of moves played,
// enough for the exports and the root search's repetition test.
#include "interface/partie.h"

#include <algorithm>

#include "core/makemove.h"

namespace galdrik {

namespace {

struct Partie {
  bool vorhanden = false;
  Stellung start{};
  int32_t startPly = 0;
  std::vector<Zug> zuege;
  size_t aktuell = 0;  // moves played up to the current node
};

Partie& Spiel() {
  static Partie partie;
  return partie;
}

}  // namespace

void PartieNeu() { PartieWurzelSetzen(Grundstellung(), 0); }

void PartieFrei() { Spiel() = Partie{}; }

void PartieWurzelSetzen(const Stellung& start, int32_t ply) {
  Partie& p = Spiel();
  p = Partie{};
  p.vorhanden = true;
  p.start = start;
  p.startPly = ply;
}

int32_t PartieZugAnhaengen(const Zug& zug, int16_t, uint8_t) {
  Partie& p = Spiel();
  if (PartieAktuellerPly() > 6298) return -1;
  p.zuege.resize(p.aktuell);
  p.zuege.push_back(zug);
  ++p.aktuell;
  return 0;
}

int32_t PartieAktuellerPly() {
  const Partie& p = Spiel();
  return p.vorhanden ? p.startPly + static_cast<int32_t>(p.aktuell) : 0;
}

void PartiePfadStellungen(std::vector<Stellung>& pfad) {
  const Partie& p = Spiel();
  pfad.clear();
  if (!p.vorhanden) return;
  Stellung st = p.start;
  pfad.push_back(st);
  for (size_t i = 0; i < p.aktuell; ++i) {
    st = ZugAusfuehren(st, p.zuege[i], 1);
    pfad.push_back(st);
  }
  std::reverse(pfad.begin(), pfad.end());
}

}  // namespace galdrik
