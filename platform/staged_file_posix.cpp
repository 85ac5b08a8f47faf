#include "platform/internal/staging.h"
#include "platform/staged_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <utility>

namespace zelk {
namespace {

constexpr std::time_t kLeftoverAge = 60;  // seconds; a live run stages for milliseconds
constexpr int kMaxLinkDepth = 40;

}  // namespace

int createStagingFile(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
}

bool writeAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

namespace {

std::string directoryOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The file a chain of symbolic links ends at (which need not exist yet).
std::string resolveLinks(std::string path) {
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char buffer[4096];
    ssize_t length = ::readlink(path.c_str(), buffer, sizeof buffer);
    if (length <= 0 || length == static_cast<ssize_t>(sizeof buffer)) return path;
    std::string link(buffer, static_cast<std::size_t>(length));
    path = link[0] == '/' ? link : directoryOf(path) + "/" + link;
  }
  return path;
}

// Staging files of `target` that a killed run left behind: this user's
// regular files of the pattern, untouched for a minute.
void removeLeftovers(const std::string& target) {
  const std::string directory = directoryOf(target);
  const std::string prefix = StagedFile::stagingPrefix(target).substr(
      target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);
  DIR* folder = ::opendir(directory.c_str());
  if (!folder) return;
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string path = directory + "/" + name;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
      continue;
    if (now - info.st_mtime > kLeftoverAge) ::unlink(path.c_str());
  }
  ::closedir(folder);
}

mode_t currentUmask() {
  const mode_t mask = ::umask(077);
  ::umask(mask);
  return mask;
}

// The permission bits the new file gets, or -1 when the target must stay: a
// file the user may not write (a file without any write bit counts so for
// every user), or something that is not a regular file (a FIFO, a device).
// A link that is to be replaced is looked at, not the file it names: the new
// file is a new file, with the bits of one.
long finalModeFor(const std::string& target, StagedFile::Links links) {
  struct stat info {};
  const int looked = links == StagedFile::Links::Replace ? ::lstat(target.c_str(), &info)
                                                         : ::stat(target.c_str(), &info);
  if (looked != 0 || S_ISLNK(info.st_mode)) return 0666 & ~currentUmask();
  if (S_ISDIR(info.st_mode)) return 0666 & ~currentUmask();  // the rename reports it
  if (!S_ISREG(info.st_mode)) return -1;
  if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) return -1;
  return info.st_mode & 0777;
}

// Makes the rename itself durable; a folder that cannot be synced (some file
// systems refuse) does not undo a rename that has already happened.
void syncDirectory(const std::string& directory) {
  int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

}  // namespace

StagedFile::StagedFile(std::string targetPath, Links links)
    : targetPath_(links == Links::WriteThrough ? resolveLinks(std::move(targetPath)) : std::move(targetPath)) {
  const long mode = finalModeFor(targetPath_, links);
  if (mode < 0) return;
  finalMode_ = static_cast<unsigned>(mode);
  removeLeftovers(targetPath_);
  descriptor_ = openStagingFile(targetPath_, stagingPath_);
}

void StagedFile::discard() {
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = -1;
  ::unlink(stagingPath_.c_str());
}

bool StagedFile::commit(std::string_view bytes, Flush flush) {
  if (!append(bytes)) return false;
  struct stat staged {};
  if (::fstat(descriptor_, &staged) == 0 && S_ISREG(staged.st_mode))
    ::fchmod(descriptor_, static_cast<mode_t>(finalMode_));
  if (flush == Flush::ToDisk && ::fsync(descriptor_) != 0) {
    discard();
    return false;
  }
  int closed = ::close(descriptor_);
  descriptor_ = -1;
  if (closed != 0 || std::rename(stagingPath_.c_str(), targetPath_.c_str()) != 0) {
    ::unlink(stagingPath_.c_str());
    return false;
  }
  if (flush == Flush::ToDisk) syncDirectory(directoryOf(targetPath_));
  return true;
}

}  // namespace zelk
