// The special database's module state and its .tbx file. The file is read
// whole and checked before it replaces anything, and written under a
// temporary name beside the target, so neither a foreign file nor a failed
// write leaves a half database behind.
#include "analysis/spezdb.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "analysis/vernetzung.h"

namespace galdrik {

namespace {

struct SpezDB {
  std::mutex sperre;  // the program's calls against the analysis' appends
  int32_t codes[AnaSlots] = {};
  std::unique_ptr<TBAnaEintrag[]> eintraege;
  int32_t anzahl = 0;
  int32_t kapazitaet = 0;
};

SpezDB& DB() {
  static SpezDB db;
  return db;
}

constexpr size_t BlockEintraege = 4096;  // records per read or write

void Kodieren(const TBAnaEintrag& r, uint8_t* b) {
  std::memcpy(b, r.feld, AnaSlots);
  b[6] = r.epFeld;
  b[7] = r.amZug;
  const auto w = static_cast<uint32_t>(r.wert);
  for (int i = 0; i < 4; ++i) b[8 + i] = static_cast<uint8_t>(w >> (8 * i));
  b[12] = r.zugFigur;
  b[13] = r.zugZiel;
  b[14] = r.zugArt;
  b[15] = r.stufe;
}

TBAnaEintrag Dekodieren(const uint8_t* b) {
  TBAnaEintrag r{};
  std::memcpy(r.feld, b, AnaSlots);
  r.epFeld = b[6];
  r.amZug = b[7];
  uint32_t w = 0;
  for (int i = 0; i < 4; ++i) w |= static_cast<uint32_t>(b[8 + i]) << (8 * i);
  r.wert = static_cast<int32_t>(w);
  r.zugFigur = b[12];
  r.zugZiel = b[13];
  r.zugArt = b[14];
  r.stufe = b[15];
  return r;
}

bool CodesGesund(const int32_t codes[AnaSlots]) {
  int weiss = 0, schwarz = 0;
  for (int k = 0; k < AnaSlots; ++k) {
    if (codes[k] < -6 || codes[k] > 6) return false;
    weiss += codes[k] == 6;
    schwarz += codes[k] == -6;
  }
  return weiss == 1 && schwarz == 1;
}

// What the linking, the index and the board pictures rely on: squares on the
// board and distinct for the pieces, an en-passant square behind a pawn's
// double step or none, a side of 0 or 1, a move by a piece to a square.
bool EintragGesund(const TBAnaEintrag& r, const int32_t codes[AnaSlots]) {
  uint64_t belegt = 0;
  for (int k = 0; k < AnaSlots; ++k) {
    if (r.feld[k] > 63) return false;
    if (codes[k] == 0) continue;
    const uint64_t bit = uint64_t{1} << r.feld[k];
    if (belegt & bit) return false;
    belegt |= bit;
  }
  if (r.epFeld != 127 && !((r.epFeld >= 16 && r.epFeld < 24) || (r.epFeld >= 40 && r.epFeld < 48)))
    return false;
  if (r.amZug > 1) return false;
  if (r.zugFigur >= AnaSlots || codes[r.zugFigur] == 0) return false;
  return r.zugZiel <= 63;
}

}  // namespace

int32_t SpezDBVorbereiten(int32_t n) {
  if (n < 1 || n > SpezDBMaxKapazitaet) return SpezDBFalscheGroesse;
  SpezDB& db = DB();
  std::lock_guard lock(db.sperre);
  db.eintraege.reset();
  db.anzahl = 0;
  db.kapazitaet = n;
  db.eintraege.reset(new (std::nothrow) TBAnaEintrag[static_cast<size_t>(n)]);
  return db.eintraege ? SpezDBOk : SpezDBKeinSpeicher;
}

int32_t SpezDBElementHinzu(const int32_t* const* felder, int32_t epFeld, int32_t amZug,
                           int32_t wert, int32_t zugFigur, int32_t zugZiel, int32_t zugArt) {
  SpezDB& db = DB();
  std::lock_guard lock(db.sperre);
  // Once full, further positions are dropped.
  if (!db.eintraege || db.anzahl >= db.kapazitaet) return SpezDBVoll;
  TBAnaEintrag& r = db.eintraege[static_cast<size_t>(db.anzahl)];
  for (int k = 0; k < AnaSlots; ++k) r.feld[k] = static_cast<uint8_t>(*felder[k]);
  r.epFeld = static_cast<uint8_t>(epFeld);
  r.amZug = static_cast<uint8_t>(amZug);
  r.wert = wert;
  r.zugFigur = static_cast<uint8_t>(zugFigur);
  r.zugZiel = static_cast<uint8_t>(zugZiel);
  r.zugArt = static_cast<uint8_t>(zugArt);
  r.stufe = 1;
  ++db.anzahl;
  return db.anzahl >= db.kapazitaet ? SpezDBVoll : SpezDBOk;
}

void SpezDBFigurcodesSetzen(const int32_t codes[AnaSlots]) {
  SpezDB& db = DB();
  std::lock_guard lock(db.sperre);
  std::memcpy(db.codes, codes, sizeof db.codes);
}

int32_t SpezDBSchreiben(const char* pfad) {
  if (!pfad || !*pfad) return SpezDBDateiFehler;
  SpezDB& db = DB();
  std::lock_guard lock(db.sperre);
  // Without records (written already, closed, never prepared) the count
  // describes nothing that could be written: a second call must not
  // replace a good file with an empty one.
  if (!db.eintraege) return SpezDBDateiFehler;
  const int32_t anzahl = db.anzahl;
  const std::string tmp = std::string(pfad) + ".tmp";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return SpezDBDateiFehler;

  uint8_t kopf[SpezDBKopfBytes] = {};
  for (int k = 0; k < AnaSlots; ++k) kopf[k] = static_cast<uint8_t>(db.codes[k]);
  for (int i = 0; i < 4; ++i)
    kopf[8 + i] = static_cast<uint8_t>(static_cast<uint32_t>(anzahl) >> (8 * i));
  bool gut = std::fwrite(kopf, 1, sizeof kopf, f) == sizeof kopf;
  std::vector<uint8_t> block(BlockEintraege * sizeof(TBAnaEintrag));
  for (size_t i = 0; gut && i < static_cast<size_t>(anzahl); i += BlockEintraege) {
    const size_t n = std::min(BlockEintraege, static_cast<size_t>(anzahl) - i);
    for (size_t j = 0; j < n; ++j) Kodieren(db.eintraege[i + j], &block[j * sizeof(TBAnaEintrag)]);
    gut = std::fwrite(block.data(), sizeof(TBAnaEintrag), n, f) == n;
  }
  gut = std::fflush(f) == 0 && gut;
  gut = std::fclose(f) == 0 && gut;
  if (!gut || std::rename(tmp.c_str(), pfad) != 0) {
    std::remove(tmp.c_str());
    return SpezDBDateiFehler;
  }
  db.eintraege.reset();
  return SpezDBOk;
}

int32_t SpezDBLaden(const char* pfad) {
  SpezDB& db = DB();
  std::lock_guard lock(db.sperre);
  // Whatever happens below, the database held before is gone.
  db.eintraege.reset();
  db.anzahl = 0;
  db.kapazitaet = 0;
  if (!pfad) return SpezDBDateiFehler;
  std::FILE* f = std::fopen(pfad, "rb");
  if (!f) return SpezDBDateiFehler;
  struct Schliesser {
    std::FILE* f;
    ~Schliesser() { std::fclose(f); }
  } schliesser{f};

  uint8_t kopf[SpezDBKopfBytes];
  if (std::fread(kopf, 1, sizeof kopf, f) != sizeof kopf) return SpezDBDateiFehler;
  int32_t codes[AnaSlots];
  for (int k = 0; k < AnaSlots; ++k) codes[k] = static_cast<int8_t>(kopf[k]);
  uint32_t n = 0;
  for (int i = 0; i < 4; ++i) n |= static_cast<uint32_t>(kopf[8 + i]) << (8 * i);
  if (!CodesGesund(codes) || n > static_cast<uint32_t>(SpezDBMaxKapazitaet))
    return SpezDBDateiFehler;
  // The size must be exactly the header and n records.
  if (std::fseek(f, 0, SEEK_END) != 0) return SpezDBDateiFehler;
  const long groesse = std::ftell(f);
  if (groesse < 0 ||
      static_cast<uint64_t>(groesse) != SpezDBKopfBytes + uint64_t{n} * sizeof(TBAnaEintrag) ||
      std::fseek(f, static_cast<long>(SpezDBKopfBytes), SEEK_SET) != 0)
    return SpezDBDateiFehler;

  std::unique_ptr<TBAnaEintrag[]> eintraege(new (std::nothrow) TBAnaEintrag[n > 0 ? n : 1]);
  if (!eintraege) return SpezDBKeinSpeicherLaden;
  std::vector<uint8_t> block(BlockEintraege * sizeof(TBAnaEintrag));
  for (size_t i = 0; i < n; i += BlockEintraege) {
    const size_t m = std::min(BlockEintraege, static_cast<size_t>(n) - i);
    if (std::fread(block.data(), sizeof(TBAnaEintrag), m, f) != m) return SpezDBDateiFehler;
    for (size_t j = 0; j < m; ++j) {
      eintraege[i + j] = Dekodieren(&block[j * sizeof(TBAnaEintrag)]);
      if (!EintragGesund(eintraege[i + j], codes)) return SpezDBDateiFehler;
    }
  }
  std::memcpy(db.codes, codes, sizeof db.codes);
  db.eintraege = std::move(eintraege);
  db.anzahl = static_cast<int32_t>(n);
  return SpezDBOk;
}

void SpezDBSchliessen() {
  SpezDB& db = DB();
  std::lock_guard lock(db.sperre);
  db.eintraege.reset();
  db.anzahl = 0;
}

int32_t SpezDBAnzahl() {
  SpezDB& db = DB();
  std::lock_guard lock(db.sperre);
  return db.anzahl;
}

const int32_t* SpezDBFigurcodes() { return DB().codes; }

const TBAnaEintrag* SpezDBEintrag(int32_t i) {
  // The linking owns the records while it runs. Asked before the lock: the
  // linking's first use builds its job, which reads the count under it.
  if (VernetzungLaeuft()) return nullptr;
  SpezDB& db = DB();
  std::lock_guard lock(db.sperre);
  if (!db.eintraege || i < 0 || i >= db.anzahl) return nullptr;
  return &db.eintraege[static_cast<size_t>(i)];
}

bool SpezDBGeladen() {
  SpezDB& db = DB();
  std::lock_guard lock(db.sperre);
  return db.eintraege != nullptr;
}

TBAnaEintrag* SpezDBEintraege() { return DB().eintraege.get(); }

}  // namespace galdrik
