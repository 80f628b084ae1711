// A test host that loads libGaldrik.so by name and binds its exports with
// dlsym, as the program does.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

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

  // Calls the export by name; a missing export fails the test.
  template <typename R = void, typename... A>
  R operator()(const char* name, A... argumente) {
    void* p = handle_ ? ::dlsym(handle_, name) : nullptr;
    if (!p) {
      ADD_FAILURE() << "export missing: " << name;
      if constexpr (std::is_void_v<R>) return;
      else return R{};
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

}  // namespace galdrik::test
