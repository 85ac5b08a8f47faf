// Helpers shared by the test programs: scratch directories, CP932 fixtures,
// and running the zelk executable.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/messages.h"

namespace zelk::test {

// A fresh directory below the system's temporary folder, removed on destruction.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  // The path, ending in "/".
  const std::string& path() const { return path_; }
  // Writes `bytes` to path()/name (creating folders) and returns the full path.
  std::string write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

// The whole content of a file ("" when it cannot be read).
std::string readFile(const std::string& path);

// Joins lines with CR LF after each one.
std::string crlfLines(const std::vector<std::string>& lines);

// UTF-8 fixture text to CP932 bytes.
std::string sj(const std::string& utf8);

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `command` through the shell in `workDir` with the extra environment
// assignments ("NAME=value"), capturing stdout and stderr.
ProcessResult runCommand(const std::string& command, const std::string& workDir,
                         const std::vector<std::string>& environment = {});

// The fatal condition `action` raises; a test failure when it raises none.
template <typename Action>
FatalError fatalErrorOf(Action action) {
  try {
    action();
  } catch (const FatalError& error) {
    return error;
  }
  ADD_FAILURE() << "no fatal condition was raised";
  return FatalError(0, "");
}

// True when `action` completes in a child process whose address space may
// grow by at most `extraBytes` beyond what the process has mapped already: a
// check that memory stays bounded, not a timing. Sanitizer builds map huge
// shadow areas and cannot run under such a limit; they skip (see
// kMemoryLimitsWork).
bool completesWithinMemory(std::size_t extraBytes, const std::function<void()>& action);
// gcc names AddressSanitizer by a macro, clang by a feature.
#if defined(__SANITIZE_ADDRESS__)
#define ZELK_TEST_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELK_TEST_UNDER_ASAN 1
#endif
#endif
#ifdef ZELK_TEST_UNDER_ASAN
inline constexpr bool kMemoryLimitsWork = false;
#else
inline constexpr bool kMemoryLimitsWork = true;
#endif

// True in the Windows build, whose tests run under Wine.
#if ZELK_TEST_ON_WINDOWS
inline constexpr bool kOnWindows = true;
#else
inline constexpr bool kOnWindows = false;
#endif

// Skips the rest of a test that needs what only Linux has (XDG folders,
// flock, symbolic links, file modes, a POSIX shell); its Windows
// counterpart is tested beside it.
#define ZELK_LINUX_ONLY(why) \
  if (::zelk::test::kOnWindows) GTEST_SKIP() << "Linux only: " << (why)

// Quotes a word for the shell.
std::string shellQuote(const std::string& word);

}  // namespace zelk::test
