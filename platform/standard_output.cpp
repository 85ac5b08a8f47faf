#include "platform/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/internal/console.h"

namespace zelk {
namespace {

int firstWriteError = 0;

}  // namespace

void writeStandardOutput(std::string_view text) {
  if (writeToConsole(text)) return;
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() && firstWriteError == 0)
    firstWriteError = errno;
}

int closeStandardOutput(const char* program, int exitCode) {
  // A write that failed earlier leaves the error flag, and its reason here.
  const bool failedBefore = std::ferror(stdout) != 0;
  errno = 0;
  const bool closed = std::fclose(stdout) == 0;
  if (closed && !failedBefore) return exitCode;
  const int error = failedBefore && firstWriteError != 0 ? firstWriteError : errno;
  if (error == EPIPE) return exitCode;
  if (error != 0)
    std::fprintf(stderr, "%s: write error: %s\n", program, std::strerror(error));
  else
    std::fprintf(stderr, "%s: write error\n", program);
  return 1;
}

}  // namespace zelk
