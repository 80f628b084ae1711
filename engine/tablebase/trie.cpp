// The material-count trie. Nodes live in one pool of 32-bit integers, each
// [n, slot 0 .. slot n]; on levels 1 to 9 a slot holds the pool position of
// its child node, on level 10 the signed table id.
#include "tablebase/trie.h"

#include <mutex>
#include <vector>

#include "tbindex/catalogue.h"
#include "tbindex/indexscheme.h"

namespace galdrik {

namespace {

constexpr int kBudget = 4;
constexpr int kLevels = 10;

std::vector<int32_t> gPool;
int32_t gRoot = -1;
std::once_flag gTrieBuilt;
std::once_flag gTablesBuilt;

// A node accepting counts 0..n, whose slots reach depth more levels down.
int32_t AllocCountsTrie(int32_t n, int32_t depth) {
  const auto at = static_cast<int32_t>(gPool.size());
  gPool.resize(gPool.size() + static_cast<size_t>(n) + 2, 0);
  gPool[at] = n;
  if (depth > 0) {
    for (int32_t i = 0; i <= n; ++i) {
      const int32_t child = AllocCountsTrie(n - i, depth - 1);
      gPool[at + 1 + i] = child;
    }
  }
  return at;
}

// Pool position of the leaf for these counts, or -1 when they do not fit.
int32_t Leaf(const int32_t counts[kLevels]) {
  if (gRoot < 0) return -1;
  int32_t node = gRoot;
  for (int level = 0; level < kLevels; ++level) {
    const int32_t c = counts[level];
    if (c < 0 || c > gPool[node]) return -1;
    if (level == kLevels - 1) return node + 1 + c;
    node = gPool[node + 1 + c];
  }
  return -1;
}

}  // namespace

void TbBuildTrie() {
  std::call_once(gTrieBuilt, [] {
    gPool.reserve(1 << 16);
    // The root takes the white pawns; each slot c leaves 4 - c for the
    // other nine counts.
    gPool.resize(kBudget + 2, 0);
    gPool[0] = kBudget;
    for (int32_t c = 0; c <= kBudget; ++c) {
      const int32_t child = AllocCountsTrie(kBudget - c, kLevels - 2);
      gPool[1 + c] = child;
    }
    gRoot = 0;
  });
}

void TbBuildRunTimeTables() {
  std::call_once(gTablesBuilt, [] {
    TbBuildIndexTables();
    TbBuildTrie();
  });
}

int32_t TbFindByCounters(const int32_t counts[10]) {
  if (!counts) return 0;
  const int32_t leaf = Leaf(counts);
  return leaf < 0 ? 0 : gPool[leaf];
}

const char* TbCountPieces(int32_t counts[5], const char* text) {
  for (int i = 0; i < 5; ++i) counts[i] = 0;
  if (!text) return text;
  for (; *text && *text != 'k'; ++text) {
    switch (*text) {
      case 'n':
        ++counts[1];
        break;
      case 'b':
        ++counts[2];
        break;
      case 'r':
        ++counts[3];
        break;
      case 'q':
        ++counts[4];
        break;
      default:
        ++counts[0];
        break;
    }
  }
  return text;
}

int32_t TbFindByName(const char* name) {
  if (!name || !*name) return 0;
  int32_t counts[10];
  const char* at = TbCountPieces(counts, name + 1);
  if (*at == 'k') ++at;
  TbCountPieces(counts + 5, at);
  return TbFindByCounters(counts);
}

bool TbTrieRegister(int32_t id) {
  if (id <= 0 || id >= TbTableCount || gRoot < 0) return false;
  const TbCatalogueRow& row = TbCatalogue[id];
  int32_t direct[10], reversed[10];
  const char* at = TbCountPieces(direct, row.name + 1);
  if (*at == 'k') ++at;
  TbCountPieces(direct + 5, at);
  for (int i = 0; i < 5; ++i) {
    reversed[i] = direct[5 + i];
    reversed[5 + i] = direct[i];
  }
  const int32_t leaf = Leaf(direct);
  const int32_t mirrored = (row.flags & TbFlagSymmetric) ? leaf : Leaf(reversed);
  if (leaf < 0 || mirrored < 0) return false;
  // Equal counts on both sides without the symmetric flag (kpkp): the
  // position is read with its own colours, never overwritten by -id.
  if (mirrored != leaf) gPool[mirrored] = -id;
  gPool[leaf] = id;
  return true;
}

}  // namespace galdrik
