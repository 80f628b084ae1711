// The manager's exports: argument checks and the step into the manager's
// routines.
#include "analysis/tbmanagexports.h"

#include <string>

#include "analysis/md5liste.h"
#include "analysis/tbmanager.h"
#include "analysis/tbmanagpruefung.h"
#include "analysis/tbmanagtabellen.h"
#include "interface/enginestate.h"
#include "tablebase/descriptor.h"

using namespace galdrik;

namespace {

std::string Text(const char* s) { return s ? s : ""; }

TBManagTexte Texte(const char* buchstaben, const char* bezWeiss, const char* bezSchwarz) {
  TBManagTexte t;
  t.buchstaben = Text(buchstaben);
  t.bezWeiss = Text(bezWeiss);
  t.bezSchwarz = Text(bezSchwarz);
  return t;
}

}  // namespace

GALDRIK_EXPORT int32_t DLL_TBManagInit(int32_t maenner, int32_t metrik, int32_t filter) {
  return TBManagInit(maenner, metrik, filter);
}

GALDRIK_EXPORT int32_t DLL_TBManagCheckStatus(int32_t element, int32_t seite, int32_t slot) {
  return TBManagCheckStatus(element, seite, slot);
}

GALDRIK_EXPORT int32_t DLL_TBManagElement(int32_t element, int32_t seite, int32_t slot,
                                          const char* buchstaben, const char* bezWeiss,
                                          const char* bezSchwarz, const char* registriert,
                                          const char* fehlt, const char* intakt,
                                          const char* fehlerhaft, const char* unklar,
                                          int32_t mitDatum) {
  TBManagTexte t = Texte(buchstaben, bezWeiss, bezSchwarz);
  t.registriert = Text(registriert);
  t.fehlt = Text(fehlt);
  t.intakt = Text(intakt);
  t.fehlerhaft = Text(fehlerhaft);
  t.unklar = Text(unklar);
  return AusgabeSchreiben(TBManagZeilentext(element, seite, slot, t, mitDatum == 1));
}

GALDRIK_EXPORT int32_t DLL_TBManagDateiInfo(int32_t element, int32_t* symmetrisch, int32_t* bit16,
                                            int32_t* extentsWeiss, int32_t* extentsSchwarz) {
  int32_t sym = 0, b16 = 0, geteilt = 0, e0 = 0, e1 = 0;
  uint64_t n0 = 0, n1 = 0;
  if (const TBManagElement* e = TBManagElementLesen(element))
    TbFileInfo(e->index, &sym, &b16, &geteilt, &n0, &n1, &e0, &e1);
  if (symmetrisch) *symmetrisch = sym;
  if (bit16) *bit16 = b16;
  if (extentsWeiss) *extentsWeiss = e0;
  if (extentsSchwarz) *extentsSchwarz = e1;
  return 0;
}

GALDRIK_EXPORT int32_t DLL_TBManagZeitLetztenTests(int32_t element, int32_t seite, int32_t slot,
                                                   int32_t* zeit) {
  const uint32_t t = TBManagPruefzeit(element, seite, slot);
  if (zeit) *zeit = static_cast<int32_t>(t);
  // A file that never passed has no date to show.
  return AusgabeSchreiben(t == 0 ? std::string() : TBManagZeittext(t));
}

GALDRIK_EXPORT int32_t DLL_TBManagDateiname(int32_t element, int32_t seite, int32_t slot) {
  const TBManagElement* e = TBManagElementLesen(element);
  const std::string name = e ? TBManagDateiname(e->index, seite, slot) : std::string();
  return AusgabeSchreiben(name.empty() ? "?" : name);
}

GALDRIK_EXPORT int32_t DLL_TBManagDirektBez(int32_t index, int32_t seite, int32_t slot,
                                            const char* buchstaben, const char* bezWeiss,
                                            const char* bezSchwarz) {
  return AusgabeSchreiben(
      TBManagBezeichnung(index, seite, slot, Texte(buchstaben, bezWeiss, bezSchwarz)));
}

GALDRIK_EXPORT int32_t DLL_TBManagDateiZuordnen(const char* pfad, int32_t* index, int32_t* seite,
                                                int32_t* slot) {
  if (!pfad) return 0;
  int32_t i = 0, s = 0, x = 0;
  const int32_t r = TBManagDateiZuordnen(pfad, i, s, x);
  if (r == 1) {
    if (index) *index = i;
    if (seite) *seite = s;
    if (slot) *slot = x;
  }
  return r;
}

GALDRIK_EXPORT int32_t DLL_TBManagMD5LogSchreiben() {
  return TBManagLogSchreiben(TBManagLogPfad());
}

GALDRIK_EXPORT int32_t DLL_TBManagIntegerStart(int32_t element, int32_t seite, int32_t slot,
                                               int32_t modus) {
  return TBManagIntegerStart(element, seite, slot, modus);
}

GALDRIK_EXPORT void DLL_TBManagIntegerStopp() { TBManagIntegerStopp(); }
GALDRIK_EXPORT int32_t DLL_TBManagIntegerStatus() { return TBManagIntegerStatus(); }
GALDRIK_EXPORT int32_t DLL_TBManagIntegerWert() { return TBManagIntegerWert(); }

GALDRIK_EXPORT int32_t DLL_TBManagMD5Doppelcheck() { return MD5ListeDoppelcheck(MD5ListePfad()); }

GALDRIK_EXPORT int32_t DLL_MD5Kollektor(const char* textPfad, const char* listePfad) {
  if (!textPfad) return -1;
  return MD5Kollektor(textPfad, Text(listePfad));
}
