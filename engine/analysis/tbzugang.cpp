// Piece lists of a placement, as the index functions read them, and the
// analysis's access to the tablebase layer.
#include "analysis/tbzugang.h"

#include "tablebase/cache.h"
#include "tablebase/descriptor.h"
#include "tablebase/probe.h"
#include "tablebase/trie.h"

namespace galdrik {

void StueckListenBauen(const int8_t* codes, int32_t* const* felder, TbPieceList& weiss,
                       TbPieceList& schwarz) {
  int anzahl[2][6] = {};  // [0] White, [1] Black; pawn .. king
  for (int k = 0; k < 6; ++k) {
    const int c = codes[k];
    if (c == 0 || c < -6 || c > 6) continue;
    ++anzahl[c > 0 ? 0 : 1][(c > 0 ? c : -c) - 1];
  }
  TbPieceList* liste[2] = {&weiss, &schwarz};
  int naechste[2][6];
  int start = 0;
  for (int f = 0; f < 2; ++f) {
    for (int t = 0; t < 6; ++t) {
      liste[f]->kindStart[t] = start;
      liste[f]->squares[t] = 0;
      naechste[f][t] = start;
      start += anzahl[f][t];
    }
  }
  for (int k = 0; k < 6; ++k) {
    const int c = codes[k];
    if (c == 0 || c < -6 || c > 6) continue;
    const int f = c > 0 ? 0 : 1;
    liste[f]->squares[naechste[f][(c > 0 ? c : -c) - 1]++] = *felder[k];
  }
}

int32_t TBZugang::WertAusListen(int32_t arbeitsIndex, int32_t seite, bool umgekehrt,
                                const TbPieceList& weiss, const TbPieceList& schwarz,
                                int32_t ep) const {
  int8_t codes[6] = {};
  int32_t felder[6] = {};
  int32_t* zeiger[6];
  int n = 0;
  const TbPieceList* listen[2] = {&weiss, &schwarz};
  for (int f = 0; f < 2; ++f) {
    const TbPieceList& l = *listen[f];
    for (int t = 0; t < 6; ++t) {
      const int bis = t < 5 ? l.kindStart[t + 1] : l.kindStart[5] + 1;
      for (int i = l.kindStart[t]; i < bis && i >= 0 && i < 6 && n < 6; ++i, ++n) {
        codes[n] = static_cast<int8_t>(f == 0 ? t + 1 : -(t + 1));
        felder[n] = l.squares[i];
      }
    }
  }
  for (int k = 0; k < 6; ++k) zeiger[k] = &felder[k];
  return Wert(arbeitsIndex, seite, umgekehrt, codes, zeiger, ep);
}

int32_t TBZugangTabellen::KlasseSuchen(const int32_t zaehler[ZaehlerAnzahl]) const {
  return TbFindByCounters(zaehler);
}

int32_t TBZugangTabellen::Metrik() const { return TBMetrikAktuell(); }

bool TBZugangTabellen::Registriert(int32_t arbeitsIndex, int32_t seite) const {
  return TbAnyPartRegistered(arbeitsIndex, seite) == 1;
}

int32_t TBZugangTabellen::Wert(int32_t arbeitsIndex, int32_t seite, bool umgekehrt,
                               const int8_t* codes, int32_t* const* felder, int32_t ep) const {
  TbPieceList weiss, schwarz;
  StueckListenBauen(codes, felder, weiss, schwarz);
  return WertAusListen(arbeitsIndex, seite, umgekehrt, weiss, schwarz, ep);
}

int32_t TBZugangTabellen::WertAusListen(int32_t arbeitsIndex, int32_t seite, bool umgekehrt,
                                        const TbPieceList& weiss, const TbPieceList& schwarz,
                                        int32_t ep) const {
  const TbIndexFn f = TbIndexFunction(arbeitsIndex, seite);
  if (!f) return TBKeinWert;
  const int32_t e = ep >= 0 && ep < 64 ? ep : TbNoEnPassant;
  const uint64_t index = umgekehrt ? f(&schwarz, &weiss, e, 1) : f(&weiss, &schwarz, e, 0);
  if (index == TbNoIndex) return TBKeinWert;
  return TbProbeTable(arbeitsIndex, seite, index);
}

}  // namespace galdrik
