// The RFEP matrix run: the emulator that books every position of a material
// class into a Markov matrix between distance states, the matrix file it
// writes, and the expected depths read back from such a file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/rfepgewichte.h"
#include "analysis/rfepmatrix.h"

namespace galdrik {

// One legal move of a booked position: the tablebase value of the position
// after it, for the side then to move (32767 none), and whether it captured
// or promoted.
struct RFEPNachfolger {
  int32_t wert;
  bool schlagOderUmwandlung;
};

class RFEPEmulator {
 public:
  // Builds the one-level weight table for the competence; throws -1 without
  // memory.
  RFEPEmulator(const RFEPParameter& par, double kompetenz);

  // The row of a position of value v for its side to move: its distance
  // state shifted by one (a win or loss longer than maxD in row maxD), the
  // draw or the loss state; RFEPKeinZustand for no value.
  int32_t Zeile(int32_t wert) const;

  // Adds one probability distribution over the successors' states to the
  // position's row. Nothing is booked without a value, without moves, when
  // every move is excluded or has no value, or when the weights are not
  // finite.
  void StellungBuchen(int32_t wert, const RFEPNachfolger* zuege, int32_t anzahl);

  const RFEPParameter& par() const { return par_; }
  double kompetenz() const { return kompetenz_; }
  const RFEPGewichte& gewichte() const { return gewichte_; }
  const RFEPMatrix& matrix() const { return matrix_; }

 private:
  RFEPParameter par_;
  double kompetenz_;
  RFEPGewichte gewichte_;
  RFEPMatrix matrix_;
  std::vector<int32_t> zaehler_;
};

// The matrix file's text: header, the matrix with state 0 made absorbing
// and every non-empty row normalised, two empty lines.
std::string RFEPMatrixDateiText(const RFEPEmulator& emulator);
// RFEPMatrixFinishInnen: writes the matrix file; 0, or -1 when it cannot be
// written. The caller releases the run either way.
int32_t RFEPMatrixFinishInnen(const RFEPEmulator& emulator, const std::string& pfad);

// Results of RFEPMatrixDepthsInnen besides 0 and the matrix codes it throws.
inline constexpr int32_t RFEPDepthsNichtLesbar = -1;
inline constexpr int32_t RFEPDepthsZuLang = -2;
inline constexpr int32_t RFEPDepthsNichtSchreibbar = -3;

// Reads the n x n matrix of a matrix file, computes the expected depths
// E = (minor(P - I, 0, 0))^-1 x 1 and appends them. Throws -2 for n below
// 2, a row without its separators or a number text over 1024 characters,
// -3 when the file's matrix is not n x n, -1 without memory.
int32_t RFEPMatrixDepthsInnen(const std::string& pfad, int32_t n);

}  // namespace galdrik
