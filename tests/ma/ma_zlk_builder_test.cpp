#include "tariff/ma_zlk_builder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "support/test_support.h"
#include "tariff/ma_data.h"

namespace zelk {
namespace {

MaSourceRow row(const char* name, int x, int y, std::vector<std::string> prefixes) {
  return {name, 1, x, y, std::move(prefixes)};
}

// 広域 has 21 prefixes; 53004 and 53014 inside its ranges belong to 穴一 and 穴二.
std::vector<MaSourceRow> crowdedTable() {
  std::vector<std::string> wide{"532", "533", "534"};
  for (int i = 0; i < 20; ++i)
    if (i != 4 && i != 14) wide.push_back(std::to_string(53000 + i));
  return {
      row("広域", 0, 0, wide),
      row("穴一", 10, 0, {"53004"}),
      row("穴二", 10, 1, {"53014"}),
      row("近所", 1, 0, {"7", "8"}),
  };
}

class MaZlkBuilderTest : public ::testing::Test {
 protected:
  MaDataFile dataOf(const std::string& file) { return MaDataFile(dir.write("ma.zlk", file)); }

  test::ScratchDir dir;
  RecordingSink messages;
  ScopedMessageSink scope{messages};
};

TEST_F(MaZlkBuilderTest, MergesOverfullMasAndPutsTheirNeighboursFirst) {
  const MaZlkBuild build = buildMaZlk(crowdedTable());
  ASSERT_EQ(build.notes.size(), 1u);
  EXPECT_EQ(build.notes[0],
            "広域: 5300 replaces 53000 53001 53002 53003 53005 53006 53007 53008 53009; "
            "it also covers 穴一 53004");

  const std::string path = dir.write("ma.zlk", build.file);
  EXPECT_EQ(loadMaList(path).names(),
            (std::vector<std::string>{test::sj("穴一"), test::sj("広域"), test::sj("穴二"),
                                      test::sj("近所")}));
  MaDataFile data(path);
  const struct {
    const char* number;
    const char* ma;
  } cases[] = {
      {"530041", "穴一"}, {"530011", "広域"}, {"530141", "穴二"},
      {"530131", "広域"}, {"5341", "広域"},  {"81", "近所"},
  };
  for (const auto& c : cases) {
    MaLookup lookup;
    data.findSingle(c.number, lookup);
    EXPECT_EQ(lookup.name, test::sj(c.ma)) << c.number;
  }
  MaLookup wide;
  EXPECT_EQ(data.findSingle("5320", wide), 13);
  EXPECT_EQ(wide.x, 300);
  EXPECT_EQ(wide.y, 300);
}

TEST_F(MaZlkBuilderTest, AdjacentMasByDistanceNearestFirstWholeMasOnly) {
  MaZlkOptions options;
  const MaZlkBuild build = buildMaZlk(crowdedTable(), options);
  MaDataFile data = dataOf(build.file);
  MaLookup lookup;
  // 穴一 at (10, 0): 近所 18 km, 広域 20 km exactly, 穴二 2 km.
  data.findSingle("53004", lookup);
  ASSERT_EQ(lookup.adjacentPrefixes.size(), 1u + 2u + 21u);
  EXPECT_EQ(lookup.adjacentPrefixes[0], "53014");
  EXPECT_EQ(lookup.adjacentPrefixes[1], "7");
  EXPECT_EQ(lookup.adjacentPrefixes[3], "532");  // the table's prefixes, not the merged ones
  // 穴二 at (10, 1) is 20.1 km from 広域.
  data.findSingle("53014", lookup);
  EXPECT_EQ(lookup.adjacentPrefixes, (std::vector<std::string>{"53004", "7", "8"}));

  options.maxAdjacent = 22;  // 広域's 21 no longer fit after 穴二 and 近所
  MaDataFile narrow = dataOf(buildMaZlk(crowdedTable(), options).file);
  narrow.findSingle("53004", lookup);
  EXPECT_EQ(lookup.adjacentPrefixes, (std::vector<std::string>{"53014", "7", "8"}));
}

TEST_F(MaZlkBuilderTest, NegativeSquaresAreShifted) {
  MaDataFile data = dataOf(buildMaZlk({row("島", -177, -227, {"9"})}).file);
  MaLookup lookup;
  data.findSingle("9", lookup);
  EXPECT_EQ(lookup.x, 123);
  EXPECT_EQ(lookup.y, 73);
  EXPECT_THROW(buildMaZlk({row("島", -301, 0, {"9"})}), std::runtime_error);
}

TEST_F(MaZlkBuilderTest, RejectsWhatTheFileCannotHold) {
  EXPECT_THROW(buildMaZlk({row("長すぎる名前の区域", 1, 1, {"9"})}), std::runtime_error);
  EXPECT_THROW(buildMaZlk({row("A", 1, 1, {"1234567"})}), std::runtime_error);
  EXPECT_THROW(buildMaZlk({row("A", 1, 1, {"12"}), row("B", 1, 1, {"12"})}), std::runtime_error);
}

TEST(MaSourceTable, ParsesRowsAndNamesBadLines) {
  const auto rows = parseMaSource(
      "ma_name\tpref_code\tpref_name\tx\ty\tprefixes\n"
      "札幌\t1\t北海道\t861\t622\t11\r\n"
      "那覇\t47\t沖縄県\t-73\t-46\t981,988,989\n");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].name, "那覇");
  EXPECT_EQ(rows[1].prefecture, 47);
  EXPECT_EQ(rows[1].x, -73);
  EXPECT_EQ(rows[1].prefixes, (std::vector<std::string>{"981", "988", "989"}));
  const char* bad[] = {
      "h\nA\t1\tP\t1\t2\n",           // a field missing
      "h\nA\t1\tP\t1x\t2\t3\n",       // not a number
      "h\nA\t1\tP\t1\t2\t3,,4\n",     // an empty prefix
      "h\nA\t1\tP\t1\t2\t3a\n",       // not digits
      "h\n\t1\tP\t1\t2\t3\n",         // no name
  };
  for (const char* text : bad) EXPECT_THROW(parseMaSource(text), std::runtime_error) << text;
}

}  // namespace
}  // namespace zelk
