// Move generation: ZugGenerator (legal moves in the fixed order, legality
// and the gives-check byte from check, pin and discovery masks, with the few
// moves the masks cannot judge tried on a reduced board) and
// ZuglisteErzeugen (legal moves from check and pin masks, its own encoding).
//
// Both keep their working state per call, on the stack, so any number of
// threads may generate moves at the same time.
#include "core/movegen.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <initializer_list>

#include "core/attacks.h"
#include "core/makemove.h"

namespace galdrik {

namespace {

// Upper bound of pseudo-legal moves of any board: at most 64 men with at
// most 27 moves each (a queen), a pawn at most 12 (three targets, four
// promotions each), a king 8 plus 2 castlings. The working list is that big,
// so generation never writes out of bounds whatever the board holds; the
// returned list keeps the first 256 legal moves.
constexpr int MaxPseudoZuege = 64 * 27 + 2;

// The en-passant square when it is usable: on the right rank, empty, with an
// enemy pawn behind it. A record that says otherwise (no FEN or move ever
// makes one) gets no en-passant capture instead of a broken board.
int EPZiel(const Stellung& st) {
  const int ep = st.epFeld;
  if (ep >= 64 || (st.belegt & Feldmaske[ep])) return -1;
  if (st.amZug == Weiss) {
    if (Reihe(ep) != 5 || !(st.bauern & st.schwarz & Feldmaske[ep - 8])) return -1;
  } else {
    if (Reihe(ep) != 2 || !(st.bauern & st.weiss & Feldmaske[ep + 8])) return -1;
  }
  return ep;
}

static_assert(std::endian::native == std::endian::little,
              "moves are packed into 64-bit words in Zug's byte order");

// A move packed as the 8 bytes of Zug (byte 0 lowest). The generator builds
// and copies moves as whole words: patching single bytes of a move in
// memory and reading it back whole stalls the processor.
inline uint64_t Packen(int von, int nach, int8_t figur, int8_t geschlagen, uint8_t art,
                       uint8_t ep) {
  return static_cast<uint64_t>(von) | static_cast<uint64_t>(nach) << 8 |
         static_cast<uint64_t>(static_cast<uint8_t>(figur)) << 16 |
         static_cast<uint64_t>(static_cast<uint8_t>(geschlagen)) << 24 |
         static_cast<uint64_t>(art) << 32 | static_cast<uint64_t>(ep) << 48;
}
constexpr int SchachBit = 40;  // byte 5

// What the attack test reads of a position: the moves that are tried
// (en passant, castling) are played onto this reduced board only.
struct Angriffsbrett {
  Bitboard weiss, schwarz, bauern, springer, laeufer, tuerme, damen;
  Bitboard belegt, belegt90, belegtA1H8, belegtH1A8;
  uint8_t koenigW, koenigS;
};

// The reduced board after the move: steps 1, 4, 5 and 6 of ZugAusfuehren
// for exactly these fields. Everything is computed in locals and written
// once (patching a copy field by field costs store-forwarding stalls).
inline Angriffsbrett ProbeBrett(const Stellung& st, bool weissZieht, int von, int nach,
                                int8_t figur, int8_t geschlagen, uint8_t art, uint8_t epFlag) {
  Bitboard eigene = weissZieht ? st.weiss : st.schwarz;
  Bitboard gegner = weissZieht ? st.schwarz : st.weiss;
  Bitboard b = st.bauern, n = st.springer, l = st.laeufer, t = st.tuerme, d = st.damen;
  uint8_t kW = st.koenigW, kS = st.koenigS;
  auto typ = [&](int art_) -> Bitboard& {
    switch (art_) {
      case Bauer:
        return b;
      case Springer:
        return n;
      case Laeufer:
        return l;
      case Turm:
        return t;
      default:
        return d;
    }
  };
  int raus1 = von, raus2 = -1, rein1 = nach, rein2 = -1;  // squares vacated, filled
  const int figurTyp = figur < 0 ? -figur : figur;
  const bool ep = epFlag == 1 || (art == 2 && geschlagen == 0 && nach == st.epFeld);
  if (geschlagen != 0 && !ep) {
    const int gt = geschlagen < 0 ? -geschlagen : geschlagen;
    if (gt >= Bauer && gt <= Dame) typ(gt) &= ~Feldmaske[nach];
    if (geschlagen == Koenig && kW == nach) kW = KeinFeld;
    if (geschlagen == -Koenig && kS == nach) kS = KeinFeld;
  }
  if (art == ZugartRochade) {
    int kVon, tVon, tNach;
    switch (nach) {
      case 2:
        kVon = 4, tVon = 0, tNach = 3;
        break;
      case 6:
        kVon = 4, tVon = 7, tNach = 5;
        break;
      case 58:
        kVon = 60, tVon = 56, tNach = 59;
        break;
      case 62:
        kVon = 60, tVon = 63, tNach = 61;
        break;
      default:
        kVon = -1, tVon = tNach = 0;
        break;
    }
    if (kVon < 0) {
      raus1 = rein1 = -1;  // another to-square changes no board
    } else {
      raus1 = kVon, raus2 = tVon, rein1 = nach, rein2 = tNach;
      eigene = (eigene & ~(Feldmaske[kVon] | Feldmaske[tVon])) | Feldmaske[nach] | Feldmaske[tNach];
      t = (t & ~Feldmaske[tVon]) | Feldmaske[tNach];
      (weissZieht ? kW : kS) = static_cast<uint8_t>(nach);
    }
  } else {
    if (figurTyp == Koenig) {
      (weissZieht ? kW : kS) = static_cast<uint8_t>(nach);
    } else if (figurTyp >= Springer && figurTyp <= Dame) {
      Bitboard& x = typ(figurTyp);
      x = (x & ~Feldmaske[von]) | Feldmaske[nach];
    } else if (figurTyp == Bauer && (art == 0 || art == 2 || art == 4)) {
      const bool doppel =
          weissZieht ? Reihe(von) == 1 && Reihe(nach) == 3 : Reihe(von) == 6 && Reihe(nach) == 4;
      if (!doppel && ep) {
        const int opfer = weissZieht ? nach - 8 : nach + 8;
        if (opfer >= 0 && opfer < 64) {
          gegner &= ~Feldmaske[opfer];
          b &= ~Feldmaske[opfer];
          raus2 = opfer;
        }
      }
      b = (b & ~Feldmaske[von]) | Feldmaske[nach];
    } else if (figurTyp == Bauer && (art == 16 || art == 32 || art == 64 || art == 128)) {
      b &= ~Feldmaske[von];
      typ(art == 16 ? Springer : art == 32 ? Laeufer : art == 64 ? Turm : Dame) |= Feldmaske[nach];
    }
    eigene = (eigene & ~Feldmaske[von]) | Feldmaske[nach];
    gegner &= ~Feldmaske[nach];
  }
  // Square 64 stands for "none": its masks are 0.
  const int r1 = raus1 < 0 ? KeinFeld : raus1, r2 = raus2 < 0 ? KeinFeld : raus2;
  const int e1 = rein1 < 0 ? KeinFeld : rein1, e2 = rein2 < 0 ? KeinFeld : rein2;
  Angriffsbrett a;
  a.weiss = weissZieht ? eigene : gegner;
  a.schwarz = weissZieht ? gegner : eigene;
  a.bauern = b;
  a.springer = n;
  a.laeufer = l;
  a.tuerme = t;
  a.damen = d;
  a.belegt = (st.belegt & ~(Feldmaske[r1] | Feldmaske[r2])) | Feldmaske[e1] | Feldmaske[e2];
  a.belegt90 =
      (st.belegt90 & ~(Feldmaske90[r1] | Feldmaske90[r2])) | Feldmaske90[e1] | Feldmaske90[e2];
  a.belegtA1H8 = (st.belegtA1H8 & ~(FeldmaskeA1H8[r1] | FeldmaskeA1H8[r2])) | FeldmaskeA1H8[e1] |
                 FeldmaskeA1H8[e2];
  a.belegtH1A8 = (st.belegtH1A8 & ~(FeldmaskeH1A8[r1] | FeldmaskeH1A8[r2])) | FeldmaskeH1A8[e1] |
                 FeldmaskeH1A8[e2];
  a.koenigW = kW;
  a.koenigS = kS;
  return a;
}

// An occupancy in its four forms, so that attacks can be looked up over a
// board that differs from the record by a few squares.
struct Belegung {
  Bitboard b, b90, a1h8, h1a8;

  explicit Belegung(const Stellung& st)
      : b(st.belegt), b90(st.belegt90), a1h8(st.belegtA1H8), h1a8(st.belegtH1A8) {}
  void Umschalten(int feld) {
    b ^= Feldmaske[feld];
    b90 ^= Feldmaske90[feld];
    a1h8 ^= FeldmaskeA1H8[feld];
    h1a8 ^= FeldmaskeH1A8[feld];
  }
  Bitboard Turm(int feld) const { return ReihenAngriffe(feld, b) | LinienAngriffe(feld, b90); }
  Bitboard Laeufer(int feld) const { return A1H8Angriffe(feld, a1h8) | H1A8Angriffe(feld, h1a8); }
};

// The men of the set `angreifer` (all of one colour, less any captured man)
// that attack the square over the occupancy.
Bitboard Angreifer(const Stellung& st, int feld, const Belegung& o, Bitboard angreifer,
                   bool schwarzGreift) {
  const int koenig = KoenigFeld(schwarzGreift ? st.koenigS : st.koenigW);
  return (KoenigAngriff[feld] & Feldmaske[koenig] & angreifer) |
         ((schwarzGreift ? BauerAngriffWeiss[feld] : BauerAngriffSchwarz[feld]) & st.bauern &
          angreifer) |
         (SpringerAngriff[feld] & st.springer & angreifer) |
         (o.Turm(feld) & (st.tuerme | st.damen) & angreifer) |
         (o.Laeufer(feld) & (st.laeufer | st.damen) & angreifer);
}

// What the legality and check tests of one list need, found once per list
// instead of trying moves: the enemy men that check the own king, the own men
// pinned to it, and the own men that stand alone between the enemy king and
// an own slider (moving one off that line gives check).
struct Lage {
  Bitboard schachgeber = 0;
  Bitboard antwort = ~Bitboard{0};  // where a move other than the king's must go
  Bitboard gefesselt = 0;
  Bitboard abzug = 0;
  // The side not to move is in check already: only a hand-made record does
  // that, and there every move is tried on the board for its check byte.
  bool gegnerImSchach = false;
};

Lage LageBestimmen(const Stellung& st, int koenig, int gegnerKoenig, Bitboard eigene,
                   Bitboard gegner, bool weiss) {
  Lage lage;
  const Bitboard turmArt = st.tuerme | st.damen, laeuferArt = st.laeufer | st.damen;
  // The slider behind a single man on a line from the king, or checking it.
  auto linien = [&](int k, Bitboard schieber, Bitboard eigeneMaenner, auto&& frei, auto&& einer) {
    for (Bitboard s = ((turmArt & TurmStrahlen[k]) | (laeuferArt & LaeuferStrahlen[k])) & schieber;
         s;) {
      const int feld = ErstesBitEntfernen(s);
      const Bitboard dazwischen = Zwischen[k][feld] & st.belegt;
      if (!dazwischen)
        frei(feld);
      else if (!(dazwischen & (dazwischen - 1)) && (dazwischen & eigeneMaenner))
        einer(dazwischen);
    }
  };
  if (koenig < 64) {
    lage.schachgeber =
        (SpringerAngriff[koenig] & st.springer & gegner) |
        ((weiss ? BauerAngriffWeiss[koenig] : BauerAngriffSchwarz[koenig]) & st.bauern & gegner);
    linien(
        koenig, gegner, eigene, [&](int feld) { lage.schachgeber |= Feldmaske[feld]; },
        [&](Bitboard mann) { lage.gefesselt |= mann; });
    if (lage.schachgeber)
      lage.antwort = (lage.schachgeber & (lage.schachgeber - 1))
                         ? 0
                         : lage.schachgeber | Zwischen[koenig][ErstesBit(lage.schachgeber)];
  }
  if (gegnerKoenig < 64) {
    lage.gegnerImSchach =
        ((SpringerAngriff[gegnerKoenig] & st.springer & eigene) |
         ((weiss ? BauerAngriffSchwarz[gegnerKoenig] : BauerAngriffWeiss[gegnerKoenig]) &
          st.bauern & eigene) |
         (KoenigAngriff[gegnerKoenig] & Feldmaske[koenig])) != 0;
    linien(
        gegnerKoenig, eigene, eigene, [&](int) { lage.gegnerImSchach = true; },
        [&](Bitboard mann) { lage.abzug |= mann; });
  }
  return lage;
}

}  // namespace

void ZugGenerator(const Stellung& st, uint8_t modus, Zugliste& liste) {
  // 1.
  liste.anzahl = 0;
  if (st.remisMaterial == 1) return;
  // 2.
  if (st.schachW == 1 || st.schachS == 1) modus = GenAlleZuege;
  const bool alle = modus != GenRuhesuche;

  // 3.
  const bool weiss = st.amZug == Weiss;
  const int8_t vz = weiss ? 1 : -1;
  const Bitboard eigene = weiss ? st.weiss : st.schwarz;
  const Bitboard gegner = weiss ? st.schwarz : st.weiss;
  const int schritt = weiss ? 8 : -8;
  const int eigenerKoenig = KoenigFeld(weiss ? st.koenigW : st.koenigS);
  const int gegnerKoenig = KoenigFeld(weiss ? st.koenigS : st.koenigW);
  const Bitboard ziele = alle ? ~eigene : gegner;
  const uint8_t gegnerFarbe = weiss ? 1 : 0;  // FeldAngegriffen: who attacks the own king
  const uint8_t eigeneFarbe = weiss ? 0 : 1;  // ... and the enemy king

  // Legality and the gives-check byte come from masks: a move is legal when
  // it answers the check (if any) and keeps a pinned man on its line; it
  // gives check when the piece attacks the enemy king from its new square or
  // leaves a line from an own slider to it. En passant, castling and the
  // king's own steps are tested on the board.
  const Lage lage = LageBestimmen(st, eigenerKoenig, gegnerKoenig, eigene, gegner, weiss);
  auto erlaubt = [&](int von) {
    return (lage.gefesselt & Feldmaske[von]) ? lage.antwort & Gerade[eigenerKoenig][von]
                                             : lage.antwort;
  };
  // The to-squares from which a man leaving `von` gives check, given the
  // squares from which its kind attacks the enemy king.
  auto schachZiele = [&](int von, Bitboard direkt) {
    return (lage.abzug & Feldmaske[von]) ? direkt | ~Gerade[gegnerKoenig][von] : direkt;
  };
  const Bitboard schachBauer =
      weiss ? BauerAngriffSchwarz[gegnerKoenig] : BauerAngriffWeiss[gegnerKoenig];
  const Bitboard schachLaeufer = LaeuferAngriffe(st, gegnerKoenig);
  const Bitboard schachTurm = TurmAngriffe(st, gegnerKoenig);
  // A promoted piece looks at the enemy king past the square the pawn left.
  auto umwandlungSchach = [&](int von, int nach, uint8_t art) -> uint64_t {
    if (gegnerKoenig >= 64) return 0;
    bool schach;
    if (art == ZugartUmwSpringer) {
      schach = (SpringerAngriff[nach] & Feldmaske[gegnerKoenig]) != 0;
    } else {
      const Bitboard strahlen = art == ZugartUmwLaeufer ? LaeuferStrahlen[gegnerKoenig]
                                : art == ZugartUmwTurm
                                    ? TurmStrahlen[gegnerKoenig]
                                    : TurmStrahlen[gegnerKoenig] | LaeuferStrahlen[gegnerKoenig];
      schach = (strahlen & Feldmaske[nach]) &&
               !(Zwischen[gegnerKoenig][nach] & st.belegt & ~Feldmaske[von]);
    }
    return schach || (schachZiele(von, 0) & Feldmaske[nach]) ? uint64_t{1} << SchachBit : 0;
  };
  auto ziel = [&](int nach) -> int8_t {
    return (gegner & Feldmaske[nach]) ? FigurAufFeld(st, static_cast<unsigned>(nach)) : 0;
  };
  auto schachBit = [](Bitboard schach, int nach) -> uint64_t {
    return (schach & Feldmaske[nach]) ? uint64_t{1} << SchachBit : 0;
  };

  // Moves go to a buffer big enough for any board, so that writing one needs
  // no bounds test; the list takes the first 256 at the end (step 10).
  uint64_t p[MaxPseudoZuege];
  int n = 0;
  auto ablegen = [&](uint64_t m) { p[n++] = m; };

  const int epZiel = EPZiel(st);
  const Bitboard epMaske = epZiel >= 0 ? Feldmaske[epZiel] : 0;
  const int vorletzteReihe = weiss ? 6 : 1;
  const int heimReihe = weiss ? 1 : 6;
  const int letzteReihe = weiss ? 7 : 0;
  const int8_t bauer = vz;
  auto umwandlungen = [&](int von, int nach, int8_t g) {
    for (uint8_t art : {ZugartUmwDame, ZugartUmwTurm, ZugartUmwLaeufer, ZugartUmwSpringer})
      ablegen(Packen(von, nach, bauer, g, art, 0) | umwandlungSchach(von, nach, art));
  };

  // 7.1 Pawns: push or its four promotions, double push, captures by
  // ascending to-square.
  // A pawn on its last rank (possible only in a hand-made record) has no move.
  for (Bitboard b = st.bauern & eigene & ~Reihenmaske[letzteReihe]; b;) {
    const int von = ErstesBitEntfernen(b);
    const Bitboard angriff = weiss ? BauerAngriffWeiss[von] : BauerAngriffSchwarz[von];
    const bool schiebt =
        (alle || Reihe(von) == vorletzteReihe) && !(st.belegt & Feldmaske[von + schritt]);
    // Most pawns have nothing to capture in the quiescence.
    if (!schiebt && !(angriff & (gegner | epMaske))) continue;
    const Bitboard frei = erlaubt(von);
    const Bitboard schach = schachZiele(von, schachBauer);
    if (schiebt) {
      const int nach = von + schritt;
      if (Reihe(nach) == letzteReihe) {
        if (frei & Feldmaske[nach]) umwandlungen(von, nach, 0);
      } else {
        if (frei & Feldmaske[nach])
          ablegen(Packen(von, nach, bauer, 0, ZugartNormal, 0) | schachBit(schach, nach));
        const int doppel = nach + schritt;
        if (Reihe(von) == heimReihe && !(st.belegt & Feldmaske[doppel]) &&
            (frei & Feldmaske[doppel]))
          ablegen(Packen(von, doppel, bauer, 0, ZugartNormal, 0) | schachBit(schach, doppel));
      }
    }
    for (Bitboard s = angriff & ((gegner & frei) | epMaske); s;) {
      const int nach = ErstesBitEntfernen(s);
      if (nach == epZiel) {
        // The captured pawn leaves a square of its own: it may open a line
        // to either king, so an en-passant capture is always tried. EPZiel
        // has made sure that an enemy pawn stands behind the square.
        const Angriffsbrett brett =
            ProbeBrett(st, weiss, von, nach, bauer, static_cast<int8_t>(-bauer), ZugartNormal, 1);
        if (detail::Angegriffen(brett, weiss ? brett.koenigW : brett.koenigS, gegnerFarbe))
          continue;
        const bool gibtSchach =
            detail::Angegriffen(brett, weiss ? brett.koenigS : brett.koenigW, eigeneFarbe);
        ablegen(Packen(von, nach, bauer, static_cast<int8_t>(-bauer), ZugartNormal, 1) |
                (gibtSchach ? uint64_t{1} << SchachBit : 0));
        continue;
      }
      const int8_t g = FigurAufFeld(st, static_cast<unsigned>(nach));
      if (Reihe(nach) == letzteReihe)
        umwandlungen(von, nach, g);
      else
        ablegen(Packen(von, nach, bauer, g, ZugartNormal, 0) | schachBit(schach, nach));
    }
  }
  // 7.2 - 7.5 Knights, bishops, rooks, queens.
  auto figur = [&](int von, Bitboard s, int8_t code, Bitboard direkt) {
    s &= erlaubt(von);
    if (!s) return;
    const Bitboard schach = schachZiele(von, direkt);
    const uint64_t basis = Packen(von, 0, code, 0, ZugartNormal, 0);
    for (; s;) {
      const int nach = ErstesBitEntfernen(s);
      ablegen(basis | static_cast<uint64_t>(nach) << 8 |
              static_cast<uint64_t>(static_cast<uint8_t>(ziel(nach))) << 24 |
              schachBit(schach, nach));
    }
  };
  for (Bitboard b = st.springer & eigene; b;) {
    const int von = ErstesBitEntfernen(b);
    figur(von, SpringerAngriff[von] & ziele, static_cast<int8_t>(vz * Springer),
          SpringerAngriff[gegnerKoenig]);
  }
  for (Bitboard b = st.laeufer & eigene; b;) {
    const int von = ErstesBitEntfernen(b);
    figur(von, LaeuferAngriffe(st, von) & ziele, static_cast<int8_t>(vz * Laeufer), schachLaeufer);
  }
  for (Bitboard b = st.tuerme & eigene; b;) {
    const int von = ErstesBitEntfernen(b);
    figur(von, TurmAngriffe(st, von) & ziele, static_cast<int8_t>(vz * Turm), schachTurm);
  }
  for (Bitboard b = st.damen & eigene; b;) {
    const int von = ErstesBitEntfernen(b);
    figur(von, DamenAngriffe(st, von) & ziele, static_cast<int8_t>(vz * Dame),
          schachLaeufer | schachTurm);
  }
  // 7.6 The king: a step is legal when no enemy man attacks its square once
  // the king has left its own (it shields no square behind it).
  const int8_t koenig = static_cast<int8_t>(vz * Koenig);
  if (eigenerKoenig < 64) {
    Belegung ohneKoenig(st);
    ohneKoenig.Umschalten(eigenerKoenig);
    const Bitboard schach = schachZiele(eigenerKoenig, 0);
    for (Bitboard s = KoenigAngriff[eigenerKoenig] & ziele; s;) {
      const int nach = ErstesBitEntfernen(s);
      if (Angreifer(st, nach, ohneKoenig, gegner & ~Feldmaske[nach], weiss)) continue;
      ablegen(Packen(eigenerKoenig, nach, koenig, ziel(nach), ZugartNormal, 0) |
              schachBit(schach, nach));
    }
  }

  // 7.7 Castling (mode 0). The rook's presence is taken from the right; the
  // king must stand on its square, and a rook on the corner, so that a
  // record with a right but without its men cannot grow new ones. It may
  // give check only when the enemy king stands on the back rank or on the
  // rook's new file; then it is tried on the board.
  if (alle && eigenerKoenig == (weiss ? 4 : 60)) {
    const int basis = weiss ? 0 : 56;
    const int rechte = weiss ? RochadeWeissLang : RochadeSchwarzLang;
    const Bitboard eigeneTuerme = st.tuerme & eigene;
    auto sicher = [&](int a, int b, int c) {
      return !FeldAngegriffen(st, a, gegnerFarbe) && !FeldAngegriffen(st, b, gegnerFarbe) &&
             !FeldAngegriffen(st, c, gegnerFarbe);
    };
    auto rochade = [&](int nach, int turmLinie) {
      uint64_t m = Packen(basis + 4, nach, koenig, 0, ZugartRochade, 0);
      if (gegnerKoenig < 64 &&
          (Reihe(gegnerKoenig) == Reihe(basis) || Linie(gegnerKoenig) == turmLinie)) {
        const Angriffsbrett brett =
            ProbeBrett(st, weiss, basis + 4, nach, koenig, 0, ZugartRochade, 0);
        if (detail::Angegriffen(brett, weiss ? brett.koenigS : brett.koenigW, eigeneFarbe))
          m |= uint64_t{1} << SchachBit;
      }
      ablegen(m);
    };
    if (st.rochade[rechte] == 1 && (eigeneTuerme & Feldmaske[basis]) &&
        !(st.belegt & (Feldmaske[basis + 1] | Feldmaske[basis + 2] | Feldmaske[basis + 3])) &&
        sicher(basis + 4, basis + 3, basis + 2))
      rochade(basis + 2, 3);
    if (st.rochade[rechte + 1] == 1 && (eigeneTuerme & Feldmaske[basis + 7]) &&
        !(st.belegt & (Feldmaske[basis + 5] | Feldmaske[basis + 6])) &&
        sicher(basis + 4, basis + 5, basis + 6))
      rochade(basis + 6, 5);
  }

  // With the enemy king in check already (a record made by hand) the masks
  // do not tell which moves leave it in check: every move is tried on the
  // board instead.
  n = std::min(n, MaxZuege);
  std::memcpy(liste.zuege, p, sizeof(uint64_t) * static_cast<size_t>(n));
  if (lage.gegnerImSchach) {
    for (int i = 0; i < n; ++i) {
      Zug& z = liste.zuege[i];
      const Angriffsbrett brett =
          ProbeBrett(st, weiss, z.von, z.nach, z.figur, z.geschlagen, z.zugart, z.enPassant);
      z.schach = detail::Angegriffen(brett, weiss ? brett.koenigS : brett.koenigW, eigeneFarbe);
    }
  }
  liste.anzahl = n;
}

Zugliste ZugGenerator(const Stellung& st, uint8_t modus) {
  Zugliste liste;
  ZugGenerator(st, modus, liste);
  return liste;
}

// ----------------------------------------------------------- ZuglisteErzeugen

namespace {

constexpr int Richtungen[8][2] = {{1, 0}, {-1, 0},  {0, 1},  {0, -1},
                                  {1, 1}, {-1, -1}, {1, -1}, {-1, 1}};

}  // namespace

int32_t ZuglisteErzeugen(const Stellung& st, int32_t modus, Zugliste& liste) {
  int n = 0;
  auto neu = [&](int von, int nach, int8_t figur, uint8_t art) {
    if (n >= MaxZuege) return;
    Zug& z = liste.zuege[n++];
    z.von = static_cast<uint8_t>(von);
    z.nach = static_cast<uint8_t>(nach);
    z.figur = figur;
    z.geschlagen = st.figurenfeld[nach];
    z.zugart = art;
    z.schach = 0;
    z.enPassant = 0;
    z.wert = 0;
  };

  const bool weiss = st.amZug == Weiss;
  const bool ruhe = modus == 1;
  const int8_t vz = weiss ? 1 : -1;
  const Bitboard eigene = weiss ? st.weiss : st.schwarz;
  const Bitboard gegner = weiss ? st.schwarz : st.weiss;
  const int k = KoenigFeld(weiss ? st.koenigW : st.koenigS);
  const bool schwarzGreift = weiss;
  const Belegung belegung(st);
  const Bitboard ziele = ruhe ? gegner : ~eigene;

  // 1. Checkers and the squares that answer a single check.
  Bitboard schachMaske = ~Bitboard{0};
  Bitboard schachgeber = 0;
  if (k < 64) {
    schachgeber = Angreifer(st, k, belegung, gegner, schwarzGreift);
    if (BitAnzahl(schachgeber) >= 2) {
      schachMaske = 0;
    } else if (schachgeber) {
      schachMaske = schachgeber | Zwischen[k][ErstesBit(schachgeber)];
    }
  }

  // 2. Pins, per line direction: the first man from the king is pinned when
  // the next one behind it is an enemy slider of that direction.
  Bitboard gefesselt = 0;
  Bitboard fesselLinie[64];
  if (k < 64) {
    for (int d = 0; d < 8; ++d) {
      const Bitboard schieber = (d < 4 ? st.tuerme | st.damen : st.laeufer | st.damen) & gegner;
      Bitboard linie = 0;
      int erster = -1;
      for (int l = Linie(k) + Richtungen[d][0], r = Reihe(k) + Richtungen[d][1];
           l >= 0 && l < 8 && r >= 0 && r < 8; l += Richtungen[d][0], r += Richtungen[d][1]) {
        const int s = FeldVon(l, r);
        linie |= Feldmaske[s];
        if (!(st.belegt & Feldmaske[s])) continue;
        if (erster < 0) {
          if (!(eigene & Feldmaske[s])) break;
          erster = s;
          continue;
        }
        if (schieber & Feldmaske[s]) {
          gefesselt |= Feldmaske[erster];
          fesselLinie[erster] = linie;
        }
        break;
      }
    }
  }
  auto erlaubt = [&](int von) {
    return (gefesselt & Feldmaske[von]) ? schachMaske & fesselLinie[von] : schachMaske;
  };

  // Pawns.
  const int schritt = weiss ? 8 : -8;
  const int heimReihe = weiss ? 1 : 6;
  const int letzteReihe = weiss ? 7 : 0;
  const int epZiel = EPZiel(st);
  for (Bitboard b = st.bauern & eigene & ~Reihenmaske[letzteReihe]; b;) {
    const int von = ErstesBitEntfernen(b);
    const Bitboard frei = erlaubt(von);
    const int vor = von + schritt;
    if (!ruhe && !(st.belegt & Feldmaske[vor])) {
      if (frei & Feldmaske[vor]) {
        if (Reihe(vor) == letzteReihe) {
          for (uint8_t art : {ZugartUmwSpringer, ZugartUmwLaeufer, ZugartUmwTurm, ZugartUmwDame})
            neu(von, vor, vz, art);
        } else {
          neu(von, vor, vz, ZugartNormal);
        }
      }
      const int doppel = vor + schritt;
      if (Reihe(von) == heimReihe && !(st.belegt & Feldmaske[doppel]) &&
          (frei & Feldmaske[doppel])) {
        const bool nebenGegner =
            (NachbarlinienMaske[doppel] & Reihenmaske[Reihe(doppel)] & st.bauern & gegner) != 0;
        neu(von, doppel, vz, nebenGegner ? 4 : 0);
      }
    }
    const Bitboard angriff = weiss ? BauerAngriffWeiss[von] : BauerAngriffSchwarz[von];
    for (Bitboard s = angriff & gegner & frei; s;) {
      const int nach = ErstesBitEntfernen(s);
      if (Reihe(nach) == letzteReihe) {
        for (uint8_t art : {ZugartUmwSpringer, ZugartUmwLaeufer, ZugartUmwTurm, ZugartUmwDame})
          neu(von, nach, vz, static_cast<uint8_t>(art + 2));
      } else {
        neu(von, nach, vz, 2);
      }
    }
    // En passant: two men leave the rank at once, so the capture is tried
    // on the board after it (pins through both pawns, checks it answers).
    if (epZiel >= 0 && (angriff & Feldmaske[epZiel])) {
      const int opfer = epZiel - schritt;
      bool legal = true;
      if (k < 64) {
        Belegung danach = belegung;
        danach.Umschalten(von);
        danach.Umschalten(opfer);
        danach.Umschalten(epZiel);
        legal = Angreifer(st, k, danach, gegner & ~Feldmaske[opfer], schwarzGreift) == 0;
      }
      if (legal) neu(von, epZiel, vz, 2);
    }
  }

  // Knights, bishops, rooks, queens.
  const Bitboard figurZiele = ziele & schachMaske;
  for (Bitboard b = st.springer & eigene & ~gefesselt; b;) {
    const int von = ErstesBitEntfernen(b);
    for (Bitboard s = SpringerAngriff[von] & figurZiele; s;) {
      const int nach = ErstesBitEntfernen(s);
      neu(von, nach, static_cast<int8_t>(vz * Springer), (gegner & Feldmaske[nach]) ? 2 : 0);
    }
  }
  struct Schieber {
    Bitboard maenner;
    int8_t code;
  };
  const Schieber schieber[3] = {{st.laeufer, Laeufer}, {st.tuerme, Turm}, {st.damen, Dame}};
  for (const Schieber& g : schieber) {
    for (Bitboard b = g.maenner & eigene; b;) {
      const int von = ErstesBitEntfernen(b);
      Bitboard a = 0;
      if (g.code != Turm) a |= belegung.Laeufer(von);
      if (g.code != Laeufer) a |= belegung.Turm(von);
      for (Bitboard s = a & ziele & erlaubt(von); s;) {
        const int nach = ErstesBitEntfernen(s);
        neu(von, nach, static_cast<int8_t>(vz * g.code), (gegner & Feldmaske[nach]) ? 2 : 0);
      }
    }
  }

  // King: no square the enemy attacks, looked at without the king itself
  // (it does not shield a square behind it from a checking slider).
  if (k < 64) {
    Belegung ohneKoenig = belegung;
    ohneKoenig.Umschalten(k);
    for (Bitboard s = KoenigAngriff[k] & ziele; s;) {
      const int nach = ErstesBitEntfernen(s);
      if (Angreifer(st, nach, ohneKoenig, gegner & ~Feldmaske[nach], schwarzGreift)) continue;
      neu(k, nach, static_cast<int8_t>(vz * Koenig), (gegner & Feldmaske[nach]) ? 2 : 0);
    }
    // Castling: right, no check, free squares, king's path unattacked. As in
    // ZugGenerator the king and the rook must stand on their squares.
    if (!ruhe && !schachgeber) {
      const int basis = weiss ? 0 : 56;
      const int rechte = weiss ? RochadeWeissLang : RochadeSchwarzLang;
      auto sicher = [&](int s) { return Angreifer(st, s, belegung, gegner, schwarzGreift) == 0; };
      const Bitboard eigeneTuerme = st.tuerme & eigene;
      if (k == basis + 4) {
        if (st.rochade[rechte] == 1 && (eigeneTuerme & Feldmaske[basis]) &&
            !(st.belegt & (Feldmaske[basis + 1] | Feldmaske[basis + 2] | Feldmaske[basis + 3])) &&
            sicher(basis + 3) && sicher(basis + 2))
          neu(k, basis + 2, static_cast<int8_t>(vz * Koenig), ZugartRochade);
        if (st.rochade[rechte + 1] == 1 && (eigeneTuerme & Feldmaske[basis + 7]) &&
            !(st.belegt & (Feldmaske[basis + 5] | Feldmaske[basis + 6])) && sicher(basis + 5) &&
            sicher(basis + 6))
          neu(k, basis + 6, static_cast<int8_t>(vz * Koenig), ZugartRochade);
      }
    }
  }

  liste.anzahl = n;
  return n;
}

}  // namespace galdrik
