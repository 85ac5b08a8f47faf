// The record layouts of the eleven log formats, as data: which columns a line
// must hold to be a record, and where each field of the call stands. One
// engine (record_engine.h) reads every format from these tables; the few
// rules that do not fit a column table are short hooks (format_rules.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/log_source.h"

namespace zelk {

// A log line is read into a buffer of this many bytes, terminator included:
// a longer line is cut after 255 bytes.
inline constexpr std::size_t kLogLineBuffer = 256;

// A text that must stand at a column. Written in UTF-8 here; a text with
// non-ASCII characters ("円", "～") is compared as its CP932 bytes.
struct ColumnTest {
  std::uint8_t column;
  std::string_view text;
};

// A field of fixed columns; width 0 means the format has no such field, and
// kToLineEnd means the field runs to the end of the line.
struct Span {
  std::int16_t column = 0;
  std::int16_t width = 0;
  bool present() const { return width != 0; }
};
inline constexpr std::int16_t kToLineEnd = -1;

struct ClockFields {
  Span hour{}, minute{}, second{};
};

// What a format logs about the time of a call.
enum class ClockRule : std::uint8_t {
  StartAndLength,  // start and length; duration is the length less one tenth
  EndAndLength,    // end and length (-t, -mf): start = end - length, field by field
  StartAndEnd,     // start and end (-h): duration is the exact difference
  StartOnly,       // start only (-nt): its hook reads the length
};

// Where the called number comes from.
enum class NumberRule : std::uint8_t {
  Digits,  // digitsOnly of the `number` span
  Name,    // a connection name in the `number` span, looked up in the name table
  Hook,    // the format's record hook fills the number or returns the name
};

// Tests a candidate line that passed the column tests; may cut the line.
using LineHook = bool (*)(std::string_view& line);
// Reads what the table cannot: fills the call's number (and the duration for
// StartOnly) or returns a connection name.
using RecordHook = std::optional<std::string> (*)(std::string_view line, CallRecord& call);
// Reads only the connection name the record hook would return.
using NameHook = std::optional<std::string_view> (*)(std::string_view line);

struct FormatLayout {
  LogFormat format;
  std::span<const ColumnTest> tests;
  std::size_t minLength = 0;
  std::size_t maxLength = kLogLineBuffer - 1;
  bool endsWithBracket = false;  // the last character must be "]"
  LineHook acceptLine = nullptr;

  bool twoDigitYear = false;
  Span year{}, month{}, day{};
  ClockRule clockRule = ClockRule::StartAndLength;
  ClockFields time{};    // the start, or the end for EndAndLength
  ClockFields length{};  // the length, or the end for StartAndEnd
  Span fee{};            // absent: the format logs no fee

  NumberRule numberRule = NumberRule::Digits;
  Span number{};
  RecordHook recordHook = nullptr;
  // Absent when the record hook never returns a name. A record skipped by
  // date still has its name looked up (an unknown one is shown and learned),
  // and this lets it do so without reading the rest.
  NameHook nameHook = nullptr;
};

// Format codes run from 0 to 11.
inline constexpr std::size_t kFormatCodes = static_cast<std::size_t>(LogFormat::A2) + 1;

// The layout of a format code; nullptr for a code that names no format.
const FormatLayout* layoutOf(LogFormat format);

// Every layout, for tests and the fuzz target.
std::span<const FormatLayout> allLayouts();

}  // namespace zelk
