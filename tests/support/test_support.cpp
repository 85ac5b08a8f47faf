#include "support/test_support.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/cp932.h"

namespace fs = std::filesystem;

namespace zelk::test {

ScratchDir::ScratchDir() {
  std::string pattern = (fs::temp_directory_path() / "zelk-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create scratch dir");
  path_ = pattern + "/";
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string ScratchDir::write(const std::string& name, const std::string& bytes) const {
  fs::path full = fs::path(path_) / name;
  fs::create_directories(full.parent_path());
  std::ofstream out(full, std::ios::binary);
  out << bytes;
  return full.string();
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string crlfLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out += line + "\r\n";
  return out;
}

std::string sj(const std::string& utf8) { return toCp932(utf8); }

std::string shellQuote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
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
