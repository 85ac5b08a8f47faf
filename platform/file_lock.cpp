#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace zelk {

ExclusiveFileLock::ExclusiveFileLock(const std::string& lockPath, std::chrono::milliseconds timeout) {
  constexpr int kFlags = O_CREAT | O_NOFOLLOW | O_CLOEXEC;
  descriptor_ = ::open(lockPath.c_str(), O_RDWR | kFlags, 0666);
  // Another user's lock file in a shared folder may be readable only; a
  // lock on a descriptor open for reading works all the same.
  if (descriptor_ < 0) descriptor_ = ::open(lockPath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (descriptor_ < 0) return;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  auto pause = std::chrono::milliseconds(1);
  for (;;) {
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0) {
      locked_ = true;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) return;  // no locking here (some network folders)
    if (std::chrono::steady_clock::now() >= deadline) {
      timedOut_ = true;
      return;
    }
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(20));
  }
}

ExclusiveFileLock::~ExclusiveFileLock() {
  if (descriptor_ >= 0) ::close(descriptor_);  // closing releases the lock
}

}  // namespace zelk
