// Retrograde solver of the tablebase generator. Each table is solved in two
// steps: a forward pass over every node counts the moves that stay in the
// table and takes the best value among the moves that leave it (captures,
// promotions; in DTZ also pawn moves), read from tables solved before; then
// the values spread backwards ply by ply through the un-moves.
#include "tbgen/retro.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdio>
#include <stdexcept>
#include <thread>

namespace tbgen {

namespace {

using Bits = uint64_t;

constexpr Bits Bit(int s) { return Bits{1} << s; }

struct Geometrie {
  Bits springer[64];
  Bits koenig[64];
  Bits bauer[2][64];  // squares a pawn attacks: [0] White, [1] Black
  Bits zwischen[64][64];
  uint8_t richtung[64][64];  // 1 orthogonal, 2 diagonal, 0 none

  Geometrie() {
    for (int s = 0; s < 64; ++s) {
      int f = s & 7, r = s >> 3;
      springer[s] = koenig[s] = bauer[0][s] = bauer[1][s] = 0;
      static const int sp[8][2] = {{1, 2},   {2, 1},   {2, -1}, {1, -2},
                                   {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
      for (auto& d : sp) {
        int ff = f + d[0], rr = r + d[1];
        if (ff >= 0 && ff < 8 && rr >= 0 && rr < 8) springer[s] |= Bit(rr * 8 + ff);
      }
      for (int df = -1; df <= 1; ++df)
        for (int dr = -1; dr <= 1; ++dr) {
          int ff = f + df, rr = r + dr;
          if ((df || dr) && ff >= 0 && ff < 8 && rr >= 0 && rr < 8) koenig[s] |= Bit(rr * 8 + ff);
        }
      for (int df = -1; df <= 1; df += 2) {
        int ff = f + df;
        if (ff < 0 || ff > 7) continue;
        if (r < 7) bauer[0][s] |= Bit((r + 1) * 8 + ff);
        if (r > 0) bauer[1][s] |= Bit((r - 1) * 8 + ff);
      }
      for (int z = 0; z < 64; ++z) {
        zwischen[s][z] = 0;
        richtung[s][z] = 0;
      }
    }
    static const int dirs[8][2] = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},
                                   {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    for (int s = 0; s < 64; ++s)
      for (int d = 0; d < 8; ++d) {
        Bits weg = 0;
        int ff = (s & 7) + dirs[d][0], rr = (s >> 3) + dirs[d][1];
        while (ff >= 0 && ff < 8 && rr >= 0 && rr < 8) {
          int z = rr * 8 + ff;
          zwischen[s][z] = weg;
          richtung[s][z] = d < 4 ? 1 : 2;
          weg |= Bit(z);
          ff += dirs[d][0];
          rr += dirs[d][1];
        }
      }
  }
};

const Geometrie& G() {
  static const Geometrie g;
  return g;
}

// Does a man of this kind and colour on von attack ziel over the occupancy?
inline bool Greift(int art, bool weiss, int von, int ziel, Bits belegt) {
  const Geometrie& g = G();
  switch (art) {
    case FBauer:
      return g.bauer[weiss ? 0 : 1][von] & Bit(ziel);
    case FSpringer:
      return g.springer[von] & Bit(ziel);
    case FKoenig:
      return g.koenig[von] & Bit(ziel);
    case FLaeufer:
      return g.richtung[von][ziel] == 2 && !(g.zwischen[von][ziel] & belegt);
    case FTurm:
      return g.richtung[von][ziel] == 1 && !(g.zwischen[von][ziel] & belegt);
    case FDame:
      return g.richtung[von][ziel] && !(g.zwischen[von][ziel] & belegt);
  }
  return false;
}

// Squares a piece (not a pawn) reaches over the occupancy.
Bits Ziele(int art, int von, Bits belegt) {
  const Geometrie& g = G();
  if (art == FSpringer) return g.springer[von];
  if (art == FKoenig) return g.koenig[von];
  Bits z = 0;
  static const int dirs[8][2] = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},
                                 {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
  int d0 = art == FLaeufer ? 4 : 0, d1 = art == FTurm ? 4 : 8;
  for (int d = d0; d < d1; ++d) {
    int ff = (von & 7) + dirs[d][0], rr = (von >> 3) + dirs[d][1];
    while (ff >= 0 && ff < 8 && rr >= 0 && rr < 8) {
      int s = rr * 8 + ff;
      z |= Bit(s);
      if (belegt & Bit(s)) break;
      ff += dirs[d][0];
      rr += dirs[d][1];
    }
  }
  return z;
}

int ArtVon(char c) {
  switch (c) {
    case 'p':
      return FBauer;
    case 'n':
      return FSpringer;
    case 'b':
      return FLaeufer;
    case 'r':
      return FTurm;
    case 'q':
      return FDame;
  }
  return 0;
}

char Buchstabe(int art) { return " pnbrqk"[art]; }

// Table-name order within a side: q r b n p.
std::string Seite(std::vector<int> arten) {
  std::sort(arten.begin(), arten.end(), std::greater<int>());
  std::string s;
  for (int a : arten) s += Buchstabe(a);
  return s;
}

// Which colour is White in the catalogue: more men, then the stronger men
// in name order (so "kqkr", "kbnk", "knkp").
bool WeissIstVorn(const std::string& w, const std::string& s) {
  if (w.size() != s.size()) return w.size() > s.size();
  for (size_t i = 0; i < w.size(); ++i)
    if (w[i] != s[i]) return ArtVon(w[i]) > ArtVon(s[i]);
  return true;
}

// Is the side's king (colour weiss) attacked by the other colour's men?
bool ImSchach(const Material& m, const int8_t* art, const int8_t* feld, const bool* lebt,
              bool weiss) {
  int k = weiss ? 0 : m.weisseMaenner;
  Bits belegt = 0;
  for (int i = 0; i < m.n; ++i)
    if (lebt[i]) belegt |= Bit(feld[i]);
  for (int i = 0; i < m.n; ++i)
    if (lebt[i] && m.weiss[i] != weiss && Greift(art[i], m.weiss[i], feld[i], feld[k], belegt))
      return true;
  return false;
}

// Structural test of a node: distinct squares, no pawn on the first or last
// rank, the side not to move not in check, and a real en-passant chance
// where the flag is set.
bool Gueltig(const Material& m, const Knoten& k) {
  Bits belegt = 0;
  for (int i = 0; i < m.n; ++i) {
    if (belegt & Bit(k.feld[i])) return false;
    belegt |= Bit(k.feld[i]);
    if (m.art[i] == FBauer && (k.feld[i] < 8 || k.feld[i] >= 56)) return false;
  }
  bool lebt[4] = {true, true, true, true};
  if (ImSchach(m, m.art, k.feld, lebt, k.amZug == 1)) return false;
  if (k.ep && EnPassantFeld(m, k) < 0) return false;
  return true;
}

// A capture or a promotion leads into another table: which one, whether its
// colours are the reverse of ours, and which of our men fills each of its
// slots.
struct Uebergang {
  const Tabelle* tabelle = nullptr;  // null: bare kings, a draw
  bool vertauscht = false;
  int8_t herkunft[4]{};
};

}  // namespace

bool MaterialLesen(const std::string& name, Material& m) {
  m = Material{};
  if (name.size() < 3 || name.size() > 4 || name[0] != 'k') return false;
  size_t k2 = name.find('k', 1);
  if (k2 == std::string::npos) return false;
  std::string w = name.substr(1, k2 - 1), s = name.substr(k2 + 1);
  for (char c : w + s)
    if (!ArtVon(c)) return false;
  auto ordnung = [](const std::string& x) {
    std::vector<int> a;
    for (char c : x) a.push_back(ArtVon(c));
    return Seite(a) == x;
  };
  if (!ordnung(w) || !ordnung(s) || !WeissIstVorn(w, s)) return false;
  m.name = name;
  m.art[m.n] = FKoenig;
  m.weiss[m.n++] = true;
  for (char c : w) {
    m.art[m.n] = int8_t(ArtVon(c));
    m.weiss[m.n++] = true;
  }
  m.weisseMaenner = m.n;
  m.art[m.n] = FKoenig;
  m.weiss[m.n++] = false;
  for (char c : s) {
    m.art[m.n] = int8_t(ArtVon(c));
    m.weiss[m.n++] = false;
  }
  int wb = 0, sb = 0;
  for (int i = 0; i < m.n; ++i)
    if (m.art[i] == FBauer) (m.weiss[i] ? wb : sb)++;
  m.bauern = wb + sb;
  m.enPassant = wb > 0 && sb > 0;
  return true;
}

std::string TabellenName(const std::vector<Mann>& maenner, bool& vertauscht) {
  std::vector<int> w, s;
  for (const Mann& x : maenner)
    if (x.art != FKoenig) (x.weiss ? w : s).push_back(x.art);
  std::string ws = Seite(w), ss = Seite(s);
  vertauscht = !WeissIstVorn(ws, ss);
  return vertauscht ? "k" + ss + "k" + ws : "k" + ws + "k" + ss;
}

uint64_t KnotenNummer(const Material& m, const Knoten& k) {
  uint64_t x = 0;
  for (int i = 0; i < m.n; ++i) x |= uint64_t(k.feld[i]) << (6 * i);
  x |= uint64_t(k.amZug) << (6 * m.n);
  if (k.ep) x |= uint64_t(1) << (6 * m.n + 1);
  return x;
}

Knoten KnotenLesen(const Material& m, uint64_t x) {
  Knoten k{};
  for (int i = 0; i < m.n; ++i) k.feld[i] = int8_t((x >> (6 * i)) & 63);
  k.amZug = int((x >> (6 * m.n)) & 1);
  k.ep = (x >> (6 * m.n + 1)) & 1;
  return k;
}

int EnPassantFeld(const Material& m, const Knoten& k) {
  if (!m.enPassant || !k.ep) return -1;
  // The pawn that just moved belongs to the side not to move.
  bool zieherWeiss = k.amZug == 1;
  int gezogen = -1, schlaeger = -1;
  for (int i = 0; i < m.n; ++i)
    if (m.art[i] == FBauer) (m.weiss[i] == zieherWeiss ? gezogen : schlaeger) = i;
  int p = k.feld[gezogen], q = k.feld[schlaeger];
  int reihe = zieherWeiss ? 3 : 4;
  if ((p >> 3) != reihe || (q >> 3) != reihe) return -1;
  int df = (p & 7) - (q & 7);
  if (df != 1 && df != -1) return -1;
  int ueber = zieherWeiss ? p - 8 : p + 8, start = zieherWeiss ? p - 16 : p + 16;
  for (int i = 0; i < m.n; ++i)
    if (k.feld[i] == ueber || k.feld[i] == start) return -1;
  return ueber;
}

namespace {

// Everything one solve of one table needs while it runs.
struct Lauf {
  const Material& m;
  const Tabelle* eigene;  // the table's own DTM (DTZ pawn moves), else null
  Metrik metrik;
  Uebergang ueber[5][5][6];  // [captured + 1][promoted + 1][new kind]
};

// Value of a node reached by a capture or promotion, from the view of the
// side to move there.
int ExitWert(const Uebergang& u, const int8_t* feld, int amZug) {
  if (!u.tabelle) return 0;
  const Material& sm = u.tabelle->m;
  Knoten k{};
  for (int s = 0; s < sm.n; ++s) {
    int f = feld[u.herkunft[s]];
    k.feld[s] = int8_t(u.vertauscht ? f ^ 56 : f);
  }
  k.amZug = u.vertauscht ? 1 - amZug : amZug;
  return u.tabelle->dtm[KnotenNummer(sm, k)];
}

// A child's value seen from the mover.
inline int VomZieher(int kind, bool nurWDL) {
  if (kind == 0) return 0;
  if (nurWDL) return kind > 0 ? -2 : 1;
  return kind > 0 ? -(kind + 2) : -kind;  // won in p -> lost in p + 1; lost in p -> won in p + 1
}

// Ordering of values for the side to move: a quicker win, then a draw,
// then a slower loss.
inline int Rang(int v) {
  if (v > 0) return 100000 - v;
  if (v == 0) return 0;
  return -100000 - v;
}

constexpr int16_t KeinAusgang = INT16_MIN;

// Forward pass over one node: number of in-table moves (255 for no
// position) and the best value among the moves that leave the table (or the
// mate / stalemate value when there is no move at all).
void Vorwaerts(const Lauf& l, uint64_t nummer, uint8_t& anzahl, int16_t& ausgang) {
  const Material& m = l.m;
  Knoten k = KnotenLesen(m, nummer);
  if (!Gueltig(m, k)) {
    anzahl = 255;
    ausgang = 0;
    return;
  }
  bool weiss = k.amZug == 0;
  Bits belegt = 0, eigen = 0;
  for (int i = 0; i < m.n; ++i) {
    belegt |= Bit(k.feld[i]);
    if (m.weiss[i] == weiss) eigen |= Bit(k.feld[i]);
  }
  int epFeld = EnPassantFeld(m, k);
  int zaehler = 0, besterRang = INT32_MIN, bester = KeinAusgang;
  bool irgendein = false;
  bool nurWDL = l.metrik != MetrikDTM;
  const bool lebtAlle[4] = {true, true, true, true};

  auto zug = [&](int i, int ziel, int umw, bool doppel, bool ep) {
    int8_t feld[4];
    bool lebt[4];
    for (int j = 0; j < m.n; ++j) {
      feld[j] = k.feld[j];
      lebt[j] = lebtAlle[j];
    }
    int geschlagen = -1;
    if (belegt & Bit(ziel))
      for (int j = 0; j < m.n; ++j)
        if (k.feld[j] == ziel) geschlagen = j;
    if (ep)
      for (int j = 0; j < m.n; ++j)
        if (m.art[j] == FBauer && m.weiss[j] != weiss) geschlagen = j;
    if (geschlagen >= 0) {
      if (m.art[geschlagen] == FKoenig) return;
      lebt[geschlagen] = false;
    }
    feld[i] = int8_t(ziel);
    int8_t art[4] = {m.art[0], m.art[1], m.art[2], m.art[3]};
    if (umw) art[i] = int8_t(umw);
    if (ImSchach(m, art, feld, lebt, weiss)) return;
    irgendein = true;
    bool bauernzug = m.art[i] == FBauer;
    if (geschlagen < 0 && !umw) {
      Knoten c{};
      for (int j = 0; j < m.n; ++j) c.feld[j] = feld[j];
      c.amZug = 1 - k.amZug;
      c.ep = doppel && m.enPassant;
      if (c.ep && EnPassantFeld(m, c) < 0) c.ep = false;
      if (l.metrik == MetrikDTZ && bauernzug) {
        int v = VomZieher(l.eigene->dtm[KnotenNummer(m, c)], true);
        if (Rang(v) > besterRang) besterRang = Rang(v), bester = int16_t(v);
      } else {
        ++zaehler;
      }
      return;
    }
    const Uebergang& u = l.ueber[geschlagen + 1][umw ? i + 1 : 0][umw];
    int v = VomZieher(ExitWert(u, feld, 1 - k.amZug), nurWDL);
    if (Rang(v) > besterRang) besterRang = Rang(v), bester = int16_t(v);
  };

  for (int i = 0; i < m.n; ++i) {
    if (m.weiss[i] != weiss) continue;
    int von = k.feld[i];
    if (m.art[i] == FBauer) {
      int vor = weiss ? 8 : -8;
      bool letzte = weiss ? von >= 48 : von < 16;
      int z = von + vor;
      if (!(belegt & Bit(z))) {
        if (letzte)
          for (int a = FSpringer; a <= FDame; ++a) zug(i, z, a, false, false);
        else
          zug(i, z, 0, false, false);
        bool start = weiss ? (von >> 3) == 1 : (von >> 3) == 6;
        if (start && !(belegt & Bit(z + vor))) zug(i, z + vor, 0, true, false);
      }
      Bits sch = G().bauer[weiss ? 0 : 1][von];
      for (Bits b = sch & belegt & ~eigen; b; b &= b - 1) {
        int s = std::countr_zero(b);
        if (letzte)
          for (int a = FSpringer; a <= FDame; ++a) zug(i, s, a, false, false);
        else
          zug(i, s, 0, false, false);
      }
      if (epFeld >= 0 && (sch & Bit(epFeld))) zug(i, epFeld, 0, false, true);
    } else {
      for (Bits b = Ziele(m.art[i], von, belegt) & ~eigen; b; b &= b - 1)
        zug(i, std::countr_zero(b), 0, false, false);
    }
  }
  if (!irgendein) {
    bool lebt[4] = {true, true, true, true};
    bester = ImSchach(m, m.art, k.feld, lebt, weiss) ? -1 : 0;
  }
  anzahl = uint8_t(zaehler);
  ausgang = int16_t(bester);
}

// Calls f(predecessor node) for every in-table move that leads to node x.
template <class F>
void Vorgaenger(const Lauf& l, uint64_t x, F&& f) {
  const Material& m = l.m;
  Knoten k = KnotenLesen(m, x);
  bool zieherWeiss = k.amZug == 1;  // the side that made the last move
  Bits belegt = 0;
  for (int i = 0; i < m.n; ++i) belegt |= Bit(k.feld[i]);
  bool dtz = l.metrik == MetrikDTZ;
  // With the flag set only the double step can have led here; without it,
  // a double step that would have given the en-passant chance led to the
  // flagged node instead.
  bool epMoeglich = false;
  if (m.enPassant && !k.ep) {
    Knoten e = k;
    e.ep = true;
    epMoeglich = EnPassantFeld(m, e) >= 0;
  }
  auto melde = [&](int i, int von) {
    Knoten y = k;
    y.feld[i] = int8_t(von);
    y.amZug = 1 - k.amZug;
    y.ep = false;
    f(KnotenNummer(m, y));
    if (m.enPassant) {
      y.ep = true;
      if (EnPassantFeld(m, y) >= 0) f(KnotenNummer(m, y));
    }
  };
  for (int i = 0; i < m.n; ++i) {
    if (m.weiss[i] != zieherWeiss) continue;
    int t = k.feld[i];
    if (m.art[i] == FBauer) {
      if (dtz) continue;
      int rueck = zieherWeiss ? -8 : 8;
      int z = t + rueck;
      if (!k.ep && z >= 8 && z < 56 && !(belegt & Bit(z))) melde(i, z);
      bool doppelReihe = zieherWeiss ? (t >> 3) == 3 : (t >> 3) == 4;
      if (doppelReihe && !(belegt & Bit(z)) && !(belegt & Bit(z + rueck))) {
        if (k.ep || !epMoeglich) melde(i, z + rueck);
      }
    } else {
      if (k.ep) continue;
      for (Bits b = Ziele(m.art[i], t, belegt) & ~belegt; b; b &= b - 1)
        melde(i, std::countr_zero(b));
    }
  }
}

template <class F>
void Parallel(int threads, uint64_t n, F&& f) {
  std::atomic<uint64_t> naechster{0};
  constexpr uint64_t Stueck = 1 << 16;
  auto arbeit = [&] {
    for (;;) {
      uint64_t a = naechster.fetch_add(Stueck);
      if (a >= n) return;
      uint64_t b = std::min(n, a + Stueck);
      for (uint64_t x = a; x < b; ++x) f(x);
    }
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(arbeit);
  arbeit();
  for (auto& t : pool) t.join();
}

constexpr int16_t Offen = INT16_MIN + 1;

// Per node while a table is solved: the decided value (Offen until then),
// the best value of the moves out of the table, and the in-table moves
// not yet known to win for the opponent (255: no position).
struct Zelle {
  int16_t wert;
  int16_t ausgang;
  uint8_t anzahl;
};

// Only one thread decides a node.
bool Entscheiden(Zelle& z, int16_t wert) {
  int16_t offen = Offen;
  return std::atomic_ref<int16_t>(z.wert).compare_exchange_strong(offen, wert,
                                                                  std::memory_order_relaxed);
}

struct Plan {
  std::vector<std::vector<uint32_t>> ebenen;
  void Dazu(int ebene, uint64_t x) {
    if (size_t(ebene) >= ebenen.size()) ebenen.resize(size_t(ebene) + 1);
    ebenen[size_t(ebene)].push_back(uint32_t(x));
  }
  std::vector<uint32_t> Nehmen(int ebene) {
    if (size_t(ebene) >= ebenen.size()) return {};
    return std::move(ebenen[size_t(ebene)]);
  }
  void Uebernehmen(Plan& p) {
    if (p.ebenen.size() > ebenen.size()) ebenen.resize(p.ebenen.size());
    for (size_t i = 0; i < p.ebenen.size(); ++i) {
      auto& z = ebenen[i];
      z.insert(z.end(), p.ebenen[i].begin(), p.ebenen[i].end());
      p.ebenen[i].clear();
    }
  }
};

template <class F>
void ParallelListe(int threads, const std::vector<uint32_t>& liste, F&& f) {
  if (liste.size() < 4096 || threads == 1) {
    for (uint32_t x : liste) f(0, x);
    return;
  }
  std::atomic<size_t> naechster{0};
  constexpr size_t Stueck = 1024;
  auto arbeit = [&](int faden) {
    for (;;) {
      size_t a = naechster.fetch_add(Stueck);
      if (a >= liste.size()) return;
      size_t b = std::min(liste.size(), a + Stueck);
      for (size_t i = a; i < b; ++i) f(faden, liste[i]);
    }
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(arbeit, t);
  arbeit(0);
  for (auto& t : pool) t.join();
}

}  // namespace

Generator::Generator(int threads) : threads_(std::max(1, threads)) {}

const Tabelle* Generator::Finden(const std::string& name) const {
  auto it = tabellen_.find(name);
  return it == tabellen_.end() ? nullptr : it->second.get();
}

std::vector<std::string> Nachfolger(const std::string& name) {
  Material m;
  std::vector<std::string> r;
  if (!MaterialLesen(name, m)) return r;
  auto neu = [&](int weg, int umw, int art) {
    std::vector<Mann> x;
    for (int i = 0; i < m.n; ++i)
      if (i != weg) x.push_back({i == umw ? int8_t(art) : m.art[i], m.weiss[i], 0});
    bool v;
    std::string s = TabellenName(x, v);
    if (s != "kk" && std::find(r.begin(), r.end(), s) == r.end()) r.push_back(s);
  };
  for (int j = 0; j < m.n; ++j)
    if (m.art[j] != FKoenig) neu(j, -1, 0);
  for (int i = 0; i < m.n; ++i)
    if (m.art[i] == FBauer)
      for (int a = FSpringer; a <= FDame; ++a) {
        neu(-1, i, a);
        for (int j = 0; j < m.n; ++j)
          if (m.art[j] != FKoenig && j != i && m.weiss[j] != m.weiss[i]) neu(j, i, a);
      }
  return r;
}

std::vector<std::string> AlleTabellen() {
  const char* st = "pnbrq";
  std::vector<std::string> r;
  for (int x = 0; x < 5; ++x) r.push_back(std::string("k") + st[x] + "k");
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y <= x; ++y) r.push_back(std::string("k") + st[x] + "k" + st[y]);
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y <= x; ++y) r.push_back(std::string("k") + st[x] + st[y] + "k");
  return r;
}

bool Generator::Loesen(const std::string& name) {
  if (Finden(name)) return true;
  Material m;
  if (!MaterialLesen(name, m)) return false;
  for (const std::string& s : Nachfolger(name))
    if (!Loesen(s)) return false;
  auto t = std::make_unique<Tabelle>();
  t->m = m;
  t->knoten = (uint64_t(1) << (6 * m.n + 1)) << (m.enPassant ? 1 : 0);
  t->dtm = Rechnen(*t, MetrikDTM);
  tabellen_[name] = std::move(t);
  return true;
}

std::vector<int8_t> Generator::MetrikLoesen(const std::string& name, Metrik metrik) {
  const Tabelle* t = Finden(name);
  if (!t) throw std::runtime_error("table not solved: " + name);
  if (metrik == MetrikDTM) return t->dtm;
  return Rechnen(*t, metrik);
}

int Generator::WertVon(const std::vector<Mann>& maenner, int amZug) const {
  bool vertauscht;
  std::string name = TabellenName(maenner, vertauscht);
  if (name == "kk") return 0;
  const Tabelle* t = Finden(name);
  if (!t) throw std::runtime_error("table not solved: " + name);
  Knoten k{};
  std::vector<bool> frei(maenner.size(), true);
  for (int s = 0; s < t->m.n; ++s) {
    for (size_t j = 0; j < maenner.size(); ++j) {
      bool weiss = maenner[j].weiss != vertauscht;
      if (frei[j] && maenner[j].art == t->m.art[s] && weiss == t->m.weiss[s]) {
        frei[j] = false;
        k.feld[s] = int8_t(vertauscht ? maenner[j].feld ^ 56 : maenner[j].feld);
        break;
      }
    }
  }
  k.amZug = vertauscht ? 1 - amZug : amZug;
  return t->dtm[KnotenNummer(t->m, k)];
}

std::vector<int8_t> Generator::Rechnen(const Tabelle& t, Metrik metrik) {
  const Material& m = t.m;
  auto lauf = std::make_unique<Lauf>(Lauf{m, &t, metrik, {}});
  // The conversions: for each captured man and each promotion, the table
  // reached and how our men fill its slots.
  for (int weg = -1; weg < m.n; ++weg)
    for (int umw = -1; umw < m.n; ++umw)
      for (int art = 0; art <= FDame; ++art) {
        if (weg >= 0 && m.art[weg] == FKoenig) continue;
        if (umw >= 0 && (m.art[umw] != FBauer || art < FSpringer || umw == weg)) continue;
        if (umw < 0 && art) continue;
        if (weg < 0 && umw < 0) continue;
        std::vector<Mann> x;
        std::vector<int> herkunft;
        for (int i = 0; i < m.n; ++i)
          if (i != weg) {
            x.push_back({i == umw ? int8_t(art) : m.art[i], m.weiss[i], 0});
            herkunft.push_back(i);
          }
        bool v;
        std::string name = TabellenName(x, v);
        Uebergang& u = lauf->ueber[weg + 1][umw + 1][art];
        u.vertauscht = v;
        if (name == "kk") continue;
        u.tabelle = Finden(name);
        if (!u.tabelle) throw std::runtime_error("conversion table not solved: " + name);
        std::vector<bool> frei(x.size(), true);
        for (int s = 0; s < u.tabelle->m.n; ++s)
          for (size_t j = 0; j < x.size(); ++j)
            if (frei[j] && x[j].art == u.tabelle->m.art[s] &&
                (x[j].weiss != v) == u.tabelle->m.weiss[s]) {
              frei[j] = false;
              u.herkunft[s] = int8_t(herkunft[j]);
              break;
            }
      }

  const uint64_t n = t.knoten;
  std::vector<Zelle> zelle(n);
  Parallel(threads_, n, [&](uint64_t x) {
    Vorwaerts(*lauf, x, zelle[x].anzahl, zelle[x].ausgang);
    zelle[x].wert = Offen;
  });

  // Plan of the nodes to decide, per ply: wins and losses apart, since the
  // value of a node decided at ply p is p itself.
  Plan gewinn, verlust;
  for (uint64_t x = 0; x < n; ++x) {
    Zelle& z = zelle[x];
    if (z.anzahl == 255) continue;
    int e = z.ausgang;
    if (e != KeinAusgang && e > 0) {
      gewinn.Dazu(e, x);
    } else if (z.anzahl == 0) {
      if (e == 0)
        z.wert = 0;
      else
        verlust.Dazu(-e - 1, x);
    }
  }
  std::vector<Plan> eigeneGewinne(threads_), eigeneVerluste(threads_);
  for (int ebene = 0; size_t(ebene) < std::max(gewinn.ebenen.size(), verlust.ebenen.size());
       ++ebene) {
    // Lost at this ply: every predecessor wins one ply later.
    std::vector<uint32_t> liste = verlust.Nehmen(ebene);
    ParallelListe(threads_, liste, [&](int faden, uint32_t x) {
      if (!Entscheiden(zelle[x], int16_t(-(ebene + 1)))) return;
      Vorgaenger(*lauf, x, [&](uint64_t y) {
        const Zelle& zy = zelle[y];
        if (zy.anzahl != 255 &&
            std::atomic_ref<const int16_t>(zy.wert).load(std::memory_order_relaxed) == Offen)
          eigeneGewinne[faden].Dazu(ebene + 1, y);
      });
    });
    for (Plan& p : eigeneGewinne) gewinn.Uebernehmen(p);
    // Won at this ply: a predecessor whose last open move this was is lost,
    // unless a move out of the table saves it.
    liste = gewinn.Nehmen(ebene);
    ParallelListe(threads_, liste, [&](int faden, uint32_t x) {
      if (!Entscheiden(zelle[x], int16_t(ebene))) return;
      Vorgaenger(*lauf, x, [&](uint64_t y) {
        Zelle& zy = zelle[y];
        std::atomic_ref<uint8_t> offeneZuege(zy.anzahl);
        if (offeneZuege.load(std::memory_order_relaxed) == 255 ||
            std::atomic_ref<int16_t>(zy.wert).load(std::memory_order_relaxed) != Offen)
          return;
        if (offeneZuege.fetch_sub(1, std::memory_order_relaxed) != 1) return;
        int e = zy.ausgang;
        if (e != KeinAusgang && e > 0) return;  // its own win comes later
        if (e == 0) {
          Entscheiden(zy, 0);
          return;
        }
        int spaet = e == KeinAusgang ? 0 : -e - 1;
        eigeneVerluste[faden].Dazu(std::max(ebene + 1, spaet), y);
      });
    });
    for (Plan& p : eigeneVerluste) verlust.Uebernehmen(p);
  }
  std::vector<int8_t> r(n);
  for (uint64_t x = 0; x < n; ++x) {
    if (zelle[x].anzahl == 255 && zelle[x].wert == Offen) {
      r[x] = Ungueltig;
      continue;
    }
    int v = zelle[x].wert == Offen ? 0 : zelle[x].wert;
    if (v > 127 || v < -127) throw std::runtime_error("distance beyond 127 plies in " + m.name);
    r[x] = int8_t(v);
  }
  return r;
}

}  // namespace tbgen
