// Standard output when it is a console window that does not take UTF-8 bytes.
#pragma once

#include <string_view>

namespace zelk {

// Shows UTF-8 `text` in the console that standard output is, and returns
// true; false, with nothing written, when standard output is a file or a
// pipe (or a terminal that takes the bytes as they are).
bool writeToConsole(std::string_view text);

}  // namespace zelk
