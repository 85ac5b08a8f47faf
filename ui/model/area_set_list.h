// The settings dialog's working copy of the area set (numbers with a fixed
// distance band) and the two operations of its page: add or change a number
// through the fee-table window, and delete a number.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"

namespace zelk {

class AreaSetList {
 public:
  // The page adds a new number by hand only while the list holds fewer
  // entries than this; entries the calculation added are kept beyond it.
  static constexpr int kHandLimit = 50;

  static AreaSetList fromTables(const ReplaceTables& tables);

  // Copies the entries into `areaSet`.
  void storeInto(ReplaceTables& tables) const;

  int size() const { return static_cast<int>(entries_.size()); }
  bool full() const { return size() >= kHandLimit; }
  const AreaSetEntry& at(int index) const { return entries_.at(static_cast<std::size_t>(index)); }

  // The numbers in order, as the combo box lists them.
  std::vector<std::string> numbers() const;

  // The index of the last entry with this number, or -1.
  int find(std::string_view number) const;

  void add(const AreaSetEntry& entry) { entries_.push_back(entry); }
  void setBand(int index, DistanceBand band) { entries_.at(static_cast<std::size_t>(index)).band = band; }
  // The last entry takes the slot of the deleted one.
  void remove(int index);

 private:
  std::vector<AreaSetEntry> entries_;
};

enum class AreaChange {
  NoText,       // "番号を入力または選択して下さい"
  NoDigits,     // "番号を入力してください"
  Cancelled,    // the fee-table window was cancelled: nothing changed
  Added,
  Changed,
  OverLimit,    // a new number with 50 entries listed: only this addition is
                // refused, the other edits of the dialog stay
};

enum class AreaDelete { NoText, NotFound, Deleted };

// The band the area-set page proposes for a number it does not list yet:
// computed from the origin when one is set, else UnknownDistance (21).
using BandProposal = std::function<DistanceBand(std::string_view number)>;

// Asks the user for the band of `number` (the fee-table window), with the
// band to preselect; none when the user cancelled or chose nothing.
using BandQuestion = std::function<std::optional<DistanceBand>(const std::string& number, DistanceBand preselect)>;

// "追加・変更" with the combo box's text (CP932). Shows the messages of the
// page itself ("番号を入力または選択して下さい", "番号を入力してください",
// "登録限度を超えてます").
AreaChange changeAreaEntry(AreaSetList& list, std::string_view comboText, const BandProposal& propose,
                           const BandQuestion& ask);

// "削除" with the combo box's text; shows "番号を入力または選択して下さい" or
// "該当番号は登録してありません" when nothing is deleted.
AreaDelete deleteAreaEntry(AreaSetList& list, std::string_view comboText);

}  // namespace zelk
