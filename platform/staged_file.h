// Replacing a file so that it is never left half written: the new content
// goes to a staging file beside the target, is flushed to the disk, and only
// then is renamed over the target. Any failure leaves the old file as it was
// (a full disk must not cost the user the settings they had).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zelk {

class StagedFile {
 public:
  // Opens the staging file `targetPath` + ".new" for writing.
  explicit StagedFile(std::string targetPath);
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // False when the staging file could not be created (the folder does not
  // exist, is not a folder, or cannot take a new file).
  bool isOpen() const { return descriptor_ >= 0; }

  // Writes every byte, flushes it to the disk and renames the staging file
  // over the target. False on any failure; the target is then untouched and
  // the staging file removed.
  bool commit(std::string_view bytes);

  const std::string& targetPath() const { return targetPath_; }
  const std::string& stagingPath() const { return stagingPath_; }

  // How the staging file is opened: returns a descriptor open for writing,
  // or -1. Tests replace it (for instance with one that opens /dev/full) to
  // make the writes fail; the default creates or truncates the path.
  using Opener = std::function<int(const std::string& stagingPath)>;

 private:
  void discard();

  std::string targetPath_;
  std::string stagingPath_;
  int descriptor_ = -1;
};

// Writes `bytes` as the whole new content of `path`; false on any failure,
// which leaves `path` untouched.
bool replaceFileContent(const std::string& path, std::string_view bytes);

// Installs `opener` for every StagedFile opened while the object lives.
class ScopedStagingOpener {
 public:
  explicit ScopedStagingOpener(StagedFile::Opener opener);
  ~ScopedStagingOpener();
  ScopedStagingOpener(const ScopedStagingOpener&) = delete;
  ScopedStagingOpener& operator=(const ScopedStagingOpener&) = delete;

 private:
  StagedFile::Opener previous_;
};

}  // namespace zelk
