// Test entry: builds the engine's tables and the bitbase once and loads the
// shipped key set, as engine start-up does, before any test runs.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/board.h"
#include "core/contactmasks.h"
#include "core/evalterms.h"
#include "core/kpk.h"
#include "core/zobrist.h"

namespace {

class EngineTabellen : public ::testing::Environment {
 public:
  void SetUp() override {
    galdrik::AngriffstabellenInit();
    galdrik::AngriffsmaskenInit();
    ASSERT_EQ(galdrik::HashCodeKeysLaden(GALDRIK_DATA_DIR "/HashCode.key"), 0)
        << "shipped key file missing from " GALDRIK_DATA_DIR;
    ASSERT_EQ(galdrik::BitbaseKBKGenerieren(), 0);
    galdrik::BewertungMaskenInit();
  }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new EngineTabellen);
  return RUN_ALL_TESTS();
}
