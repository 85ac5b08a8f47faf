// Reading zelk.cfg: every line by its first character (option lines, log
// declarations, hide switches and the four tables). A missing file is
// created with defaults; a file of an older version is backed up to
// zelkcfg.org and rewritten.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ma_search.h"
#include "config/configuration.h"
#include "config/settings_findings.h"

namespace zelk {

// Lines of at least 511 bytes are read whole; a longer line is cut there.
inline constexpr std::size_t kSettingsLineBuffer = 512;

// Every setting at its default, no table entry, log or Telehodai number, no
// own MA: what a run starts from before zelk.cfg in `programDir` is read.
Configuration defaultConfiguration(std::string programDir);

// Whether reading the settings may write: create a missing zelk.cfg, back up
// and upgrade an older one. A read-only run leaves the folder as it was.
enum class SettingsWrites { Allowed, None };

// Reads `settings.programDir` + "zelk.cfg" into `configuration`. Fatal
// conditions (the file cannot be created, backed up or rewritten) throw
// FatalError.
void readSettingsFile(Configuration& configuration, MaSearch& maSearch,
                      SettingsWrites writes = SettingsWrites::Allowed);

// zelk.cfg of `programDir` read over the defaults, then every option line
// applied after it, in order.
Configuration readConfiguration(const std::string& programDir, const std::vector<std::string>& optionLines,
                                MaSearch& maSearch, SettingsWrites writes);

// One line of the file: the option lines and the tables.
void applySettingsFileLine(std::string_view line, Configuration& configuration, MaSearch& maSearch,
                           SettingsObserver* observer = nullptr);

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
