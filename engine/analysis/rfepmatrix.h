// The RFEP model's dense matrix of doubles: transition matrices, competence
// tables and the expected-depth algebra (product, minor, determinant and
// inverse). Every failure is thrown as a plain int code, never returned.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace galdrik {

// RFEPFehlercode: the int every matrix operation throws.
inline constexpr int RFEPKeinSpeicher = -1;
inline constexpr int RFEPFalscheGroesse = -2;  // size below 1, index or minor out of range
inline constexpr int RFEPPasstNicht = -3;      // product or inverse of sizes that do not fit

// A value as "%.15g" writes it in the C locale, whatever locale the program
// has set (a decimal comma would make the files unreadable).
std::string RFEPZahl(double wert);
// The same for "%f" (six decimals).
std::string RFEPFestkomma(double wert);

class RFEPMatrix {
 public:
  // A released matrix: 0 x 0. Only a target for MatrixKopie or assignment.
  RFEPMatrix() = default;
  // MatrixNeu: rows x cols zeros; -2 for a size below 1, -1 without memory.
  RFEPMatrix(int32_t zeilen, int32_t spalten);

  int32_t zeilen() const { return zeilen_; }
  int32_t spalten() const { return spalten_; }

  // -2 for an index outside [0, rows) x [0, cols).
  void MatrixSetzen(double wert, int32_t zeile, int32_t spalte);
  double MatrixHolen(int32_t zeile, int32_t spalte) const;

  void MatrixNullen();
  // Each row whose sum (from 0.0, column order) is not exactly 0.0 is divided
  // by it; a zero row stays as it is.
  void MatrixZeilenNormieren();
  // The target becomes a deep copy of this matrix (-1 without memory).
  void MatrixKopie(RFEPMatrix& ziel) const;
  // Rows = cols = 0, storage given back.
  void MatrixFreigeben();

  // a x b; -3 when a.cols differs from b.rows, tested before allocating.
  static RFEPMatrix MatrixMul(const RFEPMatrix& a, const RFEPMatrix& b);
  // Every element as "%.15g", the column separator after each element but
  // the last of a row, the row separator after the last.
  std::string MatrixText(char spaltenTrenner, char zeilenTrenner) const;
  // Without row i and column j; -2 when i or j lies outside the matrix or the
  // matrix has fewer than two rows or columns.
  RFEPMatrix MatrixMinor(int32_t i, int32_t j) const;
  // -2 for an empty matrix, -3 for one that is not square.
  double MatrixDeterminante() const;
  // The inverse, or the zero matrix for a singular one (no error). -2 for an
  // empty matrix and for a 1 x 1 matrix with a non-zero element (its minor
  // does not exist), -3 for one that is not square.
  RFEPMatrix MatrixInvertieren() const;

 private:
  double& at(int32_t z, int32_t s) { return werte_[static_cast<size_t>(z) * spalten_ + s]; }
  double at(int32_t z, int32_t s) const { return werte_[static_cast<size_t>(z) * spalten_ + s]; }
  void pruefen(int32_t zeile, int32_t spalte) const;

  int32_t zeilen_ = 0;
  int32_t spalten_ = 0;
  std::vector<double> werte_;  // row-major
};

}  // namespace galdrik
