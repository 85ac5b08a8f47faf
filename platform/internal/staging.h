// The pieces of a staged replacement that both sides of the platform layer
// share, and the one each gives.
#pragma once

#include <string>
#include <string_view>

#include "platform/staged_file.h"

namespace zelk {

// The opener every StagedFile uses now (ScopedStagingOpener swaps it).
StagedFile::Opener& currentStagingOpener();

// Six random letters and digits for a staging file's name.
std::string randomStagingSuffix();

// Opens a new staging file beside `target` through the current opener,
// trying other random names while a name is taken; its path goes to
// `stagingPath` ("" when none could be opened). Returns the descriptor, or -1.
int openStagingFile(const std::string& target, std::string& stagingPath);

// The system's own opener: creates `path` exclusively, never through a
// link, open for writing to this user alone.
int createStagingFile(const std::string& path);

// Writes all of `bytes` to `descriptor`; false when the system will not.
bool writeAll(int descriptor, std::string_view bytes);

}  // namespace zelk
