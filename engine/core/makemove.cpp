// Make move (copy-make with incremental updates) and the attack tests.
#include "core/makemove.h"

#include "core/zobrist.h"

namespace galdrik {

namespace {

// Sets or clears one square in belegt and the three rotated occupancies.
inline void BelegungSetzenFeld(Stellung& st, int feld) {
  st.belegt |= Feldmaske[feld];
  st.belegt90 |= Feldmaske90[feld];
  st.belegtA1H8 |= FeldmaskeA1H8[feld];
  st.belegtH1A8 |= FeldmaskeH1A8[feld];
}
inline void BelegungLoeschenFeld(Stellung& st, int feld) {
  st.belegt &= ~Feldmaske[feld];
  st.belegt90 &= ~Feldmaske90[feld];
  st.belegtA1H8 &= ~FeldmaskeA1H8[feld];
  st.belegtH1A8 &= ~FeldmaskeH1A8[feld];
}

// The type board of a piece type 1..5 (pawn..queen); nullptr for any other.
inline Bitboard* Typbrett(Stellung& st, int typ) {
  switch (typ) {
    case Bauer:
      return &st.bauern;
    case Springer:
      return &st.springer;
    case Laeufer:
      return &st.laeufer;
    case Turm:
      return &st.tuerme;
    case Dame:
      return &st.damen;
    default:
      return nullptr;
  }
}

}  // namespace

void ZugAusfuehren(Stellung& nachher, const Stellung& vorher, const Zug& zug, uint8_t keyFlag) {
  const int von = zug.von, nach = zug.nach;
  if (von > 63 || nach > 63) {
    // No square of the board: nothing to play (no caller hands such a move).
    if (&nachher != &vorher) nachher = vorher;
    return;
  }
  // The key update reads the parent, so it comes first (the child may be the
  // parent's own storage).
  const uint64_t schluessel = keyFlag == 1 ? HashCodeZug(vorher, zug) : vorher.schluessel;
  if (&nachher != &vorher) nachher = vorher;
  Stellung& st = nachher;

  const uint8_t seite = st.amZug;
  const bool weissZieht = seite == Weiss;
  const int8_t figur = zug.figur, geschlagen = zug.geschlagen;
  const uint8_t art = zug.zugart;
  const int typ = Betrag(figur);
  Bitboard& eigene = weissZieht ? st.weiss : st.schwarz;
  Bitboard& gegner = weissZieht ? st.schwarz : st.weiss;

  // 1. En passant.
  const bool enPassant = zug.enPassant == 1 || (art == 2 && geschlagen == 0 && nach == st.epFeld);

  // 2. Side, en-passant square, counters.
  st.amZug = static_cast<uint8_t>(1 - seite);
  st.epFeld = KeinEPFeld;
  if (typ == Bauer || geschlagen != 0)
    st.halbzuege = 0;
  else if (st.halbzuege < 255)
    st.halbzuege = static_cast<uint8_t>(st.halbzuege + 1);
  st.remisRegel = 0;
  // The dead-draw mark belongs to the evaluated parent, not to its children:
  // a child that kept it would have no moves, and one in check would look mated.
  st.remisMaterial = 0;

  // 3. Check flags from the move's gives-check byte.
  if (weissZieht) {
    st.schachW = 0;
    st.schachS = zug.schach == 1;
  } else {
    st.schachS = 0;
    st.schachW = zug.schach == 1;
  }

  // 4. Capture: the captured man leaves its type board; a captured rook on
  // its corner ends that castling right. (Its colour board follows in 6.)
  if (geschlagen != 0 && !enPassant) {
    if (Bitboard* b = Typbrett(st, Betrag(geschlagen))) *b &= ~Feldmaske[nach];
    if (geschlagen == Turm && nach == 0) st.rochade[RochadeWeissLang] = 0;
    if (geschlagen == Turm && nach == 7) st.rochade[RochadeWeissKurz] = 0;
    if (geschlagen == -Turm && nach == 56) st.rochade[RochadeSchwarzLang] = 0;
    if (geschlagen == -Turm && nach == 63) st.rochade[RochadeSchwarzKurz] = 0;
    // A captured king (never from a legal position) leaves no king behind,
    // so that the record stays consistent.
    if (geschlagen == Koenig && st.koenigW == nach) st.koenigW = KeinFeld;
    if (geschlagen == -Koenig && st.koenigS == nach) st.koenigS = KeinFeld;
  }

  // 5. By kind.
  const int rechteBasis = weissZieht ? RochadeWeissLang : RochadeSchwarzLang;
  if (art == ZugartRochade) {
    int kVon, kNach, tVon, tNach;
    switch (nach) {
      case 2:
        kVon = 4, kNach = 2, tVon = 0, tNach = 3;
        break;
      case 6:
        kVon = 4, kNach = 6, tVon = 7, tNach = 5;
        break;
      case 58:
        kVon = 60, kNach = 58, tVon = 56, tNach = 59;
        break;
      case 62:
        kVon = 60, kNach = 62, tVon = 63, tNach = 61;
        break;
      default:
        kVon = -1, kNach = tVon = tNach = 0;
        break;
    }
    if (kVon >= 0) {
      eigene &= ~(Feldmaske[kVon] | Feldmaske[tVon]);
      eigene |= Feldmaske[kNach] | Feldmaske[tNach];
      BelegungLoeschenFeld(st, kVon);
      BelegungLoeschenFeld(st, tVon);
      BelegungSetzenFeld(st, kNach);
      BelegungSetzenFeld(st, tNach);
      st.tuerme = (st.tuerme & ~Feldmaske[tVon]) | Feldmaske[tNach];
      st.rochade[rechteBasis] = st.rochade[rechteBasis + 1] = 0;
      (weissZieht ? st.koenigW : st.koenigS) = static_cast<uint8_t>(kNach);
      const int8_t vorzeichen = weissZieht ? 1 : -1;
      st.figurenfeld[kVon] = st.figurenfeld[tVon] = 0;
      st.figurenfeld[kNach] = static_cast<int8_t>(vorzeichen * Koenig);
      st.figurenfeld[tNach] = static_cast<int8_t>(vorzeichen * Turm);
    }
    st.schluessel = schluessel;  // 8.
    return;
  }
  if (typ == Koenig) {
    st.rochade[rechteBasis] = st.rochade[rechteBasis + 1] = 0;
    (weissZieht ? st.koenigW : st.koenigS) = static_cast<uint8_t>(nach);
  } else if (typ >= Springer && typ <= Dame) {
    Bitboard* b = Typbrett(st, typ);
    *b = (*b & ~Feldmaske[von]) | Feldmaske[nach];
    if (figur == Turm && von == 0) st.rochade[RochadeWeissLang] = 0;
    if (figur == Turm && von == 7) st.rochade[RochadeWeissKurz] = 0;
    if (figur == -Turm && von == 56) st.rochade[RochadeSchwarzLang] = 0;
    if (figur == -Turm && von == 63) st.rochade[RochadeSchwarzKurz] = 0;
  } else if (typ == Bauer && (art == 0 || art == 2 || art == 4)) {
    if (weissZieht && Reihe(von) == 1 && Reihe(nach) == 3) {
      st.epFeld = static_cast<uint8_t>(von + 8);
    } else if (!weissZieht && Reihe(von) == 6 && Reihe(nach) == 4) {
      st.epFeld = static_cast<uint8_t>(von - 8);
    } else if (enPassant) {
      const int opfer = weissZieht ? nach - 8 : nach + 8;
      if (opfer >= 0 && opfer < 64) {
        gegner &= ~Feldmaske[opfer];
        st.bauern &= ~Feldmaske[opfer];
        BelegungLoeschenFeld(st, opfer);
        st.figurenfeld[opfer] = 0;
      }
    }
    st.bauern = (st.bauern & ~Feldmaske[von]) | Feldmaske[nach];
  } else if (typ == Bauer && (art == 16 || art == 32 || art == 64 || art == 128)) {
    st.bauern &= ~Feldmaske[von];
    const int neu = art == 16 ? Springer : art == 32 ? Laeufer : art == 64 ? Turm : Dame;
    *Typbrett(st, neu) |= Feldmaske[nach];
  }

  // 6. Colour boards and occupancies.
  eigene = (eigene & ~Feldmaske[von]) | Feldmaske[nach];
  gegner &= ~Feldmaske[nach];
  BelegungLoeschenFeld(st, von);
  BelegungSetzenFeld(st, nach);

  // 7. Square array.
  st.figurenfeld[von] = 0;
  const int8_t vorzeichen = weissZieht ? 1 : -1;
  int8_t neu = figur;
  switch (art) {
    case ZugartUmwSpringer:
      neu = static_cast<int8_t>(vorzeichen * Springer);
      break;
    case ZugartUmwLaeufer:
      neu = static_cast<int8_t>(vorzeichen * Laeufer);
      break;
    case ZugartUmwTurm:
      neu = static_cast<int8_t>(vorzeichen * Turm);
      break;
    case ZugartUmwDame:
      neu = static_cast<int8_t>(vorzeichen * Dame);
      break;
    default:
      break;
  }
  st.figurenfeld[nach] = neu;

  // 8. Key.
  st.schluessel = schluessel;
}

Stellung ZugAusfuehren(const Stellung& vorher, const Zug& zug, uint8_t keyFlag) {
  Stellung nachher;
  ZugAusfuehren(nachher, vorher, zug, keyFlag);
  return nachher;
}

bool FeldAngegriffen(const Stellung& st, int feld, uint8_t farbe) {
  // Square 64 (a missing king) reads the empty table entries; nothing else
  // outside the board is looked up.
  return detail::Angegriffen(st, feld, farbe);
}

uint8_t AbtauschHilfe(const Stellung& st, uint8_t farbe, uint8_t feld, uint8_t& figurTyp,
                      uint8_t& wert) {
  figurTyp = 0;
  wert = 0;
  if (feld > 63) return 0;
  const bool weissZaehlt = farbe == 1;
  const Bitboard eigene = weissZaehlt ? st.weiss : st.schwarz;
  const int koenig = KoenigFeld(weissZaehlt ? st.koenigW : st.koenigS);
  const Bitboard turmLinien = TurmAngriffe(st, feld);
  const Bitboard laeuferLinien = LaeuferAngriffe(st, feld);
  int anzahl = 0;
  auto treffer = [&](Bitboard b, uint8_t typ, uint8_t w) {
    if (!b) return;
    anzahl += BitAnzahl(b);
    figurTyp = typ;
    wert = w;
  };
  treffer(KoenigAngriff[feld] & Feldmaske[koenig], Koenig, 0);
  treffer((turmLinien | laeuferLinien) & st.damen & eigene, Dame, 9);
  treffer(turmLinien & st.tuerme & eigene, Turm, 5);
  treffer(laeuferLinien & st.laeufer & eigene, Laeufer, 3);
  treffer(SpringerAngriff[feld] & st.springer & eigene, Springer, 3);
  treffer((weissZaehlt ? BauerAngriffSchwarz[feld] : BauerAngriffWeiss[feld]) & st.bauern & eigene,
          Bauer, 1);
  return static_cast<uint8_t>(anzahl);
}

int16_t FigurWert(int8_t geschlagen, uint8_t zugart) {
  switch (geschlagen) {
    case 5:
    case -5:
      return WertDame;
    case 4:
    case -4:
      return WertTurm;
    case 3:
    case -3:
      return WertLaeufer;
    case 2:
    case -2:
      return WertSpringer;
    case 0:
      return 0;
    case 1:
    case -1:
      switch (zugart) {
        case ZugartUmwSpringer:
          return WertSpringer - WertBauer;
        case ZugartUmwLaeufer:
          return WertLaeufer - WertBauer;
        case ZugartUmwTurm:
          return WertTurm - WertBauer;
        case ZugartUmwDame:
          return WertDame - WertBauer;
        default:
          return WertBauer;
      }
    default:
      return WertUnbekannt;
  }
}

bool HashZugGueltig(const Stellung& st, const Zug& zug) {
  const int von = zug.von, nach = zug.nach;
  if (von > 63 || nach > 63) return false;  // no table move names such squares
  const int8_t p = zug.figur, c = zug.geschlagen;
  const bool weissZieht = st.amZug == Weiss;

  // 1. Colours.
  if (weissZieht ? (p <= 0 || c > 0) : (p >= 0 || c < 0)) return false;

  auto leer = [&](int s) { return (st.belegt & Feldmaske[s]) == 0; };
  auto turmAuf = [&](int s, Bitboard farbe) { return (st.tuerme & farbe & Feldmaske[s]) != 0; };

  // 2. Castling.
  if (zug.zugart == ZugartRochade) {
    if (weissZieht) {
      if (p != Koenig || st.schachW != 0 || von != 4) return false;
      if (nach == 2)
        return turmAuf(0, st.weiss) && leer(1) && leer(2) && leer(3) &&
               st.rochade[RochadeWeissLang] == 1 && !FeldAngegriffen(st, 3, 1);
      if (nach == 6)
        return turmAuf(7, st.weiss) && leer(5) && leer(6) && st.rochade[RochadeWeissKurz] == 1 &&
               !FeldAngegriffen(st, 5, 1);
      return false;
    }
    if (p != -Koenig || st.schachS != 0 || von != 60) return false;
    if (nach == 58)
      return turmAuf(56, st.schwarz) && leer(57) && leer(58) && leer(59) &&
             st.rochade[RochadeSchwarzLang] == 1 && !FeldAngegriffen(st, 59, 0);
    if (nach == 62)
      return turmAuf(63, st.schwarz) && leer(61) && leer(62) &&
             st.rochade[RochadeSchwarzKurz] == 1 && !FeldAngegriffen(st, 61, 0);
    return false;
  }

  // 3. En passant.
  if (zug.enPassant == 1) {
    if (st.epFeld >= 64 || nach != st.epFeld) return false;
    if (p == Bauer) return (BauerAngriffWeiss[von] & Feldmaske[nach]) != 0;
    if (p == -Bauer) return (BauerAngriffSchwarz[von] & Feldmaske[nach]) != 0;
    return false;
  }

  // 4. By moving piece.
  const Bitboard ziel = Feldmaske[nach];
  switch (p) {
    case Koenig:
    case -Koenig:
      return (KoenigAngriff[von] & ziel) != 0;
    case Springer:
    case -Springer:
      return (SpringerAngriff[von] & ziel) != 0;
    case Laeufer:
    case -Laeufer:
      return (LaeuferAngriffe(st, von) & ziel) != 0;
    case Turm:
    case -Turm:
      return (TurmAngriffe(st, von) & ziel) != 0;
    case Dame:
    case -Dame:
      return (DamenAngriffe(st, von) & ziel) != 0;
    case Bauer:
      if (BauerAngriffWeiss[von] & ziel & st.schwarz) return true;
      if (nach == von + 8 && leer(nach)) return true;
      return Reihe(von) == 1 && nach == von + 16 && leer(von + 8) && leer(nach);
    case -Bauer:
      if (BauerAngriffSchwarz[von] & ziel & st.weiss) return true;
      if (nach == von - 8 && leer(nach)) return true;
      return Reihe(von) == 6 && nach == von - 16 && leer(von - 8) && leer(nach);
    default:
      return false;
  }
}

}  // namespace galdrik
