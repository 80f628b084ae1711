// The tablebase manager on a small installed set: the build's generated kqk,
// krk and kbnk (sanitizer builds make only a few tables), a file of the
// right size standing in for the symmetric knkn, and a reference list built
// from md5sum's output through the collector.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "analysis/md5liste.h"
#include "analysis/tbmanager.h"
#include "analysis/tbmanagexports.h"
#include "analysis/tbmanagpruefung.h"
#include "analysis/tbmanagtabellen.h"
#include "interface/config.h"
#include "interface/enginestate.h"
#include "support/datei.h"
#include "tablebase/tbdienste.h"
#include "tablebase/tbinit.h"

namespace galdrik {
namespace {

namespace fs = std::filesystem;
using test::DateiInhalt;
using test::TempOrdner;

constexpr char Buchstaben[] = "KDTLSB BSLTDK";
constexpr int32_t Kqk = 5, Krk = 4, Knkn = 8, Kqkr = 19, Kbnk = 25;  // DTM class-metric indexes

// Opened by the worker test once it has asked for the stop.
std::atomic<bool> tor{true};

class TBManager : public ::testing::Test {
 protected:
  void SetUp() override {
    // Copies: the tests alter and remove files.
    for (const char* name : {"kqk.nbw", "kqk.nbb", "krk.nbw", "krk.nbb", "kbnk.nbw", "kbnk.nbb"})
      fs::copy_file(fs::path(GALDRIK_TB_DTM_DIR) / name, ordner / name);
    std::string knkn(1603202, '\0');
    for (size_t i = 0; i < knkn.size(); ++i) knkn[i] = char((i * 131 + (i >> 9)) % 251);
    test::DateiSchreiben(ordner / "knkn.nbw", knkn);
    const std::string befehl = "cd '" + ordner.pfad().string() +
                               "' && md5sum kqk.nbw kqk.nbb krk.nbw krk.nbb kbnk.nbw kbnk.nbb "
                               "knkn.nbw > md5.txt";
    ASSERT_EQ(std::system(befehl.c_str()), 0);
    liste = (ordner / "egtbdtx7.md5").string();
    ASSERT_EQ(DLL_MD5Kollektor((ordner / "md5.txt").c_str(), liste.c_str()), 0);
    Konfiguration().md5Pfad = liste;
    Konfiguration().md5LogPfad = (ordner / "egtbdtx7.log").string();
    Registrieren();
  }
  void TearDown() override {
    tor = true;
    TBManagIntegerBeenden();
    TBManagThreadFabrikSetzen(nullptr);
    Konfiguration().md5Pfad.clear();
    Konfiguration().md5LogPfad.clear();
    TbInitialise(nullptr, -1);
  }

  // The tablebase start: the check tables cleared, the times reloaded from
  // the log, the set registered.
  void Registrieren() { ASSERT_EQ(TBInitialisieren(ordner.pfad().c_str(), 0), 4); }

  int32_t Element(int32_t index) {
    for (int32_t e = 0; e < TBManagElementAnzahl(); ++e)
      if (TBManagElementLesen(e)->index == index) return e;
    ADD_FAILURE() << "no element for " << index;
    return -1;
  }

  void Warten() {
    for (int i = 0; i < 5000 && DLL_TBManagIntegerStatus() != -1; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_EQ(DLL_TBManagIntegerStatus(), -1);
  }

  std::string Zeile(int32_t element, int32_t seite, int32_t slot, int32_t mitDatum = 1) {
    const int32_t n =
        DLL_TBManagElement(element, seite, slot, Buchstaben, " (W)", " (S)", "\tinstalliert",
                           "\tfehlt", "\tinteger", "\tfehlerhaft", "\tunklar", mitDatum);
    EXPECT_EQ(size_t(n), std::strlen(Ausgabepuffer()));
    return Ausgabepuffer();
  }

  TempOrdner ordner;
  std::string liste;
};

TEST_F(TBManager, ElementlisteMitFilternUndStatusworten) {
  EXPECT_EQ(DLL_TBManagInit(3, 0, 0), 5);
  EXPECT_EQ(DLL_TBManagInit(3, 0, 1), 2);
  EXPECT_EQ(TBManagElementLesen(0)->index, Krk);
  EXPECT_EQ(TBManagElementLesen(1)->index, Kqk);
  EXPECT_EQ(TBManagElementLesen(1)->schluessel, 0x666B);
  EXPECT_EQ(DLL_TBManagInit(3, 1, 1), 0) << "no DTC set registered";
  ASSERT_EQ(DLL_TBManagInit(4, 0, 1), 2);
  const int32_t knkn = Element(Knkn), kbnk = Element(Kbnk);
  for (const int32_t seite : {1, 0}) {
    EXPECT_EQ(DLL_TBManagCheckStatus(kbnk, seite, 0), 1);
    EXPECT_EQ(DLL_TBManagCheckStatus(knkn, seite, 0), 1) << "one file set for both sides";
    EXPECT_EQ(DLL_TBManagCheckStatus(kbnk, seite, 1), 0);
  }
  for (const auto& [e, seite, slot] : {std::tuple{2, 1, 0}, {-1, 1, 0}, {0, 1, 18}, {0, 1, -1}})
    EXPECT_EQ(DLL_TBManagCheckStatus(e, seite, slot), 0);

  int32_t sym = -1, b16 = -1, w = -1, s = -1;
  DLL_TBManagDateiInfo(knkn, &sym, &b16, &w, &s);
  EXPECT_EQ(std::tuple(sym, b16, w, s), std::tuple(1, 0, 1, 1));
  DLL_TBManagDateiInfo(kbnk, &sym, &b16, &w, &s);
  EXPECT_EQ(std::tuple(sym, b16, w, s), std::tuple(0, 0, 1, 1));

  ASSERT_GT(DLL_TBManagDateiname(kbnk, 0, 0), 0);
  EXPECT_EQ(fs::path(Ausgabepuffer()), ordner / "kbnk.nbb");
  DLL_TBManagDateiname(knkn, 0, 0);
  EXPECT_EQ(fs::path(Ausgabepuffer()), ordner / "knkn.nbw");
  EXPECT_EQ(DLL_TBManagDateiname(kbnk, 1, 1), 1);
  EXPECT_STREQ(Ausgabepuffer(), "?");
  EXPECT_EQ(DLL_TBManagDateiname(7, 1, 0), 1);
  EXPECT_STREQ(Ausgabepuffer(), "?");
}

TEST_F(TBManager, PruefungAllerElementeUndZeilentexte) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  ASSERT_EQ(DLL_TBManagInit(4, 0, 1), 2);
  const int32_t kbnk = Element(Kbnk);
  EXPECT_EQ(Zeile(kbnk, 1, 0), "KLS-K (W): \tinstalliert ");
  EXPECT_EQ(Zeile(kbnk, 0, -1), "KLS-K (S): \tinstalliert ");
  EXPECT_EQ(Zeile(kbnk, 1, 3), "KLS-K (W): \tfehlt ");

  const std::time_t vorher = std::time(nullptr);
  ASSERT_EQ(DLL_TBManagIntegerStart(2, 0, 0, 2), 0);
  Warten();
  EXPECT_EQ(DLL_TBManagIntegerWert(), -2) << "the last slot has no file";
  ASSERT_EQ(DLL_TBManagInit(4, 0, 1), 2);
  const int32_t knkn = Element(Knkn);
  for (const int32_t seite : {1, 0}) {
    EXPECT_EQ(DLL_TBManagCheckStatus(kbnk, seite, 0), 3);
    EXPECT_EQ(DLL_TBManagCheckStatus(knkn, seite, 0), 3) << "checked once, shown on both sides";
    EXPECT_EQ(DLL_TBManagCheckStatus(kbnk, seite, 1), 0) << "no file: nothing recorded";
  }
  int32_t zeit = 0;
  const int32_t n = DLL_TBManagZeitLetztenTests(kbnk, 0, 0, &zeit);
  EXPECT_GE(zeit, vorher);
  EXPECT_LE(zeit, std::time(nullptr));
  ASSERT_EQ(n, 25);
  const std::string datum = Ausgabepuffer();
  EXPECT_EQ(datum, TBManagZeittext(uint32_t(zeit)));
  EXPECT_EQ(Zeile(kbnk, 0, 0), "KLS-K (S): \tinstalliert \tinteger\t(" + datum.substr(0, 24) + ")");
  EXPECT_EQ(Zeile(kbnk, 1, 0, 0), "KLS-K (W): \tinstalliert \tinteger");
  DLL_TBManagElement(kbnk, 0, -1, "KQRBNP PNBRQK", " (W)", " (B)", "\tinstalled", "\tmissing",
                     "\tintact", "\tfaulty", "\tunclear", 0);
  EXPECT_STREQ(Ausgabepuffer(), "KBN-K (B): \tinstalled \tintact");
  EXPECT_EQ(Zeile(knkn, 0, -1, 0), "KS-KS (S): \tinstalliert \tinteger");
  EXPECT_EQ(DLL_TBManagZeitLetztenTests(kbnk, 0, 1, &zeit), 0);
  EXPECT_EQ(zeit, 0);

  EXPECT_EQ(TBManagZeittext(946728000), "Sat Jan  1 12:00:00 2000\n");
  EXPECT_EQ(TBManagZeittext(1000000000), "Sun Sep  9 01:46:40 2001\n");
}

TEST_F(TBManager, VeraenderteTabelleIstFehlerhaft) {
  ASSERT_EQ(DLL_TBManagInit(3, 0, 1), 2);
  const int32_t kqk = Element(Kqk);
  // One entry of the generated table changed after the list was made.
  std::string inhalt = DateiInhalt(ordner / "kqk.nbb");
  inhalt[1000] ^= 1;
  test::DateiSchreiben(ordner / "kqk.nbb", inhalt);
  ASSERT_EQ(DLL_TBManagIntegerStart(kqk, 0, 0, 1), 0);
  Warten();
  EXPECT_EQ(DLL_TBManagIntegerWert(), 0);
  ASSERT_EQ(DLL_TBManagIntegerStart(kqk, 1, 0, 1), 0);
  Warten();
  EXPECT_EQ(DLL_TBManagIntegerWert(), 1);
  EXPECT_EQ(DLL_TBManagInit(3, 0, TBManagNurFehlerhafte), 1);
  EXPECT_EQ(TBManagElementLesen(0)->index, Kqk);
  EXPECT_EQ(DLL_TBManagCheckStatus(0, 0, 0), 5);
  EXPECT_EQ(DLL_TBManagCheckStatus(0, 1, 0), 3);
  EXPECT_EQ(Zeile(0, 0, 0), "KD-K (S): \tinstalliert \tfehlerhaft");
  int32_t zeit = -1;
  DLL_TBManagZeitLetztenTests(0, 0, 0, &zeit);
  EXPECT_EQ(zeit, 0);
}

TEST_F(TBManager, PruefungEinerDatei) {
  ASSERT_EQ(DLL_TBManagInit(3, 0, 1), 2);
  const int32_t kqk = Element(Kqk), krk = Element(Krk);
  std::string name;
  EXPECT_EQ(TBManagDateiPruefen(kqk, 1, 0, name), 1);
  EXPECT_EQ(fs::path(name), ordner / "kqk.nbw");
  // Not registered, table not symmetric: nothing changes.
  EXPECT_EQ(TBManagDateiPruefen(kqk, 1, 1, name), -2);
  EXPECT_EQ(name, "");
  EXPECT_EQ(TBManagStatusLesen(1, Kqk * 18 + 1), 0);
  for (const auto& [e, seite, slot] : {std::tuple{2, 1, 0}, {-1, 1, 0}, {kqk, 2, 0}, {kqk, 1, 18}})
    EXPECT_EQ(TBManagDateiPruefen(e, seite, slot, name), -3);

  // No digest in the list: unclear, and the table file is not read (it is
  // gone by now).
  std::string block = DateiInhalt(liste);
  block.replace(size_t(MD5ListeEintragNr(Krk, 0, 0)) * 16, 16, std::string(16, '\xFF'));
  test::DateiSchreiben(liste, block);
  fs::remove(ordner / "krk.nbb");
  EXPECT_EQ(TBManagDateiPruefen(krk, 0, 0, name), 2);
  EXPECT_EQ(TBManagStatusLesen(0, Krk * 18), TBManagStatusUnklar);
  // A digest but no file: missing, and the earlier result stands.
  EXPECT_EQ(TBManagDateiPruefen(kqk, 1, 0, name), 1);
  fs::remove(ordner / "kqk.nbw");
  EXPECT_EQ(TBManagDateiPruefen(kqk, 1, 0, name), -2);
  EXPECT_EQ(TBManagStatusLesen(1, Kqk * 18), TBManagStatusIntakt);
  EXPECT_GT(TBManagPruefzeitLesen(1, Kqk * 18), 0u);

  // Without a list every check is unclear and loses the success time.
  fs::remove(liste);
  EXPECT_EQ(TBManagDateiPruefen(kqk, 0, 0, name), -1);
  EXPECT_EQ(TBManagStatusLesen(0, Kqk * 18), TBManagStatusUnklar);
  EXPECT_EQ(TBManagPruefzeitLesen(0, Kqk * 18), 0u);
}

// One metric's block is a short list: the files of another metric's set
// have no digest, not whatever lies beyond the block.
TEST_F(TBManager, KurzeListeKenntAndereMetrikenNicht) {
  ASSERT_EQ(TbInitialise(ordner.pfad().c_str(), 1), 4);
  ASSERT_EQ(DLL_TBManagInit(3, 1, 1), 2);
  std::string name;
  EXPECT_EQ(TBManagDateiPruefen(Element(441 + Kqk), 1, 0, name), 2);
  EXPECT_EQ(TBManagStatusLesen(1, (441 + Kqk) * 18), TBManagStatusUnklar);
}

TEST_F(TBManager, ZuordnungNachDigest) {
  int32_t index = -1, seite = -1, slot = -1;
  const struct {
    const char* datei;
    int32_t index, seite;
  } faelle[] = {
      {"kqk.nbw", Kqk, 1}, {"kqk.nbb", Kqk, 0}, {"kbnk.nbb", Kbnk, 0}, {"knkn.nbw", Knkn, 1}};
  for (const auto& f : faelle) {
    EXPECT_EQ(DLL_TBManagDateiZuordnen((ordner / f.datei).c_str(), &index, &seite, &slot), 1);
    EXPECT_EQ(std::tuple(index, seite, slot), std::tuple(f.index, f.seite, 0)) << f.datei;
  }
  const std::string fremd = ordner.datei("fremd.nbw", "nichts");
  EXPECT_EQ(DLL_TBManagDateiZuordnen(fremd.c_str(), &index, &seite, &slot), 0);
  EXPECT_EQ(DLL_TBManagDateiZuordnen((ordner / "fehlt").c_str(), &index, &seite, &slot), -2);
  EXPECT_EQ(DLL_TBManagDateiZuordnen("", &index, &seite, &slot), -1);
  EXPECT_EQ(DLL_TBManagDateiZuordnen(nullptr, &index, &seite, &slot), 0);
  fs::remove(liste);
  EXPECT_EQ(DLL_TBManagDateiZuordnen(fremd.c_str(), &index, &seite, &slot), -1);
}

TEST_F(TBManager, LogBewahrtDieZeitenUeberDenNeustart) {
  ASSERT_EQ(DLL_TBManagInit(3, 0, 1), 2);
  ASSERT_EQ(DLL_TBManagIntegerStart(2, 0, 0, 2), 0);
  Warten();
  const uint32_t zeit = TBManagPruefzeitLesen(0, Kqk * 18);
  ASSERT_GT(zeit, 0u);
  ASSERT_EQ(DLL_TBManagMD5LogSchreiben(), 0);
  const std::string log = DateiInhalt(Konfiguration().md5LogPfad);
  ASSERT_EQ(log.size(), 444528u);
  auto wert = [&](size_t nr) {
    return uint32_t(uint8_t(log[nr * 4])) | uint32_t(uint8_t(log[nr * 4 + 1])) << 8 |
           uint32_t(uint8_t(log[nr * 4 + 2])) << 16 | uint32_t(uint8_t(log[nr * 4 + 3])) << 24;
  };
  EXPECT_EQ(wert(Kqk * 18), TBManagPruefzeitLesen(1, Kqk * 18)) << "White to move first";
  EXPECT_EQ(wert(55566 + Kqk * 18), zeit);
  EXPECT_EQ(wert(Kbnk * 18), 0u);

  Registrieren();
  EXPECT_EQ(TBManagPruefzeitLesen(0, Kqk * 18), zeit);
  EXPECT_EQ(TBManagStatusLesen(0, Kqk * 18), 0) << "statuses last only until the next start";
  ASSERT_EQ(DLL_TBManagInit(3, 0, 1), 2);
  EXPECT_EQ(DLL_TBManagCheckStatus(Element(Kqk), 0, 0), 1);

  Konfiguration().md5LogPfad = (ordner / "fehlt" / "egtbdtx7.log").string();
  EXPECT_EQ(DLL_TBManagMD5LogSchreiben(), -1);
}

TEST_F(TBManager, Bezeichnungen) {
  const auto bez = [](int32_t index, int32_t seite, int32_t slot) {
    DLL_TBManagDirektBez(index, seite, slot, Buchstaben, " (W)", " (S)");
    return std::string(Ausgabepuffer());
  };
  EXPECT_EQ(bez(Kqkr, 1, 0), "KD-KT (W) DTM");
  EXPECT_EQ(bez(6 * 441 + Kqkr, 0, 0), "KD-KT (S) DTR");
  EXPECT_EQ(bez(187, 1, 2), "KTL-KLS (W) [3] DTM") << "split table";
  EXPECT_EQ(bez(2 * 441 + 35, 0, 0), "KDD-K (S) DTC50");
  DLL_TBManagDirektBez(Kqkr, 0, 0, "KQRBNP PNBRQK", " (W)", " (B)");
  EXPECT_STREQ(Ausgabepuffer(), "KQ-KR (B) DTM");
  DLL_TBManagDirektBez(Kqkr, 1, 0, "K", nullptr, nullptr);
  EXPECT_STREQ(Ausgabepuffer(),
               "?"
               "?-K? DTM")
      << "letters missing from a short string";
  EXPECT_EQ(bez(3087, 1, 0), "?");
  EXPECT_EQ(bez(-1, 1, 0), "?");
}

// A side of three extents shows its highest status word and, while one
// extent is unchecked, no date.
TEST_F(TBManager, GeteilteSeiteZeigtIhrSchlechtestesExtent) {
  constexpr int32_t Krbkbn = 187;
  TBManagEintragSetzen(1, Krbkbn * 18 + 0, TBManagStatusIntakt, 946728000);
  TBManagEintragSetzen(1, Krbkbn * 18 + 1, TBManagStatusUnklar, 0);
  TBManagEintragSetzen(1, Krbkbn * 18 + 3, TBManagStatusFehlerhaft, 0);  // beyond the extents
  ASSERT_EQ(DLL_TBManagInit(6, 0, 0), 295);
  const int32_t e = Element(Krbkbn);
  EXPECT_EQ(Zeile(e, 1, -1), "KTL-KLS (W): \tfehlt \tunklar");
  EXPECT_EQ(Zeile(e, 1, 0, 1).substr(0, 29), "KTL-KLS (W): \tfehlt \tinteger\t");
  TBManagEintragSetzen(1, Krbkbn * 18 + 1, TBManagStatusIntakt, 946728000);
  TBManagEintragSetzen(1, Krbkbn * 18 + 2, TBManagStatusIntakt, 946728000);
  ASSERT_EQ(DLL_TBManagInit(6, 0, 0), 295);
  EXPECT_NE(Zeile(e, 1, -1).find("\tinteger\t("), std::string::npos) << "every extent passed";
}

// A worker thread that waits for the test to open the gate first.
std::thread ThreadHinterTor(void (*arbeit)()) {
  return std::thread([arbeit] {
    while (!tor.load()) std::this_thread::yield();
    arbeit();
  });
}

std::thread KeinThread(void (*)()) {
  throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
}

TEST_F(TBManager, WorkerHaeltNachDerLaufendenDatei) {
  ASSERT_EQ(DLL_TBManagInit(4, 0, 1), 2);
  tor = false;
  TBManagThreadFabrikSetzen(ThreadHinterTor);
  ASSERT_EQ(DLL_TBManagIntegerStart(2, 0, 0, 2), 0);
  EXPECT_EQ(DLL_TBManagIntegerStatus(), 0) << "running before the thread does anything";
  EXPECT_EQ(DLL_TBManagIntegerWert(), -3);
  EXPECT_EQ(DLL_TBManagIntegerStart(0, 1, 0, 1), -1) << "one worker at a time";
  DLL_TBManagIntegerStopp();
  tor = true;
  Warten();
  // The stop came before the first file: that one is checked, no other.
  EXPECT_EQ(DLL_TBManagIntegerWert(), 1);
  EXPECT_EQ(TBManagStatusLesen(1, Knkn * 18), TBManagStatusIntakt);
  EXPECT_EQ(TBManagStatusLesen(1, Kbnk * 18), 0);
  EXPECT_EQ(TBManagStatusLesen(0, Kbnk * 18), 0);

  TBManagThreadFabrikSetzen(KeinThread);
  EXPECT_EQ(DLL_TBManagIntegerStart(2, 0, 0, 2), -1);
  EXPECT_EQ(DLL_TBManagIntegerStatus(), -1) << "a failed start leaves the worker idle";
  TBManagThreadFabrikSetzen(nullptr);
  ASSERT_EQ(DLL_TBManagIntegerStart(2, 0, 0, 7), 0) << "an unknown mode does nothing";
  Warten();
  EXPECT_EQ(TBManagStatusLesen(1, Kbnk * 18), 0);
}

TEST_F(TBManager, DoppelcheckDerSelbstGebautenListe) {
  // A list built here is not the one the program comes with.
  EXPECT_EQ(DLL_TBManagMD5Doppelcheck(), 0);
  fs::remove(liste);
  EXPECT_EQ(DLL_TBManagMD5Doppelcheck(), -1);
}

}  // namespace
}  // namespace galdrik
