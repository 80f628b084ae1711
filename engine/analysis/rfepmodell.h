// The RFEP move model: a distribution over competence levels of a fallible
// endgame player, used to draw a move as such a player would, to emulate a
// player of a given competence, to choose the move that does best against
// such a player (predator), and to update the distribution by Bayes' rule
// from the moves of a game or of every game of a PGN file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "analysis/rfepgewichte.h"
#include "analysis/rfepmatrix.h"
#include "core/board.h"

namespace galdrik {

struct RFEPModell {
  RFEPParameter par;
  double csim = 0.0;  // competence of the emulated player
  int32_t cnum = 1;
  double cmin = 0.0;
  double cstp = 0.0;
  std::vector<double> p;                               // competence distribution
  RFEPMatrix stufenmatrix;                             // cnum x maxD + 3, refilled by each update
  RFEPGewichte gewichte;                               // cnum levels
  std::vector<double> erwartungssumme, gewichtssumme;  // the predator's work space

  double kompetenz(int32_t i) const { return i * cstp + cmin; }
};

// RFEPMoveInit: the model with a uniform distribution, logged. Throws -2
// for cnum below 1, -1 without memory.
std::unique_ptr<RFEPModell> RFEPMoveInit(const RFEPParameter& par, double csim, int32_t cnum,
                                         double cmin, double cstp);
// RFEPModellZuruecksetzen: uniform distribution and a cleared level matrix.
void RFEPModellZuruecksetzen(RFEPModell& m);

// RFEPMoveDo: a move drawn with the weights of competence csim (the best
// move when the best one's state lies inside the horizon); KeinZug when the
// position has no legal move.
Zug RFEPMoveDo(const RFEPModell& m, const Stellung& st);

// RFEPZugAnalysieren: the Bayesian update with the move played in the
// position. 1 when the move's state is not 0, else 0 (also when the move
// is not legal there or its position has no value: the model is then
// unchanged). A distribution that the update would turn into no number
// (every likelihood 0, infinite weights) stays as it was.
int32_t RFEPZugAnalysieren(RFEPModell& m, const Stellung& st, const Zug& zug);

// RFEPMoveEmul: the move whose update brings the mean competence closest to
// csim, kept in the distribution; KeinZug without legal moves.
Zug RFEPMoveEmul(RFEPModell& m, const Stellung& st);

// RFEPPredator: the own move with the best expected state after the
// opponent's reply (largest with Att = 1, smallest with Att = 0); on entry
// `flag` 1 lets every move compete, 0 only those keeping the position's
// value; on return 1 when the move taken gives the value away. KeinZug when
// there is no move or none was taken.
Zug RFEPPredator(RFEPModell& m, const Stellung& st, uint8_t& flag);

double RFEPKompetenzMittel(const RFEPModell& m);
double RFEPKompetenzVarianz(const RFEPModell& m);
double RFEPKompetenzSchiefe(const RFEPModell& m);

// The model analyses of the exports, for the model given: the current game
// from its current node, and every game of a PGN file. Both read games
// without touching the game record, the engine's position or the PGN index.
// Results as the exports give them.
int32_t RFEPDetermineGame(RFEPModell& m, const std::string& bericht, int32_t zuege,
                          int32_t mitPredator);
int32_t RFEPDeterminePGN(RFEPModell& m, const std::string& pgn, const std::string& bericht,
                         int32_t zuege, int32_t partien, int32_t zuruecksetzen, int32_t zugzeilen);

// Results of RFEPDeterminePGN besides the number of games.
inline constexpr int32_t RFEPBerichtNichtOffen = -1;
inline constexpr int32_t RFEPPGNNichtLesbar = -2;

}  // namespace galdrik
