// A stand-in for the engine library: the program's binding loads it like the
// real one. It records every call with its arguments (except the byte
// fetches of the output buffer), answers what the test scripted, keeps a
// position record the test can set, and writes scripted texts into its
// output buffer. Built also without its tablebase exports and without
// DLL_EngineInit, for the cases where the real library lacks them.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <string>

namespace {

char puffer[65536];
int32_t laenge = 0;
int32_t aufrufe = 0;

// One line per call: name(arguments), texts in quotes.
std::string protokoll;
// Scripted answers per export, taken from the front; the last one stays.
std::map<std::string, std::deque<int64_t>> antworten;

int64_t antwort64(const char* name, int64_t sonst) {
  auto it = antworten.find(name);
  if (it == antworten.end() || it->second.empty()) return sonst;
  const int64_t wert = it->second.front();
  if (it->second.size() > 1) it->second.pop_front();
  return wert;
}

int32_t antwort(const char* name, int32_t sonst) {
  return static_cast<int32_t>(antwort64(name, sonst));
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

// Scripted output texts by key (an export's name, or "name(i)" for an
// indexed one); each stays until it is set again.
std::map<std::string, std::string> ausgaben;

int32_t schreiben(const std::string& s) {
  laenge = static_cast<int32_t>(std::min(s.size(), sizeof puffer - 1));
  std::memcpy(puffer, s.data(), static_cast<size_t>(laenge));
  puffer[laenge] = 0;
  return laenge;
}

int32_t ausgeben(const std::string& schluessel, const std::string& sonst) {
  auto it = ausgaben.find(schluessel);
  return schreiben(it != ausgaben.end() ? it->second : sonst);
}

// The engine position as the records carry it: 64 piece codes, side to move,
// en-passant square, four castling rights, fifty-move counter, move number.
int32_t stellung[72];
int32_t zug[4];

void grundstellung() {
  static const int32_t reihe[8] = {4, 2, 3, 5, 6, 3, 2, 4};
  std::memset(stellung, 0, sizeof stellung);
  for (int f = 0; f < 8; ++f) {
    stellung[f] = reihe[f];
    stellung[8 + f] = 1;
    stellung[48 + f] = -1;
    stellung[56 + f] = -reihe[f];
  }
  stellung[64] = 1;
  stellung[65] = 255;
  for (int i = 66; i < 70; ++i) stellung[i] = 1;
  stellung[71] = 1;
}

const char kBuchstaben[] = "PNBRQK";

// Placement and side to move of a FEN text; the rest is left as it was.
void fenLesen(const char* fen, int32_t halbzug) {
  int32_t neu[64] = {};
  int feld = 56;
  const char* c = fen;
  for (; *c && *c != ' '; ++c) {
    if (*c == '/') {
      feld = (feld / 8 - 2) * 8;
    } else if (*c >= '1' && *c <= '8') {
      feld += *c - '0';
    } else if (feld >= 0 && feld < 64) {
      const char* b = std::strchr(kBuchstaben, *c & ~0x20);
      if (b) neu[feld] = static_cast<int32_t>(b - kBuchstaben + 1) * (*c & 0x20 ? -1 : 1);
      ++feld;
    }
  }
  std::memcpy(stellung, neu, sizeof neu);
  stellung[64] = (*c && c[1] == 'b') ? 0 : 1;
  stellung[65] = 255;
  for (int i = 66; i < 70; ++i) stellung[i] = 0;
  stellung[71] = (halbzug + 1) / 2;
}

std::string fenSchreiben(int32_t halbzug) {
  std::string s;
  for (int r = 7; r >= 0; --r) {
    int leer = 0;
    for (int f = 0; f < 8; ++f) {
      const int32_t p = stellung[r * 8 + f];
      if (p == 0) {
        ++leer;
        continue;
      }
      if (leer) s += static_cast<char>('0' + leer);
      leer = 0;
      const char b = kBuchstaben[(p < 0 ? -p : p) - 1];
      s += p < 0 ? static_cast<char>(b | 0x20) : b;
    }
    if (leer) s += static_cast<char>('0' + leer);
    if (r) s += '/';
  }
  return s + (stellung[64] ? " w" : " b") + " - - 0 " + std::to_string((halbzug + 1) / 2);
}

struct Start {
  Start() { grundstellung(); }
} start;

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

// The tablebase jobs

STANDIN_EXPORT void DLL_TBAnaStopp() { notieren("DLL_TBAnaStopp"); }

STANDIN_EXPORT int32_t DLL_TBAnaStatus() {
  notieren("DLL_TBAnaStatus");
  return antwort("DLL_TBAnaStatus", 0);
}

STANDIN_EXPORT int32_t DLL_TBAnaGetPosStr(int32_t n) {
  notieren("DLL_TBAnaGetPosStr", zahlen({n}));
  return ausgeben("DLL_TBAnaGetPosStr(" + std::to_string(n) + ")", "");
}

STANDIN_EXPORT void DLL_TBZugfolgeStopp() { notieren("DLL_TBZugfolgeStopp"); }

STANDIN_EXPORT int32_t DLL_TBZugfolgeStatus(int32_t* tiefe) {
  notieren("DLL_TBZugfolgeStatus");
  if (tiefe) *tiefe = antwort("DLL_TBZugfolgeStatus", -1);
  return schreiben("");
}

STANDIN_EXPORT void DLL_TBAnaSpezDB_VernetzungStopp() {
  notieren("DLL_TBAnaSpezDB_VernetzungStopp");
}

STANDIN_EXPORT int64_t DLL_TBAnaSpezDB_VernetzungStatus() {
  notieren("DLL_TBAnaSpezDB_VernetzungStatus");
  return antwort64("DLL_TBAnaSpezDB_VernetzungStatus", -1);
}

STANDIN_EXPORT int32_t DLL_TBAnaFortschritt() {
  notieren("DLL_TBAnaFortschritt");
  return antwort("DLL_TBAnaFortschritt", 0);
}

STANDIN_EXPORT int32_t DLL_TBAnaZeitPrognose() {
  notieren("DLL_TBAnaZeitPrognose");
  return antwort("DLL_TBAnaZeitPrognose", 1);
}

STANDIN_EXPORT void DLL_TBAnaZwischenergebnis(int64_t* geprueft, int64_t* gefunden) {
  notieren("DLL_TBAnaZwischenergebnis");
  if (geprueft) *geprueft = antwort64("DLL_TBAnaZwischenergebnis.Geprueft", 0);
  if (gefunden) *gefunden = antwort64("DLL_TBAnaZwischenergebnis.Gefunden", 0);
}

STANDIN_EXPORT int32_t DLL_TBAnaErgebnis(int64_t* anzahl) {
  notieren("DLL_TBAnaErgebnis");
  if (anzahl) *anzahl = antwort64("DLL_TBAnaErgebnis.Anzahl", 0);
  return antwort("DLL_TBAnaErgebnis", 0);
}

// Result n is the position the test set, with the value n.
STANDIN_EXPORT void DLL_TBAnaGetPos(int32_t* feld, int32_t n, int32_t* wert) {
  notieren("DLL_TBAnaGetPos", zahlen({n}));
  if (feld) std::memcpy(feld, stellung, sizeof stellung);
  if (wert) *wert = n;
}

STANDIN_EXPORT int32_t DLL_TBAnaSpezDB_DatenbankFertig(const char* pfad) {
  notieren("DLL_TBAnaSpezDB_DatenbankFertig", text(pfad));
  return antwort("DLL_TBAnaSpezDB_DatenbankFertig", 0);
}

STANDIN_EXPORT int32_t DLL_TBAnaRFEPMatrixFinish(const char* pfad) {
  notieren("DLL_TBAnaRFEPMatrixFinish", text(pfad));
  return antwort("DLL_TBAnaRFEPMatrixFinish", 0);
}

STANDIN_EXPORT int32_t DLL_TBZugfolgePGN(const char* pfad) {
  notieren("DLL_TBZugfolgePGN", text(pfad));
  return antwort("DLL_TBZugfolgePGN", 0);
}

STANDIN_EXPORT int32_t DLL_TBStatGet(int32_t i) {
  notieren("DLL_TBStatGet", zahlen({i}));
  return ausgeben("DLL_TBStatGet(" + std::to_string(i) + ")", "");
}

STANDIN_EXPORT void DLL_TBManagIntegerStopp() { notieren("DLL_TBManagIntegerStopp"); }

STANDIN_EXPORT int32_t DLL_TBManagIntegerStatus() {
  notieren("DLL_TBManagIntegerStatus");
  return antwort("DLL_TBManagIntegerStatus", -1);
}
#endif

// Positions and moves

STANDIN_EXPORT void DLL_PartieBeginn() {
  notieren("DLL_PartieBeginn");
  grundstellung();
}

STANDIN_EXPORT void DLL_StellungGet(int32_t* feld) {
  notieren("DLL_StellungGet");
  if (feld) std::memcpy(feld, stellung, sizeof stellung);
}

STANDIN_EXPORT void DLL_StellungSet(const int32_t* feld) {
  notieren("DLL_StellungSet");
  if (feld) std::memcpy(stellung, feld, sizeof stellung);
}

STANDIN_EXPORT void DLL_Leerstellung(int32_t* feld) {
  notieren("DLL_Leerstellung");
  if (!feld) return;
  std::memset(feld, 0, sizeof stellung);
  feld[64] = 1;
  feld[65] = 255;
  feld[71] = 1;
}

// Takes the placement and side of an accepted text (answer 0 or more; by
// default the half-move of move 1 for the side to move).
STANDIN_EXPORT int32_t DLL_FENInput(const char* fen) {
  notieren("DLL_FENInput", text(fen));
  if (!fen) return -9;
  const char* seite = std::strchr(fen, ' ');
  const int32_t r = antwort("DLL_FENInput", seite && seite[1] == 'b' ? 2 : 1);
  if (r >= 0) fenLesen(fen, r);
  return r;
}

STANDIN_EXPORT int32_t DLL_FENOutput(int32_t halbzug) {
  notieren("DLL_FENOutput", zahlen({halbzug}));
  return ausgeben("DLL_FENOutput", fenSchreiben(halbzug));
}

STANDIN_EXPORT void DLL_PositionFix(int32_t halbzug) {
  notieren("DLL_PositionFix", zahlen({halbzug}));
}

STANDIN_EXPORT int32_t DLL_ZugAnz() {
  notieren("DLL_ZugAnz");
  return antwort("DLL_ZugAnz", 20);
}

STANDIN_EXPORT void DLL_ZugGet(int32_t* z) {
  notieren("DLL_ZugGet");
  if (z) std::memcpy(z, zug, sizeof zug);
}

STANDIN_EXPORT void DLL_ZugSet(const int32_t* z) {
  if (!z) return;
  std::memcpy(zug, z, sizeof zug);
  notieren("DLL_ZugSet", zahlen({z[0], z[1], z[2], z[3]}));
}

STANDIN_EXPORT int32_t DLL_ZugLegal() {
  notieren("DLL_ZugLegal");
  return antwort("DLL_ZugLegal", 0);
}

// A played move moves the piece, so the board shows it.
STANDIN_EXPORT void DLL_ZugMachen(int32_t index) {
  notieren("DLL_ZugMachen", zahlen({index}));
  if (index < 0 || zug[0] < 0 || zug[0] > 63 || zug[1] < 0 || zug[1] > 63) return;
  stellung[zug[1]] = stellung[zug[0]];
  stellung[zug[0]] = 0;
  stellung[64] = 1 - stellung[64];
}

namespace {
// The saved positions, newest first, five at most as in the engine.
std::deque<std::array<int32_t, 72>> gesichert;
}  // namespace

STANDIN_EXPORT void DLL_StellungSave() {
  notieren("DLL_StellungSave");
  std::array<int32_t, 72> kopie;
  std::memcpy(kopie.data(), stellung, sizeof stellung);
  gesichert.push_front(kopie);
  if (gesichert.size() > 5) gesichert.pop_back();
}
STANDIN_EXPORT void DLL_StellungLoad() {
  notieren("DLL_StellungLoad");
  if (gesichert.empty()) return;
  std::memcpy(stellung, gesichert.front().data(), sizeof stellung);
  gesichert.pop_front();
}
STANDIN_EXPORT void DLL_StellungKill() {
  notieren("DLL_StellungKill");
  if (!gesichert.empty()) gesichert.pop_front();
}
STANDIN_EXPORT void DLL_AutoFENLog() { notieren("DLL_AutoFENLog"); }

// No move matches unless the test scripted an index.
STANDIN_EXPORT int32_t DLL_PGNInput(const char* zugtext, const char* buchstaben) {
  notieren("DLL_PGNInput", texte({zugtext, buchstaben}));
  if (!zugtext || !buchstaben) return -9;
  return antwort("DLL_PGNInput", -1);
}

// Moving through the game record and editing it

STANDIN_EXPORT void DLL_ZugKlick(int32_t position) { notieren("DLL_ZugKlick", zahlen({position})); }
STANDIN_EXPORT void DLL_ZugMinus() { notieren("DLL_ZugMinus"); }
STANDIN_EXPORT void DLL_ZugPlus() { notieren("DLL_ZugPlus"); }
STANDIN_EXPORT void DLL_SetNAG(int32_t code) { notieren("DLL_SetNAG", zahlen({code})); }
STANDIN_EXPORT void DLL_SetComment(const char* kommentar) {
  notieren("DLL_SetComment", text(kommentar));
}
STANDIN_EXPORT int32_t DLL_GetComment() {
  notieren("DLL_GetComment");
  return ausgeben("DLL_GetComment", "");
}
STANDIN_EXPORT void DLL_ZugKill() { notieren("DLL_ZugKill"); }
STANDIN_EXPORT void DLL_ZugAufwerten() { notieren("DLL_ZugAufwerten"); }

// Game record and evaluation

STANDIN_EXPORT int32_t DLL_PartieNotation(const char* buchstaben) {
  notieren("DLL_PartieNotation", text(buchstaben));
  return ausgeben("DLL_PartieNotation", "");
}

// Leaves the outputs untouched unless the test scripted them, as the engine
// does at the root of the game.
STANDIN_EXPORT void DLL_ZugMark(int32_t* anfang, int32_t* ende) {
  notieren("DLL_ZugMark");
  if (antworten.count("DLL_ZugMark.Anfang")) *anfang = antwort("DLL_ZugMark.Anfang", 0);
  if (antworten.count("DLL_ZugMark.Ende")) *ende = antwort("DLL_ZugMark.Ende", 0);
}

STANDIN_EXPORT int32_t DLL_PartieStatus() {
  notieren("DLL_PartieStatus");
  return antwort("DLL_PartieStatus", 0);
}

STANDIN_EXPORT void DLL_PartieStruktSave() { notieren("DLL_PartieStruktSave"); }

STANDIN_EXPORT int32_t DLL_Bewertung() {
  notieren("DLL_Bewertung");
  return antwort("DLL_Bewertung", 0);
}

// Search

STANDIN_EXPORT void DLL_SuchParam(int32_t tiefe, int32_t weich, int32_t hart) {
  notieren("DLL_SuchParam", zahlen({tiefe, weich, hart}));
}

STANDIN_EXPORT int32_t DLL_SuchStart() {
  notieren("DLL_SuchStart");
  return antwort("DLL_SuchStart", 0);
}

STANDIN_EXPORT int32_t DLL_SuchFertig() {
  notieren("DLL_SuchFertig");
  return antwort("DLL_SuchFertig", 1);
}

STANDIN_EXPORT int32_t DLL_SuchStatus() {
  notieren("DLL_SuchStatus");
  return antwort("DLL_SuchStatus", 0);
}

STANDIN_EXPORT void DLL_SuchTermin() { notieren("DLL_SuchTermin"); }

STANDIN_EXPORT int32_t DLL_SuchInfo1(int32_t i) {
  notieren("DLL_SuchInfo1", zahlen({i}));
  return ausgeben("DLL_SuchInfo1(" + std::to_string(i) + ")", "Info " + std::to_string(i));
}

STANDIN_EXPORT void DLL_SuchInfo2() { notieren("DLL_SuchInfo2"); }

STANDIN_EXPORT int32_t DLL_SuchInfo3(int32_t i) {
  notieren("DLL_SuchInfo3", zahlen({i}));
  return ausgeben("DLL_SuchInfo3(" + std::to_string(i) + ")", "Statistik " + std::to_string(i));
}

STANDIN_EXPORT void DLL_GaldrikSet() { notieren("DLL_GaldrikSet"); }

// The EPD test job

STANDIN_EXPORT void DLL_EPDTestStopp() { notieren("DLL_EPDTestStopp"); }

STANDIN_EXPORT int32_t DLL_EPDTestFertig() {
  notieren("DLL_EPDTestFertig");
  return antwort("DLL_EPDTestFertig", 1);
}

// The byte at position i of the buffer; 0 outside it.
STANDIN_EXPORT int32_t DLL_StringByte(int32_t i) {
  ++aufrufe;
  if (i < 0 || i >= static_cast<int32_t>(sizeof puffer)) return 0;
  return static_cast<unsigned char>(puffer[i]);
}

STANDIN_EXPORT void DLL_PartiePGNSet(const char* event, const char* site, const char* date,
                                     const char* white, const char* black, const char* round,
                                     const char* result) {
  notieren("DLL_PartiePGNSet", texte({event, site, date, white, black, round, result}));
}

STANDIN_EXPORT int32_t DLL_DateiSpeichern(const char* pfad, int32_t anhaengen) {
  notieren("DLL_DateiSpeichern", text(pfad) + "," + std::to_string(anhaengen));
  return antwort("DLL_DateiSpeichern", 0);
}

// The PGN database: the game count and the loads answer what the test
// scripted; a field writes the text scripted under "DLL_PGNDateiPartieInfo(game,field)".

STANDIN_EXPORT int32_t DLL_PGNDateiLaden(const char* pfad) {
  notieren("DLL_PGNDateiLaden", text(pfad));
  return antwort("DLL_PGNDateiLaden", 0);
}

STANDIN_EXPORT int32_t DLL_PGNDateiPartieInfo(int32_t spiel, int32_t feld) {
  notieren("DLL_PGNDateiPartieInfo", zahlen({spiel, feld}));
  return ausgeben("DLL_PGNDateiPartieInfo(" + zahlen({spiel, feld}) + ")", "");
}

STANDIN_EXPORT int32_t DLL_PGNDateiPartieLoad(const char* pfad, int32_t spiel) {
  notieren("DLL_PGNDateiPartieLoad", text(pfad) + "," + std::to_string(spiel));
  return antwort("DLL_PGNDateiPartieLoad", 0);
}

STANDIN_EXPORT int32_t DLL_PGNDateiPartieAbbruch() {
  notieren("DLL_PGNDateiPartieAbbruch", "");
  return ausgeben("DLL_PGNDateiPartieAbbruch", "");
}

STANDIN_EXPORT int32_t DLL_PGNDateiSchliessen() {
  notieren("DLL_PGNDateiSchliessen");
  return 0;
}

STANDIN_EXPORT int32_t DLL_EPDSpeichern(const char* pfad, const char* zeile, int32_t anhaengen) {
  notieren("DLL_EPDSpeichern", texte({pfad, zeile}) + "," + std::to_string(anhaengen));
  return antwort("DLL_EPDSpeichern", 0);
}

// The transposition table

STANDIN_EXPORT int32_t DLL_HashReAllok() {
  notieren("DLL_HashReAllok");
  return antwort("DLL_HashReAllok", 0);
}

STANDIN_EXPORT void DLL_HashLeeren() { notieren("DLL_HashLeeren"); }

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

STANDIN_EXPORT void Standin_Antwort64(const char* name, int64_t wert) {
  antworten[name].push_back(wert);
}

// Puts a position record (72 values) in place of the engine's.
STANDIN_EXPORT void Standin_StellungSetzen(const int32_t* feld) {
  if (feld) std::memcpy(stellung, feld, sizeof stellung);
}

// The text an export writes into the output buffer from now on; the key is
// the export's name, or "name(i)" for an export that takes an index.
STANDIN_EXPORT void Standin_TextSetzen(const char* schluessel, const char* text) {
  ausgaben[schluessel] = text ? text : "";
}

// Forgets the calls, the scripted answers and texts, and sets up the
// initial position.
STANDIN_EXPORT void Standin_Zuruecksetzen() {
  protokoll.clear();
  antworten.clear();
  ausgaben.clear();
  grundstellung();
  std::memset(zug, 0, sizeof zug);
  gesichert.clear();
}
