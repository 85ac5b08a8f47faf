#include <gtest/gtest.h>

#include "support/test_support.h"
#include "ui/model/log_list.h"

namespace zelk {
namespace {

using test::sj;

TEST(LogList, NewLogChoicesMapToFormats) {
  struct Case {
    int item;
    LogFormat format;
    const char* option;
  };
  const Case cases[] = {
      {0, LogFormat::A1, "-a1"}, {1, LogFormat::A2, "-a2"}, {2, LogFormat::C, "-c"},   {3, LogFormat::H, "-h"},
      {4, LogFormat::K, "-k"},   {5, LogFormat::MF, "-mf"}, {6, LogFormat::NT, "-nt"}, {7, LogFormat::R, "-r"},
      {8, LogFormat::T, "-t"},   {9, LogFormat::V1, "-v1"}, {10, LogFormat::W, "-w"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formatOfChoice(c.item), c.format) << c.item;
    EXPECT_EQ(optionTextOf(c.format), c.option) << c.item;
    // The list item begins with its option text.
    EXPECT_EQ(std::string(logFormatChoices()[c.item].listText).rfind(std::string(c.option) + " ", 0), 0u);
  }
  EXPECT_EQ(formatOfChoice(-1), std::nullopt);
  EXPECT_EQ(formatOfChoice(11), std::nullopt);
}

TEST(LogList, FileDialogFilterFollowsTheSelection) {
  EXPECT_EQ(filterIndexFor(0), 1);
  EXPECT_EQ(filterIndexFor(10), 11);
  EXPECT_EQ(filterIndexFor(-1), 12);
}

TEST(LogList, AppendsAtMostFiveAndNeedsAFormat) {
  LogList list;
  EXPECT_FALSE(list.append(-1, "x"));
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(list.append(i, "log" + std::to_string(i)));
  EXPECT_TRUE(list.full());
  EXPECT_FALSE(list.append(0, "sixth"));
  EXPECT_EQ(list.size(), 5);
  EXPECT_EQ(list.at(4), (LogEntry{LogFormat::K, "-k", "log4"}));
}

TEST(LogList, AnEmptyFileNameIsKept) {
  LogList list;
  ASSERT_TRUE(list.append(10, ""));
  EXPECT_EQ(list.panel(0), (LogPanelText{"-w", ""}));
}

TEST(LogList, DeletingMovesTheLastEntryIntoTheFreedSlot) {
  struct Case {
    int remove;
    std::vector<std::string> left;
  };
  const Case cases[] = {
      {0, {"c", "b"}},
      {1, {"a", "c"}},
      {2, {"a", "b"}},
  };
  for (const Case& c : cases) {
    LogList list;
    for (const char* name : {"a", "b", "c"}) list.append(0, name);
    EXPECT_TRUE(list.remove(c.remove));
    EXPECT_EQ(list.fileNames(), c.left) << c.remove;
  }
  LogList list;
  list.append(0, "a");
  EXPECT_FALSE(list.remove(1));
  EXPECT_FALSE(list.remove(-1));
  EXPECT_EQ(list.size(), 1);
}

TEST(LogList, PanelsShowEntriesThenEmptyTexts) {
  LogList list;
  list.append(6, sj("c:\\ログ\\access.log"));
  EXPECT_EQ(list.panel(0), (LogPanelText{"-nt", sj("c:\\ログ\\access.log")}));
  for (int i = 1; i < 5; ++i) EXPECT_EQ(list.panel(i), LogPanelText{});
}

TEST(LogList, DeclarationsRoundTrip) {
  LogDeclarations logs{};
  logs[0] = {LogFormat::T, "c:\\tf\\tftel.tel"};
  logs[1] = {LogFormat::V1, "access.log"};
  logs[2] = {LogFormat::H, "ignored: beyond the count"};
  LogList list = LogList::fromDeclarations(logs, 2);
  ASSERT_EQ(list.size(), 2);
  EXPECT_EQ(list.at(1), (LogEntry{LogFormat::V1, "-v1", "access.log"}));

  list.remove(0);
  LogDeclarations stored{};
  stored[3] = {LogFormat::R, "stale"};
  std::int16_t count = 9;
  list.storeInto(stored, count);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(stored[0].format, LogFormat::V1);
  EXPECT_EQ(stored[0].path, "access.log");
  EXPECT_EQ(stored[3].path, "");
}

TEST(LogList, StoredPathsNameAFile) {
  struct Case {
    int choice;
    const char* typed;
    const char* declared;
  };
  const Case cases[] = {
      {10, "", "wterm.tel"},
      {5, "d:\\fapx\\", "d:\\fapx\\connect.dat"},
      {7, "d:", "d:log.txt"},
      {0, "/home/u/logs/", "/home/u/logs/access.log"},
      {8, "c:\\tf\\my.tel", "c:\\tf\\my.tel"},
  };
  for (const Case& c : cases) {
    LogList list;
    list.append(c.choice, c.typed);
    LogDeclarations logs{};
    std::int16_t count = 0;
    list.storeInto(logs, count);
    EXPECT_EQ(logs[0].path, c.declared) << c.typed;
    // The panel keeps what was typed until the list is read again.
    EXPECT_EQ(list.panel(0).fileName, c.typed);
  }
}

TEST(LogList, LongFileNamesAreCutWithoutSplittingACharacter) {
  LogList list;
  const std::string name = std::string(126, 'a') + sj("ロ");
  list.append(0, name);
  EXPECT_EQ(list.at(0).fileName, std::string(126, 'a'));
}

}  // namespace
}  // namespace zelk
