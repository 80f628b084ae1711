// The move-sequence search, its job, the report texts, and what the program
// does with the stored line: PGN game, game-record variation and walk; over
// the generated DTM set.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "core/eval.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/fen.h"
#include "interface/galdrik_exports.h"
#include "interface/partie.h"
#include "support/datei.h"
#include "support/pgnextract.h"
#include "support/tbfixtur.h"
#include "support/tbstellung.h"
#include "tablebase/zugfolge.h"
#include "tablebase/zugfolgejob.h"
#include "tablebase/zugfolgepartie.h"

namespace galdrik {
namespace {

using test::TbStellung;
using namespace test::zugfolge;

bool Matt(const Stellung& st) {
  return ZugGenerator(st, GenAlleZuege).anzahl == 0 && test::ImSchach(st);
}

// The first KQK position, White to move, that mates in n.
Stellung KqkMattIn(int n) {
  for (int wk = 0; wk < 64; ++wk)
    for (int q = 0; q < 64; ++q)
      for (int sk = 0; sk < 64; ++sk) {
        if (wk == q || q == sk || wk == sk) continue;
        const Stellung st = TbStellung({{Koenig, wk}, {Dame, q}, {-Koenig, sk}}, true);
        if (TBProbe(st, 0) == 32767 - n) return st;
      }
  ADD_FAILURE() << "no kqk mate in " << n;
  return Stellung{};
}

std::unique_ptr<TBZugfolgeErgebnis> Suchen(const Stellung& st, int32_t optionen = 0,
                                           uint8_t strategieAus = 1, int32_t minTol = 0,
                                           int32_t maxTol = 0) {
  auto r = std::make_unique<TBZugfolgeErgebnis>();
  TBZugfolgeSuchen(st, strategieAus, optionen, *r, 1, 0, 0, 0, minTol, maxTol, 0.0f, 0.0f);
  return r;
}

// Replays the line: every move legal; the position at its end.
Stellung Nachspielen(const Stellung& start, const TBZugfolgeErgebnis& r) {
  Stellung st = start;
  for (int k = 0; k < r.linienLaenge; ++k) {
    const Zugliste l = ZugGenerator(st, GenAlleZuege);
    bool legal = false;
    for (int i = 0; i < l.anzahl; ++i) legal |= GleicherZug(l.zuege[i], r.linie[k]);
    EXPECT_TRUE(legal) << "step " << k;
    st = ZugAusfuehren(st, r.linie[k], 1);
  }
  return st;
}

TEST_F(TbDTM, KqkLineMatesAfterTwoNMinusOnePlies) {
  for (int n : {1, 4, 10}) {
    const Stellung st = KqkMattIn(n);
    const auto r = Suchen(st);
    EXPECT_EQ(r->ergebnis, 1) << n;
    EXPECT_EQ(r->distanz, n);
    EXPECT_EQ(r->wurzelWerte[0], n) << "sorted best first";
    ASSERT_EQ(r->linienLaenge, 2 * n - 1) << n;
    EXPECT_TRUE(Matt(Nachspielen(st, *r))) << n;
  }
}

TEST_F(TbDTM, KbnkLongestWinMatesInThirtyThree) {
  tbgen::Generator gen(4);
  ASSERT_TRUE(gen.Loesen("kbnk"));
  const tbgen::Tabelle* t = gen.Finden("kbnk");
  Stellung st{};
  bool gefunden = false;
  for (uint64_t x = 0; x < t->knoten && !gefunden; ++x) {
    if (t->dtm[x] != 65) continue;  // a win in 33 moves
    const tbgen::Knoten k = tbgen::KnotenLesen(t->m, x);
    if (k.amZug != 0) continue;
    st = TbStellung(
        {{Koenig, k.feld[0]}, {Laeufer, k.feld[1]}, {Springer, k.feld[2]}, {-Koenig, k.feld[3]}},
        true);
    gefunden = true;
  }
  ASSERT_TRUE(gefunden);
  ASSERT_EQ(TBProbe(st, 0), 32767 - 33);
  const auto r = Suchen(st);
  ASSERT_EQ(r->linienLaenge, 65);
  EXPECT_TRUE(Matt(Nachspielen(st, *r)));
}

TEST_F(TbDTM, RootAnalysisEdgeCases) {
  // The side not to move in check: no value, no line.
  const auto ohne =
      Suchen(TbStellung({{Koenig, F("a1")}, {Dame, F("e2")}, {-Koenig, F("e8")}}, true));
  EXPECT_EQ(ohne->ergebnis, 2);
  EXPECT_EQ(ohne->distanz, -32768);
  EXPECT_EQ(ohne->linienLaenge, 0);

  // Pass probes over KPK: drawn positions that passing would lose have
  // flags 1; lost ones that passing would draw flags 5 and tempo v - 1.
  int remis = 0, verloren = 0;
  for (int wk = 0; wk < 64 && (remis < 5 || verloren < 5); ++wk)
    for (int p = 8; p < 56; ++p)
      for (int sk = 0; sk < 64; ++sk) {
        if (wk == p || p == sk || wk == sk) continue;
        const Stellung st = TbStellung({{Koenig, wk}, {Bauer, p}, {-Koenig, sk}}, false);
        Stellung pass = st;
        pass.amZug = Weiss;
        if (test::ImSchach(st) || test::ImSchach(pass)) continue;
        const TbValue v = TBProbe(st, 0), u = TBProbe(pass, 0);
        if (v == TbKeinWert || u == TbKeinWert) continue;
        if (v == 0 && u > 0 && remis < 5) {
          ++remis;
          EXPECT_EQ(Suchen(st)->kritisch, 1);
        } else if (v < 0 && u == 0 && verloren < 5) {
          ++verloren;
          auto r = std::make_unique<TBZugfolgeErgebnis>();
          TBZugfolgeSuchen(st, 1, 0, *r, 0, 0, 0, 0, 0, 0, 0, 0);
          EXPECT_EQ(r->kritisch, 5);
          EXPECT_EQ(r->tempo, int8_t(uint8_t((v - 1) & 0xFF)));
          EXPECT_EQ(r->ergebnis, 1);
          EXPECT_EQ(r->linienLaenge, 0);
        }
      }
  EXPECT_EQ(remis, 5);
  EXPECT_EQ(verloren, 5);
}

// Sanitizer builds generate only some tables.
#define TABELLE_NOETIG(st) \
  if (TBProbe(st, 0) == TbKeinWert) GTEST_SKIP() << "table not generated in this build"

TEST_F(TbDTM, LineEndsAndMarks) {
  // Qg5-g6 stalemates: the trap is marked where option bit 3 asks.
  const Stellung falle = TbStellung({{Koenig, F("f7")}, {Dame, F("g5")}, {-Koenig, F("h8")}}, true);
  EXPECT_TRUE(TBPattfallenTest(falle));
  EXPECT_FALSE(
      TBPattfallenTest(TbStellung({{Koenig, F("a1")}, {Dame, F("a2")}, {-Koenig, F("e5")}}, true)));
  EXPECT_EQ(Suchen(falle, 8)->schrittFlags[0] & 1, 1);
  EXPECT_EQ(Suchen(falle, 0)->schrittFlags[0] & 1, 0);

  // A line position with one legal move: NAG 8.
  const Stellung einzig =
      TbStellung({{-Koenig, F("a8")}, {Koenig, F("c6")}, {Dame, F("d7")}}, false);
  EXPECT_EQ(Suchen(einzig)->nag[0], 8);

  // Nxd4 leaves dead-drawn material: the line ends after it.
  const Stellung tot = TbStellung(
      {{Koenig, F("a1")}, {Turm, F("d4")}, {-Koenig, F("h8")}, {-Springer, F("b5")}}, false);
  TABELLE_NOETIG(tot);
  const auto r1 = Suchen(tot);
  EXPECT_EQ(r1->distanz, 0);
  ASSERT_EQ(r1->linienLaenge, 1);
  EXPECT_EQ(ZugNotation(r1->linie[0], FigurenEnglisch, 0), "Nb5xd4");

  // A drawn rook ending goes on until the evaluation calls the fifty-move
  // position a dead draw.
  const Stellung krkr =
      TbStellung({{Koenig, F("a1")}, {Turm, F("b2")}, {-Koenig, F("h8")}, {-Turm, F("g7")}}, true);
  TABELLE_NOETIG(krkr);
  ASSERT_EQ(TBProbe(krkr, 0), 0);
  const auto r2 = Suchen(krkr, 0, 1, 0, 5);
  EXPECT_EQ(r2->linienLaenge, 100);
  Stellung ende = Nachspielen(krkr, *r2);
  StellungBewerten(ende, 0);
  EXPECT_EQ(ende.remisMaterial, 1);
  for (int k = 0; k < r2->linienLaenge; ++k) ASSERT_EQ(r2->varianten[k], -1) << "tablebase branch";
}

TEST_F(TbDTM, VariationTolerance) {
  // The defending side in strategy mode (the stand-in finds no strategy
  // line): the count is the other moves within the tolerance of the move.
  const Stellung st = TbStellung({{-Koenig, F("d5")}, {Koenig, F("a1")}, {Dame, F("h1")}}, false);
  const TbValue v = TBProbe(st, 0);
  ASSERT_LT(v, 0);
  EXPECT_EQ(Suchen(st, 0, 0, 0, 0)->varianten[0], -1);
  const auto r = Suchen(st, 0, 0, 3, 3);
  const TbValue w = TBProbe(ZugAusfuehren(st, r->linie[0], 0), 0);
  int erwartet = -1;
  const Zugliste l = ZugGenerator(st, GenAlleZuege);
  for (int i = 0; i < l.anzahl; ++i)
    if (std::abs(TBProbe(ZugAusfuehren(st, l.zuege[i], 0), 0) - w) < 3) ++erwartet;
  EXPECT_EQ(r->varianten[0], erwartet);
  EXPECT_GE(erwartet, 1);
}

// ------------------------------------------------------------ the job

void Warten() {
  int32_t fortschritt = 0;
  for (int i = 0; i < 3000; ++i) {
    DLL_TBZugfolgeStatus(&fortschritt);
    if (fortschritt == -1) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  FAIL() << "job did not finish";
}

int32_t Job(const Stellung& st, int32_t p1, int32_t p2) {
  AktuelleStellungSetzen(st);
  const int32_t r = DLL_TBZugfolgeStart(p1, p2, 0, 0, 0, 0);
  if (r == 0) Warten();
  return r;
}

std::string Text(int i) { return Ausgabe(DLL_TBStatGet(i)); }

class TbJob : public TbDTM {
 protected:
  void SetUp() override {
    TbDTM::SetUp();
    LabelsDeutsch();
  }
};

TEST_F(TbJob, WonLineStoredAndWalked) {
  const Stellung st = KqkMattIn(3);
  ASSERT_EQ(Job(st, 0, 2), 0);
  EXPECT_EQ(Text(0), "Weiß gewinnt: Gewinn in 3");
  EXPECT_EQ(DLL_TBSpaziergang(100), 5);
  EXPECT_TRUE(Matt(Engine().aktuelleStellung));
  EXPECT_EQ(DLL_TBSpaziergang(-5), 0);
  EXPECT_EQ(Engine().aktuelleStellung.belegt, st.belegt);
  const std::string linie = Text(6);
  EXPECT_EQ(linie.rfind("1. ", 0), 0u) << linie;
  EXPECT_NE(linie.find("# "), std::string::npos) << linie;
  EXPECT_EQ(Text(7), "");
  EXPECT_EQ(Text(-1), "");

  // The men's paths: three rows, the rest -1.
  std::vector<int32_t> pfade(6 * 1024);
  DLL_TBAnaPfade(pfade.data());
  EXPECT_NE(pfade[0], -1);
  EXPECT_EQ(pfade[3 * 1024], -1);

  // The step argument must lie on the stored line.
  for (int32_t p1 : {-1, 6, 1024}) EXPECT_EQ(DLL_TBZugfolgeStart(p1, 2, 0, 0, 0, 0), -1) << p1;

  // A later step without recomputing keeps the line; with bit 7 the line is
  // recomputed from there and the walk ends where it ends.
  DLL_TBSpaziergang(2);
  ASSERT_EQ(Job(Engine().aktuelleStellung, 2, 2), 0);
  EXPECT_EQ(DLL_TBSpaziergang(100), 5);
  DLL_TBSpaziergang(2);
  ASSERT_EQ(Job(Engine().aktuelleStellung, 2, 2 + 128), 0);
  EXPECT_EQ(DLL_TBSpaziergang(100), 5);
  EXPECT_EQ(Text(0), "Weiß gewinnt: Gewinn in 2");
}

TEST_F(TbJob, RepetitionAndFiftyMoveRule) {
  const Stellung krkr =
      TbStellung({{Koenig, F("a1")}, {Turm, F("b2")}, {-Koenig, F("h8")}, {-Turm, F("g7")}}, true);
  ASSERT_EQ(Job(krkr, 0, 2), 0);
  const int32_t n = DLL_TBSpaziergang(5000);
  EXPECT_GT(n, 2);
  EXPECT_LT(n, 1024);
  EXPECT_NE(Text(6).find("{Remis wegen Stellungswiederholung} "), std::string::npos);

  // In a drawn position the fifty-move comment ends the line at once.
  Stellung fuenfzig = krkr;
  fuenfzig.halbzuege = 99;
  ASSERT_EQ(Job(fuenfzig, 0, 2), 0);
  EXPECT_EQ(DLL_TBSpaziergang(5000), 0);
  EXPECT_NE(Text(6).find("{Remis wegen 50-Züge-Regel} "), std::string::npos);

  // In a won one it is written once and the line goes on to mate.
  Stellung gewonnen = KqkMattIn(4);
  gewonnen.halbzuege = 98;
  ASSERT_EQ(Job(gewonnen, 0, 2), 0);
  EXPECT_EQ(DLL_TBSpaziergang(5000), 7);
  const std::string linie = Text(6);
  const size_t erste = linie.find("{Remis wegen 50-Züge-Regel} ");
  ASSERT_NE(erste, std::string::npos);
  EXPECT_EQ(linie.find("{Remis wegen 50-Züge-Regel} ", erste + 1), std::string::npos);
}

// A strategy search that runs until it is asked to stop.
uint8_t StrategieBisStopp(Stellung, int32_t, int32_t, Zug& zug, int32_t& a, int32_t& b) {
  zug = KeinZug;
  a = b = 0;
  TBZugfolgeFortschritt().store(7);
  while (!TBZugfolgeAbbruch().load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  TBZugfolgeFortschritt().store(0);
  return 0;
}

TEST_F(TbJob, LifecycleStopAndRefusedSecondStart) {
  int32_t fortschritt = 99;
  if (ZugfolgeJob().resultat.load() == -1) {
    DLL_TBZugfolgeStatus(&fortschritt);
    EXPECT_EQ(fortschritt, 0) << "before any job";
  }
  TBStrategieSetzen(&StrategieBisStopp);
  AktuelleStellungSetzen(KqkMattIn(3));
  ASSERT_EQ(DLL_TBZugfolgeStart(0, 1 + 2, 0, 0, 0, 0), 0);
  for (int i = 0; i < 2000 && fortschritt != 7; ++i) {
    DLL_TBZugfolgeStatus(&fortschritt);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(fortschritt, 7) << "progress while running";
  EXPECT_EQ(DLL_TBZugfolgeStart(0, 2, 0, 0, 0, 0), -1) << "second start";
  EXPECT_EQ(DLL_TBStatGet(0), 0) << "no texts while running";
  EXPECT_EQ(DLL_TBSpaziergang(0), -1);
  DLL_TBZugfolgeStopp();
  Warten();
  DLL_TBZugfolgeStatus(&fortschritt);
  EXPECT_EQ(fortschritt, -1);
  TBStrategieSetzen(nullptr);
  EXPECT_EQ(Text(0), "Weiß gewinnt: Gewinn in 3");
  EXPECT_EQ(DLL_TBSpaziergang(100), 5);
}

// Engine teardown stops a running job and waits for it.
TEST_F(TbJob, EngineKillStopsTheRunningJob) {
  TBStrategieSetzen(&StrategieBisStopp);
  AktuelleStellungSetzen(KqkMattIn(3));
  ASSERT_EQ(DLL_TBZugfolgeStart(0, 1 + 2, 0, 0, 0, 0), 0);
  int32_t fortschritt = 0;
  for (int i = 0; i < 2000 && fortschritt != 7; ++i) {
    DLL_TBZugfolgeStatus(&fortschritt);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(fortschritt, 7) << "running";
  EXPECT_EQ(DLL_EngineKill(), 0);
  DLL_TBZugfolgeStatus(&fortschritt);
  EXPECT_EQ(fortschritt, -1) << "finished when the teardown returns";
  TBStrategieSetzen(nullptr);
}

// ------------------------------------------------------------ texts

Zug MachZug(const char* von, const char* nach, int8_t figur, int8_t geschlagen = 0) {
  Zug z{};
  z.von = uint8_t(F(von));
  z.nach = uint8_t(F(nach));
  z.figur = figur;
  z.geschlagen = geschlagen;
  return z;
}

TEST(TbZugfolgeTexte, FormatStringsInBothLanguages) {
  auto r = std::make_unique<TBZugfolgeErgebnis>();
  *r = TBZugfolgeErgebnis{};
  r->ergebnis = 1;
  r->distanz = 3;
  r->kritisch = 2;
  r->wurzelAnzahl = 5;
  const Zug zuege[5] = {MachZug("a7", "g7", Dame), MachZug("f6", "e6", Koenig),
                        MachZug("a7", "a1", Dame), MachZug("a7", "b8", Dame),
                        MachZug("a7", "a8", Dame)};
  const int32_t werte[5] = {3, -32768, 5, 0, -2};
  for (int i = 0; i < 5; ++i) {
    r->wurzelZuege[i] = zuege[i];
    r->wurzelWerte[i] = werte[i];
  }
  std::array<std::string, ZugfolgeBezAnzahl> de = {"Weiß gewinnt",
                                                   "Schwarz gewinnt",
                                                   "Gewinn in",
                                                   "Remis",
                                                   "Unbekannt",
                                                   "Zugrecht halber Punkt kritisch",
                                                   "Zugrecht ganzer Punkt kritisch",
                                                   "Am Zug verkürzt den Gewinn um",
                                                   "Am Zug verlängert den Gewinn um",
                                                   "Optimale Züge:",
                                                   "Suboptimale Züge:",
                                                   "Halben Punkt verlierende Züge:",
                                                   "Ganzen Punkt verlierende Züge:",
                                                   "Zugzwang",
                                                   "Remis wegen Stellungswiederholung",
                                                   "Remis wegen 50-Züge-Regel",
                                                   "Folge von ",
                                                   " einzigen Zügen",
                                                   "Pattfalle"};
  std::array<std::string, ZugfolgeBezAnzahl> en = {"White wins",
                                                   "Black wins",
                                                   "win in",
                                                   "draw",
                                                   "unknown",
                                                   "side to move half point critical",
                                                   "side to move full point critical",
                                                   "on the move shortens win by",
                                                   "on the move lengthens win by",
                                                   "optimal moves:",
                                                   "suboptimal moves:",
                                                   "half point losing moves:",
                                                   "full point losing moves:",
                                                   "Zugzwang",
                                                   "Draw due to position repetition",
                                                   "Draw due to 50 move rule",
                                                   "sequence of ",
                                                   " unique moves",
                                                   "Stalemate trap"};

  TBZugfolgeTexte t;
  ASSERT_TRUE(TBZugfolgeKopf(*r, t, de, false, "BSLTDK"));
  EXPECT_EQ(t.slot[0], "Weiß gewinnt: Gewinn in 3");
  EXPECT_EQ(t.slot[1], "Zugrecht ganzer Punkt kritisch");
  EXPECT_EQ(t.slot[2], "Optimale Züge: Da7-g7 {#3}, Kf6-e6 {??}");
  EXPECT_EQ(t.slot[3], "Suboptimale Züge: Da7-a1 {#5}");
  EXPECT_EQ(t.slot[4], "Halben Punkt verlierende Züge: Da7-b8 {=}");
  EXPECT_EQ(t.slot[5], "Ganzen Punkt verlierende Züge: Da7-a8 {#-2}");

  TBZugfolgeTexte p;
  ASSERT_TRUE(TBZugfolgeKopf(*r, p, en, true, "PNBRQK"));
  EXPECT_EQ(p.slot[0], "{White wins: win in 3}");
  EXPECT_EQ(p.slot[1], "{side to move full point critical}");
  EXPECT_EQ(p.slot[2],
            " (Qa7-g7 {#3})  (Kf6-e6 {??})  (Qa7-a1 {#5})  (Qa7-b8 {=})  (Qa7-a8 {#-2}) ");
  EXPECT_EQ(p.slot[3], "1-0");
  EXPECT_EQ(p.slot[4], "");

  // Black wins with a unique-move run and a tempo difference; zugzwang.
  r->ergebnis = -1;
  r->einzigeFolge = -4;
  r->kritisch = 4;
  r->tempo = -3;
  r->wurzelAnzahl = 0;
  TBZugfolgeTexte s;
  TBZugfolgeKopf(*r, s, de, false, "BSLTDK");
  EXPECT_EQ(s.slot[0], "Schwarz gewinnt: Gewinn in 3, Folge von 4 einzigen Zügen");
  EXPECT_EQ(s.slot[1], "Am Zug verkürzt den Gewinn um 3 (Zugzwang)");
  EXPECT_EQ(s.slot[2], "") << "no root move: empty";
  TBZugfolgeTexte s2;
  TBZugfolgeKopf(*r, s2, en, true, "PNBRQK");
  EXPECT_EQ(s2.slot[0], "{Black wins: win in 3, sequence of 4 unique moves}");
  EXPECT_EQ(s2.slot[1], "{on the move shortens win by 3 (Zugzwang)}");
  EXPECT_EQ(s2.slot[3], "0-1");

  // Drawn: the optimal moves with {=}; half-point criticality.
  r->ergebnis = 0;
  r->distanz = 0;
  r->einzigeFolge = 0;
  r->kritisch = 5;
  r->tempo = 0;
  r->wurzelAnzahl = 2;
  r->wurzelWerte[0] = 0;
  r->wurzelWerte[1] = -4;
  TBZugfolgeTexte d;
  TBZugfolgeKopf(*r, d, de, false, "BSLTDK");
  EXPECT_EQ(d.slot[0], "Remis");
  EXPECT_EQ(d.slot[1], "Zugrecht halber Punkt kritisch (Zugzwang)");
  EXPECT_EQ(d.slot[2], "Optimale Züge: Da7-g7 {=}");
  EXPECT_EQ(d.slot[4], "Halben Punkt verlierende Züge: Kf6-e6 {#-4}");

  // Without a value.
  r->ergebnis = 2;
  TBZugfolgeTexte u, u2;
  EXPECT_FALSE(TBZugfolgeKopf(*r, u, de, false, "BSLTDK"));
  EXPECT_EQ(u.slot[0], "Unbekannt");
  EXPECT_FALSE(TBZugfolgeKopf(*r, u2, en, true, "PNBRQK"));
  EXPECT_EQ(u2.slot[0], "{unknown}");
  EXPECT_EQ(u2.slot[3], "*");
}

TEST(TbZugfolgeTexte, LabelsAreCutAtTheirSize) {
  std::string lang(50, 'x');
  for (int i = 0; i < 40; ++i) lang += "ä";  // 130 bytes
  TBBezeichnungSetzen(1, lang.c_str());
  const std::string& l = ZugfolgeJob().bezeichnungen[0];
  EXPECT_LE(l.size(), 99u);
  EXPECT_EQ(l.size(), 98u) << "cut on a character boundary";
  TBBezeichnungSetzen(1, nullptr);
  EXPECT_EQ(ZugfolgeJob().bezeichnungen[0], "");
}

// ------------------------------------------------------ PGN, record, walk

TEST_F(TbJob, PgnGameOfAKqkLine) {
  test::TempOrdner ordner;
  const std::string pfad = (ordner.pfad() / "egtb.pgn").string();
  LabelsEnglisch();
  const Stellung st = KqkMattIn(2);
  ASSERT_EQ(Job(st, 0, 2), 0);
  EXPECT_EQ(DLL_TBZugfolgePGN(pfad.c_str()), -1) << "short texts make no game";
  EXPECT_FALSE(std::filesystem::exists(pfad));
  EXPECT_EQ(DLL_TBZugfolgePGN(""), -1);
  EXPECT_EQ(DLL_TBZugfolgePGN(nullptr), -1);

  ASSERT_EQ(Job(st, 0, 2 + 4), 0);
  ASSERT_EQ(DLL_TBZugfolgePGN(pfad.c_str()), 0);
  ASSERT_EQ(DLL_TBZugfolgePGN(pfad.c_str()), 0);
  const std::string text = test::DateiInhalt(pfad);
  const std::string fen = FENAusgabe(st, 1);
  const size_t datum = text.find("[Date \"");
  ASSERT_NE(datum, std::string::npos);
  const std::string kopf = "\n[Event \"EGTB\"]\n[Site \"-\"]\n";
  EXPECT_EQ(text.substr(0, kopf.size()), kopf);
  const std::string rest = text.substr(datum + 20);  // [Date "YYYY.MM.DD"]\n
  const std::string erwartet =
      "[Round \"1\"]\n[White \"?\"]\n[Black \"?\"]\n[Result \"1-0\"]\n"
      "[SetUp \"1\"]\n[FEN \"" +
      fen +
      "\"]\n[Annotator \"Galdrik 1.50\"]\n\n"
      "{White wins: win in 2}\n";
  EXPECT_EQ(rest.substr(0, erwartet.size()), erwartet) << rest;
  EXPECT_EQ(text.find("\n[Event", 1), text.size() / 2) << "two games, the first kept";
  EXPECT_EQ(text.substr(text.size() / 2 - 5, 5), " 1-0\n");

  test::VonPgnExtractGelesen(pfad, ordner.pfad(), "1-0");
}

TEST_F(TbJob, LineIntoTheGameRecord) {
  const Stellung st = KqkMattIn(2);
  PartieWurzelSetzen(st, 0);
  ASSERT_EQ(Job(st, 0, 2), 0);
  TBMetrikSetzen(4);
  ASSERT_EQ(DLL_TBZugfolgeHinzu(0), 0);
  Zugknoten* wurzel = Partie().wurzel;
  ASSERT_NE(wurzel->ersterSohn, nullptr);
  EXPECT_EQ(*wurzel->ersterSohn->kommentar, "DTZ50");
  int tiefe = 0;
  for (Zugknoten* k = wurzel->ersterSohn; k; k = k->ersterSohn) ++tiefe;
  EXPECT_EQ(tiefe, 3);

  // The same line again replaces the first copy.
  ASSERT_EQ(DLL_TBZugfolgeHinzu(0), 0);
  EXPECT_EQ(wurzel->ersterSohn->naechsterBruder, nullptr);
  EXPECT_NE(PartieNotationText("PNBRQK").find("DTZ50"), std::string::npos)
      << PartieNotationText("PNBRQK");
  TBMetrikSetzen(0);

  // A node whose position is not the line's start.
  const Stellung andere = KqkMattIn(3);
  PartieWurzelSetzen(andere, 0);
  EXPECT_EQ(DLL_TBZugfolgeHinzu(0), -2);
  EXPECT_EQ(Partie().wurzel->ersterSohn, nullptr);

  // Only the en-passant square or the fifty-move counter differ: accepted.
  Stellung fast = st;
  fast.halbzuege = 17;
  PartieWurzelSetzen(fast, 0);
  EXPECT_EQ(DLL_TBZugfolgeHinzu(0), 0);
  EXPECT_NE(Partie().wurzel->ersterSohn, nullptr);

  Partie().aktuell = nullptr;
  EXPECT_EQ(DLL_TBZugfolgeHinzu(0), -1);
  PartieNeu();
}

TEST_F(TbJob, WalkClampsAndBranches) {
  const Stellung st = KqkMattIn(6);
  ASSERT_EQ(Job(st, 0, 2), 0);
  ASSERT_EQ(DLL_TBSpaziergang(1000), 11);
  EXPECT_EQ(DLL_TBSpaziergangsZug(12, 0), -1) << "beyond the line";
  // Stand on position 2 with its legal moves, branch with the last of them.
  ASSERT_EQ(DLL_TBSpaziergang(2), 2);
  Engine().legalzugliste = ZugGenerator(Engine().aktuelleStellung, GenAlleZuege);
  const int32_t anzahl = Engine().legalzugliste.anzahl;
  EXPECT_EQ(DLL_TBSpaziergangsZug(2, anzahl), -1) << "no such move";
  const Zug neu = Engine().legalzugliste.zuege[anzahl - 1];
  ASSERT_EQ(DLL_TBSpaziergangsZug(2, anzahl - 1), 3);
  EXPECT_EQ(DLL_TBSpaziergang(100), 3);
  EXPECT_EQ(Engine().aktuelleStellung.belegt,
            ZugAusfuehren(ZugfolgeJob().spaziergang.stellungen[2], neu, 1).belegt);
  // A move of another position's list is refused.
  AktuelleStellungSetzen(KqkMattIn(1));
  Engine().legalzugliste = ZugGenerator(Engine().aktuelleStellung, GenAlleZuege);
  int fremd = -1;
  const Zugliste eigene = ZugGenerator(ZugfolgeJob().spaziergang.stellungen[1], GenAlleZuege);
  for (int i = 0; i < Engine().legalzugliste.anzahl && fremd < 0; ++i) {
    bool gibt = false;
    for (int j = 0; j < eigene.anzahl; ++j)
      gibt |= GleicherZug(eigene.zuege[j], Engine().legalzugliste.zuege[i]);
    if (!gibt) fremd = i;
  }
  if (fremd >= 0) {
    EXPECT_EQ(DLL_TBSpaziergangsZug(1, fremd), -1);
  }
}

}  // namespace
}  // namespace galdrik
