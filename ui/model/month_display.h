// What the main window shows of one month: the value labels of the rows, the
// window caption, the cheapest plan and the call list. Showing a month writes
// only the labels that belong to the settings and to the plans evaluated that
// month; every other label keeps its text. Texts are CP932.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "run/run_settings.h"
#include "tariff/month_result.h"
#include "ui/model/main_rows.h"

namespace zelk {

// "zelk for Windows Version 4.21"
std::string productTitle();

using CallListRow = std::array<std::string, 3>;  // number, target-time units, other units

// The rows of a call-list text: "%2d" count, then ",number,late,rest" per
// number. The count decides the number of rows (at most the 50 numbers a
// month can hold); fields missing from the text stay empty.
std::vector<CallListRow> parseCallList(std::string_view text);

class MonthDisplay {
 public:
  // Writes `month` as the settings of the calculation decide. A fee of 0
  // means the plan was not evaluated: its labels keep their text.
  void show(const MonthResult& month, const RunSettings& settings);

  const std::string& windowCaption() const { return windowCaption_; }
  // The value label of a row, by its index in mainRows(); empty until written.
  const std::string& value(std::size_t rowIndex) const { return values_[rowIndex]; }
  const std::array<std::string, kMainRowCount>& values() const { return values_; }
  const std::string& cheapestPlan() const { return cheapestPlan_; }
  const std::vector<CallListRow>& callList() const { return callList_; }
  // The grid's row count with its header row.
  int callListRowCount() const { return static_cast<int>(callList_.size()) + 1; }

 private:
  std::string windowCaption_;
  std::array<std::string, kMainRowCount> values_;
  std::string cheapestPlan_;
  std::vector<CallListRow> callList_;
};

// The row is written for this month under these settings.
bool rowWritten(const MainRow& row, const MonthResult& month, const RunSettings& settings);

}  // namespace zelk
