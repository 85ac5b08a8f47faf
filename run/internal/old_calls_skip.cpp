#include "run/internal/old_calls_skip.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "logs/log_reader.h"
#include "logs/name_table.h"

namespace zelk {
namespace {

class OldCallsSkip {
 public:
  OldCallsSkip(LogMerge& merge, OldRecordsIndex& index) : merge_(merge), index_(index), tables_(merge.tables()) {}

  SkippedRecords run(const CalendarTime& start);

 private:
  void startFromIndex(int log, LogSource& slot);
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
// and learned from it and reading starts after them.
SkippedRecords OldCallsSkip::run(const CalendarTime& start) {
  std::array<int, kMaxLogs> logOf{0, 1, 2, 3, 4};  // a slot's log, in declaration order
  std::array<bool, kMaxLogs> begun{};
  int i = 0;
  while (i < merge_.openCount()) {
    const int log = logOf[i];
    if (!begun[log]) {
      begun[log] = true;
      startFromIndex(log, merge_.slot(i));
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

// Before the first record of log `log` (declaration order) is read from
// `slot`: where the index holds what the log's first records gave, that is
// shown and learned from it and reading starts after them.
void OldCallsSkip::startFromIndex(int log, LogSource& slot) {
  const auto start = index_.startOf(log);
  if (!start) return;
  std::vector<std::string_view> names;
  for (const SkippedEvent& event : start->events)
    if (!event.oddDate) names.push_back(event.name);
  if (!learnsEveryName(names, tables_.tables) || !slot.file.seek(start->offset)) return;
  for (const SkippedEvent& event : start->events) {
    if (event.oddDate) {
      showOddLine();
    } else {
      lookupName(event.name, tables_.tables, tables_.grew);
    }
  }
  if (start->newest) noteSkippedDate(*start->newest);
  index_.startedAt(log);
}

}  // namespace

SkippedRecords skipOldCalls(LogMerge& merge, const CalendarTime& start, int meterDay, OldRecordsIndex& index) {
  index.skippingBegins(start, meterDay);
  SkippedRecords skipped = OldCallsSkip(merge, index).run(start);
  index.skippingEnded();
  return skipped;
}

}  // namespace zelk
