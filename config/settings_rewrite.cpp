#include "config/settings_rewrite.h"

#include "config/settings_writer.h"

namespace zelk {

void rewriteSettingsAfterRun(const Configuration& asRead, const ReplaceTables& learnedTables) {
  Configuration written = asRead;
  written.tables = learnedTables;
  backupAndRewrite(asRead.settings.programDir + "zelk.cfg", written);
}

}  // namespace zelk
