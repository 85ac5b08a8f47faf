#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "run/calculation.h"

namespace zelk {

// The version of the JSON objects zelk prints (docs/zelk-*.schema.json),
// their "schemaVersion": raised when a field changes meaning or goes, not when
// one is added at the end of an object.
inline constexpr int kJsonSchemaVersion = 1;

// The "fatal" field of every JSON object: null, or the code and message of
// the condition that ended the run.
nlohmann::ordered_json fatalJson(const FatalError* fatal);

// The --json result: the stored months oldest first, the estimate factor and
// slot, every non-fatal message in order, and the fatal condition if any.
// Each month and the estimate also name their plan fees ("plans") and split
// their call list ("callList"); `withSummary` adds the year summary
// ("summary"). Each month and the estimate end with their first and last day
// ("periodStart", "closingDate"), the object with "schemaVersion". UTF-8, one
// object, ending in a line feed.
std::string jsonReport(const RunResult& run, const std::vector<std::string>& cp932Messages,
                       const FatalError* fatal, bool withSummary = false);

}  // namespace zelk
