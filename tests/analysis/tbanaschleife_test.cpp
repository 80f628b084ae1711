// The analysis loop against a tablebase stand-in whose values are a fixed
// pseudo-random function of the engine position, compared with the plain
// analysis of the whole class; and the loop's edge cases: setup failures,
// registration, reversed classes, ordering, identical pieces, symmetry,
// conditions, en passant and the full result buffer.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "analysis/tbana_bruteforce.h"
#include "analysis/tbanajob.h"
#include "analysis/tbanaschleife.h"
#include "core/zobrist.h"

namespace galdrik::test {
namespace {

// A search mask: the codes in the given (setup) order, every square allowed,
// no offset condition.
struct Maske {
  std::vector<int32_t> w = std::vector<int32_t>(SuchmaskeLaenge, 0);
  explicit Maske(std::array<int, 6> codes, int32_t seite = 1) {
    for (int k = 0; k < 6; ++k) {
      w[MaskeFiguren + k] = codes[k];
      w[MaskeBezug + k] = -1;
      for (int s = 0; s < 64; ++s) w[MaskeFelder + 64 * k + s] = 1;
      for (int c = 0; c < GitterZellen; ++c) w[MaskeGitter + GitterZellen * k + c] = -1;
    }
    w[MaskeSeite] = seite;
    w[MaskeVon] = w[MaskeNach] = LoesungFeldBeliebig;
    w[MaskeGewaehlterSlot] = -1;
  }
  Maske& Felder(int slot, Bitboard b) {
    for (int s = 0; s < 64; ++s) w[MaskeFelder + 64 * slot + s] = (b >> s) & 1 ? 1 : -1;
    return *this;
  }
  // Slot k must stand at one of the offsets (rank, file) from slot r.
  Maske& Bezug(int k, int r, std::initializer_list<std::pair<int, int>> versaetze) {
    w[MaskeBezug + k] = r;
    for (auto [dr, df] : versaetze)
      w[MaskeGitter + GitterZellen * k + (dr + GitterMitte) * GitterSeite + df + GitterMitte] = 1;
    return *this;
  }
  Maske& Setzen(int index, int32_t wert) {
    w[index] = wert;
    return *this;
  }
  TBAnaParameterblock Block() const { return ParameterblockBauen(w.data()); }
};

// Drops an en-passant square that no pawn of the side to move attacks, as a
// table index does.
Stellung OhneLeeresEP(Stellung st) {
  if (st.epFeld < 64) {
    const bool weiss = st.amZug == Weiss;
    const Bitboard eigene = st.bauern & (weiss ? st.weiss : st.schwarz);
    const Bitboard angreifer =
        weiss ? BauerAngriffSchwarz[st.epFeld] : BauerAngriffWeiss[st.epFeld];
    if (!(angreifer & eigene)) st.epFeld = KeinEPFeld;
  }
  return st;
}

// The stand-in's values: about one position in eight has none, a quarter
// are draws, the rest wins and losses up to 60 moves.
int32_t Pseudowert(const Stellung& roh) {
  const Stellung st = OhneLeeresEP(roh);
  uint64_t h = HashCodeBerechnen(st) ^ (uint64_t{st.epFeld} * 0x9E3779B97F4A7C15ULL) ^
               (uint64_t{st.amZug} << 61);
  h ^= h >> 31;
  h *= 0xBF58476D1CE4E5B9ULL;
  h ^= h >> 29;
  const int tiefe = 1 + static_cast<int>((h >> 8) % 60);
  switch (h % 8) {
    case 0:
      return 32767;
    case 1:
    case 2:
      return 0;
    case 3:
    case 4:
    case 5:
      return 32767 - tiefe;
    default:
      return tiefe - 32766;
  }
}

// Answers every class with one id (negative: stored reversed) and probes by
// rebuilding the engine position, checking that the file asked for is the
// one of the side to move.
class RechenTB : public TBZugang {
 public:
  Bewerter f = Pseudowert;
  int32_t id = 7;
  std::set<int32_t> dateien = {0, 1};
  mutable std::vector<std::array<int32_t, 10>> klassen;
  mutable uint64_t aufrufe = 0;

  int32_t KlasseSuchen(const int32_t z[10]) const override {
    std::array<int32_t, 10> a;
    std::copy(z, z + 10, a.begin());
    klassen.push_back(a);
    return id;
  }
  int32_t Metrik() const override { return 0; }
  bool Registriert(int32_t, int32_t seite) const override { return dateien.count(seite) > 0; }
  int32_t Wert(int32_t index, int32_t seite, bool umgekehrt, const int8_t* codes,
               int32_t* const* felder, int32_t ep) const override {
    ++aufrufe;
    EXPECT_EQ(index, std::abs(id) % 441);
    EXPECT_EQ(umgekehrt, id < 0);
    if (!dateien.count(seite)) return 32767;
    Slots p;
    for (int k = 0; k < 6; ++k) p.fig[k] = codes[k], p.feld[k] = codes[k] ? *felder[k] : 0;
    p.amZug = (seite == 0) != umgekehrt ? 1 : 0;
    p.ep = ep;
    return f(p.AlsStellung());
  }
};

struct Lauf {
  std::unique_ptr<TBAnaZustand> z = std::make_unique<TBAnaZustand>();
  std::vector<TBAnaEintrag> puffer = std::vector<TBAnaEintrag>(ErgebnisPlaetze);
  Lauf() {
    z->ergebnisse = puffer.data();
    TBAnaZaehlerLoeschen(*z);
  }
  int32_t operator()(const Maske& m, int32_t kriterium, const TBZugang& tb) {
    z->diagonalSymmetrie = m.w[MaskeDiagonalSymmetrie];
    return TBAnaSchleife(m.Block(), kriterium, *z, tb);
  }
};

struct Fall {
  const char* name;
  std::array<int, 6> setup;      // codes in the mask's order
  std::array<int8_t, 6> klasse;  // the same in the loop's order
  Bitboard weissKoenig;
  int32_t amZug, kriterium, bedingung = BedingungKeine;
  bool symmetrie = false;
  int32_t distanzMin = 0, distanzMax = 0;
};

class SchleifeGegenPlain : public ::testing::TestWithParam<Fall> {};

TEST_P(SchleifeGegenPlain, GleicheZahlenWieDiePlainAnalyse) {
  const Fall& f = GetParam();
  Maske m(f.setup, f.amZug);
  for (int k = 0; k < 6; ++k)
    if (f.setup[k] == Koenig) m.Felder(k, f.weissKoenig);
  m.Setzen(MaskeBedingung, f.bedingung).Setzen(MaskeDiagonalSymmetrie, f.symmetrie ? 1 : 0);
  m.Setzen(MaskeDistanzMin, f.distanzMin).Setzen(MaskeDistanzMax, f.distanzMax);
  RechenTB tb;
  Lauf lauf;
  ASSERT_EQ(lauf(m, f.kriterium, tb), SchleifeFertig);
  Durchlauf d;
  d.klasse = f.klasse;
  d.weissKoenig = f.weissKoenig;
  d.amZug = f.amZug;
  d.kriterium = f.kriterium;
  d.bedingung = f.bedingung;
  // The switch works on pawnless classes only.
  d.symmetrie = f.symmetrie && std::none_of(f.klasse.begin(), f.klasse.end(),
                                            [](int8_t c) { return Betrag(c) == Bauer; });
  d.distanzMin = f.distanzMin;
  d.distanzMax = f.distanzMax;
  const Erwartet e = PlainAnalysis(d, tb.f);
  ASSERT_GT(e.treffer, 0u);
  Vergleichen(*lauf.z, e, d);
  EXPECT_EQ(lauf.z->gespeichert, std::min<uint64_t>(e.treffer, ErgebnisPlaetze));
  for (int k = 0; k < 6; ++k) EXPECT_EQ(lauf.z->slotCodes[k], f.klasse[k]);
}

constexpr int K = Koenig, Q = Dame, R = Turm, B = Laeufer, N = Springer, P = Bauer;

INSTANTIATE_TEST_SUITE_P(
    Klassen, SchleifeGegenPlain,
    ::testing::Values(
        Fall{"kqk_w_alle", {0, Q, -K, 0, K, 0}, {0, 0, 0, K, -K, Q}, AlleFelder, 1, 10},
        Fall{"kqk_b_weissgewinnt", {-K, 0, 0, K, Q, 0}, {0, 0, 0, K, -K, Q}, Dreieck, 0, 1},
        Fall{"krk_w_remis", {K, -K, R, 0, 0, 0}, {0, 0, 0, K, -K, R}, Dreieck, 1, 3},
        Fall{"kpk_b_alle", {P, K, -K, 0, 0, 0}, {0, 0, 0, K, -K, P}, LinienAD, 0, 10},
        Fall{"knkp_w_fenster",
             {-P, N, K, -K, 0, 0},
             {0, 0, K, -K, N, -P},
             LinienAD,
             1,
             4,
             BedingungKeine,
             false,
             5,
             20},
        Fall{"kqkr_w_alle_voller_puffer",
             {-R, Q, -K, K, 0, 0},
             {0, 0, K, -K, Q, -R},
             Dreieck,
             1,
             10},
        Fall{"kpkp_w_ep", {P, -P, K, -K, 0, 0}, {0, 0, K, -K, P, -P}, LinienAD, 1, 10},
        Fall{"kpkp_b_ep", {-K, P, K, -P, 0, 0}, {0, 0, K, -K, P, -P}, LinienAD, 0, 10},
        Fall{"krrk_gleiche", {R, K, R, -K, 0, 0}, {0, 0, K, -K, R, R}, Dreieck, 1, 10},
        Fall{"kbkn_w_ganzerpunkt", {N * -1, B, K, -K, 0, 0}, {0, 0, K, -K, B, -N}, Dreieck, 1, 7},
        Fall{"kqkr_w_zugzwang", {-R, Q, -K, K, 0, 0}, {0, 0, K, -K, Q, -R}, Dreieck, 1, 8},
        Fall{"kpkr_b_alleZugzwaenge", {-R, P, -K, K, 0, 0}, {0, 0, K, -K, -R, P}, LinienAD, 0, 11},
        Fall{"kqk_nicht_im_schach",
             {Q, K, -K, 0, 0, 0},
             {0, 0, 0, K, -K, Q},
             Dreieck,
             0,
             10,
             BedingungNichtImSchach},
        Fall{"kqk_nicht_patt",
             {Q, K, -K, 0, 0, 0},
             {0, 0, 0, K, -K, Q},
             Dreieck,
             0,
             10,
             BedingungNichtPatt},
        Fall{"krk_einziger_zug",
             {R, K, -K, 0, 0, 0},
             {0, 0, 0, K, -K, R},
             Dreieck,
             1,
             10,
             BedingungEinzigerLoesungszug},
        Fall{"kpk_einziger_zug",
             {P, K, -K, 0, 0, 0},
             {0, 0, 0, K, -K, P},
             LinienAD,
             1,
             10,
             BedingungEinzigerLoesungszug},
        Fall{"kqk_symmetrie",
             {Q, K, -K, 0, 0, 0},
             {0, 0, 0, K, -K, Q},
             Dreieck,
             1,
             10,
             BedingungKeine,
             true},
        Fall{"krrk_symmetrie",
             {R, K, R, -K, 0, 0},
             {0, 0, K, -K, R, R},
             Dreieck,
             0,
             10,
             BedingungKeine,
             true},
        Fall{"kpk_symmetrie_ohne_wirkung",
             {P, K, -K, 0, 0, 0},
             {0, 0, 0, K, -K, P},
             LinienAD,
             1,
             10,
             BedingungKeine,
             true},
        Fall{"kqkr_symmetrie",
             {-R, Q, -K, K, 0, 0},
             {0, 0, K, -K, Q, -R},
             Dreieck,
             1,
             10,
             BedingungKeine,
             true}),
    [](const auto& p) { return std::string(p.param.name); });

// A mask of one placement: each slot allowed on its one square.
Maske Einzeln(const char* fen, int32_t bedingung = BedingungKeine) {
  const Slots p = SlotsAus(fen);
  std::array<int, 6> codes{};
  for (int k = 0; k < 6; ++k) codes[k] = p.fig[k];
  Maske m(codes, p.amZug);
  for (int k = 0; k < 6; ++k)
    if (p.fig[k]) m.Felder(k, Bitboard{1} << p.feld[k]);
  m.Setzen(MaskeBedingung, bedingung);
  return m;
}

TEST(TBAnaSchleife, SetupFehlerKommenVorJederStellung) {
  struct Fehler {
    const char* name;
    Maske maske;
    int32_t kriterium;
    std::set<int32_t> dateien;
    int32_t id;
    int32_t erwartet;
  };
  const std::vector<Fehler> faelle = {
      {"nur Koenige", Maske({K, -K, 0, 0, 0, 0}), 10, {0, 1}, 7, SchleifeKeineTabelle},
      {"zwei weisse Koenige", Maske({K, K, -K, Q, 0, 0}), 10, {0, 1}, 7, SchleifeKeineKoenige},
      {"kein schwarzer Koenig", Maske({K, Q, 0, 0, 0, 0}), 10, {0, 1}, 7, SchleifeKeineKoenige},
      {"unbekannter Code", Maske({K, -K, 9, 0, 0, 0}), 10, {0, 1}, 7, SchleifeKeineKoenige},
      {"keine Tabelle", Maske({K, -K, Q, 0, 0, 0}), 10, {0, 1}, 0, SchleifeKeineTabelle},
      {"Weiss am Zug, Datei fehlt",
       Maske({K, -K, Q, 0, 0, 0}, 1),
       10,
       {1},
       7,
       SchleifeKeineTabelle},
      {"Schwarz am Zug, Datei fehlt",
       Maske({K, -K, Q, 0, 0, 0}, 0),
       10,
       {0},
       7,
       SchleifeKeineTabelle},
      {"umgekehrt, Weiss am Zug, nur Datei 0",
       Maske({K, -K, Q, 0, 0, 0}, 1),
       10,
       {0},
       -7,
       SchleifeKeineTabelle},
      {"beide Seiten, eine fehlt", Maske({K, -K, Q, 0, 0, 0}, 2), 10, {0}, 7, SchleifeSeiteFehlt},
      {"Kriterium 7, eine fehlt", Maske({K, -K, Q, 0, 0, 0}, 1), 7, {0}, 7, SchleifeSeiteFehlt},
  };
  for (const Fehler& f : faelle) {
    SCOPED_TRACE(f.name);
    RechenTB tb;
    tb.dateien = f.dateien;
    tb.id = f.id;
    Lauf lauf;
    EXPECT_EQ(lauf(f.maske, f.kriterium, tb), f.erwartet);
    EXPECT_EQ(tb.aufrufe, 0u);
    EXPECT_EQ(lauf.z->untersucht.load(), 0u);
    EXPECT_EQ(lauf.z->schleifenGrenze[0].load(), 64) << "the reset state stays";
  }
}

// A reversed class is probed in the other side's file; with only that file
// installed the pass runs and finds what the plain class finds.
TEST(TBAnaSchleife, UmgekehrteKlasseLiestDieAndereDatei) {
  const Maske m = Maske({K, -K, 0, R, 0, 0}, 1).Felder(0, Dreieck);
  RechenTB gerade, umgekehrt;
  umgekehrt.id = -7;
  umgekehrt.dateien = {1};
  Lauf a, b;
  ASSERT_EQ(a(m, 10, gerade), SchleifeFertig);
  ASSERT_EQ(b(m, 10, umgekehrt), SchleifeFertig);
  EXPECT_GT(b.z->treffer.load(), 0u);
  EXPECT_EQ(a.z->treffer.load(), b.z->treffer.load());
  EXPECT_EQ(0, std::memcmp(&a.z->statistik, &b.z->statistik, sizeof(TBAnaStatistik)));
}

TEST(TBAnaSchleife, BauerAufGrundreihenIstLeererSlot) {
  RechenTB tb;
  Lauf lauf;
  const Maske m = Maske({K, -K, P, Q, 0, 0}).Felder(2, 0xFF000000000000FFULL).Felder(0, Dreieck);
  ASSERT_EQ(lauf(m, 10, tb), SchleifeFertig);
  ASSERT_FALSE(tb.klassen.empty());
  EXPECT_EQ(tb.klassen.front(), (std::array<int32_t, 10>{0, 0, 0, 0, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(lauf.z->slotCodes[0], 0);
  EXPECT_EQ(lauf.z->slotCodes[5], Q);
}

TEST(TBAnaSchleife, EinzelneStellungen) {
  struct Einzel {
    const char* fen;
    int32_t bedingung;
    uint64_t untersucht, treffer;
  };
  const std::vector<Einzel> faelle = {
      // Stalemate: dropped under conditions 1 and 2 before any probe.
      {"k7/8/1Q6/8/8/8/8/7K b -", BedingungKeine, 1, 1},
      {"k7/8/1Q6/8/8/8/8/7K b -", BedingungNichtPatt, 0, 0},
      {"k7/8/1Q6/8/8/8/8/7K b -", BedingungNichtImSchach, 0, 0},
      // In check: only condition 1 drops it.
      {"k7/8/8/8/8/8/8/Q6K b -", BedingungNichtPatt, 1, 1},
      {"k7/8/8/8/8/8/8/Q6K b -", BedingungNichtImSchach, 0, 0},
      // The side not to move in check from afar: never a position.
      {"k7/8/8/8/8/8/8/Q6K w -", BedingungKeine, 0, 0},
      // Kings side by side.
      {"8/8/8/8/8/8/kK6/Q7 w -", BedingungKeine, 0, 0},
      // The Black pawn just able to be taken en passant: examined twice.
      {"8/8/8/3pP3/8/8/8/K6k w -", BedingungKeine, 2, 2},
      // The square behind is taken: no en-passant variant.
      {"8/3n4/8/3pP3/8/8/8/K6k w -", BedingungKeine, 1, 1},
  };
  for (const Einzel& f : faelle) {
    SCOPED_TRACE(std::string(f.fen) + " condition " + std::to_string(f.bedingung));
    RechenTB tb;
    tb.f = [](const Stellung&) { return 0; };
    Lauf lauf;
    ASSERT_EQ(lauf(Einzeln(f.fen, f.bedingung), 10, tb), SchleifeFertig);
    EXPECT_EQ(lauf.z->untersucht.load(), f.untersucht);
    EXPECT_EQ(lauf.z->treffer.load(), f.treffer);
  }
  RechenTB tb;
  tb.f = [](const Stellung&) { return 0; };
  Lauf lauf;
  ASSERT_EQ(lauf(Einzeln("8/8/8/3pP3/8/8/8/K6k w -"), 10, tb), SchleifeFertig);
  EXPECT_EQ(lauf.z->ergebnisse[0].epFeld, 127);
  EXPECT_EQ(lauf.z->ergebnisse[1].epFeld, Feld("d6"));
}

// Offset conditions, measured from the reference slot after ordering: the
// queen a knight's jump (two ranks up, one file right) from the Black king
// gives exactly the plain matches that have it there.
TEST(TBAnaSchleife, VersatzBedingung) {
  RechenTB tb;
  Lauf lauf;
  Maske m = Maske({Q, K, -K, 0, 0, 0}).Felder(1, Dreieck).Bezug(0, 2, {{2, 1}});
  ASSERT_EQ(lauf(m, 10, tb), SchleifeFertig);
  Durchlauf d;
  d.klasse = {0, 0, 0, K, -K, Q};
  d.weissKoenig = Dreieck;
  const Erwartet alle = PlainAnalysis(d, tb.f);
  std::vector<TBAnaEintrag> soll;
  for (const TBAnaEintrag& r : alle.eintraege)
    if (Reihe(r.feld[5]) == Reihe(r.feld[4]) + 2 && Linie(r.feld[5]) == Linie(r.feld[4]) + 1)
      soll.push_back(r);
  ASSERT_EQ(lauf.z->treffer.load(), soll.size());
  ASSERT_GT(soll.size(), 0u);
  EXPECT_EQ(0, std::memcmp(lauf.z->ergebnisse, soll.data(), soll.size() * sizeof(TBAnaEintrag)));
}

// Two rooks of which one carries a condition are told apart: every pair of
// squares with a rook beside the White king appears, whichever rook it is.
TEST(TBAnaSchleife, GleicheFigurenMitBedingungWerdenUnterschieden) {
  RechenTB tb;
  tb.f = [](const Stellung&) { return 0; };
  Lauf lauf;
  Maske m = Maske({R, R, K, -K, 0, 0}).Felder(2, Dreieck).Bezug(1, 2, {{0, 1}});
  ASSERT_EQ(lauf(m, 10, tb), SchleifeFertig);
  std::set<std::array<int, 4>> gefunden;
  for (uint64_t i = 0; i < lauf.z->gespeichert; ++i) {
    const TBAnaEintrag& r = lauf.z->ergebnisse[i];
    gefunden.insert(
        {r.feld[2], r.feld[3], std::min(r.feld[4], r.feld[5]), std::max(r.feld[4], r.feld[5])});
  }
  Durchlauf d;
  d.klasse = {0, 0, K, -K, R, R};
  d.weissKoenig = Dreieck;
  std::set<std::array<int, 4>> soll;
  for (const TBAnaEintrag& r : PlainAnalysis(d, tb.f).eintraege)
    if (r.feld[4] == r.feld[2] + 1 || r.feld[5] == r.feld[2] + 1)
      soll.insert({r.feld[2], r.feld[3], r.feld[4], r.feld[5]});
  EXPECT_EQ(gefunden, soll);
}

TEST(TBAnaSchleife, StoppBeiDerErstenAbfrage) {
  RechenTB tb;
  Lauf lauf;
  lauf.z->stopp = true;
  ASSERT_EQ(lauf(Maske({-R, Q, -K, K, 0, 0}).Felder(3, Dreieck), 10, tb), SchleifeGestoppt);
  // Slots 0 and 1 are empty, so the first poll comes after the White king's
  // first square.
  EXPECT_GT(lauf.z->untersucht.load(), 0u);
  EXPECT_LT(lauf.z->untersucht.load(), 300000u);
  EXPECT_EQ(lauf.z->schleifenZaehler[2].load(), 1);
  EXPECT_EQ(lauf.z->schleifenGrenze[2].load(), 10);
}

// Criteria that hand their matches on count them, store nothing and go on
// when the receiver is full.
TEST(TBAnaSchleife, SpezDBKriterienZaehlenOhneAufzeichnung) {
  struct Voll : TBAnaKriterien {
    int aufrufe = 0;
    int32_t SpezDBElementHinzu(const TBAnaPosition& p) override {
      ++aufrufe;
      EXPECT_EQ(p.ep, 127);
      return -2;
    }
  };
  for (int32_t kriterium : {90, 91, 92, 97}) {
    SCOPED_TRACE(kriterium);
    RechenTB tb;
    Lauf lauf;
    Voll voll;
    const Maske m = Maske({K, -K, R, 0, 0, 0}).Felder(0, Dreieck);
    lauf.z->diagonalSymmetrie = 0;
    ASSERT_EQ(TBAnaSchleife(m.Block(), kriterium, *lauf.z, tb, &voll), SchleifeFertig);
    EXPECT_GT(lauf.z->treffer.load(), 0u);
    EXPECT_EQ(lauf.z->gespeichert, 0u);
    EXPECT_EQ(lauf.z->ergebnisse[0].wert, 32767);
    EXPECT_EQ(static_cast<uint64_t>(voll.aufrufe), kriterium == 97 ? 0 : lauf.z->treffer.load());
  }
}

TEST(TBAnaSchleife, ZuggeneratorTestFindetKeineAbweichung) {
  RechenTB tb;
  Lauf lauf;
  ASSERT_EQ(lauf(Maske({K, -K, P, -P, 0, 0}).Felder(0, LinienAD), 98, tb), SchleifeFertig);
  EXPECT_GT(lauf.z->untersucht.load(), 100000u);
  EXPECT_EQ(lauf.z->treffer.load(), 0u);
}

TEST(TBAnaSchleife, LoesungsartEinsSchaltetSymmetrieAb) {
  RechenTB tb;
  Lauf lauf;
  Maske m = Maske({K, -K, Q, 0, 0, 0}).Felder(0, Dreieck);
  m.Setzen(MaskeDiagonalSymmetrie, 1).Setzen(MaskeBedingung, 4).Setzen(MaskeLoesungsart, 1);
  m.Setzen(MaskeFigurTyp, Dame);
  ASSERT_EQ(lauf(m, 10, tb), SchleifeFertig);
  EXPECT_EQ(lauf.z->diagonalSymmetrie, 0);
}

// Condition 4 with promotions: the positions whose single best move
// promotes to a queen, each counted by the queen counter.
TEST(TBAnaSchleife, UmwandlungAlsBestimmterLoesungszug) {
  RechenTB tb;
  Lauf lauf;
  Maske m = Maske({K, -K, P, 0, 0, 0}).Felder(0, LinienAD);
  m.Setzen(MaskeBedingung, BedingungBestimmterLoesungszug).Setzen(MaskeLoesungsart, 2);
  m.Setzen(MaskeUmwandlung, 128);
  ASSERT_EQ(lauf(m, 10, tb), SchleifeFertig);

  Durchlauf d;
  d.klasse = {0, 0, 0, K, -K, P};
  d.weissKoenig = LinienAD;
  d.bedingung = BedingungEinzigerLoesungszug;
  uint64_t soll = 0;
  for (const TBAnaEintrag& r : PlainAnalysis(d, tb.f).eintraege) {
    Slots p;
    for (int k = 0; k < 6; ++k) p.fig[k] = d.klasse[k], p.feld[k] = r.feld[k];
    const Stellung st = p.AlsStellung();
    Zugliste zl;
    ZugGenerator(st, GenAlleZuege, zl);
    for (int i = 0; i < zl.anzahl; ++i)
      if (zl.anzahl == 1 || NachfolgerWert(ZugAusfuehren(st, zl.zuege[i], 1), tb.f) == -r.wert) {
        soll += zl.zuege[i].zugart == ZugartUmwDame;
        break;
      }
  }
  ASSERT_GT(soll, 0u);
  EXPECT_EQ(lauf.z->treffer.load(), soll);
  EXPECT_EQ(lauf.z->loesungsZaehler[3], soll);
  EXPECT_EQ(lauf.z->loesungsZaehler[0] + lauf.z->loesungsZaehler[1] + lauf.z->loesungsZaehler[2],
            0u);
}

// The job's passes around the loop: side 2 runs Black to move, then White,
// except for the criteria that compare both sides; the extreme record is the
// deeper of the longest win and loss, empty when neither was found.
TEST(TBAnaThread, DurchlaeufeUndExtremerEintrag) {
  RechenTB tb;
  struct Pass {
    int32_t kriterium;
    uint8_t durchlaeufe;
  };
  for (const Pass& f : {Pass{3, 2}, Pass{7, 1}, Pass{10, 2}}) {
    SCOPED_TRACE(f.kriterium);
    Lauf lauf;
    const Maske m = Maske({K, -K, Q, 0, 0, 0}, 2).Felder(0, Dreieck);
    ASSERT_EQ(TBAnaThreadAusfuehren(m.Block(), f.kriterium, *lauf.z, tb, nullptr), 0);
    const TBAnaZustand& z = *lauf.z;
    EXPECT_EQ(z.durchlaeufe.load(), f.durchlaeufe);
    EXPECT_EQ(z.kriterium, f.kriterium);
    ASSERT_GT(z.gespeichert, 0u);
    EXPECT_EQ(z.ergebnisse[0].amZug, f.durchlaeufe == 2 ? 0 : 1);
    EXPECT_EQ(z.ergebnisse[z.gespeichert - 1].amZug, 1);
    EXPECT_EQ(z.rate, z.sekunden > 0 ? static_cast<double>(z.untersucht.load()) / z.sekunden
                                     : static_cast<double>(z.untersucht.load()));
    if (f.kriterium == KriteriumRemis) {
      EXPECT_EQ(z.extrem.wert, 32767);
      EXPECT_EQ(z.extrem.feld[0], 255);
    } else {
      const int32_t gewinn = 32767 - z.laengsterGewinn.wert;
      const int32_t verlust = z.laengsterVerlust.wert + 32766;
      EXPECT_EQ(z.extrem.wert, verlust > gewinn ? z.laengsterVerlust.wert : z.laengsterGewinn.wert);
    }
  }
}

}  // namespace
}  // namespace galdrik::test
