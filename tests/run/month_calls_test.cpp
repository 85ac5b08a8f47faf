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
#include "run/calculation_run.h"
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

TEST(MonthCalls, AddUpToEveryMonthOfEveryGoldenCase) {
  int crossingCalls = 0;
  for (const auto& name : goldenCases()) {
    SCOPED_TRACE(name);
    const std::string caseDir = std::string(ZELK_TEST_DATA) + "/golden/" + name;
    const auto scenario = nlohmann::json::parse(test::readFile(caseDir + "/scenario.json"));
    test::ScratchDir home;
    fs::copy(caseDir, home.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    std::string ma = test::readFile(home.path() + "ma.zlk");
    home.write("ma.zlk", std::string(kMaIdentificationLine) + ma.substr(ma.find('\n')));
    std::vector<std::string> lines;
    for (const auto& arg : scenario["args"]) lines.push_back(arg.get<std::string>());
    setToday(*parseIsoDate(scenario["today"].get<std::string>()));

    RecordingSink quiet;
    ScopedMessageSink sink(quiet);
    CalculationRun run(home.path(), lines);
    try {
      run.run();
    } catch (const FatalError&) {
      continue;  // a fatal run shows no month
    }
    const MonthList& list = run.monthList();
    for (int month = 0; month < list.count; ++month) {
      SCOPED_TRACE("month " + std::to_string(month));
      const MonthCalls calls = monthCalls(run.inputs(), month);
      EXPECT_EQ(parseCallList(list.months[month].callList), sumByNumber(calls));
      expectWidestAreTheLongestTexts(calls);
      for (const auto& call : calls.calls) crossingCalls += crossesBandOrMidnight(call);
    }
  }
  // The cases hold calls that run into another tariff band or over midnight,
  // so their units are the rating's, not a start-band shortcut.
  EXPECT_GT(crossingCalls, 0);
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
