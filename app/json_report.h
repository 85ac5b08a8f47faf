#pragma once

#include <string>
#include <vector>

#include "platform/messages.h"
#include "run/calculation.h"

namespace zelk {

// The --json result: the stored months oldest first, the estimate factor and
// slot, every non-fatal message in order, and the fatal condition if any.
// Each month and the estimate also name their plan fees ("plans") and split
// their call list ("callList"); `withSummary` adds the year summary
// ("summary"). UTF-8, one object, ending in a line feed.
std::string jsonReport(const RunResult& run, const std::vector<std::string>& cp932Messages,
                       const FatalError* fatal, bool withSummary = false);

}  // namespace zelk
