// Criteria 93 and 94 and their presets on the generated kqk, krk and kqkr
// tables in DTM, DTC and DTZ (krkp in DTM for promotions), compared with a
// plain walk over engine positions that probes with TBProbe and plays the
// moves with the engine's own generator.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "analysis/parameterblock.h"
#include "analysis/tbana_exports.h"
#include "analysis/tbanajob.h"
#include "analysis/slots.h"
#include "analysis/tbanametrik.h"
#include "analysis/tbanaschleife.h"
#include "core/board.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "tablebase/cache.h"
#include "tablebase/descriptor.h"
#include "tablebase/probe.h"
#include "tablebase/tbinit.h"
#include "tablebase/trie.h"

namespace galdrik::test {
namespace {

constexpr int K = Koenig, Q = Dame, R = Turm, P = Bauer;
constexpr int32_t DTM = 0, DTC = 1, DTC50 = 2, DTZ = 3;
constexpr Bitboard Alle = ~Bitboard{0};
constexpr Bitboard Dreieck = 0x080C0E0FULL;        // a1 b1 c1 d1 b2 c2 d2 c3 d3 d4
constexpr Bitboard Quadrant = 0xF0F0F0F000000000;  // e5-h8
constexpr Bitboard Reihe2 = 0x000000000000FF00ULL;

// The limit of a loss in at most n moves, as the program passes it.
constexpr int32_t InZuegen(int32_t n) { return n - 32766; }

constexpr Bitboard Bit(int s) { return Bitboard{1} << s; }

struct Stueck {
  int8_t code;
  Bitboard felder;
};

// Registers DTM as set 0, DTC as set 1 and DTZ as set 3, once per process.
bool MetrikTabellenAnmelden() {
#if defined(GALDRIK_TB_DTM_DIR) && defined(GALDRIK_TB_DTC_DIR) && defined(GALDRIK_TB_DTZ_DIR)
  static const bool fertig = [] {
    static std::vector<uint8_t> puffer(std::size_t{32} << 20);
    TbInitialise(nullptr, -1);
    TbInitialise(GALDRIK_TB_DTM_DIR, 0);
    TbInitialise(GALDRIK_TB_DTC_DIR, 1);
    TbInitialise(GALDRIK_TB_DTZ_DIR, 3);
    TbCacheSet(puffer.data(), puffer.size());
    return true;
  }();
  TBMetrikSetzen(DTM);
  return fertig;
#else
  return false;
#endif
}

// Is the table registered in every one of these metrics?
bool Vorhanden(const char* name, std::initializer_list<int32_t> metriken) {
  const int32_t id = TbFindByName(name);
  if (id == 0) return false;
  for (int32_t m : metriken)
    if (!TbAnyPartRegistered(std::abs(id) % 441 + 441 * m, 0)) return false;
  return true;
}

class MetrikTabellen : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!MetrikTabellenAnmelden()) GTEST_SKIP() << "built without the generated tables";
  }
  void TearDown() override { TBMetrikSetzen(DTM); }

  // The loop over the class with the given sets, side and criterion, with
  // the library-wide presets (no criteria object of our own).
  static std::unique_ptr<TBAnaZustand> Analysieren(const std::vector<Stueck>& klasse, int32_t amZug,
                                                   int32_t kriterium) {
    static std::vector<TBAnaEintrag> puffer(ErgebnisPlaetze);
    auto z = std::make_unique<TBAnaZustand>();
    z->ergebnisse = puffer.data();
    TBAnaZaehlerLoeschen(*z);
    std::vector<int32_t> m(SuchmaskeLaenge, 0);
    for (int k = 0; k < AnaSlots; ++k) {
      const bool da = k < static_cast<int>(klasse.size());
      m[MaskeFiguren + k] = da ? klasse[k].code : 0;
      m[MaskeBezug + k] = -1;
      for (int s = 0; s < 64; ++s) m[MaskeFelder + 64 * k + s] = da && klasse[k].felder >> s & 1;
      for (int c = 0; c < GitterZellen; ++c) m[MaskeGitter + GitterZellen * k + c] = -1;
    }
    m[MaskeSeite] = amZug;
    m[MaskeVon] = m[MaskeNach] = LoesungFeldBeliebig;
    z->diagonalSymmetrie = 0;
    TBZugangTabellen tb;
    EXPECT_EQ(TBAnaSchleife(ParameterblockBauen(m.data()), kriterium, *z, tb), SchleifeFertig);
    return z;
  }

  // Every legal position of the class (no two men alike) with that side to
  // move whose own value in the current metric is known, as the loop walks
  // them.
  static void Stellungen(const std::vector<Stueck>& klasse, int32_t amZug,
                         const std::function<void(const Stellung&)>& f) {
    Slots p;
    p.amZug = amZug;
    std::function<void(size_t, Bitboard)> Ebene = [&](size_t k, Bitboard belegt) {
      if (k == klasse.size()) {
        const Stellung st = p.AlsStellung();
        const bool gegnerImSchach =
            amZug == 1 ? FeldAngegriffen(st, st.koenigS, 0) : FeldAngegriffen(st, st.koenigW, 1);
        if (!gegnerImSchach && TBProbe(st, TBMetrikAktuell()) != TbKeinWert) f(st);
        return;
      }
      p.fig[k] = klasse[k].code;
      Bitboard menge = klasse[k].felder & ~belegt;
      if (Betrag(klasse[k].code) == Bauer) menge &= 0x00FFFFFFFFFFFF00ULL;
      for (int s = 0; s < 64; ++s) {
        if (!(menge & Bit(s))) continue;
        p.feld[k] = s;
        Ebene(k + 1, belegt | Bit(s));
      }
    };
    Ebene(0, 0);
  }
};

// ---------------------------------------------------------------- criterion 93

bool Uebereinstimmend(int32_t a, int32_t b) { return a > 0 ? b > 0 : a == 0 ? b == 0 : b <= 0; }

bool Relation(int32_t r, int32_t a, int32_t b) {
  a = std::abs(a), b = std::abs(b);
  return r == 0 ? a == b : r == 1 ? a <= b : r == 2 ? a < b : true;
}

uint64_t Bewertet(const TBAnaZustand& z) {
  uint64_t n = 0;
  for (uint64_t c : z.ergebnisZaehler) n += c;
  return n;
}

TEST_F(MetrikTabellen, GleicheMetrikenLassenJedeBewerteteStellungDurch) {
  struct Fall {
    const char* name;
    std::vector<Stueck> klasse;
    int32_t amZug;
  };
  const Fall faelle[] = {
      {"kqk", {{K, Dreieck}, {Q, Alle}, {-K, Alle}}, 1},
      {"kqk", {{K, Dreieck}, {Q, Alle}, {-K, Alle}}, 0},
      {"kqkr", {{K, Bit(18)}, {Q, Alle}, {-K, Alle}, {-R, Alle}}, 1},
      {"kqkr", {{K, Bit(18)}, {Q, Alle}, {-K, Alle}, {-R, Alle}}, 0},
  };
  int gelaufen = 0;
  for (const Fall& f : faelle) {
    if (!Vorhanden(f.name, {DTM, DTC, DTZ})) continue;
    ++gelaufen;
    for (int32_t m : {DTM, DTC, DTZ}) {
      SCOPED_TRACE(::testing::Message()
                   << f.klasse.size() << " men, side " << f.amZug << ", metric " << m);
      DLL_TBAnaMetrikPreset(m, m, m, m, 0, 0);
      const auto z = Analysieren(f.klasse, f.amZug, KriteriumMetrikVergleich);
      EXPECT_GT(Bewertet(*z), 1000u);
      EXPECT_EQ(z->treffer.load(), Bewertet(*z));
    }
  }
  if (gelaufen == 0) GTEST_SKIP() << "no table generated in every metric";
}

// The program's road: presets and setup through the exports, the job on
// its own thread. With one metric throughout, both criteria select every
// position with a value (kqk with White to move always has a move).
TEST_F(MetrikTabellen, PresetsWirkenImAnalyseJob) {
  if (!Vorhanden("kqk", {DTM})) GTEST_SKIP() << "kqk not generated";
  ASSERT_EQ(DLL_TBAnaPrep(), 0);
  std::vector<int32_t> m(SuchmaskeLaenge, 0);
  const int32_t codes[6] = {K, Q, -K, 0, 0, 0};
  for (int k = 0; k < AnaSlots; ++k) {
    m[MaskeFiguren + k] = codes[k];
    m[MaskeBezug + k] = -1;
    for (int s = 0; s < 64; ++s)
      m[MaskeFelder + 64 * k + s] = codes[k] != K || (Dreieck >> s & 1) ? 1 : -1;
    for (int c = 0; c < GitterZellen; ++c) m[MaskeGitter + GitterZellen * k + c] = -1;
  }
  m[MaskeSeite] = SeiteWeiss;
  m[MaskeVon] = m[MaskeNach] = LoesungFeldBeliebig;
  m[MaskeGewaehlterSlot] = -1;
  auto Lauf = [&](int32_t kriterium) {
    DLL_TBAnaSetPos(m.data(), kriterium);
    EXPECT_EQ(DLL_TBAnaStart(), 0);
    while (DLL_TBAnaStatus() == 1) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    uint64_t anzahl = 0;
    EXPECT_EQ(DLL_TBAnaErgebnis(&anzahl), 0);
    return anzahl;
  };
  const uint64_t alle = Lauf(KriteriumAlleMitWert);
  EXPECT_GT(alle, 1000u);
  DLL_TBAnaMetrikPreset(DTM, DTM, DTM, DTM, RelationGleich, RelationGleich);
  EXPECT_EQ(Lauf(KriteriumMetrikVergleich), alle);
  DLL_TBAnaStrategiePreset(DTM, DTM, DTM, DTM, DTM, 0, 0, 0);
  EXPECT_EQ(Lauf(KriteriumStrategie), alle);
  // Keeping the win within the limit "mated at once" finds the mates in one,
  // which criterion 4 counts by depth.
  m[MaskeDistanzMin] = m[MaskeDistanzMax] = 1;
  const uint64_t mattInEins = Lauf(KriteriumWeissGewinntFenster);
  EXPECT_GT(mattInEins, 0u);
  DLL_TBAnaStrategiePreset(DTM, DTM, DTM, DTM, DTM, ModusKannGelingen, 0, InZuegen(0));
  EXPECT_EQ(Lauf(KriteriumStrategie), mattInEins);
  DLL_TBAnaStrategiePreset(DTM, DTM, DTM, DTM, DTM, 0, ModusMussScheitern, InZuegen(0));
  EXPECT_EQ(Lauf(KriteriumStrategie), alle - mattInEins);
  TBAnaBeenden();
  EXPECT_EQ(DLL_TBAnaPost(), 0);
}

TEST_F(MetrikTabellen, DTMGegenDTCWieDieEinfacheZaehlung) {
  if (!Vorhanden("kqkr", {DTM, DTC})) GTEST_SKIP() << "kqkr not generated in DTC";
  const std::vector<Stueck> kqkr = {{K, Dreieck}, {Q, Alle}, {-K, Quadrant}, {-R, Alle}};
  for (int32_t amZug : {1, 0}) {
    struct Werte {
      int32_t dtm, dtc, dtz;
    };
    std::vector<Werte> werte;
    Stellungen(kqkr, amZug, [&](const Stellung& st) {
      werte.push_back({TBProbe(st, DTM), TBProbe(st, DTC), TBProbe(st, DTZ)});
    });
    ASSERT_GT(werte.size(), 100000u);
    // Relations AB 0, 1, 2 between DTM and DTC, CD once without a relation
    // and once DTZ against DTC.
    struct Fall {
      int32_t relationAB, c, d, relationCD;
    };
    for (const Fall& f :
         {Fall{0, DTM, DTM, 9}, Fall{1, DTM, DTM, 9}, Fall{2, DTM, DTM, 9}, Fall{1, DTZ, DTC, 0}}) {
      SCOPED_TRACE(::testing::Message() << "side " << amZug << ", relation " << f.relationAB
                                        << ", CD " << f.c << "/" << f.d);
      uint64_t soll = 0;
      for (const Werte& w : werte) {
        const int32_t c = f.c == DTZ ? w.dtz : w.dtm, d = f.d == DTC ? w.dtc : w.dtm;
        if (w.dtc == TbKeinWert || w.dtz == TbKeinWert) continue;
        soll += Uebereinstimmend(w.dtm, w.dtc) && Relation(f.relationAB, w.dtm, w.dtc) &&
                Uebereinstimmend(c, d) && Relation(f.relationCD, c, d);
      }
      DLL_TBAnaMetrikPreset(DTM, DTC, f.c, f.d, f.relationAB, f.relationCD);
      const auto z = Analysieren(kqkr, amZug, KriteriumMetrikVergleich);
      EXPECT_EQ(Bewertet(*z), werte.size());
      EXPECT_EQ(z->treffer.load(), soll);
      EXPECT_GT(soll, 0u);
    }
  }
}

// A metric without registered tables has no value, which never passes.
TEST_F(MetrikTabellen, MetrikOhneTabelleLaesstNichtsDurch) {
  if (!Vorhanden("kqk", {DTM})) GTEST_SKIP() << "kqk not generated";
  ASSERT_FALSE(Vorhanden("kqk", {DTC50}));
  const std::vector<Stueck> kqk = {{K, Dreieck}, {Q, Alle}, {-K, Alle}};
  DLL_TBAnaMetrikPreset(DTM, DTC50, DTM, DTM, 9, 9);
  const auto z = Analysieren(kqk, 1, KriteriumMetrikVergleich);
  EXPECT_GT(Bewertet(*z), 1000u);
  EXPECT_EQ(z->treffer.load(), 0u);
}

TEST(TBAnaPresets, MetrikcodesAusserhalbNullBisSechsWerdenAbgewiesen) {
  DLL_TBAnaMetrikPreset(1, 2, 3, 4, 5, 6);
  DLL_TBAnaStrategiePreset(6, 5, 4, 3, 2, 1, 2, -32716);
  for (int32_t falsch : {-1, 7, 441}) {
    DLL_TBAnaMetrikPreset(falsch, 0, 0, 0, 0, 0);
    DLL_TBAnaMetrikPreset(0, 0, 0, falsch, 0, 0);
    DLL_TBAnaStrategiePreset(0, 0, 0, 0, falsch, 0, 0, 0);
    DLL_TBAnaStrategiePreset(0, falsch, 0, 0, 0, 0, 0, 0);
  }
  const MetrikPreset m = TBAnaMetrikPresetHolen();
  EXPECT_EQ(m.metrikA, 1);
  EXPECT_EQ(m.metrikD, 4);
  EXPECT_EQ(m.relationCD, 6);
  const StrategiePreset s = TBAnaStrategiePresetHolen();
  EXPECT_EQ(s.strategie1Metrik, 6);
  EXPECT_EQ(s.strategie1Wache, 5);
  EXPECT_EQ(s.restMetrik, 2);
  EXPECT_EQ(s.restGrenze, -32716);
  // Relations, modes and the limit take any value.
  DLL_TBAnaMetrikPreset(0, 0, 0, 0, -5, 99);
  EXPECT_EQ(TBAnaMetrikPresetHolen().relationAB, -5);
}

// ---------------------------------------------------------------- criterion 94

// The plain strategy test: successors by the engine's move generator, valued
// with TBProbe (bare kings a draw); any successor without a value fails.
bool StrategieEinfach(const Stellung& st, const StrategiePreset& s) {
  Zugliste zl;
  ZugGenerator(st, GenAlleZuege, zl);
  if (zl.anzahl == 0) return false;
  std::vector<std::array<int32_t, 7>> w(zl.anzahl);
  for (int i = 0; i < zl.anzahl; ++i) {
    const Stellung nach = ZugAusfuehren(st, zl.zuege[i], 1);
    for (int32_t m : {s.strategie1Metrik, s.strategie1Wache, s.strategie2Metrik, s.strategie2Wache,
                      s.restMetrik}) {
      w[i][m] = BitAnzahl(nach.weiss | nach.schwarz) == 2 ? 0 : TBProbe(nach, m);
      if (w[i][m] == TbKeinWert) return false;
    }
  }
  auto Gelingt = [&](int32_t metrik, int32_t wache) {
    int32_t beste = TbKeinWert;
    for (const auto& z : w)
      if (z[wache] <= s.restGrenze) beste = std::min(beste, z[metrik]);
    for (const auto& z : w)
      if (z[metrik] == beste && z[wache] <= s.restGrenze && z[s.restMetrik] <= s.restGrenze)
        return true;
    return false;
  };
  auto Passt = [](int32_t modus, bool gelingt) {
    return modus == 1 ? !gelingt : modus == 2 ? gelingt : true;
  };
  return Passt(s.strategie1Modus, Gelingt(s.strategie1Metrik, s.strategie1Wache)) &&
         Passt(s.strategie2Modus, Gelingt(s.strategie2Metrik, s.strategie2Wache));
}

struct StrategieFall {
  const char* name;
  std::vector<Stueck> klasse;
  int32_t amZug;
  StrategiePreset preset;
};

void PresetSetzen(const StrategiePreset& s) {
  DLL_TBAnaStrategiePreset(s.strategie1Metrik, s.strategie1Wache, s.strategie2Metrik,
                           s.strategie2Wache, s.restMetrik, s.strategie1Modus, s.strategie2Modus,
                           s.restGrenze);
}

TEST_F(MetrikTabellen, StrategieZaehltWieDieEinfacheZaehlung) {
  const std::vector<Stueck> kqkr = {{K, Bit(18)}, {Q, Alle}, {-K, Quadrant}, {-R, Alle}};
  const std::vector<Stueck> kqk = {{K, Dreieck}, {Q, Alle}, {-K, Alle}};
  // Black's pawn on the second rank: its promotions, with and without
  // capture, lead to the reversed knk .. kqk tables.
  const std::vector<Stueck> krkp = {{K, Bit(4)}, {R, Alle}, {-K, Alle}, {-P, Reihe2}};
  const StrategieFall faelle[] = {
      // Modes 0 and 0: every position with a move whose successors all have
      // values; K x Q leaves bare kings, a draw.
      {"kqk", kqk, 0, {DTM, DTM, DTC, DTC, DTZ, 0, 0, InZuegen(5)}},
      {"kqk", kqk, 1, {DTM, DTM, DTM, DTM, DTM, 2, 0, InZuegen(4)}},
      {"kqk", kqk, 1, {DTM, DTM, DTC, DTZ, DTZ, 0, 1, InZuegen(6)}},
      {"kqkr", kqkr, 1, {DTM, DTM, DTC, DTC, DTM, 0, 0, InZuegen(20)}},
      // Choosing by DTC (the fastest capture) can miss the mate in 20 that
      // choosing by DTM keeps.
      {"kqkr", kqkr, 1, {DTM, DTM, DTC, DTC, DTM, 2, 1, InZuegen(20)}},
      {"kqkr", kqkr, 1, {DTC, DTC, DTM, DTM, DTM, 1, 2, InZuegen(20)}},
      {"kqkr", kqkr, 1, {DTC, DTC, DTM, DTZ, DTM, 2, 2, InZuegen(25)}},
      // R x Q and K x Q lead to krk with the colours reversed.
      {"kqkr", kqkr, 0, {DTM, DTM, DTC, DTC, DTZ, 0, 0, 0}},
      {"kqkr", kqkr, 0, {DTM, DTM, DTC, DTC, DTZ, 2, 0, 0}},
      {"krkp", krkp, 0, {DTM, DTM, DTM, DTM, DTM, 0, 0, InZuegen(10)}},
      {"krkp", krkp, 0, {DTM, DTM, DTM, DTM, DTM, 0, 1, 0}},
  };
  int gelaufen = 0;
  for (const StrategieFall& f : faelle) {
    const bool nurDTM = std::string(f.name) == "krkp";
    if (!Vorhanden(f.name, nurDTM ? std::initializer_list<int32_t>{DTM}
                                  : std::initializer_list<int32_t>{DTM, DTC, DTZ}))
      continue;
    ++gelaufen;
    const StrategiePreset& s = f.preset;
    SCOPED_TRACE(::testing::Message()
                 << f.name << " side " << f.amZug << ": " << s.strategie1Metrik << "/"
                 << s.strategie1Wache << " " << s.strategie2Metrik << "/" << s.strategie2Wache
                 << " rest " << s.restMetrik << " modes " << s.strategie1Modus << "/"
                 << s.strategie2Modus << " limit " << s.restGrenze);
    uint64_t soll = 0, mitZug = 0, stellungen = 0;
    Stellungen(f.klasse, f.amZug, [&](const Stellung& st) {
      ++stellungen;
      Zugliste zl;
      ZugGenerator(st, GenAlleZuege, zl);
      mitZug += zl.anzahl > 0;
      soll += StrategieEinfach(st, s);
    });
    PresetSetzen(s);
    const auto z = Analysieren(f.klasse, f.amZug, KriteriumStrategie);
    EXPECT_EQ(Bewertet(*z), stellungen);
    EXPECT_EQ(z->treffer.load(), soll);
    // The successor probes count as examined.
    EXPECT_GT(z->untersucht.load(), 2 * stellungen);
    if (s.strategie1Modus == 0 && s.strategie2Modus == 0) {
      EXPECT_EQ(soll, mitZug) << "every position with a move passes";
    }
    EXPECT_GT(soll, 0u);
    if (s.strategie1Modus != 0 || s.strategie2Modus != 0) {
      EXPECT_LT(soll, mitZug);
    }
  }
  if (gelaufen == 0) GTEST_SKIP() << "no table generated in every metric";
}

// The successor probe itself: a capture to bare kings is a draw without a
// probe, a quiet move is probed in the class's own table, and a position
// without a value gives no successor values.
TEST_F(MetrikTabellen, BewertenEinzelnerZuege) {
  if (!Vorhanden("kqk", {DTM})) GTEST_SKIP() << "kqk not generated";
  Slots s;
  s.fig = {-K, K, Q, 0, 0, 0};
  s.feld = {Feld("b2"), Feld("h8"), Feld("a1"), 0, 0, 0};  // Black: Kb2 takes the queen on a1
  s.amZug = 0;
  auto zeiger = s.Zeiger();
  int32_t zaehler[ZaehlerAnzahl] = {0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
  TbPieceList w, b;
  StueckListenBauen(s.fig.data(), zeiger.data(), w, b);
  const int32_t id = TbFindByName("kqk");
  TBZugangTabellen tb;
  TBAnaPosition p{s.fig.data(), zeiger.data(), 127, 0, 0, &w, &b, zaehler, false, id, 1, {}};
  p.wert = tb.WertAusListen(id, 1, false, w, b, 127);
  ASSERT_EQ(p.wert, 0);
  FigurenlisteZugliste liste;
  uint32_t schach = 0;
  ASSERT_GT(s.Zuege(liste, schach), 0u);
  int schlagzug = -1;
  uint64_t probes = 0;
  for (uint32_t i = 0; i < liste.anzahl; ++i) {
    const int32_t v = TBAnaStrategieBewerten(p, id, liste, i, tb, probes);
    const Stellung nach = [&] {
      Slots t = s;
      t.feld[liste.slot[i]] = liste.ziel[i];
      if (liste.flags[i] & ZugFlagSchlag) t.fig[2] = 0;
      t.amZug = 1;
      return t.AlsStellung();
    }();
    EXPECT_EQ(v, TBProbe(nach, DTM)) << "move " << i;
    if (liste.flags[i] & ZugFlagSchlag) schlagzug = static_cast<int>(i);
  }
  ASSERT_GE(schlagzug, 0);
  EXPECT_EQ(probes, liste.anzahl - 1u) << "bare kings are not probed";
  EXPECT_EQ(s.feld[0], Feld("b2")) << "the position stays as it was";
  p.wert = TbKeinWert;
  EXPECT_EQ(TBAnaStrategieBewerten(p, id, liste, 0, tb, probes), TbKeinWert);
}

}  // namespace
}  // namespace galdrik::test
