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
class QTableView;
class QTableWidget;

namespace zelk {

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
  std::string number_;
  QString csvName_;
  std::function<QString(QWidget*, const QString&)> chooseCsvPath_;
};

}  // namespace zelk
