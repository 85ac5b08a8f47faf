#include <gtest/gtest.h>

#include "ui/model/fee_layout.h"
#include "ui/model/main_window_model.h"
#include "ui/ui_fixtures.h"

namespace zelk {
namespace {

using test::makeSettings;

// 14 and 10 points on a 96-dpi screen: font heights -19 and -13.
RowHeights defaultHeights() { return rowHeightsFor(defaultWindowSettings().fonts, PointFontMetrics(96)); }

TEST(FeeLayout, RowHeightsComeFromTheFontHeights) {
  const RowHeights h = defaultHeights();
  EXPECT_EQ(h.mainRow, 26);  // |-19 * 7 / 5|
  EXPECT_EQ(h.mainLabelTop, 3);
  EXPECT_EQ(h.subRow, 18);   // |-13 * 7 / 5|
  EXPECT_EQ(h.subLabelTop, 2);
  EXPECT_EQ(h.callListHeight(), 90);
  const RowHeights pixels = rowHeightsFor(16, 12);  // fonts given in pixels are positive
  EXPECT_EQ(pixels.mainRow, 22);
  EXPECT_EQ(pixels.subLabelTop, 2);
  FontSpec huge;
  huge.size = 2147483647;  // from a broken zelkwin.cfg
  EXPECT_GT(rowHeightsFor(PointFontMetrics().fontHeight(huge), -13).mainRow, 0);
}

TEST(FeeLayout, RowWalkStacksTheRowsInUse) {
  // Analog, nothing else: fee rows 1, 4, 11-14, 45, 46; count rows 7, 8, 15, 50, 51.
  const RowWalk walk = walkRows(RunSettings{}, defaultHeights());
  const auto offset = [&](int number) { return walk.rows[static_cast<std::size_t>(number - 1)].rowOffset; };
  EXPECT_EQ(offset(1), 0);
  EXPECT_EQ(offset(4), 26);
  EXPECT_EQ(offset(7), 52);
  EXPECT_EQ(offset(8), 70);
  EXPECT_EQ(offset(11), 88);
  EXPECT_EQ(offset(15), 192);
  EXPECT_EQ(offset(45), 210);
  EXPECT_EQ(offset(51), 280);
  EXPECT_EQ(offset(2), kRowNotInUse);
  EXPECT_EQ(walk.totalHeight, 8 * 26 + 5 * 18);
  EXPECT_EQ(walk.rows[6].height, 18);
  EXPECT_EQ(walk.rows[6].labelTop, 2);
  EXPECT_EQ(rowTop(offset(4), 20), 6);
}

TEST(FeeLayout, PanelsBelowTheRowsAndTheMinimumHeight) {
  const RowHeights h = defaultHeights();
  FeeAreaGeometry g = layOutFeeArea(RunSettings{}, h, 480);
  EXPECT_EQ(g.clientHeight, 480);
  EXPECT_TRUE(g.planShown);
  EXPECT_EQ(g.planTop, 454);
  EXPECT_TRUE(g.callListShown);
  EXPECT_EQ(g.callListTop, 364);
  EXPECT_EQ(g.feeTop, 45);
  EXPECT_EQ(g.feeHeight, 319);

  g = layOutFeeArea(RunSettings{}, h, 100);  // too low: one row stays visible
  EXPECT_EQ(g.clientHeight, 26 + 90 + 26 + 45);
  EXPECT_EQ(g.feeHeight, 26);

  const RunSettings bare = makeSettings({.hidden = {"80", "87"}});
  g = layOutFeeArea(bare, h, 480);
  EXPECT_FALSE(g.planShown);
  EXPECT_FALSE(g.callListShown);
  EXPECT_EQ(g.feeHeight, 480 - 45);
  EXPECT_EQ(minimumClientHeight(bare, h), 26 + 45);
}

TEST(FeeLayout, ScrollBarFollowsTheRowsAndTheRememberedPosition) {
  ScrollBarSetup bar = setUpFeeScrollBar(298, 319, 40, 26);
  EXPECT_FALSE(bar.enabled);

  bar = setUpFeeScrollBar(1000, 319, 40, 26);
  EXPECT_TRUE(bar.enabled);
  EXPECT_EQ(bar.maximum, 681);
  EXPECT_EQ(bar.position, 40);
  EXPECT_EQ(bar.largeChange, 319);
  EXPECT_EQ(bar.smallChange, 26);
  EXPECT_EQ(bar.pageSize, 319);

  bar = setUpFeeScrollBar(400, 319, 500, 26);  // remembered beyond the rows
  EXPECT_EQ(bar.position, 0);
  EXPECT_EQ(bar.largeChange, 81);
  EXPECT_EQ(setUpFeeScrollBar(400, 319, 390, 26).position, 81);  // never past the end
  EXPECT_EQ(setUpFeeScrollBar(400, 319, -5, 26).position, 0);
}

TEST(FeeLayout, WidthsOfRowsAndCallList) {
  const RowHeights h = defaultHeights();
  FeeAreaWidths w = feeAreaWidths(636, 5, h);
  EXPECT_EQ(w.feeWidth, 636);
  EXPECT_EQ(w.rowWidth, 620);
  EXPECT_EQ(w.callListColumnWidth, 124);
  EXPECT_EQ(w.callListFirstColumnWidth, 372);
  w = feeAreaWidths(636, 6, h);  // rows no longer fit: room for the grid's scroll bar
  EXPECT_EQ(w.callListFirstColumnWidth, 352);
  EXPECT_EQ(valueLabelLeft(620, 80), 538);
}

TEST(MainWindowModel, ResizeReturnsToTheRememberedScrollPosition) {
  // ISDN, Kyushu, Telechoice 10, every MA: far more rows than fit.
  const RunSettings s = makeSettings({test::Line::Isdn, test::Carrier::Kyushu, test::Choice::Ten, true, true, true,
                                   true, 1, false, {}});
  MonthList months;
  months.count = 1;
  MainWindowModel model(months, s, 120);
  model.applyHeights(defaultHeights());
  EXPECT_FALSE(model.layoutReady());
  model.browser().buildViewMenu();
  ResizeLayout r = model.resize(636, 480);
  EXPECT_TRUE(model.layoutReady());
  EXPECT_TRUE(r.scrollBar.enabled);
  EXPECT_EQ(r.scrollBar.position, 120);
  EXPECT_EQ(r.scrollBar.maximum, model.rows().totalHeight - r.geometry.feeHeight);
  r = model.resize(800, 700);
  EXPECT_EQ(r.scrollBar.position, 120);
  EXPECT_EQ(r.widths.rowWidth, 784);

  // Larger fonts re-lay the rows out.
  const int before = model.rows().totalHeight;
  model.applyHeights(rowHeightsFor(-24, -16));
  model.layOut(480);
  EXPECT_GT(model.rows().totalHeight, before);
}

TEST(MainWindowModel, FewRowsLeaveTheScrollBarDisabled) {
  MonthList months;
  months.count = 1;
  MainWindowModel model(months, RunSettings{}, 50);
  model.applyHeights(defaultHeights());
  EXPECT_FALSE(model.resize(636, 480).scrollBar.enabled);
}

}  // namespace
}  // namespace zelk
