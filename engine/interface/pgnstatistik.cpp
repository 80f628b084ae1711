// Figures over the main lines of many games, and their report.
#include "interface/pgnstatistik.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "interface/partie.h"
#include "interface/pgn.h"

namespace galdrik {

namespace {

bool IstSchlagzug(const Zug& zug) { return zug.geschlagen != 0 || zug.enPassant != 0; }

// An odd ply is a White move.
bool IstWeissZug(int32_t ply) { return ply % 2 != 0; }

__attribute__((format(printf, 2, 3))) void Zeile(std::string& text, const char* format, ...) {
  char zeile[200];
  va_list argumente;
  va_start(argumente, format);
  std::vsnprintf(zeile, sizeof zeile, format, argumente);
  va_end(argumente);
  text += zeile;
}

// Every way out leaves no index behind, and the engine's position where the
// game record's current node is.
struct Aufraeumen {
  ~Aufraeumen() {
    Datenbank().saetze = {};
    ZumKnotenGehen(Partie().aktuell);
  }
};

struct DateiSchliessen {
  void operator()(std::FILE* datei) const { std::fclose(datei); }
};

}  // namespace

void Messreihe::Hinzufuegen(int32_t wert) {
  minimum = anzahl == 0 ? wert : std::min(minimum, wert);
  maximum = anzahl == 0 ? wert : std::max(maximum, wert);
  ++anzahl;
  summe += wert;
  quadratsumme += static_cast<double>(wert) * wert;
}

double Messreihe::Mittel() const { return anzahl > 0 ? summe / anzahl : 0.0; }

double Messreihe::Abweichung() const {
  if (anzahl < 2) return 0.0;
  const double varianz = (quadratsumme - summe * summe / anzahl) / (anzahl - 1);
  return varianz > 0 ? std::sqrt(varianz) : 0.0;  // rounding can dip below 0
}

void PGNStatistik::PartieZaehlen(const Partiewurzel& wurzel) {
  int32_t zuege = 0, ersterWeiss = 0, ersterSchwarz = 0;
  for (const Zugknoten* k = wurzel.ersterSohn; k; k = k->ersterSohn) {
    ++zuege;
    if (!IstSchlagzug(k->zug)) continue;
    ++schlagzuege;
    // Move numbers: White's move of ply p is move (p + 1) / 2, Black's p / 2.
    if (IstWeissZug(k->ply)) {
      if (ersterWeiss == 0) ersterWeiss = (k->ply + 1) / 2;
    } else if (ersterSchwarz == 0) {
      ersterSchwarz = k->ply / 2;
    }
  }
  const int32_t l = zuege / 2 + 1;
  laenge.Hinzufuegen(l);
  weiss.Hinzufuegen(ersterWeiss != 0 ? ersterWeiss : l);
  schwarz.Hinzufuegen(ersterSchwarz != 0 ? ersterSchwarz : l);
}

std::string PGNStatistik::Bericht() const {
  const int32_t n = laenge.anzahl;
  std::string text;
  Zeile(text, "Anzahl Partien: %i\n", n);
  text += "\nPartielänge:\n============\n";
  Zeile(text, "minimal:    %4i\n", laenge.minimum);
  Zeile(text, "maximal:    %4i\n", laenge.maximum);
  Zeile(text, "im Schnitt: %8.3f\n", laenge.Mittel());
  Zeile(text, "Std. Abw.:  %8.3f\n", laenge.Abweichung());
  text += "\nSchlagzüge:\n===========\n";
  Zeile(text, "W: frühester erster Schlag:   %4i\n", weiss.minimum);
  Zeile(text, "W: spätester erster Schlag:   %4i\n", weiss.maximum);
  Zeile(text, "W: gemittelter erster Schlag: %8.3f\n", weiss.Mittel());
  Zeile(text, "W: Std. Abw. erster Schlag :  %8.3f\n", weiss.Abweichung());
  Zeile(text, "S: frühester erster Schlag:   %4i\n", schwarz.minimum);
  Zeile(text, "S: spätester erster Schlag:   %4i\n", schwarz.maximum);
  Zeile(text, "S: gemittelter erster Schlag: %8.3f\n", schwarz.Mittel());
  Zeile(text, "S: Std. Abw. erster Schlag:   %8.3f\n", schwarz.Abweichung());
  Zeile(text, "Anzahl Schlagzüge pro Partie: %8.3f\n",
        n > 0 ? static_cast<double>(schlagzuege) / n : 0.0);
  return text;
}

int32_t PGNStatistikErstellen(const std::string& pfad, const char* zweiterPfad,
                              std::string& bericht) {
  const Aufraeumen aufraeumen;
  Datenbank().saetze = {};
  PartieNeu();

  std::vector<PGNIndexSatz> saetze;
  const int32_t anzahl = PGNDateiIndex(pfad, saetze);
  if (anzahl < 0) return anzahl;

  // Nothing is written to it; it only has to exist afterwards. Named as the
  // PGN file itself, creating it would empty the games about to be read.
  std::unique_ptr<std::FILE, DateiSchliessen> zweiteDatei;
  std::error_code fehler;
  if (zweiterPfad && *zweiterPfad && !std::filesystem::equivalent(pfad, zweiterPfad, fehler))
    zweiteDatei.reset(std::fopen(zweiterPfad, "w"));

  PGNStatistik statistik;
  PGNZugtextLeser leser(pfad);
  std::string zugtext;
  for (const PGNIndexSatz& satz : saetze) {
    if (leser.lesen(satz.ersteZeile, satz.zeilenAnzahl, zugtext) < 0 ||
        PGNPartieLaden(satz, zugtext) != 0 || !Partie().wurzel) {
      PartieNeu();
      return PGNStatistikPartieFehlerhaft;
    }
    statistik.PartieZaehlen(*Partie().wurzel);
  }
  if (statistik.laenge.anzahl < 1) return PGNStatistikKeinePartie;
  bericht = statistik.Bericht();
  return 0;
}

}  // namespace galdrik
