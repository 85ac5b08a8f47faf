// The bill check on the per-call view: the calls of a month as the bill is
// held against them, so that the check sees each call as 通話明細 lists it.
#pragma once

#include <string>
#include <vector>

#include "bill/bill_match.h"
#include "bill/logged_call.h"
#include "ui/model/month_calls.h"

namespace zelk {

LoggedCall loggedCallOf(const CallLine& call);
std::vector<LoggedCall> loggedCallsOf(const MonthCalls& calls);

// The bill file at `path` against `calls`. Throws FatalError (kBadBillFile)
// for a bill that cannot be read.
BillCheck checkBill(const std::string& path, const MonthCalls& calls, const BillMatchRules& rules);

}  // namespace zelk
