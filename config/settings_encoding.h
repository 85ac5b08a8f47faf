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

// One line as read from the file, in CP932. The file's encoding is decided
// for the whole file, but a user may append lines from an editor that saves
// in the other one: a line that is not valid in the file's encoding and is
// valid in the other is read in the other (`otherEncoding`). In a CP932 file
// a line counts as UTF-8 by the rule that decides for a whole file (valid
// UTF-8 with a character of three bytes or more); in a UTF-8 file, a line
// that is not UTF-8 but CP932 throughout is CP932. `cp932` is empty when the
// line holds a character that CP932 cannot represent.
struct SettingsLineText {
  std::optional<std::string> cp932;
  bool otherEncoding = false;
};
SettingsLineText settingsLineAsCp932(std::string_view line, SettingsFileEncoding encoding);

// The file's bytes for the CP932 text the writer made.
std::string settingsFileBytes(std::string cp932Text, SettingsFileEncoding encoding);

}  // namespace zelk
