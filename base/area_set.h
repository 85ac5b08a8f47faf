// The area set: numbers with a fixed distance band, in the order they were
// set. A settings file may hold millions of them (the calculation adds every
// number of unknown MA it meets), so they are kept compact: every entry's
// band and digits one after another in one buffer, instead of a string
// object per entry, which cost several times the file's size. The run keeps
// copies of its tables (what it started from, what it ended with); copies
// share the buffer until one of them changes.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/distance_band.h"

namespace zelk {

// One entry as it is set or changed (the settings dialog's list).
struct AreaSetEntry {
  std::string number;  // digits
  DistanceBand band = DistanceBand::Undetermined;  // 0: no band, never used
};

// One entry as the area set holds it; valid until the set changes.
struct AreaSetItem {
  std::string_view number;
  DistanceBand band = DistanceBand::Undetermined;
  operator AreaSetEntry() const { return {std::string(number), band}; }
};

class AreaSet {
 public:
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = AreaSetItem;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = AreaSetItem;

    Iterator() = default;
    AreaSetItem operator*() const;
    Iterator& operator++();
    Iterator operator++(int) {
      Iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const Iterator& other) const { return position_ == other.position_; }

   private:
    friend class AreaSet;
    Iterator(const std::string* bytes, std::size_t position) : bytes_(bytes), position_(position) {}
    const std::string* bytes_ = nullptr;
    std::size_t position_ = 0;
  };

  AreaSet() = default;
  AreaSet(std::initializer_list<AreaSetEntry> entries);
  AreaSet(const std::vector<AreaSetEntry>& entries);  // NOLINT: a list is a set

  // Adds an entry at the end. A NUL byte, which ends an entry in the
  // buffer, is left out (a number is digits).
  void push_back(const AreaSetEntry& entry) { add(entry.number, entry.band); }
  void add(std::string_view number, DistanceBand band);

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  // Keeps the first `count` entries.
  void truncate(std::size_t count);
  void clear();

  Iterator begin() const { return Iterator(&bytes(), 0); }
  Iterator end() const { return Iterator(&bytes(), bytes().size()); }
  // The entry at `index`, counted from the start: a walk, for the few
  // places that look at one entry (the settings dialog, tests).
  AreaSetItem operator[](std::size_t index) const;
  AreaSetItem back() const { return (*this)[count_ - 1]; }

  // The band of the first entry for `number` that has one; Undetermined when
  // none has.
  DistanceBand bandOf(std::string_view number) const;

  std::vector<AreaSetEntry> entries() const;

  bool operator==(const AreaSet& other) const { return count_ == other.count_ && bytes() == other.bytes(); }

 private:
  const std::string& bytes() const;
  // The buffer for a change: a copy of its own first when it is shared.
  std::string& ownBytes();

  // Each entry: its band as one byte, its digits, a NUL.
  std::shared_ptr<std::string> bytes_;
  std::size_t count_ = 0;
};

}  // namespace zelk
