#include "tariff/running_clock.h"

#include <algorithm>
#include <limits>

#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// The band of a moment can only change at 08:00, 19:00 and 23:00; from 23:00
// it is late night until 08:00 the next day, whatever that day is.
std::int64_t secondsToBandEdge(const CalendarTime& moment) {
  int edgeHour = 24 + 8;
  for (int hour : {8, 19, 23}) {
    if (moment.hour < hour) {
      edgeHour = hour;
      break;
    }
  }
  return edgeHour * std::int64_t{3600} - (moment.hour * 3600 + moment.minute * 60 + moment.second);
}

}  // namespace

std::int64_t secondsOf(std::int64_t units, std::int32_t length, int halfSeconds) {
  const std::int64_t whole = units * (length / 10);
  return length % 10 != 0 ? whole + (halfSeconds + units) / 2 : whole;
}

RunningClock::RunningClock(const CalendarTime& start)
    : now_(start),
      band_(tariffBandOf(timeSlotOf(start))),
      state_(isNormalised(start) ? State::Normalised : State::Unchecked) {}

std::int64_t RunningClock::unitsStartingInBand(std::int32_t length, int halfSeconds) const {
  switch (state_) {
    case State::Unchecked: return 1;  // the next normalisation may move any field
    case State::Fixed: return std::numeric_limits<std::int64_t>::max();
    case State::Normalised: break;
  }
  // The units that start before the edge are those that begin less than
  // `left` seconds from now: the smallest count whose seconds reach the edge.
  const std::int64_t left = secondsToBandEdge(now_);
  const std::int64_t whole = length / 10;
  if (length % 10 == 0) return (left + whole - 1) / whole;
  // n units with a tenths part take between (n * (2 * whole + 1) - 1) / 2
  // and (n * (2 * whole + 1) + 1) / 2 seconds, so this estimate lies at most
  // four units short and never too high.
  std::int64_t units = std::max<std::int64_t>(0, 2 * left / (2 * whole + 1) - 2);
  while (secondsOf(units, length, halfSeconds) < left) ++units;
  return units;
}

void RunningClock::advance(std::int64_t seconds) {
  // Most advances stay within the day: the date, and so whether it is a
  // working day, stays, and the band can only change with the hour.
  if (state_ == State::Normalised && seconds >= 0) {
    const std::int64_t secondOfDay = now_.hour * 3600 + now_.minute * 60 + now_.second + seconds;
    if (secondOfDay < kSecondsPerDay) {
      const int hour = static_cast<int>(secondOfDay / 3600);
      now_.minute = static_cast<int>(secondOfDay / 60 % 60);
      now_.second = static_cast<int>(secondOfDay % 60);
      if (hour != now_.hour) {
        now_.hour = hour;
        band_ = tariffBandOf(timeSlotOf(now_));
      }
      return;
    }
  }
  // A start read from a broken line may hold any second count; the clock
  // stops at the largest one rather than overflow.
  constexpr std::int64_t kMax = std::numeric_limits<int>::max();
  constexpr std::int64_t kMin = std::numeric_limits<int>::min();
  now_.second = static_cast<int>(std::clamp(now_.second + seconds, kMin, kMax));
  if (normalise(now_)) {
    state_ = State::Normalised;
  } else {
    settleAfterFailure();
    reportDateError();
  }
  band_ = tariffBandOf(timeSlotOf(now_));
}

void RunningClock::settleAfterFailure() {
  // A record with a year before 1900 never normalises. One whose fields are
  // all at least their smallest value borrows nothing, so its moment only
  // moves on as seconds are added and stays past the last day; the band,
  // which the second does not decide, stays too. Other records may still be
  // folded by a later normalisation.
  const CalendarTime& t = now_;
  const bool fixed = t.year < 0 || (t.second >= 0 && t.minute >= 0 && t.hour >= 0 &&
                                    t.day >= 1 && t.month >= 0 && t.month <= 11);
  state_ = fixed ? State::Fixed : State::Unchecked;
}

void RunningClock::reportDateError() {
  if (reported_) return;
  reported_ = true;
  static const std::string message = sjis("検針日が設定できません(-_-)\n");
  showMessage(message);
}

}  // namespace zelk
