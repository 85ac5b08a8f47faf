#include "platform/content_digest.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/regular_file.h"

namespace zelk {
namespace {

// Four lanes of multiply-rotate rounds over 32-byte stripes, so that the
// multiplications of one stripe do not wait on each other; each lane sees
// its words in order, so moved or swapped words change the result.
constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;

std::uint64_t rotl(std::uint64_t value, int bits) { return (value << bits) | (value >> (64 - bits)); }

std::uint64_t round(std::uint64_t lane, std::uint64_t word) { return rotl(lane + word * kPrime2, 31) * kPrime1; }

std::uint64_t wordAt(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

}  // namespace

void ContentDigest::addStripe(const char* stripe) {
  for (int lane = 0; lane < 4; ++lane) lanes_[lane] = round(lanes_[lane], wordAt(stripe + 8 * lane));
}

void ContentDigest::add(std::string_view bytes) {
  length_ += bytes.size();
  if (pendingSize_ > 0) {
    const std::size_t taken = std::min(bytes.size(), sizeof pending_ - pendingSize_);
    std::memcpy(pending_ + pendingSize_, bytes.data(), taken);
    pendingSize_ += taken;
    bytes.remove_prefix(taken);
    if (pendingSize_ < sizeof pending_) return;
    addStripe(pending_);
    pendingSize_ = 0;
  }
  // The lanes are worked on in locals: written through `this` after every
  // stripe, they would be read back from memory, which the bytes read might
  // share as far as the compiler can tell.
  std::uint64_t lane0 = lanes_[0], lane1 = lanes_[1], lane2 = lanes_[2], lane3 = lanes_[3];
  const char* stripe = bytes.data();
  const char* const end = stripe + bytes.size() / sizeof pending_ * sizeof pending_;
  for (; stripe != end; stripe += sizeof pending_) {
    lane0 = round(lane0, wordAt(stripe));
    lane1 = round(lane1, wordAt(stripe + 8));
    lane2 = round(lane2, wordAt(stripe + 16));
    lane3 = round(lane3, wordAt(stripe + 24));
  }
  lanes_[0] = lane0;
  lanes_[1] = lane1;
  lanes_[2] = lane2;
  lanes_[3] = lane3;
  bytes.remove_prefix(static_cast<std::size_t>(end - bytes.data()));
  std::memcpy(pending_, bytes.data(), bytes.size());
  pendingSize_ = bytes.size();
}

std::uint64_t ContentDigest::value() const {
  std::uint64_t hash = rotl(lanes_[0], 1) + rotl(lanes_[1], 7) + rotl(lanes_[2], 12) + rotl(lanes_[3], 18);
  for (std::uint64_t lane : lanes_) hash = (hash ^ round(0, lane)) * kPrime1 + kPrime4;
  hash += length_;
  std::size_t at = 0;
  for (; at + 8 <= pendingSize_; at += 8) hash = rotl(hash ^ round(0, wordAt(pending_ + at)), 27) * kPrime1 + kPrime4;
  for (; at < pendingSize_; ++at)
    hash = rotl(hash ^ (static_cast<unsigned char>(pending_[at]) * kPrime3), 11) * kPrime1;
  hash ^= hash >> 33;
  hash *= kPrime2;
  hash ^= hash >> 29;
  hash *= kPrime3;
  return hash ^ (hash >> 32);
}

std::uint64_t digestOf(std::string_view bytes) {
  ContentDigest digest;
  digest.add(bytes);
  return digest.value();
}

namespace {

constexpr std::uint64_t kTrailStep = 1 << 20;

// `digest`, which holds the bytes of the file at `path` before `from`, with
// the file's bytes from `from` up to `bytes` added.
std::optional<std::uint64_t> finishDigest(const std::string& path, ContentDigest digest, std::uint64_t from,
                                          std::uint64_t bytes) {
  const int descriptor = openRegularFile(path);
  if (descriptor < 0) return std::nullopt;
  std::uint64_t left = bytes - from;
  if (from > 0 && !seekDescriptor(descriptor, from)) left = 1;  // cannot go there: no digest
  std::vector<char> block(1 << 16);
  while (left > 0) {
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(left, block.size()));
    const auto got = ::read(descriptor, block.data(), static_cast<unsigned>(wanted));
    if (got <= 0) break;
    digest.add({block.data(), static_cast<std::size_t>(got)});
    left -= static_cast<std::uint64_t>(got);
  }
  ::close(descriptor);
  if (left > 0) return std::nullopt;
  return digest.value();
}

}  // namespace

std::optional<std::uint64_t> digestOfFileStart(const std::string& path, std::uint64_t bytes) {
  return finishDigest(path, ContentDigest{}, 0, bytes);
}

void DigestTrail::add(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::uint64_t toStep = kTrailStep - read_ % kTrailStep;
    const std::size_t taken = static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), toStep));
    digest_.add(bytes.substr(0, taken));
    bytes.remove_prefix(taken);
    read_ += taken;
    if (read_ % kTrailStep == 0) states_.emplace_back(read_, digest_);
  }
}

std::optional<std::uint64_t> DigestTrail::digestOfStart(const std::string& path, std::uint64_t bytes) const {
  const auto after = std::upper_bound(states_.begin(), states_.end(), bytes,
                                      [](std::uint64_t offset, const auto& state) { return offset < state.first; });
  if (after == states_.begin()) return finishDigest(path, ContentDigest{}, 0, bytes);
  const auto& [from, digest] = *std::prev(after);
  return finishDigest(path, digest, from, bytes);
}

}  // namespace zelk
