// Test helper for the tablebase index functions: walks every legal placement
// of a table's men for one side to move and checks the index function over
// them: range, the catalogue's count, injectivity up to the board
// symmetries, the symmetry images, the invert flag and, for symmetric
// tables, the colour-swapped reading. Written from the rules of chess alone,
// independent of the engine's move generator and of the index code.
#pragma once

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tbindex/catalogue.h"
#include "tbindex/indexscheme.h"

namespace galdrik::test {

// One man of a table: colour 0 White, 1 Black; kind as TbPieceKind.
struct TbMan {
  int colour;
  int kind;
};

// The men of a table in a fixed order: white king, White's men in name
// order, black king, Black's men in name order.
inline std::vector<TbMan> TbMenOf(const char* name) {
  std::vector<TbMan> men;
  int colour = -1;
  for (const char* p = name; *p; ++p) {
    switch (*p) {
      case 'k':
        men.push_back({++colour, TbKing});
        break;
      case 'q':
        men.push_back({colour, TbQueen});
        break;
      case 'r':
        men.push_back({colour, TbRook});
        break;
      case 'b':
        men.push_back({colour, TbBishop});
        break;
      case 'n':
        men.push_back({colour, TbKnight});
        break;
      default:
        men.push_back({colour, TbPawn});
        break;
    }
  }
  return men;
}

// The two piece lists of a placement (squares by man, as TbMenOf orders them).
inline void TbListsOf(const std::vector<TbMan>& men, const int* squares, TbPieceList lists[2]) {
  for (int c = 0; c < 2; ++c) {
    std::vector<std::pair<int, int>> own;  // kind, square
    for (size_t i = 0; i < men.size(); ++i) {
      if (men[i].colour == c) own.push_back({men[i].kind, squares[i]});
    }
    std::sort(own.begin(), own.end());
    TbPieceList& l = lists[c];
    std::memset(&l, 0, sizeof l);
    int at = 0;
    for (int kind = 0; kind < 6; ++kind) {
      l.kindStart[kind] = at;
      for (const auto& [k, s] : own) {
        if (k == kind) l.squares[at++] = s;
      }
    }
  }
}

// Does the man of this kind and colour on `from` attack `to`? Others block.
inline bool TbAttacks(int kind, int colour, int from, int to, const uint64_t occupied) {
  const int df = to % 8 - from % 8, dr = to / 8 - from / 8;
  const int adf = df < 0 ? -df : df, adr = dr < 0 ? -dr : dr;
  switch (kind) {
    case TbPawn:
      return adf == 1 && dr == (colour == 0 ? 1 : -1);
    case TbKnight:
      return (adf == 1 && adr == 2) || (adf == 2 && adr == 1);
    case TbKing:
      return adf <= 1 && adr <= 1 && (adf || adr);
    default:
      break;
  }
  const bool straight = df == 0 || dr == 0, diagonal = adf == adr;
  if (from == to) return false;
  if (!((kind == TbRook && straight) || (kind == TbBishop && diagonal) ||
        (kind == TbQueen && (straight || diagonal)))) {
    return false;
  }
  const int step = (dr > 0 ? 8 : dr < 0 ? -8 : 0) + (df > 0 ? 1 : df < 0 ? -1 : 0);
  for (int s = from + step; s != to; s += step) {
    if (occupied >> s & 1) return false;
  }
  return true;
}

// A legal placement with `mover` to move: men on distinct squares, pawns on
// ranks 2-7, kings apart, and the mover unable to capture the other king.
inline bool TbLegal(const std::vector<TbMan>& men, const int* squares, int mover) {
  uint64_t occupied = 0;
  int king[2] = {-1, -1};
  for (size_t i = 0; i < men.size(); ++i) {
    const int s = squares[i];
    if (occupied >> s & 1) return false;
    if (men[i].kind == TbPawn && (s < 8 || s > 55)) return false;
    occupied |= uint64_t{1} << s;
    if (men[i].kind == TbKing) king[men[i].colour] = s;
  }
  for (size_t i = 0; i < men.size(); ++i) {
    if (men[i].colour == mover &&
        TbAttacks(men[i].kind, mover, squares[i], king[1 - mover], occupied)) {
      return false;
    }
  }
  return true;
}

// Square transformations of a whole placement.
inline int TbMirrorFile(int s) { return s ^ 7; }
inline int TbMirrorRank(int s) { return s ^ 56; }
inline int TbTransposeSquare(int s) { return (s % 8) * 8 + s / 8; }

struct TbWalkOptions {
  // Own and other king squares as placed on the board; null walks all.
  std::function<bool(int ownKing, int otherKing)> kings;
  bool checkInjective = true;
  bool checkImages = true;
  // The function under test instead of the catalogue's (for the harness's
  // own tests).
  TbIndexFn function = nullptr;
};

struct TbWalkReport {
  uint64_t positions = 0;  // legal placements walked (en passant included)
  uint64_t maxIndex = 0;   // largest index of a legal placement
  uint64_t minIndex = ~uint64_t{0}, ordinaryMax = 0;  // placements without en passant
  uint64_t epMin = ~uint64_t{0}, epMax = 0;           // placements with en passant
  uint64_t outOfRange = 0;                            // indices at or above the catalogue count
  uint64_t collisions = 0;   // equal indices of placements that are not images
  uint64_t imageFaults = 0;  // symmetry, invert or colour-swap rules broken
  std::string first;         // the first fault, for the message
};

// Visits every legal placement of the table with `side` to move; the
// callback gets the squares (TbMenOf order) and the en-passant square or 127.
// Positions with an en-passant square are added for tables with pawns of
// both colours: the other side's pawn just went two squares, a mover's pawn
// stands beside it.
template <typename Visit>
void TbWalk(const char* name, int side, const TbWalkOptions& options, Visit&& visit) {
  const std::vector<TbMan> men = TbMenOf(name);
  const int n = static_cast<int>(men.size());
  int ownKingMan = -1, otherKingMan = -1;
  bool pawns[2] = {false, false};
  for (int i = 0; i < n; ++i) {
    if (men[i].kind == TbKing) (men[i].colour == side ? ownKingMan : otherKingMan) = i;
    if (men[i].kind == TbPawn) pawns[men[i].colour] = true;
  }
  // Kings first, so that a subset of king pairs prunes the walk early.
  std::array<int, 6> order{};
  order[0] = ownKingMan;
  order[1] = otherKingMan;
  for (int i = 0, at = 2; i < n; ++i) {
    if (men[i].kind != TbKing) order[at++] = i;
  }
  std::array<int, 6> sq{};
  std::function<void(int, uint64_t)> place = [&](int step, uint64_t used) {
    if (step == n) {
      if (!TbLegal(men, sq.data(), side)) return;
      visit(sq.data(), TbNoEnPassant);
      if (!(pawns[0] && pawns[1])) return;
      // The other side's pawn on its fourth rank, squares behind it empty.
      for (int j = 0; j < n; ++j) {
        if (men[j].colour == side || men[j].kind != TbPawn) continue;
        const int p = sq[j];
        const int rank = p / 8;
        if (rank != (side == 0 ? 4 : 3)) continue;
        const int ep = side == 0 ? p + 8 : p - 8, origin = side == 0 ? p + 16 : p - 16;
        if ((used >> ep & 1) || (used >> origin & 1)) continue;
        bool capturer = false;
        for (int m = 0; m < n; ++m) {
          if (men[m].colour == side && men[m].kind == TbPawn && sq[m] / 8 == rank &&
              (sq[m] == p - 1 || sq[m] == p + 1)) {
            capturer = true;
          }
        }
        if (capturer) visit(sq.data(), ep);
      }
      return;
    }
    const int i = order[step];
    for (int s = 0; s < 64; ++s) {
      if (used >> s & 1) continue;
      if (men[i].kind == TbPawn && (s < 8 || s > 55)) continue;
      sq[i] = s;
      if (step == 1) {
        const int own = sq[ownKingMan];
        if (std::abs(own % 8 - s % 8) <= 1 && std::abs(own / 8 - s / 8) <= 1) continue;
        if (options.kings && !options.kings(own, s)) continue;
      }
      place(step + 1, used | uint64_t{1} << s);
    }
  };
  place(0, 0);
}

// Runs every check over one side of a catalogue table.
inline TbWalkReport TbCheckSide(int id, int side, const TbWalkOptions& options = {}) {
  TbWalkReport r;
  const TbCatalogueRow& row = TbCatalogue[id];
  const std::vector<TbMan> men = TbMenOf(row.name);
  const int n = static_cast<int>(men.size());
  const TbIndexFn fn = options.function ? options.function : TbCatalogueIndexFn(id, side);
  const TbIndexFn white = TbCatalogueIndexFn(id, 0);
  const uint64_t count = row.entryCount[side == 1 && (row.flags & TbFlagSymmetric) ? 0 : side];
  bool pawns = false;
  for (const TbMan& m : men) pawns |= m.kind == TbPawn;
  const bool symmetric = (row.flags & TbFlagSymmetric) != 0;

  auto indexOf = [&](TbIndexFn f, const int* s, int ep, int invert) {
    TbPieceList lists[2];
    TbListsOf(men, s, lists);
    return f(&lists[0], &lists[1], ep, invert);
  };
  auto note = [&](const std::string& what, const int* s, int ep) {
    if (!r.first.empty()) return;
    r.first = what + " at";
    for (int i = 0; i < n; ++i) r.first += " " + std::to_string(s[i]);
    r.first += " ep " + std::to_string(ep);
  };
  auto fault = [&](const std::string& what, const int* s, int ep) {
    ++r.imageFaults;
    note(what, s, ep);
  };
  // The placement's key: squares by man with like men sorted, and the ep square.
  auto key = [&](const int* s, int ep) {
    int t[6];
    std::copy(s, s + n, t);
    for (int i = 0; i < n; ++i) {
      for (int j = i + 1; j < n; ++j) {
        if (men[i].colour == men[j].colour && men[i].kind == men[j].kind && t[j] < t[i]) {
          std::swap(t[i], t[j]);
        }
      }
    }
    uint64_t k = static_cast<uint64_t>(ep);
    for (int i = 0; i < n; ++i) k = k * 64 + static_cast<uint64_t>(t[i]);
    return k;
  };
  auto image = [&](const int* s, int ep, int which, int* out, int& epOut) {
    auto map = [which](int q) {
      if (which & 1) q = TbMirrorFile(q);
      if (which & 2) q = TbMirrorRank(q);
      if (which & 4) q = TbTransposeSquare(q);
      return q;
    };
    for (int i = 0; i < n; ++i) out[i] = map(s[i]);
    epOut = ep == TbNoEnPassant ? ep : map(ep);
  };
  auto canonical = [&](const int* s, int ep) {
    uint64_t best = key(s, ep);
    int t[6], e;
    for (int which = 1; which < (pawns ? 2 : 8); ++which) {
      image(s, ep, which, t, e);
      best = std::min(best, key(t, e));
    }
    return best;
  };

  // Injectivity: a slot per index for a whole small table, else (index,
  // placement) pairs sorted at the end.
  std::vector<uint64_t> seenDense;
  std::vector<std::pair<uint64_t, uint64_t>> seenSparse;
  const bool dense = !options.kings && count <= (uint64_t{1} << 26);
  if (options.checkInjective && dense) seenDense.assign(count, 0);

  int ownKingMan = 0, otherKingMan = 0;
  for (int i = 0; i < n; ++i) {
    if (men[i].kind == TbKing) (men[i].colour == side ? ownKingMan : otherKingMan) = i;
  }

  TbWalk(row.name, side, options, [&](const int* s, int ep) {
    ++r.positions;
    const uint64_t index = indexOf(fn, s, ep, 0);
    if (index >= count) {
      ++r.outOfRange;
      note("out of range", s, ep);
      return;
    }
    r.maxIndex = std::max(r.maxIndex, index);
    if (ep == TbNoEnPassant) {
      r.minIndex = std::min(r.minIndex, index);
      r.ordinaryMax = std::max(r.ordinaryMax, index);
    } else {
      r.epMin = std::min(r.epMin, index);
      r.epMax = std::max(r.epMax, index);
    }
    if (options.checkInjective) {
      const uint64_t c = canonical(s, ep) + 1;
      if (!dense) {
        seenSparse.push_back({index, c});
      } else if (seenDense[index] == 0) {
        seenDense[index] = c;
      } else if (seenDense[index] != c) {
        ++r.collisions;
        note("collision", s, ep);
      }
    }
    if (!options.checkImages) return;
    int t[6], e;
    if (pawns) {
      image(s, ep, 1, t, e);
      if (indexOf(fn, t, e, 0) != index) fault("file mirror", s, ep);
      image(s, ep, 2, t, e);
      if (indexOf(fn, t, e, 1) != index) fault("invert flag", s, ep);
    } else {
      for (int which = 1; which < 8; ++which) {
        image(s, ep, which, t, e);
        if (indexOf(fn, t, e, 0) == index) continue;
        // Only a reflection in the diagonal may change the index, and only
        // when both kings stand on it once the own king is in a1-d4.
        const int m = TbQuadrantMask[s[ownKingMan]];
        const int K = s[ownKingMan] ^ m, k = s[otherKingMan] ^ m;
        if (!((which & 4) && K % 8 == K / 8 && k % 8 == k / 8)) fault("board symmetry", s, ep);
      }
    }
    if (symmetric && side == 1) {
      // Black to move reads the colour-swapped position in White's file.
      int swapped[6];
      int at = 0;
      for (int c = 1; c >= 0; --c) {
        for (int i = 0; i < n; ++i) {
          if (men[i].colour == c) swapped[at++] = pawns ? TbMirrorRank(s[i]) : s[i];
        }
      }
      const int e2 = pawns && ep != TbNoEnPassant ? TbMirrorRank(ep) : ep;
      if (indexOf(white, swapped, e2, 0) != index) fault("colour swap", s, ep);
    }
  });
  std::sort(seenSparse.begin(), seenSparse.end());
  for (size_t i = 1; i < seenSparse.size(); ++i) {
    if (seenSparse[i].first == seenSparse[i - 1].first &&
        seenSparse[i].second != seenSparse[i - 1].second) {
      ++r.collisions;
      if (r.first.empty()) r.first = "collision at index " + std::to_string(seenSparse[i].first);
    }
  }
  return r;
}

}  // namespace galdrik::test
