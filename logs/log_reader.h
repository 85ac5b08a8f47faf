// The reading loop over the five log slots: opening the declared logs, the
// next call of a slot, and the removal of a slot whose log has ended.
#pragma once

#include <string>

#include "config/settings.h"
#include "logs/log_source.h"
#include "logs/name_table.h"

namespace zelk {

// Opens the first `settings.logCount` slots' logs (paths as written in the
// settings; a relative one is taken from `settings.programDir`, where zelk.cfg
// is, so the current directory does not matter) and clears their calls. A log
// that cannot be opened, a directory included, is fatal: "Not found" and the
// path, exit code 255. A count above five is cut to five.
void openLogs(Settings& settings, LogSlots& slots);

// Opens and closes a declared log at once, with the same failure.
void checkLogExists(const LogDeclaration& declaration, const std::string& programDir = "");

// Reads the slot's next call into its CallRecord and returns 0. At the end
// of its log returns -1: the slot's file is closed, the last slot moves into
// its place and `settings.logCount` drops by one, so the caller must look at
// slot `slotIndex` again rather than step past it. Connection names become
// numbers through `tables` (lookupName).
int readNextCall(int slotIndex, LogSlots& slots, ReplaceTables& tables, Settings& settings);

}  // namespace zelk
