// The clock that walks a call unit by unit (or step by step) so that each unit
// is rated by the tariff band in which it starts.
#pragma once

#include <cstdint>

#include "engine/calendar.h"
#include "tariff/tariff_tables.h"

namespace zelk {

class RunningClock {
 public:
  explicit RunningClock(const CalendarTime& start)
      : now_(start), band_(tariffBandOf(timeSlotOf(start))) {}

  // The tariff band of the clock's moment.
  TariffBand band() const { return band_; }

  // Moves the clock on by `seconds` and normalises it. A clock that cannot be
  // normalised (a call running past the last representable day, or a start
  // that was never a valid date) keeps going with its fields unfolded; the
  // user hears of it once per clock, not once per unit.
  void advance(std::int64_t seconds);

  const CalendarTime& now() const { return now_; }

  // Shows the date-error message for this call now, and not again.
  void reportDateError();

 private:
  CalendarTime now_;
  TariffBand band_;
  bool normalised_ = false;  // the clock has been normalised since the start
  bool reported_ = false;
};

}  // namespace zelk
