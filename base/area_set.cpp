#include "base/area_set.h"

#include <cstring>

namespace zelk {

AreaSetItem AreaSet::Iterator::operator*() const {
  const char* entry = bytes_->data() + position_;
  return {std::string_view(entry + 1, std::strlen(entry + 1)), static_cast<DistanceBand>(entry[0])};
}

AreaSet::Iterator& AreaSet::Iterator::operator++() {
  position_ = bytes_->find('\0', position_ + 1) + 1;
  return *this;
}

AreaSet::AreaSet(std::initializer_list<AreaSetEntry> entries) {
  for (const auto& entry : entries) push_back(entry);
}

AreaSet::AreaSet(const std::vector<AreaSetEntry>& entries) {
  for (const auto& entry : entries) push_back(entry);
}

const std::string& AreaSet::bytes() const {
  static const std::string kNone;
  return bytes_ ? *bytes_ : kNone;
}

std::string& AreaSet::ownBytes() {
  if (!bytes_)
    bytes_ = std::make_shared<std::string>();
  else if (bytes_.use_count() > 1)
    bytes_ = std::make_shared<std::string>(*bytes_);
  return *bytes_;
}

void AreaSet::add(std::string_view number, DistanceBand band) {
  std::string& bytes = ownBytes();
  bytes += static_cast<char>(band);
  for (char c : number)
    if (c != '\0') bytes += c;  // ends the entry; never in a number
  bytes += '\0';
  ++count_;
}

void AreaSet::truncate(std::size_t count) {
  if (count >= count_) return;
  Iterator kept = begin();
  for (std::size_t i = 0; i < count; ++i) ++kept;
  ownBytes().resize(kept.position_);
  count_ = count;
}

void AreaSet::clear() { truncate(0); }

AreaSetItem AreaSet::operator[](std::size_t index) const {
  Iterator at = begin();
  for (std::size_t i = 0; i < index; ++i) ++at;
  return *at;
}

DistanceBand AreaSet::bandOf(std::string_view number) const {
  for (const AreaSetItem entry : *this)
    if (entry.band != DistanceBand::Undetermined && entry.number == number) return entry.band;
  return DistanceBand::Undetermined;
}

std::vector<AreaSetEntry> AreaSet::entries() const {
  std::vector<AreaSetEntry> all;
  all.reserve(count_);
  for (const AreaSetItem entry : *this) all.push_back(entry);
  return all;
}

}  // namespace zelk
