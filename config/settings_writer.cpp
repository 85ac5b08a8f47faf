#include "config/settings_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <span>
#include <vector>

#include "base/text.h"
#include "config/log_options.h"
#include "config/rate_reference.h"
#include "config/settings_encoding.h"
#include "config/settings_help_text.h"
#include "platform/cp932.h"
#include "platform/message_forms.h"
#include "platform/regular_file.h"
#include "platform/staged_file.h"

namespace zelk {
namespace {

struct WriterInput {
  bool rewrite;
  const ReplaceTables& tables;
  const LogDeclarations& logs;
  const MaLookup& origin;
  const TelehodaiNumbers& telehodai;
  const Settings& settings;

  std::size_t logCount() const {
    int count = settings.logCount;
    return count < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(count), kMaxLogs);
  }
};

// The hide switches the file carries, as byte and bit digits.
constexpr std::string_view kWrittenSwitches[] = {
    "01", "02", "03", "07", "10", "11", "12", "17", "20", "21", "22", "23", "27",
    "30", "31", "32", "37", "40", "41", "42", "43", "46", "47", "50", "51", "52",
    "53", "57", "60", "61", "62", "63", "64", "67", "70", "71", "72", "73", "74",
    "77", "80", "87", "90", "91", "92", "94", "95", "96", "97", "b0"};

// Area-set flag of each band; 0 for an entry the file cannot express.
int areaSetFlagOf(DistanceBand band) {
  auto code = static_cast<int>(band);
  if (code >= 1 && code <= 7) return code;
  return band == DistanceBand::Beyond170km ? 8 : 0;
}

std::string padRight(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string spaces(std::size_t count) { return std::string(count, ' '); }

// The file's bytes as they are composed, in one buffer: a file of millions
// of area-set lines must not cost a string object per line.
class FileText {
 public:
  // As text mode writes them: every line feed, also one that a record
  // brought along from the command line, goes to the disk as CR LF.
  void line(std::string_view text) {
    for (char c : text) {
      if (c == '\n') bytes_ += '\r';
      bytes_ += c;
    }
    bytes_ += "\r\n";
  }
  void fixed(std::string_view utf8) { line(sjis(utf8)); }
  void fixed(std::span<const std::string_view> block) {
    for (auto text : block) fixed(text);
  }
  void lines(const std::vector<std::string>& block) {
    for (const auto& text : block) line(text);
  }
  // An option line, commented out unless active.
  void option(const std::string& text, bool active) { line(active ? text : ";" + text); }

  // ";", n rule lines, ";".
  void separator(int rules) {
    line(";");
    for (int i = 0; i < rules; ++i) {
      std::string rule = ";";
      repeatChar(rule, '-', 78);
      line(rule);
    }
    line(";");
  }

  std::string bytes() && { return std::move(bytes_); }

 private:
  std::string bytes_;
};

void writeHeader(FileText& out) {
  out.line(kVersionLine);
  out.fixed(help::kHeader);
  out.separator(1);
  out.fixed(help::kOptionIntro);
  out.separator(2);
}

void writeOrigin(FileText& out, const WriterInput& in) {
  out.fixed(help::kOrigin);
  // The lookup keeps the MA's prefixes, not the number typed: the first
  // prefix names the same MA.
  if (in.rewrite && !in.origin.prefixes.empty())
    out.line("=0" + in.origin.prefixes.front());
  else
    out.fixed(help::kOriginExample);
  out.separator(1);
}

void writeTelechoice(FileText& out, const WriterInput& in) {
  out.fixed(help::kTelechoice);
  const Settings& s = in.settings;
  const auto kind = static_cast<int>(s.telechoiceKind);
  if (in.rewrite && kind >= 1 && kind <= 3) {
    static constexpr const char* kKindDigits[] = {"", "10", "15", "30"};
    const std::string kindDigits = kKindDigits[kind];
    if (!s.telechoiceText.empty()) out.line("=" + s.telechoiceText);
    // "=&NN" changed the plan without its area list; keep that on re-reading.
    if (s.telechoiceText.compare(0, 2, kindDigits) != 0) out.line("=&" + kindDigits);
  } else {
    out.fixed(help::kTelechoiceExample);
  }
  out.separator(1);
}

void writeFlag(FileText& out, std::span<const std::string_view> block, const char* option,
               bool active, int separatorRules = 1) {
  out.fixed(block);
  out.option(option, active);
  out.separator(separatorRules);
}

void writeMeterDay(FileText& out, const WriterInput& in) {
  out.fixed(help::kMeterDay);
  const int meterDay = in.settings.meterDay;
  out.line(!in.rewrite || meterDay == 1 ? "=de" : "=d" + std::to_string(meterDay - 1));
  out.separator(1);
}

void writeLatestMonths(FileText& out, const WriterInput& in) {
  out.fixed(help::kLatestMonths);
  const int months = in.settings.latestMonths;
  // A bare "=l" reads back as 1; any other value is written out in full.
  const bool active = in.rewrite && months != 0;
  out.option(active && months != 1 ? "=l" + std::to_string(months) : "=l", active);
  out.separator(1);
}

void writeOutputPath(FileText& out, const WriterInput& in) {
  out.fixed(help::kOutputPath);
  if (in.rewrite && !in.settings.outputPath.empty())
    out.line("=o" + in.settings.outputPath);
  else
    out.fixed(help::kOutputPathExample);
  out.separator(1);
}

void writeRegionalCarrier(FileText& out, const WriterInput& in) {
  out.fixed(help::kRegionalCarrier);
  out.option("=t", in.rewrite && in.settings.regionalCarrier == RegionalCarrier::Tokyo);
  out.option("=q", in.rewrite && in.settings.regionalCarrier == RegionalCarrier::Kyushu);
  out.separator(1);
}

void writeOptions(FileText& out, const WriterInput& in) {
  const Settings& s = in.settings;
  const bool r = in.rewrite;
  writeOrigin(out, in);
  writeTelechoice(out, in);
  writeFlag(out, help::kCrt, "=c", r && s.crtOutput == 1);
  writeMeterDay(out, in);
  writeFlag(out, help::kEstimate, "=e", r && s.estimate == 1);
  writeFlag(out, help::kFullCalc, "=f", r && s.fullCalc != 0);
  writeFlag(out, help::kIsdn, "=i", r && s.isdn == 1);
  writeFlag(out, help::kKddi, "=k", r && s.kddi == 1);
  writeLatestMonths(out, in);
  writeOutputPath(out, in);
  writeRegionalCarrier(out, in);
  writeFlag(out, help::kFlets, "=z", r && s.flets == 1, 2);
}

// Two texts on one line (`oneLine`) when together they are shorter than 77
// bytes, counting the line end the second one carries; otherwise the second
// goes on a continuation line indented by `indent` blanks.
void writeFitted(FileText& out, const std::string& first, const std::string& second,
                 const std::string& oneLine, std::size_t indent) {
  if (first.size() + second.size() + 1 < 77) {
    out.line(oneLine);
  } else {
    out.line(first);
    out.line(";" + spaces(indent) + second);
  }
}

void writeLogSection(FileText& out, const LogOption& option, const WriterInput& in) {
  const std::string letters(option.letters);
  const std::string file(option.defaultFile);
  const std::string dir(option.exampleDir);
  const std::string root = letters + "c:\\";
  const std::string usage =
      ";-" + padRight(letters + "[path]", 9) + ": " + file + std::string(option.label) +
      sjis("の利用");
  const std::string usageDefault = sjis("(def. : 未設定/Filename省略時[") + file + "])";
  writeFitted(out, usage, usageDefault, usage + " " + usageDefault, 31);
  const std::string example = ";" + spaces(10) + "ex)-" + root + file;
  const std::string exampleMeaning = sjis("(c:ドライブのルートディレクトリの[") + file + "])";
  writeFitted(out, example, exampleMeaning, padRight(example, 31) + exampleMeaning, 30);
  const std::string indent = ";" + spaces(13) + "-";
  out.line(indent + padRight(root, 16) + sjis("(同上)"));
  out.line(indent + padRight(root + dir + "\\", 16) + sjis("(c:ドライブの\\") + dir +
           sjis("ディレクトリの[") + file + "])");
  out.line(indent + padRight(letters, 16) + sjis("(カレントドライブ/ディレクトリの[") + file +
           "])");
  out.line(";");
  out.line(";-" + letters);
  if (!in.rewrite) return;
  for (std::size_t i = 0; i < in.logCount(); ++i)
    if (in.logs[i].format == option.format) out.line("-" + letters + in.logs[i].path);
}

void writeLogSections(FileText& out, const WriterInput& in) {
  for (const auto& option : kLogOptions) {
    writeLogSection(out, option, in);
    out.separator(&option == &kLogOptions.back() ? 2 : 1);
  }
}

void writeTables(FileText& out, const WriterInput& in) {
  const ReplaceTables& t = in.tables;
  out.fixed(help::kTelehodai);
  if (in.rewrite && in.telehodai.count <= 2)
    for (std::size_t i = 0; i < in.telehodai.count; ++i)
      out.line("H=" + in.telehodai.number[i]);
  out.separator(2);

  out.fixed(help::kNumberReplace);
  if (in.rewrite)
    for (std::int16_t i = 0; i < t.numberReplaceCount && i < 20; ++i)
      out.line("N=" + t.numberReplace[i].from + "==" + t.numberReplace[i].to);
  out.separator(2);

  out.fixed(help::kNameReplace);
  if (in.rewrite)
    for (std::int16_t i = 0; i < t.nameReplaceCount && i < 20; ++i)
      out.line("$" + t.nameReplace[i].name + "==" + t.nameReplace[i].number);
  out.separator(2);

  out.fixed(help::kAreaSet);
  out.lines(rateReferenceLines(RateScope::InPrefecture));
  out.fixed(help::kAreaSetOutOfPrefecture);
  out.lines(rateReferenceLines(RateScope::OutOfPrefecture));
  out.fixed(help::kAreaSetExample);
  if (in.rewrite) {
    for (const AreaSetItem entry : t.areaSet) {
      // An entry without a usable band goes out as the bare number, which
      // the reader passes over.
      int flag = areaSetFlagOf(entry.band);
      const std::string number(entry.number);
      out.line(flag ? "%" + std::to_string(flag) + "=" + number : number);
    }
  }
  out.separator(2);
}

void writeHideSwitches(FileText& out, const WriterInput& in) {
  out.fixed(help::kHideSwitches);
  for (auto code : kWrittenSwitches) {
    int byte = code[0] == 'b' ? 11 : code[0] - '0';
    int bit = code[1] - '0';
    bool set = in.rewrite && in.settings.isHidden(byte, bit);
    out.line("!" + std::string(code) + (set ? "-" : ""));
  }
}

}  // namespace

std::string settingsFileText(WriteMode mode, const Configuration& configuration) {
  const WriterInput in{mode == WriteMode::Rewrite, configuration.tables, configuration.logs, configuration.origin,
                       configuration.telehodai, configuration.settings};
  FileText out;
  writeHeader(out);
  writeOptions(out, in);
  writeLogSections(out, in);
  writeTables(out, in);
  writeHideSwitches(out, in);
  return std::move(out).bytes();
}

void writeSettingsFile(WriteMode mode, const std::string& path, const Configuration& configuration) {
  const std::string text =
      settingsFileBytes(settingsFileText(mode, configuration), configuration.settings.fileEncoding);
  // zelk.cfg is the one file a link may stand for on purpose (kept with the
  // user's other files, say): the file it names gets the new content.
  if (!replaceFileContent(path, text, StagedFile::Flush::ToDisk, StagedFile::Links::WriteThrough))
    failConfigFile(244, sjis("Cannot creat"), path);
}

namespace {

// Copies the file at `path` to the backup in blocks, each line followed by
// CR LF as a line-by-line copy in text mode writes it: a LF gets its CR, a
// CR LF stays, and a last line without a line end gets one. Memory stays
// flat whatever the size of the file.
void copyToBackup(const std::string& path, const std::string& backupPath) {
  // A link at the backup's name is replaced, never written through: in a
  // shared folder it may be another user's, pointing at a file of ours.
  StagedFile backup(backupPath, StagedFile::Links::Replace);
  if (!backup.isOpen()) failConfigFile(243, sjis("Cannot copy"), path);
  const int source = openRegularFile(path);
  if (source < 0) failConfigFile(242, sjis("Cannot read"), path);
  std::vector<char> block(1 << 16);
  std::string out;
  char last = '\n';
  bool copied = true;
  for (;;) {
    const ssize_t got = ::read(source, block.data(), block.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ::close(source);
      failConfigFile(242, sjis("Cannot read"), path);
    }
    if (got == 0) break;
    out.clear();
    for (ssize_t i = 0; i < got; ++i) {
      const char c = block[static_cast<std::size_t>(i)];
      if (c == '\n' && last != '\r') out += '\r';
      out += c;
      last = c;
    }
    if (!backup.append(out)) {
      copied = false;
      break;
    }
  }
  ::close(source);
  if (!copied || !backup.commit(last == '\n' ? "" : "\r\n"))
    failConfigFile(243, sjis("Cannot copy"), path);
}

}  // namespace

void backupAndRewrite(const std::string& path, const Configuration& configuration) {
  const Settings& settings = configuration.settings;
  // The backup is replaced as safely as the settings file: a failed copy
  // keeps the previous backup.
  if (!settings.backedUp) copyToBackup(path, settings.programDir + "zelkcfg.org");
  writeSettingsFile(WriteMode::Rewrite, path, configuration);
}

}  // namespace zelk
