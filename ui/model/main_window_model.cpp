#include "ui/model/main_window_model.h"

namespace zelk {

MainWindowModel::MainWindowModel(const MonthList& months, const RunSettings& settings, int rememberedFeeScroll)
    : browser_(months, settings), rememberedFeeScroll_(rememberedFeeScroll) {}

FeeAreaGeometry MainWindowModel::layOut(int clientHeight) {
  walk_ = walkRows(settings(), heights_);
  FeeAreaGeometry geometry = layOutFeeArea(settings(), heights_, clientHeight);
  layoutReady_ = true;
  return geometry;
}

FeeAreaWidths MainWindowModel::widths(int clientWidth) const {
  return feeAreaWidths(clientWidth, browser_.display().callListRowCount(), heights_);
}

ResizeLayout MainWindowModel::resize(int clientWidth, int clientHeight) {
  ResizeLayout result;
  result.widths = widths(clientWidth);
  result.geometry = layOut(clientHeight);
  result.scrollBar =
      setUpFeeScrollBar(walk_.totalHeight, result.geometry.feeHeight, rememberedFeeScroll_, heights_.mainRow);
  return result;
}

}  // namespace zelk
