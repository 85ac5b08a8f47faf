// An exclusive advisory lock (flock; LockFileEx on Windows) on a lock file, so that two processes
// that read, change and rewrite the same file take turns instead of losing
// one another's changes.
#pragma once

#include <chrono>
#include <string>

namespace zelk {

class ExclusiveFileLock {
 public:
  enum class State {
    Locked,
    TimedOut,        // another process held the lock for the whole timeout
    ReadOnlyFolder,  // the lock file cannot be made: no run can write there either
    Unusable,        // the lock file cannot be opened or locked (see lastError())
  };

  // Opens `lockPath` (created when missing, never through a symbolic link)
  // and waits up to `timeout` for the lock. A symbolic link at `lockPath`
  // is replaced by a lock file when the user may remove it; the runs that
  // find the link take turns at that (a lock on the folder), so two of them
  // never end up locking two different files.
  ExclusiveFileLock(const std::string& lockPath, std::chrono::milliseconds timeout);
  ~ExclusiveFileLock();
  ExclusiveFileLock(const ExclusiveFileLock&) = delete;
  ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

  State state() const { return state_; }
  bool locked() const { return state_ == State::Locked; }
  bool timedOut() const { return state_ == State::TimedOut; }
  // The errno of the step that failed, when state() is Unusable.
  int lastError() const { return lastError_; }

 private:
  int descriptor_ = -1;
  State state_ = State::Unusable;
  int lastError_ = 0;
};

}  // namespace zelk
