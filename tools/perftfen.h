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
  auto Falsch = [&](const std::string& grund) {
    fehler = grund;
    return false;
  };
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
      if (--reihe < 0) return Falsch("more than eight ranks");
      linie = 0;
      continue;
    }
    if (c >= '1' && c <= '8') {
      linie += c - '0';
      if (linie > 8) return Falsch("rank longer than eight squares");
      continue;
    }
    const std::string typen = "pnbrqk";
    const auto t = typen.find(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    if (t == std::string::npos) return Falsch(std::string("unknown piece letter ") + c);
    if (linie > 7) return Falsch("rank longer than eight squares");
    const bool weiss = std::isupper(static_cast<unsigned char>(c)) != 0;
    const int s = FeldVon(linie++, reihe);
    const Bitboard m = Feldmaske[s];
    (weiss ? st.weiss : st.schwarz) |= m;
    switch (t) {
      case 0:
        if (reihe == 0 || reihe == 7) return Falsch("pawn on the first or last rank");
        st.bauern |= m;
        break;
      case 1: st.springer |= m; break;
      case 2: st.laeufer |= m; break;
      case 3: st.tuerme |= m; break;
      case 4: st.damen |= m; break;
      default:
        if (++koenige[weiss ? 0 : 1] > 1) return Falsch("more than one king of a colour");
        (weiss ? st.koenigW : st.koenigS) = static_cast<uint8_t>(s);
    }
  }
  if (reihe != 0) return Falsch("fewer than eight ranks");

  if (seite != "w" && seite != "b") return Falsch("side to move must be w or b");
  st.amZug = seite == "w" ? Weiss : Schwarz;

  if (rochade != "-") {
    for (char c : rochade) {
      switch (c) {
        case 'Q': st.rochade[RochadeWeissLang] = 1; break;
        case 'K': st.rochade[RochadeWeissKurz] = 1; break;
        case 'q': st.rochade[RochadeSchwarzLang] = 1; break;
        case 'k': st.rochade[RochadeSchwarzKurz] = 1; break;
        default: return Falsch("castling field must be - or letters of KQkq");
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
      return Falsch("en-passant field must be - or a square");
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
      if (!std::isdigit(static_cast<unsigned char>(c))) return Falsch("bad half-move clock");
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
    return Falsch("the side not to move is in check");
  return true;
}

}  // namespace galdrik::perftfen
