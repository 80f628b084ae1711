// A stand-in for the engine library: the program's binding loads it like the
// real one. It records every call of the start-up, label, move and PGN-save
// exports with its arguments, answers what the test scripted, and keeps an
// output buffer the test fills. Built also without its tablebase exports
// and without DLL_EngineInit, for the cases where the real library lacks
// them.
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <string>

namespace {

char puffer[1024];
int32_t laenge = 0;
int32_t aufrufe = 0;

// One line per call: name(arguments), texts in quotes.
std::string protokoll;
// Scripted answers per export, taken from the front; the last one stays.
std::map<std::string, std::deque<int32_t>> antworten;

int32_t antwort(const char* name, int32_t sonst) {
  auto it = antworten.find(name);
  if (it == antworten.end() || it->second.empty()) return sonst;
  const int32_t wert = it->second.front();
  if (it->second.size() > 1) it->second.pop_front();
  return wert;
}

std::string text(const char* s) { return s ? "\"" + std::string(s) + "\"" : "NULL"; }

void notieren(const std::string& name, const std::string& argumente = {}) {
  protokoll += name + "(" + argumente + ")\n";
}

std::string zahlen(std::initializer_list<int32_t> werte) {
  std::string s;
  for (int32_t w : werte) s += (s.empty() ? "" : ",") + std::to_string(w);
  return s;
}

std::string texte(std::initializer_list<const char*> werte) {
  std::string s;
  for (const char* w : werte) s += (s.empty() ? "" : ",") + text(w);
  return s;
}

}  // namespace

#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))

STANDIN_EXPORT int32_t DLL_CheckMMX() {
  notieren("DLL_CheckMMX");
  return antwort("DLL_CheckMMX", 1);
}

STANDIN_EXPORT void DLL_LogDatei(const char* log, const char* fen) {
  notieren("DLL_LogDatei", texte({log, fen}));
}
STANDIN_EXPORT void DLL_BuchPfad(const char* pfad) { notieren("DLL_BuchPfad", text(pfad)); }
STANDIN_EXPORT void DLL_HashPfad(const char* pfad) { notieren("DLL_HashPfad", text(pfad)); }
STANDIN_EXPORT void DLL_MD5Pfad(const char* pfad) { notieren("DLL_MD5Pfad", text(pfad)); }
STANDIN_EXPORT void DLL_MD5LogPfad(const char* pfad) { notieren("DLL_MD5LogPfad", text(pfad)); }
STANDIN_EXPORT void DLL_HashParam(int32_t index, int32_t eintraege, int32_t gegenfeld) {
  notieren("DLL_HashParam", zahlen({index, eintraege, gegenfeld}));
}

#ifndef STANDIN_OHNE_ENGINEINIT
STANDIN_EXPORT int32_t DLL_EngineInit() {
  notieren("DLL_EngineInit");
  return antwort("DLL_EngineInit", 0);
}
#endif

STANDIN_EXPORT int32_t DLL_EngineKill() {
  notieren("DLL_EngineKill");
  return 0;
}

STANDIN_EXPORT void DLL_Einstellen(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e, int32_t f,
                                   int32_t g, int32_t h, int32_t i) {
  notieren("DLL_Einstellen", zahlen({a, b, c, d, e, f, g, h, i}));
}

STANDIN_EXPORT void DLL_SetFigurName(const char* buchstaben) {
  notieren("DLL_SetFigurName", text(buchstaben));
}

STANDIN_EXPORT void DLL_SetStatBez(const char* l0, const char* l1, const char* l2, const char* l3,
                                   const char* l4, const char* l5, const char* l6, const char* l7,
                                   const char* l8, const char* l9, const char* l10, const char* l11,
                                   const char* l12, const char* l13, const char* l14,
                                   const char* l15, const char* l16, const char* l17,
                                   const char* l18, const char* l19) {
  notieren("DLL_SetStatBez", texte({l0,  l1,  l2,  l3,  l4,  l5,  l6,  l7,  l8,  l9,
                                    l10, l11, l12, l13, l14, l15, l16, l17, l18, l19}));
}

#ifndef STANDIN_OHNE_TB
STANDIN_EXPORT void DLL_TBBezSet(const char* l0, const char* l1, const char* l2, const char* l3,
                                 const char* l4, const char* l5, const char* l6, const char* l7,
                                 const char* l8, const char* l9, const char* l10, const char* l11,
                                 const char* l12, const char* l13, const char* l14, const char* l15,
                                 const char* l16, const char* l17, const char* l18) {
  notieren("DLL_TBBezSet", texte({l0, l1, l2, l3, l4, l5, l6, l7, l8, l9, l10, l11, l12, l13, l14,
                                  l15, l16, l17, l18}));
}

STANDIN_EXPORT int32_t DLL_TBInit(const char* pfad, int32_t satz) {
  notieren("DLL_TBInit", text(pfad) + "," + std::to_string(satz));
  return antwort("DLL_TBInit", 0);
}

STANDIN_EXPORT int32_t DLL_TBError() {
  notieren("DLL_TBError");
  return antwort("DLL_TBError", 0);
}

STANDIN_EXPORT int32_t DLL_TBCache(int32_t bytes) {
  notieren("DLL_TBCache", zahlen({bytes}));
  return antwort("DLL_TBCache", 0);
}

STANDIN_EXPORT void DLL_TBMetrik(int32_t metrik) { notieren("DLL_TBMetrik", zahlen({metrik})); }
#endif

// The byte at position i of the buffer; 0 outside it.
STANDIN_EXPORT int32_t DLL_StringByte(int32_t i) {
  ++aufrufe;
  if (i < 0 || i >= static_cast<int32_t>(sizeof puffer)) return 0;
  return static_cast<unsigned char>(puffer[i]);
}

// The move record the program hands over, and the answers it scripts.
STANDIN_EXPORT void DLL_ZugSet(const int32_t* zug) {
  notieren("DLL_ZugSet", zug ? zahlen({zug[0], zug[1], zug[2], zug[3]}) : "NULL");
}

STANDIN_EXPORT int32_t DLL_ZugLegal() {
  notieren("DLL_ZugLegal");
  return antwort("DLL_ZugLegal", 0);
}

STANDIN_EXPORT void DLL_ZugMachen(int32_t index) { notieren("DLL_ZugMachen", zahlen({index})); }

STANDIN_EXPORT void DLL_PartiePGNSet(const char* event, const char* site, const char* date,
                                     const char* white, const char* black, const char* round,
                                     const char* result) {
  notieren("DLL_PartiePGNSet", texte({event, site, date, white, black, round, result}));
}

STANDIN_EXPORT int32_t DLL_DateiSpeichern(const char* pfad, int32_t anhaengen) {
  notieren("DLL_DateiSpeichern", text(pfad) + "," + std::to_string(anhaengen));
  return antwort("DLL_DateiSpeichern", 0);
}

// Copies the bytes into the buffer, returns their count and starts counting
// the byte fetches afresh.
STANDIN_EXPORT int32_t Standin_PufferSetzen(const char* text) {
  aufrufe = 0;
  laenge = text ? static_cast<int32_t>(std::strlen(text)) : 0;
  if (laenge >= static_cast<int32_t>(sizeof puffer)) laenge = sizeof puffer - 1;
  if (text) std::memcpy(puffer, text, static_cast<size_t>(laenge));
  puffer[laenge] = 0;
  return laenge;
}

STANDIN_EXPORT int32_t Standin_Aufrufe() { return aufrufe; }

// The calls so far, one per line.
STANDIN_EXPORT const char* Standin_Protokoll() { return protokoll.c_str(); }

// Appends an answer for the export; several make a sequence.
STANDIN_EXPORT void Standin_Antwort(const char* name, int32_t wert) {
  antworten[name].push_back(wert);
}

// Forgets the calls and the scripted answers.
STANDIN_EXPORT void Standin_Zuruecksetzen() {
  protokoll.clear();
  antworten.clear();
}
