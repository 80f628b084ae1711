// The tablebase manager's check tables and its integrity log.
#include "tablebase/managertabellen.h"

#include <fstream>

namespace galdrik {

TbManagerTabellen& TbManager() {
  static TbManagerTabellen t;
  return t;
}

void TBManagLogLesen(const std::string& pfad) {
  TbManagerTabellen& t = TbManager();
  t.statusW.fill(0);
  t.statusS.fill(0);
  t.zeitW.fill(0);
  t.zeitS.fill(0);
  if (pfad.empty()) return;
  std::ifstream f(pfad, std::ios::binary);
  if (!f) return;
  for (auto* tabelle : {&t.zeitW, &t.zeitS})
    for (int32_t& v : *tabelle) {
      unsigned char b[4];
      if (!f.read(reinterpret_cast<char*>(b), 4)) return;
      v = int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                  uint32_t(b[3]) << 24);
    }
}

}  // namespace galdrik
