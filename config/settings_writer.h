// The settings file writer: the whole of zelk.cfg, with a commented block for
// every option, a section for every log format, the four tables, two
// reference rate tables and the hide switches.
//
// The file is composed in memory and replaces the old one only once every
// byte is on the disk, so a failed write never leaves a truncated file.
#pragma once

#include <string>

#include "config/configuration.h"

namespace zelk {

// Fresh: a new file, every option commented out and nothing listed.
// Rewrite: every option as the records hold it, every log and table entry listed.
enum class WriteMode { Fresh, Rewrite };

// The file's bytes: Shift-JIS texts as the records hold them, CR LF after
// every line. The first `settings.logCount` declarations are the logs.
std::string settingsFileText(WriteMode mode, const Configuration& configuration);

// Writes the file at `path`. When it cannot be written completely the old
// file stays as it was, "Cannot creat" is shown and the process ends with 244.
void writeSettingsFile(WriteMode mode, const std::string& path, const Configuration& configuration);

// Copies the file at `path` line by line to `settings.programDir` +
// "zelkcfg.org" ("Cannot copy", 243, when the copy cannot be made; "Cannot
// read", 242, when `path` cannot be read), then writes `path` in rewrite mode.
// When `settings.backedUp` is set the backup already holds the file as this
// reading found it and is kept, so it never holds an intermediate version.
void backupAndRewrite(const std::string& path, const Configuration& configuration);

}  // namespace zelk
