// Skipping the old records by scans of the logs, on two threads, shows,
// learns and leaves every slot as reading them record by record in the run's
// order of the logs does. The reference here is that reading, done with the
// log reader alone; each case is a set of logs that steers the skip down one
// of its roads (a log wholly old, a name table that fills, a broken record).
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "logs/log_reader.h"
#include "logs/name_table.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "run/internal/log_merge.h"
#include "run/internal/old_calls_skip.h"
#include "support/test_support.h"

namespace zelk {
namespace {

// -c records: a connection name each, dated by `year` (1800 cannot be
// normalised) and kept from 2000 on.
std::string nameLine(int year, int day, const std::string& name) {
  char line[120];
  std::snprintf(line, sizeof line, "%04d/03/%02d 10:%02d:07 00:05:30   120  : %-20s\r\n", year, day, day, name.c_str());
  return line;
}

// A -c record of the start's own day at `hour`: hour 24 and later fall on
// the next day, the first kept.
std::string lastDayLine(int hour, const std::string& name) {
  char line[120];
  std::snprintf(line, sizeof line, "1999/12/31 %02d:00:07 00:05:30   120  : %-20s\r\n", hour, name.c_str());
  return line;
}

// -r records; one without its name field ends the run.
std::string commaLine(int year, int day, const std::string& name) {
  char line[120];
  std::snprintf(line, sizeof line, "%04d/04/%02d,11:00:%02d,00:01:00,x,y,%s\r\n", year, day, day, name.c_str());
  return line;
}

std::string names(int from, int count, const std::string& stem, int year = 1999) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += nameLine(year, 1 + i % 28, stem + std::to_string((from + i) % 7));
  return bytes;
}

struct Outcome {
  std::vector<std::string> messages;
  std::vector<std::string> learned;  // the name table, "name=number"
  std::vector<std::string> unwritable;
  std::vector<std::string> slots;  // each slot's log, call and next line
  std::string newest;              // the newest date skipped, to the second
  std::optional<int> fatalCode;

  bool operator==(const Outcome&) const = default;
};

class Recorder : public MessageSink {
 public:
  void show(const std::string& text, MessageKind) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

std::string momentText(const std::optional<CalendarTime>& moment) {
  if (!moment) return "none";
  char text[40];
  std::snprintf(text, sizeof text, "%d-%d-%d %d:%d:%d (%d, %d)", moment->year, moment->month, moment->day, moment->hour,
                moment->minute, moment->second, moment->weekday, moment->yearDay);
  return text;
}

void describe(const LogSlots& slots, int open, const ReplaceTables& tables, Outcome& outcome) {
  for (int i = 0; i < tables.nameReplaceCount; ++i)
    outcome.learned.push_back(tables.nameReplace[i].name + "=" + tables.nameReplace[i].number);
  outcome.unwritable = tables.unwritableNames;
  // A run that ended leaves its slots wherever it stopped.
  if (outcome.fatalCode) return;
  for (int i = 0; i < open; ++i) {
    const LogSource& slot = slots[static_cast<std::size_t>(i)];
    outcome.slots.push_back(slot.declaration.path + " " + isoDateText(localDateOf(slot.call.start)) + " " +
                            slot.call.name + " at " + std::to_string(slot.file.offset()));
  }
}

// What the two-thread skip does.
Outcome bySkip(const std::string& dir, const LogDeclarations& logs, int count, const CalendarTime& start) {
  Outcome outcome;
  Recorder recorder;
  ScopedMessageSink sink(recorder);
  LearnedTables tables;
  LogMerge merge(dir, tables);
  merge.open(logs, count);
  NoOldRecordsIndex none;
  try {
    outcome.newest = momentText(skipOldCalls(merge, start, 1, none).newest);
  } catch (const FatalError& error) {
    outcome.fatalCode = error.code();
  }
  outcome.messages = recorder.messages;
  LogSlots slots;
  for (int i = 0; i < merge.openCount(); ++i) slots[static_cast<std::size_t>(i)] = std::move(merge.slot(i));
  describe(slots, merge.openCount(), tables.tables, outcome);
  return outcome;
}

// The reference: every record of every log read in turn, each log's old
// records before the next log's, in the order of the slots.
Outcome recordByRecord(const std::string& dir, const LogDeclarations& logs, int count, const CalendarTime& start) {
  Outcome outcome;
  Recorder recorder;
  ScopedMessageSink sink(recorder);
  ReplaceTables tables;
  bool grew = false;
  LogSlots slots;
  for (std::size_t i = 0; i < kMaxLogs; ++i) slots[i].declaration = logs[i];
  int open = openLogs(slots, count, dir);
  std::optional<CalendarTime> newest;
  try {
    for (int i = 0; i < open;) {
      if (readNextStart(i, slots, open) != 0) continue;
      LogSource& slot = slots[static_cast<std::size_t>(i)];
      const bool valid = normalise(slot.call.start);
      const bool kept = isLaterDate(slot.call.start, start);
      if (kept) {
        readCallRest(slot, tables, grew);
      } else if (const auto name = skippedCallName(slot)) {
        lookupName(*name, tables, grew);
      }
      if (!valid) showOddLine();
      if (kept) {
        ++i;
      } else if (valid && (!newest || isLaterDate(slot.call.start, *newest))) {
        newest = slot.call.start;
      }
    }
    outcome.newest = momentText(newest);
  } catch (const FatalError& error) {
    outcome.fatalCode = error.code();
  }
  outcome.messages = recorder.messages;
  describe(slots, open, tables, outcome);
  return outcome;
}

struct SkipCase {
  const char* what;
  std::vector<std::pair<LogFormat, std::string>> logs;
};

TEST(OldCallsSkip, ScansShowLearnAndStopAsReadingEveryRecord) {
  const std::string old = names(0, 300, "ISP");
  const std::string kept = nameLine(2000, 1, "ISP1") + nameLine(2000, 2, "NEW");
  std::string manyNames;  // more new names than the table holds
  for (int i = 0; i < 30; ++i) manyNames += nameLine(1999, 1 + i % 28, "MANY" + std::to_string(i));
  const SkipCase cases[] = {
      {"names in each log, odd dates, kept calls",
       {{LogFormat::C, old + nameLine(1800, 3, "ODD") + kept},
        {LogFormat::C, names(3, 200, "ISP") + nameLine(1800, 4, "X") + names(0, 50, "ALT") + kept},
        {LogFormat::C, names(5, 100, "ALT") + kept}}},
      {"a clock past midnight on the start's day",
       {{LogFormat::C, old + lastDayLine(10, "EVE") + lastDayLine(25, "LATE") + kept},
        {LogFormat::C, lastDayLine(9, "EVE") + lastDayLine(23, "EVE") + kept}}},
      {"a log wholly old between two others",
       {{LogFormat::C, old + kept}, {LogFormat::C, names(0, 80, "GONE")}, {LogFormat::C, names(2, 90, "ISP") + kept},
        {LogFormat::C, kept}}},
      {"a name table that fills in the second log",
       {{LogFormat::C, names(0, 40, "A") + kept}, {LogFormat::C, manyNames + manyNames + kept},
        {LogFormat::C, names(0, 40, "B") + kept}}},
      {"names a zelk.cfg line cannot hold",
       {{LogFormat::C, names(0, 20, "X==") + kept},
        {LogFormat::C, nameLine(1999, 1, "END=") + names(1, 20, "X==") + nameLine(1999, 9, "END=") + kept}}},
      {"a broken record in the last log",
       {{LogFormat::C, old + kept}, {LogFormat::R, commaLine(1999, 1, "R1") + "1999/04/02,11:00:00,00:01:00,x\r\n" + commaLine(2000, 1, "R2")}}},
      {"every record kept, and a log without records",
       {{LogFormat::C, kept}, {LogFormat::C, "-- nothing --\r\n"}, {LogFormat::C, kept + old}}},
  };
  CalendarTime start;
  start.year = 99;
  start.month = 11;
  start.day = 31;
  ASSERT_TRUE(normalise(start));
  for (const SkipCase& each : cases) {
    test::ScratchDir dir;
    LogDeclarations logs;
    for (std::size_t i = 0; i < each.logs.size(); ++i) {
      logs[i] = {each.logs[i].first, "log" + std::to_string(i) + ".tel"};
      dir.write(logs[i].path, each.logs[i].second);
    }
    const int count = static_cast<int>(each.logs.size());
    const Outcome expected = recordByRecord(dir.path(), logs, count, start);
    // Twice: which thread scans which log depends on timing.
    for (int run = 0; run < 2; ++run) {
      const Outcome skipped = bySkip(dir.path(), logs, count, start);
      EXPECT_EQ(skipped.messages, expected.messages) << each.what;
      EXPECT_EQ(skipped.learned, expected.learned) << each.what;
      EXPECT_EQ(skipped.unwritable, expected.unwritable) << each.what;
      EXPECT_EQ(skipped.slots, expected.slots) << each.what;
      EXPECT_EQ(skipped.fatalCode, expected.fatalCode) << each.what;
      EXPECT_EQ(skipped.newest, expected.newest) << each.what;
    }
    EXPECT_FALSE(expected.messages.empty()) << each.what;
  }
}

}  // namespace
}  // namespace zelk
