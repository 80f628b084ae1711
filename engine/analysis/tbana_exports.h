// The flat exports of the tablebase analysis family. The program binds them
// by name; the declarations here serve the library's own tests and tools.
#pragma once

#include <cstdint>

#include "interface/export.h"

// Analysis setup: packs the 1759-value search mask and stores the criterion.
GALDRIK_EXPORT void DLL_TBAnaSetPos(const int32_t* suchmaske, int32_t kriterium);

// The analysis job: 0 started; -1 while a run goes on, before DLL_TBAnaPrep,
// or when no thread can be started.
GALDRIK_EXPORT int32_t DLL_TBAnaStart();
GALDRIK_EXPORT void DLL_TBAnaStopp();
GALDRIK_EXPORT int32_t DLL_TBAnaStatus();

// Results. The record and statistics exports answer as for no results while
// a run goes on.
GALDRIK_EXPORT int32_t DLL_TBAnaPrep();
GALDRIK_EXPORT int32_t DLL_TBAnaPost();
GALDRIK_EXPORT int32_t DLL_TBAnaErgebnis(uint64_t* anzahl);
GALDRIK_EXPORT void DLL_TBAnaStatistik1(uint64_t* treffer, uint64_t* wGewonnen, uint64_t* wVerloren,
                                        uint64_t* wRemis, uint64_t* sVerloren, uint64_t* sGewonnen,
                                        uint64_t* sRemis, uint64_t* untersucht, double* sekunden,
                                        double* rate);
GALDRIK_EXPORT void DLL_TBAnaStatistik2(int32_t* aus, int32_t filter, int32_t typ, int32_t skala,
                                        int32_t stil, int32_t art);
GALDRIK_EXPORT int64_t DLL_TBAnaStatistik3(int32_t h, int32_t i);
GALDRIK_EXPORT void DLL_TBAnaStatistik4(int64_t* summe1, int64_t* anzahl1, int32_t* min1,
                                        int32_t* max1, int64_t* summe0, int64_t* anzahl0,
                                        int32_t* min0, int32_t* max0);
GALDRIK_EXPORT void DLL_TBAnaStatistik5(uint64_t* dame, uint64_t* turm, uint64_t* laeufer,
                                        uint64_t* springer);
GALDRIK_EXPORT void DLL_TBAnaGetPos(int32_t* stellung, int32_t n, int32_t* wert);
GALDRIK_EXPORT int32_t DLL_TBAnaGetPosStr(int32_t n);
GALDRIK_EXPORT void DLL_TBAnaGetMatt(int32_t* stellung, int32_t* wert);
GALDRIK_EXPORT int32_t DLL_TBAnaGetMattStr();
GALDRIK_EXPORT int32_t DLL_TBAnaFortschritt();
GALDRIK_EXPORT int32_t DLL_TBAnaZeitPrognose();
GALDRIK_EXPORT void DLL_TBAnaZwischenergebnis(uint64_t* untersucht, uint64_t* treffer);

// Result files: the result list (.epd) and the statistics file (.stt).
GALDRIK_EXPORT int32_t DLL_TBAnaSpeichern(const char* listenPfad, const char* statistikPfad,
                                          int32_t grenze);
GALDRIK_EXPORT int32_t DLL_TBAnaLaden(const char* listenPfad, const char* statistikPfad,
                                      int32_t* stellung, int32_t* suchmaske, int32_t* kriterium);
