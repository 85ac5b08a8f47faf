// The Windows side of the platform layer at the system's edge: file and
// console functions take UTF-16, while the core keeps CP932 bytes, paths
// included (the code page a Japanese Windows uses for its narrow paths).
// Only the *_win32.cpp files use this.
#pragma once

#include <string>
#include <string_view>

namespace zelk {

// UTF-16 of `text` in the given Windows code page (932, or 65001 for UTF-8);
// characters the code page does not have become the code page's default.
std::wstring widen(std::string_view text, unsigned codePage);
std::string narrow(std::wstring_view text, unsigned codePage);

// A CP932 path, as the wide-character file functions take it.
std::wstring widePath(const std::string& path);

// A path the system gave (the executable, the environment) as the core
// keeps it: CP932, with "/" for every separator, as the settings' paths
// become once they are made native.
std::string corePath(std::wstring_view path);

}  // namespace zelk
