// An exclusive advisory lock (flock) on a lock file, so that two processes
// that read, change and rewrite the same file take turns instead of losing
// one another's changes.
#pragma once

#include <chrono>
#include <string>

namespace zelk {

class ExclusiveFileLock {
 public:
  // Opens `lockPath` (created when missing, never through a symbolic link)
  // and waits up to `timeout` for the lock. A lock file that cannot be opened
  // at all (a read-only folder, which no run can write to either) leaves the
  // object unlocked but not timed out: there is nothing to take turns over.
  ExclusiveFileLock(const std::string& lockPath, std::chrono::milliseconds timeout);
  ~ExclusiveFileLock();
  ExclusiveFileLock(const ExclusiveFileLock&) = delete;
  ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

  bool locked() const { return locked_; }
  // True when another process held the lock for the whole timeout.
  bool timedOut() const { return timedOut_; }

 private:
  int descriptor_ = -1;
  bool locked_ = false;
  bool timedOut_ = false;
};

}  // namespace zelk
