#include "bill/bill_text.h"

#include <algorithm>
#include <stdexcept>

#include "platform/cp932.h"

namespace zelk {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the UTF-8 character `text` starts with; 0 when it is not one.
std::size_t utf8Length(std::string_view text) {
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4               ? 4
                                                                            : 0;
  if (length == 0 || length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  return length;
}

bool isUtf8WithNonAscii(std::string_view bytes) {
  bool nonAscii = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = utf8Length(bytes.substr(at));
    if (length == 0) return false;
    nonAscii = nonAscii || length > 1;
    at += length;
  }
  return nonAscii;
}

// The yen sign U+00A5 is the CP932 yen sign 0x5C; a character CP932 lacks
// becomes "?", so that a symbol in a note costs that character only.
std::string cp932OfCharacter(std::string_view character) {
  if (character == "\xC2\xA5") return "\\";
  try {
    return toCp932(character);
  } catch (const std::runtime_error&) {
    return "?";
  }
}

}  // namespace

// The whole text at once; else line by line, and character by character
// only in a line that does not convert whole.
std::string cp932OfUtf8(std::string_view utf8) {
  if (utf8.find("\xC2\xA5") == std::string_view::npos) {
    try {
      return toCp932(utf8);
    } catch (const std::runtime_error&) {
    }
  }
  std::string text;
  text.reserve(utf8.size());
  while (!utf8.empty()) {
    const std::size_t lineEnd = utf8.find('\n');
    const std::size_t end = lineEnd == std::string_view::npos ? utf8.size() : lineEnd + 1;
    const std::string_view line = utf8.substr(0, end);
    utf8.remove_prefix(end);
    if (line.find("\xC2\xA5") == std::string_view::npos) {
      try {
        text += toCp932(line);
        continue;
      } catch (const std::runtime_error&) {
      }
    }
    for (std::size_t at = 0; at < line.size();) {
      const std::size_t length = std::max<std::size_t>(1, utf8Length(line.substr(at)));
      text += cp932OfCharacter(line.substr(at, length));
      at += length;
    }
  }
  return text;
}

BillText decodeBillText(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) return {cp932OfUtf8(bytes.substr(kByteOrderMark.size())), BillEncoding::Utf8};
  if (isUtf8WithNonAscii(bytes)) return {cp932OfUtf8(bytes), BillEncoding::Utf8};
  return {std::string(bytes), BillEncoding::Cp932};
}

}  // namespace zelk
