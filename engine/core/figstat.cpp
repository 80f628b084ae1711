// Counting men by kind, square and move slot, and writing the cumulative
// table.
#include "core/figstat.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace galdrik {

namespace {

constexpr size_t NameMax = 999;

int Art(int8_t figur) { return figur > 0 ? figur - 1 : -figur - 1 + 6; }

}  // namespace

Figurenstatistik& FigStat() {
  static Figurenstatistik statistik;
  return statistik;
}

bool FigStatAllok(int32_t n) {
  Figurenstatistik& s = FigStat();
  s = Figurenstatistik{};
  if (n < 0) return false;
  try {
    s.namen.assign(static_cast<size_t>(n), std::string());
    s.zaehler.assign(Figurenstatistik::Index(n + 1, 0, 0, 0), 0);
  } catch (const std::bad_alloc&) {
    s = Figurenstatistik{};
    return false;
  }
  s.anzahl = n;
  return true;
}

void FigStatName(int32_t satz, std::string_view name) {
  Figurenstatistik& s = FigStat();
  if (satz < 0 || satz >= s.anzahl) return;
  s.aktuell = satz;
  s.namen[static_cast<size_t>(satz)] = Utf8Kuerzen(name, NameMax);
}

void FigStatStellung(const Stellung& st, int32_t zugnummer) {
  Figurenstatistik& s = FigStat();
  if (zugnummer < 1 || zugnummer > FigStatZugplaetze || s.zaehler.empty()) return;
  if (s.aktuell < 0 || s.aktuell >= s.anzahl) return;
  for (int feld = 0; feld < 64; ++feld) {
    const int8_t figur = st.figurenfeld[feld];
    if (figur == 0 || figur < -Koenig || figur > Koenig) continue;
    ++s.zaehler[Figurenstatistik::Index(s.aktuell, Art(figur), zugnummer - 1, feld)];
  }
}

int32_t FigStatFENDatei(Zeilenleser& datei) {
  Figurenstatistik& s = FigStat();
  if (!datei.offen() || s.zaehler.empty()) return -1;
  if (s.anzahl != 1) {
    // Only set 0 and the totals behind it remain; the totals start afresh.
    s.anzahl = 1;
    s.namen.resize(1);
    s.zaehler.resize(Figurenstatistik::Index(2, 0, 0, 0));
    std::fill(s.zaehler.begin() + static_cast<std::ptrdiff_t>(Figurenstatistik::Index(1, 0, 0, 0)),
              s.zaehler.end(), 0u);
  }
  s.aktuell = 0;
  s.namen[0] = "FEN";

  constexpr std::string_view Figurenbuchstaben = "PNBRQKpnbrqk";
  for (std::string zeile; datei.lesen(zeile);) {
    int reihe = 7, linie = 0;
    for (const char c : zeile) {
      if (c == ' ') break;
      if (c == '/') {
        if (--reihe < 0) break;
        linie = 0;
        continue;
      }
      if (c >= '0' && c <= '9') {
        linie += c - '0';
      } else if (const size_t art = Figurenbuchstaben.find(c); art != std::string_view::npos) {
        ++s.zaehler[Figurenstatistik::Index(0, static_cast<int>(art), 0, reihe * 8 + linie)];
        ++linie;
      }
      // A row that runs past the h-file goes on at the a-file of the same rank.
      if (linie > 7) linie = 0;
    }
  }
  return 0;
}

int32_t FigStatSpeichern(const std::string& pfad, int16_t m) {
  Figurenstatistik& s = FigStat();
  if (m < 1 || m > FigStatZugplaetze || s.zaehler.empty()) return -1;
  std::FILE* datei = std::fopen(pfad.c_str(), "w");
  if (!datei) return -1;

  for (int32_t satz = 0; satz < s.anzahl; ++satz)
    for (int art = 0; art < FigStatArten; ++art)
      for (int platz = 1; platz < m; ++platz)
        for (int feld = 0; feld < 64; ++feld)
          s.zaehler[Figurenstatistik::Index(satz, art, platz, feld)] +=
              s.zaehler[Figurenstatistik::Index(satz, art, platz - 1, feld)];
  for (int32_t satz = 0; satz < s.anzahl; ++satz)
    for (int art = 0; art < FigStatArten; ++art)
      for (int platz = 0; platz < m; ++platz)
        for (int feld = 0; feld < 64; ++feld)
          s.zaehler[Figurenstatistik::Index(s.anzahl, art, platz, feld)] +=
              s.zaehler[Figurenstatistik::Index(satz, art, platz, feld)];

  std::string text = "Figurenaufenthaltsdauer\n";
  text += std::to_string(s.anzahl) + "\n" + std::to_string(m) + "\n";
  for (const std::string& name : s.namen) text += name + "\n";
  for (int32_t satz = 0; satz <= s.anzahl; ++satz)
    for (int art = 0; art < FigStatArten; ++art)
      for (int platz = 0; platz < m; ++platz)
        for (int feld = 0; feld < 64; ++feld) {
          text += std::to_string(s.zaehler[Figurenstatistik::Index(satz, art, platz, feld)]);
          text += feld < 63 ? ',' : '\n';
        }
  const bool geschrieben = std::fwrite(text.data(), 1, text.size(), datei) == text.size();
  if (std::fclose(datei) == 0 && geschrieben) return 0;
  // A table cut short by a full disk would read as a smaller statistics.
  std::remove(pfad.c_str());
  return -1;
}

void FigStatFreigeben() { FigStat() = Figurenstatistik{}; }

}  // namespace galdrik
