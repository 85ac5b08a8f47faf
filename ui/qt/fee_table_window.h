// Form8: the band of a number that the program cannot place by itself, with
// each carrier's rates beside the choice. The caller sets the caption to the
// number, preselects a band, shows it modally and reads the band back.
#pragma once

#include <optional>

#include "base/distance_band.h"
#include "ui/qt/placed_dialog.h"

class QPlainTextEdit;
class QTabBar;
class QTableWidget;

namespace zelk {

class RadioGroup;

class FeeTableWindow : public PlacedDialog {
  Q_OBJECT
 public:
  explicit FeeTableWindow(QWidget* parent = nullptr);

  // Selects the band's item; a band without an item (21) leaves the choice as
  // it stands.
  void preselect(DistanceBand band);
  // The band of the selected item; none when no item is selected.
  std::optional<DistanceBand> chosenBand() const;

  // Fills the legend and the 24 rate cells of a tab.
  void showTab(int tab);

  // Shows the window for `number` with `band` preselected; the chosen band on
  // "設定", none on "取り消し".
  std::optional<DistanceBand> askBand(const QString& number, DistanceBand band);

 private:
  RadioGroup* bands_;
  QTabBar* tabs_;
  QPlainTextEdit* legend_;
  QTableWidget* grid_;
};

}  // namespace zelk
