// Today's date: the local clock, or a date the user gave (--today=, or
// ZELK_TODAY=YYYY-MM-DD) so that runs can be pinned to a day. Only the date is
// used; the time of day is always taken as 00:00:00.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelk {

struct LocalDate {
  int year = 0;   // e.g. 2000
  int month = 0;  // 1-12
  int day = 0;    // 1-31
  bool operator==(const LocalDate&) const = default;
};

// Today: the date set with setToday, else ZELK_TODAY when set and
// well-formed, else the local clock.
LocalDate today();

// Pins today for the rest of the process (--today=); nothing unpins it.
void setToday(std::optional<LocalDate> date);

// The date setToday pinned, if any.
std::optional<LocalDate> pinnedToday();

// Parses "YYYY-MM-DD" of a day that exists (no 30 February); nothing when the
// text is not of that form.
std::optional<LocalDate> parseIsoDate(std::string_view text);

// "YYYY-MM-DD".
std::string isoDateText(const LocalDate& date);

}  // namespace zelk
