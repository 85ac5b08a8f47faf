#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <limits>
#include <utility>

#include "platform/internal/wide_text.h"
#include "platform/regular_file.h"

namespace zelk {
namespace {

// Files stay open to others' reading, writing and renaming, as on Linux: a
// run that reads a log must not stop the terminal program from writing it,
// nor the staged replacement of a settings file from taking its place.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct Handle {
  HANDLE value;
  explicit Handle(HANDLE handle) : value(handle) {}
  ~Handle() {
    if (value != INVALID_HANDLE_VALUE) ::CloseHandle(value);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return value != INVALID_HANDLE_VALUE; }
  HANDLE release() { return std::exchange(value, INVALID_HANDLE_VALUE); }
};

// What stands at `path`: its attributes, or INVALID_FILE_ATTRIBUTES.
DWORD attributesOf(const std::string& path) { return ::GetFileAttributesW(widePath(path).c_str()); }

bool isLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

std::int64_t nanosecondsOf(const FILETIME& time) {
  const std::uint64_t ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return static_cast<std::int64_t>(ticks) * 100;  // 100 ns ticks since 1601
}

}  // namespace

int openRegularFile(const std::string& path) {
  // A folder cannot be opened without FILE_FLAG_BACKUP_SEMANTICS; a pipe or a
  // device is turned away by its type.
  Handle file(::CreateFileW(widePath(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid() || ::GetFileType(file.value) != FILE_TYPE_DISK) {
    errno = file.valid() ? EINVAL : ENOENT;
    return -1;
  }
  const int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(file.value), _O_RDONLY | _O_BINARY);
  if (descriptor >= 0) file.release();
  return descriptor;
}

bool seekDescriptor(int descriptor, std::uint64_t offset) {
  return offset <= static_cast<std::uint64_t>(std::numeric_limits<__int64>::max()) &&
         ::_lseeki64(descriptor, static_cast<__int64>(offset), SEEK_SET) >= 0;
}

std::optional<FileStamp> fileStampOf(const std::string& path) {
  Handle file(::CreateFileW(widePath(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.valid() || !::GetFileInformationByHandle(file.value, &info)) return std::nullopt;
  FileStamp stamp;
  stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  stamp.modifiedNs = nanosecondsOf(info.ftLastWriteTime);
  // The time of any change, which a program cannot set back, where the file
  // system keeps one (NTFS); FAT has only the time of the last write.
  FILE_BASIC_INFO basic{};
  stamp.changedNs = ::GetFileInformationByHandleEx(file.value, FileBasicInfo, &basic, sizeof basic) &&
                            basic.ChangeTime.QuadPart != 0
                        ? basic.ChangeTime.QuadPart * 100
                        : stamp.modifiedNs;
  stamp.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  stamp.device = info.dwVolumeSerialNumber;
  return stamp;
}

std::optional<std::uint64_t> regularFileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool isDirectory(const std::string& path) {
  const DWORD attributes = attributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool pathExists(const std::string& path) { return attributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool isSomethingElseThanRegularFile(const std::string& path) {
  const DWORD attributes = attributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || isLink(attributes));
}

// A Windows folder's rights are in its access list, which a folder of the
// user's (the program's own) keeps to the user; no mode bits tell otherwise.
bool othersMayReplaceIn(const std::string& path) { return false; }

int openOwnRegularFile(const std::string& path) {
  if (isSomethingElseThanRegularFile(path)) return -1;  // never through a link
  return openRegularFile(path);
}

}  // namespace zelk
