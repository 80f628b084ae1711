// The RFEP matrix run: row mapping, booking of one position's moves, the
// matrix file, the expected depths read back, and the exports around them.
#include "analysis/rfepemulator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "analysis/rfepexports.h"
#include "analysis/rfepzustand.h"
#include "support/datei.h"

using namespace galdrik;

namespace {

// Tablebase values of the side to move.
constexpr int32_t SiegIn(int n) { return 32767 - n; }
constexpr int32_t VerlustIn(int m) { return m - 32766; }

RFEPParameter Par(int32_t maxD, int32_t horizon = 0, int32_t att = 1, int32_t noD = 0,
                  int32_t noL = 0, double kappa = 1.0) {
  return RFEPParameterAus(maxD, kappa, horizon, att, noD, noL, 20, 30);
}

std::vector<double> Zeile(const RFEPEmulator& e, int32_t r) {
  std::vector<double> z;
  for (int32_t s = 0; s < e.matrix().spalten(); ++s) z.push_back(e.matrix().MatrixHolen(r, s));
  return z;
}

std::vector<std::vector<double>> Matrixdatei(const std::string& text, std::string& kopf) {
  std::istringstream in(text);
  std::getline(in, kopf);
  std::vector<std::vector<double>> zeilen;
  for (std::string z; std::getline(in, z) && !z.empty();) {
    std::vector<double> werte;
    std::istringstream zahlen(z);
    for (std::string w; std::getline(zahlen, w, '\t');) werte.push_back(std::stod(w));
    zeilen.push_back(werte);
  }
  return zeilen;
}

}  // namespace

TEST(RFEPEmulator, RowOfAPosition) {
  const RFEPEmulator sieger(Par(10), 1.0);
  const RFEPEmulator verlierer(Par(10, 0, 0), 1.0);
  const struct {
    const RFEPEmulator& e;
    int32_t wert;
    int32_t zeile;
  } faelle[] = {
      {sieger, SiegIn(1), 1},
      {sieger, SiegIn(10), 10},
      // Longer wins are "maxD or more", never the draw row 11.
      {sieger, SiegIn(11), 10},
      {sieger, SiegIn(15), 10},
      {sieger, 0, 11},
      {sieger, VerlustIn(3), 12},
      {sieger, 32767, RFEPKeinZustand},
      {verlierer, VerlustIn(0), 2},
      {verlierer, VerlustIn(5), 7},
      {verlierer, VerlustIn(9), 10},
      {verlierer, VerlustIn(200), 10},
      {verlierer, SiegIn(4), 12},
      {verlierer, 0, 11},
  };
  for (const auto& f : faelle) EXPECT_EQ(f.e.Zeile(f.wert), f.zeile) << f.wert;
}

TEST(RFEPEmulator, BooksOneDistributionPerPosition) {
  // Won in 1: the mate goes to column 0, a move to a loss in 3 to column 3,
  // a draw to column 11; weights (d + 1)^-1 with DrD 20.
  RFEPEmulator e(Par(10), 1.0);
  const RFEPNachfolger zuege[] = {
      {VerlustIn(0), false}, {VerlustIn(3), false}, {0, false}, {VerlustIn(3), false}};
  e.StellungBuchen(SiegIn(1), zuege, 4);
  const double s = 1.0 + 2 * 0.25 + 1.0 / 21;
  std::vector<double> soll(13, 0.0);
  soll[0] = 1.0 / s;
  soll[3] = 0.5 / s;
  soll[11] = 1.0 / 21 / s;
  const std::vector<double> z = Zeile(e, 1);
  for (int j = 0; j < 13; ++j) EXPECT_NEAR(z[j], soll[j], 1e-15) << j;

  // A second position adds its own distribution: the row sums to 2.
  e.StellungBuchen(SiegIn(1), zuege, 4);
  double summe = 0;
  for (double w : Zeile(e, 1)) summe += w;
  EXPECT_NEAR(summe, 2.0, 1e-14);
}

TEST(RFEPEmulator, HorizonExclusionsCapturesAndUnbookableCases) {
  // Horizon 3: a position won in 2 books every counted move in column 1.
  RFEPEmulator h(Par(10, 3), 1.0);
  const RFEPNachfolger gemischt[] = {{VerlustIn(1), false}, {0, false}, {VerlustIn(6), false}};
  h.StellungBuchen(SiegIn(2), gemischt, 3);
  EXPECT_EQ(Zeile(h, 2)[1], 1.0);

  // noD: the drawing move is neither counted nor weighed.
  RFEPEmulator n(Par(10, 0, 1, 1), 1.0);
  n.StellungBuchen(SiegIn(2), gemischt, 3);
  EXPECT_NEAR(Zeile(n, 2)[1], 0.5 / (0.5 + 1.0 / 7), 1e-15);
  EXPECT_EQ(Zeile(n, 2)[11], 0.0);

  // A capture that keeps the win counts in column 0.
  RFEPEmulator c(Par(10), 1.0);
  const RFEPNachfolger schlag[] = {{VerlustIn(4), true}};
  c.StellungBuchen(SiegIn(5), schlag, 1);
  EXPECT_EQ(Zeile(c, 5)[0], 1.0);

  // Nothing is booked when every move is excluded, when a successor has no
  // value (only the valued move counts), or when a weight is infinite
  // (kappa 0: distance 0 raised to a negative power).
  const RFEPNachfolger remis[] = {{0, false}, {0, false}};
  n.StellungBuchen(SiegIn(4), remis, 2);
  const RFEPNachfolger ohneWert[] = {{32767, false}, {VerlustIn(2), false}};
  c.StellungBuchen(SiegIn(3), ohneWert, 2);
  RFEPEmulator k(Par(10, 0, 1, 0, 0, 0.0), 1.0);
  const RFEPNachfolger matt[] = {{VerlustIn(0), false}, {VerlustIn(2), false}};
  k.StellungBuchen(SiegIn(1), matt, 2);
  for (double w : Zeile(n, 4)) EXPECT_EQ(w, 0.0);
  EXPECT_EQ(Zeile(c, 3)[2], 1.0);
  for (int r = 0; r < 13; ++r)
    for (double w : Zeile(k, r)) EXPECT_EQ(w, 0.0);
}

TEST(RFEPEmulator, MatrixFileTextAndExports) {
  test::TempOrdner ordner;
  const std::string pfad = (ordner / "lauf.mtx").string();
  ASSERT_EQ(DLL_TBAnaRFEPMatrixInit(4, 1.5, 0.5, 2, 1, 0, 1, 9, 99), 0);
  const RFEPNachfolger zuege[] = {{VerlustIn(0), false}, {VerlustIn(3), false}};
  RFEPStellungBuchen(SiegIn(1), zuege, 2);
  RFEPStellungBuchen(SiegIn(4), zuege, 2);
  RFEPStellungBuchen(SiegIn(4), zuege, 2);
  RFEPStellungBuchen(SiegIn(4), nullptr, 0);  // no moves: nothing
  ASSERT_EQ(DLL_TBAnaRFEPMatrixFinish(pfad.c_str()), 0);
  EXPECT_EQ(RFEP().emulator, nullptr);

  const std::string text = test::DateiInhalt(pfad);
  std::string kopf;
  const auto m = Matrixdatei(text, kopf);
  EXPECT_EQ(kopf, "Competence 1.5; Kappa 0.5; Horizon 2; Draw depth 9; no loosing moves");
  ASSERT_EQ(m.size(), 7u);
  EXPECT_EQ(text.substr(text.size() - 3), "\n\n\n");
  const std::vector<double> null = {1, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(m[0], null);
  for (size_t r = 0; r < m.size(); ++r) {
    ASSERT_EQ(m[r].size(), 7u);
    double summe = 0;
    for (double w : m[r]) summe += w;
    if (r == 1 || r == 4 || r == 0)
      EXPECT_NEAR(summe, 1.0, 1e-12) << r;
    else
      EXPECT_EQ(summe, 0.0) << r;
  }
  EXPECT_EQ(m[1][0], 1.0);  // inside the horizon: column r - 1
  EXPECT_NEAR(m[4][0], std::pow(0.5, -1.5) / (std::pow(0.5, -1.5) + std::pow(3.5, -1.5)), 1e-14);

  ASSERT_EQ(DLL_TBAnaRFEPMatrixInit(0, 1, 1, 0, 0, 1, 0, 0, 7), 0);
  EXPECT_EQ(RFEP().emulator->matrix().zeilen(), 4);  // maxD 0 runs as 1
  // An unwritable path fails and still ends the run.
  EXPECT_EQ(DLL_TBAnaRFEPMatrixFinish((ordner / "fehlt" / "x.mtx").string().c_str()), -1);
  EXPECT_EQ(DLL_TBAnaRFEPMatrixFinish(pfad.c_str()), -2);
  ASSERT_EQ(DLL_TBAnaRFEPMatrixInit(0, 1, 1, 0, 0, 1, 0, 0, 7), 0);
  ASSERT_EQ(DLL_TBAnaRFEPMatrixFinish(pfad.c_str()), 0);
  Matrixdatei(test::DateiInhalt(pfad), kopf);
  EXPECT_EQ(kopf, "Competence 1; Kappa 1; Horizon 0; no drawing moves; Loss depth 7");
}

namespace {

std::string Kopf() { return "Competence 1; Kappa 1; Horizon 0; Draw depth 0; Loss depth 0\n"; }

// The expected depths appended to a file, as numbers.
std::vector<double> Tiefen(const std::string& text) {
  const size_t anfang = text.find("Expected Depths\n");
  std::vector<double> werte;
  if (anfang == std::string::npos) return werte;
  std::istringstream in(text.substr(anfang + 16));
  for (std::string z; std::getline(in, z) && !z.empty();) werte.push_back(std::stod(z));
  return werte;
}

}  // namespace

TEST(RFEPEmulator, ExpectedDepthsOfHandMadeChains) {
  test::TempOrdner ordner;
  // Deterministic k -> k - 1 over five states.
  std::string kette = Kopf();
  for (int r = 0; r < 5; ++r) {
    for (int s = 0; s < 5; ++s)
      kette += std::string(s ? "\t" : "") + ((r == 0 && s == 0) || s == r - 1 ? "1" : "0");
    kette += "\n";
  }
  kette += "\n\n";
  const std::string a = ordner.datei("kette.mtx", kette);
  ASSERT_EQ(DLL_TBAnaRFEPMatrixDepths(a.c_str(), 5), 0);
  const std::string nachher = test::DateiInhalt(a);
  EXPECT_EQ(nachher.substr(0, kette.size()), kette);
  EXPECT_EQ(nachher.substr(kette.size()), "Expected Depths\n-1\n-2\n-3\n-4\n\n");

  // State 1 stays with probability 1/2, else mates: -2; the unreached
  // state 2 (a zero row) reads -1. CR LF lines read the same.
  const std::string b =
      ordner.datei("halb.mtx", Kopf() + "1\t0\t0\r\n0.5\t0.5\t0\r\n0\t0\t0\r\n\r\n\r\n");
  ASSERT_EQ(DLL_TBAnaRFEPMatrixDepths(b.c_str(), 3), 0);
  EXPECT_EQ(Tiefen(test::DateiInhalt(b)), (std::vector<double>{-2, -1}));

  // A singular Q (an absorbing draw state) gives zeros and no error.
  const std::string c = ordner.datei("remis.mtx", Kopf() + "1\t0\t0\n1\t0\t0\n0\t0\t1\n\n\n");
  ASSERT_EQ(DLL_TBAnaRFEPMatrixDepths(c.c_str(), 3), 0);
  EXPECT_EQ(Tiefen(test::DateiInhalt(c)), (std::vector<double>{0, 0}));
}

TEST(RFEPEmulator, ExpectedDepthsRefusals) {
  test::TempOrdner ordner;
  const std::string drei = Kopf() + "1\t0\t0\n1\t0\t0\n0\t1\t0\n\n\n";
  const std::string f = ordner.datei("drei.mtx", drei);
  const std::string zwei = ordner.datei("zwei.mtx", Kopf() + "1\t0\n0\t1\n\n\n");
  const std::string lang =
      ordner.datei("lang.mtx", Kopf() + "1\t" + std::string(200, '0') + "\n0\t1\n\n\n");
  const struct {
    const char* fall;
    std::string pfad;
    int32_t n;
    int32_t ergebnis;
  } faelle[] = {
      {"missing file", (ordner / "fehlt.mtx").string(), 3, -1},
      {"n one larger: empty line has no tab", f, 4, -2},
      {"n smaller: more columns than rows", f, 2, -3},
      {"n = 1", f, 1, -2},
      {"n = 0", f, 0, -2},
      {"n negative", f, -7, -2},
      {"line longer than the buffer", lang, 2, -2},
  };
  for (const auto& t : faelle) {
    EXPECT_EQ(DLL_TBAnaRFEPMatrixDepths(t.pfad.c_str(), t.n), t.ergebnis) << t.fall;
  }
  EXPECT_EQ(test::DateiInhalt(f), drei);  // nothing appended by a refusal
  EXPECT_EQ(DLL_TBAnaRFEPMatrixDepths(nullptr, 3), -1);

  // n = 2: Q = [[-0.5]] has no 1 x 1 inverse (-2); Q = [[0]] appends a zero.
  const std::string halb = ordner.datei("halb2.mtx", Kopf() + "1\t0\n0.5\t0.5\n\n\n");
  EXPECT_EQ(DLL_TBAnaRFEPMatrixDepths(halb.c_str(), 2), -2);
  ASSERT_EQ(DLL_TBAnaRFEPMatrixDepths(zwei.c_str(), 2), 0);
  EXPECT_EQ(Tiefen(test::DateiInhalt(zwei)), (std::vector<double>{0}));
}
