// The rules of single formats beyond their column tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/calendar.h"
#include "log_test_support.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "support/test_support.h"

namespace zelk {
namespace {

using test::crlfLines;
using test::sj;

// An -a1/-a2 line with the given date and the text from column 67 on.
std::string accessLine(const std::string& date, const std::string& tail) {
  return date + " 09:15:30 (  0:03:00)       IN    9600bps          V.34 ok " + tail;
}

std::vector<std::string> numbers(const test::ReadLog& log) {
  std::vector<std::string> result;
  for (const CallRecord& call : log.calls) result.push_back(call.number);
  return result;
}

TEST(AccessLog, A1TakesOnlyDialledNumbers) {
  auto log = test::readAllCalls(
      LogFormat::A1,
      crlfLines({
          accessLine("00/04/05", "P03-1234-5678"),
          accessLine("00/04/06", "P03-1234-567a"),   // a letter: skipped
          accessLine("00/04/07", "NIFTY"),           // a name: skipped
          accessLine("00/04/08", "X0312345678"),     // no dial mark: skipped
          accessLine("00/04/09", "T(045)123-4567"),  // tone dialling
          accessLine("00/04/10", "T0,06-1234-5678,OK"),
          accessLine("00/04/11",
                     "P03-1234-5678,FAIL"),  // the comma is not among the last four: skipped
          accessLine("00/04/12", "P"),       // empty dialled text
      }));
  EXPECT_EQ(numbers(log), (std::vector<std::string>{"0312345678", "0451234567", "0612345678", ""}));
  EXPECT_TRUE(log.messages.empty());
}

TEST(AccessLog, A2ReadsNamesWhereA1SkipsThem) {
  auto log = test::readAllCalls(
      LogFormat::A2,
      crlfLines({
          accessLine("99/02/08", "P0465514554"),
          accessLine("99/02/10", "T440071,OK"),  // cut at the comma, then a number
          accessLine("99/03/26", "IIJ4U"),       // a name: from the table
          accessLine("99/03/27", "PPP-NET"),     // a mark, but no dialled text: a name
          accessLine("99/03/28", "Pname,OK"),    // the name of the cut line
          accessLine("99/03/29", "ASAHI,1,2"),   // no mark: a name keeps its commas
      }),
      test::namesTable({{"IIJ4U", "0312340000"}}));
  EXPECT_EQ(numbers(log), (std::vector<std::string>{"0465514554", "440071", "0312340000", "0999",
                                                    "0999", "0999"}));
  ASSERT_EQ(log.tables.nameReplaceCount, 4);
  EXPECT_EQ(log.tables.nameReplace[1].name, "PPP-NET");
  EXPECT_EQ(log.tables.nameReplace[2].name, "Pname");
  EXPECT_EQ(log.tables.nameReplace[3].name, "ASAHI,1,2");
}

TEST(TwoDigitYears, ZeroToEightyAreThisCentury) {
  struct Case {
    LogFormat format;
    std::string (*line)(const std::string& year);
  };
  const Case cases[] = {
      {LogFormat::A1, [](const std::string& y) { return accessLine(y + "/04/05", "P0312345678"); }},
      {LogFormat::A2, [](const std::string& y) { return accessLine(y + "/04/05", "P0312345678"); }},
      {LogFormat::V1,
       [](const std::string& y) {
         return "NIFTY                 " + y + "-12-31 23:58:10  00-01-01 00:01:10  00:03:00";
       }},
      {LogFormat::K,
       [](const std::string& y) {
         return y + "/04/05(" + sj("水") + ") 09:15:30 00:03:00     1200" + sj("円") +
                " [0312345678]";
       }},
  };
  const std::pair<const char*, int> years[] = {{"00", 100}, {"80", 180}, {"81", 81}, {"99", 99}};
  for (const Case& c : cases) {
    for (const auto& [text, expected] : years) {
      auto log = test::readAllCalls(c.format, crlfLines({c.line(text)}),
                                    test::namesTable({{"NIFTY", "0355501234"}}));
      ASSERT_EQ(log.calls.size(), 1u) << c.line(text);
      EXPECT_EQ(log.calls[0].start.year, expected) << c.line(text);
    }
  }
}

TEST(NtLog, FieldsEndInTabs) {
  auto log = test::readAllCalls(
      LogFormat::NT, crlfLines({
                         "2000/09/12\t22:02\t0628067349\t8566\tPPP",
                         "2000/09/13\t22:02\t0628067349\t8566",  // no tab after the length
                         "2000/09/14\t22:02\t0628067349",        // no length
                         "2000/09/15\t14:11\t(192)468\t0\t",
                         "2000/09/16\t14:11\t\t60\t",
                     }));
  ASSERT_EQ(log.calls.size(), 3u);
  EXPECT_EQ(log.calls[0].duration, 85659);
  EXPECT_EQ(log.calls[1].number, "192468");
  EXPECT_EQ(log.calls[1].duration, -1);
  EXPECT_EQ(log.calls[2].number, "");
  EXPECT_EQ(log.calls[2].duration, 599);
}

TEST(NtLog, AHugeLengthStaysInRange) {
  auto log = test::readAllCalls(
      LogFormat::NT, crlfLines({"2000/09/12\t22:02\t0628067349\t99999999999999999999\t"}));
  ASSERT_EQ(log.calls.size(), 1u);
  EXPECT_EQ(log.calls[0].duration, 2147483647);
}

TEST(EndLoggedFormats, StartIsTheEndLessTheLength) {
  // -t: end 00:01:00 after 3 minutes on 1 April; -mf: end 00:02:00 after 5 minutes.
  struct Case {
    LogFormat format;
    std::string line;
    int minute;
    int normalisedMinute;
  };
  const Case cases[] = {
      {LogFormat::T, sj("2000-04-01 00:01:00 00:03:00    30 円 [03-3456-7890]"), -2, 58},
      {LogFormat::MF,
       "tel no=03-3456-7890;C: 12345 2000/04/01 00:02:00 123456 00:05:00     123456789;", -3, 57},
  };
  for (const Case& c : cases) {
    auto log = test::readAllCalls(c.format, crlfLines({c.line}));
    ASSERT_EQ(log.calls.size(), 1u);
    CalendarTime start = log.calls[0].start;
    EXPECT_EQ(start.hour, 0);
    EXPECT_EQ(start.minute, c.minute);
    ASSERT_TRUE(normalise(start));
    EXPECT_EQ(start.day, 31);
    EXPECT_EQ(start.month, 2);
    EXPECT_EQ(start.hour, 23);
    EXPECT_EQ(start.minute, c.normalisedMinute);
  }
}

TEST(BracketNumbers, TakenAfterTheLastBracket) {
  const std::string head = sj("2000-04-01 10:01:00 00:03:00    30 円 ");
  auto log =
      test::readAllCalls(LogFormat::T, crlfLines({
                                           head + "[x] NIFTY [0,03-3456-7890]",
                                           head + "03-3456-7890]",  // no "[": the empty number
                                           head + "[03-3456-7890] ",
                                       }));
  EXPECT_EQ(numbers(log), (std::vector<std::string>{"0334567890", ""}));
}

TEST(HLog, DurationIsTheExactDifference) {
  const std::string name = "BIGLOBE                       ";
  auto line = [&](const char* from, const char* to) {
    return name + sj(std::string("2000.04.05(水) ") + from + "～" + to);
  };
  auto log = test::readAllCalls(LogFormat::H,
                                crlfLines({
                                    line("10:00:00", "10:03:00"),
                                    line("23:59:30", "00:00:30"),
                                    line("00:00:00", "00:00:00"),
                                }),
                                test::namesTable({{"BIGLOBE", "0312345678"}}));
  ASSERT_EQ(log.calls.size(), 3u);
  EXPECT_EQ(log.calls[0].duration, 1800);
  EXPECT_EQ(log.calls[1].duration, 600);
  EXPECT_EQ(log.calls[2].duration, 0);
}

TEST(FeeColumns, OnlyTheLeadingPartIsRead) {
  struct Case {
    LogFormat format;
    std::string line;
    int fee;
  };
  const Case cases[] = {
      {LogFormat::C, "2000/04/05 09:15:30 00:03:00   120  : OCN", 12},
      {LogFormat::C, "2000/04/05 09:15:30 00:03:00    7X  : OCN", 7},
      {LogFormat::C, "2000/04/05 09:15:30 00:03:00 \t1200  : OCN", 0},  // a tab is no blank
      {LogFormat::K, sj("00/04/05(水) 09:15:30 00:03:00      12X円 [0312345678]"), 12},
      {LogFormat::K, sj("00/04/05(水) 09:15:30 00:03:00   123456円 [0312345678]"), 12345},
      {LogFormat::W, sj("2000-04-05  09:15:30  [00:03:00]  12345 円  [03-1234-5678]"), 1234},
      {LogFormat::T, sj("2000-04-05 09:15:30 00:03:00 12345 円 [0312345678]"), 1234},
  };
  for (const Case& c : cases) {
    auto log = test::readAllCalls(c.format, crlfLines({c.line}),
                                  test::namesTable({{"OCN", "0312345678"}}));
    ASSERT_EQ(log.calls.size(), 1u) << c.line;
    EXPECT_EQ(log.calls[0].fee, c.fee) << c.line;
  }
}

TEST(RLog, TheSixthFieldIsTheName) {
  auto log = test::readAllCalls(LogFormat::R,
                                crlfLines({
                                    "2000/10/01,12:00:00,00:05:00,a,b,NIFTY",
                                    "2000/10/02,12:00:00,00:05:00,a,b,NIFTY,x",
                                    "2000/10/03,12:00:00,00:05:00,,,NIFTY   ",
                                    "2000/10/04,12:00:00,00:05:00,a,b,",
                                }),
                                test::namesTable({{"NIFTY", "0312345678"}}));
  EXPECT_EQ(numbers(log),
            (std::vector<std::string>{"0312345678", "0312345678", "0312345678", "0999"}));
  ASSERT_EQ(log.tables.nameReplaceCount, 2);
  EXPECT_EQ(log.tables.nameReplace[1].name, "");
}

TEST(RLog, ARecordWithoutItsNameEndsTheProcess) {
  for (const char* line : {"2000/10/01,12:00:00,00:05:00,a", "2000/10/01,12:00:00,00:05:00,",
                           "2000/10/01,12:00:00,00:05:00,a,b"}) {
    try {
      test::readAllCalls(LogFormat::R, crlfLines({"2000/09/30,12:00:00,00:05:00,a,b,X", line}));
      ADD_FAILURE() << line;
    } catch (const FatalError& error) {
      EXPECT_EQ(error.code(), 239) << line;
      EXPECT_EQ(error.message(), sj("なんか変な行がある(=_=)"));
    }
  }
}

}  // namespace
}  // namespace zelk
