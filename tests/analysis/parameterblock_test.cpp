// DLL_TBAnaSetPos against a block written byte by byte from the stored
// layout, for a table of masks: the grid rules, low bytes of negative
// values, values carried but unused, and the switch kept beside the block.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "analysis/parameterblock.h"
#include "analysis/tbana_exports.h"
#include "analysis/tbanasetup.h"
#include "core/board.h"
#include "interface/host.h"

namespace galdrik::test {
namespace {

using Maske = std::vector<int32_t>;

// The mask the program builds for a freshly entered position: a White king
// on e1, a White pawn on e2 and a Black king on e8, each allowed only on its
// square, no offset condition (the program writes -1 everywhere it means
// "not").
Maske Grundmaske() {
  Maske m(SuchmaskeLaenge, -1);
  const int figuren[6] = {Koenig, Bauer, -Koenig, 0, 0, 0};
  const int felder[6] = {4, 12, 60, -1, -1, -1};
  for (int k = 0; k < 6; ++k) {
    m[384 + k] = figuren[k];
    if (felder[k] >= 0) m[64 * k + felder[k]] = 1;
  }
  m[390] = 1;
  m[391] = 50;
  m[393] = 2;
  for (int k = 0; k < 6; ++k) m[394 + 225 * k + 112] = 1;  // the centre cell
  m[1750] = 0;
  m[1751] = 0;
  m[1752] = 0;
  m[1753] = 64;
  m[1754] = 64;
  m[1755] = 0;
  m[1756] = 0;
  m[1757] = 0;
  m[1758] = 0;
  return m;
}

// The block written from the layout table, field by field.
std::vector<uint8_t> ErwarteterBlock(const Maske& m) {
  std::vector<uint8_t> b(3152, 0);
  auto u64 = [&](size_t at, uint64_t v) {
    for (int i = 0; i < 8; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  auto i32 = [&](size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i)
      b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
  };
  auto byte = [&](size_t at, int32_t v) { b[at] = static_cast<uint8_t>(v); };
  for (int k = 0; k < 6; ++k) {
    uint64_t felder = 0;
    for (int s = 0; s < 64; ++s)
      if (m[64 * k + s] == 1) felder |= uint64_t{1} << s;
    u64(8 * k, felder);
    byte(48 + k, m[384 + k]);
    for (int e = 0; e < 64; ++e) {
      uint64_t ziel = 0;
      for (int q = 0; q < 64; ++q) {
        const int zeile = q / 8 - e / 8 + 7, spalte = q % 8 - e % 8 + 7;
        if (m[394 + 225 * k + 15 * zeile + spalte] == 1) ziel |= uint64_t{1} << q;
      }
      u64(64 + 512 * k + 8 * e, ziel);
    }
    byte(3136 + k, m[1744 + k]);
  }
  byte(54, m[392]);
  byte(55, m[393]);
  i32(56, m[390]);
  i32(60, m[391]);
  for (int i = 0; i < 8; ++i) byte(3142 + i, m[1750 + i]);
  return b;
}

uint64_t Eintrag(const TBAnaSetup& s, int k, int e) { return s.block.erreichbar[k][e]; }

TEST(TBAnaSetPos, BautDenBlockByteFuerByte) {
  struct Fall {
    const char* name;
    std::function<void(Maske&)> aendern;
    int32_t kriterium;
    std::function<void(const TBAnaSetup&)> pruefen;
  };
  const std::vector<Fall> faelle = {
      {"fresh mask", [](Maske&) {}, 10,
       [](const TBAnaSetup& s) {
         EXPECT_EQ(s.block.felder[0], uint64_t{1} << 4);
         EXPECT_EQ(s.block.felder[3], 0u);
         for (int e : {0, 27, 63}) EXPECT_EQ(Eintrag(s, 3, e), uint64_t{1} << e);  // centre only
       }},
      {"2 and -1 forbid a square, only 1 allows it",
       [](Maske& m) {
         m[64 * 1 + 20] = 2;
         m[64 * 1 + 21] = 1;
         m[64 * 1 + 12] = -1;
         m[64 * 1 + 13] = 0;
       },
       1, [](const TBAnaSetup& s) { EXPECT_EQ(s.block.felder[1], uint64_t{1} << 21); }},
      {"all-1 grid: no restriction",
       [](Maske& m) {
         for (int c = 0; c < 225; ++c) m[394 + 225 * 2 + c] = 1;
       },
       3,
       [](const TBAnaSetup& s) {
         for (int e = 0; e < 64; ++e) EXPECT_EQ(Eintrag(s, 2, e), ~uint64_t{0});
       }},
      {"a single offset: one rank up, two files right",
       [](Maske& m) {
         m[394 + 225 * 4 + 112] = -1;
         m[394 + 225 * 4 + 15 * 8 + 9] = 1;
       },
       4,
       [](const TBAnaSetup& s) {
         EXPECT_EQ(Eintrag(s, 4, 0), uint64_t{1} << 10);  // a1 -> c2
         EXPECT_EQ(Eintrag(s, 4, 5), uint64_t{1} << 15);  // f1 -> h2
         EXPECT_EQ(Eintrag(s, 4, 6), 0u);                 // g1: off the board
         EXPECT_EQ(Eintrag(s, 4, 58), 0u);                // c8: off the board
       }},
      {"the far corner cells pair a1 with h8 and h8 with a1",
       [](Maske& m) {
         m[394 + 225 * 5 + 112] = -1;
         m[394 + 225 * 5 + 15 * 14 + 14] = 1;
         m[394 + 225 * 5 + 0] = 1;
       },
       4,
       [](const TBAnaSetup& s) {
         EXPECT_EQ(Eintrag(s, 5, 0), uint64_t{1} << 63);
         EXPECT_EQ(Eintrag(s, 5, 63), uint64_t{1});
         EXPECT_EQ(Eintrag(s, 5, 27), 0u);
       }},
      {"-1 becomes 0xFF, 64 stays 64",
       [](Maske& m) {
         m[1744] = -1;
         m[1745] = 0;
         m[1746] = 6;
         m[1747] = 3;
         m[392] = -1;
         m[393] = -1;
         m[390] = -1;
         m[391] = -7;
         m[1753] = 64;
         m[1754] = -1;
         m[1750] = 4;
         m[1751] = 5;
         m[1755] = 6;
         m[1756] = 15;
         m[1757] = 16 + 32 + 64 + 128;
       },
       -5,
       [](const TBAnaSetup& s) {
         EXPECT_EQ(s.block.bezug[0], -1);
         EXPECT_EQ(s.block.gewaehlterSlot, -1);
         EXPECT_EQ(s.block.seite, -1);
         EXPECT_EQ(s.block.distanzMin, -1);
         EXPECT_EQ(s.block.nach, 0xFF);
         EXPECT_EQ(s.block.von, 64);
         EXPECT_EQ(s.block.umwandlung, 240);
         EXPECT_EQ(s.kriterium, -5);
       }},
      {"values above a byte keep their low byte",
       [](Maske& m) {
         m[384] = 0x106;  // a king once truncated
         m[1757] = 0x1FF;
         m[393] = 258;
       },
       2,
       [](const TBAnaSetup& s) {
         EXPECT_EQ(s.block.figuren[0], 6);
         EXPECT_EQ(s.block.umwandlung, 0xFF);
         EXPECT_EQ(s.block.seite, 2);
       }},
      {"values 392 and 1752 are carried",
       [](Maske& m) {
         m[392] = 3;
         m[1752] = 77;
       },
       10,
       [](const TBAnaSetup& s) {
         EXPECT_EQ(s.block.gewaehlterSlot, 3);
         EXPECT_EQ(s.block.wert1752, 77);
       }},
      {"the symmetry switch is kept whole, even for a class with pawns",
       [](Maske& m) { m[1758] = 1; }, 10,
       [](const TBAnaSetup& s) { EXPECT_EQ(s.diagonalSymmetrie, 1); }},
      {"the switch is not cut to a byte", [](Maske& m) { m[1758] = 0x10001; }, 98,
       [](const TBAnaSetup& s) {
         EXPECT_EQ(s.diagonalSymmetrie, 0x10001);
         EXPECT_EQ(s.kriterium, 98);
       }},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    Maske m = Grundmaske();
    f.aendern(m);
    DLL_TBAnaSetPos(m.data(), f.kriterium);
    const TBAnaSetup s = TBAnaSetupHolen();
    const std::vector<uint8_t> erwartet = ErwarteterBlock(m);
    ASSERT_EQ(std::memcmp(&s.block, erwartet.data(), erwartet.size()), 0);
    EXPECT_EQ(s.kriterium, f.kriterium);
    EXPECT_EQ(s.diagonalSymmetrie, m[1758]);
    f.pruefen(s);
  }
}

TEST(TBAnaSetPos, ErsetztDenBlockGanzUndUebergehtNull) {
  Maske m = Grundmaske();
  m[1752] = 9;
  for (int c = 0; c < 225; ++c) m[394 + c] = 1;
  DLL_TBAnaSetPos(m.data(), 7);
  DLL_TBAnaSetPos(nullptr, 3);  // ignored
  EXPECT_EQ(TBAnaSetupHolen().kriterium, 7);

  const Maske frisch = Grundmaske();
  DLL_TBAnaSetPos(frisch.data(), 1);
  const TBAnaSetup s = TBAnaSetupHolen();
  const std::vector<uint8_t> erwartet = ErwarteterBlock(frisch);
  EXPECT_EQ(std::memcmp(&s.block, erwartet.data(), erwartet.size()), 0);
  EXPECT_EQ(s.block.wert1752, 0);
  EXPECT_EQ(s.block.erreichbar[0][9], uint64_t{1} << 9);
}

// The program binds the export by name from the shared library.
TEST(TBAnaSetPos, IstAusDerBibliothekSichtbar) {
  Bibliothek lib;
  ASSERT_TRUE(lib.geladen());
  ASSERT_TRUE(lib.sichtbar("DLL_TBAnaSetPos"));
  Maske m = Grundmaske();
  lib.operator()<void>("DLL_TBAnaSetPos", m.data(), int32_t{10});
  lib.operator()<void>("DLL_TBAnaSetPos", static_cast<const int32_t*>(nullptr), int32_t{10});
}

}  // namespace
}  // namespace galdrik::test
