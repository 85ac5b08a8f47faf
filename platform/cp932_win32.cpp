// The conversions through Windows' own code page 932, made to give what the
// Linux side's iconv gives: the same characters are refused and replaced.
#include <windows.h>

#include <stdexcept>

#include "platform/cp932.h"
#include "platform/internal/wide_text.h"

namespace zelk {
namespace {

constexpr UINT kCp932 = 932;
constexpr wchar_t kReplacement = 0xFFFD;

// Characters that Japanese text writes for the ones in CP932 (the JIS forms
// of the yen sign, the overline, the dashes and the wave), which Windows'
// table leaves out and iconv's takes: each is written as CP932 writes its
// twin.
struct Twin {
  wchar_t written;
  wchar_t inCp932;
};
constexpr Twin kTwins[] = {
    {0x00A5, L'\\'}, {0x203E, L'~'},  {0x2014, 0x2015}, {0x2016, 0x2225}, {0x2212, 0xFF0D},
    {0x301C, 0xFF5E}, {0x00A2, 0xFFE0}, {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2},
};

// Single bytes that Windows' table maps to characters of its own (0x80, and
// 0xA0 and 0xFD-0xFF to private-use ones) and iconv refuses.
bool unassignedSingleByte(unsigned char byte) { return byte == 0x80 || byte == 0xA0 || byte >= 0xFD; }

// One character's UTF-16, or nothing when the bytes are not one of CP932.
bool convertCharacter(std::string_view bytes, std::wstring& out) {
  if (bytes.size() == 1 && unassignedSingleByte(static_cast<unsigned char>(bytes[0]))) return false;
  wchar_t wide[2];
  const int length = ::MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data(),
                                           static_cast<int>(bytes.size()), wide, 2);
  if (length <= 0) return false;
  out.append(wide, static_cast<std::size_t>(length));
  return true;
}

std::wstring wideOfCp932(std::string_view cp932) {
  std::wstring wide;
  wide.reserve(cp932.size());
  std::size_t at = 0;
  while (at < cp932.size()) {
    const std::size_t width =
        isLeadByte(static_cast<unsigned char>(cp932[at])) && at + 1 < cp932.size() ? 2 : 1;
    if (convertCharacter(cp932.substr(at, width), wide)) {
      at += width;
    } else {  // as iconv: the first byte is replaced and the next one read afresh
      wide += kReplacement;
      ++at;
    }
  }
  return wide;
}

}  // namespace

std::string toCp932(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (length <= 0) throw std::runtime_error("text cannot be converted from UTF-8 to CP932");
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
  for (wchar_t& c : wide)
    for (const Twin& twin : kTwins)
      if (c == twin.written) c = twin.inCp932;
  BOOL usedDefault = FALSE;
  const int bytes = ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0,
                                          nullptr, &usedDefault);
  if (bytes <= 0 || usedDefault) throw std::runtime_error("text cannot be converted from UTF-8 to CP932");
  std::string out(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), length, out.data(), bytes, nullptr,
                        nullptr);
  return out;
}

std::string toUtf8(std::string_view cp932) { return narrow(wideOfCp932(cp932), CP_UTF8); }

}  // namespace zelk
