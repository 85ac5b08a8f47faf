// Where the program directory is on Windows: ZELK_HOME, else the folder of
// zelk.exe, where its settings and ma.zlk are kept (an installation there is
// the user's own, as it always was on Windows).
#include <cstdlib>

#include "platform/internal/native_paths.h"
#include "platform/internal/wide_text.h"
#include "platform/paths.h"

namespace zelk {

std::string programDirectoryFor(const std::string& executable, MakeFolder make) {
  if (const wchar_t* home = ::_wgetenv(L"ZELK_HOME"); home && *home) return withSlash(corePath(home));
  return folderOf(executable);
}

std::string cacheFilePath(const std::string& programDir, const std::string& name) { return programDir + name; }

}  // namespace zelk
