// Where the program directory is, and where the read-only files (ma.zlk, the
// help pages) are read from when the program directory has none of its own.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/paths.h"

// The way from the installed bin/ folder to the installed data, as the build
// configured it (GNUInstallDirs' bindir to datadir/zelk).
#ifndef ZELK_INSTALLED_DATA_FROM_BIN
#define ZELK_INSTALLED_DATA_FROM_BIN "../share/zelk"
#endif

namespace fs = std::filesystem;

namespace zelk {
namespace {

std::string withSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::string directoryOf(const std::string& file) {
  auto slash = file.rfind('/');
  return slash == std::string::npos ? std::string("./") : file.substr(0, slash + 1);
}

bool isFile(const std::string& path) {
  std::error_code ignored;
  return fs::is_regular_file(path, ignored);
}

bool isDirectory(const std::string& path) {
  std::error_code ignored;
  return fs::is_directory(path, ignored);
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string homeDirectory() {
  if (std::string home = environment("HOME"); !home.empty()) return home;
  // A service started without HOME still has a home in the password database.
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir)
    return found->pw_dir;
  return {};
}

// $<variable>/zelk/, or ~/<fallback>/zelk/ (a relative value of the variable
// is ignored, as the XDG base directory rules say); "" when there is no home.
std::string userXdgDirectory(const char* variable, const char* fallback) {
  std::string base = environment(variable);
  if (base.empty() || base.front() != '/') {
    std::string home = homeDirectory();
    if (home.empty()) return {};
    base = withSlash(home) + fallback;
  }
  return withSlash(base) + "zelk/";
}

std::string userConfigDirectory() { return userXdgDirectory("XDG_CONFIG_HOME", ".config"); }
std::string userCacheDirectory() { return userXdgDirectory("XDG_CACHE_HOME", ".cache"); }

// The user's own file wins; then the installed one; when neither exists the
// user's path is the one to report.
std::string ownOrInstalled(const std::string& own, const std::string& installedDir,
                           const std::string& name, bool (*exists)(const std::string&)) {
  if (exists(own) || installedDir.empty()) return own;
  std::string installed = installedDir + name;
  return exists(installed) ? installed : own;
}

}  // namespace

std::string programDirectoryFor(const std::string& executable, MakeFolder make) {
  if (std::string home = environment("ZELK_HOME"); !home.empty()) return withSlash(home);
  std::string exeDir = directoryOf(executable);
  if (isFile(exeDir + "ma.zlk")) return exeDir;
  std::string config = userConfigDirectory();
  if (config.empty()) return exeDir;
  if (make == MakeFolder::No) return config;
  // A directory that cannot be made is not fatal here: writing zelk.cfg into
  // it fails later with the settings file's own message and exit code.
  std::error_code ignored;
  fs::create_directories(config, ignored);
  return config;
}

std::string cacheFilePath(const std::string& programDir, const std::string& name) {
  if (programDir != userConfigDirectory()) return programDir + name;
  const std::string cache = userCacheDirectory();
  if (cache.empty()) return programDir + name;
  std::error_code ignored;
  fs::create_directories(cache, ignored);
  return cache + name;
}

std::string installedDataDirectory(const std::string& executable) {
  if (executable.empty()) return {};
  fs::path data = fs::path(directoryOf(executable)) / ZELK_INSTALLED_DATA_FROM_BIN;
  return withSlash(data.lexically_normal().string());
}

std::string maDataPath(const std::string& programDir, const std::string& executable) {
  return ownOrInstalled(programDir + "ma.zlk", installedDataDirectory(executable), "ma.zlk",
                        isFile);
}

std::string helpDirectory(const std::string& programDir, const std::string& executable) {
  return ownOrInstalled(programDir + "html/help/", installedDataDirectory(executable),
                        "html/help/", isDirectory);
}

std::string helpPagePath(const std::string& programDir, const std::string& page,
                         const std::string& executable) {
  return ownOrInstalled(programDir + "html/help/" + page, installedDataDirectory(executable),
                        "html/help/" + page, isFile);
}

}  // namespace zelk
