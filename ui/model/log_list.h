// The settings dialog's list of logs to read: at most five entries of format,
// option text and file name, as the new-log dialog adds them and the deletion
// dialogs remove them, and the formats the new-log dialog offers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/log_source.h"

namespace zelk {

// One format of the new-log dialog's list, in the list's order.
struct LogFormatChoice {
  LogFormat format;
  const char* option;        // "-a1"
  const char* listText;      // UTF-8: the list item
  const char* filterText;    // UTF-8: the file dialog's description
  const char* filterPattern;
};

inline constexpr int kLogFormatChoiceCount = 11;
const std::array<LogFormatChoice, kLogFormatChoiceCount>& logFormatChoices();

// The format of list item `item`; none when no item is selected.
std::optional<LogFormat> formatOfChoice(int item);

// The option text of a format ("-a1"); empty for a code no format has.
std::string optionTextOf(LogFormat format);

// The file dialog's filter for a list selection: the item's own filter
// (1-11), or 12, all files, when nothing is selected.
int filterIndexFor(int selectedItem);

struct LogEntry {
  LogFormat format = LogFormat::W;
  std::string option;    // "-a1"
  std::string fileName;  // CP932, as declared; empty reads as the default name
  bool operator==(const LogEntry&) const = default;
};

// What one log panel shows.
struct LogPanelText {
  std::string option;
  std::string fileName;
  bool operator==(const LogPanelText&) const = default;
};

class LogList {
 public:
  // The file name as a declaration holds it: at most 127 bytes.
  static constexpr std::size_t kMaxPathBytes = 127;

  // The first `count` declarations.
  static LogList fromDeclarations(const LogDeclarations& logs, int count);

  // Appends an entry for list item `choice` of the new-log dialog. False, and
  // nothing added, when five logs are listed or no format was chosen.
  bool append(int choice, const std::string& fileName);

  // Deletes entry `index`: the last entry takes its slot. False when there is
  // no such entry.
  bool remove(int index);

  int size() const { return static_cast<int>(entries_.size()); }
  bool full() const { return entries_.size() == kMaxLogs; }
  const LogEntry& at(int index) const { return entries_.at(static_cast<std::size_t>(index)); }

  // The file names in order (the deletion list).
  std::vector<std::string> fileNames() const;

  // Panel `index` (0-4): its entry's option text and file name, or empty texts.
  LogPanelText panel(int index) const;

  // Writes the entries into the declarations and the count; the slots after
  // them are emptied. A file name that names no file (empty, or a folder)
  // gets the format's default file name, as the settings reader gives it.
  void storeInto(LogDeclarations& logs, std::int16_t& count) const;

 private:
  std::vector<LogEntry> entries_;
};

}  // namespace zelk
