// The game record: notation text and click index, navigation and editing,
// the game status, the search comment, setting a game aside, and games at
// the ply limit built, written and destroyed on a small stack.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "core/fen.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/search.h"
#include "core/suchstand.h"
#include "interface/enginestate.h"
#include "interface/galdrik_exports.h"
#include "interface/partie.h"
#include "interface/spielen.h"
#include "support/kleinerstapel.h"
#include "support/zugtext.h"

namespace galdrik {
namespace {

using test::ZugAusText;

Stellung StellungNach(const std::string& zuege) {
  Stellung st = Grundstellung();
  std::istringstream in(zuege);
  std::string text;
  while (in >> text) st = ZugAusfuehren(st, ZugAusText(st, text), 1);
  return st;
}

using test::Spielen;

std::string Anzeige() { return PartieNotationText(FigurenDeutsch); }

std::string PGNText() {
  Notationsauftrag a;
  a.buchstaben = FigurenEnglisch;
  a.modus = NotationPGN;
  a.blockTiefe = 0;
  a.einzug = 0;
  PartieNotationSchreiben(a, *Partie().wurzel);
  return a.text;
}

// The text that an index entry covers, found the way the program finds it:
// each line feed before a position counts twice.
std::string EintragText(const std::string& text, const NotationsEintrag& e) {
  auto byte = [&](int32_t position) {
    size_t b = 0;
    for (int32_t p = 0; p < position && b < text.size(); ++b) p += text[b] == '\n' ? 2 : 1;
    return b;
  };
  return text.substr(byte(e.anfang), byte(e.ende) - byte(e.anfang));
}

std::string Notation(const Zugknoten* k) {
  return k && k->parent ? ZugNotation(k->zug, FigurenEnglisch, 0) : std::string("root");
}

class PartieTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PartieNeu();
    Engine().aktuelleStellung = Grundstellung();
    Suche().statistik = {};
  }
  void TearDown() override { PartieFrei(); }
};

TEST_F(PartieTest, AnzeigeDerErstenZuegeMitKlickpositionen) {
  Spielen("e4 e5 Nf3");
  EXPECT_EQ(Anzeige(), "1.e2-e4 e7-e5 2.Sg1-f3 ");
  const auto& e = Partie().eintraege;
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[0].anfang, 2);
  EXPECT_EQ(e[1].anfang, 8);
  EXPECT_EQ(e[2].anfang, 16);
  EXPECT_EQ(e[2].ende, 22);
  EXPECT_EQ(e[2].knoten, Partie().aktuell);
}

// Main line 1.e4 e5 2.Nf3 with a variation 1...c5 2.Nf3 on Black's first
// move, itself holding 2.Nc3; NAG 3 on e4, a two-line comment on e5.
class NotationsBaum : public PartieTest {
 protected:
  void SetUp() override {
    PartieTest::SetUp();
    Spielen("e4");
    DLL_SetNAG(3);
    Spielen("e5");
    DLL_SetComment("gut\nso");
    Spielen("Nf3");
    DLL_ZugNummer(1);
    Spielen("c5 Nf3");
    DLL_ZugMinus();
    Spielen("Nc3");
  }
};

TEST_F(NotationsBaum, AnzeigeMitBloeckenNAGUndKommentar) {
  const std::string text = Anzeige();
  EXPECT_EQ(text,
            "1.e2-e4!! e7-e5 gut\nso \n"
            "     [ 1...c7-c5 2.Sg1-f3 \n"
            "          [ 2.Sb1-c3 ]\n"
            "     ]\n"
            "2.Sg1-f3 ");
  std::vector<std::string> zuege;
  for (const auto& e : Partie().eintraege) zuege.push_back(EintragText(text, e));
  EXPECT_EQ(zuege,
            (std::vector<std::string>{"e2-e4", "e7-e5", "c7-c5", "Sg1-f3", "Sb1-c3", "Sg1-f3"}));
}

TEST_F(NotationsBaum, PGNModusUndTiefeVariantenInZeile) {
  EXPECT_EQ(PGNText(),
            "1.e2-e4 $3 e7-e5 {gut\nso} \n( 1...c7-c5 2.Ng1-f3 \n( 2.Nb1-c3 ) ) 2.Ng1-f3 ");
  // In the display text, variations from the block depth on run inline.
  Notationsauftrag a;
  a.blockTiefe = 1;
  PartieNotationSchreiben(a, *Partie().wurzel);
  EXPECT_EQ(a.text,
            "1.e2-e4!! e7-e5 gut\nso \n     [ 1...c7-c5 2.Sg1-f3 ( 2.Sb1-c3 ) ]\n2.Sg1-f3 ");
}

TEST_F(NotationsBaum, KlickMachtDenZugAktuell) {
  const std::string text = Anzeige();
  const auto eintraege = Partie().eintraege;
  const Zugknoten* c5 = eintraege[2].knoten;

  DLL_ZugKlick(eintraege[2].anfang + 3);  // inside "c7-c5"
  EXPECT_EQ(Partie().aktuell, c5);
  EXPECT_EQ(Engine().austauschzug.von, c5->zug.von);
  EXPECT_EQ(Engine().aktuelleStellung.schluessel, StellungNach("e4 c5").schluessel);
  int32_t anfang = -1, ende = -1;
  DLL_ZugMark(&anfang, &ende);
  EXPECT_EQ(anfang, eintraege[2].anfang);
  EXPECT_EQ(ende, eintraege[2].ende);

  // Between two moves the earlier one holds the position; the last move
  // holds everything behind it; before the first move nothing happens.
  DLL_ZugKlick(eintraege[3].anfang - 1);
  EXPECT_EQ(Partie().aktuell, c5);
  DLL_ZugKlick(1 << 30);
  EXPECT_EQ(Partie().aktuell, eintraege.back().knoten);
  DLL_ZugKlick(1);
  EXPECT_EQ(Partie().aktuell, eintraege.back().knoten);

  // At the root the marks stay as they were.
  DLL_ZugNummer(0);
  anfang = ende = -7;
  DLL_ZugMark(&anfang, &ende);
  EXPECT_EQ(anfang, -7);
}

TEST_F(NotationsBaum, LoeschenUndAufwerten) {
  Zugknoten* wurzel = Partie().wurzel;
  Zugknoten* e5 = wurzel->ersterSohn->ersterSohn;
  Zugknoten* c5 = e5->naechsterBruder;

  // Promoting the variation: it leads, the old main move follows it.
  ZumKnotenGehen(c5);
  DLL_ZugAufwerten();
  EXPECT_EQ(Partie().aktuell, c5);
  EXPECT_EQ(wurzel->ersterSohn->ersterSohn, c5);
  EXPECT_EQ(c5->naechsterBruder, e5);
  DLL_ZugAufwerten();  // already first: nothing
  EXPECT_EQ(c5->naechsterBruder, e5);

  // Deleting the variation's first node: its preceding sibling takes over.
  ZumKnotenGehen(e5);
  Anzeige();
  DLL_ZugKill();
  EXPECT_EQ(Partie().aktuell, c5);
  EXPECT_EQ(c5->naechsterBruder, nullptr);
  EXPECT_TRUE(Partie().eintraege.empty());

  // Deleting a main move whose variation remains: the variation moves up.
  Zugknoten* nf3 = c5->ersterSohn;
  Zugknoten* nc3 = nf3->naechsterBruder;
  ZumKnotenGehen(nf3);
  DLL_ZugKill();
  EXPECT_EQ(Partie().aktuell, nc3);
  EXPECT_EQ(c5->ersterSohn, nc3);

  // At the root every move goes and the root stays current.
  DLL_ZugNummer(0);
  DLL_ZugKill();
  EXPECT_EQ(Partie().aktuell, wurzel);
  EXPECT_EQ(wurzel->ersterSohn, nullptr);
  EXPECT_EQ(Engine().aktuelleStellung.schluessel, Grundstellung().schluessel);
}

TEST_F(PartieTest, VorhandeneZuegeWerdenWiederverwendet) {
  Spielen("e4 e5");
  DLL_ZugNummer(0);
  Spielen("e4");
  EXPECT_EQ(Partie().aktuell, Partie().wurzel->ersterSohn);
  DLL_ZugMinus();
  Spielen("d4");
  DLL_ZugMinus();
  Spielen("c4");
  DLL_ZugMinus();
  Spielen("d4");
  std::vector<std::string> zuege;
  for (Zugknoten* k = Partie().wurzel->ersterSohn; k; k = k->naechsterBruder)
    zuege.push_back(Notation(k));
  EXPECT_EQ(zuege, (std::vector<std::string>{"e2-e4", "d2-d4", "c2-c4"}));
  EXPECT_EQ(Notation(Partie().aktuell), "d2-d4");
}

TEST_F(PartieTest, NavigationLaedtDieStellung) {
  Spielen("e4 e5 Nf3");
  DLL_ZugMinus();
  DLL_ZugMinus();
  EXPECT_EQ(Notation(Partie().aktuell), "e2-e4");
  EXPECT_EQ(PartieAktuellerPly(), 1);
  DLL_ZugPlus();
  DLL_ZugPlus();
  DLL_ZugPlus();  // end of the line: stays
  EXPECT_EQ(Notation(Partie().aktuell), "Ng1-f3");
  const Stellung st = StellungNach("e4 e5 Nf3");
  EXPECT_EQ(Engine().aktuelleStellung.schluessel, st.schluessel);
  DLL_ZugNummer(2);
  EXPECT_EQ(Notation(Partie().aktuell), "e7-e5");
  DLL_ZugNummer(9);  // no such ply: nothing
  EXPECT_EQ(Notation(Partie().aktuell), "e7-e5");
  DLL_ZugNummer(0);
  DLL_ZugMinus();
  EXPECT_EQ(Partie().aktuell, Partie().wurzel);

  std::vector<Stellung> pfad;
  DLL_ZugNummer(3);
  PartiePfadStellungen(pfad);
  ASSERT_EQ(pfad.size(), 4u);
  EXPECT_EQ(pfad.front().schluessel, st.schluessel);
  EXPECT_EQ(pfad.back().schluessel, Grundstellung().schluessel);
}

TEST_F(PartieTest, StatusNurAufDemWegZurWurzel) {
  Spielen("Nf3 Nf6 Ng1 Ng8");
  EXPECT_EQ(DLL_PartieStatus(), 1);
  EXPECT_EQ(Engine().legalzugliste.anzahl, 20);
  // Back at the start the position has stood once; that it recurs later in
  // the game does not make it a draw now.
  DLL_ZugNummer(0);
  EXPECT_EQ(DLL_PartieStatus(), 0);
  DLL_ZugNummer(2);
  EXPECT_EQ(DLL_PartieStatus(), 0);

  // A repetition inside a variation counts.
  PartieNeu();
  Engine().aktuelleStellung = Grundstellung();
  Spielen("e4");
  DLL_ZugMinus();
  Spielen("Nc3 Nc6 Nb1 Nb8");
  EXPECT_EQ(DLL_PartieStatus(), 1);
}

TEST_F(PartieTest, StatusMattUndPatt) {
  Spielen("f3 e5 g4 Qh4");
  EXPECT_EQ(DLL_PartieStatus(), 2);
  EXPECT_EQ(Engine().legalzugliste.anzahl, 0);
  // The mate is marked in the text.
  EXPECT_EQ(Anzeige(), "1.f2-f3 e7-e5 2.g2-g4 Dd8-h4# ");

  const struct {
    const char* fen;
    int32_t status;
  } faelle[] = {
      {"6k1/6Q1/6K1/8/8/8/8/8 b - - 0 1", 3},  // Black mated
      {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", 1},   // stalemate
      {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", 1},    // dead material
      {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", 0},
  };
  for (const auto& f : faelle) {
    Stellung st;
    uint16_t n;
    ASSERT_EQ(FENEingabe(f.fen, st, n), FENGueltig) << f.fen;
    Engine().aktuelleStellung = st;
    PartieWurzelSetzen(st, n - 1);
    EXPECT_EQ(DLL_PartieStatus(), f.status) << f.fen;
  }
}

TEST_F(PartieTest, Suchkommentar) {
  const struct {
    uint64_t tiefe;
    int16_t wert;
    const char* kommentar;  // nullptr: none
  } faelle[] = {
      {7, 24990, "7/12/20 +#5"}, {7, 35, "7/12/20 0.35"},      {7, -24990, "7/12/20 -#5"},
      {7, -5, "7/12/20 -0.05"},  {7, 20000, "7/12/20 200.00"}, {7, -1234, "7/12/20 -12.34"},
      {0, 35, nullptr},
  };
  for (const auto& f : faelle) {
    PartieNeu();
    Engine().aktuelleStellung = Grundstellung();
    Suche().statistik.iterationsTiefe = f.tiefe;
    Suche().statistik.tiefsterPly = 12;
    Suche().statistik.tiefsterRuhePly = 20;
    SuchstandVeroeffentlichen();
    Spielen("d4", 1, f.wert);
    const auto& k = Partie().aktuell->kommentar;
    if (f.kommentar) {
      ASSERT_TRUE(k.has_value()) << f.wert;
      EXPECT_EQ(*k, f.kommentar);
    } else {
      EXPECT_FALSE(k.has_value());
    }
  }
  // Without the engine flag the move keeps its comment.
  DLL_ZugMinus();
  DLL_ZugPlus();
  DLL_SetComment("eigener");
  DLL_ZugMinus();
  Suche().statistik.iterationsTiefe = 3;
  SuchstandVeroeffentlichen();
  Spielen("d4", 0, 50);
  EXPECT_EQ(*Partie().aktuell->kommentar, "eigener");
}

TEST_F(PartieTest, KommentarTagsUndTextpuffer) {
  EXPECT_EQ(DLL_GetComment(), 0);
  DLL_SetComment("Vor dem ersten Zug");
  Spielen("e4");
  DLL_SetComment(nullptr);
  DLL_SetNAG(8);
  EXPECT_EQ(DLL_GetComment(), 0);
  DLL_ZugMinus();
  EXPECT_EQ(DLL_GetComment(), 18);
  EXPECT_STREQ(Ausgabepuffer(), "Vor dem ersten Zug");
  // The root's comment stands before the first move and moves the index.
  EXPECT_EQ(DLL_PartieNotation("BSLTDK"), 29);
  EXPECT_STREQ(Ausgabepuffer(), "Vor dem ersten Zug 1.e2-e4\u00B0 ");
  EXPECT_EQ(Partie().eintraege[0].anfang, 21);
  EXPECT_EQ(DLL_PartieNotation(nullptr), 0);
  EXPECT_STREQ(Ausgabepuffer(), "Vor dem ersten Zug 1.e2-e4\u00B0 ");
  // An empty text takes the comment away, blank and all.
  DLL_SetComment("");
  EXPECT_FALSE(Partie().aktuell->kommentar.has_value());
  EXPECT_EQ(DLL_PartieNotation("BSLTDK"), 10);
  EXPECT_STREQ(Ausgabepuffer(), "1.e2-e4\u00B0 ");

  const std::string lang(1200, 'x');
  DLL_PartiePGNSet("Turnier", nullptr, "2024.01.02", "Weiß", lang.c_str(), "3", nullptr);
  const auto& t = Partie().infos;
  EXPECT_EQ(t[TagEvent], "Turnier");
  EXPECT_EQ(t[TagSite], "?");
  EXPECT_EQ(t[TagDate], "2024.01.02");
  EXPECT_EQ(t[TagWhite], "Weiß");
  EXPECT_EQ(t[TagBlack], std::string(999, 'x'));
  EXPECT_EQ(t[TagRound], "3");
  EXPECT_EQ(t[TagResult], "?");
  // Cut at a character, never inside one.
  std::string umlaute;
  for (int i = 0; i < 600; ++i) umlaute += "\u00E4";
  PartieInfoSetzen(TagSite, umlaute);
  EXPECT_EQ(t[TagSite].size(), 998u);
}

TEST_F(PartieTest, NeuePartieSetztDieTags) {
  DLL_PartiePGNSet("E", "S", "D", "W", "B", "R", "1-0");
  PartieNeu();
  const auto& t = Partie().infos;
  for (int i : {TagEvent, TagSite, TagRound, TagWhite, TagBlack, TagResult}) EXPECT_EQ(t[i], "?");
  ASSERT_EQ(t[TagDate].size(), 10u);
  EXPECT_EQ(t[TagDate][4], '.');
  EXPECT_EQ(t[TagDate][7], '.');
}

TEST_F(PartieTest, PartieBeiseiteLegen) {
  Spielen("e4 e5");
  Partiewurzel* alt = Partie().wurzel;
  DLL_PartieStruktSave();
  EXPECT_NE(Partie().wurzel, alt);
  EXPECT_EQ(Partie().wurzel->startstellung.schluessel, Engine().aktuelleStellung.schluessel);
  Spielen("Nf3");
  DLL_PartieStruktLoad();
  EXPECT_EQ(Partie().wurzel, alt);
  EXPECT_EQ(Partie().aktuell, alt);
  EXPECT_EQ(Notation(alt->ersterSohn->ersterSohn), "e7-e5");
  DLL_PartieStruktLoad();  // nothing kept: nothing happens
  EXPECT_EQ(Partie().wurzel, alt);

  // A second Save before Load keeps the older tree when both start alike.
  Engine().aktuelleStellung = Grundstellung();
  DLL_PartieStruktSave();
  Spielen("d4");
  DLL_PartieStruktSave();
  DLL_PartieStruktLoad();
  EXPECT_EQ(Partie().wurzel, alt);
}

using test::MitKleinemStapel;

TEST_F(PartieTest, PartieBisZurPlyGrenze) {
  MitKleinemStapel([] {
    const char* runde[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    for (int ply = 1; ply <= MaxPartiePly; ++ply) Spielen(runde[(ply - 1) % 4]);
    EXPECT_EQ(PartieAktuellerPly(), MaxPartiePly);
    const Zug naechster = ZugGenerator(Engine().aktuelleStellung, GenAlleZuege).zuege[0];
    EXPECT_EQ(PartieZugAnhaengen(naechster, 0, 0), -1);
    EXPECT_EQ(PartieAktuellerPly(), MaxPartiePly);

    const std::string text = Anzeige();
    EXPECT_EQ(Partie().eintraege.size(), static_cast<size_t>(MaxPartiePly));
    EXPECT_EQ(text.substr(text.size() - 12), "3150.Sf3-g1 ");
    const std::string pgn = PGNText();
    EXPECT_NE(pgn.find("\nNg8-f6 3146.Nf3-g1 "), std::string::npos);
    EXPECT_EQ(pgn.substr(pgn.size() - 12), "3150.Nf3-g1 ");
    Stellung st;
    Partie().aktuell->StellungGet(st);
    EXPECT_EQ(st.schluessel, Engine().aktuelleStellung.schluessel);
    EXPECT_EQ(DLL_PartieStatus(), 1);
    std::vector<Stellung> pfad;
    PartiePfadStellungen(pfad);
    EXPECT_EQ(pfad.size(), static_cast<size_t>(MaxPartiePly + 1));
    // A long variation inside, then everything destroyed.
    DLL_ZugNummer(1);
    Spielen("d5 Nc3");
    DLL_ZugNummer(0);
    DLL_ZugKill();
    EXPECT_EQ(Partie().wurzel->ersterSohn, nullptr);
    for (int ply = 1; ply <= 2000; ++ply) Spielen(runde[(ply - 1) % 4]);
    PartieNeu();
    EXPECT_EQ(Partie().wurzel->ersterSohn, nullptr);
  });
}

}  // namespace
}  // namespace galdrik
