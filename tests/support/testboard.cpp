// Test helper: a small, independent position builder.
#include "support/testboard.h"

#include <sstream>
#include <stdexcept>

#include "core/makemove.h"
#include "core/movegen.h"
#include "core/zobrist.h"

namespace galdrik::test {

int Feld(const char* name) { return (name[1] - '1') * 8 + (name[0] - 'a'); }

Bitboard Felder(std::initializer_list<const char*> namen) {
  Bitboard b = 0;
  for (const char* n : namen) b |= Bitboard{1} << Feld(n);
  return b;
}

Stellung Brett(const std::string& text) {
  std::istringstream in(text);
  std::string figuren, seite = "w", rochade = "-", ep = "-";
  in >> figuren >> seite >> rochade >> ep;
  Stellung st = Leerstellung();
  int linie = 0, reihe = 7;
  for (char c : figuren) {
    if (c == '/') {
      --reihe;
      linie = 0;
    } else if (c >= '1' && c <= '8') {
      linie += c - '0';
    } else {
      const std::string typen = "pnbrqk";
      const auto t = typen.find(static_cast<char>(std::tolower(c)));
      if (t == std::string::npos) throw std::invalid_argument(text);
      const int s = reihe * 8 + linie++;
      const Bitboard m = Bitboard{1} << s;
      (std::isupper(c) ? st.weiss : st.schwarz) |= m;
      switch (t) {
        case 0:
          st.bauern |= m;
          break;
        case 1:
          st.springer |= m;
          break;
        case 2:
          st.laeufer |= m;
          break;
        case 3:
          st.tuerme |= m;
          break;
        case 4:
          st.damen |= m;
          break;
        default:
          (std::isupper(c) ? st.koenigW : st.koenigS) = static_cast<uint8_t>(s);
      }
    }
  }
  st.amZug = seite == "b" ? Schwarz : Weiss;
  for (char c : rochade) {
    if (c == 'Q') st.rochade[RochadeWeissLang] = 1;
    if (c == 'K') st.rochade[RochadeWeissKurz] = 1;
    if (c == 'q') st.rochade[RochadeSchwarzLang] = 1;
    if (c == 'k') st.rochade[RochadeSchwarzKurz] = 1;
  }
  st.epFeld = ep == "-" ? KeinEPFeld : static_cast<uint8_t>(Feld(ep.c_str()));
  BelegungSetzen(st);
  StellungAbleiten(st);
  st.schluessel = HashCodeBerechnen(st);
  return st;
}

Stellung Gespiegelt(const Stellung& st) {
  auto flip = [](Bitboard b) { return __builtin_bswap64(b); };
  auto feld = [](uint8_t f) { return static_cast<uint8_t>(f < 64 ? f ^ 56 : f); };
  Stellung m = Leerstellung();
  m.weiss = flip(st.schwarz);
  m.schwarz = flip(st.weiss);
  m.bauern = flip(st.bauern);
  m.springer = flip(st.springer);
  m.laeufer = flip(st.laeufer);
  m.tuerme = flip(st.tuerme);
  m.damen = flip(st.damen);
  m.koenigW = feld(st.koenigS);
  m.koenigS = feld(st.koenigW);
  m.amZug = st.amZug == Weiss ? Schwarz : Weiss;
  m.rochade[RochadeWeissLang] = st.rochade[RochadeSchwarzLang];
  m.rochade[RochadeWeissKurz] = st.rochade[RochadeSchwarzKurz];
  m.rochade[RochadeSchwarzLang] = st.rochade[RochadeWeissLang];
  m.rochade[RochadeSchwarzKurz] = st.rochade[RochadeWeissKurz];
  m.epFeld = st.epFeld == KeinEPFeld ? KeinEPFeld : feld(st.epFeld);
  m.halbzuege = st.halbzuege;
  m.schachW = st.schachS;
  m.schachS = st.schachW;
  BelegungSetzen(m);
  StellungAbleiten(m);
  m.schluessel = HashCodeBerechnen(m);
  return m;
}

bool ImSchach(const Stellung& st) { return (st.amZug == Weiss ? st.schachW : st.schachS) != 0; }

bool MattInHoechstens(const Stellung& st, int n) {
  if (n == 0) return false;
  const Zugliste meine = ZugGenerator(st, GenAlleZuege);
  for (int i = 0; i < meine.anzahl; ++i) {
    const Stellung nach = ZugAusfuehren(st, meine.zuege[i], 1);
    const Zugliste antworten = ZugGenerator(nach, GenAlleZuege);
    if (antworten.anzahl == 0) {
      if (ImSchach(nach)) return true;
      continue;
    }
    bool alleVerlieren = true;
    for (int j = 0; j < antworten.anzahl && alleVerlieren; ++j)
      alleVerlieren = MattInHoechstens(ZugAusfuehren(nach, antworten.zuege[j], 1), n - 1);
    if (alleVerlieren) return true;
  }
  return false;
}

}  // namespace galdrik::test
