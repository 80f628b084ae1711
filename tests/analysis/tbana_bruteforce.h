// Test helper: an analysis of a whole material class written plainly, for
// comparison with the analysis loop. It walks every placement with nested
// loops over engine positions, decides legality, check, stalemate and the
// single best move with the engine's own move generator, and asks a value
// function of engine positions (a table probe or a stand-in) for values.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <vector>

#include "analysis/figurenliste.h"
#include "analysis/parameterblock.h"
#include "analysis/slots.h"
#include "analysis/tbanazustand.h"
#include "core/board.h"
#include "core/makemove.h"
#include "core/movegen.h"

namespace galdrik::test {

using Bewerter = std::function<int32_t(const Stellung&)>;

inline constexpr Bitboard AlleFelder = ~Bitboard{0};
inline constexpr Bitboard Dreieck = 0x080C0E0FULL;  // a1 b1 c1 d1 b2 c2 d2 c3 d3 d4
inline constexpr Bitboard LinienAD = 0x0F0F0F0F0F0F0F0FULL;

// A pass to imitate: the class in the loop's slot order (empty slots first,
// then kings, queens, rooks, bishops, knights, pawns, White first), the
// White king's squares, the side, the criterion and the switches.
struct Durchlauf {
  std::array<int8_t, 6> klasse{};
  Bitboard weissKoenig = AlleFelder;
  int32_t amZug = 1;
  int32_t kriterium = KriteriumAlleMitWert;
  int32_t bedingung = BedingungKeine;
  int32_t distanzMin = 0, distanzMax = 0;
  bool symmetrie = false;
};

struct Erwartet {
  uint64_t treffer = 0, untersucht = 0;
  uint64_t zaehler[6] = {};
  TBAnaStatistik statistik{};
  std::vector<TBAnaEintrag> eintraege;  // every match in order
  int32_t laengsterGewinn = 32767, laengsterVerlust = -32767;
  TBAnaEintrag gewinnEintrag = LeererEintrag(32767), verlustEintrag = LeererEintrag(-32767);
};

inline bool AmZugImSchach(const Stellung& st) {
  return st.amZug == Weiss ? FeldAngegriffen(st, st.koenigW, 1)
                           : FeldAngegriffen(st, st.koenigS, 0);
}

inline bool NurKoenige(const Stellung& st) { return BitAnzahl(st.weiss | st.schwarz) == 2; }

// The value of a position's successor: bare kings are a draw.
inline int32_t NachfolgerWert(const Stellung& st, const Bewerter& f) {
  return NurKoenige(st) ? 0 : f(st);
}

// Exactly one best move, every successor known, no slower win.
inline bool EinzigerBesterZug(const Stellung& st, int32_t v, const Bewerter& f) {
  if (v < 0) return false;
  Zugliste zl;
  ZugGenerator(st, GenAlleZuege, zl);
  if (zl.anzahl == 0) return false;
  if (zl.anzahl == 1) return true;
  int beste = 0;
  for (int i = 0; i < zl.anzahl; ++i) {
    Stellung nach = ZugAusfuehren(st, zl.zuege[i], 1);
    const int32_t w = NachfolgerWert(nach, f);
    if (w == 32767) return false;
    if (-v < w && w < 0) return false;
    if (w == -v) ++beste;
  }
  return beste == 1;
}

inline bool Mitteln(const Durchlauf& d, int32_t v, int32_t w) {
  const bool weiss = d.amZug == 1;
  switch (d.kriterium) {
    case KriteriumWeissGewinnt:
      return weiss ? v > 0 : v < 0;
    case KriteriumSchwarzGewinnt:
      return weiss ? v < 0 : v > 0;
    case KriteriumRemis:
      return v == 0;
    case KriteriumWeissGewinntFenster: {
      if (v == 0) return false;
      const int32_t tiefe = weiss ? 32767 - v : v + 32766;
      return d.distanzMin <= tiefe && tiefe <= d.distanzMax;
    }
    case KriteriumZugGanzerPunkt:
      return v > 0 && w != 32767 && w > 0;
    case KriteriumZugzwangHalberPunkt:
      return w != 32767 && ((v == 0 && w < 0) || (v < 0 && w == 0));
    case KriteriumAlleMitWert:
      return true;
    case KriteriumAlleZugzwaenge:
      return w != 32767 && ((v == 0 && w < 0) || (v < 0 && w == 0) || (v < 0 && w < 0));
    default:
      ADD_FAILURE() << "criterion " << d.kriterium << " has no plain version here";
      return false;
  }
}

inline void Buchen(Erwartet& e, const Durchlauf& d, const std::array<int32_t, 6>& feld, int ep,
                   int32_t v) {
  TBAnaEintrag r{};
  for (int k = 0; k < 6; ++k) r.feld[k] = static_cast<uint8_t>(feld[k]);
  r.epFeld = static_cast<uint8_t>(ep);
  r.amZug = static_cast<uint8_t>(d.amZug);
  r.wert = v;
  e.eintraege.push_back(r);
  ++e.treffer;
  if (v > 0 && v < e.laengsterGewinn) e.laengsterGewinn = v, e.gewinnEintrag = r;
  if (v < 0 && v > e.laengsterVerlust) e.laengsterVerlust = v, e.verlustEintrag = r;
  for (int k = 0; k < 6; ++k) {
    ++e.statistik.a[k][feld[k]];
    e.statistik.c[k][feld[k]] += d.amZug == 1 ? v : -v;
  }
  // Depth d of a win or loss; entry 0 of H1 holds the draws.
  if (v == 0) {
    ++e.statistik.h1[0];
  } else if (v > 0) {
    const int tiefe = 32767 - v;
    if (d.amZug == 1 && tiefe + 1 < 512) ++e.statistik.h1[tiefe + 1];
    if (d.amZug == 0 && tiefe < 512) ++e.statistik.h0[tiefe];
  } else {
    const int tiefe = v + 32766;
    if (d.amZug == 1 && tiefe < 512) ++e.statistik.h0[tiefe];
    if (d.amZug == 0 && tiefe + 1 < 512) ++e.statistik.h1[tiefe + 1];
  }
}

// The placement mirrored in a1-h8, identical men re-sorted by square.
inline std::array<int32_t, 6> Spiegelbild(const Durchlauf& d, std::array<int32_t, 6> f) {
  for (int k = 0; k < 6; ++k)
    if (d.klasse[k] != 0) f[k] = (f[k] & 7) * 8 + (f[k] >> 3);
  for (int k = 1; k < 6; ++k)
    for (int j = k; j > 0 && d.klasse[j] != 0 && d.klasse[j] == d.klasse[j - 1] && f[j] < f[j - 1];
         --j)
      std::swap(f[j], f[j - 1]);
  return f;
}

// The en-passant squares the side to move can take on, highest first.
inline std::vector<int> EPFelder(const Stellung& st) {
  std::vector<int> e;
  const bool weiss = st.amZug == Weiss;
  const Bitboard eigene = st.bauern & (weiss ? st.weiss : st.schwarz);
  const Bitboard fremde = st.bauern & (weiss ? st.schwarz : st.weiss);
  for (int s = 63; s >= 0; --s) {
    if (!(fremde & Feldmaske[s]) || Reihe(s) != (weiss ? 4 : 3)) continue;
    const int ep = weiss ? s + 8 : s - 8, hinter = weiss ? s + 16 : s - 16;
    if (st.belegt & (Feldmaske[ep] | Feldmaske[hinter])) continue;
    const bool links = Linie(s) > 0 && (eigene & Feldmaske[s - 1]);
    const bool rechts = Linie(s) < 7 && (eigene & Feldmaske[s + 1]);
    if (links || rechts) e.push_back(ep);
  }
  return e;
}

inline Erwartet PlainAnalysis(const Durchlauf& d, const Bewerter& f) {
  Erwartet e;
  std::array<int32_t, 6> feld{};
  auto Position = [&](Slots& p, int ep) -> bool {
    p.ep = ep;
    const Stellung st = p.AlsStellung();
    if (d.bedingung == BedingungNichtImSchach && AmZugImSchach(st)) return false;
    if (d.bedingung == BedingungNichtImSchach || d.bedingung == BedingungNichtPatt) {
      Zugliste zl;
      ZugGenerator(st, GenAlleZuege, zl);
      if (zl.anzahl == 0 && !AmZugImSchach(st)) return false;
    }
    ++e.untersucht;
    const int32_t v = f(st);
    if (v == 32767) return false;
    if (d.amZug == 1)
      ++e.zaehler[v > 0 ? 0 : v < 0 ? 1 : 2];
    else
      ++e.zaehler[v < 0 ? 3 : v > 0 ? 4 : 5];
    for (int k = 0; k < 6; ++k) ++e.statistik.b[k][feld[k]];
    // The successor probes of this test count as examined too, up to the
    // first that decides; only the positions themselves are counted here.
    if (d.bedingung == BedingungEinzigerLoesungszug && !EinzigerBesterZug(st, v, f)) return false;
    int32_t w = 32767;
    if (d.kriterium >= 6 && d.kriterium <= 11 && d.kriterium != 10 && !AmZugImSchach(st)) {
      Slots q = p;
      q.amZug = 1 - p.amZug;
      q.ep = FigurenlisteKeinEP;
      w = f(q.AlsStellung());
    }
    if (Mitteln(d, v, w)) Buchen(e, d, feld, ep, v);
    return true;
  };
  auto Platzierung = [&]() {
    Slots p;
    for (int k = 0; k < 6; ++k) p.fig[k] = d.klasse[k], p.feld[k] = feld[k];
    p.amZug = d.amZug;
    const Stellung st = p.AlsStellung();
    const bool gegnerImSchach =
        d.amZug == 1 ? FeldAngegriffen(st, st.koenigS, 0) : FeldAngegriffen(st, st.koenigW, 1);
    if (gegnerImSchach) return;
    if (d.symmetrie && (Feldmaske[st.koenigW] & 0x08040201ULL)) {
      const auto m = Spiegelbild(d, feld);
      if (m < feld) return;  // a mirror pair is counted once, by its first placement
    }
    if (!Position(p, FigurenlisteKeinEP)) return;
    for (int ep : EPFelder(st))
      if (!Position(p, ep)) return;
  };
  std::function<void(int, Bitboard)> Ebene = [&](int k, Bitboard belegt) {
    if (k == 6) return Platzierung();
    const int8_t c = d.klasse[k];
    if (c == 0) {
      feld[k] = 0;
      return Ebene(k + 1, belegt);
    }
    Bitboard menge = ~belegt;
    if (Betrag(c) == Bauer) menge &= 0x00FFFFFFFFFFFF00ULL;
    if (c == Koenig) menge &= d.weissKoenig;
    for (int s = 0; s < 64; ++s) {
      if (!(menge & Feldmaske[s])) continue;
      if (k > 0 && d.klasse[k - 1] == c && s < feld[k - 1]) continue;
      feld[k] = s;
      Ebene(k + 1, belegt | Feldmaske[s]);
    }
  };
  Ebene(0, 0);
  return e;
}

// Compares what a pass left in z with the plain analysis.
inline void Vergleichen(const TBAnaZustand& z, const Erwartet& e, const Durchlauf& d) {
  EXPECT_EQ(z.treffer.load(), e.treffer);
  if (d.bedingung == BedingungEinzigerLoesungszug)
    EXPECT_GE(z.untersucht.load(), e.untersucht);
  else
    EXPECT_EQ(z.untersucht.load(), e.untersucht);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(z.ergebnisZaehler[i], e.zaehler[i]) << "counter " << i;
  EXPECT_EQ(z.laengsterGewinn.wert, e.laengsterGewinn);
  EXPECT_EQ(z.laengsterVerlust.wert, e.laengsterVerlust);
  EXPECT_EQ(0, std::memcmp(z.statistik.h0, e.statistik.h0, sizeof e.statistik.h0));
  EXPECT_EQ(0, std::memcmp(z.statistik.h1, e.statistik.h1, sizeof e.statistik.h1));
  EXPECT_EQ(0, std::memcmp(&z.laengsterGewinn, &e.gewinnEintrag, sizeof(TBAnaEintrag)));
  EXPECT_EQ(0, std::memcmp(&z.laengsterVerlust, &e.verlustEintrag, sizeof(TBAnaEintrag)));
  EXPECT_EQ(0, std::memcmp(z.statistik.a, e.statistik.a, sizeof e.statistik.a)) << "A";
  EXPECT_EQ(0, std::memcmp(z.statistik.b, e.statistik.b, sizeof e.statistik.b)) << "B";
  EXPECT_EQ(0, std::memcmp(z.statistik.c, e.statistik.c, sizeof e.statistik.c)) << "C";
  const size_t n = std::min<size_t>(e.eintraege.size(), ErgebnisPlaetze);
  ASSERT_NE(z.ergebnisse, nullptr);
  for (size_t i = 0; i < n; ++i) {
    const TBAnaEintrag& soll = i + 1 == ErgebnisPlaetze ? e.eintraege.back() : e.eintraege[i];
    if (std::memcmp(&z.ergebnisse[i], &soll, sizeof soll) != 0) {
      ADD_FAILURE() << "record " << i << " differs";
      break;
    }
  }
}

}  // namespace galdrik::test
