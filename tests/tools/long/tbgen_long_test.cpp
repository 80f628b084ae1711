// Tablebase generator, four-man tables: published longest wins. Minutes
// on a busy machine: label long.
#include <gtest/gtest.h>

#include <thread>

#include "tbgen/retro.h"
#include "tbgen/tablefile.h"

namespace {

TEST(TbGenLang, FourManLongestWins) {
  tbgen::Generator g(int(std::thread::hardware_concurrency()));
  const std::pair<const char*, int> faelle[] = {
      {"kbnk", 33}, {"kbbk", 19}, {"kqkr", 35}, {"krkn", 40}};
  for (auto [name, zuege] : faelle) {
    ASSERT_TRUE(g.Loesen(name));
    const tbgen::Tabelle* t = g.Finden(name);
    EXPECT_EQ(tbgen::Zaehlen(*t, t->dtm).laengsterGewinn[0], zuege) << name;
  }
}

}  // namespace
