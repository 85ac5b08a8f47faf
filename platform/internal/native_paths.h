// What a path looks like on the system the program runs on.
#pragma once

#include <string>
#include <string_view>

namespace zelk {

// True when `path` (made native, with "/" separators) names its place on its
// own, so that it is not taken from the program directory: "/..." on
// Linux; on Windows also "C:/..." and "C:..." (a drive's own folder).
bool isRootedPath(std::string_view path);

// `dir` ending in "/".
std::string withSlash(std::string dir);

// The folder of `file`, ending in "/" ("./" for a bare name).
std::string folderOf(const std::string& file);

}  // namespace zelk
