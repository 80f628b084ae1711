// The special database: the .tbx layout byte by byte, capacity, the loader's
// checks on foreign and damaged files, the exports' widening and index
// checks, and the collection under criteria 90..92 on the generated krk and
// kqk tables, whose moves are checked against the tables move by move.
#include "analysis/spezdb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <array>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "analysis/spezdb_exports.h"
#include "analysis/tbana_exports.h"
#include "analysis/tbanajob.h"
#include "analysis/vernetzung.h"
#include "analysis/tbana_bruteforce.h"
#include "analysis/tbanaschleife.h"
#include "analysis/tbtabellen.h"
#include "support/datei.h"
#include "tablebase/probe.h"
#include "tablebase/trie.h"

namespace galdrik::test {
namespace {

constexpr int K = Koenig, Q = Dame, R = Turm, P = Bauer;

// A .tbx file built by hand: codes, two zero bytes, u32 count, records.
std::string Tbx(std::array<int8_t, 6> codes, const std::vector<std::array<uint8_t, 16>>& rs,
                int32_t anzahl = -1) {
  std::string b(codes.begin(), codes.end());
  b += std::string(2, '\0');
  const auto n = static_cast<uint32_t>(anzahl < 0 ? static_cast<int32_t>(rs.size()) : anzahl);
  for (int i = 0; i < 4; ++i) b += static_cast<char>(n >> (8 * i));
  for (const auto& r : rs) b.append(reinterpret_cast<const char*>(r.data()), 16);
  return b;
}

// K, k and R in slots 3..5 on e1, e8, a1; White to move, rook to a7, wert
// 0x01020304 (little-endian), level 1.
constexpr std::array<int8_t, 6> KRK = {0, 0, 0, K, -K, R};
constexpr std::array<uint8_t, 16> Satz = {0, 0, 0, 4, 60, 0, 127, 1, 4, 3, 2, 1, 5, 48, 0, 1};

class SpezDB : public ::testing::Test {
 protected:
  void TearDown() override { SpezDBSchliessen(); }
  TempOrdner ordner;
  std::string Pfad(const char* name) { return (ordner.pfad() / name).string(); }
};

TEST_F(SpezDB, SchreibtDasFormatByteFuerByteUndLiestEsZurueck) {
  ASSERT_EQ(DLL_TBAnaSpezDB_DatenbankVorbereiten(4), 0);
  const int32_t codes[6] = {0, 0, 0, K, -K, R};
  SpezDBFigurcodesSetzen(codes);
  int32_t f[6] = {0, 0, 0, 4, 60, 0};
  const int32_t* z[6] = {&f[0], &f[1], &f[2], &f[3], &f[4], &f[5]};
  ASSERT_EQ(SpezDBElementHinzu(z, 127, 1, 0x01020304, 5, 48, 0), 0);
  f[5] = 7;
  ASSERT_EQ(SpezDBElementHinzu(z, 127, 0, -32760, 4, 59, 128), 0);
  const std::string pfad = Pfad("krk.tbx");
  ASSERT_EQ(DLL_TBAnaSpezDB_DatenbankFertig(pfad.c_str()), 0);
  auto zweiter = Satz;
  zweiter[5] = 7;
  zweiter[7] = 0;
  const uint32_t w = static_cast<uint32_t>(-32760);
  for (int i = 0; i < 4; ++i) zweiter[8 + i] = static_cast<uint8_t>(w >> (8 * i));
  zweiter[12] = 4, zweiter[13] = 59, zweiter[14] = 128;
  EXPECT_EQ(DateiInhalt(pfad), Tbx(KRK, {Satz, zweiter}));
  EXPECT_FALSE(std::filesystem::exists(pfad + ".tmp"));
  // Written: the records are gone, count and codes stay.
  int32_t c[6];
  EXPECT_EQ(DLL_TBAnaSpezDB_DatenbankGrundInfo(&c[0], &c[1], &c[2], &c[3], &c[4], &c[5]), 2);
  int32_t aus[13] = {};
  auto Element = [&](int32_t i) {
    return DLL_TBAnaSpezDB_DatenbankElement(i, &aus[0], &aus[1], &aus[2], &aus[3], &aus[4], &aus[5],
                                            &aus[6], &aus[7], &aus[8], &aus[9], &aus[10], &aus[11],
                                            &aus[12]);
  };
  EXPECT_EQ(Element(0), -1);
  // A second call finds nothing to write and leaves the file alone.
  EXPECT_EQ(DLL_TBAnaSpezDB_DatenbankFertig(pfad.c_str()), -3);
  EXPECT_EQ(DateiInhalt(pfad).size(), 12u + 2 * 16);

  ASSERT_EQ(DLL_TBAnaSpezDB_DatenbankLaden(pfad.c_str()), 0);
  EXPECT_EQ(DLL_TBAnaSpezDB_DatenbankGrundInfo(&c[0], &c[1], &c[2], &c[3], &c[4], &c[5]), 2);
  EXPECT_EQ((std::array<int32_t, 6>{c[0], c[1], c[2], c[3], c[4], c[5]}),
            (std::array<int32_t, 6>{0, 0, 0, K, -6, R}));  // byte 0xFA reads as -6
  ASSERT_EQ(Element(1), 0);
  EXPECT_EQ((std::array<int32_t, 13>{aus[0], aus[1], aus[2], aus[3], aus[4], aus[5], aus[6], aus[7],
                                     aus[8], aus[9], aus[10], aus[11], aus[12]}),
            (std::array<int32_t, 13>{0, 0, 0, 4, 60, 7, 127, 0, -32760, 1, 4, 59, -128}));
  for (int32_t i : {-1, 2}) {
    aus[0] = 99;
    EXPECT_EQ(Element(i), -1) << i;
    EXPECT_EQ(aus[0], 99) << "outs untouched";
  }
}

TEST_F(SpezDB, LeereDatenbankHatZwoelfBytes) {
  ASSERT_EQ(SpezDBVorbereiten(1), 0);
  const int32_t codes[6] = {0, 0, 0, K, -K, Q};
  SpezDBFigurcodesSetzen(codes);
  const std::string pfad = Pfad("leer.tbx");
  ASSERT_EQ(SpezDBSchreiben(pfad.c_str()), 0);
  EXPECT_EQ(DateiInhalt(pfad), Tbx({0, 0, 0, K, -K, Q}, {}));
  ASSERT_EQ(SpezDBLaden(pfad.c_str()), 0);
  EXPECT_EQ(SpezDBAnzahl(), 0);
  EXPECT_TRUE(SpezDBGeladen());
  EXPECT_EQ(SpezDBEintrag(0), nullptr);
}

TEST_F(SpezDB, KapazitaetBegrenztDieAnhaenge) {
  EXPECT_EQ(SpezDBVorbereiten(0), SpezDBFalscheGroesse);
  EXPECT_EQ(SpezDBVorbereiten(-5), SpezDBFalscheGroesse);
  // 16 n bytes past 2^31 must not wrap into a small allocation.
  EXPECT_EQ(SpezDBVorbereiten(SpezDBMaxKapazitaet + 1), SpezDBFalscheGroesse);
  EXPECT_EQ(SpezDBVorbereiten(2147483647), SpezDBFalscheGroesse);

  ASSERT_EQ(SpezDBVorbereiten(3), 0);
  int32_t f[6] = {0, 0, 0, 4, 60, 0};
  const int32_t* z[6] = {&f[0], &f[1], &f[2], &f[3], &f[4], &f[5]};
  EXPECT_EQ(SpezDBElementHinzu(z, 127, 1, 5, 5, 8, 0), 0);
  EXPECT_EQ(SpezDBElementHinzu(z, 127, 1, 6, 5, 8, 0), 0);
  EXPECT_EQ(SpezDBElementHinzu(z, 127, 1, 7, 5, 8, 0), SpezDBVoll);
  EXPECT_EQ(SpezDBElementHinzu(z, 127, 1, 8, 5, 8, 0), SpezDBVoll);
  EXPECT_EQ(SpezDBAnzahl(), 3);
  EXPECT_EQ(SpezDBEintrag(2)->wert, 7);
  EXPECT_EQ(SpezDBEintrag(2)->stufe, 1);
}

TEST_F(SpezDB, FertigOhneOrdnerBehaeltDieSaetze) {
  ASSERT_EQ(SpezDBVorbereiten(2), 0);
  const int32_t codes[6] = {0, 0, 0, K, -K, R};
  SpezDBFigurcodesSetzen(codes);
  int32_t f[6] = {0, 0, 0, 4, 60, 0};
  const int32_t* z[6] = {&f[0], &f[1], &f[2], &f[3], &f[4], &f[5]};
  SpezDBElementHinzu(z, 127, 1, 0x01020304, 5, 48, 0);
  EXPECT_EQ(DLL_TBAnaSpezDB_DatenbankFertig(Pfad("fehlt/krk.tbx").c_str()), -3);
  const std::string pfad = Pfad("krk.tbx");
  ASSERT_EQ(DLL_TBAnaSpezDB_DatenbankFertig(pfad.c_str()), 0);
  EXPECT_EQ(DateiInhalt(pfad), Tbx(KRK, {Satz}));
}

// Every damaged or foreign file is refused with -3 and leaves no database,
// not even the one held before.
TEST_F(SpezDB, LaderWeistFremdeUndBeschaedigteDateienAb) {
  auto Mit = [](int byte, uint8_t wert) {
    auto r = Satz;
    r[byte] = wert;
    return r;
  };
  const std::string gut = Tbx(KRK, {Satz, Satz});
  struct Fall {
    const char* name;
    std::string inhalt;
  };
  const std::vector<Fall> faelle = {
      {"leer", ""},
      {"kurzer Kopf", gut.substr(0, 11)},
      {"ein Byte zu wenig", gut.substr(0, gut.size() - 1)},
      {"ein Byte zu viel", gut + "x"},
      {"Zahl zu gross", Tbx(KRK, {Satz}, 2)},
      {"riesige Zahl", Tbx(KRK, {Satz}, 0x7FFFFFFF)},
      {"Code 7", Tbx({0, 0, 0, K, -K, 7}, {Satz})},
      {"zwei weisse Koenige", Tbx({0, 0, 0, K, -K, K}, {Satz})},
      {"kein schwarzer Koenig", Tbx({0, 0, 0, K, -R, R}, {Satz})},
      {"Feld 64", Tbx(KRK, {Mit(5, 64)})},
      {"leerer Slot auf Feld 255", Tbx(KRK, {Mit(0, 255)})},
      {"zwei Figuren auf einem Feld", Tbx(KRK, {Mit(5, 4)})},
      {"EP-Feld 99", Tbx(KRK, {Mit(6, 99)})},
      {"EP-Feld auf Reihe 4", Tbx(KRK, {Mit(6, 28)})},
      {"am Zug 2", Tbx(KRK, {Mit(7, 2)})},
      {"Zugfigur 6", Tbx(KRK, {Mit(12, 6)})},
      {"Zugfigur im leeren Slot", Tbx(KRK, {Mit(12, 1)})},
      {"Zugziel 64", Tbx(KRK, {Mit(13, 64)})},
      {"BMP-Kopf", std::string("BM\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00", 12)},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const std::string gutPfad = Pfad("gut.tbx");
    DateiSchreiben(gutPfad, gut);
    ASSERT_EQ(SpezDBLaden(gutPfad.c_str()), 0);
    ASSERT_EQ(SpezDBAnzahl(), 2);
    const std::string pfad = Pfad("fremd.tbx");
    DateiSchreiben(pfad, f.inhalt);
    EXPECT_EQ(DLL_TBAnaSpezDB_DatenbankLaden(pfad.c_str()), -3);
    EXPECT_EQ(SpezDBAnzahl(), 0);
    EXPECT_FALSE(SpezDBGeladen());
    EXPECT_EQ(SpezDBEintrag(0), nullptr);
  }
  EXPECT_EQ(DLL_TBAnaSpezDB_DatenbankLaden(Pfad("gibtsnicht.tbx").c_str()), -3);
  EXPECT_EQ(DLL_TBAnaSpezDB_DatenbankLaden(nullptr), -3);
}

// Collection on generated tables: criteria 90..92 without any position
// condition still keep exactly the positions with a single best move, each
// with that move. (With White to move krk and kqk have none: a win there
// always has a second winning move.)
class SpezDBSammlung
    : public SpezDB,
      public ::testing::WithParamInterface<std::tuple<const char*, int32_t, int32_t>> {
 protected:
  void SetUp() override {
    if (!DTMTabellenAnmelden()) GTEST_SKIP() << "built without the generated tables";
  }
};

Stellung AusEintrag(const TBAnaEintrag& r, const int32_t* codes) {
  Slots p;
  for (int k = 0; k < 6; ++k) p.fig[k] = static_cast<int8_t>(codes[k]), p.feld[k] = r.feld[k];
  p.amZug = r.amZug;
  p.ep = r.epFeld;
  return p.AlsStellung();
}

TEST_P(SpezDBSammlung, SpeichertDenEinzigenBestenZugNachDerTabelle) {
  const auto [name, kriterium, amZug] = GetParam();
  const std::string klasse(name, 3);
  const int8_t figur = klasse == "krk" ? R : klasse == "kqk" ? Q : P;
  const Bitboard koenig = figur == P ? LinienAD : Dreieck;
  std::vector<int32_t> m(SuchmaskeLaenge, 0);
  const std::array<int8_t, 6> slots = {0, 0, 0, K, -K, figur};
  for (int k = 0; k < 6; ++k) {
    m[MaskeFiguren + k] = slots[5 - k];
    m[MaskeBezug + k] = -1;
    for (int s = 0; s < 64; ++s)
      m[MaskeFelder + 64 * k + s] = slots[5 - k] != K || (koenig >> s & 1) ? 1 : -1;
    for (int c = 0; c < GitterZellen; ++c) m[MaskeGitter + GitterZellen * k + c] = -1;
  }
  m[MaskeSeite] = amZug;
  m[MaskeBedingung] = BedingungKeine;
  m[MaskeVon] = m[MaskeNach] = LoesungFeldBeliebig;
  ASSERT_NE(TbFindByName(klasse.c_str()), 0);

  auto z = std::make_unique<TBAnaZustand>();
  std::vector<TBAnaEintrag> puffer(ErgebnisPlaetze);
  z->ergebnisse = puffer.data();
  TBAnaZaehlerLoeschen(*z);
  ASSERT_EQ(SpezDBVorbereiten(100000), 0);
  TBZugangTabellen tb;
  TBAnaKriterien bibliothek;  // the default hand-over into the library's database
  ASSERT_EQ(TBAnaSchleife(ParameterblockBauen(m.data()), kriterium, *z, tb, &bibliothek),
            SchleifeFertig);
  const int32_t n = SpezDBAnzahl();
  ASSERT_GT(n, 0);
  EXPECT_EQ(static_cast<uint64_t>(n), z->treffer.load());
  EXPECT_EQ((std::vector<int32_t>(SpezDBFigurcodes(), SpezDBFigurcodes() + 6)),
            (std::vector<int32_t>{0, 0, 0, K, -K, figur}));

  // The plain analysis under the single-best-move condition finds the same
  // positions (then filtered by the criterion).
  Durchlauf d;
  d.klasse = slots;
  d.weissKoenig = koenig;
  d.amZug = amZug;
  d.bedingung = BedingungEinzigerLoesungszug;
  auto Probe = [](const Stellung& st) { return TBProbe(st, 0); };
  const Erwartet soll = PlainAnalysis(d, Probe);
  std::vector<std::array<uint8_t, 8>> erwartet, gesammelt;
  for (const TBAnaEintrag& r : soll.eintraege) {
    if (kriterium == KriteriumSpezDBGewinn && r.wert <= 0) continue;
    if (kriterium == KriteriumSpezDBRemis && r.wert != 0) continue;
    std::array<uint8_t, 8> k;
    std::memcpy(k.data(), &r, 8);
    erwartet.push_back(k);
  }
  const int32_t* codes = SpezDBFigurcodes();
  for (int32_t i = 0; i < n; ++i) {
    const TBAnaEintrag& r = *SpezDBEintrag(i);
    std::array<uint8_t, 8> k;
    std::memcpy(k.data(), &r, 8);
    gesammelt.push_back(k);
    ASSERT_EQ(r.stufe, 1);
    ASSERT_EQ(r.epFeld, 127);
    if (kriterium == KriteriumSpezDBGewinn) {
      ASSERT_GT(r.wert, 0);
    }
    if (kriterium == KriteriumSpezDBRemis) {
      ASSERT_EQ(r.wert, 0);
    }
    // The move, checked against the table: the only successor of value -v.
    const Stellung st = AusEintrag(r, codes);
    ASSERT_EQ(TBProbe(st, 0), r.wert);
    Zugliste zl;
    ZugGenerator(st, GenAlleZuege, zl);
    int beste = 0;
    Zug bester{};
    for (int j = 0; j < zl.anzahl; ++j) {
      const Stellung nach = ZugAusfuehren(st, zl.zuege[j], 1);
      if (NachfolgerWert(nach, Probe) == -r.wert) ++beste, bester = zl.zuege[j];
    }
    ASSERT_EQ(beste, 1) << "record " << i;
    ASSERT_EQ(bester.von, r.feld[r.zugFigur]) << "record " << i;
    ASSERT_EQ(bester.nach, r.zugZiel) << "record " << i;
    const bool umwandlung = bester.figur == P && (bester.nach < 8 || bester.nach >= 56);
    ASSERT_EQ((r.zugArt & ZugFlagSchlag) != 0, bester.geschlagen != 0);
    ASSERT_EQ(r.zugArt >= ZugFlagUmwSpringer, umwandlung);
  }
  std::sort(erwartet.begin(), erwartet.end());
  std::sort(gesammelt.begin(), gesammelt.end());
  EXPECT_EQ(gesammelt, erwartet);
}

INSTANTIATE_TEST_SUITE_P(Tabellen, SpezDBSammlung,
                         ::testing::Values(std::tuple{"krk_b_remis", 92, 0},
                                           std::tuple{"kqk_b_alle", 90, 0},
                                           std::tuple{"kpk_w_gewinn", 91, 1},
                                           std::tuple{"kpk_w_alle", 90, 1}),
                         [](const auto& p) { return std::string(std::get<0>(p.param)); });

// The program's road: prepare, run the analysis job with criterion 92,
// write the file, link it, load it for the browser.
TEST_F(SpezDBSammlung, AnalyseJobFuelltDieDatenbank) {
  ASSERT_EQ(DLL_TBAnaPrep(), 0);
  std::vector<int32_t> m(SuchmaskeLaenge, 0);
  const std::array<int8_t, 6> maske = {R, -K, K, 0, 0, 0};  // the mask's order
  for (int k = 0; k < 6; ++k) {
    m[MaskeFiguren + k] = maske[k];
    m[MaskeBezug + k] = -1;
    for (int s = 0; s < 64; ++s)
      m[MaskeFelder + 64 * k + s] = maske[k] != K || (Dreieck >> s & 1) ? 1 : -1;
    for (int c = 0; c < GitterZellen; ++c) m[MaskeGitter + GitterZellen * k + c] = -1;
  }
  m[MaskeSeite] = 0;
  m[MaskeVon] = m[MaskeNach] = LoesungFeldBeliebig;
  m[MaskeGewaehlterSlot] = -1;
  DLL_TBAnaSetPos(m.data(), KriteriumSpezDBRemis);
  ASSERT_EQ(DLL_TBAnaSpezDB_DatenbankVorbereiten(1000000), 0);
  ASSERT_EQ(DLL_TBAnaStart(), 0);
  while (DLL_TBAnaStatus() == 1) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  const std::string pfad = Pfad("krk.tbx");
  ASSERT_EQ(DLL_TBAnaSpezDB_DatenbankFertig(pfad.c_str()), 0);
  TBAnaBeenden();
  DLL_TBAnaPost();
  const int32_t n = SpezDBAnzahl();
  EXPECT_GT(n, 0);
  EXPECT_EQ(DateiInhalt(pfad).size(), SpezDBKopfBytes + 16 * static_cast<size_t>(n));

  ASSERT_EQ(DLL_TBAnaSpezDB_VernetzungStart(pfad.c_str(), 1024, 1), 0);
  for (int i = 0; i < 4000 && VernetzungLaeuft(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_EQ(DLL_TBAnaSpezDB_VernetzungStatus(), -1);

  ASSERT_EQ(DLL_TBAnaSpezDB_DatenbankLaden(pfad.c_str()), 0);
  int32_t c[6];
  EXPECT_EQ(DLL_TBAnaSpezDB_DatenbankGrundInfo(&c[0], &c[1], &c[2], &c[3], &c[4], &c[5]), n);
  EXPECT_EQ((std::array<int32_t, 6>{c[0], c[1], c[2], c[3], c[4], c[5]}),
            (std::array<int32_t, 6>{0, 0, 0, K, -K, R}));
  for (int32_t i = 0; i < n; ++i) {
    ASSERT_EQ(SpezDBEintrag(i)->wert, 0);
    // Black's only drawing move takes the rook: a capture, never followed.
    ASSERT_EQ(SpezDBEintrag(i)->zugArt, ZugFlagSchlag);
    ASSERT_EQ(SpezDBEintrag(i)->stufe, 1);
  }
}

// The linking of a collected kpk database against a plain oracle: the
// links found with the engine's own move generator and a map of the
// records, then levels as one more than the longest chain of links (at
// most 49), computed round by round over the whole graph.
TEST_F(SpezDBSammlung, VernetzungWieDieLaengstenKetten) {
  std::vector<int32_t> m(SuchmaskeLaenge, 0);
  const std::array<int8_t, 6> slots = {0, 0, 0, K, -K, P};
  for (int k = 0; k < 6; ++k) {
    m[MaskeFiguren + k] = slots[5 - k];
    m[MaskeBezug + k] = -1;
    for (int s = 0; s < 64; ++s)
      m[MaskeFelder + 64 * k + s] = slots[5 - k] != K || (LinienAD >> s & 1) ? 1 : -1;
    for (int c = 0; c < GitterZellen; ++c) m[MaskeGitter + GitterZellen * k + c] = -1;
  }
  m[MaskeSeite] = 1;
  m[MaskeVon] = m[MaskeNach] = LoesungFeldBeliebig;
  auto z = std::make_unique<TBAnaZustand>();
  std::vector<TBAnaEintrag> puffer(ErgebnisPlaetze);
  z->ergebnisse = puffer.data();
  TBAnaZaehlerLoeschen(*z);
  ASSERT_EQ(SpezDBVorbereiten(100000), 0);
  TBZugangTabellen tb;
  TBAnaKriterien bibliothek;
  ASSERT_EQ(TBAnaSchleife(ParameterblockBauen(m.data()), KriteriumSpezDBAlle, *z, tb, &bibliothek),
            SchleifeFertig);
  const int32_t n = SpezDBAnzahl();
  ASSERT_GT(n, 0);
  std::vector<TBAnaEintrag> saetze(SpezDBEintrag(0), SpezDBEintrag(0) + n);
  const std::string pfad = Pfad("kpk.tbx");
  ASSERT_EQ(SpezDBSchreiben(pfad.c_str()), 0);
  ASSERT_EQ(SpezDBVernetzen(pfad.c_str(), 1024, false), 0);
  ASSERT_EQ(SpezDBLaden(pfad.c_str()), 0);
  ASSERT_EQ(SpezDBAnzahl(), n);

  std::map<std::array<uint8_t, 8>, int32_t> index;
  for (int32_t i = 0; i < n; ++i) {
    std::array<uint8_t, 8> k;
    std::memcpy(k.data(), &saetze[i], 8);
    index.emplace(k, i);
  }
  const int32_t codes[6] = {0, 0, 0, K, -K, P};
  std::vector<std::vector<int32_t>> kanten(n);
  for (int32_t i = 0; i < n; ++i) {
    const TBAnaEintrag& r = saetze[i];
    if (r.zugArt != 0 && r.zugArt != 4) continue;
    const Stellung st = AusEintrag(r, codes);
    Zugliste zl;
    ZugGenerator(st, GenAlleZuege, zl);
    const Zug* zug = nullptr;
    for (int j = 0; j < zl.anzahl; ++j)
      if (zl.zuege[j].von == r.feld[r.zugFigur] && zl.zuege[j].nach == r.zugZiel)
        zug = &zl.zuege[j];
    ASSERT_NE(zug, nullptr);
    const Stellung nach = ZugAusfuehren(st, *zug, 1);
    Zugliste antworten;
    ZugGenerator(nach, GenAlleZuege, antworten);
    for (int j = 0; j < antworten.anzahl; ++j) {
      const Zug& a = antworten.zuege[j];
      if (a.geschlagen != 0 || IstUmwandlung(a)) continue;
      const Stellung s = ZugAusfuehren(nach, a, 1);
      std::array<uint8_t, 8> k = {
          0, 0, 0, s.koenigW, s.koenigS, static_cast<uint8_t>(ErstesBit(s.bauern)), 127, 1};
      if (Linie(k[3]) >= 4)
        for (int x = 3; x < 6; ++x) k[x] ^= 7;
      const auto gefunden = index.find(k);
      if (gefunden == index.end()) continue;
      if (r.wert != 0 || saetze[gefunden->second].wert == 0) kanten[i].push_back(gefunden->second);
    }
  }
  std::vector<int> laenge(n, 0);
  for (int runde = 0; runde < 49; ++runde) {
    std::vector<int> neu(n, 0);
    for (int32_t i = 0; i < n; ++i)
      for (int32_t s : kanten[i]) neu[i] = std::max(neu[i], 1 + laenge[s]);
    laenge = neu;
  }
  int hoechste = 0;
  for (int32_t i = 0; i < n; ++i) {
    ASSERT_EQ(SpezDBEintrag(i)->stufe, 1 + laenge[i]) << "record " << i;
    ASSERT_EQ(0, std::memcmp(SpezDBEintrag(i), &saetze[i], 15)) << "only the level changes";
    hoechste = std::max(hoechste, 1 + laenge[i]);
  }
  EXPECT_GT(hoechste, 2);
}

}  // namespace
}  // namespace galdrik::test
