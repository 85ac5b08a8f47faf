// Today's date: the local clock, or ZELK_TODAY=YYYY-MM-DD when it is set (so
// runs and tests can be pinned to a day). Only the date is used; the time of
// day is always taken as 00:00:00.
#pragma once

#include <optional>
#include <string_view>

namespace zelk {

struct LocalDate {
  int year = 0;   // e.g. 2000
  int month = 0;  // 1-12
  int day = 0;    // 1-31
};

// Today from ZELK_TODAY when set and well-formed, else from the local clock.
LocalDate today();

// Parses "YYYY-MM-DD"; nothing when the text is not of that form.
std::optional<LocalDate> parseIsoDate(std::string_view text);

}  // namespace zelk
