// The flat exports of libGaldrik.so, by family. The program binds them by
// name; the declarations here serve the library's own tests and tools.
#pragma once

#include <cstdint>

#include "interface/export.h"

// Start-up, paths, switches, labels, automatic FEN log
GALDRIK_EXPORT int32_t DLL_CheckMMX();
GALDRIK_EXPORT void DLL_LogDatei(const char* log, const char* fenLog);
GALDRIK_EXPORT void DLL_BuchPfad(const char* pfad);
GALDRIK_EXPORT void DLL_HashPfad(const char* pfad);
GALDRIK_EXPORT void DLL_MD5Pfad(const char* pfad);
GALDRIK_EXPORT void DLL_MD5LogPfad(const char* pfad);
GALDRIK_EXPORT void DLL_HashParam(int32_t exponent, int32_t breite, int32_t gegenfeld);
GALDRIK_EXPORT int32_t DLL_EngineInit();
GALDRIK_EXPORT int32_t DLL_EngineKill();
GALDRIK_EXPORT void DLL_Einstellen(int32_t nullzug, int32_t futility, int32_t erweiterungen,
                                   int32_t hashtabelle, int32_t buch, int32_t gegenfeld,
                                   int32_t ponder, int32_t still, int32_t tablebases);
GALDRIK_EXPORT void DLL_SetFigurName(const char* buchstaben);
GALDRIK_EXPORT void DLL_SetStatBez(const char* l0, const char* l1, const char* l2, const char* l3,
                                   const char* l4, const char* l5, const char* l6, const char* l7,
                                   const char* l8, const char* l9, const char* l10, const char* l11,
                                   const char* l12, const char* l13, const char* l14,
                                   const char* l15, const char* l16, const char* l17,
                                   const char* l18, const char* l19);
GALDRIK_EXPORT void DLL_AutoFENLog();
GALDRIK_EXPORT int32_t DLL_AutoFENAnz();
GALDRIK_EXPORT int32_t DLL_AutoFENFEN(int32_t nummer);

// Positions
GALDRIK_EXPORT void DLL_Grundstellung(int32_t* feld);
GALDRIK_EXPORT void DLL_Leerstellung(int32_t* feld);
GALDRIK_EXPORT void DLL_StellungGet(int32_t* feld);
GALDRIK_EXPORT int32_t DLL_StellungSet(const int32_t* feld);
GALDRIK_EXPORT void DLL_StellungSave();
GALDRIK_EXPORT void DLL_StellungLoad();
GALDRIK_EXPORT void DLL_StellungKill();
GALDRIK_EXPORT int32_t DLL_StellungLegal();
GALDRIK_EXPORT int32_t DLL_FENInput(const char* fen);
GALDRIK_EXPORT int32_t DLL_FENOutput(int32_t halbzug);
GALDRIK_EXPORT void DLL_PartieBeginn();
GALDRIK_EXPORT void DLL_PositionFix(int32_t halbzug);

// Moves
GALDRIK_EXPORT int32_t DLL_ZugAnz();
GALDRIK_EXPORT void DLL_ZugGet(int32_t* zug);
GALDRIK_EXPORT void DLL_ZugSet(const int32_t* zug);
GALDRIK_EXPORT int32_t DLL_ZugLegal();
GALDRIK_EXPORT int32_t DLL_ZugMachen(int32_t index);
GALDRIK_EXPORT int32_t DLL_PGNInput(const char* text, const char* buchstaben);
GALDRIK_EXPORT int32_t DLL_PGNOutput(int32_t index);

// Text buffer
GALDRIK_EXPORT int32_t DLL_StringByte(int32_t index);
GALDRIK_EXPORT char* DLL_String();

// Search control
GALDRIK_EXPORT void DLL_SuchParam(int32_t tiefe, int32_t weich, int32_t hart);
GALDRIK_EXPORT int32_t DLL_SuchStart();
GALDRIK_EXPORT int32_t DLL_SuchFertig();
GALDRIK_EXPORT int32_t DLL_SuchStatus();
GALDRIK_EXPORT void DLL_SuchTermin();
GALDRIK_EXPORT int32_t DLL_SuchInfo1(int32_t index);
GALDRIK_EXPORT void DLL_SuchInfo2();
GALDRIK_EXPORT int32_t DLL_SuchInfo3(int32_t zeile);
GALDRIK_EXPORT void DLL_GaldrikSet();

// EPD files and the EPD test
GALDRIK_EXPORT int32_t DLL_EPDLaden(const char* pfad);
GALDRIK_EXPORT int32_t DLL_EPDString(int32_t zeile);
GALDRIK_EXPORT int32_t DLL_EPDInterpret(int32_t zeile);
GALDRIK_EXPORT int32_t DLL_EPDTestStart(int32_t weich, int32_t hart);
GALDRIK_EXPORT void DLL_EPDTestStopp();
GALDRIK_EXPORT int32_t DLL_EPDTestFertig();
GALDRIK_EXPORT int32_t DLL_EPDTestStatus();
GALDRIK_EXPORT int32_t DLL_EPDTestInfo(int32_t zeile);
GALDRIK_EXPORT int32_t DLL_EPDTestStatistik(int32_t* geloest, int32_t* bearbeitet, int32_t* zeit);
GALDRIK_EXPORT int32_t DLL_EPDSpeichern(const char* pfad, const char* zeile, int32_t anhaengen);

// Keys and transposition table
GALDRIK_EXPORT int32_t DLL_HashCodeGen();
GALDRIK_EXPORT void DLL_HashLeeren();
GALDRIK_EXPORT int32_t DLL_HashReAllok();

// Opening book: compiles a book source (.bk1) into a compiled book (.bk2).
// -9 when a path is missing; else 0 done, 1 source not readable, 2 source
// malformed or no memory, 3 log not writable, 4 target not writable.
GALDRIK_EXPORT int32_t DLL_BuchGen(const char* quelle, const char* ziel);

// Evaluation
GALDRIK_EXPORT int32_t DLL_GegenfeldReAllok();

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
// The move at which the last DLL_PGNDateiPartieLoad stopped reading the
// movetext, with its move number ("2. Qxf7"), into the output buffer; its
// length, 0 when the game was read whole.
GALDRIK_EXPORT int32_t DLL_PGNDateiPartieAbbruch();
GALDRIK_EXPORT int32_t DLL_PGNDateiSchliessen();

// Statistics and timing tests
GALDRIK_EXPORT int32_t DLL_Bewertung();
GALDRIK_EXPORT int32_t DLL_SpeedTestEval(int32_t n);
GALDRIK_EXPORT int32_t DLL_SpeedTestMovegen(int32_t n);
GALDRIK_EXPORT int32_t DLL_TestZL();
GALDRIK_EXPORT int32_t DLL_TestLK();
// Statistics of a PGN file's games into the output buffer: its length, or
// -1..-4 the file cannot be indexed, -9 no path or a game that cannot be
// loaded, -10 no game. Creates the second file empty when one is named.
GALDRIK_EXPORT int32_t DLL_PGNStatistikErstellen(const char* pgnPfad, const char* zweiterPfad);
// Piece-square statistics of a FEN list: 0 written, -9 a path is missing,
// -1 the list cannot be read, -2 no memory for the counters, -3 the output
// cannot be written.
GALDRIK_EXPORT int32_t DLL_Fenograph(const char* fenListe, const char* ausgabe);
// The file's MD5 as 32 hex digits into the output buffer; "" and 0 when it
// cannot be read, -9 without a path.
GALDRIK_EXPORT int32_t DLL_MD5Dateisumme(const char* pfad);
