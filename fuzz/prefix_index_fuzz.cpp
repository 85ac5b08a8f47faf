// The index of old records is read back from a file anyone may have changed:
// whatever its bytes, decoding ends, never reads past them, and gives back
// either nothing or an index that encodes to the same bytes. The input is
// tried as a whole file and, so that the fuzzer reaches the entries, as the
// body of a file with the right first line and digest.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "logs/prefix_index.h"
#include "platform/content_digest.h"

namespace {

void decodeAndCheck(std::string_view bytes) {
  const zelk::PrefixIndex index = zelk::decodePrefixIndex(bytes);
  if (!index.empty() && zelk::encodePrefixIndex(index) != bytes) __builtin_trap();
}

// An empty index is the first line, a zero count and the digest.
const std::string& firstLine() {
  static const std::string line = [] {
    const std::string empty = zelk::encodePrefixIndex({});
    return empty.substr(0, empty.size() - 4 - 8);
  }();
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  decodeAndCheck(input);
  std::string sealed = firstLine() + std::string(input);
  const std::uint64_t digest = zelk::digestOf(sealed);
  char trailer[sizeof digest];
  std::memcpy(trailer, &digest, sizeof digest);
  sealed.append(trailer, sizeof trailer);
  decodeAndCheck(sealed);
  return 0;
}
