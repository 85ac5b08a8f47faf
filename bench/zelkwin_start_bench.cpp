// Times zelkwin's start on a large history: from the start of the process
// (the application object made) to the main window shown, as zelkwin starts,
// with the start-up window's timer of 500 ms in it. Measured for a first run
// (no index of the old records yet) and for a run from the index the first
// one left, medians of five. Runs on any Qt platform (offscreen in
// scripts/bench).
//   zelkwin_start_bench [records]   (default 1 000 000)
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>
#include <vector>

#include "app/desktop_services.h"
#include "bench_logs.h"
#include "logs/prefix_index.h"
#include "platform/messages.h"
#include "ui/qt/startup_window.h"

namespace {

using Clock = std::chrono::steady_clock;

class QuietSink : public zelk::MessageSink {
 public:
  void show(const std::string&, zelk::MessageKind) override {}
};

// Notes the moment the main window is shown and closes it once Qt is back
// in its event loop, so that the start-up sequence ends as the user's would.
class ShownClock : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && !shown) {
      shown = Clock::now();
      auto* window = static_cast<QDialog*>(watched);
      QTimer::singleShot(0, window, [window] { window->done(0); });
    }
    return false;
  }
  std::optional<Clock::time_point> shown;
};

// One start as zelkwin's main makes it, after the application object:
// seconds from `processStart` to the main window shown.
double startSeconds(const std::string& home, Clock::time_point processStart) {
  zelk::DesktopServices services(home);
  zelk::StartupWindow form0(home, {}, services);
  ShownClock clock;
  form0.mainWindow().installEventFilter(&clock);
  int exitCode = -1;
  QObject::connect(&form0, &zelk::StartupWindow::finished, [&](int code) {
    exitCode = code;
    QCoreApplication::exit(code);
  });
  form0.start();
  QApplication::exec();
  if (exitCode != 0 || !clock.shown) {
    std::fprintf(stderr, "zelkwin's start ended with exit code %d\n", exitCode);
    std::exit(1);
  }
  return std::chrono::duration<double>(*clock.shown - processStart).count();
}

double median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t records = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
  const std::string home = (std::filesystem::temp_directory_path() / "zelk-start-bench").string() + "/";
  std::filesystem::remove_all(home);
  zelk::bench::generateHome(home, ZELK_BENCH_MA, records, 2000);
  // As in zelk_bench: the logs were last written well before the start.
  std::this_thread::sleep_for(std::chrono::nanoseconds(zelk::kCoarsestStampNs));
  setenv("ZELK_TODAY", "2000-12-31", 1);

  // The application object is made once per process: its time is taken
  // once and counted in every start.
  const auto appStart = Clock::now();
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  const double appSeconds = std::chrono::duration<double>(Clock::now() - appStart).count();
  QuietSink quiet;
  zelk::ScopedMessageSink sink(quiet);

  std::vector<double> first, fromIndex;
  for (int run = 0; run < 5; ++run) {
    std::filesystem::remove(home + zelk::kPrefixIndexFile);
    first.push_back(appSeconds + startSeconds(home, Clock::now()));
    fromIndex.push_back(appSeconds + startSeconds(home, Clock::now()));
  }
  std::filesystem::remove_all(home);
  const double timer = zelk::StartupWindow::kTimerInterval / 1000.0;
  std::printf("zelkwin start, %zu records: start to main window (median of 5; the start-up timer is %.3f s)\n",
              records, timer);
  std::printf("  first run        %.3f s  (%.3f s beside the timer; target 0.2 s)\n", median(first),
              median(first) - timer);
  std::printf("  from the index   %.3f s  (%.3f s beside the timer)\n", median(fromIndex), median(fromIndex) - timer);
  std::printf("  of it, Qt's application object %.3f s\n", appSeconds);
  return 0;
}
