// Corresponding squares: the tables are built backwards from the placements
// where a king has just taken an undefended pawn, one king move per pass,
// and cached per pawn structure because a search meets the same few
// structures over and over.
#include "core/gegenfeld.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "core/eval.h"
#include "core/kpk.h"
#include "core/log.h"

namespace galdrik {

namespace {

struct GegenfeldCache {
  std::mutex sperre;
  Gegenfeldeintrag* eintraege = nullptr;
  uint32_t anzahl = 0;
  uint32_t ring = 0;                   // the slot the next computed table overwrites
  std::atomic<uint64_t> berechnet{0};  // tables computed, not looked up
};

GegenfeldCache& Cache() {
  static GegenfeldCache cache;
  return cache;
}

// Only where the pawns cannot change the structure do the kings alone decide.
// A pawn on its last rank (no real position has one) has no square in front
// that could free it.
bool Qualifiziert(int32_t modus, Bitboard bW, Bitboard bS, Bitboard aW, Bitboard aS) {
  const Bitboard bauern = bW | bS;
  const bool schlagfrei = !(aW & bS) && !(aS & bW);
  const Bitboard vorW = bW << 8, vorS = bS >> 8;
  switch (modus) {
    case GegenfeldBlockiert:
      return schlagfrei && !(vorW & ~bauern) && !(vorS & ~bauern);
    case GegenfeldGehemmt:
      return schlagfrei && !(vorW & ~(bauern | aS)) && !(vorS & ~(bauern | aW));
    case GegenfeldImmer:
      return true;
    default:
      return false;
  }
}

// A king that takes a pawn wins outright, unless the material left is a
// king-pawn-king ending (one pawn each) or rook pawns only, where winning
// the pawn need not win the game: there the bitbase decides.
void Saeen(Gegenfeldeintrag& t, Bitboard bW, Bitboard bS, Bitboard aW, Bitboard aS) {
  const Bitboard alle = bW | bS;
  const bool randlinie = !(alle & ~LinieA) || !(alle & ~LinieH);
  const bool bitbase = randlinie || (BitAnzahl(bW) == 1 && BitAnzahl(bS) == 1);

  for (Bitboard ps = bS & ~aS; ps;) {
    const int p = ErstesBitEntfernen(ps);
    for (Bitboard bs = ~aW & ~bS & ~Feldmaske[p] & ~KoenigAngriff[p]; bs;) {
      const int b = ErstesBitEntfernen(bs);
      if (!bitbase) {
        t.werte[GegenfeldIndex(p, b, 0)] = t.werte[GegenfeldIndex(p, b, 1)] = 100;
      } else if (bW &&
                 BitbaseKBKAbfrage2(static_cast<uint8_t>(LetztesBit(bW)), static_cast<uint8_t>(p),
                                    static_cast<uint8_t>(b), 0) == 1) {
        t.werte[GegenfeldIndex(p, b, 0)] = 100;
      }
    }
  }
  for (Bitboard ps = bW & ~aW; ps;) {
    const int p = ErstesBitEntfernen(ps);
    for (Bitboard ws = ~aS & ~bW & ~Feldmaske[p] & ~KoenigAngriff[p]; ws;) {
      const int w = ErstesBitEntfernen(ws);
      if (!bitbase) {
        t.werte[GegenfeldIndex(w, p, 0)] = t.werte[GegenfeldIndex(w, p, 1)] = -100;
      } else if (bS &&
                 BitbaseKBKAbfrage(static_cast<uint8_t>(ErstesBit(bS)), static_cast<uint8_t>(p),
                                   static_cast<uint8_t>(w), 1) == 1) {
        t.werte[GegenfeldIndex(w, p, 1)] = -100;
      }
    }
  }
}

// One step further from the won pawn; values too far away to count stay 0.
int8_t EinenZugWeiter(int best) {
  if (best >= 2) return static_cast<int8_t>(best - 1);
  if (best < -1) return static_cast<int8_t>(best + 1);
  return 0;
}

// Passes over the one table in place, White's king squares and then Black's
// in rising order: a value stored earlier in a pass is read later in the
// same pass, so the passes end sooner than with a copy per pass.
void Ausbreiten(Gegenfeldeintrag& t, Bitboard bW, Bitboard bS, Bitboard aW, Bitboard aS) {
  const Bitboard bauern = bW | bS;
  for (bool geaendert = true; geaendert;) {
    geaendert = false;
    for (Bitboard ws = ~aS & ~bauern; ws;) {
      const int w = ErstesBitEntfernen(ws);
      for (Bitboard bs = ~aW & ~bauern & ~Feldmaske[w] & ~KoenigAngriff[w]; bs;) {
        const int b = ErstesBitEntfernen(bs);
        int8_t& weissZieht = t.werte[GegenfeldIndex(w, b, 1)];
        if (weissZieht == 0) {
          Bitboard zuege = KoenigAngriff[w] & ~KoenigAngriff[b] & ~aS & ~bW;
          if (zuege) {
            int best = -127;
            while (zuege)
              best = std::max<int>(best, t.werte[GegenfeldIndex(ErstesBitEntfernen(zuege), b, 0)]);
            weissZieht = EinenZugWeiter(best);
            geaendert |= weissZieht != 0;
          }
        }
        int8_t& schwarzZieht = t.werte[GegenfeldIndex(w, b, 0)];
        if (schwarzZieht == 0) {
          Bitboard zuege = KoenigAngriff[b] & ~KoenigAngriff[w] & ~aW & ~bS;
          if (zuege) {
            int best = 127;
            while (zuege)
              best = std::min<int>(best, t.werte[GegenfeldIndex(w, ErstesBitEntfernen(zuege), 1)]);
            schwarzZieht = EinenZugWeiter(best);
            geaendert |= schwarzZieht != 0;
          }
        }
      }
    }
  }
}

}  // namespace

bool GegenfeldTabelle(const Stellung& st, int32_t modus, Gegenfeldeintrag& puffer) {
  if (st.springer | st.laeufer | st.tuerme | st.damen) return false;
  const Bitboard bW = st.bauern & st.weiss, bS = st.bauern & st.schwarz;
  // Without pawns there is nothing to win; and the all-zero key marks an
  // empty slot of the cache, so it must never be looked up.
  if (!(bW | bS)) return false;
  const Bitboard aW = BauernAngriffeWeiss(bW), aS = BauernAngriffeSchwarz(bS);
  if (!Qualifiziert(modus, bW, bS, aW, aS)) return false;

  GegenfeldCache& cache = Cache();
  {
    std::lock_guard<std::mutex> lock(cache.sperre);
    for (uint32_t i = 0; i < cache.anzahl; ++i) {
      const Gegenfeldeintrag& e = cache.eintraege[i];
      if (e.bauernW == bW && e.bauernS == bS) {
        std::memcpy(&puffer, &e, sizeof puffer);
        return true;
      }
    }
  }

  puffer.bauernW = bW;
  puffer.bauernS = bS;
  std::memset(puffer.werte, 0, sizeof puffer.werte);
  Saeen(puffer, bW, bS, aW, aS);
  Ausbreiten(puffer, bW, bS, aW, aS);

  std::lock_guard<std::mutex> lock(cache.sperre);
  cache.berechnet.fetch_add(1, std::memory_order_relaxed);
  if (cache.anzahl > 0) {
    std::memcpy(&cache.eintraege[cache.ring], &puffer, sizeof puffer);
    cache.ring = (cache.ring + 1) % cache.anzahl;
  }
  return true;
}

int32_t GegenfeldHashAllok(uint32_t anzahl) {
  GegenfeldCache& cache = Cache();
  void* block = nullptr;
  {
    std::lock_guard<std::mutex> lock(cache.sperre);
    std::free(cache.eintraege);
    cache.eintraege = nullptr;
    cache.anzahl = cache.ring = 0;
    if (anzahl == 0) return -1;
    // Zeroed memory: every key is already the empty key.
    block = std::calloc(anzahl, sizeof(Gegenfeldeintrag));
    if (block) {
      cache.eintraege = static_cast<Gegenfeldeintrag*>(block);
      cache.anzahl = anzahl;
    }
  }
  if (!block) {
    LogZeile("GegenfeldHash fehlgeschlagen\n");
    return -1;
  }
  LogZeile("GegenfeldHash initialisiert\n");
  return 0;
}

void GegenfeldHashFrei() {
  GegenfeldCache& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.sperre);
  std::free(cache.eintraege);
  cache.eintraege = nullptr;
  cache.anzahl = cache.ring = 0;
}

void GegenfeldHashLeeren() {
  GegenfeldCache& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.sperre);
  // The values stay: a slot with the empty key is never read.
  for (uint32_t i = 0; i < cache.anzahl; ++i)
    cache.eintraege[i].bauernW = cache.eintraege[i].bauernS = 0;
  cache.ring = 0;
}

uint64_t GegenfeldSysteme() { return Cache().berechnet.load(std::memory_order_relaxed); }

void GegenfeldSystemeZuruecksetzen() { Cache().berechnet.store(0, std::memory_order_relaxed); }

uint32_t GegenfeldHashAnzahl() {
  GegenfeldCache& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.sperre);
  return cache.anzahl;
}

}  // namespace galdrik
