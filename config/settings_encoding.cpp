#include "config/settings_encoding.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "platform/cp932.h"

namespace zelk {
namespace {

// The length of the UTF-8 sequence at `pos`, or 0 when it is not valid
// (overlong forms, surrogates and values past U+10FFFF included).
std::size_t utf8SequenceAt(std::string_view bytes, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(pos);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (pos + length > bytes.size()) return 0;
  if (byte(pos + 1) < low || byte(pos + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(pos + i) < 0x80 || byte(pos + i) > 0xBF) return 0;
  return length;
}

// Walks whole UTF-8 sequences of `bytes` that start before `end`; answers
// where the walk stopped, or npos at the first byte that is not UTF-8.
// `wide` records a sequence of three bytes or more.
std::size_t walkUtf8(std::string_view bytes, std::size_t end, bool& wide) {
  std::size_t pos = 0;
  while (pos < end) {
    const std::size_t length = utf8SequenceAt(bytes, pos);
    if (length == 0) return std::string_view::npos;
    wide = wide || length >= 3;
    pos += length;
  }
  return pos;
}

}  // namespace

SettingsFileEncoding settingsEncodingOf(std::string_view bytes) {
  if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) return SettingsFileEncoding::Utf8WithMark;
  bool wide = false;
  if (walkUtf8(bytes, bytes.size(), wide) == std::string_view::npos) return SettingsFileEncoding::Cp932;
  return wide ? SettingsFileEncoding::Utf8 : SettingsFileEncoding::Cp932;
}

SettingsFileEncoding settingsFileEncoding(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return SettingsFileEncoding::Cp932;
  // Read in blocks, so a huge file costs no more memory than a small one. The
  // last three bytes of a block wait for the next: a sequence may go on there.
  constexpr std::size_t kLongestSequenceTail = 3;
  std::string window;
  char buffer[65536];
  bool first = true;
  bool wide = false;
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    window.append(buffer, got);
    if (first && window.starts_with(kUtf8ByteOrderMark)) return SettingsFileEncoding::Utf8WithMark;
    first = false;
    const std::size_t settled = window.size() > kLongestSequenceTail ? window.size() - kLongestSequenceTail : 0;
    const std::size_t pos = walkUtf8(window, settled, wide);
    if (pos == std::string_view::npos) return SettingsFileEncoding::Cp932;
    window.erase(0, pos);
  }
  if (walkUtf8(window, window.size(), wide) == std::string_view::npos) return SettingsFileEncoding::Cp932;
  return wide ? SettingsFileEncoding::Utf8 : SettingsFileEncoding::Cp932;
}

namespace {

std::optional<std::string> utf8AsCp932(std::string_view line) {
  try {
    return toCp932(line);
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

// Every double-byte character complete and known: the conversion puts no
// replacement character (U+FFFD, which CP932 has no form of) anywhere.
bool isCp932Text(std::string_view line) {
  return toUtf8(line).find("\xEF\xBF\xBD") == std::string::npos;
}

}  // namespace

SettingsLineText settingsLineAsCp932(std::string_view line, SettingsFileEncoding encoding) {
  if (encoding == SettingsFileEncoding::Cp932) {
    if (settingsEncodingOf(line) != SettingsFileEncoding::Utf8) return {std::string(line), false};
    return {utf8AsCp932(line), true};
  }
  if (auto cp932 = utf8AsCp932(line)) return {std::move(cp932), false};
  bool wide = false;
  const bool utf8 = walkUtf8(line, line.size(), wide) != std::string_view::npos;
  if (!utf8 && isCp932Text(line)) return {std::string(line), true};
  return {std::nullopt, false};
}

std::string settingsFileBytes(std::string cp932Text, SettingsFileEncoding encoding) {
  switch (encoding) {
    case SettingsFileEncoding::Cp932: return cp932Text;
    case SettingsFileEncoding::Utf8: return toUtf8(cp932Text);
    case SettingsFileEncoding::Utf8WithMark: return std::string(kUtf8ByteOrderMark) + toUtf8(cp932Text);
  }
  return cp932Text;
}

}  // namespace zelk
