// Opening book: refusing truncated and foreign files, the shipped book, the
// choice of a book move by weight and variety, and the copy into the
// transposition table.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "book_testutil.h"
#include "core/book.h"
#include "core/bookcompiler.h"
#include "core/log.h"
#include "core/tt.h"
#include "core/zobrist.h"

namespace galdrik {
namespace {

using test::DateiInhalt;
using test::DateiSchreiben;
using test::NachZuegen;
using test::ZugIndex;

namespace fs = std::filesystem;

const std::string StandardBuch = GALDRIK_DATA_DIR "/Standard.bk2";

class Buecher : public ::testing::Test {
 protected:
  void SetUp() override { ordner_ = test::FrischerOrdner(); }
  void TearDown() override {
    BuchFrei();
    HashFrei();
  }

  // Compiles a source text (one group, one game per movetext) and reads it.
  void BuchAus(std::initializer_list<const char*> partien) {
    std::string quelle = "Test\n-\n1\nGruppe\n" + std::to_string(partien.size()) + "\n";
    for (const char* zugtext : partien) quelle += std::string("Partie\n") + zugtext + "\n";
    DateiSchreiben(ordner_ / "test.bk1", quelle);
    const BuchKompilierPfade pfade{(ordner_ / "BookLog.txt").string(), ""};
    ASSERT_EQ(BuchKompilieren((ordner_ / "test.bk1").string(), Pfad("test.bk2"), pfade), 0);
    ASSERT_EQ(BuchEinlesen(Pfad("test.bk2")), BuchGelesen);
  }
  std::string Pfad(const char* name) const { return (ordner_ / name).string(); }

  // The moves drawn from the position over many draws with a fixed seed.
  static std::set<std::string> Gezogen(const Stellung& st, int32_t varianz, int ziehungen = 2000) {
    const Zugliste liste = ZugGenerator(st, GenAlleZuege);
    Zufall15 zufall(12345);
    std::set<std::string> zuege;
    for (int i = 0; i < ziehungen; ++i) {
      const int32_t index = BuchZugSuchen(st, liste, varianz, zufall);
      zuege.insert(index < 0 ? "-" : ZugNotation(liste.zuege[index], FigurenDeutsch, 0));
    }
    return zuege;
  }

  fs::path ordner_;
};

TEST_F(Buecher, KaputteUndFremdeDateienWerdenAbgewiesen) {
  BuchAus({"1.e2-e4 e7-e5 (c7-c5; e7-e6) 2.Sg1-f3"});
  const std::string gut = DateiInhalt(Pfad("test.bk2"));
  const std::string kopf = gut.substr(0, gut.size() - 5 * BuchsatzBytes);
  const std::string saetze = gut.substr(kopf.size());
  std::string crlfKopf = kopf;
  for (size_t pos = 0; (pos = crlfKopf.find('\n', pos)) != std::string::npos; pos += 2)
    crlfKopf.insert(pos, "\r");

  struct Fall {
    const char* name;
    std::string inhalt;
    int32_t ergebnis;
  } faelle[] = {
      {"leer", "", BuchLeer},
      {"Anzahl 0", "T\nZ\n0\n" + saetze, BuchLeer},
      {"keine Zahl", "T\nZ\nfuenf\n" + saetze, BuchLeer},
      {"negativ", "T\nZ\n-5\n" + saetze, BuchLeer},
      {"ohne dritte Zeile", "T\nZ\n", BuchLeer},
      {"keine Zeilen", std::string(5000, 'x'), BuchLeer},
      {"Zeile zu lang", std::string(1000, 'x') + "\nZ\n5\n" + saetze, BuchLeer},
      {"ein Byte zu kurz", gut.substr(0, gut.size() - 1), BuchUnvollstaendig},
      {"ein Satz zu wenig", "T\nZ\n6\n" + saetze, BuchUnvollstaendig},
      {"riesige Anzahl", "T\nZ\n99999999999\n" + saetze, BuchUnvollstaendig},
      {"Windows-Zeilenenden", crlfKopf + saetze, BuchGelesen},
      {"vollstaendig", gut, BuchGelesen},
  };
  for (const Fall& f : faelle) {
    ASSERT_EQ(BuchEinlesen(Pfad("test.bk2")), BuchGelesen);
    DateiSchreiben(ordner_ / "fall.bk2", f.inhalt);
    EXPECT_EQ(BuchEinlesen(Pfad("fall.bk2")), f.ergebnis) << f.name;
    EXPECT_EQ(Buch().saetze.size(), f.ergebnis == BuchGelesen ? 5u : 0u) << f.name;
  }
  EXPECT_EQ(BuchEinlesen(Pfad("fehlt.bk2")), BuchNichtOffen);
  EXPECT_TRUE(Buch().saetze.empty());
}

// Every record of the shipped book is a legal move of a position that the
// book itself leads to from the initial position.
TEST_F(Buecher, StandardbuchIstVomAnfangAusErreichbarUndLegal) {
  ASSERT_EQ(BuchEinlesen(StandardBuch), BuchGelesen);
  EXPECT_TRUE(DateiInhalt(StandardBuch).starts_with("Galdrik Standardbuch\n"));
  const std::vector<Buchsatz>& saetze = Buch().saetze;
  ASSERT_GT(saetze.size(), 1000u);

  std::set<uint64_t> erreicht;
  std::vector<Stellung> offen{Grundstellung()};
  size_t gespielt = 0;
  while (!offen.empty()) {
    const Stellung st = offen.back();
    offen.pop_back();
    if (!erreicht.insert(HashCodeBerechnen(st)).second) continue;
    const Zugliste liste = ZugGenerator(st, GenAlleZuege);
    for (const Buchsatz& s : saetze) {
      if (s.key() != HashCodeBerechnen(st)) continue;
      int index = -1;
      for (int i = 0; i < liste.anzahl; ++i) {
        const Zug& z = liste.zuege[i];
        if (z.von == s.zug.von && z.nach == s.zug.nach && z.zugart == s.zug.zugart &&
            z.figur == s.zug.figur && z.geschlagen == s.zug.geschlagen &&
            z.schach == s.zug.schach && z.enPassant == s.zug.enPassant)
          index = i;
      }
      ASSERT_GE(index, 0) << ZugNotation(s.zug, FigurenDeutsch, 0);
      ++gespielt;
      offen.push_back(ZugAusfuehren(st, liste.zuege[index], 1));
    }
  }
  EXPECT_EQ(gespielt, saetze.size());
  std::set<int> gewichte;
  for (const Buchsatz& s : saetze) {
    EXPECT_TRUE(erreicht.count(s.key())) << ZugNotation(s.zug, FigurenDeutsch, 0);
    gewichte.insert(s.zug.wert);
  }
  EXPECT_EQ(gewichte, (std::set<int>{0, 1, 2, 3}));
}

TEST_F(Buecher, StandardbuchAntwortetInDerGrundstellung) {
  ASSERT_EQ(BuchEinlesen(StandardBuch), BuchGelesen);
  const std::set<std::string> eroeffnungszuege{"e2-e4", "d2-d4", "c2-c4", "Sg1-f3"};
  for (int32_t varianz = 0; varianz <= 3; ++varianz)
    for (const std::string& zug : Gezogen(Grundstellung(), varianz, 200))
      EXPECT_TRUE(eroeffnungszuege.count(zug)) << zug << " variety " << varianz;

  // The engine's form draws from its own generator, seeded from the clock.
  const Stellung st = NachZuegen({"e2-e4", "c7-c5"});
  const Zugliste liste = ZugGenerator(st, GenAlleZuege);
  const int32_t index = BuchZugSuchen(st, liste, 1);
  ASSERT_GE(index, 0);
  ASSERT_LT(index, liste.anzahl);
  EXPECT_TRUE((std::set<std::string>{"Sg1-f3", "Sb1-c3", "c2-c3"})
                  .count(ZugNotation(liste.zuege[index], FigurenDeutsch, 0)));
}

TEST_F(Buecher, VarietaetEntscheidetUeberGewichte) {
  // e2-e4 marked good (3), d2-d4 beside it (1), c2-c4 doubtful (0).
  BuchAus({"1.e2-e4! e7-e5 (c7-c5; e7-e6)", "1.d2-d4", "1.c2-c4?"});
  struct Fall {
    int32_t varianz;
    std::set<std::string> grundstellung;
    std::set<std::string> nachE4;  // three normal moves
  } faelle[] = {
      {-1, {"e2-e4"}, {"e7-e5"}},
      {0, {"e2-e4"}, {"e7-e5"}},
      {1, {"e2-e4"}, {"e7-e5", "c7-c5", "e7-e6"}},
      {2, {"e2-e4", "d2-d4"}, {"e7-e5", "c7-c5", "e7-e6"}},
      {3, {"e2-e4", "d2-d4", "c2-c4"}, {"e7-e5", "c7-c5", "e7-e6"}},
      {100, {"e2-e4", "d2-d4", "c2-c4"}, {"e7-e5", "c7-c5", "e7-e6"}},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(Gezogen(Grundstellung(), f.varianz), f.grundstellung) << f.varianz;
    EXPECT_EQ(Gezogen(NachZuegen({"e2-e4"}), f.varianz), f.nachE4) << f.varianz;
  }
  EXPECT_EQ(Gezogen(NachZuegen({"d2-d4"}), 3), std::set<std::string>{"-"});
}

TEST_F(Buecher, FalscheEmpfehlungWirdProtokolliert) {
  BuchAus({"1.e2-e4 e7-e5 (c7-c5; e7-e6)"});
  const std::string log = Pfad("Log.txt");
  LogPfadSetzen(log);
  // A list that lacks e7-e5 and e7-e6: only the first, met before any
  // candidate, is reported.
  const Stellung st = NachZuegen({"e2-e4"});
  const Zugliste alle = ZugGenerator(st, GenAlleZuege);
  Zugliste nurC5{};
  nurC5.zuege[0] = alle.zuege[ZugIndex(alle, "c7-c5")];
  nurC5.anzahl = 1;
  Zufall15 zufall(1);
  EXPECT_EQ(BuchZugSuchen(st, nurC5, 1, zufall), 0);
  nurC5.anzahl = 0;
  EXPECT_EQ(BuchZugSuchen(st, nurC5, 1, zufall), -1);
  LogPfadSetzen("");
  EXPECT_EQ(DateiInhalt(log),
            "falsche Buch-Zugempfehlung\n"
            "falsche Buch-Zugempfehlung\nfalsche Buch-Zugempfehlung\n"
            "falsche Buch-Zugempfehlung\n");
  BuchFrei();
  EXPECT_EQ(BuchZugSuchen(st, alle, 1, zufall), -1);
}

TEST_F(Buecher, HashenSpeichertGuteUndNormaleZuege) {
  BuchAus({"1.e2-e4 e7-e5 (c7-c5; e7-e6)", "1.d2-d4 d7-d5?", "1.c2-c4 e7-e5 (c7-c5!)"});
  ASSERT_EQ(HashAllok(12, 4), 0);
  BuchHashen();
  struct Fall {
    std::initializer_list<const char*> vorher;
    const char* zug;  // nullptr: no entry
  } faelle[] = {
      {{}, "e2-e4"},  // first of three normal moves
      {{"e2-e4"}, "e7-e5"},
      {{"d2-d4"}, nullptr},  // only a doubtful move
      {{"c2-c4"}, "c7-c5"},  // e7-e5 beside it has weight 1
  };
  for (const Fall& f : faelle) {
    const Stellung st = NachZuegen(f.vorher);
    const HashEintrag* e = HashSuchen(HashCodeBerechnen(st), st.amZug);
    if (!f.zug) {
      EXPECT_EQ(e, nullptr);
      continue;
    }
    ASSERT_NE(e, nullptr) << f.zug;
    const Zugliste liste = ZugGenerator(st, GenAlleZuege);
    const Zug& erwartet = liste.zuege[ZugIndex(liste, f.zug)];
    EXPECT_EQ(e->von, erwartet.von) << f.zug;
    EXPECT_EQ(e->nach, erwartet.nach) << f.zug;
    EXPECT_EQ(e->tiefe, 1);
    EXPECT_EQ(e->wert, 0);
    EXPECT_EQ(HashSuchen(HashCodeBerechnen(st), st.amZug == Weiss ? Schwarz : Weiss), nullptr);
  }
}

}  // namespace
}  // namespace galdrik
