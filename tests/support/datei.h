// Test helpers for files: whole-file reads and writes, a file's lines, and a
// folder of the running test's own that is removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace galdrik::test {

inline std::string DateiInhalt(const std::filesystem::path& pfad) {
  std::ifstream in(pfad, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void DateiSchreiben(const std::filesystem::path& pfad, const std::string& inhalt) {
  std::ofstream out(pfad, std::ios::binary);
  out << inhalt;
}

// The file's lines without their line feeds; none for a missing file.
inline std::vector<std::string> DateiZeilen(const std::filesystem::path& pfad) {
  std::ifstream in(pfad);
  std::vector<std::string> zeilen;
  for (std::string z; std::getline(in, z);) zeilen.push_back(z);
  return zeilen;
}

// A folder below the system's temporary folder named for the process and
// the running test, so tests running side by side never share one.
class TempOrdner {
 public:
  TempOrdner() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "galdrik-" + std::to_string(::getpid()) + "-" + info->test_suite_name() +
                       "." + info->name();
    for (char& c : name)
      if (c == '/') c = '_';  // parameterised tests carry slashes
    pfad_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(pfad_);
  }
  ~TempOrdner() {
    std::error_code fehler;
    std::filesystem::remove_all(pfad_, fehler);
  }
  TempOrdner(const TempOrdner&) = delete;
  TempOrdner& operator=(const TempOrdner&) = delete;

  const std::filesystem::path& pfad() const { return pfad_; }
  std::filesystem::path operator/(const std::string& name) const { return pfad_ / name; }

  // Writes the file in the folder and gives its path.
  std::string datei(const std::string& name, const std::string& inhalt) const {
    DateiSchreiben(pfad_ / name, inhalt);
    return (pfad_ / name).string();
  }

 private:
  std::filesystem::path pfad_;
};

}  // namespace galdrik::test
