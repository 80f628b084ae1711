// Helpers shared by the book tests: fixture paths, a fresh working folder
// per test, and positions reached by German move texts; whole-file reads and
// writes come from support/datei.h.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>

#include "core/board.h"
#include "core/datadir.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "support/datei.h"

namespace galdrik::test {

inline std::string BuchFixture(const std::string& name) {
  return std::string(GALDRIK_TEST_DATA_DIR) + "/book/" + name;
}

// An empty folder of the test's own below the per-user data folder.
inline std::filesystem::path FrischerOrdner() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name)
    if (c == '/') c = '_';
  const std::filesystem::path ordner = std::filesystem::path(Datenordner()) / "buchtests" / name;
  std::filesystem::remove_all(ordner);
  std::filesystem::create_directories(ordner);
  return ordner;
}

// Index of the move named in German long notation among the legal moves.
inline int ZugIndex(const Zugliste& liste, const char* text) {
  uint8_t status = 0;
  return PGNZugInterpretieren(liste, text, FigurenDeutsch, status);
}

// The position after the moves, played from the initial position.
inline Stellung NachZuegen(std::initializer_list<const char*> zuege) {
  Stellung st = Grundstellung();
  for (const char* text : zuege) {
    const Zugliste liste = ZugGenerator(st, GenAlleZuege);
    const int i = ZugIndex(liste, text);
    EXPECT_GE(i, 0) << text;
    if (i < 0) break;
    st = ZugAusfuehren(st, liste.zuege[i], 1);
  }
  return st;
}

}  // namespace galdrik::test
