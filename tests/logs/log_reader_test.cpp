// The slots: opening the declared logs, reading them to their end, the
// removal of an ended log, and bad input of every kind in every format.
#include "logs/log_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "log_test_support.h"
#include "platform/messages.h"
#include "support/test_support.h"

namespace zelk {
namespace {

using test::crlfLines;
using test::sj;

const LogFormat kAllFormats[] = {LogFormat::W,  LogFormat::T,  LogFormat::K,  LogFormat::C,
                                 LogFormat::MF, LogFormat::NT, LogFormat::V1, LogFormat::H,
                                 LogFormat::R,  LogFormat::A1, LogFormat::A2};

const ReplaceTables kNiftyKnown = test::namesTable({{"NIFTY", "0355501234"}});

// An -nt line whose number tells the log and the call: "0" + log + call.
std::string ntCall(int log, int call) {
  return "2000/09/1" + std::to_string(call) + "\t10:00\t0" + std::to_string(log) +
         std::to_string(call) + "\t60\t";
}

struct FiveLogs {
  test::ScratchDir dir;
  std::unique_ptr<LogSlots> slots = std::make_unique<LogSlots>();
  int open = 0;
  bool learned = false;
  ReplaceTables tables;
  std::vector<std::string> paths;

  explicit FiveLogs(const std::vector<int>& callCounts) {
    for (std::size_t log = 0; log < callCounts.size(); ++log) {
      std::vector<std::string> lines{"junk"};
      for (int call = 1; call <= callCounts[log]; ++call)
        lines.push_back(ntCall(static_cast<int>(log) + 1, call));
      paths.push_back(dir.write("log" + std::to_string(log + 1), crlfLines(lines)));
      (*slots)[log].declaration = {LogFormat::NT, paths.back()};
    }
    open = openLogs(*slots, static_cast<int>(callCounts.size()), "");
  }
  int read(int slot) { return readNextCall(slot, *slots, open, tables, learned); }
  const LogSource& slot(int index) const { return (*slots)[index]; }
};

TEST(Slots, AnEndedLogGivesItsPlaceToTheLastOne) {
  FiveLogs logs({3, 1, 3, 3, 3});
  for (int i = 0; i < 5; ++i) ASSERT_EQ(logs.read(i), 0);
  EXPECT_EQ(logs.slot(1).call.number, "021");

  EXPECT_EQ(logs.read(1), -1);
  EXPECT_EQ(logs.open, 4);
  // The fifth log now sits in slot 1, still holding the call it had read.
  EXPECT_EQ(logs.slot(1).declaration.path, logs.paths[4]);
  EXPECT_EQ(logs.slot(1).call.number, "051");
  ASSERT_EQ(logs.read(1), 0);
  EXPECT_EQ(logs.slot(1).call.number, "052");
  EXPECT_EQ(logs.slot(0).call.number, "011");
  EXPECT_EQ(logs.slot(3).call.number, "041");
}

TEST(Slots, EveryCallOfFiveLogsIsReadOnce) {
  FiveLogs logs({2, 1, 4, 0, 3});
  std::vector<std::string> read;
  // Prime every slot, then always take slot 0 and look at it again after a removal.
  for (int i = 0; i < logs.open;)
    if (logs.read(i) == 0) read.push_back(logs.slot(i++).call.number);
  while (logs.open > 0)
    if (logs.read(0) == 0) read.push_back(logs.slot(0).call.number);
  std::sort(read.begin(), read.end());
  EXPECT_EQ(read, (std::vector<std::string>{"011", "012", "021", "031", "032", "033", "034", "051",
                                            "052", "053"}));
}

TEST(Slots, ASixthLogIsNeverHeld) {
  test::ScratchDir dir;
  auto slots = std::make_unique<LogSlots>();
  for (auto& slot : *slots)
    slot.declaration = {LogFormat::NT, dir.write("log", crlfLines({ntCall(1, 1)}))};
  int open = openLogs(*slots, 6, "");
  EXPECT_EQ(open, 5);
  ReplaceTables tables;
  bool learned = false;
  EXPECT_THROW(readNextCall(5, *slots, open, tables, learned), std::out_of_range);
  EXPECT_EQ(readNextCall(4, *slots, open, tables, learned), 0);
  EXPECT_EQ(readNextCall(4, *slots, open, tables, learned), -1);
  EXPECT_EQ(open, 4);
}

TEST(Slots, ReadingKeepsTheNormalisedWeekday) {
  // A call that fails normalisation keeps the weekday of the call before it.
  test::ScratchDir dir;
  auto slots = std::make_unique<LogSlots>();
  (*slots)[0].declaration = {LogFormat::NT,
                             dir.write("log", crlfLines({ntCall(1, 1), ntCall(1, 2)}))};
  int open = openLogs(*slots, 1, "");
  ReplaceTables tables;
  bool learned = false;
  ASSERT_EQ(readNextCall(0, *slots, open, tables, learned), 0);
  (*slots)[0].call.start.weekday = 2;  // as the run's normalisation left it
  ASSERT_EQ(readNextCall(0, *slots, open, tables, learned), 0);
  EXPECT_EQ((*slots)[0].call.start.weekday, 2);
}

class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& path) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~CurrentDirectory() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

TEST(OpenLogs, RelativePathsAreTakenFromTheProgramDirectory) {
  test::ScratchDir home;
  test::ScratchDir elsewhere;
  home.write("logs/access.log", crlfLines({ntCall(1, 1)}));
  elsewhere.write("logs/other.log", crlfLines({ntCall(1, 1)}));
  CurrentDirectory inside(elsewhere.path());
  auto slots = std::make_unique<LogSlots>();
  (*slots)[0].declaration = {LogFormat::NT, "logs\\access.log"};
  (*slots)[1].declaration = {LogFormat::NT, elsewhere.path() + "logs/other.log"};  // absolute: as written
  int open = openLogs(*slots, 2, home.path());
  ReplaceTables tables;
  bool learned = false;
  EXPECT_EQ(readNextCall(0, *slots, open, tables, learned), 0);
  EXPECT_EQ(readNextCall(1, *slots, open, tables, learned), 0);
  checkLogExists({LogFormat::NT, "logs\\..\\logs\\access.log"}, home.path());
  EXPECT_THROW(checkLogExists({LogFormat::NT, "logs\\other.log"}, home.path()), FatalError);
}

TEST(OpenLogs, ALogThatCannotBeOpenedIsFatal) {
  test::ScratchDir dir;
  dir.write("logs/x", "");
  const std::string missing = dir.path() + "logs\\nothing.log";
  const std::string directory = dir.path() + "logs";
  for (const std::string& path : {missing, directory}) {
    auto slots = std::make_unique<LogSlots>();
    (*slots)[0].declaration = {LogFormat::T, dir.write("good", "")};
    (*slots)[1].declaration = {LogFormat::T, path};
    try {
      openLogs(*slots, 2, "");
      ADD_FAILURE() << path;
    } catch (const FatalError& error) {
      EXPECT_EQ(error.code(), 255);
      EXPECT_EQ(error.message(), "Not found : " + path + "\n");
    }
    try {
      checkLogExists({LogFormat::T, path});
      ADD_FAILURE() << path;
    } catch (const FatalError& error) {
      EXPECT_EQ(error.code(), 255);
      EXPECT_EQ(error.message(), "Not found : " + path + "\n");
    }
  }
}

// Lines that are no record of any format.
std::string junk() {
  std::string bytes = crlfLines({"", "# comment", "ERROR: no carrier", "2000/13/99 garbage",
                                 sj("接続ログ"), "    ", std::string(100000, 'x'),
                                 std::string(100000, '9'), "\x81\x81\x81\xFF\xFE\x80", "\x81"});
  for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);
  bytes += std::string("\n\0\0\0\n", 5);
  bytes += "\r\r\r\n\n\n";
  return bytes;
}

TEST(BadInput, EmptyAndJunkLogsHaveNoCall) {
  for (LogFormat format : kAllFormats) {
    for (const std::string& bytes : {std::string(), junk()}) {
      auto log = test::readAllCalls(format, bytes);
      EXPECT_TRUE(log.calls.empty()) << static_cast<int>(format);
      EXPECT_TRUE(log.messages.empty()) << static_cast<int>(format);
    }
  }
}

TEST(BadInput, RecordsAmongJunkAreFound) {
  for (LogFormat format : kAllFormats) {
    const std::string record = sj(test::goodRecordLine(format));
    // The last record has no line feed and still counts.
    auto log = test::readAllCalls(format, junk() + record + "\r\n" + junk() + record, kNiftyKnown);
    EXPECT_EQ(log.calls.size(), 2u) << static_cast<int>(format);
    EXPECT_TRUE(log.messages.empty()) << static_cast<int>(format);
  }
}

TEST(BadInput, TheCutTailOfALongLineIsNoLine) {
  // A record behind 255 bytes of junk would be found if the tail were read as a line.
  for (LogFormat format : kAllFormats) {
    const std::string record = sj(test::goodRecordLine(format));
    auto log = test::readAllCalls(format, crlfLines({std::string(255, 'x') + record}), kNiftyKnown);
    EXPECT_TRUE(log.calls.empty()) << static_cast<int>(format);
  }
}

TEST(BadInput, ANulByteEndsTheLine) {
  for (LogFormat format : kAllFormats) {
    std::string record = sj(test::goodRecordLine(format));
    std::string spoilt = record;
    spoilt[1] = '\0';
    auto log = test::readAllCalls(format, crlfLines({spoilt, record + std::string("\0junk", 5)}),
                                  kNiftyKnown);
    EXPECT_EQ(log.calls.size(), 1u) << static_cast<int>(format);
  }
}

TEST(BadInput, ALongRecordIsCutAtTheBuffer) {
  // A -r line of 100 000 bytes is read as its first 255: its name is cut there.
  auto log = test::readAllCalls(
      LogFormat::R,
      crlfLines({"2000/10/01,12:00:00,00:05:00,a,b,NIFTY" + std::string(100000, 'x'),
                 "2000/10/02,12:00:00,00:05:00,a,b,NIFTY"}),
      kNiftyKnown);
  ASSERT_EQ(log.calls.size(), 2u);
  EXPECT_EQ(log.calls[0].number, "0999");
  EXPECT_EQ(log.calls[1].number, "0355501234");
  ASSERT_EQ(log.messages.size(), 1u);
  // The message shows the name as far as the line was read.
  EXPECT_NE(log.messages[0].find("NIFTY" + std::string(255 - 33 - 5, 'x') + "]"),
            std::string::npos);
}

}  // namespace
}  // namespace zelk
