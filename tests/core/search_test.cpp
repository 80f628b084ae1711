// The search: mate scores against an independent mate finder, draws by rule,
// single replies, determinism, the dead-draw mark in quiescence, and the
// principal variation.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>

#include "core/eval.h"
#include "core/fen.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/search.h"
#include "core/tt.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

Stellung Fen(const char* text) {
  Stellung st;
  uint16_t n = 1;
  EXPECT_EQ(FENEingabe(text, st, n), FENGueltig) << text;
  return st;
}

using test::ImSchach;
using test::MattInHoechstens;

class Suchen : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SuchVariablenInit(), 0);
    ASSERT_EQ(HashAllok(16, 4), 0);
    Suche().abbruch = 0;
    // Tree searches called directly need a deadline, as the root sets one.
    Suche().suchtermin = std::chrono::steady_clock::now() + std::chrono::hours(1);
    PartiepfadQuelleSetzen(nullptr);
  }
  void TearDown() override {
    HashFrei();
    SuchVariablenFreigeben();
    PartiepfadQuelleSetzen(nullptr);
  }
};

TEST_F(Suchen, MattwerteStimmenMitDemMattfinder) {
  struct Fall {
    const char* fen;
    int matt;  // mate in this many moves for the side to move
  };
  const Fall faelle[] = {
      {"6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1", 1}, {"k7/8/2K5/8/8/8/8/7R w - - 0 1", 2},
      {"k7/8/8/3K4/8/8/8/7R w - - 0 1", 3},        {"r5k1/8/8/8/8/8/5PPP/7K b - - 0 1", 1},
      {"7r/8/8/8/8/2k5/8/K7 b - - 0 1", 2},
  };
  for (const auto& f : faelle) {
    const Stellung st = Fen(f.fen);
    ASSERT_TRUE(MattInHoechstens(st, f.matt)) << f.fen;
    ASSERT_FALSE(MattInHoechstens(st, f.matt - 1)) << f.fen;
    HashTabLeeren();
    const int16_t wert = SucheWurzel(st, 2 * f.matt + 1, 60, 60, 0, 0);
    const int16_t erwartet = static_cast<int16_t>(Matt - 2 * f.matt);
    EXPECT_EQ(wert, st.amZug == Weiss ? erwartet : -erwartet) << f.fen;
    // The info line of the last depth shows the mate distance.
    const std::string info = Suche().ausgabe[Suche().statistik.iterationsTiefe - 1].info;
    const std::string marke = (st.amZug == Weiss ? " +#" : " -#") + std::string(4 - 1, ' ') +
                              std::to_string(f.matt) + " ";
    EXPECT_NE(info.find(marke), std::string::npos) << info;
  }
}

TEST_F(Suchen, InfoZeileHatIhreForm) {
  const Stellung st = Fen("6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1");
  SucheWurzel(st, 2, 60, 60, 0, 0);
  const std::string info = Suche().ausgabe[0].info;
  // depth, seconds, score, two node counts, then the principal variation.
  EXPECT_EQ(info.substr(0, 14), "   1       0s ") << info;
  EXPECT_NE(info.find(" +#   1 "), std::string::npos) << info;
  EXPECT_NE(info.find("    Ta1-a8+ "), std::string::npos) << info;
  EXPECT_STREQ(Suche().ausgabe[0].zweiter, "");
  EXPECT_EQ(Suche().ergebnis.zug.von, 0);
  EXPECT_EQ(Suche().ergebnis.zug.nach, 56);
}

TEST_F(Suchen, EinzigerZugSofortOhneAusgabe) {
  // Black in check with one way out.
  const Stellung st = Fen("k7/1R6/8/1K6/8/8/8/8 b - - 0 1");
  ASSERT_EQ(ZugGenerator(st, GenAlleZuege).anzahl, 1);
  std::strcpy(Suche().ausgabe[0].info, "old");
  Stellung bewertet = st;
  const int16_t statisch = StellungBewerten(bewertet, 0);
  EXPECT_EQ(SucheWurzel(st, 10, 60, 60, 0, 0), statisch);
  EXPECT_EQ(Suche().statistik.knoten, 0u);
  EXPECT_STREQ(Suche().ausgabe[0].info, "old");
  EXPECT_STREQ(Suche().ergebnis.text, "Ka8xb7");
}

TEST_F(Suchen, TiefeNullOhneIteration) {
  const Stellung st = Fen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  Stellung bewertet = st;
  const int16_t statisch = StellungBewerten(bewertet, 0);
  EXPECT_EQ(SucheWurzel(st, 0, 60, 60, 0, 0), statisch);
  EXPECT_EQ(Suche().statistik.iterationsTiefe, 0u);
  EXPECT_FALSE(IstKeinZug(Suche().ergebnis.zug));
}

TEST_F(Suchen, GleicheTiefeGleicheKnoten) {
  const Stellung st = Fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  uint64_t knoten[2];
  Zug zug[2];
  for (int lauf = 0; lauf < 2; ++lauf) {
    ASSERT_EQ(SuchVariablenInit(), 0);
    HashTabLeeren();
    SucheWurzel(st, 5, 60, 60, 0, 0);
    knoten[lauf] = Suche().statistik.knoten + Suche().statistik.ruheKnoten;
    zug[lauf] = Suche().ergebnis.zug;
  }
  EXPECT_EQ(knoten[0], knoten[1]);
  EXPECT_EQ(std::memcmp(&zug[0], &zug[1], sizeof(Zug)), 0);
}

TEST_F(Suchen, RemisNachRegel) {
  SuchZustand& s = Suche();
  uint8_t treffer = 0;
  // Fifty moves: 0 at once, stored exact with the draw-by-rule flag.
  Stellung st = Fen("4k3/8/8/8/8/8/Q7/4K3 w - - 100 80");
  s.pfad[0] = Fen("4k3/8/8/8/8/8/8/4K2Q w - - 0 1");
  EXPECT_EQ(AlphaBeta(st, -Unendlich, Unendlich, 1, 3, 0, 0, 0, &treffer), 0);
  const HashEintrag* e = HashSuchen(st.schluessel, st.amZug);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->typ & 3, HashExakt);
  EXPECT_NE(e->typ & HashRemisRegel, 0);
  EXPECT_EQ(s.remisregelFlag, 1);

  // A position already on the path is a draw; one seen once in the game is not.
  st = Fen("4k3/8/8/8/8/8/Q7/4K3 w - - 0 1");
  s.pfad[0] = st;
  s.wiederholungAnzahl = 0;
  EXPECT_EQ(AlphaBeta(st, -Unendlich, Unendlich, 2, 1, 0, 0, 0, &treffer), 0);
  HashTabLeeren();
  s.pfad[0] = Fen("4k3/8/8/8/8/8/8/4K2Q w - - 0 1");
  EXPECT_GT(AlphaBeta(st, -Unendlich, Unendlich, 1, 1, 0, 0, 0, &treffer), 500);
  HashTabLeeren();
  s.wiederholungen[0] = st.schluessel;
  s.wiederholungAnzahl = 1;
  EXPECT_EQ(AlphaBeta(st, -Unendlich, Unendlich, 1, 1, 0, 0, 0, &treffer), 0);
  s.wiederholungAnzahl = 0;
}

TEST_F(Suchen, WiederholungAusDerPartie) {
  // The game went back and forth: the start position stands twice.
  static std::vector<Stellung> pfad;
  const Stellung a = Fen("4k3/8/8/8/8/8/Q7/4K3 w - - 0 1");
  const Stellung b = Fen("4k3/8/8/8/8/8/Q7/3K4 b - - 1 1");
  pfad = {a, b, a};
  PartiepfadQuelleSetzen([](std::vector<Stellung>& aus) { aus = pfad; });
  SucheWurzel(a, 1, 60, 60, 0, 0);
  ASSERT_EQ(Suche().wiederholungAnzahl, 1);
  EXPECT_EQ(Suche().wiederholungen[0], a.schluessel);
}

// Every bishop on light squares: a bishop capture that gives check must not
// leave a child that inherits the parent's dead-draw mark and looks mated.
TEST_F(Suchen, RuhesucheErbtKeinTotesRemis) {
  // Reached by a move, the node is not yet evaluated: no dead-draw mark yet.
  Stellung st = Fen("8/8/2k5/8/4b3/8/8/KB6 w - - 0 1");
  st.remisMaterial = 0;
  ASSERT_GT(ZugGenerator(st, GenRuhesuche).anzahl, 0);
  const int16_t wert = Ruhesuche(st, -Unendlich, Unendlich, 1);
  EXPECT_LT(wert, MattSchwelle);
  EXPECT_GT(wert, -MattSchwelle);
}

TEST_F(Suchen, KoenigeAlleinSindRemis) {
  const Stellung st = Fen("8/8/8/3k4/8/8/3K4/8 w - - 0 1");
  uint8_t treffer = 0;
  EXPECT_EQ(AlphaBeta(st, -Unendlich, Unendlich, 1, 4, 0, 0, 0, &treffer), 0);
  EXPECT_EQ(Suche().abbruch, 0);
  EXPECT_EQ(SucheWurzel(st, 5, 60, 60, 0, 0), 0);
  EXPECT_TRUE(IstKeinZug(Suche().ergebnis.zug));
}

TEST_F(Suchen, AbbruchVorDemStartGehtNichtVerloren) {
  const Stellung st = Fen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  Suche().abbruch = 1;
  EXPECT_EQ(SucheWurzel(st, 30, 3600, 3600, 0, 0), 0);
  EXPECT_EQ(Suche().statistik.iterationsTiefe, 0u);
  // The first root move is still a move to play.
  EXPECT_FALSE(IstKeinZug(Suche().ergebnis.zug));
  Suche().abbruch = 0;
}

// The limits count from the start of the search, not from the last change of
// the wall clock's second: a 1 s limit lasts at least a second, and not much
// more. Each row: soft and hard seconds, the least and most time the search
// may take.
TEST_F(Suchen, ZeitgrenzenGeltenAbDemStart) {
  const Stellung st = Fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  struct Fall {
    int32_t weich, hart;
    double mindestens, hoechstens;
  };
  for (const Fall f : {Fall{3600, 1, 1.0, 2.5}, Fall{1, 3600, 1.0, 60.0}}) {
    HashTabLeeren();
    Suche().abbruch = 0;  // the deadline of the first row sets it
    const auto start = std::chrono::steady_clock::now();
    SucheWurzel(st, 64, f.weich, f.hart, 0, 0);
    const double dauer =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(dauer, f.mindestens) << f.weich << " " << f.hart;
    EXPECT_LT(dauer, f.hoechstens) << f.weich << " " << f.hart;
    // The texts keep whole seconds, counted the same way.
    EXPECT_GE(Suche().statistik.sekunden, 1) << dauer;
    EXPECT_LE(Suche().statistik.sekunden, dauer);
  }
}

TEST(Tiefenlimit, UeberVierundsechzigIstVoll) {
  // The full value counts, not its low byte (300 would have been 44).
  for (auto [limit, tiefe] :
       {std::pair{300, 64}, {100000, 64}, {-1, 64}, {65, 64}, {64, 64}, {0, 0}, {7, 7}})
    EXPECT_EQ(TiefenLimit(limit), tiefe) << limit;
}

// A colliding table entry that names a pawn step to the last rank without a
// promotion is not played; every real move is still searched.
TEST_F(Suchen, TabellenzugNurAusDerZugliste) {
  const Stellung st = Fen("7k/4P3/8/8/8/8/8/K7 w - - 0 1");
  Zug falsch = KeinZug;
  falsch.von = 52;
  falsch.nach = 60;
  falsch.figur = Bauer;
  HashSpeichern(st.schluessel, 0, HashExakt, 0, st.amZug, falsch);
  Suche().pfad[0] = Fen("7k/8/8/8/8/8/8/KQ6 w - - 0 1");
  uint8_t treffer = 0;
  const int16_t wert = AlphaBeta(st, -Unendlich, Unendlich, 1, 1, 0, 0, 0, &treffer);
  EXPECT_GT(wert, 500);  // the promotion to a queen was found
  EXPECT_EQ(Suche().ergebnis.zug.zugart, ZugartUmwDame);
}

TEST(Ordnung, SchlagzuegeUndUmwandlungenZuerst) {
  const Stellung st = Fen("3r2k1/4P3/8/8/8/8/1q6/R3K3 w - - 0 1");
  Zugliste liste = ZugGenerator(st, GenAlleZuege);
  Suche().hashzug = KeinZug;
  Suche().suchPly = 0;
  ZuglisteOrdnen(st, liste);
  // e7xd8D: promotion + rook capture first.
  EXPECT_EQ(liste.zuege[0].von, 52);
  EXPECT_EQ(liste.zuege[0].nach, 59);
  EXPECT_EQ(liste.zuege[0].zugart, ZugartUmwDame);
  for (int i = 1; i < liste.anzahl; ++i)
    EXPECT_LE(ZugVergleich(liste.zuege[i - 1], liste.zuege[i]), 0);
}

// The ordering as the rules read: the ordering value from AbtauschHilfe on a
// copy with the moving piece lifted off the occupancies, and the order a sort
// with ZugVergleich makes, over the positions of a small tree with killers,
// history counters and a hash move in place.
TEST_F(Suchen, OrdnungWieDieRegeln) {
  SuchZustand& s = Suche();
  for (int p = 0; p < MaxSuchPly; ++p)
    for (int i = 0; i < 3; ++i) s.killer[p][i] = Killerslot{0, 0, 0, 0};
  for (int i = 0; i < 64 * 64; ++i) s.historie[i] = (i * 7919) % 5 == 0 ? (i * 31) % 97 : 0;
  int geprueft = 0;
  auto pruefen = [&](const Stellung& st, uint8_t modus) {
    Zugliste liste = ZugGenerator(st, modus);
    if (liste.anzahl < 2) return;
    for (int i = 0; i < liste.anzahl; ++i) {
      const Zug& z = liste.zuege[i];
      Stellung ohne = st;
      ohne.belegt &= ~Feldmaske[z.von];
      ohne.belegt90 &= ~Feldmaske90[z.von];
      ohne.belegtA1H8 &= ~FeldmaskeA1H8[z.von];
      ohne.belegtH1A8 &= ~FeldmaskeH1A8[z.von];
      uint8_t typ, wert;
      const int eigene = AbtauschHilfe(ohne, st.amZug, z.nach, typ, wert);
      const int fremde = AbtauschHilfe(ohne, st.amZug == Weiss ? 0 : 1, z.nach, typ, wert);
      static constexpr int umwandlung[] = {0, 0, 8, 8, 16, 32};  // by new piece
      static constexpr int schlag[] = {0, 5, 13, 13, 21, 37, 0};
      static constexpr int abzug[7] = {0, 4, 12, 12, 20, 36, 0};
      const int neu = z.zugart == ZugartUmwSpringer  ? 2
                      : z.zugart == ZugartUmwLaeufer ? 3
                      : z.zugart == ZugartUmwTurm    ? 4
                      : z.zugart == ZugartUmwDame    ? 5
                                                     : 0;
      const int basis = umwandlung[neu] + (z.enPassant ? 5 : schlag[std::abs(z.geschlagen)]);
      EXPECT_EQ(Ordnungswert(st, z), basis - (fremde > eigene ? abzug[std::abs(z.figur)] : 0))
          << FENAusgabe(st, 1) << " move " << i;
    }
    // A killer row and a hash move taken from the list itself.
    s.suchPly = static_cast<int8_t>(geprueft % 8);
    Killerslot* reihe = s.killer[s.suchPly];
    reihe[0] = {liste.zuege[liste.anzahl - 1].von, liste.zuege[liste.anzahl - 1].nach,
                liste.zuege[liste.anzahl - 1].zugart, 3};
    reihe[1] = {liste.zuege[liste.anzahl / 2].von, liste.zuege[liste.anzahl / 2].nach,
                liste.zuege[liste.anzahl / 2].zugart, 1};
    s.hashzug = geprueft % 3 == 0 ? liste.zuege[geprueft % liste.anzahl] : KeinZug;
    Zugliste erwartet = liste;
    for (int i = 0; i < erwartet.anzahl; ++i)
      erwartet.zuege[i].wert = Ordnungswert(st, erwartet.zuege[i]);
    std::sort(erwartet.zuege, erwartet.zuege + erwartet.anzahl,
              [](const Zug& a, const Zug& b) { return ZugVergleich(a, b) < 0; });
    ZuglisteOrdnen(st, liste);
    ASSERT_EQ(std::memcmp(liste.zuege, erwartet.zuege, sizeof(Zug) * liste.anzahl), 0)
        << FENAusgabe(st, 1);
    ++geprueft;
  };
  for (const char* fen : {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                          "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1"}) {
    const Stellung wurzel = Fen(fen);
    const Zugliste erste = ZugGenerator(wurzel, GenAlleZuege);
    for (int i = 0; i < erste.anzahl; ++i) {
      const Stellung kind = ZugAusfuehren(wurzel, erste.zuege[i], 1);
      pruefen(kind, GenAlleZuege);
      pruefen(kind, GenRuhesuche);
    }
  }
  EXPECT_GT(geprueft, 80);
}

}  // namespace
}  // namespace galdrik
