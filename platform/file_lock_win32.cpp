#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>

#include "platform/file_lock.h"
#include "platform/internal/lock_waiting.h"
#include "platform/internal/wide_text.h"

namespace zelk {
namespace {

// The lock file stays open to everyone: the lock is the byte range below,
// not the way the file is shared.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The whole of any file: the range every run locks.
constexpr DWORD kWholeFile = MAXDWORD;

HANDLE openLockFile(const std::wstring& lockPath) {
  HANDLE handle = ::CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  // Another user's lock file in a shared folder may be readable only; a
  // lock on a handle open for reading works all the same.
  if (handle == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED)
    handle = ::CreateFileW(lockPath.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle;
}

int errnoOf(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    default: return EIO;
  }
}

bool lockWithoutWaiting(HANDLE handle) {
  OVERLAPPED from{};
  return ::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, kWholeFile, kWholeFile,
                      &from) != 0;
}

}  // namespace

ExclusiveFileLock::ExclusiveFileLock(const std::string& lockPath, std::chrono::milliseconds timeout) {
  HANDLE handle = openLockFile(widePath(lockPath));
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    lastError_ = errnoOf(error);
    state_ = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ? State::ReadOnlyFolder
                                                                          : State::Unusable;
    return;
  }
  descriptor_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (descriptor_ < 0) {
    ::CloseHandle(handle);
    lastError_ = EMFILE;
    return;
  }
  state_ = waitForLock(timeout, [this, handle] {
    if (lockWithoutWaiting(handle)) return LockTry::Locked;
    if (::GetLastError() == ERROR_LOCK_VIOLATION) return LockTry::Busy;
    lastError_ = errnoOf(::GetLastError());  // no locking here (some network folders)
    return LockTry::Failed;
  });
}

ExclusiveFileLock::~ExclusiveFileLock() {
  if (descriptor_ < 0) return;
  // Windows frees a lock some time after its handle is closed; the next run
  // must find it free at once.
  if (state_ == State::Locked) {
    OVERLAPPED from{};
    ::UnlockFileEx(reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor_)), 0, kWholeFile, kWholeFile, &from);
  }
  ::_close(descriptor_);
}

}  // namespace zelk
