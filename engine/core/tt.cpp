// Transposition table: allocation, probe, store with its replacement rule.
#include "core/tt.h"

#include <cstdlib>
#include <cstring>

namespace galdrik {

Hashtabelle& TT() {
  static Hashtabelle tabelle;
  return tabelle;
}

int32_t HashAllok(uint8_t exponent, uint8_t breite) {
  Hashtabelle& t = TT();
  if (exponent == 0 || exponent >= 32 || breite == 0) return -1;
  const uint64_t anzahl = uint64_t{breite} << exponent;
  void* block = std::calloc(anzahl, sizeof(HashEintrag));
  if (!block) return -2;
  std::free(t.eintraege);
  t.eintraege = static_cast<HashEintrag*>(block);
  t.exponent = exponent;
  t.breite = breite;
  return 0;
}

void HashFrei() {
  Hashtabelle& t = TT();
  std::free(t.eintraege);
  t.eintraege = nullptr;
}

void HashTabLeeren() {
  Hashtabelle& t = TT();
  if (!t.eintraege) return;
  std::memset(t.eintraege, 0, (uint64_t{t.breite} << t.exponent) * sizeof(HashEintrag));
}

namespace {

HashEintrag* Bucket(const Hashtabelle& t, uint32_t keyLow, uint32_t keyHigh) {
  const uint64_t key = uint64_t{keyHigh} << 32 | keyLow;
  const uint64_t index = key & ((uint64_t{1} << t.exponent) - 1);
  return t.eintraege + index * t.breite;
}

int Abstand(uint8_t a, uint8_t b) { return a > b ? a - b : b - a; }

}  // namespace

const HashEintrag* HashSuchen(uint32_t keyLow, uint32_t keyHigh, uint8_t seite) {
  const Hashtabelle& t = TT();
  if (!t.eintraege) return nullptr;
  const HashEintrag* b = Bucket(t, keyLow, keyHigh);
  const uint8_t weiss = seite == 1 ? HashFlagWeiss : 0;
  for (int i = 0; i < t.breite; ++i)
    if (b[i].keyLow == keyLow && b[i].keyHigh == keyHigh && (b[i].flags & HashFlagWeiss) == weiss)
      return &b[i];
  return nullptr;
}

void HashSpeichern(uint32_t keyLow, uint32_t keyHigh, uint16_t wert, uint8_t typ, int8_t tiefe,
                   int8_t seite, const Zug& zug) {
  Hashtabelle& t = TT();
  if (!t.eintraege) return;
  HashEintrag* b = Bucket(t, keyLow, keyHigh);
  const int w = t.breite;

  // An entry of the same key: a deeper one of this search stays, any other
  // is taken out (the last slot keeps its copy until the insertion below).
  for (int j = 0; j < w; ++j) {
    if (b[j].keyLow != keyLow || b[j].keyHigh != keyHigh) continue;
    if (tiefe < b[j].tiefe && b[j].alter == t.alter) return;
    std::memmove(&b[j], &b[j + 1], static_cast<size_t>(w - 1 - j) * sizeof(HashEintrag));
    break;
  }

  int k = 0;
  while (k < w && b[k].tiefe - Abstand(b[k].alter, t.alter) > tiefe) ++k;
  if (k == w) return;
  std::memmove(&b[k + 1], &b[k], static_cast<size_t>(w - 1 - k) * sizeof(HashEintrag));

  HashEintrag& e = b[k];
  e.keyLow = keyLow;
  e.keyHigh = keyHigh;
  e.wert = wert;
  e.typ = typ;
  e.alter = t.alter;
  e.tiefe = tiefe;
  e.flags = static_cast<uint8_t>(zug.zugart + (zug.enPassant == 1 ? HashFlagEnPassant : 0) +
                                 (zug.schach == 1 ? HashFlagSchach : 0) +
                                 (seite == 1 ? HashFlagWeiss : 0));
  e.von = zug.von;
  e.nach = zug.nach;
  ++t.gespeichert;
}

Zug HashZug(const Stellung& st, const HashEintrag* eintrag) {
  Zug z = KeinZug;
  z.wert = -128;
  if (!eintrag) return z;
  z.von = eintrag->von;
  z.nach = eintrag->nach;
  z.figur = FigurAufFeld(st, z.von);
  z.geschlagen = FigurAufFeld(st, z.nach);
  z.zugart = eintrag->flags & 0xF1;
  z.schach = (eintrag->flags & HashFlagSchach) ? 1 : 0;
  if (eintrag->flags & HashFlagEnPassant) {
    z.enPassant = 1;
    z.geschlagen = st.amZug == Weiss ? -Bauer : Bauer;
  }
  return z;
}

}  // namespace galdrik
