// The project's entry order for the generator's files: the catalogue's
// entry counts and the index functions of the tablebase index scheme.
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "tbgen/tablefile.h"
#include "tbindex/catalogue.h"

namespace tbgen {

namespace {

const galdrik::TbCatalogueRow& Zeile(const std::string& name) {
  for (const auto& z : galdrik::TbCatalogue)
    if (name == z.name) return z;
  throw std::runtime_error("no catalogue row for " + name);
}

// Fills one colour's list: men kind by kind (pawn .. king), ascending
// squares within a kind.
void ListeFuellen(const Material& m, const Knoten& k, bool weiss, galdrik::TbPieceList& l) {
  int pos = 0;
  for (int art = FBauer; art <= FKoenig; ++art) {
    l.kindStart[art - 1] = pos;
    int start = pos;
    for (int i = 0; i < m.n; ++i)
      if (m.weiss[i] == weiss && m.art[i] == art) l.squares[pos++] = k.feld[i];
    std::sort(l.squares + start, l.squares + pos);
  }
  for (int i = pos; i < 6; ++i) l.squares[i] = 0;
}

class IndexOrdnung : public Eintragsordnung {
 public:
  IndexOrdnung() { galdrik::TbBuildIndexTables(); }
  bool Symmetrisch(const std::string& name) const override {
    return Zeile(name).flags & galdrik::TbFlagSymmetric;
  }
  uint64_t Eintraege(const std::string& name, int seite) const override {
    return Zeile(name).entryCount[seite];
  }
  uint64_t Index(const Material& m, int seite, const Knoten& k, int epFeld) const override {
    galdrik::TbIndexFn f = galdrik::TbCatalogueIndexFn(Zeile(m.name).id, seite);
    if (!f) throw std::runtime_error("no index function for " + m.name);
    galdrik::TbPieceList w{}, s{};
    ListeFuellen(m, k, true, w);
    ListeFuellen(m, k, false, s);
    return f(&w, &s, epFeld < 0 ? galdrik::TbNoEnPassant : epFeld, 0);
  }
};

}  // namespace

const Eintragsordnung& ProjektOrdnung() {
  static const IndexOrdnung o;
  return o;
}

}  // namespace tbgen
