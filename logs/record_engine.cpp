#include "logs/record_engine.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/cp932.h"

namespace zelk {
namespace {

// The column tests as eight-byte words: every text is split into its CP932
// bytes and those are gathered into the words of the line's first `reach`
// bytes (the end of the furthest text, which also stands for "a column past
// the end of the line fails"), so a line is tested by a few masked compares.
// The last word ends at `reach`, overlapping the one before it, so no byte
// past `reach` is read.
struct WordTest {
  std::size_t column;
  std::uint64_t mask, bytes;
};

struct LineTests {
  std::vector<WordTest> words;
  std::size_t reach = 0;
};

std::uint64_t wordAt(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

LineTests lineTestsOf(const FormatLayout& layout) {
  std::string expected, tested;  // by column: the byte, and 0xFF where a byte is tested
  for (const ColumnTest& test : layout.tests) {
    const std::string bytes = sjis(test.text);
    if (expected.size() < test.column + bytes.size()) {
      expected.resize(test.column + bytes.size());
      tested.resize(expected.size());
    }
    bytes.copy(expected.data() + test.column, bytes.size());
    std::fill_n(tested.begin() + test.column, bytes.size(), '\xFF');
  }
  // Every format tests some column past the eighth; a word is never read
  // from a shorter line.
  if (expected.size() < 8) throw std::logic_error("column tests end before the eighth column");
  LineTests tests;
  tests.reach = expected.size();
  for (std::size_t column = 0; column < expected.size(); column += 8) {
    const std::size_t from = std::min(column, expected.size() - 8);
    const std::uint64_t mask = wordAt(tested.data() + from);
    if (mask != 0) tests.words.push_back({from, mask, wordAt(expected.data() + from) & mask});
  }
  return tests;
}

// Every layout's tests, converted once, by format code.
const LineTests& lineTests(const FormatLayout& layout) {
  static const auto tables = [] {
    std::array<LineTests, kFormatCodes> converted;
    for (const FormatLayout& each : allLayouts())
      converted[static_cast<std::size_t>(each.format)] = lineTestsOf(each);
    return converted;
  }();
  return tables[static_cast<std::size_t>(layout.format)];
}

std::string_view spanText(std::string_view line, Span span) {
  auto column = static_cast<std::size_t>(span.column);
  if (!span.present() || column >= line.size()) return {};
  return span.width == kToLineEnd ? line.substr(column)
                                  : line.substr(column, static_cast<std::size_t>(span.width));
}

// Fields are at most five columns wide, so the value always fits.
int anyField(std::string_view line, Span span) {
  return static_cast<int>(readDecimal(spanText(line, span)));
}

inline unsigned digitAt(std::string_view line, std::size_t column) {
  return static_cast<unsigned char>(line[column]) - unsigned{'0'};  // above 9 for a non-digit
}

// Most fields are two digits (month, day, clock) or four (the year), read
// here at once; blanks, other widths, other characters and a short line take
// the general reading.
inline int field(std::string_view line, Span span) {
  const auto column = static_cast<std::size_t>(span.column);
  if (span.width == 2 && column + 2 <= line.size()) {
    const unsigned tens = digitAt(line, column);
    const unsigned ones = digitAt(line, column + 1);
    if (tens <= 9 && ones <= 9) return static_cast<int>(tens * 10 + ones);
  } else if (span.width == 4 && column + 4 <= line.size()) {
    const unsigned d0 = digitAt(line, column), d1 = digitAt(line, column + 1);
    const unsigned d2 = digitAt(line, column + 2), d3 = digitAt(line, column + 3);
    if (d0 <= 9 && d1 <= 9 && d2 <= 9 && d3 <= 9)
      return static_cast<int>(d0 * 1000 + d1 * 100 + d2 * 10 + d3);
  }
  return anyField(line, span);
}

struct Clock {
  int hour, minute, second;
};

Clock clockOf(std::string_view line, const ClockFields& fields) {
  return {field(line, fields.hour), field(line, fields.minute), field(line, fields.second)};
}

int tenthsOf(const Clock& clock) {
  return clock.hour * 36000 + clock.minute * 600 + clock.second * 10;
}

// Two-digit years: 0 to 80 are 2000 to 2080, 81 to 99 are 1981 to 1999.
int yearsSince1900(int logged, bool twoDigits) {
  if (!twoDigits) return logged - 1900;
  return logged <= 80 ? logged + 100 : logged;
}

constexpr int kDayTenths = 864000;

}  // namespace

bool isRecordLine(const FormatLayout& layout, std::string_view& line) {
  if (line.size() < layout.minLength || line.size() > layout.maxLength) return false;
  if (layout.endsWithBracket && (line.empty() || line.back() != ']')) return false;
  const LineTests& tests = lineTests(layout);
  if (line.size() < tests.reach) return false;
  std::uint64_t differ = 0;
  for (const WordTest& test : tests.words)
    differ |= (wordAt(line.data() + test.column) & test.mask) ^ test.bytes;
  if (differ != 0) return false;
  return !layout.acceptLine || layout.acceptLine(line);
}

bool isRecordLine(const FormatLayout& layout, std::string& line) {
  std::string_view view = line;
  const bool record = isRecordLine(layout, view);
  line.resize(view.size());
  return record;
}

bool findRecord(const FormatLayout& layout, LineReader& file, std::string_view& line) {
  while (file.readTextLineView(line, kLogLineBuffer)) {
    if (isRecordLine(layout, line)) return true;
  }
  return false;
}

namespace {

// The start's clock; for a format that logs the end, `length` is what it
// is taken back by. Each field is taken back on its own; normalisation
// carries the negative ones into the previous minute, hour or day.
void readStartClock(const FormatLayout& layout, std::string_view line, CalendarTime& start, Clock& length) {
  Clock time = clockOf(line, layout.time);
  if (layout.clockRule == ClockRule::EndAndLength) {
    length = clockOf(line, layout.length);
    time = {time.hour - length.hour, time.minute - length.minute, time.second - length.second};
  }
  start.hour = time.hour;
  start.minute = time.minute;
  start.second = time.second;
}

}  // namespace

void parseCallStart(const FormatLayout& layout, std::string_view line, CallRecord& call) {
  CalendarTime& start = call.start;
  start.year = yearsSince1900(field(line, layout.year), layout.twoDigitYear);
  start.month = field(line, layout.month) - 1;
  start.day = field(line, layout.day);
  start.daylight = -1;
  Clock length{};
  readStartClock(layout, line, start, length);
  if (layout.clockRule == ClockRule::EndAndLength) call.duration = tenthsOf(length) - 1;
}

void parseStartClock(const FormatLayout& layout, std::string_view line, CalendarTime& start) {
  Clock length{};
  readStartClock(layout, line, start, length);
}

namespace {

// The duration where the start does not depend on it, read only for a call
// that is kept.
void parseDuration(const FormatLayout& layout, std::string_view line, CallRecord& call) {
  switch (layout.clockRule) {
    case ClockRule::StartAndLength:
      call.duration = tenthsOf(clockOf(line, layout.length)) - 1;
      break;
    case ClockRule::EndAndLength:
      break;  // read with the start
    case ClockRule::StartAndEnd:
      // The exact difference; a call over midnight ends on the next day.
      call.duration = tenthsOf(clockOf(line, layout.length)) - tenthsOf(clockOf(line, layout.time));
      if (call.duration < 0) call.duration += kDayTenths;
      break;
    case ClockRule::StartOnly:
      call.duration = 0;  // the format's hook reads the length
      break;
  }
}

}  // namespace

std::optional<std::string> parseCallRest(const FormatLayout& layout, std::string_view line,
                                         CallRecord& call) {
  parseDuration(layout, line, call);
  call.fee = layout.fee.present() ? field(line, layout.fee) : -1;
  call.number.clear();
  switch (layout.numberRule) {
    case NumberRule::Digits:
      digitsOnlyInto(call.number, spanText(line, layout.number));
      return std::nullopt;
    case NumberRule::Name:
      return std::string(spanText(line, layout.number));
    case NumberRule::Hook:
      break;
  }
  return layout.recordHook(line, call);
}

std::optional<std::string> parseRecord(const FormatLayout& layout, std::string_view line,
                                       CallRecord& call) {
  parseCallStart(layout, line, call);
  return parseCallRest(layout, line, call);
}

std::optional<std::string_view> recordName(const FormatLayout& layout, std::string_view line) {
  switch (layout.numberRule) {
    case NumberRule::Digits:
      return std::nullopt;
    case NumberRule::Name:
      return spanText(line, layout.number);
    case NumberRule::Hook:
      break;
  }
  return layout.nameHook ? layout.nameHook(line) : std::nullopt;
}

}  // namespace zelk
