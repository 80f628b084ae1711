// Start-up and teardown of the engine, its paths, sizes and switches, the
// processor check, notation letters and statistics labels, and the
// automatic FEN log.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "core/book.h"
#include "core/contactmasks.h"
#include "core/evalterms.h"
#include "core/fen.h"
#include "core/figstat.h"
#include "core/gegenfeld.h"
#include "core/kpk.h"
#include "core/log.h"
#include "core/random.h"
#include "core/search.h"
#include "core/suchoptionen.h"
#include "core/textfile.h"
#include "core/tt.h"
#include "core/zobrist.h"
#include "interface/config.h"
#include "interface/enginestate.h"
#include "interface/epd.h"
#include "interface/galdrik_exports.h"
#include "interface/jobs.h"
#include "interface/partie.h"

using namespace galdrik;

namespace {

// Runs one real packed-integer instruction and checks its result.
bool PackedAddLaeuft() {
#if defined(__x86_64__) || defined(__i386__)
  uint64_t a = 0x0102030405060708ULL, b = 0x1010101010101010ULL, r = 0;
  asm volatile(
      "movq %1, %%mm0\n\t"
      "movq %2, %%mm1\n\t"
      "paddb %%mm1, %%mm0\n\t"
      "movq %%mm0, %0\n\t"
      "emms"
      : "=m"(r)
      : "m"(a), "m"(b)
      : "mm0", "mm1");
  return r == 0x1112131415161718ULL;
#else
  volatile uint64_t a = 0x0102030405060708ULL;
  return a + 0x1010101010101010ULL == 0x1112131415161718ULL;
#endif
}

// A path as given, NULL as the empty text, cut at the length the engine keeps.
std::string Pfad(const char* text, size_t grenze) {
  if (!text) return {};
  return std::string(text, strnlen(text, grenze));
}

// One start-up step: its log line on success, the line with the error mark
// and a message on standard output on failure.
bool Schritt(bool ok, const char* zeile, const char* meldung = nullptr) {
  std::string text = zeile;
  if (!ok) {
    text += ": !!Fehler!!";
    if (meldung) std::fputs(meldung, stdout);
  }
  LogZeile(text + "\n");
  return ok;
}

void EngineAbbauen() {
  // No job may outlive the tables it works on.
  JobsBeenden();
  PartieFrei();
  BitbaseKBKFreigeben();
  SuchVariablenFreigeben();
  EPDDateiFrei();
  BuchFrei();
  HashFrei();
  GegenfeldHashFrei();
  FigStatFreigeben();
}

// A process that ends, or unloads the library, without DLL_EngineKill still
// gets the teardown: registered once the state it frees exists, so that it
// runs before that state itself is destroyed.
void KeinWeitererJob() {}

void AbbauBeimEntladen() {
  JobBeendenAnmelden(&KeinWeitererJob);  // the list of the layers' jobs
  Partie();
  Suche();
  TT();
  Buch();
  FigStat();
  Engine();
  SuchThreadJob();
  EPDThreadJob();
  static const struct Abbau {
    ~Abbau() { EngineAbbauen(); }
  } abbau;
}

}  // namespace

GALDRIK_EXPORT int32_t DLL_CheckMMX() { return PackedAddLaeuft() ? 1 : 0; }

GALDRIK_EXPORT void DLL_LogDatei(const char* log, const char* fenLog) {
  LogPfadSetzen(Pfad(log, 1023));
  Konfiguration().fenLogPfad = Pfad(fenLog, 1023);
}

GALDRIK_EXPORT void DLL_BuchPfad(const char* pfad) { Konfiguration().buchPfad = Pfad(pfad, 999); }
GALDRIK_EXPORT void DLL_HashPfad(const char* pfad) { Konfiguration().hashPfad = Pfad(pfad, 999); }
GALDRIK_EXPORT void DLL_MD5Pfad(const char* pfad) { Konfiguration().md5Pfad = Pfad(pfad, 1023); }
GALDRIK_EXPORT void DLL_MD5LogPfad(const char* pfad) {
  Konfiguration().md5LogPfad = Pfad(pfad, 1023);
}

GALDRIK_EXPORT void DLL_HashParam(int32_t exponent, int32_t breite, int32_t gegenfeld) {
  EngineKonfiguration& k = Konfiguration();
  k.hashExponent = static_cast<uint8_t>(exponent & 0xFF);
  k.hashBreite = static_cast<uint8_t>(breite & 0xFF);
  k.gegenfeldAnzahl = static_cast<uint32_t>(gegenfeld);
  if (k.hashExponent == 0) k.hashExponent = 1;
  if (k.hashBreite == 0) k.hashBreite = 1;
  if (k.gegenfeldAnzahl == 0) k.gegenfeldAnzahl = 1;
}

GALDRIK_EXPORT int32_t DLL_EngineInit() {
  AbbauBeimEntladen();
  EngineZufall().setzen(static_cast<uint32_t>(std::time(nullptr)));
  JobsBeenden();
  HashFrei();
  BuchFrei();

  LogStart();
  AngriffstabellenInit();
  Schritt(true, "LUT generiert");
  AngriffsmaskenInit();
  Schritt(true, "EGTB-LUT generiert");
  StatistikVariablenInit();
  Schritt(true, "Stat.-Var. initialisiert");
  if (!Schritt(SuchVariablenInit() == 0, "Such-Var. initialisiert",
               "Fehler beim Initalisieren der Suchvariablen!\n"))
    return 1;
  if (!Schritt(HashCodeKeysLaden(KeyDateiPfad()) == 0, "Hashcode-Keys eingelesen",
               "Fehler beim Einlesen der Hashcode-Keys!\n"))
    return 2;
  const EngineKonfiguration& k = Konfiguration();
  if (!Schritt(HashAllok(k.hashExponent, k.hashBreite) == 0, "Hash-Tab. allokiert",
               "Fehler beim Allokieren der Hashtabellen!\n"))
    return 3;
  PartieNeu();
  Schritt(true, "Partie-Infos initialisiert");
  StellungUebernehmen(Grundstellung());

  if (SuchOptionen().buch == 1) {
    // A missing book is no reason to stop: the engine searches instead.
    if (Schritt(BuchEinlesen(k.buchPfad) == BuchGelesen, "Buch eingelesen",
                "Fehler beim Einlesen des Eroeffnungsbuches!\n")) {
      BuchHashen();
      Schritt(true, "Buch gehasht");
    }
  }

  if (!Schritt(BitbaseKBKGenerieren() == 0, "Bitbase KBK generiert",
               "Fehler beim Generieren der Bitbases!\n"))
    return 5;

  if (k.gegenfeldAnzahl == 0) {
    LogZeile("keine gültige GegenfeldHash-Anzahl\n");
    std::fputs("keine gültige GegenfeldHash-Anzahl!\n", stdout);
    return 6;
  }
  // Logs its own line; a failed allocation leaves an empty cache and start-up goes on.
  if (GegenfeldHashAllok(k.gegenfeldAnzahl) != 0) Konfiguration().gegenfeldAnzahl = 0;

  BewertungMaskenInit();
  JobsZuruecksetzen();
  return 0;
}

GALDRIK_EXPORT int32_t DLL_EngineKill() {
  EngineAbbauen();
  return 0;
}

GALDRIK_EXPORT void DLL_Einstellen(int32_t nullzug, int32_t futility, int32_t erweiterungen,
                                   int32_t hashtabelle, int32_t buch, int32_t gegenfeld,
                                   int32_t ponder, int32_t still, int32_t tablebases) {
  AusserhalbDerJobs(Vormerkung::Suchschalter, [=] {
    Suchoptionen& o = SuchOptionen();
    o.nullzug = nullzug != 0;
    o.futility = futility != 0;
    o.erweiterungen = erweiterungen != 0;
    o.hashtabelle = hashtabelle != 0;
    o.buch = static_cast<uint8_t>(buch & 1);
    o.buchVarianz = buch >> 1;
    o.gegenfeldModus = gegenfeld;
    o.ponder = ponder != 0;
    o.still = still != 0;
    o.tablebases = tablebases != 0;
  });
}

GALDRIK_EXPORT void DLL_SetFigurName(const char* buchstaben) {
  if (!buchstaben) return;
  const std::string neu(buchstaben, strnlen(buchstaben, 6));
  AusserhalbDerJobs(Vormerkung::Buchstaben, [neu] {
    char* ziel = Suche().notationsBuchstaben;
    std::memcpy(ziel, neu.data(), neu.size());
    ziel[neu.size()] = '\0';
  });
}

GALDRIK_EXPORT void DLL_SetStatBez(const char* l0, const char* l1, const char* l2, const char* l3,
                                   const char* l4, const char* l5, const char* l6, const char* l7,
                                   const char* l8, const char* l9, const char* l10, const char* l11,
                                   const char* l12, const char* l13, const char* l14,
                                   const char* l15, const char* l16, const char* l17,
                                   const char* l18, const char* l19) {
  const char* texte[20] = {l0,  l1,  l2,  l3,  l4,  l5,  l6,  l7,  l8,  l9,
                           l10, l11, l12, l13, l14, l15, l16, l17, l18, l19};
  for (int i = 0; i < 20; ++i) Konfiguration().statBez[i] = Pfad(texte[i], 99);
}

// ------------------------------------------------------ automatic FEN log

GALDRIK_EXPORT void DLL_AutoFENLog() {
  const std::string& pfad = Konfiguration().fenLogPfad;
  if (pfad.empty()) return;
  const std::string fen = FENAusgabe(Engine().aktuelleStellung, 0);
  std::string letzte, zeile;
  {
    Zeilenleser leser(pfad);
    while (leser.lesen(zeile)) letzte = zeile;
  }
  if (letzte.compare(0, fen.size(), fen) == 0 && letzte.size() >= fen.size()) return;
  if (std::FILE* f = std::fopen(pfad.c_str(), "a")) {
    std::fprintf(f, "%s\n", fen.c_str());
    std::fclose(f);
  }
}

GALDRIK_EXPORT int32_t DLL_AutoFENAnz() {
  std::FILE* f = LeseDateiOeffnen(Konfiguration().fenLogPfad);
  if (!f) return 0;
  // Line reads until one hits the end of the file, that read included: n
  // lines ending in a line feed count n + 1.
  int32_t anzahl = 1;
  int c;
  while ((c = std::fgetc(f)) != EOF)
    if (c == '\n') ++anzahl;
  std::fclose(f);
  return anzahl;
}

GALDRIK_EXPORT int32_t DLL_AutoFENFEN(int32_t nummer) {
  AusgabeSchreiben("");
  if (nummer < 1) return 0;
  Zeilenleser leser(Konfiguration().fenLogPfad);
  if (!leser.offen()) return 0;
  std::string zeile, gelesen;
  int32_t i = 0;
  bool vorhanden = false;
  while (i < nummer && leser.lesen(zeile)) {
    ++i;
    gelesen = zeile;
    vorhanden = true;
  }
  // The read past the last line feed leaves the last line in place.
  if (i < nummer && !(i == nummer - 1 && vorhanden)) return 0;
  return AusgabeSchreiben(gelesen + "\n");
}
