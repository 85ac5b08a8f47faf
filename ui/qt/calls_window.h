// 通話明細: the calls of one stored month, one row each, with what each
// carrier charges, a totals row and a CSV copy, to hold against the bill.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "ui/model/month_calls.h"

class QLabel;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTableWidget;

namespace zelk {

class BillCheckPanel;
class CallsProxyModel;
class CallsTableModel;

class CallsWindow : public QDialog {
  Q_OBJECT

 public:
  // `title` is the month's title (CP932).
  CallsWindow(MonthCalls calls, const std::string& title, QWidget* parent = nullptr);
  ~CallsWindow() override;

  // Shows only the calls to `number` ("" for all); the totals follow.
  void showNumber(const std::string& number);
  const std::string& shownNumber() const { return number_; }
  // The file name the CSV dialog suggests: 通話明細-2001-03.csv.
  const QString& suggestedCsvName() const { return csvName_; }
  // The calls shown, in the order shown, as CSV (UTF-8 with a BOM).
  std::string shownCsv() const;
  // The CSV button asks for the file with this, offering suggestedCsvName();
  // empty answer: nothing saved.
  void setCsvPathChooser(std::function<QString(QWidget* parent, const QString& suggestedName)> choose) {
    chooseCsvPath_ = std::move(choose);
  }
  // Writes shownCsv() to `path`; false (and a message) when it cannot.
  bool saveCsv(const QString& path);

  // 請求書と照合…: the bill at `path` against the month's calls, shown in
  // this window in place of the calls; false (and the bill's message) when
  // it cannot be read. Its folder becomes the one the next dialog opens.
  bool checkBill(const QString& path);
  bool showsBillCheck() const;
  BillCheckPanel* billCheckPanel() const { return billPanel_; }
  void showCalls();
  // The bill button asks for the file with this, starting in `folder`; empty
  // answer: nothing checked.
  void setBillPathChooser(std::function<QString(QWidget* parent, const QString& folder)> choose) {
    chooseBillPath_ = std::move(choose);
  }
  // The folder the bill dialog starts in, and who keeps it when it changes.
  void setBillFolder(const QString& folder, std::function<void(const QString&)> keep = {}) {
    billFolder_ = folder;
    keepBillFolder_ = std::move(keep);
  }
  const QString& billFolder() const { return billFolder_; }

 private:
  MonthCalls shownCalls() const;
  void updateTotals();
  void hideEmptyColumns(const WidestCells& widest);
  void fitColumnsToTotals();

  MonthCalls calls_;
  CallsTableModel* model_;
  CallsProxyModel* proxy_;
  QTableView* table_;
  QTableWidget* totals_;
  QLabel* caption_;
  QPushButton* allCallsButton_;
  QPushButton* csvButton_;
  QPushButton* billButton_;
  QStackedWidget* pages_;
  BillCheckPanel* billPanel_;
  std::string number_;
  QString csvName_;
  QString billFolder_;
  std::function<QString(QWidget*, const QString&)> chooseCsvPath_;
  std::function<QString(QWidget*, const QString&)> chooseBillPath_;
  std::function<void(const QString&)> keepBillFolder_;
};

}  // namespace zelk
