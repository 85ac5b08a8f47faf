// The calls of one stored month, read and rated again, for the per-call view:
// the run keeps no calls, only where each month began.
#pragma once

#include <functional>

#include "run/calculation.h"
#include "run/rated_call.h"

namespace zelk {

// A replay that cannot find its month any more (the logs changed since the
// run so that the month is not where the run had it) ends with this code.
inline constexpr int kMonthNotReplayable = 3;

// Reads and rates the logs of `run` again for stored month `monthIndex` only
// (0 is the oldest) and hands each of its calls, in the order the run took
// them, to `onCall` as rated, with the tariff's units beside a logged fee.
// Months are not evaluated and zelk.cfg is neither read nor written; reading
// starts at the month's bookmark (from the start of the logs when the logs
// changed since the run). Throws FatalError (kMonthNotReplayable) when the
// month read again does not close on the stored month's closing date: no
// call of another month is handed out.
void replayMonth(const RunResult& run, int monthIndex, const std::function<void(const RatedCall&)>& onCall);

}  // namespace zelk
