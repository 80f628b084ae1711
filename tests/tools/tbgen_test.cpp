// Tablebase generator: the solver against published longest wins, all-draw
// tables, and an exhaustive count of its own over the engine's move
// generator.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <map>
#include <string>
#include <vector>

#include "core/makemove.h"
#include "datacompenc.h"
#include "core/movegen.h"
#include "core/board.h"
#include "support/testboard.h"
#include "tbgen/retro.h"
#include "tbgen/tablefile.h"

namespace {

using tbgen::Generator;

Generator& Gen() {
  static Generator g(4);
  return g;
}

int LaengsterGewinnWeiss(const std::string& name) {
  EXPECT_TRUE(Gen().Loesen(name));
  const tbgen::Tabelle* t = Gen().Finden(name);
  return tbgen::Zaehlen(*t, t->dtm).laengsterGewinn[0];
}

// Published longest wins (moves, White to move).
TEST(TbGen, ThreeManLongestWins) {
  EXPECT_EQ(LaengsterGewinnWeiss("kqk"), 10);
  EXPECT_EQ(LaengsterGewinnWeiss("krk"), 16);
  EXPECT_EQ(LaengsterGewinnWeiss("kpk"), 28);
  for (const char* remis : {"knk", "kbk"}) {
    ASSERT_TRUE(Gen().Loesen(remis));
    const tbgen::Tabelle* t = Gen().Finden(remis);
    tbgen::Statistik s = tbgen::Zaehlen(*t, t->dtm);
    EXPECT_EQ(s.gewonnen[0] + s.gewonnen[1] + s.verloren[0] + s.verloren[1], 0u) << remis;
    EXPECT_GT(s.remis[0], 0u);
  }
}

// Won, drawn and lost agree in every metric, and a win's distance to a
// zeroing move is never longer than to a conversion, nor that longer than
// to mate.
TEST(TbGen, MetricsAgreeOnTheOutcome) {
  for (const char* name : {"kqk", "krk", "kpk"}) {
    ASSERT_TRUE(Gen().Loesen(name));
    const tbgen::Tabelle* t = Gen().Finden(name);
    const auto dtc = Gen().MetrikLoesen(name, tbgen::MetrikDTC);
    const auto dtz = Gen().MetrikLoesen(name, tbgen::MetrikDTZ);
    uint64_t fehler = 0;
    for (uint64_t x = 0; x < t->knoten; ++x) {
      const int m = t->dtm[x], c = dtc[x], z = dtz[x];
      if (m == tbgen::Ungueltig) {
        fehler += c != m || z != m;
        continue;
      }
      auto wdl = [](int v) { return v > 0 ? 1 : v < 0 ? -1 : 0; };
      fehler += wdl(m) != wdl(c) || wdl(m) != wdl(z);
      if (m > 0) fehler += !(z <= c && c <= m);
    }
    EXPECT_EQ(fehler, 0u) << name;
  }
  // kqk converts only by mate or by losing the queen: DTC is DTM there.
  EXPECT_EQ(Gen().MetrikLoesen("kqk", tbgen::MetrikDTC), Gen().Finden("kqk")->dtm);
}

}  // namespace

namespace {

using galdrik::Stellung;

// An exhaustive solve of kqk, krk and kpk of its own, over the engine's
// move generator and plain ply-by-ply passes: every position's DTM must
// equal the generator's. Captures leave bare kings (a draw); promotions to
// a queen or rook lead into the oracle's own kqk / krk, to a bishop or a
// knight into a draw.
class Orakel {
 public:
  static constexpr int Tabellen = 3;  // 0 kqk, 1 krk, 2 kpk
  static constexpr int Remis = -1000, Unbekannt = -2000, KeinePos = -3000;

  static int Id(int t, int amZug, int stein, int wk, int sk) {
    return (((t * 2 + amZug) * 64 + stein) * 64 + wk) * 64 + sk;
  }

  Orakel() : wert_(Tabellen * 2 * 64 * 64 * 64, KeinePos), kinder_(wert_.size()) {
    const char art[Tabellen] = {'Q', 'R', 'P'};
    for (int id = 0; id < int(wert_.size()); ++id) {
      int sk = id & 63, wk = (id >> 6) & 63, stein = (id >> 12) & 63, amZug = (id >> 18) & 1,
          t = id >> 19;
      if (sk == wk || stein == wk || stein == sk) continue;
      if (t == 2 && (stein < 8 || stein >= 56)) continue;
      char brett[64];
      std::fill(brett, brett + 64, ' ');
      brett[wk] = 'K';
      brett[sk] = 'k';
      brett[stein] = art[t];
      std::string fen;
      for (int r = 7; r >= 0; --r) {
        int leer = 0;
        for (int f = 0; f < 8; ++f) {
          char c = brett[r * 8 + f];
          if (c == ' ') {
            ++leer;
            continue;
          }
          if (leer) fen += char('0' + leer), leer = 0;
          fen += c;
        }
        if (leer) fen += char('0' + leer);
        if (r) fen += '/';
      }
      fen += amZug == 0 ? " w - -" : " b - -";
      Stellung st = galdrik::test::Brett(fen);
      // The side not to move may not stand in check.
      int gegnerKoenig = amZug == 0 ? sk : wk;
      if (galdrik::FeldAngegriffen(st, gegnerKoenig, amZug == 0 ? 0 : 1)) continue;
      galdrik::Zugliste z = galdrik::ZugGenerator(st, galdrik::GenAlleZuege);
      wert_[id] = Unbekannt;
      if (z.anzahl == 0) {
        wert_[id] = galdrik::FeldAngegriffen(st, amZug == 0 ? wk : sk, amZug == 0 ? 1 : 0) ? -1 : 0;
        continue;
      }
      for (int i = 0; i < z.anzahl; ++i) {
        Stellung c = galdrik::ZugAusfuehren(st, z.zuege[i], 1);
        int ct = -1, cs = 0;
        for (int s = 0; s < 64; ++s) {
          int f = c.figurenfeld[s];
          if (f == galdrik::Dame) ct = 0, cs = s;
          if (f == galdrik::Turm) ct = 1, cs = s;
          if (f == galdrik::Bauer) ct = 2, cs = s;
        }
        kinder_[id].push_back(ct < 0 ? -1 : Id(ct, 1 - amZug, cs, c.koenigW, c.koenigS));
      }
    }
    // Ply by ply: won in p when a child is lost in p - 1; lost in p when
    // every child is won and the longest in p - 1.
    for (int p = 1; p < 128; ++p) {
      std::vector<std::pair<int, int>> neu;
      for (int id = 0; id < int(wert_.size()); ++id) {
        if (wert_[id] != Unbekannt) continue;
        bool gewinn = false, alleGewonnen = true;
        int laengster = 0;
        for (int k : kinder_[id]) {
          int v = k < 0 ? 0 : wert_[k];
          if (v == -p) gewinn = true;
          if (v > 0 && v < p)
            laengster = std::max(laengster, v);
          else
            alleGewonnen = false;
        }
        if (p % 2 == 1 && gewinn) neu.push_back({id, p});
        if (p % 2 == 0 && alleGewonnen && laengster == p - 1) neu.push_back({id, -(p + 1)});
      }
      for (auto [id, v] : neu) wert_[id] = v;
    }
    for (int& v : wert_)
      if (v == Unbekannt) v = 0;
  }

  int Wert(int id) const { return wert_[id]; }

 private:
  std::vector<int> wert_;
  std::vector<std::vector<int>> kinder_;
};

TEST(TbGen, ThreeManTablesEqualAnExhaustiveSolve) {
  Orakel o;
  const char* namen[Orakel::Tabellen] = {"kqk", "krk", "kpk"};
  const int8_t arten[Orakel::Tabellen] = {tbgen::FDame, tbgen::FTurm, tbgen::FBauer};
  for (int t = 0; t < Orakel::Tabellen; ++t) {
    ASSERT_TRUE(Gen().Loesen(namen[t]));
    uint64_t gewonnen = 0, remis = 0, verloren = 0, abweichungen = 0;
    for (int amZug = 0; amZug < 2; ++amZug)
      for (int stein = 0; stein < 64; ++stein)
        for (int wk = 0; wk < 64; ++wk)
          for (int sk = 0; sk < 64; ++sk) {
            int v = o.Wert(Orakel::Id(t, amZug, stein, wk, sk));
            if (v == Orakel::KeinePos) continue;
            (v > 0 ? gewonnen : v < 0 ? verloren : remis)++;
            std::vector<tbgen::Mann> men = {{tbgen::FKoenig, true, int8_t(wk)},
                                            {arten[t], true, int8_t(stein)},
                                            {tbgen::FKoenig, false, int8_t(sk)}};
            if (Gen().WertVon(men, amZug) != v && ++abweichungen < 5)
              ADD_FAILURE() << namen[t] << " stm " << amZug << " piece " << stein << " wk " << wk
                            << " bk " << sk << ": " << Gen().WertVon(men, amZug) << " vs " << v;
          }
    EXPECT_EQ(abweichungen, 0u) << namen[t];
    const tbgen::Tabelle* tab = Gen().Finden(namen[t]);
    tbgen::Statistik s = tbgen::Zaehlen(*tab, tab->dtm);
    EXPECT_EQ(s.gewonnen[0] + s.gewonnen[1], gewonnen) << namen[t];
    EXPECT_EQ(s.remis[0] + s.remis[1], remis) << namen[t];
    EXPECT_EQ(s.verloren[0] + s.verloren[1], verloren) << namen[t];
  }
}

}  // namespace

namespace {

// The files: the catalogue's sizes, "no value" where no position lands,
// and the compressed form decoding to the same bytes.
TEST(TbGen, WritesTheTableFilesUncompressedAndCompressed) {
  ASSERT_TRUE(Gen().Loesen("kqk"));
  const tbgen::Tabelle& t = *Gen().Finden("kqk");
  const auto ordner =
      std::filesystem::temp_directory_path() / ("galdrik-tbgen-test-" + std::to_string(::getpid()));
  std::string fehler;
  ASSERT_TRUE(tbgen::TabelleSchreiben(ordner.string(), t, t.dtm, false, fehler)) << fehler;
  ASSERT_TRUE(tbgen::TabelleSchreiben(ordner.string(), t, t.dtm, true, fehler)) << fehler;
  EXPECT_EQ(std::filesystem::file_size(ordner / "kqk.nbw"), 25629u);
  EXPECT_EQ(std::filesystem::file_size(ordner / "kqk.nbb"), 28644u);
  for (const char* seite : {"kqk.nbw", "kqk.nbb"}) {
    std::vector<uint8_t> entpackt;
    ASSERT_TRUE(galdrik::datacomp::Decompress((ordner / (std::string(seite) + ".emd")).string(),
                                              entpackt, fehler))
        << fehler;
    std::ifstream f(ordner / seite, std::ios::binary);
    const std::vector<uint8_t> roh((std::istreambuf_iterator<char>(f)), {});
    EXPECT_EQ(entpackt, roh) << seite;
  }
  // White to move: a queen checking from a distance is inside the index
  // space but no position, so 127; Black to move never wins in kqk.
  uint64_t konflikte = 0;
  const std::vector<int8_t> w = tbgen::SeiteBauen(tbgen::ProjektOrdnung(), t, t.dtm, 0, konflikte);
  EXPECT_EQ(konflikte, 0u);
  EXPECT_GT(std::count(w.begin(), w.end(), int8_t(127)), 1000);
  const std::vector<int8_t> b = tbgen::SeiteBauen(tbgen::ProjektOrdnung(), t, t.dtm, 1, konflikte);
  EXPECT_EQ(konflikte, 0u);
  EXPECT_EQ(std::count_if(b.begin(), b.end(), [](int8_t e) { return e > 0 && e != 127; }), 0);
  std::filesystem::remove_all(ordner);
}

}  // namespace
