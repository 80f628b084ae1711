// The RFEP matrix run over every White-to-move position of king and queen
// against king, with distances from a small retrograde analysis written
// plainly here: with a very competent winner the expected depths must come
// out as the optimal distances.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "analysis/rfepexports.h"
#include "analysis/rfepzustand.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "support/datei.h"

using namespace galdrik;

namespace {

int Spalte(int s) { return s & 7; }
int Zeile(int s) { return s >> 3; }
bool Nachbar(int a, int b) {
  return std::abs(Spalte(a) - Spalte(b)) <= 1 && std::abs(Zeile(a) - Zeile(b)) <= 1;
}

// Does a queen on q reach square z, with a piece on `sperre` in the way?
bool DameErreicht(int q, int z, int sperre) {
  if (q == z) return false;
  const int df = Spalte(z) - Spalte(q), dr = Zeile(z) - Zeile(q);
  if (df != 0 && dr != 0 && std::abs(df) != std::abs(dr)) return false;
  const int sf = (df > 0) - (df < 0), sr = (dr > 0) - (dr < 0);
  for (int f = Spalte(q) + sf, r = Zeile(q) + sr; f != Spalte(z) || r != Zeile(z); f += sf, r += sr)
    if (r * 8 + f == sperre) return false;
  return true;
}

constexpr int Keiner = -1;

// Distances of every kqk position: White to move wins in weiss[i] moves,
// Black to move is lost in schwarz[i] (0 = mated); Keiner for a draw or an
// illegal placement. Index wk * 4096 + wq * 64 + bk.
struct Kqk {
  std::vector<int> weiss, schwarz;
  static int Index(int wk, int wq, int bk) { return wk * 4096 + wq * 64 + bk; }
};

std::vector<int> WeisseZiele(int wk, int wq, int bk) {
  std::vector<int> ziele;  // positions after White's moves
  for (int s = 0; s < 64; ++s)
    if (s != wk && Nachbar(s, wk) && s != wq && !Nachbar(s, bk))
      ziele.push_back(Kqk::Index(s, wq, bk));
  // The queen stops before either king.
  for (int s = 0; s < 64; ++s)
    if (s != wk && s != bk && DameErreicht(wq, s, wk) && DameErreicht(wq, s, bk))
      ziele.push_back(Kqk::Index(wk, s, bk));
  return ziele;
}

Kqk KqkAnalysieren() {
  Kqk t;
  t.weiss.assign(64 * 64 * 64, Keiner);
  t.schwarz.assign(64 * 64 * 64, Keiner);
  std::vector<bool> legal(64 * 64 * 64, false), schach(64 * 64 * 64, false);
  std::vector<std::vector<int>> schwarzZiele(64 * 64 * 64);
  std::vector<bool> kannSchlagen(64 * 64 * 64, false);
  for (int wk = 0; wk < 64; ++wk)
    for (int wq = 0; wq < 64; ++wq)
      for (int bk = 0; bk < 64; ++bk) {
        if (wk == wq || wk == bk || wq == bk || Nachbar(wk, bk)) continue;
        const int i = Kqk::Index(wk, wq, bk);
        legal[i] = true;
        schach[i] = DameErreicht(wq, bk, wk);
        for (int s = 0; s < 64; ++s) {
          if (s == bk || !Nachbar(s, bk) || Nachbar(s, wk)) continue;
          if (s == wq) {
            if (!Nachbar(wq, wk)) kannSchlagen[i] = true;
          } else if (!DameErreicht(wq, s, wk)) {
            schwarzZiele[i].push_back(Kqk::Index(wk, wq, s));
          }
        }
        if (schach[i] && schwarzZiele[i].empty() && !kannSchlagen[i]) t.schwarz[i] = 0;
      }
  for (int n = 1;; ++n) {
    bool neu = false;
    for (int i = 0; i < 64 * 64 * 64; ++i) {
      if (!legal[i] || schach[i] || t.weiss[i] != Keiner) continue;
      for (int z : WeisseZiele(i / 4096, (i / 64) % 64, i % 64))
        if (t.schwarz[z] == n - 1) {
          t.weiss[i] = n;
          neu = true;
          break;
        }
    }
    for (int i = 0; i < 64 * 64 * 64; ++i) {
      if (!legal[i] || t.schwarz[i] != Keiner || kannSchlagen[i] || schwarzZiele[i].empty())
        continue;
      bool alle = true;
      for (int z : schwarzZiele[i]) alle = alle && t.weiss[z] != Keiner;
      if (alle) {
        t.schwarz[i] = n;
        neu = true;
      }
    }
    if (!neu) break;
  }
  return t;
}

const Kqk& Tafel() {
  static const Kqk t = KqkAnalysieren();
  return t;
}

Stellung Aufstellen(int wk, int wq, int bk, uint8_t seite) {
  Stellung st = Leerstellung();
  st.weiss = Feldmaske[wk] | Feldmaske[wq];
  st.schwarz = Feldmaske[bk];
  st.damen = Feldmaske[wq];
  st.koenigW = static_cast<uint8_t>(wk);
  st.koenigS = static_cast<uint8_t>(bk);
  st.amZug = seite;
  BelegungSetzen(st);
  StellungAbleiten(st);
  return st;
}

// The table as tablebase values of a Black-to-move kqk position.
int32_t SchwarzWert(const Stellung& st) {
  const int wq = __builtin_ctzll(st.damen);
  const int d = Tafel().schwarz[Kqk::Index(st.koenigW, wq, st.koenigS)];
  return d == Keiner ? 0 : d - 32766;
}

}  // namespace

TEST(RFEPKqk, RetrogradeTableHasThePublishedLongestMate) {
  int laengste = 0;
  for (int d : Tafel().weiss) laengste = std::max(laengste, d);
  EXPECT_EQ(laengste, 10);
}

TEST(RFEPKqk, CompetentWinnerHasTheOptimalExpectedDepths) {
  test::TempOrdner ordner;
  const std::string pfad = (ordner / "kqk.mtx").string();
  const int32_t maxD = 12;
  ASSERT_EQ(DLL_TBAnaRFEPMatrixInit(maxD, 200.0, 1.0, 0, 1, 0, 0, 50, 100), 0);
  int gebucht = 0;
  for (int wk = 0; wk < 64; ++wk)
    for (int wq = 0; wq < 64; ++wq)
      for (int bk = 0; bk < 64; ++bk) {
        const int n = Tafel().weiss[Kqk::Index(wk, wq, bk)];
        if (n == Keiner) continue;
        const Stellung st = Aufstellen(wk, wq, bk, Weiss);
        const Zugliste liste = ZugGenerator(st, GenAlleZuege);
        std::vector<RFEPNachfolger> nachfolger;
        for (int k = 0; k < liste.anzahl; ++k)
          nachfolger.push_back({SchwarzWert(ZugAusfuehren(st, liste.zuege[k], 0)), false});
        RFEPStellungBuchen(32767 - n, nachfolger.data(), liste.anzahl);
        ++gebucht;
      }
  ASSERT_GT(gebucht, 100000);
  ASSERT_EQ(DLL_TBAnaRFEPMatrixFinish(pfad.c_str()), 0);

  // Every row that positions reached sums to 1; row 0 is absorbing.
  std::istringstream in(test::DateiInhalt(pfad));
  std::string zeile;
  std::getline(in, zeile);
  EXPECT_EQ(zeile, "Competence 200; Kappa 1; Horizon 0; Draw depth 50; Loss depth 100");
  for (int r = 0; r < maxD + 3; ++r) {
    ASSERT_TRUE(std::getline(in, zeile));
    std::istringstream werte(zeile);
    double summe = 0;
    int spalten = 0;
    for (std::string w; std::getline(werte, w, '\t'); ++spalten) summe += std::stod(w);
    EXPECT_EQ(spalten, maxD + 3);
    if (r <= 10)
      EXPECT_NEAR(summe, 1.0, 1e-12) << r;
    else
      EXPECT_EQ(summe, 0.0) << r;  // no win beyond 10, no draw or loss to move from
  }

  ASSERT_EQ(DLL_TBAnaRFEPMatrixDepths(pfad.c_str(), maxD + 3), 0);
  const std::string text = test::DateiInhalt(pfad);
  std::istringstream tiefen(text.substr(text.find("Expected Depths\n") + 16));
  for (int i = 1; i < maxD + 3; ++i) {
    ASSERT_TRUE(std::getline(tiefen, zeile));
    // States 1..10 need exactly their distance; unreached states read -1.
    EXPECT_NEAR(std::stod(zeile), i <= 10 ? -i : -1.0, 1e-6) << i;
  }
}
