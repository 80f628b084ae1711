// Root search, alpha-beta and quiescence, move ordering and the principal
// variation read back from the transposition table.
#include "core/search.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "core/book.h"
#include "core/eval.h"
#include "core/fen.h"
#include "core/gegenfeld.h"
#include "core/log.h"
#include "core/makemove.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/suchstand.h"
#include "core/tt.h"
#include "core/zobrist.h"
#include "core/tbhook.h"

namespace galdrik {

SuchZustand& Suche() {
  static SuchZustand zustand;
  return zustand;
}

namespace {

PartiepfadQuelle partiepfadQuelle = nullptr;

bool ImSchach(const Stellung& st) { return (st.amZug == Weiss ? st.schachW : st.schachS) != 0; }

bool NurKoenige(const Stellung& st) {
  return st.koenigW < 64 && st.koenigS < 64 && BitAnzahl(st.belegt) == 2;
}

bool GleicherZug(const Zug& a, uint8_t von, uint8_t nach, uint8_t zugart) {
  return a.von == von && a.nach == nach && a.zugart == zugart;
}
bool GleicherZug(const Zug& a, const Zug& b) { return GleicherZug(a, b.von, b.nach, b.zugart); }

int16_t MattAnpassen(int32_t wert) {
  if (wert > MattSchwelle) return static_cast<int16_t>(wert - 1);
  if (wert < -MattSchwelle) return static_cast<int16_t>(wert + 1);
  return static_cast<int16_t>(wert);
}

// Already seen on the path to this node, or twice in the game.
bool Wiederholt(const SuchZustand& s, uint64_t key, int ply) {
  for (int i = 0; i < s.wiederholungAnzahl; ++i)
    if (s.wiederholungen[i] == key) return true;
  for (int i = 0; i < ply; ++i)
    if (s.pfad[i].schluessel == key) return true;
  return false;
}

int16_t Gewinn(int8_t geschlagen) {
  switch (std::abs(geschlagen)) {
    case Dame:
      return 850;
    case Turm:
      return 450;
    case Laeufer:
    case Springer:
      return 300;
    case Bauer:
      return 100;
    default:
      return 0;
  }
}

// The limits are whole seconds, but the clock is read to the nanosecond and
// never jumps: with whole seconds of the wall clock a 1 s limit ended a
// search anywhere between a few milliseconds and a second after its start.
using Uhr = std::chrono::steady_clock;

bool ZeitUm(const SuchZustand& s) { return Uhr::now() >= s.suchtermin; }

}  // namespace

void PartiepfadQuelleSetzen(PartiepfadQuelle quelle) { partiepfadQuelle = quelle; }

int32_t SuchVariablenInit() {
  SuchZustand& s = Suche();
  SuchOptionen().zuruecksetzen();
  std::memcpy(s.notationsBuchstaben, "BSLTDK", 7);
  s.buchFehlversuche = 0;
  TT().alter = 0;
  s.ergebnis.zug = KeinZug;
  SuchVariablenFreigeben();
  s.killer = new (std::nothrow) Killerslot[MaxSuchPly][3]();
  if (!s.killer) return -1;
  s.historie = new (std::nothrow) int32_t[64 * 64]();
  if (!s.historie) return -1;
  return 0;
}

void SuchVariablenFreigeben() {
  SuchZustand& s = Suche();
  delete[] s.killer;
  s.killer = nullptr;
  delete[] s.historie;
  s.historie = nullptr;
}

void StatistikVariablenInit() {
  Suche().statistik = Suchstatistik{};
  GegenfeldSystemeZuruecksetzen();
  TT().gespeichert = 0;
}

// ------------------------------------------------------------- ordering

namespace {

// Ordering value of promotions by Zugart and of captures by the captured
// piece's type; an en-passant capture gets the pawn's value in any case.
constexpr std::array<int8_t, 256> UmwandlungsWert = [] {
  std::array<int8_t, 256> t{};
  t[ZugartUmwSpringer] = t[ZugartUmwLaeufer] = 8;
  t[ZugartUmwTurm] = 16;
  t[ZugartUmwDame] = 32;
  return t;
}();
constexpr std::array<int8_t, 129> SchlagWert = [] {
  std::array<int8_t, 129> t{};
  t[Bauer] = 5;
  t[Springer] = t[Laeufer] = 13;
  t[Turm] = 21;
  t[Dame] = 37;
  return t;
}();

// Who guards a target square, as AbtauschHilfe counts it, once for both
// colours; read from the position once per list.
struct Wachen {
  const Stellung& st;
  const bool weiss;

  explicit Wachen(const Stellung& stellung) : st(stellung), weiss(stellung.amZug == Weiss) {}

  // The men of one colour attacking the square over the given lines.
  int Anzahl(int feld, Bitboard turmLinien, Bitboard laeuferLinien, bool weisse) const {
    const Bitboard farbe = weisse ? st.weiss : st.schwarz;
    const int koenig = KoenigFeld(weisse ? st.koenigW : st.koenigS);
    const Bitboard bauern = weisse ? BauerAngriffSchwarz[feld] : BauerAngriffWeiss[feld];
    return BitAnzahl(KoenigAngriff[feld] & Feldmaske[koenig]) +
           BitAnzahl((turmLinien | laeuferLinien) & st.damen & farbe) +
           BitAnzahl(turmLinien & st.tuerme & farbe) +
           BitAnzahl(laeuferLinien & st.laeufer & farbe) +
           BitAnzahl(SpringerAngriff[feld] & st.springer & farbe) +
           BitAnzahl(bauern & st.bauern & farbe);
  }

  // With the moving piece lifted off the occupancies (its piece boards stay):
  // does the other side guard the target more often than the mover's side?
  bool Uebermacht(int von, int nach) const {
    const Bitboard turmLinien = ReihenAngriffe(nach, st.belegt & ~Feldmaske[von]) |
                                LinienAngriffe(nach, st.belegt90 & ~Feldmaske90[von]);
    const Bitboard laeuferLinien = A1H8Angriffe(nach, st.belegtA1H8 & ~FeldmaskeA1H8[von]) |
                                   H1A8Angriffe(nach, st.belegtH1A8 & ~FeldmaskeH1A8[von]);
    return Anzahl(nach, turmLinien, laeuferLinien, !weiss) >
           Anzahl(nach, turmLinien, laeuferLinien, weiss);
  }

  int8_t Wert(const Zug& zug) const {
    const int schlag = SchlagWert[std::abs(zug.geschlagen)];
    int wert = UmwandlungsWert[zug.zugart] + schlag;
    if (schlag == 0 && zug.enPassant == 1) wert += SchlagWert[Bauer];
    if (zug.von < 64 && zug.nach < 64 && Uebermacht(zug.von, zug.nach)) {
      static constexpr int abzug[7] = {0, 4, 12, 12, 20, 36, 0};
      wert -= abzug[std::min(std::abs(zug.figur), 6)];
    }
    return static_cast<int8_t>(wert);
  }
};

// A move's from, to and Zugart in one number, for comparing it with the hash
// move and the killers.
constexpr uint32_t Kennung(uint8_t von, uint8_t nach, uint8_t zugart) {
  return von | static_cast<uint32_t>(nach) << 8 | static_cast<uint32_t>(zugart) << 16;
}
constexpr uint32_t Kennung(const Zug& z) { return Kennung(z.von, z.nach, z.zugart); }

// ZugVergleich's rules as one number per move, smaller first: the hash move,
// then the higher ordering value, the better killer slot, the higher history
// counter, the smaller piece, the more advanced and more central target.
// Comparing two keys gives the comparator's answer for every pair, so the
// sort makes the same order; the rules are evaluated once per move instead
// of once per comparison, with the hash move and the killer row read once
// per list.
struct Rangfolge {
  uint32_t hashzug;
  uint32_t killer[3] = {};
  bool mitKillern;
  const int32_t* historie;

  explicit Rangfolge(const SuchZustand& s)
      : hashzug(Kennung(s.hashzug)), mitKillern(s.killer != nullptr), historie(s.historie) {
    if (!mitKillern) return;
    const Killerslot* reihe = s.killer[std::clamp<int>(s.suchPly, 0, MaxSuchPly - 1)];
    for (int i = 0; i < 3; ++i) killer[i] = Kennung(reihe[i].von, reihe[i].nach, reihe[i].zugart);
  }

  int KillerRang(uint32_t kennung) const {
    if (!mitKillern) return 3;
    for (int i = 0; i < 3; ++i)
      if (kennung == killer[i]) return i;
    return 3;
  }

  int32_t Historie(const Zug& z) const {
    return historie ? historie[(z.von & 63) * 64 + (z.nach & 63)] : 0;
  }

  uint64_t Schluessel(const Zug& z) const {
    const uint32_t kennung = Kennung(z);
    const uint64_t hash = kennung == hashzug ? 0 : 1;
    const uint64_t wert = static_cast<uint64_t>(127 - z.wert);  // 0..255
    const uint64_t killerRang = static_cast<uint64_t>(KillerRang(kennung));
    const uint64_t hist = static_cast<uint32_t>(int64_t{0x7FFFFFFF} - Historie(z));
    const uint64_t figur = static_cast<uint64_t>(std::abs(z.figur));  // 0..128
    const int zentrum = std::abs(7 - 2 * Linie(z.nach));
    const uint64_t vorwaerts = static_cast<uint64_t>(
        7 + (z.figur > 0 ? zentrum - Reihe(z.nach) : zentrum + Reihe(z.nach)));  // 0..21
    return hash << 55 | wert << 47 | killerRang << 45 | hist << 13 | figur << 5 | vorwaerts;
  }
};

struct GeordneterZug {
  uint64_t schluessel;
  Zug zug;
};

}  // namespace

int8_t Ordnungswert(const Stellung& st, const Zug& zug) { return Wachen(st).Wert(zug); }

int ZugVergleich(const Zug& a, const Zug& b) {
  const SuchZustand& s = Suche();
  if (GleicherZug(a, s.hashzug)) return -100;
  if (GleicherZug(b, s.hashzug)) return 100;
  if (a.wert != b.wert) return b.wert - a.wert;
  const Rangfolge rang(s);
  const int ka = rang.KillerRang(Kennung(a)), kb = rang.KillerRang(Kennung(b));
  if (ka != kb) return ka - kb;
  const int32_t ha = rang.Historie(a), hb = rang.Historie(b);
  if (ha != hb) return ha > hb ? -1 : 1;
  if (std::abs(a.figur) != std::abs(b.figur)) return std::abs(a.figur) - std::abs(b.figur);
  const int vorwaerts = a.figur > 0 ? Reihe(b.nach) - Reihe(a.nach) : Reihe(a.nach) - Reihe(b.nach);
  return vorwaerts + (std::abs(7 - 2 * Linie(a.nach)) - std::abs(7 - 2 * Linie(b.nach)));
}

void ZuglisteOrdnen(const Stellung& st, Zugliste& liste) {
  const Wachen wachen(st);
  const Rangfolge rang(Suche());
  GeordneterZug geordnet[MaxZuege];
  const int n = liste.anzahl;
  for (int i = 0; i < n; ++i) {
    Zug& z = liste.zuege[i];
    z.wert = wachen.Wert(z);
    geordnet[i] = {rang.Schluessel(z), z};
  }
  std::sort(geordnet, geordnet + n, [](const GeordneterZug& a, const GeordneterZug& b) {
    return a.schluessel < b.schluessel;
  });
  for (int i = 0; i < n; ++i) liste.zuege[i] = geordnet[i].zug;
}

// ------------------------------------------------------------ quiescence

int16_t Ruhesuche(Stellung st, int16_t alpha, int16_t beta, uint8_t ply) {
  SuchZustand& s = Suche();
  if (ply >= MaxSuchPly)
    s.abbruch = 1;
  else if (s.statistik.ruheKnoten % 4096 == 0 && ZeitUm(s))
    s.abbruch = 1;
  if (s.abbruch) return 0;
  ++s.statistik.ruheKnoten;
  s.statistik.tiefsterRuhePly = std::max<uint64_t>(s.statistik.tiefsterRuhePly, ply);
  if (NurKoenige(st)) return 0;

  const bool imSchach = ImSchach(st);
  // The captures are those of the position as it came: the evaluation may
  // mark it a dead draw, and a marked position has no moves.
  const uint8_t totVorher = st.remisMaterial;
  int32_t best = imSchach ? -Unendlich : StellungBewerten(st, 1);
  const int32_t stehen = best;
  // Standing pat at or above beta ends the node whatever the captures are,
  // so they are neither generated nor ordered.
  if (!imSchach && best >= beta) {
    s.remisregelFlag = 0;
    return MattAnpassen(best);
  }
  Zugliste liste;
  const uint8_t totNachher = st.remisMaterial;
  st.remisMaterial = totVorher;
  ZugGenerator(st, GenRuhesuche, liste);
  st.remisMaterial = totNachher;
  if (liste.anzahl == 0) {
    if (imSchach) best = -Matt;
  } else {
    s.hashzug = KeinZug;
    ZuglisteOrdnen(st, liste);
    if (best < beta) {
      for (int i = 0; i < liste.anzahl; ++i) {
        const Zug& z = liste.zuege[i];
        if (!imSchach && z.schach != 1 && SuchOptionen().futility == 1 && i > 0 &&
            stehen + Gewinn(z.geschlagen) + 50 < alpha) {
          ++s.statistik.futilityCutoffs;
          continue;
        }
        alpha = static_cast<int16_t>(std::max<int32_t>(alpha, best));
        const Stellung kind = ZugAusfuehren(st, z, 1);
        const int32_t v = -Ruhesuche(kind, static_cast<int16_t>(-beta),
                                     static_cast<int16_t>(-alpha), static_cast<uint8_t>(ply + 1));
        if (v > best) {
          best = v;
          if (v >= beta) break;
        }
      }
    }
  }
  s.remisregelFlag = 0;
  return MattAnpassen(best);
}

// ------------------------------------------------------------ alpha-beta

int16_t AlphaBeta(Stellung st, int16_t alpha, int16_t beta, uint8_t ply, int8_t tiefe,
                  uint8_t erweiterungen, uint8_t nullErlaubt, uint8_t tbNurRemis,
                  uint8_t* tbTreffer) {
  SuchZustand& s = Suche();
  s.ergebnis.zug = KeinZug;
  s.suchPly = static_cast<int8_t>(ply);
  *tbTreffer = 0;
  const int16_t alpha0 = alpha;
  int32_t best = -Unendlich;
  Zug bestZug = KeinZug;
  bool kindRemis = false, verlaengert = false, tbKnoten = false, ohneStatistik = false;
  bool hashZugGesucht = false;
  Zug hashMove = KeinZug;
  const HashEintrag* eintrag = nullptr;
  Zugliste liste;
  liste.anzahl = 0;
  bool listeDa = false;
  int erstesIndex = 0;

  if (ply >= MaxSuchPly)
    s.abbruch = 1;
  else if (s.statistik.knoten % 4096 == 0 && ZeitUm(s))
    s.abbruch = 1;
  if (s.abbruch) return 0;

  s.pfad[ply] = st;
  ++s.statistik.knoten;
  s.statistik.tiefsterPly = std::max<uint64_t>(s.statistik.tiefsterPly, ply);
  if (ply > 0) {
    Wurzelzug& w = s.wurzelzuege[s.wurzelzugIndex];
    ++w.knoten;
    s.wurzelzugMaximum = std::max(s.wurzelzugMaximum, w.knoten);
  }

  auto remisNachRegel = [&] {
    st.remisMaterial = 1;
    st.remisRegel = 1;
    st.bewertung = 0;
    best = 0;
  };

  if (NurKoenige(st)) {
    st.remisMaterial = 1;
    st.remisRegel = 0;
    st.bewertung = 0;
    best = 0;
    goto fertig;
  }
  if (st.halbzuege >= 100) {
    remisNachRegel();
    goto fertig;
  }
  if (ply >= 1 && Wiederholt(s, st.schluessel, ply)) {
    remisNachRegel();
    goto fertig;
  }

  if (SuchOptionen().tablebases == 1 && ply > 0 && ply < 24) {
    int16_t antwort = 0;
    if (TBProbeSucheFragen(st, antwort)) {
      *tbTreffer = 1;
      if (tbNurRemis == 0 || antwort == 0) {
        best = antwort;
        st.bewertung = antwort;
        tbKnoten = true;
        goto fertig;
      }
    }
  }

  if (SuchOptionen().hashtabelle == 1) eintrag = HashSuchen(st.schluessel, st.amZug);
  if (!eintrag) {
    ++s.statistik.hashFehl;
  } else {
    ++s.statistik.hashErfolg;
    hashMove = HashZug(st, eintrag);
    if (!IstKeinZug(hashMove)) {
      // Only a move of the legal list is trusted: a colliding entry may name
      // a move that passes the quick test but is not a move here.
      ZugGenerator(st, GenAlleZuege, liste);
      listeDa = true;
      int gefunden = -1;
      for (int i = 0; i < liste.anzahl; ++i)
        if (GleicherZug(liste.zuege[i], hashMove)) gefunden = i;
      if (gefunden < 0) {
        char zeile[400];
        std::snprintf(zeile, sizeof zeile, "Hash-Kollision, illegaler Zug\n\t%s\n\t%s\n",
                      FENAusgabe(st, static_cast<int16_t>(ply)).c_str(),
                      ZugNotation(hashMove, "BSLTDK", 0).c_str());
        LogZeile(zeile);
        hashMove = KeinZug;
        eintrag = nullptr;
      } else {
        hashMove = liste.zuege[gefunden];
      }
    }
    if (eintrag && eintrag->tiefe >= tiefe && ply > 0) {
      const int16_t wert = static_cast<int16_t>(eintrag->wert);
      if ((eintrag->typ & 3) == 3) {
        s.remisregelFlag = st.remisRegel == 1 ? 1 : 0;
        return MattAnpassen(wert);
      }
      if (eintrag->typ & 1) alpha = std::max(alpha, wert);
      if (eintrag->typ & 2) beta = std::min(beta, wert);
      if (alpha >= beta) {
        s.remisregelFlag = st.remisRegel == 1 ? 1 : 0;
        return MattAnpassen(wert);
      }
    }
  }

  if (nullErlaubt == 1 && ply > 0) {
    if (tiefe <= 0) goto horizont;
    const Bitboard eigene = st.amZug == Weiss ? st.weiss : st.schwarz;
    const bool figuren = BitAnzahl(eigene & (st.springer | st.laeufer | st.tuerme | st.damen)) > 1;
    if (!st.schachW && !st.schachS && figuren) {
      Stellung null = st;
      null.amZug = static_cast<uint8_t>(1 - st.amZug);
      null.schluessel = HashCodeNullzug(st);
      ++null.halbzuege;
      null.epFeld = KeinEPFeld;
      null.remisMaterial = 0;
      // Built once: deriving the empty position at every null move cost as
      // much as the null move itself.
      static const Stellung leer = Leerstellung();
      s.pfad[ply + 1] = leer;
      ++s.statistik.nullzugSuchen;
      uint8_t treffer = 0;
      const int32_t v =
          -AlphaBeta(null, static_cast<int16_t>(-beta), static_cast<int16_t>(-beta + 1),
                     static_cast<uint8_t>(ply + 2), static_cast<int8_t>(tiefe - 3), erweiterungen,
                     0, tbNurRemis, &treffer);
      if (v >= beta) {
        ++s.statistik.nullzugCutoffs;
        s.ergebnis.zug = KeinZug;
        s.remisregelFlag = v == 0 ? 1 : 0;
        return static_cast<int16_t>(v);
      }
      if (v < -MattSchwelle && SuchOptionen().erweiterungen == 1 &&
          erweiterungen < s.erweiterungsgrenze)
        verlaengert = true;
    }
  }

horizont:
  if (tiefe <= 0) {
    int32_t v = Ruhesuche(st, alpha, beta, static_cast<uint8_t>(ply + 1));
    --s.statistik.ruheKnoten;
    if (v > MattSchwelle) ++v;
    if (v < -MattSchwelle) --v;
    best = v;
    ohneStatistik = true;
    goto fertig;
  }

  {
    uint8_t treffer = 0;
    int treffersumme = 0;
    if (!IstKeinZug(hashMove) && ply > 0) {
      if (SuchOptionen().erweiterungen == 1 && !verlaengert && (eintrag->typ & HashVerlaengert) &&
          erweiterungen < s.erweiterungsgrenze)
        verlaengert = true;
      const int e = verlaengert ? 1 : 0;
      const Stellung kind = ZugAusfuehren(st, hashMove, 1);
      hashZugGesucht = true;
      if (Wiederholt(s, kind.schluessel, ply)) {
        // A repetition is worth 0; with beta above 0 it is searched all the same.
        best = 0;
        bestZug = hashMove;
        kindRemis = true;
        if (beta <= 0) goto fertig;
      }
      {
        const int32_t v =
            -AlphaBeta(kind, static_cast<int16_t>(-beta), static_cast<int16_t>(-alpha),
                       static_cast<uint8_t>(ply + 1), static_cast<int8_t>(tiefe - 1 + e),
                       static_cast<uint8_t>(erweiterungen + e), nullErlaubt, tbNurRemis, &treffer);
        best = v;
        bestZug = hashMove;
        kindRemis = s.remisregelFlag == 1;
        treffersumme += treffer;
        if (v >= beta) goto fertig;
      }
    }

    if (!listeDa) ZugGenerator(st, GenAlleZuege, liste);
    if (liste.anzahl == 0) {
      best = ImSchach(st) ? -Matt : 0;
      bestZug = KeinZug;
      goto fertig;
    }
    if (SuchOptionen().erweiterungen == 1 && !verlaengert && erweiterungen < s.erweiterungsgrenze &&
        (liste.anzahl == 1 || ImSchach(st)))
      verlaengert = true;
    const int e = verlaengert ? 1 : 0;

    if (ply == 0) {
      liste.anzahl = s.wurzelzugAnzahl;
      for (int i = 0; i < s.wurzelzugAnzahl; ++i) liste.zuege[i] = s.wurzelzuege[i].zug;
    } else {
      s.hashzug = hashMove;
      ZuglisteOrdnen(st, liste);
    }
    erstesIndex = hashZugGesucht ? 1 : 0;

    for (int runde = 0; runde < 2; ++runde) {
      bool schnitt = false;
      for (int i = erstesIndex; i < liste.anzahl; ++i) {
        const Zug& z = liste.zuege[i];
        alpha = static_cast<int16_t>(std::max<int32_t>(alpha, best));
        if (ply == 0) s.wurzelzugIndex = i;
        const Stellung kind = ZugAusfuehren(st, z, 1);
        const int32_t v =
            -AlphaBeta(kind, static_cast<int16_t>(-beta), static_cast<int16_t>(-alpha),
                       static_cast<uint8_t>(ply + 1), static_cast<int8_t>(tiefe - 1 + e),
                       static_cast<uint8_t>(erweiterungen + e), nullErlaubt, tbNurRemis, &treffer);
        treffersumme += treffer;
        if (v > best) {
          best = v;
          bestZug = z;
          kindRemis = s.remisregelFlag == 1;
          if (v >= beta) {
            schnitt = true;
            break;
          }
        }
        if (s.abbruch) break;
      }
      // With only draws trusted from the tables, a node whose every move was
      // answered by them is searched once more trusting every answer.
      if (schnitt || s.abbruch || tbNurRemis != 1 || treffersumme < liste.anzahl) break;
      tbNurRemis = 0;
      erstesIndex = 0;
    }
  }

fertig:
  if (!ohneStatistik) {
    if (best >= beta) {
      ++s.statistik.betaCutoffs;
      if (!IstKeinZug(bestZug) && ((hashZugGesucht && GleicherZug(bestZug, hashMove)) ||
                                   (liste.anzahl > 0 && GleicherZug(bestZug, liste.zuege[0]))))
        ++s.statistik.ersterZugCutoffs;
    } else if (best < alpha0) {
      ++s.statistik.alphaCutoffs;
    }
  }
  if (s.abbruch) return 0;
  s.ergebnis.zug = bestZug;

  if (tiefe > 0 && best > alpha0 && !IstKeinZug(bestZug) && s.historie) {
    int32_t& zaehler = s.historie[(bestZug.von & 63) * 64 + (bestZug.nach & 63)];
    if (zaehler > (1 << 30)) {
      for (int i = 0; i < 64 * 64; ++i)
        s.historie[i] = s.historie[i] <= (1 << 25) ? 0 : s.historie[i] - (1 << 25);
      LogZeile("kritischer Counterstand\n");
    }
    zaehler += tiefe * tiefe;
  }

  if (best >= beta && !IstKeinZug(bestZug) && bestZug.wert <= 0 && s.killer && ply < MaxSuchPly) {
    Killerslot* reihe = s.killer[ply];
    for (int i = 0; i < 3; ++i) {
      if (GleicherZug(bestZug, reihe[i].von, reihe[i].nach, reihe[i].zugart)) {
        ++reihe[i].anzahl;
        if (i > 0 && reihe[i].anzahl >= reihe[i - 1].anzahl) std::swap(reihe[i], reihe[i - 1]);
        break;
      }
      if (reihe[i].anzahl == 0) {
        reihe[i] = Killerslot{bestZug.von, bestZug.nach, bestZug.zugart, 1};
        break;
      }
    }
  }

  if (tiefe >= 0) {
    uint8_t typ = 0;
    if (st.remisRegel == 1 || kindRemis) typ += HashRemisRegel;
    if (verlaengert) typ += HashVerlaengert;
    if (tbKnoten)
      typ += HashTablebase + HashExakt;
    else if (best <= alpha0 && st.remisRegel == 0)
      typ += HashObergrenze;
    else if (best >= beta && st.remisRegel == 0)
      typ += HashUntergrenze;
    else
      typ += HashExakt;
    HashSpeichern(st.schluessel, static_cast<int16_t>(best), typ, tiefe, st.amZug, s.ergebnis.zug);
  }

  s.remisregelFlag = (st.remisRegel == 1 || kindRemis) ? 1 : 0;
  return MattAnpassen(best);
}

// ------------------------------------------------------------ root search

void HauptvarianteAusHash(Stellung st, int8_t tiefe, char* text, size_t groesse) {
  std::string pv;
  int gezaehlt = 0, plies = 0;
  const char* buchstaben = Suche().notationsBuchstaben;
  while (tiefe > 0) {
    if (++plies >= MaxSuchPly) break;
    const HashEintrag* e = HashSuchen(st.schluessel, st.amZug);
    if (!e) break;
    const Zug gespeichert = HashZug(st, e);
    if (IstKeinZug(gespeichert) || e->tiefe < 1) break;
    // The walk plays only moves of the legal list; a colliding entry ends it.
    const Zugliste liste = ZugGenerator(st, GenAlleZuege);
    const Zug* zug = nullptr;
    for (int i = 0; i < liste.anzahl; ++i)
      if (GleicherZug(liste.zuege[i], gespeichert)) zug = &liste.zuege[i];
    if (!zug) break;
    pv += ZugNotation(*zug, buchstaben, 0);
    if (e->typ & HashVerlaengert) {
      pv += "!";
      --gezaehlt;
    }
    pv += " ";
    const bool remisDarunter = (e->typ & HashRemisRegel) != 0;
    st = ZugAusfuehren(st, *zug, 1);
    if (remisDarunter && plies > 2 * tiefe) break;
    if (++gezaehlt >= tiefe) break;
  }
  std::snprintf(text, groesse, "%s", pv.c_str());
}

bool EPDZielGetroffen(const Zug& zug) {
  const SuchZustand& s = Suche();
  if (s.epdZiele.anzahl <= 0) return GleicherZug(zug, s.epdZiel);
  for (int i = 0; i < s.epdZiele.anzahl && i < MaxZuege; ++i)
    if (GleicherZug(zug, s.epdZiele.zuege[i])) return true;
  return false;
}

int32_t TiefenLimit(int32_t limit) { return limit < 0 || limit > MaxSuchPly ? MaxSuchPly : limit; }

int16_t SucheWurzel(Stellung st, int32_t tiefenLimit, int32_t weichZeit, int32_t hartZeit,
                    uint8_t buchFlag, int32_t epdModus, bool mitPartie) {
  SuchZustand& s = Suche();
  s.ergebnis.zug = KeinZug;
  s.hashzug = KeinZug;
  s.suchPly = 0;
  s.remisregelFlag = 0;
  StatistikVariablenInit();
  st.bewertung = StellungBewerten(st, 0);
  const int maenner = BitAnzahl(st.belegt);
  Zugliste wurzel = ZugGenerator(st, GenAlleZuege);
  st.schluessel = HashCodeBerechnen(st);

  auto ergebnisText = [&](const Zug& z) {
    std::snprintf(s.ergebnis.text, sizeof s.ergebnis.text, "%s",
                  ZugNotation(z, "BSLTDK", 0).c_str());
  };
  auto fertig = [&](int16_t wert) {
    s.ergebnis.bewertung = wert;
    SuchstandVeroeffentlichen();
    return wert;
  };

  if (buchFlag == 1) {
    ++s.buchFehlversuche;
    if (s.buchFehlversuche < 4) {
      const int32_t index = BuchZugSuchen(st, wurzel, SuchOptionen().buchVarianz);
      if (index >= 0 && index < wurzel.anzahl) {
        s.buchFehlversuche = 0;
        s.ergebnis.zug = wurzel.zuege[index];
        ergebnisText(s.ergebnis.zug);
        return fertig(0);
      }
    }
  }
  if (wurzel.anzahl == 0) return fertig(0);
  if (wurzel.anzahl == 1) {
    s.ergebnis.zug = wurzel.zuege[0];
    ergebnisText(s.ergebnis.zug);
    return fertig(st.bewertung);
  }

  weichZeit = std::min(weichZeit, 3600);
  hartZeit = std::min(hartZeit, 3600);
  tiefenLimit = TiefenLimit(tiefenLimit);
  const Uhr::time_point start = Uhr::now();
  s.suchtermin = start + std::chrono::seconds(hartZeit);

  if (s.killer)
    for (int p = 0; p < MaxSuchPly; ++p)
      for (auto& slot : s.killer[p]) slot.anzahl = 0;
  if (s.historie)
    for (int i = 0; i < 64 * 64; ++i) s.historie[i] >>= 8;
  GegenfeldHashLeeren();

  // Positions that stand twice in the game are draws wherever the tree meets them.
  s.wiederholungAnzahl = 0;
  if (mitPartie && partiepfadQuelle) {
    std::vector<Stellung> pfad;
    partiepfadQuelle(pfad);
    for (size_t i = 0; i < pfad.size(); ++i)
      for (size_t j = i + 1; j < pfad.size(); ++j)
        if (pfad[j].schluessel == pfad[i].schluessel) {
          if (s.wiederholungAnzahl < WiederholungsPlatz)
            s.wiederholungen[s.wiederholungAnzahl++] = pfad[i].schluessel;
          HashSpeichern(pfad[i].schluessel, 0, HashExakt, 1, pfad[i].amZug, KeinZug);
          break;
        }
  }

  s.hashzug = HashZug(st, HashSuchen(st.schluessel, st.amZug));
  ZuglisteOrdnen(st, wurzel);
  s.wurzelzugAnzahl = wurzel.anzahl;
  for (int i = 0; i < wurzel.anzahl; ++i) s.wurzelzuege[i] = Wurzelzug{wurzel.zuege[i], 0};

  s.ergebnis.zug = s.wurzelzuege[0].zug;
  Zug gemerkterZug = s.ergebnis.zug;
  int16_t gemerkteBewertung = 0;
  int nullZaehler = 0;
  s.epdLoesungszeit = hartZeit;
  uint8_t tbNurRemis = 0;
  ++TT().alter;
  int16_t bewertung = st.bewertung;

  for (int d = 1; d <= tiefenLimit; ++d) {
    s.erweiterungsgrenze = static_cast<uint8_t>(d);
    int16_t tb = 0;
    if (d == 2 && maenner <= 6 && TBProbeSucheFragen(st, tb)) {
      for (int i = 0; i < s.wurzelzugAnzahl; ++i) {
        Stellung kind = ZugAusfuehren(st, s.wurzelzuege[i].zug, 0);
        if (!TBProbeSucheFragen(kind, tb)) {
          tbNurRemis = 1;
          break;
        }
      }
    }
    const bool mattFuerMich =
        st.amZug == Weiss ? gemerkteBewertung > MattSchwelle : gemerkteBewertung < -MattSchwelle;
    const uint8_t nullErlaubt =
        (SuchOptionen().nullzug == 1 && d >= 3 && nullZaehler < 8 && !mattFuerMich) ? 1 : 0;
    uint8_t treffer = 0;
    const int16_t v = AlphaBeta(st, -Unendlich, Unendlich, 0, static_cast<int8_t>(d), 0,
                                nullErlaubt, tbNurRemis, &treffer);
    bewertung = st.amZug == Weiss ? v : static_cast<int16_t>(-v);
    st.bewertung = bewertung;
    // The texts and the statistics show whole seconds; the soft limit is
    // judged on the exact time.
    const Uhr::duration verstrichen = Uhr::now() - start;
    const bool weichVorbei = verstrichen > std::chrono::seconds(weichZeit);
    const int32_t sekunden =
        static_cast<int32_t>(std::chrono::duration_cast<std::chrono::seconds>(verstrichen).count());
    s.statistik.sekunden = sekunden;
    if (s.abbruch) {
      s.ergebnis.zug = gemerkterZug;
      return fertig(gemerkteBewertung);
    }
    if (gemerkteBewertung == 0 && bewertung == 0)
      ++nullZaehler;
    else if (nullZaehler < 8)
      nullZaehler = 0;
    gemerkterZug = s.ergebnis.zug;
    gemerkteBewertung = bewertung;

    SuchausgabeSatz& satz = s.ausgabe[d - 1];
    char wertText[32];
    if (bewertung > MattSchwelle)
      std::snprintf(wertText, sizeof wertText, " +#% 4i ", (Matt - bewertung) / 2);
    else if (bewertung < -MattSchwelle)
      std::snprintf(wertText, sizeof wertText, " -#% 4i ", (Matt + bewertung) / 2);
    else
      std::snprintf(wertText, sizeof wertText, " % 6.2f ", bewertung / 100.0);
    HauptvarianteAusHash(st, static_cast<int8_t>(d), s.ergebnis.text, sizeof s.ergebnis.text);
    std::snprintf(satz.info, sizeof satz.info,
                  " % 3i  % 6is %s % 9" PRId64 "  % 9" PRId64 "    %.900s", d, sekunden, wertText,
                  static_cast<int64_t>(s.statistik.knoten),
                  static_cast<int64_t>(s.statistik.ruheKnoten), s.ergebnis.text);
    satz.zweiter[0] = '\0';
    s.statistik.iterationsTiefe = static_cast<uint64_t>(d);
    SuchstandVeroeffentlichen(d);

    if (epdModus == EPDModusBm || epdModus == EPDModusAm || epdModus == EPDModusDm) {
      bool geloest;
      if (epdModus == EPDModusBm) {
        geloest = EPDZielGetroffen(s.ergebnis.zug);
      } else if (epdModus == EPDModusAm) {
        geloest = !EPDZielGetroffen(s.ergebnis.zug);
      } else {
        // A mate counts only for the side to move: being mated solves nothing.
        const bool gewinnt =
            st.amZug == Weiss ? bewertung > MattSchwelle : bewertung < -MattSchwelle;
        const int mattIn = (Matt - std::abs(bewertung)) / 2;
        geloest = gewinnt && mattIn == s.epdZiel.wert;
        if (geloest) s.ergebnis.zug.wert = static_cast<int8_t>(mattIn);
      }
      if (geloest) {
        if (s.epdLoesungszeit == hartZeit) s.epdLoesungszeit = sekunden;
        if (weichVorbei) return fertig(bewertung);
      } else {
        s.epdLoesungszeit = hartZeit;
      }
    } else if (weichVorbei) {
      return fertig(bewertung);
    }

    for (int i = 0; i < s.wurzelzugAnzahl; ++i)
      if (GleicherZug(s.wurzelzuege[i].zug, s.ergebnis.zug)) {
        if (s.wurzelzuege[i].knoten < s.wurzelzugMaximum)
          s.wurzelzuege[i].knoten = s.wurzelzugMaximum + 1;
        break;
      }
    std::stable_sort(s.wurzelzuege, s.wurzelzuege + s.wurzelzugAnzahl,
                     [](const Wurzelzug& a, const Wurzelzug& b) {
                       return static_cast<int64_t>(a.knoten) > static_cast<int64_t>(b.knoten);
                     });
  }
  return fertig(bewertung);
}

}  // namespace galdrik
