// Compiling a book source: reading its groups and games, playing each game
// with its alternatives on the board, weighing, demoting and de-duplicating
// the moves, and writing the .bk2 file and the log.
#include "core/bookcompiler.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <iterator>
#include <new>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/book.h"
#include "core/figstat.h"
#include "core/log.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/textfile.h"
#include "core/zobrist.h"

namespace galdrik {

namespace {

// Problems inside a game. Each logs one line; the errors end the game.
enum class Meldung {
  NummerFalsch,
  SchachFalsch,
  SchlagFalsch,
  ZugIllegal,
  ZugangabeZuLang,
  NummerNegativ,
  NummerOhnePunkt,
  MaximalePositionen,
  HauptvarianteTerminiert,
  VarianteOhneZug,
  ZuTiefVerschachtelt,
};

struct MeldungText {
  const char* vorDemPly;    // up to the ply number
  const char* vorDemToken;  // between "Verschachtelung" and "[token]"
  bool fehler;
};

// Text of each line, in the order of Meldung. The uneven blanks and tabs
// are the log's fixed layout: tools that read the log rely on it.
constexpr MeldungText MeldungTexte[] = {
    {"\t\tWarnung: Zugnummerierung falsch: ", " \t[", false},
    {"\t\tWarnung: Schachgebotsangabe falsch: ", " \t[", false},
    {"\t\tWarnung: Schlagangabe falsch: ", " \t[", false},
    {"\t\tFehler:  Zug illegal: ", " \t\t[", true},
    {"\t\tFehler:  Zugangabe zu lang: ", " \t[", true},
    {"\t\tFehler:  Zugnummerierung negativ: ", " \t[", true},
    {"\t\tFehler: Zugnummerierung ohne Punkt: ", " \t[", true},
    {"\t\tFehler:  Maximale Positionszahl: ", " \t[", true},
    {"\t\tFehler:  Hauptvariante terminiert: ", " \t[", true},
    {"\t\tFehler:  Variante ohne vorangehenden Zug: ", " \t[", true},
    {"\t\tFehler:  Varianten zu tief verschachtelt: ", " \t[", true},
};
static_assert(std::size(MeldungTexte) == static_cast<size_t>(Meldung::ZuTiefVerschachtelt) + 1);

// Errors of one game, as BuchPartieVerarbeiten returns them.
constexpr int32_t FehlerZugangabeZuLang = -1;
constexpr int32_t FehlerNummerNegativ = -2;
constexpr int32_t FehlerZugIllegal = -3;
constexpr int32_t FehlerMaximalePositionen = -4;
constexpr int32_t FehlerNummerOhnePunkt = -5;
constexpr int32_t FehlerHauptvarianteTerminiert = -6;
constexpr int32_t FehlerVarianteOhneZug = -7;
constexpr int32_t FehlerZuTiefVerschachtelt = -8;

// Characters (not bytes) of a UTF-8 text.
size_t Zeichen(std::string_view text) {
  size_t n = 0;
  for (const char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

// A count line of the source: decimal digits, blanks around them allowed.
bool ZahlLesen(const std::string& zeile, int32_t& zahl) {
  size_t i = 0;
  while (i < zeile.size() && (zeile[i] == ' ' || zeile[i] == '\t')) ++i;
  const size_t anfang = i;
  int64_t wert = 0;
  for (; i < zeile.size() && zeile[i] >= '0' && zeile[i] <= '9'; ++i) {
    wert = wert * 10 + (zeile[i] - '0');
    if (wert > 1000000) return false;
  }
  if (i == anfang) return false;
  while (i < zeile.size() && (zeile[i] == ' ' || zeile[i] == '\t')) ++i;
  if (i != zeile.size()) return false;
  zahl = static_cast<int32_t>(wert);
  return true;
}

bool IstZiffer(char c) { return c >= '0' && c <= '9'; }
bool IstTrenner(char c) { return c == ' ' || c == '\t'; }

struct SatzHash {
  size_t operator()(const Buchsatz& s) const {
    uint64_t zug = 0;
    std::memcpy(&zug, &s.zug, sizeof zug);
    return std::hash<uint64_t>{}(s.key() ^ (zug * 0x9E3779B97F4A7C15ULL));
  }
};
struct SatzGleich {
  bool operator()(const Buchsatz& a, const Buchsatz& b) const {
    return std::memcmp(&a, &b, sizeof(Buchsatz)) == 0;
  }
};

class Kompilierer {
 public:
  explicit Kompilierer(std::FILE* log) : log_(log) {}

  int32_t Uebersetzen(const std::string& quelle, const std::string& ziel,
                      const BuchKompilierPfade& pfade);
  BuchKompilierBericht Bericht() const { return {warnungen_, fehler_, geschrieben_}; }

 private:
  // How one line of moves ended: its result (characters consumed or an
  // error) and the character that closed it (";", ")" or 0 at the end).
  struct Linienende {
    int32_t ergebnis;
    char ende;
  };

  int32_t BuchPartieVerarbeiten(const Stellung& start, std::string_view text, uint16_t ply) {
    return Linie(start, text, ply).ergebnis;
  }
  Linienende Linie(Stellung stellung, std::string_view text, uint16_t ply);
  int32_t ZugVerarbeiten(Stellung& stellung, Stellung& vorher, std::string_view token,
                         uint16_t& ply);

  int32_t Formatfehler(const char* text) {
    Schreiben(text);
    return KompilierungQuelleFehlerhaft;
  }
  void Schreiben(std::string_view text) { std::fwrite(text.data(), 1, text.size(), log_); }
  void Melden(Meldung art, int ply, std::string_view token);
  bool ZielSchreiben(const std::string& ziel, const std::string& titel);
  void Abwerten();
  void DoppelteEntfernen();

  std::FILE* log_;
  std::vector<Buchsatz> buch_;
  std::vector<Buchsatz> gute_;  // the moves marked good, for demoting
  int ebene_ = 0;               // nesting of the line being read; the main line is 1
  int32_t warnungen_ = 0;
  int32_t fehler_ = 0;
  int32_t geschrieben_ = 0;
};

void Kompilierer::Melden(Meldung art, int ply, std::string_view token) {
  const MeldungText& m = MeldungTexte[static_cast<int>(art)];
  std::string zeile = m.vorDemPly;
  zeile += std::to_string(ply) + " ply, " + std::to_string(ebene_) + ". Verschachtelung";
  zeile += m.vorDemToken;
  zeile += token;
  zeile += "]\n";
  Schreiben(zeile);
  ++(m.fehler ? fehler_ : warnungen_);
}

Kompilierer::Linienende Kompilierer::Linie(Stellung stellung, std::string_view text, uint16_t ply) {
  struct Ebene {
    int& ebene;
    explicit Ebene(int& e) : ebene(e) { ++ebene; }
    ~Ebene() { --ebene; }
  } ebene(ebene_);
  if (ebene_ > BuchMaxVerschachtelung) {
    Melden(Meldung::ZuTiefVerschachtelt, ply, "(");
    return {FehlerZuTiefVerschachtelt, 0};
  }

  Stellung vorher = stellung;  // the position before the last move read
  bool zugGelesen = false;
  size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    if (IstTrenner(c)) {
      ++pos;
      continue;
    }
    if (c == '(') {
      // Without a move there is nothing to give alternatives to.
      if (!zugGelesen) {
        Melden(Meldung::VarianteOhneZug, ply, "(");
        return {FehlerVarianteOhneZug, 0};
      }
      ++pos;
      for (;;) {
        const Linienende alternative =
            Linie(vorher, text.substr(pos), static_cast<uint16_t>(ply - 1));
        if (alternative.ergebnis < 0) return alternative;
        pos += static_cast<size_t>(alternative.ergebnis);
        if (alternative.ende != ';') break;
      }
      continue;
    }
    if (c == ')' || c == ';') {
      if (ebene_ == 1) {
        Melden(Meldung::HauptvarianteTerminiert, ply, std::string_view(&text[pos], 1));
        return {FehlerHauptvarianteTerminiert, 0};
      }
      return {static_cast<int32_t>(pos + 1), c};
    }
    size_t ende = text.find_first_of(" \t;()", pos);
    if (ende == std::string_view::npos) ende = text.size();
    const int32_t ergebnis = ZugVerarbeiten(stellung, vorher, text.substr(pos, ende - pos), ply);
    if (ergebnis < 0) return {ergebnis, 0};
    zugGelesen = true;
    pos = ende;
  }
  return {static_cast<int32_t>(text.size()), 0};
}

int32_t Kompilierer::ZugVerarbeiten(Stellung& stellung, Stellung& vorher, std::string_view token,
                                    uint16_t& ply) {
  if (token.size() > BuchMaxZugangabe) {
    Melden(Meldung::ZugangabeZuLang, ply, token);
    return FehlerZugangabeZuLang;
  }

  // A leading move number, "12.Sg1-f3"; castling written with zeros is no number.
  std::string_view zugtext = token;
  size_t i = 0;
  const bool negativ = token[0] == '-';
  if ((token[0] == '-' || token[0] == '+') && token.size() > 1 && IstZiffer(token[1])) i = 1;
  int64_t nummer = 0;
  for (; i < token.size() && IstZiffer(token[i]); ++i) nummer = nummer * 10 + (token[i] - '0');
  if (negativ) nummer = -nummer;
  if (nummer < 0) {
    Melden(Meldung::NummerNegativ, ply, token);
    return FehlerNummerNegativ;
  }
  if (nummer > 0) {
    if (2 * nummer - 1 != ply) Melden(Meldung::NummerFalsch, ply, token);
    const size_t punkt = token.find('.');
    if (punkt == std::string_view::npos) {
      Melden(Meldung::NummerOhnePunkt, ply, token);
      return FehlerNummerOhnePunkt;
    }
    zugtext = token.substr(punkt + 1);
  }

  const Zugliste liste = ZugGenerator(stellung, GenAlleZuege);
  uint8_t status = 0;
  const int16_t index = PGNZugInterpretieren(liste, zugtext, FigurenDeutsch, status);
  if (status & ZugtextSchachFalsch) Melden(Meldung::SchachFalsch, ply, token);
  if (status & ZugtextSchlagFalsch) Melden(Meldung::SchlagFalsch, ply, token);
  if (index < 0) {
    Melden(Meldung::ZugIllegal, ply, token);
    return FehlerZugIllegal;
  }

  FigStatStellung(stellung, ply);
  if (buch_.size() >= static_cast<size_t>(BuchMaxSaetze)) {
    Melden(Meldung::MaximalePositionen, ply, token);
    return FehlerMaximalePositionen;
  }

  Zug zug = liste.zuege[index];
  zug.wert = (status & ZugtextAusrufezeichen) ? BuchGewichtGut
             : (status & ZugtextFragezeichen) ? BuchGewichtZweifelhaft
                                              : BuchGewichtNormal;
  const uint64_t key = HashCodeBerechnen(stellung);
  const Buchsatz satz{static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32), zug};
  buch_.push_back(satz);
  if (zug.wert == BuchGewichtGut) gute_.push_back(satz);

  vorher = stellung;
  stellung = ZugAusfuehren(stellung, zug, 1);
  ++ply;
  return 0;
}

// A normal move in a position that also has a move marked good is only
// played when the variety admits the second choice.
void Kompilierer::Abwerten() {
  std::unordered_set<uint64_t> guteStellungen;
  for (const Buchsatz& s : gute_) guteStellungen.insert(s.key());
  for (Buchsatz& s : buch_)
    if (s.zug.wert == BuchGewichtNormal && guteStellungen.count(s.key()))
      s.zug.wert = BuchGewichtNebenGut;
}

// Keeps the first of every set of equal records, in book order.
void Kompilierer::DoppelteEntfernen() {
  std::unordered_set<Buchsatz, SatzHash, SatzGleich> gesehen;
  gesehen.reserve(buch_.size());
  size_t behalten = 0;
  for (const Buchsatz& s : buch_)
    if (gesehen.insert(s).second) buch_[behalten++] = s;
  buch_.resize(behalten);
}

bool Kompilierer::ZielSchreiben(const std::string& ziel, const std::string& titel) {
  // Through a temporary file beside the target: a failed write never
  // leaves a half-written book, nor destroys the old one.
  const std::string temp = ziel + ".tmp";
  std::FILE* datei = std::fopen(temp.c_str(), "wb");
  if (!datei) return false;
  std::string kopf = titel + "\n" + CZeitText() + "\n" + std::to_string(buch_.size()) + "\n";
  std::vector<unsigned char> bytes(buch_.size() * BuchsatzBytes);
  for (size_t i = 0; i < buch_.size(); ++i) BuchsatzKodieren(buch_[i], &bytes[i * BuchsatzBytes]);
  bool gut = std::fwrite(kopf.data(), 1, kopf.size(), datei) == kopf.size();
  gut = gut && (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), datei) == bytes.size());
  gut = std::fclose(datei) == 0 && gut;
  if (gut && std::rename(temp.c_str(), ziel.c_str()) == 0) return true;
  std::remove(temp.c_str());
  return false;
}

int32_t Kompilierer::Uebersetzen(const std::string& quelle, const std::string& ziel,
                                 const BuchKompilierPfade& pfade) {
  Zeilenleser leser(quelle);
  if (!leser.offen()) return KompilierungQuelleNichtOffen;

  BuchFrei();
  try {
    buch_.reserve(BuchMaxSaetze);
    gute_.reserve(BuchMaxSaetze);
  } catch (const std::bad_alloc&) {
    return Formatfehler("Fehler: zu wenig Speicher\n");
  }

  std::string zeile;
  const char* vorzeitig = "Fehler: Buchquelle endet vorzeitig\n";
  if (!leser.lesen(zeile)) return Formatfehler(vorzeitig);
  if (zeile.rfind("\xEF\xBB\xBF", 0) == 0) zeile.erase(0, 3);
  if (Zeichen(zeile) + 1 > static_cast<size_t>(BuchMaxTitel))
    return Formatfehler("Fehler: Titel zu lang\n");
  const std::string titel = zeile;
  if (!leser.lesen(zeile)) return Formatfehler(vorzeitig);
  int32_t gruppen = 0;
  if (!leser.lesen(zeile)) return Formatfehler(vorzeitig);
  if (!ZahlLesen(zeile, gruppen) || gruppen > BuchMaxGruppen)
    return Formatfehler("Fehler: Gruppenzahl nicht zwischen 0 und 32\n");
  if (!FigStatAllok(gruppen)) return Formatfehler("Fehler: zu wenig Speicher\n");

  for (int32_t g = 0; g < gruppen; ++g) {
    if (!leser.lesen(zeile)) return Formatfehler(vorzeitig);
    if (Zeichen(zeile) + 1 > static_cast<size_t>(BuchMaxName))
      return Formatfehler("Fehler: Gruppenname zu lang\n");
    Schreiben(zeile + "\n");
    FigStatName(g, zeile);
    int32_t partien = 0;
    if (!leser.lesen(zeile)) return Formatfehler(vorzeitig);
    if (!ZahlLesen(zeile, partien) || partien > BuchMaxPartien)
      return Formatfehler("Fehler: Partiezahl nicht zwischen 0 und 16\n");
    for (int32_t p = 0; p < partien; ++p) {
      if (!leser.lesen(zeile)) return Formatfehler(vorzeitig);
      if (Zeichen(zeile) + 1 > static_cast<size_t>(BuchMaxName))
        return Formatfehler("Fehler: Partietitel zu lang\n");
      Schreiben("\t" + zeile + "\n");
      if (!leser.lesen(zeile)) return Formatfehler(vorzeitig);
      Schreiben("\t\t(" + std::to_string(zeile.size()) + " Zeichen)\n");
      ebene_ = 0;
      BuchPartieVerarbeiten(Grundstellung(), zeile, 1);
    }
  }

  Abwerten();
  DoppelteEntfernen();
  if (!ZielSchreiben(ziel, titel)) {
    Schreiben("\n\nFehler: Buchdatei nicht geschrieben [" + ziel + "]\n");
    return KompilierungZielNichtGeschrieben;
  }
  geschrieben_ = static_cast<int32_t>(buch_.size());
  if (!pfade.statistik.empty()) FigStatSpeichern(pfade.statistik, FigStatZugplaetze);
  Schreiben("\n\nTotal " + std::to_string(buch_.size()) + " gespeicherte Positionen\n");
  return KompilierungFertig;
}

}  // namespace

int32_t BuchKompilieren(const std::string& quelle, const std::string& ziel,
                        const BuchKompilierPfade& pfade, BuchKompilierBericht* bericht) {
  if (bericht) *bericht = BuchKompilierBericht{};
  std::FILE* log = std::fopen(pfade.log.c_str(), "w");
  if (!log) return KompilierungLogNichtOffen;
  std::fputs("Protokolldatei der Buchkompilierung\n\n", log);
  int32_t ergebnis;
  {
    // The compiler's buffers live only as long as the compilation.
    Kompilierer kompilierer(log);
    ergebnis = kompilierer.Uebersetzen(quelle, ziel, pfade);
    if (bericht) *bericht = kompilierer.Bericht();
  }
  std::fclose(log);
  return ergebnis;
}

}  // namespace galdrik
