// Exact king-pawn-king results by plain retrograde iteration over all
// placements; slow and simple on purpose, as a yardstick.
#include "kpk_exakt.h"

#include "core/board.h"

namespace galdrik::bench {

namespace {

int Index(int bauer, int wk, int sk) { return bauer * 4096 + wk * 64 + sk; }
bool Nachbar(int a, int b) { return (KoenigAngriff[a] & Feldmaske[b]) != 0; }

// After a promotion on q with Black to move: won unless Black takes the new
// piece or has no move while not in check.
bool UmwandlungGewinnt(int q, int wk, int sk, bool dame) {
  if (Nachbar(q, sk) && !Nachbar(q, wk)) return false;
  Stellung st = Leerstellung();
  // Without the Black king, so that it cannot hide behind itself on the
  // piece's line.
  const Bitboard belegt = Feldmaske[q] | Feldmaske[wk];
  st.belegt = belegt;
  st.belegt90 = BitboardDrehen90(belegt);
  st.belegtA1H8 = BitboardDrehenA1H8(belegt);
  st.belegtH1A8 = BitboardDrehenH1A8(belegt);
  const Bitboard angriff = KoenigAngriff[wk] | (dame ? DamenAngriffe(st, q) : TurmAngriffe(st, q));
  const Bitboard zuege = KoenigAngriff[sk] & ~angriff;
  const bool schach = (angriff & Feldmaske[sk]) != 0;
  return zuege != 0 || schach;  // a move (or mate) — KQK and KRK are won otherwise
}

}  // namespace

std::vector<uint8_t> KpkExaktLoesen() {
  std::vector<uint8_t> t(64 * 4096, 0);
  bool neu = true;
  while (neu) {
    neu = false;
    for (int p = 8; p < 56; ++p) {
      for (int wk = 0; wk < 64; ++wk) {
        if (wk == p) continue;
        for (int sk = 0; sk < 64; ++sk) {
          if (sk == p || sk == wk || Nachbar(wk, sk)) continue;
          const int i = Index(p, wk, sk);
          // White to move (not possible when the pawn gives check).
          if (!(t[i] & 2) && !(BauerAngriffWeiss[p] & Feldmaske[sk])) {
            bool gewinn = false;
            const int vor = p + 8;
            if (vor != wk && vor != sk) {
              if (Reihe(p) == 6)
                gewinn =
                    UmwandlungGewinnt(vor, wk, sk, true) || UmwandlungGewinnt(vor, wk, sk, false);
              else
                gewinn = t[Index(vor, wk, sk)] & 1;
              if (!gewinn && Reihe(p) == 1 && p + 16 != wk && p + 16 != sk)
                gewinn = t[Index(p + 16, wk, sk)] & 1;
            }
            for (Bitboard z = KoenigAngriff[wk] & ~KoenigAngriff[sk] & ~Feldmaske[p]; z && !gewinn;)
              gewinn = t[Index(p, ErstesBitEntfernen(z), sk)] & 1;
            if (gewinn) t[i] |= 2, neu = true;
          }
          // Black to move.
          if (!(t[i] & 1)) {
            const Bitboard zuege = KoenigAngriff[sk] & ~KoenigAngriff[wk] & ~BauerAngriffWeiss[p];
            const bool schach = (BauerAngriffWeiss[p] & Feldmaske[sk]) != 0;
            bool verloren = zuege ? true : schach;
            for (Bitboard z = zuege; z && verloren;) {
              const int ziel = ErstesBitEntfernen(z);
              verloren = ziel != p && (t[Index(p, wk, ziel)] & 2);
            }
            if (verloren) t[i] |= 1, neu = true;
          }
        }
      }
    }
  }
  return t;
}

}  // namespace galdrik::bench
