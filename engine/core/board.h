// The engine's position record (Stellung), its move record (Zug) and move
// list (Zugliste), and the lookup tables that everything else reads: square
// masks, leaper attacks, sliding attacks over rotated occupancies and the
// pawn-structure masks. Positions are plain values: copied, never shared.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/bitops.h"

namespace galdrik {

// ---------------------------------------------------------------- squares

// Square index 0..63 with a1 = 0, h1 = 7, a8 = 56, h8 = 63. A king square of
// KeinFeld means "no king of that colour"; every table indexed by a king
// square has an extra, empty entry for it.
inline constexpr int KeinFeld = 64;
inline constexpr int FeldAnzahlMitLeer = 65;
inline constexpr uint8_t KeinEPFeld = 255;

constexpr int Linie(int feld) { return feld & 7; }
constexpr int Reihe(int feld) { return feld >> 3; }
constexpr int FeldVon(int linie, int reihe) { return reihe * 8 + linie; }

// A king square read from a record, for table lookups: anything off the
// board becomes the empty entry 64.
constexpr int KoenigFeld(uint8_t feld) { return feld < 64 ? feld : KeinFeld; }

// The type of a signed piece code.
constexpr int Betrag(int figur) { return figur < 0 ? -figur : figur; }

inline constexpr Bitboard HelleFelder = 0x55AA55AA55AA55AAULL;
inline constexpr Bitboard DunkleFelder = 0xAA55AA55AA55AA55ULL;

// ------------------------------------------------------------ piece codes

// Figurcode: 0 empty, +1..+6 White pawn, knight, bishop, rook, queen, king;
// the negatives for Black. UngueltigeFigur only as FigurAufFeld's answer for
// a square whose boards disagree (or an index above 63).
inline constexpr int8_t Leer = 0;
inline constexpr int8_t Bauer = 1;
inline constexpr int8_t Springer = 2;
inline constexpr int8_t Laeufer = 3;
inline constexpr int8_t Turm = 4;
inline constexpr int8_t Dame = 5;
inline constexpr int8_t Koenig = 6;
inline constexpr int8_t UngueltigeFigur = 127;

inline constexpr uint8_t Weiss = 1;
inline constexpr uint8_t Schwarz = 0;

// Castling right slots of Stellung::rochade.
inline constexpr int RochadeWeissLang = 0;
inline constexpr int RochadeWeissKurz = 1;
inline constexpr int RochadeSchwarzLang = 2;
inline constexpr int RochadeSchwarzKurz = 3;

// Slots of Stellung::anzahl.
enum AnzahlIndex : int {
  AnzWDamen = 0,
  AnzWTuerme = 1,
  AnzWSpringer = 2,
  AnzSDamen = 4,
  AnzSTuerme = 5,
  AnzSSpringer = 6,
  AnzWLaeuferHell = 8,
  AnzWLaeuferDunkel = 9,
  AnzWBauernHell = 10,
  AnzWBauernDunkel = 11,
  AnzSLaeuferHell = 12,
  AnzSLaeuferDunkel = 13,
  AnzSBauernHell = 14,
  AnzSBauernDunkel = 15,
};

// ---------------------------------------------------------------- records

struct Stellung {
  Bitboard weiss;
  Bitboard schwarz;
  Bitboard bauern;
  Bitboard springer;
  Bitboard laeufer;
  Bitboard tuerme;
  Bitboard damen;
  Bitboard belegt;
  Bitboard belegt90;    // byte f = file f, bit r = rank r
  Bitboard belegtA1H8;  // byte (file - rank) mod 8, bit = rank
  Bitboard belegtH1A8;  // byte (file + rank) mod 8, bit = rank
  int8_t figurenfeld[64];
  uint8_t anzahl[16];
  uint8_t amZug;       // 1 White, 0 Black
  uint8_t rochade[4];  // W queen-side, W king-side, B queen-side, B king-side
  uint8_t epFeld;      // square passed over by a double step, 255 none
  uint8_t koenigW;     // 64: no White king
  uint8_t koenigS;     // 64: no Black king
  uint8_t halbzuege;
  uint8_t remisMaterial;
  uint8_t remisRegel;
  uint8_t schachW;
  uint8_t schachS;
  uint8_t reserveB;
  int16_t bewertung;    // last static evaluation, White's view
  uint64_t schluessel;  // Zobrist key
};
static_assert(sizeof(Stellung) == 192);
static_assert(offsetof(Stellung, figurenfeld) == 88);
static_assert(offsetof(Stellung, anzahl) == 152);
static_assert(offsetof(Stellung, amZug) == 168);
static_assert(offsetof(Stellung, bewertung) == 182);
static_assert(offsetof(Stellung, schluessel) == 184);

// Zugart values.
inline constexpr uint8_t ZugartNormal = 0;
inline constexpr uint8_t ZugartRochade = 1;
inline constexpr uint8_t ZugartUmwSpringer = 16;
inline constexpr uint8_t ZugartUmwLaeufer = 32;
inline constexpr uint8_t ZugartUmwTurm = 64;
inline constexpr uint8_t ZugartUmwDame = 128;

struct Zug {
  uint8_t von;
  uint8_t nach;
  int8_t figur;       // moving piece
  int8_t geschlagen;  // captured piece, the pawn for an en-passant capture
  uint8_t zugart;
  uint8_t schach;     // 1: gives check
  uint8_t enPassant;  // 1: en-passant capture
  int8_t wert;        // ordering value (search), weight (book)
};
static_assert(sizeof(Zug) == 8);

inline constexpr Zug KeinZug{};

// Any move whose from-square equals its to-square counts as no move.
constexpr bool IstKeinZug(const Zug& z) { return z.von == z.nach; }
constexpr bool IstUmwandlung(const Zug& z) { return z.zugart >= ZugartUmwSpringer; }

inline constexpr int MaxZuege = 256;

struct Zugliste {
  Zug zuege[MaxZuege];
  int32_t anzahl;
};

// ---------------------------------------------------------- lookup tables

// Built once by AngriffstabellenInit, read-only afterwards. Tables indexed by
// a square have an entry for square 64 that is empty, so that a missing king
// can never read outside a table.
extern Bitboard Feldmaske[FeldAnzahlMitLeer];
extern Bitboard Linienmaske[8];
extern Bitboard Reihenmaske[8];
extern Bitboard KoenigAngriff[FeldAnzahlMitLeer];
extern Bitboard SpringerAngriff[FeldAnzahlMitLeer];
extern Bitboard BauerAngriffWeiss[FeldAnzahlMitLeer];
extern Bitboard BauerAngriffSchwarz[FeldAnzahlMitLeer];
extern Bitboard ReihenAngriff[FeldAnzahlMitLeer][256];
extern Bitboard LinienAngriff[FeldAnzahlMitLeer][256];
extern Bitboard DiagonalAngriffA1H8[FeldAnzahlMitLeer][256];
extern Bitboard DiagonalAngriffH1A8[FeldAnzahlMitLeer][256];
extern Bitboard FreibauerMaskeWeiss[FeldAnzahlMitLeer];
extern Bitboard FreibauerMaskeSchwarz[FeldAnzahlMitLeer];
extern Bitboard NachbarlinienMaske[FeldAnzahlMitLeer];

// Bit of each square in the three rotated occupancies (0 for square 64), so
// that make move can flip a square there without rotating whole boards.
extern Bitboard Feldmaske90[FeldAnzahlMitLeer];
extern Bitboard FeldmaskeA1H8[FeldAnzahlMitLeer];
extern Bitboard FeldmaskeH1A8[FeldAnzahlMitLeer];

void AngriffstabellenInit();

// ---------------------------------------------------------- sliding lookups

// The line occupancy byte of a square: the square's rank in belegt, its file
// in belegt90, its diagonal bytes in the two diagonal boards. Square 64 reads
// byte 0 and its table rows are empty.
constexpr int DiagonalByteA1H8(int feld) { return (Linie(feld) - Reihe(feld)) & 7; }
constexpr int DiagonalByteH1A8(int feld) { return (Linie(feld) + Reihe(feld)) & 7; }

inline Bitboard ReihenAngriffe(int feld, Bitboard belegt) {
  return ReihenAngriff[feld][(belegt >> (feld & 56)) & 0xFF];
}
inline Bitboard LinienAngriffe(int feld, Bitboard belegt90) {
  return LinienAngriff[feld][(belegt90 >> ((feld & 7) * 8)) & 0xFF];
}
inline Bitboard A1H8Angriffe(int feld, Bitboard belegtA1H8) {
  return DiagonalAngriffA1H8[feld][(belegtA1H8 >> (DiagonalByteA1H8(feld) * 8)) & 0xFF];
}
inline Bitboard H1A8Angriffe(int feld, Bitboard belegtH1A8) {
  return DiagonalAngriffH1A8[feld][(belegtH1A8 >> (DiagonalByteH1A8(feld) * 8)) & 0xFF];
}
inline Bitboard TurmAngriffe(const Stellung& st, int feld) {
  return ReihenAngriffe(feld, st.belegt) | LinienAngriffe(feld, st.belegt90);
}
inline Bitboard LaeuferAngriffe(const Stellung& st, int feld) {
  return A1H8Angriffe(feld, st.belegtA1H8) | H1A8Angriffe(feld, st.belegtH1A8);
}
inline Bitboard DamenAngriffe(const Stellung& st, int feld) {
  return TurmAngriffe(st, feld) | LaeuferAngriffe(st, feld);
}

// ---------------------------------------------------------------- routines

Bitboard BitboardDrehen90(Bitboard b);
Bitboard BitboardDrehenA1H8(Bitboard b);
Bitboard BitboardDrehenH1A8(Bitboard b);

// Sets belegt from the colour boards and the three rotated boards from belegt.
void BelegungSetzen(Stellung& st);

Stellung Grundstellung();
Stellung Leerstellung();
void StellungAbleiten(Stellung& st);

// Puts a man of the given code (+/-1..6) on an empty square: its colour and
// piece boards, or the king square. belegt and the rotated boards are left
// to BelegungSetzen.
inline void FigurSetzen(Stellung& st, int code, int feld) {
  const Bitboard m = Feldmaske[feld];
  (code > 0 ? st.weiss : st.schwarz) |= m;
  switch (code > 0 ? code : -code) {
    case Bauer:
      st.bauern |= m;
      break;
    case Springer:
      st.springer |= m;
      break;
    case Laeufer:
      st.laeufer |= m;
      break;
    case Turm:
      st.tuerme |= m;
      break;
    case Dame:
      st.damen |= m;
      break;
    default:
      (code > 0 ? st.koenigW : st.koenigS) = static_cast<uint8_t>(feld);
  }
}

// The piece code on a square, read from the boards (UngueltigeFigur for an
// index above 63 or boards that disagree). Inline: the move generator asks
// it for every capture.
inline int8_t FigurAufFeld(const Stellung& st, unsigned feld) {
  if (feld > 63) return UngueltigeFigur;
  const Bitboard m = Feldmaske[feld];
  int8_t vz;
  if (st.weiss & m) {
    if (feld == st.koenigW) return Koenig;
    vz = 1;
  } else if (st.schwarz & m) {
    if (feld == st.koenigS) return -Koenig;
    vz = -1;
  } else {
    return Leer;
  }
  if (st.bauern & m) return vz;
  if (st.springer & m) return static_cast<int8_t>(Springer * vz);
  if (st.laeufer & m) return static_cast<int8_t>(Laeufer * vz);
  if (st.tuerme & m) return static_cast<int8_t>(Turm * vz);
  if (st.damen & m) return static_cast<int8_t>(Dame * vz);
  return UngueltigeFigur;
}

// True when the record is inconsistent (boards overlap or disagree, or the
// stored key is not the key of the position).
bool StellungLegal(const Stellung& st);

// Material a game can reach: every piece beyond the initial set is a
// promoted pawn, so pawns and extra pieces of the colour together are at
// most eight (which also bounds a side to 16 men). Anything more is no chess
// position, and a board of many queens would overflow the move list.
bool MaterialMoeglich(const Stellung& st, Bitboard farbe);

}  // namespace galdrik
