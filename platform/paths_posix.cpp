#include <unistd.h>

#include "platform/internal/native_paths.h"
#include "platform/paths.h"

namespace zelk {

std::string executablePath(const char* argv0) {
  char buffer[4096];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length > 0) return std::string(buffer, static_cast<std::size_t>(length));
  return argv0 ? std::string(argv0) : std::string();
}

bool isRootedPath(std::string_view path) { return !path.empty() && path.front() == '/'; }

}  // namespace zelk
