// Position constructors, derived fields, the consistency test and the
// lookup tables built once at engine start-up.
#include "core/board.h"

#include <algorithm>
#include <cstring>

#include "core/zobrist.h"

namespace galdrik {

Bitboard Feldmaske[FeldAnzahlMitLeer];
Bitboard Linienmaske[8];
Bitboard Reihenmaske[8];
Bitboard KoenigAngriff[FeldAnzahlMitLeer];
Bitboard SpringerAngriff[FeldAnzahlMitLeer];
Bitboard BauerAngriffWeiss[FeldAnzahlMitLeer];
Bitboard BauerAngriffSchwarz[FeldAnzahlMitLeer];
Bitboard ReihenAngriff[FeldAnzahlMitLeer][256];
Bitboard LinienAngriff[FeldAnzahlMitLeer][256];
Bitboard DiagonalAngriffA1H8[FeldAnzahlMitLeer][256];
Bitboard DiagonalAngriffH1A8[FeldAnzahlMitLeer][256];
Bitboard FreibauerMaskeWeiss[FeldAnzahlMitLeer];
Bitboard FreibauerMaskeSchwarz[FeldAnzahlMitLeer];
Bitboard NachbarlinienMaske[FeldAnzahlMitLeer];
Bitboard Feldmaske90[FeldAnzahlMitLeer];
Bitboard FeldmaskeA1H8[FeldAnzahlMitLeer];
Bitboard FeldmaskeH1A8[FeldAnzahlMitLeer];

namespace {

constexpr int Bit90(int feld) { return 8 * Linie(feld) + Reihe(feld); }
constexpr int BitA1H8(int feld) { return 8 * DiagonalByteA1H8(feld) + Reihe(feld); }
constexpr int BitH1A8(int feld) { return 8 * DiagonalByteH1A8(feld) + Reihe(feld); }

template <int (*Ziel)(int)>
Bitboard Drehen(Bitboard b) {
  Bitboard r = 0;
  while (b) r |= Bitboard{1} << Ziel(ErstesBitEntfernen(b));
  return r;
}

bool AufBrett(int linie, int reihe) { return linie >= 0 && linie < 8 && reihe >= 0 && reihe < 8; }

Bitboard Sprungziele(int feld, const int (&schritte)[8][2]) {
  Bitboard b = 0;
  for (const auto& s : schritte) {
    int l = Linie(feld) + s[0], r = Reihe(feld) + s[1];
    if (AufBrett(l, r)) b |= Feldmaske[FeldVon(l, r)];
  }
  return b;
}

// Positions reached along one line from position p for the occupancy byte o:
// up to and including the first blocker in each direction; p itself is not
// looked at.
unsigned LinienPositionen(int p, unsigned o) {
  unsigned r = 0;
  for (int i = p + 1; i <= 7; ++i) {
    r |= 1u << i;
    if (o & (1u << i)) break;
  }
  for (int i = p - 1; i >= 0; --i) {
    r |= 1u << i;
    if (o & (1u << i)) break;
  }
  return r;
}

void LinienTabellenBauen() {
  for (int s = 0; s < 64; ++s) {
    const int linie = Linie(s), reihe = Reihe(s);
    const int kA = DiagonalByteA1H8(s), kH = DiagonalByteH1A8(s);
    for (unsigned o = 0; o < 256; ++o) {
      // Rank: position = file.
      unsigned pos = LinienPositionen(linie, o);
      Bitboard b = 0;
      for (int i = 0; i < 8; ++i)
        if (pos & (1u << i)) b |= Feldmaske[FeldVon(i, reihe)];
      ReihenAngriff[s][o] = b;

      // File: position = rank, built in the rotated frame and turned back.
      pos = LinienPositionen(reihe, o);
      LinienAngriff[s][o] = BitboardDrehen90(Bitboard{pos} << (8 * linie));

      // a1-h8 direction: byte kA holds two diagonals; keep the one through s.
      pos = LinienPositionen(reihe, o);
      b = 0;
      const bool obererTeilA = kA > 0 && reihe >= 8 - kA;
      for (int i = 0; i < 8; ++i) {
        if (!(pos & (1u << i))) continue;
        if (obererTeilA ? i < 8 - kA : i > 7 - kA) continue;
        b |= Feldmaske[FeldVon((i + kA) & 7, i)];
      }
      DiagonalAngriffA1H8[s][o] = b;

      // h1-a8 direction: byte kH holds file + rank = kH and = kH + 8.
      b = 0;
      const bool obererTeilH = reihe > kH;
      for (int i = 0; i < 8; ++i) {
        if (!(pos & (1u << i))) continue;
        if (obererTeilH ? i < kH + 1 : i > kH) continue;
        b |= Feldmaske[FeldVon((kH - i) & 7, i)];
      }
      DiagonalAngriffH1A8[s][o] = b;
    }
  }
}

}  // namespace

Bitboard BitboardDrehen90(Bitboard b) { return Drehen<Bit90>(b); }
Bitboard BitboardDrehenA1H8(Bitboard b) { return Drehen<BitA1H8>(b); }
Bitboard BitboardDrehenH1A8(Bitboard b) { return Drehen<BitH1A8>(b); }

void AngriffstabellenInit() {
  // Every table starts empty, so the entries for square 64 stay 0.
  std::memset(Feldmaske, 0, sizeof Feldmaske);
  for (int s = 0; s < 64; ++s) Feldmaske[s] = Bitboard{1} << s;
  for (int i = 0; i < 8; ++i) {
    Linienmaske[i] = 0x0101010101010101ULL << i;
    Reihenmaske[i] = 0xFFULL << (8 * i);
  }

  static constexpr int koenigSchritte[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1},
                                               {0, 1},   {1, -1}, {1, 0},  {1, 1}};
  static constexpr int springerSchritte[8][2] = {{1, 2},  {1, -2},  {2, -1}, {2, 1},
                                                 {-1, 2}, {-1, -2}, {-2, 1}, {-2, -1}};
  for (int s = 0; s < FeldAnzahlMitLeer; ++s) {
    BauerAngriffWeiss[s] = BauerAngriffSchwarz[s] = 0;
    KoenigAngriff[s] = SpringerAngriff[s] = 0;
    Feldmaske90[s] = FeldmaskeA1H8[s] = FeldmaskeH1A8[s] = 0;
    FreibauerMaskeWeiss[s] = FreibauerMaskeSchwarz[s] = NachbarlinienMaske[s] = 0;
  }
  for (int s = 0; s < 64; ++s) {
    const int l = Linie(s), r = Reihe(s);
    if (r < 7) {
      if (l > 0) BauerAngriffWeiss[s] |= Feldmaske[s + 7];
      if (l < 7) BauerAngriffWeiss[s] |= Feldmaske[s + 9];
    }
    if (r > 0) {
      if (l > 0) BauerAngriffSchwarz[s] |= Feldmaske[s - 9];
      if (l < 7) BauerAngriffSchwarz[s] |= Feldmaske[s - 7];
    }
    KoenigAngriff[s] = Sprungziele(s, koenigSchritte);
    SpringerAngriff[s] = Sprungziele(s, springerSchritte);
    Feldmaske90[s] = Bitboard{1} << Bit90(s);
    FeldmaskeA1H8[s] = Bitboard{1} << BitA1H8(s);
    FeldmaskeH1A8[s] = Bitboard{1} << BitH1A8(s);
  }

  std::memset(ReihenAngriff, 0, sizeof ReihenAngriff);
  std::memset(LinienAngriff, 0, sizeof LinienAngriff);
  std::memset(DiagonalAngriffA1H8, 0, sizeof DiagonalAngriffA1H8);
  std::memset(DiagonalAngriffH1A8, 0, sizeof DiagonalAngriffH1A8);
  LinienTabellenBauen();

  for (int s = 0; s < 64; ++s) {
    const int l = Linie(s), r = Reihe(s);
    Bitboard drei = Linienmaske[l], nachbarn = 0;
    if (l > 0) nachbarn |= Linienmaske[l - 1];
    if (l < 7) nachbarn |= Linienmaske[l + 1];
    drei |= nachbarn;
    Bitboard darueber = 0, darunter = 0;
    for (int i = r + 1; i < 8; ++i) darueber |= Reihenmaske[i];
    for (int i = 0; i < r; ++i) darunter |= Reihenmaske[i];
    FreibauerMaskeWeiss[s] = drei & darueber;
    FreibauerMaskeSchwarz[s] = drei & darunter;
    NachbarlinienMaske[s] = nachbarn;
  }
}

void BelegungSetzen(Stellung& st) {
  st.belegt = st.weiss | st.schwarz;
  st.belegt90 = BitboardDrehen90(st.belegt);
  st.belegtA1H8 = BitboardDrehenA1H8(st.belegt);
  st.belegtH1A8 = BitboardDrehenH1A8(st.belegt);
}

void StellungAbleiten(Stellung& st) {
  auto n = [](Bitboard b) { return static_cast<uint8_t>(BitAnzahl(b)); };
  std::memset(st.anzahl, 0, sizeof st.anzahl);
  st.anzahl[AnzWDamen] = n(st.damen & st.weiss);
  st.anzahl[AnzWTuerme] = n(st.tuerme & st.weiss);
  st.anzahl[AnzWSpringer] = n(st.springer & st.weiss);
  st.anzahl[AnzSDamen] = n(st.damen & st.schwarz);
  st.anzahl[AnzSTuerme] = n(st.tuerme & st.schwarz);
  st.anzahl[AnzSSpringer] = n(st.springer & st.schwarz);
  st.anzahl[AnzWLaeuferHell] = n(st.laeufer & st.weiss & HelleFelder);
  st.anzahl[AnzWLaeuferDunkel] = n(st.laeufer & st.weiss & DunkleFelder);
  st.anzahl[AnzWBauernHell] = n(st.bauern & st.weiss & HelleFelder);
  st.anzahl[AnzWBauernDunkel] = n(st.bauern & st.weiss & DunkleFelder);
  st.anzahl[AnzSLaeuferHell] = n(st.laeufer & st.schwarz & HelleFelder);
  st.anzahl[AnzSLaeuferDunkel] = n(st.laeufer & st.schwarz & DunkleFelder);
  st.anzahl[AnzSBauernHell] = n(st.bauern & st.schwarz & HelleFelder);
  st.anzahl[AnzSBauernDunkel] = n(st.bauern & st.schwarz & DunkleFelder);
  for (unsigned s = 0; s < 64; ++s) st.figurenfeld[s] = FigurAufFeld(st, s);
}

Stellung Leerstellung() {
  Stellung st;
  std::memset(&st, 0, sizeof st);
  st.amZug = Weiss;
  st.epFeld = KeinEPFeld;
  st.koenigW = st.koenigS = KeinFeld;
  StellungAbleiten(st);
  return st;
}

Stellung Grundstellung() {
  Stellung st = Leerstellung();
  st.bauern = Reihenmaske[1] | Reihenmaske[6];
  st.springer = Feldmaske[1] | Feldmaske[6] | Feldmaske[57] | Feldmaske[62];
  st.laeufer = Feldmaske[2] | Feldmaske[5] | Feldmaske[58] | Feldmaske[61];
  st.tuerme = Feldmaske[0] | Feldmaske[7] | Feldmaske[56] | Feldmaske[63];
  st.damen = Feldmaske[3] | Feldmaske[59];
  st.weiss = Reihenmaske[0] | Reihenmaske[1];
  st.schwarz = Reihenmaske[6] | Reihenmaske[7];
  BelegungSetzen(st);
  for (auto& r : st.rochade) r = 1;
  st.koenigW = 4;
  st.koenigS = 60;
  StellungAbleiten(st);
  st.schluessel = HashCodeBerechnen(st);
  return st;
}

bool StellungLegal(const Stellung& st) {
  if (st.weiss & st.schwarz) return true;
  if ((st.weiss | st.schwarz) != st.belegt) return true;
  Bitboard alle = st.bauern | st.springer | st.laeufer | st.tuerme | st.damen;
  if (st.koenigW < 64) alle |= Bitboard{1} << st.koenigW;
  if (st.koenigS < 64) alle |= Bitboard{1} << st.koenigS;
  if (alle != st.belegt) return true;
  const Bitboard typen[5] = {st.bauern, st.springer, st.laeufer, st.tuerme, st.damen};
  for (int a = 0; a < 5; ++a)
    for (int b = a + 1; b < 5; ++b)
      if (typen[a] & typen[b]) return true;
  return st.schluessel != HashCodeBerechnen(st);
}

bool MaterialMoeglich(const Stellung& st, Bitboard farbe) {
  const auto mehrAls = [farbe](Bitboard typ, int grundzahl) {
    return std::max(BitAnzahl(typ & farbe) - grundzahl, 0);
  };
  const int bauern = BitAnzahl(st.bauern & farbe);
  const int umgewandelt = mehrAls(st.springer, 2) + mehrAls(st.laeufer, 2) + mehrAls(st.tuerme, 2) +
                          mehrAls(st.damen, 1);
  return bauern + umgewandelt <= 8;
}

}  // namespace galdrik
