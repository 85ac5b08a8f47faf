// Connection names and the name table.
#include "logs/name_table.h"

#include <gtest/gtest.h>

#include "log_test_support.h"
#include "platform/messages.h"
#include "support/test_support.h"

namespace zelk {
namespace {

using test::sj;

std::string unknownNameMessage(const std::string& cp932Name) {
  return sj("この[") + cp932Name +
         sj("]って所の番号を[0990]、170km以上として[zelk.cfg]"
            "に登録します。必要なら変更してください\n");
}

struct NameTable : ::testing::Test {
  RecordingSink sink;
  ScopedMessageSink scope{sink};
  ReplaceTables tables = test::namesTable({{"NIFTY 2", "0312345678"}, {"OCN", "0698765432"}});
  bool learned = false;

  std::string lookup(const std::string& name) { return lookupName(name, tables, learned); }
};

TEST_F(NameTable, KnownNamesMatchWithoutTheirTrailingBlanks) {
  EXPECT_EQ(lookup("NIFTY 2"), "0312345678");
  EXPECT_EQ(lookup("NIFTY 2    "), "0312345678");
  EXPECT_EQ(lookup("OCN"), "0698765432");
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_FALSE(learned);
  // Only spaces are blanks, and the comparison is exact.
  EXPECT_EQ(lookup("NIFTY 2\t"), "0999");
  EXPECT_EQ(lookup("nifty 2"), "0999");
}

TEST_F(NameTable, ANewNameIsAddedOnceWithOneMessage) {
  const std::string name = sj("大学ラボ");
  EXPECT_EQ(lookup(name + "  "), "0999");
  EXPECT_EQ(lookup(name), "0999");
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0], unknownNameMessage(name));
  ASSERT_EQ(tables.nameReplaceCount, 3);
  EXPECT_EQ(tables.nameReplace[2].name, name);
  EXPECT_EQ(tables.nameReplace[2].number, "0999");
  EXPECT_TRUE(learned);
}

TEST_F(NameTable, AFullTableAddsNothingAndWarnsEveryTime) {
  for (int i = tables.nameReplaceCount; i < 20; ++i)
    tables.nameReplace[i] = {"01", "HOST" + std::to_string(i)};
  tables.nameReplaceCount = 20;
  EXPECT_EQ(lookup("NEWNET"), "0999");
  EXPECT_EQ(lookup("NEWNET"), "0999");
  EXPECT_EQ(sink.messages.size(), 2u);
  EXPECT_EQ(tables.nameReplaceCount, 20);
  EXPECT_FALSE(learned);
  EXPECT_EQ(lookup("HOST19"), "01");
}

TEST_F(NameTable, LongNamesAreKeptAsTheirFirst38Bytes) {
  struct Case {
    std::string name;
    std::string key;
  };
  const std::string ascii37(37, 'a');
  const Case cases[] = {
      // 45 bytes: the first 38 are stored.
      {std::string(38, 'b') + "1234567", std::string(38, 'b')},
      // A double-byte character across bytes 37-38 is left out whole.
      {ascii37 + sj("あいう"), ascii37},
      // Blanks before the cut are removed again.
      {std::string(30, 'c') + "        " + "TAIL", std::string(30, 'c')},
      // Exactly 38 bytes are kept whole.
      {std::string(38, 'd'), std::string(38, 'd')},
  };
  for (const Case& c : cases) {
    sink.messages.clear();
    EXPECT_EQ(lookup(c.name), "0999");
    EXPECT_EQ(tables.nameReplace[tables.nameReplaceCount - 1].name, c.key);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], unknownNameMessage(c.name));  // the whole name
    // The same long name later finds its entry.
    const int count = tables.nameReplaceCount;
    EXPECT_EQ(lookup(c.name), "0999");
    EXPECT_EQ(tables.nameReplaceCount, count);
    EXPECT_EQ(sink.messages.size(), 1u);
  }
}

TEST_F(NameTable, AnEntryOf38BytesServesLongerNamesThatBeginWithIt) {
  tables.nameReplace[tables.nameReplaceCount++] = {"0455551111", std::string(38, 'L')};
  EXPECT_EQ(lookup(std::string(38, 'L') + "-second-line"), "0455551111");
  EXPECT_TRUE(sink.messages.empty());
}

TEST(NameTableInLogs, ANameMetTwiceGivesOneMessage) {
  auto log = test::readAllCalls(LogFormat::C,
                                test::crlfLines({
                                    "2000/04/05 09:15:30 00:03:00   120  : BIGLOBE   ",
                                    "2000/04/06 09:15:30 00:03:00   120  : BIGLOBE",
                                    "2000/04/07 09:15:30 00:03:00   120  : OCN",
                                }),
                                test::namesTable({{"OCN", "0698765432"}}));
  ASSERT_EQ(log.calls.size(), 3u);
  EXPECT_EQ(log.calls[0].number, "0999");
  EXPECT_EQ(log.calls[1].number, "0999");
  EXPECT_EQ(log.calls[2].number, "0698765432");
  EXPECT_EQ(log.messages, std::vector<std::string>{unknownNameMessage("BIGLOBE")});
  EXPECT_EQ(log.tables.nameReplaceCount, 2);
  EXPECT_TRUE(log.namesLearned);
}

TEST_F(NameTable, NamesThatADollarLineCannotHoldAreNotLearned) {
  // "$a==b==0999" and "$x===0999" would read back as other names with other
  // numbers, and every run would add the line again.
  for (const std::string name : {"a==b", "x=", "==", "ab=  "}) {
    SCOPED_TRACE(name);
    sink.messages.clear();
    EXPECT_EQ(lookup(name), "0999");
    EXPECT_EQ(lookup(name), "0999");
    EXPECT_EQ(tables.nameReplaceCount, 2);
    EXPECT_FALSE(learned);
    ASSERT_EQ(sink.messages.size(), 1u);  // named once per run
    EXPECT_NE(sink.messages[0].find("[" + name.substr(0, name.find_last_not_of(' ') + 1) + "]"), std::string::npos);
  }
  // "=" inside a name is fine as long as it is not doubled or last.
  EXPECT_EQ(lookup("a=b"), "0999");
  EXPECT_EQ(tables.nameReplaceCount, 3);
}

}  // namespace
}  // namespace zelk
