// The demo data: every shipped log reads, and zelk.cfg declares five of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/calendar.h"
#include "log_test_support.h"
#include "platform/paths.h"
#include "support/test_support.h"

namespace zelk {
namespace {

const std::string kDemo = std::string(ZELK_SOURCE_DIR) + "/data/demo/";

struct DemoLog {
  const char* file;
  const char* option;
  LogFormat format;
};

const DemoLog kDemoLogs[] = {
    {"access_a1.log", "-a1", LogFormat::A1}, {"access_a2.log", "-a2", LogFormat::A2},
    {"access_nt.log", "-nt", LogFormat::NT}, {"access_v1.log", "-v1", LogFormat::V1},
    {"telfee.tel", "-c", LogFormat::C},      {"tftel.tel", "-t", LogFormat::T},
    {"wterm.tel", "-w", LogFormat::W},       {"phone.txt", "-h", LogFormat::H},
    {"ktx.log", "-k", LogFormat::K},         {"connect.dat", "-mf", LogFormat::MF},
    {"log.txt", "-r", LogFormat::R},
};

// The demo's name table without "大学ラボ", so the readers learn one name.
ReplaceTables demoNames() {
  return test::namesTable({{"NIFTY", "0354218800"},
                           {"BIGLOBE", "0335562210"},
                           {"ASAHI-NET", "0452127730"},
                           {test::sj("会社"), "0663452290"}});
}

std::vector<std::string> crlfSplit(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  EXPECT_EQ(start, bytes.size()) << "the last line ends in CR LF";
  return lines;
}

TEST(DemoLogs, EveryLogGivesCallsOfTheDemoYear) {
  CalendarTime first{.day = 1, .month = 2, .year = 100};  // 1 March 2000
  CalendarTime last{.day = 19, .month = 2, .year = 101};  // 19 March 2001
  ASSERT_TRUE(normalise(first) && normalise(last));
  for (const DemoLog& demo : kDemoLogs) {
    SCOPED_TRACE(demo.file);
    const std::string path = kDemo + "logs/" + demo.file;
    auto log = test::readLogFile(demo.format, path, demoNames());
    EXPECT_GE(log.calls.size(), 10u);
    for (CallRecord call : log.calls) {
      ASSERT_TRUE(normalise(call.start));
      EXPECT_FALSE(isLaterDate(first, call.start));
      EXPECT_FALSE(isLaterDate(call.start, last));
      EXPECT_FALSE(call.number.empty());
    }
    // Junk lines, and one line longer than the 256-byte buffer.
    auto lines = crlfSplit(test::readFile(path));
    EXPECT_GT(lines.size(), log.calls.size());
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.size() > 255; }));
  }
}

TEST(DemoLogs, OneNameIsLeftForTheUserToSet) {
  for (const DemoLog& demo : kDemoLogs) {
    if (demo.format != LogFormat::H && demo.format != LogFormat::R) continue;
    auto log = test::readLogFile(demo.format, kDemo + "logs/" + demo.file, demoNames());
    EXPECT_EQ(log.messages.size(), 1u) << demo.file;
    EXPECT_EQ(log.tables.nameReplace[4].name, test::sj("大学ラボ")) << demo.file;
  }
}

TEST(DemoLogs, TheSettingsDeclareFiveOfThem) {
  auto lines = crlfSplit(test::readFile(kDemo + "zelk.cfg"));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "zelk Version 4.21");
  int declared = 0;
  for (const std::string& line : lines) {
    if (line.empty() || line[0] != '-') continue;
    ++declared;
    const DemoLog* match = nullptr;
    for (const DemoLog& demo : kDemoLogs)
      if (line == std::string(demo.option) + "logs\\" + demo.file) match = &demo;
    ASSERT_NE(match, nullptr) << line;
    EXPECT_TRUE(std::filesystem::is_regular_file(
        kDemo + nativePath(line.substr(std::string(match->option).size()))))
        << line;
  }
  EXPECT_EQ(declared, 5);
}

}  // namespace
}  // namespace zelk
