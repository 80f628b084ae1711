// PGN files: the movetext parser, the game index and its error codes, the
// exports by game number, and round trips of written games: variations,
// NAGs, comments with quotes, backslashes and braces, set-up positions,
// CR LF files and games at the ply limit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/fen.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "interface/enginestate.h"
#include "interface/galdrik_exports.h"
#include "interface/partie.h"
#include "interface/pgn.h"
#include "interface/spielen.h"
#include "support/datei.h"
#include "support/kleinerstapel.h"

namespace galdrik {
namespace {

namespace fs = std::filesystem;

const std::string Daten = GALDRIK_TEST_DATA_DIR "/pgn/";

// A file below the test's own data folder, named for the running test, so
// that tests running side by side never share one.
std::string Datei(const std::string& name) {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const fs::path ordner = fs::path(xdg ? xdg : "/tmp") / "pgn";
  fs::create_directories(ordner);
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return (ordner / (std::string(info->test_suite_name()) + "." + info->name() + "." + name))
      .string();
}

using test::DateiInhalt;
using test::DateiSchreiben;

// The tree in a compact form: the root's ply and comment, then each line
// with NAGs, comments and variations in parentheses.
void ZeileAusgeben(const Zugknoten* k, std::string& out) {
  for (; k; k = k->ersterSohn) {
    out += ZugNotation(k->zug, FigurenEnglisch, 0);
    if (k->nag) out += "$" + std::to_string(k->nag);
    if (k->kommentar) out += "{" + *k->kommentar + "}";
    out += " ";
    if (k->IstErsterSohn())
      for (const Zugknoten* s = k->naechsterBruder; s; s = s->naechsterBruder) {
        out += "(";
        ZeileAusgeben(s, out);
        out += ") ";
      }
  }
}

std::string Baum(const Partiewurzel* w = Partie().wurzel) {
  std::string out = "@" + std::to_string(w->ply) + " ";
  if (w->kommentar) out += "{" + *w->kommentar + "} ";
  ZeileAusgeben(w->ersterSohn, out);
  return out;
}

using test::Spielen;

class PGNTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PartieNeu();
    Engine().aktuelleStellung = Grundstellung();
  }
  void TearDown() override {
    DLL_PGNDateiSchliessen();
    PartieFrei();
  }
};

TEST_F(PGNTest, ZugtextParsen) {
  const struct {
    const char* zugtext;
    const char* baum;
    const char* abbruch = "";  // where the reading stopped
  } faelle[] = {
      {"1. e4 e5 2. Nf3 (2. Nc3 Nf6) Nc6 $1 {best}",
       "@0 e2-e4 e7-e5 Ng1-f3 (Nb1-c3 Ng8-f6 ) Nb8-c6$1{best} "},
      // no legal match: everything before it stays
      {"1. e4 e5 2. Qxf7 Ke7 *", "@0 e2-e4 e7-e5 ", "2. Qxf7"},
      // results, move numbers, annotation marks, castling in both spellings
      {"1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O Nf6 5.d3 0-0 1/2-1/2",
       "@0 e2-e4 e7-e5 Ng1-f3 Nb8-c6 Bf1-c4 Bf8-c5 O-O Ng8-f6 d2-d3 O-O "},
      {"1. e4! e5?! 2. Qh5!? Nc6?? 3. Bc4 Nf6 4. Qxf7# 1-0",
       "@0 e2-e4 e7-e5 Qd1-h5 Nb8-c6 Bf1-c4 Ng8-f6 Qh5xf7+ "},
      // comments: before the first move on the root, one character dropped,
      // a later one replacing an earlier one, semicolon to the line end
      {"{Vorwort} 1. d4 {x} d5 {eins} {zwei} 2. c4 ; bis zum Ende\n e6",
       "@0 {Vorwort} d2-d4 d7-d5{zwei} c2-c4{ bis zum Ende} e7-e6 "},
      // a parenthesis inside a comment inside a variation is text
      {"1. e4 (1. d4 {Klammer ) zu} d5) 1... e5 2. Nf3",
       "@0 e2-e4 (d2-d4{Klammer ) zu} d7-d5 ) e7-e5 Ng1-f3 "},
      // an alternative to a variation's first move joins the same node
      {"1. e4 (1. d4 (1. c4 c5) d5) e5", "@0 e2-e4 (d2-d4 d7-d5 ) (c2-c4 c7-c5 ) e7-e5 "},
      // an unreadable move ends only its variation
      {"1. e4 (1. d4 Kxe8 d5) e5", "@0 e2-e4 (d2-d4 ) e7-e5 ", "1... Kxe8"},
      // a variation before any move is skipped; an open one keeps its moves
      {"(1. d4) 1. e4 e5 (1... c5 2. Nf3", "@0 e2-e4 e7-e5 (c7-c5 Ng1-f3 ) "},
      // a closing brace outside a comment ends the game
      {"1. e4 } e5", "@0 e2-e4 "},
      {"1. e4 e5 2. Nf3 ) Nc6", "@0 e2-e4 e7-e5 Ng1-f3 "},
      // promotion, and a token too long to be a move
      {"1. a4 b5 2. axb5 a6 3. bxa6 Bb7 4. axb7 Nc6 5. bxa8=Q Qb8",
       "@0 a2-a4 b7-b5 a4xb5 a7-a6 "
       "b5xa6 Bc8-b7 a6xb7 Nb8-c6 b7xa8Q Qd8-b8 "},
      {"1. e4 e5xxxxxxxxxxxxxxxxxxx", "@0 e2-e4 ", "1... e5xxxxxxxxxxxxxxxxxxx"},
  };
  for (const auto& f : faelle) {
    std::string abbruch;
    Partiewurzel* w = PGNZugtextParsen(Grundstellung(), 0, f.zugtext, &abbruch);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Baum(w), f.baum) << f.zugtext;
    EXPECT_EQ(abbruch, f.abbruch) << f.zugtext;
    delete w;
  }
}

TEST_F(PGNTest, IndexUndExporteNachPartienummer) {
  const std::string pfad = Daten + "drei_partien.pgn";
  ASSERT_EQ(DLL_PGNDateiLaden(pfad.c_str()), 3);
  const auto& s = Datenbank().saetze;
  EXPECT_EQ(s[0].ersteZeile, 10);
  EXPECT_EQ(s[0].zeilenAnzahl, 4);
  EXPECT_EQ(s[0].tags[TagSetUp], "0");
  EXPECT_EQ(s[1].tags[TagSetUp], "1");

  const struct {
    int32_t spiel, feld;
    const char* text;
  } infos[] = {
      {0, 1, "Erstes Turnier"},
      {0, 2, "Berlin"},
      {0, 3, "2001.02.03"},
      {0, 4, "1"},
      {0, 5, "Anna"},
      {0, 6, "Bernd"},
      {0, 7, "1-0"},
      {0, 33, ""},
      {1, 33, "4k3/8/8/8/8/8/4P3/4K3 b - - 0 20"},
      {2, 5, "Emil \"der Große\""},
      {2, 6, "C:\\Schach"},
      {2, 2, ""},
      {2, 8, ""},
      {2, 0, ""},
      // outside the file's games
      {3, 1, ""},
      {-1, 1, ""},
      {1 << 30, 5, ""},
  };
  for (const auto& i : infos) {
    EXPECT_EQ(DLL_PGNDateiPartieInfo(i.spiel, i.feld), static_cast<int32_t>(strlen(i.text)));
    EXPECT_STREQ(Ausgabepuffer(), i.text) << i.spiel << "/" << i.feld;
  }

  const char* zugtext = "\n20... Kd7 21. e4 Ke6 0-1\n";
  EXPECT_EQ(DLL_PGNDateiPartieText(pfad.c_str(), 1), static_cast<int32_t>(strlen(zugtext)));
  EXPECT_STREQ(Ausgabepuffer(), zugtext);
  EXPECT_EQ(DLL_PGNDateiPartieText(pfad.c_str(), 3), 0);
  EXPECT_EQ(DLL_PGNDateiPartieText(nullptr, 0), -9);

  ASSERT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 0), 0);
  EXPECT_EQ(Baum(),
            "@0 e2-e4 e7-e5 Ng1-f3 (Nb1-c3 Ng8-f6 ) Nb8-c6$1{best} Bf1-b5{ Spanish} a7-a6 ");
  EXPECT_EQ(Partie().infos[TagWhite], "Anna");
  EXPECT_EQ(Partie().aktuell, Partie().wurzel);
  ASSERT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 1), 0);
  EXPECT_EQ(Baum(), "@39 Ke8-d7 e2-e4 Kd7-e6 ");
  EXPECT_EQ(Engine().aktuelleStellung.amZug, Schwarz);
  ASSERT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 2), 0);
  EXPECT_EQ(Baum(), "@0 e2-e4 e7-e5 ");
  EXPECT_EQ(Partie().infos[TagBlack], "C:\\Schach");
  EXPECT_EQ(Partie().infos[TagSite], "");

  // A game number outside the file answers -1 and leaves the game alone.
  Spielen("d4");
  EXPECT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 3), -1);
  EXPECT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), -1), -1);
  EXPECT_EQ(DLL_PGNDateiPartieLoad(nullptr, 0), -9);
  EXPECT_EQ(Baum(), "@0 e2-e4 (d2-d4 ) e7-e5 ");

  EXPECT_EQ(DLL_PGNDateiSchliessen(), 0);
  EXPECT_EQ(DLL_PGNDateiPartieInfo(0, 1), 0);
  EXPECT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 0), -1);
}

// A game read only in part still loads with 0; the export names the move
// the reading stopped at, for the program to tell the user.
TEST_F(PGNTest, TeilweiseGeladenePartieNenntIhrenAbbruch) {
  const std::string pfad = Datei("teil.pgn");
  DateiSchreiben(pfad,
                 "[Event \"a\"]\n\n1. e4 e5 2. Qxf7 Nc6 *\n\n[Event \"b\"]\n\n1. d4 d5 *\n\n"
                 "[Event \"c\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 20\"]\n\n"
                 "20... Kd7 21. e4 Kxe1 *\n");
  ASSERT_EQ(DLL_PGNDateiLaden(pfad.c_str()), 3);
  const struct {
    int32_t spiel;
    const char* abbruch;
  } faelle[] = {{0, "2. Qxf7"}, {1, ""}, {2, "21... Kxe1"}, {5, ""}};
  for (const auto& f : faelle) {
    const int32_t geladen = DLL_PGNDateiPartieLoad(pfad.c_str(), f.spiel);
    EXPECT_EQ(geladen, f.spiel < 3 ? 0 : -1);
    EXPECT_EQ(DLL_PGNDateiPartieAbbruch(), static_cast<int32_t>(strlen(f.abbruch)));
    EXPECT_STREQ(Ausgabepuffer(), f.abbruch) << f.spiel;
  }
  ASSERT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 0), 0);
  EXPECT_EQ(Baum(), "@0 e2-e4 e7-e5 ");
}

TEST_F(PGNTest, IndexFehlerUndGrenzfaelle) {
  const std::string lang(50000, 'x');
  const struct {
    std::string text;
    int32_t ergebnis;
  } faelle[] = {
      {"[Event \"A\"]\n[Site \"B\n\n1. e4 *\n", PGNTagFehlerhaft},
      {"[Event \"A\"]\n[Site \"B\"] \n\n1. e4 *\n", PGNTagFehlerhaft},
      {"1. e4 e5 *\n", 0},
      {"", 0},
      {"[Event \"A\"]\n[Site \"" + std::string(255, 's') + "\"]\n\n1. e4 *\n", 1},
      {"[Event \"A\"]\n[Site \"" + std::string(256, 's') + "\"]\n\n1. e4 *\n", PGNTagFehlerhaft},
      {"[Event \"A\"]\n[FEN \"" + std::string(256, 's') + "\"]\n\n1. e4 *\n", PGNTagFehlerhaft},
      // escapes count once
      {"[Event \"A\"]\n[Site \"" + std::string(510, '\\') + "\"]\n\n1. e4 *\n", 1},
      // an unknown tag is not read, so its length does not matter
      {"[Event \"A\"]\n[Annotator \"" + std::string(300, 's') + "\"]\n\n1. e4 *\n", 1},
      {"[Event \"A\"]\n\n1. e4 {" + lang + "} e5 *\n[Event \"B\"]\n\n1. d4 *\n", 2},
  };
  for (const auto& f : faelle) {
    const std::string pfad = Datei("index.pgn");
    DateiSchreiben(pfad, f.text);
    EXPECT_EQ(DLL_PGNDateiLaden(pfad.c_str()), f.ergebnis) << f.text.substr(0, 60);
    if (f.ergebnis <= 0) {
      EXPECT_TRUE(Datenbank().saetze.empty());
    }
  }
  // The long line is read whole.
  ASSERT_EQ(DLL_PGNDateiPartieLoad(Datei("index.pgn").c_str(), 0), 0);
  EXPECT_EQ(Partie().wurzel->ersterSohn->kommentar->size(), lang.size());
  EXPECT_NE(Partie().wurzel->ersterSohn->ersterSohn, nullptr);

  EXPECT_EQ(DLL_PGNDateiLaden((Datei("fehlt") + "/nirgends.pgn").c_str()), PGNNichtGeoeffnet);
  EXPECT_EQ(DLL_PGNDateiLaden(nullptr), -9);
}

// Games without separating empty lines keep their last movetext line, and
// the file's last line counts without a line feed.
TEST_F(PGNTest, PartienOhneLeerzeilen) {
  const std::string pfad = Daten + "ohne_leerzeilen.pgn";
  ASSERT_EQ(DLL_PGNDateiLaden(pfad.c_str()), 2);
  ASSERT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 0), 0);
  EXPECT_EQ(Baum(), "@0 d2-d4 d7-d5 ");
  ASSERT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 1), 0);
  EXPECT_EQ(Baum(), "@0 c2-c4{no line feed after me} ");
}

TEST_F(PGNTest, CRLFDateiWieLF) {
  const std::string lf = DateiInhalt(Daten + "drei_partien.pgn");
  std::string crlf;
  for (const char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const std::string pfad = Datei("crlf.pgn");
  DateiSchreiben(pfad, crlf);

  std::vector<PGNIndexSatz> a, b;
  ASSERT_EQ(PGNDateiIndex(Daten + "drei_partien.pgn", a), 3);
  ASSERT_EQ(PGNDateiIndex(pfad, b), 3);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(a[i].tags, b[i].tags);
    EXPECT_EQ(a[i].ersteZeile, b[i].ersteZeile);
    EXPECT_EQ(a[i].zeilenAnzahl, b[i].zeilenAnzahl);
    std::string ta, tb;
    PGNPartieTextLesen(Daten + "drei_partien.pgn", a[i].ersteZeile, a[i].zeilenAnzahl, ta);
    PGNPartieTextLesen(pfad, b[i].ersteZeile, b[i].zeilenAnzahl, tb);
    EXPECT_EQ(ta, tb);
  }
}

// One pass over the file gives every game the text a read of its own gives,
// games of tags alone (no lines of their own) and escape lines included.
TEST_F(PGNTest, ZugtexteInEinemDurchgang) {
  const std::string pfad = Datei("folge.pgn");
  DateiSchreiben(pfad,
                 "[Event \"a\"]\n\n1. e4 e5\n% escaped\n2. Nf3 *\n\n"
                 "[Event \"b\"]\n"
                 "[Event \"c\"]\n\n1. d4 *\n\n"
                 "[Event \"d\"]\n");
  std::vector<PGNIndexSatz> saetze;
  ASSERT_EQ(PGNDateiIndex(pfad, saetze), 4);
  PGNZugtextLeser leser(pfad);
  for (const PGNIndexSatz& s : saetze) {
    std::string einzeln, folge;
    const int32_t n = PGNPartieTextLesen(pfad, s.ersteZeile, s.zeilenAnzahl, einzeln);
    EXPECT_EQ(leser.lesen(s.ersteZeile, s.zeilenAnzahl, folge), n) << s.tags[TagEvent];
    EXPECT_EQ(folge, einzeln) << s.tags[TagEvent];
  }
  std::string text;
  EXPECT_EQ(leser.lesen(saetze[0].ersteZeile, saetze[0].zeilenAnzahl, text), -1);
  EXPECT_EQ(PGNZugtextLeser(Datei("fehlt.pgn")).lesen(0, 1, text), -1);
}

TEST_F(PGNTest, SetUpStartUndPlygrenzen) {
  const struct {
    const char* setUp;
    const char* fen;
    int32_t ergebnis;
    int32_t wurzelPly;
  } faelle[] = {
      {"1", "4k3/8/8/8/8/8/4P3/4K3 b - - 0 20", 0, 39},
      {"1", "4k3/8/8/8/8/8/4P3/4K3 w - - 0 3150", 0, 6298},
      {"1", "4k3/8/8/8/8/8/4P3/4K3 b - - 0 3150", 0, 6299},
      {"1", "4k3/8/8/8/8/8/4P3/4K3 w - - 0 3151", PGNStartplyZuGross, 0},
      {"1", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", 0, 0},
      {"1", "4k3/8/8/8/8/8/8/8 w - - 0 1", PGNFENUngueltig, 0},
      {"1", "", PGNFENUngueltig, 0},
      // only "1" sets a position up
      {"0", "4k3/8/8/8/8/8/4P3/4K3 b - - 0 20", 0, 0},
  };
  for (const auto& f : faelle) {
    PGNIndexSatz satz;
    satz.tags[TagSetUp] = f.setUp;
    satz.tags[TagFEN] = f.fen;
    EXPECT_EQ(PGNPartieLaden(satz, "1. Kd2"), f.ergebnis) << f.fen;
    if (f.ergebnis == 0) {
      EXPECT_EQ(Partie().wurzel->ply, f.wurzelPly) << f.fen;
    }
  }
  // A game at the ply limit takes no further move, and says that it left
  // moves out; what the record holds stays loaded.
  PGNIndexSatz satz;
  satz.tags[TagSetUp] = "1";
  satz.tags[TagFEN] = "4k3/8/8/8/8/8/4P3/4K3 w - - 0 3150";
  ASSERT_EQ(PGNPartieLaden(satz, "3150. Kd2 Kd7 3151. Kd3"), PGNPartieZuLang);
  EXPECT_EQ(Baum(), "@6298 Ke1-d2 ");
  ASSERT_EQ(PGNPartieLaden(satz, "3150. Kd2 *"), 0);

  // Through the export a refused start leaves an empty new game.
  const std::string pfad = Datei("fen.pgn");
  DateiSchreiben(
      pfad,
      "[Event \"x\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 3151\"]\n\n1. Kd2 *\n");
  ASSERT_EQ(DLL_PGNDateiLaden(pfad.c_str()), 1);
  EXPECT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 0), PGNStartplyZuGross);
  EXPECT_EQ(Partie().infos[TagEvent], "?");
  EXPECT_EQ(Baum(), "@0 ");
  EXPECT_EQ(Engine().aktuelleStellung.schluessel, Grundstellung().schluessel);
}

TEST_F(PGNTest, SchreibformatEinerPartie) {
  Spielen("e4 e5");
  DLL_SetNAG(1);
  EXPECT_EQ(PGNPartieText().substr(0, 13), "\n[Event \"?\"]\n");
  const std::string text = PGNPartieText();
  EXPECT_EQ(text.substr(text.find("[Round")),
            "[Round \"?\"]\n[White \"?\"]\n[Black \"?\"]\n[Result \"*\"]\n\n1.e2-e4 e7-e5 $1  *\n");

  // Appending adds a second game; overwriting leaves one.
  const std::string pfad = Datei("format.pgn");
  EXPECT_EQ(DLL_DateiSpeichern(pfad.c_str(), 0), 0);
  EXPECT_EQ(DLL_DateiSpeichern(pfad.c_str(), 1), 0);
  EXPECT_EQ(DateiInhalt(pfad), text + text);
  EXPECT_EQ(DLL_DateiSpeichern(pfad.c_str(), 0), 0);
  EXPECT_EQ(DateiInhalt(pfad), text);
  EXPECT_EQ(DLL_DateiSpeichern(nullptr, 0), -9);
  EXPECT_EQ(DLL_DateiSpeichern((Datei("fehlt") + "/nirgends.pgn").c_str(), 0), -1);
}

// The Result tag and the movetext's end carry one result token; anything
// else after the moves would read back as moves.
TEST_F(PGNTest, ErgebnisNurAlsErgebniszeichen) {
  const struct {
    const char* tag;
    const char* geschrieben;
  } faelle[] = {
      {"1-0", "1-0"}, {"0-1", "0-1"},   {"1/2-1/2", "1/2-1/2"}, {"*", "*"},       {"?", "*"},
      {"", "*"},      {" 0-1 ", "0-1"}, {"e4 e5 Nf3", "*"},     {"1-0 Qh5", "*"}, {"½-½", "*"},
  };
  for (const auto& f : faelle) {
    PartieNeu();
    Engine().aktuelleStellung = Grundstellung();
    Spielen("d4");
    DLL_PartiePGNSet("E", "S", "D", "W", "B", "R", f.tag);
    const std::string text = PGNPartieText();
    EXPECT_NE(text.find(std::string("[Result \"") + f.geschrieben + "\"]\n"), std::string::npos)
        << f.tag;
    EXPECT_EQ(text.substr(text.rfind("\n\n") + 2), std::string("1.d2-d4  ") + f.geschrieben + "\n")
        << f.tag;
    const std::string pfad = Datei("ergebnis.pgn");
    ASSERT_EQ(DLL_DateiSpeichern(pfad.c_str(), 0), 0);
    ASSERT_EQ(DLL_PGNDateiLaden(pfad.c_str()), 1);
    ASSERT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 0), 0);
    EXPECT_EQ(Baum(), "@0 d2-d4 ") << f.tag;
  }
  // Older files end their movetext with "?": it still reads.
  const std::string alt = Datei("alt.pgn");
  DateiSchreiben(alt, "[Event \"x\"]\n[Result \"?\"]\n\n1. e4 e5 ?\n");
  ASSERT_EQ(DLL_PGNDateiLaden(alt.c_str()), 1);
  ASSERT_EQ(DLL_PGNDateiPartieLoad(alt.c_str(), 0), 0);
  EXPECT_EQ(Baum(), "@0 e2-e4 e7-e5 ");
  EXPECT_EQ(Partie().infos[TagResult], "?");
}

// Tag values longer than an index takes are cut at a character boundary, so
// the file stays readable.
TEST_F(PGNTest, LangeTagwerteGekuerzt) {
  std::string wert = "xy";
  while (wert.size() < 400) wert += "\xc3\xa4";  // "ä"
  DLL_PartiePGNSet(wert.c_str(), "S", "D", "W", "B", "R", "1-0");
  const std::string pfad = Datei("lang.pgn");
  ASSERT_EQ(DLL_DateiSpeichern(pfad.c_str(), 0), 0);
  ASSERT_EQ(DLL_PGNDateiLaden(pfad.c_str()), 1);
  ASSERT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 0), 0);
  EXPECT_EQ(Partie().infos[TagEvent], wert.substr(0, 254));
}

constexpr const char* RundreiseFEN =
    "r1bqk2r/ppp2ppp/2n2n2/3p4/1b1P4/2N2N2/PP2BPPP/R1BQK2R b KQkq - 4 20";

// The game of the round trip: set up at move 20 with Black to move, tags with
// quotes and backslashes, a comment on the root, NAGs, nested variations and
// comments holding quotes, backslashes, parentheses, a closing brace, a line
// that looks like a tag and a very long one.
void RundreisePartieAufbauen() {
  Stellung st;
  uint16_t n;
  ASSERT_EQ(FENEingabe(RundreiseFEN, st, n), FENGueltig);
  Engine().aktuelleStellung = st;
  PartieWurzelSetzen(st, n - 1);
  DLL_PartiePGNSet("Stadt \"Meisterschaft\"", "C:\\Partien\\", "2024.05.06", "Weiß, Ä.", "Schwarz",
                   "7", "*");
  DLL_SetComment("Aus einer \"Eröffnung\" heraus");
  Spielen("O-O");
  DLL_SetNAG(6);
  Spielen("O-O Bxc3");
  DLL_SetComment("Pfad C:\\x\\ und (Klammern) und } Ende");
  Spielen("bxc3 Ne4");
  DLL_SetNAG(3);
  for (int i = 0; i < 4; ++i) DLL_ZugMinus();
  Spielen("a3 Bxc3 bxc3");
  DLL_SetComment("zwei\n[Event \"falsch\"]\n%keine Zeile");
  DLL_ZugMinus();
  Spielen("Bd2");
  DLL_SetComment(std::string(20000, 'k').c_str());
  Spielen("Bxd2");
  for (int i = 0; i < 4; ++i) DLL_ZugMinus();
  Spielen("Bd2");
  DLL_SetNAG(2);
}

TEST_F(PGNTest, RundreiseMitVariantenKommentarenUndSetUp) {
  RundreisePartieAufbauen();
  std::string erwartet = Baum();
  const auto tags = Partie().infos;
  ASSERT_NE(erwartet.find("(a2-a3 Bb4xc3+ b2xc3{zwei"), std::string::npos);
  ASSERT_NE(erwartet.find("(Bc1-d2$2 ) "), std::string::npos);
  // A closing brace cannot stand inside a PGN comment, and a comment line
  // must not start like a tag line or an escape line.
  erwartet.replace(erwartet.find("} Ende"), 1, ")");
  erwartet.replace(erwartet.find("\n[Event"), 1, "\n ");
  erwartet.replace(erwartet.find("\n%keine"), 1, "\n ");

  const std::string pfad = Datei("rundreise.pgn");
  ASSERT_EQ(DLL_DateiSpeichern(pfad.c_str(), 0), 0);
  PartieNeu();
  Engine().aktuelleStellung = Grundstellung();
  Spielen("d4 d5 c4");
  DLL_SetComment("die zweite Partie");
  ASSERT_EQ(DLL_DateiSpeichern(pfad.c_str(), 1), 0);
  const std::string zweite = Baum();

  ASSERT_EQ(DLL_PGNDateiLaden(pfad.c_str()), 2);
  ASSERT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 0), 0);
  EXPECT_EQ(Baum(), erwartet);
  EXPECT_EQ(Partie().infos, tags);
  EXPECT_EQ(Partie().wurzel->ply, 39);
  ASSERT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 1), 0);
  EXPECT_EQ(Baum(), zweite);
  // The second game was written from the initial position: no set-up tags.
  EXPECT_EQ(Datenbank().saetze[1].tags[TagSetUp], "0");
  EXPECT_EQ(Datenbank().saetze[0].tags[TagFEN], RundreiseFEN);

  // Written again after loading, the game reads the same.
  ASSERT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 0), 0);
  const std::string nochmal = Datei("nochmal.pgn");
  ASSERT_EQ(DLL_DateiSpeichern(nochmal.c_str(), 0), 0);
  ASSERT_EQ(DLL_PGNDateiLaden(nochmal.c_str()), 1);
  ASSERT_EQ(DLL_PGNDateiPartieLoad(nochmal.c_str(), 0), 0);
  EXPECT_EQ(Baum(), erwartet);
}

using test::MitKleinemStapel;

TEST_F(PGNTest, LangePartieUndTiefeVarianten) {
  const std::string pfad = Datei("lang.pgn");
  MitKleinemStapel([&] {
    const char* runde[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    for (int ply = 1; ply <= MaxPartiePly; ++ply) Spielen(runde[(ply - 1) % 4]);
    ASSERT_EQ(DLL_DateiSpeichern(pfad.c_str(), 0), 0);
    const std::string erwartet = Baum();
    ASSERT_EQ(DLL_PGNDateiLaden(pfad.c_str()), 1);
    ASSERT_EQ(DLL_PGNDateiPartieLoad(pfad.c_str(), 0), 0);
    EXPECT_EQ(Baum(), erwartet);

    // Thousands of nested variations, each an alternative to the move
    // before: repeats beyond any count of legal moves are passed over.
    std::string text = "1. e4";
    for (int i = 0; i < 5000; ++i) text += " (1. d4";
    text += std::string(5000, ')') + " e5";
    Partiewurzel* w = PGNZugtextParsen(Grundstellung(), 0, text);
    int kinder = 0;
    for (const Zugknoten* k = w->ersterSohn; k; k = k->naechsterBruder) ++kinder;
    EXPECT_EQ(kinder, 256);
    EXPECT_EQ(Baum(w).substr(0, 24), "@0 e2-e4 (d2-d4 ) (d2-d4");
    EXPECT_EQ(Baum(w).substr(Baum(w).size() - 15), "(d2-d4 ) e7-e5 ");
    delete w;
  });
}

}  // namespace
}  // namespace galdrik
