// The RFEP move model on hand-made tablebase values: drawing, Bayesian
// update, emulator, predator, statistics, the game and PGN analyses and
// their report and log texts.
#include "analysis/rfepmodell.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

#include "analysis/rfepexports.h"
#include "analysis/rfepzustand.h"
#include "core/fen.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "interface/enginestate.h"
#include "interface/partie.h"
#include "interface/pgn.h"
#include "support/datei.h"
#include "support/testboard.h"
#include "tablebase/probe.h"

using namespace galdrik;

namespace {

constexpr int32_t SiegIn(int n) { return 32767 - n; }
constexpr int32_t VerlustIn(int m) { return m - 32766; }

std::function<int32_t(const Stellung&)>& TestWerte() {
  static std::function<int32_t(const Stellung&)> werte;
  return werte;
}
int32_t TestProbe(const Stellung& st) { return TestWerte()(st); }

// Hand-made tablebase values for the test's lifetime.
class Werte {
 public:
  explicit Werte(std::function<int32_t(const Stellung&)> f) {
    TestWerte() = std::move(f);
    RFEPProbeSetzen(TestProbe);
  }
  ~Werte() { RFEPProbeSetzen(TBProbeRFEP); }
};

// A made-up but fixed distance of each position, 1..5, from its key.
int Abstand(const Stellung& st) { return 1 + static_cast<int>(st.schluessel % 5); }
int32_t KqkWerte(const Stellung& st) {
  return st.amZug == Weiss ? SiegIn(1 + Abstand(st)) : VerlustIn(Abstand(st));
}

const char* const KqkWeiss = "8/8/8/3k4/8/8/2Q5/4K3 w - -";

std::unique_ptr<RFEPModell> Modell(int32_t maxD, double csim, int32_t horizon, int32_t att,
                                   int32_t noD, int32_t cnum = 1, double cmin = 1.0,
                                   double cstp = 0.0) {
  return RFEPMoveInit(RFEPParameterAus(maxD, 1.0, horizon, att, noD, 0, 20, 30), csim, cnum, cmin,
                      cstp);
}

Zugliste Zuege(const Stellung& st) { return ZugGenerator(st, GenAlleZuege); }

bool Gleich(const Zug& a, const Zug& b) {
  return a.von == b.von && a.nach == b.nach && a.zugart == b.zugart;
}

int Index(const Zugliste& l, const Zug& z) {
  for (int k = 0; k < l.anzahl; ++k)
    if (Gleich(l.zuege[k], z)) return k;
  return -1;
}

}  // namespace

TEST(RFEPModell, MoveDoDrawsByWeight) {
  Werte werte(KqkWerte);
  const auto m = Modell(20, 1.0, 0, 1, 0);
  EXPECT_TRUE(IstKeinZug(RFEPMoveDo(*m, test::Brett("7k/5Q2/6K1/8/8/8/8/8 b - -"))));
  const Stellung einzig = test::Brett("k7/8/2K5/8/8/8/8/1R6 b - -");
  ASSERT_EQ(Zuege(einzig).anzahl, 1);
  for (int saat : {0, 5, 77}) {
    RFEPRandSeed(saat);
    EXPECT_TRUE(Gleich(RFEPMoveDo(*m, einzig), Zuege(einzig).zuege[0]));
  }

  const Stellung st = test::Brett(KqkWeiss);
  const Zugliste liste = Zuege(st);
  auto folge = [&](int32_t saat) {
    RFEPRandSeed(saat);
    std::vector<int> k;
    for (int i = 0; i < 20000; ++i) k.push_back(Index(liste, RFEPMoveDo(*m, st)));
    return k;
  };
  const std::vector<int> null = folge(0);
  EXPECT_EQ(folge(0), null);
  EXPECT_EQ(folge(5), folge(5));
  EXPECT_NE(folge(5), null);
  // Frequencies follow the weights (d + 1)^-1 of the successors' states:
  // with a draw range wider than 15 bits the last move would take nearly
  // every draw.
  std::vector<double> gewicht(liste.anzahl);
  double summe = 0;
  for (int k = 0; k < liste.anzahl; ++k)
    summe += gewicht[k] = 1.0 / (Abstand(ZugAusfuehren(st, liste.zuege[k], 1)) + 1);
  std::vector<int> zaehler(liste.anzahl, 0);
  for (int k : null) {
    ASSERT_GE(k, 0);
    ++zaehler[k];
  }
  for (int k = 0; k < liste.anzahl; ++k)
    EXPECT_NEAR(zaehler[k] / 20000.0, gewicht[k] / summe, 0.01) << k;
}

TEST(RFEPModell, MoveDoExclusionsAndHorizon) {
  const Stellung st = test::Brett(KqkWeiss);
  const Zugliste liste = Zuege(st);
  // noD: drawing moves have no weight and are never drawn.
  {
    Werte werte([](const Stellung& s) { return s.schluessel % 3 == 0 ? 0 : KqkWerte(s); });
    const auto m = Modell(20, 1.0, 0, 1, 1);
    RFEPRandSeed(3);
    for (int i = 0; i < 2000; ++i) ASSERT_NE(RFEPWert(ZugAusfuehren(st, RFEPMoveDo(*m, st), 1)), 0);
  }
  // Every move a draw and excluded: the first move of the list.
  {
    Werte werte([](const Stellung&) { return 0; });
    const auto m = Modell(20, 1.0, 0, 1, 1);
    for (int i = 0; i < 50; ++i) ASSERT_TRUE(Gleich(RFEPMoveDo(*m, st), liste.zuege[0]));
  }
  // A horizon beyond every state: always the best move, the later of equal
  // values, and the update leaves the distribution alone.
  {
    Werte werte(KqkWerte);
    const auto m = Modell(20, 1.0, 100, 1, 0, 2, 0.0, 1.0);
    int best = -1;
    int32_t bestWert = 32767;
    for (int k = 0; k < liste.anzahl; ++k) {
      const int32_t v = KqkWerte(ZugAusfuehren(st, liste.zuege[k], 1));
      if (v <= bestWert) bestWert = v, best = k;
    }
    RFEPRandSeed(0);
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(Gleich(RFEPMoveDo(*m, st), liste.zuege[best]));
    for (int k = 0; k < liste.anzahl; ++k) RFEPZugAnalysieren(*m, st, liste.zuege[k]);
    EXPECT_EQ(m->p, (std::vector<double>{0.5, 0.5}));
  }
}

TEST(RFEPModell, BayesianUpdate) {
  Werte werte(KqkWerte);
  const Stellung st = test::Brett(KqkWeiss);
  const Zugliste liste = Zuege(st);

  // Two levels c = 0 (every move alike) and c = 1 (weights 1 / (d + 1)):
  // the posterior is the ratio of the played state's two likelihoods.
  const auto m = Modell(20, 1.0, 0, 1, 0, 2, 0.0, 1.0);
  std::map<int, int> anzahl;
  double summe1 = 0;
  for (int k = 0; k < liste.anzahl; ++k) {
    const int d = Abstand(ZugAusfuehren(st, liste.zuege[k], 1));
    ++anzahl[d];
    summe1 += 1.0 / (d + 1);
  }
  const Zug z = liste.zuege[4];
  const int d = Abstand(ZugAusfuehren(st, z, 1));
  const double l0 = anzahl[d] / double(liste.anzahl), l1 = anzahl[d] / (d + 1.0) / summe1;
  EXPECT_EQ(RFEPZugAnalysieren(*m, st, z), 1);
  EXPECT_NEAR(m->p[1], l1 / (l0 + l1), 1e-14);
  EXPECT_NEAR(m->p[0] + m->p[1], 1.0, 1e-15);

  // Many updates keep a distribution; one level stays [1].
  const auto drei = Modell(20, 1.0, 0, 1, 0, 3, -1.0, 1.5);
  const auto eins = Modell(20, 1.0, 0, 1, 0);
  for (int k = 0; k < liste.anzahl; ++k) {
    RFEPZugAnalysieren(*drei, st, liste.zuege[k]);
    RFEPZugAnalysieren(*eins, st, liste.zuege[k]);
    EXPECT_NEAR(drei->p[0] + drei->p[1] + drei->p[2], 1.0, 1e-14);
  }
  EXPECT_EQ(eins->p, std::vector<double>{1.0});

  // A move not legal here, or one whose position has no value, changes
  // nothing and answers 0; so does a played move that noD excludes,
  // instead of turning the distribution into no number.
  const std::vector<double> vorher = m->p;
  Zug falsch = z;
  falsch.nach = 63;
  EXPECT_EQ(RFEPZugAnalysieren(*m, st, falsch), 0);
  {
    Werte ohne([](const Stellung&) { return 32767; });
    EXPECT_EQ(RFEPZugAnalysieren(*m, st, z), 0);
  }
  EXPECT_EQ(m->p, vorher);
  {
    Werte remis([](const Stellung& s) { return s.schluessel % 2 ? 0 : KqkWerte(s); });
    const auto n = Modell(20, 1.0, 0, 1, 1, 2, 0.0, 1.0);
    for (int k = 0; k < liste.anzahl; ++k) {
      RFEPZugAnalysieren(*n, st, liste.zuege[k]);
      ASSERT_FALSE(std::isnan(n->p[0])) << k;
    }
  }
}

TEST(RFEPModell, MatesAndWinningCapturesEndTheObservation) {
  // Qxf2 and Kxf2 keep the win: a capture is state 0. A quiet move is not.
  Werte werte([](const Stellung& s) { return s.amZug == Weiss ? SiegIn(3) : VerlustIn(5); });
  const auto m = Modell(20, 1.0, 0, 1, 0);
  const Stellung st = test::Brett("8/8/8/3k4/8/8/2Q2r2/4K3 w - -");
  const Zugliste liste = Zuege(st);
  int geprueft = 0;
  for (int k = 0; k < liste.anzahl; ++k) {
    const Zug& z = liste.zuege[k];
    if (z.geschlagen != 0 || z.nach == test::Feld("c3")) {
      EXPECT_EQ(RFEPZugAnalysieren(*m, st, z), z.geschlagen != 0 ? 0 : 1);
      ++geprueft;
    }
  }
  EXPECT_EQ(geprueft, 3);
  // A mating move leaves state 0.
  Werte matt([](const Stellung& s) { return test::ImSchach(s) ? VerlustIn(0) : VerlustIn(4); });
  const Stellung vorMatt = test::Brett("k7/8/1K6/8/8/8/8/7Q w - -");
  const Zugliste l = Zuege(vorMatt);
  for (int k = 0; k < l.anzahl; ++k) {
    if (l.zuege[k].nach == test::Feld("h8")) {
      EXPECT_EQ(RFEPZugAnalysieren(*m, vorMatt, l.zuege[k]), 0);
    }
  }
}

TEST(RFEPModell, EmulatorChoosesTheUpdateClosestToItsCompetence) {
  Werte werte(KqkWerte);
  const Stellung st = test::Brett(KqkWeiss);
  const Zugliste liste = Zuege(st);
  for (double csim : {0.0, 2.0}) {
    const auto m = Modell(20, csim, 0, 1, 0, 3, 0.0, 1.0);
    // Brute force over the public update.
    int best = -1;
    double bestAbstand = 0;
    std::vector<double> bestP;
    for (int k = 0; k < liste.anzahl; ++k) {
      auto kopie = Modell(20, csim, 0, 1, 0, 3, 0.0, 1.0);
      RFEPZugAnalysieren(*kopie, st, liste.zuege[k]);
      const double a = std::fabs(csim - RFEPKompetenzMittel(*kopie));
      if (best < 0 || a < bestAbstand) best = k, bestAbstand = a, bestP = kopie->p;
    }
    const Zug z = RFEPMoveEmul(*m, st);
    EXPECT_TRUE(Gleich(z, liste.zuege[best])) << csim;
    EXPECT_EQ(m->p, bestP);
  }
  const auto m = Modell(20, 1.0, 0, 1, 0);
  EXPECT_TRUE(IstKeinZug(RFEPMoveEmul(*m, test::Brett("7k/5Q2/6K1/8/8/8/8/8 b - -"))));
}

TEST(RFEPModell, PredatorMaximisesTheExpectedReplyState) {
  // Black (the predator) against a modelled winner of competence 0: every
  // reply weighs alike, so the expectation is the mean reply state.
  Werte werte(KqkWerte);
  const Stellung st = test::Brett("8/8/8/3k4/8/8/2Q5/4K3 b - -");
  const Zugliste liste = Zuege(st);
  const auto m = Modell(20, 1.0, 0, 1, 0, 1, 0.0, 0.0);
  int best = -1;
  double bestE = 0.0;
  for (int k = 0; k < liste.anzahl; ++k) {
    const Stellung nach = ZugAusfuehren(st, liste.zuege[k], 1);
    const Zugliste antworten = Zuege(nach);
    double summe = 0;
    for (int j = 0; j < antworten.anzahl; ++j)
      summe += Abstand(ZugAusfuehren(nach, antworten.zuege[j], 1));
    const double e = summe / antworten.anzahl;
    if (e > bestE) best = k, bestE = e;
  }
  ASSERT_GE(best, 0);
  uint8_t flag = 1;
  EXPECT_TRUE(Gleich(RFEPPredator(*m, st, flag), liste.zuege[best]));
  // Every Black move here loses on: each keeps the value (-v rule).
  EXPECT_EQ(flag, 0);

  // Only moves keeping the value compete without the switch: with values
  // that make every move give the value away, none is taken.
  Werte weg([](const Stellung& s) { return s.amZug == Weiss ? SiegIn(2) : SiegIn(4); });
  flag = 0;
  const Stellung gewonnen = test::Brett("8/8/8/3k4/8/8/2Q5/4K3 b - -");
  EXPECT_TRUE(IstKeinZug(RFEPPredator(*m, gewonnen, flag)));
  flag = 1;
  EXPECT_FALSE(IstKeinZug(RFEPPredator(*m, gewonnen, flag)));
  EXPECT_EQ(flag, 1);
}

TEST(RFEPModell, CompetenceStatistics) {
  auto m = Modell(5, 1.0, 0, 1, 0, 2, 0.0, 1.0);  // uniform over {0, 1}
  EXPECT_DOUBLE_EQ(RFEPKompetenzMittel(*m), 0.5);
  EXPECT_DOUBLE_EQ(RFEPKompetenzVarianz(*m), 0.25);
  EXPECT_DOUBLE_EQ(RFEPKompetenzSchiefe(*m), 0.0);
  m = Modell(5, 1.0, 0, 1, 0, 3, 0.0, 1.0);
  m->p = {0.5, 0.25, 0.25};
  EXPECT_DOUBLE_EQ(RFEPKompetenzMittel(*m), 0.75);
  EXPECT_DOUBLE_EQ(RFEPKompetenzVarianz(*m), 0.6875);
  EXPECT_NEAR(RFEPKompetenzSchiefe(*m), 0.28125 / std::pow(0.6875, 1.5), 1e-15);
  m->p = {0, 1, 0};
  EXPECT_DOUBLE_EQ(RFEPKompetenzMittel(*m), 1.0);
  EXPECT_TRUE(std::isnan(RFEPKompetenzSchiefe(*m)));  // 0 / 0
}

namespace {

const char* const KqkPartien =
    "[Event \"a\"]\n[Site \"-\"]\n[Date \"2026.12.10\"]\n[Round \"1\"]\n[White \"x\"]\n"
    "[Black \"y\"]\n[Result \"*\"]\n[SetUp \"1\"]\n[FEN \"8/8/8/3k4/8/8/2Q5/4K3 w - - 0 1\"]\n\n"
    "1. Qc3 Ke4 2. Qd2 Ke5 3. Kf2 *\n\n"
    "[Event \"b\"]\n[Site \"-\"]\n[Date \"2026.12.10\"]\n[Round \"2\"]\n[White \"x\"]\n"
    "[Black \"y\"]\n[Result \"*\"]\n[SetUp \"1\"]\n[FEN \"8/8/8/3k4/8/8/2Q5/4K3 w - - 0 1\"]\n\n"
    "1. Qg6 Kc5 *\n";

// Mean, variance and skewness, as the report writes them, of a fresh
// three-level model updated with White's moves of a line from the kqk
// start; moves as from and to squares ("c2c3").
std::string Statistik(std::initializer_list<const char*> linie) {
  auto m = Modell(20, 1.0, 0, 1, 0, 3, 0.0, 1.0);
  Stellung st = test::Brett(KqkWeiss);
  bool weiss = true;
  for (const char* zug : linie) {
    const std::string z(zug);
    const Zugliste l = Zuege(st);
    int k = 0;
    while (k < l.anzahl && (l.zuege[k].von != test::Feld(z.substr(0, 2).c_str()) ||
                            l.zuege[k].nach != test::Feld(z.substr(2, 2).c_str())))
      ++k;
    EXPECT_LT(k, l.anzahl) << z;
    if (weiss) RFEPZugAnalysieren(*m, st, l.zuege[k]);
    st = ZugAusfuehren(st, l.zuege[k], 1);
    weiss = !weiss;
  }
  return RFEPZahl(RFEPKompetenzMittel(*m)) + " \t" + RFEPZahl(RFEPKompetenzVarianz(*m)) + " \t" +
         RFEPZahl(RFEPKompetenzSchiefe(*m)) + " \t";
}

}  // namespace

TEST(RFEPModell, DeterminePGNReportAndTheUsersGameStays) {
  Werte werte(KqkWerte);
  test::TempOrdner ordner;
  const std::string pgn = ordner.datei("kqk.pgn", KqkPartien);
  const std::string bericht = (ordner / "bericht.txt").string();
  ASSERT_EQ(DLL_TBAnaRFEPMoveInit(20, 1.0, 1.0, 0, 1, 0, 0, 20, 30, 3, 0.0, 1.0), 0);

  PartieNeu();
  Engine().aktuelleStellung = test::Brett("8/8/8/4k3/8/8/3R4/4K3 b - -");
  const std::string fenVorher = FENAusgabe(Engine().aktuelleStellung, 1);
  const Zugknoten* knotenVorher = Partie().aktuell;
  Datenbank().saetze.assign(3, PGNIndexSatz());

  ASSERT_EQ(DLL_TBAnaRFEPDeterminePGN(pgn.c_str(), bericht.c_str(), 10, 5, 1, 1), 2);
  EXPECT_EQ(FENAusgabe(Engine().aktuelleStellung, 1), fenVorher);
  EXPECT_EQ(Partie().aktuell, knotenVorher);
  EXPECT_EQ(Datenbank().saetze.size(), 3u);

  const std::string eins = Statistik({"c2c3"}), zwei = Statistik({"c2c3", "d5e4", "c3d2"});
  const std::string drei = Statistik({"c2c3", "d5e4", "c3d2", "e4e5", "e1f2"}),
                    g2 = Statistik({"c2g6"});
  const std::vector<std::string> soll = {
      "2 games of " + pgn, eins, zwei, drei, drei, "-----", g2, g2, "-----"};
  EXPECT_EQ(test::DateiZeilen(bericht), soll);

  // One line per game without per-move lines; the model is not reset
  // between games here, so game 2 goes on from game 1's distribution.
  const std::string kurz = (ordner / "kurz.txt").string();
  ASSERT_EQ(DLL_TBAnaRFEPDeterminePGN(pgn.c_str(), kurz.c_str(), 10, 1, 0, 0), 1);
  const auto zeilen = test::DateiZeilen(kurz);
  ASSERT_EQ(zeilen.size(), 2u);
  EXPECT_EQ(zeilen[0], "1 games of " + pgn);
  std::string d = drei;
  size_t tab;
  d.replace(tab = d.find(" \t"), 2, " \t var ");
  d.replace(d.find(" \t", tab + 7), 2, " \t skew ");
  d.resize(d.size() - 2);
  EXPECT_EQ(zeilen[1], "game 1, final c is " + d);
}

TEST(RFEPModell, DeterminePGNResults) {
  Werte werte(KqkWerte);
  test::TempOrdner ordner;
  const std::string pgn = ordner.datei("kqk.pgn", KqkPartien);
  const std::string leer = ordner.datei("leer.pgn", "\n\n");
  const std::string bericht = (ordner / "b.txt").string();
  ASSERT_EQ(DLL_TBAnaRFEPMoveInit(20, 1.0, 1.0, 0, 1, 0, 0, 20, 30, 3, 0.0, 1.0), 0);
  const struct {
    const char* fall;
    std::string pgn, bericht;
    int32_t partien, ergebnis;
  } faelle[] = {
      {"no games asked for", pgn, bericht, 0, 0},
      {"a file without games", leer, bericht, 5, 0},
      {"an unreadable file", (ordner / "fehlt.pgn").string(), bericht, 5, -2},
      {"a report that cannot be opened", pgn, (ordner / "x" / "b.txt").string(), 5, -1},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(DLL_TBAnaRFEPDeterminePGN(f.pgn.c_str(), f.bericht.c_str(), 10, f.partien, 1, 1),
              f.ergebnis)
        << f.fall;
  EXPECT_EQ(test::DateiInhalt(bericht), "");
  DLL_TBAnaRFEPMoveStop();
  EXPECT_EQ(DLL_TBAnaRFEPDeterminePGN(pgn.c_str(), bericht.c_str(), 10, 5, 1, 1), -5);
  EXPECT_EQ(DLL_TBAnaRFEPAddMove(), -5);
  int32_t zug[4] = {9, 9, 9, 9};
  DLL_TBAnaRFEPMoveDo(zug);
  EXPECT_EQ(zug[0] + zug[1] + zug[2] + zug[3], 0);
}

TEST(RFEPModell, DetermineGameReport) {
  Werte werte(KqkWerte);
  test::TempOrdner ordner;
  ASSERT_EQ(DLL_TBAnaRFEPMoveInit(20, 1.0, 1.0, 0, 1, 0, 0, 20, 30, 3, 0.0, 1.0), 0);
  std::vector<PGNIndexSatz> saetze;
  const std::string pgn = ordner.datei("kqk.pgn", KqkPartien);
  ASSERT_EQ(PGNDateiIndex(pgn, saetze), 2);
  std::string zugtext;
  ASSERT_GT(PGNPartieTextLesen(pgn, saetze[0].ersteZeile, saetze[0].zeilenAnzahl, zugtext), 0);
  ASSERT_EQ(PGNPartieLaden(saetze[0], zugtext), 0);
  const std::string kopf = "current game\nstarting with: 8/8/8/3k4/8/8/2Q5/4K3 w - - 0 1\n";

  const std::string a = (ordner / "a.txt").string();
  ASSERT_EQ(DLL_TBAnaRFEPDetermineGame(a.c_str(), 0, 0), 0);
  EXPECT_EQ(test::DateiInhalt(a), kopf);

  const std::string b = (ordner / "b.txt").string();
  ASSERT_EQ(DLL_TBAnaRFEPDetermineGame(b.c_str(), 10, 0), 0);
  EXPECT_EQ(test::DateiInhalt(b), kopf + Statistik({"c2c3"}) + "\n" +
                                      Statistik({"c2c3", "d5e4", "c3d2"}) + "\n" +
                                      Statistik({"c2c3", "d5e4", "c3d2", "e4e5", "e1f2"}) + "\n");

  DLL_TBAnaRFEPMoveInit(20, 1.0, 1.0, 0, 1, 0, 0, 20, 30, 3, 0.0, 1.0);
  const std::string c = (ordner / "c.txt").string();
  ASSERT_EQ(DLL_TBAnaRFEPDetermineGame(c.c_str(), 2, 1), 0);
  const auto zeilen = test::DateiZeilen(c);
  ASSERT_EQ(zeilen.size(), 4u);
  for (int i : {2, 3}) {
    EXPECT_NE(zeilen[i].find(" \t{predator: "), std::string::npos) << zeilen[i];
    EXPECT_EQ(zeilen[i].back(), '}');
  }

  // At the end of the game only the head lines are written.
  Zugknoten* k = Partie().aktuell;
  while (k->ersterSohn) k = k->ersterSohn;
  ZumKnotenGehen(k);
  const std::string e = (ordner / "e.txt").string();
  ASSERT_EQ(DLL_TBAnaRFEPDetermineGame(e.c_str(), 10, 1), 0);
  EXPECT_EQ(test::DateiZeilen(e).size(), 2u);
  EXPECT_EQ(DLL_TBAnaRFEPDetermineGame((ordner / "x" / "e.txt").string().c_str(), 10, 1), -1);
  PartieNeu();
}

TEST(RFEPModell, LogEntries) {
  Werte werte(KqkWerte);
  test::TempOrdner ordner;
  const std::string log = (ordner / "rfep.log").string();
  DLL_TBAnaRFEPLogfile(log.c_str());
  ASSERT_EQ(DLL_TBAnaRFEPMoveInit(0, 1.0, 0.5, 2, 1, 1, 0, 20, 30, 2, 0.0, 1.5), 0);
  const std::string trenn = std::string(35, '=');
  EXPECT_EQ(test::DateiZeilen(log),
            (std::vector<std::string>{trenn, "REP initialised",
                                      "maxD 1, csim 1.000000, kappa 0.500000, Att 1, noD 1, noL "
                                      "0, Horizon 2, DrD 20, LsD 30, cnum 2, cmin 0.000000, cstp "
                                      "1.500000",
                                      trenn}));
  DLL_TBAnaRFEPMoveInit(20, 1.0, 1.0, 0, 1, 0, 0, 20, 30, 2, 0.0, 1.0);
  std::filesystem::remove(log);
  Engine().aktuelleStellung = test::Brett(KqkWeiss);
  const Zugliste l = Zuege(Engine().aktuelleStellung);
  Engine().austauschzug = l.zuege[0];
  EXPECT_EQ(DLL_TBAnaRFEPAddMove(), 1);
  const auto zeilen = test::DateiZeilen(log);
  ASSERT_EQ(zeilen.size(), 6u);
  EXPECT_EQ(zeilen[0], trenn);
  EXPECT_EQ(zeilen[1], "Analyse move");
  EXPECT_EQ(zeilen[2], "8/8/8/3k4/8/8/2Q5/4K3 w - - 0 0");
  EXPECT_EQ(zeilen[3], ZugNotation(l.zuege[0], "PNBRQK", 0));
  EXPECT_EQ(zeilen[4].rfind("unnorm: \t", 0), 0u);
  EXPECT_EQ(zeilen[5], trenn);
  DLL_TBAnaRFEPLogfile(nullptr);
  DLL_TBAnaRFEPMoveStop();
}
