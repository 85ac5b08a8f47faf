// The bill file's cells, columns and records as carriers and spreadsheets
// write them: each table row is one way of writing a value and what it must
// read as (nothing where the cell holds no such value).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "bill/bill_columns.h"
#include "bill/bill_fields.h"
#include "bill/bill_text.h"
#include "bill/csv_records.h"
#include "support/test_support.h"

namespace zelk {
namespace {

using test::sj;

TEST(BillFields, ReadTheWaysBillsWriteThem) {
  const Moment march5 = momentOf(2001, 3, 5, 0, 0, 0);
  struct DateCase {
    std::string cell;
    std::optional<Moment> moment;  // midnight plus the time, when the cell holds one
  };
  const DateCase dates[] = {
      {"2001/03/05", march5},
      {"2001-3-5", march5},
      {"2001.03.05", march5},
      {sj("２００１年３月５日"), march5},
      {"2001/03/05 10:04:31", march5 + 36271},
      {"2001-03-05T10:04", march5 + 36240},
      {" 2001/03/05 ", march5},
      {"2001/02/29", std::nullopt},  // no such day
      {"01/03/05", std::nullopt},    // a year of two digits says no century
      {sj("小計"), std::nullopt},
      {"", std::nullopt},
      {"2001/03/05 25:00", std::nullopt},
  };
  for (const auto& row : dates) {
    SCOPED_TRACE(row.cell);
    const auto date = parseBillDate(row.cell);
    ASSERT_EQ(date.has_value(), row.moment.has_value());
    if (date) {
      EXPECT_EQ(date->midnight + date->secondOfDay.value_or(0), *row.moment);
    }
  }

  struct NumberCase {
    std::string cell;
    std::optional<int> clock, duration;
  };
  const NumberCase times[] = {
      {"10:04:31", 36271, 36271},  {"9:05", 32700, 545},        {"00:00:07", 7, 7},
      {"372", std::nullopt, 372},  {sj("372秒"), std::nullopt, 372},
      {sj("10時04分31秒"), 36271, 36271}, {sj("1時間2分3秒"), std::nullopt, 3723},
      {sj("2分"), std::nullopt, 120}, {sj("１：０２"), 3720, 62},
      {"1:60", std::nullopt, std::nullopt}, {"12:", std::nullopt, std::nullopt},
      {sj("3秒2分"), std::nullopt, std::nullopt}, {"abc", std::nullopt, std::nullopt},
      {"", std::nullopt, std::nullopt},
  };
  for (const auto& row : times) {
    SCOPED_TRACE(row.cell);
    EXPECT_EQ(parseClock(row.cell), row.clock);
    EXPECT_EQ(parseDuration(row.cell), row.duration);
  }

  struct YenCase {
    std::string cell;
    std::optional<std::int64_t> hundredths;
  };
  const YenCase yen[] = {
      {"1,234", 123400},          {sj("￥1,234"), 123400},  {"\\80", 8000},
      {sj("1234円"), 123400},     {"-30", -3000},           {"12.5", 1250},
      {"0.25", 25},               {sj("１２０円"), 12000},  {"1.234", std::nullopt},
      {"", std::nullopt},         {sj("合計"), std::nullopt}, {"12a", std::nullopt},
  };
  for (const auto& row : yen) {
    SCOPED_TRACE(row.cell);
    EXPECT_EQ(parseYen(row.cell), row.hundredths);
  }

  const std::pair<std::string, std::optional<std::string>> numbers[] = {
      {"03-5421-8800", "0354218800"},   {"(03) 5421 8800", "0354218800"},
      {sj("０３－５４２１－８８００"), "0354218800"}, {"0354218800", "0354218800"},
      {sj("メモ"), std::nullopt},       {"--", std::nullopt},
  };
  for (const auto& [cell, digits] : numbers) {
    SCOPED_TRACE(cell);
    EXPECT_EQ(normaliseNumber(cell), digits);
  }
}

TEST(BillColumns, NameVariantsFindTheirColumn) {
  const std::pair<std::string, std::optional<BillColumn>> names[] = {
      {sj("通話日"), BillColumn::Date},          {"Date", BillColumn::Date},
      {sj("通話開始時刻"), BillColumn::Start},   {"Start Time", BillColumn::Start},
      {sj("相手先番号"), BillColumn::Number},    {"called_number", BillColumn::Number},
      {sj("通話時間"), BillColumn::Duration},    {"DURATION", BillColumn::Duration},
      {sj("料金(円)"), BillColumn::Charge},      {sj("金額（税込）"), BillColumn::Charge},
      {sj("事業者"), BillColumn::Carrier},       {sj("通話種別"), BillColumn::Carrier},
      {sj("備考"), std::nullopt},                {"", std::nullopt},
  };
  for (const auto& [name, column] : names) {
    SCOPED_TRACE(name);
    const auto found = billColumnOf(name);
    EXPECT_EQ(found ? std::optional(found->column) : std::nullopt, column);
  }
  // A date column that carries the time needs no start column.
  EXPECT_TRUE(billColumnsOf({sj("通話日時"), sj("番号"), sj("時間"), sj("料金")}).missing().empty());
  EXPECT_EQ(billColumnsOf({sj("通話日"), sj("番号"), sj("時間"), sj("料金")}).missing(),
            std::vector<BillColumn>{BillColumn::Start});
}

TEST(BillRecords, QuotesSeparatorsAndLineEnds) {
  const std::string text = "a,\"b,\"\"c\"\"\",d\r\n\r\n\"x\ny\"\t,z\rlast";
  const auto records = csvRecords(text, ',');
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].fields, (std::vector<std::string>{"a", "b,\"c\"", "d"}));
  EXPECT_EQ(records[1].fields, (std::vector<std::string>{""}));
  EXPECT_EQ(records[2].line, 3);
  EXPECT_EQ(records[2].fields, (std::vector<std::string>{"x\ny\t", "z"}));
  EXPECT_EQ(records[3].line, 5);
  EXPECT_EQ(records[3].fields, (std::vector<std::string>{"last"}));

  EXPECT_EQ(csvSeparatorOf("\n\"a,b\"\tc\td\n1,2,3,4,5\n"), '\t');
  EXPECT_EQ(csvSeparatorOf("a,b\tc,d\n"), ',');
  // A CP932 trail byte never ends a field: 表 is 0x95 0x5C, ソ is 0x83 0x5C.
  EXPECT_EQ(csvRecords(sj("表,ソ") + "\n", ',')[0].fields, (std::vector<std::string>{sj("表"), sj("ソ")}));
}

TEST(BillText, EncodingIsDecidedForTheWholeFile) {
  const std::string utf8 = "通話日,料金\n2001/03/05,¥80\n";
  const struct {
    std::string bytes;
    BillEncoding encoding;
  } cases[] = {
      {"\xEF\xBB\xBF" + utf8, BillEncoding::Utf8},
      {utf8, BillEncoding::Utf8},
      {sj("通話日,料金\n2001/03/05,\\80\n"), BillEncoding::Cp932},
  };
  for (const auto& row : cases) {
    const BillText text = decodeBillText(row.bytes);
    EXPECT_EQ(text.encoding, row.encoding);
    EXPECT_EQ(text.cp932, sj("通話日,料金\n2001/03/05,\\80\n"));
  }
  // A character CP932 lacks costs that character only.
  EXPECT_EQ(decodeBillText("メモ😀,1\n").cp932, sj("メモ?,1\n"));
}

}  // namespace
}  // namespace zelk
