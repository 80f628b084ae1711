// The opening book: reading a compiled book, hashing it into the
// transposition table and choosing a book move for the root search.
#include "core/book.h"

#include <cstdio>
#include <ctime>
#include <new>

#include "core/log.h"
#include "core/textfile.h"
#include "core/tt.h"
#include "core/zobrist.h"

namespace galdrik {

namespace {

// A header line is at most this long, its line feed included; anything
// longer is not a book's header.
constexpr size_t KopfzeileMax = 1000;

void Schreiben32(unsigned char* p, uint32_t wert) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(wert >> (8 * i));
}

uint32_t Lesen32(const unsigned char* p) {
  uint32_t wert = 0;
  for (int i = 0; i < 4; ++i) wert |= uint32_t{p[i]} << (8 * i);
  return wert;
}

// One header line without its line end; false at the end of the file or
// when no line feed comes within KopfzeileMax bytes.
bool KopfzeileLesen(std::FILE* datei, std::string& zeile) {
  zeile.clear();
  for (size_t n = 0; n < KopfzeileMax; ++n) {
    const int c = std::fgetc(datei);
    if (c == EOF) return false;
    if (c == '\n') {
      if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
      return true;
    }
    zeile.push_back(static_cast<char>(c));
  }
  return false;
}

// The record count of line 3: decimal digits, blanks around them allowed.
// 0 for anything else.
uint64_t AnzahlLesen(const std::string& zeile) {
  size_t i = 0;
  while (i < zeile.size() && zeile[i] == ' ') ++i;
  uint64_t anzahl = 0;
  size_t ziffern = 0;
  for (; i < zeile.size() && zeile[i] >= '0' && zeile[i] <= '9'; ++i, ++ziffern) {
    if (anzahl > (uint64_t{1} << 40)) return 0;
    anzahl = anzahl * 10 + static_cast<uint64_t>(zeile[i] - '0');
  }
  while (i < zeile.size() && zeile[i] == ' ') ++i;
  return ziffern > 0 && i == zeile.size() ? anzahl : 0;
}

int32_t Einlesen(std::FILE* datei, std::vector<Buchsatz>& saetze) {
  std::string titel, zeit, anzahlZeile;
  if (!KopfzeileLesen(datei, titel) || !KopfzeileLesen(datei, zeit) ||
      !KopfzeileLesen(datei, anzahlZeile))
    return BuchLeer;
  const uint64_t anzahl = AnzahlLesen(anzahlZeile);
  if (anzahl == 0) return BuchLeer;

  // A count the file cannot hold is refused before it is allocated.
  const long kopf = std::ftell(datei);
  if (kopf < 0 || std::fseek(datei, 0, SEEK_END) != 0) return BuchUnvollstaendig;
  const long ende = std::ftell(datei);
  if (ende < kopf || std::fseek(datei, kopf, SEEK_SET) != 0) return BuchUnvollstaendig;
  if (static_cast<uint64_t>(ende - kopf) / BuchsatzBytes < anzahl) return BuchUnvollstaendig;

  std::vector<unsigned char> bytes;
  try {
    bytes.resize(anzahl * BuchsatzBytes);
    saetze.resize(anzahl);
  } catch (const std::bad_alloc&) {
    return BuchKeinSpeicher;
  }
  if (std::fread(bytes.data(), BuchsatzBytes, anzahl, datei) != anzahl) return BuchUnvollstaendig;
  for (size_t i = 0; i < anzahl; ++i) saetze[i] = BuchsatzDekodieren(&bytes[i * BuchsatzBytes]);
  return BuchGelesen;
}

}  // namespace

void BuchsatzKodieren(const Buchsatz& satz, unsigned char* bytes) {
  Schreiben32(bytes, satz.keyLow);
  Schreiben32(bytes + 4, satz.keyHigh);
  const Zug& z = satz.zug;
  bytes[8] = z.von;
  bytes[9] = z.nach;
  bytes[10] = static_cast<unsigned char>(z.figur);
  bytes[11] = static_cast<unsigned char>(z.geschlagen);
  bytes[12] = z.zugart;
  bytes[13] = z.schach;
  bytes[14] = z.enPassant;
  bytes[15] = static_cast<unsigned char>(z.wert);
}

Buchsatz BuchsatzDekodieren(const unsigned char* bytes) {
  Buchsatz satz{};
  satz.keyLow = Lesen32(bytes);
  satz.keyHigh = Lesen32(bytes + 4);
  Zug& z = satz.zug;
  z.von = bytes[8];
  z.nach = bytes[9];
  z.figur = static_cast<int8_t>(bytes[10]);
  z.geschlagen = static_cast<int8_t>(bytes[11]);
  z.zugart = bytes[12];
  z.schach = bytes[13];
  z.enPassant = bytes[14];
  z.wert = static_cast<int8_t>(bytes[15]);
  return satz;
}

Eroeffnungsbuch& Buch() {
  static Eroeffnungsbuch buch;
  return buch;
}

void BuchFrei() { std::vector<Buchsatz>().swap(Buch().saetze); }

int32_t BuchEinlesen(const std::string& pfad) {
  BuchFrei();
  std::FILE* datei = LeseDateiOeffnen(pfad);
  if (!datei) return BuchNichtOffen;
  std::vector<Buchsatz> saetze;
  const int32_t ergebnis = Einlesen(datei, saetze);
  std::fclose(datei);
  if (ergebnis == BuchGelesen) Buch().saetze = std::move(saetze);
  return ergebnis;
}

void BuchHashen() {
  const std::vector<Buchsatz>& saetze = Buch().saetze;
  for (auto it = saetze.rbegin(); it != saetze.rend(); ++it) {
    if (it->zug.wert < BuchGewichtNormal) continue;
    const uint8_t seite = it->zug.figur > 0 ? Weiss : Schwarz;
    HashSpeichern(it->keyLow, it->keyHigh, 0, 0, 1, static_cast<int8_t>(seite), it->zug);
  }
}

int32_t BuchZugSuchen(const Stellung& st, const Zugliste& zuege, int32_t varianz) {
  Zufall15& zufall = EngineZufall();
  zufall.setzen(static_cast<uint32_t>(std::time(nullptr)));
  return BuchZugSuchen(st, zuege, varianz, zufall);
}

int32_t BuchZugSuchen(const Stellung& st, const Zugliste& zuege, int32_t varianz,
                      Zufall15& zufall) {
  const std::vector<Buchsatz>& saetze = Buch().saetze;
  if (saetze.empty()) return -1;
  const uint64_t key = HashCodeBerechnen(st);
  const int anzahl = zuege.anzahl < 0 ? 0 : (zuege.anzahl > MaxZuege ? MaxZuege : zuege.anzahl);

  // A move with two records is a candidate twice, and so twice as likely.
  std::vector<int32_t> kandidaten;
  for (const Buchsatz& satz : saetze) {
    if (satz.key() != key) continue;
    const int8_t gewicht = satz.zug.wert;
    if ((gewicht < BuchGewichtNebenGut && varianz < 3) ||
        (gewicht < BuchGewichtNormal && varianz < 2))
      continue;
    int32_t index = -1;
    for (int i = 0; i < anzahl; ++i) {
      const Zug& z = zuege.zuege[i];
      if (z.von == satz.zug.von && z.nach == satz.zug.nach && z.zugart == satz.zug.zugart) {
        index = i;
        break;
      }
    }
    if (index < 0) {
      if (kandidaten.empty()) LogZeile("falsche Buch-Zugempfehlung\n");
      continue;
    }
    if (varianz < 1) return index;
    kandidaten.push_back(index);
  }
  if (kandidaten.empty()) return -1;
  const size_t wahl = static_cast<size_t>(zufall.naechster()) % kandidaten.size();
  return kandidaten[wahl];
}

}  // namespace galdrik
