// An independent PGN reader as a black box: pgn-extract (Debian's package,
// installed by the set-up) reads a file and reports what it refuses.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/datei.h"

namespace galdrik::test {

// Reads the PGN file with pgn-extract into a folder of the test's: no error,
// no illegal move, and the games it writes again hold the expected result.
// Skips the test where pgn-extract is not installed.
inline void VonPgnExtractGelesen(const std::string& pgn, const std::filesystem::path& ordner,
                                 const std::string& ergebnis) {
  const char* programm = "/usr/games/pgn-extract";
  if (!std::filesystem::exists(programm)) GTEST_SKIP() << "pgn-extract not installed";
  const std::string log = (ordner / "pgn-extract-log.txt").string();
  const std::string aus = (ordner / "pgn-extract-aus.pgn").string();
  const std::string befehl = std::string(programm) + " -s -l" + log + " -o" + aus + " " + pgn;
  ASSERT_EQ(std::system(befehl.c_str()), 0);
  const std::string meldungen = DateiInhalt(log);
  EXPECT_EQ(meldungen.find("rror"), std::string::npos) << meldungen;
  EXPECT_EQ(meldungen.find("llegal"), std::string::npos) << meldungen;
  EXPECT_NE(DateiInhalt(aus).find(ergebnis), std::string::npos);
}

}  // namespace galdrik::test
