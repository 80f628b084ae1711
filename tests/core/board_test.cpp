// Board records, lookup tables and rotations.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "core/board.h"
#include "core/zobrist.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

using test::Feld;

Bitboard Bit(int s) { return Bitboard{1} << s; }

// Attacks along the given (file, rank) steps from s, stopping after the first
// occupied square: the plain walk every sliding table must agree with.
Bitboard Strahl(int s, Bitboard belegt, const std::vector<std::pair<int, int>>& richtungen) {
  Bitboard r = 0;
  for (auto [dl, dr] : richtungen) {
    int l = Linie(s) + dl, k = Reihe(s) + dr;
    while (l >= 0 && l < 8 && k >= 0 && k < 8) {
      r |= Bit(FeldVon(l, k));
      if (belegt & Bit(FeldVon(l, k))) break;
      l += dl;
      k += dr;
    }
  }
  return r;
}

struct Richtung {
  const char* name;
  std::vector<std::pair<int, int>> schritte;
  Bitboard (*lookup)(int, Bitboard);
};

Bitboard ReiheLookup(int s, Bitboard b) { return ReihenAngriffe(s, b); }
Bitboard LinieLookup(int s, Bitboard b) { return LinienAngriffe(s, BitboardDrehen90(b)); }
Bitboard A1H8Lookup(int s, Bitboard b) { return A1H8Angriffe(s, BitboardDrehenA1H8(b)); }
Bitboard H1A8Lookup(int s, Bitboard b) { return H1A8Angriffe(s, BitboardDrehenH1A8(b)); }

TEST(Schiebetabellen, StimmenMitStrahlUeberein) {
  const Richtung richtungen[] = {
      {"rank", {{1, 0}, {-1, 0}}, ReiheLookup},
      {"file", {{0, 1}, {0, -1}}, LinieLookup},
      {"a1-h8", {{1, 1}, {-1, -1}}, A1H8Lookup},
      {"h1-a8", {{-1, 1}, {1, -1}}, H1A8Lookup},
  };
  std::mt19937_64 zufall(12345);
  for (const auto& r : richtungen) {
    for (int s = 0; s < 64; ++s) {
      // Every occupancy of the squares on the line through s, with random
      // men elsewhere (the other diagonal sharing the byte included).
      std::vector<int> linie;
      for (auto [dl, dr] : r.schritte)
        for (int l = Linie(s) + dl, k = Reihe(s) + dr; l >= 0 && l < 8 && k >= 0 && k < 8;
             l += dl, k += dr)
          linie.push_back(FeldVon(l, k));
      Bitboard linienMaske = 0;
      for (int f : linie) linienMaske |= Bit(f);
      for (unsigned teil = 0; teil < (1u << linie.size()); ++teil) {
        Bitboard belegt = zufall() & zufall() & ~linienMaske;
        for (size_t i = 0; i < linie.size(); ++i)
          if (teil & (1u << i)) belegt |= Bit(linie[i]);
        if (teil & 1) belegt |= Bit(s);  // the piece's own square never matters
        ASSERT_EQ(r.lookup(s, belegt), Strahl(s, belegt, r.schritte))
            << r.name << " square " << s << " occupancy " << std::hex << belegt;
      }
    }
  }
}

TEST(Schiebetabellen, Randfaelle) {
  // Rank a1 with a1 and d1 occupied: b1, c1, d1; empty byte: b1..h1.
  EXPECT_EQ(ReihenAngriff[Feld("a1")][0b1001], Bit(Feld("b1")) | Bit(Feld("c1")) | Bit(Feld("d1")));
  EXPECT_EQ(ReihenAngriff[Feld("a1")][0], Reihenmaske[0] & ~Bit(0));
  // c1's a1-h8 byte is shared with a7-b8, which it must never see.
  const Bitboard a7b8 = Bit(Feld("a7")) | Bit(Feld("b8"));
  for (int o = 0; o < 256; ++o) EXPECT_EQ(DiagonalAngriffA1H8[Feld("c1")][o] & a7b8, 0u) << o;
  Bitboard h1a8 = 0;
  for (const char* f : {"g2", "f3", "e4", "d5", "c6", "b7", "a8"}) h1a8 |= Bit(Feld(f));
  EXPECT_EQ(DiagonalAngriffH1A8[Feld("h1")][0], h1a8);
}

TEST(Drehungen, Randfaelle) {
  const char* diagonale[] = {"a1", "b2", "c3", "d4", "e5", "f6", "g7", "h8"};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(BitboardDrehenA1H8(Bit(Feld(diagonale[i]))), Bit(i));
  EXPECT_EQ(BitboardDrehenA1H8(Bit(Feld("b1"))), Bit(8));
  EXPECT_EQ(BitboardDrehenH1A8(Bit(Feld("a1"))), Bit(0));
  EXPECT_EQ(BitboardDrehenH1A8(Bit(Feld("h1"))), Bit(56));
  std::mt19937_64 zufall(7);
  for (int i = 0; i < 1000; ++i) {
    const Bitboard b = zufall();
    EXPECT_EQ(BitboardDrehen90(BitboardDrehen90(b)), b);
    EXPECT_EQ(BitAnzahl(BitboardDrehenA1H8(b)), BitAnzahl(b));
    EXPECT_EQ(BitAnzahl(BitboardDrehenH1A8(b)), BitAnzahl(b));
  }
}

TEST(Sprungtabellen, EckenUndBauern) {
  EXPECT_EQ(KoenigAngriff[Feld("a1")], Bit(Feld("a2")) | Bit(Feld("b1")) | Bit(Feld("b2")));
  EXPECT_EQ(BitAnzahl(KoenigAngriff[Feld("e4")]), 8);
  EXPECT_EQ(SpringerAngriff[Feld("a1")], Bit(Feld("b3")) | Bit(Feld("c2")));
  EXPECT_EQ(BitAnzahl(SpringerAngriff[Feld("e4")]), 8);
  EXPECT_EQ(BauerAngriffWeiss[Feld("a2")], Bit(Feld("b3")));
  EXPECT_EQ(BauerAngriffWeiss[Feld("e8")], 0u);
  EXPECT_EQ(BauerAngriffSchwarz[Feld("h7")], Bit(Feld("g6")));
  EXPECT_EQ(BauerAngriffSchwarz[Feld("d1")], 0u);
  EXPECT_EQ(FreibauerMaskeWeiss[Feld("a6")],
            Bit(Feld("a7")) | Bit(Feld("b7")) | Bit(Feld("a8")) | Bit(Feld("b8")));
  EXPECT_EQ(FreibauerMaskeSchwarz[Feld("e2")], Bit(Feld("d1")) | Bit(Feld("e1")) | Bit(Feld("f1")));
  EXPECT_EQ(NachbarlinienMaske[Feld("h5")], Linienmaske[6]);
}

// "No king" is square 64: every table a king square indexes answers empty.
TEST(Sprungtabellen, FeldOhneKoenigIstLeer) {
  const Stellung st = Grundstellung();
  EXPECT_EQ(Feldmaske[KeinFeld], 0u);
  EXPECT_EQ(KoenigAngriff[KeinFeld] | SpringerAngriff[KeinFeld], 0u);
  EXPECT_EQ(BauerAngriffWeiss[KeinFeld] | BauerAngriffSchwarz[KeinFeld], 0u);
  EXPECT_EQ(DamenAngriffe(st, KeinFeld), 0u);
  EXPECT_EQ(FreibauerMaskeWeiss[KeinFeld] | FreibauerMaskeSchwarz[KeinFeld], 0u);
  EXPECT_EQ(NachbarlinienMaske[KeinFeld], 0u);
}

TEST(Stellungen, Grundstellung) {
  const Stellung st = Grundstellung();
  const uint8_t erwartet[16] = {1, 2, 2, 0, 1, 2, 2, 0, 1, 1, 4, 4, 1, 1, 4, 4};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(st.anzahl[i], erwartet[i]) << "anzahl " << i;
  const int8_t reihe1[8] = {4, 2, 3, 5, 6, 3, 2, 4};
  for (int l = 0; l < 8; ++l) {
    EXPECT_EQ(st.figurenfeld[l], reihe1[l]);
    EXPECT_EQ(st.figurenfeld[8 + l], 1);
    EXPECT_EQ(st.figurenfeld[48 + l], -1);
    EXPECT_EQ(st.figurenfeld[56 + l], -reihe1[l]);
    for (int r = 2; r < 6; ++r) EXPECT_EQ(st.figurenfeld[8 * r + l], 0);
  }
  EXPECT_EQ(st.koenigW, 4);
  EXPECT_EQ(st.koenigS, 60);
  EXPECT_EQ(st.amZug, Weiss);
  EXPECT_EQ(st.epFeld, KeinEPFeld);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(st.rochade[i], 1);
  EXPECT_EQ(st.bewertung, 0);
  EXPECT_EQ(st.belegt90, BitboardDrehen90(st.belegt));
  EXPECT_EQ(st.schluessel, HashCodeBerechnen(st));
  EXPECT_FALSE(StellungLegal(st));
  // The independent builder gives the same record.
  const Stellung vonHand = test::Brett("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
  EXPECT_EQ(std::memcmp(&vonHand, &st, sizeof st), 0);
}

TEST(Stellungen, Leerstellung) {
  const Stellung st = Leerstellung();
  EXPECT_EQ(st.koenigW, KeinFeld);
  EXPECT_EQ(st.koenigS, KeinFeld);
  EXPECT_EQ(st.schluessel, 0u);
  EXPECT_EQ(st.amZug, Weiss);
  EXPECT_EQ(st.epFeld, KeinEPFeld);
  EXPECT_EQ(st.belegt, 0u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(st.rochade[i], 0);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(st.anzahl[i], 0);
}

TEST(Stellungen, FigurAufFeld) {
  Stellung st = Grundstellung();
  EXPECT_EQ(FigurAufFeld(st, 64), UngueltigeFigur);
  EXPECT_EQ(FigurAufFeld(st, 255), UngueltigeFigur);
  EXPECT_EQ(FigurAufFeld(st, Feld("e4")), Leer);
  EXPECT_EQ(FigurAufFeld(st, Feld("e1")), Koenig);
  EXPECT_EQ(FigurAufFeld(st, Feld("d8")), -Dame);
  st.springer &= ~Bit(Feld("g1"));  // colour board holds it, no type board does
  EXPECT_EQ(FigurAufFeld(st, Feld("g1")), UngueltigeFigur);
}

TEST(Stellungen, StellungLegalFindetWidersprueche) {
  struct Fall {
    const char* name;
    void (*aendern)(Stellung&);
  };
  const Fall faelle[] = {
      {"key not recomputed", [](Stellung& st) { st.amZug = Schwarz; }},
      {"colours overlap", [](Stellung& st) { st.schwarz |= Bit(Feld("e2")); }},
      {"belegt stale", [](Stellung& st) { st.weiss &= ~Bit(Feld("a2")); }},
      {"types overlap", [](Stellung& st) { st.laeufer |= Bit(Feld("a2")); }},
      {"type board stray", [](Stellung& st) { st.damen |= Bit(Feld("e4")); }},
  };
  for (const auto& f : faelle) {
    Stellung st = Grundstellung();
    f.aendern(st);
    EXPECT_TRUE(StellungLegal(st)) << f.name;
  }
  // A kingless record is consistent as long as its boards agree.
  EXPECT_FALSE(StellungLegal(test::Brett("8/8/8/8/8/8/8/R7 w - -")));
}

}  // namespace
}  // namespace galdrik
