// The solution-move test: one probe per successor of the side to move,
// quiet moves in the class's own table, captures and promotions in the
// table of the class they lead to.
#include "analysis/loesungszug.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "analysis/figurenliste.h"
#include "core/board.h"

namespace galdrik {

namespace {

// Kinds of the determined solution move (key bits 0..7).
constexpr uint32_t ArtFigurUndFelder = 1;
constexpr uint32_t ArtUmwandlung = 2;
constexpr uint32_t ArtNurFlags = 3;
constexpr uint32_t ArtKoenigWeg = 4;
constexpr uint32_t ArtKoenigVerlaesstQuadrat = 5;

int Chebyshev(int a, int b) {
  return std::max(std::abs(Linie(a) - Linie(b)), std::abs(Reihe(a) - Reihe(b)));
}

// A successor position in local storage.
struct Nachfolger {
  int8_t codes[FigurenlisteSlots];
  int32_t felder[FigurenlisteSlots];
  int32_t* zeiger[FigurenlisteSlots];
  int32_t zaehler[ZaehlerAnzahl];

  Nachfolger(const int8_t* c, int32_t* const* f, const int32_t* z) {
    for (int k = 0; k < FigurenlisteSlots; ++k) {
      codes[k] = c[k];
      felder[k] = c[k] ? *f[k] : 0;
      zeiger[k] = &felder[k];
    }
    std::memcpy(zaehler, z, sizeof zaehler);
  }
  void Entfernen(int k) {
    const int i = ZaehlerIndex(codes[k]);
    if (i >= 0) --zaehler[i];
    codes[k] = 0;
  }
  bool NurKoenige() const {
    for (int32_t n : zaehler)
      if (n != 0) return false;
    return true;
  }
};

// The slot of the man a capture takes, -1 for none.
int Geschlagen(const int8_t* codes, int32_t* const* felder, int slot, int ziel, int32_t ep) {
  for (int k = 0; k < FigurenlisteSlots; ++k)
    if (k != slot && codes[k] != 0 && *felder[k] == ziel) return k;
  if (ziel != ep || Betrag(codes[slot]) != Bauer) return -1;
  const int opfer = Reihe(ep) == 2 ? ep + 8 : ep - 8;
  for (int k = 0; k < FigurenlisteSlots; ++k)
    if (codes[k] == -codes[slot] && *felder[k] == opfer) return k;
  return -1;
}

// Kind 4: the king moves as far from the pawns as it can. The score is the
// sum of squared distances to every pawn less a constant, so the best
// square is measured against the king's current square as well.
bool KoenigWeg(const int8_t* codes, int32_t* const* felder, int von, int nach) {
  int p = 0, summeReihen = 0, summeLinien = 0;
  for (int k = 0; k < FigurenlisteSlots; ++k) {
    if (Betrag(codes[k]) != Bauer) continue;
    ++p;
    summeReihen += Reihe(*felder[k]);
    summeLinien += Linie(*felder[k]);
  }
  auto Wert = [&](int q) {
    const int r = Reihe(q), f = Linie(q);
    return (r * r + f * f) * p - 2 * (r * summeReihen + f * summeLinien);
  };
  int besterWert = Wert(von);
  for (Bitboard b = KoenigAngriff[von]; b;)
    besterWert = std::max(besterWert, Wert(ErstesBitEntfernen(b)));
  return Wert(nach) >= besterWert;
}

// Kind 5: the king leaves the square of the most advanced opposing passed
// pawn.
bool KoenigVerlaesstQuadrat(const int8_t* codes, int32_t* const* felder, bool weiss, int von,
                            int nach) {
  Bitboard bauern[2] = {0, 0};  // [1] White, [0] Black
  for (int k = 0; k < FigurenlisteSlots; ++k)
    if (Betrag(codes[k]) == Bauer) bauern[codes[k] > 0 ? 1 : 0] |= Feldmaske[*felder[k]];
  int bauer = -1;
  for (int k = 0; k < FigurenlisteSlots; ++k) {
    if (codes[k] != (weiss ? -Bauer : Bauer)) continue;
    const int s = *felder[k];
    const bool frei =
        weiss ? !(FreibauerMaskeSchwarz[s] & bauern[1]) : !(FreibauerMaskeWeiss[s] & bauern[0]);
    if (!frei) continue;
    if (bauer < 0 || (weiss ? Reihe(s) < Reihe(bauer) : Reihe(s) > Reihe(bauer))) bauer = s;
  }
  if (bauer < 0) return false;
  const int umwandlungsFeld = weiss ? Linie(bauer) : 56 + Linie(bauer);
  const int m = weiss ? Reihe(bauer) + 1 : 7 - Reihe(bauer) + 1;
  return Chebyshev(von, umwandlungsFeld) <= m && Chebyshev(nach, umwandlungsFeld) > m;
}

}  // namespace

uint32_t LoesungsSchluessel(const TBAnaParameterblock& b) {
  const uint32_t flags = b.zugFlags & 15u;
  switch (b.loesungsart) {
    case ArtFigurUndFelder:
      return ((((flags << 7 | (b.nach & 127u)) << 7 | (b.von & 127u)) << 4 | (b.figurTyp & 15u))
              << 8) |
             ArtFigurUndFelder;
    case ArtUmwandlung:
      return ((flags << 18 | b.umwandlung) << 8) | ArtUmwandlung;
    case ArtNurFlags:
    case ArtKoenigWeg:
    case ArtKoenigVerlaesstQuadrat:
      return flags << 26 | b.loesungsart;
    default:
      return 0;
  }
}

bool TBAnaLoesungszugTest(const int8_t* codes, int32_t* const* felder, int32_t ep, int32_t amZug,
                          int32_t v, const int32_t zaehler[ZaehlerAnzahl], bool umgekehrt,
                          int32_t arbeitsIndex, uint32_t schluessel, const TBZugang& tb,
                          uint64_t& untersucht, Loesungszug& loesung) {
  if (v < 0 || v == TBKeinWert) return false;
  const int32_t ziel = -v;  // the value of the successor after a best move
  const bool weiss = amZug == 1;

  FigurenlisteZugliste liste;
  uint32_t schach = 0;
  const uint32_t n = FigurenlisteZuege(codes, felder, ep, amZug, liste, schach);
  if (n == 0) return false;
  uint32_t schlagzuege = 0;
  for (uint32_t i = 0; i < n; ++i) schlagzuege += (liste.flags[i] & ZugFlagSchlag) != 0;

  int beste = n == 1 ? 0 : -1;
  if (n > 1) {
    // True ends the test with no: a successor left undecided, a second best
    // move or a second, slower win.
    auto Bewerten = [&](int i, int32_t w) {
      if (w == TBKeinWert) return true;
      if (ziel < w && w < 0) return true;
      if (w == ziel) {
        if (beste >= 0) return true;
        beste = i;
      }
      return false;
    };
    const int32_t seite = NachfolgerSeite(amZug, umgekehrt);
    for (uint32_t i = 0; i < n; ++i) {
      const uint8_t flag = liste.flags[i];
      if (flag != ZugFlagRuhig && flag != ZugFlagDoppelschrittEP) continue;
      Nachfolger s(codes, felder, zaehler);
      s.felder[liste.slot[i]] = liste.ziel[i];
      const int32_t ep2 = flag == ZugFlagDoppelschrittEP
                              ? (weiss ? liste.ziel[i] - 8 : liste.ziel[i] + 8)
                              : FigurenlisteKeinEP;
      ++untersucht;
      if (Bewerten(static_cast<int>(i),
                   tb.Wert(arbeitsIndex, seite, umgekehrt, s.codes, s.zeiger, ep2)))
        return false;
    }
    for (uint32_t i = 0; i < n; ++i) {
      const uint8_t flag = liste.flags[i];
      if (flag == ZugFlagRuhig || flag == ZugFlagDoppelschrittEP) continue;
      const int slot = liste.slot[i];
      Nachfolger s(codes, felder, zaehler);
      if (flag & ZugFlagSchlag) {
        const int opfer = Geschlagen(codes, felder, slot, liste.ziel[i], ep);
        if (opfer >= 0) s.Entfernen(opfer);
      }
      s.felder[slot] = liste.ziel[i];
      if (const int figur = UmwandlungsFigur(flag)) {
        --s.zaehler[ZaehlerIndex(codes[slot])];
        s.codes[slot] = static_cast<int8_t>(weiss ? figur : -figur);
        ++s.zaehler[ZaehlerIndex(s.codes[slot])];
      }
      int32_t w = 0;
      if (!s.NurKoenige()) {
        const int32_t id = tb.KlasseSuchen(s.zaehler);
        const bool umg = id < 0;
        const int32_t index = std::abs(id) % TBTabellenJeMetrik + TBTabellenJeMetrik * tb.Metrik();
        const int32_t seite2 = NachfolgerSeite(amZug, umg);
        w = TBKeinWert;
        if (id != 0 && tb.Registriert(index, seite2)) {
          ++untersucht;
          w = tb.Wert(index, seite2, umg, s.codes, s.zeiger, FigurenlisteKeinEP);
        }
      }
      if (Bewerten(static_cast<int>(i), w)) return false;
    }
    if (beste < 0) return false;
  }

  loesung.slot = liste.slot[beste];
  loesung.ziel = liste.ziel[beste];
  loesung.flags = liste.flags[beste];

  const uint32_t art = schluessel & 0xFF;
  if (art < ArtFigurUndFelder || art > ArtKoenigVerlaesstQuadrat) return true;
  const int code = codes[loesung.slot];
  const int von = *felder[loesung.slot];
  switch (art) {
    case ArtFigurUndFelder: {
      const uint32_t typ = (schluessel >> 8) & 15, vonK = (schluessel >> 12) & 127,
                     nachK = (schluessel >> 19) & 127;
      if (static_cast<uint32_t>(Betrag(code)) != typ) return false;
      if (vonK < 64 && static_cast<uint32_t>(von) != vonK) return false;
      if (nachK < 64 && loesung.ziel != nachK) return false;
      break;
    }
    case ArtUmwandlung:
      // Only promotion bits can be allowed; the capture bit never matches.
      if (!(loesung.flags & ((schluessel >> 8) & 0xF0))) return false;
      break;
    case ArtNurFlags:
      break;
    case ArtKoenigWeg:
      if (Betrag(code) != Koenig || !KoenigWeg(codes, felder, von, loesung.ziel)) return false;
      break;
    case ArtKoenigVerlaesstQuadrat:
      if (Betrag(code) != Koenig ||
          !KoenigVerlaesstQuadrat(codes, felder, code > 0, von, loesung.ziel))
        return false;
      break;
  }
  const bool geschlagen = (loesung.flags & ZugFlagSchlag) != 0;
  if ((schluessel & SchluesselNichtImSchach) && schach > 0) return false;
  if ((schluessel & SchluesselKeinSchlag) && geschlagen) return false;
  if ((schluessel & SchluesselSchlechteSchlaege) && schlagzuege - (geschlagen ? 1 : 0) == 0)
    return false;
  if ((schluessel & SchluesselNichtEinzigerZug) && n == 1) return false;
  return true;
}

}  // namespace galdrik
