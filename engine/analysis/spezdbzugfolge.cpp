// The sequence texts of the special database: a record's position, its
// tablebase line in the strategy mode (the defender follows the strategy
// search) written move by move with its marks, and the record as a PGN game
// appended to a file.
#include "analysis/spezdbzugfolge.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "analysis/spezdb.h"
#include "analysis/strategiezug.h"
#include "analysis/tbanajob.h"
#include "analysis/tbanaschleife.h"
#include "analysis/vernetzung.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/search.h"
#include "core/textfile.h"
#include "tablebase/probe.h"
#include "tablebase/zugfolge.h"
#include "tablebase/zugfolgejob.h"
#include "tablebase/zugfolgepartie.h"

namespace galdrik {
namespace {

// The labels of the sequence texts among the move-sequence labels (1-based).
constexpr int BezWiederholung = 15;
constexpr int BezFuenfzig = 16;
constexpr int BezFolgeVon = 17;
constexpr int BezEinzigeZuege = 18;

// A label inside a PGN comment must not close the comment.
std::string Kommentartext(std::string text, bool pgn) {
  if (pgn)
    for (char& c : text)
      if (c == '}') c = ')';
  return text;
}

bool FolgeMatt(const Stellung& st) {
  Zugliste l;
  ZugGenerator(st, GenAlleZuege, l);
  return l.anzahl == 0 && AmZugImSchach(st);
}

bool GleicheFolgestellung(const Stellung& a, const Stellung& b) {
  return a.weiss == b.weiss && a.schwarz == b.schwarz && a.bauern == b.bauern &&
         a.springer == b.springer && a.laeufer == b.laeufer && a.tuerme == b.tuerme &&
         a.damen == b.damen && a.koenigW == b.koenigW && a.koenigS == b.koenigS &&
         a.epFeld == b.epFeld && a.amZug == b.amZug;
}

// While the linking or an analysis works on the database, or the
// move-sequence job on the search's shared state, the texts wait.
bool Belegt() {
  return VernetzungLaeuft() || TBAnaGlobal().laeuft.load(std::memory_order_acquire) ||
         TBZugfolgeAktiv();
}

std::string TagWert(std::string_view s) {
  std::string r;
  for (char c : s) {
    if (c == '"' || c == '\\') r += '\\';
    r += c;
  }
  return r;
}

// The piece letters of one colour's slots, in slot order.
std::string Spieler(const int32_t codes[AnaSlots], bool weiss, std::string_view buchstaben) {
  std::string s;
  for (int k = 0; k < AnaSlots; ++k) {
    const int32_t c = codes[k];
    if (c == 0 || (c > 0) != weiss) continue;
    const size_t art = static_cast<size_t>(std::abs(c)) - 1;
    if (art < buchstaben.size()) s += buchstaben[art];
  }
  return s;
}

// Writes the whole file (what it held, then the game) under a temporary
// name and renames it over the old one.
bool Anhaengen(const std::string& pfad, const std::string& spiel) {
  namespace fs = std::filesystem;
  std::error_code ec;
  std::string alt;
  if (fs::exists(pfad, ec)) {
    uint64_t groesse = 0;
    std::FILE* ein = LeseDateiOeffnen(pfad, &groesse);
    if (!ein) return false;
    alt.resize(static_cast<size_t>(groesse));
    const bool gelesen = std::fread(alt.data(), 1, alt.size(), ein) == alt.size();
    std::fclose(ein);
    if (!gelesen) return false;
  } else if (ec) {
    return false;
  }
  const std::string tmp = pfad + ".tmp";
  std::FILE* aus = std::fopen(tmp.c_str(), "wb");
  if (!aus) return false;
  bool gut = std::fwrite(alt.data(), 1, alt.size(), aus) == alt.size();
  gut = gut && std::fwrite(spiel.data(), 1, spiel.size(), aus) == spiel.size();
  gut = std::fflush(aus) == 0 && gut;
  gut = std::fclose(aus) == 0 && gut;
  if (!gut || std::rename(tmp.c_str(), pfad.c_str()) != 0) {
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

}  // namespace

Stellung SpezDBStellung(const TBAnaEintrag& r, const int32_t codes[AnaSlots]) {
  int32_t felder[AnaSlots];
  for (int k = 0; k < AnaSlots; ++k) felder[k] = r.feld[k];
  return TBAnaStellung(codes, felder, r.amZug, r.epFeld);
}

std::string SpezDBZugfolgeText(const Stellung& pos, int32_t modus) {
  TBStrategieInstallieren();
  const bool pgn = modus == ZugfolgeModusPGN;
  const auto& bez = ZugfolgeJob().bezeichnungen;
  auto Bez = [&](int i) { return Kommentartext(bez[static_cast<size_t>(i - 1)], pgn); };
  const std::string buchstaben =
      pgn ? std::string(FigurenEnglisch) : std::string(Suche().notationsBuchstaben);

  const int32_t m = TBMetrikAktuell();
  const uint8_t umwandlungen = m >= 1 && m <= 5;
  const uint8_t bauernzuege = m >= 3 && m <= 5;
  const int32_t fuenfzig = m == 2 || m == 4 ? 50 : 0;
  Stellung start = pos;
  start.remisMaterial = 0;
  // Not a job: a stop request left from an earlier job must not cut the
  // strategy search short.
  TBZugfolgeAbbruch().store(0);
  auto r = std::make_unique<TBZugfolgeErgebnis>();
  TBZugfolgeSuchen(start, 0, 0, *r, 1, umwandlungen, bauernzuege, fuenfzig, 0, 0, 0.0f, 0.0f);

  std::string text;
  const int n = r->einzigeFolge;
  if (n != 0)
    text += TextFormat(pgn ? "{%s%i%s}\n" : "%s%i%s\n", Bez(BezFolgeVon).c_str(), std::abs(n),
                       Bez(BezEinzigeZuege).c_str());
  if (start.amZug == Schwarz) text += TextFormat("%i... ", 1);

  // A won line goes on past the fifty-move rule, as the move-sequence job's
  // does; a drawn line ends there.
  const bool ueberFuenfzig = r->distanz != 0;
  std::vector<Stellung> folge{start};
  Stellung P = start;
  for (int i = 0; i < r->linienLaenge; ++i) {
    const Zug& z = r->linie[i];
    if (P.amZug == Weiss) text += TextFormat("%i. ", (i + 1) / 2 + 1);
    Stellung nach = ZugAusfuehren(P, z, 1);
    text += ZugNotation(z, buchstaben, FolgeMatt(nach) ? 1 : 0);
    const int32_t c = r->nag[i];
    text += NagZeichen(c, pgn);
    if (c == NagOhneWert) {
      text += "{??}";
      break;
    }
    P = nach;
    bool wiederholt = false;
    for (const Stellung& s : folge) wiederholt |= GleicheFolgestellung(s, P);
    if (wiederholt) {
      text += "{" + Bez(BezWiederholung) + "} ";
      break;
    }
    folge.push_back(P);
    if (P.halbzuege > 99) {
      text += "{" + Bez(BezFuenfzig) + "} ";
      if (!ueberFuenfzig) break;
      P.halbzuege = 0;
    }
    if (pgn && (i + 1) % 10 == 0) text += "\n";
  }
  return text;
}

bool SpezDBZugfolge(int32_t i, int32_t modus, std::string& text) {
  text.clear();
  if (Belegt()) return false;
  const TBAnaEintrag* r = SpezDBEintrag(i);
  if (!r) return false;
  const TBAnaEintrag satz = *r;
  text = SpezDBZugfolgeText(SpezDBStellung(satz, SpezDBFigurcodes()), modus);
  return true;
}

std::string SpezDBPartieText(const TBAnaEintrag& r, const int32_t codes[AnaSlots]) {
  // The side to move's value, turned to White's view.
  const int32_t weiss = r.amZug == 1 ? r.wert : -r.wert;
  const char* ergebnis = weiss > 0 ? "1-0" : weiss < 0 ? "0-1" : "1/2-1/2";
  const std::string buchstaben = Suche().notationsBuchstaben;

  std::string fen = TBAnaStellungText(r, codes);
  for (const char* schluss : {" dm", " om", " draw"}) {
    const size_t p = fen.find(schluss);
    if (p != std::string::npos) fen.resize(p);
  }
  fen += " 0 1";

  std::string spiel;
  spiel += "\n";
  spiel += "[Event \"EGTB\"]\n";
  spiel += "[Site \"-\"]\n";
  spiel += "[Date \"" + HeutigesDatum() + "\"]\n";
  spiel += "[Round \"1\"]\n";
  spiel += "[White \"" + TagWert(Spieler(codes, true, buchstaben)) + "\"]\n";
  spiel += "[Black \"" + TagWert(Spieler(codes, false, buchstaben)) + "\"]\n";
  spiel += "[Result \"" + std::string(ergebnis) + "\"]\n";
  spiel += "[SetUp \"1\"]\n";
  spiel += "[FEN \"" + fen + "\"]\n";
  spiel += "[Annotator \"Galdrik 1.50\"]\n";
  spiel += "\n" + SpezDBZugfolgeText(SpezDBStellung(r, codes), ZugfolgeModusPGN);
  spiel += " " + std::string(ergebnis) + "\n";
  return spiel;
}

int32_t SpezDBStellungPGNSpeichern(int32_t i, const char* pfad) {
  if (!pfad || !*pfad) return SpezDBPGNDateiFehler;
  if (Belegt()) return SpezDBPGNBelegt;
  const TBAnaEintrag* r = SpezDBEintrag(i);
  if (!r) return SpezDBPGNKeinEintrag;
  const TBAnaEintrag satz = *r;
  const std::string spiel = SpezDBPartieText(satz, SpezDBFigurcodes());
  return Anhaengen(pfad, spiel) ? SpezDBPGNOk : SpezDBPGNDateiFehler;
}

}  // namespace galdrik
