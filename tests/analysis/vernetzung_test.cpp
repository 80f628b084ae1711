// The linking on small hand-built .tbx files: levels rising through loops
// with and without loop detection, drawn and capturing records, the
// diagonal mirror form of a successor, the normalisation cases, and the
// failures that must leave the file as it was.
#include "analysis/vernetzung.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "analysis/spezdb.h"
#include "analysis/spezdb_exports.h"
#include "support/datei.h"

namespace galdrik::test {
namespace {

using Satz = std::array<uint8_t, 16>;

using Codes = std::array<int8_t, 6>;
constexpr Codes KRK = {0, 0, 0, 6, -6, 4};
constexpr Codes KRRK = {0, 0, 6, -6, 4, 4};

// A record of White to move at level 1.
Satz Roh(std::array<int, 6> felder, int32_t wert, int slot, int ziel, int art = 0) {
  Satz r{};
  for (int k = 0; k < 6; ++k) r[k] = static_cast<uint8_t>(felder[k]);
  r[6] = 127;
  r[7] = 1;
  for (int i = 0; i < 4; ++i)
    r[8 + i] = static_cast<uint8_t>(static_cast<uint32_t>(wert) >> (8 * i));
  r[12] = static_cast<uint8_t>(slot);
  r[13] = static_cast<uint8_t>(ziel);
  r[14] = static_cast<uint8_t>(art);
  r[15] = 1;
  return r;
}

// K, k, R in slots 3..5.
Satz Krk(int wk, int bk, int wr, int32_t wert, int slot, int ziel, int art = 0) {
  return Roh({0, 0, 0, wk, bk, wr}, wert, slot, ziel, art);
}

std::string Tbx(const std::vector<Satz>& rs, const Codes& codes = KRK) {
  std::string b(codes.begin(), codes.end());
  b += std::string(2, '\0');
  const auto n = static_cast<uint32_t>(rs.size());
  for (int i = 0; i < 4; ++i) b += static_cast<char>(n >> (8 * i));
  for (const Satz& r : rs) b.append(reinterpret_cast<const char*>(r.data()), 16);
  return b;
}

std::vector<int> Stufen(const std::string& datei) {
  std::vector<int> s;
  for (size_t i = 12; i + 16 <= datei.size(); i += 16)
    s.push_back(static_cast<uint8_t>(datei[i + 15]));
  return s;
}

constexpr int c1 = 2, d1 = 3, a3 = 16, a4 = 24, a5 = 32, g8 = 62, h8 = 63, b2 = 9;

// A: Kc1 to d1; after ...Kh8-g8 comes B: Kd1 to c1; after ...Kg8-h8 comes A.
Satz A(int32_t wert = 0, int art = 0) { return Krk(c1, h8, a5, wert, 3, d1, art); }
Satz B(int32_t wert = 0) { return Krk(d1, g8, a5, wert, 3, c1); }

class Vernetzung : public ::testing::Test {
 protected:
  void TearDown() override { SpezDBSchliessen(); }
  TempOrdner ordner;
  std::string Pfad(const char* name) { return (ordner.pfad() / name).string(); }

  static void Warten() {
    for (int i = 0; i < 2000 && VernetzungLaeuft(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_FALSE(VernetzungLaeuft());
  }
};

TEST_F(Vernetzung, StufenSteigenNachDenRegeln) {
  struct Fall {
    const char* name;
    std::vector<Satz> saetze;
    bool schleife;
    std::vector<int> stufen;
    Codes codes = KRK;
  };
  const std::vector<Fall> faelle = {
      {"Remisschleife ohne Erkennung", {A(), B()}, false, {50, 50}},
      {"Remisschleife mit Erkennung", {A(), B()}, true, {2, 1}},
      {"Schlagzug bleibt auf 1", {A(0, 2), B()}, false, {1, 2}},
      {"Remis fuehrt nicht zum Gewinn", {A(32000), B(0)}, false, {2, 1}},
      {"kein Nachfolger in der Datenbank", {A()}, false, {1}},
      // Ra4-a3 and ...Kg8-h8 reach Kb2, Kh8, Ra3, stored as its diagonal
      // mirror Kb2, Kh8, Rc1 (the form the analysis keeps).
      {"Spiegelform an der Diagonale",
       {Krk(b2, g8, a4, 0, 5, a3), Krk(b2, h8, c1, 0, 5, 4, 2)},
       false,
       {2, 1}},
      // Ra5-a7 passes the other rook (b6); the stored successor keeps the
      // two rooks in increasing order, as the analysis walks them.
      {"gleiche Figuren sortiert",
       {Roh({0, 0, c1, h8, a5, 41}, 0, 4, 48), Roh({0, 0, c1, g8, 41, 48}, 0, 4, 40, 2)},
       false,
       {2, 1},
       KRRK},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const std::string pfad = Pfad("db.tbx");
    DateiSchreiben(pfad, Tbx(f.saetze, f.codes));
    ASSERT_EQ(SpezDBVernetzen(pfad.c_str(), 16, f.schleife), 0);
    const std::string nachher = DateiInhalt(pfad);
    EXPECT_EQ(Stufen(nachher), f.stufen);
    // Only the levels change.
    std::string vorher = Tbx(f.saetze, f.codes);
    for (size_t i = 0; i < f.stufen.size(); ++i)
      vorher[12 + 16 * i + 15] = static_cast<char>(f.stufen[i]);
    EXPECT_EQ(nachher, vorher);
    EXPECT_FALSE(SpezDBGeladen());
  }
}

TEST_F(Vernetzung, NormierungSpiegeltNachDerLeitfigur) {
  struct Fall {
    int klasse, vorher, ep, nachher, epNachher;
  };
  for (const Fall f : {Fall{1, 4, 20, 3, 19},      // e1, e3 -> d1, d3
                       Fall{1, 3, 127, 3, 127},    // d1 stays
                       Fall{2, 54, 127, 9, 127},   // g7 -> b2
                       Fall{2, 46, 127, 10, 127},  // g6 -> c2
                       Fall{2, 60, 20, 3, 20},     // e8 -> d1, en passant untouched
                       Fall{3, 60, 127, 60, 127}}) {
    SCOPED_TRACE(f.vorher);
    uint8_t key[8] = {33, 0, 0, static_cast<uint8_t>(f.vorher), 63, 0, static_cast<uint8_t>(f.ep),
                      1};
    SpezDBNormieren(key, 3, f.klasse);
    EXPECT_EQ(key[3], f.nachher);
    EXPECT_EQ(key[6], f.epNachher);
    EXPECT_EQ(key[0], 33) << "slots below the key piece keep their squares";
    if (f.vorher == 54) {
      EXPECT_EQ(key[4], 0);
    }  // h8 -> a8 -> a1
    if (f.vorher == 46) {
      EXPECT_EQ(key[4], 0);
    }  // h8 -> a8 -> a1, on the diagonal
  }
}

// Failures before the write, a failed write and a stop all leave the file
// byte for byte as it was.
TEST_F(Vernetzung, FehlerLassenDieDateiUnberuehrt) {
  const std::string pfad = Pfad("db.tbx");
  const std::string inhalt = Tbx({A(), B()});
  DateiSchreiben(pfad, inhalt);

  EXPECT_EQ(SpezDBVernetzen(pfad.c_str(), 0, false), VernetzungIndexGroesse);
  EXPECT_EQ(DateiInhalt(pfad), inhalt);
  EXPECT_EQ(SpezDBVernetzen(Pfad("fehlt.tbx").c_str(), 16, false), SpezDBDateiFehler);

  std::atomic<bool> stopp{true};
  EXPECT_EQ(SpezDBVernetzen(pfad.c_str(), 16, false, &stopp), VernetzungGestoppt);
  EXPECT_EQ(DateiInhalt(pfad), inhalt);
  EXPECT_FALSE(SpezDBGeladen());

  // The temporary name is taken by a folder: the write fails.
  std::filesystem::create_directory(pfad + ".tmp");
  ASSERT_EQ(DLL_TBAnaSpezDB_VernetzungStart(pfad.c_str(), 16, 0), 0);
  Warten();
  EXPECT_EQ(VernetzungErgebnis(), SpezDBDateiFehler);
  EXPECT_EQ(DLL_TBAnaSpezDB_VernetzungStatus(), -2);
  EXPECT_EQ(DateiInhalt(pfad), inhalt);
  EXPECT_FALSE(SpezDBGeladen());
}

TEST_F(Vernetzung, JobUeberDieExporte) {
  const std::string pfad = Pfad("db.tbx");
  DateiSchreiben(pfad, Tbx({A(), B()}));
  ASSERT_EQ(DLL_TBAnaSpezDB_VernetzungStart(pfad.c_str(), 16, 1), 0);
  Warten();
  EXPECT_EQ(VernetzungErgebnis(), 0);
  EXPECT_EQ(DLL_TBAnaSpezDB_VernetzungStatus(), -1);
  DLL_TBAnaSpezDB_VernetzungStopp();  // as the program does after the end
  EXPECT_EQ(Stufen(DateiInhalt(pfad)), (std::vector<int>{2, 1}));

  // A path that does not fit is refused, and the job reports a failure.
  const std::string lang = ordner.pfad().string() + "/" + std::string(1100, 'x') + ".tbx";
  EXPECT_EQ(DLL_TBAnaSpezDB_VernetzungStart(lang.c_str(), 16, 0), -3);
  EXPECT_FALSE(VernetzungLaeuft());
  EXPECT_EQ(DLL_TBAnaSpezDB_VernetzungStatus(), -2);
  EXPECT_EQ(DLL_TBAnaSpezDB_VernetzungStart(nullptr, 16, 0), -3);

  // A later start runs normally again.
  ASSERT_EQ(DLL_TBAnaSpezDB_VernetzungStart(pfad.c_str(), 16, 0), 0);
  Warten();
  EXPECT_EQ(DLL_TBAnaSpezDB_VernetzungStatus(), -1);
}

}  // namespace
}  // namespace galdrik::test
