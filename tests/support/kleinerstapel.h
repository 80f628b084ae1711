// Test helper: runs work on a thread whose stack is far smaller than one
// frame per ply of a long game would need, so recursion over a game shows.
#pragma once

#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>

namespace galdrik::test {

inline void MitKleinemStapel(const std::function<void()>& arbeit) {
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 256 * 1024);
  pthread_t thread;
  auto lauf = [](void* p) -> void* {
    (*static_cast<const std::function<void()>*>(p))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attr, lauf, const_cast<std::function<void()>*>(&arbeit)), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
}

}  // namespace galdrik::test
