// EPD files: reading a line into position and target (as tables, and over
// mutated lines), loading files, and the EPD test thread through the loaded
// library: the project's suites solved, judging, stop and statistics.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "interface/epd.h"
#include "interface/host.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

namespace fs = std::filesystem;

const std::string SuitenOrdner = GALDRIK_TEST_DATA_DIR "/epd/";

using test::DateiZeilen;
using test::TempOrdner;

std::string Lang(const Zug& z) { return ZugNotation(z, FigurenEnglisch, 0); }

// ------------------------------------------------------------ the parser

TEST(EPDZeile, StellungsfelderFolgenDenFENRegeln) {
  struct Fall {
    const char* zeile;
    int32_t ergebnis;
    int ep = -1;      // expected en-passant square when read
    int rechte = -1;  // castling rights expected (count of ones)
  };
  const Fall faelle[] = {
      {"4k3/8/8/8/8/8/8/4K3 w - -", EPDStellungFehler},  // nothing after the fields
      {"4k3/8/8/8/8/8/8/4K3 w - - ;", EPDGelesen, 255, 0},
      {"4k3/8/8/8/8/8/8/4K3 w KQ", EPDStellungFehler},  // runs out in the castling field
      {"4k3/8/8/8/4Pp2/8/8/4K3 b - e3 ;", EPDGelesen, 20},
      {"4k3/8/8/4pP2/8/8/8/4K3 w - e6 ;", EPDGelesen, 44},
      {"4k3/8/8/8/8/8/8/4K3 w - e3 ;", EPDGelesen, 255},  // no pawn passed it
      {"4k3/8/8/8/8/8/8/4K3 w - e9 ;", EPDStellungFehler},
      {"4k3/8/8/8/8/8/8/4K3 w - i3 ;", EPDStellungFehler},
      // Rights without their rook or king are dropped, never backed by a new rook.
      {"4k3/8/8/8/8/8/8/4K3 w KQkq - ;", EPDGelesen, 255, 0},
      {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - ;", EPDGelesen, 255, 4},
      {"r3k2r/8/8/8/8/8/8/R2K3R w KQkq - ;", EPDGelesen, 255, 2},
      {"4k3/8/8/8/8/8/8/8 w - - ;", EPDStellungFehler},     // no White king
      {"4k3/8/8/8/8/8/8/3KK3 w - - ;", EPDStellungFehler},  // two White kings
      {"4k2P/8/8/8/8/8/8/4K3 w - - ;", EPDStellungFehler},  // pawn on the eighth rank
      {"4k3/8/8/8/8/8/8/K3R3 w - - ;", EPDStellungFehler},  // side not to move in check
      {"4k3/8/8/8/8/8/8/4K3 x - - ;", EPDStellungFehler},
      {"4k4K/8/8/8/8/8/8/8 w - - ;", EPDStellungFehler},               // beyond the h-file
      {"4k3/8/8/8/8/8/8/8/4K3 w - - ;", EPDStellungFehler},            // a ninth rank
      {"QQQQQQQQ/QQQQQQQQ/8/8/8/8/8/k6K w - - ;", EPDStellungFehler},  // no game reaches it
      {"4k3/8/8/8/8/8/4P3/4K3 w - - bm Kd2;\r\n", EPDGelesen, 255, 0},
      {"", EPDStellungFehler},
  };
  for (const Fall& f : faelle) {
    Stellung st;
    Zug ziel;
    int32_t art = -1;
    ASSERT_EQ(EPDInterpretieren(f.zeile, st, ziel, art), f.ergebnis) << f.zeile;
    if (f.ergebnis != EPDGelesen) continue;
    if (f.ep >= 0) {
      EXPECT_EQ(st.epFeld, f.ep) << f.zeile;
    }
    if (f.rechte >= 0) {
      EXPECT_EQ(st.rochade[0] + st.rochade[1] + st.rochade[2] + st.rochade[3], f.rechte) << f.zeile;
      // Whatever the text claimed, castling moves need a rook in its corner.
      const Zugliste legal = ZugGenerator(st, GenAlleZuege);
      for (int i = 0; i < legal.anzahl; ++i) {
        if (legal.zuege[i].zugart != ZugartRochade) continue;
        const Stellung nach = ZugAusfuehren(st, legal.zuege[i], 1);
        EXPECT_EQ(BitAnzahl(nach.tuerme), BitAnzahl(st.tuerme)) << f.zeile;
      }
    }
  }
}

TEST(EPDZeile, Operationen) {
  // A pawn keeps it from being a dead draw, which has no moves to name.
  const std::string k = "4k3/8/8/8/8/8/4P3/4K3 w - - ";
  const std::string start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - ";
  const std::string rooks = "6k1/5ppp/8/8/8/8/5PPP/RR4K1 w - - ";
  struct Fall {
    std::string zeile;
    int32_t ergebnis;
    int32_t art = EPDKeinZiel;
    std::vector<std::string> ziele = {};  // long notation of every target move
    int tiefe = 0;                        // "dm"
  };
  const Fall faelle[] = {
      {k + "bm Kd2;", EPDGelesen, EPDBestZug, {"Ke1-d2"}},
      {k + "bm Kd2", EPDGelesen, EPDBestZug, {"Ke1-d2"}},
      {k + "  bm   Kd2  ;  ", EPDGelesen, EPDBestZug, {"Ke1-d2"}},
      {rooks + "bm Ra8# Rb8#;", EPDGelesen, EPDBestZug, {"Ra1-a8+", "Rb1-b8+"}},
      {start + "am e4 d4 Nf3;", EPDGelesen, EPDVermeideZug, {"e2-e4", "d2-d4", "Ng1-f3"}},
      {k + "bm Ke3;", EPDOperationFehler},
      {start + "bm e4 Ke2;", EPDOperationFehler},  // every listed move must be legal
      {k + "dm 3;", EPDGelesen, EPDMattIn, {}, 3},
      {k + "dm 1", EPDGelesen, EPDMattIn, {}, 1},
      {k + "dm 127;", EPDGelesen, EPDMattIn, {}, 127},
      {k + "dm 128;", EPDOperationFehler},
      {k + "dm 200;", EPDOperationFehler},
      {k + "dm -1;", EPDOperationFehler},
      {k + "dm x;", EPDOperationFehler},
      {k + "bm Kd2; dm 2;", EPDGelesen, EPDMattIn, {}, 2},  // a later one overrides
      {k + "dm 2; bm Kd2;", EPDGelesen, EPDBestZug, {"Ke1-d2"}},
      {k + "id \"a; bm Ke3\"; bm Kd2;", EPDGelesen, EPDBestZug, {"Ke1-d2"}},
      {k + "c0 \"comment\"; id \"x\"; hmvc 0;", EPDGelesen, EPDKeinZiel},
      {k + "bm ;", EPDGelesen, EPDKeinZiel},
      {k + "BM Kd2;", EPDGelesen, EPDKeinZiel},
  };
  for (const Fall& f : faelle) {
    Stellung st;
    Zug ziel;
    int32_t art = -1;
    Zugliste zuege;
    ASSERT_EQ(EPDInterpretieren(f.zeile, st, ziel, art, &zuege), f.ergebnis) << f.zeile;
    if (f.ergebnis != EPDGelesen) continue;
    EXPECT_EQ(art, f.art) << f.zeile;
    std::vector<std::string> gelesen;
    for (int i = 0; i < zuege.anzahl; ++i) gelesen.push_back(Lang(zuege.zuege[i]));
    EXPECT_EQ(gelesen, f.ziele) << f.zeile;
    if (!f.ziele.empty()) {
      EXPECT_EQ(Lang(ziel), f.ziele.front()) << f.zeile;
    }
    if (art == EPDMattIn) {
      EXPECT_EQ(ziel.von, 0);
      EXPECT_EQ(ziel.nach, 0);
      EXPECT_EQ(ziel.zugart, 0);
      EXPECT_EQ(ziel.wert, f.tiefe);
    }
  }
}

using test::ImSchach;
using test::MattInHoechstens;

// The suites' answers, checked without the search: every "dm n" is a mate in
// exactly n, every mating "bm" move mates.
TEST(EPDZeile, DieSuitenStimmen) {
  for (const char* name : {"matt.epd", "taktik.epd"}) {
    for (const std::string& zeile : DateiZeilen(SuitenOrdner + name)) {
      Stellung st;
      Zug ziel;
      int32_t art = -1;
      Zugliste zuege;
      ASSERT_EQ(EPDInterpretieren(zeile, st, ziel, art, &zuege), EPDGelesen) << zeile;
      ASSERT_NE(art, EPDKeinZiel) << zeile;
      if (art == EPDMattIn) {
        EXPECT_TRUE(MattInHoechstens(st, ziel.wert)) << zeile;
        EXPECT_FALSE(MattInHoechstens(st, ziel.wert - 1)) << zeile;
      }
      for (int i = 0; i < zuege.anzahl; ++i) {
        if (zeile.find('#') == std::string::npos) break;
        const Stellung nach = ZugAusfuehren(st, zuege.zuege[i], 1);
        EXPECT_TRUE(ImSchach(nach) && ZugGenerator(nach, GenAlleZuege).anzahl == 0) << zeile;
      }
    }
  }
}

// Mutated lines of every kind never read out of bounds (the AddressSanitizer
// pass runs this too) and never yield a position the engine cannot play on.
TEST(EPDZeile, VeraenderteZeilen) {
  std::vector<std::string> vorlagen;
  for (const char* name : {"matt.epd", "taktik.epd", "fehlerhaft.epd"})
    for (const std::string& z : DateiZeilen(SuitenOrdner + name)) vorlagen.push_back(z);
  vorlagen.push_back("r3k2r/pppq1ppp/8/3pP3/8/8/PPPQ1PPP/R3K2R w KQkq d6 bm exd6 O-O-O; dm 5;");
  ASSERT_GT(vorlagen.size(), 10u);

  const std::string zeichen = "kqrbnpKQRBNP12345678/ -;\"wbaehx=+#0O\t\r\n\x7f\xff\xc3\xa4";
  std::mt19937 zufall(20240917u);
  auto wahl = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(zufall); };
  int gelesen = 0;
  for (int runde = 0; runde < 20000; ++runde) {
    std::string z = vorlagen[wahl(vorlagen.size())];
    const size_t schritte = 1 + wahl(4);
    for (size_t s = 0; s < schritte; ++s) {
      const size_t pos = z.empty() ? 0 : wahl(z.size());
      switch (wahl(6)) {
        case 0:
          if (!z.empty()) z[pos] = zeichen[wahl(zeichen.size())];
          break;
        case 1:
          z.insert(pos, 1, zeichen[wahl(zeichen.size())]);
          break;
        case 2:
          if (!z.empty()) z.erase(pos, 1 + wahl(3));
          break;
        case 3:
          z.resize(pos);
          break;
        case 4:
          z.insert(pos, z.substr(pos, wahl(12)));
          break;
        default:
          z.insert(pos, 1, '\0');
          break;
      }
    }
    Stellung st;
    Zug ziel;
    int32_t art = -1;
    Zugliste zuege;
    const int32_t r = EPDInterpretieren(z, st, ziel, art, &zuege);
    ASSERT_TRUE(r == EPDGelesen || r == EPDStellungFehler || r == EPDOperationFehler) << z;
    if (r != EPDGelesen) continue;
    ++gelesen;
    ASSERT_LT(st.koenigW, 64) << z;
    ASSERT_LT(st.koenigS, 64) << z;
    ASSERT_GE(art, EPDKeinZiel);
    ASSERT_LE(art, EPDMattIn);
    const Zugliste legal = ZugGenerator(st, GenAlleZuege);
    for (int i = 0; i < zuege.anzahl; ++i) {
      const Zug& zug = zuege.zuege[i];
      const bool dabei = std::any_of(legal.zuege, legal.zuege + legal.anzahl, [&](const Zug& l) {
        return l.von == zug.von && l.nach == zug.nach && l.zugart == zug.zugart;
      });
      ASSERT_TRUE(dabei) << z;
      const Stellung nach = ZugAusfuehren(st, zug, 1);
      ASSERT_EQ(BitAnzahl(nach.weiss | nach.schwarz), BitAnzahl(nach.belegt)) << z;
    }
  }
  EXPECT_GT(gelesen, 1000);  // the mutations still reach the operations
}

// ---------------------------------------------------------------- files

TEST(EPDDatei, ZeilenWieGelesen) {
  TempOrdner ordner;
  const std::string lang(1500, 'x');
  struct Fall {
    const char* name;
    std::string inhalt;
    std::vector<std::string> zeilen;
  };
  const Fall faelle[] = {
      {"leer", "", {}},
      {"mit Zeilenende", "a\nb\n", {"a\n", "b\n"}},
      {"ohne Zeilenende", "a\nb", {"a\n", "b"}},
      {"Leerzeile", "a\n\nb\n", {"a\n", "\n", "b\n"}},
      {"CRLF", "a\r\nb\r\n", {"a\n", "b\n"}},
      {"BOM",
       "\xEF\xBB\xBF"
       "a\n",
       {"a\n"}},
      {"Windows-1252",
       "id \"M\xFC"
       "ller\"\n",
       {"id \"M\xC3\xBCller\"\n"}},
      {"NUL", std::string("ab\0cd\n", 6), {"ab\n"}},
      {"zu lang", lang + "\n", {lang.substr(0, 1023), lang.substr(1023) + "\n"}},
  };
  for (const Fall& f : faelle) {
    ASSERT_EQ(EPDDateiLaden(ordner.datei("f.epd", f.inhalt).c_str()), 0) << f.name;
    EXPECT_EQ(EPD().zeilen, f.zeilen) << f.name;
  }
  EXPECT_EQ(EPDDateiLaden((ordner.pfad() / "fehlt.epd").c_str()), -1);
  EXPECT_EQ(EPD().anzahl(), 0);
  ASSERT_EQ(EPDDateiLaden(ordner.datei("f.epd", "a\n").c_str()), 0);
  EXPECT_EQ(EPDDateiLaden(ordner.pfad().c_str()), -1);  // a folder opens but cannot be read
  EXPECT_EQ(EPD().anzahl(), 0);
  EPDDateiFrei();
}

// ------------------------------------------------- through the library

class EPDTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    lib("DLL_HashParam", 18, 4, 16);
    ASSERT_EQ(Ruf("DLL_EngineInit"), 0);
    lib("DLL_Einstellen", 1, 1, 1, 1, 0, 1, 0, 0, 0);
  }

  int32_t Starten(int32_t weich, int32_t hart) {
    return lib.operator()<int32_t>("DLL_EPDTestStart", weich, hart);
  }
  int32_t Laden(const std::string& pfad) {
    return lib.operator()<int32_t>("DLL_EPDLaden", pfad.c_str());
  }
  // Polls as the program does, bounded.
  bool WartenBis(const std::function<bool()>& bedingung, std::chrono::seconds grenze) {
    const auto start = std::chrono::steady_clock::now();
    while (!bedingung()) {
      if (std::chrono::steady_clock::now() - start > grenze) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }
  bool Fertig() {
    return WartenBis([&] { return Ruf("DLL_EPDTestFertig") == 1; }, std::chrono::seconds(60));
  }
  struct Statistik {
    int32_t geloest = -1, bearbeitet = -1, zeit = -1, ergebnis = -1;
  };
  Statistik Stand() {
    Statistik s;
    s.ergebnis =
        lib.operator()<int32_t>("DLL_EPDTestStatistik", &s.geloest, &s.bearbeitet, &s.zeit);
    return s;
  }
};

TEST_F(EPDTest, DateiZeileUndStellung) {
  const std::string pfad = SuitenOrdner + "matt.epd";
  const std::vector<std::string> zeilen = DateiZeilen(pfad);
  ASSERT_EQ(Laden(pfad), static_cast<int32_t>(zeilen.size()));
  EXPECT_EQ(lib.text(Ruf("DLL_EPDString", 0)), zeilen[0] + "\n");

  // "dm 3": the position becomes current, the exchange move carries only the
  // depth, the game record starts at half-move 1.
  ASSERT_EQ(Ruf("DLL_EPDInterpret", 4), EPDMattIn);
  std::vector<int32_t> feld = Stellung();
  EXPECT_EQ(feld[56], -6);  // Black king a8
  EXPECT_EQ(feld[35], 6);   // White king d5
  EXPECT_EQ(feld[7], 4);    // White rook h1
  EXPECT_EQ(feld[71], 1);
  int32_t zug[4] = {-1, -1, -1, -1};
  lib("DLL_ZugGet", zug);
  EXPECT_EQ(zug[0], 0);
  EXPECT_EQ(zug[1], 0);
  // "bm": the exchange move is the named move.
  ASSERT_EQ(Ruf("DLL_EPDInterpret", 1), EPDBestZug);
  lib("DLL_ZugGet", zug);
  EXPECT_EQ(zug[0], 0);  // Ra1-a8, the first move listed
  EXPECT_EQ(zug[1], 56);

  // Bad indices and lines answer the failure value and change nothing.
  const std::vector<int32_t> vorher = Stellung();
  for (int32_t i : {-1, static_cast<int32_t>(zeilen.size()), 1 << 30}) {
    EXPECT_EQ(Ruf("DLL_EPDString", i), 0) << i;
    EXPECT_EQ(Ruf("DLL_EPDInterpret", i), -1) << i;
    EXPECT_EQ(Ruf("DLL_EPDTestInfo", i), -1) << i;
  }
  ASSERT_EQ(Laden(SuitenOrdner + "fehlerhaft.epd"),
            static_cast<int32_t>(DateiZeilen(SuitenOrdner + "fehlerhaft.epd").size()));
  EXPECT_EQ(Ruf("DLL_EPDInterpret", 0), -1);
  EXPECT_EQ(Stellung(), vorher);

  // A failed load leaves no table behind.
  EXPECT_EQ(lib.operator()<int32_t>("DLL_EPDLaden", nullptr), -9);
  EXPECT_EQ(Ruf("DLL_EPDString", 0), 0);
  ASSERT_GT(Laden(pfad), 0);
  EXPECT_EQ(Laden((ordner.pfad() / "fehlt.epd").string()), -1);
  EXPECT_EQ(Ruf("DLL_EPDInterpret", 0), -1);
}

TEST_F(EPDTest, ZeileSpeichern) {
  const std::string pfad = (ordner.pfad() / "neu.epd").string();
  auto speichern = [&](const char* p, const char* zeile, int32_t anhaengen) {
    return lib.operator()<int32_t>("DLL_EPDSpeichern", p, zeile, anhaengen);
  };
  EXPECT_EQ(speichern(nullptr, "x", 1), -9);
  EXPECT_EQ(speichern(pfad.c_str(), nullptr, 1), -9);
  EXPECT_EQ(speichern(pfad.c_str(), "4k3/8/8/8/8/8/8/4K3 w - - id \"Müller\";", 1), 0);
  EXPECT_EQ(speichern(pfad.c_str(), "zwei", 2), 0);
  EXPECT_EQ(DateiZeilen(pfad),
            (std::vector<std::string>{"4k3/8/8/8/8/8/8/4K3 w - - id \"Müller\";", "zwei"}));
  EXPECT_EQ(speichern(pfad.c_str(), "neu", 0), 0);
  EXPECT_EQ(DateiZeilen(pfad), std::vector<std::string>{"neu"});
  EXPECT_EQ(speichern((ordner.pfad() / "fehlt" / "x.epd").c_str(), "x", 1), -1);
}

// The project's suites: every line solved within its time, the statistics
// agreeing with the result words.
class EPDSuite : public EPDTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EPDSuite, JedeZeileGeloest) {
  const int32_t n = Laden(SuitenOrdner + GetParam());
  ASSERT_GT(n, 0);
  ASSERT_EQ(Starten(0, 2), 0);
  // Every poll finds the counters of one moment, and every line the index
  // covers already judged.
  ASSERT_TRUE(WartenBis(
      [&] {
        const Statistik s = Stand();
        EXPECT_LE(s.geloest, s.bearbeitet);
        EXPECT_LE(s.bearbeitet, n);
        for (int32_t i = 0; i < s.bearbeitet; ++i)
          EXPECT_NE(Ruf("DLL_EPDTestInfo", i), EPDNichtGetestet);
        return Ruf("DLL_EPDTestFertig") == 1;
      },
      std::chrono::seconds(60)));
  int32_t summe = 0;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t r = Ruf("DLL_EPDTestInfo", i);
    EXPECT_GE(r, 0) << "line " << i << ": " << lib.text(Ruf("DLL_EPDString", i));
    summe += std::max(r, 0);
  }
  const Statistik s = Stand();
  EXPECT_EQ(s.ergebnis, n);
  EXPECT_EQ(s.bearbeitet, n);
  EXPECT_EQ(s.geloest, n);
  EXPECT_EQ(s.zeit, summe);
  EXPECT_EQ(Ruf("DLL_EPDTestStatus"), n);
}

INSTANTIATE_TEST_SUITE_P(Projekt, EPDSuite, ::testing::Values("matt.epd", "taktik.epd"),
                         [](const auto& param) {
                           const std::string n = param.param;
                           return n.substr(0, n.find('.'));
                         });

// "dm n" wants a mate in exactly n for the side to move; a single legal move
// takes no time, whatever the line before took; unparsable lines and lines
// without a target are marked; the total time counts the hard limit for
// each failed line only.
TEST_F(EPDTest, Urteile) {
  const std::string datei = ordner.datei(
      "urteile.epd",
      "k7/8/8/3K4/8/8/8/7R w - - dm 2;\n"
      "k7/8/8/3K4/8/8/8/7R w - - dm 3;\n"
      "k7/8/8/3K4/8/8/8/7R w - - dm 4;\n"
      "8/8/8/8/8/2k5/8/K6r w - - bm Ka2; id \"answered at once, after a failed line\";\n"
      "k7/8/1K6/6p1/8/8/8/7R b - - dm 1; id \"Black is mated in one\";\n"
      "4k3/8/8/8/8/8/8/4K3 w - - bm Ke3;\n"
      "4k3/8/8/8/8/8/8/4K3 w - - id \"no target\";\n");
  ASSERT_EQ(Laden(datei), 7);
  const int32_t hart = 1;
  ASSERT_EQ(Starten(0, hart), 0);
  ASSERT_TRUE(Fertig());
  const std::vector<int32_t> erwartet = {-1, 0, -1, 0, -1, EPDUnlesbar, EPDNichtGetestet};
  std::vector<int32_t> ergebnisse;
  for (int32_t i = 0; i < 7; ++i) ergebnisse.push_back(Ruf("DLL_EPDTestInfo", i));
  ASSERT_GE(ergebnisse[1], 0);
  ergebnisse[1] = 0;
  EXPECT_EQ(ergebnisse, erwartet);
  const Statistik s = Stand();
  EXPECT_EQ(s.geloest, 2);
  EXPECT_EQ(s.bearbeitet, 7);
  EXPECT_EQ(s.zeit, Ruf("DLL_EPDTestInfo", 1) + 3 * hart);
}

// A stop during the third of ten lines: the index stays at 2, that line and
// every later one untested, the counters those of the first two lines. The
// stop reaches no search started after the test.
TEST_F(EPDTest, StoppMittenInDerDrittenZeile) {
  std::string inhalt = "kein EPD\n8/8/8/8/8/2k5/8/K6r w - - bm Ka2;\n";
  for (int i = 2; i < 10; ++i)
    inhalt += "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - bm Bb5;\n";
  ASSERT_EQ(Laden(ordner.datei("zehn.epd", inhalt)), 10);
  ASSERT_EQ(Starten(30, 60), 0);
  EXPECT_EQ(Starten(30, 60), -1);       // one test at a time
  EXPECT_EQ(Ruf("DLL_SuchStart"), -1);  // and no search beside it
  ASSERT_TRUE(WartenBis([&] { return Ruf("DLL_EPDTestStatus") >= 2; }, std::chrono::seconds(10)));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(Ruf("DLL_EPDTestFertig"), 0);
  lib("DLL_EPDTestStopp");
  ASSERT_TRUE(WartenBis([&] { return Ruf("DLL_EPDTestFertig") == 1; }, std::chrono::seconds(5)));

  EXPECT_EQ(Ruf("DLL_EPDTestStatus"), 2);
  EXPECT_EQ(Ruf("DLL_EPDTestInfo", 0), EPDUnlesbar);
  EXPECT_EQ(Ruf("DLL_EPDTestInfo", 1), 0);
  for (int32_t i = 2; i < 10; ++i) EXPECT_EQ(Ruf("DLL_EPDTestInfo", i), EPDNichtGetestet) << i;
  const Statistik s = Stand();
  EXPECT_EQ(s.geloest, 1);
  EXPECT_EQ(s.bearbeitet, 2);
  EXPECT_EQ(s.zeit, 0);

  // A late stop (the program's window sends one when it closes) leaves the
  // engine's own search running.
  lib("DLL_SuchParam", 100000, 3600, 3600);
  ASSERT_EQ(Ruf("DLL_SuchStart"), 0);
  lib("DLL_EPDTestStopp");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(Ruf("DLL_SuchFertig"), 0);
  lib("DLL_SuchTermin");
  ASSERT_TRUE(WartenBis([&] { return Ruf("DLL_SuchFertig") == 1; }, std::chrono::seconds(5)));
}

// Loading a file or tearing the engine down while a test runs waits for the
// test instead of pulling the table from under it.
TEST_F(EPDTest, LadenUndEndeWaehrendDesTests) {
  std::string inhalt;
  for (int i = 0; i < 4; ++i)
    inhalt += "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - bm Bb5;\n";
  const std::string datei = ordner.datei("lang.epd", inhalt);
  ASSERT_EQ(Laden(datei), 4);
  ASSERT_EQ(Starten(30, 60), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(Laden(SuitenOrdner + "matt.epd"), 5);
  EXPECT_EQ(Ruf("DLL_EPDTestFertig"), 1);
  EXPECT_EQ(Ruf("DLL_EPDTestStatus"), 0);
  EXPECT_EQ(Ruf("DLL_EPDTestInfo", 0), EPDNichtGetestet);

  ASSERT_EQ(Laden(datei), 4);
  ASSERT_EQ(Starten(30, 60), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(Ruf("DLL_EngineKill"), 0);
  EXPECT_EQ(Ruf("DLL_EPDTestFertig"), 1);
  EXPECT_EQ(Ruf("DLL_EPDString", 0), 0);
}

}  // namespace
}  // namespace galdrik
