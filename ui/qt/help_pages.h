// The help pages: the program directory's own page, else the installed one.
#pragma once

#include <optional>
#include <string>

namespace zelk {

// The file of help page `page` ("zelk_doc.html"), or none after a message
// that names the page, when neither the program directory nor the
// installation has it.
std::optional<std::string> existingHelpPage(const std::string& programDir, const std::string& page);

}  // namespace zelk
