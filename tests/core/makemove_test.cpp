// Make move, the attack tests, the exchange helper, capture values and the
// table-move check.
#include "core/makemove.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/movetest_util.h"
#include "core/perft.h"
#include "core/zobrist.h"

namespace galdrik::test {
namespace {

Bitboard M(const char* feld) { return Feldmaske[Feld(feld)]; }

bool Gleich(const Stellung& a, const Stellung& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Plays the generator's move with key update and checks that the child is
// consistent in every respect the perft check knows.
Stellung Spiele(const Stellung& st, const char* von, const char* nach, int art = -1) {
  const Zug z = ZugVon(st, von, nach, art);
  EXPECT_FALSE(IstKeinZug(z)) << von << nach << " is not generated";
  const Stellung kind = ZugAusfuehren(st, z, 1);
  for (const auto& f : StellungPruefen(kind)) ADD_FAILURE() << von << nach << ": " << f;
  return kind;
}

TEST(ZugAusfuehren, HalbzugZaehlerUndEnPassantFeld) {
  struct Fall {
    const char* fen;
    const char* von;
    const char* nach;
    int halbzuege;  // starting at 7
    int epFeld;     // 255 none
  };
  const Fall faelle[] = {
      {"4k3/8/8/8/8/8/4P3/4K3 w - -", "e2", "e3", 0, 255},         // pawn step
      {"4k3/8/8/8/8/8/4P3/4K3 w - -", "e2", "e4", 0, Feld("e3")},  // double step, no capturer
      {"4k3/4p3/8/8/8/8/8/4K3 b - -", "e7", "e5", 0, Feld("e6")},  // Black double step
      {"4k3/8/8/8/8/5p2/8/4K1N1 w - -", "g1", "f3", 0, 255},       // piece capture
      {"4k3/8/8/8/8/8/8/4K1N1 w - -", "g1", "f3", 8, 255},         // quiet piece move
      {"4k3/8/8/8/8/8/8/4K2R w K -", "e1", "g1", 8, 255},          // castling
      {"4k3/8/8/3pP3/8/8/8/4K3 w - d6", "e5", "d6", 0, 255},       // en passant
  };
  for (const Fall& f : faelle) {
    Stellung st = Pos(f.fen);
    st.halbzuege = 7;
    st.schluessel = HashCodeBerechnen(st);
    const Stellung kind = Spiele(st, f.von, f.nach);
    EXPECT_EQ(kind.halbzuege, f.halbzuege) << f.fen << " " << f.von << f.nach;
    EXPECT_EQ(kind.epFeld, f.epFeld) << f.fen << " " << f.von << f.nach;
    EXPECT_EQ(kind.amZug, 1 - st.amZug);
  }
}

TEST(ZugAusfuehren, RochadenSetzenKoenigTurmUndRechte) {
  const Stellung st = Pos("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
  const Stellung lang = Spiele(st, "e1", "c1", ZugartRochade);
  EXPECT_EQ(lang.koenigW, Feld("c1"));
  EXPECT_EQ(lang.figurenfeld[Feld("c1")], Koenig);
  EXPECT_EQ(lang.figurenfeld[Feld("d1")], Turm);
  EXPECT_EQ(lang.figurenfeld[Feld("a1")], 0);
  EXPECT_EQ(lang.figurenfeld[Feld("e1")], 0);
  EXPECT_TRUE(lang.tuerme & M("d1"));
  EXPECT_FALSE(lang.tuerme & M("a1"));
  EXPECT_EQ(lang.weiss & Reihenmaske[0], M("c1") | M("d1") | M("h1"));
  EXPECT_EQ(lang.rochade[RochadeWeissLang], 0);
  EXPECT_EQ(lang.rochade[RochadeWeissKurz], 0);
  EXPECT_EQ(lang.rochade[RochadeSchwarzLang], 1);
  EXPECT_EQ(lang.rochade[RochadeSchwarzKurz], 1);

  const Stellung kurz = Spiele(lang, "e8", "g8", ZugartRochade);
  EXPECT_EQ(kurz.figurenfeld[Feld("g8")], -Koenig);
  EXPECT_EQ(kurz.figurenfeld[Feld("f8")], -Turm);
  EXPECT_EQ(kurz.figurenfeld[Feld("h8")], 0);
  EXPECT_EQ(kurz.koenigS, Feld("g8"));
  EXPECT_EQ(kurz.rochade[RochadeSchwarzLang], 0);
  EXPECT_EQ(kurz.rochade[RochadeSchwarzKurz], 0);
}

TEST(ZugAusfuehren, UmwandlungInSpringer) {
  const Stellung st = Pos("8/4P1k1/8/8/8/8/8/4K3 w - -");
  const Stellung kind = Spiele(st, "e7", "e8", ZugartUmwSpringer);
  EXPECT_EQ(kind.figurenfeld[Feld("e8")], Springer);
  EXPECT_TRUE(kind.springer & M("e8"));
  EXPECT_FALSE(kind.bauern & (M("e8") | M("e7")));
  // The knight checks g7: the generator said so, make move took it over.
  EXPECT_EQ(kind.schachS, 1);

  const Stellung schwarz = Pos("4k3/8/8/8/8/8/3p4/2R1K3 b - -");
  const Stellung dame = Spiele(schwarz, "d2", "c1", ZugartUmwDame);
  EXPECT_EQ(dame.figurenfeld[Feld("c1")], -Dame);
  EXPECT_TRUE(dame.damen & dame.schwarz & M("c1"));
  EXPECT_FALSE(dame.tuerme & M("c1"));
  EXPECT_EQ(dame.schachW, 1);
}

TEST(ZugAusfuehren, GeschlageneTuermeBeendenNurIhrRecht) {
  const Stellung st = Pos("r3k2r/8/6N1/8/8/8/8/R3K2R w KQkq -");
  const Stellung kind = Spiele(st, "g6", "h8");
  EXPECT_EQ(kind.rochade[RochadeSchwarzKurz], 0);
  EXPECT_EQ(kind.rochade[RochadeSchwarzLang], 1);
  EXPECT_EQ(kind.rochade[RochadeWeissLang], 1);
  EXPECT_EQ(kind.rochade[RochadeWeissKurz], 1);
  EXPECT_FALSE(kind.tuerme & M("h8"));
  EXPECT_TRUE(kind.springer & kind.weiss & M("h8"));

  // A rook leaving its corner ends its own right only.
  const Stellung turm = Spiele(st, "a1", "a5");
  EXPECT_EQ(turm.rochade[RochadeWeissLang], 0);
  EXPECT_EQ(turm.rochade[RochadeWeissKurz], 1);
}

TEST(ZugAusfuehren, EnPassantEntferntDenBauernUeberall) {
  const Stellung st = Pos("4k3/8/8/3pP3/8/8/8/4K3 w - d6");
  const Zug z = ZugVon(st, "e5", "d6");
  EXPECT_EQ(z.enPassant, 1);
  EXPECT_EQ(z.geschlagen, -Bauer);
  const Stellung kind = ZugAusfuehren(st, z, 1);
  EXPECT_EQ(kind.figurenfeld[Feld("d5")], 0);
  EXPECT_EQ(kind.figurenfeld[Feld("d6")], Bauer);
  EXPECT_EQ(kind.bauern, M("d6"));
  EXPECT_EQ(kind.schwarz, M("e8"));
  EXPECT_FALSE(kind.belegt & M("d5"));
  EXPECT_TRUE(StellungPruefen(kind).empty());
}

TEST(ZugAusfuehren, ZugartZweiUndVierSpielenWieNull) {
  // The second generator's encoding: 2 for a capture (and for en passant
  // with nothing captured), 4 for a double step beside an enemy pawn.
  const Stellung st = Pos("4k3/8/8/3pP3/8/8/5P2/4K3 w - d6");
  Zug ep = ZugVon(st, "e5", "d6");
  Zug alsZwei = ep;
  alsZwei.zugart = 2;
  alsZwei.enPassant = 0;
  alsZwei.geschlagen = 0;
  EXPECT_TRUE(Gleich(ZugAusfuehren(st, ep, 1), ZugAusfuehren(st, alsZwei, 1)));
  Zug doppel = ZugVon(st, "f2", "f4");
  Zug alsVier = doppel;
  alsVier.zugart = 4;
  EXPECT_TRUE(Gleich(ZugAusfuehren(st, doppel, 1), ZugAusfuehren(st, alsVier, 1)));
}

TEST(ZugAusfuehren, SchluesselNurMitFlagEinsUndElternUnveraendert) {
  const Stellung st = Pos(StartFEN);
  Stellung kopie = st;
  const Zug z = ZugVon(st, "g1", "f3");
  const Stellung ohne = ZugAusfuehren(st, z, 0);
  EXPECT_EQ(ohne.schluessel, st.schluessel);
  const Stellung mit = ZugAusfuehren(st, z, 1);
  EXPECT_EQ(mit.schluessel, HashCodeBerechnen(mit));
  EXPECT_NE(mit.schluessel, st.schluessel);
  EXPECT_EQ(0, std::memcmp(&kopie, &st, sizeof st));
  // The child may be the parent's own storage.
  ZugAusfuehren(kopie, kopie, z, 1);
  EXPECT_EQ(0, std::memcmp(&kopie, &mit, sizeof mit));
}

TEST(ZugAusfuehren, BehaeltAnzahlBewertungUndRemisMaterial) {
  Stellung st = Pos("4k3/8/8/8/8/5p2/8/4K1N1 w - -");
  st.bewertung = 123;
  st.remisRegel = 1;
  const Stellung kind = Spiele(st, "g1", "f3");
  EXPECT_EQ(0, std::memcmp(kind.anzahl, st.anzahl, sizeof st.anzahl));
  EXPECT_EQ(kind.bewertung, 123);
  EXPECT_EQ(kind.remisRegel, 0);
}

TEST(ZugAusfuehren, UngueltigeFelderAendernNichts) {
  const Stellung st = Pos(StartFEN);
  Zug z{};
  z.von = 64;
  z.nach = 200;
  z.figur = Dame;
  const Stellung kind = ZugAusfuehren(st, z, 1);
  EXPECT_EQ(0, std::memcmp(&kind, &st, sizeof st));
}

TEST(FeldAngegriffen, JedeAngreiferArt) {
  struct Fall {
    const char* fen;
    const char* feld;
    uint8_t farbe;  // 1: does Black attack
    bool angegriffen;
  };
  const Fall faelle[] = {
      {"8/8/8/8/8/8/1k6/8 w - -", "a1", 1, true},  // king
      {"8/8/8/8/8/8/1k6/8 w - -", "d1", 1, false},
      {"8/8/8/8/8/2p5/8/8 w - -", "b2", 1, true},  // Black pawn attacks downwards
      {"8/8/8/8/8/2p5/8/8 w - -", "b4", 1, false},
      {"8/8/8/8/8/8/2P5/8 w - -", "d3", 0, true},  // White pawn upwards
      {"8/8/8/8/8/8/2P5/8 w - -", "d1", 0, false},
      {"8/8/8/8/8/8/8/1n6 w - -", "c3", 1, true},      // knight
      {"8/8/8/8/8/8/8/r3K3 w - -", "e1", 1, true},     // rook along the rank
      {"8/8/8/8/8/8/8/r1N1K3 w - -", "e1", 1, false},  // blocked
      {"4q3/8/8/8/8/8/8/4K3 w - -", "e1", 1, true},    // queen along the file
      {"7b/8/8/8/8/8/8/K7 w - -", "a1", 1, true},      // bishop along the diagonal
      {"7b/8/8/8/8/8/1P6/K7 w - -", "a1", 1, false},
      {"7B/8/8/8/8/8/8/k7 w - -", "a1", 1, false},  // a White bishop is not asked
      {"7B/8/8/8/8/8/8/k7 w - -", "a1", 0, true},
  };
  for (const Fall& f : faelle)
    EXPECT_EQ(FeldAngegriffen(Pos(f.fen), Feld(f.feld), f.farbe), f.angegriffen)
        << f.fen << " " << f.feld;
}

TEST(FeldAngegriffen, OhneKoenigUndFeld64) {
  // No Black king: the king test is skipped, not read from square 64.
  const Stellung st = Pos("8/8/8/8/8/8/8/4K3 w - -");
  ASSERT_EQ(st.koenigS, KeinFeld);
  for (int s = 0; s < 64; ++s) EXPECT_FALSE(FeldAngegriffen(st, s, 1));
  EXPECT_FALSE(FeldAngegriffen(st, KeinFeld, 0));
  EXPECT_FALSE(FeldAngegriffen(st, KeinFeld, 1));
  EXPECT_FALSE(FeldAngegriffen(st, 255, 1));
}

TEST(AbtauschHilfe, ZaehltAngreiferUndNenntDenBilligsten) {
  // White: Kd2, Qa7, Rd1 (blocked by its king: no x-rays), Bb5, Pe6;
  // Black: Kh8, Nf6.
  const Stellung st = Pos("7k/Q7/4Pn2/1B6/8/8/3K4/3R4 w - -");
  uint8_t typ = 99, wert = 99;
  auto feld = [](const char* f) { return static_cast<uint8_t>(Feld(f)); };
  EXPECT_EQ(AbtauschHilfe(st, 1, feld("d7"), typ, wert), 3);  // queen, bishop, pawn
  EXPECT_EQ(typ, Bauer);
  EXPECT_EQ(wert, 1);
  EXPECT_EQ(AbtauschHilfe(st, 0, feld("d7"), typ, wert), 1);
  EXPECT_EQ(typ, Springer);
  EXPECT_EQ(wert, 3);
  EXPECT_EQ(AbtauschHilfe(st, 1, feld("c3"), typ, wert), 1);
  EXPECT_EQ(typ, Koenig);
  EXPECT_EQ(wert, 0);
  // King and queen: the king counts as the dearest, the queen remains.
  EXPECT_EQ(AbtauschHilfe(st, 1, feld("e3"), typ, wert), 2);
  EXPECT_EQ(typ, Dame);
  EXPECT_EQ(wert, 9);
  EXPECT_EQ(AbtauschHilfe(st, 0, feld("a1"), typ, wert), 0);
  EXPECT_EQ(typ, 0);
  EXPECT_EQ(wert, 0);
}

TEST(FigurWert, Tabelle) {
  struct Fall {
    int8_t geschlagen;
    uint8_t art;
    int16_t wert;
  };
  const Fall faelle[] = {{-5, 0, 850}, {4, 0, 450},   {-3, 0, 300},  {2, 0, 300},    {-1, 0, 100},
                         {1, 16, 200}, {-1, 32, 200}, {1, 64, 350},  {-1, 128, 750}, {1, 2, 100},
                         {0, 0, 0},    {0, 128, 0},   {6, 0, 32767}, {-6, 0, 32767}, {7, 0, 32767}};
  for (const Fall& f : faelle)
    EXPECT_EQ(FigurWert(f.geschlagen, f.art), f.wert) << int(f.geschlagen) << " " << int(f.art);
}

TEST(HashZugGueltig, Faelle) {
  auto zug = [](const char* von, const char* nach, int8_t figur, int8_t geschlagen = 0,
                uint8_t art = 0, uint8_t ep = 0) {
    Zug z{};
    z.von = static_cast<uint8_t>(Feld(von));
    z.nach = static_cast<uint8_t>(Feld(nach));
    z.figur = figur;
    z.geschlagen = geschlagen;
    z.zugart = art;
    z.enPassant = ep;
    return z;
  };
  const Stellung st = Pos("r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq -");
  const Stellung b1 = Pos("r3k2r/8/8/8/8/8/8/RN2K2R w KQkq -");
  const Stellung d1Angegriffen = Pos("r2rk3/8/8/8/8/8/8/R3K2R w KQq -");
  const Stellung ep = Pos("4k3/8/8/3pP3/8/8/8/4K3 w - d6");
  const Stellung schwarz = Pos("r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R b KQkq -");
  struct Fall {
    const Stellung* st;
    Zug z;
    bool gueltig;
    const char* was;
  };
  const Fall faelle[] = {
      {&st, zug("e1", "c1", Koenig, 0, 1), true, "White long castling"},
      {&st, zug("e1", "g1", Koenig, 0, 1), true, "White short castling"},
      {&b1, zug("e1", "c1", Koenig, 0, 1), false, "b1 occupied, right held"},
      {&d1Angegriffen, zug("e1", "c1", Koenig, 0, 1), false, "d1 attacked"},
      {&st, zug("e1", "d1", Koenig, 0, 1), false, "castling to another square"},
      {&schwarz, zug("e8", "g8", -Koenig, 0, 1), true, "Black short castling"},
      {&schwarz, zug("e8", "c8", -Koenig, 0, 1), true, "Black long castling"},
      {&st, zug("e7", "e5", -Bauer), false, "Black piece with White to move"},
      {&st, zug("a1", "a2", Turm, Bauer), false, "capturing an own man"},
      {&st, zug("e2", "e4", Bauer), true, "double step"},
      {&st, zug("e2", "e5", Bauer), false, "triple step"},
      {&schwarz, zug("d7", "d5", -Bauer), true, "Black double step"},
      {&st, zug("a1", "d1", Turm), true, "rook along a free rank"},
      {&st, zug("a1", "a3", Turm), false, "rook through its pawn"},
      {&ep, zug("e5", "d6", Bauer, -Bauer, 0, 1), true, "en passant"},
      {&ep, zug("e5", "f6", Bauer, -Bauer, 0, 1), false, "en passant to another square"},
      {&ep, zug("e5", "d6", Bauer), false, "diagonal step onto the empty ep square, no ep flag"},
      {&st, zug("g1", "f3", Springer), true, "knight (the board is not asked what stands on g1)"},
      {&st, zug("a9", "a1", Turm), false, "square outside the board"},
  };
  for (const Fall& f : faelle) EXPECT_EQ(HashZugGueltig(*f.st, f.z), f.gueltig) << f.was;
}

}  // namespace
}  // namespace galdrik::test
