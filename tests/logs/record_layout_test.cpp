// Each format's record layout: one good line per format read through a
// whole slot, every tested column, the columns that are not tested, and the
// length windows.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <vector>

#include "base/text.h"
#include "log_test_support.h"
#include "logs/log_layout.h"
#include "logs/record_engine.h"
#include "platform/messages.h"
#include "support/test_support.h"

namespace zelk {
namespace {

using test::sj;

const char* const kNifty = "0355501234";  // the name table's number for NIFTY

struct Expected {
  int year, month, day, hour, minute, second;
  int duration;
  int fee;
  const char* number;
};

struct LayoutCase {
  LogFormat format;
  const char* line;  // UTF-8, see goodRecordLine
  Expected expected;
  std::vector<int> tested;    // changing any of these columns spoils the record
  std::vector<int> untested;  // changing these does not
};

const std::vector<LayoutCase>& layoutCases() {
  static const std::vector<LayoutCase> cases = {
      {LogFormat::A1,
       test::goodRecordLine(LogFormat::A1),
       {100, 3, 5, 9, 15, 30, 37229, -1, "0334567890"},
       {2, 5, 8, 11, 14, 17, 18, 22, 25, 28, 29, 38, 49, 66, 67},
       {0, 3, 9, 19, 30, 50}},
      {LogFormat::A2,
       test::goodRecordLine(LogFormat::A2),
       {100, 3, 5, 9, 15, 30, 37229, -1, "0334567890"},
       {2, 5, 8, 11, 14, 17, 18, 22, 25, 28, 29, 38, 49, 66},
       {0, 3, 9, 19, 30, 50, 67, 68}},
      {LogFormat::NT,
       test::goodRecordLine(LogFormat::NT),
       {100, 3, 5, 23, 59, 0, 1799, -1, "0334567890"},
       {4, 7, 10, 13, 16},
       {0, 5, 11, 14}},
      {LogFormat::V1,
       test::goodRecordLine(LogFormat::V1),
       {99, 11, 31, 23, 58, 10, 1799, -1, kNifty},
       {20, 21, 24, 27, 30, 33, 36, 39, 40, 43, 46, 49, 52, 55, 58, 62, 65},
       {41, 50, 59}},
      {LogFormat::C,
       test::goodRecordLine(LogFormat::C),
       {100, 3, 5, 9, 15, 30, 1799, 12, kNifty},
       {4, 7, 10, 13, 16, 19, 22, 25, 34, 35, 36, 37},
       {28, 33}},
      {LogFormat::T,
       test::goodRecordLine(LogFormat::T),
       {100, 3, 1, 0, -2, 0, 1799, 3, "0334567890"},
       {4, 7, 10, 13, 16, 19, 22, 25, 35, 36, 37},
       {28, 33, 34}},
      {LogFormat::W,
       test::goodRecordLine(LogFormat::W),
       {100, 3, 5, 9, 15, 30, 1799, 10, "0334567890"},
       {4, 7, 10, 11, 14, 17, 20, 21, 22, 25, 28, 31, 32, 40, 41, 42, 43, 44, 57},
       {38, 39, 58}},
      {LogFormat::H,
       test::goodRecordLine(LogFormat::H),
       {100, 3, 5, 23, 59, 30, 600, -1, kNifty},
       {29, 34, 37, 40, 43, 44, 47, 50, 53, 54, 57, 60},
       {41, 42}},
      {LogFormat::K,
       test::goodRecordLine(LogFormat::K),
       {100, 3, 5, 9, 15, 30, 1799, 120, "0334567890"},
       {2, 5, 8, 11, 12, 15, 18, 21, 24, 27, 30, 39, 40, 41},
       {9, 10, 31, 32, 38}},
      {LogFormat::MF,
       test::goodRecordLine(LogFormat::MF),
       {100, 3, 5, 0, -3, 0, 2999, -1, "0334567890"},
       {0, 1, 2, 3, 4, 5, 6, 19, 78},
       {33, 36, 39, 42, 45, 48, 58, 61, 64}},
      {LogFormat::R,
       test::goodRecordLine(LogFormat::R),
       {100, 9, 1, 12, 0, 0, 2999, -1, kNifty},
       {4, 7, 10, 13, 16, 19, 22, 25, 28},
       {29}},
  };
  return cases;
}

std::string withColumnChanged(std::string line, int column) {
  line[static_cast<std::size_t>(column)] =
      line[static_cast<std::size_t>(column)] == 'X' ? 'Y' : 'X';
  return line;
}

TEST(RecordLayout, EachFormatReadsItsFields) {
  for (const LayoutCase& c : layoutCases()) {
    SCOPED_TRACE(c.line);
    // Junk before and after the record; CR LF line ends.
    auto log = test::readAllCalls(
        c.format, test::crlfLines({"# comment", "", sj(c.line), "ERROR: no carrier"}),
        test::namesTable({{"NIFTY", kNifty}}));
    ASSERT_EQ(log.calls.size(), 1u);
    const CallRecord& call = log.calls[0];
    const Expected& e = c.expected;
    EXPECT_EQ(call.start.year, e.year);
    EXPECT_EQ(call.start.month, e.month);
    EXPECT_EQ(call.start.day, e.day);
    EXPECT_EQ(call.start.hour, e.hour);
    EXPECT_EQ(call.start.minute, e.minute);
    EXPECT_EQ(call.start.second, e.second);
    EXPECT_EQ(call.start.daylight, -1);
    EXPECT_EQ(call.duration, e.duration);
    EXPECT_EQ(call.fee, e.fee);
    EXPECT_EQ(call.number, e.number);
    EXPECT_TRUE(log.messages.empty());
  }
}

TEST(RecordLayout, EveryTestedColumnDecides) {
  for (const LayoutCase& c : layoutCases()) {
    const std::string line = sj(c.line);
    ASSERT_TRUE(test::isRecord(c.format, line)) << c.line;
    for (int column : c.tested)
      EXPECT_FALSE(test::isRecord(c.format, withColumnChanged(line, column)))
          << c.line << " column " << column;
    for (int column : c.untested)
      EXPECT_TRUE(test::isRecord(c.format, withColumnChanged(line, column)))
          << c.line << " column " << column;
  }
}

TEST(RecordLayout, ColumnsPastTheLineEndFail) {
  // Every format tests a column near its end: the line cut before it is no record.
  for (const LayoutCase& c : layoutCases()) {
    const std::string line = sj(c.line);
    int lastTested = c.tested.back();
    EXPECT_FALSE(test::isRecord(c.format, line.substr(0, static_cast<std::size_t>(lastTested))))
        << c.line;
  }
}

TEST(RecordLayout, FieldsReadAsDecimalsWhateverTheyHold) {
  // Digits, blanks and other characters in every field: each field reads as
  // a decimal of its own columns (blanks skipped, up to the first non-digit).
  std::mt19937 random(17);
  const char alphabet[] = "0123456789 X";
  auto decimal = [](const std::string& line, Span span) {
    return static_cast<int>(readDecimal(std::string_view(line).substr(
        static_cast<std::size_t>(span.column), static_cast<std::size_t>(span.width))));
  };
  for (const LayoutCase& c : layoutCases()) {
    const FormatLayout& layout = *layoutOf(c.format);
    const Span fields[] = {layout.year,        layout.month,        layout.day,
                           layout.time.hour,   layout.time.minute,  layout.time.second,
                           layout.length.hour, layout.length.minute, layout.length.second,
                           layout.fee};
    for (int i = 0; i < 400; ++i) {
      std::string line = sj(c.line);
      for (Span span : fields)
        for (int k = 0; k < span.width; ++k)
          line[static_cast<std::size_t>(span.column + k)] = alphabet[random() % (sizeof alphabet - 1)];
      CallRecord call;
      parseRecord(layout, line, call);
      SCOPED_TRACE(line);
      if (!layout.twoDigitYear) {
        EXPECT_EQ(call.start.year, decimal(line, layout.year) - 1900);
      }
      EXPECT_EQ(call.start.month, decimal(line, layout.month) - 1);
      EXPECT_EQ(call.start.day, decimal(line, layout.day));
      EXPECT_EQ(call.fee, layout.fee.present() ? decimal(line, layout.fee) : -1);
      if (layout.clockRule == ClockRule::StartAndLength) {
        EXPECT_EQ(call.start.hour, decimal(line, layout.time.hour));
        EXPECT_EQ(call.start.second, decimal(line, layout.time.second));
        EXPECT_EQ(call.duration, decimal(line, layout.length.hour) * 36000 +
                                     decimal(line, layout.length.minute) * 600 +
                                     decimal(line, layout.length.second) * 10 - 1);
      }
    }
  }
}

// What a record gives as its connection name: the name, or the exit code
// when the record is too broken to read (-1: a dialled number, no name).
std::pair<std::string, int> nameOutcome(const std::function<std::optional<std::string>()>& read) {
  try {
    auto name = read();
    return {name.value_or(""), name ? 0 : -1};
  } catch (const FatalError& error) {
    return {"", error.code()};
  }
}

TEST(RecordLayout, RecordNameReadsTheNameTheWholeRecordGives) {
  // Records skipped by their date read only their name: it must be the name
  // the whole record gives, or the same end of the run, for any line.
  std::mt19937 random(23);
  const char alphabet[] = "0123456789(),-PT =AB\t";
  const char* names[] = {"NIFTY", "P03-3456-7890", "T0,03(3456)7890,OK", "ODN,x", ""};
  std::map<int, int> outcomes;  // how often each kind was met
  for (const LayoutCase& c : layoutCases()) {
    const FormatLayout& layout = *layoutOf(c.format);
    for (int i = 0; i < 2000; ++i) {
      std::string line = sj(c.line);
      if (i % 3 == 0) {
        // Another name or number from column 67 (the dial mark of -a1, -a2).
        const std::size_t column = std::min<std::size_t>(line.size(), 67);
        line = line.substr(0, column) + names[random() % std::size(names)];
      }
      for (int k = static_cast<int>(random() % 4); k > 0; --k)
        line[random() % line.size()] = alphabet[random() % (sizeof alphabet - 1)];
      if (!isRecordLine(layout, line)) continue;
      SCOPED_TRACE(line);
      CallRecord call;
      const auto whole = nameOutcome([&] { return parseRecord(layout, line, call); });
      const auto alone = nameOutcome([&]() -> std::optional<std::string> {
        auto name = recordName(layout, line);
        return name ? std::optional<std::string>(*name) : std::nullopt;
      });
      EXPECT_EQ(alone, whole);
      ++outcomes[whole.second];
    }
  }
  EXPECT_GT(outcomes[0], 1000);   // names
  EXPECT_GT(outcomes[-1], 1000);  // numbers
  EXPECT_GT(outcomes[239], 10);   // broken -r records
}

struct LengthCase {
  LogFormat format;
  const char* line;
  std::size_t cutTo;   // 0: keep the line's length
  std::size_t padTo;   // 0: no padding with blanks
  const char* append;  // then appended
  bool record;
};

TEST(RecordLayout, LengthWindows) {
  const char* v1 = test::goodRecordLine(LogFormat::V1);  // 68 bytes
  const char* h = test::goodRecordLine(LogFormat::H);    // 63
  const char* mf = test::goodRecordLine(LogFormat::MF);  // 79
  const char* w = test::goodRecordLine(LogFormat::W);    // 64
  const char* t = test::goodRecordLine(LogFormat::T);
  const char* k = test::goodRecordLine(LogFormat::K);
  const LengthCase cases[] = {
      {LogFormat::V1, v1, 67, 0, "", false},
      {LogFormat::V1, v1, 0, 0, " ", false},  // 69
      {LogFormat::H, h, 62, 0, "", false},
      {LogFormat::H, h, 0, 0, "0", false},    // 64
      {LogFormat::MF, mf, 0, 0, " ", false},  // 80
      {LogFormat::W, w, 58, 0, "", true},
      {LogFormat::W, w, 0, 79, "", true},
      {LogFormat::W, w, 0, 80, "", false},
      {LogFormat::W, w, 0, 0, "                                                  ", false},
      {LogFormat::T, t, 0, 0, " ", false},   // does not end in "]"
      {LogFormat::T, t, 36, 0, "]", false},  // 37 bytes, but column 37 lies past the end
      {LogFormat::K, k, 0, 0, " ", false},
      {LogFormat::K, k, 40, 0, "]", false},
  };
  for (const LengthCase& c : cases) {
    std::string line = sj(c.line);
    if (c.cutTo) line.resize(c.cutTo);
    if (c.padTo) line.resize(c.padTo, ' ');
    line += c.append;
    EXPECT_EQ(test::isRecord(c.format, line), c.record) << c.line << " length " << line.size();
  }
}

}  // namespace
}  // namespace zelk
