// What the analysis asks of tablebase access: the class lookup by piece
// counts, the registration test and the probe of a six-slot placement. An
// interface, so the analysis routines can be built and tested apart from
// the tablebase layer, which supplies the real implementation.
#pragma once

#include <cstdint>

#include "tbindex/indexscheme.h"

namespace galdrik {

inline constexpr int32_t TBKeinWert = 32767;  // TbValue: no table answers
inline constexpr int32_t TBTabellenJeMetrik = 441;

// Piece counts of a class: White pawns, knights, bishops, rooks, queens,
// then Black's.
inline constexpr int ZaehlerAnzahl = 10;

// The counter of a piece code (1..5 or -1..-5); -1 for a king or nothing.
constexpr int ZaehlerIndex(int code) {
  const int typ = code < 0 ? -code : code;
  if (typ < 1 || typ > 5) return -1;
  return (code > 0 ? 0 : 5) + typ - 1;
}

class TBZugang {
 public:
  virtual ~TBZugang() = default;

  // TbFindByCounters: the table id 1..440 of the class, its negative when the
  // table stores the class with the colours reversed, 0 when there is none.
  virtual int32_t KlasseSuchen(const int32_t zaehler[ZaehlerAnzahl]) const = 0;

  // The current metric 0..6; a table's working index is id + 441 x metric.
  virtual int32_t Metrik() const = 0;

  // TbAnyPartRegistered: does that side's file (0 White to move, 1 Black to
  // move) have any registered extent?
  virtual bool Registriert(int32_t arbeitsIndex, int32_t seite) const = 0;

  // The TbValue of a placement in the file `seite` of the table: the men of
  // the six slots (code 0 = empty, pointers of empty slots unread) form the
  // White and the Black piece list; with `umgekehrt` the Black list goes
  // first and the index function is told to invert. `ep` is the en-passant
  // square or 127. TBKeinWert when the entry cannot be read.
  virtual int32_t Wert(int32_t arbeitsIndex, int32_t seite, bool umgekehrt, const int8_t* codes,
                       int32_t* const* felder, int32_t ep) const = 0;

  // The same for a placement already held as its two piece lists (the
  // analysis loop keeps them up to date as it walks). By default the men
  // are read back from the lists and Wert answers.
  virtual int32_t WertAusListen(int32_t arbeitsIndex, int32_t seite, bool umgekehrt,
                                const TbPieceList& weiss, const TbPieceList& schwarz,
                                int32_t ep) const;
};

// The file a successor is probed in: the file of the side that moves next;
// for a class stored with its colours reversed, the other one.
constexpr int32_t NachfolgerSeite(int32_t amZug, bool umgekehrt) {
  return (amZug == 1) != umgekehrt ? 1 : 0;
}

// The tablebase layer as the analysis sees it: the material trie, the
// current metric, the registered files, the index functions and the block
// cache. Stateless; safe from the analysis thread while others probe.
class TBZugangTabellen final : public TBZugang {
 public:
  int32_t KlasseSuchen(const int32_t zaehler[ZaehlerAnzahl]) const override;
  int32_t Metrik() const override;
  bool Registriert(int32_t arbeitsIndex, int32_t seite) const override;
  int32_t Wert(int32_t arbeitsIndex, int32_t seite, bool umgekehrt, const int8_t* codes,
               int32_t* const* felder, int32_t ep) const override;
  int32_t WertAusListen(int32_t arbeitsIndex, int32_t seite, bool umgekehrt,
                        const TbPieceList& weiss, const TbPieceList& schwarz,
                        int32_t ep) const override;
};

// The two piece lists of a six-slot placement (codes, squares through
// pointers; empty slots unread): each colour's men by kind pawn .. king in
// slot order, Black's first positions counting on from White's men.
void StueckListenBauen(const int8_t* codes, int32_t* const* felder, TbPieceList& weiss,
                       TbPieceList& schwarz);

}  // namespace galdrik
