// The manager's check tables as the tablebase layer keeps them (cleared and
// reloaded from the log at every tablebase start), seen by manager side:
// side 1 the White-to-move file, side 0 the Black-to-move file. The worker
// writes them while the program reads, so every access is atomic.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "tablebase/managertabellen.h"

namespace galdrik {

inline int32_t& TBManagStatusEintrag(int32_t seite, int32_t nr) {
  return seite == 1 ? TbManager().statusW[nr] : TbManager().statusS[nr];
}
inline int32_t& TBManagPruefzeitEintrag(int32_t seite, int32_t nr) {
  return seite == 1 ? TbManager().zeitW[nr] : TbManager().zeitS[nr];
}

inline int32_t TBManagStatusLesen(int32_t seite, int32_t nr) {
  return std::atomic_ref<int32_t>(TBManagStatusEintrag(seite, nr)).load(std::memory_order_relaxed);
}
inline uint32_t TBManagPruefzeitLesen(int32_t seite, int32_t nr) {
  return static_cast<uint32_t>(
      std::atomic_ref<int32_t>(TBManagPruefzeitEintrag(seite, nr)).load(std::memory_order_relaxed));
}
inline void TBManagEintragSetzen(int32_t seite, int32_t nr, int32_t status, uint32_t zeit) {
  std::atomic_ref<int32_t>(TBManagStatusEintrag(seite, nr))
      .store(status, std::memory_order_relaxed);
  std::atomic_ref<int32_t>(TBManagPruefzeitEintrag(seite, nr))
      .store(static_cast<int32_t>(zeit), std::memory_order_relaxed);
}

// The list and log paths as set through DLL_MD5Pfad and DLL_MD5LogPfad, else
// egtbdtx7.md5 and egtbdtx7.log in the per-user data folder.
std::string MD5ListePfad();
std::string TBManagLogPfad();

}  // namespace galdrik
