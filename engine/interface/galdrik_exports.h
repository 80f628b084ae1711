// The flat exports of libGaldrik.so, by family. The program binds them by
// name; the declarations here serve the library's own tests and tools.
#pragma once

#include <cstdint>

#include "interface/export.h"

// Start-up
GALDRIK_EXPORT int32_t DLL_CheckMMX();

// Keys and transposition table
GALDRIK_EXPORT int32_t DLL_HashCodeGen();
GALDRIK_EXPORT void DLL_HashLeeren();
GALDRIK_EXPORT int32_t DLL_HashReAllok();

// Game record
GALDRIK_EXPORT int32_t DLL_PartieNotation(const char* buchstaben);
GALDRIK_EXPORT void DLL_ZugMark(int32_t* anfang, int32_t* ende);
GALDRIK_EXPORT void DLL_ZugKlick(int32_t position);
GALDRIK_EXPORT void DLL_SetNAG(int32_t code);
GALDRIK_EXPORT void DLL_SetComment(const char* text);
GALDRIK_EXPORT int32_t DLL_GetComment();
GALDRIK_EXPORT void DLL_ZugKill();
GALDRIK_EXPORT void DLL_ZugAufwerten();
GALDRIK_EXPORT void DLL_PartiePGNSet(const char* event, const char* site, const char* date,
                                     const char* white, const char* black, const char* round,
                                     const char* result);
GALDRIK_EXPORT int32_t DLL_PartieStatus();
GALDRIK_EXPORT void DLL_ZugMinus();
GALDRIK_EXPORT void DLL_ZugPlus();
GALDRIK_EXPORT void DLL_ZugNummer(int32_t ply);
GALDRIK_EXPORT void DLL_PartieStruktSave();
GALDRIK_EXPORT void DLL_PartieStruktLoad();

// PGN files and game database
GALDRIK_EXPORT int32_t DLL_DateiSpeichern(const char* pfad, int32_t anhaengen);
GALDRIK_EXPORT int32_t DLL_PGNDateiLaden(const char* pfad);
GALDRIK_EXPORT int32_t DLL_PGNDateiPartieInfo(int32_t spiel, int32_t feld);
GALDRIK_EXPORT int32_t DLL_PGNDateiPartieText(const char* pfad, int32_t spiel);
GALDRIK_EXPORT int32_t DLL_PGNDateiPartieLoad(const char* pfad, int32_t spiel);
GALDRIK_EXPORT int32_t DLL_PGNDateiSchliessen();
