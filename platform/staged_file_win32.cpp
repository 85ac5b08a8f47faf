// The staged replacement on Windows: the staging file is created new beside
// the target, written, flushed to the disk, and moved over the target with
// MoveFileExW, which replaces it in one step (the reader sees the old file
// or the new one, never a torn one).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/internal/staging.h"
#include "platform/internal/wide_text.h"
#include "platform/staged_file.h"

namespace zelk {
namespace {

constexpr std::int64_t kLeftoverAge = 60LL * 10000000;  // a minute in 100 ns ticks

std::string directoryOf(const std::string& path) {
  auto slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return ".";
  return path.substr(0, slash);
}

std::int64_t ticksOf(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime);
}

// Staging files of `target` that a killed run left behind: regular files of
// the pattern, untouched for a minute.
void removeLeftovers(const std::string& target) {
  const std::string pattern = StagedFile::stagingPrefix(target) + "??????";
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(widePath(pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  const std::string folder = directoryOf(target) + "/";
  do {
    if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) continue;
    if (ticksOf(now) - ticksOf(found.ftLastWriteTime) > kLeftoverAge)
      ::DeleteFileW(widePath(folder + corePath(found.cFileName)).c_str());
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

// False when the target must stay: a read-only file (the user's way of
// keeping a file as it is) or something that is not a file (a device).
// A folder is left to the move, which reports it.
bool mayReplace(const std::string& target) {
  const DWORD attributes = ::GetFileAttributesW(widePath(target).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  return (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

}  // namespace

int createStagingFile(const std::string& path) {
  // CREATE_NEW fails on any name that is taken, a link's included.
  HANDLE handle = ::CreateFileW(widePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    errno = ::GetLastError() == ERROR_FILE_EXISTS ? EEXIST : EACCES;
    return -1;
  }
  const int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (descriptor < 0) ::CloseHandle(handle);
  return descriptor;
}

bool writeAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const unsigned piece = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1U << 30));
    const int written = ::_write(descriptor, bytes.data(), piece);
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A link at the target is replaced by the move in both cases: Windows links
// are made by administrators, not planted by other users, and the settings
// are kept in the program's folder.
StagedFile::StagedFile(std::string targetPath, Links links) : targetPath_(std::move(targetPath)) {
  if (!mayReplace(targetPath_)) return;
  removeLeftovers(targetPath_);
  descriptor_ = openStagingFile(targetPath_, stagingPath_);
}

void StagedFile::discard() {
  if (descriptor_ >= 0) ::_close(descriptor_);
  descriptor_ = -1;
  ::DeleteFileW(widePath(stagingPath_).c_str());
}

bool StagedFile::commit(std::string_view bytes, Flush flush) {
  if (!append(bytes)) return false;
  if (flush == Flush::ToDisk && ::_commit(descriptor_) != 0) {
    discard();
    return false;
  }
  const int closed = ::_close(descriptor_);
  descriptor_ = -1;
  const DWORD moveFlags = MOVEFILE_REPLACE_EXISTING | (flush == Flush::ToDisk ? MOVEFILE_WRITE_THROUGH : 0);
  if (closed != 0 ||
      !::MoveFileExW(widePath(stagingPath_).c_str(), widePath(targetPath_).c_str(), moveFlags)) {
    ::DeleteFileW(widePath(stagingPath_).c_str());
    return false;
  }
  return true;
}

}  // namespace zelk
