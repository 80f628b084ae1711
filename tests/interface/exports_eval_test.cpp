// Evaluation exports: resizing the corresponding-squares cache from the
// configured count, with its engine log lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/gegenfeld.h"
#include "core/log.h"
#include "core/search.h"
#include "interface/config.h"
#include "interface/galdrik_exports.h"
#include "support/datei.h"
#include "support/testboard.h"

namespace galdrik {
namespace {

namespace fs = std::filesystem;

using test::DateiInhalt;

TEST(GegenfeldReAllok, TakesTheConfiguredCountAndLogs) {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  ASSERT_NE(xdg, nullptr) << "the test runs with its own XDG_DATA_HOME";
  fs::create_directories(xdg);
  const fs::path log = fs::path(xdg) / "gegenfeld-log.txt";
  fs::remove(log);
  LogPfadSetzen(log.string());

  // 0 is taken as 1 and stored back.
  Konfiguration().gegenfeldAnzahl = 0;
  EXPECT_EQ(DLL_GegenfeldReAllok(), 0);
  EXPECT_EQ(Konfiguration().gegenfeldAnzahl, 1u);
  EXPECT_EQ(GegenfeldHashAnzahl(), 1u);

  // With the count unchanged the cache comes back empty.
  const Stellung st = test::Brett("8/4k3/8/4p3/4P3/8/8/4K3 w - -");
  Gegenfeldeintrag puffer;
  const uint64_t vorher = GegenfeldSysteme();
  ASSERT_TRUE(GegenfeldTabelle(st, GegenfeldBlockiert, puffer));
  ASSERT_TRUE(GegenfeldTabelle(st, GegenfeldBlockiert, puffer));
  EXPECT_EQ(GegenfeldSysteme(), vorher + 1);
  EXPECT_EQ(DLL_GegenfeldReAllok(), 0);
  ASSERT_TRUE(GegenfeldTabelle(st, GegenfeldBlockiert, puffer));
  EXPECT_EQ(GegenfeldSysteme(), vorher + 2);

  // Memory that cannot be had: no cache, count 0, and tables still work.
  Konfiguration().gegenfeldAnzahl = UINT32_MAX;  // 35 TB
  EXPECT_EQ(DLL_GegenfeldReAllok(), -1);
  EXPECT_EQ(Konfiguration().gegenfeldAnzahl, 0u);
  EXPECT_EQ(GegenfeldHashAnzahl(), 0u);
  EXPECT_TRUE(GegenfeldTabelle(st, GegenfeldBlockiert, puffer));
  // The next call tries one entry again.
  EXPECT_EQ(DLL_GegenfeldReAllok(), 0);
  EXPECT_EQ(GegenfeldHashAnzahl(), 1u);

  EXPECT_EQ(DateiInhalt(log),
            "GegenfeldHash initialisiert\n"
            "GegenfeldHash initialisiert\n"
            "GegenfeldHash fehlgeschlagen\n"
            "GegenfeldHash initialisiert\n");
  GegenfeldHashFrei();
  LogPfadSetzen("");
}

}  // namespace
}  // namespace galdrik
