// The analysis result files: the binary statistics file (.stt, 20,940 bytes
// and 16 per record, little-endian, no padding) and the text list of the
// result positions (.epd, CR LF lines). Files are written under a temporary
// name and renamed when whole; a statistics file is checked whole before
// anything of it is taken over.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "analysis/tbana_exports.h"
#include "analysis/tbanajob.h"
#include "interface/enginestate.h"
#include "interface/records.h"

namespace galdrik {

namespace {

// Field offsets of the statistics file.
constexpr size_t OffStellung = 0;
constexpr size_t OffBlock = 192;
constexpr size_t OffStatistik = 3344;
constexpr size_t OffAnzahl = 20752;
constexpr size_t OffReserve1 = 20760;
constexpr size_t OffZaehler = 20784;
constexpr size_t OffReserve2 = 20832;
constexpr size_t OffUntersucht = 20872;
constexpr size_t OffSekunden = 20880;
constexpr size_t OffRate = 20888;
constexpr size_t OffExtrem = 20896;
constexpr size_t OffKriterium = 20912;
constexpr size_t OffCodes = 20916;
constexpr size_t OffEintraege = 20940;
static_assert(OffBlock + sizeof(TBAnaParameterblock) == OffStatistik);
static_assert(OffStatistik + sizeof(TBAnaStatistik) == OffAnzahl);
static_assert(OffEintraege == StatistikKopfBytes);

template <typename T>
void Legen(std::vector<char>& b, size_t off, const T& v) {
  std::memcpy(b.data() + off, &v, sizeof v);
}
template <typename T>
void Holen(const std::vector<char>& b, size_t off, T& v) {
  std::memcpy(&v, b.data() + off, sizeof v);
}

// Writes the bytes under a temporary name beside the target and renames it
// over the target once every byte is on disk.
bool DateiSchreiben(const char* pfad, const char* daten, size_t laenge) {
  const std::string tmp = std::string(pfad) + ".tmp";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return false;
  const bool geschrieben = std::fwrite(daten, 1, laenge, f) == laenge;
  const bool geschlossen = std::fclose(f) == 0;
  if (!geschrieben || !geschlossen || std::rename(tmp.c_str(), pfad) != 0) {
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

bool EintragGesund(const TBAnaEintrag& r) {
  for (uint8_t s : r.feld)
    if (s > 63 && s != 255) return false;
  return (r.epFeld < 64 || r.epFeld == 127) && r.amZug <= 1;
}

bool CodeGesund(int32_t c) { return c >= -6 && c <= 6; }

}  // namespace

int32_t TBAnaSpeichern(const char* listenPfad, const char* statistikPfad, const Stellung& st,
                       int32_t grenze, const TBAnaZustand& z) {
  uint64_t n = z.ergebnisse ? z.gespeichert : 0;
  n = std::min<uint64_t>(n, ErgebnisPlaetze);
  n = std::min<uint64_t>(n, grenze < 0 ? 0 : static_cast<uint64_t>(grenze));

  std::vector<char> b(OffEintraege + 16 * n, 0);
  Legen(b, OffStellung, st);
  Legen(b, OffBlock, z.block);
  Legen(b, OffStatistik, z.statistik);
  Legen(b, OffAnzahl, n);
  for (int i = 0; i < 3; ++i) Legen(b, OffReserve1 + 8 * i, z.reserviert[i]);
  for (int i = 0; i < 6; ++i) Legen(b, OffZaehler + 8 * i, z.ergebnisZaehler[i]);
  for (int i = 0; i < 5; ++i) Legen(b, OffReserve2 + 8 * i, z.reserviert[3 + i]);
  Legen(b, OffUntersucht, z.untersucht.load(std::memory_order_relaxed));
  Legen(b, OffSekunden, z.sekunden);
  Legen(b, OffRate, z.rate);
  Legen(b, OffExtrem, z.extrem);
  Legen(b, OffKriterium, z.kriterium);
  for (int k = 0; k < AnaSlots; ++k) Legen(b, OffCodes + 4 * k, z.slotCodes[k]);
  if (n) std::memcpy(b.data() + OffEintraege, z.ergebnisse, 16 * n);
  if (!DateiSchreiben(statistikPfad, b.data(), b.size())) return -1;

  std::string liste;
  liste.reserve(n * 48);
  for (uint64_t i = 0; i < n; ++i) {
    liste += TBAnaStellungText(z.ergebnisse[i], z.slotCodes);
    liste += "\r\n";
  }
  if (!DateiSchreiben(listenPfad, liste.data(), liste.size())) return -2;
  return 0;
}

int32_t TBAnaLaden(const char* statistikPfad, Stellung& st, TBAnaZustand& z) {
  if (!z.ergebnisse) return -2;
  std::ifstream in(statistikPfad, std::ios::binary);
  if (!in) return -2;
  // Longer than the largest sound file: not ours.
  constexpr uint64_t Hoechstens = OffEintraege + 16ull * (ErgebnisPlaetze + 1);
  std::error_code fehler;
  const auto groesse = std::filesystem::file_size(statistikPfad, fehler);
  if (fehler || groesse < OffEintraege || groesse > Hoechstens) return -2;
  std::vector<char> b(static_cast<size_t>(groesse));
  if (!in.read(b.data(), static_cast<std::streamsize>(b.size()))) return -2;

  uint64_t n = 0;
  Holen(b, OffAnzahl, n);
  const uint64_t gelesen = std::min<uint64_t>(n, ErgebnisPlaetze);
  if (groesse != OffEintraege + 16 * gelesen) return -2;

  Stellung stellung;
  TBAnaParameterblock block;
  TBAnaEintrag extrem;
  int32_t codes[AnaSlots];
  Holen(b, OffStellung, stellung);
  Holen(b, OffBlock, block);
  Holen(b, OffExtrem, extrem);
  for (int k = 0; k < AnaSlots; ++k) Holen(b, OffCodes + 4 * k, codes[k]);
  for (int s = 0; s < 64; ++s)
    if (!CodeGesund(stellung.figurenfeld[s])) return -2;
  for (int k = 0; k < AnaSlots; ++k)
    if (!CodeGesund(codes[k]) || !CodeGesund(block.figuren[k])) return -2;
  if (!EintragGesund(extrem)) return -2;
  const auto* eintraege = reinterpret_cast<const TBAnaEintrag*>(b.data() + OffEintraege);
  for (uint64_t i = 0; i < gelesen; ++i) {
    TBAnaEintrag r;
    std::memcpy(&r, eintraege + i, sizeof r);
    if (!EintragGesund(r)) return -2;
  }

  // Sound: take it over.
  st = stellung;
  z.block = block;
  Holen(b, OffStatistik, z.statistik);
  z.treffer.store(n, std::memory_order_relaxed);
  z.gespeichert = gelesen;
  for (int i = 0; i < 3; ++i) Holen(b, OffReserve1 + 8 * i, z.reserviert[i]);
  for (int i = 0; i < 6; ++i) Holen(b, OffZaehler + 8 * i, z.ergebnisZaehler[i]);
  for (int i = 0; i < 5; ++i) Holen(b, OffReserve2 + 8 * i, z.reserviert[3 + i]);
  uint64_t untersucht = 0;
  Holen(b, OffUntersucht, untersucht);
  z.untersucht.store(untersucht, std::memory_order_relaxed);
  Holen(b, OffSekunden, z.sekunden);
  Holen(b, OffRate, z.rate);
  z.extrem = extrem;
  Holen(b, OffKriterium, z.kriterium);
  std::copy(codes, codes + AnaSlots, z.slotCodes);
  if (gelesen) std::memcpy(z.ergebnisse, b.data() + OffEintraege, 16 * gelesen);
  z.ergebnis = 0;
  return 0;
}

// The search mask of a parameter block, as far as the block holds it; value
// 1758 keeps what the caller has there.
void MaskeAusBlock(const TBAnaParameterblock& p, int32_t* m) {
  for (int k = 0; k < AnaSlots; ++k) {
    for (int s = 0; s < 64; ++s) m[MaskeFelder + 64 * k + s] = (p.felder[k] >> s & 1) ? 1 : -1;
    m[MaskeFiguren + k] = p.figuren[k];
    m[MaskeBezug + k] = p.bezug[k];
    int32_t* gitter = m + MaskeGitter + GitterZellen * k;
    std::fill(gitter, gitter + GitterZellen, -1);
    // Each corner's entry holds the offsets of one quadrant.
    const struct {
      int ecke, zeile, spalte;
    } ecken[4] = {{63, 0, 0}, {56, 0, 7}, {7, 7, 0}, {0, 7, 7}};
    for (const auto& e : ecken)
      for (int q = 0; q < 64; ++q)
        if (p.erreichbar[k][e.ecke] >> q & 1)
          gitter[(Reihe(q) + e.zeile) * GitterSeite + Linie(q) + e.spalte] = 1;
  }
  m[MaskeDistanzMin] = p.distanzMin;
  m[MaskeDistanzMax] = p.distanzMax;
  m[MaskeGewaehlterSlot] = p.gewaehlterSlot;
  m[MaskeSeite] = p.seite;
  const uint8_t optionen[8] = {p.bedingung, p.loesungsart, p.wert1752, p.von,
                               p.nach,      p.figurTyp,    p.zugFlags, p.umwandlung};
  for (int i = 0; i < 8; ++i) m[MaskeBedingung + i] = static_cast<int8_t>(optionen[i]);
}

}  // namespace galdrik

using namespace galdrik;

GALDRIK_EXPORT int32_t DLL_TBAnaSpeichern(const char* listenPfad, const char* statistikPfad,
                                          int32_t grenze) {
  if (!listenPfad || !statistikPfad) return -9;
  const TBAnaZustand& z = TBAnaGlobal();
  if (z.laeuft.load(std::memory_order_acquire)) return -1;
  return TBAnaSpeichern(listenPfad, statistikPfad, Engine().aktuelleStellung, grenze, z);
}

GALDRIK_EXPORT int32_t DLL_TBAnaLaden(const char* listenPfad, const char* statistikPfad,
                                      int32_t* stellung, int32_t* suchmaske, int32_t* kriterium) {
  if (!listenPfad || !statistikPfad || !stellung || !suchmaske || !kriterium) return -9;
  TBAnaZustand& z = TBAnaGlobal();
  if (z.laeuft.load(std::memory_order_acquire)) return -2;
  Stellung st;
  const int32_t r = TBAnaLaden(statistikPfad, st, z);
  if (r != 0) return r;
  MaskeAusBlock(z.block, suchmaske);
  *kriterium = z.kriterium;
  for (int s = 0; s < 64; ++s) stellung[s] = st.figurenfeld[s];
  stellung[GSAmZug] = st.amZug == 1 ? 1 : 0;
  stellung[GSEPFeld] = st.epFeld;
  stellung[GSRochadeWeissLang] = st.rochade[RochadeWeissLang];
  stellung[GSRochadeWeissKurz] = st.rochade[RochadeWeissKurz];
  stellung[GSRochadeSchwarzLang] = st.rochade[RochadeSchwarzLang];
  stellung[GSRochadeSchwarzKurz] = st.rochade[RochadeSchwarzKurz];
  stellung[GSHalbzuege] = st.halbzuege;
  stellung[GSZugnummer] = 1;
  return 0;
}
