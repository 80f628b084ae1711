// The RFEP matrix type. Determinant and inverse use LU elimination with
// partial pivoting, so the expected depths of realistic depth limits take
// milliseconds; a pivot that is exactly 0.0 marks the matrix singular.
#include "analysis/rfepmatrix.h"

#include <charconv>
#include <cmath>
#include <new>
#include <stdexcept>
#include <utility>

namespace galdrik {

namespace {

// A matrix beyond this (2 GiB) counts as an allocation that failed: on a
// system that over-commits, clearing it would end the process instead.
constexpr size_t MaxElemente = size_t{1} << 28;

std::vector<double> Nullwerte(int32_t zeilen, int32_t spalten) {
  if (static_cast<size_t>(zeilen) * static_cast<size_t>(spalten) > MaxElemente)
    throw RFEPKeinSpeicher;
  try {
    return std::vector<double>(static_cast<size_t>(zeilen) * static_cast<size_t>(spalten), 0.0);
  } catch (const std::bad_alloc&) {
    throw RFEPKeinSpeicher;
  } catch (const std::length_error&) {
    throw RFEPKeinSpeicher;
  }
}

// In-place LU factorisation of a square row-major block with row swaps.
// Answers false when a pivot column is exactly zero (singular); `vorzeichen`
// is the sign of the permutation and `perm` the row order.
bool LUZerlegen(std::vector<double>& a, int32_t n, std::vector<int32_t>& perm, int& vorzeichen) {
  perm.resize(n);
  for (int32_t i = 0; i < n; ++i) perm[i] = i;
  vorzeichen = 1;
  for (int32_t k = 0; k < n; ++k) {
    int32_t best = k;
    double groesste = std::fabs(a[static_cast<size_t>(k) * n + k]);
    for (int32_t i = k + 1; i < n; ++i) {
      const double b = std::fabs(a[static_cast<size_t>(i) * n + k]);
      if (b > groesste) groesste = b, best = i;
    }
    if (groesste == 0.0) return false;
    if (best != k) {
      for (int32_t j = 0; j < n; ++j)
        std::swap(a[static_cast<size_t>(k) * n + j], a[static_cast<size_t>(best) * n + j]);
      std::swap(perm[k], perm[best]);
      vorzeichen = -vorzeichen;
    }
    const double pivot = a[static_cast<size_t>(k) * n + k];
    for (int32_t i = k + 1; i < n; ++i) {
      double& l = a[static_cast<size_t>(i) * n + k];
      if (l == 0.0) continue;
      l /= pivot;
      for (int32_t j = k + 1; j < n; ++j)
        a[static_cast<size_t>(i) * n + j] -= l * a[static_cast<size_t>(k) * n + j];
    }
  }
  return true;
}

}  // namespace

std::string RFEPZahl(double wert) {
  char zahl[64];
  const auto ende = std::to_chars(zahl, zahl + sizeof zahl, wert, std::chars_format::general, 15);
  return std::string(zahl, ende.ptr);
}

std::string RFEPFestkomma(double wert) {
  char zahl[400];  // DBL_MAX has 309 digits before the point
  const auto ende = std::to_chars(zahl, zahl + sizeof zahl, wert, std::chars_format::fixed, 6);
  return std::string(zahl, ende.ptr);
}

RFEPMatrix::RFEPMatrix(int32_t zeilen, int32_t spalten) {
  if (zeilen < 1 || spalten < 1) throw RFEPFalscheGroesse;
  werte_ = Nullwerte(zeilen, spalten);
  zeilen_ = zeilen;
  spalten_ = spalten;
}

void RFEPMatrix::pruefen(int32_t zeile, int32_t spalte) const {
  if (zeile < 0 || zeile >= zeilen_ || spalte < 0 || spalte >= spalten_) throw RFEPFalscheGroesse;
}

void RFEPMatrix::MatrixSetzen(double wert, int32_t zeile, int32_t spalte) {
  pruefen(zeile, spalte);
  at(zeile, spalte) = wert;
}

double RFEPMatrix::MatrixHolen(int32_t zeile, int32_t spalte) const {
  pruefen(zeile, spalte);
  return at(zeile, spalte);
}

void RFEPMatrix::MatrixNullen() {
  for (double& w : werte_) w = 0.0;
}

void RFEPMatrix::MatrixZeilenNormieren() {
  for (int32_t z = 0; z < zeilen_; ++z) {
    double summe = 0.0;
    for (int32_t s = 0; s < spalten_; ++s) summe += at(z, s);
    if (summe == 0.0) continue;
    for (int32_t s = 0; s < spalten_; ++s) at(z, s) /= summe;
  }
}

void RFEPMatrix::MatrixKopie(RFEPMatrix& ziel) const {
  std::vector<double> werte;
  try {
    werte = werte_;
  } catch (const std::bad_alloc&) {
    throw RFEPKeinSpeicher;
  }
  ziel.werte_ = std::move(werte);
  ziel.zeilen_ = zeilen_;
  ziel.spalten_ = spalten_;
}

void RFEPMatrix::MatrixFreigeben() {
  std::vector<double>().swap(werte_);
  zeilen_ = spalten_ = 0;
}

RFEPMatrix RFEPMatrix::MatrixMul(const RFEPMatrix& a, const RFEPMatrix& b) {
  if (a.spalten_ != b.zeilen_) throw RFEPPasstNicht;
  RFEPMatrix c(a.zeilen_, b.spalten_);
  for (int32_t i = 0; i < a.zeilen_; ++i)
    for (int32_t j = 0; j < b.spalten_; ++j) {
      double summe = 0.0;
      for (int32_t k = 0; k < a.spalten_; ++k) summe += a.at(i, k) * b.at(k, j);
      c.at(i, j) = summe;
    }
  return c;
}

std::string RFEPMatrix::MatrixText(char spaltenTrenner, char zeilenTrenner) const {
  std::string text;
  for (int32_t z = 0; z < zeilen_; ++z)
    for (int32_t s = 0; s < spalten_; ++s) {
      text += RFEPZahl(at(z, s));
      text += s + 1 < spalten_ ? spaltenTrenner : zeilenTrenner;
    }
  return text;
}

RFEPMatrix RFEPMatrix::MatrixMinor(int32_t i, int32_t j) const {
  if (zeilen_ < 2 || spalten_ < 2 || i < 0 || j < 0 || i >= zeilen_ || j >= spalten_)
    throw RFEPFalscheGroesse;
  RFEPMatrix m(zeilen_ - 1, spalten_ - 1);
  for (int32_t r = 0; r < m.zeilen_; ++r)
    for (int32_t c = 0; c < m.spalten_; ++c) m.at(r, c) = at(r < i ? r : r + 1, c < j ? c : c + 1);
  return m;
}

double RFEPMatrix::MatrixDeterminante() const {
  if (zeilen_ < 1 || spalten_ < 1) throw RFEPFalscheGroesse;
  if (zeilen_ != spalten_) throw RFEPPasstNicht;
  const int32_t n = zeilen_;
  if (n == 1) return at(0, 0);
  // A triangular matrix keeps its exact diagonal product, without the
  // rounding of an elimination.
  bool dreieck = true;
  for (int32_t z = 1; z < n && dreieck; ++z)
    for (int32_t s = 0; s < z; ++s)
      if (at(z, s) != 0.0) {
        dreieck = false;
        break;
      }
  if (dreieck) {
    double produkt = 1.0;
    for (int32_t z = 0; z < n; ++z) produkt *= at(z, z);
    return produkt;
  }
  std::vector<double> lu = Nullwerte(n, n);
  lu = werte_;
  std::vector<int32_t> perm;
  int vorzeichen = 1;
  if (!LUZerlegen(lu, n, perm, vorzeichen)) return 0.0;
  double produkt = vorzeichen;
  for (int32_t z = 0; z < n; ++z) produkt *= lu[static_cast<size_t>(z) * n + z];
  return produkt;
}

RFEPMatrix RFEPMatrix::MatrixInvertieren() const {
  if (zeilen_ < 1 || spalten_ < 1) throw RFEPFalscheGroesse;
  if (zeilen_ != spalten_) throw RFEPPasstNicht;
  const int32_t n = zeilen_;
  // The 1 x 1 case keeps its established answer: singular gives zero, any
  // other value has no minor to build an inverse from.
  if (n == 1) {
    if (at(0, 0) == 0.0) return RFEPMatrix(1, 1);
    throw RFEPFalscheGroesse;
  }
  std::vector<double> lu = Nullwerte(n, n);
  lu = werte_;
  std::vector<int32_t> perm;
  int vorzeichen = 1;
  RFEPMatrix inv(n, n);
  if (!LUZerlegen(lu, n, perm, vorzeichen)) return inv;
  // Column j of the inverse solves L U x = P e_j.
  std::vector<double> x(n);
  for (int32_t j = 0; j < n; ++j) {
    for (int32_t i = 0; i < n; ++i) {
      double summe = perm[i] == j ? 1.0 : 0.0;
      for (int32_t k = 0; k < i; ++k) summe -= lu[static_cast<size_t>(i) * n + k] * x[k];
      x[i] = summe;
    }
    for (int32_t i = n - 1; i >= 0; --i) {
      double summe = x[i];
      for (int32_t k = i + 1; k < n; ++k) summe -= lu[static_cast<size_t>(i) * n + k] * x[k];
      x[i] = summe / lu[static_cast<size_t>(i) * n + i];
    }
    for (int32_t i = 0; i < n; ++i) inv.at(i, j) = x[i];
  }
  return inv;
}

}  // namespace galdrik
