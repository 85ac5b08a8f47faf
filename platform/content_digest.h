// A 64-bit digest of bytes, to tell whether a file still begins with the
// bytes something was worked out from. It finds accidental change (an edit,
// a truncation, another file in the same place), not a forgery.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelk {

class ContentDigest {
 public:
  void add(std::string_view bytes);
  std::uint64_t value() const;

 private:
  void addStripe(const char* stripe);

  std::uint64_t lanes_[4] = {0x60EA27EEADC0B5D6ULL, 0xC2B2AE3D27D4EB4FULL, 0, 0x61C8864E7A143579ULL};
  std::uint64_t length_ = 0;
  char pending_[32] = {};  // the bytes of a stripe not yet whole
  std::size_t pendingSize_ = 0;
};

std::uint64_t digestOf(std::string_view bytes);

// The digest of the first `bytes` bytes of the file at `path`; nothing when
// it cannot be read or is shorter.
std::optional<std::uint64_t> digestOfFileStart(const std::string& path, std::uint64_t bytes);

// The digest of a file's bytes, taken as a reader reads them from the file's
// start, with its state left behind every megabyte: the digest of the
// file's first bytes up to any point is then finished by reading less than a
// megabyte again, not the whole file.
class DigestTrail {
 public:
  // The next bytes read.
  void add(std::string_view bytes);
  // The same as digestOfFileStart, going on from the last state left at or
  // before `bytes`.
  std::optional<std::uint64_t> digestOfStart(const std::string& path, std::uint64_t bytes) const;

 private:
  ContentDigest digest_;
  std::uint64_t read_ = 0;
  std::vector<std::pair<std::uint64_t, ContentDigest>> states_;  // of the bytes before each offset
};

}  // namespace zelk
