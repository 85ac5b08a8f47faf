#include "config/settings_reader.h"

#include "base/text.h"
#include "config/option_line.h"
#include "config/settings_encoding.h"
#include "config/settings_writer.h"
#include "config/table_lines.h"
#include "platform/cp932.h"
#include "platform/message_forms.h"
#include "platform/regular_file.h"

namespace zelk {
namespace {

void createMissingFile(const std::string& path, const Configuration& configuration) {
  // Something that is there but cannot be read (a folder, an unreadable
  // file) is never replaced by a fresh file.
  if (pathExists(path)) failConfigFile(244, sjis("Cannot creat"), path);
  writeSettingsFile(WriteMode::Fresh, path, configuration);
  showConfigFileMessage(sjis("making"), path);
}

// A line saved in the other encoding than the rest of the file: read in
// that one, and told, since a rewrite changes its bytes.
std::string otherEncodingMessage(int lineNumber, SettingsFileEncoding fileEncoding) {
  const bool cp932File = fileEncoding == SettingsFileEncoding::Cp932;
  return sjis("zelk.cfgの") + std::to_string(lineNumber) +
         sjis(cp932File ? "行目はUTF-8で書かれているので、UTF-8として読みます(書き直すときはShift-JISにします)\n"
                        : "行目はShift-JISで書かれているので、Shift-JISとして読みます(書き直すときはUTF-8にします)\n");
}

}  // namespace

Configuration defaultConfiguration(std::string programDir) {
  Configuration configuration;
  configuration.settings.programDir = std::move(programDir);
  return configuration;
}

void applySettingsFileLine(std::string_view line, Configuration& configuration, MaSearch& maSearch,
                           SettingsObserver* observer) {
  // A NUL byte ends the line, as it ends the text of a C string.
  line = line.substr(0, line.find('\0'));
  if (line.empty()) return;
  switch (line[0]) {
    case '!':
    case '-':
    case '/':
    case '=':
      applyOptionLine(line, configuration, maSearch, observer);
      break;
    case '%':
    case '#':
      addAreaSetLine(line, configuration.tables, observer);
      break;
    case '$':
      addNameLine(line, configuration.tables, observer);
      break;
    case 'H':
      addTelehodaiLine(line, configuration.telehodai, configuration.origin, observer);
      break;
    case 'N':
      addNumberReplaceLine(line, configuration.tables, observer);
      break;
    default:
      break;  // comments, blank lines, the version line
  }
}

SettingsFileState readSettingsLines(const std::string& path, Settings& settings,
                                    const std::function<void(const SettingsFileLine&)>& handle) {
  LineReader file;
  if (!file.open(path)) return SettingsFileState::Missing;
  settings.fileEncoding = settingsFileEncoding(path);
  const bool utf8 = settings.fileEncoding != SettingsFileEncoding::Cp932;
  // A Japanese character takes three bytes in UTF-8 and two in CP932.
  const std::size_t buffer = utf8 ? kSettingsLineBuffer * 3 / 2 : kSettingsLineBuffer;
  // One byte more than the reader keeps tells a line that was cut.
  const std::size_t kept = buffer - 1;
  std::string line;
  if (!file.readLine(line, kept + 2)) return SettingsFileState::Empty;
  if (line.starts_with(kUtf8ByteOrderMark)) line.erase(0, kUtf8ByteOrderMark.size());
  const bool current = line == kVersionLine;
  int lineNumber = 0;
  do {
    SettingsFileLine read;
    read.number = ++lineNumber;
    read.cut = line.size() > kept;
    if (read.cut) line.resize(kept);
    const SettingsLineText converted = settingsLineAsCp932(line, settings.fileEncoding);
    const auto& cp932 = converted.cp932;
    std::string text;
    if (cp932) {
      text = cutText(*cp932, kSettingsLineBuffer - 1);
      read.cut = read.cut || text.size() < cp932->size();
      read.text = text;
    }
    read.unreadable = !cp932;
    read.otherEncoding = converted.otherEncoding;
    handle(read);
  } while (file.readLine(line, kept + 2));
  file.close();
  return current ? SettingsFileState::Current : SettingsFileState::Older;
}

void readSettingsFile(Configuration& configuration, MaSearch& maSearch, SettingsWrites writes) {
  Settings& settings = configuration.settings;
  const std::string path = settings.programDir + "zelk.cfg";
  const SettingsFileState state = readSettingsLines(path, settings, [&](const SettingsFileLine& line) {
    if (line.unreadable) {
      showText(sjis("zelk.cfgの") + std::to_string(line.number) +
               sjis("行目にはShift-JISで表せない文字があるので、その行は読み飛ばします\n"));
      return;
    }
    if (line.otherEncoding) showText(otherEncodingMessage(line.number, settings.fileEncoding));
    applySettingsFileLine(line.text, configuration, maSearch);
  });
  if (writes == SettingsWrites::None) return;
  if (state == SettingsFileState::Missing) {
    createMissingFile(path, configuration);
    return;
  }
  if (state == SettingsFileState::Older) {
    backupAndRewrite(path, configuration);
    // A later rewrite from these records keeps this backup: it holds the
    // user's file as it was, not the upgraded one.
    settings.backedUp = true;
  }
}

Configuration readConfiguration(const std::string& programDir, const std::vector<std::string>& optionLines,
                                MaSearch& maSearch, SettingsWrites writes) {
  Configuration configuration = defaultConfiguration(programDir);
  readSettingsFile(configuration, maSearch, writes);
  for (const auto& line : optionLines) applyOptionLine(line, configuration, maSearch);
  return configuration;
}

}  // namespace zelk
