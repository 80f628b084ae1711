// The RFEP exports: matrix run, expected depths, move model and its game
// analyses. Declared here for the library's own tests.
#pragma once

#include <cstdint>

#include "interface/export.h"

GALDRIK_EXPORT void DLL_TBAnaRFEPRandSeed(int32_t saat);
GALDRIK_EXPORT void DLL_TBAnaRFEPLogfile(const char* pfad);
GALDRIK_EXPORT int32_t DLL_TBAnaRFEPMatrixInit(int32_t maxD, double kompetenz, double kappa,
                                               int32_t horizon, int32_t att, int32_t noD,
                                               int32_t noL, int32_t drD, int32_t lsD);
GALDRIK_EXPORT int32_t DLL_TBAnaRFEPMatrixFinish(const char* pfad);
GALDRIK_EXPORT int32_t DLL_TBAnaRFEPMatrixDepths(const char* pfad, int32_t n);

GALDRIK_EXPORT int32_t DLL_TBAnaRFEPMoveInit(int32_t maxD, double csim, double kappa,
                                             int32_t horizon, int32_t att, int32_t noD, int32_t noL,
                                             int32_t drD, int32_t lsD, int32_t cnum, double cmin,
                                             double cstp);
GALDRIK_EXPORT void DLL_TBAnaRFEPMoveStop();
GALDRIK_EXPORT void DLL_TBAnaRFEPMoveDo(int32_t* zug);
GALDRIK_EXPORT void DLL_TBAnaRFEPMoveEmul(int32_t* zug);
GALDRIK_EXPORT void DLL_TBAnaRFEPPredator(int32_t* zug, int32_t alleZuege);
GALDRIK_EXPORT int32_t DLL_TBAnaRFEPAddMove();
GALDRIK_EXPORT int32_t DLL_TBAnaRFEPDetermineGame(const char* bericht, int32_t zuege,
                                                  int32_t mitPredator);
GALDRIK_EXPORT int32_t DLL_TBAnaRFEPDeterminePGN(const char* pgn, const char* bericht,
                                                 int32_t zuege, int32_t partien,
                                                 int32_t zuruecksetzen, int32_t zugzeilen);
