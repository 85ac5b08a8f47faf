// One log's records before the months kept, as a run skips them: where the
// index lets the run start reading, and what the run notes for the next one.
#pragma once

#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "base/calendar.h"
#include "logs/prefix_index.h"

namespace zelk {

// The last checkpoint of `entry` before which no record is later than
// `start`, so that every record before it is skipped by a run from `start`.
std::optional<std::size_t> lastCheckpointBefore(const LogPrefixIndex& entry, const CalendarTime& start);

class PrefixNotes {
 public:
  // Checkpoints are made where a billing month of `meterDay` begins.
  PrefixNotes(std::string path, LogFormat format, const FileStamp& stamp, int meterDay);

  // Goes on from checkpoint `checkpoint` of `entry`, which holds this file's bytes.
  void resumeAt(const LogPrefixIndex& entry, std::size_t checkpoint);

  // A record the run skipped: its line started at `lineAt`; `name` is the
  // connection name it was looked up by.
  void skipped(std::uint64_t lineAt, const CalendarTime& date, bool valid, std::optional<std::string_view> name);
  // The first record the run keeps, where skipping ends: a later run from
  // the same start begins there when it begins a billing month.
  void kept(std::uint64_t lineAt, const CalendarTime& date, bool valid);

  // Ends the notes once the run has skipped the log's old records: how many
  // of the file's first bytes (up to the last checkpoint) want their digest
  // worked out; nothing when it is known or there is no checkpoint.
  std::optional<std::uint64_t> skippingEnded();

  const std::string& path() const { return entry_.path; }

  // The entry for the index, with the digest skippingEnded asked for
  // (nothing when the file could not give it, or there is no checkpoint).
  std::optional<LogPrefixIndex> entry(std::optional<std::uint64_t> digest) const;

 private:
  bool isFull() const;
  void beginPeriod(std::uint64_t lineAt, const CalendarTime& date);
  void noteName(std::string_view name);

  LogPrefixIndex entry_;
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };
  std::unordered_set<std::string, NameHash, std::equal_to<>> namesMet_;
  struct RecentName {
    std::uint64_t head = 0;
    std::string text;
  };
  std::array<RecentName, 8> recentNames_;  // names met, all in namesMet_
  std::size_t nextRecent_ = 0;
  std::size_t recentCount_ = 0;
  int meterDay_;
  std::optional<DateKey> periodEnd_;  // the closing date of the latest billing month met
  std::optional<DateKey> latest_;
  DateKey lastValidDay_{std::numeric_limits<int>::min(), 0};  // of the last valid date noted
  std::optional<CalendarTime> newest_;
  bool unindexable_ = false;  // a name met the index cannot hold
  // The digest already known for the file's first digestBytes bytes.
  std::optional<std::pair<std::uint64_t, std::uint64_t>> knownDigest_;
};

}  // namespace zelk
