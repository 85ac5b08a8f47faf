#include "logs/record_engine.h"

#include <cstring>
#include <unordered_map>

#include "platform/cp932.h"

namespace zelk {
namespace {

bool isAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// The CP932 bytes of every layout's non-ASCII column texts, converted once
// rather than looked up for every line of a log.
const std::unordered_map<const char*, std::string>& convertedTestTexts() {
  static const auto texts = [] {
    std::unordered_map<const char*, std::string> converted;
    for (const FormatLayout& layout : allLayouts())
      for (const ColumnTest& test : layout.tests)
        if (!isAscii(test.text)) converted.emplace(test.text.data(), sjis(test.text));
    return converted;
  }();
  return texts;
}

// The CP932 bytes of a test text; ASCII texts are their own bytes.
std::string_view bytesOf(std::string_view text) {
  if (isAscii(text)) return text;
  const auto& converted = convertedTestTexts();
  const auto found = converted.find(text.data());
  return found != converted.end() ? std::string_view(found->second) : sjis(text);
}

bool hasTextAt(std::string_view line, std::size_t column, std::string_view text) {
  if (column > line.size() || line.size() - column < text.size()) return false;
  // Most tests are one separator character: no call to compare them.
  if (text.size() == 1) return line[column] == text[0];
  return line.compare(column, text.size(), text) == 0;
}

std::string_view spanText(std::string_view line, Span span) {
  auto column = static_cast<std::size_t>(span.column);
  if (!span.present() || column >= line.size()) return {};
  return span.width == kToLineEnd ? line.substr(column)
                                  : line.substr(column, static_cast<std::size_t>(span.width));
}

int field(std::string_view line, Span span) {
  // Fields are at most five columns wide, so the value always fits.
  return static_cast<int>(readDecimal(spanText(line, span)));
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

bool isRecordLine(const FormatLayout& layout, std::string& line) {
  if (line.size() < layout.minLength || line.size() > layout.maxLength) return false;
  if (layout.endsWithBracket && (line.empty() || line.back() != ']')) return false;
  for (const ColumnTest& test : layout.tests)
    if (!hasTextAt(line, test.column, bytesOf(test.text))) return false;
  return !layout.acceptLine || layout.acceptLine(line);
}

bool findRecord(const FormatLayout& layout, LineReader& file, std::string& line) {
  while (file.readLine(line, kLogLineBuffer)) {
    line.resize(std::strlen(line.c_str()));
    if (isRecordLine(layout, line)) return true;
  }
  return false;
}

std::optional<std::string> parseRecord(const FormatLayout& layout, std::string_view line,
                                       CallRecord& call) {
  CalendarTime& start = call.start;
  start.year = yearsSince1900(field(line, layout.year), layout.twoDigitYear);
  start.month = field(line, layout.month) - 1;
  start.day = field(line, layout.day);
  start.daylight = -1;

  Clock time = clockOf(line, layout.time);
  Clock other = clockOf(line, layout.length);
  switch (layout.clockRule) {
    case ClockRule::StartAndLength:
      call.duration = tenthsOf(other) - 1;
      break;
    case ClockRule::EndAndLength:
      // Each field is taken back on its own; normalisation carries the
      // negative ones into the previous minute, hour or day.
      time = {time.hour - other.hour, time.minute - other.minute, time.second - other.second};
      call.duration = tenthsOf(other) - 1;
      break;
    case ClockRule::StartAndEnd:
      // The exact difference; a call over midnight ends on the next day.
      call.duration = tenthsOf(other) - tenthsOf(time);
      if (call.duration < 0) call.duration += kDayTenths;
      break;
    case ClockRule::StartOnly:
      call.duration = 0;  // the format's hook reads the length
      break;
  }
  start.hour = time.hour;
  start.minute = time.minute;
  start.second = time.second;

  call.fee = layout.fee.present() ? field(line, layout.fee) : -1;
  call.number.clear();
  switch (layout.numberRule) {
    case NumberRule::Digits:
      call.number = digitsOnly(spanText(line, layout.number));
      return std::nullopt;
    case NumberRule::Name:
      return std::string(spanText(line, layout.number));
    case NumberRule::Hook:
      break;
  }
  return layout.recordHook(line, call);
}

}  // namespace zelk
