// Packing the program's search mask into the engine's parameter block.
#include "analysis/parameterblock.h"

#include <cstring>

namespace galdrik {

namespace {

int8_t LowByteSigned(int32_t v) { return static_cast<int8_t>(static_cast<uint8_t>(v & 0xFF)); }
uint8_t LowByte(int32_t v) { return static_cast<uint8_t>(v & 0xFF); }

}  // namespace

Bitboard ErreichbareFelder(const int32_t* gitter, int e) {
  Bitboard b = 0;
  const int re = e >> 3, fe = e & 7;
  for (int q = 0; q < 64; ++q) {
    const int zeile = (q >> 3) - re + GitterMitte;
    const int spalte = (q & 7) - fe + GitterMitte;
    if (gitter[zeile * GitterSeite + spalte] == 1) b |= Bitboard{1} << q;
  }
  return b;
}

TBAnaParameterblock ParameterblockBauen(const int32_t* m) {
  TBAnaParameterblock p;
  std::memset(&p, 0, sizeof p);
  for (int k = 0; k < AnaSlots; ++k) {
    uint64_t felder = 0;
    for (int s = 0; s < 64; ++s)
      if (m[MaskeFelder + 64 * k + s] == 1) felder |= uint64_t{1} << s;
    p.felder[k] = felder;
    p.figuren[k] = LowByteSigned(m[MaskeFiguren + k]);
    p.bezug[k] = LowByteSigned(m[MaskeBezug + k]);
    const int32_t* gitter = m + MaskeGitter + GitterZellen * k;
    for (int e = 0; e < 64; ++e) p.erreichbar[k][e] = ErreichbareFelder(gitter, e);
  }
  p.gewaehlterSlot = LowByteSigned(m[MaskeGewaehlterSlot]);
  p.seite = LowByteSigned(m[MaskeSeite]);
  p.distanzMin = m[MaskeDistanzMin];
  p.distanzMax = m[MaskeDistanzMax];
  p.bedingung = LowByte(m[MaskeBedingung]);
  p.loesungsart = LowByte(m[MaskeLoesungsart]);
  p.wert1752 = LowByte(m[MaskeWert1752]);
  p.von = LowByte(m[MaskeVon]);
  p.nach = LowByte(m[MaskeNach]);
  p.figurTyp = LowByte(m[MaskeFigurTyp]);
  p.zugFlags = LowByte(m[MaskeZugFlags]);
  p.umwandlung = LowByte(m[MaskeUmwandlung]);
  return p;
}

}  // namespace galdrik
