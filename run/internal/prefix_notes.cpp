#include "run/internal/prefix_notes.h"

#include <algorithm>
#include <cstring>

namespace zelk {
namespace {

// Bounds on what one log adds to the index, whatever the log holds: a log of
// nothing but odd dates or new names stops adding checkpoints.
constexpr std::size_t kMaxEvents = kMaxIndexEvents;
constexpr std::size_t kMaxCheckpoints = kMaxIndexCheckpoints;

DateKey dateKeyOf(const CalendarTime& date) { return {date.year, date.yearDay}; }

}  // namespace

std::optional<std::size_t> lastCheckpointBefore(const LogPrefixIndex& entry, const CalendarTime& start) {
  const DateKey limit = dateKeyOf(start);
  for (std::size_t k = entry.checkpoints.size(); k-- > 0;)
    if (!entry.checkpoints[k].latest || *entry.checkpoints[k].latest <= limit) return k;
  return std::nullopt;
}

PrefixNotes::PrefixNotes(std::string path, LogFormat format, const FileStamp& stamp, int meterDay)
    : meterDay_(meterDay) {
  entry_.path = std::move(path);
  entry_.format = format;
  entry_.stamp = stamp;
}

void PrefixNotes::resumeAt(const LogPrefixIndex& entry, std::size_t checkpoint) {
  const PrefixCheckpoint& mark = entry.checkpoints[checkpoint];
  entry_.events.assign(entry.events.begin(), entry.events.begin() + mark.eventCount);
  entry_.checkpoints.assign(entry.checkpoints.begin(), entry.checkpoints.begin() + checkpoint + 1);
  for (const SkippedEvent& event : entry_.events)
    if (!event.oddDate) namesMet_.insert(event.name);
  latest_ = mark.latest;
  newest_ = mark.newest;
  // The record at the checkpoint begins a billing month later than any before it.
  periodEnd_ = DateKey{std::numeric_limits<int>::min(), 0};
  knownDigest_ = {entry.digestBytes, entry.digest};
}

void PrefixNotes::skipped(std::uint64_t lineAt, const CalendarTime& date, bool valid,
                          std::optional<std::string_view> name) {
  const DateKey key = dateKeyOf(date);
  // A log holds many calls a day: another call of the day before's date
  // changes none of the dates below.
  if (!valid || key != lastValidDay_) {
    if (valid) {
      if (!periodEnd_ || key > *periodEnd_) beginPeriod(lineAt, date);
      if (!newest_ || isLaterDate(date, *newest_)) newest_ = date;
      lastValidDay_ = key;
    }
    if (!latest_ || key > *latest_) latest_ = key;
  }
  if (name) noteName(*name);
  if (!valid && !isFull()) entry_.events.push_back({true, {}});
}

void PrefixNotes::kept(std::uint64_t lineAt, const CalendarTime& date, bool valid) {
  if (valid && (!periodEnd_ || dateKeyOf(date) > *periodEnd_)) beginPeriod(lineAt, date);
}

bool PrefixNotes::isFull() const {
  return unindexable_ || entry_.events.size() >= kMaxEvents || entry_.checkpoints.size() >= kMaxCheckpoints;
}

// The first record of a billing month later than any before it: a later run
// whose months begin with that billing month starts reading there.
void PrefixNotes::beginPeriod(std::uint64_t lineAt, const CalendarTime& date) {
  const bool after = entry_.checkpoints.empty() || lineAt > entry_.checkpoints.back().offset;
  if (periodEnd_ && after && !isFull())
    entry_.checkpoints.push_back({lineAt, latest_, static_cast<std::uint32_t>(entry_.events.size()), newest_});
  const auto closing = closingDateOf(date, meterDay_);
  periodEnd_ = dateKeyOf(closing ? *closing : date);
}

namespace {

// The first eight bytes of a name and its length in one word: most names
// met differ from another in it.
std::uint64_t headOf(std::string_view name) {
  std::uint64_t head = 0;
  if (name.size() >= sizeof head) {
    std::memcpy(&head, name.data(), sizeof head);
  } else {
    for (std::size_t i = 0; i < name.size(); ++i) head = head << 8 | static_cast<unsigned char>(name[i]);
  }
  return head ^ name.size();
}

}  // namespace

void PrefixNotes::noteName(std::string_view name) {
  // A log holds the names of a few connections, met over and over: the last
  // few names met are compared before the set is looked in.
  const std::uint64_t head = headOf(name);
  for (std::size_t i = 0; i < recentCount_; ++i)
    if (recentNames_[i].head == head && recentNames_[i].text == name) return;
  recentNames_[nextRecent_] = {head, std::string(name)};
  nextRecent_ = (nextRecent_ + 1) % recentNames_.size();
  recentCount_ = std::max(recentCount_, nextRecent_ == 0 ? recentNames_.size() : nextRecent_);
  if (!namesMet_.emplace(name).second) return;
  // A name the index may not hold ends the checkpoints: the records from
  // the last one on are read again by every run.
  if (!isIndexableName(name)) unindexable_ = true;
  if (!isFull()) entry_.events.push_back({false, std::string(name)});
}

std::optional<std::uint64_t> PrefixNotes::skippingEnded() {
  if (entry_.checkpoints.empty()) return std::nullopt;
  entry_.digestBytes = entry_.checkpoints.back().offset;
  entry_.events.resize(entry_.checkpoints.back().eventCount);
  if (knownDigest_ && knownDigest_->first == entry_.digestBytes) {
    entry_.digest = knownDigest_->second;
    return std::nullopt;
  }
  return entry_.digestBytes;
}

std::optional<LogPrefixIndex> PrefixNotes::entry(std::optional<std::uint64_t> digest) const {
  if (entry_.checkpoints.empty()) return std::nullopt;
  const bool known = knownDigest_ && knownDigest_->first == entry_.digestBytes;
  if (!known && !digest) return std::nullopt;
  LogPrefixIndex entry = entry_;
  if (!known) entry.digest = *digest;
  return entry;
}

}  // namespace zelk
