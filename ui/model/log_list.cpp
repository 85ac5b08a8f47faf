#include "ui/model/log_list.h"

#include "config/log_options.h"
#include "platform/cp932.h"
#include "platform/paths.h"

namespace zelk {
namespace {

// The path as a declaration holds it: a folder (or nothing) names the
// format's default file in it, as when the settings file is read.
std::string declaredPath(LogFormat format, const std::string& fileName) {
  std::string path = fileName;
  if (needsDefaultFileName(path)) {
    for (const LogOption& option : kLogOptions)
      if (option.format == format) path += option.defaultFile;
  }
  return cutText(path, LogList::kMaxPathBytes);
}

}  // namespace

const std::array<LogFormatChoice, kLogFormatChoiceCount>& logFormatChoices() {
  // The descriptions of the file dialog differ from the list in two places
  // ("connect,dat", "NifTerm"); both are kept as the dialogs show them.
  static const std::array<LogFormatChoice, kLogFormatChoiceCount> choices = {{
      {LogFormat::A1, "-a1", "-a1 (access.log/AirCraft97等)", "-a1 (access.log/AirCraft97等)", "access.log"},
      {LogFormat::A2, "-a2", "-a2 (access.log/AirCraft97等)", "-a2 (access.log/AirCraft97等)", "access.log"},
      {LogFormat::C, "-c", "-c (telfee.tel/AirCraft等)", "-c (telfee.tel/AirCraft等)", "telfee.tel"},
      {LogFormat::H, "-h", "-h (phone.txt/秀Term等)", "-h (phone.txt/秀Term等)", "phone.txt"},
      {LogFormat::K, "-k", "-k (ktx.log/KTermX等)", "-k (ktx.log/KTermX等)", "ktx.log"},
      {LogFormat::MF, "-mf", "-mf (connect.dat/FAPX等)", "-mf (connect,dat/FAPX等)", "connect.dat"},
      {LogFormat::NT, "-nt", "-nt (access.log/NifTern等)", "-nt (access.log/NifTerm等)", "access.log"},
      {LogFormat::R, "-r", "-r (log.txt/RasUp等)", "-r (log.txt/RasUp等)", "log.txt"},
      {LogFormat::T, "-t", "-t (tftel.tel/WTERM等)", "-t (tftel.tel/WTERM等)", "tftel.tel"},
      {LogFormat::V1, "-v1", "-v1 (access.log/VCTerm等)", "-v1 (access.log/VCTerm等)", "access.log"},
      {LogFormat::W, "-w", "-w (wterm.tel/WTERM等)", "-w (wterm.tel/WTERM等)", "wterm.tel"},
  }};
  return choices;
}

std::optional<LogFormat> formatOfChoice(int item) {
  if (item < 0 || item >= kLogFormatChoiceCount) return std::nullopt;
  return logFormatChoices()[static_cast<std::size_t>(item)].format;
}

std::string optionTextOf(LogFormat format) {
  for (const auto& choice : logFormatChoices())
    if (choice.format == format) return choice.option;
  return {};
}

int filterIndexFor(int selectedItem) {
  return selectedItem >= 0 && selectedItem < kLogFormatChoiceCount ? selectedItem + 1 : kLogFormatChoiceCount + 1;
}

LogList LogList::fromDeclarations(const LogDeclarations& logs, int count) {
  LogList list;
  for (int i = 0; i < count && i < static_cast<int>(kMaxLogs); ++i) {
    const LogDeclaration& log = logs[static_cast<std::size_t>(i)];
    list.entries_.push_back({log.format, optionTextOf(log.format), log.path});
  }
  return list;
}

bool LogList::append(int choice, const std::string& fileName) {
  const std::optional<LogFormat> format = formatOfChoice(choice);
  if (!format || full()) return false;
  entries_.push_back({*format, optionTextOf(*format), cutText(fileName, kMaxPathBytes)});
  return true;
}

bool LogList::remove(int index) {
  if (index < 0 || index >= size()) return false;
  entries_[static_cast<std::size_t>(index)] = entries_.back();
  entries_.pop_back();
  return true;
}

std::vector<std::string> LogList::fileNames() const {
  std::vector<std::string> names;
  for (const auto& entry : entries_) names.push_back(entry.fileName);
  return names;
}

LogPanelText LogList::panel(int index) const {
  if (index < 0 || index >= size()) return {};
  const LogEntry& entry = at(index);
  return {entry.option, entry.fileName};
}

void LogList::storeInto(LogDeclarations& logs, std::int16_t& count) const {
  for (std::size_t i = 0; i < kMaxLogs; ++i) {
    if (i < entries_.size()) {
      logs[i] = {entries_[i].format, declaredPath(entries_[i].format, entries_[i].fileName)};
    } else {
      logs[i] = LogDeclaration{};
    }
  }
  count = static_cast<std::int16_t>(entries_.size());
}

}  // namespace zelk
