// The cells of a bill row as values: the moment a call began, its length,
// its charge and the called number, each as carriers and spreadsheets write
// them. Each parser gives nothing for a cell that holds no such value (a
// subtotal's empty date, a note in the number column).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelk {

// Seconds since 1970-01-01 00:00:00 of the same clock as the logs: no time
// zone, no leap seconds.
using Moment = std::int64_t;

Moment momentOf(int year, int month, int day, int hour, int minute, int second);
// "YYYY-MM-DD HH:MM:SS".
std::string momentText(Moment moment);

struct BillDate {
  Moment midnight = 0;
  std::optional<int> secondOfDay;  // when the cell holds a time as well
};

// "2001/03/05", "2001-03-05", "2001.3.5", "2001年3月5日", each optionally
// followed by a time as parseClock reads it ("2001/03/05 10:04:31"). The
// year has four digits and the day exists.
std::optional<BillDate> parseBillDate(std::string_view cp932);

// "10:04:31", "10:04" or "10時04分31秒": the second of the day.
std::optional<int> parseClock(std::string_view cp932);

// "01:02:03", "62:03", "3723", "3723秒", "1時間2分3秒", "62分3秒": seconds.
std::optional<int> parseDuration(std::string_view cp932);

// "1,234", "¥1,234", "1234円", "-30", "12.5": hundredths of a yen.
std::optional<std::int64_t> parseYen(std::string_view cp932);

// The digits of a number written with hyphens, parentheses and spaces
// ("03-5421-8800", "(03) 5421 8800"), full-width ones included; nothing
// when anything else is left or no digit is.
std::optional<std::string> normaliseNumber(std::string_view cp932);

// Spaces (ASCII and full-width) cut off both ends.
std::string_view trimmed(std::string_view cp932);

}  // namespace zelk
