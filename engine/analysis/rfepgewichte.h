// What the RFEP matrix run and the move model share: the weight table of
// competence levels, the mapping of a tablebase value to a distance state,
// the tablebase value of a position as the model sees it, the seeded draws,
// the log file and whole-file writes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/rfepmatrix.h"
#include "core/board.h"

namespace galdrik {

// States run 0 .. maxD (maxD also stands for every longer distance), then
// the draw state maxD + 1 and the loss state maxD + 2.
inline constexpr int32_t RFEPKeinZustand = -1;  // no value: the move is not counted
inline constexpr int32_t RFEPKeinWert = 32767;

constexpr int32_t RFEPRemisZustand(int32_t maxD) { return maxD + 1; }
constexpr int32_t RFEPVerlustZustand(int32_t maxD) { return maxD + 2; }
constexpr int32_t RFEPZustaende(int32_t maxD) { return maxD + 3; }

// The model's parameters as the exports take them; Att, noD and noL are 1
// only when the argument was exactly 1, maxD at least 1.
struct RFEPParameter {
  int32_t maxD = 1;
  double kappa = 1.0;
  int32_t horizon = 0;
  uint8_t att = 0, noD = 0, noL = 0;
  int32_t drD = 0, lsD = 0;
};
RFEPParameter RFEPParameterAus(int32_t maxD, double kappa, int32_t horizon, int32_t att,
                               int32_t noD, int32_t noL, int32_t drD, int32_t lsD);

// RFEPGewichte: level i has competence c_i = cmin + i * cstp and weight
// (d + kappa)^(s c_i) for state d, s = -1 for the winning side (Att = 1),
// +1 for the losing side; the draw state weighs as distance DrD, the loss
// state as LsD.
struct RFEPGewichte {
  RFEPParameter par;
  int32_t cnum = 1;
  double cmin = 0.0;
  double cstp = 0.0;
  RFEPMatrix gewichte;  // cnum x maxD + 3

  double kompetenz(int32_t stufe) const { return stufe * cstp + cmin; }
  double gewicht(int32_t stufe, int32_t zustand) const {
    return gewichte.MatrixHolen(stufe, zustand);
  }
};
// Throws -2 for cnum below 1 (the table's construction), -1 without memory.
RFEPGewichte RFEPGewichteAnlegen(const RFEPParameter& par, int32_t cnum, double cmin, double cstp);
// One weight outside a table, as the move draw uses it.
double RFEPGewicht(const RFEPParameter& par, double kompetenz, int32_t zustand);

// RFEPTiefe: the state of a tablebase value v of the position after a move
// (v for the side then to move). Inverted (Att = 1): a draw is maxD + 1, a
// win of the side to move the loss state, a loss in d the distance d;
// otherwise a loss is the loss state and a win in d the distance d.
// Distances are capped at maxD; a capture or promotion gives 0. No value
// (32767, or a value no rule gives a meaning) answers RFEPKeinZustand.
int32_t RFEPTiefe(int32_t wert, uint8_t invertiert, int32_t maxD, bool schlagOderUmwandlung);

// The tablebase value of a position for its side to move, as the model
// reads it: bare kings are a draw, everything else asks the probe, which is
// the library's tablebase probe (TBProbeRFEP) until RFEPProbeSetzen
// replaces it; with a null probe every other position has no value (32767).
using RFEPProbe = int32_t (*)(const Stellung& st);
void RFEPProbeSetzen(RFEPProbe probe);
int32_t RFEPWert(const Stellung& st);

// RFEPRandSeed: a negative seed seeds from the clock (seconds), any other
// value is used unchanged. RFEPZufall draws 0 .. 32767.
void RFEPRandSeed(int32_t saat);
int RFEPZufall();

// RFEPLogDatei: the path (kept to 1023 bytes, null = empty); every entry
// appends to it, an empty path or a file that cannot be opened writes
// nothing.
void RFEPLogDateiSetzen(const char* pfad);
void RFEPLog(std::string_view text);

// Writes the text to a temporary file beside the target and renames it over
// the target, after the target's old contents when appending. False when
// any step failed; the target is then as it was.
bool RFEPDateiSchreiben(const std::string& pfad, std::string_view text, bool anhaengen);

}  // namespace galdrik
