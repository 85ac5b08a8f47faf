#include "config/settings_rewrite.h"

#include "config/settings_writer.h"

namespace zelk {

SettingsSnapshot takeSettingsSnapshot(const Settings& settings, const LogSlots& slots,
                                      const TelehodaiNumbers& telehodai, const MaLookup& origin) {
  return SettingsSnapshot{settings, logDeclarationsOf(slots), telehodai, origin};
}

void rewriteSettingsAfterRun(const SettingsSnapshot& snapshot, const ReplaceTables& liveTables) {
  backupAndRewrite(snapshot.settings.programDir + "zelk.cfg", liveTables, snapshot.logs,
                   snapshot.origin, snapshot.telehodai, snapshot.settings);
}

}  // namespace zelk
