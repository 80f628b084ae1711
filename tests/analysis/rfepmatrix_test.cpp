// The RFEP matrix: construction and index checks with their thrown codes,
// products, minors, text, and determinant and inverse checked against hand
// values and against A x inverse(A) = I on random matrices.
#include "analysis/rfepmatrix.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace galdrik;

namespace {

RFEPMatrix Aus(std::initializer_list<std::initializer_list<double>> zeilen) {
  RFEPMatrix m(static_cast<int32_t>(zeilen.size()), static_cast<int32_t>(zeilen.begin()->size()));
  int32_t z = 0;
  for (const auto& zeile : zeilen) {
    int32_t s = 0;
    for (double w : zeile) m.MatrixSetzen(w, z, s++);
    ++z;
  }
  return m;
}

int Wurf(const std::function<void()>& f) {
  try {
    f();
  } catch (int code) {
    return code;
  }
  return 0;
}

}  // namespace

TEST(RFEPMatrix, ThrownCodes) {
  RFEPMatrix m(3, 3);
  RFEPMatrix a23(2, 3);
  const struct {
    const char* fall;
    std::function<void()> aufruf;
    int code;
  } faelle[] = {
      {"size 0 x 5", [] { RFEPMatrix(0, 5); }, -2},
      {"size 5 x -1", [] { RFEPMatrix(5, -1); }, -2},
      {"set at row = rows", [&] { m.MatrixSetzen(1, 3, 0); }, -2},
      {"set at column -1", [&] { m.MatrixSetzen(1, 0, -1); }, -2},
      {"get at row -1", [&] { m.MatrixHolen(-1, 0); }, -2},
      {"get at column = cols", [&] { m.MatrixHolen(0, 3); }, -2},
      {"product 2x3 by 2x3", [&] { RFEPMatrix::MatrixMul(a23, a23); }, -3},
      {"minor row 3 of 3x3", [&] { m.MatrixMinor(3, 0); }, -2},
      {"minor column 3 of 3x3", [&] { m.MatrixMinor(0, 3); }, -2},
      {"minor of 1x3", [] { RFEPMatrix(1, 3).MatrixMinor(0, 0); }, -2},
      {"inverse of [[5]]", [] { Aus({{5}}).MatrixInvertieren(); }, -2},
      {"inverse of 2x3", [&] { a23.MatrixInvertieren(); }, -3},
      {"inverse of released", [] { RFEPMatrix().MatrixInvertieren(); }, -2},
      {"determinant of 2x3", [&] { a23.MatrixDeterminante(); }, -3},
  };
  for (const auto& f : faelle) EXPECT_EQ(Wurf(f.aufruf), f.code) << f.fall;
  // A refused access leaves the matrix as it was.
  m.MatrixSetzen(7, 2, 2);
  for (int z = 0; z < 3; ++z)
    for (int s = 0; s < 3; ++s) EXPECT_EQ(m.MatrixHolen(z, s), z == 2 && s == 2 ? 7.0 : 0.0);
}

TEST(RFEPMatrix, ProductMinorTextNormalising) {
  RFEPMatrix p = RFEPMatrix::MatrixMul(Aus({{1, 2, 3}}), Aus({{4}, {5}, {6}}));
  ASSERT_EQ(p.zeilen(), 1);
  ASSERT_EQ(p.spalten(), 1);
  EXPECT_EQ(p.MatrixHolen(0, 0), 32);

  RFEPMatrix m = Aus({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  RFEPMatrix minor = m.MatrixMinor(2, 0);
  EXPECT_EQ(minor.MatrixText(' ', ';'), "2 3;5 6;");
  EXPECT_EQ(m.MatrixMinor(1, 1).MatrixText(' ', ';'), "1 3;7 9;");

  const std::string text = Aus({{1, 0.5}, {2, 3}}).MatrixText('\t', '\n');
  EXPECT_EQ(text, "1\t0.5\n2\t3\n");
  EXPECT_EQ(text.size(), 10u);

  RFEPMatrix n = Aus({{1, 3}, {0, 0}, {-1, 1}});
  n.MatrixZeilenNormieren();
  EXPECT_EQ(n.MatrixText(' ', ';'), "0.25 0.75;0 0;-1 1;");  // -1 + 1 sums to 0: unchanged

  RFEPMatrix kopie;
  m.MatrixKopie(kopie);
  m.MatrixNullen();
  EXPECT_EQ(kopie.MatrixHolen(2, 2), 9);
  EXPECT_EQ(m.MatrixHolen(2, 2), 0);
  kopie.MatrixFreigeben();
  EXPECT_EQ(kopie.zeilen(), 0);
  EXPECT_EQ(kopie.spalten(), 0);
}

TEST(RFEPMatrix, DeterminantAndInverseOfSmallCases) {
  // Upper triangular: the exact diagonal product whatever lies above it.
  EXPECT_EQ(Aus({{2, 7, -3}, {0, 3, 11}, {0, 0, 0.5}}).MatrixDeterminante(), 3.0);
  // Lower triangular goes through the elimination and gives the same.
  EXPECT_NEAR(Aus({{2, 0, 0}, {7, 3, 0}, {-3, 11, 0.5}}).MatrixDeterminante(), 3.0, 1e-14);
  EXPECT_NEAR(Aus({{0, 1}, {1, 0}}).MatrixDeterminante(), -1.0, 1e-15);
  EXPECT_EQ(Aus({{1, 2}, {2, 4}}).MatrixDeterminante(), 0.0);

  EXPECT_EQ(Aus({{2, 0}, {0, 4}}).MatrixInvertieren().MatrixText(' ', ';'), "0.5 0;0 0.25;");
  EXPECT_EQ(Aus({{1, 2}, {2, 4}}).MatrixInvertieren().MatrixText(' ', ';'), "0 0;0 0;");
  EXPECT_EQ(Aus({{0}}).MatrixInvertieren().MatrixText(' ', ';'), "0;");
  // A zero column: singular, the zero matrix and no error.
  EXPECT_EQ(Aus({{1, 0, 2}, {3, 0, 4}, {5, 0, 6}}).MatrixInvertieren().MatrixText(' ', ';'),
            "0 0 0;0 0 0;0 0 0;");

  RFEPMatrix inv = Aus({{4, 7}, {2, 6}}).MatrixInvertieren();
  const double soll[2][2] = {{0.6, -0.7}, {-0.2, 0.4}};
  for (int z = 0; z < 2; ++z)
    for (int s = 0; s < 2; ++s) EXPECT_NEAR(inv.MatrixHolen(z, s), soll[z][s], 1e-15);
}

// Diagonally dominant random matrices are well conditioned; the product with
// the inverse must be the identity to rounding (timings: galdrik-rfep-bench).
TEST(RFEPMatrix, InverseOfRandom20x20IsExactToRounding) {
  std::mt19937 zufall(20261210);
  std::uniform_real_distribution<double> wert(-1.0, 1.0);
  for (int lauf = 0; lauf < 20; ++lauf) {
    const int n = 20;
    RFEPMatrix a(n, n);
    for (int z = 0; z < n; ++z)
      for (int s = 0; s < n; ++s) a.MatrixSetzen(wert(zufall) + (z == s ? n : 0), z, s);
    RFEPMatrix e = RFEPMatrix::MatrixMul(a, a.MatrixInvertieren());
    for (int z = 0; z < n; ++z)
      for (int s = 0; s < n; ++s)
        ASSERT_NEAR(e.MatrixHolen(z, s), z == s ? 1.0 : 0.0, 1e-12) << lauf << " " << z << s;
    // det(A) det(A^-1) = 1 ties the determinant to the same elimination.
    EXPECT_NEAR(a.MatrixDeterminante() * a.MatrixInvertieren().MatrixDeterminante(), 1.0, 1e-10);
  }
}
