// Opening 通話明細 on a busy month: the replay of the run for that month
// (from the run's bookmark of the month, and from the start of the logs as
// when a log changed since the run) and the window's table, each timed on its
// own (medians of five), on a generated history with about 10 000 calls a
// month; and a bill of the month (one row per call, shuffled) read and
// matched against the month's calls, as 請求書と照合… does.
//   calls_window_bench [records]   (default 1 200 000: ten years of 10 000 a month)
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "bench_logs.h"
#include "bill/bill_file.h"
#include "bill/bill_match.h"
#include "platform/messages.h"
#include "run/calculation.h"
#include "run/internal/run_trail.h"
#include "ui/model/bill_calls.h"
#include "ui/qt/calls_window.h"

namespace {

double secondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The median of five runs of `timedRun`, which returns the seconds it timed.
double medianOf(const std::function<double()>& timedRun) {
  std::vector<double> runs;
  for (int i = 0; i < 5; ++i) runs.push_back(timedRun());
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

class QuietSink : public zelk::MessageSink {
 public:
  void show(const std::string&, zelk::MessageKind) override {}
};

// The month's calls as a carrier's itemised bill, its rows shuffled: each
// call's date, start, number with hyphens, length and counted yen.
std::string billOf(const zelk::MonthCalls& calls) {
  std::vector<std::string> rows;
  for (const auto& call : calls.calls) {
    char row[160];
    const int yen = 10 * (call.outOfPrefecture ? call.comUnits : call.feeUnits);
    std::snprintf(row, sizeof row, "%s,%s,%s-%s,%d:%02d:%02d,\"%d\"\r\n", call.start.substr(0, 10).c_str(),
                  call.start.substr(11).c_str(), call.number.substr(0, 3).c_str(), call.number.substr(3).c_str(),
                  call.seconds / 3600, call.seconds / 60 % 60, call.seconds % 60, yen);
    rows.push_back(row);
  }
  std::shuffle(rows.begin(), rows.end(), std::mt19937(29));
  std::string bill = "date,start,number,duration,charge\r\n";
  for (const auto& row : rows) bill += row;
  return bill;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t records = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1200000;
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  const std::string home = (std::filesystem::temp_directory_path() / "zelk-calls-bench").string() + "/";
  std::filesystem::remove_all(home);
  zelk::bench::generateHome(home, ZELK_BENCH_MA, records, 2000);
  setenv("ZELK_TODAY", "2000-12-31", 1);

  QuietSink quiet;
  zelk::ScopedMessageSink sink(quiet);
  zelk::RunResult run;
  const double runSeconds = secondsOf([&] { zelk::runCalculation({home, {}}, run); });
  const int month = run.months.count - 1;

  zelk::MonthCalls calls;
  const double replaySeconds = medianOf([&] { return secondsOf([&] { calls = zelk::monthCalls(run, month); }); });
  zelk::RunResult withoutBookmarks = run;
  auto trail = std::make_shared<zelk::RunTrail>(*run.trail);
  trail->bookmarks = {};
  withoutBookmarks.trail = trail;
  const double fullReplaySeconds =
      medianOf([&] { return secondsOf([&] { zelk::monthCalls(withoutBookmarks, month); }); });
  const std::size_t count = calls.calls.size();
  // Each window gets its own copy of the calls and is closed after the clock
  // stops, as in the program, where the replay's list is moved in.
  const double windowSeconds = medianOf([&] {
    zelk::MonthCalls copy = calls;
    std::unique_ptr<zelk::CallsWindow> window;
    const double seconds = secondsOf([&] {
      window = std::make_unique<zelk::CallsWindow>(std::move(copy), run.months.months[month].title);
      window->showNumber("");  // as the view menu opens it
      window->show();
      QApplication::processEvents();
    });
    return seconds;
  });
  const std::string billBytes = billOf(calls);
  zelk::BillFile bill;
  const double billReadSeconds = medianOf([&] { return secondsOf([&] { bill = zelk::readBill(billBytes); }); });
  const std::vector<zelk::LoggedCall> logged = zelk::loggedCallsOf(calls);
  zelk::BillCheck check;
  const double matchSeconds = medianOf([&] {
    zelk::BillFile copy = bill;
    std::vector<zelk::LoggedCall> loggedCopy = logged;
    return secondsOf([&] { check = zelk::matchBill(std::move(copy), std::move(loggedCopy), {}); });
  });
  std::filesystem::remove_all(home);
  std::printf("records            %zu\n", records);
  std::printf("whole run          %.3f s\n", runSeconds);
  std::printf("calls of the month %zu\n", count);
  std::printf("replay of month    %.3f s  (from its bookmark: reads and rates the month alone)\n", replaySeconds);
  std::printf("  from the start   %.3f s  (a log changed since the run: reads the logs up to the month)\n",
              fullReplaySeconds);
  std::printf("window with table  %.3f s\n", windowSeconds);
  std::printf("opening in all     %.3f s\n", replaySeconds + windowSeconds);
  std::printf("bill rows          %zu (%zu bytes), matched %d of them\n", bill.rows.size(), billBytes.size(),
              check.totals.count[0]);
  std::printf("bill read          %.3f s  (decoding, CSV, header, cells)\n", billReadSeconds);
  std::printf("bill matched       %.3f s  (rows against the month's calls)\n", matchSeconds);
  return 0;
}
