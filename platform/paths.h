// File locations: the program directory and the translation of the paths
// that settings files write in the Windows manner.
#pragma once

#include <string>
#include <string_view>

namespace zelk {

// The directory of the program, always ending in "/": where zelk.cfg,
// zelkcfg.org and zelkwin.cfg are read and written. It is, in this order:
//  1. ZELK_HOME, when set and not empty;
//  2. the directory of the running executable, when it holds ma.zlk (the
//     portable layout; also the build folder, which gets a copy of ma.zlk);
//  3. $XDG_CONFIG_HOME/zelk/ (by default ~/.config/zelk/), created on first
//     use: an installed program cannot write beside its executable.
// On Windows the executable's folder is the program directory whether or not
// it holds ma.zlk (the user's own copy of zelk.exe is kept where it is
// written to); there is no XDG folder.
// `argv0` is the fallback when the executable cannot be found through /proc.
// What only reads or answers (--help, --check) looks the folder up without
// making it: asking for help leaves no trace on the disk.
enum class MakeFolder { Yes, No };
std::string programDirectory(const char* argv0, MakeFolder make = MakeFolder::Yes);

// The same rule for a given executable path (the running one in the program).
std::string programDirectoryFor(const std::string& executable, MakeFolder make = MakeFolder::Yes);

// The path of the running executable.
std::string executablePath(const char* argv0);

// Where to keep a file that only saves work and can be made again (the
// index of the logs' old records): in the program directory, except when
// that is the user's configuration folder, whose cache is
// $XDG_CACHE_HOME/zelk/ (~/.cache/zelk/).
std::string cacheFilePath(const std::string& programDir, const std::string& name);

// The read-only data an installation ships beside its bin/ folder:
// "<executable's dir>/../share/zelk/" (ending in "/"), or "" when
// `executable` is empty.
std::string installedDataDirectory(const std::string& executable);

// Where to read the MA data file from: programDir + "ma.zlk" when the user has
// one there, else the installed copy when it exists, else programDir +
// "ma.zlk" (which then names the missing file in the "Cannot find" message).
// Every reader of ma.zlk, the calculation run's included, opens this path
// instead of joining programDir and "ma.zlk" itself.
std::string maDataPath(const std::string& programDir,
                       const std::string& executable = executablePath(nullptr));

// The folder of the help pages: programDir + "html/help/" when it exists,
// else the installed one when it exists, else programDir + "html/help/".
std::string helpDirectory(const std::string& programDir,
                          const std::string& executable = executablePath(nullptr));

// The file to open for one help page ("zelk_doc.html", "Tab_Opt.html", ...):
// the user's own page under programDir + "html/help/" wins, page by page, over
// the installed one, so a partly replaced set of pages has no dead link.
std::string helpPagePath(const std::string& programDir, const std::string& page,
                         const std::string& executable = executablePath(nullptr));

// True when `path` is empty or ends in a directory separator ("\", "/") or a
// drive colon, so that a default file name is to be appended.
bool needsDefaultFileName(std::string_view path);

// The path to open for a path written in a settings file: each ASCII
// backslash (not the trail byte of a double-byte character) becomes "/", and
// "dir/.." pairs are removed as Windows does when it opens a file, so
// "sub\..\log.txt" opens "log.txt" even when "sub" does not exist.
std::string nativePath(std::string_view declared);

// The file to open for a log path of the settings or the command line: its
// nativePath, taken from `programDir` (where zelk.cfg is) when it is relative,
// so a log declared as "logs\access.log" opens from any current directory.
std::string logFilePath(const std::string& programDir, std::string_view declared);

}  // namespace zelk
