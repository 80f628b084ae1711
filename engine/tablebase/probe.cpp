// The position probe and its callers.
#include "tablebase/probe.h"

#include <atomic>
#include <bit>

#include "core/makemove.h"
#include "core/search.h"
#include "tablebase/descriptor.h"
#include "tablebase/trie.h"
#include "tbindex/catalogue.h"

namespace galdrik {

namespace {

std::atomic<int32_t> aktuelleMetrik{0};

// The men of one colour other than the king, kind by kind (pawn .. queen),
// each kind by ascending square, stopping at a sixth man.
struct Seite {
  int32_t anzahl[5] = {};
  int32_t felder[5];
  int32_t maenner = 0;
  bool zuViele = false;
};

Seite Zaehlen(const Stellung& st, Bitboard farbe) {
  Seite s;
  const Bitboard arten[5] = {st.bauern, st.springer, st.laeufer, st.tuerme, st.damen};
  for (int k = 0; k < 5; ++k)
    for (Bitboard b = arten[k] & farbe; b; b &= b - 1) {
      if (s.maenner == 5) {
        s.zuViele = true;
        return s;
      }
      s.felder[s.maenner++] = std::countr_zero(b);
      ++s.anzahl[k];
    }
  return s;
}

// The list of one colour with its positions beginning at start.
TbPieceList Liste(const Seite& s, int koenig, int start) {
  TbPieceList l{};
  int pos = start;
  for (int k = 0; k < 5; ++k) {
    l.kindStart[k] = pos;
    pos += s.anzahl[k];
  }
  l.kindStart[5] = pos;
  for (int i = 0; i < s.maenner; ++i) l.squares[start + i] = s.felder[i];
  l.squares[pos] = koenig;
  return l;
}

// No index exists for these; an index function must never see them.
bool OhneIndex(const Stellung& st) {
  if (st.koenigW >= 64 || st.koenigS >= 64) return true;
  const int df = (st.koenigW & 7) - (st.koenigS & 7), dr = (st.koenigW >> 3) - (st.koenigS >> 3);
  if (df >= -1 && df <= 1 && dr >= -1 && dr <= 1) return true;
  if (st.bauern & 0xFF000000000000FFULL) return true;
  // The side not to move may not stand in check.
  const bool weissAmZug = st.amZug == Weiss;
  return FeldAngegriffen(st, weissAmZug ? st.koenigS : st.koenigW, weissAmZug ? 0 : 1);
}

// The en-passant square an index function gets: only a real chance of the
// side to move (the pawn that just moved in front of the square, the square
// and the one behind it empty, a pawn beside it to capture), else 127.
int32_t EnPassant(const Stellung& st) {
  const int e = st.epFeld;
  if (e >= 64) return TbNoEnPassant;
  const Bitboard m = Bitboard{1} << e;
  if (st.amZug == Weiss) {
    if ((e >> 3) != 5) return TbNoEnPassant;
    if (!(st.bauern & st.schwarz & (m >> 8)) || (st.belegt & (m | (m << 8)))) return TbNoEnPassant;
    return (BauerAngriffSchwarz[e] & st.bauern & st.weiss) ? e : TbNoEnPassant;
  }
  if ((e >> 3) != 2) return TbNoEnPassant;
  if (!(st.bauern & st.weiss & (m << 8)) || (st.belegt & (m | (m >> 8)))) return TbNoEnPassant;
  return (BauerAngriffWeiss[e] & st.bauern & st.schwarz) ? e : TbNoEnPassant;
}

}  // namespace

int32_t TBMetrikAktuell() { return aktuelleMetrik.load(std::memory_order_relaxed); }

void TBMetrikSetzen(int32_t metrik) {
  aktuelleMetrik.store(metrik >= 0 && metrik <= 6 ? metrik : 0, std::memory_order_relaxed);
}

bool TBProbeOrtFinden(const Stellung& st, int32_t metrik, TBProbeBericht& b, TBProbeOrt& ort,
                      TbValue& wert) {
  b = TBProbeBericht{};
  wert = TbKeinWert;
  const Seite w = Zaehlen(st, st.weiss);
  if (w.zuViele) return false;
  const Seite s = Zaehlen(st, st.schwarz);
  if (s.zuViele) return false;
  b.zaehlungAbgebrochen = 0;
  if (w.maenner == 0 && s.maenner == 0) {
    b.nurKoenige = 1;
    wert = 0;
    return false;
  }
  if (metrik < 0 || metrik > 6) return false;
  int32_t zaehler[10];
  for (int k = 0; k < 5; ++k) {
    zaehler[k] = w.anzahl[k];
    zaehler[5 + k] = s.anzahl[k];
  }
  const int32_t id = TbFindByCounters(zaehler);
  b.tabelle = id;
  if (id == 0 || w.maenner + s.maenner > 4) return false;
  const bool vertauscht = id < 0;
  const int32_t working = (vertauscht ? -id : id) + TbTableCount * metrik;
  const bool weissAmZug = st.amZug == Weiss;
  // The side of the file that is read: for reversed colours the other one.
  const int32_t seite = (weissAmZug != vertauscht) ? TbSideWhite : TbSideBlack;
  if (!TbAnyPartRegistered(working, seite)) return false;
  b.nichtRegistriert = 0;
  if (OhneIndex(st)) return false;
  const int32_t ep = EnPassant(st);
  b.epFeld = ep;
  const TbPieceList wl = Liste(w, st.koenigW, 0);
  const TbPieceList sl = Liste(s, st.koenigS, w.maenner + 1);
  const TbIndexFn f = TbIndexFunction(working, seite);
  if (!f) return false;
  const uint64_t index = vertauscht ? f(&sl, &wl, ep, 1) : f(&wl, &sl, ep, 0);
  b.index = int64_t(index);
  ort = TBProbeOrt{working, seite, index};
  return true;
}

TbValue TBProbeReport(const Stellung& st, int32_t metrik, TBProbeBericht& b) {
  TBProbeOrt ort;
  TbValue wert;
  if (!TBProbeOrtFinden(st, metrik, b, ort, wert)) return wert;
  return TbProbeTable(ort.arbeitsIndex, ort.seite, ort.index);
}

TbValue TBProbe(const Stellung& st, int32_t metrik) {
  TBProbeBericht b;
  return TBProbeReport(st, metrik, b);
}

bool TBProbeSuche(const Stellung& st, int16_t& wert) {
  for (uint8_t r : st.rochade)
    if (r) return false;
  const TbValue v = TBProbe(st, 0);
  if (v == TbKeinWert) return false;
  ++Suche().statistik.tbTreffer;
  if (v > 0)
    wert = int16_t(uint16_t(2 * v + 25003));
  else if (v < 0)
    wert = int16_t(uint16_t(2 * v - 25004));
  else
    wert = 0;
  return true;
}

TbValue TBProbeRFEP(const Stellung& st) {
  if (st.amZug == Weiss ? st.schachS : st.schachW) return TbKeinWert;
  return TBProbe(st, TBMetrikAktuell());
}

}  // namespace galdrik
