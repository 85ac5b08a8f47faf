#include "config/table_lines.h"

#include <array>

#include "base/ma_geography.h"
#include "base/text.h"
#include "platform/cp932.h"
#include "platform/message_forms.h"

namespace zelk {
namespace {

using Band = DistanceBand;

// Band of each flag digit "0" to "9".
constexpr std::array<Band, 10> kPercentBands{
    Band::Undetermined, Band::InArea,    Band::Adjacent,  Band::Upto30km,    Band::Upto60km,
    Band::Upto100km,    Band::Upto160km, Band::Upto170km, Band::Beyond170km, Band::Undetermined};
constexpr std::array<Band, 10> kHashBands{
    Band::Undetermined, Band::InArea,    Band::Adjacent,    Band::Upto30km,     Band::Upto60km,
    Band::Upto100km,    Band::Upto160km, Band::Beyond170km, Band::Undetermined, Band::Undetermined};

constexpr std::size_t kMaxTelehodaiDigits = 11;

Band bandOfFlag(char flag, const std::array<Band, 10>& bands) {
  return flag >= '0' && flag <= '9' ? bands[static_cast<std::size_t>(flag - '0')]
                                    : Band::Undetermined;
}

}  // namespace

void addAreaSetLine(std::string_view line, ReplaceTables& tables, SettingsObserver* observer) {
  if (line.size() < 3 || line[2] != '=') return note(observer, SettingsFinding::MissingEquals);
  const auto& bands = line[0] == '#' ? kHashBands : kPercentBands;
  const Band band = bandOfFlag(line[1], bands);
  tables.areaSet.add(digitsOnly(line.substr(3)), band);
  if (band == Band::Undetermined) note(observer, SettingsFinding::NoBand);
}

void addNameLine(std::string_view line, ReplaceTables& tables, SettingsObserver* observer) {
  if (tables.nameReplaceCount < 0 ||
      tables.nameReplaceCount >= static_cast<std::int16_t>(ReplaceTables::kMaxNameReplace))
    return note(observer, SettingsFinding::TableFull);
  std::size_t separator = line.find("==", 1);
  if (separator == std::string_view::npos) return note(observer, SettingsFinding::MissingEquals);
  std::string_view name = line.substr(1, separator - 1);
  // The length is judged on the name as written, trailing blanks included.
  if (name.size() > ReplaceTables::kMaxNameBytes) {
    note(observer, SettingsFinding::TextCut);
    showText(sjis("cfg error : too long name\n[") + std::string(line) + "]\n");
  }
  auto& entry = tables.nameReplace[static_cast<std::size_t>(tables.nameReplaceCount++)];
  entry.name = trimRight(cutText(name, ReplaceTables::kMaxNameBytes));
  entry.number = digitsOnly(line.substr(separator + 2));
}

void addTelehodaiLine(std::string_view line, TelehodaiNumbers& telehodai, const MaLookup& origin,
                      SettingsObserver* observer) {
  if (line.size() < 2 || line[1] != '=') return note(observer, SettingsFinding::MissingEquals);
  if (telehodai.count == TelehodaiNumbers::kInvalid)
    return note(observer, SettingsFinding::TelehodaiListInvalid);
  if (telehodai.count >= 2) return note(observer, SettingsFinding::TableFull);
  std::string number = digitsOnly(line.substr(2), kMaxTelehodaiDigits);
  switch (originBand(number, origin)) {
    case Band::Adjacent:
      telehodai.adjacent = 1;
      [[fallthrough]];
    case Band::InArea:
      telehodai.number[telehodai.count++] = number;
      break;
    default:
      telehodai.count = TelehodaiNumbers::kInvalid;
      note(observer, SettingsFinding::TelehodaiOutsideMa);
      break;
  }
}

void addNumberReplaceLine(std::string_view line, ReplaceTables& tables, SettingsObserver* observer) {
  if (tables.numberReplaceCount < 0 ||
      tables.numberReplaceCount >= static_cast<std::int16_t>(ReplaceTables::kMaxNumberReplace))
    return note(observer, SettingsFinding::TableFull);
  std::size_t separator = line.find("==", 1);
  if (separator == std::string_view::npos) return note(observer, SettingsFinding::MissingEquals);
  // "from" lies between "N=" and "=="; "N===to" leaves it empty.
  std::string_view from = separator > 2 ? line.substr(2, separator - 2) : std::string_view();
  auto& entry = tables.numberReplace[static_cast<std::size_t>(tables.numberReplaceCount++)];
  entry.from = digitsOnly(from);
  entry.to = digitsOnly(line.substr(separator + 2));
}

}  // namespace zelk
