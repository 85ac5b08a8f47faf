#include "platform/internal/console.h"

namespace zelk {

// A terminal takes UTF-8 as it is.
bool writeToConsole(std::string_view text) { return false; }

}  // namespace zelk
