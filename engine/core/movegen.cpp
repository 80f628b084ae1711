// Move generation: ZugGenerator (pseudo-legal moves from the tables, marked
// and trial-played where they may check or expose the own king) and
// ZuglisteErzeugen (legal moves from check and pin masks, its own encoding).
//
// Both keep their working state per call, on the stack, so any number of
// threads may generate moves at the same time.
#include "core/movegen.h"

#include <initializer_list>

#include "core/makemove.h"

namespace galdrik {

namespace {

// Upper bound of pseudo-legal moves of any board: at most 64 men with at
// most 27 moves each (a queen), a pawn at most 12 (three targets, four
// promotions each), a king 8 plus 2 castlings. The working list is that big,
// so generation never writes out of bounds whatever the board holds; the
// returned list keeps the first 256 legal moves.
constexpr int MaxPseudoZuege = 64 * 27 + 2;

inline int KoenigFeld(uint8_t feld) { return feld < 64 ? feld : KeinFeld; }

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

struct Pseudoliste {
  Zug zuege[MaxPseudoZuege];
  int anzahl = 0;

  void Neu(int von, int nach, int8_t figur, uint8_t art = ZugartNormal, uint8_t ep = 0) {
    Zug& z = zuege[anzahl++];
    z.von = static_cast<uint8_t>(von);
    z.nach = static_cast<uint8_t>(nach);
    z.figur = figur;
    z.geschlagen = 0;
    z.zugart = art;
    z.schach = 0;
    z.enPassant = ep;
    z.wert = 0;
  }
};

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
  const Bitboard eigene = weiss ? st.weiss : st.schwarz;
  const Bitboard gegner = weiss ? st.schwarz : st.weiss;
  const int schritt = weiss ? 8 : -8;
  const int eigenerKoenig = KoenigFeld(weiss ? st.koenigW : st.koenigS);
  const int gegnerKoenig = KoenigFeld(weiss ? st.koenigS : st.koenigW);
  const Bitboard ziele = alle ? ~eigene : gegner;

  // 4., 5. (square 64 reads the empty table entries)
  const Bitboard fesselKandidaten = DamenAngriffe(st, eigenerKoenig) & eigene;
  const Bitboard schachFelder = DamenAngriffe(st, gegnerKoenig) | SpringerAngriff[gegnerKoenig];

  // 7. Pseudo-legal moves in the Part's order.
  Pseudoliste p;
  const int epZiel = EPZiel(st);
  const Bitboard epMaske = epZiel >= 0 ? Feldmaske[epZiel] : 0;
  const int vorletzteReihe = weiss ? 6 : 1;
  const int heimReihe = weiss ? 1 : 6;
  const int letzteReihe = weiss ? 7 : 0;

  // 7.1 Pawns.
  for (Bitboard b = st.bauern & eigene; b;) {
    const int von = ErstesBitEntfernen(b);
    if (alle || Reihe(von) == vorletzteReihe) {
      const int nach = von + schritt;
      if (!(st.belegt & Feldmaske[nach])) {
        if (Reihe(nach) == letzteReihe) {
          p.Neu(von, nach, Bauer, ZugartUmwDame);
          p.Neu(von, nach, Bauer, ZugartUmwTurm);
          p.Neu(von, nach, Bauer, ZugartUmwLaeufer);
          p.Neu(von, nach, Bauer, ZugartUmwSpringer);
        } else {
          p.Neu(von, nach, Bauer);
          if (Reihe(von) == heimReihe && !(st.belegt & Feldmaske[nach + schritt]))
            p.Neu(von, nach + schritt, Bauer);
        }
      }
    }
    const Bitboard angriff = weiss ? BauerAngriffWeiss[von] : BauerAngriffSchwarz[von];
    for (Bitboard s = angriff & (gegner | epMaske); s;) {
      const int nach = ErstesBitEntfernen(s);
      if (Reihe(nach) == letzteReihe) {
        p.Neu(von, nach, Bauer, ZugartUmwDame);
        p.Neu(von, nach, Bauer, ZugartUmwTurm);
        p.Neu(von, nach, Bauer, ZugartUmwLaeufer);
        p.Neu(von, nach, Bauer, ZugartUmwSpringer);
      } else {
        p.Neu(von, nach, Bauer, ZugartNormal, nach == epZiel ? 1 : 0);
      }
    }
  }
  // 7.2 - 7.5 Knights, bishops, rooks, queens.
  for (Bitboard b = st.springer & eigene; b;) {
    const int von = ErstesBitEntfernen(b);
    for (Bitboard s = SpringerAngriff[von] & ziele; s;) p.Neu(von, ErstesBitEntfernen(s), Springer);
  }
  for (Bitboard b = st.laeufer & eigene; b;) {
    const int von = ErstesBitEntfernen(b);
    for (Bitboard s = LaeuferAngriffe(st, von) & ziele; s;)
      p.Neu(von, ErstesBitEntfernen(s), Laeufer);
  }
  for (Bitboard b = st.tuerme & eigene; b;) {
    const int von = ErstesBitEntfernen(b);
    for (Bitboard s = TurmAngriffe(st, von) & ziele; s;) p.Neu(von, ErstesBitEntfernen(s), Turm);
  }
  for (Bitboard b = st.damen & eigene; b;) {
    const int von = ErstesBitEntfernen(b);
    for (Bitboard s = DamenAngriffe(st, von) & ziele; s;) p.Neu(von, ErstesBitEntfernen(s), Dame);
  }
  // 7.6 King.
  for (Bitboard s = KoenigAngriff[eigenerKoenig] & ziele; s;)
    p.Neu(eigenerKoenig, ErstesBitEntfernen(s), Koenig);
  // 7.7 Castling (mode 0). The rook's presence is taken from the right; the
  // king must stand on its square, and a rook on the corner, so that a
  // record with a right but without its men cannot grow new ones.
  if (alle) {
    auto frei = [&](Bitboard m) { return (st.belegt & m) == 0; };
    auto sicher = [&](int a, int b, int c, uint8_t farbe) {
      return !FeldAngegriffen(st, a, farbe) && !FeldAngegriffen(st, b, farbe) &&
             !FeldAngegriffen(st, c, farbe);
    };
    const Bitboard eigeneTuerme = st.tuerme & eigene;
    if (weiss && eigenerKoenig == 4) {
      if (st.rochade[RochadeWeissLang] == 1 && (eigeneTuerme & Feldmaske[0]) &&
          frei(Feldmaske[1] | Feldmaske[2] | Feldmaske[3]) && sicher(4, 3, 2, 1))
        p.Neu(4, 2, Koenig, ZugartRochade);
      if (st.rochade[RochadeWeissKurz] == 1 && (eigeneTuerme & Feldmaske[7]) &&
          frei(Feldmaske[5] | Feldmaske[6]) && sicher(4, 5, 6, 1))
        p.Neu(4, 6, Koenig, ZugartRochade);
    }
    if (!weiss && eigenerKoenig == 60) {
      if (st.rochade[RochadeSchwarzLang] == 1 && (eigeneTuerme & Feldmaske[56]) &&
          frei(Feldmaske[57] | Feldmaske[58] | Feldmaske[59]) && sicher(60, 59, 58, 0))
        p.Neu(60, 58, Koenig, ZugartRochade);
      if (st.rochade[RochadeSchwarzKurz] == 1 && (eigeneTuerme & Feldmaske[63]) &&
          frei(Feldmaske[61] | Feldmaske[62]) && sicher(60, 61, 62, 0))
        p.Neu(60, 62, Koenig, ZugartRochade);
    }
  }

  // 6., 8., 9. Flags, captured piece and sign, legality pass.
  const bool imSchach = (weiss ? st.schachW : st.schachS) == 1;
  const uint8_t gegnerFarbe = weiss ? 1 : 0;  // FeldAngegriffen: who attacks the own king
  const uint8_t eigeneFarbe = weiss ? 0 : 1;  // ... and the enemy king
  for (int i = 0; i < p.anzahl; ++i) {
    Zug z = p.zuege[i];
    bool gefaehrdet, schachMoeglich;
    if (z.zugart == ZugartRochade) {
      gefaehrdet = false;
      const int turmLinie = Linie(z.nach) == 2 ? 3 : 5;
      schachMoeglich = gegnerKoenig < 64 && (Reihe(gegnerKoenig) == Reihe(z.nach) ||
                                             Linie(gegnerKoenig) == turmLinie);
    } else {
      schachMoeglich = (schachFelder & (Feldmaske[z.von] | Feldmaske[z.nach])) != 0;
      gefaehrdet = (fesselKandidaten & Feldmaske[z.von]) != 0 || z.figur == Koenig;
    }
    if (z.enPassant == 1) {
      // The captured pawn leaves a square of its own: it may open a line to
      // either king, so an en-passant capture is always tried (fault F1).
      gefaehrdet = schachMoeglich = true;
      z.geschlagen = FigurAufFeld(st, static_cast<unsigned>(weiss ? z.nach - 8 : z.nach + 8));
    } else {
      z.geschlagen = FigurAufFeld(st, z.nach);
    }
    if (!weiss) z.figur = static_cast<int8_t>(-z.figur);

    if (gefaehrdet || imSchach || schachMoeglich) {
      Stellung probe;
      ZugAusfuehren(probe, st, z, 0);
      if ((gefaehrdet || imSchach) &&
          FeldAngegriffen(probe, weiss ? probe.koenigW : probe.koenigS, gegnerFarbe))
        continue;
      if (schachMoeglich &&
          FeldAngegriffen(probe, weiss ? probe.koenigS : probe.koenigW, eigeneFarbe))
        z.schach = 1;
    }
    if (liste.anzahl < MaxZuege) liste.zuege[liste.anzahl++] = z;
  }
}

Zugliste ZugGenerator(const Stellung& st, uint8_t modus) {
  Zugliste liste;
  ZugGenerator(st, modus, liste);
  return liste;
}

// ----------------------------------------------------------- ZuglisteErzeugen

namespace {

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
  Bitboard Laeufer(int feld) const {
    return A1H8Angriffe(feld, a1h8) | H1A8Angriffe(feld, h1a8);
  }
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

// Squares strictly between two squares on one line; empty when the squares
// share no line.
Bitboard Zwischen(int a, int b) {
  Bitboard zwischen = 0;
  const int dl = Linie(b) - Linie(a), dr = Reihe(b) - Reihe(a);
  if (!(dl == 0 || dr == 0 || dl == dr || dl == -dr)) return 0;
  const int sl = (dl > 0) - (dl < 0), sr = (dr > 0) - (dr < 0);
  for (int l = Linie(a) + sl, r = Reihe(a) + sr; l != Linie(b) || r != Reihe(b); l += sl, r += sr)
    zwischen |= Feldmaske[FeldVon(l, r)];
  return zwischen;
}

constexpr int Richtungen[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1},
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
      schachMaske = schachgeber | Zwischen(k, ErstesBit(schachgeber));
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
  for (Bitboard b = st.bauern & eigene; b;) {
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
      auto sicher = [&](int s) {
        return Angreifer(st, s, belegung, gegner, schwarzGreift) == 0;
      };
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
