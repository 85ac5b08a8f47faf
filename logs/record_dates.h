// The normalised start of each record of one log, read in order: a log holds
// many calls a day in date order, so a record whose date columns hold the
// bytes of the day last dated, and whose start falls within that day, takes
// that day's date as it is, without the fields of the date being read or the
// calendar worked out again.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "base/calendar.h"
#include "base/log_source.h"
#include "logs/log_layout.h"

namespace zelk {

class RecordDates {
 public:
  explicit RecordDates(const FormatLayout& layout);

  // The start parseCallStart reads from a record line, normalised into
  // `start`; false when it cannot be normalised (`start` then holds what
  // normalise left in it).
  bool startOf(std::string_view line, CalendarTime& start);

 private:
  bool sameDay(std::string_view line) const;
  void learnDay(std::string_view line, const CalendarTime& logged);

  const FormatLayout& layout_;
  std::size_t dateColumn_ = 0;  // the date fields' first column
  std::size_t dateWidth_ = 0;   // up to the end of the last of them
  std::array<char, 16> dayBytes_{};
  bool dayKnown_ = false;
  CalendarTime day_;  // the day of dayBytes_, at midnight, normalised
  CallRecord logged_;  // a record dated in full, as parseCallStart reads it
};

}  // namespace zelk
