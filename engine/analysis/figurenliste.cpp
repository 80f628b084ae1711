// Legal moves of a six-slot position from check, evasion and pin masks,
// built on the core's line-attack tables; no allocation, every set a local.
#include "analysis/figurenliste.h"

#include "core/board.h"

namespace galdrik {

namespace {

// The occupancy in the four line layouts and the men of each colour by type.
struct Belegung {
  Bitboard belegt = 0, belegt90 = 0, belegtA1H8 = 0, belegtH1A8 = 0;
  Bitboard farbe[2] = {0, 0};  // [1] White, [0] Black
  Bitboard bauern[2] = {0, 0};
  Bitboard springer[2] = {0, 0};
  Bitboard laeuferDamen[2] = {0, 0};
  Bitboard turmDamen[2] = {0, 0};
  int koenig[2] = {KeinFeld, KeinFeld};
};

// Fills b from the slots; false for a slot off the board or a side without
// exactly one king.
bool BelegungBauen(const int8_t* figuren, int32_t* const* felder, Belegung& b) {
  int koenige[2] = {0, 0};
  for (int k = 0; k < FigurenlisteSlots; ++k) {
    const int code = figuren[k];
    if (code == 0) continue;
    const int32_t s = *felder[k];
    if (s < 0 || s > 63) return false;
    const int c = code > 0 ? 1 : 0;
    const Bitboard m = Feldmaske[s];
    b.belegt |= m;
    b.belegt90 |= Feldmaske90[s];
    b.belegtA1H8 |= FeldmaskeA1H8[s];
    b.belegtH1A8 |= FeldmaskeH1A8[s];
    b.farbe[c] |= m;
    switch (Betrag(code)) {
      case Bauer:
        b.bauern[c] |= m;
        break;
      case Springer:
        b.springer[c] |= m;
        break;
      case Laeufer:
        b.laeuferDamen[c] |= m;
        break;
      case Turm:
        b.turmDamen[c] |= m;
        break;
      case Dame:
        b.laeuferDamen[c] |= m;
        b.turmDamen[c] |= m;
        break;
      case Koenig:
        b.koenig[c] = s;
        ++koenige[c];
        break;
      default:
        return false;
    }
  }
  return koenige[0] == 1 && koenige[1] == 1;
}

const Bitboard* BauernAngriff(int farbe) { return farbe ? BauerAngriffWeiss : BauerAngriffSchwarz; }

// Is square k attacked by the sliders, knights and pawns of colour g under
// the given occupancy (the king of g not counted)?
bool Angegriffen(int k, int g, const Bitboard bauernG, const Belegung& b, Bitboard belegt,
                 Bitboard belegt90, Bitboard belegtA1H8, Bitboard belegtH1A8) {
  if ((ReihenAngriffe(k, belegt) | LinienAngriffe(k, belegt90)) & b.turmDamen[g]) return true;
  if ((A1H8Angriffe(k, belegtA1H8) | H1A8Angriffe(k, belegtH1A8)) & b.laeuferDamen[g]) return true;
  if (SpringerAngriff[k] & b.springer[g]) return true;
  return (BauernAngriff(1 - g)[k] & bauernG) != 0;
}

class Ausgabe {
 public:
  explicit Ausgabe(FigurenlisteZugliste& l) : l_(l) {}
  void Zug(int slot, int ziel, uint8_t flag) {
    if (n_ >= FigurenlisteMaxZuege) return;
    l_.slot[n_] = static_cast<uint8_t>(slot);
    l_.ziel[n_] = static_cast<uint8_t>(ziel);
    l_.flags[n_] = flag;
    ++n_;
  }
  // Every target of the set, captures marked by the opposing men.
  void Ziele(int slot, Bitboard ziele, Bitboard gegner) {
    while (ziele) {
      const int z = ErstesBitEntfernen(ziele);
      Zug(slot, z, (gegner & Feldmaske[z]) ? ZugFlagSchlag : ZugFlagRuhig);
    }
  }
  void Umwandlungen(int slot, int ziel, uint8_t schlag) {
    Zug(slot, ziel, static_cast<uint8_t>(ZugFlagUmwSpringer | schlag));
    Zug(slot, ziel, static_cast<uint8_t>(ZugFlagUmwLaeufer | schlag));
    Zug(slot, ziel, static_cast<uint8_t>(ZugFlagUmwTurm | schlag));
    Zug(slot, ziel, static_cast<uint8_t>(ZugFlagUmwDame | schlag));
  }
  uint32_t Anzahl() const { return n_; }

 private:
  FigurenlisteZugliste& l_;
  uint32_t n_ = 0;
};

}  // namespace

uint32_t FigurenlisteZuege(const int8_t* figuren, int32_t* const* felder, int32_t epFeld,
                           int32_t amZug, FigurenlisteZugliste& liste, uint32_t& schachgeber) {
  schachgeber = 0;
  liste.anzahl = 0;
  Belegung b;
  if (!BelegungBauen(figuren, felder, b)) return 0;

  const int e = amZug == 1 ? 1 : 0;  // own colour
  const int g = 1 - e;
  const int kf = b.koenig[e];
  const Bitboard kMaske = Feldmaske[kf];
  const Bitboard eigene = b.farbe[e], gegner = b.farbe[g];
  // No move ever takes a king; only a broken position would offer one.
  const Bitboard tabu = eigene | Feldmaske[b.koenig[g]];

  // King rays under the current occupancy, and the whole lines.
  const Bitboard strahlR = ReihenAngriffe(kf, b.belegt);
  const Bitboard strahlL = LinienAngriffe(kf, b.belegt90);
  const Bitboard strahlA = A1H8Angriffe(kf, b.belegtA1H8);
  const Bitboard strahlH = H1A8Angriffe(kf, b.belegtH1A8);
  const Bitboard ganzR = ReihenAngriff[kf][0];
  const Bitboard ganzL = LinienAngriff[kf][0];
  const Bitboard ganzA = DiagonalAngriffA1H8[kf][0];
  const Bitboard ganzH = DiagonalAngriffH1A8[kf][0];

  // Checks, attacked squares and the opposing sliders' line sets by type.
  uint32_t schach = 0;
  Bitboard ausweich = 0;
  Bitboard angegriffen = KoenigAngriff[b.koenig[g]];
  if (angegriffen & kMaske) schach = 1;
  Bitboard verboten = 0;  // squares on a checking line, the one behind the king among them
  Bitboard linienR = 0, linienL = 0, linienA = 0, linienH = 0;
  const Bitboard* gegnerBauernAngriff = BauernAngriff(g);
  auto Linienschach = [&](int s, Bitboard satz, Bitboard strahl) {
    if (!(satz & kMaske)) return;
    ++schach;
    ausweich = (Feldmaske[s] | satz) & strahl;
    verboten |= strahl & ~Feldmaske[s];
  };
  for (int k = 0; k < FigurenlisteSlots; ++k) {
    const int code = figuren[k];
    if (code == 0 || (code > 0 ? 1 : 0) != g) continue;
    const int s = *felder[k];
    const int typ = Betrag(code);
    if (typ == Springer || typ == Bauer) {
      const Bitboard a = typ == Springer ? SpringerAngriff[s] : gegnerBauernAngriff[s];
      angegriffen |= a;
      if (a & kMaske) {
        ++schach;
        ausweich = Feldmaske[s];
      }
      continue;
    }
    if (typ == Turm || typ == Dame) {
      const Bitboard r = ReihenAngriffe(s, b.belegt), l = LinienAngriffe(s, b.belegt90);
      angegriffen |= r | l;
      linienR |= r;
      linienL |= l;
      Linienschach(s, r, strahlR);
      Linienschach(s, l, strahlL);
    }
    if (typ == Laeufer || typ == Dame) {
      const Bitboard a = A1H8Angriffe(s, b.belegtA1H8), h = H1A8Angriffe(s, b.belegtH1A8);
      angegriffen |= a | h;
      linienA |= a;
      linienH |= h;
      Linienschach(s, a, strahlA);
      Linienschach(s, h, strahlH);
    }
  }
  schachgeber = schach;
  const Bitboard maske = schach == 0 ? ~Bitboard{0} : schach == 1 ? ausweich : 0;

  const Bitboard pinR = strahlR & linienR & eigene;
  const Bitboard pinL = strahlL & linienL & eigene;
  const Bitboard pinA = strahlA & linienA & eigene;
  const Bitboard pinH = strahlH & linienH & eigene;
  const Bitboard gefesselt = pinR | pinL | pinA | pinH;

  // An en-passant capture is judged by playing it out: it removes two men
  // from one rank and may take a checking pawn, which the masks above do
  // not describe. Only a real en-passant square counts.
  Bitboard epZiel = 0;
  int epOpfer = 0;
  if (epFeld >= 0 && epFeld < 64 && schach < 2) {
    epOpfer = e ? epFeld - 8 : epFeld + 8;
    const bool echt = Reihe(epFeld) == (e ? 5 : 2) && !(b.belegt & Feldmaske[epFeld]) &&
                      (b.bauern[g] & Feldmaske[epOpfer]);
    if (echt && !(KoenigAngriff[kf] & Feldmaske[b.koenig[g]])) epZiel = Feldmaske[epFeld];
  }

  const Bitboard* eigenerBauernAngriff = BauernAngriff(e);
  const int schritt = e ? 8 : -8;
  const int startReihe = e ? 1 : 6;
  const int vorletzteReihe = e ? 6 : 1;
  const int letzteReihe = e ? 7 : 0;
  Ausgabe aus(liste);
  for (int k = 0; k < FigurenlisteSlots; ++k) {
    const int code = figuren[k];
    if (code == 0 || (code > 0 ? 1 : 0) != e) continue;
    const int s = *felder[k];
    const Bitboard m = Feldmaske[s];
    switch (Betrag(code)) {
      case Koenig:
        aus.Ziele(k, KoenigAngriff[s] & ~tabu & ~angegriffen & ~verboten, gegner);
        break;
      case Springer:
        if (!(gefesselt & m)) aus.Ziele(k, SpringerAngriff[s] & ~tabu & maske, gegner);
        break;
      case Turm: {
        if ((pinA | pinH) & m) break;
        Bitboard z = (ReihenAngriffe(s, b.belegt) | LinienAngriffe(s, b.belegt90)) & ~tabu & maske;
        if (pinR & m) z &= ganzR;
        if (pinL & m) z &= ganzL;
        aus.Ziele(k, z, gegner);
        break;
      }
      case Laeufer: {
        if ((pinR | pinL) & m) break;
        Bitboard z =
            (A1H8Angriffe(s, b.belegtA1H8) | H1A8Angriffe(s, b.belegtH1A8)) & ~tabu & maske;
        if (pinA & m) z &= ganzA;
        if (pinH & m) z &= ganzH;
        aus.Ziele(k, z, gegner);
        break;
      }
      case Dame: {
        Bitboard z = (ReihenAngriffe(s, b.belegt) | LinienAngriffe(s, b.belegt90) |
                      A1H8Angriffe(s, b.belegtA1H8) | H1A8Angriffe(s, b.belegtH1A8)) &
                     ~tabu & maske;
        if (pinA & m)
          z &= ganzA;
        else if (pinH & m)
          z &= ganzH;
        else if (pinR & m)
          z &= ganzR;
        else if (pinL & m)
          z &= ganzL;
        aus.Ziele(k, z, gegner);
        break;
      }
      case Bauer: {
        if (Reihe(s) == letzteReihe) break;  // no pawn stands there in a legal position
        if (!((pinR | pinA | pinH) & m)) {
          const int einfach = s + schritt;
          if (!(b.belegt & Feldmaske[einfach])) {
            if (maske & Feldmaske[einfach]) {
              if (Reihe(s) == vorletzteReihe)
                aus.Umwandlungen(k, einfach, 0);
              else
                aus.Zug(k, einfach, ZugFlagRuhig);
            }
            const int doppelt = einfach + schritt;
            if (Reihe(s) == startReihe && !(b.belegt & Feldmaske[doppelt]) &&
                (maske & Feldmaske[doppelt])) {
              const bool epMoeglich = (eigenerBauernAngriff[einfach] & b.bauern[g]) != 0;
              aus.Zug(k, doppelt, epMoeglich ? ZugFlagDoppelschrittEP : ZugFlagRuhig);
            }
          }
        }
        Bitboard z = 0;
        if (!((pinR | pinL) & m)) {
          z = eigenerBauernAngriff[s] & gegner & ~tabu;
          if (pinA & m) z &= ganzA;
          if (pinH & m) z &= ganzH;
          z &= maske;
        }
        if (eigenerBauernAngriff[s] & epZiel) {
          const Bitboard weg = m | Feldmaske[epOpfer], hin = epZiel;
          const bool frei = !Angegriffen(
              kf, g, b.bauern[g] & ~Feldmaske[epOpfer], b, (b.belegt & ~weg) | hin,
              (b.belegt90 & ~(Feldmaske90[s] | Feldmaske90[epOpfer])) | Feldmaske90[epFeld],
              (b.belegtA1H8 & ~(FeldmaskeA1H8[s] | FeldmaskeA1H8[epOpfer])) | FeldmaskeA1H8[epFeld],
              (b.belegtH1A8 & ~(FeldmaskeH1A8[s] | FeldmaskeH1A8[epOpfer])) |
                  FeldmaskeH1A8[epFeld]);
          if (frei) z |= epZiel;
        }
        const bool umwandlung = Reihe(s) == vorletzteReihe;
        while (z) {
          const int ziel = ErstesBitEntfernen(z);
          if (umwandlung)
            aus.Umwandlungen(k, ziel, ZugFlagSchlag);
          else
            aus.Zug(k, ziel, ZugFlagSchlag);
        }
        break;
      }
      default:
        break;
    }
  }
  liste.anzahl = aus.Anzahl();
  return liste.anzahl;
}

int32_t FigurenlisteKoenigBedroht(const int8_t* figuren, int32_t* const* felder, int32_t,
                                  int32_t seite) {
  Belegung b;
  if (!BelegungBauen(figuren, felder, b)) return 0;
  const int e = seite == 1 ? 1 : 0;
  return Angegriffen(b.koenig[e], 1 - e, b.bauern[1 - e], b, b.belegt, b.belegt90, b.belegtA1H8,
                     b.belegtH1A8)
             ? 1
             : 0;
}

}  // namespace galdrik
