// Writing a whole file so that a reader never finds it half written: the
// bytes go to a new file beside it, which then takes the old one's place.
#pragma once

#include <string>

namespace zelk {

// Writes `bytes` as the whole content of `path`. Returns false, leaving any
// earlier file untouched, when the new content cannot be written in full.
bool replaceFileContents(const std::string& path, const std::string& bytes);

}  // namespace zelk
