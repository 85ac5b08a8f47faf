// The one engine that reads every format from its layout table: the line
// finder, which skips lines until one is a record, and the record parser,
// which fills a CallRecord from that line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/log_source.h"
#include "base/text.h"
#include "logs/log_layout.h"

namespace zelk {

// True when `line` is a record of the layout: every column test, the length
// window, the final "]" and the format's own line test. A column past the end
// of the line fails its test. The format's line test may cut the line.
bool isRecordLine(const FormatLayout& layout, std::string_view& line);
bool isRecordLine(const FormatLayout& layout, std::string& line);

// Reads lines of 256-byte buffers until one is a record; false at the end of
// the file. A NUL byte ends a line's text, as it ends a C string in the
// programs that write these logs. `line` views the file's block and is valid
// until the next read of `file`.
bool findRecord(const FormatLayout& layout, LineReader& file, std::string_view& line);

// Fills `call` from a record line. Start fields are stored as logged (they
// may be out of range before normalisation); weekday and day of the year are
// left as they were. Returns the connection name when the format logs a name
// instead of a number; `call.number` is then for the caller to fill.
// The same as parseCallStart followed by parseCallRest.
std::optional<std::string> parseRecord(const FormatLayout& layout, std::string_view line,
                                       CallRecord& call);

// The start fields of parseRecord, and the duration only where the start is
// worked back from it (a format that logs the end and the length).
void parseCallStart(const FormatLayout& layout, std::string_view line, CallRecord& call);

// Only the clock fields parseCallStart gives the start (hour, minute and
// second, as logged or taken back from the end), for a record whose date
// fields are known already.
void parseStartClock(const FormatLayout& layout, std::string_view line, CalendarTime& start);

// The rest of parseRecord: duration, fee, number or connection name, and the
// format's hook, which may end the run on a broken record. Leaves the start
// alone.
std::optional<std::string> parseCallRest(const FormatLayout& layout, std::string_view line,
                                         CallRecord& call);

// The connection name parseRecord would return, read without the rest of the
// record (and ending the run on a broken record as parseRecord does).
std::optional<std::string_view> recordName(const FormatLayout& layout, std::string_view line);

}  // namespace zelk
