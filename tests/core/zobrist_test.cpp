// Zobrist keys: full and incremental keys, the key file, the generator.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/zobrist.h"
#include "support/datei.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

using test::Brett;
using test::Feld;

namespace fs = std::filesystem;

const std::string GeliefertePfad = GALDRIK_DATA_DIR "/HashCode.key";

// Restores the shipped keys after a test that replaces them.
class KeySatzWiederherstellen : public ::testing::Test {
 protected:
  void TearDown() override { ASSERT_EQ(HashCodeKeysLaden(GeliefertePfad), 0); }
  std::string Pfad(const char* name) const { return (ordner_ / name).string(); }
  test::TempOrdner ordner_;
};

using test::DateiInhalt;

using KeyDatei = KeySatzWiederherstellen;

TEST_F(KeyDatei, GelieferteDateiLaedt) {
  ASSERT_EQ(fs::file_size(GeliefertePfad), 6256u);
  EXPECT_EQ(HashCodeKeysLaden(GeliefertePfad), 0);
  EXPECT_NE(HashCodeKeys.weissAmZug, HashCodeKeys.schwarzAmZug);
  EXPECT_NE(HashCodeKeys.enPassant[7], 0u);
}

TEST_F(KeyDatei, FalscheGroesseWirdAbgewiesen) {
  const std::string inhalt = DateiInhalt(GeliefertePfad);
  const HashCodeKeySatz vorher = HashCodeKeys;
  for (size_t laenge : {size_t{0}, size_t{6248}, size_t{6255}, size_t{6257}, size_t{12512}}) {
    std::string daten = inhalt;
    daten.resize(laenge, '\x5A');
    test::DateiSchreiben(Pfad("kurz.key"), daten);
    EXPECT_EQ(HashCodeKeysLaden(Pfad("kurz.key")), -1) << laenge << " bytes";
    EXPECT_EQ(std::memcmp(&vorher, &HashCodeKeys, sizeof vorher), 0) << "keys changed";
  }
  EXPECT_EQ(HashCodeKeysLaden(Pfad("fehlt.key")), -1);
}

TEST(HashCode, EPFeldOhneSchlagendenBauernZaehltNicht) {
  EXPECT_EQ(Brett("4k3/8/8/8/4P3/8/8/4K3 b - e3").schluessel,
            Brett("4k3/8/8/8/4P3/8/8/4K3 b - -").schluessel);
  EXPECT_NE(Brett("4k3/8/8/8/3pP3/8/8/4K3 b - e3").schluessel,
            Brett("4k3/8/8/8/3pP3/8/8/4K3 b - -").schluessel);
}

// The null move's key is the key of the same board with the other side to
// move and no en-passant square, whether that square counted or not.
TEST(HashCode, NullzugGleichNeuBerechnet) {
  for (const char* text : {"4k3/8/8/8/3pP3/8/8/4K3 b - e3", "4k3/8/8/8/4P3/8/8/4K3 b - e3",
                           "r3k2r/8/8/2Pp4/8/8/8/R3K2R w KQkq d6", "4k3/8/8/8/8/8/8/4K3 w - -"}) {
    Stellung st = Brett(text);
    const uint64_t null = HashCodeNullzug(st);
    st.amZug = static_cast<uint8_t>(1 - st.amZug);
    st.epFeld = KeinEPFeld;
    EXPECT_EQ(null, HashCodeBerechnen(st)) << text;
  }
}

TEST(HashCode, SeiteAmZugZaehlt) {
  EXPECT_NE(Brett("4k3/8/8/8/8/8/8/4K3 w - -").schluessel,
            Brett("4k3/8/8/8/8/8/8/4K3 b - -").schluessel);
}

// The incremental key after a move equals the key of the resulting position,
// computed from scratch, for each kind of change a move makes.
TEST(HashCode, InkrementellGleichVoll) {
  struct Fall {
    const char* name;
    const char* vorher;
    Zug zug;
    const char* nachher;
  };
  auto z = [](const char* von, const char* nach, int8_t figur, int8_t geschlagen = 0,
              uint8_t art = ZugartNormal, uint8_t ep = 0) {
    return Zug{static_cast<uint8_t>(Feld(von)),
               static_cast<uint8_t>(Feld(nach)),
               figur,
               geschlagen,
               art,
               0,
               ep,
               0};
  };
  const Fall faelle[] = {
      {"quiet knight", "r3k2r/8/8/8/8/8/8/R3K1NR w KQkq -", z("g1", "f3", Springer),
       "r3k2r/8/8/8/8/5N2/8/R3K2R b KQkq -"},
      {"capture", "4k3/8/8/3p4/4N3/8/8/4K3 w - -", z("e4", "d5", Springer, -Bauer),
       "4k3/8/8/3N4/8/8/8/4K3 b - -"},
      {"castle c1", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", z("e1", "c1", Koenig, 0, ZugartRochade),
       "r3k2r/8/8/8/8/8/8/2KR3R b kq -"},
      {"castle g1", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", z("e1", "g1", Koenig, 0, ZugartRochade),
       "r3k2r/8/8/8/8/8/8/R4RK1 b kq -"},
      {"castle c8", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq -", z("e8", "c8", -Koenig, 0, ZugartRochade),
       "2kr3r/8/8/8/8/8/8/R3K2R w KQ -"},
      {"castle g8", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq -", z("e8", "g8", -Koenig, 0, ZugartRochade),
       "r4rk1/8/8/8/8/8/8/R3K2R w KQ -"},
      {"promotion", "4k3/P7/8/8/8/8/8/4K3 w - -", z("a7", "a8", Bauer, 0, ZugartUmwDame),
       "Q3k3/8/8/8/8/8/8/4K3 b - -"},
      {"capture promotion", "1r2k3/P7/8/8/8/8/8/4K3 w - -",
       z("a7", "b8", Bauer, -Turm, ZugartUmwSpringer), "1N2k3/8/8/8/8/8/8/4K3 b - -"},
      {"black promotion", "4k3/8/8/8/8/8/p7/4K3 b - -", z("a2", "a1", -Bauer, 0, ZugartUmwTurm),
       "4k3/8/8/8/8/8/8/r3K3 w - -"},
      {"en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6", z("e5", "d6", Bauer, -Bauer, 0, 1),
       "4k3/8/3P4/8/8/8/8/4K3 b - -"},
      {"black en passant", "4k3/8/8/8/3pP3/8/8/4K3 b - e3", z("d4", "e3", -Bauer, Bauer, 0, 1),
       "4k3/8/8/8/8/4p3/8/4K3 w - -"},
      {"double step, capturable", "4k3/8/8/8/3p4/8/4P3/4K3 w - -", z("e2", "e4", Bauer),
       "4k3/8/8/8/3pP3/8/8/4K3 b - e3"},
      {"double step, not capturable", "4k3/8/8/8/8/8/4P3/4K3 w - -", z("e2", "e4", Bauer),
       "4k3/8/8/8/4P3/8/8/4K3 b - e3"},
      {"black double step", "4k3/3p4/8/4P3/8/8/8/4K3 b - -", z("d7", "d5", -Bauer),
       "4k3/8/8/3pP3/8/8/8/4K3 w - d6"},
      {"old ep square lapses", "4k3/8/8/8/3pP3/8/8/4K3 b - e3", z("e8", "e7", -Koenig),
       "8/4k3/8/8/3pP3/8/8/4K3 w - -"},
      {"rook leaves a1", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", z("a1", "a4", Turm),
       "r3k2r/8/8/8/R7/8/8/4K2R b Kkq -"},
      {"rook leaves h8", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq -", z("h8", "h5", -Turm),
       "r3k3/8/8/7r/8/8/8/R3K2R w KQq -"},
      {"king move ends both", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", z("e1", "e2", Koenig),
       "r3k2r/8/8/8/8/8/4K3/R6R b kq -"},
      {"capture on h8", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", z("h1", "h8", Turm, -Turm),
       "r3k2R/8/8/8/8/8/8/R3K3 b Qq -"},
      {"rook takes rook a1-a8", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", z("a1", "a8", Turm, -Turm),
       "R3k2r/8/8/8/8/8/8/4K2R b Kk -"},
  };
  for (const auto& f : faelle) {
    const Stellung vorher = Brett(f.vorher);
    const Stellung nachher = Brett(f.nachher);
    EXPECT_EQ(HashCodeZug(vorher, f.zug), nachher.schluessel) << f.name;
  }
}

using Generator = KeySatzWiederherstellen;

TEST_F(Generator, SchreibtBerichtUndDateiUndNutztKeys) {
  ASSERT_EQ(HashCodeGenerieren(4711, Pfad("HashLog.txt"), Pfad("HashCode.key")), 0);
  const std::string keyDatei = DateiInhalt(Pfad("HashCode.key"));
  ASSERT_EQ(keyDatei.size(), 6256u);
  // In use at once, and read back into the same keys.
  EXPECT_EQ(std::memcmp(keyDatei.data(), &HashCodeKeys, 6256), 0);
  const HashCodeKeySatz neu = HashCodeKeys;
  ASSERT_EQ(HashCodeKeysLaden(GeliefertePfad), 0);
  ASSERT_EQ(HashCodeKeysLaden(Pfad("HashCode.key")), 0);
  EXPECT_EQ(std::memcmp(&neu, &HashCodeKeys, sizeof neu), 0);
  EXPECT_FALSE(fs::exists(Pfad("HashCode.key.neu")));

  // The report: three figures, the 65-row histogram, one sum per key.
  std::ifstream log(Pfad("HashLog.txt"));
  std::string zeile;
  std::getline(log, zeile);
  EXPECT_EQ(zeile.rfind("minimale Hamming-Distanz:          ", 0), 0u) << zeile;
  std::getline(log, zeile);
  EXPECT_EQ(zeile.rfind("maximale Hamming-Distanz:          ", 0), 0u) << zeile;
  std::getline(log, zeile);
  EXPECT_EQ(zeile.rfind("durchschnittliche Hamming-Distanz: ", 0), 0u) << zeile;
  std::getline(log, zeile);
  EXPECT_EQ(zeile, "Hamming-Distanz-Häufigkeitsverteilung:");
  std::getline(log, zeile);
  EXPECT_EQ(zeile, "");
  long paare = 0;
  for (int d = 0; d <= 64; ++d) {
    std::getline(log, zeile);
    int abstand = -1;
    long anzahl = -1;
    ASSERT_EQ(std::sscanf(zeile.c_str(), "%d\t%ld", &abstand, &anzahl), 2) << zeile;
    EXPECT_EQ(abstand, d);
    paare += anzahl;
  }
  EXPECT_EQ(paare, 782L * 781L);
  std::getline(log, zeile);
  EXPECT_EQ(zeile, "Hamming-Distanz-Summe für jede Zahl:");
  std::getline(log, zeile);
  int summen = 0;
  while (std::getline(log, zeile)) ++summen;
  EXPECT_EQ(summen, 782);
}

TEST_F(Generator, GleicheSaatGleicheKeys) {
  Zufall15 a(99), b(99);
  HashCodeStatistik sa, sb;
  EXPECT_EQ(HashCodeSatzErzeugen(a, sa), HashCodeSatzErzeugen(b, sb));
  // The spread rules hold: no two keys closer than the forced-take floor
  // allows in practice, and the statistics add up.
  EXPECT_GE(sa.minimum, 16);
  EXPECT_DOUBLE_EQ(sa.summe, [&] {
    double s = 0;
    for (uint32_t x : sa.summeJeKey) s += x;
    return s;
  }());
}

TEST_F(Generator, NichtSchreibbarLaesstKeysUnveraendert) {
  const HashCodeKeySatz vorher = HashCodeKeys;
  EXPECT_EQ(HashCodeGenerieren(1, Pfad("fehlt/HashLog.txt"), Pfad("HashCode.key")), -1);
  EXPECT_EQ(std::memcmp(&vorher, &HashCodeKeys, sizeof vorher), 0);
  EXPECT_FALSE(fs::exists(Pfad("HashCode.key")));
  EXPECT_EQ(HashCodeGenerieren(1, Pfad("HashLog.txt"), Pfad("fehlt/HashCode.key")), -1);
  EXPECT_EQ(std::memcmp(&vorher, &HashCodeKeys, sizeof vorher), 0);
}

}  // namespace
}  // namespace galdrik
