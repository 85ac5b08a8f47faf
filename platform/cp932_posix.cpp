// The conversions through glibc's iconv.
#include "platform/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace zelk {
namespace {

struct IconvHandle {
  iconv_t cd;
  IconvHandle(const char* to, const char* from) : cd(iconv_open(to, from)) {
    if (cd == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
  ~IconvHandle() { iconv_close(cd); }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
};

// Converts with iconv; on an invalid or unconvertible sequence either throws
// or writes `replacement` and skips one input byte.
std::string convert(const char* to, const char* from, std::string_view in,
                    const char* replacement) {
  IconvHandle handle(to, from);
  std::string out;
  out.reserve(in.size() * 2 + 4);
  char* inPtr = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t rc = iconv(handle.cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(buffer, sizeof buffer - outLeft);
    if (rc != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    if (!replacement)
      throw std::runtime_error("text cannot be converted from " + std::string(from) + " to " + to);
    out += replacement;
    ++inPtr;
    --inLeft;
  }
  return out;
}

}  // namespace

std::string toCp932(std::string_view utf8) { return convert("CP932", "UTF-8", utf8, nullptr); }

std::string toUtf8(std::string_view cp932) {
  return convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD");
}

}  // namespace zelk
