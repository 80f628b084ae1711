// The md5sum-text collector, reading the reference list, its self-check and
// the digest export against coreutils md5sum.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "analysis/md5liste.h"
#include "analysis/tbmanagexports.h"
#include "interface/enginestate.h"
#include "interface/galdrik_exports.h"
#include "support/datei.h"

namespace galdrik {
namespace {

using test::DateiInhalt;
using test::TempOrdner;

constexpr char DigestA[] = "00112233445566778899aabbccddeeff";
constexpr char DigestB[] = "ffeeddccbbaa99887766554433221100";

MD5Digest Digest(const std::string& hex) {
  MD5Digest d{};
  for (size_t i = 0; i < 16; ++i) d[i] = uint8_t(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
  return d;
}

MD5Digest Eintrag(const std::string& block, int32_t nr) {
  MD5Digest d{};
  for (size_t i = 0; i < 16; ++i) d[i] = uint8_t(block[size_t(nr) * 16 + i]);
  return d;
}

int32_t Leere(const std::string& block) {
  int32_t n = 0;
  for (int32_t nr = 0; nr < MD5BlockEintraege; ++nr) n += Eintrag(block, nr) == MD5KeinDigest;
  return n;
}

TEST(MD5Kollektor, NamenFuehrenZumEintrag) {
  TempOrdner ordner;
  const std::string liste = (ordner / "block.md5").string();
  const struct {
    const char* name;
    int32_t nr;      // (row * 2 + t) * 18 + slot
    int32_t andere;  // the other side's entry, filled too while empty
  } faelle[] = {
      {"kqkr.nbw.emd", (19 * 2 + 0) * 18, (19 * 2 + 1) * 18},  // 684 and 702
      {"kqkr.nbb", (19 * 2 + 1) * 18, (19 * 2 + 0) * 18},
      {"kqkr.1.nbw", (19 * 2 + 0) * 18 + 1, (19 * 2 + 1) * 18 + 1},
      {"kqkr.a.nbw", (19 * 2 + 0) * 18 + 10, (19 * 2 + 1) * 18 + 10},
      {"krbkbn.h.nbb.emd", (187 * 2 + 1) * 18 + 17, (187 * 2 + 0) * 18 + 17},
      {"kpk.nbw", 36, 54},
      {"kqqpkq.nbb", (440 * 2 + 1) * 18, (440 * 2 + 0) * 18},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    const std::string text = ordner.datei("md5.txt", std::string(DigestA) + "  " + f.name + "\n");
    ASSERT_EQ(DLL_MD5Kollektor(text.c_str(), liste.c_str()), 0);
    const std::string block = DateiInhalt(liste);
    ASSERT_EQ(block.size(), 254016u);
    EXPECT_EQ(Eintrag(block, f.nr), Digest(DigestA));
    EXPECT_EQ(Eintrag(block, f.andere), Digest(DigestA));
    EXPECT_EQ(Leere(block), MD5BlockEintraege - 2);
  }
}

TEST(MD5Kollektor, BeideSeitenBehaltenIhreDigestsInJederReihenfolge) {
  TempOrdner ordner;
  const std::string liste = (ordner / "block.md5").string();
  for (const bool weissZuerst : {true, false}) {
    const std::string w = std::string(DigestA) + "  kqkr.nbw\n";
    const std::string b = std::string(DigestB) + "  kqkr.nbb\r\n";
    const std::string text = ordner.datei("md5.txt", weissZuerst ? w + b : b + w);
    ASSERT_EQ(DLL_MD5Kollektor(text.c_str(), liste.c_str()), 0);
    const std::string block = DateiInhalt(liste);
    EXPECT_EQ(Eintrag(block, 684), Digest(DigestA));
    EXPECT_EQ(Eintrag(block, 702), Digest(DigestB));
  }
}

TEST(MD5Kollektor, FehlerhafteZeilenSchreibenNichts) {
  TempOrdner ordner;
  const std::string liste = ordner.datei("block.md5", "vorher");
  const std::string a = DigestA;
  const struct {
    std::string zeile;
    int32_t code;
  } faelle[] = {
      {a.substr(1) + "  kqkr.nbw", -3},
      {a + "0  kqkr.nbw", -3},
      {"g" + a.substr(1) + "  kqkr.nbw", -3},
      {std::string(5000, '0') + "  kqkr.nbw", -3},
      {a + "  qkr.nbw", -4},
      {a + "  *kqkr.nbw", -4},
      {a + "  kqrbnkp.nbw", -4},  // five piece letters
      {a + "  k" + std::string(300, 'x') + ".nbw", -4},
      {a, -4},  // no name
      {a + "  kqkr.z.nbw", -5},
      {a + "  kqkr.i.nbw", -5},  // slot 18 does not exist
      {a + "  kqkr.A.nbw", -5},
      {a + "  kqkr.1.", -5},
      {a + "  kqkr.1.nb", -5},
      {a + "  kqkr.nb", -5},
      {a + "  kqkr.nbx", -5},
      {a + "  kqkr", -5},
      {a + "  kk.nbw", -6},
      {a + "  krqk.nbw", -6},
      {a + "  kqqqqk.nbw", -6},
  };
  for (const auto& f : faelle) {
    // The bad line follows a good one: nothing at all is written.
    const std::string text = ordner.datei("md5.txt", a + "  kpk.nbw\n" + f.zeile + "\n");
    EXPECT_EQ(DLL_MD5Kollektor(text.c_str(), liste.c_str()), f.code) << f.zeile.substr(0, 60);
    EXPECT_EQ(DateiInhalt(liste), "vorher");
  }
  EXPECT_EQ(DLL_MD5Kollektor((ordner / "fehlt.txt").c_str(), liste.c_str()), -1);
  EXPECT_EQ(DLL_MD5Kollektor(nullptr, liste.c_str()), -1);
  const std::string text = ordner.datei("md5.txt", a + "  kpk.nbw\n");
  EXPECT_EQ(DLL_MD5Kollektor(text.c_str(), (ordner / "fehlt" / "block.md5").c_str()), -2);
  EXPECT_EQ(DLL_MD5Kollektor(text.c_str(), nullptr), -2);
  // An empty text is a block without digests.
  ASSERT_EQ(DLL_MD5Kollektor(ordner.datei("leer.txt", "").c_str(), liste.c_str()), 0);
  EXPECT_EQ(Leere(DateiInhalt(liste)), MD5BlockEintraege);
}

TEST(MD5Liste, KurzeListeHatLeereEintraege) {
  TempOrdner ordner;
  // One metric's block and half an entry: everything beyond is no digest.
  std::string inhalt(size_t(MD5BlockEintraege) * 16 + 8, '\x11');
  const std::string pfad = ordner.datei("kurz.md5", inhalt);
  std::vector<MD5Digest> liste;
  ASSERT_TRUE(MD5ListeLesen(pfad, liste));
  ASSERT_EQ(liste.size(), size_t(MD5ListeEintraege));
  MD5Digest elf;
  elf.fill(0x11);
  EXPECT_EQ(liste[MD5BlockEintraege - 1], elf);
  EXPECT_EQ(liste[MD5BlockEintraege], MD5KeinDigest);
  EXPECT_EQ(liste[MD5ListeEintraege - 1], MD5KeinDigest);
  MD5Digest d;
  ASSERT_TRUE(MD5ListeEintrag(pfad, MD5BlockEintraege - 1, d));
  EXPECT_EQ(d, elf);
  ASSERT_TRUE(MD5ListeEintrag(pfad, MD5BlockEintraege, d));
  EXPECT_EQ(d, MD5KeinDigest);
  EXPECT_FALSE(MD5ListeLesen((ordner / "fehlt.md5").string(), liste));
  EXPECT_FALSE(MD5ListeEintrag((ordner / "fehlt.md5").string(), 0, d));
}

TEST(MD5Liste, Doppelcheck) {
  TempOrdner ordner;
  const std::string voll(size_t(MD5ListeEintraege) * 16, '\xFF');
  EXPECT_EQ(MD5ListeDoppelcheck(ordner.datei("leer.md5", voll)), 1);
  EXPECT_EQ(MD5ListeDoppelcheck(ordner.datei("anders.md5", voll.substr(1) + "x")), 0);
  EXPECT_EQ(MD5ListeDoppelcheck((ordner / "fehlt.md5").string()), -1);
}

// coreutils md5sum as the oracle, on files around the 64-byte block and the
// 1024-byte read sizes.
TEST(MD5Dateisumme, GleichMd5sum) {
  TempOrdner ordner;
  std::string befehl = "cd '" + ordner.pfad().string() + "' && md5sum";
  std::vector<std::string> namen;
  for (const size_t groesse : {0, 1, 55, 56, 64, 1023, 1024, 1025, 70000}) {
    std::string inhalt(groesse, '\0');
    for (size_t i = 0; i < groesse; ++i) inhalt[i] = char((i * 131 + groesse) % 256);
    namen.push_back("f" + std::to_string(groesse));
    ordner.datei(namen.back(), inhalt);
    befehl += " " + namen.back();
  }
  std::FILE* md5sum = ::popen(befehl.c_str(), "r");
  ASSERT_NE(md5sum, nullptr);
  char digest[64], name[64];
  size_t gesehen = 0;
  while (std::fscanf(md5sum, "%32s %63s", digest, name) == 2) {
    const std::string pfad = (ordner / name).string();
    ASSERT_EQ(DLL_MD5Dateisumme(pfad.c_str()), 32);
    EXPECT_STREQ(Ausgabepuffer(), digest) << name;
    ++gesehen;
  }
  EXPECT_EQ(::pclose(md5sum), 0);
  EXPECT_EQ(gesehen, namen.size());
  EXPECT_EQ(DLL_MD5Dateisumme((ordner / "fehlt").c_str()), 0);
  EXPECT_STREQ(Ausgabepuffer(), "");
}

}  // namespace
}  // namespace galdrik
