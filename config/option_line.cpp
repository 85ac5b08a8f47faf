#include "config/option_line.h"

#include "base/text.h"
#include "config/log_options.h"
#include "platform/cp932.h"
#include "platform/message_forms.h"
#include "platform/paths.h"

namespace zelk {
namespace {

struct OptionContext {
  Settings& settings;
  LogDeclarations& logs;
  MaLookup& origin;
  MaSearch& maSearch;
  SettingsObserver* observer;
};

// Cuts the text to the field, telling the observer when something is lost.
std::string cutField(std::string_view text, OptionContext& c) {
  if (text.size() > kMaxSettingTextBytes) note(c.observer, SettingsFinding::TextCut);
  return cutText(text, kMaxSettingTextBytes);
}

// Each handler gets the text after "=", its letter included.
using OptionHandler = void (*)(std::string_view afterEquals, OptionContext& context);

std::int16_t as16Bits(long long value) { return static_cast<std::int16_t>(value); }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void setMeterDay(std::string_view text, OptionContext& c) {
  // "=de" means month end whatever follows it.
  if (text.size() > 1 && lower(text[1]) == 'e') {
    c.settings.meterDay = 1;
    return;
  }
  const long long day = atoiLike(text.substr(1));
  if (day < 1 || day > 31) note(c.observer, SettingsFinding::MeterDayOutOfRange);
  c.settings.meterDay = as16Bits(day + 1);
}

void setLatestMonths(std::string_view text, OptionContext& c) {
  const long long months = text.size() == 1 ? 1 : atoiLike(text.substr(1));
  if (months < 1 || months > 12) note(c.observer, SettingsFinding::LatestMonthsOutOfRange);
  c.settings.latestMonths = as16Bits(months);
}

void setOutputPath(std::string_view text, OptionContext& c) {
  // Cut first: a backslash cut away again would be appended anew each time
  // the rewritten file is read, and the value would not stay the same.
  std::string path = cutField(text.substr(1), c);
  if (!needsDefaultFileName(path)) path += '\\';
  c.settings.outputPath = std::move(path);
}

void setOrigin(std::string_view text, OptionContext& c) {
  if (digitsOnly(text.substr(1)).empty()) note(c.observer, SettingsFinding::OwnNumberEmpty);
  c.maSearch.findSingle(text.substr(1), c.origin);
  if (!c.origin.found()) note(c.observer, SettingsFinding::OwnNumberNotFound);
}

// "10", "15" or "30" as the two characters; None for anything else.
TelechoiceKind telechoiceKindOf(std::string_view digits) {
  if (digits.size() < 2) return TelechoiceKind::None;
  if (digits[0] == '1' && digits[1] == '0') return TelechoiceKind::Plan10;
  if (digits[0] == '1' && digits[1] == '5') return TelechoiceKind::Plan15;
  if (digits[0] == '3' && digits[1] == '0') return TelechoiceKind::Plan30;
  return TelechoiceKind::None;
}

void setTelechoice(std::string_view text, OptionContext& c) {
  const TelechoiceKind kind = telechoiceKindOf(text);
  if (kind == TelechoiceKind::None) return note(c.observer, SettingsFinding::UnknownOption);
  c.settings.telechoiceKind = kind;
  c.settings.telechoiceText = cutField(text, c);
}

void setTelechoiceKindOnly(std::string_view text, OptionContext& c) {
  if (const TelechoiceKind kind = telechoiceKindOf(text.substr(1)); kind != TelechoiceKind::None)
    c.settings.telechoiceKind = kind;
  else
    note(c.observer, SettingsFinding::UnknownOption);
}

void closeAllLogs(std::string_view, OptionContext& c) {
  c.logs.fill(LogDeclaration{});
  c.settings.logCount = 0;
  showText(sjis("all data is/are closed by -r option"));
}

struct EqualsOption {
  char letter;  // lower case; matched without regard to case
  OptionHandler apply;
};

constexpr EqualsOption kEqualsOptions[] = {
    {'d', setMeterDay},
    {'t', [](std::string_view, OptionContext& c) { c.settings.regionalCarrier = RegionalCarrier::Tokyo; }},
    {'q', [](std::string_view, OptionContext& c) { c.settings.regionalCarrier = RegionalCarrier::Kyushu; }},
    {'k', [](std::string_view, OptionContext& c) { c.settings.kddi = 1; }},
    {'l', setLatestMonths},
    {'e', [](std::string_view, OptionContext& c) { c.settings.estimate = 1; }},
    {'f', [](std::string_view, OptionContext& c) { c.settings.fullCalc = 1; }},
    {'i', [](std::string_view, OptionContext& c) { c.settings.isdn = 1; }},
    {'c', [](std::string_view, OptionContext& c) { c.settings.crtOutput = 1; }},
    {'z', [](std::string_view, OptionContext& c) { c.settings.flets = 1; }},
    {'#', [](std::string_view, OptionContext& c) { c.settings.showOriginMa = 1; }},
    {'o', setOutputPath},
    {'0', setOrigin},
    {'1', setTelechoice},
    {'3', setTelechoice},
    {'&', setTelechoiceKindOnly},
    {'r', closeAllLogs},
};

void applyEqualsOption(std::string_view afterEquals, OptionContext& context) {
  if (!afterEquals.empty()) {
    for (const auto& option : kEqualsOptions) {
      if (option.letter == lower(afterEquals[0])) {
        option.apply(afterEquals, context);
        return;
      }
    }
  }
  note(context.observer, SettingsFinding::UnknownOption);
}

void declareLog(std::string_view afterDash, OptionContext& c) {
  std::int16_t& count = c.settings.logCount;
  const LogOption* option = matchLogOption(afterDash);
  if (!option) return note(c.observer, SettingsFinding::UnknownOption);
  if (count < 0 || count >= static_cast<std::int16_t>(kMaxLogs))
    return note(c.observer, SettingsFinding::SixthLog);
  // The path is kept exactly as written: it is what "Not found" shows.
  std::string path(afterDash.substr(option->letters.size()));
  if (needsDefaultFileName(path)) path += option->defaultFile;
  c.logs[static_cast<std::size_t>(count)] = LogDeclaration{option->format, cutField(path, c)};
  ++count;
}

// "!XY-": bit Y of byte X; X is "0" to "9", "a" or "b" (lower case only).
// "!XY" without "-" is how the writer keeps an unset switch: nothing to tell.
void setHideSwitch(std::string_view line, Settings& settings, SettingsObserver* observer) {
  if (line.size() < 4 || line[3] != '-') return;
  int byte = -1;
  if (line[1] >= '0' && line[1] <= '9')
    byte = line[1] - '0';
  else if (line[1] == 'a' || line[1] == 'b')
    byte = 10 + (line[1] - 'a');
  int bit = line[2] - '0';
  if (byte < 0 || bit < 0 || bit > 7) return note(observer, SettingsFinding::UnknownOption);
  settings.hiddenFlags[static_cast<std::size_t>(byte)] |= static_cast<std::uint8_t>(1u << bit);
}

}  // namespace

void applyOptionLine(std::string_view line, Configuration& configuration, MaSearch& maSearch,
                     SettingsObserver* observer) {
  Settings& settings = configuration.settings;
  // A NUL byte ends the line, as it ends the text of a C string.
  line = line.substr(0, line.find('\0'));
  if (line.empty()) return;
  OptionContext context{settings, configuration.logs, configuration.origin, maSearch, observer};
  switch (line[0]) {
    case '!':
      setHideSwitch(line, settings, observer);
      break;
    case '-':
    case '/':
      declareLog(line.substr(1), context);
      break;
    case '=':
      applyEqualsOption(line.substr(1), context);
      break;
    default:
      break;
  }
}

}  // namespace zelk
