// The table statistics text: every index of both sides of one table probed
// in the current metric and counted by depth (capped at 511 moves).
#include "analysis/tbtbsgen.h"

#include <array>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tablebase/cache.h"
#include "tablebase/descriptor.h"
#include "tablebase/probe.h"
#include "tablebase/trie.h"

namespace galdrik {

namespace {

constexpr int TiefeMax = 511;
constexpr int32_t TabellenJeMetrik = 441;

struct Seitenzaehler {
  std::array<uint64_t, TiefeMax + 1> gewonnen{}, verloren{};
  uint64_t remis = 0, defekt = 0;
};

Seitenzaehler SeiteZaehlen(int32_t arbeitsIndex, int32_t seite, uint64_t anzahl) {
  Seitenzaehler z;
  for (uint64_t i = 0; i < anzahl; ++i) {
    const TbValue v = TbProbeTable(arbeitsIndex, seite, i);
    if (v == TbKeinWert) {
      ++z.defekt;
    } else if (v == 0) {
      ++z.remis;
    } else if (v > 0) {
      const int64_t n = int64_t{32767} - v;
      ++z.gewonnen[n > TiefeMax ? TiefeMax : n];
    } else {
      const int64_t n = int64_t{v} + 32766;
      ++z.verloren[n < 0 ? 0 : n > TiefeMax ? TiefeMax : n];
    }
  }
  return z;
}

void SeiteSchreiben(std::string& text, const char* seite, const Seitenzaehler& z) {
  char zeile[96];
  auto Zeile = [&](const char* art, int64_t n, uint64_t anzahl) {
    std::snprintf(zeile, sizeof zeile, "%s %s %" PRId64 ": %" PRId64 "\n", seite, art, n,
                  static_cast<int64_t>(anzahl));
    text += zeile;
  };
  for (int n = 0; n <= TiefeMax; ++n)
    if (z.gewonnen[n]) Zeile("won in", n, z.gewonnen[n]);
  std::snprintf(zeile, sizeof zeile, "%s draw: %" PRId64 "\n", seite,
                static_cast<int64_t>(z.remis));
  text += zeile;
  for (int n = 0; n <= TiefeMax; ++n)
    if (z.verloren[n]) Zeile("lost in", n, z.verloren[n]);
  std::snprintf(zeile, sizeof zeile, "%s broken: %" PRId64 "\n", seite,
                static_cast<int64_t>(z.defekt));
  text += zeile;
}

}  // namespace

int32_t TBTBSGen(const char* name, const char* pfad) {
  if (!pfad || !*pfad) return -1;
  const std::string tmp = std::string(pfad) + ".tmp";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return -1;
  auto Abschliessen = [&](const std::string& text) {
    const bool geschrieben = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const bool geschlossen = std::fclose(f) == 0;
    if (!geschrieben || !geschlossen || std::rename(tmp.c_str(), pfad) != 0) {
      std::remove(tmp.c_str());
      return false;
    }
    return true;
  };

  const int32_t id = name ? TbFindByName(name) : 0;
  if (id == 0) return Abschliessen(std::string()) ? -2 : -1;
  const int32_t arbeitsIndex =
      std::abs(id) % TabellenJeMetrik + TabellenJeMetrik * TBMetrikAktuell();
  int32_t symmetrisch = 0, eintraege16 = 0, geteilt = 0, teile0 = 0, teile1 = 0;
  uint64_t anzahl[2] = {0, 0};
  TbFileInfo(arbeitsIndex, &symmetrisch, &eintraege16, &geteilt, &anzahl[0], &anzahl[1], &teile0,
             &teile1);
  // With the colours reversed the named side to move is the stored table's
  // other side.
  const bool umgekehrt = id < 0;
  std::string text;
  for (int32_t seite = 0; seite < 2; ++seite) {
    const int32_t datei = umgekehrt ? 1 - seite : seite;
    SeiteSchreiben(text, seite == 0 ? "wtm" : "btm",
                   SeiteZaehlen(arbeitsIndex, datei, anzahl[datei]));
  }
  return Abschliessen(text) ? 0 : -1;
}

}  // namespace galdrik

GALDRIK_EXPORT int32_t DLL_TBTBSGen(const char* name, const char* pfad) {
  return galdrik::TBTBSGen(name, pfad);
}
