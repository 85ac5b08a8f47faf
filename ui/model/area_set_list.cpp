#include "ui/model/area_set_list.h"

#include "base/text.h"
#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {

AreaSetList AreaSetList::fromTables(const ReplaceTables& tables) {
  AreaSetList list;
  list.entries_ = tables.areaSet.entries();
  return list;
}

void AreaSetList::storeInto(ReplaceTables& tables) const {
  tables.areaSet = AreaSet(entries_);
}

std::vector<std::string> AreaSetList::numbers() const {
  std::vector<std::string> result;
  for (const auto& entry : entries_) result.push_back(entry.number);
  return result;
}

int AreaSetList::find(std::string_view number) const {
  int found = -1;
  for (int i = 0; i < size(); ++i)
    if (entries_[static_cast<std::size_t>(i)].number == number) found = i;
  return found;
}

void AreaSetList::remove(int index) {
  entries_.at(static_cast<std::size_t>(index)) = entries_.back();
  entries_.pop_back();
}

AreaChange changeAreaEntry(AreaSetList& list, std::string_view comboText, const BandProposal& propose,
                           const BandQuestion& ask) {
  if (comboText.empty()) {
    showMessage(sjis("番号を入力または選択して下さい"));
    return AreaChange::NoText;
  }
  const std::string number = digitsOnly(comboText);
  if (number.empty()) {
    showMessage(sjis("番号を入力してください"));
    return AreaChange::NoDigits;
  }
  const int index = list.find(number);
  // Refusing the one number is enough: the user's other edits of this
  // opening are worth keeping.
  if (index < 0 && list.full()) {
    showMessage(sjis("登録限度を超えてます"));
    return AreaChange::OverLimit;
  }

  const DistanceBand current = index >= 0 ? list.at(index).band : propose(number);
  const std::optional<DistanceBand> chosen = ask(number, current);
  if (!chosen) return AreaChange::Cancelled;
  if (index >= 0) {
    list.setBand(index, *chosen);
    return AreaChange::Changed;
  }
  list.add({number, *chosen});
  return AreaChange::Added;
}

AreaDelete deleteAreaEntry(AreaSetList& list, std::string_view comboText) {
  if (comboText.empty()) {
    showMessage(sjis("番号を入力または選択して下さい"));
    return AreaDelete::NoText;
  }
  const int index = list.find(digitsOnly(comboText));
  if (index < 0) {
    showMessage(sjis("該当番号は登録してありません"));
    return AreaDelete::NotFound;
  }
  list.remove(index);
  return AreaDelete::Deleted;
}

}  // namespace zelk
