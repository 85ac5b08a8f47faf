#include "platform/internal/wide_text.h"

#include <windows.h>

namespace zelk {

std::wstring widen(std::string_view text, unsigned codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string narrow(std::wstring_view text, unsigned codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::wstring widePath(const std::string& path) { return widen(path, 932); }

std::string corePath(std::wstring_view path) {
  // Separators are turned while the text is UTF-16: in CP932 a 0x5C byte may
  // be the second half of a character.
  std::wstring slashed(path);
  for (wchar_t& c : slashed)
    if (c == L'\\') c = L'/';
  return narrow(slashed, 932);
}

}  // namespace zelk
