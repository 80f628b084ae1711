// The flat exports of the special database and its linking. The program
// binds them by name; the declarations here serve the library's own tests.
#pragma once

#include <cstdint>

#include "interface/export.h"

// The database. While the linking or an analysis run holds it, the calls
// that change it answer -4 and the readers answer as for no database.
GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankVorbereiten(int32_t kapazitaet);
GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankFertig(const char* pfad);
GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankLaden(const char* pfad);
GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankSchliessen();
GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankGrundInfo(int32_t* c0, int32_t* c1, int32_t* c2,
                                                          int32_t* c3, int32_t* c4, int32_t* c5);
// 0, or -1 (outs untouched) for an index outside the loaded records.
GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankElement(int32_t i, int32_t* f0, int32_t* f1,
                                                        int32_t* f2, int32_t* f3, int32_t* f4,
                                                        int32_t* f5, int32_t* epFeld,
                                                        int32_t* amZug, int32_t* wert,
                                                        int32_t* stufe, int32_t* zugFigur,
                                                        int32_t* zugZiel, int32_t* zugArt);

// A record's move sequence: the text (mode 2 PGN movetext, else the display
// form) in the output buffer, its length the result; the empty text for an
// index outside the records or while a job is at work. x, y and z have no
// effect.
GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankZugfolge(int32_t i, int32_t modus, int32_t x,
                                                         int32_t y, int32_t z);
// Appends record i as a PGN game: 0 written; -1 the file cannot be opened
// or written whole (it is then left as it was); -2 no such record; -4 a job
// is at work. x, y and z have no effect.
GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_StellungPGNSpeichern(int32_t i, const char* pfad, int32_t x,
                                                            int32_t y, int32_t z);

// The linking job.
GALDRIK_EXPORT int32_t DLL_TBAnaSpezDB_VernetzungStart(const char* pfad, int32_t extra,
                                                       int32_t schleifenTest);
GALDRIK_EXPORT void DLL_TBAnaSpezDB_VernetzungStopp();
GALDRIK_EXPORT int64_t DLL_TBAnaSpezDB_VernetzungStatus();
