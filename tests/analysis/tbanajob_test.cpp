// The analysis job through its exports as the program drives it: setup,
// start, polling, stop, teardown, the result and statistics exports, the
// record texts and the result files; and the progress and prognosis
// arithmetic on a state set by hand.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <thread>
#include <vector>

#include "analysis/tbana_exports.h"
#include "analysis/tbanajob.h"
#include "analysis/tbanasetup.h"
#include "analysis/tbtabellen.h"
#include "core/fen.h"
#include "interface/enginestate.h"
#include "interface/jobs.h"
#include "interface/records.h"
#include "support/datei.h"

namespace galdrik::test {
namespace {

constexpr int K = Koenig, Q = Dame, R = Turm;

std::string Text(int32_t laenge) { return std::string(Ausgabepuffer(), laenge); }

std::vector<int32_t> Maske(std::array<int, 6> codes, int32_t seite) {
  std::vector<int32_t> m(SuchmaskeLaenge, 0);
  for (int k = 0; k < 6; ++k) {
    m[MaskeFiguren + k] = codes[k];
    m[MaskeBezug + k] = -1;
    for (int s = 0; s < 64; ++s)
      m[MaskeFelder + 64 * k + s] = codes[k] != K || (0x080C0E0FULL >> s & 1) ? 1 : -1;
    for (int c = 0; c < GitterZellen; ++c) m[MaskeGitter + GitterZellen * k + c] = -1;
  }
  m[MaskeSeite] = seite;
  m[MaskeVon] = m[MaskeNach] = LoesungFeldBeliebig;
  m[MaskeGewaehlterSlot] = -1;
  return m;
}

class TBAnaJob : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DTMTabellenAnmelden()) GTEST_SKIP() << "built without the generated tables";
    ASSERT_EQ(DLL_TBAnaPrep(), 0);
  }
  void TearDown() override {
    TBAnaBeenden();
    DLL_TBAnaPost();
  }
  static void Warten() {
    while (DLL_TBAnaStatus() == 1) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
};

TEST_F(TBAnaJob, ExportFolgeWieDasProgramm) {
  DLL_TBAnaSetPos(Maske({-R, Q, K, -K, 0, 0}, 2).data(), KriteriumAlleMitWert);
  ASSERT_EQ(DLL_TBAnaStart(), 0);
  EXPECT_EQ(DLL_TBAnaStart(), -1) << "a second start while running";
  int32_t letzter = 0;
  uint64_t letzteUntersucht = 0;
  while (DLL_TBAnaStatus() == 1) {
    const int32_t f = DLL_TBAnaFortschritt();
    EXPECT_GE(f, letzter);
    EXPECT_LE(f, 1000);
    letzter = f;
    EXPECT_GE(DLL_TBAnaZeitPrognose(), 1);
    uint64_t u = 0, t = 0;
    DLL_TBAnaZwischenergebnis(&u, &t);
    EXPECT_GE(u, letzteUntersucht);
    letzteUntersucht = u;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  uint64_t anzahl = 0;
  ASSERT_EQ(DLL_TBAnaErgebnis(&anzahl), 0);
  uint64_t s[8];
  double sekunden = -1, rate = -1;
  DLL_TBAnaStatistik1(&s[0], &s[1], &s[2], &s[3], &s[4], &s[5], &s[6], &s[7], &sekunden, &rate);
  EXPECT_EQ(anzahl, std::min<uint64_t>(s[0], ErgebnisPlaetze));
  EXPECT_EQ(s[0], s[1] + s[2] + s[3] + s[4] + s[5] + s[6]) << "criterion 10 takes every value";
  EXPECT_GT(s[1], 0u);
  EXPECT_GT(s[4], 0u);
  EXPECT_GE(s[7], s[0]);
  EXPECT_GE(sekunden, 0);
  EXPECT_EQ(rate, sekunden > 0 ? static_cast<double>(s[7]) / sekunden : static_cast<double>(s[7]));

  // Black to move is the first pass, White the second.
  int32_t feld[72], wert = 0;
  DLL_TBAnaGetPos(feld, 1, &wert);
  EXPECT_EQ(feld[GSAmZug], 0);
  EXPECT_NE(wert, 32767);
  DLL_TBAnaGetPos(feld, static_cast<int32_t>(anzahl), &wert);
  EXPECT_EQ(feld[GSAmZug], 1);
  int stuecke = 0;
  for (int q = 0; q < 64; ++q) stuecke += feld[q] != 0;
  EXPECT_EQ(stuecke, 4);
  DLL_TBAnaGetPos(feld, static_cast<int32_t>(anzahl) + 1, &wert);
  EXPECT_EQ(wert, 32767);
  EXPECT_EQ(feld[GSEPFeld], 255);
  EXPECT_EQ(DLL_TBAnaGetPosStr(0), 0);

  // Texts end with the value of their record.
  bool gesehen[3] = {false, false, false};
  for (int32_t n = 1; n <= static_cast<int32_t>(anzahl); n += 997) {
    DLL_TBAnaGetPos(feld, n, &wert);
    const std::string t = Text(DLL_TBAnaGetPosStr(n));
    const std::string ende = wert == 0  ? "draw;"
                             : wert > 0 ? "dm " + std::to_string(32767 - wert) + ";"
                                        : "om " + std::to_string(wert + 32766) + ";";
    gesehen[wert == 0 ? 0 : wert > 0 ? 1 : 2] = true;
    ASSERT_GE(t.size(), ende.size());
    EXPECT_EQ(t.substr(t.size() - ende.size()), ende) << t;
    Stellung st;
    uint16_t hz;
    EXPECT_EQ(FENEingabe(t, st, hz), 0) << t;
  }
  EXPECT_TRUE(gesehen[0] && gesehen[1] && gesehen[2]);

  // The extreme record is the deeper of the longest win and loss.
  DLL_TBAnaGetMatt(feld, &wert);
  EXPECT_NE(wert, 32767);
  const std::string matt = Text(DLL_TBAnaGetMattStr());
  EXPECT_NE(matt.find(wert > 0 ? "dm " : "om "), std::string::npos) << matt;
  int64_t summe1, anzahl1, summe0, anzahl0;
  int32_t min1, max1, min0, max0;
  DLL_TBAnaStatistik4(&summe1, &anzahl1, &min1, &max1, &summe0, &anzahl0, &min0, &max0);
  EXPECT_EQ(std::max(max0, max1), wert > 0 ? 32767 - wert : wert + 32766);
  int64_t n1 = 0;
  for (int i = 0; i <= 510; ++i) n1 += DLL_TBAnaStatistik3(1, i);
  EXPECT_EQ(n1, anzahl1);
  EXPECT_EQ(anzahl0 + anzahl1 + DLL_TBAnaStatistik3(0, -1), static_cast<int64_t>(s[0]));

  // Square diagram of the White queen's matches: a heat ramp over the board.
  int32_t diagramm[256];
  DLL_TBAnaStatistik2(diagramm, 1, Q, 0, 0, 0);
  int64_t queens = 0;
  for (int q = 0; q < 64; ++q) {
    int64_t v;
    std::memcpy(&v, &diagramm[2 * q], 8);
    queens += v;
  }
  EXPECT_EQ(queens, static_cast<int64_t>(s[0]));
  DLL_TBAnaStatistik2(diagramm, 0, Q, 0, 0, 0);
  for (int q = 0; q < 64; ++q) {
    EXPECT_EQ(diagramm[2 * q] | diagramm[2 * q + 1], 0);
    EXPECT_EQ(diagramm[128 + q], 0xFFFFFF);
  }
  uint64_t u[4] = {9, 9, 9, 9};
  DLL_TBAnaStatistik5(&u[0], &u[1], &u[2], &u[3]);
  EXPECT_EQ(u[0] + u[1] + u[2] + u[3], 0u);

  EXPECT_EQ(DLL_TBAnaPost(), 0);
  DLL_TBAnaGetPos(feld, 1, &wert);
  EXPECT_EQ(wert, 32767);
  EXPECT_EQ(DLL_TBAnaErgebnis(&anzahl), 0);
  EXPECT_EQ(anzahl, 0u);
  EXPECT_EQ(DLL_TBAnaStart(), -1) << "no result buffer";
}

TEST_F(TBAnaJob, StoppUndAbbauBeendenDenLauf) {
  uint64_t voll = 0;
  {
    DLL_TBAnaSetPos(Maske({-R, Q, K, -K, 0, 0}, 1).data(), KriteriumAlleMitWert);
    ASSERT_EQ(DLL_TBAnaStart(), 0);
    Warten();
    DLL_TBAnaZwischenergebnis(&voll, nullptr);
  }
  DLL_TBAnaSetPos(Maske({-R, Q, K, -K, 0, 0}, 1).data(), KriteriumAlleMitWert);
  ASSERT_EQ(DLL_TBAnaStart(), 0);
  DLL_TBAnaStopp();
  Warten();
  uint64_t anzahl = 0, untersucht = 0;
  EXPECT_EQ(DLL_TBAnaErgebnis(&anzahl), SchleifeGestoppt);
  DLL_TBAnaZwischenergebnis(&untersucht, nullptr);
  EXPECT_LT(untersucht, voll);

  ASSERT_EQ(DLL_TBAnaStart(), 0);
  JobsBeenden();  // what engine teardown does first
  EXPECT_EQ(DLL_TBAnaStatus(), 0);
  EXPECT_LE(DLL_TBAnaErgebnis(&anzahl), 0);
}

TEST_F(TBAnaJob, DateienSpeichernUndLaden) {
  TempOrdner ordner;
  DLL_TBAnaSetPos(Maske({K, -K, Q, 0, 0, 0}, 2).data(), KriteriumAlleMitWert);
  ASSERT_EQ(DLL_TBAnaStart(), 0);
  Warten();
  uint64_t n = 0;
  ASSERT_EQ(DLL_TBAnaErgebnis(&n), 0);
  ASSERT_GT(n, 10u);
  const std::string stt = (ordner / "tb000001.stt").string(), epd = (ordner / "a.epd").string();
  ASSERT_EQ(DLL_TBAnaSpeichern(epd.c_str(), stt.c_str(), 500000), 0);
  const std::string bytes = DateiInhalt(stt);
  ASSERT_EQ(bytes.size(), 20940 + 16 * n);
  uint64_t gespeichertesN;
  int32_t kriterium, codes[6];
  std::memcpy(&gespeichertesN, bytes.data() + 20752, 8);
  std::memcpy(&kriterium, bytes.data() + 20912, 4);
  std::memcpy(codes, bytes.data() + 20916, 24);
  EXPECT_EQ(gespeichertesN, n);
  EXPECT_EQ(kriterium, KriteriumAlleMitWert);
  EXPECT_EQ(std::vector<int32_t>(codes, codes + 6), (std::vector<int32_t>{0, 0, 0, K, -K, Q}));
  EXPECT_EQ(0, std::memcmp(bytes.data(), &Engine().aktuelleStellung, 192));
  EXPECT_EQ(bytes[192 + 48 + 2], Q) << "the block in setup order";

  const std::string liste = DateiInhalt(epd);
  size_t zeilen = 0;
  for (size_t p = 0; (p = liste.find('\n', p)) != std::string::npos; ++p) {
    ++zeilen;
    ASSERT_EQ(liste[p - 1], '\r');
  }
  EXPECT_EQ(zeilen, n);
  for (const std::string& zeile : DateiZeilen(epd)) {
    Stellung st;
    uint16_t hz;
    ASSERT_EQ(FENEingabe(zeile, st, hz), 0) << zeile;
  }

  // Load, save again: the same bytes; the mask comes back with all six
  // reference slots.
  std::vector<int32_t> maske(SuchmaskeLaenge, 77), stellung(72, 0);
  int32_t k = 0;
  ASSERT_EQ(DLL_TBAnaLaden(epd.c_str(), stt.c_str(), stellung.data(), maske.data(), &k), 0);
  EXPECT_EQ(k, KriteriumAlleMitWert);
  const std::vector<int32_t> original = Maske({K, -K, Q, 0, 0, 0}, 2);
  for (int i = 0; i < MaskeDiagonalSymmetrie; ++i)
    ASSERT_EQ(maske[i], original[i]) << "value " << i;
  EXPECT_EQ(maske[MaskeDiagonalSymmetrie], 77) << "kept";
  const std::string stt2 = (ordner / "b.stt").string(), epd2 = (ordner / "b.epd").string();
  ASSERT_EQ(DLL_TBAnaSpeichern(epd2.c_str(), stt2.c_str(), -1), 0);
  EXPECT_EQ(DateiInhalt(stt2).size(), 20940u) << "a negative limit writes no record";
  ASSERT_EQ(DLL_TBAnaSpeichern(epd2.c_str(), stt2.c_str(), 10), 0);
  EXPECT_EQ(DateiZeilen(epd2).size(), 10u);
  ASSERT_EQ(DLL_TBAnaSpeichern(epd2.c_str(), stt2.c_str(), 1 << 30), 0);
  EXPECT_EQ(DateiInhalt(stt2), bytes);

  // Unsound files change nothing.
  struct Kaputt {
    const char* name;
    std::string inhalt;
  };
  std::string falscherCode = bytes, falschesFeld = bytes;
  falscherCode[20916] = 9;
  falschesFeld[20940 + 3] = 64;
  const std::vector<Kaputt> kaputt = {
      {"kurz", bytes.substr(0, bytes.size() - 1)},
      {"nur Kopf", bytes.substr(0, 20000)},
      {"Code", falscherCode},
      {"Feld", falschesFeld},
      {"fremd", std::string(20940 + 16 * n, 'x')},
  };
  for (const Kaputt& f : kaputt) {
    SCOPED_TRACE(f.name);
    const std::string pfad = ordner.datei("kaputt.stt", f.inhalt);
    std::fill(maske.begin(), maske.end(), 5);
    EXPECT_EQ(DLL_TBAnaLaden(epd.c_str(), pfad.c_str(), stellung.data(), maske.data(), &k), -2);
    EXPECT_EQ(maske[0], 5);
    uint64_t m = 0;
    DLL_TBAnaErgebnis(&m);
    EXPECT_EQ(m, n);
  }
  EXPECT_EQ(DLL_TBAnaLaden(epd.c_str(), (ordner / "fehlt.stt").string().c_str(), stellung.data(),
                           maske.data(), &k),
            -2);
  EXPECT_EQ(DLL_TBAnaLaden(nullptr, stt.c_str(), stellung.data(), maske.data(), &k), -9);
  EXPECT_EQ(DLL_TBAnaSpeichern(epd.c_str(), nullptr, 1), -9);
  EXPECT_EQ(DLL_TBAnaSpeichern(epd.c_str(), (ordner / "kein/ordner.stt").string().c_str(), 1), -1);
  EXPECT_EQ(DLL_TBAnaSpeichern((ordner / "kein/ordner.epd").string().c_str(), stt2.c_str(), 1), -2);
  EXPECT_EQ(DateiInhalt(stt2).size(), 20940u + 16) << "the statistics file was written first";
}

TEST(TBAnaText, WertUndEnPassant) {
  const int32_t codes[6] = {0, 0, K, -K, 1, -1};
  struct Fall {
    int32_t wert;
    uint8_t ep, amZug;
    const char* text;
  };
  const Fall faelle[] = {
      {32767 - 5, 127, 1, "8/8/8/3pP3/8/8/8/K6k w - - dm 5;"},
      {-32766 + 7, 127, 0, "8/8/8/3pP3/8/8/8/K6k b - - om 7;"},
      {0, 43, 1, "8/8/8/3pP3/8/8/8/K6k w - d6 draw;"},
  };
  for (const Fall& f : faelle) {
    TBAnaEintrag r = LeererEintrag(f.wert);
    const uint8_t felder[6] = {0, 0, 0, 7, 36, 35};
    std::memcpy(r.feld, felder, 6);
    r.epFeld = f.ep;
    r.amZug = f.amZug;
    EXPECT_EQ(TBAnaStellungText(r, codes), f.text);
  }
  // Squares off the board place nothing.
  EXPECT_EQ(TBAnaStellungText(LeererEintrag(), codes), "8/8/8/8/8/8/8/8 b - - dm 0;");
}

// Progress and prognosis from loop counters set by hand.
TEST(TBAnaFortschritt, ArithmetikAufHandgesetztemZustand) {
  TBAnaZustand& z = TBAnaGlobal();
  ASSERT_FALSE(z.laeuft.load());
  auto Setzen = [&](int p, int nr, std::array<int, 3> l, std::array<int, 3> i) {
    z.durchlaeufe = static_cast<uint8_t>(p);
    z.durchlaufNummer = static_cast<uint8_t>(nr);
    for (int k = 0; k < 3; ++k) {
      z.schleifenGrenze[k] = static_cast<uint8_t>(l[k]);
      z.schleifenZaehler[k] = static_cast<uint8_t>(i[k]);
    }
  };
  Setzen(2, 1, {64, 64, 64}, {0, 0, 0});
  EXPECT_EQ(DLL_TBAnaFortschritt(), 500) << "the second pass starts at half";
  Setzen(1, 0, {10, 4, 4}, {6, 1, 1});
  EXPECT_EQ(DLL_TBAnaFortschritt(), 500);
  Setzen(1, 0, {0, 4, 4}, {6, 1, 1});
  EXPECT_EQ(DLL_TBAnaFortschritt(), 0);

  // 5000 seconds into two passes of 64^3 combinations, an eighth done: the
  // product of the rest and the time passes 2^31.
  Setzen(2, 0, {64, 64, 64}, {17, 1, 1});
  z.startZeit = static_cast<int64_t>(std::time(nullptr)) - 5000;
  EXPECT_NEAR(DLL_TBAnaZeitPrognose(), 35000, 10);
  z.startZeit = static_cast<int64_t>(std::time(nullptr));
  Setzen(1, 0, {64, 64, 64}, {0, 0, 0});
  EXPECT_EQ(DLL_TBAnaZeitPrognose(), 1);
  TBAnaZaehlerLoeschen(z);
}

}  // namespace
}  // namespace galdrik::test
