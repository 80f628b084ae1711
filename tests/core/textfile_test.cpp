// Line reader, encoding repair and the per-user data folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/datadir.h"
#include "core/textfile.h"

namespace galdrik {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> AlleZeilen(const std::string& inhalt) {
  const fs::path pfad =
      fs::temp_directory_path() / ("galdrik-zeilen-" + std::to_string(::getpid()));
  std::ofstream(pfad, std::ios::binary) << inhalt;
  std::vector<std::string> zeilen;
  Zeilenleser leser(pfad.string());
  std::string z;
  while (leser.lesen(z)) zeilen.push_back(z);
  fs::remove(pfad);
  return zeilen;
}

TEST(Zeilenleser, ZeilenendenUndLaenge) {
  using V = std::vector<std::string>;
  EXPECT_EQ(AlleZeilen("a\nb\n"), (V{"a", "b"}));
  EXPECT_EQ(AlleZeilen("a\r\nb\r\n"), (V{"a", "b"}));
  EXPECT_EQ(AlleZeilen("a\r\n\r\nlast"), (V{"a", "", "last"}));
  EXPECT_EQ(AlleZeilen(""), V{});
  const std::string lang(100000, 'x');
  EXPECT_EQ(AlleZeilen(lang + "\r\n" + "y"), (V{lang, "y"}));
}

TEST(Zeilenleser, Windows1252WirdUtf8) {
  using V = std::vector<std::string>;
  EXPECT_EQ(AlleZeilen("Wei\xDF\n"), V{"Weiß"});
  EXPECT_EQ(AlleZeilen("K\xF6nig \x80\n"), V{"König €"});
  EXPECT_EQ(AlleZeilen("Weiß\n"), V{"Weiß"});  // already UTF-8: unchanged
}

TEST(Zeilenleser, FehlendeDatei) {
  Zeilenleser leser("/nonexistent/galdrik/file.txt");
  std::string z = "x";
  EXPECT_FALSE(leser.offen());
  EXPECT_FALSE(leser.lesen(z));
  EXPECT_TRUE(z.empty());
}

TEST(Utf8, Pruefung) {
  EXPECT_TRUE(IstUtf8("plain"));
  EXPECT_TRUE(IstUtf8("Häufigkeit €"));
  EXPECT_FALSE(IstUtf8("\xC3"));          // cut short
  EXPECT_FALSE(IstUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(IstUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_FALSE(IstUtf8("\xE4\xFC"));
}

TEST(Utf8, KuerzenTeiltKeinZeichen) {
  EXPECT_EQ(Utf8Kuerzen("abc", 5), "abc");
  EXPECT_EQ(Utf8Kuerzen("abc", 2), "ab");
  EXPECT_EQ(Utf8Kuerzen("aä", 2), "a");   // ä is two bytes
  EXPECT_EQ(Utf8Kuerzen("a€b", 3), "a");  // € is three
  EXPECT_EQ(Utf8Kuerzen("a€b", 4), "a€");
  EXPECT_EQ(Utf8Kuerzen("€", 0), "");
}

TEST(Datenordner, FolgtXdgUndWirdAngelegt) {
  const char* alt = std::getenv("XDG_DATA_HOME");
  const std::string vorher = alt ? alt : "";
  const fs::path basis = fs::temp_directory_path() / ("galdrik-xdg-" + std::to_string(::getpid()));
  fs::remove_all(basis);
  ::setenv("XDG_DATA_HOME", basis.c_str(), 1);
  EXPECT_EQ(Datenordner(), (basis / "Galdrik").string());
  EXPECT_TRUE(fs::is_directory(basis / "Galdrik"));
  EXPECT_EQ(DatenordnerDatei("Log.txt"), (basis / "Galdrik" / "Log.txt").string());
  if (alt)
    ::setenv("XDG_DATA_HOME", vorher.c_str(), 1);
  else
    ::unsetenv("XDG_DATA_HOME");
  fs::remove_all(basis);
}

}  // namespace
}  // namespace galdrik
