// The reading loop over the five log slots: opening the declared logs, the
// next call of a slot, and the removal of a slot whose log has ended.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/log_source.h"
#include "base/replace_tables.h"
#include "logs/name_table.h"

namespace zelk {

// Opens the first `declared` slots' logs (paths as written in the settings; a
// relative one is taken from `programDir`, where zelk.cfg is, so the current
// directory does not matter), clears their calls and returns how many are
// open: a count above five is cut to five. A log that cannot be opened, a
// directory included, is fatal: "Not found" and the path, exit code 255.
int openLogs(LogSlots& logs, int declared, const std::string& programDir);

// Opens and closes a declared log at once, with the same failure.
void checkLogExists(const LogDeclaration& declaration, const std::string& programDir = "");

// Reads the slot's next call into its CallRecord and returns 0. At the end
// of its log returns -1: the slot's file is closed, the last slot moves into
// its place and `openCount` drops by one, so the caller must look at slot
// `slotIndex` again rather than step past it. Connection names become numbers
// through `tables` (lookupName, which sets `namesLearned`).
int readNextCall(int slotIndex, LogSlots& logs, int& openCount, ReplaceTables& tables, bool& namesLearned);

// readNextCall in two steps, for calls that may be dropped by their date:
// readNextStart finds the next record and reads only the start of its call
// (returning -1 at the end of the log, as readNextCall);
// then either readCallRest reads the rest as readNextCall would, or, for a
// call that is not kept, skippedCallName gives only its connection name, to
// be looked up so that an unknown name is shown and learned as when the call
// is read whole.
int readNextStart(int slotIndex, LogSlots& logs, int& openCount);
void readCallRest(LogSource& slot, ReplaceTables& tables, bool& namesLearned);
std::optional<std::string_view> skippedCallName(const LogSource& slot);

}  // namespace zelk
