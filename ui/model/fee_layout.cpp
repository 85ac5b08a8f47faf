#include "ui/model/fee_layout.h"

#include <algorithm>
#include <cstdlib>

namespace zelk {
namespace {

// Heights from a window-settings file can be anything; the arithmetic stays
// in range and a row is never taller than a screen could show.
constexpr long long kTallestRow = 32767;

int clampedHeight(long long value) { return static_cast<int>(std::min(std::llabs(value), kTallestRow)); }

}  // namespace

int PointFontMetrics::fontHeight(const FontSpec& font) const {
  const long long scaled = static_cast<long long>(font.size) * dotsPerInch_;
  const long long pixels = scaled >= 0 ? (scaled + 36) / 72 : (scaled - 36) / 72;
  return static_cast<int>(std::clamp(-pixels, -kTallestRow, kTallestRow));
}

RowHeights rowHeightsFor(int mainFontHeight, int subFontHeight) {
  const long long h = mainFontHeight;
  const long long s = subFontHeight;
  return {clampedHeight(h * 7 / 5), clampedHeight(h / 5), clampedHeight(s * 7 / 5), clampedHeight(s / 5)};
}

RowHeights rowHeightsFor(const DisplayFonts& fonts, const FontMetrics& metrics) {
  return rowHeightsFor(metrics.fontHeight(fonts.main), metrics.fontHeight(fonts.sub));
}

RowWalk walkRows(const RunSettings& settings, const RowHeights& heights) {
  RowWalk walk;
  int offset = 0;
  for (std::size_t i = 0; i < kMainRowCount; ++i) {
    const MainRow& row = mainRows()[i];
    RowPlacement& place = walk.rows[i];
    place.caption = rowCaption(row, settings);
    place.height = heights.rowHeight(row.kind);
    place.labelTop = heights.labelTop(row.kind);
    if (!rowInUse(row, settings)) continue;
    place.inUse = true;
    place.rowOffset = offset;
    offset += place.height;
  }
  walk.totalHeight = offset;
  return walk;
}

namespace {

// The height taken below the fee area by the cheapest plan and the call list.
int bottomHeight(const RunSettings& settings, const RowHeights& heights) {
  int h = 0;
  if (!kHideCheapestPlan.isSet(settings)) h += heights.planHeight();
  if (!kHideCallList.isSet(settings)) h += heights.callListHeight();
  return h;
}

}  // namespace

int minimumClientHeight(const RunSettings& settings, const RowHeights& heights, int toolBarHeight) {
  return bottomHeight(settings, heights) + heights.planHeight() + toolBarHeight;
}

FeeAreaGeometry layOutFeeArea(const RunSettings& settings, const RowHeights& heights, int clientHeight,
                              int toolBarHeight) {
  FeeAreaGeometry g;
  g.clientHeight = std::max(clientHeight, minimumClientHeight(settings, heights, toolBarHeight));
  int h = 0;
  if (!kHideCheapestPlan.isSet(settings)) {
    g.planShown = true;
    g.planHeight = heights.planHeight();
    h = g.planHeight;
    g.planTop = g.clientHeight - h;
  }
  if (!kHideCallList.isSet(settings)) {
    g.callListShown = true;
    g.callListHeight = heights.callListHeight();
    h += g.callListHeight;
    g.callListTop = g.clientHeight - h;
  }
  g.feeTop = toolBarHeight;
  g.feeHeight = g.clientHeight - h - toolBarHeight;
  return g;
}

ScrollBarSetup setUpFeeScrollBar(int totalHeight, int feeHeight, int rememberedPosition, int rowHeight) {
  ScrollBarSetup bar;
  if (totalHeight < feeHeight) return bar;
  bar.enabled = true;
  bar.maximum = totalHeight - feeHeight;
  bar.position = totalHeight < rememberedPosition ? 0 : std::clamp(rememberedPosition, 0, bar.maximum);
  bar.largeChange = std::min(bar.maximum, feeHeight);
  bar.smallChange = rowHeight;
  bar.pageSize = feeHeight;
  return bar;
}

FeeAreaWidths feeAreaWidths(int clientWidth, int callListRows, const RowHeights& heights) {
  FeeAreaWidths w;
  w.feeWidth = clientWidth;
  w.rowWidth = clientWidth - kFeeScrollBarWidth;
  w.planWidth = clientWidth;
  w.callListWidth = clientWidth;
  w.callListColumnWidth = (clientWidth - 16) / 5;
  w.callListFirstColumnWidth = (clientWidth - 16) / 5 * 3;
  const long long rowsHeight = static_cast<long long>(callListRows) * heights.callListRowHeight();
  if (rowsHeight > heights.callListHeight()) w.callListFirstColumnWidth -= 20;
  return w;
}

}  // namespace zelk
