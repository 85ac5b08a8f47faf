// Times opening the year comparison window on twelve months: building the
// window, the summary, the table and the chart, and its first paint. The
// target is under 100 ms. Runs on any Qt platform (offscreen in scripts/bench).
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "ui/qt/year_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zelk::MonthList months;
  for (int m = 0; m < 12; ++m) {
    zelk::MonthResult& month = months.months[static_cast<std::size_t>(months.count++)];
    for (std::size_t slot = 0; slot < month.amounts.values.size(); ++slot)
      month.amounts.values[slot] = static_cast<std::uint32_t>(800 + (slot * 97 + static_cast<std::size_t>(m) * 31) % 5000);
    month.title = "2000\x94\x4E" + std::to_string(m + 1) + "\x8C\x8E" "15\x93\xFA";
  }
  zelk::RunSettings settings;  // an analog line: the plans every household has
  settings.origin.prefixes = {"3"};
  settings.origin.adjacentPrefixes = {"42"};

  std::vector<double> times;
  for (int run = 0; run < 9; ++run) {
    const auto start = std::chrono::steady_clock::now();
    zelk::YearWindow window;
    window.showYear(months, settings);
    window.show();
    window.repaint();
    QApplication::processEvents();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  // The worst run is the first: it also loads the fonts.
  std::printf("year window, 12 months: median %.1f ms, worst %.1f ms (target < 100 ms)\n", times[times.size() / 2],
              times.back());
  return 0;
}
