#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/internal/lock_waiting.h"

namespace zelk {
namespace {

std::string directoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

int openLockFile(const std::string& lockPath) {
  int descriptor = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  // Another user's lock file in a shared folder may be readable only; a
  // lock on a descriptor open for reading works all the same.
  if (descriptor < 0 && errno != ELOOP)
    descriptor = ::open(lockPath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  return descriptor;
}

// A symbolic link at the lock's name (planted, or left by a copy tool)
// makes way for a lock file. Only a link is removed, and only while this
// process holds the folder's own lock: a run that finds the link after
// another replaced it then opens that run's file instead of removing it.
int replaceLinkAndOpen(const std::string& lockPath) {
  const int folder = ::open(directoryOf(lockPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return -1;
  int descriptor = -1;
  int taken;
  while ((taken = ::flock(folder, LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (taken != 0) {  // without taking turns, two runs could replace each other's file
    const int error = errno;
    ::close(folder);
    errno = error;
    return -1;
  }
  struct stat info {};
  if (::lstat(lockPath.c_str(), &info) != 0 || !S_ISLNK(info.st_mode) || ::unlink(lockPath.c_str()) == 0)
    descriptor = openLockFile(lockPath);
  const int error = errno;
  ::close(folder);  // releases the folder's lock
  errno = error;
  return descriptor;
}

bool folderIsReadOnly(const std::string& lockPath) {
  return ::access(directoryOf(lockPath).c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS);
}

}  // namespace

ExclusiveFileLock::ExclusiveFileLock(const std::string& lockPath, std::chrono::milliseconds timeout) {
  descriptor_ = openLockFile(lockPath);
  if (descriptor_ < 0 && errno == ELOOP) descriptor_ = replaceLinkAndOpen(lockPath);
  if (descriptor_ < 0) {
    lastError_ = errno;
    state_ = folderIsReadOnly(lockPath) ? State::ReadOnlyFolder : State::Unusable;
    return;
  }
  state_ = waitForLock(timeout, [this] {
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0) return LockTry::Locked;
    if (errno == EWOULDBLOCK || errno == EINTR) return LockTry::Busy;
    lastError_ = errno;  // no locking here (some network folders)
    return LockTry::Failed;
  });
}

ExclusiveFileLock::~ExclusiveFileLock() {
  if (descriptor_ >= 0) ::close(descriptor_);  // closing releases the lock
}

}  // namespace zelk
