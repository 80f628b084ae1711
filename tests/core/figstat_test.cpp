// Piece-square statistics of FEN lists: how board fields are read, and the
// table written from them.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/figstat.h"
#include "core/textfile.h"
#include "support/datei.h"

namespace galdrik {
namespace {

namespace fs = std::filesystem;

class FENListe : public ::testing::Test {
 protected:
  void TearDown() override { FigStatFreigeben(); }
  // Counts the list into fresh counters and returns the written table.
  std::vector<std::string> Tabelle(const std::string& liste) {
    const fs::path quelle = ordner_ / "liste.fen", ziel = ordner_ / "stat.txt";
    test::DateiSchreiben(quelle, liste);
    EXPECT_TRUE(FigStatAllok(1));
    Zeilenleser leser(quelle.string());
    EXPECT_EQ(FigStatFENDatei(leser), 0);
    EXPECT_EQ(FigStatSpeichern(ziel.string(), 1), 0);
    return test::DateiZeilen(ziel);
  }
  test::TempOrdner ordner_;
};

// The 64 counts of one line, with the given squares set.
std::string Zeile(std::initializer_list<std::pair<int, int>> felder) {
  std::vector<int> n(64, 0);
  for (const auto& [feld, anzahl] : felder) n[static_cast<size_t>(feld)] = anzahl;
  std::string text;
  for (size_t i = 0; i < 64; ++i) text += std::to_string(n[i]) + (i < 63 ? "," : "");
  return text;
}

constexpr int A8 = 56, B8 = 57, H8 = 63, E4 = 28;
constexpr int Weissbauer = 0, Schwarzkoenig = 11;

TEST_F(FENListe, BrettfeldWirdWieGeschriebenGelesen) {
  struct Fall {
    const char* liste;
    int art;
    std::string zeile;
  } faelle[] = {
      // Ten men on one rank: the row wraps to its a-file.
      {"PPPPPPPPPP/8/8/8/8/8/8/8\n", Weissbauer,
       Zeile({{A8, 2}, {B8, 2}, {58, 1}, {59, 1}, {60, 1}, {61, 1}, {62, 1}, {H8, 1}})},
      // A skip past the h-file wraps too; a ninth rank is not read.
      {"9P/8/8/8/8/8/8/8/P\n", Weissbauer, Zeile({{A8, 1}})},
      // The board field ends at the first blank, whatever follows; CR LF,
      // empty lines and strange characters change nothing.
      {"8/8/8/8/4k3/8/8/8 w - - 0 1 k\r\n\r\n8/8/8/8/4x?k3/8/8/8\r\n", Schwarzkoenig,
       Zeile({{E4, 2}})},
      // Last line without a line feed, and with one: counted once each.
      {"8/8/8/8/4k3/8/8/8\n8/8/8/8/4k3/8/8/8", Schwarzkoenig, Zeile({{E4, 2}})},
  };
  for (const Fall& f : faelle) {
    const std::vector<std::string> zeilen = Tabelle(f.liste);
    ASSERT_EQ(zeilen.size(), 4u + 2 * 12) << f.liste;
    EXPECT_EQ(zeilen[4 + static_cast<size_t>(f.art)], f.zeile) << f.liste;
  }
}

TEST_F(FENListe, OhneZaehlerOderDateiNichts) {
  const fs::path quelle = ordner_ / "liste.fen";
  test::DateiSchreiben(quelle, "8/8/8/8/4k3/8/8/8\n");
  FigStatFreigeben();
  Zeilenleser leser(quelle.string());
  EXPECT_EQ(FigStatFENDatei(leser), -1);
  ASSERT_TRUE(FigStatAllok(1));
  Zeilenleser fehlt((ordner_ / "fehlt.fen").string());
  EXPECT_EQ(FigStatFENDatei(fehlt), -1);
}

TEST_F(FENListe, VieleSaetzeWerdenZuEinem) {
  // Counters left from a book compilation with three groups: the FEN list
  // keeps set 0, and set 1, now the totals, starts afresh.
  ASSERT_TRUE(FigStatAllok(3));
  FigStatName(1, "Gruppe");
  FigStatStellung(Grundstellung(), 1);
  const fs::path quelle = ordner_ / "liste.fen", ziel = ordner_ / "stat.txt";
  test::DateiSchreiben(quelle, "8/8/8/8/4k3/8/8/8\n");
  Zeilenleser leser(quelle.string());
  ASSERT_EQ(FigStatFENDatei(leser), 0);
  ASSERT_EQ(FigStatSpeichern(ziel.string(), 1), 0);
  const std::vector<std::string> zeilen = test::DateiZeilen(ziel);
  ASSERT_EQ(zeilen.size(), 4u + 2 * 12);
  EXPECT_EQ(zeilen[1], "1");
  EXPECT_EQ(zeilen[3], "FEN");
  EXPECT_EQ(zeilen[4 + 12 + Schwarzkoenig], Zeile({{E4, 1}}));
  EXPECT_EQ(zeilen[4 + 12 + Weissbauer], Zeile({}));
}

}  // namespace
}  // namespace galdrik
