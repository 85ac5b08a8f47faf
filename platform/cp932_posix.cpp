// The conversions through glibc's iconv.
#include "platform/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace zelk {
namespace {

struct IconvHandle {
  iconv_t cd;
  const char* to;
  const char* from;
  IconvHandle(const char* toCode, const char* fromCode) : cd(iconv_open(toCode, fromCode)), to(toCode), from(fromCode) {
    if (cd == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
  ~IconvHandle() { iconv_close(cd); }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
};

// Converts with iconv; on an invalid or unconvertible sequence either throws
// or writes `replacement` and skips one input byte. Each direction's
// descriptor is opened once per thread (opening one costs more than
// converting a page) and set back to its first state before each text.
std::string convert(IconvHandle& handle, std::string_view in, const char* replacement) {
  iconv(handle.cd, nullptr, nullptr, nullptr, nullptr);
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
      throw std::runtime_error("text cannot be converted from " + std::string(handle.from) + " to " + handle.to);
    out += replacement;
    ++inPtr;
    --inLeft;
  }
  return out;
}

}  // namespace

std::string toCp932(std::string_view utf8) {
  thread_local IconvHandle fromUtf8("CP932", "UTF-8");
  return convert(fromUtf8, utf8, nullptr);
}

std::string toUtf8(std::string_view cp932) {
  thread_local IconvHandle fromCp932("UTF-8", "CP932");
  return convert(fromCp932, cp932, "\xEF\xBF\xBD");
}

}  // namespace zelk
