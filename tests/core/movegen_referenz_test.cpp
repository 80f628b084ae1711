// A literal transcription of ZugGenerator's steps, with the
// three mended faults and nothing made faster: flag arrays beside the list,
// step 8 after generation, every examined move played in full with
// ZugAusfuehren and tested with FeldAngegriffen, illegal moves removed by
// shifting the rest down. The engine's generator is faster; it must give
// byte for byte the same list at every node.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/makemove.h"
#include "core/movegen.h"
#include "core/perft.h"
#include "core/movetest_util.h"

namespace galdrik::test {
namespace {

Zugliste ZugGeneratorReferenz(const Stellung& st, uint8_t modus) {
  Zugliste ergebnis{};
  // 1.
  if (st.remisMaterial == 1) return ergebnis;
  // 2.
  if (st.schachW == 1 || st.schachS == 1) modus = 0;
  // 3. (square 64 reads the tables' empty entries)
  const bool weiss = st.amZug == Weiss;
  const Bitboard eigene = weiss ? st.weiss : st.schwarz;
  const Bitboard gegner = weiss ? st.schwarz : st.weiss;
  const int schritt = weiss ? 8 : -8;
  const int ek = weiss ? st.koenigW : st.koenigS;
  const int gk = weiss ? st.koenigS : st.koenigW;
  const Bitboard ziele = modus == 0 ? ~eigene : gegner;
  // 4., 5.
  const Bitboard pins = DamenAngriffe(st, ek) & eigene;
  const Bitboard schachFelder = DamenAngriffe(st, gk) | SpringerAngriff[gk];

  // The list under construction and its two flag arrays, large enough for
  // any board.
  std::vector<Zug> liste;
  std::vector<uint8_t> schachMoeglich, koenigGefaehrdet;
  auto neu = [&](int von, int nach, int8_t figur, uint8_t art, uint8_t ep) {
    Zug z{};
    z.von = static_cast<uint8_t>(von);
    z.nach = static_cast<uint8_t>(nach);
    z.figur = figur;
    z.zugart = art;
    z.enPassant = ep;
    liste.push_back(z);
    // 6.
    bool sm = (schachFelder & (Feldmaske[von] | Feldmaske[nach])) != 0;
    bool kg = (pins & Feldmaske[von]) != 0 || (figur == Koenig && art != ZugartRochade);
    if (art == ZugartRochade) {
      kg = false;
      sm = gk < 64 && (Reihe(gk) == Reihe(nach) || Linie(gk) == (Linie(nach) == 2 ? 3 : 5));
    }
    if (ep) sm = kg = true;  // en passant is always tried
    schachMoeglich.push_back(sm);
    koenigGefaehrdet.push_back(kg);
  };

  // 7.1 Pawns. (The en-passant square counts only where a double step can
  // have left it, as the engine's generator requires.)
  int epFeld = st.epFeld < 64 ? st.epFeld : -1;
  if (epFeld >= 0) {
    const int opfer = weiss ? epFeld - 8 : epFeld + 8;
    if ((weiss ? Reihe(epFeld) != 5 : Reihe(epFeld) != 2) || (st.belegt & Feldmaske[epFeld]) ||
        FigurAufFeld(st, static_cast<unsigned>(opfer)) != (weiss ? -Bauer : Bauer))
      epFeld = -1;
  }
  const uint8_t umw[4] = {128, 64, 32, 16};
  for (Bitboard b = st.bauern & eigene; b;) {
    const int von = ErstesBitEntfernen(b);
    if (modus == 0 || Reihe(von) == (weiss ? 6 : 1)) {
      const int nach = von + schritt;
      if (!(st.belegt & Feldmaske[nach])) {
        if (Reihe(nach) == (weiss ? 7 : 0)) {
          for (uint8_t a : umw) neu(von, nach, Bauer, a, 0);
        } else {
          neu(von, nach, Bauer, 0, 0);
          if (Reihe(von) == (weiss ? 1 : 6) && !(st.belegt & Feldmaske[nach + schritt]))
            neu(von, nach + schritt, Bauer, 0, 0);
        }
      }
    }
    Bitboard s = (weiss ? BauerAngriffWeiss[von] : BauerAngriffSchwarz[von]) &
                 (gegner | (epFeld >= 0 ? Feldmaske[epFeld] : 0));
    while (s) {
      const int nach = ErstesBitEntfernen(s);
      if (Reihe(nach) == (weiss ? 7 : 0)) {
        for (uint8_t a : umw) neu(von, nach, Bauer, a, 0);
      } else {
        neu(von, nach, Bauer, 0, nach == epFeld ? 1 : 0);
      }
    }
  }
  // 7.2 - 7.6
  auto figuren = [&](Bitboard maenner, int8_t code, auto angriffe) {
    for (Bitboard b = maenner & eigene; b;) {
      const int von = ErstesBitEntfernen(b);
      for (Bitboard s = angriffe(von) & ziele; s;) neu(von, ErstesBitEntfernen(s), code, 0, 0);
    }
  };
  figuren(st.springer, Springer, [&](int s) { return SpringerAngriff[s]; });
  figuren(st.laeufer, Laeufer, [&](int s) { return LaeuferAngriffe(st, s); });
  figuren(st.tuerme, Turm, [&](int s) { return TurmAngriffe(st, s); });
  figuren(st.damen, Dame, [&](int s) { return DamenAngriffe(st, s); });
  for (Bitboard s = KoenigAngriff[ek] & ziele; s;) neu(ek, ErstesBitEntfernen(s), Koenig, 0, 0);
  // 7.7 (king and rook on their squares, as the engine requires)
  if (modus == 0) {
    auto leer = [&](std::initializer_list<int> f) {
      for (int s : f)
        if (st.belegt & Feldmaske[s]) return false;
      return true;
    };
    auto sicher = [&](std::initializer_list<int> f, uint8_t farbe) {
      for (int s : f)
        if (FeldAngegriffen(st, s, farbe)) return false;
      return true;
    };
    auto turm = [&](int s) { return (st.tuerme & eigene & Feldmaske[s]) != 0; };
    if (weiss && ek == 4) {
      if (st.rochade[0] == 1 && turm(0) && leer({1, 2, 3}) && sicher({4, 3, 2}, 1))
        neu(4, 2, Koenig, 1, 0);
      if (st.rochade[1] == 1 && turm(7) && leer({5, 6}) && sicher({4, 5, 6}, 1))
        neu(4, 6, Koenig, 1, 0);
    }
    if (!weiss && ek == 60) {
      if (st.rochade[2] == 1 && turm(56) && leer({57, 58, 59}) && sicher({60, 59, 58}, 0))
        neu(60, 58, Koenig, 1, 0);
      if (st.rochade[3] == 1 && turm(63) && leer({61, 62}) && sicher({60, 61, 62}, 0))
        neu(60, 62, Koenig, 1, 0);
    }
  }
  // 8.
  for (Zug& z : liste) {
    z.geschlagen = FigurAufFeld(
        st, static_cast<unsigned>(z.enPassant ? (weiss ? st.epFeld - 8 : st.epFeld + 8) : z.nach));
    if (!weiss) z.figur = static_cast<int8_t>(-z.figur);
  }
  // 9.
  const bool imSchach = (weiss ? st.schachW : st.schachS) == 1;
  for (size_t i = 0; i < liste.size();) {
    if (koenigGefaehrdet[i] || imSchach || schachMoeglich[i]) {
      const Stellung probe = ZugAusfuehren(st, liste[i], 0);
      if ((koenigGefaehrdet[i] || imSchach) &&
          FeldAngegriffen(probe, weiss ? probe.koenigW : probe.koenigS, weiss ? 1 : 0)) {
        liste.erase(liste.begin() + static_cast<long>(i));
        schachMoeglich.erase(schachMoeglich.begin() + static_cast<long>(i));
        koenigGefaehrdet.erase(koenigGefaehrdet.begin() + static_cast<long>(i));
        continue;
      }
      if (schachMoeglich[i] &&
          FeldAngegriffen(probe, weiss ? probe.koenigS : probe.koenigW, weiss ? 0 : 1))
        liste[i].schach = 1;
    }
    ++i;
  }
  // 10. (the first 256)
  for (size_t i = 0; i < liste.size() && i < MaxZuege; ++i) ergebnis.zuege[i] = liste[i];
  ergebnis.anzahl = static_cast<int32_t>(std::min<size_t>(liste.size(), MaxZuege));
  return ergebnis;
}

bool Gleich(const Zugliste& a, const Zugliste& b) {
  return a.anzahl == b.anzahl &&
         std::memcmp(a.zuege, b.zuege, sizeof(Zug) * static_cast<size_t>(a.anzahl)) == 0;
}

void Vergleiche(const Stellung& st, int tiefe, long& knoten) {
  for (uint8_t modus : {GenAlleZuege, GenRuhesuche}) {
    const Zugliste ref = ZugGeneratorReferenz(st, modus);
    const Zugliste neu = ZugGenerator(st, modus);
    ASSERT_TRUE(Gleich(ref, neu)) << "mode " << int(modus) << ": reference " << ref.anzahl
                                  << " moves, generator " << neu.anzahl;
  }
  ++knoten;
  if (tiefe == 0) return;
  const Zugliste l = ZugGenerator(st, GenAlleZuege);
  for (int i = 0; i < l.anzahl; ++i) {
    Vergleiche(ZugAusfuehren(st, l.zuege[i], 1), tiefe - 1, knoten);
    if (::testing::Test::HasFatalFailure()) {
      ADD_FAILURE() << "below " << ZugKoordinaten(l.zuege[i]);
      return;
    }
  }
}

TEST(ZugGenerator, GleichDerWoertlichenFassungAnJedemKnoten) {
  struct Fall {
    const char* fen;
    int tiefe;
  };
  const Fall faelle[] = {
      {StartFEN, 3},
      {Kiwipete, 2},
      {Position3, 4},
      {Position4, 3},
      {Position5, 2},
      {Position6, 2},
      {"6k1/8/8/3pP3/8/8/B7/4K3 w - d6", 3},                   // en passant with check
      {"QQQQQQQQ/Q6Q/Q6Q/Q6Q/Q6Q/Q6Q/Q6Q/QQQQQQQQ w - -", 0},  // 288 moves
      {"4k3/8/8/8/8/8/8/R7 w - -", 3},                         // no White king
      {"8/8/8/8/8/8/8/R6r w - -", 3},                          // no kings
      {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", 3},                 // castling with checks
      {"8/PPP4k/8/8/8/8/4Kppp/8 w - -", 3},                    // promotions
  };
  long knoten = 0;
  for (const Fall& f : faelle) {
    Vergleiche(Pos(f.fen), f.tiefe, knoten);
    ASSERT_FALSE(HasFatalFailure()) << f.fen;
  }
  EXPECT_GT(knoten, 10000);
}

}  // namespace
}  // namespace galdrik::test
