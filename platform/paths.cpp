#include "platform/paths.h"

#include <vector>

#include "platform/cp932.h"
#include "platform/internal/native_paths.h"

namespace zelk {

std::string withSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::string folderOf(const std::string& file) {
  auto slash = file.rfind('/');
  return slash == std::string::npos ? std::string("./") : file.substr(0, slash + 1);
}

std::string programDirectory(const char* argv0, MakeFolder make) {
  return programDirectoryFor(executablePath(argv0), make);
}

bool needsDefaultFileName(std::string_view path) {
  if (path.empty()) return true;
  char last = path.back();
  if (last == '/' || last == ':') return true;
  if (last != '\\') return false;
  // A 0x5C that is the trail byte of a double-byte character is not a separator.
  std::size_t pos = 0;
  while (pos < path.size()) {
    std::size_t width = isLeadByte(static_cast<unsigned char>(path[pos])) ? 2 : 1;
    if (pos + width >= path.size()) return width == 1;
    pos += width;
  }
  return false;
}

std::string nativePath(std::string_view declared) {
  std::string slashed;
  slashed.reserve(declared.size());
  for (std::size_t i = 0; i < declared.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(declared[i]);
    if (isLeadByte(c) && i + 1 < declared.size()) {
      slashed += declared[i];
      slashed += declared[++i];
      continue;
    }
    slashed += c == '\\' ? '/' : declared[i];
  }
  // Split into parts and drop "name/.." pairs lexically.
  bool absolute = !slashed.empty() && slashed[0] == '/';
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= slashed.size()) {
    std::size_t end = slashed.find('/', start);
    if (end == std::string::npos) end = slashed.size();
    std::string part = slashed.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty() && parts.back() != "..")
        parts.pop_back();
      else if (!absolute)
        parts.push_back(part);
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string result = absolute ? "/" : "";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i) result += '/';
    result += parts[i];
  }
  if (!slashed.empty() && slashed.back() == '/' && !parts.empty()) result += '/';
  if (result.empty()) result.push_back(absolute ? '/' : '.');
  return result;
}

std::string logFilePath(const std::string& programDir, std::string_view declared) {
  std::string path = nativePath(declared);
  if (isRootedPath(path) || programDir.empty()) return path;
  return programDir + (programDir.back() == '/' ? "" : "/") + path;
}

}  // namespace zelk
