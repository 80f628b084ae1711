// Table files of the generator: the solved node values turned into entries
// of the probe's encoding and laid out in the entry order of the project's
// index functions, every index that no position reaches holding "no value".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tbgen/retro.h"

namespace tbgen {

// The entry byte of a solved value (plies, as the solver keeps them):
// 0 draw, 127 - d for a win in d moves, d - 126 for a loss in d moves.
int8_t EintragAusWert(int wert);

// Where the positions of a table go: the entry count of a side's file and
// the entry number of a position (in the table's own colours). Side 0 is
// White to move.
class Eintragsordnung {
 public:
  virtual ~Eintragsordnung() = default;
  virtual bool Symmetrisch(const std::string& name) const = 0;
  virtual uint64_t Eintraege(const std::string& name, int seite) const = 0;
  virtual uint64_t Index(const Material& m, int seite, const Knoten& k, int epFeld) const = 0;
};

// The order of the project's index functions.
const Eintragsordnung& ProjektOrdnung();

// Builds the entries of one side of a table (the .nbw/.nbb contents).
// Counts positions whose entry another position already filled with a
// different value in konflikte (none for a sound index scheme).
std::vector<int8_t> SeiteBauen(const Eintragsordnung& o, const Tabelle& t,
                               const std::vector<int8_t>& werte, int seite, uint64_t& konflikte);

// Writes DIR/NAME.nbw and DIR/NAME.nbb (or their compressed forms), each to
// a temporary name renamed when whole.
bool TabelleSchreiben(const std::string& dir, const Tabelle& t, const std::vector<int8_t>& werte,
                      bool compress, std::string& fehler,
                      const Eintragsordnung& o = ProjektOrdnung());

struct Statistik {
  uint64_t gewonnen[2]{}, remis[2]{}, verloren[2]{};
  int laengsterGewinn[2]{};  // moves
};

// Counts the nodes of the numbering (like men counted in every order).
Statistik Zaehlen(const Tabelle& t, const std::vector<int8_t>& werte);

}  // namespace tbgen
