#pragma once

#include <string>
#include <vector>

#include "engine/calculation_run.h"
#include "platform/messages.h"

namespace zelk {

// The --json result: the stored months oldest first, the estimate factor and
// slot, every non-fatal message in order, and the fatal condition if any.
// UTF-8, one object, ending in a line feed.
std::string jsonReport(const CalculationRun& run, const std::vector<std::string>& cp932Messages,
                       const FatalError* fatal);

}  // namespace zelk
