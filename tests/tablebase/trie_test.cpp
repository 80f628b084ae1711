// The material-count trie: lookups before and after registration, colour
// reversal, the symmetric and equal-material tables, the budget of four men,
// and the name parsing.
#include <gtest/gtest.h>

#include <cstring>

#include "tablebase/trie.h"
#include "tbindex/catalogue.h"

namespace galdrik {
namespace {

int IdOf(const char* name) {
  for (int id = 0; id < TbTableCount; ++id) {
    if (std::strcmp(TbCatalogue[id].name, name) == 0) return id;
  }
  return -1;
}

// Runs in one process with a fresh trie: the order of the checks matters.
TEST(TbTrie, LookupsAndRegistration) {
  const int32_t none[10] = {};
  EXPECT_EQ(TbFindByName("kqkr"), 0);  // not built yet
  EXPECT_FALSE(TbTrieRegister(IdOf("kqkr")));
  TbBuildRunTimeTables();
  TbBuildRunTimeTables();  // a second call changes nothing
  EXPECT_EQ(TbFindByCounters(none), 0);
  // Before any registration every lookup gives 0.
  for (int id = 1; id < TbTableCount; ++id) ASSERT_EQ(TbFindByName(TbCatalogue[id].name), 0);

  for (int id = 1; id < TbTableCount; ++id) ASSERT_TRUE(TbTrieRegister(id)) << TbCatalogue[id].name;
  const int kqkr = IdOf("kqkr");
  int32_t counts[10] = {0, 0, 0, 0, 1, 0, 0, 0, 1, 0};  // white queen, black rook
  EXPECT_EQ(TbFindByCounters(counts), kqkr);
  EXPECT_EQ(TbFindByName("kqkr"), kqkr);
  int32_t reversed[10] = {0, 0, 0, 1, 0, 0, 0, 0, 0, 1};
  EXPECT_EQ(TbFindByCounters(reversed), -kqkr);
  EXPECT_EQ(TbFindByName("krkq"), -kqkr);
  // Symmetric tables and kpkp keep their own +id.
  EXPECT_EQ(TbFindByName("krkr"), IdOf("krkr"));
  EXPECT_EQ(TbFindByName("kpkp"), IdOf("kpkp"));
  EXPECT_EQ(TbFindByName("kppkpp"), IdOf("kppkpp"));
  // Every table is found under its own name and its reversal.
  for (int id = 1; id < TbTableCount; ++id) {
    const char* name = TbCatalogue[id].name;
    ASSERT_EQ(TbFindByName(name), id) << name;
    const char* second = std::strchr(name + 1, 'k');
    const std::string swapped = std::string(second) + std::string(name, second);
    const bool same = swapped == name;
    ASSERT_EQ(TbFindByName(swapped.c_str()), same ? id : -id) << swapped;
  }
  // Five men besides the kings, a count past the budget, negative counts.
  const int32_t five[10] = {1, 1, 1, 1, 1, 0, 0, 0, 0, 0};
  EXPECT_EQ(TbFindByCounters(five), 0);
  const int32_t late[10] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 5};
  EXPECT_EQ(TbFindByCounters(late), 0);
  const int32_t negative[10] = {-1, 0, 0, 0, 1, 0, 0, 0, 1, 0};
  EXPECT_EQ(TbFindByCounters(negative), 0);
  EXPECT_EQ(TbFindByCounters(nullptr), 0);
  EXPECT_EQ(TbFindByName("kk"), 0);
  EXPECT_EQ(TbFindByName(nullptr), 0);
  EXPECT_EQ(TbFindByName(""), 0);
  EXPECT_FALSE(TbTrieRegister(0));
  EXPECT_FALSE(TbTrieRegister(TbTableCount));
}

TEST(TbTrie, CountPieces) {
  int32_t c[5];
  const char* text = "qqrxkbn";
  const char* stop = TbCountPieces(c, text);
  EXPECT_EQ(stop, text + 4);
  EXPECT_EQ(c[4], 2);
  EXPECT_EQ(c[3], 1);
  EXPECT_EQ(c[0], 1);  // any other letter counts as a pawn
  stop = TbCountPieces(c, stop + 1);
  EXPECT_EQ(*stop, '\0');
  EXPECT_EQ(c[2], 1);
  EXPECT_EQ(c[1], 1);
  EXPECT_EQ(c[4], 0);
}

}  // namespace
}  // namespace galdrik
