// The rewrite of zelk.cfg at the end of a calculation run that learned new
// table entries. The run keeps the settings as they were right after reading
// (logs end and counts fall during the run) and hands them back here with the
// tables as they now stand.
#pragma once

#include "base/log_source.h"
#include "base/ma_lookup.h"
#include "config/settings.h"

namespace zelk {

struct SettingsSnapshot {
  Settings settings;  // its logCount is the number of declared logs
  LogDeclarations logs;
  TelehodaiNumbers telehodai;
  MaLookup origin;
};

// Taken once, after the settings file and the command-line options were read.
SettingsSnapshot takeSettingsSnapshot(const Settings& settings, const LogSlots& slots,
                                      const TelehodaiNumbers& telehodai, const MaLookup& origin);

// Backs up `snapshot.settings.programDir` + "zelk.cfg" to zelkcfg.org and
// rewrites it from the snapshot and `liveTables`. The run calls it when
// the run learned a name or a number; fatal conditions throw FatalError (242, 243, 244).
void rewriteSettingsAfterRun(const SettingsSnapshot& snapshot, const ReplaceTables& liveTables);

}  // namespace zelk
