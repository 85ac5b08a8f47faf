#include "tariff/running_clock.h"

#include <algorithm>
#include <limits>

#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {

void RunningClock::advance(std::int64_t seconds) {
  // A call is walked in units of seconds, most of which end in the hour they
  // start in: there the normalised clock only changes its minute and second,
  // and the band, which depends on the hour and the date, stays.
  if (normalised_ && seconds >= 0) {
    const std::int64_t secondOfHour = now_.minute * 60 + now_.second + seconds;
    if (secondOfHour < 3600) {
      now_.minute = static_cast<int>(secondOfHour / 60);
      now_.second = static_cast<int>(secondOfHour % 60);
      return;
    }
  }
  // A start read from a broken line may hold any second count; the clock
  // stops at the largest one rather than overflow.
  constexpr std::int64_t kMax = std::numeric_limits<int>::max();
  constexpr std::int64_t kMin = std::numeric_limits<int>::min();
  now_.second = static_cast<int>(std::clamp(now_.second + seconds, kMin, kMax));
  normalised_ = normalise(now_);
  if (!normalised_) reportDateError();
  band_ = tariffBandOf(timeSlotOf(now_));
}

void RunningClock::reportDateError() {
  if (reported_) return;
  reported_ = true;
  showMessage(sjis("検針日が設定できません(-_-)\n"));
}

}  // namespace zelk
