#include "run/prefix_notes.h"

#include <algorithm>

#include "platform/content_digest.h"

namespace zelk {
namespace {

// Bounds on what one log adds to the index, whatever the log holds: a log of
// nothing but odd dates or new names stops adding checkpoints.
constexpr std::size_t kMaxEvents = 4096;
constexpr std::size_t kMaxCheckpoints = 2400;

DateKey dateKeyOf(const CalendarTime& date) { return {date.year, date.yearDay}; }

}  // namespace

std::optional<std::size_t> lastCheckpointBefore(const LogPrefixIndex& entry, const CalendarTime& start) {
  const DateKey limit = dateKeyOf(start);
  for (std::size_t k = entry.checkpoints.size(); k-- > 0;)
    if (!entry.checkpoints[k].latest || *entry.checkpoints[k].latest <= limit) return k;
  return std::nullopt;
}

bool stillHolds(const LogPrefixIndex& entry, const std::string& path, const FileStamp& stamp) {
  if (entry.stamp == stamp) return true;
  if (stamp.size < entry.digestBytes) return false;
  return digestOfFileStart(path, entry.digestBytes) == entry.digest;
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
  if (valid) {
    if (!periodEnd_ || key > *periodEnd_) beginPeriod(lineAt, date);
    if (!newest_ || isLaterDate(date, *newest_)) newest_ = date;
  }
  if (!latest_ || key > *latest_) latest_ = key;
  if (name) noteName(*name);
  if (!valid && !isFull()) entry_.events.push_back({true, {}});
}

void PrefixNotes::kept(std::uint64_t lineAt, const CalendarTime& date, bool valid) {
  if (valid && (!periodEnd_ || dateKeyOf(date) > *periodEnd_)) beginPeriod(lineAt, date);
}

bool PrefixNotes::isFull() const {
  return entry_.events.size() >= kMaxEvents || entry_.checkpoints.size() >= kMaxCheckpoints;
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

void PrefixNotes::noteName(std::string_view name) {
  // A log holds the names of a few connections, met over and over: the last
  // few names met are compared before the set is looked in.
  for (std::size_t i = 0; i < recentCount_; ++i)
    if (recentNames_[i] == name) return;
  recentNames_[nextRecent_] = name;
  nextRecent_ = (nextRecent_ + 1) % recentNames_.size();
  recentCount_ = std::max(recentCount_, nextRecent_ == 0 ? recentNames_.size() : nextRecent_);
  if (!namesMet_.emplace(name).second) return;
  if (!isFull()) entry_.events.push_back({false, std::string(name)});
}

void PrefixNotes::skippingEnded() {
  entry_.digestBytes = entry_.checkpoints.empty() ? 0 : entry_.checkpoints.back().offset;
  entry_.events.resize(entry_.checkpoints.empty() ? 0 : entry_.checkpoints.back().eventCount);
  if (knownDigest_ && knownDigest_->first == entry_.digestBytes) {
    entry_.digest = knownDigest_->second;
  } else if (!entry_.checkpoints.empty()) {
    digest_ = std::async(std::launch::async, digestOfFileStart, entry_.path, entry_.digestBytes);
  }
}

std::optional<LogPrefixIndex> PrefixNotes::entry() {
  if (entry_.checkpoints.empty()) return std::nullopt;
  if (digest_.valid()) {
    const auto digest = digest_.get();
    if (!digest) return std::nullopt;
    entry_.digest = *digest;
  }
  return entry_;
}

}  // namespace zelk
