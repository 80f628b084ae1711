// Book compiler: records, weights and duplicates of small sources, every log
// message, the source format limits, a target that cannot be written, the
// position limit and deep nesting, and the piece-square statistics.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "book_testutil.h"
#include "core/book.h"
#include "core/bookcompiler.h"
#include "core/zobrist.h"
#include "interface/galdrik_exports.h"

namespace galdrik {
namespace {

using test::BuchFixture;
using test::DateiInhalt;
using test::DateiSchreiben;
using test::NachZuegen;

namespace fs = std::filesystem;

class Kompilieren : public ::testing::Test {
 protected:
  void SetUp() override {
    ordner_ = test::FrischerOrdner();
    pfade_ = {(ordner_ / "BookLog.txt").string(), (ordner_ / "lern1.dat").string()};
  }
  void TearDown() override { BuchFrei(); }

  int32_t Uebersetzen(const std::string& quelle) {
    return BuchKompilieren(quelle, Ziel(), pfade_, &bericht_);
  }
  // A source of one group with one game.
  int32_t PartieUebersetzen(const std::string& zugtext) {
    const fs::path quelle = ordner_ / "partie.bk1";
    DateiSchreiben(quelle, "Eine Partie\n-\n1\nGruppe\n1\nPartie\n" + zugtext + "\n");
    return Uebersetzen(quelle.string());
  }
  // The compiled book as the engine reads it.
  const std::vector<Buchsatz>& Gelesen() {
    EXPECT_EQ(BuchEinlesen(Ziel()), BuchGelesen);
    return Buch().saetze;
  }
  std::string Ziel() const { return (ordner_ / "buch.bk2").string(); }
  std::string Log() const { return DateiInhalt(pfade_.log); }

  fs::path ordner_;
  BuchKompilierPfade pfade_;
  BuchKompilierBericht bericht_;
};

struct ErwarteterSatz {
  std::initializer_list<const char*> vorher;
  const char* zug;
  int8_t gewicht;
};

void SaetzePruefen(const std::vector<Buchsatz>& saetze,
                   const std::vector<ErwarteterSatz>& erwartet) {
  ASSERT_EQ(saetze.size(), erwartet.size());
  for (size_t i = 0; i < erwartet.size(); ++i) {
    const Stellung st = NachZuegen(erwartet[i].vorher);
    const Zugliste liste = ZugGenerator(st, GenAlleZuege);
    const int index = test::ZugIndex(liste, erwartet[i].zug);
    ASSERT_GE(index, 0) << erwartet[i].zug;
    const Zug& legal = liste.zuege[index];
    const Buchsatz& s = saetze[i];
    EXPECT_EQ(s.key(), HashCodeBerechnen(st)) << "record " << i;
    EXPECT_EQ(s.zug.von, legal.von) << "record " << i;
    EXPECT_EQ(s.zug.nach, legal.nach) << "record " << i;
    EXPECT_EQ(s.zug.figur, legal.figur) << "record " << i;
    EXPECT_EQ(s.zug.zugart, legal.zugart) << "record " << i;
    EXPECT_EQ(s.zug.wert, erwartet[i].gewicht) << "record " << i;
  }
}

TEST_F(Kompilieren, BeispielGibtFuenfSaetzeMitAlternativen) {
  ASSERT_EQ(Uebersetzen(BuchFixture("beispiel.bk1")), KompilierungFertig);

  const std::string datei = DateiInhalt(Ziel());
  const std::regex kopf(
      "Beispielbuch\n[A-Z][a-z]{2} [A-Z][a-z]{2} [ 123][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} "
      "[0-9]{4}\n5\n");
  std::smatch treffer;
  ASSERT_TRUE(std::regex_search(datei, treffer, kopf, std::regex_constants::match_continuous))
      << datei.substr(0, 60);
  EXPECT_EQ(datei.size(), treffer.length(0) + 5 * BuchsatzBytes);

  SaetzePruefen(Gelesen(), {{{}, "e2-e4", 2},
                            {{"e2-e4"}, "e7-e5", 2},
                            {{"e2-e4"}, "c7-c5", 2},
                            {{"e2-e4"}, "e7-e6", 2},
                            {{"e2-e4", "e7-e5"}, "Sg1-f3", 2}});
  EXPECT_EQ(Log(),
            "Protokolldatei der Buchkompilierung\n\nOffene Spiele\n\tBeispiel\n\t\t(37 Zeichen)\n"
            "\n\nTotal 5 gespeicherte Positionen\n");
}

TEST_F(Kompilieren, GewichteAbwertungUndDoppelte) {
  // e2-e4! in two games is stored once; d2-d4 beside it drops to 1.
  ASSERT_EQ(Uebersetzen(BuchFixture("gewichte.bk1")), KompilierungFertig);
  SaetzePruefen(Gelesen(),
                {{{}, "e2-e4", 3}, {{"e2-e4"}, "e7-e5", 2}, {{}, "d2-d4", 1}, {{}, "c2-c4", 0}});
}

TEST_F(Kompilieren, JedeMeldungImProtokoll) {
  ASSERT_EQ(Uebersetzen(BuchFixture("fehler.bk1")), KompilierungFertig);
  EXPECT_EQ(Log(), DateiInhalt(BuchFixture("fehler.log")));
  EXPECT_EQ(bericht_.warnungen, 3);
  EXPECT_EQ(bericht_.fehler, 7);
  EXPECT_EQ(bericht_.saetze, 6);
}

TEST_F(Kompilieren, RandfaelleDerZugtexte) {
  const std::string italienisch = "1.e2-e4 e7-e5 2.Sg1-f3 Sb8-c6 3.Lf1-c4 Lf8-c5 ";
  struct Fall {
    std::string zugtext;
    size_t saetze;
  } faelle[] = {
      {"1.e2-e4 e7-e5 (c7-c5;", 3},  // ends inside an alternative
      {"1.e2-e4 e7-e5 (c7-c5;)", 3},
      {"1.e2-e4 e7-e5 (c7-c5 (e7-e6)) 2.Sg1-f3", 5},  // an alternative to an alternative
      {"1.e2-e4 e7-e5 (c7-c5) (e7-e6) 2.Sg1-f3", 5},
      {"1.e2-e4\t e7-e5  ( c7-c5 ;e7-e6 )2.Sg1-f3", 5},
      {italienisch + "4.0-0", 7},  // castling with zeros, numbered
      {italienisch + "O-O", 7},
      {"1.e2-e4 d7-d5 2.e4-e5 f7-f5 3.e5xf6", 5},  // en passant
      {"", 0},
  };
  for (const Fall& f : faelle) {
    ASSERT_EQ(PartieUebersetzen(f.zugtext), KompilierungFertig) << f.zugtext;
    EXPECT_EQ(bericht_.warnungen + bericht_.fehler, 0) << f.zugtext << "\n" << Log();
    EXPECT_EQ(bericht_.saetze, static_cast<int32_t>(f.saetze)) << f.zugtext;
  }
  // Windows line ends read as plain ones.
  const fs::path crlf = ordner_ / "crlf.bk1";
  DateiSchreiben(crlf, "T\r\n-\r\n1\r\nG\r\n1\r\nP\r\n1.e2-e4 e7-e5 (c7-c5; e7-e6) 2.Sg1-f3\r\n");
  ASSERT_EQ(Uebersetzen(crlf.string()), KompilierungFertig);
  EXPECT_EQ(bericht_.saetze, 5);
  EXPECT_EQ(DateiInhalt(Ziel()).substr(0, 2), "T\n");
}

TEST_F(Kompilieren, FormatfehlerLassenDasZielUnberuehrt) {
  const std::string name999(999, 'N'), name1000(1000, 'N');
  std::string umlaute;
  for (int i = 0; i < 99; ++i) umlaute += "ä";  // 99 characters, 198 bytes
  struct Fall {
    std::string quelle;  // a fixture name, or the text itself after "="
    int32_t ergebnis;
    const char* logZeile;
  } faelle[] = {
      {"zu-viele-gruppen.bk1", 2, "Fehler: Gruppenzahl nicht zwischen 0 und 32\n"},
      {"zu-viele-partien.bk1", 2, "Fehler: Partiezahl nicht zwischen 0 und 16\n"},
      {"titel-zu-lang.bk1", 2, "Fehler: Titel zu lang\n"},
      {"vorzeitig-zu-ende.bk1", 2, "Fehler: Buchquelle endet vorzeitig\n"},
      {"titel-99-zeichen.bk1", 0, "Total 0 gespeicherte Positionen\n"},
      {"=" + umlaute + "\n-\n0\n", 0, "Total 0 gespeicherte Positionen\n"},
      {"=T\n-\nzwei\n", 2, "Fehler: Gruppenzahl nicht zwischen 0 und 32\n"},
      {"=T\n-\n-1\n", 2, "Fehler: Gruppenzahl nicht zwischen 0 und 32\n"},
      {"=T\n-\n1\n" + name999 + "\n0\n", 0, "Total 0 gespeicherte Positionen\n"},
      {"=T\n-\n1\n" + name1000 + "\n0\n", 2, "Fehler: Gruppenname zu lang\n"},
      {"=T\n-\n1\nG\n1\n" + name1000 + "\ne2-e4\n", 2, "Fehler: Partietitel zu lang\n"},
  };
  for (const Fall& f : faelle) {
    std::string quelle = f.quelle;
    if (quelle[0] == '=') {
      DateiSchreiben(ordner_ / "quelle.bk1", quelle.substr(1));
      quelle = (ordner_ / "quelle.bk1").string();
    } else {
      quelle = BuchFixture(quelle);
    }
    DateiSchreiben(Ziel(), "altes Buch");
    EXPECT_EQ(Uebersetzen(quelle), f.ergebnis) << f.quelle.substr(0, 40);
    const std::string log = Log();
    EXPECT_TRUE(log.ends_with(f.logZeile)) << f.quelle.substr(0, 40) << "\n" << log;
    if (f.ergebnis != 0) {
      EXPECT_EQ(DateiInhalt(Ziel()), "altes Buch");
    }
    EXPECT_FALSE(fs::exists(Ziel() + ".tmp"));
  }
}

// The target not opening used to count as success: it is reported now.
TEST_F(Kompilieren, ZielNichtSchreibbarIstEinFehler) {
  const std::string quelle = BuchFixture("beispiel.bk1");
  const std::string fehlenderOrdner = (ordner_ / "fehlt" / "buch.bk2").string();
  const std::string ordnerAlsZiel = (ordner_ / "ein-ordner").string();
  fs::create_directory(ordnerAlsZiel);
  for (const std::string& ziel : {fehlenderOrdner, ordnerAlsZiel}) {
    BuchEinlesen(GALDRIK_DATA_DIR "/Standard.bk2");
    EXPECT_EQ(BuchKompilieren(quelle, ziel, pfade_), KompilierungZielNichtGeschrieben) << ziel;
    EXPECT_TRUE(Log().ends_with("\n\nFehler: Buchdatei nicht geschrieben [" + ziel + "]\n"))
        << Log();
    EXPECT_FALSE(fs::exists(ziel + ".tmp"));
    EXPECT_TRUE(Buch().saetze.empty()) << "compiling discards the engine's book";
  }
  EXPECT_TRUE(fs::is_directory(ordnerAlsZiel));

  EXPECT_EQ(BuchKompilieren((ordner_ / "fehlt.bk1").string(), Ziel(), pfade_),
            KompilierungQuelleNichtOffen);
  EXPECT_EQ(Log(), "Protokolldatei der Buchkompilierung\n\n");
  const BuchKompilierPfade ohneLog{(ordner_ / "fehlt" / "BookLog.txt").string(), ""};
  EXPECT_EQ(BuchKompilieren(quelle, Ziel(), ohneLog), KompilierungLogNichtOffen);
  EXPECT_FALSE(fs::exists(Ziel()));
}

TEST_F(Kompilieren, MaximalePositionszahl) {
  // 512 games of 100 knight moves: the 501st game finds the book full.
  std::string pendel;
  for (int i = 0; i < 25; ++i) pendel += "Sg1-f3 Sg8-f6 Sf3-g1 Sf6-g8 ";
  std::string quelle = "Voll\n-\n32\n";
  for (int g = 0; g < 32; ++g) {
    quelle += "Gruppe " + std::to_string(g) + "\n16\n";
    for (int p = 0; p < 16; ++p) quelle += "Partie\n" + pendel + "\n";
  }
  DateiSchreiben(ordner_ / "voll.bk1", quelle);
  ASSERT_EQ(Uebersetzen((ordner_ / "voll.bk1").string()), KompilierungFertig);
  const std::string log = Log();
  const std::string meldung =
      "\t\tFehler:  Maximale Positionszahl: 1 ply, 1. Verschachtelung \t[Sg1-f3]\n";
  size_t anzahl = 0;
  for (size_t pos = log.find(meldung); pos != std::string::npos; pos = log.find(meldung, pos + 1))
    ++anzahl;
  EXPECT_EQ(anzahl, 12u);
  EXPECT_EQ(bericht_.saetze, 4);
}

TEST_F(Kompilieren, TiefeVerschachtelungWirdAbgewiesen) {
  // Each level an alternative to the last move: Sg1-f3 (Sb1-c3 (Sg1-f3 (...
  for (const int tiefe : {BuchMaxVerschachtelung - 1, BuchMaxVerschachtelung, 5000}) {
    std::string zugtext;
    for (int i = 0; i < tiefe; ++i) zugtext += i % 2 ? "Sb1-c3 (" : "Sg1-f3 (";
    zugtext += "e2-e4" + std::string(static_cast<size_t>(tiefe), ')');
    ASSERT_EQ(PartieUebersetzen(zugtext), KompilierungFertig);
    const bool zuTief = tiefe >= BuchMaxVerschachtelung;
    EXPECT_EQ(bericht_.fehler, zuTief ? 1 : 0) << tiefe;
    EXPECT_EQ(Log().find("Fehler:  Varianten zu tief verschachtelt: 1 ply, " +
                         std::to_string(BuchMaxVerschachtelung + 1) + ". Verschachtelung") !=
                  std::string::npos,
              zuTief)
        << tiefe;
  }
}

TEST_F(Kompilieren, FigurenstatistikDerPartien) {
  ASSERT_EQ(Uebersetzen(BuchFixture("beispiel.bk1")), KompilierungFertig);
  std::vector<std::string> zeilen;
  std::istringstream text(DateiInhalt(pfade_.statistik));
  for (std::string zeile; std::getline(text, zeile);) zeilen.push_back(zeile);
  ASSERT_EQ(zeilen.size(), 4u + 2 * 12 * 40);
  EXPECT_EQ(zeilen[0], "Figurenaufenthaltsdauer");
  EXPECT_EQ(zeilen[1], "1");
  EXPECT_EQ(zeilen[2], "40");
  EXPECT_EQ(zeilen[3], "Offene Spiele");
  // White pawns, cumulative: the initial position before 1.e2-e4, then the
  // position after it three times (three Black replies), then once more.
  const std::string rang3 = "0,0,0,0,0,0,0,0,";
  EXPECT_EQ(zeilen[4], "0,0,0,0,0,0,0,0,1,1,1,1,1,1,1,1," + rang3 + rang3 + rang3 + rang3 + rang3 +
                           "0,0,0,0,0,0,0,0");
  EXPECT_EQ(zeilen[5], "0,0,0,0,0,0,0,0,4,4,4,4,1,4,4,4," + rang3 + "0,0,0,0,3,0,0,0," + rang3 +
                           rang3 + rang3 + "0,0,0,0,0,0,0,0");
  EXPECT_TRUE(zeilen[6].starts_with("0,0,0,0,0,0,0,0,5,5,5,5,1,5,5,5,")) << zeilen[6];
  EXPECT_EQ(zeilen[4 + 12 * 40], zeilen[4]) << "the totals repeat the only set";
}

TEST_F(Kompilieren, ExportPrueftPfadeUndSchreibtLogInDenDatenordner) {
  EXPECT_EQ(DLL_BuchGen(nullptr, Ziel().c_str()), -9);
  EXPECT_EQ(DLL_BuchGen(BuchFixture("beispiel.bk1").c_str(), nullptr), -9);
  EXPECT_EQ(DLL_BuchGen(BuchFixture("beispiel.bk1").c_str(), Ziel().c_str()), 0);
  EXPECT_TRUE(
      DateiInhalt(DatenordnerDatei("BookLog.txt")).ends_with("Total 5 gespeicherte Positionen\n"));
  EXPECT_TRUE(fs::exists(DatenordnerDatei("lern1.dat")));
  EXPECT_EQ(DLL_BuchGen(BuchFixture("beispiel.bk1").c_str(), (ordner_ / "x" / "y.bk2").c_str()),
            KompilierungZielNichtGeschrieben);
}

}  // namespace
}  // namespace galdrik
