#include "ui/qt/year_chart_layout.h"

#include <algorithm>
#include <cmath>

namespace zelk {
namespace {

constexpr int kMargin = 8;
constexpr int kLegendGap = 16;
constexpr int kLabelGap = 6;
constexpr int kMinimumPlotHeight = 80;

int widest(const QFontMetrics& metrics, const QStringList& texts) {
  int width = 0;
  for (const QString& text : texts) width = std::max(width, metrics.horizontalAdvance(text));
  return width;
}

std::uint32_t scaleTopFor(std::uint32_t highest) {
  const std::uint32_t step = tickStep(highest);
  return std::max<std::uint32_t>(step, (highest + step - 1) / step * step);
}

int tickLabelWidth(const QFontMetrics& metrics, std::uint32_t highest) {
  return metrics.horizontalAdvance(yenText(scaleTopFor(highest)));
}

}  // namespace

QString yenText(std::int64_t value) { return QChar(0x00A5) + QString::number(value); }

std::uint32_t tickStep(std::uint32_t highest) {
  std::uint32_t power = 1;
  while (power <= highest / 10) power *= 10;
  for (std::uint32_t factor : {1u, 2u, 5u, 10u})
    if (highest <= power * factor * 4) return power * factor;
  return power * 10;
}

YearChartLayout layoutYearChart(const QSize& size, const QFontMetrics& metrics, const QStringList& legend,
                                const QStringList& months, std::uint32_t highest) {
  YearChartLayout layout;
  const int line = metrics.height();

  // The legend flows along the top and wraps to a new line when the next
  // item would run past the right edge.
  int x = kMargin;
  int y = 4;
  for (const QString& name : legend) {
    const int itemWidth = line + metrics.horizontalAdvance(name);
    if (x > kMargin && x + itemWidth > size.width() - kMargin) {
      x = kMargin;
      y += line + 4;
    }
    layout.legendSwatches.emplace_back(x, y + 2, line - 4, line - 4);
    layout.legendTexts.emplace_back(x + line, y, metrics.horizontalAdvance(name), line);
    x += itemWidth + kLegendGap;
  }
  const int legendBottom = y + line;

  // The value axis: its labels left of the plot, the top one half a line
  // below the legend.
  layout.scaleTop = scaleTopFor(std::max<std::uint32_t>(highest, 1));
  const int left = kMargin + tickLabelWidth(metrics, layout.scaleTop) + 4;
  const int top = legendBottom + 4 + line / 2;
  const int bottom = size.height() - line - 6;
  const int right = size.width() - kMargin;
  if (right - left < 1 || bottom - top < 1) return layout;
  layout.plot = QRect(QPoint(left, top), QPoint(right, bottom));

  const std::uint32_t step = tickStep(layout.scaleTop);
  for (std::uint32_t value = 0; value <= layout.scaleTop; value += step) {
    ChartTick tick;
    tick.value = value;
    tick.y = bottom - static_cast<int>(static_cast<double>(bottom - top) * value / layout.scaleTop);
    tick.labelRect = QRect(kMargin, tick.y - line / 2, left - 4 - kMargin, line);
    layout.ticks.push_back(tick);
  }

  // The month labels under their groups, thinned to every second, third...
  // month when they would run into each other.
  if (!months.isEmpty()) {
    const double group = static_cast<double>(layout.plot.width()) / static_cast<double>(months.size());
    const int labelWidth = widest(metrics, months) + kLabelGap;
    const auto every = static_cast<std::size_t>(std::max(1.0, std::ceil(labelWidth / std::max(group, 1.0))));
    for (std::size_t m = 0; m < static_cast<std::size_t>(months.size()); m += every) {
      const int centre = left + static_cast<int>(group * (static_cast<double>(m) + 0.5));
      const int width = metrics.horizontalAdvance(months[static_cast<int>(m)]);
      QRect rect(centre - width / 2, bottom + 2, width, line);
      // The first and the last label stay inside the chart.
      if (rect.left() < 0) rect.moveLeft(0);
      if (rect.right() >= size.width()) rect.moveRight(size.width() - 1);
      if (!layout.labels.empty() && rect.left() <= layout.labels.back().rect.right()) continue;
      layout.labels.push_back({m, rect});
    }
  }
  return layout;
}

QSize minimumYearChartSize(const QFontMetrics& metrics, const QStringList& legend, const QStringList& months,
                           std::uint32_t highest) {
  const int line = metrics.height();
  // Two legend lines: the widest item alone on a line, or the two longest side by side.
  QList<int> items;
  for (const QString& name : legend) items.push_back(line + metrics.horizontalAdvance(name));
  std::sort(items.begin(), items.end(), std::greater<>());
  int legendWidth = items.isEmpty() ? 0 : items[0];
  if (items.size() > 2) legendWidth = items[0] + kLegendGap + items[1];
  const int labelWidth = widest(metrics, months) + kLabelGap;
  const int halfTheLabels = static_cast<int>((months.size() + 1) / 2) * labelWidth;
  const int plotWidth = kMargin + tickLabelWidth(metrics, highest) + 4 + halfTheLabels + kMargin;
  const int width = std::max(legendWidth + 2 * kMargin, plotWidth);
  const int height = 4 + 2 * line + 4 + 4 + line / 2 + kMinimumPlotHeight + line + 6;
  return {width, height};
}

}  // namespace zelk
