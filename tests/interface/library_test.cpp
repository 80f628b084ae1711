// The shared library as the program sees it: loaded by name, exports bound
// by name at run time.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class Bibliothek : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    handle_ = ::dlopen(GALDRIK_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << ::dlerror();
  }
  static void TearDownTestSuite() {
    if (handle_) ::dlclose(handle_);
    handle_ = nullptr;
  }
  template <typename F>
  static F Export(const char* name) {
    void* p = ::dlsym(handle_, name);
    EXPECT_NE(p, nullptr) << name;
    return reinterpret_cast<F>(p);
  }
  static void* handle_;
};
void* Bibliothek::handle_ = nullptr;

TEST_F(Bibliothek, CheckMMXAntwortetEins) {
  auto check = Export<int32_t (*)()>("DLL_CheckMMX");
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(check(), 1);
}

TEST_F(Bibliothek, InterneRoutinenSindUnsichtbar) {
  EXPECT_EQ(::dlsym(handle_, "_ZN7galdrik12GrundstellungEv"), nullptr);
}

// Without a configured key path the generator writes both files into the
// per-user data folder (the test's XDG_DATA_HOME).
TEST_F(Bibliothek, HashCodeGenSchreibtInDenDatenordner) {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  ASSERT_NE(xdg, nullptr) << "the test runs with its own XDG_DATA_HOME";
  const fs::path ordner = fs::path(xdg) / "Galdrik";
  fs::remove(ordner / "HashCode.key");
  fs::remove(ordner / "HashLog.txt");
  auto gen = Export<int32_t (*)()>("DLL_HashCodeGen");
  ASSERT_NE(gen, nullptr);
  EXPECT_EQ(gen(), 0);
  EXPECT_EQ(fs::file_size(ordner / "HashCode.key"), 6256u);
  EXPECT_GT(fs::file_size(ordner / "HashLog.txt"), 1000u);
}

}  // namespace
