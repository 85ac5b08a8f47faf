#include "platform/staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace zelk {
namespace {

int openForWriting(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

StagedFile::Opener& currentOpener() {
  static StagedFile::Opener opener = openForWriting;
  return opener;
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

std::string directoryOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
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

StagedFile::StagedFile(std::string targetPath)
    : targetPath_(std::move(targetPath)), stagingPath_(targetPath_ + ".new") {
  descriptor_ = currentOpener()(stagingPath_);
}

StagedFile::~StagedFile() {
  if (isOpen()) discard();
}

void StagedFile::discard() {
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = -1;
  ::unlink(stagingPath_.c_str());
}

bool StagedFile::commit(std::string_view bytes) {
  if (!isOpen()) return false;
  // A replaced file keeps the permissions the user gave the old one.
  struct stat old {};
  struct stat staged {};
  if (::stat(targetPath_.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
      ::fstat(descriptor_, &staged) == 0 && S_ISREG(staged.st_mode))
    ::fchmod(descriptor_, old.st_mode & 07777);
  if (!writeAll(descriptor_, bytes) || ::fsync(descriptor_) != 0) {
    discard();
    return false;
  }
  int closed = ::close(descriptor_);
  descriptor_ = -1;
  if (closed != 0 || std::rename(stagingPath_.c_str(), targetPath_.c_str()) != 0) {
    ::unlink(stagingPath_.c_str());
    return false;
  }
  syncDirectory(directoryOf(targetPath_));
  return true;
}

bool replaceFileContent(const std::string& path, std::string_view bytes) {
  StagedFile file(path);
  return file.commit(bytes);
}

ScopedStagingOpener::ScopedStagingOpener(StagedFile::Opener opener)
    : previous_(std::exchange(currentOpener(), std::move(opener))) {}

ScopedStagingOpener::~ScopedStagingOpener() { currentOpener() = std::move(previous_); }

}  // namespace zelk
