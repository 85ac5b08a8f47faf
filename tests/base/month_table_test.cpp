// Finding a number's row through the table's hash must agree with searching
// the rows one by one, month after month, whatever the month's size.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "base/month_table.h"

namespace zelk {
namespace {

TEST(MonthTable, FindsEveryRowOfMonthsLargeAndSmall) {
  std::mt19937 random(7);
  MonthTable table;
  // A busy month grows the hash; the smaller months after it reuse it.
  for (const std::size_t numbers : {5, 300, 7, 40, 1, 129, 0, 64}) {
    table.clear();
    std::set<std::string> added;
    while (added.size() < numbers) {
      const std::string number = "0" + std::to_string(random() % 100000000);
      if (!added.insert(number).second) continue;
      const std::size_t row = table.used++;
      table.rowAt(row).number = number;
      table.indexLastRow();
    }
    for (std::size_t row = 0; row < table.used; ++row)
      EXPECT_EQ(table.findRow(table.rows[row].number), static_cast<int>(row)) << numbers;
    EXPECT_EQ(table.findRow("0999999999999"), -1);
    EXPECT_EQ(table.findRow(""), -1);
  }
}

// Rows set up without indexLastRow are still found.
TEST(MonthTable, FindsRowsSetUpByHand) {
  MonthTable table;
  table.rowAt(0).number = "0312345678";
  table.rowAt(1).number = "0120123456";
  table.used = 2;
  EXPECT_EQ(table.findRow("0120123456"), 1);
  EXPECT_EQ(table.findRow("0399999999"), -1);
}

}  // namespace
}  // namespace zelk
