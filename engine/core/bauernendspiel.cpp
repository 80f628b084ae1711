// Pawn endings. Exact knowledge comes first (the bitbase, stalemate, known
// draws, the corresponding squares); only what none of it decides is scored
// by counting the pawns' advance, their freedom and the kings' centrality.
#include "core/bauernendspiel.h"

#include <cstdlib>

#include "core/eval.h"
#include "core/gegenfeld.h"
#include "core/kpk.h"

namespace galdrik {

namespace {

// ------------------------------------------------- two pawns against one

// White's king anywhere behind the fifth rank, within reach of a-d after the
// board is mirrored: a1-h1, a2-g2, a3-f3, a4-e4, b5-d5.
constexpr Bitboard KoenigZurueck = [] {
  Bitboard b = FeldMenge({"b5", "c5", "d5"});
  for (int r = 0; r < 4; ++r)
    for (int f = 0; f <= 7 - r; ++f) b |= Bitboard{1} << FeldVon(f, r);
  return b;
}();

// Black's a7-pawn against White's c6 and a-pawn: where Black's king holds the
// draw, by White's king and the a-pawn.
struct RegelBauerZeile {
  Bitboard koenigW;
  Bitboard andererBauer;
  Bitboard remisWeissAmZug;    // Black's king squares with White to move
  Bitboard remisSchwarzAmZug;  // the same with Black to move
};

constexpr RegelBauerZeile RegelBauerTabelle[] = {
    {KoenigZurueck, FeldMenge({"a4"}), FeldMenge({"d6", "c7", "c8"}),
     FeldMenge({"c5", "d5", "e5", "b6", "d6", "b7", "c7", "d7", "b8", "c8", "d8"})},
    {KoenigZurueck, FeldMenge({"a3"}), FeldMenge({"d6", "c7", "b8", "d8"}),
     FeldMenge(
         {"c5", "d5", "b6", "d6", "e6", "b7", "c7", "d7", "e7", "a8", "b8", "c8", "d8", "e8"})},
    {KoenigZurueck, FeldMenge({"a5"}), FeldMenge({"d6", "c7", "b8", "d8"}),
     FeldMenge({"c5", "d5", "e5", "b6", "d6", "e6", "b7", "c7", "d7", "e7", "a8", "b8", "c8", "d8",
                "e8"})},
    {KoenigZurueck, FeldMenge({"a6"}), FeldMenge({"d6", "e6", "c7", "e7", "b8", "c8", "d8", "e8"}),
     FeldMenge({"c5", "d5", "e5", "b6", "d6", "e6", "f6", "b7", "c7", "d7", "e7", "f7", "a8", "b8",
                "c8", "d8", "e8", "f8"})},
    {FeldMenge({"d6"}), FeldMenge({"a4"}), FeldMenge({"d8"}), FeldMenge({"c8", "e8"})},
    {FeldMenge({"d6"}), FeldMenge({"a3", "a5"}), FeldMenge({"c8"}), FeldMenge({"b7", "b8", "d8"})},
    {FeldMenge({"d6"}), FeldMenge({"a6"}), FeldMenge({"a8", "b8", "d8"}),
     FeldMenge({"b7", "b8", "c8", "d8", "e8"})},
};

// ------------------------------------------------- drawn pawn patterns

inline constexpr int32_t RegelExakt = 0;
inline constexpr int32_t RegelEnthalten = 1;  // more pawns allowed, if they are locked

struct EndspielRegel {
  Bitboard bauernW;
  Bitboard bauernS;
  Bitboard koenigW;  // allowed squares
  Bitboard koenigS;
  int32_t art;
};

constexpr Bitboard Ueberall = ~Bitboard{0};
constexpr Bitboard G7 = FeldMenge({"g7"});
constexpr Bitboard EckeH8 = FeldMenge({"g6", "h6", "f7", "g7", "h7", "f8", "g8", "h8"});
constexpr Bitboard EckeH8Schwarz = FeldMenge({"f7", "g7", "h7", "f8", "g8", "h8"});

constexpr EndspielRegel EndspielRegeln[8] = {
    {FeldMenge({"g6"}), G7, Ueberall, FeldMenge({"f7", "h7", "g8", "h8"}), RegelEnthalten},
    {FeldMenge({"f7", "g6"}), G7,
     ~FeldMenge({"g6", "h6", "e7", "f7", "g7", "h7", "e8", "f8", "g8", "h8"}),
     FeldMenge({"e7", "e8", "f8", "g8"}), RegelExakt},
    {FeldMenge({"h2", "g6"}), G7, ~EckeH8, EckeH8Schwarz, RegelExakt},
    {FeldMenge({"h3", "g6"}), G7, ~EckeH8, EckeH8Schwarz, RegelExakt},
    {FeldMenge({"h4", "g6"}), G7, ~EckeH8, EckeH8Schwarz, RegelExakt},
    {FeldMenge({"h5", "g6"}), G7, ~EckeH8, EckeH8Schwarz, RegelExakt},
    {FeldMenge({"h6", "g6"}), G7,
     ~FeldMenge({"f6", "g6", "h6", "f7", "g7", "h7", "f8", "g8", "h8"}),
     FeldMenge({"f7", "h7", "g8"}), RegelExakt},
    {FeldMenge({"g2", "g3"}), G7, Ueberall, FeldMenge({"g6", "g7", "h7", "g8", "h8"}), RegelExakt},
};

// The pawns beside a pattern change nothing when none of them can move:
// each stands against a pawn, and none stands diagonally beyond an enemy
// pawn (White's q + 7 / q + 9 of a Black pawn q, Black's q - 9 / q - 7 of a
// White pawn q).
bool Festgelegt(Bitboard extraW, Bitboard extraS, Bitboard bauernW, Bitboard bauernS) {
  const Bitboard bauern = bauernW | bauernS;
  // The squares a pawn of the other colour on q would attack.
  const Bitboard jenseitsSchwarz = BauernAngriffeWeiss(bauernS);
  const Bitboard jenseitsWeiss = BauernAngriffeSchwarz(bauernW);
  // A pawn on its last rank has no square in front to be blocked.
  if ((extraW & Reihe8) || (extraS & Reihe1)) return false;
  return !((extraW << 8) & ~bauern) && !(extraW & jenseitsSchwarz) && !((extraS >> 8) & ~bauern) &&
         !(extraS & jenseitsWeiss);
}

// ------------------------------------------------- stalemate

// An en-passant capture is a move like any other: a side whose only move it
// is has not been stalemated. With only pawns beside the kings it is always
// legal once the king is not in check.
bool EnPassantMoeglich(const Stellung& st, Bitboard eigene) {
  const int ep = st.epFeld;
  if (ep >= 64 || (st.belegt & Feldmaske[ep])) return false;
  if (st.amZug == Weiss)
    return Reihe(ep) == 5 && (st.bauern & st.schwarz & Feldmaske[ep - 8]) &&
           (BauerAngriffSchwarz[ep] & eigene);
  return Reihe(ep) == 2 && (st.bauern & st.weiss & Feldmaske[ep + 8]) &&
         (BauerAngriffWeiss[ep] & eigene);
}

// The side to move has no move and is not in check.
bool Patt(const Stellung& st, int kW, int kS, Bitboard bW, Bitboard bS, Bitboard aW, Bitboard aS) {
  if (st.amZug == Weiss) {
    const Bitboard koenigsZuege = KoenigAngriff[kW] & ~KoenigAngriff[kS] & ~aS & ~bW;
    return !koenigsZuege && !((bW << 8) & ~st.belegt) && !(aW & bS) && !(aS & Feldmaske[kW]) &&
           !EnPassantMoeglich(st, bW);
  }
  const Bitboard koenigsZuege = KoenigAngriff[kS] & ~KoenigAngriff[kW] & ~aW & ~bS;
  return !koenigsZuege && !((bS >> 8) & ~st.belegt) && !(aS & bW) && !(aW & Feldmaske[kS]) &&
         !EnPassantMoeglich(st, bS);
}

// ------------------------------------------------- pawn race count

constexpr Bitboard ReihenBis(int r) {
  return r >= 7 ? Ueberall : (Bitboard{1} << (8 * (r + 1))) - 1;
}
constexpr Bitboard ReihenAb(int r) { return ~((Bitboard{1} << (8 * r)) - 1); }

int32_t Zaehlen(int kW, int kS, Bitboard bW, Bitboard bS, uint8_t amZug) {
  const int wtm = amZug == Weiss ? 1 : 0, btm = 1 - wtm;
  int summeLinien = 0;
  for (Bitboard b = bW | bS; b;) summeLinien += Linie(ErstesBitEntfernen(b));
  const int anzahl = BitAnzahl(bW | bS);
  const int mitte = anzahl ? summeLinien / anzahl : 0;
  // A passed pawn far from the other pawns draws the enemy king away.
  auto abseits = [mitte](int f) { return 1 << (1 + std::abs(f - mitte)); };

  int32_t wert = 0;
  for (Bitboard b = bW; b;) {
    const int s = ErstesBitEntfernen(b), f = Linie(s), r = Reihe(s);
    wert += 100 + r;
    const Bitboard linieVorn = FreibauerMaskeWeiss[s] & Linienmaske[f];
    if (!(FreibauerMaskeWeiss[s] & bS) && !(linieVorn & bW)) {
      wert += (1 << r) + 50 + abseits(f);
      if (FeldAbstand(kS, FeldVon(f, 7)) > 7 - r + btm) wert += 100;  // outside the square
    } else {
      const Bitboard nachbarn = NachbarlinienMaske[s] & bW;
      if (!nachbarn)
        wert -= 18;
      else if (!(nachbarn & ReihenBis(r)))
        wert -= 4;
      if (Linienmaske[f] & bW & ~Feldmaske[s]) wert -= 12;
    }
  }
  for (Bitboard b = bS; b;) {
    const int s = ErstesBitEntfernen(b), f = Linie(s), r = Reihe(s);
    wert += -107 + r;
    const Bitboard linieVorn = FreibauerMaskeSchwarz[s] & Linienmaske[f];
    if (!(FreibauerMaskeSchwarz[s] & bW) && !(linieVorn & bS)) {
      wert -= 50 + abseits(f) + (1 << (7 - r));
      if (FeldAbstand(kW, FeldVon(f, 0)) > r + wtm) wert -= 100;
    } else {
      const Bitboard nachbarn = NachbarlinienMaske[s] & bS;
      if (!nachbarn)
        wert += 18;
      else if (!(nachbarn & ReihenAb(r)))
        wert += 4;
      if (Linienmaske[f] & bS & ~Feldmaske[s]) wert += 12;
    }
  }
  auto abstand = [](int koordinate) { return std::abs(2 * koordinate - 7); };
  wert += 3 * (abstand(Linie(kS)) - abstand(Linie(kW)) - abstand(Reihe(kW)) + abstand(Reihe(kS)));
  return wert;
}

}  // namespace

uint8_t EndspielRegelBauer(uint8_t koenigW, uint8_t bauer1, uint8_t bauer2, uint8_t koenigS,
                           uint8_t bauerS, uint8_t amZug) {
  if (amZug > 1) return 1;
  if (koenigW > 63 || bauer1 > 63 || bauer2 > 63 || koenigS > 63 || bauerS > 63) return 1;
  if (Linie(koenigW) >= 4) {
    koenigW ^= 7;
    bauer1 ^= 7;
    bauer2 ^= 7;
    koenigS ^= 7;
    bauerS ^= 7;
  }
  if (bauerS != FeldNr("a7")) return 1;
  int anderer;
  if (bauer1 == FeldNr("c6"))
    anderer = bauer2;
  else if (bauer2 == FeldNr("c6"))
    anderer = bauer1;
  else
    return 1;
  for (const RegelBauerZeile& z : RegelBauerTabelle) {
    if (!(z.koenigW & Feldmaske[koenigW]) || !(z.andererBauer & Feldmaske[anderer])) continue;
    const Bitboard remis = amZug == Weiss ? z.remisWeissAmZug : z.remisSchwarzAmZug;
    return (remis & Feldmaske[koenigS]) ? 0 : 1;
  }
  return 1;
}

int32_t EndspielRegelTabelle(Bitboard bauernW, Bitboard koenigW, Bitboard bauernS, Bitboard koenigS,
                             uint8_t amZug) {
  for (const EndspielRegel& r : EndspielRegeln) {
    if (!(koenigW & r.koenigW) || !(koenigS & r.koenigS)) continue;
    if (r.art == RegelExakt) {
      if (bauernW == r.bauernW && bauernS == r.bauernS) return 0;
    } else if ((bauernW & r.bauernW) == r.bauernW && (bauernS & r.bauernS) == r.bauernS &&
               Festgelegt(bauernW & ~r.bauernW, bauernS & ~r.bauernS, bauernW, bauernS)) {
      return 0;
    }
  }
  return amZug == Weiss ? 1 : -1;
}

int16_t BauernendspielBewerten(Stellung& st, int32_t gegenfeldModus) {
  st.remisMaterial = 0;
  const Bitboard bW = st.bauern & st.weiss, bS = st.bauern & st.schwarz;
  const int nW = BitAnzahl(bW), nS = BitAnzahl(bS);
  const int kW = st.koenigW < 64 ? st.koenigW : KeinFeld;
  const int kS = st.koenigS < 64 ? st.koenigS : KeinFeld;
  const bool weissAmZug = st.amZug == Weiss;

  // A lone pawn: the bitbase knows (-1: no bitbase, go on).
  if (nW == 1 && nS == 0) {
    const int p = ErstesBit(bW);
    const int32_t gewinn = BitbaseKBKAbfrage2(static_cast<uint8_t>(p), static_cast<uint8_t>(kW),
                                              static_cast<uint8_t>(kS), st.amZug);
    if (gewinn == 0) return 1;
    if (gewinn == 1) return static_cast<int16_t>(386 + (1 << Reihe(p)));
  } else if (nS == 1 && nW == 0) {
    const int p = ErstesBit(bS);
    const int32_t gewinn = BitbaseKBKAbfrage(static_cast<uint8_t>(p), static_cast<uint8_t>(kS),
                                             static_cast<uint8_t>(kW), st.amZug);
    if (gewinn == 0) return -1;
    if (gewinn == 1) return static_cast<int16_t>(-(386 + (1 << (7 - Reihe(p)))));
  }

  const Bitboard aW = BauernAngriffeWeiss(bW), aS = BauernAngriffeSchwarz(bS);
  if (Patt(st, kW, kS, bW, bS, aW, aS)) {
    st.remisMaterial = 1;
    return 0;
  }

  if (nW == 2 && nS == 1 &&
      EndspielRegelBauer(static_cast<uint8_t>(kW), static_cast<uint8_t>(ErstesBit(bW)),
                         static_cast<uint8_t>(LetztesBit(bW)), static_cast<uint8_t>(kS),
                         static_cast<uint8_t>(ErstesBit(bS)), st.amZug) == 0)
    return 1;

  // The table is per pawn structure; this thread's copy of it is read once.
  if (gegenfeldModus > 0 && kW < 64 && kS < 64) {
    thread_local Gegenfeldeintrag puffer;
    if (GegenfeldTabelle(st, gegenfeldModus, puffer)) {
      const int v = puffer.werte[GegenfeldIndex(kW, kS, weissAmZug ? 1 : 0)];
      if (v > 0) return static_cast<int16_t>(v + 100);
      if (v < 0) return static_cast<int16_t>(v - 100);
      return weissAmZug ? 1 : -1;
    }
  }

  if (EndspielRegelTabelle(bW, Feldmaske[kW], bS, Feldmaske[kS], st.amZug) == 0) return 1;

  return static_cast<int16_t>(Zaehlen(kW, kS, bW, bS, st.amZug));
}

}  // namespace galdrik
