// Opening a file for reading only when it is a regular file: a FIFO would
// block the open until someone writes to it, and a device such as /dev/zero
// never ends, so neither may stand where a settings, data or log file is read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zelk {

// A descriptor open for reading (blocking, close-on-exec), or -1 when `path`
// cannot be opened or is not a regular file (a folder, a FIFO, a device, a
// socket). Symbolic links are followed.
int openRegularFile(const std::string& path);

// Moves `descriptor`'s reading to `offset` bytes from the file's start, past
// 2 GiB too; false when it cannot.
bool seekDescriptor(int descriptor, std::uint64_t offset);

// What tells whether a file changed since it was looked at: which file it is,
// its size, and the times of its last change of content and of any change
// (the second cannot be set back by a program), to the nanosecond.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;
  std::uint64_t inode = 0;
  std::uint64_t device = 0;
  bool operator==(const FileStamp&) const = default;
};
// The file's stamp; nothing when it cannot be looked at.
std::optional<FileStamp> fileStampOf(const std::string& path);

// The size of the regular file at `path` (links followed); nothing when there
// is none.
std::optional<std::uint64_t> regularFileSize(const std::string& path);

// True when there is a folder at `path` (links followed).
bool isDirectory(const std::string& path);

// True when anything stands at `path`, a symbolic link that leads nowhere
// included.
bool pathExists(const std::string& path);

// True when something other than a regular file stands at `path` itself (a
// folder, a device, or a symbolic link even to a regular file).
bool isSomethingElseThanRegularFile(const std::string& path);

// True when someone else could put or replace a file in the folder of
// `path`: one others may write to without the sticky bit (which keeps them
// to their own files). A folder that cannot be looked at counts as such.
bool othersMayReplaceIn(const std::string& path);

// A descriptor open for reading, or -1, for a file only this user could have
// put at `path`: a regular file of the user's own (not a link to one), in a
// folder where no one else can put it.
int openOwnRegularFile(const std::string& path);

}  // namespace zelk
