// PGN writing, the game index, and the movetext parser. Variations are parsed
// on an explicit stack of lines, so neither long games nor deeply nested
// variations cost stack frames.
#include "interface/pgn.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <new>

#include "core/fen.h"
#include "core/log.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/textfile.h"
#include "interface/partienotation.h"

namespace galdrik {

namespace {

// A tag value inside its quotes: quote and backslash escaped as PGN has it;
// a line break would split the tag line, so it becomes a blank.
std::string TagwertSchreiben(std::string_view wert) {
  std::string text;
  text.reserve(wert.size());
  for (const char c : wert) {
    if (c == '"' || c == '\\') text.push_back('\\');
    text.push_back(c == '\n' || c == '\r' ? ' ' : c);
  }
  return text;
}

std::string TagwertLesen(std::string_view roh) {
  std::string wert;
  wert.reserve(roh.size());
  for (size_t i = 0; i < roh.size(); ++i) {
    if (roh[i] == '\\' && i + 1 < roh.size() && (roh[i + 1] == '"' || roh[i + 1] == '\\')) ++i;
    wert.push_back(roh[i]);
  }
  return wert;
}

// What ends the movetext: only a result token may stand there, since any
// other text after the moves reads back as moves. A result not yet known
// ("?", as the tag dialog offers, or none) is "*".
std::string_view ErgebnisToken(std::string_view ergebnis) {
  const size_t anfang = ergebnis.find_first_not_of(" \t");
  if (anfang == std::string_view::npos) return "*";
  ergebnis = ergebnis.substr(anfang, ergebnis.find_last_not_of(" \t") + 1 - anfang);
  for (const std::string_view token : {"1-0", "0-1", "1/2-1/2", "*"})
    if (ergebnis == token) return token;
  return "*";
}

bool AlsTagGeschlossen(std::string_view zeile) {
  return zeile.size() >= 3 && zeile.substr(zeile.size() - 2) == "\"]";
}

// Index of the tag the line names (its name, a blank and a quote right after
// the bracket), or -1.
int TagDerZeile(std::string_view zeile) {
  for (int t = 0; t < PGNTagAnzahl; ++t) {
    const std::string_view name = PGNTagNamen[t];
    if (zeile.size() > name.size() + 2 && zeile.substr(1, name.size()) == name &&
        zeile.substr(1 + name.size(), 2) == " \"")
      return t;
  }
  return -1;
}

bool IstEventZeile(std::string_view zeile) {
  return !zeile.empty() && zeile[0] == '[' && AlsTagGeschlossen(zeile) && TagDerZeile(zeile) == 0;
}

bool IstLeer(std::string_view zeile) {
  return zeile.find_first_not_of(" \t") == std::string_view::npos;
}

constexpr std::string_view Trennzeichen = " \t\n.(){}[];%?!_*";

// From inside a variation to just past its closing parenthesis. Comments are
// passed over whole: a parenthesis inside one belongs to its text.
size_t VarianteUeberspringen(std::string_view t, size_t i) {
  int tiefe = 1;
  while (i < t.size()) {
    const char c = t[i++];
    if (c == '{' || c == ';') {
      const size_t ende = t.find(c == '{' ? '}' : '\n', i);
      if (ende == std::string_view::npos) return t.size();
      i = ende + 1;
    } else if (c == '(') {
      ++tiefe;
    } else if (c == ')' && --tiefe == 0) {
      break;
    }
  }
  return i;
}

int32_t NAGLesen(std::string_view ziffern) {
  int64_t wert = 0;
  for (const char c : ziffern) {
    if (c < '0' || c > '9') break;
    wert = std::min<int64_t>(wert * 10 + (c - '0'), INT32_MAX);
  }
  return static_cast<int32_t>(wert);
}

// More alternatives than a position has legal moves can only be repeats; a
// bound on them keeps every walk along a child list short.
constexpr int MaxKinder = 256;

// A new last child of the node for a variation's first move (never merged
// with an existing one, so the node's other lines keep their annotations);
// nullptr when the node has MaxKinder children or memory runs out.
Zugknoten* VarianteAnhaengen(Zugknoten* knoten, const Zug& zug) {
  int kinder = 0;
  for (const Zugknoten* k = knoten->ersterSohn; k; k = k->naechsterBruder)
    if (++kinder >= MaxKinder) return nullptr;
  auto* neu = new (std::nothrow) Zugknoten(zug, knoten->ply + 1);
  if (neu) KindAnhaengen(knoten, neu);
  return neu;
}

// One line of the movetext being parsed: the main line, or a variation.
struct Parsezeile {
  Zugknoten* aktuell;      // nullptr in a variation before its first move
  Stellung stellung;       // after the current node's move
  Zugknoten* letzterZug;   // nullptr before the line's first move
  Stellung vorLetztemZug;  // position before that move
  Zugknoten* abzweig;      // the node a variation's first move branches from
  bool* voll;              // set when a move found the record full
};

// A move token played in the line; false when it cannot be.
bool ZugLesen(Parsezeile& z, std::string_view text) {
  Zugknoten* vater = z.aktuell ? z.aktuell : z.abzweig;
  if (text.size() > 16) return false;
  Zugliste liste;
  ZugGenerator(z.stellung, GenAlleZuege, liste);
  uint8_t status = 0;
  const int16_t i = PGNZugInterpretieren(liste, text, FigurenEnglisch, status);
  if (i < 0) return false;
  if (vater->ply >= MaxPartiePly) {
    if (z.voll) *z.voll = true;
    return false;
  }
  Zugknoten* knoten =
      z.aktuell ? ZugknotenFinden(vater, liste.zuege[i]) : VarianteAnhaengen(vater, liste.zuege[i]);
  if (!knoten) return false;
  knoten->nag = 0;
  knoten->kommentar.reset();
  z.vorLetztemZug = z.stellung;
  ZugAusfuehren(z.stellung, z.stellung, liste.zuege[i], 1);
  z.letzterZug = knoten;
  z.aktuell = knoten;
  return true;
}

// False when the token ends the line. A NAG or comment before a variation's
// first move has no node to go to.
bool TokenLesen(Parsezeile& z, std::string_view token) {
  if (token.size() < 2) return true;
  if (token[0] >= '0' && token[0] <= '9' && token.substr(0, 3) != "0-0") return true;
  if (token[0] == '$') {
    if (z.aktuell) z.aktuell->nag = NAGLesen(token.substr(1));
    return true;
  }
  return ZugLesen(z, token);
}

void KommentarSetzen(Zugknoten* knoten, std::string_view text) {
  if (knoten && text.size() >= 2) knoten->kommentar = std::string(text);
}

}  // namespace

PGNDatenbank& Datenbank() {
  static PGNDatenbank datenbank;
  return datenbank;
}

std::string PGNPartieText() {
  const PartieZustand& p = Partie();
  std::string text = "\n";
  const std::string_view ergebnis = ErgebnisToken(p.infos[TagResult]);
  for (int t = 0; t < PartieTagAnzahl; ++t) {
    text += "[";
    text += PartieTagNamen[t];
    // Readers refuse a Result tag that is not a result or differs from the
    // movetext's end, so both carry the same token. The game record holds
    // longer values than a PGN index takes, and one such tag would make the
    // whole file unreadable.
    const std::string_view wert =
        t == TagResult ? ergebnis : Utf8Kuerzen(p.infos[t], PGNTagwertLaenge);
    text += " \"" + TagwertSchreiben(wert) + "\"]\n";
  }
  if (p.wurzel) {
    // The FEN carries the move number too, so a game that starts later than
    // move one is set up even from the initial position.
    const std::string fen =
        FENAusgabe(p.wurzel->startstellung, static_cast<int16_t>(p.wurzel->ply + 1));
    if (fen != FENAusgabe(Grundstellung(), 1)) text += "[SetUp \"1\"]\n[FEN \"" + fen + "\"]\n";
  }
  text += "\n";
  Notationsauftrag auftrag;
  auftrag.buchstaben = FigurenEnglisch;
  auftrag.modus = NotationPGN;
  auftrag.blockTiefe = 0;
  auftrag.einzug = 0;
  if (p.wurzel) PartieNotationSchreiben(auftrag, *p.wurzel);
  text += auftrag.text;
  text += " ";
  text += ergebnis;
  text += "\n";
  return text;
}

int32_t PGNSpeichern(const std::string& pfad, bool anhaengen) {
  std::string text;
  try {
    text = PGNPartieText();
  } catch (const std::bad_alloc&) {
    return -1;
  }
  std::FILE* datei = std::fopen(pfad.c_str(), anhaengen ? "ab" : "wb");
  if (!datei) return -1;
  const bool geschrieben = std::fwrite(text.data(), 1, text.size(), datei) == text.size();
  return std::fclose(datei) == 0 && geschrieben ? 0 : -1;
}

int32_t PGNDateiIndex(const std::string& pfad, std::vector<PGNIndexSatz>& saetze) {
  saetze.clear();
  Zeilenleser leser(pfad);
  if (!leser.offen()) return PGNNichtGeoeffnet;
  std::string zeile;
  int32_t nummer = 0;
  int32_t erste = 0;
  bool zugtextOffen = false;
  bool vorigeLeer = false;
  auto zugtextSchliessen = [&](int32_t anzahl) {
    saetze.back().ersteZeile = erste;
    saetze.back().zeilenAnzahl = anzahl;
    zugtextOffen = false;
  };
  for (; leser.lesen(zeile); ++nummer) {
    // Line numbers are 32-bit in the index.
    if (nummer == INT32_MAX) {
      saetze.clear();
      return PGNNichtGeoeffnet;
    }
    if (IstEventZeile(zeile)) {
      // The empty line that separates games belongs to neither; a last
      // movetext line right before the next game's tags stays with its game.
      if (zugtextOffen) zugtextSchliessen(nummer - erste - (vorigeLeer ? 1 : 0));
      saetze.emplace_back();
    }
    vorigeLeer = IstLeer(zeile);
    if (!zeile.empty() && zeile[0] == '%') continue;
    if (!zeile.empty() && zeile[0] == '[') {
      if (!AlsTagGeschlossen(zeile)) {
        saetze.clear();
        return PGNTagFehlerhaft;
      }
      const int tag = TagDerZeile(zeile);
      if (tag < 0 || saetze.empty()) continue;
      const size_t anfang = PGNTagNamen[tag].size() + 3;
      const size_t ende = zeile.size() - 2;
      std::string wert =
          ende > anfang ? TagwertLesen(std::string_view(zeile).substr(anfang, ende - anfang)) : "";
      if (wert.size() > PGNTagwertLaenge) {
        saetze.clear();
        return PGNTagFehlerhaft;
      }
      saetze.back().tags[tag] = std::move(wert);
      continue;
    }
    if (!zugtextOffen && !saetze.empty()) {
      erste = nummer;
      zugtextOffen = true;
    }
  }
  // A file that breaks off in a read error or an endless line is no
  // database.
  if (leser.fehler()) {
    saetze.clear();
    return PGNNichtGeoeffnet;
  }
  if (zugtextOffen) zugtextSchliessen(nummer - erste);
  return static_cast<int32_t>(std::min<size_t>(saetze.size(), INT32_MAX));
}

int32_t PGNZugtextLeser::lesen(int32_t erste, int32_t anzahl, std::string& text) {
  text.clear();
  if (!leser_.offen()) return -1;
  // A game of tags alone has no lines of its own (and no place in the file).
  if (anzahl <= 0) return 0;
  if (erste < naechste_) return -1;
  while (naechste_ < erste && leser_.lesen(zeile_)) ++naechste_;
  for (int32_t i = 0; i < anzahl && leser_.lesen(zeile_); ++i) {
    ++naechste_;
    if (!zeile_.empty() && zeile_[0] == '%') continue;
    text += zeile_;
    text += '\n';
  }
  if (leser_.fehler()) {
    text.clear();
    return -1;
  }
  return static_cast<int32_t>(std::min<size_t>(text.size(), INT32_MAX));
}

int32_t PGNPartieTextLesen(const std::string& pfad, int32_t erste, int32_t anzahl,
                           std::string& text) {
  return PGNZugtextLeser(pfad).lesen(erste, anzahl, text);
}

int32_t PGNPartieLaden(const PGNIndexSatz& satz, std::string_view zugtext, std::string* abbruch) {
  if (abbruch) abbruch->clear();
  PartieNeu();
  for (int t = 0; t < PartieTagAnzahl; ++t)
    PartieInfoSetzen(static_cast<PartieTag>(t), satz.tags[t]);
  Stellung start = Grundstellung();
  int32_t wurzelPly = 0;
  if (satz.tags[TagSetUp] == "1") {
    uint16_t halbzugNummer = 1;
    if (FENEingabe(satz.tags[TagFEN], start, halbzugNummer) != FENGueltig) return PGNFENUngueltig;
    wurzelPly = halbzugNummer - 1;
    if (wurzelPly >= MaxWurzelPly) return PGNStartplyZuGross;
  }
  bool voll = false;
  if (Partiewurzel* wurzel = PGNZugtextParsen(start, wurzelPly, zugtext, abbruch, &voll))
    PartieWurzelErsetzen(wurzel);
  if (!voll) return 0;
  LogZeile(PGNPartieZuLangMeldung);
  return PGNPartieZuLang;
}

// A variation's moves go straight below the node it branches from, after
// the alternatives already there; an alternative to a variation's own first
// move joins the same node. Each variation is a frame on the stack of lines.
Partiewurzel* PGNZugtextParsen(const Stellung& start, int32_t wurzelPly, std::string_view t,
                               std::string* abbruch, bool* voll) {
  auto* wurzel = new (std::nothrow) Partiewurzel(start, wurzelPly);
  if (!wurzel) return nullptr;
  if (voll) *voll = false;
  std::vector<Parsezeile> zeilen;
  zeilen.push_back({wurzel, start, nullptr, {}, nullptr, voll});
  size_t i = 0;

  // Ends the innermost line; unless a variation ended at its own
  // parenthesis, the scan goes on past that. False when the main line ended:
  // the parse is over.
  auto zeileBeenden = [&](bool anKlammer) {
    if (zeilen.size() == 1) return false;
    zeilen.pop_back();
    if (!anKlammer) i = VarianteUeberspringen(t, i);
    return true;
  };

  while (i < t.size()) {
    Parsezeile& z = zeilen.back();
    const char c = t[i];
    if (c == '{' || c == ';') {
      const size_t ende = t.find(c == '{' ? '}' : '\n', i + 1);
      if (ende == std::string_view::npos) break;
      KommentarSetzen(z.aktuell, t.substr(i + 1, ende - i - 1));
      i = ende + 1;
    } else if (c == '(') {
      ++i;
      if (!z.letzterZug) {
        i = VarianteUeberspringen(t, i);
        continue;
      }
      const Parsezeile variante{nullptr, z.vorLetztemZug, nullptr, {}, z.letzterZug->parent, voll};
      zeilen.push_back(variante);
    } else if (c == ')' || c == '}') {
      ++i;
      if (!zeileBeenden(c == ')')) break;
    } else if (Trennzeichen.find(c) != std::string_view::npos) {
      ++i;
    } else {
      size_t ende = i;
      while (ende < t.size() && Trennzeichen.find(t[ende]) == std::string_view::npos) ++ende;
      const std::string_view token = t.substr(i, ende - i);
      i = ende;
      if (TokenLesen(z, token)) continue;
      if (abbruch && abbruch->empty()) {
        const Zugknoten* vater = z.aktuell ? z.aktuell : z.abzweig;
        *abbruch = std::to_string(vater->ply / 2 + 1) + (z.stellung.amZug ? ". " : "... ");
        abbruch->append(token);
      }
      if (!zeileBeenden(false)) break;
    }
  }
  return wurzel;
}

}  // namespace galdrik
