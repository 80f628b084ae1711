// DATACOMP encoder: picks the 24 distances from the matches a plain hash
// chain finds, parses every block greedily against them, and codes the
// literals and matches of all blocks with one canonical code.
#include "datacompenc.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <queue>

#include "tablebase/datacomp.h"

namespace galdrik::datacomp {

namespace {

constexpr int MainLimit = 24;  // longest main code; any up to 31 decodes
constexpr int MetaLimit = 15;

class BitWriter {
 public:
  void Put(uint32_t value, int n) {
    for (int i = n - 1; i >= 0; --i) {
      acc_ = uint8_t(acc_ << 1 | ((value >> i) & 1));
      if (++count_ == 8) {
        bytes_.push_back(acc_);
        acc_ = 0;
        count_ = 0;
      }
    }
  }
  // Pads with zero bits to the next byte boundary.
  std::vector<uint8_t>& Finish() {
    if (count_ > 0) Put(0, 8 - count_);
    return bytes_;
  }

 private:
  std::vector<uint8_t> bytes_;
  uint8_t acc_ = 0;
  int count_ = 0;
};

// Huffman lengths no longer than limit: frequencies are flattened until the
// tree fits. One used symbol gets length 1 (coded with no bits), none
// leaves every length 0.
std::vector<uint8_t> CodeLengths(std::vector<uint64_t> freq, int limit) {
  const int n = int(freq.size());
  std::vector<uint8_t> lengths(n, 0);
  int used = 0;
  for (int s = 0; s < n; ++s)
    if (freq[s] > 0) ++used;
  if (used == 0) return lengths;
  if (used == 1) {
    for (int s = 0; s < n; ++s)
      if (freq[s] > 0) lengths[s] = 1;
    return lengths;
  }
  for (;;) {
    struct Node {
      uint64_t weight;
      int left, right;
    };
    std::vector<Node> nodes;
    using Item = std::pair<uint64_t, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
    std::vector<int> leafOf(n, -1);
    for (int s = 0; s < n; ++s)
      if (freq[s] > 0) {
        leafOf[s] = int(nodes.size());
        queue.push({freq[s], int(nodes.size())});
        nodes.push_back({freq[s], -1, -1});
      }
    while (queue.size() > 1) {
      const auto [wa, a] = queue.top();
      queue.pop();
      const auto [wb, b] = queue.top();
      queue.pop();
      queue.push({wa + wb, int(nodes.size())});
      nodes.push_back({wa + wb, a, b});
    }
    std::vector<int> depth(nodes.size(), 0);
    for (int i = int(nodes.size()) - 1; i >= 0; --i)
      if (nodes[i].left >= 0) depth[nodes[i].left] = depth[nodes[i].right] = depth[i] + 1;
    int longest = 0;
    for (int s = 0; s < n; ++s)
      if (leafOf[s] >= 0) longest = std::max(longest, depth[leafOf[s]]);
    if (longest <= limit) {
      for (int s = 0; s < n; ++s)
        if (leafOf[s] >= 0) lengths[s] = uint8_t(depth[leafOf[s]]);
      return lengths;
    }
    for (auto& f : freq)
      if (f > 0) f = std::max<uint64_t>(1, f / 2);
  }
}

// A canonical code: the codes of ascending lengths, symbols of one length
// in ascending order.
struct Code {
  std::vector<uint8_t> length;
  std::vector<uint32_t> bits;
  bool single = false;  // one symbol, coded without bits

  explicit Code(std::vector<uint8_t> l) : length(std::move(l)), bits(length.size(), 0) {
    int count[33] = {};
    int used = 0;
    for (uint8_t x : length)
      if (x) ++count[x], ++used;
    single = used == 1;
    uint32_t next[33] = {};
    for (uint32_t len = 1, code = 0; len <= 32; ++len) {
      code = (code + uint32_t(count[len - 1])) << 1;
      next[len] = code;
    }
    for (size_t s = 0; s < length.size(); ++s)
      if (length[s]) bits[s] = next[length[s]]++;
  }
  void Put(BitWriter& w, int symbol) const {
    if (!single) w.Put(bits[symbol], length[symbol]);
  }
};

struct Token {
  uint16_t symbol;
  uint8_t extraBits;
  uint32_t extra;
};

uint32_t MatchLength(const uint8_t* block, uint32_t pos, uint32_t dist, uint32_t len) {
  uint32_t l = 0;
  while (pos + l < len && block[pos + l] == block[pos + l - dist]) ++l;
  return l;
}

// The 24 distances that the matches of a greedy hash-chain parse use most
// (weighted by the bytes they cover), filled up with small unused ones.
std::array<uint32_t, DatacompDistances> ChooseDistances(const uint8_t* data, size_t size,
                                                        uint32_t blockSize) {
  std::vector<uint64_t> weight(blockSize, 0);
  std::vector<int32_t> head(1 << 15), prev(blockSize);
  for (size_t start = 0; start < size; start += blockSize) {
    const uint8_t* block = data + start;
    const uint32_t len = uint32_t(std::min<size_t>(blockSize, size - start));
    std::fill(head.begin(), head.end(), -1);
    auto hash = [&](uint32_t p) {
      return (uint32_t(block[p]) << 10 ^ uint32_t(block[p + 1]) << 5 ^ block[p + 2]) & 0x7FFF;
    };
    auto insert = [&](uint32_t p) {
      if (p + 3 > len) return;
      const uint32_t h = hash(p);
      prev[p] = head[h];
      head[h] = int32_t(p);
    };
    uint32_t p = 0;
    while (p < len) {
      uint32_t best = 0, bestDist = 0;
      for (uint32_t d = 1; d <= 4 && d <= p; ++d) {
        const uint32_t l = MatchLength(block, p, d, len);
        if (l > best) best = l, bestDist = d;
      }
      if (p + 3 <= len) {
        int32_t cand = head[hash(p)];
        for (int steps = 0; cand >= 0 && steps < 32; ++steps, cand = prev[cand]) {
          const uint32_t d = p - uint32_t(cand);
          const uint32_t l = MatchLength(block, p, d, len);
          if (l > best) best = l, bestDist = d;
        }
      }
      insert(p);
      if (best >= 3) {
        weight[bestDist] += best;
        for (uint32_t i = 1; i < best; ++i) insert(p + i);
        p += best;
      } else {
        ++p;
      }
    }
  }
  std::vector<uint32_t> order;
  for (uint32_t d = 1; d < blockSize; ++d)
    if (weight[d] > 0) order.push_back(d);
  std::stable_sort(order.begin(), order.end(),
                   [&](uint32_t a, uint32_t b) { return weight[a] > weight[b]; });
  if (order.size() > DatacompDistances) order.resize(DatacompDistances);
  for (uint32_t d = 1; order.size() < DatacompDistances; ++d)
    if (std::find(order.begin(), order.end(), d) == order.end()) order.push_back(d);
  std::array<uint32_t, DatacompDistances> out{};
  std::copy(order.begin(), order.end(), out.begin());
  return out;
}

Token MatchToken(int distIndex, uint32_t length) {
  if (length <= 15) return {uint16_t(256 + distIndex * 32 + int(length) - 1), 0, 0};
  int k = 1;
  while ((1u << (k + 1)) + 14 <= length) ++k;
  return {uint16_t(256 + distIndex * 32 + 14 + k), uint8_t(k), length - (1u << k) - 14};
}

std::vector<Token> Parse(const uint8_t* block, uint32_t len,
                         const std::array<uint32_t, DatacompDistances>& dist) {
  std::vector<Token> tokens;
  uint32_t p = 0;
  while (p < len) {
    uint32_t best = 0;
    int bestIndex = 0;
    for (int i = 0; i < DatacompDistances; ++i) {
      if (dist[i] > p) continue;
      const uint32_t l = MatchLength(block, p, dist[i], len);
      if (l > best) best = l, bestIndex = i;
    }
    if (best >= 2) {
      tokens.push_back(MatchToken(bestIndex, best));
      p += best;
    } else {
      tokens.push_back({block[p], 0, 0});
      ++p;
    }
  }
  return tokens;
}

// The code description: a main code that is not all zero, coded with
// code A (lengths and repeat marks) and code B (repeat counts).
void PutDescription(BitWriter& w, const std::vector<uint8_t>& lengths) {
  struct Step {
    int a;
    int b;  // -1 without a run
    int extraBits;
    uint32_t extra;
  };
  std::vector<Step> steps;
  for (size_t i = 0; i < lengths.size();) {
    size_t run = 1;
    while (i + run < lengths.size() && lengths[i + run] == lengths[i]) ++run;
    if (run < 2) {
      steps.push_back({lengths[i], -1, 0, 0});
    } else if (run <= 33) {
      steps.push_back({32 + lengths[i], int(run) - 2, 0, 0});
    } else {
      int k = 0;
      while ((size_t(1) << (k + 1)) <= run - 33) ++k;
      steps.push_back({32 + lengths[i], 32 + k, k, uint32_t(run - 33 - (size_t(1) << k))});
    }
    i += run;
  }
  std::vector<uint64_t> fa(64, 0), fb(64, 0);
  for (const auto& s : steps) {
    ++fa[s.a];
    if (s.b >= 0) ++fb[s.b];
  }
  std::vector<uint8_t> meta = CodeLengths(fa, MetaLimit);
  const std::vector<uint8_t> lb = CodeLengths(fb, MetaLimit);
  meta.insert(meta.end(), lb.begin(), lb.end());
  const Code codeA(std::vector<uint8_t>(meta.begin(), meta.begin() + 64));
  const Code codeB(std::vector<uint8_t>(meta.begin() + 64, meta.end()));

  w.Put(0, 1);  // main code not all zero
  w.Put(0, 1);  // description codes not all zero
  int width = 1;
  for (uint8_t l : meta)
    while ((1u << width) <= l) ++width;
  w.Put(uint32_t(width), 5);
  for (size_t i = 0; i < meta.size(); ++i) {
    w.Put(meta[i], width);
    if (meta[i] == 0) {
      uint32_t zeros = 0;
      while (zeros < 15 && i + 1 + zeros < meta.size() && meta[i + 1 + zeros] == 0) ++zeros;
      w.Put(zeros, 4);
      i += zeros;
    }
  }
  for (const auto& s : steps) {
    codeA.Put(w, s.a);
    if (s.b >= 0) {
      codeB.Put(w, s.b);
      w.Put(s.extra, s.extraBits);
    }
  }
}

void PutBe32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(v >> (24 - 8 * i));
}

}  // namespace

std::vector<uint8_t> Compress(const uint8_t* data, size_t size, int B) {
  if (size == 0 || B < 5 || B > 16) return {};
  const uint32_t blockSize = 1u << B;
  const uint32_t n = uint32_t((size + blockSize - 1) / blockSize);
  const auto dist = ChooseDistances(data, size, blockSize);

  std::vector<std::vector<Token>> tokens(n);
  std::vector<uint64_t> freq(DatacompSymbols, 0);
  for (uint32_t b = 0; b < n; ++b) {
    const size_t start = size_t(b) * blockSize;
    tokens[b] = Parse(data + start, uint32_t(std::min<size_t>(blockSize, size - start)), dist);
    for (const auto& t : tokens[b]) ++freq[t.symbol];
  }
  const std::vector<uint8_t> mainLengths = CodeLengths(freq, MainLimit);
  const Code main(mainLengths);

  std::vector<std::vector<uint8_t>> stored(n);
  uint32_t lastSize = 0;
  for (uint32_t b = 0; b < n; ++b) {
    const size_t start = size_t(b) * blockSize;
    const uint32_t len = uint32_t(std::min<size_t>(blockSize, size - start));
    lastSize = len;
    BitWriter w;
    for (const auto& t : tokens[b]) {
      main.Put(w, t.symbol);
      w.Put(t.extra, t.extraBits);
    }
    std::vector<uint8_t>& coded = w.Finish();
    // A stored size of 0 cannot be written (the field's 0 means 8192), and
    // one equal to the decoded size means a raw block.
    if (coded.empty()) coded.push_back(0);
    if (coded.size() >= len)
      stored[b].assign(data + start, data + start + len);
    else
      stored[b] = std::move(coded);
  }

  BitWriter fields;
  for (uint32_t b = 0; b < n; ++b) fields.Put(uint32_t(stored[b].size()) & (blockSize - 1), B);
  fields.Put(lastSize & (blockSize - 1), B);
  for (uint32_t d : dist) fields.Put(d & (blockSize - 1), B);
  BitWriter description;
  PutDescription(description, mainLengths);
  const std::vector<uint8_t>& f = fields.Finish();
  const std::vector<uint8_t>& desc = description.Finish();

  const size_t h = 80 + 8 * size_t(n) + f.size() + desc.size() + 4;
  std::vector<uint8_t> out(DatacompBannerPrefix, DatacompBannerPrefix + DatacompBannerPrefixLen);
  out.insert(out.end(), EncoderNotice, EncoderNotice + 31);
  out.resize(h, 0);
  PutBe32(out, 64, uint32_t(h));
  out[70] = uint8_t(B);
  out[71] = DatacompDistances;
  PutBe32(out, 72, n);
  PutBe32(out, 76, DatacompMagic);
  for (uint32_t b = 0; b < n; ++b) {
    const size_t start = size_t(b) * blockSize;
    const size_t len = std::min<size_t>(blockSize, size - start);
    PutBe32(out, 80 + 8 * b, TbBlockCrc(data + start, len, 0));
    PutBe32(out, 84 + 8 * b, TbBlockCrc(stored[b].data(), stored[b].size(), 0));
  }
  std::copy(f.begin(), f.end(), out.begin() + 80 + 8 * n);
  std::copy(desc.begin(), desc.end(), out.begin() + 80 + 8 * n + f.size());
  PutBe32(out, h - 4, TbBlockCrc(out.data(), h - 4, 0));
  for (const auto& s : stored) out.insert(out.end(), s.begin(), s.end());
  return out;
}

bool Decompress(const std::string& pfad, std::vector<uint8_t>& out, std::string& fehler) {
  const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    fehler = "cannot open " + pfad;
    return false;
  }
  DatacompFehler grund;
  const auto info = DatacompReadIndex(fd, grund);
  std::unique_ptr<DatacompDecodeBlock> work;
  bool ok = info != nullptr && TbAllocDecodeBlock(&work, info->blockSize) == 0;
  if (!info) fehler = std::string("unable to read ") + pfad + " - " + DatacompFehlerText(grund);
  if (ok) {
    out.assign(info->DecodedBytes(), 0);
    for (uint32_t b = 0; ok && b < info->blockCount; ++b) {
      ok = DatacompDecode(*info, fd, b, out.data() + size_t(b) * info->blockSize, *work);
      if (!ok) fehler = "block " + std::to_string(b) + " of " + pfad + " is broken";
    }
  }
  ::close(fd);
  return ok;
}

}  // namespace galdrik::datacomp
