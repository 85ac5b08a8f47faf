// Measures a whole calculation run on a large generated history against the
// time it takes merely to read the same files line by line, and splits the
// run into its phases so that one sees where the time goes without a profiler.
//
//   zelk_bench [records]     (default 200000)
//
// With ZELK_BENCH_HOME set the history is written there and kept, so that the
// output of two builds can be compared on it.
//
// Every time in the process is the median of five runs; zelk and wc -l are
// timed side by side in eleven rounds. Prints a first run (no index of the
// old records yet, one written), a run without the index (--no-index: every
// record read, nothing written) and a later one against the reading, records
// per second, the stages and phases of a first run, the peak memory, and
// `zelk --json` on the same history against `wc -l` on its logs, with what
// starting and ending a process costs each side.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/text.h"
#include "bench/bench_logs.h"
#include "logs/log_layout.h"
#include "logs/prefix_index.h"
#include "logs/record_engine.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "run/calculation.h"
#include "run/internal/log_merge.h"
#include "run/internal/old_calls_skip.h"
#include "run/internal/run_start.h"
#include "tariff/ma_data.h"
#include "tariff/charges.h"

namespace {

constexpr int kRuns = 5;

// The median of five timed runs of `work`, in seconds; `before`, untimed,
// comes before each.
double medianSeconds(const std::function<void()>& work, const std::function<void()>& before = [] {}) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    before();
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[kRuns / 2];
}

// Keep the work from being optimised away.
volatile std::int64_t chargeSink;
volatile bool nameSink;

class CountingSink : public zelk::MessageSink {
 public:
  void show(const std::string&, zelk::MessageKind) override { ++count; }
  long count = 0;
};

// The run keeps the last twelve months, the history's year 2000.
bool kept(const zelk::CalendarTime& start) { return start.year == 100; }

// Reads every record of every log as the run does: the start of each call
// first, the rest only of a call that is kept (of the others only the
// connection name); `rate` is given each kept call.
long forEachCall(const zelk::bench::GeneratedHome& home,
                 const std::function<void(zelk::CallRecord&)>& rate) {
  long calls = 0;
  std::string_view line;
  for (std::size_t i = 0; i < home.logPaths.size(); ++i) {
    zelk::LineReader reader;
    reader.open(home.logPaths[i]);
    const zelk::FormatLayout& layout = *zelk::layoutOf(home.logFormats[i]);
    zelk::CallRecord call;
    while (zelk::findRecord(layout, reader, line)) {
      zelk::parseCallStart(layout, line, call);
      zelk::normalise(call.start);
      if (kept(call.start)) {
        zelk::parseCallRest(layout, line, call);
        rate(call);
      } else {
        nameSink = zelk::recordName(layout, line).has_value();
      }
      ++calls;
    }
  }
  return calls;
}

// Adds the last whole lines of about 64 KiB of each log to its end once
// more, as a month of new calls would; `undo` cuts them off again.
void growLogs(const std::vector<std::string>& paths, bool undo) {
  static std::vector<std::uintmax_t> sizes;
  if (undo) {
    for (std::size_t i = 0; i < paths.size(); ++i) std::filesystem::resize_file(paths[i], sizes[i]);
    return;
  }
  sizes.clear();
  for (const auto& path : paths) {
    sizes.push_back(std::filesystem::file_size(path));
    std::FILE* file = std::fopen(path.c_str(), "rb+");
    const long from = static_cast<long>(std::max<std::uintmax_t>(sizes.back(), 65536) - 65536);
    std::string tail(static_cast<std::size_t>(sizes.back() - static_cast<std::uintmax_t>(from)), '\0');
    std::fseek(file, from, SEEK_SET);
    tail.resize(std::fread(tail.data(), 1, tail.size(), file));
    tail.erase(0, tail.find('\n') + 1);
    std::fseek(file, 0, SEEK_END);
    std::fwrite(tail.data(), 1, tail.size(), file);
    std::fclose(file);
  }
}

// The charges the run works out for a call of an in-area number.
void rateCall(zelk::CallRecord& call) {
  const auto band = zelk::DistanceBand::InArea;
  chargeSink = zelk::nttUnits(call.start, call.duration, band) +
         zelk::comUnits(call.start, call.duration, band) +
         zelk::localPlanUnits(call.start, call.duration);
}

double commandSeconds(const std::string& command) {
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// zelk --json on the history against wc -l on its logs, side by side: each
// round runs wc -l and then zelk three ways, so a machine that slows down or
// speeds up meanwhile moves both sides of a round's ratio; the medians of
// the rounds' times and of their ratios are reported, and the ratio of the
// round least slowed by the machine. A process that does nothing and zelk
// started and ended without reading anything are timed in the same rounds:
// the part of each side's time that is not reading at all.
struct CommandTimes {
  double wc = 0, first = 0, fromIndex = 0, noIndex = 0, idle = 0, started = 0;
  double firstRatio = 0, fromIndexRatio = 0, noIndexRatio = 0;
  double quietestFirstRatio = 0;  // the round least slowed by the machine
};

constexpr int kCommandRounds = 11;

CommandTimes commandTimes(const std::string& logs, const std::string& cli, const std::string& version,
                          const std::string& indexPath) {
  std::vector<double> wc, first, fromIndex, noIndex, idle, started, firstRatio, fromIndexRatio, noIndexRatio;
  for (int round = 0; round < kCommandRounds; ++round) {
    wc.push_back(commandSeconds("wc -l" + logs + " >/dev/null"));
    idle.push_back(commandSeconds("/bin/true"));
    started.push_back(commandSeconds(version));
    std::filesystem::remove(indexPath);
    first.push_back(commandSeconds(cli));
    fromIndex.push_back(commandSeconds(cli));
    noIndex.push_back(commandSeconds(cli + " --no-index"));
    firstRatio.push_back(first.back() / wc.back());
    fromIndexRatio.push_back(fromIndex.back() / wc.back());
    noIndexRatio.push_back(noIndex.back() / wc.back());
  }
  return {median(wc),
          median(first),
          median(fromIndex),
          median(noIndex),
          median(idle),
          median(started),
          median(firstRatio),
          median(fromIndexRatio),
          median(noIndexRatio),
          *std::min_element(firstRatio.begin(), firstRatio.end())};
}

// A run's phases up to the months kept, each timed to its end: the settings
// and the MA data read, the logs opened, and the records before the months
// kept skipped without the index.
struct FirstPhases {
  double settings = 0, skipped = 0;
};

FirstPhases firstPhases(const std::string& home) {
  FirstPhases phases;
  phases.settings = medianSeconds([&] {
    zelk::MaDataFile maData(zelk::maDataPath(home));
    zelk::readConfiguration(home, {}, maData, zelk::SettingsWrites::None);
  });
  phases.skipped = medianSeconds([&] {
    zelk::MaDataFile maData(zelk::maDataPath(home));
    const zelk::Configuration configuration = zelk::readConfiguration(home, {}, maData, zelk::SettingsWrites::None);
    const zelk::Settings& settings = configuration.settings;
    zelk::LearnedTables tables{configuration.tables};
    zelk::LogMerge merge(home, tables);
    merge.open(configuration.logs, settings.logCount);
    const auto start = zelk::startDate(zelk::today(), settings.meterDay, zelk::keptMonthsOf(settings));
    zelk::NoOldRecordsIndex none;
    zelk::skipOldCalls(merge, *start, settings.meterDay, none);
  });
  return phases;
}

void printPhase(const char* name, double seconds, double whole, const char* what) {
  std::printf("  %-16s %7.3f s  %3.0f %%  %s\n", name, seconds, 100 * seconds / whole, what);
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t records = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200000;
  const char* keptHome = std::getenv("ZELK_BENCH_HOME");
  const std::string home =
      (keptHome ? std::filesystem::path(keptHome) : std::filesystem::temp_directory_path() / "zelk-bench")
          .string() + "/";
  std::filesystem::remove_all(home);
  auto generated = zelk::bench::generateHome(home, ZELK_BENCH_MA, records, 2000);
  // A user's logs were last written well before the run: an index written
  // within the coarsest tick of a log's last change is checked by its digest
  // at the next run, which is not the case measured here.
  std::this_thread::sleep_for(std::chrono::nanoseconds(zelk::kCoarsestStampNs));
  setenv("ZELK_TODAY", "2000-12-31", 1);

  // The floor: every line of every log read once, as the run reads them.
  long lines = 0;
  const double readSeconds = medianSeconds([&] {
    lines = 0;
    std::string_view line;
    for (const auto& path : generated.logPaths) {
      zelk::LineReader reader;
      reader.open(path);
      while (reader.readLineView(line, zelk::kLogLineBuffer)) ++lines;
    }
  });
  const double parseSeconds = medianSeconds([&] { forEachCall(generated, [](auto&) {}); });
  // Rating on its own, on the kept calls held in memory: a time of its own
  // rather than the difference of two noisy ones, which can come out negative.
  std::vector<zelk::CallRecord> keptCalls;
  forEachCall(generated, [&](zelk::CallRecord& call) { keptCalls.push_back(call); });
  const double rateSeconds = medianSeconds([&] {
    for (zelk::CallRecord call : keptCalls) rateCall(call);
  });

  // A first run reads every record (the index is removed before it); a
  // later run starts from the index the first one left.
  const std::string indexPath = home + zelk::kPrefixIndexFile;
  CountingSink sink;
  int months = 0;
  long firstMessages = 0;
  enum class Index { Removed, Used, Unused };
  auto wholeRun = [&](Index index) {
    if (index == Index::Removed) std::filesystem::remove(indexPath);
    sink.count = 0;
    zelk::RunResult run;
    try {
      zelk::runCalculation({home, {}, index != Index::Unused}, run);
    } catch (const zelk::FatalError& error) {
      std::fprintf(stderr, "the run ended with exit code %d\n", error.code());
      std::exit(1);
    }
    months = run.months.count;
  };
  double firstSeconds = 0, noIndexSeconds = 0, runSeconds = 0, grownSeconds = 0;
  FirstPhases phases;
  {
    zelk::ScopedMessageSink scoped(sink);
    firstSeconds = medianSeconds([&] { wholeRun(Index::Removed); });
    firstMessages = sink.count;
    noIndexSeconds = medianSeconds([&] { wholeRun(Index::Unused); });
    if (sink.count != firstMessages) {
      std::fprintf(stderr, "a run without the index gave %ld messages, a first run %ld\n", sink.count, firstMessages);
      return 1;
    }
    phases = firstPhases(home);
    runSeconds = medianSeconds([&] { wholeRun(Index::Used); });
    // A month's calls later: the index is checked against the logs' first
    // bytes by its digests, and the new calls are read.
    bool grown = false;
    grownSeconds = medianSeconds([&] { wholeRun(Index::Used); }, [&] {
      if (grown) growLogs(generated.logPaths, true);
      growLogs(generated.logPaths, false);
      grown = true;
    });
    growLogs(generated.logPaths, true);
    wholeRun(Index::Used);
  }
  if (sink.count != firstMessages) {
    std::fprintf(stderr, "a run from the index gave %ld messages, a first run %ld\n", sink.count, firstMessages);
    return 1;
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);

  std::string logs;
  for (const auto& path : generated.logPaths) logs += " '" + path + "'";
  const std::string cli = "ZELK_HOME='" + home + "' '" ZELK_CLI "' --json >/dev/null";
  const CommandTimes command = commandTimes(logs, cli, "'" ZELK_CLI "' --version >/dev/null", indexPath);

  std::printf("records            %zu (%ld lines)\n", generated.records, lines);
  std::printf("months stored      %d, messages %ld\n", months, sink.count);
  std::printf("read lines only    %.3f s  (median of %d)\n", readSeconds, kRuns);
  std::printf("first run          %.3f s  (no index: every record read)\n", firstSeconds);
  std::printf("ratio first/read   %.2f\n", firstSeconds / readSeconds);
  std::printf("without the index  %.3f s  (--no-index: every record read, no index written)\n", noIndexSeconds);
  std::printf("ratio noindex/read %.2f\n", noIndexSeconds / readSeconds);
  std::printf("whole run          %.3f s  (from the index of an earlier run)\n", runSeconds);
  std::printf("ratio run/read     %.2f\n", runSeconds / readSeconds);
  std::printf("logs grown         %.3f s  (every log longer since the index: %.2f of the reading)\n",
              grownSeconds, grownSeconds / readSeconds);
  std::printf("records per second %.0f (first run)\n", generated.records / firstSeconds);
  std::printf("peak memory        %ld KiB\n", usage.ru_maxrss);
  // Every figure is a time measured as such, never a difference: reading and
  // parsing include what comes before them, as the run does it.
  std::printf("stages of a first run (each measured on its own, share of the first run)\n");
  printPhase("reading", readSeconds, firstSeconds, "lines of the five logs");
  printPhase("up to parsing", parseSeconds, firstSeconds,
             "reading, record tests, start fields and normalising; the rest of kept calls");
  printPhase("rating", rateSeconds, firstSeconds,
             "NTT, NTT Com and in-area plan units of the kept calls, in memory");
  printPhase("whole first run", firstSeconds, firstSeconds,
             "and settings, number lookup, merging, month closing, plan comparison");
  std::printf("phases of a run without the index (each timed from the run's start to its end)\n");
  printPhase("settings", phases.settings, noIndexSeconds, "zelk.cfg and the MA data read");
  printPhase("old calls", phases.skipped, noIndexSeconds, "and the logs opened, the records before the months kept skipped");
  printPhase("whole run", noIndexSeconds, noIndexSeconds, "and the months kept read, rated, closed and compared");
  std::printf("zelk and wc -l side by side, medians of %d rounds\n", kCommandRounds);
  std::printf("zelk --json        %.3f s  (first run %.3f s)\n", command.fromIndex, command.first);
  std::printf("wc -l              %.3f s\n", command.wc);
  std::printf("zelk --no-index    %.3f s\n", command.noIndex);
  std::printf("ratio zelk/wc      %.1f\n", command.fromIndexRatio);
  std::printf("ratio first/wc     %.2f  (--no-index %.2f; target 2.0 at 1M records, 2.5 at 200k)\n",
              command.firstRatio, command.noIndexRatio);
  std::printf("quietest round     %.2f  (first/wc in the round least slowed by the machine)\n",
              command.quietestFirstRatio);
  std::printf("a process          %.3f s  (/bin/true: started and ended, as each command above is)\n", command.idle);
  std::printf("zelk --version     %.3f s  (zelk started and ended, nothing read)\n", command.started);
  if (!keptHome) std::filesystem::remove_all(home);
  return 0;
}
