#include "core/tbhook.h"

#include <atomic>

namespace galdrik {

namespace {
std::atomic<TBProbeSucheFn> installierteProbe{nullptr};
}

void TBProbeSucheSetzen(TBProbeSucheFn probe) {
  installierteProbe.store(probe, std::memory_order_release);
}

bool TBProbeSucheFragen(const Stellung& st, int16_t& wert) {
  TBProbeSucheFn probe = installierteProbe.load(std::memory_order_acquire);
  return probe != nullptr && probe(st, wert);
}

}  // namespace galdrik
