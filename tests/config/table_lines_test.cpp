#include <gtest/gtest.h>

#include <optional>

#include "config_test_support.h"
#include "support/test_support.h"

namespace zelk::test {
namespace {

using Band = DistanceBand;

TEST(AreaSetLines, FlagDigitGivesTheBand) {
  struct Case {
    std::string line;
    std::optional<Band> band;  // nothing: no entry
    std::string number;
  };
  const Case cases[] = {
      {"%8=06-177", Band::Beyond170km, "06177"},
      {"%9=089-999-****", Band::Undetermined, "089999"},  // kept, never used
      {"%1=0286", Band::InArea, "0286"},
      {"%2=0285", Band::Adjacent, "0285"},
      {"%7=1", Band::Upto170km, "1"},
      {"%0=1", Band::Undetermined, "1"},
      {"%x=12", Band::Undetermined, "12"},
      {"%1=", Band::InArea, ""},
      {"#1=1", Band::InArea, "1"},
      {"#6=1", Band::Upto160km, "1"},
      {"#7=0312", Band::Beyond170km, "0312"},
      {"#8=1", Band::Undetermined, "1"},
      {"%1x12", std::nullopt, ""},
      {"%1", std::nullopt, ""},
      {"%=12", std::nullopt, ""},
      {"#7 =1", std::nullopt, ""},
  };
  for (const auto& c : cases) {
    TestConfiguration r;
    r.line(c.line);
    if (!c.band) {
      EXPECT_TRUE(r.tables.areaSet.empty()) << c.line;
      continue;
    }
    ASSERT_EQ(r.tables.areaSet.size(), 1u) << c.line;
    EXPECT_EQ(r.tables.areaSet[0].band, *c.band) << c.line;
    EXPECT_EQ(r.tables.areaSet[0].number, c.number) << c.line;
  }
}

TEST(AreaSetLines, EveryEntryIsKept) {
  TestConfiguration r;
  for (int i = 0; i < 10000; ++i) r.line("%3=" + std::to_string(100 + i));
  ASSERT_EQ(r.tables.areaSet.size(), 10000u);
  EXPECT_EQ(r.tables.areaSet[9999].number, "10099");
}

TEST(NameLines, NameAndNumber) {
  struct Case {
    std::string line;
    bool added;
    std::string name;
    std::string number;
    bool message;
  };
  const std::string name38(38, 'n');
  const Case cases[] = {
      {"$NIFTY 2          ==033200****", true, "NIFTY 2", "033200", false},
      {"$So-net==0,312", true, "So-net", "312", false},
      {"$" + name38 + "==1", true, name38, "1", false},
      {"$" + name38 + "xy==1", true, name38, "1", true},
      // Judged as written: 37 characters and three blanks are too long.
      {"$" + std::string(37, 'n') + "   ==1", true, std::string(37, 'n'), "1", true},
      {"$" + std::string(37, 'n') + sj("あ") + "==1", true, std::string(37, 'n'), "1", true},
      {"$a===5", true, "a", "5", false},
      {"$==5", true, "", "5", false},
      {"$abc", false, "", "", false},
      {"$abc=5", false, "", "", false},
  };
  for (const auto& c : cases) {
    TestConfiguration r;
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    r.line(c.line);
    ASSERT_EQ(r.tables.nameReplaceCount, c.added ? 1 : 0) << c.line;
    if (c.message)
      EXPECT_EQ(sink.messages,
                std::vector<std::string>{"cfg error : too long name\n[" + c.line + "]\n"});
    else
      EXPECT_TRUE(sink.messages.empty()) << c.line;
    if (!c.added) continue;
    EXPECT_EQ(r.tables.nameReplace[0].name, c.name) << c.line;
    EXPECT_EQ(r.tables.nameReplace[0].number, c.number) << c.line;
  }
}

TEST(NameLines, ATwentyFirstNameIsIgnoredWithoutAMessage) {
  TestConfiguration r;
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  for (int i = 0; i < 20; ++i) r.line("$n" + std::to_string(i) + "==1");
  r.line("$" + std::string(50, 'x') + "==2");
  EXPECT_EQ(r.tables.nameReplaceCount, 20);
  EXPECT_TRUE(sink.messages.empty());
}

TEST(TelehodaiLines, AcceptedInOwnOrAdjacentMa) {
  struct Case {
    std::vector<std::string> lines;
    int count;
    int adjacent;
    std::vector<std::string> numbers;
  };
  const Case cases[] = {
      {{"H=0286-11-1111"}, 1, 0, {"0286111111"}},
      {{"H=0285-1"}, 1, 1, {"02851"}},
      {{"H=1234567"}, 1, 0, {"1234567"}},  // no area code: own MA
      {{"H=0286123456789"}, 1, 0, {"02861234567"}},  // 11 digits kept
      {{"H=0286", "H=0287", "H=0285"}, 2, 0, {"0286", "0287"}},
      {{"H=06-1234"}, TelehodaiNumbers::kInvalid, 0, {}},
      {{"H=06-1234", "H=0286"}, TelehodaiNumbers::kInvalid, 0, {}},
      {{"H=0286", "H=06"}, TelehodaiNumbers::kInvalid, 0, {}},
      {{"H0286", "Hx0286"}, 0, 0, {}},
  };
  for (const auto& c : cases) {
    TestConfiguration r;
    r.line("=0286");
    for (const auto& line : c.lines) r.line(line);
    EXPECT_EQ(r.telehodai.count, c.count) << c.lines[0];
    EXPECT_EQ(r.telehodai.adjacent, c.adjacent) << c.lines[0];
    for (std::size_t i = 0; i < c.numbers.size(); ++i)
      EXPECT_EQ(r.telehodai.number[i], c.numbers[i]) << c.lines[0];
  }
}

TEST(TelehodaiLines, NeedTheOriginFirst) {
  TestConfiguration r;
  r.line("H=0286");
  r.line("=0286");
  r.line("H=0286");
  EXPECT_EQ(r.telehodai.count, TelehodaiNumbers::kInvalid);
}

TEST(NumberReplaceLines, FromAndTo) {
  struct Case {
    std::string line;
    bool added;
    std::string from;
    std::string to;
  };
  const Case cases[] = {
      {"N=0081-028-651==651-3026", true, "0081028651", "6513026"},
      {"N=0081028651==6513026", true, "0081028651", "6513026"},
      {"N===5", true, "", "5"},
      {"N=12==", true, "12", ""},
      {"N=123", false, "", ""},
      {"N=1=2", false, "", ""},
  };
  for (const auto& c : cases) {
    TestConfiguration r;
    r.line(c.line);
    ASSERT_EQ(r.tables.numberReplaceCount, c.added ? 1 : 0) << c.line;
    if (!c.added) continue;
    EXPECT_EQ(r.tables.numberReplace[0].from, c.from) << c.line;
    EXPECT_EQ(r.tables.numberReplace[0].to, c.to) << c.line;
  }
}

TEST(NumberReplaceLines, ATwentyFirstIsIgnored) {
  TestConfiguration r;
  for (int i = 0; i < 21; ++i) r.line("N=" + std::to_string(i) + "==9");
  EXPECT_EQ(r.tables.numberReplaceCount, 20);
  EXPECT_EQ(r.tables.numberReplace[19].from, "19");
}

TEST(SettingsFileLines, OtherFirstCharactersAreComments) {
  for (std::string line : {";=e", " =e", "zelk Version 4.21", "n=1==2", "h=0286", "", "\t=k"}) {
    TestConfiguration r;
    r.line(line);
    EXPECT_EQ(describe(r.settings), describe(TestConfiguration().settings)) << line;
    EXPECT_EQ(describe(r.tables), describe(ReplaceTables{})) << line;
    EXPECT_EQ(r.telehodai.count, 0) << line;
  }
}

}  // namespace
}  // namespace zelk::test
