// Reading and writing FEN. The reader is deliberately forgiving about
// missing clock fields and stray characters, but refuses anything that
// would leave a position the rest of the engine cannot play on.
#include "core/fen.h"

#include <algorithm>
#include <cstring>

#include "core/eval.h"
#include "core/makemove.h"
#include "core/zobrist.h"

namespace galdrik {

namespace {

// Piece placement, a8 to h1. False at the first invalid mark; the rest of
// the field is then ignored, and whatever was placed before stays.
bool BrettLesen(std::string_view feld, Stellung& st) {
  int reihe = 7;
  int linie = 0;
  for (const char c : feld) {
    if (c == '/') {
      if (--reihe < 0) return false;
      linie = 0;
      continue;
    }
    if (c >= '0' && c <= '9') {
      // Zero and nine are no square counts; runs of digits are tolerated as
      // long as nothing is placed beyond the h-file afterwards.
      if (c == '0' || c == '9') return false;
      linie = std::min(linie + (c - '0'), 9);
      continue;
    }
    const size_t index = FENBuchstaben.find(c);
    if (index == std::string_view::npos || index > 12 || c == ' ') {
      // An unknown character still takes its square.
      linie = std::min(linie + 1, 9);
      continue;
    }
    if (linie > 7) return false;

    const int figur = static_cast<int>(index) - 6;
    const uint8_t farbe = figur > 0 ? Weiss : Schwarz;
    const int typ = figur > 0 ? figur : -figur;

    const int feldIndex = FeldVon(linie, reihe);
    const Bitboard maske = Feldmaske[feldIndex];
    switch (typ) {
      case Bauer:
        st.bauern |= maske;
        break;
      case Springer:
        st.springer |= maske;
        break;
      case Laeufer:
        st.laeufer |= maske;
        break;
      case Turm:
        st.tuerme |= maske;
        break;
      case Dame:
        st.damen |= maske;
        break;
      default: {
        // A second king of one colour would stand in no board at all.
        uint8_t& koenig = farbe == Weiss ? st.koenigW : st.koenigS;
        if (koenig != KeinFeld) return false;
        koenig = static_cast<uint8_t>(feldIndex);
      }
    }
    (farbe == Weiss ? st.weiss : st.schwarz) |= maske;
    ++linie;
  }
  return true;
}

// The next blank-separated word at or after pos; pos moves past it.
std::string_view NaechstesWort(std::string_view text, size_t& pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
  const size_t anfang = pos;
  while (pos < text.size() && text[pos] != ' ') ++pos;
  return text.substr(anfang, pos - anfang);
}

// A decimal number as the C library reads it (sign, digits, anything after
// ignored, nothing readable = 0), saturating far beyond any valid field.
long ZahlLesen(std::string_view wort) {
  size_t i = 0;
  bool negativ = false;
  if (i < wort.size() && (wort[i] == '+' || wort[i] == '-')) negativ = wort[i++] == '-';
  long wert = 0;
  for (; i < wort.size() && wort[i] >= '0' && wort[i] <= '9'; ++i)
    wert = std::min(wert * 10 + (wort[i] - '0'), 1'000'000L);
  return negativ ? -wert : wert;
}

// Side to move, castling, en passant and the two counters, starting at the
// side letter. False at the first invalid mark; later fields stay unread.
bool FelderLesen(std::string_view fen, size_t pos, Stellung& st, uint16_t& halbzugNummer) {
  if (pos >= fen.size()) return false;
  if (fen[pos] == FENBuchstaben[13])
    st.amZug = Weiss;
  else if (fen[pos] == FENBuchstaben[14])
    st.amZug = Schwarz;
  else
    return false;

  // Castling letters only in the order K, Q, k, q; a text ending right
  // after one of them lacks its en-passant field.
  struct RochadeBuchstabe {
    char buchstabe;
    int index;
  };
  constexpr RochadeBuchstabe rochaden[] = {{'K', RochadeWeissKurz},
                                           {'Q', RochadeWeissLang},
                                           {'k', RochadeSchwarzKurz},
                                           {'q', RochadeSchwarzLang}};
  pos += 2;
  for (const auto& r : rochaden) {
    if (pos < fen.size() && fen[pos] == r.buchstabe) {
      st.rochade[r.index] = 1;
      if (++pos >= fen.size()) return false;
    }
  }
  if (pos < fen.size() && fen[pos] == '-') ++pos;

  ++pos;
  if (pos >= fen.size()) return false;
  if (fen[pos] == '-') {
    ++pos;
  } else {
    if (pos + 1 >= fen.size()) return false;
    const int linie = fen[pos] - 'a';
    const int reihe = fen[pos + 1] - '1';
    if (linie < 0 || linie > 7 || reihe < 0 || reihe > 7) return false;
    st.epFeld = static_cast<uint8_t>(FeldVon(linie, reihe));
    pos += 2;
  }

  const long uhr = ZahlLesen(NaechstesWort(fen, pos));
  st.halbzuege = static_cast<uint8_t>(uhr < 0 || uhr > 100 ? 0 : uhr);

  long zug = ZahlLesen(NaechstesWort(fen, pos));
  if (zug < 1 || zug > 5000) zug = 1;
  halbzugNummer = static_cast<uint16_t>(2 * zug - (st.amZug == Weiss ? 1 : 0));
  return true;
}

// Rights that the men on the board cannot back are dropped silently.
void RochadeBereinigen(Stellung& st) {
  const Bitboard weisseTuerme = st.tuerme & st.weiss;
  const Bitboard schwarzeTuerme = st.tuerme & st.schwarz;
  if (st.koenigW != 4) st.rochade[RochadeWeissLang] = st.rochade[RochadeWeissKurz] = 0;
  if (st.koenigS != 60) st.rochade[RochadeSchwarzLang] = st.rochade[RochadeSchwarzKurz] = 0;
  if (!(weisseTuerme & Feldmaske[0])) st.rochade[RochadeWeissLang] = 0;
  if (!(weisseTuerme & Feldmaske[7])) st.rochade[RochadeWeissKurz] = 0;
  if (!(schwarzeTuerme & Feldmaske[56])) st.rochade[RochadeSchwarzLang] = 0;
  if (!(schwarzeTuerme & Feldmaske[63])) st.rochade[RochadeSchwarzKurz] = 0;
}

// Decimal digits of a number; kept local so the library exports nothing of
// the standard library's number formatting.
void ZahlAnhaengen(std::string& text, int zahl) {
  if (zahl < 0) {
    text += '-';
    zahl = -zahl;
  }
  char ziffern[12];
  int n = 0;
  do {
    ziffern[n++] = static_cast<char>('0' + zahl % 10);
    zahl /= 10;
  } while (zahl > 0);
  while (n > 0) text += ziffern[--n];
}

// An en-passant square stays only when a pawn can just have double-stepped
// over it; anything else becomes "none" rather than an error.
void EPBereinigen(Stellung& st) {
  const int ep = st.epFeld;
  if (ep >= 64) {
    st.epFeld = KeinEPFeld;
    return;
  }
  const Bitboard belegt = st.weiss | st.schwarz;
  bool passt;
  if (st.amZug == Schwarz) {
    passt = Reihe(ep) == 2 && (st.bauern & st.weiss & Feldmaske[ep + 8]) &&
            !(belegt & (Feldmaske[ep] | Feldmaske[ep - 8]));
  } else {
    passt = Reihe(ep) == 5 && (st.bauern & st.schwarz & Feldmaske[ep - 8]) &&
            !(belegt & (Feldmaske[ep] | Feldmaske[ep + 8]));
  }
  if (!passt) st.epFeld = KeinEPFeld;
}

}  // namespace

int32_t FENEingabe(const char* fen, Stellung& st, uint16_t& halbzugNummer) {
  if (fen == nullptr) {
    st = Leerstellung();
    halbzugNummer = 1;
    return FENFehlt;
  }
  return FENEingabe(std::string_view(fen, std::strlen(fen)), st, halbzugNummer);
}

int32_t FENEingabe(std::string_view fen, Stellung& st, uint16_t& halbzugNummer) {
  st = Leerstellung();
  halbzugNummer = 1;
  fen = fen.substr(0, fen.find('\0'));
  if (fen.size() < 5) return FENZuKurz;

  const size_t blank = fen.find(' ');
  bool gueltig = BrettLesen(fen.substr(0, blank), st);
  if (blank == std::string_view::npos)
    gueltig = false;
  else if (!FelderLesen(fen, blank + 1, st, halbzugNummer))
    gueltig = false;

  // Clean-up and derived fields in the order every builder of a position
  // follows, so the output is a consistent record even when refused.
  if ((st.bauern & (Reihenmaske[0] | Reihenmaske[7])) != 0) gueltig = false;
  if (!MaterialMoeglich(st, st.weiss) || !MaterialMoeglich(st, st.schwarz)) gueltig = false;
  RochadeBereinigen(st);
  EPBereinigen(st);
  BelegungSetzen(st);
  StellungAbleiten(st);
  st.schluessel = HashCodeBerechnen(st);

  if (st.koenigW == KeinFeld || st.koenigS == KeinFeld) return FENUngueltig;

  st.schachW = FeldAngegriffen(st, st.koenigW, Weiss) ? 1 : 0;
  st.schachS = FeldAngegriffen(st, st.koenigS, Schwarz) ? 1 : 0;
  // The side that just moved cannot have left its own king in check.
  if ((st.amZug == Weiss ? st.schachS : st.schachW) == 1) return FENUngueltig;
  if (!gueltig) return FENUngueltig;

  // Last, like every builder: the static evaluation (bewertung, and
  // remisMaterial for a dead draw).
  StellungBewerten(st, 0);
  return FENGueltig;
}

std::string FENAusgabe(const Stellung& st, int16_t halbzugNummer) {
  std::string fen;
  fen.reserve(100);
  for (int reihe = 7; reihe >= 0; --reihe) {
    int leer = 0;
    for (int linie = 0; linie < 8; ++linie) {
      const int8_t figur = FigurAufFeld(st, static_cast<unsigned>(FeldVon(linie, reihe)));
      if (figur == Leer) {
        ++leer;
        continue;
      }
      if (leer > 0) fen += static_cast<char>('0' + leer);
      leer = 0;
      // A square whose boards disagree still takes its place in the rank.
      fen += figur >= -6 && figur <= 6 ? FENBuchstaben[static_cast<size_t>(figur + 6)] : '?';
    }
    if (leer > 0) fen += static_cast<char>('0' + leer);
    if (reihe > 0) fen += '/';
  }

  fen += ' ';
  fen += st.amZug == Weiss ? FENBuchstaben[13] : FENBuchstaben[14];
  fen += ' ';
  const size_t rochadeAnfang = fen.size();
  if (st.rochade[RochadeWeissKurz] == 1) fen += 'K';
  if (st.rochade[RochadeWeissLang] == 1) fen += 'Q';
  if (st.rochade[RochadeSchwarzKurz] == 1) fen += 'k';
  if (st.rochade[RochadeSchwarzLang] == 1) fen += 'q';
  if (fen.size() == rochadeAnfang) fen += '-';
  fen += ' ';
  if (st.epFeld >= 64) {
    fen += '-';
  } else {
    fen += static_cast<char>('a' + Linie(st.epFeld));
    fen += static_cast<char>('1' + Reihe(st.epFeld));
  }
  fen += ' ';
  ZahlAnhaengen(fen, st.halbzuege);
  fen += ' ';
  ZahlAnhaengen(fen, (halbzugNummer + 1) / 2);
  return fen;
}

}  // namespace galdrik
