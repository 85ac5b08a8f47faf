// Replacing a file so that it is never left half written: the new content
// goes to a staging file beside the target, is flushed to the disk, and only
// then is renamed over the target. Any failure leaves the old file as it was
// (a full disk must not cost the user the settings they had).
//
// The program directory may be a folder that other users can write to, so the
// staging file is never a name someone else could have prepared: it gets a
// fresh unique name, is created exclusively and never through a symbolic
// link, and carries only the target's permission bits (never setuid, setgid
// or sticky). A symbolic link at the target is replaced by the new file, never
// followed: someone who planted it must not get the content written over a
// file of the user's. Only a file the user links on purpose (zelk.cfg kept
// elsewhere) is written through to the file the link names. A target the
// user may not write, or that is not a regular file, is not replaced at all.
// On Windows, which has no permission bits, a read-only file is the one kept
// and a link at the target is replaced in both cases.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zelk {

class StagedFile {
 public:
  // What a symbolic link at the target means: a stranger's trap, replaced by
  // the new file; or the user's way of keeping the file elsewhere, whose
  // target gets the new content.
  enum class Links { Replace, WriteThrough };

  // Creates a staging file beside `targetPath` (with WriteThrough, beside the
  // file a link there names), named `targetPath` + ".new-" and six random
  // characters. Leftovers of that pattern older than a minute, which a killed
  // run may have left, are removed first.
  explicit StagedFile(std::string targetPath, Links links = Links::Replace);
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // False when the staging file could not be created (the folder does not
  // exist, is not a folder, or cannot take a new file) or when the target
  // must not be replaced (write-protected, or not a regular file).
  bool isOpen() const { return descriptor_ >= 0; }

  // Writes every byte, flushes it to the disk and renames the staging file
  // over the target. False on any failure; the target is then untouched and
  // the staging file removed. A file that can be worked out again (a cache)
  // is renamed without waiting for the disk: after a crash it is old or
  // missing, never half written.
  enum class Flush { ToDisk, NotAwaited };
  bool commit(std::string_view bytes, Flush flush = Flush::ToDisk);

  // Writes part of the content; commit() then adds the rest. False on a
  // write failure, which discards the staging file.
  bool append(std::string_view bytes);

  // The new file is the user's alone (mode 0600), whatever the target's
  // mode was: for a file no one else is to read or plant.
  void keepPrivate() { finalMode_ = 0600; }

  // The file that is replaced: the target, with WriteThrough its symbolic
  // links resolved.
  const std::string& targetPath() const { return targetPath_; }
  const std::string& stagingPath() const { return stagingPath_; }

  // How the staging file is opened: returns a descriptor open for writing,
  // or -1 (with errno EEXIST when the name is taken, so another is tried).
  // Tests replace it (for instance with one that opens /dev/full) to make the
  // writes fail; the default creates the path exclusively with mode 0600.
  using Opener = std::function<int(const std::string& stagingPath)>;

  // The pattern's beginning: every staging name of `targetPath` starts so.
  static std::string stagingPrefix(const std::string& targetPath) { return targetPath + ".new-"; }

 private:
  void discard();

  std::string targetPath_;
  std::string stagingPath_;
  unsigned finalMode_ = 0;
  int descriptor_ = -1;
};

// Writes `bytes` as the whole new content of `path`; false on any failure,
// which leaves `path` untouched.
bool replaceFileContent(const std::string& path, std::string_view bytes,
                        StagedFile::Flush flush = StagedFile::Flush::ToDisk,
                        StagedFile::Links links = StagedFile::Links::Replace);

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
