#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "config/option_line.h"
#include "config/settings_rewrite.h"
#include "config_test_support.h"
#include "support/test_support.h"

namespace zelk::test {
namespace {

// The fixture lists the fixed lines of a fresh file in UTF-8. Lines between
// two "~~~" markers must follow one another exactly; a marker stands for
// lines of explanation whose wording is free.
std::vector<std::vector<std::string>> fixedLineGroups() {
  std::ifstream in(std::string(ZELK_TEST_DATA) + "/config/fresh_fixed_lines.txt");
  std::vector<std::vector<std::string>> groups(1);
  std::string line;
  while (std::getline(in, line)) {
    if (line == "~~~")
      groups.emplace_back();
    else
      groups.back().push_back(sj(line));
  }
  return groups;
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> rewrittenLines(TestConfiguration& r) {
  return splitCrlf(r.fileText(WriteMode::Rewrite));
}

TEST(SettingsWriter, FreshFileHoldsEveryFixedLineInOrder) {
  const auto groups = fixedLineGroups();
  ASSERT_GT(groups.size(), 10u);
  const auto lines = splitCrlf(TestConfiguration().fileText(WriteMode::Fresh));
  std::size_t position = 0;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const auto& group = groups[g];
    auto start = std::find(lines.begin() + position, lines.end(), group.front());
    ASSERT_NE(start, lines.end()) << "group " << g << " starting " << toUtf8(group.front());
    // The first group opens the file; the last one closes it.
    if (g == 0) {
      ASSERT_EQ(start, lines.begin());
    }
    position = start - lines.begin();
    for (std::size_t i = 0; i < group.size(); ++i, ++position) {
      ASSERT_LT(position, lines.size()) << toUtf8(group[i]);
      ASSERT_EQ(toUtf8(lines[position]), toUtf8(group[i])) << "line " << position + 1;
    }
  }
  EXPECT_EQ(position, lines.size());
}

TEST(SettingsWriter, FreshFileIgnoresTheRecords) {
  TestConfiguration r;
  for (auto line : {"=0286", "=d15", "=k", "=l12", "-w", "!03-", "H=0286", "N=1==2", "%8=06"})
    r.line(line);
  EXPECT_TRUE(r.fileText(WriteMode::Fresh) == TestConfiguration().fileText(WriteMode::Fresh));
}

TEST(SettingsWriter, RewriteWritesEachOptionAsSet) {
  TestConfiguration r;
  for (auto line : {"=d15", "=k", "=l12"}) r.line(line);
  const auto lines = rewrittenLines(r);
  for (auto active : {"=d15", "=k", "=l12"}) EXPECT_TRUE(contains(lines, active)) << active;
  for (auto commented : {";=c", ";=e", ";=f", ";=i", ";=t", ";=q", ";=z"})
    EXPECT_TRUE(contains(lines, commented)) << commented;
  for (auto example : {";=0312341234", ";=15011,0222,0252,06,0922", ";=om:\\_.dir"})
    EXPECT_TRUE(contains(lines, example)) << example;
}

TEST(SettingsWriter, OptionLinesFollowTheValues) {
  struct Case {
    std::vector<std::string> lines;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{}, {"=de", ";=l"}},
      {{"=d5"}, {"=d5"}},
      {{"=d0"}, {"=de"}},  // day 0 is month end too
      {{"=d-1"}, {"=d-1"}},
      {{"=l"}, {"=l"}},
      {{"=l1"}, {"=l"}},
      {{"=l-3"}, {"=l-3"}},
      {{"=c", "=e", "=f", "=i", "=z"}, {"=c", "=e", "=f", "=i", "=z"}},
      {{"=t"}, {"=t", ";=q"}},
      {{"=q"}, {";=t", "=q"}},
      {{"=oc:\\out"}, {"=oc:\\out\\"}},
      {{"=0286999"}, {"=0286"}},
      {{"=15011,0222"}, {"=15011,0222"}},
      {{"=10011", "=&30"}, {"=10011", "=&30"}},
      {{"=&15"}, {"=&15"}},
      {{"!03-", "!b0-", "!a0-"}, {"!03-", "!b0-", "!01"}},
  };
  for (const auto& c : cases) {
    TestConfiguration r;
    for (const auto& line : c.lines) r.line(line);
    const auto lines = rewrittenLines(r);
    for (const auto& expected : c.expected)
      EXPECT_TRUE(contains(lines, expected)) << c.lines.size() << " lines, " << expected;
  }
}

TEST(SettingsWriter, LogsAreListedInTheirFormatsSection) {
  TestConfiguration r;
  for (auto line : {"-wc:\\", "-a1c:\\ac\\", "-w" "d:\\w2.tel", "-v1" "vc.log"}) r.line(line);
  const auto lines = rewrittenLines(r);
  auto at = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
  };
  EXPECT_EQ(at("-a1c:\\ac\\access.log"), at(";-a1") + 1);
  EXPECT_EQ(at("-v1vc.log"), at(";-v1") + 1);
  EXPECT_EQ(at("-wc:\\wterm.tel"), at(";-w") + 1);
  EXPECT_EQ(at("-wd:\\w2.tel"), at(";-w") + 2);
}

TEST(SettingsWriter, TablesAreListed) {
  TestConfiguration r;
  for (auto line : {"=0286", "H=0286-1", "H=0285-2", "N=0081-028-651==651-3026",
                    "$NIFTY 2   ==033200", "%8=06-177", "%3=0312", "%9=089999"})
    r.line(line);
  r.tables.areaSet.push_back({"0570", DistanceBand::UnknownDistance});
  const auto lines = rewrittenLines(r);
  for (auto line : {"H=02861", "H=02852", "N=0081028651==6513026", "$NIFTY 2==033200",
                    "%8=06177", "%3=0312", "089999", "0570"})
    EXPECT_TRUE(contains(lines, line)) << line;
}

TEST(SettingsWriter, AnInvalidTelehodaiListLosesItsLines) {
  TestConfiguration r;
  for (auto line : {"=0286", "H=0286-1", "H=06-1"}) r.line(line);
  ASSERT_EQ(r.telehodai.count, TelehodaiNumbers::kInvalid);
  const auto lines = rewrittenLines(r);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.rfind("H=", 0) == 0; }),
            0);
}

TEST(SettingsWriter, NamesAndPathsAreWrittenAsTheirBytes) {
  TestConfiguration r;
  r.line("$" + sj("ﾆﾌﾃｨ接続") + "==0312");
  r.line("-w" + sj("ログ\\"));
  const auto lines = rewrittenLines(r);
  EXPECT_TRUE(contains(lines, "$" + sj("ﾆﾌﾃｨ接続") + "==0312"));
  EXPECT_TRUE(contains(lines, "-w" + sj("ログ\\") + "wterm.tel"));
}

// A command-line option can carry a line feed that no line of the file can:
// the file is written in text mode, so it ends up as CR LF like every other.
TEST(SettingsWriter, ALineFeedInsideARecordIsWrittenAsTextModeWritesIt) {
  TestConfiguration r;
  r.option("-wa\nb");
  r.option("=oc:\\x\ny");
  const std::string bytes = r.fileText(WriteMode::Rewrite);
  EXPECT_NE(bytes.find("\r\n-wa\r\nb\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\n=oc:\\x\r\ny\\\r\n"), std::string::npos);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
    }
  }
}

TEST(SettingsWriter, EveryLineIsShiftJisWithCrLf) {
  TestConfiguration r;
  for (auto line : {"=0286", "=15011", "-w", "H=0286", "$a==1", "%8=1", "N=1==2"}) r.line(line);
  for (auto mode : {WriteMode::Fresh, WriteMode::Rewrite}) {
    const std::string bytes = r.fileText(mode);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n') {
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
      }
      if (bytes[i] == '\r') {
        ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
      }
    }
    const std::string utf8 = toUtf8(bytes);
    EXPECT_EQ(utf8.find("\xEF\xBF\xBD"), std::string::npos) << "invalid Shift-JIS";
    EXPECT_EQ(toCp932(utf8), bytes);
  }
}

// A file that sets everything the file can hold.
const std::vector<std::string> kRichFile = {
    "zelk Version 4.21", "=0286123456", "=15011,0222,0252", "=c", "=d20", "=e", "=f", "=i",
    "=k", "=l9", "=oc:\\out", "=q", "=z", "-a1c:\\ac\\", "-wwt.tel", "-nt", "/v1vc\\",
    "-K", "H=0286-11", "H=0285-22", "N=0081-028-651==651-3026", "N===5",
    "$NIFTY 2          ==033200****", "$" + std::string(38, 'n') + "==12",
    "%8=06-177", "%1=0286", "#7=0312", "!03-", "!b0-", "!97-"};

struct ReadBack {
  std::string settings, tables, logs, telehodai, origin;
};

ReadBack readBack(const std::string& dir) {
  TestConfiguration r(dir);
  r.read();
  return {describe(r.settings), describe(r.tables), describe(r.logs, r.settings.logCount),
          describe(r.telehodai), r.origin.name};
}

TEST(SettingsWriter, ReadingAWrittenFileGivesBackTheSameSettings) {
  ScratchDir first, second;
  first.write("zelk.cfg", crlfLines(kRichFile));
  TestConfiguration r(first.path());
  r.read();
  second.write("zelk.cfg", r.fileText(WriteMode::Rewrite));
  const ReadBack original = readBack(first.path());
  ReadBack again = readBack(second.path());
  again.settings.replace(again.settings.find(second.path()), second.path().size(), first.path());
  EXPECT_EQ(again.settings, original.settings);
  EXPECT_EQ(again.tables, original.tables);
  EXPECT_EQ(again.telehodai, original.telehodai);
  EXPECT_EQ(again.origin, original.origin);
  // Logs come back grouped by format, in the order of the file's sections.
  EXPECT_EQ(again.logs, "[10:c:\\ac\\access.log][2:ktx.log][5:access.log][6:vc\\access.log][0:wt.tel]");
  // A second round changes nothing more.
  TestConfiguration secondRead(second.path());
  secondRead.read();
  EXPECT_EQ(secondRead.fileText(WriteMode::Rewrite), readFile(second.path() + "zelk.cfg"));
}

TEST(SettingsWriter, ListedLossesOfARoundTrip) {
  ScratchDir first, second;
  first.write("zelk.cfg", crlfLines({"zelk Version 4.21", "=#", "=0286123456", "!05-", "!03-"}));
  TestConfiguration r(first.path());
  r.read();
  ASSERT_EQ(r.settings.showOriginMa, 1);
  second.write("zelk.cfg", r.fileText(WriteMode::Rewrite));
  TestConfiguration back(second.path());
  back.read();
  EXPECT_EQ(back.settings.showOriginMa, 0);             // =# has no line
  EXPECT_EQ(back.settings.hiddenFlags[0], 1 << 3);      // !05 is not among the 50
  EXPECT_EQ(back.maSearch.searched, std::vector<std::string>{"286"});  // the MA prefix
  EXPECT_EQ(back.origin.name, r.origin.name);
}

TEST(SettingsRewrite, ARunThatLearnedEntriesRewritesTheFile) {
  ScratchDir dir;
  const std::string before = crlfLines({"zelk Version 4.21", "=0286", "-wwt.tel", "=d5"});
  dir.write("zelk.cfg", before);
  TestConfiguration r(dir.path());
  r.read();
  r.option("=l3");  // from the command line
  const Configuration asRead = r.configuration;
  // What the run does afterwards: logs end, tables grow.
  r.settings.logCount = 0;
  r.settings.latestMonths = 12;
  r.tables.areaSet.push_back({"06123", DistanceBand::Beyond170km});
  r.tables.nameReplace[r.tables.nameReplaceCount++] = {"0999", "NEWNET"};
  rewriteSettingsAfterRun(asRead, r.tables);

  EXPECT_EQ(readFile(dir.path() + "zelkcfg.org"), before);
  const auto lines = splitCrlf(readFile(dir.path() + "zelk.cfg"));
  for (auto line : {"%8=06123", "$NEWNET==0999", "-wwt.tel", "=l3", "=d5", "=0286"})
    EXPECT_TRUE(contains(lines, line)) << line;
}

}  // namespace
}  // namespace zelk::test
