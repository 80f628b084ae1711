// The strategy search on the generated tables: its chosen move against the
// tables' own values, its run against a plain recursion over the same
// definition, the deepest line it keeps for the move-sequence search, and
// the ends of a branch (repetition, depth bound, stop request, positions
// without a table, no moves).
#include "analysis/strategiezug.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "analysis/tbtabellen.h"
#include "core/fen.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "tablebase/probe.h"
#include "tablebase/zugfolge.h"

namespace galdrik::test {
namespace {

Stellung Fen(const std::string& fen) {
  Stellung st{};
  uint16_t h = 0;
  EXPECT_EQ(FENEingabe(fen, st, h), 0) << fen;
  return st;
}

TbValue Nach(const Stellung& st, const Zug& z) { return TBProbe(ZugAusfuehren(st, z, 0), 0); }

bool Gleich(const Zug& a, const Zug& b) {
  return a.von == b.von && a.nach == b.nach && a.zugart == b.zugart;
}

bool GleicheStellung(const Stellung& a, const Stellung& b) {
  return a.weiss == b.weiss && a.schwarz == b.schwarz && a.bauern == b.bauern &&
         a.springer == b.springer && a.laeufer == b.laeufer && a.tuerme == b.tuerme &&
         a.damen == b.damen && a.epFeld == b.epFeld && a.amZug == b.amZug;
}

// The moves that win, or without a win draw, for the side to move.
std::vector<Zug> Halter(const Stellung& st) {
  const Zugliste l = ZugGenerator(st, GenAlleZuege);
  std::vector<Zug> gewinn, remis;
  for (int i = 0; i < l.anzahl; ++i) {
    const TbValue w = Nach(st, l.zuege[i]);
    if (w < 0) gewinn.push_back(l.zuege[i]);
    if (w == 0) remis.push_back(l.zuege[i]);
  }
  return gewinn.empty() ? remis : gewinn;
}

bool HaeltErgebnis(TbValue v, TbValue w) {
  return w != TbKeinWert && ((v > 0 && w < 0) || (v < 0 && w > 0) || (v == 0 && w == 0));
}

// The run by its definition, written plainly: the attacker goes on only
// with its one winning (or, without a win, its one drawing) move, the
// defender with every reply that keeps the result; a branch ends at a
// position met before on the line and beyond 100 plies.
int Lauf(const Stellung& st, bool angreifer, int tiefe, std::vector<Stellung>& linie) {
  if (tiefe > 100) return 0;
  for (const Stellung& s : linie)
    if (GleicheStellung(s, st)) return 0;
  linie.push_back(st);
  int lauf = 0;
  if (angreifer) {
    const std::vector<Zug> h = Halter(st);
    if (h.size() == 1) lauf = 1 + Lauf(ZugAusfuehren(st, h[0], 0), false, tiefe + 1, linie);
  } else {
    const TbValue v = TBProbe(st, 0);
    const Zugliste l = ZugGenerator(st, GenAlleZuege);
    for (int i = 0; i < l.anzahl; ++i)
      if (HaeltErgebnis(v, Nach(st, l.zuege[i])))
        lauf = std::max(lauf, Lauf(ZugAusfuehren(st, l.zuege[i], 0), true, tiefe + 1, linie));
  }
  linie.pop_back();
  return lauf;
}

struct Ergebnis {
  int32_t lauf, wert, einzig;
  Zug zug;
};

Ergebnis Suchen(const Stellung& st, int32_t modus, int32_t tiefe = 0) {
  Ergebnis e{-1, -1, -1, {}};
  e.lauf = TBStrategieZug(st, modus, tiefe, e.zug, e.wert, e.einzig);
  return e;
}

class Strategie : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DTMTabellenAnmelden()) GTEST_SKIP() << "built without the generated tables";
    TBMetrikSetzen(0);
    TBZugfolgeAbbruch().store(0);
  }
  void TearDown() override { TBZugfolgeAbbruch().store(0); }
};

// The chosen move is the one with the smallest value after it, einzig
// tells whether it alone has that value, and value is that value.
TEST_F(Strategie, WaehltDenZugMitDemKleinstenWertNachDerTabelle) {
  struct Fall {
    const char* fen;
    int32_t modus;
  };
  const Fall faelle[] = {
      {"7k/8/6K1/8/5Q2/8/8/8 w - - 0 1", 1},   // two mates in one
      {"8/8/8/8/8/8/1Rk5/7K b - - 0 1", 1},    // only the capture draws
      {"8/8/8/3k4/8/8/2K1Q3/8 w - - 0 1", 1},  // many winning moves
      {"8/8/4k3/8/4P3/4K3/8/8 w - - 0 1", 1},  // kpk, won
      {"8/8/8/8/2k5/8/2PK4/8 b - - 0 1", 0},   // kpk, the defender to move
      {"8/8/8/8/8/2k5/8/K1Q5 b - - 0 1", 0},   // kqk, lost
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.fen);
    const Stellung st = Fen(f.fen);
    const Ergebnis e = Suchen(st, f.modus);
    const Zugliste l = ZugGenerator(st, GenAlleZuege);
    TbValue kleinster = TbKeinWert;
    int mitKleinstem = 0;
    for (int i = 0; i < l.anzahl; ++i) kleinster = std::min(kleinster, Nach(st, l.zuege[i]));
    for (int i = 0; i < l.anzahl; ++i) mitKleinstem += Nach(st, l.zuege[i]) == kleinster;
    bool legal = false;
    for (int i = 0; i < l.anzahl; ++i) legal |= Gleich(l.zuege[i], e.zug);
    ASSERT_TRUE(legal);
    EXPECT_EQ(e.wert, Nach(st, e.zug));
    if (f.modus == 1) {
      EXPECT_EQ(e.wert, kleinster);
      EXPECT_EQ(e.einzig, mitKleinstem == 1 ? 1 : 0);
    } else {
      // The defender may prefer a longer line among the moves of the same
      // sign as the best defence, and then is never "einzig".
      EXPECT_EQ((e.wert > 0) - (e.wert < 0), (kleinster > 0) - (kleinster < 0));
      if (e.einzig == 1) {
        EXPECT_EQ(e.wert, kleinster);
      }
    }
  }
}

TEST_F(Strategie, KantenfaelleDerSuche) {
  // Two mates in one: no unique move, but the mate is reported.
  Ergebnis e = Suchen(Fen("7k/8/6K1/8/5Q2/8/8/8 w - - 0 1"), 1);
  EXPECT_EQ(e.lauf, 0);
  EXPECT_EQ(e.wert, -32766);
  EXPECT_EQ(e.einzig, 0);

  // No win, one drawing move: the run goes on with it.
  const Stellung remis = Fen("8/8/8/8/8/8/1Rk5/7K b - - 0 1");
  e = Suchen(remis, 1);
  EXPECT_EQ(e.lauf, 1);
  EXPECT_EQ(e.wert, 0);
  EXPECT_EQ(e.einzig, 1);
  EXPECT_EQ(e.zug.von, 10);  // c2xb2
  EXPECT_EQ(e.zug.nach, 9);

  // Beyond the depth bound and below 0: nothing, no value.
  for (int32_t tiefe : {101, 5000, -1}) {
    e = Suchen(remis, 1, tiefe);
    EXPECT_EQ(e.lauf, 0) << tiefe;
    EXPECT_EQ(e.wert, TbKeinWert) << tiefe;
    EXPECT_EQ(e.einzig, 0) << tiefe;
    EXPECT_TRUE(IstKeinZug(e.zug)) << tiefe;
  }

  // A position that recurs on the line ends the branch as a draw.
  Suchen(remis, 1);  // the line's position at depth 0
  e = Suchen(remis, 1, 1);
  EXPECT_EQ(e.lauf, 0);
  EXPECT_EQ(e.wert, 0);
  EXPECT_TRUE(IstKeinZug(e.zug));
  e = Suchen(Fen("8/8/8/8/8/8/1Rk5/6K1 b - - 0 1"), 1, 1);  // another position goes on
  EXPECT_EQ(e.lauf, 1);

  // No table for the class: every move is without a value, none is unique.
  e = Suchen(Fen("4k3/8/8/8/8/8/8/RQQ1K3 w - - 0 1"), 1);
  EXPECT_EQ(e.lauf, 0);
  EXPECT_EQ(e.wert, TbKeinWert);
  EXPECT_EQ(e.einzig, 0);

  // Mated and stalemated: no move.
  for (const char* fen : {"7k/7Q/6K1/8/8/8/8/8 b - - 0 1", "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1"}) {
    e = Suchen(Fen(fen), 1);
    EXPECT_EQ(e.lauf, 0) << fen;
    EXPECT_TRUE(IstKeinZug(e.zug)) << fen;
  }
}

// Positions of kpk and krk, both sides to move, against the plain
// recursion; each search's deepest line is made of the attacker's unique
// moves and the defender's result-keeping replies and reaches at least the
// last of the run's moves.
TEST_F(Strategie, LaufWieDieEinfacheRekursionUndDieTiefsteLinie) {
  struct Klasse {
    const char* name;
    int8_t figur;  // White's third man
  };
  int mitLauf = 0, laengster = 0, geprueft = 0;
  for (const Klasse& k : {Klasse{"kpk", Bauer}, Klasse{"krk", Turm}}) {
    // A fixed walk over the placements, every 37th one, both sides to move.
    int n = 0;
    for (int wk = 0; wk < 64; ++wk)
      for (int f = 0; f < 64; ++f)
        for (int sk = 0; sk < 64; ++sk) {
          if (wk == f || f == sk || wk == sk || ++n % 37 != 0) continue;
          if (k.figur == Bauer && (f < 8 || f >= 56)) continue;
          for (uint8_t seite : {Weiss, Schwarz}) {
            Stellung st = Leerstellung();
            st.weiss = (Bitboard{1} << wk) | (Bitboard{1} << f);
            st.schwarz = Bitboard{1} << sk;
            (k.figur == Bauer ? st.bauern : st.tuerme) = Bitboard{1} << f;
            st.koenigW = uint8_t(wk);
            st.koenigS = uint8_t(sk);
            st.amZug = seite;
            BelegungSetzen(st);
            StellungAbleiten(st);
            const TbValue v = TBProbe(st, 0);
            if (v == TbKeinWert) continue;
            const int32_t modus = v >= 0 ? 1 : 0;
            const Ergebnis e = Suchen(st, modus);
            std::vector<Stellung> linie;
            ASSERT_EQ(e.lauf, Lauf(st, modus == 1, 0, linie)) << k.name << " " << FENAusgabe(st, 1);
            ++geprueft;
            if (e.lauf == 0) continue;
            ++mitLauf;
            laengster = std::max(laengster, e.lauf);

            const int32_t tief = TBZugfolgeFortschritt().load();
            ASSERT_GE(tief, modus == 1 ? 2 * e.lauf - 1 : 2 * e.lauf) << FENAusgabe(st, 1);
            Stellung p = st;
            const bool angreiferWeiss = (modus == 1) == (st.amZug == Weiss);
            for (int d = 0; d < tief; ++d) {
              const Zug z = TBStrategieLinie()[d];
              if ((p.amZug == Weiss) == angreiferWeiss) {
                const std::vector<Zug> h = Halter(p);
                ASSERT_EQ(h.size(), 1u) << "depth " << d << " " << FENAusgabe(st, 1);
                ASSERT_TRUE(Gleich(h[0], z)) << "depth " << d;
              } else {
                bool legal = false;
                const Zugliste l = ZugGenerator(p, GenAlleZuege);
                for (int i = 0; i < l.anzahl; ++i) legal |= Gleich(l.zuege[i], z);
                ASSERT_TRUE(legal) << "depth " << d;
                ASSERT_TRUE(HaeltErgebnis(TBProbe(p, 0), Nach(p, z))) << "depth " << d;
              }
              p = ZugAusfuehren(p, z, 0);
            }
          }
        }
  }
  EXPECT_GT(geprueft, 5000);
  EXPECT_GT(mitLauf, 50);
  EXPECT_GE(laengster, 3) << "some kpk positions hold White to unique moves for a while";
}

// The stop request ends every branch below the top: only the top call's own
// unique move is counted, and a call below the top ends at once.
TEST_F(Strategie, StoppanforderungBeendetDieSucheUnterhalbDerWurzel) {
  const Stellung st = Fen("8/8/8/8/8/8/1Rk5/7K b - - 0 1");
  TBZugfolgeAbbruch().store(1);
  Ergebnis e = Suchen(st, 1);
  EXPECT_EQ(e.lauf, 1);
  EXPECT_EQ(e.wert, 0) << "the top call still reports its move";
  e = Suchen(st, 1, 1);
  EXPECT_EQ(e.lauf, 0);
  EXPECT_EQ(e.wert, TbKeinWert);
  EXPECT_TRUE(IstKeinZug(e.zug));
}

// The move-sequence search reaches the strategy search through its hook:
// the unique-move run of its result is the strategy search's.
TEST_F(Strategie, ZugfolgeSucheNutztDieStrategiesuche) {
  TBStrategieInstallieren();
  for (const char* fen : {"8/8/8/8/8/8/1Rk5/7K b - - 0 1", "8/8/4k3/8/4P3/4K3/8/8 w - - 0 1"}) {
    const Stellung st = Fen(fen);
    auto r = std::make_unique<TBZugfolgeErgebnis>();
    TBZugfolgeSuchen(st, 0, 0, *r, 1, 0, 0, 0, 0, 0, 0.0f, 0.0f);
    EXPECT_EQ(r->einzigeFolge, Suchen(st, 1).lauf) << fen;
  }
}

}  // namespace
}  // namespace galdrik::test
