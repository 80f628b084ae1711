// Retrograde solver of the tablebase generator: solves every three- and
// four-man table from the rules of chess over a numbering of its own (one
// node per placement of the men, side to move and, for kpkp, en-passant
// right), in DTM, DTC or DTZ.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tbgen {

enum Metrik : int { MetrikDTM = 0, MetrikDTC = 1, MetrikDTZ = 3 };

// Piece kinds of a man.
enum : int8_t { FBauer = 1, FSpringer, FLaeufer, FTurm, FDame, FKoenig };

// Solver values from the side to move's view, in plies: 0 draw, p > 0 won,
// the last (mating or converting) move at ply p; -(p + 1) lost in p plies
// (-1: mated now). Nodes that are no position hold Ungueltig.
inline constexpr int8_t Ungueltig = -128;

// One man of a placement: kind, colour and square.
struct Mann {
  int8_t art;
  bool weiss;
  int8_t feld;
};

// A table's material, men in the order white king, white men (table-name
// order q r b n p), black king, black men.
struct Material {
  std::string name;
  int n = 0;
  int8_t art[4]{};
  bool weiss[4]{};
  int weisseMaenner = 0;   // including the king
  bool enPassant = false;  // pawns of both colours
  int bauern = 0;
};

// Parses "kqkr" and the like; false for a name that is no table of three or
// four men with both kings.
bool MaterialLesen(const std::string& name, Material& m);

// The name the catalogue uses for the material, and whether the position's
// colours are reversed against it ("kkq" is "kqk" reversed).
std::string TabellenName(const std::vector<Mann>& maenner, bool& vertauscht);

struct Tabelle {
  Material m;
  uint64_t knoten = 0;      // size of the numbering
  std::vector<int8_t> dtm;  // solved DTM (plies), also the W/D/L of the table
};

// Node numbering: square of man i in bits 6i..6i+5, then the side to move
// (0 White), then for kpkp the en-passant flag (the pawn that just moved
// may be taken en passant).
struct Knoten {
  int8_t feld[4];
  int amZug;  // 0 White, 1 Black
  bool ep;
};

uint64_t KnotenNummer(const Material& m, const Knoten& k);
Knoten KnotenLesen(const Material& m, uint64_t nummer);

// The en-passant target square of a kpkp node with its flag set, or -1.
int EnPassantFeld(const Material& m, const Knoten& k);

class Generator {
 public:
  explicit Generator(int threads);

  // Solves the table (and, first, every table it converts into) in DTM.
  // False for an unknown name.
  bool Loesen(const std::string& name);

  const Tabelle* Finden(const std::string& name) const;

  // Solves one table in a metric into a fresh array (node values as in
  // Tabelle::dtm); the table and its conversions must be solved in DTM.
  std::vector<int8_t> MetrikLoesen(const std::string& name, Metrik metrik);

  // The solved value of a placement (any colours) from the side to move's
  // view, reading the DTM tables; 0 for bare kings.
  int WertVon(const std::vector<Mann>& maenner, int amZug) const;

 private:
  std::vector<int8_t> Rechnen(const Tabelle& t, Metrik metrik);
  int threads_;
  std::map<std::string, std::unique_ptr<Tabelle>> tabellen_;
};

// The tables a table converts into by a capture or a promotion.
std::vector<std::string> Nachfolger(const std::string& name);

// Every table of three and four men, in the catalogue's names.
std::vector<std::string> AlleTabellen();

}  // namespace tbgen
