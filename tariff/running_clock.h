// The clock that walks a call unit by unit (or step by step) so that each unit
// is rated by the tariff band in which it starts. Units that start in one band
// are taken together: the clock tells how many of them start before the band
// can change, and moves past them at once.
#pragma once

#include <cstdint>

#include "base/calendar.h"
#include "tariff/tariff_tables.h"

namespace zelk {

class RunningClock {
 public:
  explicit RunningClock(const CalendarTime& start);

  // The tariff band of the clock's moment.
  TariffBand band() const { return band_; }

  // How many units of `length` tenths of a second, laid one after another
  // from now, start before the band can next change: at least 1 (the unit
  // that starts now). `halfSeconds` is the walk's carry of half seconds (0 or
  // 1); see secondsOf.
  std::int64_t unitsStartingInBand(std::int32_t length, int halfSeconds) const;

  // Moves the clock on by `seconds` and normalises it. A clock that cannot be
  // normalised (a call running past the last representable day, or a start
  // that was never a valid date) keeps going with its fields unfolded; the
  // user hears of it once per clock, not once per unit.
  void advance(std::int64_t seconds);

  const CalendarTime& now() const { return now_; }

  // Shows the date-error message for this call now, and not again.
  void reportDateError();

 private:
  enum class State : std::uint8_t {
    Unchecked,   // the fields may be unfolded and a normalisation may still change them
    Normalised,  // a valid moment
    Fixed,       // off the calendar for good: no later moment normalises, the band stays
  };

  void settleAfterFailure();

  CalendarTime now_;
  TariffBand band_;
  State state_;
  bool reported_ = false;
};

// Whole seconds that `units` units of `length` tenths of a second move a
// clock on: a length with a tenths part (22.5 s) moves it by its whole
// seconds, and every second such unit by one more; `halfSeconds` (0 or 1) is
// the carry from the units before.
std::int64_t secondsOf(std::int64_t units, std::int32_t length, int halfSeconds);

}  // namespace zelk
