#include "ui/model/settings_records_file.h"

#include "config/settings_lock.h"
#include "config/settings_reader.h"
#include "config/settings_writer.h"

namespace zelk {

std::string settingsFilePath(const std::string& programDir) { return programDir + "zelk.cfg"; }

Configuration readDialogConfiguration(const std::string& programDir, MaSearch& maSearch) {
  Configuration records = defaultConfiguration(programDir);
  const SettingsFileLock lock(programDir);  // the reading may upgrade the file
  readSettingsFile(records, maSearch);
  return records;
}

void writeDialogConfiguration(const Configuration& records) {
  const SettingsFileLock lock(records.settings.programDir);
  backupAndRewrite(settingsFilePath(records.settings.programDir), records);
}

}  // namespace zelk
