// The per-call list of a month against the month itself: replaying the run
// for one stored month must give calls whose units add up, number by number,
// to the call list the plan comparison used.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <tuple>
#include <vector>

#include "platform/clock.h"
#include "platform/paths.h"
#include "run/calculation.h"
#include "run/internal/run_trail.h"
#include "run/month_replay.h"
#include "support/test_support.h"
#include "tariff/ma_data.h"
#include "ui/model/month_calls.h"

namespace fs = std::filesystem;

namespace zelk {
namespace {

struct NumberUnits {
  std::int64_t late = 0;
  std::int64_t rest = 0;
  bool operator==(const NumberUnits&) const = default;
};

// " 3,0312345678,12,4,..." -> number -> (late, rest).
std::map<std::string, NumberUnits> parseCallList(const std::string& text) {
  std::map<std::string, NumberUnits> units;
  std::stringstream in(text);
  std::string count, number, late, rest;
  std::getline(in, count, ',');
  while (std::getline(in, number, ',') && std::getline(in, late, ',') && std::getline(in, rest, ','))
    units[number] = {std::stoll(late), std::stoll(rest)};
  return units;
}

std::map<std::string, NumberUnits> sumByNumber(const MonthCalls& calls) {
  std::map<std::string, NumberUnits> units;
  for (const auto& call : calls.calls) {
    auto& sums = units[call.number];
    (call.lateNight() ? sums.late : sums.rest) += call.lateNight() ? call.feeUnits : call.restUnits();
  }
  return units;
}

// Seconds of the day at which a unit's length may change: the time bands and midnight.
bool crossesBandOrMidnight(const CallLine& call) {
  const int hour = std::stoi(call.start.substr(11, 2));
  const int start = hour * 3600 + std::stoi(call.start.substr(14, 2)) * 60 + std::stoi(call.start.substr(17, 2));
  const int end = start + call.seconds;
  for (int boundary : {8, 19, 22, 23, 24, 32})
    if (start < boundary * 3600 && end > boundary * 3600) return true;
  return false;
}

// widestCells counts lengths instead of making texts; they must be the texts' lengths.
void expectWidestAreTheLongestTexts(const MonthCalls& calls) {
  const WidestCells widest = widestCells(calls);
  for (std::size_t i = 0; i < kCallColumnCount; ++i) {
    std::size_t longest = 0;
    for (const auto& call : calls.calls) longest = std::max(longest, cellText(call, kCallColumns[i]).size());
    EXPECT_EQ(widest.length[i], longest) << columnCaption(kCallColumns[i]);
    if (longest > 0) {
      EXPECT_EQ(cellText(calls.calls[widest.row[i]], kCallColumns[i]).size(), longest);
    }
  }
}

std::vector<std::string> goldenCases() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(std::string(ZELK_TEST_DATA) + "/golden"))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The run of a golden case in a scratch copy of its folder; false when the
// run ended fatally (and shows no month).
bool runGoldenCase(const std::string& name, const test::ScratchDir& home, RunResult& run) {
  const std::string caseDir = std::string(ZELK_TEST_DATA) + "/golden/" + name;
  const auto scenario = nlohmann::json::parse(test::readFile(caseDir + "/scenario.json"));
  fs::copy(caseDir, home.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  std::string ma = test::readFile(home.path() + "ma.zlk");
  home.write("ma.zlk", std::string(kMaIdentificationLine) + ma.substr(ma.find('\n')));
  std::vector<std::string> lines;
  for (const auto& arg : scenario["args"]) lines.push_back(arg.get<std::string>());
  setToday(*parseIsoDate(scenario["today"].get<std::string>()));
  try {
    runCalculation({home.path(), lines}, run);
  } catch (const FatalError&) {
    return false;
  }
  return true;
}

// The run without its bookmarks: a replay of it reads the logs from the start.
RunResult withoutBookmarks(RunResult run) {
  auto trail = std::make_shared<RunTrail>(*run.trail);
  trail->bookmarks = {};
  run.trail = trail;
  return run;
}

TEST(MonthCalls, AddUpToEveryMonthOfEveryGoldenCase) {
  RecordingSink quiet;
  ScopedMessageSink sink(quiet);
  int crossingCalls = 0;
  for (const auto& name : goldenCases()) {
    SCOPED_TRACE(name);
    test::ScratchDir home;
    RunResult run;
    if (!runGoldenCase(name, home, run)) continue;
    const MonthList& list = run.months;
    // The month still open is the stored one that holds today, if any.
    int holdingToday = -1;
    for (int month = 0; month < list.count; ++month) {
      const auto& dates = run.monthDates[static_cast<std::size_t>(month)];
      if (dates && isoDateText(dates->periodStart) <= isoDateText(today()) &&
          isoDateText(today()) <= isoDateText(dates->closingDate))
        holdingToday = month;
    }
    EXPECT_EQ(run.settings.unfinishedMonth, holdingToday);
    for (int month = 0; month < list.count; ++month) {
      SCOPED_TRACE("month " + std::to_string(month));
      const MonthCalls calls = monthCalls(run, month);
      EXPECT_EQ(parseCallList(list.months[month].callList), sumByNumber(calls));
      // Read from its bookmark, the month is call for call the month read
      // from the start of the logs.
      EXPECT_EQ(callsCsv(calls), callsCsv(monthCalls(withoutBookmarks(run), month)));
      expectWidestAreTheLongestTexts(calls);
      for (const auto& call : calls.calls) crossingCalls += crossesBandOrMidnight(call);
    }
  }
  // The cases hold calls that run into another tariff band or over midnight,
  // so their units are the rating's, not a start-band shortcut.
  EXPECT_GT(crossingCalls, 0);
  setToday(std::nullopt);
}

LocalDate monthsLater(const LocalDate& date, int months) {
  const int index = date.year * 12 + date.month - 1 + months;
  return {index / 12, index % 12 + 1, std::min(date.day, 28)};
}

// A log changed since the run (a dialler appended a call while the window
// was open): the bookmarks are not used, and the month is read again from the
// run's own start, whatever day it is now. A month the logs no longer hold
// where the run had it is refused, never listed from another month.
TEST(MonthCalls, ALogChangedSinceTheRunIsReadFromItsStart) {
  RecordingSink quiet;
  ScopedMessageSink sink(quiet);
  struct Change {
    const char* what;
    int monthsLater;  // today moved on since the run
    bool emptied;     // the logs lost every call
  };
  for (const Change& change : {Change{"a line put first", 0, false}, Change{"a billing month later", 1, false},
                               Change{"a year later", 12, false}, Change{"the logs emptied", 1, true}}) {
    for (const auto& name : goldenCases()) {
      SCOPED_TRACE(std::string(change.what) + " " + name);
      test::ScratchDir home;
      RunResult run;
      if (!runGoldenCase(name, home, run)) continue;
      std::vector<std::string> before;
      for (int month = 0; month < run.months.count; ++month)
        before.push_back(callsCsv(monthCalls(run, month)));
      // A long line that is no record put first moves every place in the logs.
      for (const auto& log : run.trail->configuration.logs) {
        const std::string path = logFilePath(home.path(), log.path);
        const std::string bytes = change.emptied ? "" : test::readFile(path);
        if (fs::exists(path))
          home.write(fs::relative(path, home.path()).string(), std::string(300, '-') + "\r\n" + bytes);
      }
      setToday(monthsLater(today(), change.monthsLater));
      for (int month = 0; month < run.months.count; ++month) {
        SCOPED_TRACE("month " + std::to_string(month));
        if (!change.emptied) {
          EXPECT_EQ(callsCsv(monthCalls(run, month)), before[static_cast<std::size_t>(month)]);
          continue;
        }
        try {
          monthCalls(run, month);
          ADD_FAILURE() << "a month the logs no longer hold was listed";
        } catch (const FatalError& error) {
          EXPECT_EQ(error.code(), kMonthNotReplayable);
        }
      }
    }
  }
  setToday(std::nullopt);
}

// A run starts from nothing: a second run into the same result, years after
// every call, leaves no month, estimate or bookmark of the first.
TEST(RunCalculation, ASecondRunIntoTheSameResultKeepsNothingOfTheFirst) {
  RecordingSink quiet;
  ScopedMessageSink sink(quiet);
  for (const auto& name : goldenCases()) {
    SCOPED_TRACE(name);
    test::ScratchDir home;
    RunResult run;
    if (!runGoldenCase(name, home, run) || run.months.count == 0) continue;
    setToday(LocalDate{2040, 1, 10});
    runCalculation({home.path(), {}}, run);
    RunResult fresh;
    runCalculation({home.path(), {}}, fresh);
    EXPECT_EQ(run.months.count, 0);
    EXPECT_EQ(run.months.estimate.amounts, fresh.months.estimate.amounts);
    EXPECT_EQ(run.months.estimateFactor, fresh.months.estimateFactor);
    ASSERT_TRUE(fresh.newestCallBeforeWindow.has_value());
    EXPECT_EQ(isoDateText(run.newestCallBeforeWindow->date), isoDateText(fresh.newestCallBeforeWindow->date));
    EXPECT_THROW(monthCalls(run, 0), FatalError);
  }
  setToday(std::nullopt);
}

TEST(MonthCalls, WidestCellsCountSignsFractionsAndMissingValues) {
  MonthCalls calls;
  for (const auto& [seconds, carrier, kddi, logged] :
       std::vector<std::tuple<int, std::optional<int>, std::optional<int>, std::optional<int>>>{
           {0, -5, std::nullopt, 0}, {9, 12345, -99, std::nullopt}, {10, std::nullopt, 1000000, -7}, {99999, 9, 5, 10}}) {
    CallLine call;
    call.seconds = seconds;
    call.carrierTenths = carrier;
    call.kddiHundredths = kddi;
    call.loggedFee = logged;
    call.band = DistanceBand::Adjacent;
    calls.calls.push_back(call);
    expectWidestAreTheLongestTexts(calls);
  }
}

}  // namespace
}  // namespace zelk
