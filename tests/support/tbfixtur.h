// Test helper for the tablebase services: the generated DTM set in set 0,
// scenario tables that hold chosen values at chosen positions (every other
// entry "no value"), written with the generator's own file writer, and the
// exports the tests call.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/board.h"
#include "interface/enginestate.h"
#include "support/testboard.h"
#include "tablebase/probe.h"
#include "tbgen/retro.h"
#include "tbgen/tablefile.h"

extern "C" {
int32_t DLL_TBInit(const char* liste, int32_t set);
int32_t DLL_TBCache(int32_t groesse);
int32_t DLL_TBZugVorschlag(int32_t* zug, int32_t a, int32_t b, int32_t fuenfzig);
int32_t DLL_TBZugfolgeStart(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);
void DLL_TBZugfolgeStopp();
int32_t DLL_TBZugfolgeStatus(int32_t* fortschritt);
int32_t DLL_TBStatGet(int32_t i);
int32_t DLL_TBBezSet(const char*, const char*, const char*, const char*, const char*, const char*,
                     const char*, const char*, const char*, const char*, const char*, const char*,
                     const char*, const char*, const char*, const char*, const char*, const char*,
                     const char*);
int32_t DLL_TBZugfolgePGN(const char* pfad);
int32_t DLL_TBZugfolgeHinzu(int32_t optionen);
int32_t DLL_TBSpaziergang(int32_t n);
int32_t DLL_TBSpaziergangsZug(int32_t n, int32_t i);
void DLL_TBAnaPfade(int32_t* pfade);
}

namespace galdrik::test::zugfolge {

inline int F(const char* n) { return test::Feld(n); }

inline void TbFrisch() {
  DLL_TBInit("", -1);
  DLL_TBCache(4 << 20);
  TBMetrikSetzen(0);
}

inline void TbAufraeumen() {
  DLL_TBInit("", -1);
  DLL_TBCache(0);
  TBMetrikSetzen(0);
}

inline int32_t TbSetRegistrieren(const std::string& dir, int32_t set) {
  return DLL_TBInit(dir.c_str(), set);
}

inline void AktuelleStellungSetzen(const Stellung& st) { Engine().aktuelleStellung = st; }

// The generated DTM set in set 0.
class TbDTM : public ::testing::Test {
 protected:
  void SetUp() override {
    TbFrisch();
    ASSERT_GT(TbSetRegistrieren(GALDRIK_TB_DTM_DIR, 0), 0);
  }
  void TearDown() override { TbAufraeumen(); }
};

// A chosen value (the generator's plies: 2d - 1 a win in d moves, -(2d + 1)
// a loss in d) at a position in its table's own colours.
struct Vorgabe {
  Stellung st;
  int wert;
};

// The table name of a position and the generator's node of it.
inline bool KnotenVon(const Stellung& st, tbgen::Material& m, uint64_t& knoten) {
  std::vector<tbgen::Mann> maenner;
  for (int feld = 0; feld < 64; ++feld) {
    const int8_t f = st.figurenfeld[feld];
    if (f) maenner.push_back({int8_t(Betrag(f)), f > 0, int8_t(feld)});
  }
  bool vertauscht = false;
  const std::string name = tbgen::TabellenName(maenner, vertauscht);
  if (vertauscht || !tbgen::MaterialLesen(name, m)) return false;
  tbgen::Knoten k{};
  std::vector<bool> benutzt(maenner.size(), false);
  for (int i = 0; i < m.n; ++i)
    for (size_t j = 0; j < maenner.size(); ++j)
      if (!benutzt[j] && maenner[j].art == m.art[i] && maenner[j].weiss == m.weiss[i]) {
        benutzt[j] = true;
        k.feld[i] = maenner[j].feld;
        break;
      }
  k.amZug = st.amZug == Weiss ? 0 : 1;
  k.ep = false;
  knoten = tbgen::KnotenNummer(m, k);
  return true;
}

// Writes the tables the positions need into a fresh folder; its path.
inline std::string TbFixturSchreiben(const std::string& name,
                                     const std::vector<Vorgabe>& vorgaben) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("galdrik-tbfix-" + std::to_string(::getpid()) + "-" + name);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::map<std::string, tbgen::Tabelle> tabellen;
  std::map<std::string, std::vector<int8_t>> werte;
  for (const Vorgabe& v : vorgaben) {
    tbgen::Material m;
    uint64_t knoten = 0;
    if (!KnotenVon(v.st, m, knoten)) {
      ADD_FAILURE() << "no fixture table for a position";
      continue;
    }
    if (!tabellen.count(m.name)) {
      tbgen::Tabelle& t = tabellen[m.name];
      t.m = m;
      t.knoten = (uint64_t(1) << (6 * m.n + 1)) << (m.enPassant ? 1 : 0);
      werte[m.name].assign(t.knoten, tbgen::Ungueltig);
    }
    werte[m.name][knoten] = int8_t(v.wert);
  }
  for (auto& [n, t] : tabellen) {
    std::string fehler;
    EXPECT_TRUE(tbgen::TabelleSchreiben(dir.string(), t, werte[n], false, fehler)) << fehler;
  }
  return dir.string();
}

// The report labels in the program's two languages.
inline void LabelsDeutsch() {
  DLL_TBBezSet("Weiß gewinnt", "Schwarz gewinnt", "Gewinn in", "Remis", "Unbekannt",
               "Zugrecht halber Punkt kritisch", "Zugrecht ganzer Punkt kritisch",
               "Am Zug verkürzt den Gewinn um", "Am Zug verlängert den Gewinn um",
               "Optimale Züge:", "Suboptimale Züge:", "Halben Punkt verlierende Züge:",
               "Ganzen Punkt verlierende Züge:", "Zugzwang", "Remis wegen Stellungswiederholung",
               "Remis wegen 50-Züge-Regel", "Folge von ", " einzigen Zügen", "Pattfalle");
}

inline void LabelsEnglisch() {
  DLL_TBBezSet("White wins", "Black wins", "win in", "draw", "unknown",
               "side to move half point critical", "side to move full point critical",
               "on the move shortens win by", "on the move lengthens win by",
               "optimal moves:", "suboptimal moves:", "half point losing moves:",
               "full point losing moves:", "Zugzwang", "Draw due to position repetition",
               "Draw due to 50 move rule", "sequence of ", " unique moves", "Stalemate trap");
}

inline std::string Ausgabe(int32_t laenge) { return std::string(Ausgabepuffer(), size_t(laenge)); }

}  // namespace galdrik::test::zugfolge
