#include <windows.h>

#include "platform/internal/native_paths.h"
#include "platform/internal/wide_text.h"
#include "platform/paths.h"

namespace zelk {

std::string executablePath(const char* argv0) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return argv0 ? std::string(argv0) : std::string();
    if (length < buffer.size()) return corePath(std::wstring_view(buffer.data(), length));
    buffer.resize(buffer.size() * 2);  // a long path (\\?\ or a deep folder)
  }
}

bool isRootedPath(std::string_view path) {
  if (!path.empty() && path.front() == '/') return true;
  const bool driveLetter = path.size() >= 2 && path[1] == ':' &&
                           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return driveLetter;
}

}  // namespace zelk
