#include "platform/staged_file.h"

#include <cerrno>
#include <chrono>
#include <random>
#include <utility>

#include "platform/internal/staging.h"

namespace zelk {

StagedFile::Opener& currentStagingOpener() {
  static StagedFile::Opener opener = createStagingFile;
  return opener;
}

std::string randomStagingSuffix() {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  // Two runs started together must not draw the same names: the clock and
  // the address of this thread's generator tell them apart.
  static thread_local std::mt19937_64 generator{
      std::random_device{}() ^
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      reinterpret_cast<std::uintptr_t>(&generator)};
  std::string suffix(6, 'x');
  for (char& c : suffix) c = kLetters[generator() % (sizeof kLetters - 1)];
  return suffix;
}

int openStagingFile(const std::string& target, std::string& stagingPath) {
  // A hundred taken names in a row means something else is wrong.
  constexpr int kNameAttempts = 100;
  int descriptor = -1;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    stagingPath = StagedFile::stagingPrefix(target) + randomStagingSuffix();
    errno = 0;
    descriptor = currentStagingOpener()(stagingPath);
    if (descriptor >= 0 || errno != EEXIST) break;
  }
  if (descriptor < 0) stagingPath.clear();
  return descriptor;
}

bool StagedFile::append(std::string_view bytes) {
  if (!isOpen()) return false;
  if (writeAll(descriptor_, bytes)) return true;
  discard();
  return false;
}

StagedFile::~StagedFile() {
  if (isOpen()) discard();
}

bool replaceFileContent(const std::string& path, std::string_view bytes, StagedFile::Flush flush,
                        StagedFile::Links links) {
  StagedFile file(path, links);
  return file.commit(bytes, flush);
}

ScopedStagingOpener::ScopedStagingOpener(StagedFile::Opener opener)
    : previous_(std::exchange(currentStagingOpener(), std::move(opener))) {}

ScopedStagingOpener::~ScopedStagingOpener() { currentStagingOpener() = std::move(previous_); }

}  // namespace zelk
