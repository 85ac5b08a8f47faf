#include "base/month_table.h"

#include <bit>

namespace zelk {
namespace {

// A number of up to fifteen digits, one nibble a digit, with its length on
// top: different numbers get different keys, and anything else is told apart
// by comparing the texts.
std::uint64_t numberKeyOf(std::string_view number) {
  std::uint64_t key = number.size();
  for (char digit : number) key = key << 4 | (static_cast<unsigned char>(digit) & 0x0F);
  return key;
}

std::size_t bucketOf(std::uint64_t key, std::size_t mask) {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> 32) & mask;
}

}  // namespace

int MonthTable::findRow(std::string_view number) const {
  const std::size_t inUse = std::min(used, rows.size());
  if (numberKeys_.size() != inUse || buckets_.empty()) {
    // Rows set up without indexLastRow (by hand, in a test) are searched.
    for (std::size_t i = 0; i < inUse; ++i)
      if (rows[i].number == number) return static_cast<int>(i);
    return -1;
  }
  const std::uint64_t key = numberKeyOf(number);
  const std::size_t mask = buckets_.size() - 1;
  for (std::size_t at = bucketOf(key, mask);; at = (at + 1) & mask) {
    const std::uint32_t entry = buckets_[at];
    if (entry == 0) return -1;
    const std::size_t row = entry - 1;
    if (numberKeys_[row] == key && rows[row].number == number) return static_cast<int>(row);
  }
}

void MonthTable::indexLastRow() {
  const std::size_t row = numberKeys_.size();
  if (used != row + 1 || row >= rows.size()) return;  // not the next row: findRow searches
  numberKeys_.push_back(numberKeyOf(rows[row].number));
  // At most half the buckets are taken, so a probe soon meets an empty one.
  if (2 * numberKeys_.size() > buckets_.size()) {
    buckets_.assign(std::bit_ceil(std::max<std::size_t>(64, 4 * numberKeys_.size())), 0);  // masks need a power of two
    for (std::size_t each = 0; each < numberKeys_.size(); ++each) placeRow(each);
  } else {
    placeRow(row);
  }
}

void MonthTable::placeRow(std::size_t row) {
  const std::size_t mask = buckets_.size() - 1;
  std::size_t at = bucketOf(numberKeys_[row], mask);
  while (buckets_[at] != 0) at = (at + 1) & mask;
  buckets_[at] = static_cast<std::uint32_t>(row + 1);
}

}  // namespace zelk
