// Where the read-only files (ma.zlk, the help pages) are read from when the
// program directory has none of its own.
#include "platform/internal/native_paths.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

// The way from the installed bin/ folder to the installed data, as the build
// configured it (GNUInstallDirs' bindir to datadir/zelk).
#ifndef ZELK_INSTALLED_DATA_FROM_BIN
#define ZELK_INSTALLED_DATA_FROM_BIN "../share/zelk"
#endif

namespace zelk {
namespace {

bool isFile(const std::string& path) { return regularFileSize(path).has_value(); }

bool isFolder(const std::string& path) { return isDirectory(path); }

// The user's own file wins; then the installed one; when neither exists the
// user's path is the one to report.
std::string ownOrInstalled(const std::string& own, const std::string& installedDir,
                           const std::string& name, bool (*exists)(const std::string&)) {
  if (exists(own) || installedDir.empty()) return own;
  std::string installed = installedDir + name;
  return exists(installed) ? installed : own;
}

}  // namespace

std::string installedDataDirectory(const std::string& executable) {
  if (executable.empty()) return {};
  return withSlash(nativePath(folderOf(executable) + ZELK_INSTALLED_DATA_FROM_BIN));
}

std::string maDataPath(const std::string& programDir, const std::string& executable) {
  return ownOrInstalled(programDir + "ma.zlk", installedDataDirectory(executable), "ma.zlk",
                        isFile);
}

std::string helpDirectory(const std::string& programDir, const std::string& executable) {
  return ownOrInstalled(programDir + "html/help/", installedDataDirectory(executable),
                        "html/help/", isFolder);
}

std::string helpPagePath(const std::string& programDir, const std::string& page,
                         const std::string& executable) {
  return ownOrInstalled(programDir + "html/help/" + page, installedDataDirectory(executable),
                        "html/help/" + page, isFile);
}

}  // namespace zelk
