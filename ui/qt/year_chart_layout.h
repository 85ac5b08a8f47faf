// Where the year chart draws its parts for a given size and font: the
// legend, the value axis with its yen ticks, the plot and the month labels.
// Kept apart from the painting so that a narrow window can be checked for
// overlapping texts without looking at pixels.
#pragma once

#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace zelk {

struct ChartTick {
  std::uint32_t value = 0;
  int y = 0;          // the plot line the value lies on
  QRect labelRect;    // "¥1000", right-aligned left of the plot
};

struct ChartLabel {
  std::size_t month = 0;  // index into the months
  QRect rect;
};

struct YearChartLayout {
  std::vector<QRect> legendSwatches;  // one per series
  std::vector<QRect> legendTexts;
  QRect plot;                         // empty when the area is too small
  std::uint32_t scaleTop = 1;         // the value at the plot's top edge
  std::vector<ChartTick> ticks;
  std::vector<ChartLabel> labels;     // the months that get a label: all, or every second, third...
};

// The tick spacing for values up to `highest`: 1, 2 or 5 times a power of
// ten, some four steps to the top.
std::uint32_t tickStep(std::uint32_t highest);

// `legend` holds the series' names, `months` the label of each month.
YearChartLayout layoutYearChart(const QSize& size, const QFontMetrics& metrics, const QStringList& legend,
                                const QStringList& months, std::uint32_t highest);

// The smallest size at which the legend fits in two lines and every second
// month keeps its label.
QSize minimumYearChartSize(const QFontMetrics& metrics, const QStringList& legend, const QStringList& months,
                           std::uint32_t highest);

QString yenText(std::int64_t value);

}  // namespace zelk
