// The shared library as the program sees it: loaded by name, exports bound
// by name at run time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "interface/host.h"

namespace {

namespace fs = std::filesystem;
using galdrik::test::Bibliothek;

TEST(Bibliothek, CheckMMXAntwortetEins) {
  Bibliothek lib;
  ASSERT_TRUE(lib.geladen());
  EXPECT_EQ(lib.operator()<int32_t>("DLL_CheckMMX"), 1);
}

TEST(Bibliothek, InterneRoutinenSindUnsichtbar) {
  Bibliothek lib;
  ASSERT_TRUE(lib.geladen());
  EXPECT_TRUE(lib.sichtbar("DLL_CheckMMX"));
  EXPECT_FALSE(lib.sichtbar("_ZN7galdrik12GrundstellungEv"));
}

// Without a configured key path the generator writes both files into the
// per-user data folder (the test's XDG_DATA_HOME).
TEST(Bibliothek, HashCodeGenSchreibtInDenDatenordner) {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  ASSERT_NE(xdg, nullptr) << "the test runs with its own XDG_DATA_HOME";
  const fs::path ordner = fs::path(xdg) / "Galdrik";
  fs::remove(ordner / "HashCode.key");
  fs::remove(ordner / "HashLog.txt");
  Bibliothek lib;
  ASSERT_TRUE(lib.geladen());
  EXPECT_EQ(lib.operator()<int32_t>("DLL_HashCodeGen"), 0);
  EXPECT_EQ(fs::file_size(ordner / "HashCode.key"), 6256u);
  EXPECT_GT(fs::file_size(ordner / "HashLog.txt"), 1000u);
}

}  // namespace
