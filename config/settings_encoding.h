// zelk.cfg as a user may have saved it: CP932, as the program writes it, or
// UTF-8 from a modern editor. A UTF-8 file is read into CP932 line by line
// and written back in UTF-8, so the file keeps the encoding its user chose.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/settings.h"

namespace zelk {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The encoding of a settings file's bytes. A byte-order mark decides alone.
// Otherwise the file is UTF-8 when all of it is valid UTF-8 and it holds a
// character of three bytes or more (every Japanese character is one): real
// CP932 text practically never passes that, while a pair of half-width
// katakana can look like one two-byte UTF-8 character.
SettingsFileEncoding settingsEncodingOf(std::string_view bytes);

// The encoding of the file at `path`; Cp932 when it cannot be read.
SettingsFileEncoding settingsFileEncoding(const std::string& path);

// One line as read from the file, in CP932; nothing when the line holds a
// character that CP932 cannot represent.
std::optional<std::string> settingsLineAsCp932(std::string_view line, SettingsFileEncoding encoding);

// The file's bytes for the CP932 text the writer made.
std::string settingsFileBytes(const std::string& cp932Text, SettingsFileEncoding encoding);

}  // namespace zelk
