// Every legal position of every generated three- and four-man table, read
// through the probe: uncompressed and compressed, with a large cache and a
// single entry, and with the colours reversed, against the generator's own
// solve. Minutes: label long.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "datacompenc.h"
#include "support/datei.h"
#include "support/tbstellung.h"
#include "tablebase/cache.h"
#include "tablebase/probe.h"
#include "tbgen/retro.h"
#include "tbgen/tablefile.h"

extern "C" {
int32_t DLL_TBInit(const char* liste, int32_t set);
int32_t DLL_TBCache(int32_t groesse);
}

namespace galdrik {
namespace {

tbgen::Generator& Gen() {
  static tbgen::Generator g(int(std::thread::hardware_concurrency()));
  return g;
}

Stellung AusKnoten(const tbgen::Material& m, const tbgen::Knoten& k, bool spiegeln) {
  Stellung st = Leerstellung();
  for (int i = 0; i < m.n; ++i) {
    const bool weiss = m.weiss[i] != spiegeln;
    const int feld = spiegeln ? k.feld[i] ^ 56 : k.feld[i];
    const Bitboard b = Bitboard{1} << feld;
    (weiss ? st.weiss : st.schwarz) |= b;
    switch (m.art[i]) {
      case tbgen::FBauer:
        st.bauern |= b;
        break;
      case tbgen::FSpringer:
        st.springer |= b;
        break;
      case tbgen::FLaeufer:
        st.laeufer |= b;
        break;
      case tbgen::FTurm:
        st.tuerme |= b;
        break;
      case tbgen::FDame:
        st.damen |= b;
        break;
      default:
        (weiss ? st.koenigW : st.koenigS) = uint8_t(feld);
    }
  }
  st.amZug = (k.amZug == 0) != spiegeln ? Weiss : Schwarz;
  const int ep = tbgen::EnPassantFeld(m, k);
  st.epFeld = ep < 0 ? KeinEPFeld : uint8_t(spiegeln ? ep ^ 56 : ep);
  BelegungSetzen(st);
  StellungAbleiten(st);
  return st;
}

// Probes the table's legal nodes (every schritt-th) in both colourings, on
// all cores: the probe lock keeps the cache whole.
uint64_t Abweichungen(const std::string& name, uint64_t schritt) {
  EXPECT_TRUE(Gen().Loesen(name));
  const tbgen::Tabelle& t = *Gen().Finden(name);
  std::atomic<uint64_t> fehler{0}, geprueft{0};
  std::mutex meldung;
  std::vector<std::string> erste;
  const int faeden = std::max(1, int(std::thread::hardware_concurrency()));
  auto arbeit = [&](int faden) {
    for (uint64_t x = uint64_t(faden) * schritt; x < t.knoten; x += schritt * uint64_t(faeden)) {
      if (t.dtm[x] == tbgen::Ungueltig) continue;
      const tbgen::Knoten k = tbgen::KnotenLesen(t.m, x);
      const TbValue soll = TbWertAusEintrag(tbgen::EintragAusWert(t.dtm[x]));
      for (bool spiegeln : {false, true}) {
        const TbValue ist = TBProbe(AusKnoten(t.m, k, spiegeln), 0);
        geprueft.fetch_add(1, std::memory_order_relaxed);
        if (ist != soll && fehler.fetch_add(1) < 3) {
          std::lock_guard<std::mutex> l(meldung);
          erste.push_back(name + " node " + std::to_string(x) + (spiegeln ? " reversed" : "") +
                          ": " + std::to_string(ist) + " instead of " + std::to_string(soll));
        }
      }
    }
  };
  std::vector<std::thread> pool;
  for (int f = 1; f < faeden; ++f) pool.emplace_back(arbeit, f);
  arbeit(0);
  for (auto& th : pool) th.join();
  for (const std::string& e : erste) ADD_FAILURE() << e;
  EXPECT_GT(geprueft.load(), 0u) << name;
  return fehler.load();
}

class TbAlle : public ::testing::Test {
 protected:
  void TearDown() override {
    DLL_TBInit("", -1);
    DLL_TBCache(0);
  }
};

// One test, so the tables are solved once. Every position uncompressed and
// compressed with a large cache, both colourings; with a single entry a
// sample, since nearly every probe then reads a block.
TEST_F(TbAlle, EveryPositionThroughTheProbe) {
  DLL_TBInit("", -1);
  ASSERT_EQ(DLL_TBInit(GALDRIK_TB_DTM_DIR, 0), 4);
  ASSERT_EQ(DLL_TBCache(64 << 20), 0);
  for (const std::string& name : tbgen::AlleTabellen())
    EXPECT_EQ(Abweichungen(name, 1), 0u) << name;
  ASSERT_EQ(DLL_TBCache(8260), 0);
  for (const std::string& name : tbgen::AlleTabellen())
    EXPECT_EQ(Abweichungen(name, 997), 0u) << name;

  test::TempOrdner ordner;
  for (const auto& e : std::filesystem::directory_iterator(GALDRIK_TB_DTM_DIR)) {
    if (e.path().extension() != ".nbw" && e.path().extension() != ".nbb") continue;
    std::string inhalt = test::DateiInhalt(e.path());
    const auto emd =
        datacomp::Compress(reinterpret_cast<const uint8_t*>(inhalt.data()), inhalt.size());
    ASSERT_FALSE(emd.empty()) << e.path();
    std::ofstream f(ordner / (e.path().filename().string() + ".emd"), std::ios::binary);
    f.write(reinterpret_cast<const char*>(emd.data()), std::streamsize(emd.size()));
  }
  DLL_TBInit("", -1);
  ASSERT_EQ(DLL_TBInit(ordner.pfad().c_str(), 0), 4);
  ASSERT_EQ(DLL_TBCache(64 << 20), 0);
  for (const std::string& name : tbgen::AlleTabellen())
    EXPECT_EQ(Abweichungen(name, 1), 0u) << name;
  ASSERT_EQ(DLL_TBCache(8260), 0);
  for (const std::string& name : tbgen::AlleTabellen())
    EXPECT_EQ(Abweichungen(name, 9973), 0u) << name;
}

}  // namespace
}  // namespace galdrik
