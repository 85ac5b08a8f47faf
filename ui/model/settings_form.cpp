#include "ui/model/settings_form.h"

#include <algorithm>

#include "base/ma_geography.h"
#include "base/text.h"
#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {
namespace {

// Telehodai numbers hold one digit less than other number texts.
constexpr std::size_t kTelehodaiDigits = 11;
constexpr std::size_t kMaxTelechoiceText = 127;
constexpr std::size_t kTelechoicePrefixLength = 2;

// RB_Deadline: the value of meterDay each item stands for.
constexpr std::array<std::int16_t, 6> kDeadlineDays = {6, 11, 16, 21, 26, 1};

// The Telechoice buttons and what they store.
constexpr std::array<const char*, 4> kTelechoicePrefixes = {"", "10", "15", "30"};

// RG_Ttnet items: Tokyo, Kyushu, none.
constexpr std::array<RegionalCarrier, 3> kCarrierOfItem = {RegionalCarrier::Tokyo, RegionalCarrier::Kyushu,
                                                           RegionalCarrier::None};

int deadlineItemOf(std::int16_t meterDay) {
  for (std::size_t i = 0; i < kDeadlineDays.size(); ++i)
    if (kDeadlineDays[i] == meterDay) return static_cast<int>(i);
  return -1;
}

int carrierItemOf(RegionalCarrier carrier) {
  return carrier == RegionalCarrier::Tokyo ? 0 : carrier == RegionalCarrier::Kyushu ? 1 : 2;
}

template <typename Entry, std::size_t N, typename Cells>
void fillGrid(ReplaceGrid& grid, const std::array<Entry, N>& entries, int count, Cells cells) {
  for (int row = 0; row < kReplaceGridRows; ++row) {
    if (row < count && row < static_cast<int>(N))
      grid[row] = cells(entries[static_cast<std::size_t>(row)]);
    else
      grid[row] = {};
  }
}

bool bothFilled(const std::array<std::string, 2>& row) {
  return !row[0].empty() && !row[1].empty();
}

}  // namespace

void loadSettingsForm(const Configuration& records, SettingsForm& form) {
  const Settings& s = records.settings;
  form.logs = LogList::fromDeclarations(records.logs, s.logCount);

  const MaLookup& origin = records.origin;
  form.telnum = origin.found() && !origin.prefixes.empty() ? "0" + origin.prefixes.front() : std::string();

  const auto kind = static_cast<int>(s.telechoiceKind);
  form.telechoice = kind >= 0 && kind <= 3 ? kind : kTelechoiceNone;
  form.telechoiceAreas = s.telechoiceText.size() > kTelechoicePrefixLength
                             ? s.telechoiceText.substr(kTelechoicePrefixLength)
                             : std::string();

  form.deadline = deadlineItemOf(s.meterDay);
  form.zelkFee = s.fullCalc == 1 ? 1 : 0;
  form.estimation = s.estimate == 1 ? 1 : 0;
  form.isdn = s.isdn == 1 ? 1 : 0;
  form.kdd = s.kddi == 1 ? 0 : 1;
  if (s.latestMonths != 0) {
    form.last = 1;
    form.lastMonths = std::to_string(s.latestMonths);
  } else {
    form.last = 0;
  }
  form.ttnet = carrierItemOf(s.regionalCarrier);
  form.fletsi = s.flets == 1 ? 0 : 1;

  // An empty list shows empty edits: what a cancelled opening typed is gone.
  if (records.telehodai.count != 0)
    form.telehodai = records.telehodai.number;
  else
    form.telehodai = {};

  fillGrid(form.replaceNo, records.tables.numberReplace, records.tables.numberReplaceCount,
           [](const NumberReplacement& e) { return std::array<std::string, 2>{e.from, e.to}; });
  fillGrid(form.replaceName, records.tables.nameReplace, records.tables.nameReplaceCount,
           [](const NameReplacement& e) { return std::array<std::string, 2>{e.name, e.number}; });

  form.areaSet = AreaSetList::fromTables(records.tables);
}

std::optional<int> monthCountOf(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (text.size() > 5 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  const int value = std::stoi(std::string(text));
  if (value > 32767) return std::nullopt;
  return value;
}

std::optional<std::string> settingsFormProblem(const SettingsForm& form) {
  if (form.last == 1 && !monthCountOf(form.lastMonths))
    return sjis("=l 最新データ出力指定 : 過去何ヶ月分かを数字で入力して下さい。\n[zelk.cfg]へは登録しません。");
  return std::nullopt;
}

TelehodaiNumbers telehodaiFromEdits(const std::array<std::string, 2>& edits, const MaLookup& origin) {
  TelehodaiNumbers result;
  for (const std::string& edit : edits) {
    if (edit.empty()) continue;
    std::string number = digitsOnly(edit, kTelehodaiDigits);
    // A text without a digit would pass as an in-area number and be written
    // back as an empty "H=" line.
    if (number.empty()) continue;
    const DistanceBand band = originBand(number, origin);
    result.number[result.count] = std::move(number);
    if (band != DistanceBand::InArea && band != DistanceBand::Adjacent) continue;
    if (band == DistanceBand::Adjacent) result.adjacent = 1;
    ++result.count;
  }
  // A rejected number may stand in the slot after the accepted ones; only the
  // counted slots are part of the list.
  for (std::size_t i = result.count; i < result.number.size(); ++i) result.number[i].clear();
  return result;
}

void numberReplaceFromGrid(const ReplaceGrid& grid, ReplaceTables& tables) {
  tables.numberReplace = {};
  std::int16_t count = 0;
  for (const auto& row : grid) {
    if (!bothFilled(row)) continue;
    NumberReplacement entry{digitsOnly(row[0]), digitsOnly(row[1])};
    if (entry.from.empty() || entry.to.empty()) continue;
    tables.numberReplace[static_cast<std::size_t>(count++)] = std::move(entry);
  }
  tables.numberReplaceCount = count;
}

void nameReplaceFromGrid(const ReplaceGrid& grid, ReplaceTables& tables) {
  tables.nameReplace = {};
  std::int16_t count = 0;
  for (const auto& row : grid) {
    if (!bothFilled(row)) continue;
    NameReplacement entry{digitsOnly(row[1]), cutText(row[0], ReplaceTables::kMaxNameBytes)};
    if (entry.number.empty()) continue;
    tables.nameReplace[static_cast<std::size_t>(count++)] = std::move(entry);
  }
  tables.nameReplaceCount = count;
}

bool storeSettingsForm(const SettingsForm& form, Configuration& records, MaSearch& maSearch) {
  if (auto problem = settingsFormProblem(form)) {
    showMessage(*problem);
    return false;
  }
  Settings& s = records.settings;
  form.logs.storeInto(records.logs, s.logCount);

  if (form.telnum.empty()) {
    showMessage(sjis("=[tel#]にzelkが判別できない番号、あるいは不正な番号が入力されました\n"
                     "[zelk.cfg]へは登録はしません。"));
  } else {
    maSearch.findSingle(std::string_view(form.telnum).substr(1), records.origin);
  }

  if (form.telechoice >= kTelechoice10 && form.telechoice <= kTelechoice30) {
    s.telechoiceKind = static_cast<TelechoiceKind>(form.telechoice);
    s.telechoiceText = cutText(std::string(kTelechoicePrefixes[form.telechoice]) + form.telechoiceAreas,
                               kMaxTelechoiceText);
  } else {
    s.telechoiceKind = TelechoiceKind::None;
    s.telechoiceText.clear();
  }

  // No deadline item (a day the dialog does not offer was read) keeps the day.
  if (form.deadline >= 0 && form.deadline < static_cast<int>(kDeadlineDays.size()))
    s.meterDay = kDeadlineDays[form.deadline];
  s.fullCalc = form.zelkFee == 1 ? 1 : 0;
  s.isdn = form.isdn == 1 ? 1 : 0;
  s.estimate = form.estimation == 1 ? 1 : 0;
  s.kddi = form.kdd == 0 ? 1 : 0;
  s.latestMonths = form.last == 1 ? static_cast<std::int16_t>(*monthCountOf(form.lastMonths)) : 0;
  if (form.ttnet >= 0 && form.ttnet < static_cast<int>(kCarrierOfItem.size()))
    s.regionalCarrier = kCarrierOfItem[form.ttnet];
  s.flets = form.fletsi == 0 ? 1 : 0;

  records.telehodai = telehodaiFromEdits(form.telehodai, records.origin);

  numberReplaceFromGrid(form.replaceNo, records.tables);
  nameReplaceFromGrid(form.replaceName, records.tables);
  form.areaSet.storeInto(records.tables);
  return true;
}

}  // namespace zelk
