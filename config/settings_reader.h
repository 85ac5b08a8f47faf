// Reading zelk.cfg: every line by its first character (option lines, log
// declarations, hide switches and the four tables). A missing file is
// created with defaults; a file of an older version is backed up to
// zelkcfg.org and rewritten.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/log_source.h"
#include "base/ma_lookup.h"
#include "base/ma_search.h"
#include "config/settings.h"
#include "config/settings_findings.h"

namespace zelk {

// Lines of at least 511 bytes are read whole; a longer line is cut there.
inline constexpr std::size_t kSettingsLineBuffer = 512;

// Every setting back to its default except `programDir`; the tables and the
// Telehodai list emptied and the origin cleared.
void resetSettings(Settings& settings, ReplaceTables& tables, TelehodaiNumbers& telehodai,
                   MaLookup& origin);

// Whether reading the settings may write: create a missing zelk.cfg, back up
// and upgrade an older one. A read-only run leaves the folder as it was.
enum class SettingsWrites { Allowed, None };

// Reads `settings.programDir` + "zelk.cfg" into the records. Fatal conditions
// (the file cannot be created, backed up or rewritten) throw FatalError.
void readSettingsFile(Settings& settings, ReplaceTables& tables, LogSlots& slots,
                      TelehodaiNumbers& telehodai, MaLookup& origin, MaSearch& maSearch,
                      SettingsWrites writes = SettingsWrites::Allowed);

// One line of the file: the option lines and the tables.
void applySettingsFileLine(std::string_view line, Settings& settings, ReplaceTables& tables,
                           LogSlots& slots, TelehodaiNumbers& telehodai, MaLookup& origin,
                           MaSearch& maSearch, SettingsObserver* observer = nullptr);

// One line of zelk.cfg as the reader hands it on: in CP932 and cut to what
// the reader reads. A line with a character Shift-JIS cannot hold is
// `unreadable` and has no text. A line saved in the other encoding than the
// file's is read in that one (`otherEncoding`); a rewrite writes it in the
// file's encoding.
struct SettingsFileLine {
  int number = 0;  // 1 for the first line
  std::string_view text;
  bool cut = false;
  bool unreadable = false;
  bool otherEncoding = false;
};

enum class SettingsFileState { Missing, Empty, Current, Older };

// Reads the lines of the file at `path`, each handed to `handle`; sets
// `settings.fileEncoding`. Creates, copies and rewrites nothing.
SettingsFileState readSettingsLines(const std::string& path, Settings& settings,
                                    const std::function<void(const SettingsFileLine&)>& handle);

}  // namespace zelk
