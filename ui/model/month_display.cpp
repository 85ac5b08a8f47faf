#include "ui/model/month_display.h"

#include <algorithm>
#include <new>

#include "base/text.h"
#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {
namespace {

constexpr std::uint32_t kNoCount = 0xFFFFFFFFu;

// The next non-empty field between commas, or an empty view at the end.
std::string_view nextToken(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && text[pos] == ',') ++pos;
  const std::size_t start = pos;
  while (pos < text.size() && text[pos] != ',') ++pos;
  return text.substr(start, pos - start);
}

}  // namespace

std::string productTitle() { return "zelk for Windows Version 4.21"; }

std::vector<CallListRow> parseCallList(std::string_view text) {
  std::size_t pos = 0;
  const long long count = readDecimal(nextToken(text, pos));
  // Every number of the month is listed; a count larger than the text's
  // fields makes no more rows than there are fields.
  const auto fields = static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1;
  std::vector<CallListRow> list(std::min(static_cast<std::size_t>(std::max(count, 0LL)), fields));
  for (auto& row : list)
    for (auto& cell : row) cell = std::string(nextToken(text, pos));
  return list;
}

bool rowWritten(const MainRow& row, const MonthResult& month, const RunSettings& settings) {
  if (!needsHold(row.writtenWhen, settings)) return false;
  if (row.guards[0]) {
    bool anySet = false;
    for (const auto& slot : row.guards)
      if (slot && month.amounts[*slot] != 0) anySet = true;
    if (!anySet) return false;
  }
  return !(row.noCountWhenAllBits && month.amounts[row.slot] == kNoCount);
}

void MonthDisplay::show(const MonthResult& month, const RunSettings& settings) {
  windowCaption_ = productTitle() + "    [" + month.title + "]";
  for (std::size_t i = 0; i < kMainRowCount; ++i) {
    const MainRow& row = mainRows()[i];
    if (rowWritten(row, month, settings))
      values_[i] = formatRowValue(row.kind, month.amounts[row.slot]);
  }
  try {
    callList_ = parseCallList(month.callList);
  } catch (const std::bad_alloc&) {
    fatalExit(101, sjis("メモリ不足につき中途終了します。"));
  }
  cheapestPlan_ = month.name;
}

}  // namespace zelk
