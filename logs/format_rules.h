// The few rules of single formats that a column table cannot say: the dial
// mark of the AirCraft97 logs, the tab fields of -nt, the bracketed number of
// -t and -k, and the comma fields of -r.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/log_source.h"

namespace zelk {

// -a1, -a2: column 67 holds "P" or "T" before a dialled number.
inline constexpr std::size_t kDialMarkColumn = 67;

// The line cut at the first comma among its last four characters (a result
// such as ",OK" that the program appends to the dialled text), or unchanged.
std::string_view cutAtTrailingComma(std::string_view line);

// True when every character after the dial mark is one of "0123456789(),-".
bool isDialledText(std::string_view line);

// -a1 line test: a dial mark and a dialled text after it; cuts the line at a
// trailing comma. A line with a connection name instead, or with anything
// but dial characters after the mark, is skipped like any other line.
bool acceptDialledLine(std::string_view& line);

// -a2: the dialled number after a dial mark, or else a connection name from
// column 67 on.
std::optional<std::string> readAccessLogNumber(std::string_view line, CallRecord& call);

// -a2: the connection name alone; nothing for a dialled number.
std::optional<std::string_view> accessLogName(std::string_view line);

// -nt line test: the number field and the length field both end in a tab.
bool acceptTabFields(std::string_view& line);

// -nt: the number field and the length in seconds.
std::optional<std::string> readTabFields(std::string_view line, CallRecord& call);

// -t, -k: the number between the last "[" and the final "]" (the empty
// number when the line has no "[").
std::optional<std::string> readBracketNumber(std::string_view line, CallRecord& call);

// -r: the sixth comma field is the connection name. A record line without it
// is fatal (exit 239).
std::optional<std::string> readCommaName(std::string_view line, CallRecord& call);

// -r: the connection name alone, with the same exit for a broken record.
std::optional<std::string_view> commaName(std::string_view line);

}  // namespace zelk
