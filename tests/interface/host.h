// A test host that loads libGaldrik.so by name and binds its exports with
// dlsym, as the program does, and the fixture of tests that drive the engine
// through it.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/datei.h"

namespace galdrik::test {

class Bibliothek {
 public:
  Bibliothek() : handle_(::dlopen(GALDRIK_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL)) {}
  ~Bibliothek() {
    if (handle_) ::dlclose(handle_);
  }
  Bibliothek(const Bibliothek&) = delete;
  Bibliothek& operator=(const Bibliothek&) = delete;

  bool geladen() const { return handle_ != nullptr; }

  // Whether the library makes the symbol visible.
  bool sichtbar(const char* name) const { return handle_ && ::dlsym(handle_, name); }

  // Calls the export by name; a missing export fails the test.
  template <typename R = void, typename... A>
  R operator()(const char* name, A... argumente) {
    void* p = handle_ ? ::dlsym(handle_, name) : nullptr;
    if (!p) {
      ADD_FAILURE() << "export missing: " << name;
      if constexpr (std::is_void_v<R>)
        return;
      else
        return R{};
    }
    return reinterpret_cast<R (*)(A...)>(p)(argumente...);
  }

  // The text an export left in the output buffer, read byte by byte.
  std::string text(int32_t laenge) {
    std::string s;
    for (int32_t i = 0; i < laenge; ++i)
      s.push_back(static_cast<char>((*this).operator()<int32_t>("DLL_StringByte", i)));
    return s;
  }

 private:
  void* handle_;
};

// The engine loaded by name, its log and FEN log in the test's own folder,
// the shipped key set and book, a small table. Start-up is the test's (or
// the derived fixture's) own step; teardown always runs.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lib.geladen());
    log = (ordner / "Log.txt").string();
    fenLog = (ordner / "autoedit.fen").string();
    lib("DLL_LogDatei", log.c_str(), fenLog.c_str());
    lib("DLL_HashPfad", GALDRIK_DATA_DIR "/HashCode.key");
    lib("DLL_BuchPfad", GALDRIK_DATA_DIR "/Standard.bk2");
    lib("DLL_HashParam", 16, 4, 16);
  }
  void TearDown() override { Ruf("DLL_EngineKill"); }

  int32_t Ruf(const char* name) { return lib.operator()<int32_t>(name); }
  int32_t Ruf(const char* name, int32_t a) { return lib.operator()<int32_t>(name, a); }
  int32_t Ruf(const char* name, int32_t a, int32_t b) {
    return lib.operator()<int32_t>(name, a, b);
  }
  // The engine's current position as the 72-word record.
  std::vector<int32_t> Stellung() {
    std::vector<int32_t> feld(72);
    lib("DLL_StellungGet", feld.data());
    return feld;
  }

  TempOrdner ordner;  // outlives the library's teardown
  Bibliothek lib;
  std::string log, fenLog;
};

}  // namespace galdrik::test
