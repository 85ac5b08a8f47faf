// File locations: the program directory and the translation of the paths
// that settings files write in the Windows manner.
#pragma once

#include <string>
#include <string_view>

namespace zelk {

// The directory of the program, always ending in "/": ZELK_HOME when set,
// else the directory of the running executable (`argv0` is the fallback when
// the executable cannot be found through /proc).
std::string programDirectory(const char* argv0);

// The path of the running executable.
std::string executablePath(const char* argv0);

// True when `path` is empty or ends in a directory separator ("\", "/") or a
// drive colon, so that a default file name is to be appended.
bool needsDefaultFileName(std::string_view path);

// The path to open for a path written in a settings file: each ASCII
// backslash (not the trail byte of a double-byte character) becomes "/", and
// "dir/.." pairs are removed as Windows does when it opens a file, so
// "sub\..\log.txt" opens "log.txt" even when "sub" does not exist.
std::string nativePath(std::string_view declared);

}  // namespace zelk
