// The tests' scratch folders on Windows. There is no POSIX shell there: the
// tests that run zelk through one are Linux-only (the Windows build runs
// zelk.exe end to end from tests/scripts under Wine instead).
#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

#include "support/test_support.h"

namespace fs = std::filesystem;

namespace zelk::test {

ScratchDir::ScratchDir() {
  static std::mt19937_64 generator{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = fs::temp_directory_path() / ("zelk-test-" + std::to_string(generator() % 1000000000));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      // The core takes "/" for its separator on both systems.
      path_ = candidate.generic_string() + "/";
      return;
    }
  }
  throw std::runtime_error("cannot create scratch dir");
}

ProcessResult runCommand(const std::string& command, const std::string& workDir,
                         const std::vector<std::string>& environment) {
  ADD_FAILURE() << "no POSIX shell on Windows for: " << command;
  return {};
}

bool completesWithinMemory(std::size_t extraBytes, const std::function<void()>& action) {
  action();  // no address space limit to set: the check is Linux's
  return true;
}

}  // namespace zelk::test
