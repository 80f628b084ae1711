// The tablebase manager's four check tables (status and check time of the
// white- and black-to-move files, per set, table and extent) and the read
// of its integrity log, which every DLL_TBInit reloads.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace galdrik {

inline constexpr int32_t TbManagerEintraege = 7 * 441 * 18;  // (set * 441 + id) * 18 + extent

struct TbManagerTabellen {
  std::array<int32_t, TbManagerEintraege> statusW{};
  std::array<int32_t, TbManagerEintraege> statusS{};
  std::array<int32_t, TbManagerEintraege> zeitW{};
  std::array<int32_t, TbManagerEintraege> zeitS{};
};

TbManagerTabellen& TbManager();

// Clears all four tables, then fills the two check-time tables from the
// log (little-endian 32-bit values, White's table first). A missing log
// leaves them cleared, a short one fills what it holds.
void TBManagLogLesen(const std::string& pfad);

}  // namespace galdrik
