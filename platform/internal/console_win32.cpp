#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "platform/internal/console.h"
#include "platform/internal/wide_text.h"

namespace zelk {
namespace {

// Files and pipes get the bytes as written, line ends included, as on
// Linux: the C library would otherwise write each LF as CR LF. Its standard
// output to a pipe writes what does not fill a whole buffer byte by byte;
// a buffer of its own gives it whole blocks.
[[maybe_unused]] const bool kBinaryStreams = [] {
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
  return true;
}();

}  // namespace

bool writeToConsole(std::string_view text) {
  const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (output == INVALID_HANDLE_VALUE || !::GetConsoleMode(output, &mode)) return false;
  std::fflush(stdout);  // what went through the C library first comes first
  const std::wstring wide = widen(text, CP_UTF8);
  std::size_t at = 0;
  while (at < wide.size()) {
    DWORD written = 0;
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(wide.size() - at, 8192));
    if (!::WriteConsoleW(output, wide.data() + at, piece, &written, nullptr) || written == 0) break;
    at += written;
  }
  return true;
}

}  // namespace zelk
