// Measures a whole calculation run on a large generated history against the
// time it takes merely to read the same files line by line.
//
//   zelk_bench [records]     (default 200000)
//
// Prints records per second, both times, their ratio and the peak memory.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_logs.h"
#include "engine/calculation_run.h"
#include "engine/text.h"
#include "platform/messages.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class CountingSink : public zelk::MessageSink {
 public:
  void show(const std::string&) override { ++count; }
  long count = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const std::size_t records = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200000;
  const std::string home = (std::filesystem::temp_directory_path() / "zelk-bench").string() + "/";
  std::filesystem::remove_all(home);
  auto generated = zelk::bench::generateHome(home, ZELK_BENCH_MA, records, 2000);
  setenv("ZELK_TODAY", "2000-12-31", 1);

  // Baseline: every line of every log read once.
  auto readStart = std::chrono::steady_clock::now();
  long lines = 0;
  for (const auto& path : generated.logPaths) {
    zelk::LineReader reader;
    reader.open(path);
    std::string line;
    while (reader.readLine(line, 256)) ++lines;
  }
  const double readSeconds = secondsSince(readStart);

  CountingSink sink;
  zelk::ScopedMessageSink scoped(sink);
  auto runStart = std::chrono::steady_clock::now();
  zelk::CalculationRun run(home, {});
  try {
    run.run();
  } catch (const zelk::FatalError& error) {
    std::fprintf(stderr, "the run ended with exit code %d\n", error.code());
    return 1;
  }
  const double runSeconds = secondsSince(runStart);

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("records            %zu (%ld lines)\n", generated.records, lines);
  std::printf("months stored      %d, messages %ld\n", run.monthList().count, sink.count);
  std::printf("read lines only    %.3f s\n", readSeconds);
  std::printf("whole run          %.3f s\n", runSeconds);
  std::printf("ratio run/read     %.2f\n", runSeconds / readSeconds);
  std::printf("records per second %.0f\n", generated.records / runSeconds);
  std::printf("peak memory        %ld KiB\n", usage.ru_maxrss);
  std::filesystem::remove_all(home);
  return 0;
}
