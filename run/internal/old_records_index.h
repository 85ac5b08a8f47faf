// The index of the logs' old records, as the calculation run sees it: an
// accelerator that lets a run start reading each log at its first months
// kept, and that can be switched off (zelk --no-index, ZELK_NO_INDEX=1)
// without changing a byte of any answer.
//
// A run from the index shows, learns and reports what a run reading every
// record does because:
// - a connection name is learned only the first time it is met: the names
//   met first in the records skipped are all the index keeps, and a run
//   whose name table could not take them all reads the records again (a
//   full table shows a name at every record that holds it);
// - the order of the date keys (year, day of the year) the index keeps is
//   the calendar order by which a run keeps or skips a record, so a place
//   before which no record is later than the start is one the run would
//   have skipped up to;
// - each log's skipped records are read in one stretch before the next
//   log's, so what they show comes in the order the index keeps it;
// - a log's stamp (size, times, inode, device) is trusted alone only when
//   the log last changed at least the coarsest tick of any file system
//   (2 s) before the index was written; otherwise, and for a log that grew,
//   the digest of its bytes up to the last place kept must still hold;
// - the index holds only what a run can write (names as a log line holds
//   them, dates as a run makes them, counts and offsets within bounds), is
//   the user's own file in a folder no one else can write to, and anything
//   else is read as no index.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/calendar.h"
#include "base/log_source.h"
#include "logs/prefix_index.h"
#include "platform/content_digest.h"

namespace zelk {

// Where the index lets a log's reading start, and what the records before
// that place gave, in the order met.
struct IndexedStart {
  std::uint64_t offset = 0;
  std::span<const SkippedEvent> events;
  std::optional<CalendarTime> newest;  // the newest normalised date before it
};

class OldRecordsIndex {
 public:
  virtual ~OldRecordsIndex() = default;

  // Before the logs are opened: the declared logs, in declaration order, so
  // that a log that changes while the run reads it is known afterwards.
  virtual void logsDeclared(const LogDeclarations& logs, int count) = 0;
  // Before the first record is read: the run's start date; the logs that
  // changed since they were indexed begin to be checked.
  virtual void skippingBegins(const CalendarTime& start, int meterDay) = 0;
  // Before the first record of log `log` (declaration order) is read: where
  // reading may start, nothing for the log's start.
  virtual std::optional<IndexedStart> startOf(int log) = 0;
  // The run took what startOf gave and starts log `log` there.
  virtual void startedAt(int log) = 0;
  // Where a scan of log `log` from its start, on any thread, leaves the
  // digest of the bytes it reads; nothing when the index keeps no digests.
  // Forgotten when the log is read again.
  virtual DigestTrail* trailOf(int log) = 0;
  // A record of log `log` the run skipped, whose line starts at `lineAt`;
  // `name` is the connection name it was looked up by. The records of two
  // different logs may be told from two threads at once.
  virtual void skipped(int log, std::uint64_t lineAt, const CalendarTime& date, bool valid,
                       std::optional<std::string_view> name) = 0;
  // The first record of log `log` the run keeps.
  virtual void kept(int log, std::uint64_t lineAt, const CalendarTime& date, bool valid) = 0;
  // Log `log` is read again from its start: what its skipped records told
  // until now is forgotten.
  virtual void readAgain(int log) = 0;
  // Every log's old records are done with.
  virtual void skippingEnded() = 0;
  // The run ended: what it learned is kept for the next run.
  virtual void runEnded() = 0;
};

// Reads and writes nothing: every log is read from its start.
class NoOldRecordsIndex final : public OldRecordsIndex {
 public:
  void logsDeclared(const LogDeclarations&, int) override {}
  void skippingBegins(const CalendarTime&, int) override {}
  std::optional<IndexedStart> startOf(int) override { return std::nullopt; }
  void startedAt(int) override {}
  DigestTrail* trailOf(int) override { return nullptr; }
  void skipped(int, std::uint64_t, const CalendarTime&, bool, std::optional<std::string_view>) override {}
  void kept(int, std::uint64_t, const CalendarTime&, bool) override {}
  void readAgain(int) override {}
  void skippingEnded() override {}
  void runEnded() override {}
};

// The index of the program directory `programDir`; none when `wanted` is
// false or ZELK_NO_INDEX is 1.
std::unique_ptr<OldRecordsIndex> oldRecordsIndexFor(const std::string& programDir, bool wanted);

}  // namespace zelk
