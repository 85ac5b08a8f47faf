#include "run/number.h"

#include <algorithm>
#include <cstdio>

#include "base/ma_geography.h"
#include "base/text.h"
#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {
namespace {

// Areas a Telechoice plan allows, by TelechoiceKind (10, 15, 30).
constexpr int kTelechoiceAreas[] = {0, 2, 5, 1};

// The number without its first character, as the MA data writes prefixes.
std::string_view withoutFirst(std::string_view number) {
  return number.empty() ? number : number.substr(1);
}

const NumberReplacement* findReplacement(const ReplaceTables& tables, const std::string& number) {
  for (int i = 0; i < tables.numberReplaceCount; ++i) {
    const auto& entry = tables.numberReplace[static_cast<std::size_t>(i)];
    if (entry.from == number) return &entry;
  }
  return nullptr;
}

// The band the user set for the number. Entries without a band are skipped:
// were they found, the number would gain a fresh entry in every month of the
// history.
DistanceBand areaSetBand(const ReplaceTables& tables, const std::string& number) {
  return tables.areaSet.bandOf(number);
}

// Adds the number with its computed band to the area set; a number of
// unknown MA is entered as beyond 170 km for the user to correct.
DistanceBand registerInAreaSet(RowContext& context, const std::string& number,
                               DistanceBand band) {
  if (band == DistanceBand::UnknownDistance) {
    band = DistanceBand::Beyond170km;
    // "0999" stands for a connection name without a number: nothing to set.
    if (number != "0999") showMessage(sjis("この[") + number + sjis("]って番号をzelk.cfgでセットしてね\n"));
    context.tablesGrew = true;
  }
  context.tables.areaSet.add(digitsOnly(number), band);
  return band;
}

}  // namespace

int resolveRow(CallRecord& call, RowContext& context) {
  int row = context.table.findRow(call.number);
  if (row >= 0) return row;
  if (const NumberReplacement* replacement = findReplacement(context.tables, call.number)) {
    call.number = replacement->to;
    row = context.table.findRow(call.number);
    if (row >= 0) return row;
  }

  row = static_cast<int>(context.table.used++);
  NumberTotals& totals = context.table.rowAt(static_cast<std::size_t>(row));
  totals.number = call.number;
  context.table.indexLastRow();

  // A number without leading 0 is looked up too (and may not be found), but
  // stays in area.
  MaLookup& called = context.called;
  context.maSearch.findSingle(withoutFirst(call.number), called);
  totals.outOfPrefecture = !called.found() || called.prefecture != context.origin.prefecture;

  DistanceBand band = originBand(call.number, context.origin);
  if (band == DistanceBand::Undetermined) band = areaSetBand(context.tables, call.number);
  if (band == DistanceBand::Undetermined)
    band = registerInAreaSet(context, call.number,
                             distanceBand(called, context.origin.x, context.origin.y));
  totals.band = band;
  return row;
}

void registerTelechoiceAreas(const Settings& settings, MaLookup& origin, MaSearch& maSearch) {
  const auto kind = static_cast<int>(settings.telechoiceKind);
  if (kind <= 0 || kind >= static_cast<int>(std::size(kTelechoiceAreas))) return;
  const std::string_view text = settings.telechoiceText;
  if (text.size() <= 2) return;
  const int allowed = kTelechoiceAreas[kind] * (settings.isdn ? 2 : 1);
  // The list after the plan prefix ("15") is split at commas; empty pieces
  // are no codes, every other piece uses up an allowed area, found or not.
  std::string_view list = text.substr(2);
  int taken = 0;
  while (taken < allowed && !list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view code = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    if (code.empty()) continue;
    maSearch.findAccumulate(withoutFirst(code), origin);
    ++taken;
  }
}

}  // namespace zelk
