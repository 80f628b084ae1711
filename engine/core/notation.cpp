// Reading move texts against a list of legal moves, and writing moves in the
// engine's long notation. The reader works backwards from the end of the
// text: marks, promotion letter, target square, then whatever hint is left.
#include "core/notation.h"

namespace galdrik {

namespace {

constexpr uint8_t UmwandlungNachIndex[5] = {0, ZugartUmwSpringer, ZugartUmwLaeufer, ZugartUmwTurm,
                                            ZugartUmwDame};

bool Schlaegt(const Zug& zug) { return zug.geschlagen != 0 || zug.enPassant == 1; }

// Letter i of the caller's set; a short set yields no match and writes "?".
bool IstBuchstabe(char c, std::string_view buchstaben, size_t i) {
  return i < buchstaben.size() && c == buchstaben[i];
}
char Buchstabe(std::string_view buchstaben, size_t i) {
  return i < buchstaben.size() ? buchstaben[i] : '?';
}

bool IstRochadeText(char c) { return c == '0' || c == 'O'; }

// Piece named by the first character; castling texts name the king.
int FigurTyp(char c, std::string_view buchstaben) {
  if (IstRochadeText(c)) return Koenig;
  for (int typ = Koenig; typ >= Springer; --typ)
    if (IstBuchstabe(c, buchstaben, static_cast<size_t>(typ - 1))) return typ;
  return Bauer;
}

void FeldText(std::string& text, int feld) {
  if (feld >= 64) {
    text += "??";
    return;
  }
  text += static_cast<char>('a' + Linie(feld));
  text += static_cast<char>('1' + Reihe(feld));
}

// What the text says besides the move itself.
struct Marken {
  bool schach = false;
  bool schlag = false;
  uint8_t anmerkung = 0;
};

// Where the moving piece must come from: nothing, a file, a rank or a square.
struct Herkunft {
  enum Art { Keine, NurLinie, NurReihe, GanzesFeld } art = Keine;
  int wert = 0;

  bool passt(int von) const {
    switch (art) {
      case NurLinie:
        return Linie(von) == wert;
      case NurReihe:
        return Reihe(von) == wert;
      case GanzesFeld:
        return von == wert;
      default:
        return true;
    }
  }
};

// Reads the hint; false when the text there is neither file, rank nor square.
bool HerkunftLesen(std::string_view hinweis, Herkunft& herkunft) {
  if (hinweis.empty()) return true;
  if (hinweis.size() > 2) return false;
  uint8_t linienFlag = 0;
  const int wert = PGNFeldLesen(hinweis, linienFlag);
  if (wert < 0) return false;
  herkunft.wert = wert;
  if (hinweis.size() == 2)
    herkunft.art = Herkunft::GanzesFeld;
  else if (linienFlag == 1)
    herkunft.art = Herkunft::NurLinie;
  else {
    herkunft.art = Herkunft::NurReihe;
    herkunft.wert = wert / 8;
  }
  return true;
}

int ListenLaenge(const Zugliste& liste) {
  return liste.anzahl < 0 ? 0 : (liste.anzahl > MaxZuege ? MaxZuege : liste.anzahl);
}

// The one move of the list the predicate accepts; -1 for none or several.
template <typename Passt>
int EinzigerZug(const Zugliste& liste, Passt passt) {
  int gefunden = -1;
  for (int i = 0; i < ListenLaenge(liste); ++i) {
    if (!passt(liste.zuege[i])) continue;
    if (gefunden >= 0) return -1;
    gefunden = i;
  }
  return gefunden;
}

int16_t Ergebnis(const Zugliste& liste, int index, const Marken& marken, uint8_t& status) {
  if (index < 0) {
    status = ZugtextNichtGefunden;
    return -1;
  }
  const Zug& zug = liste.zuege[index];
  status = marken.anmerkung;
  if (marken.schlag != Schlaegt(zug)) status |= ZugtextSchlagFalsch;
  if (marken.schach != (zug.schach == 1)) status |= ZugtextSchachFalsch;
  return static_cast<int16_t>(index);
}

}  // namespace

int8_t PGNFeldLesen(std::string_view text, uint8_t& linienFlag) {
  linienFlag = 0;
  const auto istLinie = [](char c) { return c >= 'a' && c <= 'h'; };
  const auto istReihe = [](char c) { return c >= '1' && c <= '8'; };
  if (text.size() == 1) {
    if (istReihe(text[0])) return static_cast<int8_t>((text[0] - '1') * 8);
    if (istLinie(text[0])) {
      linienFlag = 1;
      return static_cast<int8_t>(text[0] - 'a');
    }
    return -1;
  }
  if (text.size() == 2 && istLinie(text[0]) && istReihe(text[1]))
    return static_cast<int8_t>(FeldVon(text[0] - 'a', text[1] - '1'));
  return -1;
}

int16_t PGNZugInterpretieren(const Zugliste& liste, std::string_view text,
                             std::string_view buchstaben, uint8_t& status) {
  status = ZugtextNichtGefunden;
  text = text.substr(0, text.find('\0'));
  if (text.size() < 2) return -1;
  const bool rochade = IstRochadeText(text[0]);
  const int typ = FigurTyp(text[0], buchstaben);

  // Marks at the end; of several annotation signs the last one counts ("!?" is "?").
  Marken marken;
  while (text.size() >= 2) {
    const char c = text.back();
    if (c == '+' || c == '#')
      marken.schach = true;
    else if (c == ':')
      marken.schlag = true;
    else if (c == '!' || c == '?') {
      if (marken.anmerkung == 0)
        marken.anmerkung = c == '!' ? ZugtextAusrufezeichen : ZugtextFragezeichen;
    } else
      break;
    text.remove_suffix(1);
  }
  if (text.size() < 2) return -1;

  uint8_t umwandlung = 0;
  if (typ == Bauer) {
    for (size_t i = 4; i >= 1; --i) {
      if (!IstBuchstabe(text.back(), buchstaben, i)) continue;
      umwandlung = UmwandlungNachIndex[i];
      text.remove_suffix(1);
      if (!text.empty() && text.back() == '=') text.remove_suffix(1);
      break;
    }
    // Checked only now, so that "a=Q" cannot leave a one-letter target.
    if (text.size() < 2) return -1;
  }

  if (rochade) {
    const auto enthaelt = [text](std::string_view teil) {
      return text.find(teil) != std::string_view::npos;
    };
    int zielLinie;
    if (enthaelt("0-0-0") || enthaelt("O-O-O") || enthaelt("o-o-o"))
      zielLinie = 2;
    else if (enthaelt("0-0") || enthaelt("O-O") || enthaelt("o-o"))
      zielLinie = 6;
    else
      return -1;
    const int index = EinzigerZug(liste, [zielLinie](const Zug& z) {
      return z.zugart == ZugartRochade && (z.nach == zielLinie || z.nach == 56 + zielLinie);
    });
    return Ergebnis(liste, index, marken, status);
  }

  uint8_t linienFlag = 0;
  const int ziel = PGNFeldLesen(text.substr(text.size() - 2), linienFlag);
  if (ziel < 0) {
    // The short pawn capture "ed": from one file to the other.
    if (typ != Bauer || text.size() != 2) return -1;
    uint8_t vonFlag = 0, nachFlag = 0;
    const int vonLinie = PGNFeldLesen(text.substr(0, 1), vonFlag);
    const int nachLinie = PGNFeldLesen(text.substr(1, 1), nachFlag);
    if (vonLinie < 0 || nachLinie < 0 || vonFlag != 1 || nachFlag != 1) return -1;
    marken.schlag = true;
    const int index = EinzigerZug(liste, [&](const Zug& z) {
      return Betrag(z.figur) == Bauer && Schlaegt(z) && Linie(z.von) == vonLinie &&
             Linie(z.nach) == nachLinie && z.zugart == umwandlung;
    });
    return Ergebnis(liste, index, marken, status);
  }

  std::string_view rest = text.substr(0, text.size() - 2);
  if (!rest.empty() && rest.back() == '-') {
    rest.remove_suffix(1);
  } else if (!rest.empty() && (rest.back() == 'x' || rest.back() == ':')) {
    rest.remove_suffix(1);
    marken.schlag = true;
  }
  const std::string_view hinweis = typ == Bauer || rest.empty() ? rest : rest.substr(1);
  Herkunft herkunft;
  if (!HerkunftLesen(hinweis, herkunft)) return -1;

  // A king move to g1 also names the castling move there (Ke1-g1).
  const int index = EinzigerZug(liste, [&](const Zug& z) {
    return Betrag(z.figur) == typ && z.nach == ziel &&
           (z.zugart == umwandlung || z.zugart == ZugartRochade) && herkunft.passt(z.von);
  });
  return Ergebnis(liste, index, marken, status);
}

std::string ZugNotation(const Zug& zug, std::string_view buchstaben, uint8_t mattFlag) {
  std::string text;
  const bool rochade = zug.zugart == ZugartRochade;
  if (rochade && (zug.nach == 2 || zug.nach == 58)) {
    text = "O-O-O";
  } else if (rochade && (zug.nach == 6 || zug.nach == 62)) {
    text = "O-O";
  } else {
    const int typ = Betrag(zug.figur);
    if (typ >= Springer && typ <= Koenig)
      text += Buchstabe(buchstaben, static_cast<size_t>(typ - 1));
    FeldText(text, zug.von);
    text += Schlaegt(zug) ? 'x' : '-';
    FeldText(text, zug.nach);
    for (size_t i = 1; i <= 4; ++i)
      if (zug.zugart == UmwandlungNachIndex[i]) text += Buchstabe(buchstaben, i);
  }
  if (zug.schach == 1) text += mattFlag != 0 ? '#' : '+';
  return text;
}

}  // namespace galdrik
