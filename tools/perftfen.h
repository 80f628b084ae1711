// A small FEN reader for the perft tool and the benchmark, independent of
// the engine's own FEN reader (FENEingabe, Part 1.130), which should replace
// it once it exists. It fills a Stellung in the order the Parts require:
// boards and king squares, castling and en-passant clean-up, occupancy and
// rotations, derived fields, key, check flags. Full-move number ignored.
#pragma once

#include <cctype>
#include <sstream>
#include <string>

#include "core/board.h"
#include "core/makemove.h"
#include "core/zobrist.h"

namespace galdrik::perftfen {

// Reads "placement side castling ep [halfmove [fullmove]]". Returns false
// with a reason for a text it cannot use: malformed fields, a pawn on the
// first or last rank, more than one king of a colour, or the side not to
// move in check. A missing king is allowed (that king square is 64).
inline bool FenLesen(const std::string& text, Stellung& st, std::string& fehler) {
  st = Leerstellung();
  std::istringstream in(text);
  std::string figuren, seite, rochade, ep, halb;
  if (!(in >> figuren >> seite >> rochade >> ep)) {
    fehler = "need at least four fields: placement side castling en-passant";
    return false;
  }
  in >> halb;

  int linie = 0, reihe = 7;
  int koenige[2] = {0, 0};
  for (char c : figuren) {
    if (c == '/') {
      if (--reihe < 0) return fehler = "more than eight ranks", false;
      linie = 0;
      continue;
    }
    if (c >= '1' && c <= '8') {
      linie += c - '0';
      if (linie > 8) return fehler = "rank longer than eight squares", false;
      continue;
    }
    const std::string typen = "pnbrqk";
    const auto t = typen.find(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    if (t == std::string::npos) return fehler = std::string("unknown piece letter ") + c, false;
    if (linie > 7) return fehler = "rank longer than eight squares", false;
    const bool weiss = std::isupper(static_cast<unsigned char>(c)) != 0;
    const int s = FeldVon(linie++, reihe);
    const Bitboard m = Feldmaske[s];
    (weiss ? st.weiss : st.schwarz) |= m;
    switch (t) {
      case 0:
        if (reihe == 0 || reihe == 7) return fehler = "pawn on the first or last rank", false;
        st.bauern |= m;
        break;
      case 1: st.springer |= m; break;
      case 2: st.laeufer |= m; break;
      case 3: st.tuerme |= m; break;
      case 4: st.damen |= m; break;
      default:
        if (++koenige[weiss ? 0 : 1] > 1) return fehler = "more than one king of a colour", false;
        (weiss ? st.koenigW : st.koenigS) = static_cast<uint8_t>(s);
    }
  }
  if (reihe != 0) return fehler = "fewer than eight ranks", false;

  if (seite != "w" && seite != "b") return fehler = "side to move must be w or b", false;
  st.amZug = seite == "w" ? Weiss : Schwarz;

  if (rochade != "-") {
    for (char c : rochade) {
      switch (c) {
        case 'Q': st.rochade[RochadeWeissLang] = 1; break;
        case 'K': st.rochade[RochadeWeissKurz] = 1; break;
        case 'q': st.rochade[RochadeSchwarzLang] = 1; break;
        case 'k': st.rochade[RochadeSchwarzKurz] = 1; break;
        default: return fehler = "castling field must be - or letters of KQkq", false;
      }
    }
  }
  // Rights without their king and rook are dropped (as Part 1.130 does).
  auto turm = [&](int s, Bitboard farbe) { return (st.tuerme & farbe & Feldmaske[s]) != 0; };
  if (st.koenigW != 4) st.rochade[RochadeWeissLang] = st.rochade[RochadeWeissKurz] = 0;
  if (st.koenigS != 60) st.rochade[RochadeSchwarzLang] = st.rochade[RochadeSchwarzKurz] = 0;
  if (!turm(0, st.weiss)) st.rochade[RochadeWeissLang] = 0;
  if (!turm(7, st.weiss)) st.rochade[RochadeWeissKurz] = 0;
  if (!turm(56, st.schwarz)) st.rochade[RochadeSchwarzLang] = 0;
  if (!turm(63, st.schwarz)) st.rochade[RochadeSchwarzKurz] = 0;

  if (ep != "-") {
    if (ep.size() != 2 || ep[0] < 'a' || ep[0] > 'h' || ep[1] < '1' || ep[1] > '8')
      return fehler = "en-passant field must be - or a square", false;
    const int s = FeldVon(ep[0] - 'a', ep[1] - '1');
    // Kept only behind a pawn that has just made a double step (Part 1.130).
    const Bitboard belegt = st.weiss | st.schwarz;
    bool gut;
    if (st.amZug == Weiss)
      gut = Reihe(s) == 5 && (st.bauern & st.schwarz & Feldmaske[s - 8]) &&
            !(belegt & (Feldmaske[s] | Feldmaske[s + 8]));
    else
      gut = Reihe(s) == 2 && (st.bauern & st.weiss & Feldmaske[s + 8]) &&
            !(belegt & (Feldmaske[s] | Feldmaske[s - 8]));
    if (gut) st.epFeld = static_cast<uint8_t>(s);
  }

  if (!halb.empty()) {
    int h = 0;
    for (char c : halb) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return fehler = "bad half-move clock", false;
      h = h * 10 + (c - '0');
      if (h > 1000) break;
    }
    st.halbzuege = static_cast<uint8_t>(h > 100 ? 0 : h);
  }

  BelegungSetzen(st);
  StellungAbleiten(st);
  st.schluessel = HashCodeBerechnen(st);
  st.schachW = st.koenigW < 64 && FeldAngegriffen(st, st.koenigW, 1);
  st.schachS = st.koenigS < 64 && FeldAngegriffen(st, st.koenigS, 0);
  if (st.amZug == Weiss ? st.schachS : st.schachW)
    return fehler = "the side not to move is in check", false;
  return true;
}

}  // namespace galdrik::perftfen
