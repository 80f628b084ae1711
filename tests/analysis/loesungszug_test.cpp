// The solution-move test against a tablebase stand-in that answers fixed
// values for named successors: unique best moves, second best and slower
// wins, single legal moves, bare kings, missing classes, the kinds of the
// determined move and the flag tests.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "analysis/loesungszug.h"
#include "analysis/slots.h"

namespace galdrik::test {
namespace {

constexpr int32_t Gewinn(int d) { return 32767 - d; }
constexpr int32_t Verlust(int d) { return d - 32766; }

using Zaehler = std::array<int32_t, 10>;

// 64 letters a1..h8 ('.' empty), then the en-passant square.
std::string Brettkette(const int8_t* codes, int32_t* const* felder, int32_t ep) {
  std::string b(64, '.');
  for (int k = 0; k < 6; ++k)
    if (codes[k]) {
      const char c = "pnbrqk"[std::abs(codes[k]) - 1];
      b[*felder[k]] = codes[k] > 0 ? static_cast<char>(std::toupper(c)) : c;
    }
  return b + "/" + std::to_string(ep < 64 ? ep : 127);
}

// The board after a move such as "e7e8q", built plainly: the man on the
// from-square goes to the to-square, whatever stands there goes, a pawn
// moving diagonally onto an empty square takes the pawn behind it, a
// double step beside an opposing pawn leaves its en-passant square.
std::string Nach(const Slots& p, const std::string& zug) {
  Slots s = p;
  const int von = Feld(zug.substr(0, 2).c_str()), nach = Feld(zug.substr(2, 2).c_str());
  int k = 0;
  while (s.fig[k] == 0 || s.feld[k] != von) ++k;
  bool geschlagen = false;
  for (int j = 0; j < 6; ++j)
    if (j != k && s.fig[j] && s.feld[j] == nach) s.fig[j] = 0, geschlagen = true;
  int32_t ep = 127;
  if (std::abs(s.fig[k]) == Bauer) {
    if ((von & 7) != (nach & 7) && !geschlagen) {
      const int opfer = (von & 56) | (nach & 7);
      for (int j = 0; j < 6; ++j)
        if (s.fig[j] == -s.fig[k] && s.feld[j] == opfer) s.fig[j] = 0;
    }
    if (std::abs(nach - von) == 16)
      for (int j = 0; j < 6; ++j)
        if (s.fig[j] == -s.fig[k] && (s.feld[j] >> 3) == (nach >> 3) &&
            std::abs((s.feld[j] & 7) - (nach & 7)) == 1)
          ep = (von + nach) / 2;
    if (zug.size() > 4) {
      const int t = static_cast<int>(std::string("pnbrqk").find(zug[4])) + 1;
      s.fig[k] = static_cast<int8_t>(s.fig[k] > 0 ? t : -t);
    }
  }
  s.feld[k] = nach;
  auto z = s.Zeiger();
  return Brettkette(s.fig.data(), z.data(), ep);
}

Zaehler ZaehlerVon(const Slots& p) {
  Zaehler z{};
  for (int k = 0; k < 6; ++k)
    if (ZaehlerIndex(p.fig[k]) >= 0) ++z[ZaehlerIndex(p.fig[k])];
  return z;
}

// Answers the listed successors with their values and every other one with
// a value that is never best (the opponent wins). Every class exists as
// table 5 unless listed missing; every file is registered unless listed.
class TBAttrappe : public TBZugang {
 public:
  std::map<std::string, int32_t> werte;
  int32_t standard = Gewinn(20);
  std::set<Zaehler> fehlendeKlassen;
  std::set<Zaehler> umgekehrteKlassen;  // stored with the colours reversed
  std::set<int32_t> nichtRegistriert;   // working indices
  int32_t metrik = 2;
  struct Aufruf {
    int32_t index, seite;
    bool umgekehrt;
    std::string brett;
  };
  mutable std::vector<Aufruf> aufrufe;
  mutable std::vector<Zaehler> klassenFragen;

  int32_t KlasseSuchen(const int32_t z[10]) const override {
    Zaehler a;
    std::copy(z, z + 10, a.begin());
    klassenFragen.push_back(a);
    if (fehlendeKlassen.count(a)) return 0;
    return umgekehrteKlassen.count(a) ? -5 : 5;
  }
  int32_t Metrik() const override { return metrik; }
  bool Registriert(int32_t index, int32_t) const override { return !nichtRegistriert.count(index); }
  int32_t Wert(int32_t index, int32_t seite, bool umgekehrt, const int8_t* codes,
               int32_t* const* felder, int32_t ep) const override {
    const std::string b = Brettkette(codes, felder, ep);
    aufrufe.push_back({index, seite, umgekehrt, b});
    const auto it = werte.find(b);
    return it == werte.end() ? standard : it->second;
  }
};

constexpr uint32_t Art3 = 3;

struct Fall {
  const char* name;
  const char* stellung;
  int32_t v;
  uint32_t schluessel;
  std::vector<std::pair<std::string, int32_t>> werte;  // successor by move -> value
  bool erwartet;
  std::string loesung = "";  // "from to:flags" when expected yes
  int untersucht = -1;       // probes expected, -1 unchecked
  std::function<void(const Slots&, TBAttrappe&)> vorher = nullptr;
};

void Pruefen(const Fall& f) {
  SCOPED_TRACE(f.name);
  Slots p = SlotsAus(f.stellung);
  const Slots original = p;
  TBAttrappe tb;
  for (const auto& [zug, wert] : f.werte) tb.werte[Nach(p, zug)] = wert;
  if (f.vorher) f.vorher(p, tb);
  const Zaehler z = ZaehlerVon(p);
  auto zeiger = p.Zeiger();
  uint64_t untersucht = 1000;
  Loesungszug l;
  const bool ja = TBAnaLoesungszugTest(p.fig.data(), zeiger.data(), p.ep, p.amZug, f.v, z.data(),
                                       false, 7 + 441 * 2, f.schluessel, tb, untersucht, l);
  EXPECT_EQ(ja, f.erwartet);
  EXPECT_EQ(untersucht - 1000, tb.aufrufe.size());
  if (f.untersucht >= 0) {
    EXPECT_EQ(untersucht - 1000, static_cast<uint64_t>(f.untersucht));
  }
  if (ja && !f.loesung.empty()) {
    const std::string name = {static_cast<char>('a' + (p.feld[l.slot] & 7)),
                              static_cast<char>('1' + (p.feld[l.slot] >> 3)),
                              static_cast<char>('a' + (l.ziel & 7)),
                              static_cast<char>('1' + (l.ziel >> 3))};
    EXPECT_EQ(name + ":" + std::to_string(l.flags), f.loesung);
  }
  EXPECT_EQ(p.fig, original.fig);
  EXPECT_EQ(p.feld, original.feld);
}

// A setup's option bytes turned into the key, as the analysis builds it.
uint32_t Schluessel(int art, int flags, int typ = 0, int von = 64, int nach = 64, int umw = 0) {
  TBAnaParameterblock b{};
  b.loesungsart = static_cast<uint8_t>(art);
  b.zugFlags = static_cast<uint8_t>(flags);
  b.figurTyp = static_cast<uint8_t>(typ);
  b.von = static_cast<uint8_t>(von);
  b.nach = static_cast<uint8_t>(nach);
  b.umwandlung = static_cast<uint8_t>(umw);
  return LoesungsSchluessel(b);
}

TEST(LoesungsSchluessel, PacktDieOptionsbytes) {
  EXPECT_EQ(Schluessel(1, 0b1010, 4, 7, 55),
            (0b1010u << 26) | (55u << 19) | (7u << 12) | (4u << 8) | 1u);
  EXPECT_EQ(Schluessel(2, 0b0001, 0, 64, 64, 128 + 16), (1u << 26) | (144u << 8) | 2u);
  EXPECT_EQ(Schluessel(5, 0xFF), (15u << 26) | 5u);  // only four flag bits
  EXPECT_EQ(Schluessel(0, 15), 0u);
  EXPECT_EQ(Schluessel(6, 15), 0u);
}

// A rook ending where h1h7 wins fastest, and a position with one legal move.
const char* const TurmEndspiel = "6k1/8/8/8/8/8/8/K6R w -";
const char* const EinZug = "k7/8/2K5/8/8/8/8/1R6 b -";
// Kb1 loses, Kxd2 leaves bare kings.
const char* const Nackt = "8/8/8/8/8/8/3r4/2K4k w -";
// Qe8 is best; Kxd2 leads to another class.
const char* const Andere = "7k/8/8/8/Q7/8/3r4/2K5 w -";
const char* const Umwandlung = "8/4P2k/8/8/8/8/8/K7 w -";

TEST(TBAnaLoesungszugTest, EinzigerBesterZug) {
  const std::vector<Fall> faelle = {
      {"a lost position never passes", TurmEndspiel, Verlust(3), Art3, {}, false, "", 0},
      {"one drawing move, none wins",
       "7k/8/8/8/8/8/8/K6R b -",
       0,
       0,
       {{"h8g7", 0}},
       true,
       "h8g7:0",
       2},
      {"two drawing moves", "7k/8/8/8/8/8/8/K6R b -", 0, 0, {{"h8g7", 0}, {"h8g8", 0}}, false},
      {"the unique fastest win",
       TurmEndspiel,
       Gewinn(5),
       0,
       {{"h1h7", Verlust(4)}, {"a1a2", 0}},
       true,
       "h1h7:0"},
      {"a second, slower win",
       TurmEndspiel,
       Gewinn(5),
       0,
       {{"h1h7", Verlust(4)}, {"a1b1", Verlust(6)}},
       false},
      {"two fastest wins",
       TurmEndspiel,
       Gewinn(5),
       0,
       {{"h1h7", Verlust(4)}, {"h1h6", Verlust(4)}},
       false},
      {"no move reaches the value", TurmEndspiel, Gewinn(5), 0, {{"h1h7", Verlust(2)}}, false},
      {"a single legal move needs no probe", EinZug, 0, Art3, {}, true, "a8a7:0", 0},
      {"... unless it must not be the only move",
       EinZug,
       0,
       Art3 | SchluesselNichtEinzigerZug,
       {},
       false,
       "",
       0},
      {"the only drawing move takes the last man", Nackt, 0, Art3, {}, true, "c1d2:2", 1},
      {"no capture wanted", Nackt, 0, Art3 | SchluesselKeinSchlag, {}, false},
      {"bad captures wanted, none besides the solution",
       Nackt,
       0,
       Art3 | SchluesselSchlechteSchlaege,
       {},
       false},
      {"a capture into a registered class",
       Andere,
       Gewinn(10),
       Art3 | SchluesselSchlechteSchlaege,
       {{"a4e8", Verlust(9)}},
       true,
       "a4e8:0"},
      {"a capture into a missing class leaves it undecided",
       Andere,
       Gewinn(10),
       0,
       {{"a4e8", Verlust(9)}},
       false,
       "",
       -1,
       [](const Slots&, TBAttrappe& tb) {
         tb.fehlendeKlassen.insert({0, 0, 0, 0, 1, 0, 0, 0, 0, 0});
       }},
      {"a capture into an unregistered file leaves it undecided",
       Andere,
       Gewinn(10),
       0,
       {{"a4e8", Verlust(9)}},
       false,
       "",
       -1,
       [](const Slots&, TBAttrappe& tb) { tb.nichtRegistriert.insert(5 + 441 * 2); }},
      {"an unreadable quiet successor leaves it undecided",
       TurmEndspiel,
       Gewinn(5),
       0,
       {{"h1h7", Verlust(4)}, {"a1b1", 32767}},
       false},
      {"in check, not wanted",
       "7k/8/8/8/8/8/8/K4R1R b -",
       0,
       Art3 | SchluesselNichtImSchach,
       {{"h8g7", 0}},
       false},
      {"in check, allowed", "7k/8/8/8/8/8/8/K4R1R b -", 0, Art3, {{"h8g7", 0}}, true, "h8g7:0"},
      {"the double step's successor has its en-passant square",
       "7k/8/8/8/4p3/8/3P4/3K4 w -",
       0,
       0,
       {{"d2d4", 0}},
       true,
       "d2d4:4"},
  };
  for (const Fall& f : faelle) Pruefen(f);
}

TEST(TBAnaLoesungszugTest, UmwandlungUndFigurArt) {
  // The promotion's successor: the queen on e8 in class KQK.
  Slots p = SlotsAus(Umwandlung);
  TBAttrappe tb;
  tb.werte[Nach(p, "e7e8q")] = Verlust(2);
  auto zeiger = p.Zeiger();
  const Zaehler z = ZaehlerVon(p);
  uint64_t n = 0;
  Loesungszug l;
  auto Pruefe = [&](uint32_t schluessel) {
    tb.aufrufe.clear();
    tb.klassenFragen.clear();
    return TBAnaLoesungszugTest(p.fig.data(), zeiger.data(), p.ep, 1, Gewinn(3), z.data(), false, 9,
                                schluessel, tb, n, l);
  };
  EXPECT_TRUE(Pruefe(Schluessel(2, 0, 0, 64, 64, 128)));
  EXPECT_EQ(l.flags, ZugFlagUmwDame);
  bool dameGefragt = false;
  for (const Zaehler& k : tb.klassenFragen)
    dameGefragt |= k == Zaehler{0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
  EXPECT_TRUE(dameGefragt);
  for (const auto& a : tb.aufrufe) {
    if (a.brett == Nach(p, "e7e8q")) {
      EXPECT_EQ(a.index, 5 + 441 * 2);
    }
  }
  EXPECT_TRUE(Pruefe(Schluessel(2, 0, 0, 64, 64, 16 + 128)));
  EXPECT_FALSE(Pruefe(Schluessel(2, 0, 0, 64, 64, 16)));  // only a knight allowed
  EXPECT_FALSE(Pruefe(Schluessel(2, 0, 0, 64, 64, 0)));   // nothing allowed

  // Kind 1 on the rook ending: type, from and to.
  Slots t = SlotsAus(TurmEndspiel);
  TBAttrappe tt;
  tt.werte[Nach(t, "h1h7")] = Verlust(4);
  auto tz = t.Zeiger();
  const Zaehler tzl = ZaehlerVon(t);
  auto Art1 = [&](int typ, int von, int nach) {
    return TBAnaLoesungszugTest(t.fig.data(), tz.data(), t.ep, 1, Gewinn(5), tzl.data(), false, 9,
                                Schluessel(1, 0, typ, von, nach), tt, n, l);
  };
  EXPECT_FALSE(Art1(0, 64, 64));  // type 0 never matches
  EXPECT_TRUE(Art1(galdrik::Turm, 64, 64));
  EXPECT_FALSE(Art1(Koenig, 64, 64));
  EXPECT_TRUE(Art1(galdrik::Turm, 7, 55));
  EXPECT_FALSE(Art1(galdrik::Turm, 7, 47));
  EXPECT_FALSE(Art1(galdrik::Turm, 6, 64));
  EXPECT_TRUE(Art1(galdrik::Turm, 100, 127));  // 64 or more: any square
}

TEST(TBAnaLoesungszugTest, KoenigsArten) {
  struct {
    const char* name;
    const char* stellung;
    const char* zug;
    uint32_t art;
    bool erwartet;
  } const faelle[] = {
      // One black pawn on h7: every square but a1 scores below 0, so the
      // best step is measured against the king's own square.
      {"away from the pawn", "k7/7p/8/8/4K3/8/8/8 w -", "e4d3", 4, true},
      {"not the farthest step", "k7/7p/8/8/4K3/8/8/8 w -", "e4e3", 4, false},
      {"a rook move is no king move", "k7/7p/8/8/4K3/8/8/7R w -", "h1h2", 4, false},
      {"leaves the pawn's square", "k7/8/8/8/2p3K1/8/8/8 w -", "g4h4", 5, true},
      {"stays in the pawn's square", "k7/8/8/8/2p3K1/8/8/8 w -", "g4g5", 5, false},
      {"the pawn is stopped: no passed pawn", "k7/8/8/8/2p3K1/8/1P6/8 w -", "g4h4", 5, false},
      {"black king leaves a white pawn's square", "8/8/8/1k3P2/8/8/8/K7 b -", "b5a5", 5, true},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Slots p = SlotsAus(f.stellung);
    TBAttrappe tb;
    tb.werte[Nach(p, f.zug)] = 0;
    auto zeiger = p.Zeiger();
    const Zaehler z = ZaehlerVon(p);
    uint64_t n = 0;
    Loesungszug l;
    EXPECT_EQ(TBAnaLoesungszugTest(p.fig.data(), zeiger.data(), p.ep, p.amZug, 0, z.data(), false,
                                   9, f.art, tb, n, l),
              f.erwartet);
  }
}

TEST(TBAnaLoesungszugTest, UmgekehrteKlasseFragtDieAndereSeite) {
  for (const bool umgekehrt : {false, true}) {
    for (const char* stellung : {"7k/8/8/8/8/8/8/K6R b -", "7k/8/8/8/8/8/8/K5R1 w -"}) {
      SCOPED_TRACE(stellung);
      Slots p = SlotsAus(stellung);
      TBAttrappe tb;
      auto zeiger = p.Zeiger();
      const Zaehler z = ZaehlerVon(p);
      uint64_t n = 0;
      Loesungszug l;
      TBAnaLoesungszugTest(p.fig.data(), zeiger.data(), p.ep, p.amZug, 0, z.data(), umgekehrt, 9, 0,
                           tb, n, l);
      ASSERT_FALSE(tb.aufrufe.empty());
      // The successor has the other side to move: Black's file after a
      // White move, and the other file for a reversed class.
      const int32_t erwartet = (p.amZug == 1) != umgekehrt ? 1 : 0;
      for (const auto& a : tb.aufrufe) {
        EXPECT_EQ(a.seite, erwartet);
        EXPECT_EQ(a.umgekehrt, umgekehrt);
        EXPECT_EQ(a.index, 9);
      }
    }
  }
}

TEST(TBAnaLoesungszugTest, SchlagInUmgekehrteKlasse) {
  // Kxd2 leads to KQK, which the stand-in stores with the colours reversed:
  // probed in White's file with the lists exchanged; the quiet moves stay in
  // Black's file of the class's own table.
  Slots p = SlotsAus(Andere);
  TBAttrappe tb;
  tb.umgekehrteKlassen.insert({0, 0, 0, 0, 1, 0, 0, 0, 0, 0});
  auto zeiger = p.Zeiger();
  const Zaehler z = ZaehlerVon(p);
  uint64_t n = 0;
  Loesungszug l;
  TBAnaLoesungszugTest(p.fig.data(), zeiger.data(), p.ep, 1, Gewinn(10), z.data(), false, 9, 0, tb,
                       n, l);
  int schlaege = 0;
  for (const auto& a : tb.aufrufe) {
    const bool schlag = a.brett == Nach(p, "c1d2");
    schlaege += schlag;
    EXPECT_EQ(a.umgekehrt, schlag);
    EXPECT_EQ(a.seite, schlag ? 0 : 1);
    EXPECT_EQ(a.index, schlag ? 5 + 441 * 2 : 9);
  }
  EXPECT_EQ(schlaege, 1);
}

}  // namespace
}  // namespace galdrik::test
