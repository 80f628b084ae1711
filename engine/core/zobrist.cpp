// Zobrist keys of positions, the key file and the key generator.
#include "core/zobrist.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/textfile.h"

namespace galdrik {

HashCodeKeySatz HashCodeKeys;

namespace {

uint64_t LeseLE64(const unsigned char* p) {
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

void SchreibeLE64(unsigned char* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// Men of the side to move that could take en passant on the square.
bool EPSchlagbar(const Stellung& st, int epFeld, uint8_t seite) {
  if (epFeld >= 64) return false;
  const Bitboard schlaeger = seite == Weiss ? BauerAngriffSchwarz[epFeld] & st.bauern & st.weiss
                                            : BauerAngriffWeiss[epFeld] & st.bauern & st.schwarz;
  return schlaeger != 0;
}

}  // namespace

int32_t HashCodeKeysLaden(const std::string& pfad) {
  std::FILE* f = LeseDateiOeffnen(pfad);
  if (!f) return -1;
  std::array<unsigned char, HashCodeDateiGroesse + 1> puffer;
  const size_t gelesen = std::fread(puffer.data(), 1, puffer.size(), f);
  std::fclose(f);
  // A short or long file would leave keys unset or belong to something else.
  if (gelesen != static_cast<size_t>(HashCodeDateiGroesse)) return -1;
  uint64_t* ziel = reinterpret_cast<uint64_t*>(&HashCodeKeys);
  for (int i = 0; i < HashCodeKeyAnzahl; ++i) ziel[i] = LeseLE64(puffer.data() + 8 * i);
  return 0;
}

uint64_t HashCodeBerechnen(const Stellung& st) {
  uint64_t key = 0;
  Bitboard b = st.belegt;
  while (b) {
    const int s = ErstesBitEntfernen(b);
    const int8_t figur = FigurAufFeld(st, static_cast<unsigned>(s));
    if (figur != Leer && figur != UngueltigeFigur) key ^= FigurFeldKey(s, figur);
  }
  key ^= st.amZug == Weiss ? HashCodeKeys.weissAmZug : HashCodeKeys.schwarzAmZug;
  for (int i = 0; i < 4; ++i)
    if (st.rochade[i] == 1) key ^= HashCodeKeys.rochade[i];
  if (EPSchlagbar(st, st.epFeld, st.amZug)) key ^= HashCodeKeys.enPassant[st.epFeld & 7];
  return key;
}

uint64_t HashCodeZug(const Stellung& vorher, const Zug& zug) {
  uint64_t key = vorher.schluessel;
  const int von = zug.von, nach = zug.nach;
  const int8_t p = zug.figur, c = zug.geschlagen;
  const uint8_t seite = vorher.amZug;
  const int8_t vorzeichen = seite == Weiss ? 1 : -1;
  const bool enPassant = zug.enPassant == 1 || (zug.zugart == 2 && c == 0 && nach == vorher.epFeld);

  if (p != 0) key ^= FigurFeldKey(nach, p) ^ FigurFeldKey(von, p);
  if (c != 0 && !enPassant) key ^= FigurFeldKey(nach, c);

  if (zug.zugart == ZugartRochade) {
    switch (nach) {
      case 2:
        key ^= FigurFeldKey(0, Turm) ^ FigurFeldKey(3, Turm);
        break;
      case 6:
        key ^= FigurFeldKey(7, Turm) ^ FigurFeldKey(5, Turm);
        break;
      case 58:
        key ^= FigurFeldKey(56, -Turm) ^ FigurFeldKey(59, -Turm);
        break;
      case 62:
        key ^= FigurFeldKey(63, -Turm) ^ FigurFeldKey(61, -Turm);
        break;
      default:
        break;
    }
  }

  int8_t umgewandelt = 0;
  switch (zug.zugart) {
    case ZugartUmwSpringer:
      umgewandelt = Springer;
      break;
    case ZugartUmwLaeufer:
      umgewandelt = Laeufer;
      break;
    case ZugartUmwTurm:
      umgewandelt = Turm;
      break;
    case ZugartUmwDame:
      umgewandelt = Dame;
      break;
    default:
      break;
  }
  if (umgewandelt)
    key ^= FigurFeldKey(nach, static_cast<int8_t>(vorzeichen * Bauer)) ^
           FigurFeldKey(nach, static_cast<int8_t>(vorzeichen * umgewandelt));

  if (enPassant) {
    const int opfer = seite == Weiss ? nach - 8 : nach + 8;
    if (opfer >= 0 && opfer < 64) key ^= FigurFeldKey(opfer, static_cast<int8_t>(-vorzeichen));
  }

  if (EPSchlagbar(vorher, vorher.epFeld, seite)) key ^= HashCodeKeys.enPassant[vorher.epFeld & 7];

  if ((p == Bauer && nach - von == 16) || (p == -Bauer && von - nach == 16)) {
    const int ueber = (von + nach) / 2;
    if (EPSchlagbar(vorher, ueber, static_cast<uint8_t>(1 - seite)))
      key ^= HashCodeKeys.enPassant[ueber & 7];
  }

  // Castling rights the move ends; each right is taken out of the key once.
  unsigned endet = 0;
  if (p == Koenig) endet |= 1u << RochadeWeissLang | 1u << RochadeWeissKurz;
  if (p == -Koenig) endet |= 1u << RochadeSchwarzLang | 1u << RochadeSchwarzKurz;
  if (p == Turm && von == 0) endet |= 1u << RochadeWeissLang;
  if (p == Turm && von == 7) endet |= 1u << RochadeWeissKurz;
  if (p == -Turm && von == 56) endet |= 1u << RochadeSchwarzLang;
  if (p == -Turm && von == 63) endet |= 1u << RochadeSchwarzKurz;
  if (nach == 0) endet |= 1u << RochadeWeissLang;
  if (nach == 7) endet |= 1u << RochadeWeissKurz;
  if (nach == 56) endet |= 1u << RochadeSchwarzLang;
  if (nach == 63) endet |= 1u << RochadeSchwarzKurz;
  for (int i = 0; i < 4; ++i)
    if ((endet & (1u << i)) && vorher.rochade[i] == 1) key ^= HashCodeKeys.rochade[i];

  key ^= HashCodeKeys.weissAmZug ^ HashCodeKeys.schwarzAmZug;
  return key;
}

uint64_t HashCodeNullzug(const Stellung& vorher) {
  uint64_t key = vorher.schluessel ^ HashCodeKeys.weissAmZug ^ HashCodeKeys.schwarzAmZug;
  if (EPSchlagbar(vorher, vorher.epFeld, vorher.amZug))
    key ^= HashCodeKeys.enPassant[vorher.epFeld & 7];
  return key;
}

// ------------------------------------------------------------ generator

namespace {

constexpr int MaxNeuziehungen = 10000;

uint64_t Kandidat(Zufall15& z) {
  uint64_t r1 = static_cast<uint64_t>(z.naechster());
  uint64_t r2 = static_cast<uint64_t>(z.naechster());
  uint64_t r3 = static_cast<uint64_t>(z.naechster());
  uint64_t r4 = static_cast<uint64_t>(z.naechster());
  uint64_t r5 = static_cast<uint64_t>(z.naechster());
  return ((((r1 << 15 | r2) << 15 | r3) << 15 | r4) << 4) ^ r5;
}

int Abstand(uint64_t a, uint64_t b) { return BitAnzahl(a ^ b); }

// Draws a key whose distance to each of the given keys is at least the
// threshold; after MaxNeuziehungen rejections the next candidate is taken.
uint64_t KeyZiehen(Zufall15& z, const std::vector<uint64_t>& frueher, int schwelle) {
  for (int versuch = 0;; ++versuch) {
    const uint64_t k = Kandidat(z);
    if (versuch == MaxNeuziehungen) return k;
    bool gut = true;
    for (uint64_t f : frueher)
      if (Abstand(k, f) < schwelle) {
        gut = false;
        break;
      }
    if (gut) return k;
  }
}

}  // namespace

HashCodeStatistik HashCodeStatistikBerechnen(const std::vector<uint64_t>& keys) {
  HashCodeStatistik s;
  const size_t n = keys.size();
  s.summeJeKey.assign(n, 0);
  s.minimum = 64;
  s.maximum = 0;
  for (size_t i = 0; i < n; ++i)
    for (size_t j = 0; j < n; ++j) {
      if (i == j) continue;
      const int d = Abstand(keys[i], keys[j]);
      if (d < s.minimum) s.minimum = d;
      if (d > s.maximum) s.maximum = d;
      ++s.haeufigkeit[d];
      s.summeJeKey[i] += static_cast<uint32_t>(d);
      s.summe += d;
    }
  if (n < 2) s.minimum = 0;
  return s;
}

std::vector<uint64_t> HashCodeSatzErzeugen(Zufall15& zufall, HashCodeStatistik& statistik) {
  std::vector<uint64_t> keys;
  keys.reserve(HashCodeKeyAnzahl);
  for (int k = 0; k < HashCodeKeyAnzahl; ++k) {
    const int schwelle = k < 10 ? 48 : k < 20 ? 40 : 23;
    keys.push_back(KeyZiehen(zufall, keys, schwelle));
  }
  statistik = HashCodeStatistikBerechnen(keys);

  for (int schwelle = 24950; schwelle <= 24970; schwelle += 4) {
    std::vector<uint64_t> behalten;
    behalten.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
      if (statistik.summeJeKey[i] >= static_cast<uint32_t>(schwelle)) behalten.push_back(keys[i]);
    keys = std::move(behalten);
    while (keys.size() < static_cast<size_t>(HashCodeKeyAnzahl))
      keys.push_back(KeyZiehen(zufall, keys, 23));
    statistik = HashCodeStatistikBerechnen(keys);
  }
  return keys;
}

namespace {

bool HashLogSchreiben(const std::string& pfad, const HashCodeStatistik& s) {
  std::FILE* f = std::fopen(pfad.c_str(), "w");
  if (!f) return false;
  const float paare = static_cast<float>(HashCodeKeyAnzahl) * (HashCodeKeyAnzahl - 1);
  std::fprintf(f, "minimale Hamming-Distanz:          %i\n", s.minimum);
  std::fprintf(f, "maximale Hamming-Distanz:          %i\n", s.maximum);
  std::fprintf(f, "durchschnittliche Hamming-Distanz: %f\n",
               static_cast<double>(static_cast<float>(s.summe) / paare));
  std::fprintf(f, "Hamming-Distanz-Häufigkeitsverteilung:\n\n");
  for (int d = 0; d <= 64; ++d) std::fprintf(f, "%i\t%i\n", d, static_cast<int>(s.haeufigkeit[d]));
  std::fprintf(f, "Hamming-Distanz-Summe für jede Zahl:\n\n");
  for (uint32_t summe : s.summeJeKey) std::fprintf(f, "%i\n", static_cast<int>(summe));
  return std::fclose(f) == 0;
}

// Writes the key file through a temporary file beside it, so that a failed
// write never leaves a half-written key file behind.
bool KeyDateiSchreiben(const std::string& pfad, const std::vector<uint64_t>& keys) {
  std::array<unsigned char, HashCodeDateiGroesse> puffer;
  for (int i = 0; i < HashCodeKeyAnzahl; ++i) SchreibeLE64(puffer.data() + 8 * i, keys[i]);
  const std::string temp = pfad + ".neu";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(puffer.data(), 1, puffer.size(), f) == puffer.size();
  if (std::fclose(f) != 0 || !ok) {
    std::remove(temp.c_str());
    return false;
  }
  std::error_code fehler;
  std::filesystem::rename(temp, pfad, fehler);
  if (fehler) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

int32_t HashCodeGenerieren(uint32_t saat, const std::string& logPfad, const std::string& keyPfad) {
  Zufall15 zufall(saat);
  HashCodeStatistik statistik;
  const std::vector<uint64_t> keys = HashCodeSatzErzeugen(zufall, statistik);
  if (!HashLogSchreiben(logPfad, statistik)) return -1;
  // The keys in use change only once they are safely in the file.
  if (!KeyDateiSchreiben(keyPfad, keys)) return -1;
  std::memcpy(&HashCodeKeys, keys.data(), sizeof HashCodeKeys);
  return 0;
}

}  // namespace galdrik
