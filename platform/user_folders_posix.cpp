// Where the program directory is on Linux: ZELK_HOME, the executable's
// folder of a portable layout, or the user's XDG folders.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/internal/native_paths.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

namespace fs = std::filesystem;

namespace zelk {
namespace {

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

}  // namespace

std::string programDirectoryFor(const std::string& executable, MakeFolder make) {
  if (std::string home = environment("ZELK_HOME"); !home.empty()) return withSlash(home);
  std::string exeDir = folderOf(executable);
  if (regularFileSize(exeDir + "ma.zlk")) return exeDir;
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

}  // namespace zelk
