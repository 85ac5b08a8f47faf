// The arithmetic of the main window's fee area: row heights from the font
// heights, the walk that gives every row in use its place, the panels below
// the rows, the scroll bar and the widths. Pixels throughout; the font
// heights come from the toolkit through FontMetrics.
#pragma once

#include <array>
#include <string>

#include "run/run_settings.h"
#include "ui/model/main_rows.h"
#include "ui/model/window_settings.h"

namespace zelk {

inline constexpr int kToolBarHeight = 45;
inline constexpr int kFeeScrollBarWidth = 16;
inline constexpr int kRowNotInUse = -10000;

// The height of a font as the toolkit reports it: negative for a font whose
// size is given in points, as the fonts of the main window are.
class FontMetrics {
 public:
  virtual ~FontMetrics() = default;
  virtual int fontHeight(const FontSpec& font) const = 0;
};

// Points at a fixed resolution: -round(size x dpi / 72).
class PointFontMetrics : public FontMetrics {
 public:
  explicit PointFontMetrics(int dotsPerInch = 96) : dotsPerInch_(dotsPerInch) {}
  int fontHeight(const FontSpec& font) const override;

 private:
  int dotsPerInch_;
};

struct RowHeights {
  int mainRow = 0;       // fee rows and the cheapest-plan panel
  int mainLabelTop = 0;
  int subRow = 0;        // count rows; also the call list's row height
  int subLabelTop = 0;

  int rowHeight(RowKind kind) const { return kind == RowKind::Fee ? mainRow : subRow; }
  int labelTop(RowKind kind) const { return kind == RowKind::Fee ? mainLabelTop : subLabelTop; }
  int planHeight() const { return mainRow; }
  int callListRowHeight() const { return subRow; }
  int callListHeight() const { return 5 * subRow; }  // header and four numbers
};

// |H x 7 / 5| and |H / 5| for the main font height H and the sub font height.
RowHeights rowHeightsFor(int mainFontHeight, int subFontHeight);
RowHeights rowHeightsFor(const DisplayFonts& fonts, const FontMetrics& metrics);

struct RowPlacement {
  bool inUse = false;
  int rowOffset = kRowNotInUse;  // position with the scroll bar at 0
  int height = 0;
  int labelTop = 0;
  std::string caption;           // CP932
};

struct RowWalk {
  std::array<RowPlacement, kMainRowCount> rows;  // in the order of mainRows()
  int totalHeight = 0;                           // height of the rows in use
};

// Gives every row in use its offset, one below the other from 0.
RowWalk walkRows(const RunSettings& settings, const RowHeights& heights);

// A row's top inside the fee area for a scroll position.
inline int rowTop(int rowOffset, int scrollPosition) { return rowOffset - scrollPosition; }

// The panels stacked below the fee area and the fee area itself.
struct FeeAreaGeometry {
  int clientHeight = 0;  // raised to the minimum when it was below it
  bool planShown = false;
  int planTop = 0;
  int planHeight = 0;
  bool callListShown = false;
  int callListTop = 0;
  int callListHeight = 0;
  int feeTop = 0;
  int feeHeight = 0;
};

// The minimum keeps one row of the fee area visible.
int minimumClientHeight(const RunSettings& settings, const RowHeights& heights, int toolBarHeight = kToolBarHeight);

FeeAreaGeometry layOutFeeArea(const RunSettings& settings, const RowHeights& heights, int clientHeight,
                              int toolBarHeight = kToolBarHeight);

struct ScrollBarSetup {
  bool enabled = false;
  int maximum = 0;
  int position = 0;
  int largeChange = 0;
  int smallChange = 0;
  int pageSize = 0;
};

// The fee scroll bar after a resize: `rememberedPosition` is the one read at
// start-up, `rowHeight` the normal-fee row's height.
ScrollBarSetup setUpFeeScrollBar(int totalHeight, int feeHeight, int rememberedPosition, int rowHeight);

struct FeeAreaWidths {
  int feeWidth = 0;
  int rowWidth = 0;    // every row panel, beside the scroll bar
  int planWidth = 0;
  int callListWidth = 0;
  int callListColumnWidth = 0;       // the default column width
  int callListFirstColumnWidth = 0;  // the number column
};

// `callListRows` counts the header row; the number column gives 20 pixels to
// the grid's scroll bar when the rows do not fit.
FeeAreaWidths feeAreaWidths(int clientWidth, int callListRows, const RowHeights& heights);

// The value label stands 2 pixels from the panel's right edge.
inline int valueLabelLeft(int panelWidth, int labelWidth) { return panelWidth - labelWidth - 2; }

}  // namespace zelk
