#include "logs/record_dates.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "logs/record_engine.h"

namespace zelk {
namespace {

constexpr int kDaySeconds = 86400;

std::uint64_t wordAt(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

bool isClockInRange(const CalendarTime& clock) {
  return static_cast<unsigned>(clock.hour) <= 23 && static_cast<unsigned>(clock.minute) <= 59 &&
         static_cast<unsigned>(clock.second) <= 59;
}

// The start's clock as seconds from the midnight of its logged date (clock
// fields are at most three digits wide): a format that logs the end and the
// length takes each field back on its own, and normalising those fields
// comes to the same moment.
int secondsIntoDay(const CalendarTime& clock) { return clock.hour * 3600 + clock.minute * 60 + clock.second; }

}  // namespace

RecordDates::RecordDates(const FormatLayout& layout) : layout_(layout) {
  const Span fields[] = {layout.year, layout.month, layout.day};
  std::size_t from = kLogLineBuffer, to = 0;
  for (const Span& field : fields) {
    // Every format's date is in fields of fixed width; one that were not
    // would always be dated in full.
    if (field.width <= 0) return;
    from = std::min(from, static_cast<std::size_t>(field.column));
    to = std::max(to, static_cast<std::size_t>(field.column + field.width));
  }
  if (to - from < 8 || to - from > dayBytes_.size()) return;
  dateColumn_ = from;
  dateWidth_ = to - from;
}

// The date is 8 to 16 bytes wide: its first and its last eight bytes.
bool RecordDates::sameDay(std::string_view line) const {
  if (!dayKnown_ || line.size() < dateColumn_ + dateWidth_) return false;
  const char* date = line.data() + dateColumn_;
  const std::size_t last = dateWidth_ - 8;
  return wordAt(date) == wordAt(dayBytes_.data()) && wordAt(date + last) == wordAt(dayBytes_.data() + last);
}

bool RecordDates::startOf(std::string_view line, CalendarTime& start) {
  if (sameDay(line)) {
    // The same bytes give the same date fields: only the clock is read.
    CalendarTime clock;
    parseStartClock(layout_, line, clock);
    // Most clocks are in range as logged; a start taken back from an end
    // often holds a negative field.
    if (isClockInRange(clock)) {
      start = day_;
      start.hour = clock.hour;
      start.minute = clock.minute;
      start.second = clock.second;
      return true;
    }
    const int seconds = secondsIntoDay(clock);
    if (seconds >= 0 && seconds < kDaySeconds) {
      start = day_;
      start.hour = seconds / 3600;
      start.minute = seconds / 60 % 60;
      start.second = seconds % 60;
      return true;
    }
  }
  parseCallStart(layout_, line, logged_);
  learnDay(line, logged_.start);
  start = logged_.start;
  return normalise(start);
}

// Keeps the logged date as the day later records may share when it is a
// real date: one normalising leaves as it is. Normalising a start within
// that day then comes to the same moment as the seconds into it: clock
// fields are at most three digits wide, so a start worked back from them
// borrows a few days at most, which never leaves the calendar after its
// first year.
void RecordDates::learnDay(std::string_view line, const CalendarTime& logged) {
  dayKnown_ = false;
  if (dateWidth_ == 0 || line.size() < dateColumn_ + dateWidth_) return;
  CalendarTime midnight;
  midnight.year = logged.year;
  midnight.month = logged.month;
  midnight.day = logged.day;
  CalendarTime normalised = midnight;
  if (!normalise(normalised) || normalised.year != midnight.year || normalised.month != midnight.month ||
      normalised.day != midnight.day || normalised.year < 1)
    return;
  std::memcpy(dayBytes_.data(), line.data() + dateColumn_, dateWidth_);
  day_ = normalised;
  dayKnown_ = true;
}

}  // namespace zelk
