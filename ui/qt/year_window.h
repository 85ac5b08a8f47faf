// Form10, the year comparison: the plans the main window shows ranked by
// their total over the stored months, a chart of the months, and the months
// saved as CSV. Opened from the view menu and the tool bar of the main window.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "run/run_settings.h"
#include "tariff/month_result.h"
#include "ui/model/year_summary.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace zelk {

class YearChart;

class YearWindow : public QDialog {
  Q_OBJECT
 public:
  explicit YearWindow(QWidget* parent = nullptr);
  ~YearWindow() override;

  // Fills the caption, the table and the chart from the stored months.
  void showYear(const MonthList& months, const RunSettings& settings);
  const YearSummary& summary() const { return summary_; }

  // Asks where the CSV goes, offering 年間比較.csv; an empty answer saves
  // nothing. A file dialog unless set.
  void setCsvPathChooser(std::function<QString(QWidget* parent, const QString& suggestedName)> choose);
  // Writes the CSV to the chosen file; false (after a message) when it
  // cannot be written.
  bool saveCsv();

 private:
  MonthList months_;
  RunSettings settings_;
  YearSummary summary_;
  std::function<QString(QWidget*, const QString&)> chooseCsvPath_;
  QLabel* caption_;
  QTableWidget* table_;
  YearChart* chart_;
  QPushButton* saveButton_;
};

}  // namespace zelk
