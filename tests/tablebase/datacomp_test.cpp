// DATACOMP reading: the hand-built fixture decodes to its stated bytes,
// broken headers and blocks give their failure, and our encoder's files
// come back byte for byte.
#include "tablebase/datacomp.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "datacompenc.h"
#include "support/datei.h"

namespace galdrik {
namespace {

using Bytes = std::vector<uint8_t>;

// The files of the hand-written listing by name.
std::map<std::string, Bytes> FixtureLesen() {
  std::map<std::string, Bytes> dateien;
  std::istringstream text(test::DateiInhalt(GALDRIK_TEST_DATA_DIR "/datacomp/fixture.txt"));
  std::string zeile, aktuell;
  while (std::getline(text, zeile)) {
    zeile = zeile.substr(0, zeile.find('#'));
    std::istringstream woerter(zeile);
    for (std::string w; woerter >> w;) {
      if (w == "file") {
        woerter >> aktuell;
        dateien[aktuell];
      } else if (w == "end") {
        aktuell.clear();
      } else {
        dateien.at(aktuell).push_back(uint8_t(std::stoul(w, nullptr, 16)));
      }
    }
  }
  return dateien;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Wiederholt(uint8_t b, size_t n) { return Bytes(n, b); }

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A compressed file written to the test's folder and opened.
class Datei {
 public:
  Datei(const test::TempOrdner& ordner, const Bytes& inhalt, const std::string& name = "t.emd") {
    pfad_ = ordner.datei(name, std::string(inhalt.begin(), inhalt.end()));
    fd_ = ::open(pfad_.c_str(), O_RDONLY);
  }
  ~Datei() { ::close(fd_); }
  int fd() const { return fd_; }

 private:
  std::string pfad_;
  int fd_;
};

// Every block of the file decoded in order, or nothing when any fails.
std::optional<Bytes> AllesDecodieren(const TbDecodeInfo& info, int fd) {
  std::unique_ptr<DatacompDecodeBlock> work;
  EXPECT_EQ(TbAllocDecodeBlock(&work, DatacompBlockSize), 0);
  Bytes out(info.DecodedBytes());
  for (uint32_t b = 0; b < info.blockCount; ++b)
    if (!DatacompDecode(info, fd, b, out.data() + size_t(b) * info.blockSize, *work))
      return std::nullopt;
  return out;
}

TEST(Datacomp, CrcOfAbcAndTheReversedTableRule) {
  const uint8_t abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(TbBlockCrc(abc, 3, 0), 0xCADBBEC2u);
  EXPECT_EQ(TbBlockCrc(abc, 0, 0x1234), 0x1234u);
  // A single byte b from 0 is the table entry b; entry i must be entry
  // 255 - i of the common CRC-32 table (entry 255 there is 0x2D02EF8D).
  const uint8_t null = 0;
  EXPECT_EQ(TbBlockCrc(&null, 1, 0), 0x2D02EF8Du);
}

// Lengths 1, 2, 3, 3 give the codes 0, 10, 110, 111, whether the lookup
// resolves them at once or through the pairs of longer codes.
TEST(Datacomp, CanonicalCodeOfLengths1233) {
  const uint8_t laengen[] = {1, 2, 3, 3};
  // 0 10 110 111 111 110 10 0, padded.
  const uint8_t strom[] = {0b01011011, 0b11111101, 0b00000000};
  for (int lookup : {1, 2, 3, 8}) {
    SCOPED_TRACE(lookup);
    std::vector<int16_t> tabelle((1u << lookup) + 8);
    ASSERT_EQ(DatacompBuildHuffman(tabelle, laengen, 4, lookup), 0);
    DatacompBitReader r(strom, sizeof strom);
    std::vector<int> symbole;
    for (int i = 0; i < 8; ++i) symbole.push_back(DatacompSymbol(r, tabelle.data(), lookup));
    EXPECT_EQ(symbole, (std::vector<int>{0, 1, 2, 3, 3, 2, 1, 0}));
    EXPECT_EQ(r.BitPosition(), 18u);
  }
}

TEST(Datacomp, CodesThatAreNotCompletePrefixCodesAreRefused) {
  struct Fall {
    std::vector<uint8_t> laengen;
    bool gut;
  };
  const Fall faelle[] = {
      {{1, 2, 3}, false},    // incomplete
      {{1, 1, 2}, false},    // over-full
      {{1, 32}, false},      // longer than 31
      {{0, 2, 0}, false},    // a single code must have length 1
      {{0, 1, 0}, true},     // one symbol, no bits
      {{0, 0, 0}, true},     // all zero: symbol 0, no bits
      {{2, 2, 2, 2}, true},  // four codes of two bits
      {{1, 2, 3, 4, 5, 5}, true},
  };
  for (const auto& f : faelle) {
    std::vector<int16_t> tabelle(256 + 2 * f.laengen.size());
    EXPECT_EQ(DatacompBuildHuffman(tabelle, f.laengen.data(), int(f.laengen.size()), 8) == 0, f.gut)
        << testing::PrintToString(f.laengen);
  }
}

TEST(Datacomp, HandBuiltFixtureDecodesToItsStatedBytes) {
  test::TempOrdner ordner;
  const auto dateien = FixtureLesen();
  const Bytes block0 = Text("ABCC") + Text("BCCBCCBCCBCCBCC") + Text("BC") + Wiederholt('C', 8171);
  ASSERT_EQ(block0.size(), 8192u);
  struct Fall {
    const char* name;
    Bytes inhalt;
  };
  const Fall faelle[] = {
      // k-path matches, a length-1 distance-1 match, a copy cut at the block
      // end, a run-coded description, a literal-only short last block
      {"main", block0 + Text("ABBACC")},
      // a one-symbol code, a raw last block
      {"single", Wiederholt('Z', 8192) + Text("xyz")},
      // the all-zero code
      {"zero", Wiederholt(0, 10)},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Datei d(ordner, dateien.at(f.name));
    DatacompFehler fehler;
    const auto info = DatacompReadIndex(d.fd(), fehler);
    ASSERT_TRUE(info) << DatacompFehlerText(fehler);
    EXPECT_EQ(info->blockSize, 8192u);
    EXPECT_EQ(info->DecodedBytes(), f.inhalt.size());
    const auto out = AllesDecodieren(*info, d.fd());
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, f.inhalt);
  }
}

// Broken copies of the fixture: each field checked before use gives its
// reason, and the notice after the banner prefix may say anything.
TEST(Datacomp, BrokenHeadersGiveTheirReason) {
  test::TempOrdner ordner;
  const Bytes gut = FixtureLesen().at("main");
  const size_t h = 164;
  ASSERT_EQ(gut[67], h);
  auto crcNeu = [&](Bytes b) {
    const uint32_t c = TbBlockCrc(b.data(), h - 4, 0);
    for (int i = 0; i < 4; ++i) b[h - 4 + i] = uint8_t(c >> (24 - 8 * i));
    return b;
  };
  auto mit = [&](size_t at, uint8_t wert, bool crc = true) {
    Bytes b = gut;
    b[at] = wert;
    return crc ? crcNeu(b) : b;
  };
  struct Fall {
    const char* was;
    Bytes datei;
    DatacompFehler fehler;
  };
  const Fall faelle[] = {
      {"banner prefix", mit(5, 'X'), DatacompFehler::ReadError},
      {"zero byte after the banner", mit(62, 1), DatacompFehler::ReadError},
      {"shorter than 80 bytes", Bytes(gut.begin(), gut.begin() + 79), DatacompFehler::ReadError},
      {"B above 16", mit(70, 17), DatacompFehler::FileBroken},
      {"H below 84", mit(67, 83), DatacompFehler::FileBroken},
      {"distance count not 24", mit(71, 23), DatacompFehler::FileBroken},
      {"magic", mit(79, 0xF6), DatacompFehler::FileBroken},
      {"no blocks", mit(75, 0), DatacompFehler::FileBroken},
      {"more blocks than the header holds", mit(72, 0x40), DatacompFehler::FileBroken},
      {"every block count up to 2^32-1", mit(72, 0xFF), DatacompFehler::FileBroken},
      {"H beyond the file", mit(66, 0x10), DatacompFehler::ReadError},
      {"header CRC", mit(100, 0xFF, false), DatacompFehler::FileBroken},
      {"header cut short", Bytes(gut.begin(), gut.begin() + 120), DatacompFehler::ReadError},
      {"blocks cut short", Bytes(gut.begin(), gut.end() - 1), DatacompFehler::FileBroken},
      // the description starts at byte 140: its last run count 720 becomes 976
      {"description run past the end", mit(158, 0x75), DatacompFehler::FileBroken},
      // code A's symbol 3 gets length 3 instead of 2
      {"description leaves an incomplete code", mit(141, 0x16), DatacompFehler::FileBroken},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.was);
    Datei d(ordner, f.datei);
    DatacompFehler fehler = DatacompFehler::Keiner;
    EXPECT_FALSE(DatacompReadIndex(d.fd(), fehler));
    EXPECT_EQ(fehler, f.fehler);
  }
  Datei anders(ordner, mit(40, '!', true));
  DatacompFehler fehler;
  EXPECT_TRUE(DatacompReadIndex(anders.fd(), fehler)) << "the notice is not compared";
}

TEST(Datacomp, CorruptBlocksFailWithoutTouchingMemoryOutsideThem) {
  test::TempOrdner ordner;
  const Bytes gut = FixtureLesen().at("main");
  // The blocks begin at H = 164: block 0 has 4 bytes, block 1 two.
  auto mitBlock0 = [&](Bytes b0) {
    Bytes b = gut;
    std::copy(b0.begin(), b0.end(), b.begin() + 164);
    return b;
  };
  struct Fall {
    const char* was;
    Bytes datei;
    uint32_t block;
  };
  const Fall faelle[] = {
      // 101: a match of distance 1 before any byte is decoded
      {"distance beyond the bytes decoded", mitBlock0({0b10100000, 0, 0, 0}), 0},
      // 111 then 1: distance 3 after one literal 'A'
      {"distance 3 after one byte", mitBlock0({0b00111100, 0, 0, 0}), 0},
      // six 'C' of three bits need 18 bits of the two stored bytes
      {"reading past the stored bytes",
       [&] {
         Bytes b = gut;
         b[168] = 0b10010010;
         b[169] = 0b01001001;
         return b;
       }(),
       1},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.was);
    Datei d(ordner, f.datei);
    DatacompFehler fehler;
    const auto info = DatacompReadIndex(d.fd(), fehler);
    ASSERT_TRUE(info);
    std::unique_ptr<DatacompDecodeBlock> work;
    ASSERT_EQ(TbAllocDecodeBlock(&work, DatacompBlockSize), 0);
    Bytes out(8192);
    EXPECT_FALSE(DatacompDecode(*info, d.fd(), f.block, out.data(), *work));
  }
  Datei d(ordner, gut);
  DatacompFehler fehler;
  const auto info = DatacompReadIndex(d.fd(), fehler);
  std::unique_ptr<DatacompDecodeBlock> work;
  ASSERT_EQ(TbAllocDecodeBlock(&work, DatacompBlockSize), 0);
  Bytes out(8192);
  EXPECT_FALSE(DatacompDecode(*info, d.fd(), 2, out.data(), *work)) << "block number N";
  EXPECT_EQ(TbAllocDecodeBlock(nullptr, 8192), 225287);
  TbDecodeBlockSetzen(nullptr);
  EXPECT_FALSE(DatacompDecode(*info, d.fd(), 0, out.data())) << "no core decode block";
}

// Blocks larger than the decode block takes are refused, not copied into it.
TEST(Datacomp, StoredBlocksAbove8192BytesAreRefused) {
  test::TempOrdner ordner;
  std::mt19937 zufall(7);
  Bytes roh(16384);
  for (auto& b : roh) b = uint8_t(zufall());
  Datei d(ordner, datacomp::Compress(roh.data(), roh.size(), 14));
  DatacompFehler fehler;
  const auto info = DatacompReadIndex(d.fd(), fehler);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->blockSize, 16384u);
  std::unique_ptr<DatacompDecodeBlock> work;
  ASSERT_EQ(TbAllocDecodeBlock(&work, DatacompBlockSize), 0);
  Bytes out(16384);
  EXPECT_FALSE(DatacompDecode(*info, d.fd(), 0, out.data(), *work));
}

// Data like a table side: long runs of a few values with scattered others.
Bytes Tabellenartig(size_t n, uint32_t saat) {
  std::mt19937 zufall(saat);
  Bytes b;
  const uint8_t werte[] = {0, 1, 2, 3, 5, 8, 127, 128, 200, 254};
  while (b.size() < n) {
    b.insert(b.end(), 1 + zufall() % 60, werte[zufall() % 10]);
    if (zufall() % 4 == 0)
      for (int i = int(zufall() % 6); i > 0; --i) b.push_back(uint8_t(zufall()));
  }
  b.resize(n);
  return b;
}

TEST(Datacomp, EncoderFilesDecodeByteForByte) {
  test::TempOrdner ordner;
  std::mt19937 zufall(1);
  Bytes zufaellig(3 * 8192 + 500);
  for (auto& b : zufaellig) b = uint8_t(zufall());
  Bytes periodisch(20000);
  for (size_t i = 0; i < periodisch.size(); ++i) periodisch[i] = uint8_t(i % 59 == 0 ? 7 : i % 61);
  struct Fall {
    const char* was;
    Bytes roh;
  };
  const Fall faelle[] = {
      {"random, every block raw", zufaellig},
      {"table-like", Tabellenartig(5 * 8192 + 1234, 2)},
      {"periodic", periodisch},
      {"all zero", Bytes(3 * 8192, 0)},
      {"one symbol", Bytes(2, 'x')},
      {"one byte", Bytes(1, 'x')},
      {"exactly two blocks", Tabellenartig(2 * 8192, 3)},
      {"one block", Tabellenartig(5000, 4)},
      {"short last block", Tabellenartig(8192 + 1, 5)},
      {"40 blocks", Tabellenartig(40 * 8192 + 17, 6)},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.was);
    const Bytes datei = datacomp::Compress(f.roh.data(), f.roh.size());
    Datei d(ordner, datei);
    DatacompFehler fehler;
    const auto info = DatacompReadIndex(d.fd(), fehler);
    ASSERT_TRUE(info) << DatacompFehlerText(fehler);
    EXPECT_EQ(info->blockCount, (f.roh.size() + 8191) / 8192);
    const auto out = AllesDecodieren(*info, d.fd());
    ASSERT_TRUE(out);
    EXPECT_TRUE(*out == f.roh);
  }
}

// Single blocks in any order: the block index of a file of many groups,
// block 0 in the file's first group and the last behind it.
TEST(Datacomp, BlocksDecodeAloneInAnyOrder) {
  test::TempOrdner ordner;
  const Bytes roh = Tabellenartig(37 * 8192 + 99, 9);
  Datei d(ordner, datacomp::Compress(roh.data(), roh.size()));
  DatacompFehler fehler;
  const auto info = DatacompReadIndex(d.fd(), fehler);
  ASSERT_TRUE(info);
  std::unique_ptr<DatacompDecodeBlock> work;
  ASSERT_EQ(TbAllocDecodeBlock(&work, DatacompBlockSize), 0);
  TbDecodeBlockSetzen(std::move(work));
  for (uint32_t b : {37u, 0u, 16u, 15u, 33u, 8u, 7u, 32u, 1u}) {
    SCOPED_TRACE(b);
    Bytes out(8192, 0xEE);
    ASSERT_TRUE(DatacompDecode(*info, d.fd(), b, out.data()));
    const size_t start = size_t(b) * 8192, n = std::min<size_t>(8192, roh.size() - start);
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + n, roh.begin() + start));
  }
  TbDecodeBlockSetzen(nullptr);
}

// Every single-bit change of the fixture files, with the header CRC made
// right again so that the change reaches the fields behind it: reading and
// decoding either fail or succeed, always within the buffers (the sanitizer
// builds watch the exactly sized output).
TEST(Datacomp, EveryBitFlipOfTheFixtureIsReadSafely) {
  test::TempOrdner ordner;
  int gelesen = 0, versuche = 0;
  for (const auto& [name, gut] : FixtureLesen()) {
    const size_t h = size_t(gut[66]) << 8 | gut[67];
    for (size_t i = 0; i < gut.size(); ++i) {
      for (int bit = 0; bit < 8; ++bit) {
        Bytes b = gut;
        b[i] ^= uint8_t(1 << bit);
        if (i < h - 4) {
          const uint32_t c = TbBlockCrc(b.data(), h - 4, 0);
          for (int k = 0; k < 4; ++k) b[h - 4 + k] = uint8_t(c >> (24 - 8 * k));
        }
        Datei d(ordner, b);
        DatacompFehler fehler;
        const auto info = DatacompReadIndex(d.fd(), fehler);
        ++versuche;
        if (!info) continue;
        ++gelesen;
        std::unique_ptr<DatacompDecodeBlock> work;
        ASSERT_EQ(TbAllocDecodeBlock(&work, DatacompBlockSize), 0);
        for (uint32_t blk = 0; blk < info->blockCount && blk < 64; ++blk) {
          Bytes out(blk + 1 == info->blockCount ? info->lastBlockSize : info->blockSize);
          DatacompDecode(*info, d.fd(), blk, out.data(), *work);
        }
      }
    }
  }
  EXPECT_GT(gelesen, 0);
  EXPECT_LT(gelesen, versuche);
}

// A file of 600,000 raw blocks (sparse, 4.9 GB): block offsets beyond 2^32
// are kept whole and read where they are.
TEST(Datacomp, BlocksBeyondFourGigabytes) {
  test::TempOrdner ordner;
  const uint64_t n = 600000;
  const uint64_t felder = ((n + 25) * 13 + 7) / 8;
  const uint64_t h = 80 + 8 * n + felder + 1 + 4;
  Bytes kopf(h, 0);
  std::copy(DatacompBannerPrefix, DatacompBannerPrefix + 29, kopf.begin());
  auto be32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) kopf[at + i] = uint8_t(v >> (24 - 8 * i));
  };
  be32(64, uint32_t(h));
  kopf[70] = 13;
  kopf[71] = 24;
  be32(72, uint32_t(n));
  be32(76, DatacompMagic);
  // Every size field 0 (8192: every block raw, the last one full), then the
  // description of an all-zero code.
  kopf[80 + 8 * n + felder] = 0x80;
  be32(h - 4, TbBlockCrc(kopf.data(), h - 4, 0));
  const std::string pfad = (ordner / "gross.emd").string();
  test::DateiSchreiben(pfad, std::string(kopf.begin(), kopf.end()));
  const uint64_t letzter = h + (n - 1) * 8192;
  ASSERT_GT(letzter, uint64_t(1) << 32);
  std::filesystem::resize_file(pfad, letzter + 8192);
  const int fd = ::open(pfad.c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  Bytes muster(8192);
  for (size_t i = 0; i < muster.size(); ++i) muster[i] = uint8_t(i * 7 + 1);
  ASSERT_EQ(::pwrite(fd, muster.data(), muster.size(), off_t(letzter)), 8192);

  DatacompFehler fehler;
  const auto info = DatacompReadIndex(fd, fehler);
  ASSERT_TRUE(info) << DatacompFehlerText(fehler);
  EXPECT_EQ(info->Offset(uint32_t(n - 1)), letzter);
  EXPECT_EQ(info->DecodedBytes(), n * 8192);
  std::unique_ptr<DatacompDecodeBlock> work;
  ASSERT_EQ(TbAllocDecodeBlock(&work, DatacompBlockSize), 0);
  Bytes out(8192);
  ASSERT_TRUE(DatacompDecode(*info, fd, uint32_t(n - 1), out.data(), *work));
  EXPECT_EQ(out, muster);
  ASSERT_TRUE(DatacompDecode(*info, fd, uint32_t(n / 2), out.data(), *work));
  EXPECT_EQ(out, Bytes(8192, 0));
  ::close(fd);
}

}  // namespace
}  // namespace galdrik
