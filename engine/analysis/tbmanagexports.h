// The tablebase manager's and the MD5 list's flat exports. Texts go to the
// shared output buffer; the result is their length.
#pragma once

#include <cstdint>

#include "interface/export.h"

GALDRIK_EXPORT int32_t DLL_TBManagInit(int32_t maenner, int32_t metrik, int32_t filter);
GALDRIK_EXPORT int32_t DLL_TBManagCheckStatus(int32_t element, int32_t seite, int32_t slot);
GALDRIK_EXPORT int32_t DLL_TBManagElement(int32_t element, int32_t seite, int32_t slot,
                                          const char* buchstaben, const char* bezWeiss,
                                          const char* bezSchwarz, const char* registriert,
                                          const char* fehlt, const char* intakt,
                                          const char* fehlerhaft, const char* unklar,
                                          int32_t mitDatum);
GALDRIK_EXPORT int32_t DLL_TBManagDateiInfo(int32_t element, int32_t* symmetrisch, int32_t* bit16,
                                            int32_t* extentsWeiss, int32_t* extentsSchwarz);
GALDRIK_EXPORT int32_t DLL_TBManagZeitLetztenTests(int32_t element, int32_t seite, int32_t slot,
                                                   int32_t* zeit);
GALDRIK_EXPORT int32_t DLL_TBManagDateiname(int32_t element, int32_t seite, int32_t slot);
GALDRIK_EXPORT int32_t DLL_TBManagDirektBez(int32_t index, int32_t seite, int32_t slot,
                                            const char* buchstaben, const char* bezWeiss,
                                            const char* bezSchwarz);
GALDRIK_EXPORT int32_t DLL_TBManagDateiZuordnen(const char* pfad, int32_t* index, int32_t* seite,
                                                int32_t* slot);
GALDRIK_EXPORT int32_t DLL_TBManagMD5LogSchreiben();

GALDRIK_EXPORT int32_t DLL_TBManagIntegerStart(int32_t element, int32_t seite, int32_t slot,
                                               int32_t modus);
GALDRIK_EXPORT void DLL_TBManagIntegerStopp();
GALDRIK_EXPORT int32_t DLL_TBManagIntegerStatus();
GALDRIK_EXPORT int32_t DLL_TBManagIntegerWert();
GALDRIK_EXPORT int32_t DLL_TBManagMD5Doppelcheck();
GALDRIK_EXPORT int32_t DLL_MD5Kollektor(const char* textPfad, const char* listePfad);
