// King-pawn-king bitbase. Positions are stored as seen from the side with the
// pawn, moving up the board, with the pawn mirrored onto files a-d. Promotion
// is never played: positions with the pawn on the 7th rank are won only by
// the seeds (the promotion square safe from the lone king) and king moves.
#include "core/kpk.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>

#include "core/board.h"

namespace galdrik {

namespace {

std::unique_ptr<uint8_t[]> BitbaseKBK;  // empty while absent

// Side-to-move bit within a placement's pair.
constexpr int EinzelAmZug = 0;
constexpr int BauerAmZug = 1;

// Placement index of a pawn on files a-d, ranks 2-7.
constexpr int Index(int bauer, int koenig, int einzel) {
  return (Linie(bauer) + 4 * (Reihe(bauer) - 1)) * 4096 + koenig * 64 + einzel;
}

bool Gesetzt(const uint8_t* t, int index, int seite) {
  const int bit = 2 * index + seite;
  return (t[bit >> 3] >> (bit & 7)) & 1;
}

void Setzen(uint8_t* t, int index, int seite) {
  const int bit = 2 * index + seite;
  t[bit >> 3] = static_cast<uint8_t>(t[bit >> 3] | (1u << (bit & 7)));
}

int Abstand(int a, int b) {
  return std::max(std::abs(Linie(a) - Linie(b)), std::abs(Reihe(a) - Reihe(b)));
}

bool Benachbart(int a, int b) { return (KoenigAngriff[a] & Feldmaske[b]) != 0; }

void Saeen(uint8_t* t) {
  for (int bauer = 48; bauer < 52; ++bauer) {
    const int umwandlung = bauer + 8;
    for (int k = 0; k < 64; ++k) {
      if (k == bauer) continue;
      // A king beside the promotion square on the 7th or 8th rank guards it
      // and the pawn.
      const bool koenigDeckt = Reihe(k) >= 6 && std::abs(Linie(k) - Linie(bauer)) == 1;
      for (int d = 0; d < 64; ++d) {
        if (d == k || d == bauer || Benachbart(k, d)) continue;
        const int i = Index(bauer, k, d);
        const int abstand = Abstand(d, umwandlung);
        if (abstand > 2 && k != umwandlung) Setzen(t, i, EinzelAmZug);
        if (abstand > 1 && k != umwandlung) Setzen(t, i, BauerAmZug);
        if (koenigDeckt) {
          Setzen(t, i, EinzelAmZug);
          Setzen(t, i, BauerAmZug);
        }
      }
    }
  }
}

// Pawn's side to move: a pawn step or a king move into a won position.
bool BauerSeiteGewinnt(const uint8_t* t, int bauer, int k, int d) {
  const bool vorneFrei = Reihe(bauer) < 6 && k != bauer + 8 && d != bauer + 8;
  if (vorneFrei) {
    if (Gesetzt(t, Index(bauer + 8, k, d), EinzelAmZug)) return true;
    if (Reihe(bauer) == 1 && k != bauer + 16 && d != bauer + 16 &&
        Gesetzt(t, Index(bauer + 16, k, d), EinzelAmZug))
      return true;
  }
  Bitboard ziele = KoenigAngriff[k] & ~KoenigAngriff[d] & ~Feldmaske[bauer];
  while (ziele) {
    if (Gesetzt(t, Index(bauer, ErstesBitEntfernen(ziele), d), EinzelAmZug)) return true;
  }
  return false;
}

// Lone king to move: lost when it has a move and every move loses. Taking
// the pawn always saves it.
bool EinzelSeiteVerliert(const uint8_t* t, int bauer, int k, int d) {
  Bitboard zuege = KoenigAngriff[d] & ~KoenigAngriff[k] & ~BauerAngriffWeiss[bauer];
  if (!zuege) return false;
  while (zuege) {
    const int ziel = ErstesBitEntfernen(zuege);
    if (ziel == bauer || !Gesetzt(t, Index(bauer, k, ziel), BauerAmZug)) return false;
  }
  return true;
}

bool Durchlauf(uint8_t* t) {
  bool neu = false;
  for (int bauer = 8; bauer < 56; ++bauer) {
    if (Linie(bauer) > 3) continue;
    for (int k = 0; k < 64; ++k) {
      if (k == bauer) continue;
      for (int d = 0; d < 64; ++d) {
        if (d == k || d == bauer || Benachbart(k, d)) continue;
        const int i = Index(bauer, k, d);
        // With the pawn's side to move a pawn attacking the lone king would
        // mean the lone king was left in check: no such position.
        if (!Gesetzt(t, i, BauerAmZug) && !(BauerAngriffWeiss[bauer] & Feldmaske[d]) &&
            BauerSeiteGewinnt(t, bauer, k, d)) {
          Setzen(t, i, BauerAmZug);
          neu = true;
        }
        if (!Gesetzt(t, i, EinzelAmZug) && EinzelSeiteVerliert(t, bauer, k, d)) {
          Setzen(t, i, EinzelAmZug);
          neu = true;
        }
      }
    }
  }
  return neu;
}

// Reads one placement seen from the pawn's side; the pawn must stand on
// ranks 2-7 and every square on the board, else there is nothing to win.
int32_t Lesen(int bauer, int k, int d, int seite) {
  if (!BitbaseKBK) return -1;
  if (bauer > 63 || k > 63 || d > 63 || Reihe(bauer) < 1 || Reihe(bauer) > 6) return 0;
  if (Linie(bauer) > 3) {
    bauer ^= 7;
    k ^= 7;
    d ^= 7;
  }
  return Gesetzt(BitbaseKBK.get(), Index(bauer, k, d), seite) ? 1 : 0;
}

}  // namespace

int32_t BitbaseKBKGenerieren() {
  BitbaseKBKFreigeben();
  std::unique_ptr<uint8_t[]> t(new (std::nothrow) uint8_t[BitbaseKBKGroesse]());
  if (!t) return -1;
  Saeen(t.get());
  while (Durchlauf(t.get())) {
  }
  BitbaseKBK = std::move(t);
  return 0;
}

void BitbaseKBKFreigeben() { BitbaseKBK.reset(); }

int32_t BitbaseKBKAbfrage2(uint8_t bauer, uint8_t koenig, uint8_t einzelKoenig, uint8_t amZug) {
  return Lesen(bauer, koenig, einzelKoenig, amZug == 1 ? BauerAmZug : EinzelAmZug);
}

int32_t BitbaseKBKAbfrage(uint8_t bauer, uint8_t koenig, uint8_t einzelKoenig, uint8_t amZug) {
  // Turn the board over so that the Black pawn moves up.
  auto gedreht = [](uint8_t feld) { return feld > 63 ? int{feld} : feld ^ 56; };
  return Lesen(gedreht(bauer), gedreht(koenig), gedreht(einzelKoenig),
               amZug != 0 ? EinzelAmZug : BauerAmZug);
}

const uint8_t* BitbaseKBKDaten() { return BitbaseKBK.get(); }

}  // namespace galdrik
