// Conversion between UTF-8 (source files, terminal, JSON, Qt) and CP932
// (Shift-JIS as Windows writes it), the encoding of every text inside the core.
#pragma once

#include <string>
#include <string_view>

namespace zelk {

// Converts UTF-8 to CP932. Throws std::runtime_error when the text holds a
// character CP932 cannot represent or is not valid UTF-8.
std::string toCp932(std::string_view utf8);

// Converts CP932 to UTF-8. Bytes that are not valid CP932 become U+FFFD, so a
// log line of binary junk can still be shown.
std::string toUtf8(std::string_view cp932);

// As toUtf8, but a single-byte 0x5C (the yen sign of the Japanese fonts)
// becomes "¥" (U+00A5); a 0x5C that is the trail byte of a double-byte
// character stays part of that character. For the plan captions and amounts
// of every UTF-8 output (report, JSON, CSV), so that each shows the same sign;
// never for paths, whose 0x5C is a backslash.
std::string toUtf8WithYen(std::string_view cp932);

// The system's fixed texts are written in UTF-8 in the sources; sjis() gives
// their CP932 bytes. Conversions are cached, so calling it per use is cheap.
const std::string& sjis(std::string_view utf8);

// True when the byte starts a double-byte CP932 character.
inline bool isLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length of the longest prefix of `text` that is at most `maxBytes` long and
// does not end inside a double-byte character.
std::size_t cutPosition(std::string_view text, std::size_t maxBytes);

// `text` cut to at most `maxBytes` bytes without splitting a character.
inline std::string cutText(std::string_view text, std::size_t maxBytes) {
  return std::string(text.substr(0, cutPosition(text, maxBytes)));
}

}  // namespace zelk
