// Ma_ref: "MA参照ウインドウ", the MAs of the MA data file in a list box of four
// columns. The settings dialog shows it on a double-click in the origin and
// Telechoice edits and asks the MA list for the chosen entry's area code.
#pragma once

#include <QStringList>

#include "ui/qt/placed_dialog.h"

class QListWidget;

namespace zelk {

class MaReferenceDialog : public PlacedDialog {
  Q_OBJECT
 public:
  // Columns shown side by side, and rows shown in each of them.
  static constexpr int kColumns = 4;
  static constexpr int kVisibleRows = 12;

  explicit MaReferenceDialog(QWidget* parent = nullptr);

  // One text per MA, in the list's order (filled once at start-up). The
  // columns become as wide as the widest name; the list scrolls sideways.
  void setEntries(const QStringList& names);
  // The selected entry, -1 when none.
  int selectedIndex() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QListWidget* list_;
};

}  // namespace zelk
