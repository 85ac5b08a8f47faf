#include "ui/model/settings_records_file.h"

#include <memory>

#include "config/settings_lock.h"
#include "config/settings_reader.h"
#include "config/settings_writer.h"

namespace zelk {

std::string settingsFilePath(const std::string& programDir) { return programDir + "zelk.cfg"; }

SettingsRecords readSettingsRecords(const std::string& programDir, MaSearch& maSearch) {
  SettingsRecords records;
  records.settings.programDir = programDir;
  // The slots carry a read buffer each; the reader only declares the logs.
  auto slots = std::make_unique<LogSlots>();
  resetSettings(records.settings, records.tables, records.telehodai, records.origin);
  records.settings.meterDay = 1;
  const SettingsFileLock lock(programDir);  // the reading may upgrade the file
  readSettingsFile(records.settings, records.tables, *slots, records.telehodai, records.origin, maSearch);
  records.logs = logDeclarationsOf(*slots);
  return records;
}

void writeSettingsRecords(const SettingsRecords& records) {
  const SettingsFileLock lock(records.settings.programDir);
  backupAndRewrite(settingsFilePath(records.settings.programDir), records.tables, records.logs, records.origin,
                   records.telehodai, records.settings);
}

}  // namespace zelk
