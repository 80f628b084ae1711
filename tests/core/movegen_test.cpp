// Move generation: order, flags, legality, the quiescence mode,
// the second generator, the faults mended (en passant, list overflow,
// missing kings) and perft counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "core/makemove.h"
#include "core/movegen.h"
#include "core/perft.h"
#include "core/zobrist.h"
#include "core/movetest_util.h"

namespace galdrik::test {
namespace {

std::vector<std::string> Texte(const Zugliste& l) {
  std::vector<std::string> v;
  for (int i = 0; i < l.anzahl; ++i) v.push_back(ZugKoordinaten(l.zuege[i]));
  return v;
}

bool Enthaelt(const Zugliste& l, const char* von, const char* nach) {
  return !IstKeinZug(Suche(l, von, nach));
}

TEST(ZugGenerator, GrundstellungZwanzigZuegeInOrdnung) {
  const Zugliste l = ZugGenerator(Pos(StartFEN), GenAlleZuege);
  const std::vector<std::string> erwartet = {"a2a3", "a2a4", "b2b3", "b2b4", "c2c3", "c2c4", "d2d3",
                                             "d2d4", "e2e3", "e2e4", "f2f3", "f2f4", "g2g3", "g2g4",
                                             "h2h3", "h2h4", "b1a3", "b1c3", "g1f3", "g1h3"};
  EXPECT_EQ(Texte(l), erwartet);
  for (int i = 0; i < l.anzahl; ++i) {
    const Zug& z = l.zuege[i];
    EXPECT_GT(z.figur, 0);
    EXPECT_EQ(z.geschlagen, 0);
    EXPECT_EQ(z.zugart, 0);
    EXPECT_EQ(z.schach, 0);
    EXPECT_EQ(z.enPassant, 0);
    EXPECT_EQ(z.wert, 0);
  }
  // Black's replies carry negative piece codes.
  const Stellung nachE4 = ZugAusfuehren(Pos(StartFEN), ZugVon(Pos(StartFEN), "e2", "e4"), 1);
  const Zugliste s = ZugGenerator(nachE4, GenAlleZuege);
  ASSERT_EQ(s.anzahl, 20);
  EXPECT_EQ(ZugKoordinaten(s.zuege[0]), "a7a6");
  EXPECT_EQ(s.zuege[0].figur, -Bauer);
  EXPECT_EQ(s.zuege[19].figur, -Springer);
}

TEST(ZugGenerator, GruppenOrdnungUndRochadeZuletzt) {
  // Pawn, knight, bishop, rook, queen, king, then castling (queen-side first).
  const Zugliste l = ZugGenerator(Pos("r3k2r/8/8/8/8/8/P7/RNBQK2R w KQkq -"), GenAlleZuege);
  std::vector<int> typen;
  for (int i = 0; i < l.anzahl; ++i)
    typen.push_back(l.zuege[i].zugart == ZugartRochade ? 7 : l.zuege[i].figur);
  EXPECT_TRUE(std::is_sorted(typen.begin(), typen.end()));
  ASSERT_GE(l.anzahl, 2);
  EXPECT_EQ(ZugKoordinaten(l.zuege[l.anzahl - 1]), "e1g1");
  // Queen-side castling is impossible here (b1 occupied).
  EXPECT_FALSE(Enthaelt(l, "e1", "c1"));
  // Within a piece the to-squares ascend.
  for (int i = 1; i < l.anzahl; ++i) {
    if (l.zuege[i].von == l.zuege[i - 1].von && l.zuege[i].zugart == 0 &&
        l.zuege[i - 1].zugart == 0) {
      EXPECT_GT(l.zuege[i].nach, l.zuege[i - 1].nach);
    }
  }
}

TEST(ZugGenerator, UmwandlungenDameTurmLaeuferSpringer) {
  const Zugliste l = ZugGenerator(Pos("3r1k2/4P3/8/8/8/8/8/4K3 w - -"), GenAlleZuege);
  // Push first (e8), then the capture on d8, four promotions each.
  const std::vector<std::string> texte = Texte(l);
  const std::vector<std::string> erwartet = {"e7e8q", "e7e8r", "e7e8b", "e7e8n",
                                             "e7d8q", "e7d8r", "e7d8b", "e7d8n"};
  ASSERT_GE(texte.size(), 8u);
  EXPECT_EQ(std::vector<std::string>(texte.begin(), texte.begin() + 8), erwartet);
  const uint8_t arten[4] = {128, 64, 32, 16};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(l.zuege[i].zugart, arten[i % 4]);
  for (int i = 4; i < 8; ++i) EXPECT_EQ(l.zuege[i].geschlagen, -Turm);
  // e8=Q and e8=R check the king on f8; e8=B and e8=N do not; d8=N does not.
  EXPECT_EQ(l.zuege[0].schach, 1);
  EXPECT_EQ(l.zuege[1].schach, 1);
  EXPECT_EQ(l.zuege[2].schach, 0);
  EXPECT_EQ(l.zuege[3].schach, 0);
  EXPECT_EQ(l.zuege[4].schach, 1);
  EXPECT_EQ(l.zuege[7].schach, 0);
}

TEST(ZugGenerator, RemisMaterialGibtLeereListe) {
  Stellung st = Pos(StartFEN);
  st.remisMaterial = 1;
  EXPECT_EQ(ZugGenerator(st, GenAlleZuege).anzahl, 0);
  EXPECT_EQ(ZugGenerator(st, GenRuhesuche).anzahl, 0);
  // The second generator does not look at the flag.
  Zugliste l;
  EXPECT_EQ(ZuglisteErzeugen(st, 0, l), 20);
}

TEST(ZugGenerator, RuhesucheNurSchlagzuegeUndUmwandlungen) {
  // Not in check: captures, en passant and push promotions (of pawns on the
  // seventh rank), nothing quiet, no castling.
  const Stellung st = Pos("r3k3/1P6/8/3pP3/8/2n5/P7/R3K2R w KQq d6");
  const Zugliste ruhe = ZugGenerator(st, GenRuhesuche);
  std::vector<std::string> texte = Texte(ruhe);
  std::sort(texte.begin(), texte.end());
  std::vector<std::string> erwartet = {"b7a8b", "b7a8n", "b7a8q", "b7a8r", "b7b8b",
                                       "b7b8n", "b7b8q", "b7b8r", "e5d6"};
  std::sort(erwartet.begin(), erwartet.end());
  EXPECT_EQ(texte, erwartet);

  // In check mode 1 becomes mode 0: every legal move, quiet ones included.
  const Stellung schach = Pos("4k3/8/8/8/8/8/4r3/R3K3 w Q -");
  ASSERT_EQ(schach.schachW, 1);
  EXPECT_EQ(Texte(ZugGenerator(schach, GenRuhesuche)), Texte(ZugGenerator(schach, GenAlleZuege)));
  EXPECT_TRUE(Enthaelt(ZugGenerator(schach, GenRuhesuche), "e1", "d1"));
}

TEST(ZugGenerator, EnPassantFelder) {
  const Zugliste w = ZugGenerator(Pos("4k3/8/8/3pP3/8/8/8/4K3 w - d6"), GenAlleZuege);
  const Zug zw = Suche(w, "e5", "d6");
  EXPECT_EQ(zw.geschlagen, -Bauer);
  EXPECT_EQ(zw.enPassant, 1);
  EXPECT_EQ(zw.figur, Bauer);
  EXPECT_EQ(zw.zugart, 0);
  EXPECT_EQ(Suche(w, "e5", "e6").enPassant, 0);

  const Zugliste s = ZugGenerator(Pos("4k3/8/8/8/3pP3/8/8/4K3 b - e3"), GenAlleZuege);
  const Zug zs = Suche(s, "d4", "e3");
  EXPECT_EQ(zs.geschlagen, Bauer);
  EXPECT_EQ(zs.enPassant, 1);
  EXPECT_EQ(zs.figur, -Bauer);
  EXPECT_EQ(zs.nach, Feld("e3"));
}

TEST(ZugGenerator, SchachbyteDirektAbzugUndRuhig) {
  struct Fall {
    const char* fen;
    const char* von;
    const char* nach;
    int schach;
  };
  const Fall faelle[] = {
      {"4k3/8/8/8/4N3/8/8/4R2K w - -", "e4", "c5", 1},    // discovered by the knight
      {"4k3/8/8/8/4N3/8/8/4R2K w - -", "e4", "d6", 1},    // discovered and direct
      {"4k3/8/8/8/4N3/8/8/4R2K w - -", "h1", "h2", 0},    // quiet, off every line
      {"4k3/8/8/8/4N3/8/8/4R2K w - -", "e1", "e2", 0},    // along the line, still blocked
      {"4k3/8/8/8/8/8/8/R3K3 w - -", "a1", "a8", 1},      // direct rook check
      {"4k3/8/3P4/8/8/8/8/4K3 w - -", "d6", "d7", 1},     // pawn check
      {"4k3/8/8/8/8/8/8/4K2R w K -", "e1", "g1", 0},      // castling, no check
      {"5k2/8/8/8/8/8/8/4K2R w K -", "e1", "g1", 1},      // castling, rook checks on f
      {"8/8/8/8/8/8/8/R3K2k w Q -", "e1", "c1", 1},       // castling, rook checks on rank 1
      {"6k1/8/8/3pP3/8/8/B7/4K3 w - d6", "e5", "d6", 1},  // en passant opens a2-g8
      {"6k1/8/8/3pP3/8/8/B7/4K3 w - d6", "e5", "e6", 0},
      {"r7/1P6/2k5/8/8/8/8/K7 w - -", "b7", "a8", 1},  // the queen looks past the pawn's square
      {"7k/8/8/8/8/8/1P6/B6K w - -", "b2", "b4", 1},   // the double step leaves a1-h8
      {"4k3/8/8/8/8/8/8/4RK2 w - -", "f1", "g1", 1},   // made by hand: Black is in check already
  };
  for (const Fall& f : faelle) {
    const Stellung st = Pos(f.fen);
    const Zug z = ZugVon(st, f.von, f.nach);
    ASSERT_FALSE(IstKeinZug(z)) << f.fen << " " << f.von << f.nach;
    EXPECT_EQ(z.schach, f.schach) << f.fen << " " << f.von << f.nach;
    // The flag is exact: the child's check flag agrees with the attack test.
    const Stellung kind = ZugAusfuehren(st, z, 1);
    EXPECT_TRUE(StellungPruefen(kind).empty()) << f.fen << " " << f.von << f.nach;
  }
}

TEST(ZugGenerator, RochadeNurMitSicherenFeldern) {
  struct Fall {
    const char* fen;
    bool lang;
    bool kurz;
  };
  const Fall faelle[] = {
      {"4k3/8/8/8/8/8/8/R3K2R w KQ -", true, true},
      {"4k3/8/8/8/8/8/8/R3K2R w - -", false, false},  // no rights
      {"4k3/8/8/8/8/8/8/R3K2R w K -", false, true},
      {"4k3/8/8/8/8/8/4r3/R3K2R w KQ -", false, false},  // king in check
      {"4k3/8/8/8/8/8/3r4/R3K2R w KQ -", false, true},   // d1 crossed, attacked
      {"4k3/8/8/8/8/8/2r5/R3K2R w KQ -", false, true},   // c1 landing, attacked
      {"4k3/8/8/8/8/8/1r6/R3K2R w KQ -", true, true},    // b1 may be attacked
      {"4k3/8/8/8/8/8/5r2/R3K2R w KQ -", true, false},   // f1 attacked
      {"4k3/8/8/8/8/8/8/RN2K1NR w KQ -", false, false},  // squares occupied
      {"r3k2r/8/8/8/8/8/8/4K3 b kq -", true, true},
      {"r3k2r/8/8/8/8/8/8/3RK3 b kq -", false, true},  // d8 attacked
      {"r3k2r/8/8/8/8/8/8/1R2K3 b kq -", true, true},  // b8 may be attacked
  };
  for (const Fall& f : faelle) {
    const Stellung st = Pos(f.fen);
    const Zugliste l = ZugGenerator(st, GenAlleZuege);
    const bool weiss = st.amZug == Weiss;
    EXPECT_EQ(Enthaelt(l, weiss ? "e1" : "e8", weiss ? "c1" : "c8"), f.lang) << f.fen;
    EXPECT_EQ(Enthaelt(l, weiss ? "e1" : "e8", weiss ? "g1" : "g8"), f.kurz) << f.fen;
    Zugliste zl;
    ZuglisteErzeugen(st, 0, zl);
    EXPECT_EQ(Enthaelt(zl, weiss ? "e1" : "e8", weiss ? "c1" : "c8"), f.lang) << f.fen;
    EXPECT_EQ(Enthaelt(zl, weiss ? "e1" : "e8", weiss ? "g1" : "g8"), f.kurz) << f.fen;
  }
}

// An en-passant capture whose captured pawn was the only man
// between the own king and an enemy rook is illegal.
TEST(ZugGenerator, EnPassantDasDenEigenenKoenigFreilegtIstIllegal) {
  const Stellung st = Pos(Position3);
  const Stellung nachG4 = ZugAusfuehren(st, ZugVon(st, "g2", "g4"), 1);
  ASSERT_EQ(nachG4.epFeld, Feld("g3"));
  const Zugliste l = ZugGenerator(nachG4, GenAlleZuege);
  EXPECT_FALSE(Enthaelt(l, "f4", "g3"));
  EXPECT_FALSE(Enthaelt(ZugGenerator(nachG4, GenRuhesuche), "f4", "g3"));
  Zugliste zl;
  ZuglisteErzeugen(nachG4, 0, zl);
  EXPECT_FALSE(Enthaelt(zl, "f4", "g3"));
  EXPECT_EQ(Perft(st, 2), 191u);

  // Same square, nothing behind: the capture stands.
  const Stellung frei = Pos("8/8/8/8/5pPk/8/8/K7 b - g3");
  EXPECT_TRUE(Enthaelt(ZugGenerator(frei, GenAlleZuege), "f4", "g3"));
  ZuglisteErzeugen(frei, 0, zl);
  EXPECT_TRUE(Enthaelt(zl, "f4", "g3"));
  // The capture that removes the checking pawn answers the check.
  const Stellung schach = Pos("8/8/8/3pP3/4K3/8/8/7k w - d6");
  ASSERT_EQ(schach.schachW, 1);
  EXPECT_TRUE(Enthaelt(ZugGenerator(schach, GenAlleZuege), "e5", "d6"));
  ZuglisteErzeugen(schach, 0, zl);
  EXPECT_TRUE(Enthaelt(zl, "e5", "d6"));
}

// More men than chess allows never write past the 256 slots.
TEST(ZugGenerator, UeberfuellteBretterSchreibenHoechstens256Zuege) {
  // 28 queens round the edge have 288 moves.
  const Stellung st = Pos("QQQQQQQQ/Q6Q/Q6Q/Q6Q/Q6Q/Q6Q/Q6Q/QQQQQQQQ w - -");
  const Zugliste l = ZugGenerator(st, GenAlleZuege);
  EXPECT_EQ(l.anzahl, MaxZuege);
  for (int i = 0; i < l.anzahl; ++i) EXPECT_EQ(l.zuege[i].figur, Dame);
  Zugliste zl;
  EXPECT_EQ(ZuglisteErzeugen(st, 0, zl), MaxZuege);
  EXPECT_EQ(zl.anzahl, MaxZuege);
  // With kings on the board too.
  const Stellung mitKoenigen = Pos("QQQQQQQQ/Q6Q/Q6Q/Q2k3Q/Q6Q/Q6Q/Q6Q/KQQQQQQQ b - -");
  EXPECT_LE(ZugGenerator(mitKoenigen, GenAlleZuege).anzahl, MaxZuege);
  EXPECT_LE(ZuglisteErzeugen(mitKoenigen, 0, zl), MaxZuege);
  const Stellung weissAmZug = Pos("QQQQQQQQ/Q6Q/Q6Q/Q6Q/Q6Q/Q6Q/Q6Q/KQQQQQQQ w - -");
  EXPECT_EQ(ZugGenerator(weissAmZug, GenAlleZuege).anzahl, MaxZuege);
}

// A king square of 64 reads only the tables' empty entries.
TEST(ZugGenerator, OhneKoenigKeinAbsturz) {
  struct Fall {
    const char* fen;
    int anzahl;
  };
  const Fall faelle[] = {
      {"8/8/8/8/8/8/8/R7 w - -", 14},    // no king at all
      {"8/8/8/8/8/8/8/R7 b - -", 0},     // Black has nothing
      {"4k3/8/8/8/8/8/8/R7 w - -", 14},  // no White king
      {"4k3/8/8/8/8/8/4R3/8 b - -", 4},  // Black in check, no White king
      {"8/8/8/8/8/8/4P3/4K3 b - -", 0},
      {"8/4p3/8/8/8/8/8/R3K2R b KQ -", 2},  // no Black king, pawn only
  };
  for (const Fall& f : faelle) {
    const Stellung st = Pos(f.fen);
    const Zugliste l = ZugGenerator(st, GenAlleZuege);
    EXPECT_EQ(l.anzahl, f.anzahl) << f.fen;
    EXPECT_TRUE(GeneratorenGleich(st)) << f.fen;
    EXPECT_LE(ZugGenerator(st, GenRuhesuche).anzahl, l.anzahl);
    for (int i = 0; i < l.anzahl; ++i)
      EXPECT_TRUE(StellungPruefen(ZugAusfuehren(st, l.zuege[i], 1)).empty())
          << f.fen << " " << ZugKoordinaten(l.zuege[i]);
  }
  // A check against a missing king is never flagged; against a present one it is.
  const Zugliste l = ZugGenerator(Pos("4k3/8/8/8/8/8/8/R7 w - -"), GenAlleZuege);
  EXPECT_EQ(Suche(l, "a1", "a8").schach, 1);
  EXPECT_EQ(Suche(l, "a1", "a7").schach, 0);
}

TEST(ZuglisteErzeugen, EigeneKodierung) {
  Zugliste l;
  // Double step beside an enemy pawn 4, else 0; capture 2; ep 2 with 0
  // captured; promotions by push 16..128, by capture 18..130 (knight first).
  const Stellung st = Pos("1r2k3/P7/8/8/3p4/8/2P1P3/4K3 w - -");
  ZuglisteErzeugen(st, 0, l);
  EXPECT_EQ(Suche(l, "c2", "c4").zugart, 4);
  EXPECT_EQ(Suche(l, "e2", "e4").zugart, 4);
  EXPECT_EQ(Suche(l, "c2", "c3").zugart, 0);
  std::vector<int> push, schlag;
  for (int i = 0; i < l.anzahl; ++i) {
    const Zug& z = l.zuege[i];
    EXPECT_EQ(z.schach, 0);
    EXPECT_EQ(z.enPassant, 0);
    EXPECT_GT(z.figur, 0);
    if (z.von == Feld("a7") && z.nach == Feld("a8")) push.push_back(z.zugart);
    if (z.von == Feld("a7") && z.nach == Feld("b8")) {
      schlag.push_back(z.zugart);
      EXPECT_EQ(z.geschlagen, -Turm);
    }
  }
  EXPECT_EQ(push, (std::vector<int>{16, 32, 64, 128}));
  EXPECT_EQ(schlag, (std::vector<int>{18, 34, 66, 130}));

  const Stellung nachE4 = ZugAusfuehren(st, ZugVon(st, "e2", "e4"), 1);
  ZuglisteErzeugen(nachE4, 0, l);
  const Zug ep = Suche(l, "d4", "e3");
  EXPECT_EQ(ep.zugart, 2);
  EXPECT_EQ(ep.geschlagen, 0);
  EXPECT_EQ(ep.figur, -Bauer);
  // Make move takes Zugart 2 onto the en-passant square as en passant.
  const Stellung kind = ZugAusfuehren(nachE4, ep, 1);
  EXPECT_EQ(kind.figurenfeld[Feld("e4")], 0);
  EXPECT_TRUE(StellungPruefen(kind).empty());

  // Mode 1: captures only (en passant included), no pushes, no promotions by push.
  ZuglisteErzeugen(st, 1, l);
  std::vector<std::string> texte = Texte(l);
  std::sort(texte.begin(), texte.end());
  EXPECT_EQ(texte, (std::vector<std::string>{"a7b8b", "a7b8n", "a7b8q", "a7b8r"}));
  ZuglisteErzeugen(nachE4, 1, l);
  EXPECT_EQ(Texte(l), (std::vector<std::string>{"d4e3"}));
}

// The second generator's moves, played by make move, give the same child as
// the first generator's (gives-check aside, which it leaves 0).
void ZuegeGleichGespielt(const Stellung& st, int tiefe, int& verglichen) {
  const Zugliste a = ZugGenerator(st, GenAlleZuege);
  Zugliste b;
  ZuglisteErzeugen(st, 0, b);
  ASSERT_TRUE(GeneratorenGleich(st));
  for (int i = 0; i < b.anzahl; ++i) {
    const Zug& zb = b.zuege[i];
    if (zb.zugart > 2 && (zb.zugart & 2)) continue;  // capture promotions: not playable
    for (int j = 0; j < a.anzahl; ++j) {
      const Zug& za = a.zuege[j];
      if (za.von != zb.von || za.nach != zb.nach || (za.zugart & 0xF0) != (zb.zugart & 0xF0))
        continue;
      Stellung ka = ZugAusfuehren(st, za, 1), kb = ZugAusfuehren(st, zb, 1);
      ka.schachW = kb.schachW = ka.schachS = kb.schachS = 0;
      ASSERT_EQ(0, std::memcmp(&ka, &kb, sizeof ka)) << ZugKoordinaten(za);
      ++verglichen;
    }
  }
  if (tiefe > 1)
    for (int j = 0; j < a.anzahl; ++j)
      ZuegeGleichGespielt(ZugAusfuehren(st, a.zuege[j], 1), tiefe - 1, verglichen);
}

TEST(ZuglisteErzeugen, ZuegeSpielenWieDieDesErstenGenerators) {
  int verglichen = 0;
  for (const char* fen : {Kiwipete, Position3, Position4, Position5})
    ZuegeGleichGespielt(Pos(fen), 2, verglichen);
  EXPECT_GT(verglichen, 4000);
}

struct PerftFall {
  const char* name;
  const char* fen;
  int tiefe;
  uint64_t knoten;
};

const PerftFall PerftFaelle[] = {
    {"initial", StartFEN, 4, 197281},    {"kiwipete", Kiwipete, 3, 97862},
    {"position3", Position3, 5, 674624}, {"position3", Position3, 2, 191},
    {"position4", Position4, 3, 9467},   {"position5", Position5, 3, 62379},
    {"position6", Position6, 3, 89890},
};

TEST(Perft, VeroeffentlichteZahlen) {
  for (const PerftFall& f : PerftFaelle) {
    const Stellung st = Pos(f.fen);
    EXPECT_EQ(Perft(st, f.tiefe), f.knoten) << f.name << " depth " << f.tiefe;
    EXPECT_EQ(Perft(st, f.tiefe, true), f.knoten) << f.name << " depth " << f.tiefe << " bulk";
  }
}

TEST(Perft, TeilungSummiertSich) {
  const auto teile = PerftTeilen(Pos(Kiwipete), 2);
  ASSERT_EQ(teile.size(), 48u);
  uint64_t summe = 0;
  for (const auto& t : teile) summe += t.knoten;
  EXPECT_EQ(summe, 2039u);
}

// Every node of smaller trees: incremental key, check flags, StellungLegal,
// square array, rotated boards, and both generators giving the same moves.
TEST(Perft, JederKnotenKonsistent) {
  const PerftFall faelle[] = {
      {"initial", StartFEN, 3, 8902},     {"kiwipete", Kiwipete, 2, 2039},
      {"position3", Position3, 4, 43238}, {"position4", Position4, 3, 9467},
      {"position5", Position5, 2, 1486},  {"position6", Position6, 2, 2079},
  };
  for (const PerftFall& f : faelle) {
    const PerftPruefung p = PerftPruefen(Pos(f.fen), f.tiefe, true);
    EXPECT_EQ(p.knoten, f.knoten) << f.name;
    EXPECT_EQ(p.fehler, 0u) << f.name << ": " << (p.meldungen.empty() ? "" : p.meldungen[0]);
  }
}

TEST(Perft, PruefungMeldetFehler) {
  Stellung st = Pos(StartFEN);
  st.schachW = 1;  // wrong: nothing attacks e1
  st.schluessel ^= 1;
  const PerftPruefung p = PerftPruefen(st, 1);
  EXPECT_EQ(p.knoten, 20u);
  // The root, and every child, whose keys were updated from the wrong one.
  EXPECT_EQ(p.fehler, 21u);
  ASSERT_GE(p.meldungen.size(), 3u);
  EXPECT_NE(p.meldungen[0].find("(root) incremental key"), std::string::npos) << p.meldungen[0];
  EXPECT_NE(p.meldungen[1].find("(root) schachW is 1"), std::string::npos) << p.meldungen[1];
  EXPECT_NE(p.meldungen[2].find("a2a3"), std::string::npos) << p.meldungen[2];
}

TEST(ZugGenerator, MehrereThreadsGleichzeitig) {
  const Stellung st = Pos(Kiwipete);
  std::vector<uint64_t> ergebnis(4, 0);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < ergebnis.size(); ++i)
    threads.emplace_back([&, i] { ergebnis[i] = Perft(st, 3); });
  for (auto& t : threads) t.join();
  for (uint64_t e : ergebnis) EXPECT_EQ(e, 97862u);
}

}  // namespace
}  // namespace galdrik::test
