#include "run/internal/old_calls_skip.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "logs/log_reader.h"
#include "logs/name_table.h"
#include "platform/paths.h"
#include "run/internal/old_records_scan.h"

namespace zelk {
namespace {

class OldCallsSkip {
 public:
  OldCallsSkip(LogMerge& merge, OldRecordsIndex& index) : merge_(merge), index_(index), tables_(merge.tables()) {}

  SkippedRecords run(const CalendarTime& start);

 private:
  void startFromIndex(int log, const IndexedStart& start, LogSource& slot);
  void startFromScan(int log, const OldRecordsScan& scan, LogSource& slot);
  bool learnsEveryNameOf(std::span<const SkippedEvent> events) const;
  void showAndLearn(std::span<const SkippedEvent> events);
  void noteSkippedDate(const CalendarTime& date);

  LogMerge& merge_;
  OldRecordsIndex& index_;
  LearnedTables& tables_;
  SkippedRecords skipped_;
};

// Most records of a long history lie before the months kept, so a record's
// start is read first and the rest only for a call that is kept. A skipped
// record still has its connection name looked up (an unknown one is shown and
// learned), and a date that cannot be normalised is shown after that, as for
// a call read whole. Each log's skipped records are done before the next
// log's; where the index holds what a log's first records gave, that is shown
// and learned from it and reading starts after them. Without the index, the
// logs are scanned side by side on two threads first, and what each scan
// gave is shown and learned in the same order.
SkippedRecords OldCallsSkip::run(const CalendarTime& start) {
  std::array<std::optional<IndexedStart>, kMaxLogs> indexed;
  bool fromIndex = false;
  for (int log = 0; log < merge_.openCount(); ++log) {
    indexed[static_cast<std::size_t>(log)] = index_.startOf(log);
    fromIndex = fromIndex || indexed[static_cast<std::size_t>(log)];
  }
  std::optional<SideBySideScans> scans;
  if (!fromIndex) {
    std::vector<SideBySideScans::Log> logs;
    for (int log = 0; log < merge_.openCount(); ++log) {
      const LogDeclaration& declaration = merge_.slot(log).declaration;
      logs.push_back({logFilePath(merge_.programDir(), declaration.path), declaration.format});
    }
    scans.emplace(std::move(logs), start, index_);
  }

  std::array<int, kMaxLogs> logOf{0, 1, 2, 3, 4};  // a slot's log, in declaration order
  std::array<bool, kMaxLogs> begun{};
  int i = 0;
  while (i < merge_.openCount()) {
    const int log = logOf[i];
    if (!begun[log]) {
      begun[log] = true;
      if (const auto& indexedStart = indexed[static_cast<std::size_t>(log)]) {
        startFromIndex(log, *indexedStart, merge_.slot(i));
      } else if (scans) {
        startFromScan(log, scans->take(log), merge_.slot(i));
      }
    }
    const std::uint64_t lineAt = merge_.slot(i).file.offset();
    if (!merge_.readStart(i)) {
      logOf[i] = logOf[merge_.openCount()];  // the last log moved into i
      continue;
    }
    LogSource& slot = merge_.slot(i);
    const CalendarTime& date = slot.call.start;
    const bool valid = normalise(slot.call.start);
    const bool kept = isLaterDate(date, start);
    if (kept) {
      readCallRest(slot, tables_.tables, tables_.grew);
      index_.kept(log, lineAt, date, valid);
    } else {
      const auto name = skippedCallName(slot);
      if (name) lookupName(*name, tables_.tables, tables_.grew);
      index_.skipped(log, lineAt, date, valid, name);
    }
    if (!valid) showOddLine();
    if (kept) {
      ++i;
    } else if (valid) {
      noteSkippedDate(date);
    }
  }
  return skipped_;
}

void OldCallsSkip::noteSkippedDate(const CalendarTime& date) {
  if (!skipped_.newest || isLaterDate(date, *skipped_.newest)) skipped_.newest = date;
}

// Showing the events once in order shows and learns what reading their
// records does, unless a name would meet a full table: each record of it
// would be shown then.
bool OldCallsSkip::learnsEveryNameOf(std::span<const SkippedEvent> events) const {
  std::vector<std::string_view> names;
  for (const SkippedEvent& event : events)
    if (!event.oddDate) names.push_back(event.name);
  return learnsEveryName(names, tables_.tables);
}

void OldCallsSkip::showAndLearn(std::span<const SkippedEvent> events) {
  for (const SkippedEvent& event : events) {
    if (event.oddDate) {
      showOddLine();
    } else {
      lookupName(event.name, tables_.tables, tables_.grew);
    }
  }
}

// Before the first record of log `log` (declaration order) is read from
// `slot`: where the index holds what the log's first records gave, that is
// shown and learned from it and reading starts after them.
void OldCallsSkip::startFromIndex(int log, const IndexedStart& start, LogSource& slot) {
  if (!learnsEveryNameOf(start.events) || !slot.file.seek(start.offset)) return;
  showAndLearn(start.events);
  if (start.newest) noteSkippedDate(*start.newest);
  index_.startedAt(log);
}

// The same from the log's scan: reading goes on at its first record kept.
// A scan that gave up, or whose events cannot stand for its records, leaves
// the log to be read record by record from its start.
void OldCallsSkip::startFromScan(int log, const OldRecordsScan& scan, LogSource& slot) {
  if (!scan.complete || !learnsEveryNameOf(scan.events) || !slot.file.seek(scan.keptAt)) {
    slot.file.seek(0);
    index_.readAgain(log);
    return;
  }
  showAndLearn(scan.events);
  if (scan.newest) noteSkippedDate(*scan.newest);
}

}  // namespace

SkippedRecords skipOldCalls(LogMerge& merge, const CalendarTime& start, int meterDay, OldRecordsIndex& index) {
  index.skippingBegins(start, meterDay);
  SkippedRecords skipped = OldCallsSkip(merge, index).run(start);
  index.skippingEnded();
  return skipped;
}

}  // namespace zelk
