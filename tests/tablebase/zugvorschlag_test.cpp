// The tablebase move suggestion: optimal in DTM over whole generated
// tables, the grades, and the conversion and pawn preferences on scenario
// tables that hold chosen values at chosen positions.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "support/tbstellung.h"
#include "support/testboard.h"
#include "tablebase/probe.h"
#include "support/tbfixtur.h"
#include "tablebase/zugvorschlag.h"

namespace galdrik {
namespace {

using test::TbMann;
using test::TbStellung;
using namespace test::zugfolge;

TEST_F(TbDTM, SuggestionIsOptimalOverWholeTables) {
  // Every position of the table with White to move and a value: the
  // suggested move leaves the opponent the smallest value of all moves.
  struct Klasse {
    const char* name;
    int8_t figur;
  };
  for (const Klasse k : {Klasse{"kqk", Dame}, Klasse{"krk", Turm}, Klasse{"kpk", Bauer}}) {
    int geprueft = 0;
    for (int wk = 0; wk < 64; ++wk)
      for (int x = 0; x < 64; ++x)
        for (int sk = 0; sk < 64; ++sk) {
          if (wk == x || x == sk || wk == sk) continue;
          if (k.figur == Bauer && (x < 8 || x > 55)) continue;
          const Stellung st = TbStellung({{Koenig, wk}, {k.figur, x}, {-Koenig, sk}}, true);
          const TbValue v = TBProbe(st, 0);
          if (v == TbKeinWert) continue;
          Zugliste l = ZugGenerator(st, GenAlleZuege);
          TbValue bester = TbKeinWert;
          for (int i = 0; i < l.anzahl; ++i)
            bester = std::min(bester, TBProbe(ZugAusfuehren(st, l.zuege[i], 0), 0));
          Zug z{};
          TBZugVorschlag(st, z, false, false, 0);
          if (l.anzahl == 0) {
            EXPECT_TRUE(IstKeinZug(z));
            continue;
          }
          ASSERT_EQ(TBProbe(ZugAusfuehren(st, z, 0), 0), bester)
              << k.name << " " << wk << " " << x << " " << sk;
          ++geprueft;
        }
    EXPECT_GT(geprueft, 1000) << k.name;
  }
}

TEST_F(TbDTM, Grades) {
  // Black's only move Kb8: grade 8.
  Zug z{};
  EXPECT_EQ(
      TBZugVorschlag(TbStellung({{-Koenig, F("a8")}, {Koenig, F("c6")}, {Dame, F("d7")}}, false), z,
                     false, false, 0),
      VorschlagEinzigerZug);
  // Qg7# and Qh7#: the first in generator order, without grade 1.
  const Stellung zweiMatt =
      TbStellung({{Koenig, F("g6")}, {Dame, F("a7")}, {-Koenig, F("h8")}}, true);
  EXPECT_EQ(TBZugVorschlag(zweiMatt, z, false, false, 0), 0);
  EXPECT_EQ(ZugNotation(z, FigurenEnglisch, 1), "Qa7-g7#");

  // KPK positions found by the table: exactly one winning move gives 3,
  // several wins with one fastest give 1, a drawn position with one drawing
  // move among losing ones (Black's) 3 as well.
  int gefunden[3] = {0, 0, 0};
  for (int seite = 0; seite < 2; ++seite)
    for (int wk = 0; wk < 64; ++wk)
      for (int p = 8; p < 56; ++p)
        for (int sk = 0; sk < 64; ++sk) {
          if (wk == p || p == sk || wk == sk) continue;
          const Stellung st = TbStellung({{Koenig, wk}, {Bauer, p}, {-Koenig, sk}}, seite == 0);
          if (TBProbe(st, 0) == TbKeinWert) continue;
          Zugliste l = ZugGenerator(st, GenAlleZuege);
          if (l.anzahl < 2) continue;
          int gewinn = 0, remis = 0, kleinste = 0;
          TbValue min = TbKeinWert;
          for (int i = 0; i < l.anzahl; ++i) {
            const TbValue w = TBProbe(ZugAusfuehren(st, l.zuege[i], 0), 0);
            gewinn += w < 0;
            remis += w == 0;
            if (w < min) {
              min = w;
              kleinste = 1;
            } else if (w == min) {
              ++kleinste;
            }
          }
          int erwartet = -1, art = -1;
          if (gewinn == 1) {
            erwartet = VorschlagEinzigerGewinn;
            art = 0;
          } else if (gewinn == 0 && remis == 1) {
            erwartet = VorschlagEinzigerGewinn;
            art = 1;
          } else if (gewinn > 1 && kleinste == 1) {
            erwartet = VorschlagEinzigBester;
            art = 2;
          }
          if (art < 0 || gefunden[art] >= 20) continue;
          ++gefunden[art];
          EXPECT_EQ(TBZugVorschlag(st, z, false, false, 0), erwartet)
              << wk << " " << p << " " << sk;
        }
  for (int art = 0; art < 3; ++art) EXPECT_EQ(gefunden[art], 20) << art;
}

// Scenario tables in set 1 (DTC): every move of each position leads to a
// position whose value the fixture chose.
class TbSzenario : public ::testing::Test {
 protected:
  void SetUp() override { TbFrisch(); }
  void TearDown() override { TbAufraeumen(); }
};

// White wins in `d` moves after the move: the loser's entry.
int VerlorenIn(int d) { return -(2 * d + 1); }
int GewonnenIn(int d) { return 2 * d - 1; }

// Gives every successor of `st` a value: those named, and `sonst` for the rest.
std::vector<Vorgabe> Nachfolger(const Stellung& st,
                                const std::vector<std::pair<std::string, int>>& genannt,
                                int sonst) {
  std::vector<Vorgabe> r;
  Zugliste l = ZugGenerator(st, GenAlleZuege);
  for (int i = 0; i < l.anzahl; ++i) {
    const std::string text = ZugNotation(l.zuege[i], FigurenEnglisch, 0);
    int wert = sonst;
    for (const auto& [zug, w] : genannt)
      if (text == zug) wert = w;
    r.push_back({ZugAusfuehren(st, l.zuege[i], 1), wert});
  }
  return r;
}

TEST_F(TbSzenario, ConversionAndPawnPreferences) {
  const Stellung umwandlung = TbStellung(
      {{Koenig, F("a1")}, {Turm, F("d1")}, {-Koenig, F("h8")}, {-Springer, F("d5")}}, true);
  const Stellung bauern =
      TbStellung({{Koenig, F("a1")}, {Bauer, F("e7")}, {Bauer, F("b2")}, {-Koenig, F("h8")}}, true);
  const Stellung verloren =
      TbStellung({{Koenig, F("h1")}, {Turm, F("a8")}, {Turm, F("d4")}, {-Koenig, F("e5")}}, false);
  struct Fall {
    const char* was;
    Stellung st;
    std::vector<std::pair<std::string, int>> werte;
    int sonst;
    bool umw, bauer;
    const char* erwartet;
  };
  const Fall faelle[] = {
      {"capture wins in 12, quiet move in 9: fastest",
       umwandlung,
       {{"Rd1xd5", VerlorenIn(11)}, {"Ka1-b1", VerlorenIn(8)}},
       VerlorenIn(20),
       false,
       false,
       "Ka1-b1"},
      {"capture wins in 12, quiet move in 9: the capture",
       umwandlung,
       {{"Rd1xd5", VerlorenIn(11)}, {"Ka1-b1", VerlorenIn(8)}},
       VerlorenIn(20),
       true,
       false,
       "Rd1xd5"},
      {"pawn move as good as the promotion: the promotion",
       bauern,
       {{"e7-e8Q+", VerlorenIn(5)},
        {"b2-b3", VerlorenIn(5)},
        {"b2-b4", VerlorenIn(6)},
        {"e7-e8R+", VerlorenIn(9)},
        {"e7-e8B", VerlorenIn(9)},
        {"e7-e8N", VerlorenIn(9)}},
       VerlorenIn(3),
       true,
       true,
       "e7-e8Q+"},
      {"pawn move better than the promotion: the pawn",
       bauern,
       {{"e7-e8Q+", VerlorenIn(5)},
        {"b2-b3", VerlorenIn(4)},
        {"b2-b4", VerlorenIn(6)},
        {"e7-e8R+", VerlorenIn(9)},
        {"e7-e8B", VerlorenIn(9)},
        {"e7-e8N", VerlorenIn(9)}},
       VerlorenIn(3),
       true,
       true,
       "b2-b3"},
      {"pawn preference alone",
       bauern,
       {{"e7-e8Q+", VerlorenIn(5)},
        {"b2-b3", VerlorenIn(6)},
        {"b2-b4", VerlorenIn(7)},
        {"e7-e8R+", VerlorenIn(9)},
        {"e7-e8B", VerlorenIn(9)},
        {"e7-e8N", VerlorenIn(9)}},
       VerlorenIn(3),
       false,
       true,
       "b2-b3"},
      {"lost: the slowest loss",
       verloren,
       {{"Ke5xd4", GewonnenIn(20)}, {"Ke5-f5", GewonnenIn(15)}},
       GewonnenIn(10),
       false,
       false,
       "Ke5xd4"},
      {"lost with conversions: the slowest quiet loss",
       verloren,
       {{"Ke5xd4", GewonnenIn(20)}, {"Ke5-f5", GewonnenIn(15)}},
       GewonnenIn(10),
       true,
       false,
       "Ke5-f5"},
  };
  for (const Fall& f : faelle) {
    TbFrisch();
    const std::string dir = TbFixturSchreiben("szenario", Nachfolger(f.st, f.werte, f.sonst));
    ASSERT_GT(TbSetRegistrieren(dir, 1), 0) << f.was;
    TBMetrikSetzen(1);
    Zug z{};
    TBZugVorschlag(f.st, z, f.umw, f.bauer, 0);
    EXPECT_EQ(ZugNotation(z, FigurenEnglisch, 0), f.erwartet) << f.was;
  }
}

TEST_F(TbSzenario, ExportTakesAnyNonzeroPreferenceAsOn) {
  const Stellung st = TbStellung(
      {{Koenig, F("a1")}, {Turm, F("d1")}, {-Koenig, F("h8")}, {-Springer, F("d5")}}, true);
  const std::string dir = TbFixturSchreiben(
      "export",
      Nachfolger(st, {{"Rd1xd5", VerlorenIn(11)}, {"Ka1-b1", VerlorenIn(8)}}, VerlorenIn(20)));
  ASSERT_GT(TbSetRegistrieren(dir, 1), 0);
  TBMetrikSetzen(1);
  AktuelleStellungSetzen(st);
  for (int32_t an : {1, -1, 7}) {
    int32_t zug[4] = {9, 9, 9, 9};
    DLL_TBZugVorschlag(zug, an, 0, 0);
    EXPECT_EQ(zug[0], F("d1")) << an;
    EXPECT_EQ(zug[1], F("d5")) << an;
    EXPECT_EQ(zug[2], 0);
  }
  int32_t zug[4];
  DLL_TBZugVorschlag(zug, 0, 0, 0);
  EXPECT_EQ(zug[1], F("b1"));
}

}  // namespace
}  // namespace galdrik
