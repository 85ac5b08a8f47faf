#include "platform/cp932.h"

#include <map>
#include <mutex>

namespace zelk {

std::string toUtf8WithYen(std::string_view cp932) {
  std::string out;
  std::size_t segment = 0;
  for (std::size_t i = 0; i < cp932.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(cp932[i]))) {
      ++i;
    } else if (cp932[i] == '\\') {
      out += toUtf8(cp932.substr(segment, i - segment)) + "\u00A5";
      segment = i + 1;
    }
  }
  return out + toUtf8(cp932.substr(segment));
}

const std::string& sjis(std::string_view utf8) {
  static std::mutex lock;
  static std::map<std::string, std::string, std::less<>> cache;
  std::lock_guard<std::mutex> guard(lock);
  auto it = cache.find(utf8);
  if (it == cache.end()) it = cache.emplace(std::string(utf8), toCp932(utf8)).first;
  return it->second;
}

std::size_t cutPosition(std::string_view text, std::size_t maxBytes) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t width = isLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
    if (pos + width > maxBytes || pos + width > text.size()) break;
    pos += width;
  }
  return pos;
}

}  // namespace zelk
