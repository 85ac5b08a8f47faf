#include "logs/format_rules.h"

#include <array>
#include <cstdint>
#include <limits>

#include "base/text.h"
#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {
namespace {

// Text from `column` to the end, empty when the line is shorter.
std::string_view from(std::string_view line, std::size_t column) {
  return column < line.size() ? line.substr(column) : std::string_view();
}

bool hasDialMark(std::string_view line) {
  return line.size() > kDialMarkColumn &&
         (line[kDialMarkColumn] == 'P' || line[kDialMarkColumn] == 'T');
}

// The -r record's exit code when its name field is missing.
constexpr int kBrokenRecordExit = 239;

}  // namespace

std::string_view cutAtTrailingComma(std::string_view line) {
  std::size_t lastFour = line.size() >= 4 ? line.size() - 4 : 0;
  std::size_t comma = line.find(',', lastFour);
  return comma == std::string_view::npos ? line : line.substr(0, comma);
}

bool isDialledText(std::string_view line) {
  static constexpr auto kDialChars = [] {
    std::array<bool, 256> dial{};
    for (unsigned char c : std::string_view("0123456789(),-")) dial[c] = true;
    return dial;
  }();
  for (char c : from(line, kDialMarkColumn + 1))
    if (!kDialChars[static_cast<unsigned char>(c)]) return false;
  return true;
}

bool acceptDialledLine(std::string_view& line) {
  if (!hasDialMark(line)) return false;
  line = cutAtTrailingComma(line);
  return isDialledText(line);
}

namespace {

// A line with a dial mark, cut at a trailing comma, and whether it then holds
// a dialled number. Only such a line is cut: a connection name without the
// mark keeps its commas.
struct AccessLogText {
  std::string_view line;
  bool dialled = false;
};

AccessLogText accessLogText(std::string_view line) {
  if (!hasDialMark(line)) return {line};
  line = cutAtTrailingComma(line);
  return {line, isDialledText(line)};
}

}  // namespace

std::optional<std::string> readAccessLogNumber(std::string_view line, CallRecord& call) {
  const AccessLogText text = accessLogText(line);
  if (text.dialled) {
    digitsOnlyInto(call.number, from(text.line, kDialMarkColumn + 1));
    return std::nullopt;
  }
  return std::string(from(text.line, kDialMarkColumn));
}

std::optional<std::string_view> accessLogName(std::string_view line) {
  const AccessLogText text = accessLogText(line);
  if (text.dialled) return std::nullopt;
  return from(text.line, kDialMarkColumn);
}

namespace {

constexpr std::size_t kTabNumberColumn = 17;

struct TabFields {
  std::string_view number;
  std::string_view seconds;
};

// The number field (column 17 up to the next tab) and the length field after
// it; nothing when either lacks its closing tab.
std::optional<TabFields> tabFields(std::string_view line) {
  if (line.size() <= kTabNumberColumn) return std::nullopt;
  std::size_t numberEnd = line.find('\t', kTabNumberColumn);
  if (numberEnd == std::string_view::npos) return std::nullopt;
  std::size_t secondsEnd = line.find('\t', numberEnd + 1);
  if (secondsEnd == std::string_view::npos) return std::nullopt;
  return TabFields{line.substr(kTabNumberColumn, numberEnd - kTabNumberColumn),
                   line.substr(numberEnd + 1, secondsEnd - numberEnd - 1)};
}

}  // namespace

bool acceptTabFields(std::string_view& line) { return tabFields(line).has_value(); }

std::optional<std::string> readTabFields(std::string_view line, CallRecord& call) {
  auto fields = tabFields(line);
  if (!fields) return std::nullopt;  // the line test keeps such lines out
  digitsOnlyInto(call.number, fields->number);
  // The length is free text of any size: keep its tenths within the field's range.
  long long tenths = static_cast<long long>(readDecimal(fields->seconds)) * 10 - 1;
  constexpr long long kMax = std::numeric_limits<std::int32_t>::max();
  call.duration = static_cast<std::int32_t>(tenths > kMax ? kMax : tenths);
  return std::nullopt;
}

std::optional<std::string> readBracketNumber(std::string_view line, CallRecord& call) {
  if (!line.empty() && line.back() == ']') line.remove_suffix(1);
  std::size_t open = line.rfind('[');
  if (open == std::string_view::npos)
    call.number.clear();
  else
    digitsOnlyInto(call.number, line.substr(open + 1));
  return std::nullopt;
}

std::optional<std::string_view> commaName(std::string_view line) {
  constexpr std::size_t kFourthField = 29;
  std::size_t fourthEnd = line.find(',', kFourthField);
  std::size_t fifthEnd =
      fourthEnd == std::string_view::npos ? fourthEnd : line.find(',', fourthEnd + 1);
  if (fifthEnd == std::string_view::npos)
    fatalExit(kBrokenRecordExit, sjis("なんか変な行がある(=_=)"));
  std::string_view name = line.substr(fifthEnd + 1);
  return name.substr(0, name.find(','));
}

std::optional<std::string> readCommaName(std::string_view line, CallRecord&) {
  return std::string(*commaName(line));
}

}  // namespace zelk
