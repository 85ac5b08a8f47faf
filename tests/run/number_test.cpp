#include "base/ma_geography.h"
#include "run/number.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "support/test_support.h"
#include "tariff/ma_data.h"

namespace zelk {
namespace {

using test::sj;

// 中央 is the own MA; 横浜 lies exactly 30 km away, 遠方 exactly 170 km, 島
// about 170.01 km. 遠方's "6" comes first and takes every number beginning 06.
std::string sampleFile() {
  return test::crlfLines({
      std::string(kMaIdentificationLine), std::string(kMaVersionLine),
      "#####", sj("中央") + "\t13\t100\t100", "1", "3", "#", "1", "44",
      "#####", sj("川崎") + "\t14\t110\t100", "1", "44", "#", "1", "3",
      "#####", sj("横浜") + "\t14\t115\t100", "1", "45", "#", "0",
      "#####", sj("遠方") + "\t27\t185\t100", "1", "6", "#", "0",
      "#####", sj("島") + "\t47\t185\t101", "1", "7", "#", "0",
      "#####", sj("後") + "\t27\t100\t101", "1", "61", "#", "0",
      "#####", "end",
  });
}

std::string notFound(const std::string& number) {
  return sj("なんか、該当dataがないのぉ(:_;)") + "[0" + number + "]";
}

std::string setThisNumber(const std::string& number) {
  return sj("この[") + number + sj("]って番号をzelk.cfgでセットしてね\n");
}

class NumberTest : public ::testing::Test {
 protected:
  NumberTest() : data(dir.write("ma.zlk", sampleFile())) {}

  void setOrigin(const char* numberWithoutZero) {
    ASSERT_NE(data.findSingle(numberWithoutZero, origin), 0);
  }

  int resolve(const std::string& number) {
    CallRecord call;
    call.number = number;
    return resolveRow(call, context);
  }

  const NumberTotals& row(int index) const { return table.rows[static_cast<std::size_t>(index)]; }

  // A new billing month: the rows go, the area set stays.
  void nextMonth() {
    table.clear();
  }

  test::ScratchDir dir;
  MaDataFile data;
  RecordingSink messages;
  ScopedMessageSink scope{messages};
  MonthTable table;
  bool tablesGrew = false;
  ReplaceTables tables;
  MaLookup origin;
  MaLookup called;
  RowContext context{table, tables, tablesGrew, origin, called, data};
};

TEST(DistanceBand, BoundsBelongToTheNearerBand) {
  const struct {
    int dx, dy;
    DistanceBand band;
  } cases[] = {
      {0, 0, DistanceBand::Upto30km},    {15, 0, DistanceBand::Upto30km},
      {15, 1, DistanceBand::Upto60km},   {0, -30, DistanceBand::Upto60km},
      {30, 1, DistanceBand::Upto100km},  {-50, 0, DistanceBand::Upto100km},
      {50, 1, DistanceBand::Upto160km},  {80, 0, DistanceBand::Upto160km},
      {80, 1, DistanceBand::Upto170km},  {85, 0, DistanceBand::Upto170km},
      {85, 1, DistanceBand::Beyond170km}, {2000000000, -2000000000, DistanceBand::Beyond170km},
  };
  for (const auto& c : cases) {
    MaLookup called;
    called.name = "M";
    called.x = 400 + c.dx;
    called.y = 300 + c.dy;
    EXPECT_EQ(distanceBand(called, 400, 300), c.band) << c.dx << "," << c.dy;
  }
  MaLookup unknown;
  unknown.x = 400;
  unknown.y = 300;
  EXPECT_EQ(distanceBand(unknown, 400, 300), DistanceBand::UnknownDistance);
}

TEST_F(NumberTest, NewRowsGetBandAndPrefectureFlag) {
  setOrigin("3");
  const struct {
    const char* number;
    DistanceBand band;
    int outOfPrefecture;
    bool inAreaSet;
  } cases[] = {
      {"0312345678", DistanceBand::InArea, 0, false},
      {"0441234567", DistanceBand::Adjacent, 1, false},
      {"0451234567", DistanceBand::Upto30km, 1, true},
      {"0612345678", DistanceBand::Upto170km, 1, true},  // 遠方, not 後
      {"0712345678", DistanceBand::Beyond170km, 1, true},
  };
  for (const auto& c : cases) {
    const std::size_t areaSetBefore = tables.areaSet.size();
    const int index = resolve(c.number);
    EXPECT_EQ(row(index).number, c.number);
    EXPECT_EQ(row(index).band, c.band) << c.number;
    EXPECT_EQ(row(index).outOfPrefecture, c.outOfPrefecture) << c.number;
    ASSERT_EQ(tables.areaSet.size() - areaSetBefore, c.inAreaSet ? 1u : 0u) << c.number;
    if (c.inAreaSet) {
      EXPECT_EQ(tables.areaSet[areaSetBefore].number, c.number);
      EXPECT_EQ(tables.areaSet[areaSetBefore].band, c.band);
    }
  }
  EXPECT_EQ(table.used, 5u);
  EXPECT_FALSE(tablesGrew);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(NumberTest, KnownNumbersKeepTheirRow) {
  setOrigin("3");
  EXPECT_EQ(resolve("0312"), 0);
  EXPECT_EQ(resolve("0451"), 1);
  EXPECT_EQ(resolve("0312"), 0);
  EXPECT_EQ(resolve("0451"), 1);
  EXPECT_EQ(table.used, 2u);
  EXPECT_EQ(tables.areaSet.size(), 1u);
}

TEST_F(NumberTest, NumberWithoutLeadingZeroIsInAreaButSearched) {
  setOrigin("3");
  const int index = resolve("1234567");
  EXPECT_EQ(row(index).band, DistanceBand::InArea);
  EXPECT_EQ(row(index).outOfPrefecture, 1);
  EXPECT_EQ(messages.messages, (std::vector<std::string>{notFound("234567")}));
  EXPECT_TRUE(tables.areaSet.empty());

  // A number whose rest is a known prefix takes that MA's prefecture.
  EXPECT_EQ(row(resolve("7312")).outOfPrefecture, 0);
  EXPECT_EQ(row(resolve("")).band, DistanceBand::InArea);
}

TEST_F(NumberTest, WithoutOriginNumbersAreMeasuredFromZero) {
  const int index = resolve("0312");
  // 中央 at (100, 100) is 282.8 km from (0, 0).
  EXPECT_EQ(row(index).band, DistanceBand::Beyond170km);
  EXPECT_EQ(row(index).outOfPrefecture, 1);
  EXPECT_EQ(row(resolve("1234")).band, DistanceBand::InArea);
}

TEST_F(NumberTest, ReplacementIntoAnExistingRow) {
  setOrigin("3");
  tables.numberReplace[0] = {"0120111", "0451234"};
  tables.numberReplace[1] = {"0120111", "0612345"};  // only the first match counts
  tables.numberReplace[2] = {"0120222", "0312999"};
  tables.numberReplaceCount = 3;
  ASSERT_EQ(resolve("0451234"), 0);

  CallRecord call;
  call.number = "0120111";
  EXPECT_EQ(resolveRow(call, context), 0);
  EXPECT_EQ(call.number, "0451234");
  EXPECT_EQ(table.used, 1u);

  call.number = "0120222";
  EXPECT_EQ(resolveRow(call, context), 1);
  EXPECT_EQ(call.number, "0312999");
  EXPECT_EQ(row(1).number, "0312999");
  EXPECT_EQ(row(1).band, DistanceBand::InArea);

  // A replacement is not replaced again.
  tables.numberReplace[3] = {"0312999", "0451234"};
  tables.numberReplaceCount = 4;
  call.number = "0120222";
  EXPECT_EQ(resolveRow(call, context), 1);
}

TEST_F(NumberTest, AreaSetGivesTheBandAndSkipsEntriesWithoutOne) {
  setOrigin("3");
  tables.areaSet = {{"0451234", DistanceBand::Undetermined},
                    {"0451234", DistanceBand::Upto100km},
                    {"0312", DistanceBand::Upto160km},  // own MA wins
                    {"0459999", DistanceBand::Undetermined}};
  EXPECT_EQ(row(resolve("0451234")).band, DistanceBand::Upto100km);
  EXPECT_EQ(row(resolve("0312")).band, DistanceBand::InArea);
  EXPECT_EQ(tables.areaSet.size(), 4u);

  EXPECT_EQ(row(resolve("0459999")).band, DistanceBand::Upto30km);
  ASSERT_EQ(tables.areaSet.size(), 5u);
  nextMonth();
  EXPECT_EQ(row(resolve("0459999")).band, DistanceBand::Upto30km);
  EXPECT_EQ(tables.areaSet.size(), 5u);  // the new entry is found, the empty one ignored
}

TEST_F(NumberTest, UnknownNumbersGrowTheAreaSetOnce) {
  setOrigin("3");
  EXPECT_EQ(row(resolve("0812345")).band, DistanceBand::Beyond170km);
  EXPECT_EQ(messages.messages,
            (std::vector<std::string>{notFound("812345"), setThisNumber("0812345")}));
  ASSERT_EQ(tables.areaSet.size(), 1u);
  EXPECT_EQ(tables.areaSet[0].number, "0812345");
  EXPECT_EQ(tables.areaSet[0].band, DistanceBand::Beyond170km);
  EXPECT_TRUE(tablesGrew);

  messages.messages.clear();
  resolve("0812345");  // same month: the row is known
  EXPECT_TRUE(messages.messages.empty());

  nextMonth();
  EXPECT_EQ(row(resolve("0812345")).band, DistanceBand::Beyond170km);
  EXPECT_EQ(messages.messages, (std::vector<std::string>{notFound("812345")}));
  EXPECT_EQ(tables.areaSet.size(), 1u);
}

TEST_F(NumberTest, ConnectionNameWithoutNumberIsNotAskedFor) {
  setOrigin("3");
  EXPECT_EQ(row(resolve("0999")).band, DistanceBand::Beyond170km);
  EXPECT_EQ(messages.messages, (std::vector<std::string>{notFound("999")}));
  ASSERT_EQ(tables.areaSet.size(), 1u);
  EXPECT_EQ(tables.areaSet[0].number, "0999");
  EXPECT_EQ(tables.areaSet[0].band, DistanceBand::Beyond170km);
  EXPECT_TRUE(tablesGrew);
}

TEST_F(NumberTest, NeitherTheMonthNorTheAreaSetHasACapacity) {
  setOrigin("3");
  for (int i = 0; i < 50; ++i) tables.areaSet.push_back({"0451" + std::to_string(i), DistanceBand::Upto30km});
  for (int i = 0; i < 120; ++i) EXPECT_EQ(resolve("0612" + std::to_string(1000 + i)), i);
  EXPECT_EQ(resolve("06121000"), 0);
  EXPECT_EQ(table.used, 120u);
  ASSERT_EQ(tables.areaSet.size(), 170u);
  EXPECT_EQ(tables.areaSet.back().number, "06121119");
  nextMonth();  // the rows are reused, the area set answers
  EXPECT_EQ(row(resolve("06121119")).band, tables.areaSet.back().band);
  EXPECT_EQ(tables.areaSet.size(), 170u);
}

TEST_F(NumberTest, TelechoiceAreas) {
  const struct {
    const char* what;
    int kind;
    std::uint8_t isdn;
    const char* text;
    std::vector<std::string> areas;
    int notFoundMessages;
  } cases[] = {
      {"Telechoice 10 takes two", 1, 0, "1003,044,045", {"3", "44"}, 0},
      {"ISDN doubles", 1, 1, "10,03,,099,06,07", {"3", "6", "7"}, 1},
      {"an unknown code uses up an area", 1, 0, "10099,045,06", {"45"}, 1},
      {"Telechoice 30 takes one", 3, 0, "3006,03", {"6"}, 0},
      {"Telechoice 15 takes five", 2, 0, "1503,044,045,06,07,061", {"3", "44", "45", "6", "7"}, 0},
      {"no plan", 0, 0, "1503", {}, 0},
      {"no list", 2, 0, "15", {}, 0},
      {"only commas", 2, 0, "15,,,", {}, 0},
  };
  for (const auto& c : cases) {
    messages.messages.clear();
    Settings s;
    s.telechoiceKind = static_cast<TelechoiceKind>(c.kind);
    s.isdn = c.isdn;
    s.telechoiceText = c.text;
    MaLookup own;
    ASSERT_EQ(data.findSingle("3", own), 1);
    registerTelechoiceAreas(s, own, data);
    EXPECT_EQ(own.areaList, c.areas) << c.what;
    EXPECT_EQ(static_cast<int>(messages.messages.size()), c.notFoundMessages) << c.what;
    EXPECT_EQ(own.name, sj("中央")) << c.what;
  }
}

TEST(TelechoiceTarget, NeedsTheLeadingZero) {
  MaLookup origin;
  origin.areaList = {"45", "6"};
  EXPECT_TRUE(isTelechoiceTarget("0451234", origin));
  EXPECT_TRUE(isTelechoiceTarget("06", origin));
  EXPECT_FALSE(isTelechoiceTarget("451234", origin));
  EXPECT_FALSE(isTelechoiceTarget("0441234", origin));
  EXPECT_FALSE(isTelechoiceTarget("", origin));
}

}  // namespace
}  // namespace zelk
