// The rewrite of zelk.cfg at the end of a calculation run that learned new
// table entries: the configuration as the run read it (logs end and counts
// fall during the run), with the tables as they now stand.
#pragma once

#include "config/configuration.h"

namespace zelk {

// Backs up `asRead.settings.programDir` + "zelk.cfg" to zelkcfg.org and
// rewrites it from `asRead` and `learnedTables`. The run calls it when it
// learned a name or a number; fatal conditions throw FatalError (242, 243, 244).
void rewriteSettingsAfterRun(const Configuration& asRead, const ReplaceTables& learnedTables);

}  // namespace zelk
