// File digests against the test suite of RFC 1321.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/md5datei.h"

namespace galdrik {
namespace {

namespace fs = std::filesystem;

TEST(MD5Datei, TestfolgeAusRFC1321) {
  const fs::path pfad = fs::temp_directory_path() / ("galdrik-md5-" + std::to_string(::getpid()));
  const std::string ziffern = "1234567890";
  std::string lang;
  for (int i = 0; i < 8; ++i) lang += ziffern;
  const struct {
    std::string inhalt;
    const char* digest;
  } faelle[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "d174ab98d277d9f5a5611c2c9f419d9f"},
      {lang, "57edf4a22be3c955ac49da2e2107b67a"},
      // Across the 1024-byte read blocks: a million times "a".
      {std::string(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21"},
  };
  for (const auto& f : faelle) {
    std::ofstream(pfad, std::ios::binary) << f.inhalt;
    MD5Digest digest{};
    ASSERT_EQ(MD5Datei(pfad.string(), digest), 0);
    EXPECT_EQ(MD5Text(digest), f.digest) << f.inhalt.size() << " bytes";
  }
  fs::remove(pfad);
}

TEST(MD5Datei, UnlesbaresLaesstDenDigestStehen) {
  MD5Digest digest;
  digest.fill(0xAB);
  EXPECT_EQ(MD5Datei((fs::temp_directory_path() / "galdrik-gibt-es-nicht").string(), digest), -1);
  EXPECT_EQ(MD5Datei(fs::temp_directory_path().string(), digest), -1) << "a folder";
  std::string unveraendert;
  for (int i = 0; i < 16; ++i) unveraendert += "ab";
  EXPECT_EQ(MD5Text(digest), unveraendert);
}

}  // namespace
}  // namespace galdrik
