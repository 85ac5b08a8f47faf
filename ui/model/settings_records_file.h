// The settings dialog's working copy and zelk.cfg: read afresh when the
// dialog opens, written back (after the backup) when it stores.
#pragma once

#include <string>

#include "base/ma_search.h"
#include "ui/model/settings_form.h"

namespace zelk {

// programDir + "zelk.cfg".
std::string settingsFilePath(const std::string& programDir);

// Every record back to its default, then zelk.cfg read into them (a missing
// file is created with defaults).
Configuration readDialogConfiguration(const std::string& programDir, MaSearch& maSearch);

// Copies zelk.cfg to zelkcfg.org and rewrites it from the records.
void writeDialogConfiguration(const Configuration& records);

}  // namespace zelk
