// Waiting for a lock another process holds, the same on both sides of the
// platform layer: try, and while the lock is busy, pause (1 ms, doubling up
// to 20 ms) and try again until the time is up.
#pragma once

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/file_lock.h"

namespace zelk {

// What one try at the lock gave.
enum class LockTry { Locked, Busy, Failed };

// Tries `tryLock` until it locks or fails, or `timeout` has passed: the
// lock's state then (Failed gives Unusable; the try says why).
template <typename TryLock>
ExclusiveFileLock::State waitForLock(std::chrono::milliseconds timeout, TryLock tryLock) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  auto pause = std::chrono::milliseconds(1);
  for (;;) {
    switch (tryLock()) {
      case LockTry::Locked: return ExclusiveFileLock::State::Locked;
      case LockTry::Failed: return ExclusiveFileLock::State::Unusable;
      case LockTry::Busy: break;
    }
    if (std::chrono::steady_clock::now() >= deadline) return ExclusiveFileLock::State::TimedOut;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(20));
  }
}

}  // namespace zelk
