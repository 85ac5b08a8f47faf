// The bill check inside 通話明細: every bill row and every call not on the
// bill, coloured and labelled by class, a filter per class, the totals and
// a CSV copy of what is shown.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "bill/bill_match.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace zelk {

class BillCheckModel;
class BillCheckFilter;

class BillCheckPanel : public QWidget {
  Q_OBJECT

 public:
  explicit BillCheckPanel(QWidget* parent = nullptr);
  ~BillCheckPanel() override;

  void setCheck(BillCheck check);
  const BillCheck& check() const { return check_; }
  // Shows the rows of `kind` or hides them; the totals stay those of all rows.
  void showClass(BillClass kind, bool shown);
  // The rows shown, in the order shown, as CSV (UTF-8 with a BOM).
  std::string shownCsv() const;

 Q_SIGNALS:
  void saveRequested();  // the CSV button
  void closed();         // back to the calls

 private:
  void updateCaptions();

  BillCheck check_;
  BillCheckModel* model_;
  BillCheckFilter* filter_;
  QTableView* table_;
  QLabel* totals_;
  QLabel* verdict_;
  std::array<QCheckBox*, kBillClassCount> classBoxes_{};
};

}  // namespace zelk
