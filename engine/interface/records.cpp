// Conversion between the boundary records and the engine's position.
#include "interface/records.h"

#include "core/eval.h"
#include "core/makemove.h"
#include "core/zobrist.h"

namespace galdrik {

void RochadeUndEPBereinigen(Stellung& st) {
  const Bitboard wTuerme = st.tuerme & st.weiss, sTuerme = st.tuerme & st.schwarz;
  if (!(wTuerme & Feldmaske[0])) st.rochade[RochadeWeissLang] = 0;
  if (!(wTuerme & Feldmaske[7])) st.rochade[RochadeWeissKurz] = 0;
  if (!(sTuerme & Feldmaske[56])) st.rochade[RochadeSchwarzLang] = 0;
  if (!(sTuerme & Feldmaske[63])) st.rochade[RochadeSchwarzKurz] = 0;
  if (st.koenigW != 4) st.rochade[RochadeWeissLang] = st.rochade[RochadeWeissKurz] = 0;
  if (st.koenigS != 60) st.rochade[RochadeSchwarzLang] = st.rochade[RochadeSchwarzKurz] = 0;

  const int ep = st.epFeld;
  if (ep > 63) {
    st.epFeld = KeinEPFeld;
    return;
  }
  bool gut;
  if (st.amZug == Weiss)
    gut = ep >= 40 && ep <= 47 && (st.bauern & st.schwarz & Feldmaske[ep - 8]) &&
          !(st.belegt & (Feldmaske[ep] | Feldmaske[ep + 8]));
  else
    gut = ep >= 16 && ep <= 23 && (st.bauern & st.weiss & Feldmaske[ep + 8]) &&
          !(st.belegt & (Feldmaske[ep] | Feldmaske[ep - 8]));
  if (!gut) st.epFeld = KeinEPFeld;
}

Stellung StellungAusFeld(const int32_t* feld) {
  Stellung st = Leerstellung();
  for (int s = 0; s < 64; ++s) {
    const int32_t code = feld[s];
    if (code < -6 || code > 6 || code == 0) continue;
    FigurSetzen(st, code, s);
  }
  // A second king of one colour overwrote the first: the first keeps its
  // colour bit but no piece, which the consistency test reports (and
  // FeldMangel refuses before such a record is used).
  st.rochade[RochadeWeissLang] = feld[GSRochadeWeissLang] == 1;
  st.rochade[RochadeWeissKurz] = feld[GSRochadeWeissKurz] == 1;
  st.rochade[RochadeSchwarzLang] = feld[GSRochadeSchwarzLang] == 1;
  st.rochade[RochadeSchwarzKurz] = feld[GSRochadeSchwarzKurz] == 1;
  st.amZug = feld[GSAmZug] == 1 ? Weiss : Schwarz;
  st.epFeld = static_cast<uint8_t>(feld[GSEPFeld] & 0xFF);
  st.halbzuege = static_cast<uint8_t>(feld[GSHalbzuege] & 0xFF);
  BelegungSetzen(st);
  RochadeUndEPBereinigen(st);
  StellungAbleiten(st);
  if (st.koenigW < 64) st.schachW = FeldAngegriffen(st, st.koenigW, Weiss) ? 1 : 0;
  if (st.koenigS < 64) st.schachS = FeldAngegriffen(st, st.koenigS, Schwarz) ? 1 : 0;
  if (st.koenigW < 64 && st.koenigS < 64) {
    st.schluessel = HashCodeBerechnen(st);
    st.bewertung = StellungBewerten(st, 0);
  }
  return st;
}

int32_t StellungMangel(const Stellung& st) {
  if (StellungLegal(st) || st.koenigW > 63 || st.koenigS > 63) return 1;
  const Bitboard typen = st.bauern | st.springer | st.laeufer | st.tuerme | st.damen;
  if ((st.weiss & ~typen) != Feldmaske[st.koenigW] ||
      (st.schwarz & ~typen) != Feldmaske[st.koenigS])
    return 1;
  if (!MaterialMoeglich(st, st.weiss) || !MaterialMoeglich(st, st.schwarz)) return 1;
  if (st.bauern & (Reihenmaske[0] | Reihenmaske[7])) return 2;
  return 0;
}

int32_t FeldMangel(const int32_t* feld) {
  int koenigeW = 0, koenigeS = 0;
  for (int s = 0; s < 64; ++s) {
    if (feld[s] < -Koenig || feld[s] > Koenig) return 1;
    koenigeW += feld[s] == Koenig;
    koenigeS += feld[s] == -Koenig;
  }
  if (koenigeW != 1 || koenigeS != 1) return 1;
  return StellungMangel(StellungAusFeld(feld));
}

void FeldAusStellung(const Stellung& st, int32_t zugnummer, int32_t* feld) {
  for (unsigned s = 0; s < 64; ++s) feld[s] = FigurAufFeld(st, s);
  feld[GSAmZug] = st.amZug == Weiss ? 1 : 0;
  feld[GSEPFeld] = st.epFeld;
  feld[GSRochadeWeissLang] = st.rochade[RochadeWeissLang];
  feld[GSRochadeWeissKurz] = st.rochade[RochadeWeissKurz];
  feld[GSRochadeSchwarzLang] = st.rochade[RochadeSchwarzLang];
  feld[GSRochadeSchwarzKurz] = st.rochade[RochadeSchwarzKurz];
  feld[GSHalbzuege] = st.halbzuege;
  feld[GSZugnummer] = zugnummer;
}

}  // namespace galdrik
