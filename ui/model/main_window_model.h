// The main window without its toolkit: the rows in use and where they stand,
// the panels below them, the scroll bar, the widths, and the month shown.
// The window calls it on start-up, on every resize and after a font change,
// and places its widgets from the answers.
#pragma once

#include "run/run_settings.h"
#include "tariff/month_result.h"
#include "ui/model/fee_layout.h"
#include "ui/model/month_browser.h"

namespace zelk {

struct ResizeLayout {
  FeeAreaWidths widths;
  FeeAreaGeometry geometry;
  ScrollBarSetup scrollBar;
};

class MainWindowModel {
 public:
  // `rememberedFeeScroll` is the fee scroll position read from zelkwin.cfg;
  // every resize returns to it.
  MainWindowModel(const MonthList& months, const RunSettings& settings, int rememberedFeeScroll);

  // The row heights from the fonts (start-up and after a font change).
  void applyHeights(const RowHeights& heights) { heights_ = heights; }
  const RowHeights& heights() const { return heights_; }

  // The row walk and the panels below the fee area for a client height;
  // marks the layout ready.
  FeeAreaGeometry layOut(int clientHeight);
  bool layoutReady() const { return layoutReady_; }
  const RowWalk& rows() const { return walk_; }

  FeeAreaWidths widths(int clientWidth) const;

  // Widths, layout and scroll bar for a new client size.
  ResizeLayout resize(int clientWidth, int clientHeight);

  MonthBrowser& browser() { return browser_; }
  const MonthBrowser& browser() const { return browser_; }
  const RunSettings& settings() const { return browser_.settings(); }

 private:
  MonthBrowser browser_;
  int rememberedFeeScroll_;
  RowHeights heights_;
  RowWalk walk_;
  bool layoutReady_ = false;
};

}  // namespace zelk
