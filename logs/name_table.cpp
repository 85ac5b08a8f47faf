#include "logs/name_table.h"

#include <algorithm>

#include "base/text.h"
#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {
namespace {

void showUnknownName(const std::string& name) {
  std::string text = sjis(
      "この[%s]って所の番号を[0990]、170km以上として[zelk.cfg]に登録します。"
      "必要なら変更してください\n");
  // '%' is never the trail byte of a double-byte character.
  text.replace(text.find("%s"), 2, name);
  showMessage(text);
}

void showUnwritableName(const std::string& name) {
  std::string text = sjis(
      "この[%s]って名前は[zelk.cfg]に書けないので登録しません。"
      "番号不明として計算します\n");
  text.replace(text.find("%s"), 2, name);
  showMessage(text);
}

// A "$" line reads its name up to the first "==", so a name that holds "=="
// or ends in "=" would read back as another name with another number, and
// every run would add the same line again.
bool fitsNameLine(std::string_view key) {
  return key.find("==") == std::string_view::npos && (key.empty() || key.back() != '=');
}

}  // namespace

std::string nameKey(std::string_view name) {
  std::string key = trimRight(name);
  if (key.size() > ReplaceTables::kMaxNameBytes)
    key = trimRight(cutText(key, ReplaceTables::kMaxNameBytes));
  return key;
}

std::string lookupName(std::string_view name, ReplaceTables& tables, bool& learned) {
  // Every record of such a log is looked up: a name that fits the table is
  // its own key, compared without building one.
  std::string longKey;
  std::string_view key = name.substr(0, name.find_last_not_of(' ') + 1);
  if (key.size() > ReplaceTables::kMaxNameBytes) key = longKey = nameKey(name);
  const int count = std::clamp<int>(tables.nameReplaceCount, 0, ReplaceTables::kMaxNameReplace);
  for (int i = 0; i < count; ++i)
    if (tables.nameReplace[i].name == key) return tables.nameReplace[i].number;

  if (!fitsNameLine(key)) {
    auto& met = tables.unwritableNames;
    if (std::find(met.begin(), met.end(), key) == met.end()) {
      met.emplace_back(key);
      showUnwritableName(trimRight(name));
    }
    return std::string(kUnknownNameNumber);
  }
  showUnknownName(trimRight(name));
  if (count < static_cast<int>(ReplaceTables::kMaxNameReplace)) {
    tables.nameReplace[count] = {std::string(kUnknownNameNumber), std::string(key)};
    tables.nameReplaceCount = static_cast<std::int16_t>(count + 1);
    learned = true;
  }
  return std::string(kUnknownNameNumber);
}

bool learnsEveryName(const std::vector<std::string_view>& names, const ReplaceTables& tables) {
  const int count = std::clamp<int>(tables.nameReplaceCount, 0, ReplaceTables::kMaxNameReplace);
  std::vector<std::string> known;
  for (int i = 0; i < count; ++i) known.push_back(tables.nameReplace[i].name);
  for (std::string_view name : names) {
    std::string key = nameKey(name);
    if (std::find(known.begin(), known.end(), key) != known.end() || !fitsNameLine(key)) continue;
    if (known.size() >= ReplaceTables::kMaxNameReplace) return false;
    known.push_back(std::move(key));
  }
  return true;
}

}  // namespace zelk
