// EPD files and the EPD test. The position part of a line is read by the FEN
// reader itself, so an EPD board passes exactly the clean-up and validity
// rules of a FEN board: a castling right needs its king and rook, the
// en-passant square must lie on the board, both kings must stand.
#include "interface/epd.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/fen.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/search.h"
#include "core/textfile.h"
#include "core/tt.h"

namespace galdrik {

EPDTabelle& EPD() {
  static EPDTabelle tabelle;
  return tabelle;
}

// A sequence count around the three counters; every access sequentially
// consistent, which is plenty for a poll once a second.
void EPDTabelle::standSetzen(const EPDTestStand& neu) {
  const uint32_t v = version_.load();
  version_.store(v + 1);
  aktuelleZeile_.store(neu.aktuelleZeile);
  geloest_.store(neu.geloest);
  gesamtZeit_.store(neu.gesamtZeit);
  version_.store(v + 2);
}

EPDTestStand EPDTabelle::stand() const {
  EPDTestStand s;
  uint32_t vorher, nachher;
  do {
    vorher = version_.load();
    s.aktuelleZeile = aktuelleZeile_.load();
    s.geloest = geloest_.load();
    s.gesamtZeit = gesamtZeit_.load();
    nachher = version_.load();
  } while (vorher != nachher || (vorher & 1u) != 0);
  return s;
}

namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";

// One piece of the file as the table keeps it: CR before the line feed
// dropped, nothing after a NUL (the line always ended there), UTF-8.
std::string Aufbereiten(std::string stueck, bool ersteZeile) {
  bool zeilenende = !stueck.empty() && stueck.back() == '\n';
  if (zeilenende) stueck.pop_back();
  if (!stueck.empty() && stueck.back() == '\r') stueck.pop_back();
  const size_t nul = stueck.find('\0');
  if (nul != std::string::npos) stueck.resize(nul);
  // Editors that mark UTF-8 with a byte-order mark must not spoil the board.
  if (ersteZeile && std::string_view(stueck).substr(0, Bom.size()) == Bom)
    stueck.erase(0, Bom.size());
  std::string text = NachUtf8(stueck);
  if (zeilenende) text += '\n';
  return text;
}

// Where the four position fields end, counted as the FEN reader counts them;
// npos when a field runs past the end of the line.
size_t StellungsfelderEnde(std::string_view zeile) {
  const size_t blank = zeile.find(' ');
  if (blank == std::string_view::npos) return std::string_view::npos;
  size_t pos = blank + 1;  // side to move
  if (pos >= zeile.size()) return std::string_view::npos;
  pos += 2;  // castling
  for (const char c : {'K', 'Q', 'k', 'q'})
    if (pos < zeile.size() && zeile[pos] == c) ++pos;
  if (pos < zeile.size() && zeile[pos] == '-') ++pos;
  ++pos;  // en passant
  if (pos >= zeile.size()) return std::string_view::npos;
  pos += zeile[pos] == '-' ? 1 : 2;
  return pos > zeile.size() ? std::string_view::npos : pos;
}

// The end of the operation starting at pos: the next ";" that is not inside
// a quoted string (an "id" or comment may hold one), or the end of the line.
size_t OperationsEnde(std::string_view zeile, size_t pos) {
  bool zitat = false;
  for (; pos < zeile.size(); ++pos) {
    if (zeile[pos] == '"')
      zitat = !zitat;
    else if (zeile[pos] == ';' && !zitat)
      return pos;
  }
  return pos;
}

// The moves of a "bm" or "am": every one must name a legal move.
bool ZuegeLesen(std::string_view text, const Zugliste& legal, Zugliste& ziele) {
  ziele.anzahl = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    const size_t anfang = pos;
    while (pos < text.size() && text[pos] != ' ' && text[pos] != '\t') ++pos;
    if (pos == anfang) break;
    uint8_t status = 0;
    const int16_t index =
        PGNZugInterpretieren(legal, text.substr(anfang, pos - anfang), FigurenEnglisch, status);
    if (index < 0 || index >= legal.anzahl) return false;
    if (ziele.anzahl < MaxZuege) ziele.zuege[ziele.anzahl++] = legal.zuege[index];
  }
  return ziele.anzahl > 0;
}

// The depth of a "dm": decimal digits only, 0..127.
bool MattTiefeLesen(std::string_view text, int8_t& tiefe) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (text.empty() || text.size() > 3) return false;
  int wert = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    wert = wert * 10 + (c - '0');
  }
  if (wert > 127) return false;
  tiefe = static_cast<int8_t>(wert);
  return true;
}

}  // namespace

void EPDDateiFrei() {
  EPDTabelle& t = EPD();
  t.zeilen.clear();
  t.zeilen.shrink_to_fit();
  t.ergebnis.reset();
  EPDTestZuruecksetzen();
}

int32_t EPDDateiLaden(const char* pfad) {
  EPDDateiFrei();
  if (!pfad) return -1;
  uint64_t groesse = 0;
  std::FILE* f = LeseDateiOeffnen(pfad, &groesse);
  if (!f) return -1;
  if (groesse > MaxEPDDateiGroesse) {
    std::fclose(f);
    return -1;
  }
  std::vector<std::string> zeilen;
  std::string stueck;
  int c;
  uint64_t gelesen = 0;
  while ((c = std::getc(f)) != EOF) {
    // A file that keeps growing while it is read ends at the bound too.
    if (++gelesen > MaxEPDDateiGroesse) {
      std::fclose(f);
      return -1;
    }
    stueck.push_back(static_cast<char>(c));
    if (c == '\n' || stueck.size() == EPDZeilenLaenge) {
      zeilen.push_back(Aufbereiten(std::move(stueck), zeilen.empty()));
      stueck.clear();
    }
  }
  if (!stueck.empty()) zeilen.push_back(Aufbereiten(std::move(stueck), zeilen.empty()));
  // A read that fails half-way (a folder, a vanished device) loads nothing.
  const bool fehler = std::ferror(f) != 0;
  std::fclose(f);
  if (fehler) return -1;

  EPDTabelle& t = EPD();
  t.ergebnis = std::make_unique<std::atomic<int16_t>[]>(zeilen.size());
  t.zeilen = std::move(zeilen);
  EPDTestZuruecksetzen();
  return 0;
}

int32_t EPDInterpretieren(std::string_view zeile, Stellung& st, Zug& ziel, int32_t& art,
                          Zugliste* zuege) {
  st = Leerstellung();
  ziel = KeinZug;
  art = EPDKeinZiel;
  if (zuege) zuege->anzahl = 0;
  zeile = zeile.substr(0, zeile.find('\0'));
  while (!zeile.empty() && (zeile.back() == '\n' || zeile.back() == '\r')) zeile.remove_suffix(1);

  // At least one character must follow the position fields.
  const size_t ende = StellungsfelderEnde(zeile);
  if (ende == std::string_view::npos || ende >= zeile.size()) return EPDStellungFehler;
  uint16_t halbzug = 1;
  if (FENEingabe(zeile.substr(0, ende), st, halbzug) != FENGueltig) {
    st = Leerstellung();
    return EPDStellungFehler;
  }
  const Zugliste legal = ZugGenerator(st, GenAlleZuege);

  Zugliste ziele;
  size_t pos = ende;
  while (pos < zeile.size()) {
    if (zeile[pos] == ' ') {
      ++pos;
      continue;
    }
    const size_t stopp = OperationsEnde(zeile, pos);
    const std::string_view operation = zeile.substr(pos, stopp - pos);
    pos = stopp < zeile.size() ? stopp + 1 : stopp;
    // "dm 1" is the shortest operation that says anything; shorter ones
    // carry no operand and are skipped.
    if (operation.size() < 4) continue;
    const std::string_view name = operation.substr(0, 3);
    const std::string_view wert = operation.substr(3);
    if (name == "bm " || name == "am ") {
      if (!ZuegeLesen(wert, legal, ziele)) return EPDOperationFehler;
      art = name == "bm " ? EPDBestZug : EPDVermeideZug;
      ziel = ziele.zuege[0];
      if (zuege) *zuege = ziele;
    } else if (name == "dm ") {
      int8_t tiefe = 0;
      if (!MattTiefeLesen(wert, tiefe)) return EPDOperationFehler;
      art = EPDMattIn;
      ziel = KeinZug;
      ziel.wert = tiefe;
      if (zuege) zuege->anzahl = 0;
    }
  }
  return EPDGelesen;
}

void EPDTestZuruecksetzen() {
  EPDTabelle& t = EPD();
  if (t.ergebnis)
    for (int32_t i = 0; i < t.anzahl(); ++i)
      t.ergebnis[i].store(EPDNichtGetestet, std::memory_order_relaxed);
  t.standSetzen(EPDTestStand{});
}

int32_t EPDTestLauf(int32_t weichZeit, int32_t hartZeit, const std::atomic<uint8_t>& abbruch) {
  EPDTestZuruecksetzen();
  EPDTabelle& t = EPD();
  SuchZustand& s = Suche();
  // The limits the root search itself keeps to; a failed line adds the
  // hard limit it really had.
  weichZeit = std::clamp(weichZeit, 0, 3600);
  hartZeit = std::clamp(hartZeit, 0, 3600);
  EPDTestStand stand;

  for (int32_t i = 0; i < t.anzahl(); ++i) {
    if (abbruch.load() == 1) break;
    Stellung st;
    Zug ziel;
    int32_t art = EPDKeinZiel;
    if (EPDInterpretieren(t.zeilen[static_cast<size_t>(i)], st, ziel, art, &s.epdZiele) !=
        EPDGelesen) {
      t.ergebnis[i].store(EPDUnlesbar, std::memory_order_relaxed);
    } else {
      HashTabLeeren();
      s.epdZiel = ziel;
      // A position with a single legal move is answered without iterating
      // and so without a solution time of its own: it took no time.
      s.epdLoesungszeit = 0;
      // Cleared before the test's stop request is read: a stop arriving in
      // between sets the search's flag again afterwards.
      s.abbruch.store(0);
      if (abbruch.load() == 1) break;
      const int16_t wert = SucheWurzel(st, MaxSuchPly, weichZeit, hartZeit, 0, art, false);
      // A line cut short by a stop is no result: it stays untested and
      // uncounted, so the counters agree with the lines done.
      if (abbruch.load() == 1) break;

      if (art != EPDKeinZiel) {
        bool geloest = false;
        if (art == EPDBestZug) {
          geloest = EPDZielGetroffen(s.ergebnis.zug);
        } else if (art == EPDVermeideZug) {
          geloest = !EPDZielGetroffen(s.ergebnis.zug);
        } else {
          // Only the side to move mating counts; being mated solves nothing.
          const bool gewinnt = st.amZug == Weiss ? wert > MattSchwelle : wert < -MattSchwelle;
          geloest = gewinnt && (Matt - std::abs(static_cast<int>(wert))) / 2 == ziel.wert;
        }
        if (geloest) {
          const int32_t zeit = std::clamp(s.epdLoesungszeit, 0, hartZeit);
          t.ergebnis[i].store(static_cast<int16_t>(zeit), std::memory_order_relaxed);
          ++stand.geloest;
          stand.gesamtZeit += zeit;
        } else {
          t.ergebnis[i].store(EPDNichtGeloest, std::memory_order_relaxed);
          stand.gesamtZeit += hartZeit;
        }
      }
    }
    stand.aktuelleZeile = i + 1;
    t.standSetzen(stand);
  }
  return stand.aktuelleZeile;
}

int32_t EPDZeileSpeichern(const char* pfad, const char* zeile, bool anhaengen) {
  std::FILE* f = std::fopen(pfad, anhaengen ? "a" : "w");
  if (!f) return -1;
  bool ok = std::fputs(zeile, f) >= 0 && std::fputc('\n', f) != EOF;
  ok = std::fclose(f) == 0 && ok;
  return ok ? 0 : -1;
}

}  // namespace galdrik
