// The tests' processes and scratch folders on Linux.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "support/test_support.h"

namespace fs = std::filesystem;

namespace zelk::test {

ScratchDir::ScratchDir() {
  std::string pattern = (fs::temp_directory_path() / "zelk-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create scratch dir");
  path_ = pattern + "/";
}

ProcessResult runCommand(const std::string& command, const std::string& workDir,
                         const std::vector<std::string>& environment) {
  ScratchDir capture;
  std::string full = "cd " + shellQuote(workDir) + " && env";
  for (const auto& assignment : environment) full += " " + shellQuote(assignment);
  full += " " + command + " >" + shellQuote(capture.path() + "out") + " 2>" +
          shellQuote(capture.path() + "err") + " </dev/null";
  int status = std::system(full.c_str());
  ProcessResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = readFile(capture.path() + "out");
  result.err = readFile(capture.path() + "err");
  return result;
}

bool completesWithinMemory(std::size_t extraBytes, const std::function<void()>& action) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    long pages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
      std::fclose(statm);
    }
    const rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + extraBytes;
    const rlimit bound{limit, limit};
    ::setrlimit(RLIMIT_AS, &bound);
    try {
      action();
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace zelk::test
