// Over generated histories (five log formats, the -t log recording the end
// of each call): a bill written from the per-call view of a stored month,
// its rows shuffled and written in any encoding, separator and number style,
// always matches completely.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "bench/bench_logs.h"
#include "bill/bill_file.h"
#include "bill/bill_match.h"
#include "ui/model/bill_calls.h"
#include "bill_support.h"
#include "platform/clock.h"
#include "run/calculation.h"
#include "support/test_support.h"

namespace zelk {
namespace {

TEST(BillProperty, ABillWrittenFromTheCallsAlwaysMatches) {
  RecordingSink quiet;
  ScopedMessageSink sink(quiet);
  setToday(LocalDate{2000, 12, 31});
  int monthsChecked = 0;
  for (unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    test::ScratchDir home;
    bench::generateHome(home.path(), std::string(ZELK_SOURCE_DIR) + "/data/ma.zlk", 3000, 2000, seed);
    RunResult run;
    runCalculation({home.path(), {}, false, SettingsWrites::None}, run);
    std::mt19937 random(seed);
    for (int month = 0; month < run.months.count; ++month) {
      SCOPED_TRACE("month " + std::to_string(month));
      std::vector<test::BillLine> lines = test::billLinesOf(monthCalls(run, month));
      std::shuffle(lines.begin(), lines.end(), random);
      for (auto& line : lines)
        if (random() % 2) line.number = "(" + line.number.substr(0, 3) + ") " + line.number.substr(3);
      const char separator = random() % 2 ? ',' : '\t';
      const auto bytes = static_cast<test::BillBytes>(random() % 3);
      const BillCheck check =
          matchBill(readBill(test::billFileOf(lines, separator, bytes)), loggedCallsOf(monthCalls(run, month)), {});
      EXPECT_TRUE(check.totals.allMatched());
      EXPECT_EQ(check.totals.count[0], static_cast<int>(lines.size()));
      EXPECT_EQ(check.totals.bill(), check.totals.estimate());
      ++monthsChecked;
    }
  }
  EXPECT_GE(monthsChecked, 30);
  setToday(std::nullopt);
}

}  // namespace
}  // namespace zelk
