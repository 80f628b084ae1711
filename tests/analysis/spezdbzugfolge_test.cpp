// The sequence texts of special-database records on the generated tables:
// heading, move numbers, letters and marks in both forms, the repetition and
// fifty-move ends, the exports' index checks, and the PGN games appended to
// a file, read back by a plain tag and movetext reader written here and
// replayed from their FEN.
#include "analysis/spezdbzugfolge.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/spezdb.h"
#include "analysis/spezdb_exports.h"
#include "analysis/strategiezug.h"
#include "analysis/tbtabellen.h"
#include "core/fen.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/search.h"
#include "interface/enginestate.h"
#include "support/datei.h"
#include "support/pgnextract.h"
#include "tablebase/probe.h"
#include "tablebase/zugfolge.h"
#include "tablebase/zugfolgejob.h"

namespace galdrik::test {
namespace {

constexpr int K = Koenig, Q = Dame, R = Turm, P = Bauer;

Stellung Fen(const std::string& fen) {
  Stellung st{};
  uint16_t h = 0;
  EXPECT_EQ(FENEingabe(fen, st, h), 0) << fen;
  return st;
}

int Sq(const char* n) { return (n[1] - '1') * 8 + (n[0] - 'a'); }

// A record of the class with the men on the given squares (slot order),
// its value from the tables.
TBAnaEintrag Satz(const std::array<int32_t, 6>& codes, std::array<const char*, 6> felder,
                  int amZug) {
  TBAnaEintrag r{};
  for (int k = 0; k < 6; ++k) r.feld[k] = uint8_t(felder[k] ? Sq(felder[k]) : 0);
  r.epFeld = 127;
  r.amZug = uint8_t(amZug);
  r.stufe = 1;
  r.wert = TBProbe(SpezDBStellung(r, codes.data()), 0);
  return r;
}

std::string Puffer(int32_t n) { return std::string(Ausgabepuffer(), size_t(n)); }

// ------------------------------------------------- a plain PGN reader

struct Partie {
  std::vector<std::pair<std::string, std::string>> tags;
  std::vector<std::string> zuege;  // move tokens, marks kept
  std::vector<int> nags;
  std::vector<std::string> kommentare;
  std::string abschluss;  // the result token ending the movetext
};

std::vector<Partie> PGNLesen(const std::string& text) {
  std::vector<Partie> partien;
  size_t i = 0;
  bool imZugtext = true;
  while (i < text.size()) {
    const char c = text[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '[') {
      if (imZugtext) partien.emplace_back();
      imZugtext = false;
      size_t j = i + 1;
      std::string name, wert;
      while (j < text.size() && text[j] != ' ') name += text[j++];
      EXPECT_EQ(text[j + 1], '"') << name;
      for (j += 2; j < text.size() && text[j] != '"'; ++j) {
        if (text[j] == '\\') ++j;
        wert += text[j];
      }
      EXPECT_EQ(text.substr(j, 3), "\"]\n") << name;
      partien.back().tags.emplace_back(name, wert);
      i = j + 2;
    } else {
      imZugtext = true;
      if (partien.empty()) partien.emplace_back();
      Partie& p = partien.back();
      if (c == '{') {
        const size_t e = text.find('}', i);
        EXPECT_NE(e, std::string::npos);
        p.kommentare.push_back(text.substr(i + 1, e - i - 1));
        i = e + 1;
        continue;
      }
      size_t e = i;
      while (e < text.size() && !std::isspace(static_cast<unsigned char>(text[e])) &&
             text[e] != '{')
        ++e;
      const std::string t = text.substr(i, e - i);
      i = e;
      if (t == "1-0" || t == "0-1" || t == "1/2-1/2" || t == "*") {
        p.abschluss = t;
      } else if (t[0] == '$') {
        p.nags.push_back(std::atoi(t.c_str() + 1));
      } else if (std::isdigit(static_cast<unsigned char>(t[0]))) {
        EXPECT_EQ(t.back(), '.') << t;  // a move number
      } else {
        p.zuege.push_back(t);
      }
    }
  }
  return partien;
}

std::string Tag(const Partie& p, const std::string& name) {
  for (const auto& [n, w] : p.tags)
    if (n == name) return w;
  return "?missing?";
}

// Plays a move token of the engine's notation (piece letter, from-square,
// "-" or "x", to-square, promotion letter, "+" or "#") from the squares it
// names; checks its capture, check and mate marks against the position.
bool Spielen(Stellung& st, const std::string& token) {
  std::string t = token;
  size_t k = 0;
  if (k < t.size() && std::string_view("KQRBN").find(t[k]) != std::string_view::npos) ++k;
  if (t.size() < k + 5) return false;
  const int von = Sq(&t[k]);
  const bool schlag = t[k + 2] == 'x';
  const int nach = Sq(&t[k + 3]);
  const std::string rest = t.substr(k + 5);
  const bool matt = rest.find('#') != std::string::npos;
  const bool schach = matt || rest.find('+') != std::string::npos;
  const Zugliste l = ZugGenerator(st, GenAlleZuege);
  for (int i = 0; i < l.anzahl; ++i) {
    const Zug& z = l.zuege[i];
    if (z.von != von || z.nach != nach) continue;
    if (IstUmwandlung(z) && z.zugart != ZugartUmwDame && rest.find('Q') == 0) continue;
    EXPECT_EQ(schlag, z.geschlagen != 0) << token;
    st = ZugAusfuehren(st, z, 1);
    const bool imSchach = AmZugImSchach(st);
    EXPECT_EQ(schach, imSchach) << token;
    EXPECT_EQ(matt, imSchach && ZugGenerator(st, GenAlleZuege).anzahl == 0) << token;
    return true;
  }
  return false;
}

class Zugfolgetexte : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DTMTabellenAnmelden()) GTEST_SKIP() << "built without the generated tables";
    TBMetrikSetzen(0);
    const char* de[ZugfolgeBezAnzahl] = {"Weiß gewinnt",
                                         "Schwarz gewinnt",
                                         "Gewinn in",
                                         "Remis",
                                         "Unbekannt",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "Zugzwang",
                                         "Remis wegen Stellungswiederholung",
                                         "Remis wegen 50-Züge-Regel",
                                         "Folge von ",
                                         " einzigen Zügen",
                                         "Pattfalle"};
    for (int i = 0; i < ZugfolgeBezAnzahl; ++i) TBBezeichnungSetzen(i + 1, de[i]);
    std::memcpy(Suche().notationsBuchstaben, "BSLTDK", 7);
  }
  void TearDown() override { SpezDBSchliessen(); }

  // A database held in memory with these records.
  void Datenbank(const std::array<int32_t, 6>& codes, const std::vector<TBAnaEintrag>& saetze) {
    ASSERT_EQ(SpezDBVorbereiten(int32_t(saetze.size()) + 1), 0);
    SpezDBFigurcodesSetzen(codes.data());
    for (const TBAnaEintrag& r : saetze) {
      int32_t f[6];
      const int32_t* z[6];
      for (int k = 0; k < 6; ++k) f[k] = r.feld[k], z[k] = &f[k];
      ASSERT_EQ(SpezDBElementHinzu(z, r.epFeld, r.amZug, r.wert, r.zugFigur, r.zugZiel, r.zugArt),
                0);
    }
  }

  TempOrdner ordner;
};

constexpr std::array<int32_t, 6> KRK = {0, 0, 0, K, -K, R};
constexpr std::array<int32_t, 6> KQK = {0, 0, 0, K, -K, Q};
constexpr std::array<int32_t, 6> KKQ = {0, 0, 0, K, -K, -Q};  // Black's queen
constexpr std::array<int32_t, 6> KPK = {0, 0, 0, K, -K, P};

// Black's only drawing move takes the rook: one unique move, then bare kings.
TEST_F(Zugfolgetexte, KopfZugnummernUndBuchstabenInBeidenFormen) {
  const Stellung st = Fen("8/8/8/8/8/8/1Rk5/7K b - - 0 1");
  EXPECT_EQ(SpezDBZugfolgeText(st, 0), "Folge von 1 einzigen Zügen\n1... Kc2xb2!! ");
  EXPECT_EQ(SpezDBZugfolgeText(st, 2), "{Folge von 1 einzigen Zügen}\n1... Kc2xb2 $3 ");

  // A won queen ending: no unique move for White, so no heading; the
  // display form uses the engine's letters, the PGN form "PNBRQK", and
  // White's moves carry their numbers; the last move mates.
  const Stellung kqk = Fen("7k/8/5K2/8/8/8/8/Q7 w - - 0 1");
  const std::string anzeige = SpezDBZugfolgeText(kqk, 0);
  const std::string pgn = SpezDBZugfolgeText(kqk, 2);
  EXPECT_EQ(anzeige.rfind("1. D", 0), 0u) << anzeige;
  EXPECT_EQ(pgn.rfind("1. Q", 0), 0u) << pgn;
  EXPECT_NE(anzeige.find(" 2. "), std::string::npos) << anzeige;
  EXPECT_NE(pgn.find('#'), std::string::npos) << pgn;
  EXPECT_EQ(anzeige.find("Folge von"), std::string::npos);
}

// The heading counts the run of the strategy search itself.
TEST_F(Zugfolgetexte, KopfZaehltDenLaufDerStrategiesuche) {
  int gefunden = 0;
  for (const char* fen : {"8/8/8/8/8/8/1Rk5/7K b - - 0 1", "8/8/4k3/8/4P3/4K3/8/8 w - - 0 1",
                          "8/8/8/8/8/2k5/2P5/2K5 w - - 0 1", "4k3/8/4K3/4P3/8/8/8/8 w - - 0 1"}) {
    const Stellung st = Fen(fen);
    Zug z{};
    int32_t w = 0, e = 0;
    const int32_t lauf = TBStrategieZug(st, TBProbe(st, 0) >= 0 ? 1 : 0, 0, z, w, e);
    const std::string text = SpezDBZugfolgeText(st, 0);
    if (lauf == 0) {
      EXPECT_EQ(text.find("Folge von"), std::string::npos) << fen;
      continue;
    }
    ++gefunden;
    EXPECT_EQ(text.rfind("Folge von " + std::to_string(lauf) + " einzigen Zügen\n", 0), 0u)
        << fen << "\n"
        << text;
  }
  EXPECT_GT(gefunden, 0);
}

// A won line passes the fifty-move rule with one comment and goes on.
TEST_F(Zugfolgetexte, FuenfzigZuegeRegelImGewinn) {
  const std::string fuenfzig = "{Remis wegen 50-Züge-Regel} ";
  std::string text;
  Stellung gewonnen = Fen("7k/8/5K2/8/8/8/8/Q7 w - - 0 1");
  gewonnen.halbzuege = 98;
  text = SpezDBZugfolgeText(gewonnen, 0);
  const size_t erste = text.find(fuenfzig);
  ASSERT_NE(erste, std::string::npos) << text;
  EXPECT_EQ(text.find(fuenfzig, erste + 1), std::string::npos) << "written once";
  EXPECT_NE(text.find('#', erste), std::string::npos) << "the win goes on to mate: " << text;
}

TEST_F(Zugfolgetexte, ExportSchreibtDenTextUndPrueftDenIndex) {
  const TBAnaEintrag r = Satz(KRK, {nullptr, nullptr, nullptr, "h1", "c2", "b2"}, 0);
  ASSERT_EQ(r.wert, 0);
  Datenbank(KRK, {r});
  const std::string soll = "Folge von 1 einzigen Zügen\n1... Kc2xb2!! ";
  int32_t n = DLL_TBAnaSpezDB_DatenbankZugfolge(0, 0, 7, 8, 9);
  EXPECT_EQ(Puffer(n), soll);
  n = DLL_TBAnaSpezDB_DatenbankZugfolge(0, 2, 0, 0, 0);
  EXPECT_EQ(Puffer(n), "{Folge von 1 einzigen Zügen}\n1... Kc2xb2 $3 ");
  for (int32_t i : {-1, 1, 1 << 30}) {
    EXPECT_EQ(DLL_TBAnaSpezDB_DatenbankZugfolge(i, 0, 0, 0, 0), 0) << i;
    EXPECT_EQ(DLL_TBAnaSpezDB_StellungPGNSpeichern(i, (ordner / "x.pgn").c_str(), 0, 0, 0),
              SpezDBPGNKeinEintrag)
        << i;
  }
  EXPECT_FALSE(std::filesystem::exists(ordner / "x.pgn"));
  SpezDBSchliessen();
  EXPECT_EQ(DLL_TBAnaSpezDB_DatenbankZugfolge(0, 0, 0, 0, 0), 0) << "no database";
}

// Games for records of both sides to move, read back: tags in order, the
// record's FEN, the moves legal from it with their marks, and the result
// from White's view on the tag and at the end of the movetext.
TEST_F(Zugfolgetexte, PGNSpielWirdAngehaengtUndVonWeissAusBewertet) {
  struct Fall {
    std::array<int32_t, 6> codes;
    std::array<const char*, 6> felder;
    int amZug;
    const char* ergebnis;
    const char* weiss;
    const char* schwarz;
  };
  const Fall faelle[] = {
      // Black to move wins with its queen: "0-1" although the record's value is > 0.
      {KKQ, {nullptr, nullptr, nullptr, "a1", "c3", "h2"}, 0, "0-1", "K", "KD"},
      {KQK, {nullptr, nullptr, nullptr, "f6", "h8", "a1"}, 1, "1-0", "KD", "K"},
      {KRK, {nullptr, nullptr, nullptr, "h1", "c2", "b2"}, 0, "1/2-1/2", "KT", "K"},
      // Black to move loses: the record's value is < 0, White wins.
      {KPK, {nullptr, nullptr, nullptr, "d6", "d8", "e6"}, 0, "1-0", "KB", "K"},
  };
  const std::string pfad = (ordner / "spezdb.pgn").string();
  for (const Fall& f : faelle) {
    const TBAnaEintrag r = Satz(f.codes, f.felder, f.amZug);
    ASSERT_NE(r.wert, TbKeinWert);
    Datenbank(f.codes, {r});
    ASSERT_EQ(DLL_TBAnaSpezDB_StellungPGNSpeichern(0, pfad.c_str(), 0, 0, 0), 0);
  }
  EXPECT_FALSE(std::filesystem::exists(pfad + ".tmp"));

  const std::string text = DateiInhalt(pfad);
  ASSERT_EQ(text.substr(0, 2), "\n[");
  const std::vector<Partie> partien = PGNLesen(text);
  ASSERT_EQ(partien.size(), std::size(faelle));
  const std::vector<std::string> namen = {"Event", "Site",   "Date",  "Round", "White",
                                          "Black", "Result", "SetUp", "FEN",   "Annotator"};
  for (size_t i = 0; i < partien.size(); ++i) {
    const Partie& p = partien[i];
    const Fall& f = faelle[i];
    SCOPED_TRACE(i);
    ASSERT_EQ(p.tags.size(), namen.size());
    for (size_t t = 0; t < namen.size(); ++t) EXPECT_EQ(p.tags[t].first, namen[t]);
    EXPECT_EQ(Tag(p, "Event"), "EGTB");
    EXPECT_EQ(Tag(p, "Site"), "-");
    const std::string datum = Tag(p, "Date");
    ASSERT_EQ(datum.size(), 10u);
    EXPECT_TRUE(datum[4] == '.' && datum[7] == '.' && std::isdigit(datum[0]) &&
                std::isdigit(datum[9]))
        << datum;
    EXPECT_EQ(Tag(p, "Round"), "1");
    EXPECT_EQ(Tag(p, "White"), f.weiss);
    EXPECT_EQ(Tag(p, "Black"), f.schwarz);
    EXPECT_EQ(Tag(p, "SetUp"), "1");
    EXPECT_EQ(Tag(p, "Annotator"), "Galdrik 1.50");
    EXPECT_EQ(Tag(p, "Result"), f.ergebnis);
    EXPECT_EQ(p.abschluss, f.ergebnis);

    const std::string fen = Tag(p, "FEN");
    const Stellung start = SpezDBStellung(Satz(f.codes, f.felder, f.amZug), f.codes.data());
    EXPECT_EQ(fen, FENAusgabe(start, 1).substr(0, FENAusgabe(start, 1).find(' ') + 2) + " - - 0 1");
    Stellung st = Fen(fen);
    ASSERT_FALSE(p.zuege.empty());
    for (const std::string& z : p.zuege) ASSERT_TRUE(Spielen(st, z)) << z;
    // A decided game ends in mate here: the mated side is the loser.
    if (std::string(f.ergebnis) != "1/2-1/2") {
      ASSERT_TRUE(AmZugImSchach(st) && ZugGenerator(st, GenAlleZuege).anzahl == 0);
      EXPECT_EQ(std::string(f.ergebnis), st.amZug == Weiss ? "0-1" : "1-0");
    }
  }
  // An independent reader takes all four games.
  test::VonPgnExtractGelesen(pfad, ordner.pfad(), "1/2-1/2");
}

// A failed append leaves the file as it was and says so.
TEST_F(Zugfolgetexte, FehlgeschlagenesAnhaengenLaesstDieDateiUnveraendert) {
  Datenbank(KRK, {Satz(KRK, {nullptr, nullptr, nullptr, "h1", "c2", "b2"}, 0)});
  const std::string pfad = (ordner / "alt.pgn").string();
  const std::string alt = "[Event \"alt\"]\n\n1. e4 *\n";
  DateiSchreiben(pfad, alt);
  std::filesystem::create_directory(pfad + ".tmp");  // the temporary name is taken
  EXPECT_EQ(DLL_TBAnaSpezDB_StellungPGNSpeichern(0, pfad.c_str(), 0, 0, 0), SpezDBPGNDateiFehler);
  EXPECT_EQ(DateiInhalt(pfad), alt);
  std::filesystem::remove(pfad + ".tmp");

  EXPECT_EQ(DLL_TBAnaSpezDB_StellungPGNSpeichern(0, (ordner / "fehlt/x.pgn").c_str(), 0, 0, 0),
            SpezDBPGNDateiFehler);
  EXPECT_EQ(DLL_TBAnaSpezDB_StellungPGNSpeichern(0, ordner.pfad().c_str(), 0, 0, 0),
            SpezDBPGNDateiFehler)
      << "a folder";
  EXPECT_EQ(DLL_TBAnaSpezDB_StellungPGNSpeichern(0, nullptr, 0, 0, 0), SpezDBPGNDateiFehler);
  EXPECT_EQ(DLL_TBAnaSpezDB_StellungPGNSpeichern(0, "", 0, 0, 0), SpezDBPGNDateiFehler);

  ASSERT_EQ(DLL_TBAnaSpezDB_StellungPGNSpeichern(0, pfad.c_str(), 0, 0, 0), 0);
  const std::string neu = DateiInhalt(pfad);
  EXPECT_EQ(neu.substr(0, alt.size()), alt) << "the old games stay in front";
  EXPECT_EQ(neu.substr(alt.size(), 16), "\n[Event \"EGTB\"]\n");
}

}  // namespace
}  // namespace galdrik::test
