// The evaluation frame. The order of the steps matters: the draw rules and
// fortresses end the evaluation before any positional term is looked at, and
// the scaling at the end keeps a side that cannot mate from being credited
// a lead it can never turn into a win.
#include "core/eval.h"

#include "core/bauernendspiel.h"
#include "core/endspielerkenner.h"
#include "core/evalterms.h"
#include "core/makemove.h"
#include "core/suchoptionen.h"

namespace galdrik {

namespace {

// Who cannot win whatever the material says (rook pawn with the wrong
// bishop, or no mating material at all).
struct KannNichtGewinnen {
  bool weiss = false;
  bool schwarz = false;
};

int Anzahl(Bitboard b) { return BitAnzahl(b); }

// Stores White's view and answers in the caller's view.
int16_t Abschluss(Stellung& st, int32_t wert, uint8_t ansicht) {
  st.bewertung = static_cast<int16_t>(wert);
  return ansicht == 1 && st.amZug != Weiss ? static_cast<int16_t>(-st.bewertung) : st.bewertung;
}

// Rook pawn with the bishop that does not control the promotion corner: the
// defending king in or near the corner holds the draw. White's rule has a
// second form for a pawn blocked by an enemy pawn on the h-file.
void FalscherLaeuferWeiss(const Stellung& st, const BewertungsZustand& z, bool& kannNicht) {
  if (z.springerW | z.tuermeW | z.damenW) return;
  if (!z.bauernW) return;
  const bool formH = !(z.laeuferW & DunkleFelder) && !(z.bauernW & ~LinieH);
  const bool formA = !(z.laeuferW & HelleFelder) && !(z.bauernW & ~LinieA);
  if (!formH && !formA) return;
  const int ecke = formH ? FeldNr("h8") : FeldNr("a8");
  const Bitboard springerLinie = formH ? LinieG : LinieB;
  const Bitboard bauerLinie = formH ? LinieH : LinieA;

  const int vorn = LetztesBit(z.bauernW), r = Reihe(vorn);
  const Bitboard vorFeld = FreibauerMaskeWeiss[ErstesBit(z.bauernW)];
  const int dB = FeldAbstand(st.koenigS, ecke), dW = FeldAbstand(st.koenigW, ecke);
  const int btm = st.amZug == Weiss ? 0 : 1;
  const int t = 7 - r + btm - (r == 1) - (r >= 4);

  const Bitboard springerBauern = vorFeld & z.bauernS & springerLinie;
  const int schraegVorn = formH ? vorn + 7 : vorn + 9;
  const bool springerLinieOffen =
      !springerBauern || (Anzahl(springerBauern) == 1 && ErstesBit(springerBauern) != schraegVorn);
  if (springerLinieOffen && !(vorFeld & z.bauernS & bauerLinie) &&
      (dB <= 1 || (dB < dW - 1 + btm && dB < t)))
    kannNicht = true;

  if (formH && !(vorFeld & z.bauernS & LinieG) && vorn + 8 < 64 &&
      (z.bauernS & Feldmaske[vorn + 8])) {
    // A negative difference counts as very large.
    const uint8_t v = static_cast<uint8_t>(dB - FeldAbstand(st.koenigW, vorn + 8));
    static constexpr Bitboard eckeH8 =
        FeldMenge({"e8", "f8", "g8", "h8", "e7", "f7", "g7", "h7", "e6", "f6", "g6", "f5"});
    if ((v < 6 - r + btm && v < t) || v <= 1 || (z.koenigS & eckeH8)) kannNicht = true;
  }
}

void FalscherLaeuferSchwarz(const Stellung& st, const BewertungsZustand& z, bool& kannNicht) {
  if (z.springerS | z.tuermeS | z.damenS) return;
  if (!z.bauernS) return;
  const bool formH = !(z.laeuferS & HelleFelder) && !(z.bauernS & ~LinieH);
  const bool formA = !(z.laeuferS & DunkleFelder) && !(z.bauernS & ~LinieA);
  if (!formH && !formA) return;
  const int ecke = formH ? FeldNr("h1") : FeldNr("a1");
  const Bitboard springerLinie = formH ? LinieG : LinieB;
  const Bitboard bauerLinie = formH ? LinieH : LinieA;

  const int vorn = ErstesBit(z.bauernS), r = Reihe(vorn);
  const Bitboard vorFeld = FreibauerMaskeSchwarz[LetztesBit(z.bauernS)];
  const int dW = FeldAbstand(st.koenigW, ecke), dB = FeldAbstand(st.koenigS, ecke);
  const int wtm = st.amZug == Weiss ? 1 : 0;
  const int t = r + wtm - (r == 6) - (r <= 3);

  const Bitboard springerBauern = vorFeld & z.bauernW & springerLinie;
  const int schraegVorn = formH ? vorn - 9 : vorn - 7;
  const bool springerLinieOffen =
      !springerBauern || (Anzahl(springerBauern) == 1 && ErstesBit(springerBauern) != schraegVorn);
  if (springerLinieOffen && !(vorFeld & z.bauernW & bauerLinie) &&
      (dW <= 1 || (dW < dB - 1 + wtm && dW < t)))
    kannNicht = true;
}

// Four men: a bishop shut in on a7/h7 (a2/h2) behind its own pawn, with the
// enemy king in the corner. 0 when no fortress.
int TrappedLaeufer(const BewertungsZustand& z) {
  auto feld = [](const char* n) { return Feldmaske[FeldNr(n)]; };
  if (z.bauernW == feld("b6") && z.laeuferW == feld("a7") &&
      (z.koenigS & FeldMenge({"a7", "b7", "a8", "b8"})))
    return 1;
  if (z.bauernW == feld("g6") && z.laeuferW == feld("h7") &&
      (z.koenigS & FeldMenge({"g7", "h7", "g8", "h8"})))
    return 1;
  if (z.bauernS == feld("b3") && z.laeuferS == feld("a2") &&
      (z.koenigW & FeldMenge({"a1", "b1", "a2", "b2"})))
    return -1;
  if (z.bauernS == feld("g3") && z.laeuferS == feld("h2") &&
      (z.koenigW & FeldMenge({"g1", "h1", "g2", "h2"})))
    return -1;
  return 0;
}

// Five men, queen against rook and pawn. The rook guarded by a pawn on its
// second rank with its king beside the pawn and the queen's king cut off is
// a fortress (+1 / -1). Otherwise a knight-file pawn makes the queen's win
// slow: the material counts half.
int DameGegenTurmBauer(const Stellung& st, const BewertungsZustand& z, int32_t& material) {
  static constexpr Bitboard halbW =
      FeldMenge({"b2", "g2", "b3", "g3", "b4", "g4", "b5", "g5", "b7", "g7"});
  static constexpr Bitboard halbS =
      FeldMenge({"b2", "g2", "b4", "g4", "b5", "g5", "b6", "g6", "b7", "g7"});
  const int kW = st.koenigW, kS = st.koenigS;
  if (Anzahl(z.damenW) == 1 && st.weiss == (z.damenW | z.koenigW) && Anzahl(z.tuermeS) == 1 &&
      Anzahl(z.bauernS) == 1 && st.schwarz == (z.tuermeS | z.bauernS | z.koenigS)) {
    const int bauer = ErstesBit(z.bauernS);
    if (Reihe(bauer) == 6 && Linie(bauer) >= 1 && Linie(bauer) <= 6 &&
        (BauerAngriffSchwarz[bauer] & z.tuermeS) && (KoenigAngriff[bauer] & z.koenigS) &&
        Reihe(kS) >= Reihe(bauer) && Reihe(kW) < Reihe(bauer) - 1)
      return 1;
    if (z.bauernS & halbW) material /= 2;
  } else if (Anzahl(z.damenS) == 1 && st.schwarz == (z.damenS | z.koenigS) &&
             Anzahl(z.tuermeW) == 1 && Anzahl(z.bauernW) == 1 &&
             st.weiss == (z.tuermeW | z.bauernW | z.koenigW)) {
    const int bauer = ErstesBit(z.bauernW);
    if (Reihe(bauer) == 1 && Linie(bauer) >= 1 && Linie(bauer) <= 6 &&
        (BauerAngriffWeiss[bauer] & z.tuermeW) && (KoenigAngriff[bauer] & z.koenigW) &&
        Reihe(kW) <= Reihe(bauer) && Reihe(kS) > Reihe(bauer) + 1)
      return -1;
    if (z.bauernW & halbS) material /= 2;
  }
  return 0;
}

// No pawn, rook or queen, and no pair of minor pieces that can force mate.
bool OhneMattmaterial(const Stellung& st, Bitboard bauern, Bitboard springer, Bitboard laeufer,
                      Bitboard tuerme, Bitboard damen) {
  if (bauern | tuerme | damen) return false;
  if (st.remisMaterial) return false;
  const bool laeuferpaar = (laeufer & HelleFelder) && (laeufer & DunkleFelder);
  const bool laeuferSpringer = laeufer && springer;
  return !(laeuferpaar || laeuferSpringer || Anzahl(springer) > 2);
}

}  // namespace

BewertungsZustand FigurenBretter(const Stellung& st) {
  BewertungsZustand z;
  z.bauernW = st.bauern & st.weiss;
  z.springerW = st.springer & st.weiss;
  z.laeuferW = st.laeufer & st.weiss;
  z.tuermeW = st.tuerme & st.weiss;
  z.damenW = st.damen & st.weiss;
  z.koenigW = st.koenigW < 64 ? Feldmaske[st.koenigW] : 0;
  z.bauernS = st.bauern & st.schwarz;
  z.springerS = st.springer & st.schwarz;
  z.laeuferS = st.laeufer & st.schwarz;
  z.tuermeS = st.tuerme & st.schwarz;
  z.damenS = st.damen & st.schwarz;
  z.koenigS = st.koenigS < 64 ? Feldmaske[st.koenigS] : 0;
  return z;
}

void KoenigsPhasen(BewertungsZustand& z, int n) {
  if (n < 17) {
    z.phaseW = z.phaseS = PhaseEndspiel;
    z.endspiel = 1;
    return;
  }
  z.phaseW = z.phaseS = PhaseMittelspiel;
  if (n > 25 && Anzahl((z.springerW | z.laeuferW) & Reihe1) >= 2) z.phaseW = PhaseEroeffnung;
  if (n > 25 && Anzahl((z.springerS | z.laeuferS) & Reihe8) >= 2) z.phaseS = PhaseEroeffnung;
  // A king may come out once the enemy's attacking force is small.
  auto angriffsKraft = [](Bitboard springer, Bitboard laeufer, Bitboard tuerme, Bitboard damen) {
    return Anzahl(springer | laeufer) + 2 * (Anzahl(tuerme) + 2 * Anzahl(damen));
  };
  if (angriffsKraft(z.springerS, z.laeuferS, z.tuermeS, z.damenS) < 7) z.phaseW = PhaseEndspiel;
  if (angriffsKraft(z.springerW, z.laeuferW, z.tuermeW, z.damenW) < 7) z.phaseS = PhaseEndspiel;
  z.endspiel = z.phaseW == PhaseEndspiel && z.phaseS == PhaseEndspiel ? 1 : 0;
}

int16_t StellungBewerten(Stellung& st, uint8_t ansicht) {
  st.remisRegel = 0;
  const int n = Anzahl(st.weiss | st.schwarz);

  // Fifty moves, and bare kings: dead draws.
  if (st.halbzuege >= 100 || !(st.bauern | st.springer | st.laeufer | st.tuerme | st.damen)) {
    st.remisMaterial = 1;
    return Abschluss(st, 0, ansicht);
  }

  BewertungsZustand z = FigurenBretter(st);
  // The men besides the kings (n - 2 in a position with both kings).
  const int figuren = Anzahl((st.weiss | st.schwarz) & ~(z.koenigW | z.koenigS));

  // Pawn endings have their own evaluation, unscaled.
  if (!(st.springer | st.laeufer | st.tuerme | st.damen)) {
    const int32_t modus = SuchOptionen().gegenfeldModus.load(std::memory_order_relaxed);
    return Abschluss(st, BauernendspielBewerten(st, modus), ansicht);
  }
  if (n < 5 && EndspielErkenner(st, static_cast<uint8_t>(n), z))
    return Abschluss(st, st.bewertung, ansicht);

  int32_t material =
      WertDame * (Anzahl(z.damenW) - Anzahl(z.damenS)) +
      WertTurm * (Anzahl(z.tuermeW) - Anzahl(z.tuermeS)) +
      WertBauer * (3 * (Anzahl(z.springerW | z.laeuferW) - Anzahl(z.springerS | z.laeuferS)) +
                   Anzahl(z.bauernW) - Anzahl(z.bauernS));

  // Nothing but bishops of one colour: no mate is possible.
  const int hell = Anzahl(st.laeufer & HelleFelder), dunkel = Anzahl(st.laeufer & DunkleFelder);
  if (hell == figuren || dunkel == figuren) {
    st.remisMaterial = 1;
    return Abschluss(st, 0, ansicht);
  }

  KannNichtGewinnen kannNicht;
  FalscherLaeuferWeiss(st, z, kannNicht.weiss);
  FalscherLaeuferSchwarz(st, z, kannNicht.schwarz);

  if (n == 4) {
    if (const int festung = TrappedLaeufer(z)) return Abschluss(st, festung, ansicht);
  }

  // Three or more knights mate, but slowly: their material counts less.
  const int springerW = Anzahl(z.springerW), springerS = Anzahl(z.springerS);
  if (springerW == figuren && springerW > 2)
    material = 300 * springerW - 450;
  else if (springerS == figuren && springerS > 2)
    material = -(300 * springerS - 450);

  if (n == 5) {
    if (const int festung = DameGegenTurmBauer(st, z, material))
      return Abschluss(st, festung, ansicht);
  }

  KoenigsPhasen(z, n);

  const TermSummen terme = BewertungsTerme(st, z, material);
  if (terme.patt) {
    st.remisMaterial = 1;
    return Abschluss(st, 0, ansicht);
  }
  int32_t wert = material + terme.p + terme.k + terme.c;

  const int bauernDifferenz = Anzahl(z.bauernW) - Anzahl(z.bauernS);
  const bool weissOhne =
      OhneMattmaterial(st, z.bauernW, z.springerW, z.laeuferW, z.tuermeW, z.damenW);
  // Black's lack of mating material is looked at only where White has it: a
  // minor piece each leaves a small lead for Black standing.
  if (!weissOhne && OhneMattmaterial(st, z.bauernS, z.springerS, z.laeuferS, z.tuermeS, z.damenS))
    kannNicht.schwarz = true;
  if ((weissOhne || kannNicht.weiss) && wert > 2)
    wert = bauernDifferenz;
  else if (kannNicht.schwarz && wert < 2)
    wert = bauernDifferenz;

  // 0 stands only for a recognised draw.
  if (wert == 0 && !st.remisMaterial) wert = st.amZug == Weiss ? 1 : -1;
  return Abschluss(st, wert, ansicht);
}

uint8_t BewertungTBVorbereiten(const int32_t* weissListe, const int32_t* schwarzListe, const void*,
                               int32_t, int32_t tempo, int32_t polaritaet) {
  // The squares of one kind from a list; out-of-range positions or squares
  // are skipped rather than read.
  auto figuren = [](const int32_t* liste, int art) {
    Bitboard b = 0;
    if (!liste) return b;
    const int32_t von = liste[art], bis = art < 5 ? liste[art + 1] : von + 1;
    for (int32_t i = std::max(von, 0); i < std::min(bis, int32_t{6}); ++i)
      if (liste[6 + i] >= 0 && liste[6 + i] < 64) b |= Feldmaske[liste[6 + i]];
    return b;
  };
  auto koenig = [&](const int32_t* liste) {
    const Bitboard k = figuren(liste, 5);
    return k ? ErstesBit(k) : KeinFeld;
  };
  const Bitboard bauernW = figuren(weissListe, 0);
  if (!bauernW) return 1;
  const Bitboard laeuferW = figuren(weissListe, 2);
  const int r = Reihe(LetztesBit(bauernW));
  const int ecke = FeldNr("h8");
  const int dB = FeldAbstand(koenig(schwarzListe), ecke);
  const int dW = FeldAbstand(koenig(weissListe), ecke);

  bool weit = false;
  if (dB >= 2) {
    static constexpr Bitboard laeuferFelder =
        FeldMenge({"b1", "a2", "c2", "b3", "d3", "c4", "e4", "d5", "f5", "h5", "e6", "h7", "e8"});
    const int c = !(laeuferW & laeuferFelder) && r != 5 ? 1 : 0;
    const int t = c - (r == 1) - r - tempo + 7;
    weit = dB >= t || dB >= dW - tempo;
  }
  return static_cast<uint8_t>(polaritaet != 0 ? !weit : weit);
}

}  // namespace galdrik
